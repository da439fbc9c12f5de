#include "tools/chesstool/watch_command.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/render.h"
#include "core/text.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"
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
// The view: the picture's ten rows, a blank one, the result and the keys, and at most
// this many columns (the picture, the gap and the longest result line).
constexpr int VIEW_ROWS = 13;
constexpr int VIEW_COLUMNS = 65;
constexpr double MAX_DELAY = 3600.0;
constexpr size_t RECENT_MOVE_LINES = 4;
constexpr const char* PANEL_GAP = "   ";

// The chess symbols, indexed like PIECE_LETTERS by square content & 15.
constexpr const char* PIECE_SYMBOLS[16] = {
    "", "\u2659", "\u2658", "\u2657", "\u2656", "\u2655", "\u2654", "",
    "", "\u265F", "\u265E", "\u265D", "\u265C", "\u265B", "\u265A", ""};

constexpr const char* HIDE_CURSOR = "\x1b[?25l";
constexpr const char* CLEAR_SCREEN = "\x1b[H\x1b[2J";
constexpr const char* CURSOR_HOME = "\x1b[H";
constexpr const char* ERASE_LINE_END = "\x1b[K";
constexpr const char* ERASE_BELOW = "\x1b[J";
// Also clears the key line, where the cursor stands after a redraw.
constexpr const char* RESTORE_SCREEN = "\x1b[0m\x1b[?25h\r\x1b[K";
constexpr const char* PLAIN = "\x1b[0m";
constexpr const char* BOLD = "\x1b[1m";
constexpr const char* MOVED_FROM = "\x1b[33m";
constexpr const char* MOVED_TO = "\x1b[1;33m";
constexpr const char* ALERT = "\x1b[1;31m";

constexpr int KEY_QUIT = 'q';
constexpr int KEY_PAUSE = ' ';
constexpr int KEY_ENTER = '\n';
constexpr int KEY_RETURN = '\r';

struct WatchOptions {
    std::string fen;  // empty for the standard starting position
    double delay = DEFAULT_DELAY;
    bool pieces = false;
};

struct Watch {
    WatchOptions options;
    bool drawn = false;   // redrawn in place on a terminal; otherwise plain text
    bool colour = false;  // only when drawn
    bool keys = false;    // keys are read from the terminal
    bool paused = false;
    bool leaving = false;  // the keys no longer do anything
    bool moved = false;    // a ply has been played
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
            // The FEN may come quoted or as separate fields, up to the next option.
            int last = i + 1;
            while (last < argc && !isOption(argv[last])) ++last;
            if (last == i + 1) return reportUsageError("watch", "--fen needs a FEN record");
            options.fen = joinArguments(last, argv, i + 1);
            i = last - 1;
        } else {
            return reportUsageError("watch", unknownArgument(arg, WATCH_USAGE));
        }
    }
    return EXIT_OK;
}

// Wraps the text in the colour when the view has colour.
std::string coloured(const Watch& watch, const char* colour, const std::string& text) {
    if (!watch.colour || text.empty()) return text;
    return colour + text + PLAIN;
}

// Draws one cell of the game's picture in UTF-8, the rows labelled with their ranks.
std::string cellText(const Watch& watch, int row, int column) {
    const int square = row * ROW_WIDTH + column;
    const int content = pos.board[square] & 15;
    std::string text;
    switch (pictureCell(row, column)) {
        case PictureCell::BLANK:
            return " ";
        case PictureCell::FILE_LETTER:
            return std::string(1, fileLetter(column));
        case PictureCell::ROW_LABEL:
            return std::string(1, rankLabel(row));
        case PictureCell::LIGHT_SQUARE:
            text = LIGHT_SHADE_UTF8;
            break;
        case PictureCell::DARK_SQUARE:
            text = FULL_BLOCK_UTF8;
            break;
        case PictureCell::PIECE:
            text = watch.options.pieces ? PIECE_SYMBOLS[content]
                                        : std::string(1, PIECE_LETTERS[content]);
            break;
    }
    if (!watch.moved) return text;
    if (square == moveTo(watch.last.result.move)) return coloured(watch, MOVED_TO, text);
    if (square == moveFrom(watch.last.result.move)) return coloured(watch, MOVED_FROM, text);
    return text;
}

// Draws one line of the picture, from a to h between the rank labels.
std::string pictureLine(const Watch& watch, int row) {
    std::string line;
    for (int column = 0; column <= PICTURE_LAST_COLUMN; ++column) {
        line += cellText(watch, row, column);
    }
    return line;
}

const char* sideName(int side) { return side == WHITE ? "White" : "Black"; }

// Words the search's score for the side that moved.
std::string scoreText(const RecordedPly& ply) {
    if (ply.mateMoves > 0) return "mate in " + std::to_string(ply.mateMoves);
    if (ply.mateMoves < 0) return "mated in " + std::to_string(-ply.mateMoves);
    return (ply.score > 0 ? "+" : "") + std::to_string(ply.score);
}

// Joins the last moves into lines of one move number each.
std::vector<std::string> recentMoveLines(const GameRecord& record) {
    const size_t plyOffset = record.firstSide == BLACK ? 1 : 0;
    const size_t lastLine = (record.moves.size() + plyOffset - 1) / 2;
    const size_t firstLine = lastLine >= RECENT_MOVE_LINES ? lastLine - RECENT_MOVE_LINES + 1 : 0;
    const size_t first = 2 * firstLine > plyOffset ? 2 * firstLine - plyOffset : 0;
    std::vector<std::string> lines;
    for (const std::string& word : numberedMoveWords(record, first)) {
        if (word.back() == '.') {
            lines.push_back(word);
        } else {
            lines.back() += ' ' + word;
        }
    }
    return lines;
}

