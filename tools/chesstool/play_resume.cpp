#include "tools/chesstool/play_resume.h"

#include <cstdio>
#include <iostream>

#include "core/fen.h"
#include "core/notation.h"
#include "core/pieces.h"
#include "core/text.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/record_file.h"

namespace {

// Plays the recorded moves on the current position, each as a legal move; false with the
// reason when one is not.
bool playRecordedMoves(const PgnGame& recorded, Game* game, std::string& error) {
    for (size_t k = 0; k < recorded.moves.size(); ++k) {
        const std::string& text = recorded.moves[k];
        const MoveReading reading = readMove(text);
        if (reading.verdict != MoveVerdict::LEGAL) {
            error = "move " + std::to_string(k + 1) + ", " + quotedWord(text) +
                    ", is not a legal move there";
            return false;
        }
        if (game == nullptr) {
            playChosenMove(reading.move, 0);
            continue;
        }
        const int mover = pos.side;
        playAndRecord(*game, reading.move, nullptr);
        if (!recorded.clocks.empty()) {
            game->clock.left[sideIndex(mover)] = recorded.clocks[k];
            game->record.clockAfter.back() = recorded.clocks[k];
        }
    }
    return true;
}

// Sets up the recorded game's start, from its FEN tag or the standard position.
bool startRecorded(const PgnGame& recorded, GameStart& start, std::string& error) {
    start.fromFen = !tagValue(recorded, "FEN").empty();
    start.fen = tagValue(recorded, "FEN");
    if (!start.fromFen) return readFen(START_FEN, error);
    return readFen(start.fen, error);
}

// Asks on the terminal whether to go on with the record file's unfinished last game.
bool askToResume(const Game& game, const PgnGame& recorded) {
    std::printf("The last game in %s is unfinished (%zu moves). Go on with it? [y/n] ",
                quotedWord(game.options.pgnPath).c_str(), recorded.moves.size());
    std::fflush(stdout);
    std::string answer;
    return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
}

}  // namespace

bool findUnfinishedGame(const std::string& text, PgnGame& game) {
    return readLastPgnGame(text, game) && game.result == "*" &&
           (tagValue(game, "White") == PLAYER_NAME || tagValue(game, "Black") == PLAYER_NAME);
}

int resumeGame(Game& game, const PgnGame& recorded) {
    const std::string& path = game.options.pgnPath;
    game.options.personSide = tagValue(recorded, "White") == PLAYER_NAME ? WHITE : BLACK;
    const std::string timeControl = tagValue(recorded, "TimeControl");
    if (!game.options.clock.timed && !timeControl.empty() &&
        !parseTimeControlTag(timeControl, game.options.clock)) {
        return reportUsageError("play", "the last game in " + quotedWord(path) +
                                            " has a bad TimeControl " + quotedWord(timeControl));
    }
    game.clock = game.options.clock;
    game.record = GameRecord{};
    std::string error;
    if (!startRecorded(recorded, game.options.start, error) ||
        startGameRecord("play", game.options.start, game.record) != EXIT_OK) {
        return reportUsageError("play", "the last game in " + quotedWord(path) + ": " + error);
    }
    if (game.clock.timed) game.record.timeControl = timeControlTag(game.clock);
    game.recordFile.keptGames.resize(recorded.begin);
    game.saving = false;
    const bool played = playRecordedMoves(recorded, &game, error);
    game.saving = true;
    if (!played) {
        return reportUsageError("play", "the last game in " + quotedWord(path) + ": " + error);
    }
    return EXIT_OK;
}

int loadLastPosition(const std::string& path, GameStart& start) {
    std::string text;
    std::string error;
    PgnGame recorded;
    if (!readRecordText(path, text, error)) {
        return reportUsageError("play", "cannot read " + quotedWord(path) + ": " + error);
    }
    if (!readLastPgnGame(text, recorded)) {
        return reportUsageError("play", quotedWord(path) + " holds no PGN game");
    }
    if (!startRecorded(recorded, start, error) || !playRecordedMoves(recorded, nullptr, error)) {
        return reportUsageError("play", "the last game in " + quotedWord(path) + ": " + error);
    }
    start.fromFen = true;
    start.fen = writeFen();
    return EXIT_OK;
}

int setUpRecordFile(Game& game, bool terminal) {
    std::string error;
    const std::string& path = game.options.pgnPath;
    if (!openRecordFile(game.recordFile, path, error)) {
        return reportUsageError("play", "cannot write " + quotedWord(path) + ": " + error);
    }
    PgnGame recorded;
    const bool unfinished = findUnfinishedGame(game.recordFile.keptGames, recorded);
    if (game.options.resume && !unfinished) {
        return reportUsageError("play",
                                quotedWord(path) + " holds no unfinished game to go on with");
    }
    const bool resume = unfinished && !game.options.start.fromFen &&
                        game.options.loadPath.empty() &&
                        (game.options.resume || (terminal && askToResume(game, recorded)));
    return resume ? resumeGame(game, recorded) : EXIT_OK;
}
