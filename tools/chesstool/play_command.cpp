#include "tools/chesstool/play_command.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/notation.h"
#include "core/pieces.h"
#include "core/rules.h"
#include "core/text.h"
#include "search/engine.h"
#include "search/score.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/line_editor.h"
#include "tools/chesstool/play_game.h"
#include "tools/chesstool/play_resume.h"
#include "tools/chesstool/screen.h"
#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* PLAY_HELP =
    "Plays a game between you and the engine on the view of watch, drawn from your side.\n"
    "Type a move in standard algebraic notation (Nf3, exd5, O-O, 0-0, e8=Q; x, + and # may\n"
    "be left out; nf3 and bc4 in small letters where no pawn move reads the same), in long\n"
    "algebraic (Ng1-f3, e2e4) or in coordinates (g1f3, e7e8q), or a command: undo takes\n"
    "back your last move and the engine's answer, hint shows the engine's choice for you,\n"
    "moves lists the whole game, legal lists your legal moves (legal e2: those of one\n"
    "square), flip turns the board, resign gives the game up, help lists all this, quit\n"
    "leaves (so do Ctrl-C and the end of the input). Ctrl-U clears the line, Ctrl-W erases\n"
    "a word; Enter alone clears the last message.\n"
    "The engine searches as the game program does, 6 plies deep unless --depth says\n"
    "otherwise, or deepens for --movetime milliseconds, or plays at --level 1 to 10:\n"
    "levels 1 to 6 search that deep, 7 to 10 take 0.5, 1, 2 or 5 s a move. --clock\n"
    "MINUTES+INCREMENT plays a timed game (5+3: five minutes each, three seconds more\n"
    "after each move); the engine plans its time as the UCI engine does, and a side whose\n"
    "time runs out loses. Keys typed while it thinks are read after it answers. The game\n"
    "ends by the game program's rules, and as a draw when neither side can mate.\n"
    "--black plays Black, --fen starts from a position, --load FILE from the last\n"
    "position of the last game in FILE, --pieces draws chess symbols. --pgn FILE writes\n"
    "the game as PGN to FILE after every move, after the games the file already holds;\n"
    "when its last game is unfinished, play offers to go on with it (--resume does so\n"
    "without asking). Without a terminal, one move or command is read a line and each\n"
    "position is printed as plain text.\n";

constexpr const char* HELP_LINE =
    "Moves: Nf3, exd5, O-O, e8=Q or g1f3. Commands: undo hint moves legal flip resign help "
    "quit";
constexpr size_t SEARCH_LINE_SIZE = 80;
constexpr const char* BLANKS = " \t\r";
constexpr double CLOCK_TICK = 0.1;  // seconds between redraws of a running clock

// Searches the current position as the engine does; the position is left as it was.
EngineChoice searchAsEngine(Game& game, int side) {
    const Clock::time_point begin = Clock::now();
    const SearchAnswer answer =
        searchForMove(game.search.context, engineRequest(game.options, game.clock, side));
    char search[SEARCH_LINE_SIZE];
    std::snprintf(search, sizeof search, "Search: depth %d, %llu calls, %.2f s", answer.depth,
                  static_cast<unsigned long long>(answer.calls), secondsSince(begin));
    return {answer.move, answer.score, answer.depth, search};
}

// Ends the game when the side's flag has fallen; true when it has.
bool flagFell(Game& game, int side) {
    if (!game.clock.timed || timeLeft(game.clock, side) > 0) return false;
    stopClock(game.clock, false);
    game.clock.left[sideIndex(side)] = 0;
    endPersonGame(game.record, PersonEnding::TIME_FORFEIT, side);
    saveRecord(game);
    return true;
}

// Lets the engine think and play its answer on its clock; the view says so meanwhile.
void answerAsEngine(Game& game) {
    const int side = pos.side;
    startClock(game.clock, side);
    if (game.drawn) {
        game.message = thinkingLine(game.options);
        redraw(game, "");
    }
    const EngineChoice choice = searchAsEngine(game, side);
    if (flagFell(game, side)) return;
    stopClock(game.clock, choice.move != NO_MOVE);
    playAndRecord(game, choice.move, &choice);
    if (!game.note.empty()) say(game, game.note);
    game.note.clear();
}

