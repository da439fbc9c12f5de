#include <chrono>
#include <future>
#include <regex>
#include <thread>

#include "search/limits.h"
#include "tests/test_util.h"
#include "tools/chesstool/uci_command.h"

namespace {
using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

// Runs a session in this process, each search ended before the next line unless it holds its best
// move (its answer then shows without the move, which depends on when it is stopped), and returns
// the replies after the first uciok, of the "info depth" lines only the last before a bestmove, cut
// to depth, seldepth and score. A line busy for 20 s is noted and its search stopped.
Lines transcript(const std::string& input) {
    UciSession session;
    const std::string path = ::testing::TempDir() + "uci_transcript_" + std::to_string(getpid());
    session.output.out = std::fopen(path.c_str(), "w");
    startUciSession(session);
    std::vector<bool> held;  // for each go, whether it holds its best move
    for (const std::string& line : test::splitLines("uci\n" + input)) {
        const bool go = line.rfind("go", 0) == 0;
        if (go) held.push_back(std::regex_search(line, std::regex("infinite|ponder")));
        const bool waits = !(go && held.back()) && line != "isready";
        auto done = std::async(std::launch::async, [&] {
            handleUciLine(session, line);
            if (waits) waitForAnswer(session.worker);
        });
        if (done.wait_for(std::chrono::seconds(20)) == std::future_status::ready) continue;
        sayLine(session.output, "no answer within 20 s");
        stopSearch(session.worker);
    }
    EXPECT_TRUE(endUciSession(session));
    SearchContext& context = session.worker.search.context;
    EXPECT_FALSE(searchMustStop(context.limits, context.calls)) << "a search's limits outlive it";
    std::fclose(session.output.out);
    const std::regex depthAndScore("^info (depth \\d+ seldepth \\d+ score \\S+ -?\\d+) .*");
    Lines replies;
    std::string lastDepth;
    size_t answers = 0;
    const Lines lines = test::splitLines(test::readFile(path));
    std::remove(path.c_str());
    for (auto line = std::find(lines.begin(), lines.end(), "uciok") + 1; line < lines.end();
         ++line) {
        std::smatch m;
        if (std::regex_match(*line, m, depthAndScore)) {
            lastDepth = m[1];
        } else if (line->rfind("bestmove", 0) == 0) {
            const bool hidden = held.at(answers++);
            if (!lastDepth.empty() && !hidden) replies.push_back(lastDepth);
            replies.push_back(hidden ? "bestmove of a held search" : *line);
            lastDepth.clear();
        } else {
            replies.push_back(*line);
        }
    }
    return replies;
}

struct UciCase {
    const char* name;
    std::string input;
    Lines replies;
};
void PrintTo(const UciCase& c, std::ostream* out) { *out << c.name; }

const std::string MATE_IN_ONE = "position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\n";
const char* const SET_USAGE = "info string setoption needs: setoption name NAME [value VALUE]";

// clang-format off
const std::string BAD_WORDS = [] { std::string words; for (int k = 0; k < 25000; ++k) words += " z"; return words; }();
const UciCase CASES[] = {
    {"DepthSixAfterE4E5AlsoWithoutLimitThenSeldepthAnew",
     "position startpos moves e2e4 e7e5\ngo depth 6\ngo\nposition fen 8/8/8/4k3/8/8/8/4K3 w - - 0 1\ngo depth 1\n",
     {"depth 6 seldepth 9 score cp 0", "bestmove d1f3 ponder b8c6", "depth 6 seldepth 8 score cp 0",
      "bestmove d1f3 ponder d8e7", "depth 1 seldepth 1 score cp 0", "bestmove e1d2"}},
    {"DeeperThanTheDeepestIsCut", "position fen 8/8/8/4k3/8/8/8/4K3 w - - 0 1\ngo depth 20\ngo depth 30\n",
     {"depth 20 seldepth 20 score cp 0", "bestmove e1d2 ponder e5d6", "info string go: depth 30 is beyond the deepest search; "
      "searching to depth 20", "depth 20 seldepth 20 score cp 0", "bestmove e1d2 ponder e5d6"}},
    {"MateLimitEndsAtTheMate", MATE_IN_ONE + "go mate 3\n", {"depth 2 seldepth 3 score mate 1", "bestmove a1a8"}},
    {"SearchmovesKeepsGenerationOrder", "go searchmoves e2e4 d2d4 depth 3\n",
     {"depth 3 seldepth 3 score cp 0", "bestmove d2d4 ponder b8a6"}},
    {"MateLimitSearchesTwiceItsMoves", "go mate 1\n", {"depth 2 seldepth 2 score cp 0", "bestmove a2a3"}},
    {"NodeLimit", "go nodes 700\ngo nodes 1\n",
     {"depth 4 seldepth 4 score cp 0", "bestmove a2a3 ponder b8a6", "bestmove a2a3"}},
    {"Promotion", "position fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1\ngo depth 1\n",
     {"depth 1 seldepth 1 score cp 900", "bestmove b7b8q"}},
    {"MatedOrStalematedScoreFirst", "position startpos moves f2f3 e7e5 g2g4 d8h4\ngo\nposition fen k7/8/1Q6/8/8/8/8/7K b - - 0 1\ngo\n",
     {"info depth 0 score mate 0", "bestmove 0000", "info depth 0 score cp 0", "bestmove 0000"}},
    {"StopWithoutSearchLeavesTheNextOneWhole", "stop\ngo depth 3\n", {"depth 3 seldepth 3 score cp 0", "bestmove a2a3 ponder b8a6"}},
    {"NextCommandOrTheEndStopsAHeldSearch", "go infinite\n" + MATE_IN_ONE + "go ponder\ngo depth 2\ngo infinite\n",
     {"bestmove of a held search", "bestmove of a held search", "depth 2 seldepth 3 score mate 1", "bestmove a1a8",
      "bestmove of a held search"}},
    {"PonderhitStartsTheClock", "go ponder wtime 3000 btime 3000\nponderhit\n", {"bestmove of a held search"}},
    {"IllegalMoveKeepsThePosition",
     "position startpos moves e2e4 e7e5\nposition startpos moves e2e4 e7e5 g1f3 b8c6 e1g1\ngo depth 6\n",
     {"info string illegal move 'e1g1'; position unchanged", "depth 6 seldepth 9 score cp 0",
      "bestmove d1f3 ponder b8c6"}},
    {"BadFen", "position fen 8/8/8/8/8/8/8/8 w - - 0 1\n",
     {"info string bad FEN: each side needs exactly one king; position unchanged"}},
    {"BadCommandsAreNamed", MATE_IN_ONE + "position\nposition startpos e2e4\ngo depth 0 movetime x frob depth\n",
     {"info string position needs startpos or fen; position unchanged",
      "info string 'moves' is missing before 'e2e4'; position unchanged",
      "info string go: bad depth '0' ignored, and 3 more bad words", "depth 6 seldepth 9 score mate 1", "bestmove a1a8"}},
    {"BadLastNumberIsQuoted", MATE_IN_ONE + "go nodes x\n",
     {"info string go: bad nodes 'x' ignored", "depth 6 seldepth 9 score mate 1", "bestmove a1a8"}},
    {"TabsAndAnEarlierDeadline", "position\tstartpos moves e2e4\te7e5\r\ngo movetime 60 depth 1\ngo depth 7\n",
     {"depth 1 seldepth 1 score cp 0", "bestmove a2a3", "depth 7 seldepth 10 score cp 100", "bestmove c2c3 ponder f8c5"}},
    // Of 50,001 bad words only the first is quoted.
    {"LongInputIsCut", "go searchmoves " + std::string(100000, 'x') + " depth 1\ngo searchmoves " + std::string(24, 'y') +
     BAD_WORDS + " depth 1" + BAD_WORDS + "\n",
     {"info string searchmoves: illegal move 'xxxxxxxxxxxxxxxxxxxxxxxx...' left out", "depth 1 seldepth 1 score cp 0", "bestmove a2a3",
      "info string searchmoves: illegal move 'yyyyyyyyyyyyyyyyyyyyyyyy' left out, and 50000 more bad words",
      "depth 1 seldepth 1 score cp 0", "bestmove a2a3"}},
    {"Handshake", "uci\n", {"id name selfplay_chess", "id author the selfplay_chess developers",
     "option name Hash type spin default 16 min 1 max 1024", "option name Clear Hash type button",
     "option name Ponder type check default false", "option name Move Overhead type spin default 30 min 0 max 5000", "uciok"}},
    {"Options",
     "setoption name Hash value 3\nsetoption name Clear Hash\nsetoption name move overhead value 50\n"
     "setoption name Hash value 0\nsetoption name Colour value red\nsetoption name Hash\nfrobnicate\n"
     "setoption name\nsetoption nam Hash value 3\nsetoption name Ponder value true\nsetoption name Ponder value yes\nisready\n",
     {"info string option Hash takes 1 to 1024, not '0'", "info string unknown option 'Colour'",
      "info string option Hash takes 1 to 1024, not ''", SET_USAGE, SET_USAGE, "info string option Ponder takes true or false, not 'yes'", "readyok"}},
};
// clang-format on

class UciTranscript : public ::testing::TestWithParam<UciCase> {};
TEST_P(UciTranscript, RepliesAsExpected) {
    EXPECT_EQ(transcript(GetParam().input), GetParam().replies);
}

INSTANTIATE_TEST_SUITE_P(ToolUci, UciTranscript, ::testing::ValuesIn(CASES),
                         [](const auto& param) { return std::string(param.param.name); });

// The engine as a separate process, fed line by line while it searches.
struct LiveEngine {
    inline static int runs = 0;
    std::string outPath = ::testing::TempDir() + "uci_live_" + std::to_string(getpid()) + "_" +
                          std::to_string(++runs);
    std::FILE* in = popen((test::shellQuoted(test::toolPath()) + " uci >" + outPath).c_str(), "w");