// Writes the panel beside the board: the last ply, its score and search, and recent moves.
std::vector<std::string> panelLines(const Watch& watch) {
    const GameRecord& record = watch.record;
    if (!watch.moved) {
        return {std::string("Start: ") + sideName(record.firstSide) + " to move"};
    }
    const RecordedPly& ply = watch.last;
    const std::string san = record.moves.back();
    const std::vector<std::string> words = numberedMoveWords(record, record.moves.size() - 1);
    char search[64];
    std::snprintf(search, sizeof search, "Search: %llu calls, %.2f s",
                  static_cast<unsigned long long>(ply.searchCalls), ply.seconds);
    std::vector<std::string> lines = {
        "Move " + words.front().substr(0, words.front().find('.')) + ", " + sideName(ply.mover) +
            ": " + coloured(watch, BOLD, san),
        std::string("Score for ") + sideName(ply.mover) + ": " + scoreText(ply),
        search,
        ply.result.givesCheck ? coloured(watch, ALERT, "CHECK!") : "",
        "",
        "Last moves:"};
    for (const std::string& line : recentMoveLines(record)) lines.push_back(line);
    return lines;
}

// Lays the board and the panel side by side.
std::vector<std::string> positionLines(const Watch& watch) {
    const std::vector<std::string> panel = panelLines(watch);
    std::vector<std::string> lines;
    for (int row = PICTURE_TOP_ROW; row <= PICTURE_BOTTOM_ROW; ++row) {
        const size_t k = static_cast<size_t>(row - PICTURE_TOP_ROW);
        std::string line = pictureLine(watch, row);
        if (k < panel.size() && !panel[k].empty()) line += PANEL_GAP + panel[k];
        lines.push_back(line);
    }
    return lines;
}

std::string resultLine(const Watch& watch) {
    return coloured(
        watch, BOLD,
        std::string("Result ") + resultText(watch.record) + ": " + reasonText(watch.record));
}

// Says what the keys do now, or how to leave once the game is over.
std::string keyLine(const Watch& watch) {
    if (!watch.keys || watch.leaving) return "";
    if (gameEnded(watch.record)) return "Press q or Enter to leave.";
    return watch.paused ? "Paused: space resumes, q quits." : "Space pauses, q quits.";
}

// Writes the text at once, so a frame never shows half drawn.
void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// Redraws the whole view in place.
void redraw(const Watch& watch) {
    std::vector<std::string> lines = positionLines(watch);
    lines.push_back("");
    lines.push_back(gameEnded(watch.record) ? resultLine(watch) : "");
    lines.push_back(keyLine(watch));
    // No line end after the last line, which would scroll a terminal of the view's height.
    std::string text = CURSOR_HOME;
    for (size_t k = 0; k < lines.size(); ++k) {
        text += (k > 0 ? "\n" : "") + lines[k] + ERASE_LINE_END;
    }
    writeText(text + ERASE_BELOW);
}

// Shows the position just reached: redrawn on a terminal, printed once otherwise.
void showPosition(const Watch& watch) {
    if (watch.drawn) return redraw(watch);
    // A blank line before each later position, so that a terminal shows the latest whole.
    std::string text = watch.moved ? "\n" : "";
    for (std::string line : positionLines(watch)) {
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    writeText(text);
}

// Shows the result and its reason under the last position.
void showResult(const Watch& watch) {
    if (watch.drawn) return redraw(watch);
    writeText("\n" + resultLine(watch) + "\n");
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
        watch.moved = true;
        showPosition(watch);
    }
    showResult(watch);
    if (watch.drawn && watch.keys) waitForLeave();
    return true;
}

// Tells whether standard output is a terminal too small for the view, saying so on standard
// error; a terminal whose size is unknown is taken to fit.
bool terminalTooSmall() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0) return false;
    if (size.ws_row >= VIEW_ROWS && size.ws_col >= VIEW_COLUMNS) return false;
    std::fprintf(stderr,
                 "chesstool watch: the terminal is %dx%d, the view needs %dx%d; "
                 "printing each position in turn\n",
                 size.ws_col, size.ws_row, VIEW_COLUMNS, VIEW_ROWS);
    return true;
}

// Tells whether NO_COLOR is set to something, which turns colour off.
bool noColourAsked() {
    const char* value = std::getenv("NO_COLOR");
    return value != nullptr && value[0] != '\0';
}

}  // namespace

int runWatchCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", WATCH_USAGE, WATCH_HELP);
        return finishOutput("watch");
    }
    Watch watch;
    const int status = parseWatchArguments(argc, argv, watch.options);
    if (status != EXIT_OK) return status;
    if (!setUpSearch(watch.search)) return reportNoTableMemory("watch");
    std::string error;
    if (watch.options.fen.empty()) {
        startRecordAtInitialPosition(watch.record);
    } else if (!startRecordAtFen(watch.record, watch.options.fen, error)) {
        return reportUsageError("watch", "bad FEN: " + error);
    }
    watch.drawn = isatty(STDOUT_FILENO) != 0 && !terminalTooSmall();
    watch.colour = watch.drawn && !noColourAsked();
    watch.keys = takeTerminal(watch.drawn ? RESTORE_SCREEN : "", true);
    if (watch.drawn) writeText(std::string(HIDE_CURSOR) + CLEAR_SCREEN);
    const bool finished = playWatched(watch);
    watch.leaving = true;
    if (watch.drawn && (watch.keys || !finished)) redraw(watch);
    restoreTerminal();
    return finishOutput("watch");
}