// Shows the prompt and reads the person's line while the person's clock runs; false when
// the person leaves or the flag falls.
bool readLine(Game& game, const std::string& prompt, std::string& line) {
    const int side = pos.side;
    if (game.drawn) {
        redraw(game, prompt);
        const auto redrawTyped = [&](const std::string& typed) { redraw(game, prompt, typed); };
        const auto tick = [&](const std::string& typed) {
            if (flagFell(game, side)) return false;
            if (game.clock.timed) redrawTyped(typed);
            return true;
        };
        return editLine(line, redrawTyped, tick, game.clock.timed ? CLOCK_TICK : -1);
    }
    writeText(prompt);
    game.blankPrinted = false;
    if (!std::getline(std::cin, line)) {
        writeText("\n");
        return false;
    }
    if (game.echoInput) writeText(line + "\n");
    if (flagFell(game, side)) return false;
    // Spaces around the words, and the carriage return of a line typed elsewhere, go.
    const size_t first = line.find_first_not_of(BLANKS);
    line = first == std::string::npos
               ? ""
               : line.substr(first, line.find_last_not_of(BLANKS) + 1 - first);
    return true;
}

// Joins the moves' names: "Nce4, Nge4 or Nf2", or with spaces alone.
std::string moveNames(const MoveList& moves, bool asChoice) {
    std::string names;
    for (int k = 0; k < moves.count; ++k) {
        if (k > 0) names += !asChoice ? " " : k + 1 == moves.count ? " or " : ", ";
        names += sanName(moves.moves[k]);
    }
    return names;
}

// Plays the person's move, or says in one line why the text is no move to play.
void playTypedMove(Game& game, const std::string& text) {
    const MoveReading reading = readMove(text);
    const std::string quoted = quotedWord(text);
    switch (reading.verdict) {
        case MoveVerdict::LEGAL:
            if (reading.bishopFromSmallB) {
                game.note =
                    "Read " + quoted + " as " + sanName(reading.move) + ": no b-pawn can go there";
            }
            stopClock(game.clock, true);
            return playAndRecord(game, reading.move, nullptr);
        case MoveVerdict::AMBIGUOUS:
            return say(game, "Ambiguous move " + quoted + ": it could be " +
                                 moveNames(reading.candidates, true));
        case MoveVerdict::SELF_CHECK:
            return say(game, "Illegal move " + quoted + ": it would leave your king in check");
        case MoveVerdict::ILLEGAL:
            return say(game, "Illegal move " + quoted + ": no legal move of yours fits it");
        case MoveVerdict::UNREADABLE:
            break;
    }
    say(game, "Unreadable move " + quoted + ": write Nf3, exd5, O-O, e8=Q or g1f3 (see help)");
}

// Takes back the person's last move and what the engine played after it.
void takeBackMoves(Game& game) {
    size_t keep = game.plies.size();
    while (keep > 0 && game.plies[keep - 1].before.side != game.options.personSide) --keep;
    if (keep == 0) return say(game, "Nothing to take back.");
    const std::vector<std::string> moves(game.record.moves.begin() + (keep - 1),
                                         game.record.moves.end());
    pos = game.plies[keep - 1].before;
    game.plies.resize(keep - 1);
    takeBackPlies(game.record, moves.size());
    game.view.lastMove = game.plies.empty() ? NO_MOVE : game.plies.back().move;
    saveRecord(game);
    showPosition(game);
    say(game, "Took back " + moves[0] + (moves.size() > 1 ? " and " + moves[1] : ""));
}

// Shows the engine's choice for the person without playing it.
void showHint(Game& game) {
    if (game.drawn) {
        game.message = thinkingLine(game.options);
        redraw(game, "");
    }
    const EngineChoice choice = searchAsEngine(game, pos.side);
    say(game, "Hint: " + sanName(choice.move) + " (score " +
                  scoreText(choice.score, mateMovesOf(choice.score, pos.historyCount)) +
                  ", depth " + std::to_string(choice.depth) + ")");
}

// Lists the whole game so far.
void showMoves(Game& game) {
    std::string text;
    for (const std::string& word : numberedMoveWords(game.record, 0)) {
        text += (text.empty() ? "" : " ") + word;
    }
    say(game, text.empty() ? "No moves yet." : "Moves: " + text);
}

// Lists the person's legal moves, all of them or those from one square.
void showLegalMoves(Game& game, const std::string& square) {
    MoveList legal;
    generateLegalMoves(legal);
    const int from = square.empty() ? NO_SQUARE : parseSquare(square);
    if (!square.empty() && from == NO_SQUARE) {
        return say(game, "Unreadable square " + quotedWord(square) + ": write e2 (see help)");
    }
    MoveList shown{};
    for (int k = 0; k < legal.count; ++k) {
        if (from == NO_SQUARE || moveFrom(legal.moves[k]) == from) {
            shown.moves[shown.count++] = legal.moves[k];
        }
    }
    const std::string what = square.empty() ? "Legal moves" : "Legal moves from " + square;
    if (shown.count == 0) return say(game, "No legal move from " + square + ".");
    say(game, what + " (" + std::to_string(shown.count) + "): " + moveNames(shown, false));
}