    void send(const std::string& line) {
        std::fputs((line + "\n").c_str(), in);
        std::fflush(in);
    }
    // Waits up to five seconds for a reply that starts with the text; returns its line.
    std::string await(const std::string& text) {
        for (int tries = 0; tries < 500; ++tries, std::this_thread::sleep_for(milliseconds(10))) {
            for (const std::string& line : replies()) {
                if (line.rfind(text, 0) == 0) return line;
            }
        }
        return "no " + text;
    }
    Lines replies() { return test::splitLines(test::readFile(outPath)); }
    ~LiveEngine() { std::remove(outPath.c_str()); }
    // Closes standard input and returns the exit status once the process has ended.
    int close() { return WEXITSTATUS(pclose(in)); }
};

TEST(ToolUciProcess, IsreadyAndStopAreAnsweredMidSearch) {
    LiveEngine engine;
    engine.send("uci\nposition startpos moves e2e4 e7e5\ngo infinite" + BAD_WORDS);
    EXPECT_NE(engine.await("info depth 7"), "no info depth 7") << "infinite goes past depth 6";
    engine.send("isready");
    EXPECT_EQ(engine.await("readyok"), "readyok");
    EXPECT_EQ(test::readFile(engine.outPath).find("bestmove"), std::string::npos)
        << "waits for stop";
    engine.send("stop");
    const std::string best = engine.await("bestmove");
    EXPECT_TRUE(std::regex_match(best, std::regex("bestmove [a-h][1-8][a-h][1-8] ponder .*")));
    EXPECT_EQ(engine.await("info string"),
              "info string go: unknown word 'z' ignored, and 24999 more bad words");
    const std::regex info(
        "info depth (\\d+) seldepth (\\d+) score cp -?\\d+ nodes (\\d+) nps (\\d+) "
        "time (\\d+) pv( [a-h][1-8][a-h][1-8][qrbn]?)+");
    for (const std::string& line : engine.replies()) {
        std::smatch m;
        if (line.rfind("info depth", 0) != 0) continue;
        ASSERT_TRUE(std::regex_match(line, m, info)) << line;
        EXPECT_EQ(std::stoll(m[4]), std::stoll(m[3]) * 1000 / std::max(std::stoll(m[5]), 1LL))
            << line;
    }
    // Done with the deepest depth, an infinite search still holds its move until stop.
    const auto held = [&engine] {
        const std::string out = test::readFile(engine.outPath);
        return out.find("bestmove") == out.rfind("bestmove");
    };
    engine.send("position fen 8/8/8/4k3/8/8/8/4K3 w - - 0 1\ngo infinite");
    EXPECT_NE(engine.await("info depth 20"), "no info depth 20");
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_TRUE(held()) << "the move is held";
    engine.send("stop\nquit");
    EXPECT_EQ(engine.close(), 0);
    EXPECT_FALSE(held()) << "and given at stop";
}

// A fixed move time is searched out, less the overhead (30 ms by default); without the
// moves to go, a move takes at most a third of what the clock leaves after the overhead.
TEST(ToolUciProcess, ClockLimitsEndTheSearchInTime) {
    for (const auto& [go, least, limit] :
         {std::tuple{"go movetime 300", 270, 300},
          {"go wtime 80 btime 80", 0, 16},
          {"setoption name Move Overhead value 250\ngo movetime 300", 0, 80}}) {
        LiveEngine engine;
        const auto start = std::chrono::steady_clock::now();
        engine.send(std::string("uci\n") + go);
        engine.await("bestmove");
        EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(least)) << go;
        for (const std::string& line : engine.replies()) {
            std::smatch time;
            const bool timed = std::regex_search(line, time, std::regex(" time (\\d+)"));
            EXPECT_LE(timed ? std::stoi(time[1]) : 0, limit) << line;
        }
        EXPECT_EQ(engine.close(), 0);
    }
}

TEST(ToolUciProcess, QuitAndEndOfInputEndTheSearchAtOnce) {
    for (const char* ending : {"quit", ""}) {
        LiveEngine engine;
        engine.send("uci\ngo infinite");
        engine.await("info depth 4");
        if (*ending != '\0') engine.send(ending);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(engine.close(), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000)) << ending;
    }
}
}  // namespace
