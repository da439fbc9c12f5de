#include <regex>
#include <thread>
#include <tuple>

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
constexpr const char* MATE_FEN = "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30";
const std::string MATE = "--delay 3600 --fen '" + std::string(MATE_FEN) + "'";
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
     "chesstool watch: the terminal is 40x12, the view needs 44x13; printing each position in turn\n" + MATE_START,
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

// A tmux server of the test's own with one window of the given size, which runs the tool with
// the arguments; the terminal's mode (stty -g) is saved before and after, standard error kept.
struct Tmux {
    std::string name, files;
    Tmux(int columns, int rows, const std::string& arguments)
        : name("chess_tmux_" + std::to_string(getpid())), files(::testing::TempDir() + name) {
        run({"new-session", "-d", "-x", std::to_string(columns), "-y", std::to_string(rows), "-s",
             name,
             "trap '' INT TSTP; stty -g >" + files + ".before; " + test::toolPath() + " " +
                 arguments + " 2>" + files + ".err; echo $? >" + files + ".status; stty -g >" +
                 files + ".after"});
    }
    ~Tmux() {
        run({"kill-server"});
        for (const char* suffix : {".before", ".after", ".err", ".status"})
            std::remove((files + suffix).c_str());
    }
    std::string run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"-u", "-f", "/dev/null", "-L", name});
        return test::runProgram("tmux", args).out;
    }
    std::string screen(const char* option = "-p") const {
        const std::string text = run({"capture-pane", "-p", option, "-t", name});
        return withTimesMasked(text.substr(0, text.find_last_not_of('\n') + 1));
    }
    std::string pane(const char* what) const {
        return test::splitLines(run({"display", "-p", "-t", name, what}))[0];
    }
    std::string file(const char* suffix) const { return test::readFile(files + suffix); }
    bool ended() const { return !file(".after").empty(); }
    template <typename Done>
    static void waitUntil(Done done) {
        for (int k = 0; k < 1200 && !done(); ++k) std::this_thread::sleep_for(100ms);
    }
};

// Runs the view in a tmux window of the row's size and leaves it with q, or with Ctrl-C, which
// the program must pass on once the terminal is back; the terminal's mode (stty -g) is the
// same afterwards. A terminal smaller than the view gets the plain text, and a note why.
class WatchTerminal : public ::testing::TestWithParam<TerminalCase> {};
TEST_P(WatchTerminal, ShowsTheViewAndGetsTheModeBack) {
    const TerminalCase& c = GetParam();
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const Tmux tmux(c.columns, c.rows, "watch " + c.arguments);
    const char* mark = c.arguments.find("3600") != std::string::npos ? "abcdefgh" : "to leave";
    Tmux::waitUntil([&] { return tmux.screen().find(mark) != std::string::npos || tmux.ended(); });
    const std::string shown = tmux.file(".err") + tmux.screen();
    EXPECT_TRUE(c.screen.empty() || shown == c.screen) << shown;
    const std::string ink = tmux.screen("-e");
    const std::regex yellow("\\[33m");
    const auto count = std::distance(std::sregex_iterator(ink.begin(), ink.end(), yellow), {});
    EXPECT_TRUE(c.yellow < 0 || count == c.yellow) << ink;
    // Space pauses; Ctrl-Z stops the program, which gives the terminal back.
    const bool stop = std::string(c.key) == "C-z";
    tmux.run({"send-keys", "-t", tmux.name, stop ? c.key : "Space"});
    std::this_thread::sleep_for(300ms);
    const std::string mode = test::runProgram("stty", {"-g", "-F", tmux.pane("#{pane_tty}")}).out;
    EXPECT_EQ(mode == tmux.file(".before"), stop);
    EXPECT_EQ(tmux.screen().find("Paused") != std::string::npos, c.pauseShown);
    // The pane's shell runs the program: only its child is sent on.
    if (stop) test::runProgram("pkill", {"-CONT", "-P", tmux.pane("#{pane_pid}")});
    tmux.run({"send-keys", "-t", tmux.name, stop ? "q" : c.key});
    Tmux::waitUntil([&] { return tmux.ended(); });
    EXPECT_EQ(tmux.file(".after"), tmux.file(".before"));
    EXPECT_FALSE(tmux.file(".before").empty());
}
INSTANTIATE_TEST_SUITE_P(Watch, WatchTerminal, ::testing::ValuesIn(TERMINAL_CASES),
                         [](const auto& param) { return std::string(param.param.name); });

// On a terminal with no keys to read, the view ends by itself once the game is over.
TEST(Watch, WithoutKeysTheEndWaitsForNone) {
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const Tmux tmux(80, 24, "watch --delay 0 --fen '" + std::string(MATE_FEN) + "' </dev/null");
    Tmux::waitUntil([&] { return tmux.ended(); });
    EXPECT_EQ(tmux.file(".status"), "0\n");
}

