// Games played out from a position: what the game loop prints, and the record that
// `chesstool pgn` writes of the same game, replayed move by move as the loop shows it.

#include <cctype>
#include <regex>

#include "app/render.h"
#include "app/selfplay.h"
#include "core/attacks.h"
#include "core/notation.h"
#include "core/perft.h"
#include "tests/test_util.h"

namespace {
struct PgnRecord {
    std::vector<std::string> moves;  // SAN, move numbers left out
    std::string comment;             // the text of the closing comment
    std::string result;
    std::vector<std::string> movetextLines;
};

// Splits the movetext of a record into moves, the closing comment and the result.
PgnRecord parsePgn(const std::string& text) {
    PgnRecord record;
    std::string movetext;
    for (const std::string& line : test::splitLines(text)) {
        if (!line.empty() && line[0] != '[') record.movetextLines.push_back(line);
    }
    for (const std::string& line : record.movetextLines) movetext += line + ' ';
    const std::regex comment("\\{([^}]*)\\}");
    std::smatch found;
    if (std::regex_search(movetext, found, comment)) record.comment = found[1];
    std::istringstream words(std::regex_replace(movetext, comment, " "));
    for (std::string word; words >> word; record.result = word) {
        if (!std::isdigit(static_cast<unsigned char>(word[0]))) record.moves.push_back(word);
    }
    return record;
}

// Finds the legal move whose SAN is the word; NO_MOVE unless exactly one matches.
Move moveFromSan(const std::string& word) {
    MoveList legal;
    generateLegalMoves(legal);
    Move found = NO_MOVE;
    int matches = 0;
    for (int k = 0; k < legal.count; ++k) {
        if (sanName(legal.moves[k]) == word) found = legal.moves[k], ++matches;
    }
    return matches == 1 ? found : NO_MOVE;
}

// Plays the recorded moves from the current position and writes what the game loop
// would have written for them: checks, pictures and the closing message, judged on the
// board itself.
void replayAsGame(const PgnRecord& record) {
    printBoard();
    for (const std::string& san : record.moves) {
        const Move move = moveFromSan(san);
        ASSERT_NE(move, NO_MOVE) << "not one legal move: " << san;
        ASSERT_TRUE(makeMove(move));
        const bool mated = inCheck(pos.side) && perft(1) == 0;  // mate stands over fifty moves
        if ((pos.halfmoveClock >= FIFTY_MOVE_LIMIT && !mated) ||
            countRepetitions() >= REPETITION_LIMIT) {
            writeLine("DRAW!");
            EXPECT_EQ(&san, &record.moves.back()) << "the game goes on after a draw";
            return;
        }
        if (inCheck(pos.side)) writeLine("CHECK!");
        printBoard();
    }
    MoveList legal;
    generateLegalMoves(legal);
    EXPECT_EQ(legal.count, 0) << "the record ends before the game";
    writeLine(inCheck(pos.side) ? "CHECKMATE!" : "STALEMATE!");
}

struct GameCase {
    const char* fen;       // nullptr: the program's own game from the starting position
    const char* movetext;  // how the record's movetext begins
    const char* ending;    // the closing comment
    const char* result;
};
void PrintTo(const GameCase& c, std::ostream* out) { *out << (c.fen ? c.fen : "start"); }
class Game : public ::testing::TestWithParam<GameCase> {};
TEST_P(Game, RecordReplaysAsTheGameLoopPrintsIt) {
    const GameCase& c = GetParam();
    std::vector<std::string> args = {"pgn"};
    if (c.fen != nullptr) args.insert(args.end(), {"--fen", c.fen});
    const test::ToolRun run = test::runTool(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "progress goes to standard error only on a terminal";
    const PgnRecord record = parsePgn(run.out);
    ASSERT_FALSE(record.movetextLines.empty()) << run.out;
    EXPECT_EQ(record.movetextLines[0].rfind(c.movetext, 0), 0u) << record.movetextLines[0];
    EXPECT_EQ(record.comment, c.ending);
    EXPECT_EQ(record.result, c.result);
    const std::vector<std::string>& lines = record.movetextLines;
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_LT(lines[k].size(), 80u) << lines[k];
        if (k + 1 == lines.size()) break;
        // Filled lines: the next line's first word would not have fitted.
        const std::string& next = lines[k + 1];
        EXPECT_GE(lines[k].size() + 1 + std::min(next.find(' '), next.size()), 80u) << lines[k];
    }

    const char* fen = c.fen != nullptr ? c.fen : START_FEN;
    ASSERT_TRUE(test::loadFen(fen));
    const std::string replay = test::captureConsole([&record] { replayAsGame(record); });
    // The program's own game is the recorded transcript (the program test plays it).
    ASSERT_TRUE(test::loadFen(fen));
    const std::string game = c.fen == nullptr
                                 ? test::readTestData("game_transcript.txt")
                                 : test::captureConsole([] { printBoard(), runSelfPlay(); });
    EXPECT_TRUE(game == replay) << "the game loop prints another game than the record";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Games, Game, ::testing::Values(
    GameCase{nullptr, "1. a3 Na6 2. c3 Rb8 3.", "Draw by threefold repetition", "1/2-1/2"},
    GameCase{"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
             "1. Ra8# {White wins by checkmate} 1-0", "White wins by checkmate", "1-0"},
    GameCase{"r5k1/8/8/8/8/8/5PPP/6K1 b - -", "1... Ra1# {Black", "Black wins by checkmate", "0-1"},
    GameCase{"r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30",
             "30... Ra1# {Black wins by checkmate} 0-1", "Black wins by checkmate", "0-1"},
    GameCase{"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
             "4. Qxf7# {White", "White wins by checkmate", "1-0"},
    GameCase{"8/8/8/8/8/2k5/1q6/K7 w - - 0 1",
             "{Black wins by checkmate} 0-1", "Black wins by checkmate", "0-1"},
    GameCase{"k7/8/1Q6/8/8/8/8/7K b - - 0 1", "{Draw by stalemate}", "Draw by stalemate", "1/2-1/2"},
    GameCase{"7k/8/8/8/8/8/8/K6N w - - 96 80", "80. ", "Draw by the fifty-move rule", "1/2-1/2"},
    GameCase{"7k/R7/8/8/8/8/8/1R4K1 w - - 99 1", "1. Rb8# {White wins by checkmate} 1-0", "White wins by checkmate", "1-0"},
    GameCase{"k7/p7/P2K4/8/8/8/8/8 w - - 99 1", "1. Kc7 {Draw", "Draw by the fifty-move rule", "1/2-1/2"},
    GameCase{"8/8/8/8/8/8/7k/R3K3 w - - 99 1", "1. Ra2+ {Draw", "Draw by the fifty-move rule", "1/2-1/2"},
    GameCase{"8/8/8/4k3/8/8/8/N3K3 w - - 90 80", "80. ", "Draw by threefold repetition", "1/2-1/2"},
    GameCase{"8/8/8/4k3/8/8/8/N3K3 w - - 0 80", "80. ", "Draw by threefold repetition of the position hash", "1/2-1/2"}));
// clang-format on

// On a terminal, pgn tells each ply as it is played, the record going to standard output.
TEST(Pgn, TellsEachPlyOnATerminal) {
    if (std::system("script -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "script is not installed";
    const std::string command = test::shellQuoted(test::toolPath()) +
                                " pgn --fen '7k/R7/8/8/8/8/8/1R4K1 w - - 99 1' >/dev/null";
    const test::ToolRun run = test::runProgram("script", {"-qec", command, "/dev/null"});
    EXPECT_TRUE(std::regex_match(run.out, std::regex("ply    1  Rb8# +[0-9.]+ s\r?\n"))) << run.out;
}

TEST(Pgn, RecordOfAGameFromAPosition) {
    const test::ToolRun run = test::runTool({"pgn", "--fen", "7k/8/8/8/8/8/R7/1R4K1 w - - 0 1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        std::regex_replace(run.out, std::regex(R"(\[Date "\d{4}\.\d\d\.\d\d"\])"), "[Date \"D\"]"),
        "[Event \"Self-play game\"]\n[Site \"?\"]\n[Date \"D\"]\n[Round \"-\"]\n"
        "[White \"selfplay_chess\"]\n[Black \"selfplay_chess\"]\n[Result \"1-0\"]\n"
        "[SetUp \"1\"]\n[FEN \"7k/8/8/8/8/8/R7/1R4K1 w - - 0 1\"]\n\n"
        "1. Ra7 Kg8 2. Rb8# {White wins by checkmate} 1-0\n\n");
}
}  // namespace
