// Feeds arbitrary lines to the UCI command handler of a session that has said uciok;
// searches are kept shallow so that each input runs quickly, and the end of the input
// stops the search in progress.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tools/chesstool/uci_command.h"

namespace {
constexpr int FUZZ_DEFAULT_DEPTH = 1;
constexpr int FUZZ_MAX_DEPTH = 2;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) std::abort();
    UciSession session;
    session.output.out = sink;
    session.defaultDepth = FUZZ_DEFAULT_DEPTH;
    session.maxDepth = FUZZ_MAX_DEPTH;
    startUciSession(session);
    handleUciLine(session, "uci");
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (handleUciLine(session, line) == UciStep::QUIT) break;
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    if (!endUciSession(session)) std::abort();
    return 0;
}
