#include "tools/chesstool/play_command.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/notation.h"
#include "core/rules.h"
#include "core/text.h"
#include "search/fastsearch.h"
#include "search/iterate.h"
#include "search/score.h"
#include "search/timeman.h"
#include "tools/chesstool/board_view.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"
#include "tools/chesstool/pgn_writer.h"
#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* PLAY_HELP =
    "Plays a game between you and the engine on the view of watch, drawn from your side.\n"
    "Type a move in standard algebraic notation (Nf3, exd5, O-O, O-O-O, e8=Q; x, + and #\n"
    "may be left out) or in coordinates (g1f3, e7e8q), or a command: undo takes back your\n"
    "last move and the engine's answer, hint shows the engine's choice for you, flip turns\n"
    "the board, resign gives the game up, help lists all this, quit leaves (so do Ctrl-C\n"
    "and the end of the input). The engine searches as the game program does, 6 plies\n"
    "deep unless --depth says otherwise, or deepens for --movetime milliseconds; keys\n"
    "typed while it thinks are read after it answers. The game ends by the game program's\n"
    "rules. --black plays Black, --fen starts from a position, --pieces draws chess\n"
    "symbols. --pgn FILE writes the game as PGN to FILE after every move, after the games\n"
    "the file already holds. Without a terminal, one move or command is read a line and\n"
    "each position is printed as plain text.\n";

constexpr const char* HELP_LINE =
    "Moves: Nf3, exd5, O-O, e8=Q or g1f3. Commands: undo hint flip resign help quit";
constexpr const char* PLAYER_NAME = "Player";
constexpr const char* ENGINE_NAME = "selfplay_chess";
constexpr const char* EVENT_NAME = "Game against the engine";
constexpr int MAX_MOVE_TIME = 3600000;  // milliseconds
constexpr size_t MAX_LINE_LENGTH = 60;
constexpr size_t READ_CHUNK = 4096;
constexpr size_t SEARCH_LINE_SIZE = 80;

constexpr int KEY_INTERRUPT = 3;     // Ctrl-C, read as a key
constexpr int KEY_END_OF_INPUT = 4;  // Ctrl-D
constexpr int KEY_BACKSPACE = 127;
constexpr int KEY_ERASE = 8;     // Ctrl-H
constexpr int KEY_SUSPEND = 26;  // Ctrl-Z
constexpr int KEY_ENTER = '\n';
constexpr int KEY_RETURN = '\r';
constexpr char FIRST_TYPED = ' ';
constexpr char LAST_TYPED = '~';
constexpr const char* BLANKS = " \t\r";

struct PlayOptions {
    int personSide = WHITE;
    std::string fen;  // empty for the standard starting position
    int depth = ROOT_DEPTH;
    int moveTime = 0;  // milliseconds to deepen for; 0 to search to the depth
    bool pieces = false;
    std::string pgnPath;  // empty for no record file
};

// What the engine's search chose, for its move or a hint.
struct EngineChoice {
    Move move;
    int score;
    int depth;
    std::string search;  // "Search: depth 6, 3837 calls, 0.01 s"
};

// One ply of the game: the position before it, the move and what the panel says about it.
struct PlayedPly {
    Position before;
    Move move;
    PanelPly panel;
};

struct Game {
    PlayOptions options;
    BoardView view;
    bool drawn = false;        // the view redrawn in place on a terminal; otherwise plain text
    bool echoInput = false;    // plain text from a pipe: lines read are written back
    bool blankPrinted = true;  // plain text: the last line printed is empty
    bool saveFailed = false;
    GameRecord record;
    std::vector<PlayedPly> plies;
    std::string message;    // the line under the view
    std::string keptGames;  // what the record file held before this game
    SearchWithTable search;
};

// Reads a number option's value into value; returns EXIT_OK or the status of the error.
int readNumber(int argc, char** argv, int& i, int most, int& value) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return reportUsageError("play", option + " needs a value");
    if (parseWholeNumber(argv[++i], 1, most, value)) return EXIT_OK;
    if (option == "--depth") return reportUsageError("play", depthError(argv[i], most));
    return reportUsageError("play", option + " needs milliseconds from 1 to " +
                                        std::to_string(most) + ", not " + quotedWord(argv[i]));
}

