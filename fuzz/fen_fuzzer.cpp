// Feeds arbitrary text to the FEN reader and checks what it accepts: the position reads
// back from the FEN written for it, and every legal move has names that read back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

#include "core/fen.h"
#include "core/notation.h"
#include "core/perft.h"
#include "core/position.h"
#include "core/rules.h"

namespace {

// Stops the run with a crash report that libFuzzer keeps the input of.
void require(bool condition) {
    if (!condition) std::abort();
}

bool samePosition(const Position& a, const Position& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 && a.side == b.side &&
           a.epSquare == b.epSquare && a.castling == b.castling &&
           a.halfmoveClock == b.halfmoveClock && a.historyCount == b.historyCount &&
           a.hash == b.hash;
}

// Checks that each legal move is named uniquely and that its coordinate name reads back.
void checkMoveNames() {
    MoveList legal;
    generateLegalMoves(legal);
    require(perft(1) == static_cast<uint64_t>(legal.count));
    std::set<std::string> sanNames;
    for (int k = 0; k < legal.count; ++k) {
        const Move move = legal.moves[k];
        require(parseCoordinateMove(coordinateName(move)) == move);
        require(sanNames.insert(sanName(move)).second);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Position before;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    before = pos;
    std::string error;
    int fullmove = 0;
    if (!readFen(text, error, &fullmove)) {
        require(!error.empty());
        require(samePosition(before, pos));
        return 0;
    }
    const std::string written = writeFen(fullmove);
    require(readFen(written, error, &fullmove));
    require(writeFen(fullmove) == written);
    checkMoveNames();
    return 0;
}
