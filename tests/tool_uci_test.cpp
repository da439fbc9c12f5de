#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tool_process.h"

namespace {

using tool::splitLines;

std::vector<std::string> uciLines(const std::string& input) {
    const tool::ToolRun run = tool::runTool({"uci"}, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return splitLines(run.out);
}

// Returns the bestmove lines of a transcript, in order.
std::vector<std::string> bestMoves(const std::vector<std::string>& lines) {
    std::vector<std::string> moves;
    for (const std::string& line : lines) {
        if (line.rfind("bestmove ", 0) == 0) moves.push_back(line.substr(9));
    }
    return moves;
}

std::vector<std::string> infoStrings(const std::vector<std::string>& lines) {
    std::vector<std::string> strings;
    for (const std::string& line : lines) {
        if (line.rfind("info string ", 0) == 0) strings.push_back(line.substr(12));
    }
    return strings;
}

}  // namespace

TEST(ToolUci, HandshakeAndReadiness) {
    const std::vector<std::string> lines = uciLines("uci\nisready\nquit\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "id name selfplay_chess");
    EXPECT_EQ(lines[1].rfind("id author ", 0), 0u);
    EXPECT_EQ(lines[2], "uciok");
    EXPECT_EQ(lines[3], "readyok");
}

TEST(ToolUci, NothingIsPrintedBeforeUci) {
    EXPECT_TRUE(uciLines("isready\nposition startpos\ngo depth 1\nucinewgame\nquit\n").empty());
    EXPECT_TRUE(uciLines("").empty());
    const std::vector<std::string> lines = uciLines("isready\nuci\nquit\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "id name selfplay_chess");
}

TEST(ToolUci, QuitEndsTheSession) {
    const std::vector<std::string> lines = uciLines("uci\nquit\nisready\n");
    EXPECT_EQ(lines.back(), "uciok");
}

TEST(ToolUci, GoSearchesTheGivenPosition) {
    const std::vector<std::string> lines = uciLines(
        "uci\nposition fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\ngo depth 2\n"
        "position startpos moves e2e4 e7e5 g1f3\ngo depth 1\n"
        "position fen r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4\n"
        "go wtime 1000 btime 1000 winc 10 binc 10 movestogo 30 nodes 5 movetime 50 "
        "depth 2 ponder infinite\nquit\n");
    const std::vector<std::string> moves = bestMoves(lines);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0], "a1a8");
    EXPECT_EQ(moves[1], "b8a6") << "the first of equal moves in generation order";
    EXPECT_EQ(moves[2], "h5f7");
    EXPECT_TRUE(infoStrings(lines).empty());
}

TEST(ToolUci, NoLegalMoveGivesNullMove) {
    const std::vector<std::string> lines = uciLines(
        "uci\nposition fen k7/8/1Q6/8/8/8/8/7K b - - 0 1\ngo depth 3\n"
        "position startpos moves f2f3 e7e5 g2g4 d8h4\ngo\nquit\n");
    EXPECT_EQ(bestMoves(lines), (std::vector<std::string>{"0000", "0000"}));
}

TEST(ToolUci, PromotionAndCastlingInCoordinateNotation) {
    const std::vector<std::string> lines = uciLines(
        "uci\nposition fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1\ngo depth 1\n"
        "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1g1 e8c8\n"
        "go depth 1\nquit\n");
    const std::vector<std::string> moves = bestMoves(lines);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0], "b7b8q");
    EXPECT_TRUE(infoStrings(lines).empty()) << "e1g1 and e8c8 are accepted";
}

TEST(ToolUci, IllegalMoveIsRefusedAndThePositionStays) {
    // The reply after the refused command must be the reply to the position before it:
    // not the starting position and not the position after the legal moves that came first.
    const std::string before = "position startpos moves e2e4 e7e5\n";
    const std::vector<std::string> reference = uciLines("uci\n" + before + "go depth 1\nquit\n");
    const std::vector<std::string> lines =
        uciLines("uci\n" + before + "position startpos moves e2e4 e7e5 g1f3 b8c6 e1g1\n" +
                 "go depth 1\nquit\n");
    ASSERT_EQ(infoStrings(lines).size(), 1u);
    EXPECT_NE(infoStrings(lines)[0].find("e1g1"), std::string::npos) << infoStrings(lines)[0];
    EXPECT_EQ(bestMoves(lines), bestMoves(reference));
    ASSERT_EQ(bestMoves(reference).size(), 1u);
    EXPECT_EQ(bestMoves(reference)[0], "a2a3");
}

TEST(ToolUci, MalformedPositionsAreRefused) {
    const std::string start = "position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\n";
    for (const char* bad : {"position\n", "position startpos junk\n", "position fen\n",
                            "position fen 8/8/8/8/8/8/8/8 w - - 0 1\n",
                            "position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1 moves a1a9\n",
                            "position startpos moves e2e4 e2e4\n", "position startpos moves e7e5\n",
                            "position startpos moves e2e4 e7\n",
                            "position fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1 moves b7b8\n"}) {
        const std::vector<std::string> lines =
            uciLines("uci\n" + start + bad + "go depth 2\nquit\n");
        EXPECT_EQ(infoStrings(lines).size(), 1u) << bad;
        EXPECT_EQ(bestMoves(lines), std::vector<std::string>{"a1a8"}) << bad;
    }
}

TEST(ToolUci, BadDepthIsReportedAndTheSearchStillAnswers) {
    const std::vector<std::string> lines = uciLines(
        "uci\nposition fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\ngo depth 0\ngo depth x\n"
        "go depth 100000\nquit\n");
    EXPECT_EQ(infoStrings(lines).size(), 3u);
    EXPECT_EQ(bestMoves(lines), (std::vector<std::string>{"a1a8", "a1a8", "a1a8"}));
}

TEST(ToolUci, UnknownCommandsAreIgnored) {
    const std::vector<std::string> lines = uciLines(
        "uci\nhello\ndebug on\nsetoption name Hash value 16\nstop\nponderhit\n\n   \n"
        "isready\nquit\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "readyok");
}

TEST(ToolUci, UcinewgameGoesBackToTheStart) {
    const std::vector<std::string> lines =
        uciLines("uci\nposition startpos moves e2e4\nucinewgame\ngo depth 1\nquit\n");
    EXPECT_EQ(bestMoves(lines), std::vector<std::string>{"a2a3"});
}

TEST(ToolUci, WindowsLineEndsAreAccepted) {
    const std::vector<std::string> lines = uciLines("uci\r\nisready\r\nquit\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "readyok");
}
