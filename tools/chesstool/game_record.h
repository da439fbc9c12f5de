// A game, played ply by ply exactly as the game program plays it (or by a person, judged
// the same way) and recorded in standard algebraic notation with the reason it ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/selfplay.h"
#include "core/position.h"

struct GameRecord {
    std::string startFen;  // empty for the standard starting position
    int firstMoveNumber = 1;
    int firstSide = WHITE;
    std::vector<std::string> moves;  // in standard algebraic notation
    std::vector<std::string> keys;   // each position of the game without its move counters
    PlyOutcome outcome = PlyOutcome::MOVED;
    bool resigned = false;  // finalSide gave the game up
    int finalSide = WHITE;  // the side to move when the game ended, or the side that resigned
};

// What one ply of the game did, as the tool reports it.
struct RecordedPly {
    PlyResult result;
    int mover;  // the side that searched, WHITE or BLACK
    int score;  // the search's score for the mover
    // Moves to mate from the mover's view when the score is a mate score: positive when the
    // mover mates, negative when it is mated; 0 for a material score.
    int mateMoves;
    uint64_t searchCalls;
    double seconds;
};

// Starts the record at the standard starting position.
void startRecordAtInitialPosition(GameRecord& record);

// Starts the record at the FEN position; false with the reason when the FEN is bad.
bool startRecordAtFen(GameRecord& record, const std::string& fen, std::string& error);

// Adds the ply just played from the position before it to the record and says what it did;
// its search calls and time are left 0.
RecordedPly recordPly(GameRecord& record, const Position& before, const PlyResult& result);

// Plays the next ply as the game program's loop does and adds it to the record.
RecordedPly playRecordedPly(GameRecord& record, SearchContext& context);

// Takes the last plies out of the record of a game that goes on.
void takeBackPlies(GameRecord& record, size_t plies);

// Ends the game with the side's resignation.
void resignGame(GameRecord& record, int side);

// Tells whether the game has ended.
bool gameEnded(const GameRecord& record);

// Returns the result in PGN form: "1-0", "0-1", "1/2-1/2", or "*" while the game goes on.
const char* resultText(const GameRecord& record);

// Says why the game ended, e.g. "White wins by checkmate" or "Black resigns".
const char* reasonText(const GameRecord& record);

// Splits the moves from index first on into words with move numbers: "12.", "Nf3", "Nc6";
// a move of Black's that opens the list gets "12...".
std::vector<std::string> numberedMoveWords(const GameRecord& record, size_t first);