// A game from Black's side as a script plays it: each position as plain text, the board drawn
// from Black's side, the game's own closing line and the result; the record goes after the
// game the file held, which stays as it was.
TEST(Play, PipedGameIsPlainTextAndItsRecordFollowsTheFilesGames) {
    const std::string pgn = ::testing::TempDir() + "chess_play_" + std::to_string(getpid());
    const std::string earlier = "[Event \"Earlier\"]\n\n1. e4 *\n";
    std::ofstream(pgn) << earlier;
    const test::ToolRun run = test::runTool(
        {"play", "--black", "--fen", "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30", "--pgn", pgn}, "Ra1#\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              " hgfedcba    Start: Black to move\n1░K░█░█░█1\n2PPP░█░█░2\n3░█░█░█░█3\n"
              "4█░█░█░█░4\n5░█░█░█░█5\n6█░█░█░█░6\n7░█░█░█░█7\n8█k█░█░█r8\n hgfedcba\n\n"
              "Your move as Black: Ra1#\n\n hgfedcba    Move 30, Black: Ra1#\n1░K░█░█░r1\n"
              "2PPP░█░█░2\n3░█░█░█░█3   CHECK!\n4█░█░█░█░4\n5░█░█░█░█5   Last moves:\n"
              "6█░█░█░█░6   30... Ra1#\n7░█░█░█░█7\n8█k█░█░█░8\n hgfedcba\n\n"
              "CHECKMATE!\nResult 0-1: Black wins by checkmate\n");
    EXPECT_EQ(std::regex_replace(test::readFile(pgn), std::regex("Date \"[0-9.]{10}\""), "Date"),
              earlier +
                  "\n[Event \"Game against the engine\"]\n[Site \"?\"]\n[Date]\n[Round \"-\"]\n"
                  "[White \"selfplay_chess depth 6\"]\n[Black \"Player\"]\n[Result \"0-1\"]\n"
                  "[SetUp \"1\"]\n[FEN \"r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30\"]\n\n"
                  "30... Ra1# {Black wins by checkmate} 0-1\n\n");
    // A game that goes on: the engine's answer shown, one empty line between blocks;
    // its record is parted from a file's last line that lacked its line end.
    std::ofstream(pgn) << "*";
    const test::ToolRun on = test::runTool({"play", "--black", "--depth", "1", "--fen",
                                            "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30", "--pgn", pgn},
                                           "Kg7\nquit\n");
    EXPECT_EQ(test::readFile(pgn).substr(0, 10), "*\n\n[Event ");
    EXPECT_NE(on.out.find("\n\n hgfedcba    Move 31, White: f3\n"), std::string::npos) << on.out;
    EXPECT_EQ(on.out.find("\n\n\n"), std::string::npos) << on.out;
    std::remove(pgn.c_str());
}

// A record that can no longer be written is said at once, and play ends with status 1.
TEST(Play, ARecordThatCannotBeWrittenEndsWithStatusOne) {
    const std::string dir = ::testing::TempDir() + "chess_play_" + std::to_string(getpid()) + "d";
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    std::FILE* in =
        popen((test::shellQuoted(test::toolPath()) + " play --black --depth 1 --fen " +
               "'r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30' --pgn " + dir + "/g.pgn >/dev/null")
                  .c_str(),
              "w");
    std::fputs("Kg7\n", in);
    std::fflush(in);
    Tmux::waitUntil(
        [&] { return test::readFile(dir + "/g.pgn").find("31. f3") != std::string::npos; });
    EXPECT_EQ(std::remove((dir + "/g.pgn").c_str()) | rmdir(dir.c_str()), 0);
    std::fputs("Kh7\nquit\n", in);
    EXPECT_EQ(WEXITSTATUS(pclose(in)), 1);
}

struct PlayStep {
    const char* keys;   // typed, each word followed by Enter but keys (C-u) and words~; _ a space
    const char* shows;  // how a line of the screen begins once the step is done (*: holds)
    const char* gone = "";  // and how none may begin then
};
struct PlayCase {
    const char* name;
    std::string arguments;  // after "play --pgn FILE"
    std::vector<PlayStep> steps;
    const char* leave;  // the key that leaves; "": killed, the record read
    std::string end;    // the screen before it; "": unchecked
    int columns = 80, rows = 24;
    std::string record = "";  // what the record file holds: its unfinished game is gone on with
    const char* recordHolds = "";  // what the record file holds at the end
};
void PrintTo(const PlayCase& c, std::ostream* out) { *out << c.name; }