// Reads the arguments into options; returns EXIT_OK or the status of the error reported.
int parsePlayArguments(int argc, char** argv, PlayOptions& options) {
    bool depthGiven = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        int status = EXIT_OK;
        if (arg == "--black") {
            options.personSide = BLACK;
        } else if (arg == "--pieces") {
            options.pieces = true;
        } else if (arg == "--depth") {
            status = readNumber(argc, argv, i, FAST_SEARCH_MAX_DEPTH, options.depth);
            depthGiven = true;
        } else if (arg == "--movetime") {
            status = readNumber(argc, argv, i, MAX_MOVE_TIME, options.moveTime);
        } else if (arg == "--pgn") {
            if (i + 1 >= argc) return reportUsageError("play", "--pgn needs a file name");
            options.pgnPath = argv[++i];
        } else if (arg == "--fen") {
            // The FEN may come quoted or as separate fields, up to the next option.
            int last = i + 1;
            while (last < argc && !isOption(argv[last])) ++last;
            if (last == i + 1) return reportUsageError("play", "--fen needs a FEN record");
            options.fen = joinArguments(last, argv, i + 1);
            i = last - 1;
        } else {
            return reportUsageError("play", unknownArgument(arg, PLAY_USAGE));
        }
        if (status != EXIT_OK) return status;
    }
    if (depthGiven && options.moveTime > 0) {
        return reportUsageError("play", "--depth and --movetime exclude each other");
    }
    return EXIT_OK;
}

// Names the engine as the record does: its name and how it searches.
std::string engineName(const PlayOptions& options) {
    if (options.moveTime > 0) {
        return std::string(ENGINE_NAME) + " movetime " + std::to_string(options.moveTime) + " ms";
    }
    return std::string(ENGINE_NAME) + " depth " + std::to_string(options.depth);
}

// Describes how the engine searches while it does.
std::string thinkingLine(const PlayOptions& options) {
    if (options.moveTime > 0) {
        return "Thinking for " + std::to_string(options.moveTime) + " ms...";
    }
    return "Thinking, depth " + std::to_string(options.depth) + "...";
}

// Prints lines as plain text; a block (a position) stands between empty lines.
void printPlain(Game& game, const std::vector<std::string>& lines, bool block) {
    if (block && !game.blankPrinted) writeText("\n");
    printLines(lines);
    if (block) writeText("\n");
    game.blankPrinted = block;
}

// Returns what the panel says about the last ply, the game's closing line included.
PanelPly panelOf(const Game& game) {
    if (game.plies.empty()) return {};
    PanelPly panel = game.plies.back().panel;
    // The game's own closing words stand where a check is announced.
    if (gameEnded(game.record) && !game.record.resigned) {
        panel.alert = outcomeMessage(game.record.outcome);
    }
    return panel;
}

// Redraws the view on a terminal with the message and the prompt, followed by what has
// been typed.
void redraw(const Game& game, const std::string& prompt, const std::string& typed = "") {
    std::vector<std::string> lines = positionLines(game.view, game.record, panelOf(game));
    lines.push_back("");
    lines.push_back(game.message);
    lines.push_back(prompt + typed);
    redrawLines(lines);
}

// Shows the message: under the view on a terminal, as a line of its own otherwise.
void say(Game& game, const std::string& message) {
    game.message = message;
    if (!game.drawn) printPlain(game, {message}, false);
}

// Shows the position just reached; on a terminal it is drawn with the next prompt.
void showPosition(Game& game) {
    if (!game.drawn) {
        printPlain(game, positionLines(game.view, game.record, panelOf(game)), true);
    }
}

// Writes the games the file held and this one, anew, to the record file.
void saveRecord(Game& game) {
    if (game.options.pgnPath.empty()) return;
    const bool black = game.options.personSide == BLACK;
    const PgnNames names = {EVENT_NAME, black ? engineName(game.options) : PLAYER_NAME,
                            black ? PLAYER_NAME : engineName(game.options)};
    std::string error;
    if (replaceFile(game.options.pgnPath, game.keptGames + pgnText(game.record, names), error)) {
        return;
    }
    game.saveFailed = true;
    say(game, "Could not write '" + game.options.pgnPath + "': " + error);
}

