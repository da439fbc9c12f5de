#include "tools/chesstool/game_record.h"

#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "search/score.h"
#include "search/search.h"
#include "tools/chesstool/cli.h"

namespace {

// Names the position without its move counters, for comparing positions.
std::string positionText() {
    const std::string fen = writeFen();
    return fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1));
}

// Tells whether the final position, not only its hash, occurred three times in the game.
bool finalPositionRepeated(const std::vector<std::string>& keys) {
    int count = 0;
    for (const std::string& key : keys) count += key == keys.back();
    return count >= REPETITION_LIMIT;
}

// Names the SAN of the move just played, from the position before it.
std::string sanOfPlayedMove(const Position& before, Move move) {
    const Position after = pos;
    pos = before;
    std::string san = sanName(move);
    pos = after;
    return san;
}

}  // namespace

void startRecordAtInitialPosition(GameRecord& record) {
    setupInitialPosition();
    record.firstSide = pos.side;
    record.keys = {positionText()};
}

bool startRecordAtFen(GameRecord& record, const std::string& fen, std::string& error) {
    if (!readFen(fen, error, &record.firstMoveNumber)) return false;
    record.startFen = writeFen(record.firstMoveNumber);
    record.firstSide = pos.side;
    record.keys = {positionText()};
    return true;
}

RecordedPly recordPly(GameRecord& record, const Position& before, const PlyResult& result) {
    RecordedPly ply{};
    ply.result = result;
    ply.mover = before.side;
    ply.score = result.score;
    ply.mateMoves = mateMovesOf(result.score, before.historyCount);
    if (result.move != NO_MOVE) {
        record.moves.push_back(sanOfPlayedMove(before, result.move));
        record.keys.push_back(positionText());
    }
    if (result.outcome != PlyOutcome::MOVED) {
        record.outcome = result.outcome;
        record.finalSide = pos.side;
    }
    return ply;
}

RecordedPly playRecordedPly(GameRecord& record, SearchContext& context) {
    const Position before = pos;
    const uint64_t callsBefore = context.calls;
    const Clock::time_point start = Clock::now();
    const PlyResult result = playPly(context);
    RecordedPly ply = recordPly(record, before, result);
    ply.seconds = secondsSince(start);
    ply.searchCalls = context.calls - callsBefore;
    return ply;
}

void takeBackPlies(GameRecord& record, size_t plies) {
    record.moves.resize(record.moves.size() - plies);
    record.keys.resize(record.keys.size() - plies);
    if (!record.clockAfter.empty()) record.clockAfter.resize(record.moves.size());
}

void endPersonGame(GameRecord& record, PersonEnding ending, int side) {
    record.personEnding = ending;
    record.finalSide = side;
}

bool gameEnded(const GameRecord& record) {
    return record.outcome != PlyOutcome::MOVED || record.personEnding != PersonEnding::NONE;
}

const char* resultText(const GameRecord& record) {
    if (!gameEnded(record)) return "*";
    const bool lost =
        record.personEnding == PersonEnding::RESIGNATION ||
        record.personEnding == PersonEnding::TIME_FORFEIT ||
        (record.personEnding == PersonEnding::NONE && record.outcome == PlyOutcome::CHECKMATE);
    if (!lost) return "1/2-1/2";
    return record.finalSide == WHITE ? "0-1" : "1-0";
}

const char* reasonText(const GameRecord& record) {
    const bool white = record.finalSide == WHITE;
    switch (record.personEnding) {
        case PersonEnding::RESIGNATION:
            return white ? "White resigns" : "Black resigns";
        case PersonEnding::TIME_FORFEIT:
            return white ? "Black wins on time" : "White wins on time";
        case PersonEnding::DEAD_POSITION:
            return "Draw: neither side can mate";
        case PersonEnding::NONE:
            break;
    }
    switch (record.outcome) {
        case PlyOutcome::CHECKMATE:
            return record.finalSide == WHITE ? "Black wins by checkmate"
                                             : "White wins by checkmate";
        case PlyOutcome::STALEMATE:
            return "Draw by stalemate";
        case PlyOutcome::FIFTY_MOVE_DRAW:
            return "Draw by the fifty-move rule";
        case PlyOutcome::REPETITION_DRAW:
            // The game compares 32-bit position hashes, which different positions can share.
            return finalPositionRepeated(record.keys)
                       ? "Draw by threefold repetition"
                       : "Draw by threefold repetition of the position hash";
        case PlyOutcome::MOVED:
            break;
    }
    return "Game unfinished";
}

std::vector<std::string> numberedMoveWords(const GameRecord& record, size_t first) {
    std::vector<std::string> words;
    const size_t plyOffset = record.firstSide == BLACK ? 1 : 0;
    for (size_t k = first; k < record.moves.size(); ++k) {
        const size_t ply = k + plyOffset;  // counted from White's move of the first move number
        const bool white = ply % 2 == 0;
        const std::string number = std::to_string(record.firstMoveNumber + ply / 2);
        if (white) words.push_back(number + ".");
        if (!white && k == first) words.push_back(number + "...");
        words.push_back(record.moves[k]);
    }
    return words;
}
