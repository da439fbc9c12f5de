#include <regex>
#include <thread>

#include "tests/test_util.h"

using namespace std::chrono_literals;

namespace {
// Search times vary from run to run; everything else on the view is fixed.
std::string withTimesMasked(const std::string& text) {
    return std::regex_replace(text, std::regex("[0-9]+\\.[0-9]{2} s"), "T s");
}

struct TerminalCase {
    const char* name;
    int columns, rows;
    std::string arguments;  // after "watch"
    const char* key;        // leaves the view; C-z stops it first, and q leaves
    std::string screen;     // standard error, then the screen once the view waits; "": unchecked
    int yellow;             // the last move's colour codes on that screen; -1: not checked
    bool pauseShown;        // space pauses, saying so
};
void PrintTo(const TerminalCase& c, std::ostream* out) { *out << c.name; }

const std::string GAME_END =
    " abcdefgh    Move 53, Black: Kb8\n8░k░█░█░█8   Score for Black: +1\n"
    "7█░█░█░█B7   Search: 1182 calls, T s\n6░█░█░█░p6\n5█░█b█░█░5\n"
    "4░█░█░█░█4   Last moves:\n3█p█░█░█░3   50. Bg6 Ka8\n2░█░█░K░P2   51. Bh7 Kb8\n"
    "1█░█░█░█░1   52. Bg6 Ka8\n abcdefgh    53. Bh7 Kb8\n\n"
    "Result 1/2-1/2: Draw by threefold repetition\nPress q or Enter to leave.";
const std::string MATE = "--delay 3600 --fen 'r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30'";
const std::string MATE_START =
    " abcdefgh    Start: Black to move\n8r█░█░█k█8\n7█░█░█░█░7\n6░█░█░█░█6\n5█░█░█░█░5\n"
    "4░█░█░█░█4\n3█░█░█░█░3\n2░█░█░PPP2\n1█░█░█░K░1\n abcdefgh";
// clang-format off
const TerminalCase TERMINAL_CASES[] = {
    // The last move's squares, a8 and b8, side by side: tmux colours them once.
    {"QuitAtTheEnd", 80, 24, "--delay 0", "q", GAME_END, 1, false, },
    {"InterruptAtTheEnd", 80, 24, "--delay 0", "C-c", GAME_END, 1, false, },
    {"StopAndGoOnAtTheEnd", 80, 24, "--delay 0", "C-z", GAME_END, 1, false, },
    {"QuitBeforeTheFirstMove", 80, 24, "--delay 3600", "q", "", -1, true, },
    {"ExactlyTheViewsSize", 65, 13, MATE, "q", MATE_START + "\n\n\nSpace pauses, q quits.", 0, true, },
    {"SmallTerminalPrintsEachPosition", 40, 12, MATE, "q",
     "chesstool watch: the terminal is 40x12, the view needs 65x13; printing each position in turn\n" + MATE_START,
     -1, false},
};
// clang-format on
}  // namespace

TEST(Watch, PipedViewIsPlainTextOfEachPosition) {
    const test::ToolRun run =
        test::runTool({"watch", "--delay", "0", "--fen", "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(withTimesMasked(run.out),
              MATE_START +
                  "\n\n abcdefgh    Move 30, Black: Ra1#\n8░█░█░█k█8   Score for Black: mate in 1\n"
                  "7█░█░█░█░7   Search: 3837 calls, T s\n6░█░█░█░█6   CHECK!\n5█░█░█░█░5\n"
                  "4░█░█░█░█4   Last moves:\n3█░█░█░█░3   30... Ra1#\n2░█░█░PPP2\n"
                  "1r░█░█░K░1\n abcdefgh\n\nResult 0-1: Black wins by checkmate\n");
}

// Runs the view in a tmux window of the row's size and leaves it with q, or with Ctrl-C, which
// the program must pass on once the terminal is back; the terminal's mode (stty -g) is the
// same afterwards. A terminal smaller than the view gets the plain text, and a note why.
class WatchTerminal : public ::testing::TestWithParam<TerminalCase> {};
TEST_P(WatchTerminal, ShowsTheViewAndGetsTheModeBack) {
    const TerminalCase& c = GetParam();
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const std::string name = "chess_watch_" + std::to_string(getpid());
    const std::string files = ::testing::TempDir() + name;
    const auto tmux = [&name](std::vector<std::string> args) {
        args.insert(args.begin(), {"-u", "-f", "/dev/null", "-L", name});
        return test::runProgram("tmux", args).out;
    };
    const auto screen = [&](const char* option) {
        const std::string text = tmux({"capture-pane", "-p", option, "-t", name});
        return withTimesMasked(text.substr(0, text.find_last_not_of('\n') + 1));
    };
    tmux({"new-session", "-d", "-x", std::to_string(c.columns), "-y", std::to_string(c.rows), "-s",
          name,
          "trap '' INT TSTP; stty -g >" + files + ".before; " + test::toolPath() + " watch " +
              c.arguments + " 2>" + files + ".err; stty -g >" + files + ".after"});
    const auto ended = [&] { return !test::readFile(files + ".after").empty(); };
    const auto waitUntil = [](auto done) {
        for (int k = 0; k < 1200 && !done(); ++k) std::this_thread::sleep_for(100ms);
    };
    const char* mark = c.arguments.find("3600") != std::string::npos ? "abcdefgh" : "to leave";
    waitUntil([&] { return screen("-p").find(mark) != std::string::npos || ended(); });
    const std::string shown = test::readFile(files + ".err") + screen("-p");
    EXPECT_TRUE(c.screen.empty() || shown == c.screen) << shown;
    const std::string ink = screen("-e");
    const std::regex yellow("\\[33m");
    const auto count = std::distance(std::sregex_iterator(ink.begin(), ink.end(), yellow), {});
    EXPECT_TRUE(c.yellow < 0 || count == c.yellow) << ink;
    // Space pauses; Ctrl-Z stops the program, which gives the terminal back.
    const bool stop = std::string(c.key) == "C-z";
    tmux({"send-keys", "-t", name, stop ? c.key : "Space"});
    std::this_thread::sleep_for(300ms);
    const auto pane = [&](const char* what) {
        return test::splitLines(tmux({"display", "-p", "-t", name, what}))[0];
    };
    const std::string mode = test::runProgram("stty", {"-g", "-F", pane("#{pane_tty}")}).out;
    EXPECT_EQ(mode == test::readFile(files + ".before"), stop);
    EXPECT_EQ(screen("-p").find("Paused") != std::string::npos, c.pauseShown);
    // The pane's shell runs the program: only its child is sent on.
    if (stop) test::runProgram("pkill", {"-CONT", "-P", pane("#{pane_pid}")});
    tmux({"send-keys", "-t", name, stop ? "q" : c.key});
    waitUntil(ended);
    tmux({"kill-server"});
    EXPECT_EQ(test::readFile(files + ".after"), test::readFile(files + ".before"));
    EXPECT_FALSE(test::readFile(files + ".before").empty());
    for (const char* suffix : {".before", ".after", ".err"}) std::remove((files + suffix).c_str());
}
INSTANTIATE_TEST_SUITE_P(Watch, WatchTerminal, ::testing::ValuesIn(TERMINAL_CASES),
                         [](const auto& param) { return std::string(param.param.name); });