// Reads what the record file holds, so the game goes after it, and makes sure the file can
// be written; false with the reason when it cannot.
bool keepRecordFile(Game& game, std::string& error) {
    std::FILE* file = std::fopen(game.options.pgnPath.c_str(), "rb");
    if (file == nullptr && errno != ENOENT) {
        error = std::strerror(errno);
        return false;
    }
    std::string& kept = game.keptGames;
    char buffer[READ_CHUNK];
    for (size_t read; file != nullptr && (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        kept.append(buffer, read);
    }
    if (file != nullptr) std::fclose(file);
    // The games of an export file are parted by an empty line.
    if (!kept.empty() && kept.back() != '\n') kept += '\n';
    if (kept.size() >= 2 && kept.compare(kept.size() - 2, 2, "\n\n") != 0) kept += '\n';
    return replaceFile(game.options.pgnPath, kept, error);
}

// Searches the current position as the engine does: to the depth, as the game program, or
// deepening until the move time is up. Leaves the position as it was.
EngineChoice searchAsEngine(Game& game) {
    const Position start = pos;
    SearchContext& context = game.search.context;
    const uint64_t callsBefore = context.calls;
    const Clock::time_point begin = Clock::now();
    EngineChoice choice{NO_MOVE, 0, game.options.depth, ""};
    if (game.options.moveTime == 0) {
        choice.score = fastSearch(context, game.options.depth);
        choice.move = bestMove;
    } else {
        DeepeningPlan plan{FAST_SEARCH_MAX_DEPTH, NO_CALL_LIMIT, {}};
        generateLegalMoves(plan.rootMoves);
        MoveClock clock;
        clock.moveTime = game.options.moveTime;
        const TimeBudget budget = planMoveTime(clock);
        if (plan.rootMoves.count > 0) {
            // The deepening lifts the deadline when it ends.
            context.limits.deadline =
                clockTicks(SearchClock::now() + std::chrono::milliseconds(budget.hard));
            const Iteration it = deepen(context, plan, [](const Iteration&) { return true; });
            choice = {it.pv[0], it.score, it.depth, ""};
        }
    }
    pos = start;
    char search[SEARCH_LINE_SIZE];
    std::snprintf(search, sizeof search, "Search: depth %d, %llu calls, %.2f s", choice.depth,
                  static_cast<unsigned long long>(context.calls - callsBefore),
                  secondsSince(begin));
    choice.search = search;
    return choice;
}

// Plays the move chosen for the side to move (NO_MOVE when it has none), judged as the game
// program judges its own, and records it; the panel then tells what the search said.
void playAndRecord(Game& game, Move move, const EngineChoice* choice) {
    const Position before = pos;
    const PlyResult result = playChosenMove(move, choice != nullptr ? choice->score : 0);
    const RecordedPly ply = recordPly(game.record, before, result);
    if (move != NO_MOVE) {
        PanelPly panel{before.side, "", "", result.givesCheck ? CHECK_MESSAGE : ""};
        if (choice != nullptr) {
            panel.score = std::string("Score for ") + sideName(before.side) + ": " +
                          scoreText(ply.score, ply.mateMoves);
            panel.search = choice->search;
        }
        game.plies.push_back({before, move, panel});
        game.view.lastMove = move;
    }
    game.message.clear();
    saveRecord(game);
    if (move != NO_MOVE) showPosition(game);
}

// Lets the engine think and play its answer; the view says so meanwhile.
void answerAsEngine(Game& game) {
    if (game.drawn) {
        game.message = thinkingLine(game.options);
        redraw(game, "");
    }
    const EngineChoice choice = searchAsEngine(game);
    playAndRecord(game, choice.move, &choice);
}

// Reads a line typed on the terminal, echoing it after the prompt; false when the person
// leaves with Ctrl-C, or with Ctrl-D or the end of input on an empty line.
bool readTypedLine(const Game& game, const std::string& prompt, std::string& line) {
    line.clear();
    for (;;) {
        const int key = readKey(-1);
        if (key == NO_KEY || key == KEY_INTERRUPT || (key == KEY_END_OF_INPUT && line.empty())) {
            return false;
        }
        if (key == KEY_ENTER || key == KEY_RETURN) return true;
        if (key == KEY_SUSPEND) {
            std::raise(SIGTSTP);  // the terminal is given back until the shell resumes us
            redraw(game, prompt, line);
        } else if ((key == KEY_BACKSPACE || key == KEY_ERASE) && !line.empty()) {
            line.pop_back();
            writeText("\b \b");
        } else if (key >= FIRST_TYPED && key <= LAST_TYPED && line.size() < MAX_LINE_LENGTH) {
            line += static_cast<char>(key);
            writeText(line.substr(line.size() - 1));
        }
    }
}

// Shows the prompt and reads the person's line; false when the person leaves.
bool readLine(Game& game, const std::string& prompt, std::string& line) {
    if (game.drawn) {
        redraw(game, prompt);
        return readTypedLine(game, prompt, line);
    }
    writeText(prompt);
    game.blankPrinted = false;
    if (!std::getline(std::cin, line)) {
        writeText("\n");
        return false;
    }
    if (game.echoInput) writeText(line + "\n");
    // Spaces around the words, and the carriage return of a line typed elsewhere, go.
    const size_t first = line.find_first_not_of(BLANKS);
    line = first == std::string::npos
               ? ""
               : line.substr(first, line.find_last_not_of(BLANKS) + 1 - first);
    return true;
}

// Joins the candidates' names: "Nce4, Nge4 or Nf2".
std::string candidateNames(const MoveList& candidates) {
    std::string names;
    for (int k = 0; k < candidates.count; ++k) {
        if (k > 0) names += k + 1 == candidates.count ? " or " : ", ";
        names += sanName(candidates.moves[k]);
    }
    return names;
}

// Plays the person's move, or says in one line why the text is no move to play.
void playTypedMove(Game& game, const std::string& text) {
    const MoveReading reading = readMove(text);
    const std::string quoted = quotedWord(text);
    switch (reading.verdict) {
        case MoveVerdict::LEGAL:
            return playAndRecord(game, reading.move, nullptr);
        case MoveVerdict::AMBIGUOUS:
            return say(game, "Ambiguous move " + quoted + ": it could be " +
                                 candidateNames(reading.candidates));
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
void takeBack(Game& game) {
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
    const EngineChoice choice = searchAsEngine(game);
    say(game, "Hint: " + sanName(choice.move) + " (score " +
                  scoreText(choice.score, mateMovesOf(choice.score, pos.historyCount)) +
                  ", depth " + std::to_string(choice.depth) + ")");
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
        takeBack(game);
    } else if (line == "hint") {
        showHint(game);
    } else if (line == "resign") {
        resignGame(game.record, game.options.personSide);
        saveRecord(game);
    } else if (!line.empty()) {
        playTypedMove(game, line);
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
        std::string line;
        if (!readLine(game, prompt, line) || !obey(game, line)) return false;
    }
    return true;
}

// Shows the result; on a terminal waits for Enter (or Ctrl-C, or the end of input).
void showResult(Game& game) {
    // Mate and stalemate come without a move: plain text writes the game's line for them.
    const PlyOutcome outcome = game.record.outcome;
    if (!game.drawn && (outcome == PlyOutcome::CHECKMATE || outcome == PlyOutcome::STALEMATE)) {
        say(game, outcomeMessage(outcome));
    }
    say(game, resultLine(game.view, game.record));
    if (!game.drawn) return;
    redraw(game, "Press Enter to leave.");
    for (int key = 0; key != NO_KEY && key != KEY_ENTER && key != KEY_RETURN &&
                      key != KEY_INTERRUPT && key != KEY_END_OF_INPUT;) {
        key = readKey(-1);
    }
}

// Sets up the game from the options; returns EXIT_OK or the status of the error reported.
int setUpGame(Game& game) {
    if (!setUpSearch(game.search)) return reportNoTableMemory("play");
    std::string error;
    if (game.options.fen.empty()) {
        startRecordAtInitialPosition(game.record);
    } else if (!startRecordAtFen(game.record, game.options.fen, error)) {
        return reportUsageError("play", "bad FEN: " + error);
    }
    if (!game.options.pgnPath.empty() && !keepRecordFile(game, error)) {
        return reportUsageError("play",
                                "cannot write " + quotedWord(game.options.pgnPath) + ": " + error);
    }
    game.view.pieces = game.options.pieces;
    game.view.flipped = game.options.personSide == BLACK;
    game.drawn =
        isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0 && !terminalTooSmall("play");
    game.view.colour = game.drawn && !noColourAsked();
    game.echoInput = isatty(STDIN_FILENO) == 0;
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