const std::string ROOK_MATE = "--depth 2 --fen '7k/8/8/8/8/8/2R5/R3K3 w - - 0 1'";
// clang-format off
const PlayCase PLAY_CASES[] = {
    // Rc8 is put right with Backspace before Enter; flip clears the hint's line.
    {"MateAfterAMistypedMoveAnAmbiguousOneUndoAndHint", ROOK_MATE,
     {{"zc7", "Unreadable move 'zc7': write Nf3, exd5, O-O, e8=Q or g1f3 (see help)"},
      {"Rc1", "Ambiguous move 'Rc1': it could be Rcc1 or Rac1"},
      {"Rc8\177" "7", " abcdefgh    Move 1, Black: Kg8"}, {"undo", "Took back Rc7 and Kg8"}, {"undo", "Nothing to take back."}, {"help", "Moves: Nf3, exd5"},
      {"Rc7", "8      k 8   Score for Black: -10"}, {"hint", "Hint: Ra8# (score mate in 1, depth 2)"},
      {"flip", " hgfedcba    Move 1, Black: Kg8", "Hint:"}, {"flip", " abcdefgh    Move 1, Black: Kg8"},
      {"Ra8#", "Press Enter to leave."}}, "Enter",
     " abcdefgh    Move 2, White: Ra8#\n8R     k 8\n7  R     7\n6        6   CHECKMATE!\n"
     "5        5\n4        4   Last moves:\n3        3   1. Rc7 Kg8\n2        2   2. Ra8#\n"
     "1    K   1\n abcdefgh\n\nResult 1-0: White wins by checkmate\nPress Enter to leave."},
    // d4 is typed while the engine thinks about its answer to e4.
    {"KeysTypedWhileItThinksWaitAndCtrlCLeaves", "--movetime 1500",
     {{"e4 d4", "Thinking for 1500 ms..."}, {"", "2PPP  PPP2"}}, "C-c", ""},
    {"KilledAfterAMoveLeavesTheRecordSoFar", ROOK_MATE,
     {{"Rc1", "Ambiguous move 'Rc1'"}, {"Rc7", "3        3   1. Rc7 Kg8", "Thinking"},
      {"Rc6", "2        2   2. Rc6 "}, {"undo", "Took back Rc6 and "}}, "", ""},
    // Moves as people type them; Ctrl-H erases as Backspace does.
    {"SpellingsPeopleUse", "--depth 1",
     {{"e2-e4", "*1. e4 Na6"}, {"ng1f3", "*2. Nf3 Rb8"}, {"bc4", "Read 'bc4' as Bc4: no b-pawn can go there"},
      {"0-0", "*4. O-O Rb8"}, {"qe1~ C-h C-h e2", "*5. Qe2 "}}, "C-c", "", 80, 24, "", "4. O-O Rb8 5. Qe2 "},
    // At 60x20 the view is drawn in place; legal, moves and the erasing keys.
    {"SmallTerminalCommands", ROOK_MATE,
     {{"legal_a1", "Legal moves from a1 (10): Raa2 Ra3 Ra4 Ra5 Ra6 Ra7 Ra8+ Rb1"}, {"Rc7", "3        3   1. Rc7 Kg8"},
      {"moves", "Moves: 1. Rc7 Kg8"}, {"C-m", "Your move as White:", "Moves:"}, {"Kf8~ C-w Ra8~ C-u Ra8#", "Press Enter to leave."}},
     "Enter", "", 60, 20},
    // The person's three seconds run out; the level's depth is shown.
    {"FlagFallsAtALevel", "--level 3 --clock 0.05+0 --fen '7k/8/8/8/8/8/2R5/R3K3 b - - 0 1'",
     {{"", "*Search: depth 3, "}, {"", "*White 0:0"}, {"", "Result 0-1: Black wins on time"}}, "Enter", "", 80, 24, "",
     "[TimeControl \"3+0\"]"},
    // A dead position is a draw; the record's unfinished game is gone on with first.
    {"ResumedGameEndsInADeadPosition", "--depth 1",
     {{"Bxb2", "Result 1/2-1/2: Draw: neither side can mate"}}, "Enter", "", 80, 24,
     "[Event \"Game against the engine\"]\n[White \"Player\"]\n[Black \"e\"]\n[Result \"*\"]\n"
     "[SetUp \"1\"]\n[FEN \"k7/8/8/8/8/8/1n6/K1B5 w - - 0 1\"]\n\n1. Kb1 Kb8 2. Ka1 Ka8 *\n",
     "3. Bxb2 {Draw: neither side can mate} 1/2-1/2"},
};
// clang-format on

