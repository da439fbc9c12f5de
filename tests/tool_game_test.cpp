#include <gtest/gtest.h>

#include <string>

#include "tests/tool_pgn_replay.h"

// The record of the whole game, replayed as the game program shows it, is exactly
// what the game program prints (its final wait ends at once on empty input).
TEST(ToolGame, PgnOfTheWholeGameIsTheGame) {
    const tool::ToolRun game = tool::runProgram(CHESS_BINARY, {});
    ASSERT_EQ(game.status, 0);
    const tool::ToolRun pgn = tool::runTool({"pgn"});
    ASSERT_EQ(pgn.status, 0) << pgn.err;
    const tool::PgnRecord record = tool::parsePgn(pgn.out);
    ASSERT_FALSE(record.moves.empty());
    for (const std::string& line : record.movetextLines) {
        EXPECT_LT(line.size(), 80u) << line;
    }
    pos.historyCount = 0;
    setupInitialPosition();
    const std::string replay = tool::captureConsole([&record] {
        printBoard();
        tool::replayAsGame(record);
    });
    tool::expectEndingHolds(record);
    EXPECT_EQ(replay, game.out);
}
