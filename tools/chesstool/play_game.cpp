#include "tools/chesstool/play_game.h"

#include "core/material.h"
#include "tools/chesstool/pgn_writer.h"
#include "tools/chesstool/screen.h"

namespace {

constexpr const char* EVENT_NAME = "Game against the engine";
constexpr const char* DEAD_POSITION_ALERT = "DRAW!";

// Prints lines as plain text; a block (a position) stands between empty lines.
void printPlain(Game& game, const std::vector<std::string>& lines, bool block) {
    if (block && !game.blankPrinted) writeText("\n");
    printLines(lines);
    if (block) writeText("\n");
    game.blankPrinted = block;
}

// Returns what the panel says about the last ply, the game's closing line and the clocks
// included.
PanelPly panelOf(const Game& game) {
    PanelPly panel = game.plies.empty() ? PanelPly{} : game.plies.back().panel;
    panel.clock = clockLine(game.clock);
    // The game's own closing words stand where a check is announced.
    if (game.record.outcome != PlyOutcome::MOVED) {
        panel.alert = outcomeMessage(game.record.outcome);
    } else if (game.record.personEnding == PersonEnding::DEAD_POSITION) {
        panel.alert = DEAD_POSITION_ALERT;
    }
    return panel;
}

}  // namespace

void redraw(const Game& game, const std::string& prompt, const std::string& typed) {
    std::vector<std::string> lines = positionLines(game.view, game.record, panelOf(game));
    lines.push_back("");
    for (const std::string& line : wrapToTerminal(game.message)) lines.push_back(line);
    lines.push_back(prompt + typed);
    redrawLines(lines);
}

void say(Game& game, const std::string& message) {
    game.message = message;
    if (!game.drawn) printPlain(game, {message}, false);
}

void showPosition(Game& game) {
    if (!game.drawn) {
        printPlain(game, positionLines(game.view, game.record, panelOf(game)), true);
    }
}

void saveRecord(Game& game) {
    if (game.options.pgnPath.empty() || !game.saving) return;
    const bool black = game.options.personSide == BLACK;
    const PgnNames names = {EVENT_NAME, black ? engineName(game.options) : PLAYER_NAME,
                            black ? PLAYER_NAME : engineName(game.options)};
    std::string error;
    if (saveRecordFile(game.recordFile, pgnText(game.record, names), error)) return;
    game.saveFailed = true;
    say(game, "Could not write '" + game.options.pgnPath + "': " + error);
}

void playAndRecord(Game& game, Move move, const EngineChoice* choice) {
    const Position before = pos;
    const PlyResult result = playChosenMove(move, choice != nullptr ? choice->score : 0);
    const RecordedPly ply = recordPly(game.record, before, result);
    if (move != NO_MOVE) {
        PanelPly panel{before.side, "", "", result.givesCheck ? CHECK_MESSAGE : "", ""};
        if (choice != nullptr) {
            panel.score = std::string("Score for ") + sideName(before.side) + ": " +
                          scoreText(ply.score, ply.mateMoves);
            panel.search = choice->search;
        }
        game.plies.push_back({before, move, panel});
        game.view.lastMove = move;
        if (game.clock.timed) game.record.clockAfter.push_back(timeLeft(game.clock, before.side));
    }
    if (!gameEnded(game.record) && neitherSideCanMate()) {
        endPersonGame(game.record, PersonEnding::DEAD_POSITION, pos.side);
    }
    if (!game.saving) return;
    game.message.clear();
    saveRecord(game);
    if (move != NO_MOVE) showPosition(game);
}
