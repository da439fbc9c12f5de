#include <regex>
#include <thread>

#include "tests/test_util.h"

namespace {
// Search times vary from run to run; everything else on the view is fixed.
std::string withTimesMasked(const std::string& text) {
    return std::regex_replace(text, std::regex("[0-9]+\\.[0-9]{2} s"), "T s");
}
}  // namespace

TEST(Watch, PipedViewIsPlainTextOfEachPosition) {
    const test::ToolRun run =
        test::runTool({"watch", "--delay", "0", "--fen", "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(withTimesMasked(run.out),
              " abcdefgh    Start: Black to move\n8r█░█░█k█8\n7█░█░█░█░7\n6░█░█░█░█6\n"
              "5█░█░█░█░5\n4░█░█░█░█4\n3█░█░█░█░3\n2░█░█░PPP2\n1█░█░█░K░1\n abcdefgh\n\n"
              " abcdefgh    Move 30, Black: Ra1#\n8░█░█░█k█8   Score for Black: mate in 1\n"
              "7█░█░█░█░7   Search: 3837 calls, T s\n6░█░█░█░█6   CHECK!\n5█░█░█░█░5\n"
              "4░█░█░█░█4   Last moves:\n3█░█░█░█░3   30... Ra1#\n2░█░█░PPP2\n"
              "1r░█░█░K░1\n abcdefgh\n\nResult 0-1: Black wins by checkmate\n");
}

// Leaves with q, or with Ctrl-C, which the program must pass on once the terminal is back,
// at the end or (with a long delay) before the first move.
class WatchTerminal : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};
TEST_P(WatchTerminal, ShowsTheFinalBoardAndGetsItsModeBack) {
    const auto& [key, delay] = GetParam();
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const std::string name = "chess_watch_" + std::to_string(getpid());
    const std::string files = ::testing::TempDir() + name;
    const auto tmux = [&name](std::vector<std::string> args) {
        args.insert(args.begin(), {"-u", "-f", "/dev/null", "-L", name});
        return test::runProgram("tmux", args).out;
    };
    tmux({"new-session", "-d", "-x", "80", "-y", "24", "-s", name,
          "trap '' INT TSTP; stty -g >" + files + ".before; " + test::toolPath() +
              " watch --delay " + delay + "; stty -g >" + files + ".after"});
    std::string screen;
    for (int k = 0;
         k < 1200 && screen.find(delay == "0" ? "to leave" : "Start") == std::string::npos &&
         test::readFile(files + ".after").empty();
         ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        screen = tmux({"capture-pane", "-p", "-t", name});
    }
    const std::string shown = withTimesMasked(screen.substr(0, screen.find_last_not_of('\n') + 1));
    // The end of the game, when it is played out.
    EXPECT_EQ(shown,
              delay != "0"
                  ? shown
                  : " abcdefgh    Move 53, Black: Kb8\n8░k░█░█░█8   Score for Black: +1\n"
                    "7█░█░█░█B7   Search: 1182 calls, T s\n6░█░█░█░p6\n5█░█b█░█░5\n"
                    "4░█░█░█░█4   Last moves:\n3█p█░█░█░3   50. Bg6 Ka8\n2░█░█░K░P2   51. Bh7 Kb8\n"
                    "1█░█░█░█░1   52. Bg6 Ka8\n abcdefgh    53. Bh7 Kb8\n\n"
                    "Result 1/2-1/2: Draw by threefold repetition\nPress q or Enter to leave.");
    const std::string coloured = tmux({"capture-pane", "-p", "-e", "-t", name});
    // The last move's squares, a8 and b8, side by side: tmux colours them once.
    int yellow = 0;
    for (size_t at = 0; (at = coloured.find("[33m", at)) != std::string::npos; ++at) ++yellow;
    EXPECT_EQ(yellow, delay != "0" ? yellow : 1) << coloured;
    // Space pauses, saying so; Ctrl-Z stops the program, which gives the terminal back.
    const bool stop = std::string(key) == "C-z";
    tmux({"send-keys", "-t", name, stop ? key : "Space"});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string tty = test::splitLines(tmux({"display", "-p", "-t", name, "#{pane_tty}"}))[0];
    const std::string mode = test::runProgram("stty", {"-g", "-F", tty}).out;
    EXPECT_EQ(mode == test::readFile(files + ".before"), stop);
    EXPECT_EQ(tmux({"capture-pane", "-p", "-t", name}).find("Paused") != std::string::npos,
              delay != "0");
    if (stop) std::system("pkill -CONT -x chesstool");
    tmux({"send-keys", "-t", name, stop ? "q" : key});
    for (int k = 0; k < 100 && test::readFile(files + ".after").empty(); ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    tmux({"kill-server"});
    EXPECT_EQ(test::readFile(files + ".after"), test::readFile(files + ".before"));
    EXPECT_FALSE(test::readFile(files + ".before").empty());
    for (const char* suffix : {".before", ".after"}) std::remove((files + suffix).c_str());
}
INSTANTIATE_TEST_SUITE_P(Watch, WatchTerminal,
                         ::testing::Values(std::pair{"q", "0"}, std::pair{"C-c", "0"},
                                           std::pair{"C-z", "0"}, std::pair{"q", "3600"}));
