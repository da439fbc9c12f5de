#include "tools/chesstool/watch_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/render.h"
#include "core/text.h"
#include "tools/chesstool/board_view.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"
#include "tools/chesstool/game_start.h"
#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* WATCH_HELP =
    "Plays the program's own game, move for move as the game program does, and draws it\n"
    "as one board redrawn in place after every ply, rows labelled 8 to 1, with the move\n"
    "in standard algebraic notation, the score for the side that moved, the search calls\n"
    "and time, checks, the last moves and at the end the result and why. --delay sets the\n"
    "pause after each ply (default 0.5 s, 0 allowed); --pieces draws chess symbols instead\n"
    "of letters. On a terminal, space pauses and resumes and q quits. When standard output\n"
    "is not a terminal, each position is printed once as plain text. NO_COLOR turns colour\n"
    "off.\n";

constexpr double DEFAULT_DELAY = 0.5;
constexpr double MAX_DELAY = 3600.0;

constexpr int KEY_QUIT = 'q';
constexpr int KEY_PAUSE = ' ';
constexpr int KEY_ENTER = '\n';
constexpr int KEY_RETURN = '\r';

struct WatchOptions {
    GameStart start;
    double delay = DEFAULT_DELAY;
    bool pieces = false;
};

struct Watch {
    WatchOptions options;
    BoardView view;
    bool drawn = false;  // redrawn in place on a terminal; otherwise plain text
    bool keys = false;   // keys are read from the terminal
    bool paused = false;
    bool leaving = false;  // the keys no longer do anything
    RecordedPly last{};    // the last ply that played a move
    GameRecord record;
    SearchWithTable search;
};

// Reads the arguments into options; returns EXIT_OK or the status of the error reported.
int parseWatchArguments(int argc, char** argv, WatchOptions& options) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--pieces") {
            options.pieces = true;
        } else if (arg == "--delay") {
            if (i + 1 >= argc) return reportUsageError("watch", "--delay needs a value");
            if (!parseDecimal(argv[++i], 0, MAX_DELAY, options.delay)) {
                return reportUsageError("watch", "--delay needs seconds from 0 to " +
                                                     std::to_string(int(MAX_DELAY)) + ", not " +
                                                     quotedWord(argv[i]));
            }
        } else if (arg == "--fen") {
            const int status = readFenOption("watch", argc, argv, i, options.start);
            if (status != EXIT_OK) return status;
        } else {
            return reportUsageError("watch", unknownArgument(arg, WATCH_USAGE));
        }
    }
    return EXIT_OK;
}

// Lays the board and the panel side by side: the last ply, its score and search, and the
// last moves.
std::vector<std::string> positionLines(const Watch& watch) {
    const RecordedPly& ply = watch.last;
    char search[64];
    std::snprintf(search, sizeof search, "Search: %llu calls, %.2f s",
                  static_cast<unsigned long long>(ply.searchCalls), ply.seconds);
    const PanelPly panel = {ply.mover,
                            std::string("Score for ") + sideName(ply.mover) + ": " +
                                scoreText(ply.score, ply.mateMoves),
                            search, ply.result.givesCheck ? CHECK_MESSAGE : "", ""};
    return positionLines(watch.view, watch.record, panel);
}

// Says what the keys do now, or how to leave once the game is over.
std::string keyLine(const Watch& watch) {
    if (!watch.keys || watch.leaving) return "";
    if (gameEnded(watch.record)) return "Press q or Enter to leave.";
    return watch.paused ? "Paused: space resumes, q quits." : "Space pauses, q quits.";
}

// Redraws the whole view in place.
void redraw(const Watch& watch) {
    std::vector<std::string> lines = positionLines(watch);
    lines.push_back("");
    const std::string result = gameEnded(watch.record) ? resultLine(watch.view, watch.record) : "";
    for (const std::string& line : wrapToTerminal(result)) lines.push_back(line);
    lines.push_back(keyLine(watch));
    redrawLines(lines);
}

// Shows the position just reached: redrawn on a terminal, printed once otherwise.
void showPosition(const Watch& watch) {
    if (watch.drawn) return redraw(watch);
    // A blank line before each later position, so that a terminal shows the latest whole.
    if (watch.view.lastMove != NO_MOVE) writeText("\n");
    printLines(positionLines(watch));
}

// Shows the result and its reason under the last position.
void showResult(const Watch& watch) {
    if (watch.drawn) return redraw(watch);
    writeText("\n" + resultLine(watch.view, watch.record) + "\n");
}

// Waits out the delay after a ply, pausing on space; returns false when q asks to stop.
bool waitBetweenPlies(Watch& watch) {
    const Clock::time_point start = Clock::now();
    for (;;) {
        const double left = watch.options.delay - secondsSince(start);
        if (!watch.paused && left <= 0) return true;
        if (!watch.keys) {
            std::this_thread::sleep_for(std::chrono::duration<double>(left));
            return true;
        }
        const int key = readKey(watch.paused ? -1 : left);
        if (key == KEY_QUIT) return false;
        if (key != KEY_PAUSE) continue;
        watch.paused = !watch.paused;
        if (watch.drawn) redraw(watch);
    }
}

// Waits for q or Enter at the end of the game.
void waitForLeave() {
    for (;;) {
        const int key = readKey(-1);
        if (key == KEY_QUIT || key == KEY_ENTER || key == KEY_RETURN) return;
    }
}

// Plays the game out on the view; false when q stopped it early.
bool playWatched(Watch& watch) {
    showPosition(watch);
    while (!gameEnded(watch.record)) {
        if (!waitBetweenPlies(watch)) return false;
        const RecordedPly ply = playRecordedPly(watch.record, watch.search.context);
        if (ply.result.move == NO_MOVE) continue;
        watch.last = ply;
        watch.view.lastMove = ply.result.move;
        showPosition(watch);
    }
    showResult(watch);
    if (watch.drawn && watch.keys) waitForLeave();
    return true;
}

}  // namespace

int runWatchCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", WATCH_USAGE, WATCH_HELP);
        return finishOutput("watch");
    }
    Watch watch;
    int status = parseWatchArguments(argc, argv, watch.options);
    if (status == EXIT_OK) status = startGameRecord("watch", watch.options.start, watch.record);
    if (status != EXIT_OK) return status;
    if (!setUpSearch(watch.search)) return reportNoTableMemory("watch");
    watch.drawn = isTerminal(StandardStream::STANDARD_OUTPUT) &&
                  !terminalTooSmall("watch", VIEW_COLUMNS, VIEW_ROWS);
    watch.view.colour = watch.drawn && !noColourAsked();
    watch.view.pieces = watch.options.pieces;
    watch.keys = takeTerminal(watch.drawn ? RESTORE_SCREEN : "", true);
    if (watch.drawn) writeText(std::string(HIDE_CURSOR) + CLEAR_SCREEN);
    const bool finished = playWatched(watch);
    watch.leaving = true;
    if (watch.drawn && (watch.keys || !finished)) redraw(watch);
    restoreTerminal();
    return finishOutput("watch");
}