// Plays a game at 80x24 as a person would, looking at the screen after every step; the
// terminal's mode is the same afterwards. A session killed outright leaves its record whole.
class PlayTerminal : public ::testing::TestWithParam<PlayCase> {};
TEST_P(PlayTerminal, ShowsEachStepAndGetsTheModeBack) {
    const PlayCase& c = GetParam();
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const std::string pgn = ::testing::TempDir() + "chess_play_" + std::to_string(getpid());
    std::remove(pgn.c_str());
    if (!c.record.empty()) std::ofstream(pgn) << c.record;
    const Tmux tmux(c.columns, c.rows, "play --pgn " + pgn + " " + c.arguments);
    const auto showsNow = [&tmux](const std::string& line) {  // a line of the screen begins so
        if (line[0] == '*') return tmux.screen().find(line.substr(1)) != std::string::npos;
        return ('\n' + tmux.screen()).find('\n' + line) != std::string::npos;
    };
    const auto shows = [&showsNow, &tmux](const std::string& line) {
        Tmux::waitUntil([&] { return showsNow(line) || tmux.ended(); });
        return showsNow(line);
    };
    if (!c.record.empty()) {
        EXPECT_TRUE(shows("The last game in")) << tmux.screen();
        tmux.run({"send-keys", "-t", tmux.name, "y", "Enter"});
    }
    EXPECT_TRUE(shows("Your move as ")) << tmux.screen();
    for (const PlayStep& step : c.steps) {
        std::istringstream words(step.keys);
        for (std::string word; words >> word;) {
            const bool alone = word.rfind("C-", 0) == 0 || word.back() == '~';
            if (word.back() == '~') word.pop_back();
            std::replace(word.begin(), word.end(), '_', ' ');
            tmux.run({"send-keys", "-t", tmux.name, word, alone ? "" : "Enter"});
        }
        EXPECT_TRUE(shows(step.shows)) << step.keys << ":\n" << tmux.screen();
        EXPECT_TRUE(step.gone[0] == '\0' || !showsNow(step.gone)) << step.keys << ":\n"
                                                                  << tmux.screen();
    }
    EXPECT_TRUE(c.end.empty() || tmux.screen() == c.end) << tmux.screen();
    EXPECT_NE(tmux.screen("-e").find("48;5;137m"), std::string::npos) << "coloured squares";
    if (c.leave[0] == '\0') {
        test::runProgram("pkill", {"-KILL", "-P", tmux.pane("#{pane_pid}")});
        Tmux::waitUntil([&] { return tmux.ended(); });
        const std::string record = test::readFile(pgn);
        EXPECT_NE(record.find("[Result \"*\"]"), std::string::npos) << record;
        EXPECT_NE(record.find("\n\n1. Rc7 Kg8 *\n\n"), std::string::npos) << record;
    } else {
        tmux.run({"send-keys", "-t", tmux.name, c.leave});
        Tmux::waitUntil([&] { return tmux.ended(); });
        EXPECT_EQ(tmux.file(".after"), tmux.file(".before"));
        EXPECT_EQ(tmux.file(".status"), "0\n") << "left as quit leaves";
        EXPECT_NE(test::readFile(pgn).find(c.recordHolds), std::string::npos)
            << test::readFile(pgn);
    }
    std::remove(pgn.c_str());
}
INSTANTIATE_TEST_SUITE_P(Play, PlayTerminal, ::testing::ValuesIn(PLAY_CASES),
                         [](const auto& param) { return std::string(param.param.name); });

// Leaving watch and play, by a key or by Ctrl-C as a signal, gives the terminal back with
// nothing after the view: the key line is cleared, and only play's parting words stay.
TEST(Terminal, NothingFollowsTheViewOnceItIsLeft) {
    if (std::system("tmux -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    using Row = std::tuple<std::string, const char*, std::vector<std::string>, const char*>;
    // clang-format off
    for (const auto& [arguments, ready, keys, parting] :
         {Row{"watch " + MATE, "Space pauses", {"q"}, ""}, Row{"watch " + MATE, "Space pauses", {"C-c"}, ""},
          Row{"play " + ROOK_MATE, "Your move as White:", {"quit", "Enter"}, "\n\nLeft the game unfinished."}}) {
        // clang-format on
        const Tmux tmux(80, 24, arguments);
        tmux.run({"set-option", "-t", tmux.name, "remain-on-exit", "on"});
        Tmux::waitUntil([&] { return tmux.screen().find(ready) != std::string::npos; });
        const std::string view = tmux.screen();
        std::vector<std::string> send = {"send-keys", "-t", tmux.name};
        send.insert(send.end(), keys.begin(), keys.end());
        tmux.run(send);
        Tmux::waitUntil([&] { return tmux.ended(); });
        std::string left = tmux.run({"capture-pane", "-p", "-S", "-", "-t", tmux.name});
        left = left.substr(0, left.find("Pane is dead"));
        size_t board = 0;  // the end of the board's ten lines
        for (int k = 0; k < 10; ++k) board = view.find('\n', board) + 1;
        EXPECT_EQ(left.substr(0, left.find_last_not_of('\n') + 1),
                  view.substr(0, board - 1) + parting)
            << arguments << " left by " << keys[0];
    }
}
