#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/tool_process.h"

namespace {

using tool::runTool;
using tool::splitLines;
using tool::ToolRun;

// Finds the count that perft printed for one root move; -1 when it printed none.
int64_t divideCount(const std::string& out, const std::string& move) {
    for (const std::string& line : splitLines(out)) {
        if (line.rfind(move + ": ", 0) == 0) return std::stoll(line.substr(move.size() + 2));
    }
    return -1;
}

int64_t perftTotal(const std::string& out) { return divideCount(out, "total"); }

// Adds up the per-move counts, everything above the empty line.
int64_t sumOfDivide(const std::string& out, int& moves) {
    int64_t sum = 0;
    moves = 0;
    for (const std::string& line : splitLines(out)) {
        if (line.empty()) break;
        sum += std::stoll(line.substr(line.find(": ") + 2));
        ++moves;
    }
    return sum;
}

}  // namespace

TEST(ToolCli, HelpNamesEverySubcommandWithItsUsage) {
    const ToolRun run = runTool({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* usage :
         {"usage: chesstool perft DEPTH [FEN]", "usage: chesstool bench [--reference] [--depth N]",
          "usage: chesstool pgn [--fen FEN]", "usage: chesstool uci"}) {
        EXPECT_NE(run.out.find(usage), std::string::npos) << usage;
    }
}

TEST(ToolCli, EachSubcommandHasItsOwnHelp) {
    for (const char* name : {"perft", "bench", "pgn", "uci"}) {
        const ToolRun run = runTool({name, "--help"});
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_EQ(run.out.rfind(std::string("usage: chesstool ") + name, 0), 0u) << run.out;
    }
}

TEST(ToolCli, BadInputGivesOneErrorLineAndFailure) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"perft"},
        {"perft", "0"},
        {"perft", "-1"},
        {"perft", "21"},
        {"perft", "abc"},
        {"perft", "3x"},
        {"perft", "99999999999999999999"},
        {"perft", ""},
        {"perft", "2", "not a fen"},
        {"perft", "2", "8/8/8/8/8/8/8/8 w - - 0 1"},
        {"perft", "2", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1"},
        {"perft", "2", "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"perft", "2", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKB\nNR w KQkq - 0 1"},
        {"bench", "--depth"},
        {"bench", "--depth", "0"},
        {"bench", "--depth", "100"},
        {"bench", "--fast"},
        {"pgn", "--fen"},
        {"pgn", "--fen", "xyz"},
        {"pgn", "--fen", "4k3/8/8/8/8/8/8/4K2R w Q - 0 1"},
        {"pgn", "extra"},
        {"uci", "extra"},
    };
    for (const std::vector<std::string>& args : cases) {
        std::string shown;
        for (const std::string& arg : args) shown += " [" + arg + "]";
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        ASSERT_FALSE(run.err.empty()) << shown;
        EXPECT_EQ(run.err.rfind("chesstool", 0), 0u) << shown << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << shown << ": " << run.err;
    }
}

TEST(ToolCli, PerftDividesTheStartPosition) {
    const ToolRun run = runTool({"perft", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    int moves = 0;
    EXPECT_EQ(sumOfDivide(run.out, moves), 8902);
    EXPECT_EQ(moves, 20);
    EXPECT_EQ(perftTotal(run.out), 8902);
    EXPECT_EQ(divideCount(run.out, "e2e4"), 600);
    EXPECT_EQ(divideCount(run.out, "g1f3"), 440);
    EXPECT_EQ(splitLines(run.out)[0], "a2a3: 380") << "root moves in generation order";
    EXPECT_NE(run.out.find("\ntime: "), std::string::npos);
    EXPECT_NE(run.out.find(" nodes/s\n"), std::string::npos);
}

TEST(ToolCli, PerftTakesTheFenQuotedOrAsSeparateWords) {
    const char* kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
    const ToolRun quoted = runTool({"perft", "2", kiwipete});
    ASSERT_EQ(quoted.status, 0) << quoted.err;
    EXPECT_EQ(perftTotal(quoted.out), 2039);
    EXPECT_EQ(divideCount(quoted.out, "e1g1"), 43);
    EXPECT_EQ(divideCount(quoted.out, "e1c1"), 43);
    const ToolRun words =
        runTool({"perft", "1", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "w",
                 "KQkq", "-", "0", "1"});
    ASSERT_EQ(words.status, 0) << words.err;
    EXPECT_EQ(perftTotal(words.out), 48);
}

TEST(ToolCli, PerftNamesPromotionsWithTheirLetter) {
    const ToolRun run =
        runTool({"perft", "2", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(perftTotal(run.out), 1486);
    for (const char* move : {"d7c8q", "d7c8r", "d7c8b", "d7c8n", "e1g1"}) {
        EXPECT_GT(divideCount(run.out, move), 0) << move;
    }
}

TEST(ToolCli, BenchPrintsTwelvePositionsAndAStableSignature) {
    const ToolRun first = runTool({"bench", "--depth", "2"});
    ASSERT_EQ(first.status, 0) << first.err;
    const std::vector<std::string> lines = splitLines(first.out);
    ASSERT_EQ(lines.size(), 16u) << first.out;  // heading, column names, 12 rows, total, signature
    EXPECT_EQ(lines[0], "bench: fast search, depth 2, 12 positions");
    EXPECT_EQ(lines.back().rfind("signature ", 0), 0u);
    const ToolRun second = runTool({"bench", "--depth", "2"});
    EXPECT_EQ(splitLines(second.out).back(), lines.back());
}

TEST(ToolCli, BenchReferenceSignatureIsTheSumOfItsCalls) {
    const ToolRun run = runTool({"bench", "--reference", "--depth", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(lines.size(), 16u) << run.out;
    EXPECT_EQ(lines[0], "bench: reference search, depth 1, 12 positions");
    // Depth 1 calls the search once for the top and once per legal move, plus the
    // extension below a check; the rows name each position's calls in the third column.
    uint64_t sum = 0;
    for (size_t k = 2; k < 14; ++k) {
        const std::string& row = lines[k];
        const size_t start = row.find_first_of("0123456789", 26);
        sum += std::stoull(row.substr(start));
    }
    EXPECT_EQ(lines.back(), "signature " + std::to_string(sum));
    EXPECT_NE(lines[2].find(" 21 "), std::string::npos) << "20 moves from the start + the top";
}
