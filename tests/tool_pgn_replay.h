// Reading back a PGN record that the tool wrote and replaying it as the game program
// would show it, so the record can be compared with the game itself.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/console.h"
#include "app/render.h"
#include "app/selfplay.h"
#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "core/rules.h"
#include "tests/tool_process.h"

namespace tool {

struct PgnRecord {
    std::vector<std::string> tagNames;
    std::vector<std::string> tagValues;
    std::vector<std::string> moves;  // SAN, move numbers left out
    std::string comment;             // the text of the closing comment
    std::string result;
    std::vector<std::string> movetextLines;
};

inline bool isMoveNumber(const std::string& word) {
    return !word.empty() && word.back() == '.' &&
           word.find_first_not_of("0123456789.") == std::string::npos;
}

// Splits a record into tags, moves, the closing comment and the result.
inline PgnRecord parsePgn(const std::string& text) {
    PgnRecord record;
    std::string movetext;
    for (const std::string& line : splitLines(text)) {
        if (line.rfind("[", 0) == 0) {
            const size_t space = line.find(' ');
            record.tagNames.push_back(line.substr(1, space - 1));
            record.tagValues.push_back(line.substr(space + 2, line.size() - space - 4));
        } else if (!line.empty()) {
            record.movetextLines.push_back(line);
            movetext += line + ' ';
        }
    }
    const size_t open = movetext.find('{');
    const size_t close = movetext.find('}');
    if (open != std::string::npos && close != std::string::npos) {
        record.comment = movetext.substr(open + 1, close - open - 1);
        for (char& c : record.comment) {
            if (c == '\n') c = ' ';
        }
        movetext.erase(open, close - open + 1);
    }
    std::vector<std::string> words;
    for (size_t i = 0; i < movetext.size();) {
        const size_t end = movetext.find(' ', i);
        if (end > i) words.push_back(movetext.substr(i, end - i));
        i = end + 1;
    }
    if (!words.empty()) {
        record.result = words.back();
        words.pop_back();
    }
    for (const std::string& word : words) {
        if (!isMoveNumber(word)) record.moves.push_back(word);
    }
    return record;
}

// Finds the legal move whose SAN is the word; NO_MOVE unless exactly one matches.
inline Move moveFromSan(const std::string& word) {
    MoveList legal;
    generateLegalMoves(legal);
    Move found = NO_MOVE;
    int matches = 0;
    for (int k = 0; k < legal.count; ++k) {
        if (sanName(legal.moves[k]) == word) {
            found = legal.moves[k];
            ++matches;
        }
    }
    return matches == 1 ? found : NO_MOVE;
}

// Collects what the console functions write while the action runs.
template <typename Action>
std::string captureConsole(Action action) {
    const std::string path = ::testing::TempDir() + "chesstool_console_" + std::to_string(getpid());
    const int fd = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    EXPECT_GE(fd, 0);
    const int saved = consoleOutput;
    consoleOutput = fd;
    action();
    consoleOutput = saved;
    close(fd);
    const std::string text = readFile(path);
    std::remove(path.c_str());
    return text;
}

// Plays the recorded moves from the current position and writes what the game loop
// would have written for them: checks, pictures and the closing message.
inline void replayAsGame(const PgnRecord& record) {
    const bool drawnByMove = record.comment == "Draw by the fifty-move rule" ||
                             record.comment.rfind("Draw by threefold repetition", 0) == 0;
    for (size_t k = 0; k < record.moves.size(); ++k) {
        const Move move = moveFromSan(record.moves[k]);
        ASSERT_NE(move, NO_MOVE) << "not one legal move: " << record.moves[k];
        ASSERT_TRUE(makeMove(move));
        if (drawnByMove && k + 1 == record.moves.size()) {
            writeLine("DRAW!");
            return;
        }
        if (inCheck(pos.side)) writeLine("CHECK!");
        printBoard();
    }
    ASSERT_FALSE(drawnByMove) << "a drawn record ends with the drawing move";
    writeLine(inCheck(pos.side) ? "CHECKMATE!" : "STALEMATE!");
}

// Checks the closing comment and the result against the final position.
inline void expectEndingHolds(const PgnRecord& record) {
    MoveList legal;
    generateLegalMoves(legal);
    if (record.comment == "White wins by checkmate" ||
        record.comment == "Black wins by checkmate") {
        EXPECT_EQ(legal.count, 0);
        EXPECT_TRUE(inCheck(pos.side));
        EXPECT_EQ(record.result, pos.side == BLACK ? "1-0" : "0-1");
        EXPECT_EQ(record.comment[0], pos.side == BLACK ? 'W' : 'B');
        return;
    }
    EXPECT_EQ(record.result, "1/2-1/2");
    if (record.comment == "Draw by stalemate") {
        EXPECT_EQ(legal.count, 0);
        EXPECT_FALSE(inCheck(pos.side));
    } else if (record.comment == "Draw by the fifty-move rule") {
        EXPECT_GE(pos.halfmoveClock, 100);
    } else {
        EXPECT_EQ(record.comment.rfind("Draw by threefold repetition", 0), 0u) << record.comment;
        EXPECT_GE(countRepetitions(), 3);
    }
}

}  // namespace tool