// Carries out a command or plays a move; false when the person leaves.
bool obey(Game& game, const std::string& line) {
    if (line == "quit") return false;
    if (line == "help") {
        say(game, HELP_LINE);
    } else if (line == "flip") {
        game.view.flipped = !game.view.flipped;
        game.message.clear();
        showPosition(game);
    } else if (line == "undo") {
        takeBackMoves(game);
    } else if (line == "hint") {
        showHint(game);
    } else if (line == "moves") {
        showMoves(game);
    } else if (line == "legal" || line.rfind("legal ", 0) == 0) {
        showLegalMoves(game, line.size() > 6 ? line.substr(6) : "");
    } else if (line == "resign") {
        endPersonGame(game.record, PersonEnding::RESIGNATION, game.options.personSide);
        saveRecord(game);
    } else if (!line.empty()) {
        playTypedMove(game, line);
    } else {
        game.message.clear();
    }
    return true;
}

// Plays until the game ends (true) or the person leaves (false).
bool playGame(Game& game) {
    const std::string prompt =
        std::string("Your move as ") + sideName(game.options.personSide) + ": ";
    while (!gameEnded(game.record)) {
        if (pos.side != game.options.personSide) {
            answerAsEngine(game);
            continue;
        }
        MoveList legal;
        generateLegalMoves(legal);
        if (legal.count == 0) {
            playAndRecord(game, NO_MOVE, nullptr);
            break;
        }
        startClock(game.clock, pos.side);
        std::string line;
        if (!readLine(game, prompt, line)) {
            if (gameEnded(game.record)) break;  // the flag fell
            return false;
        }
        if (!obey(game, line)) return false;
    }
    return true;
}

// Shows the result; on a terminal waits for Enter (or Ctrl-C, or the end of input).
void showResult(Game& game) {
    stopClock(game.clock, false);
    // Mate and stalemate come without a move: plain text writes the game's line for them.
    const PlyOutcome outcome = game.record.outcome;
    if (!game.drawn && (outcome == PlyOutcome::CHECKMATE || outcome == PlyOutcome::STALEMATE)) {
        say(game, outcomeMessage(outcome));
    }
    say(game, resultLine(game.view, game.record));
    if (!game.drawn) return;
    redraw(game, "Press Enter to leave.");
    for (int key = 0;
         key != NO_KEY && !isEnterKey(key) && key != KEY_INTERRUPT && key != KEY_END_OF_INPUT;) {
        key = readKey(-1);
    }
}

// Sets up the game from the options; returns EXIT_OK or the status of the error reported.
int setUpGame(Game& game) {
    if (!setUpSearch(game.search)) return reportNoTableMemory("play");
    int status = EXIT_OK;
    if (!game.options.loadPath.empty()) {
        status = loadLastPosition(game.options.loadPath, game.options.start);
    }
    if (status == EXIT_OK) status = startGameRecord("play", game.options.start, game.record);
    game.clock = game.options.clock;
    if (game.clock.timed) game.record.timeControl = timeControlTag(game.clock);
    const bool terminal =
        isTerminal(StandardStream::STANDARD_INPUT) && isTerminal(StandardStream::STANDARD_OUTPUT);
    if (status == EXIT_OK && !game.options.pgnPath.empty())
        status = setUpRecordFile(game, terminal);
    if (status != EXIT_OK) return status;
    game.view.pieces = game.options.pieces;
    game.view.flipped = game.options.personSide == BLACK;
    game.drawn = terminal && !terminalTooSmall("play", VIEW_COLUMNS, VIEW_ROWS);
    game.view.colour = game.drawn && !noColourAsked();
    game.view.squareColours = true;
    game.echoInput = !isTerminal(StandardStream::STANDARD_INPUT);
    game.message = HELP_LINE;
    return EXIT_OK;
}

}  // namespace

int runPlayCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", PLAY_USAGE, PLAY_HELP);
        return finishOutput("play");
    }
    Game game;
    int status = parsePlayArguments(argc, argv, game.options);
    if (status == EXIT_OK) status = setUpGame(game);
    if (status != EXIT_OK) return status;
    if (game.drawn) {
        takeTerminal(RESTORE_SCREEN, true, true);
        writeText(CLEAR_SCREEN);
    }
    showPosition(game);
    if (playGame(game)) {
        showResult(game);
    } else {
        say(game, std::string("Left the game unfinished") +
                      (game.options.pgnPath.empty()
                           ? "."
                           : "; the record is in '" + game.options.pgnPath + "'."));
        if (game.drawn) redraw(game, "");
    }
    restoreTerminal();
    status = finishOutput("play");
    return status == EXIT_OK && game.saveFailed ? EXIT_FAILURE_RUNTIME : status;
}
