#include "tools/chesstool/board_view.h"

#include "app/render.h"

namespace {

constexpr size_t RECENT_MOVE_LINES = 4;
constexpr const char* PANEL_GAP = "   ";

// The chess symbols, indexed like PIECE_LETTERS by square content & 15.
constexpr const char* PIECE_SYMBOLS[16] = {
    "", "\u2659", "\u2658", "\u2657", "\u2656", "\u2655", "\u2654", "",
    "", "\u265F", "\u265E", "\u265D", "\u265C", "\u265B", "\u265A", ""};

constexpr const char* PLAIN = "\x1b[0m";
constexpr const char* MOVED_FROM = "\x1b[33m";
constexpr const char* MOVED_TO = "\x1b[1;33m";

// The board in colour: the squares' backgrounds, the last move's squares lit, and the pieces'
// colours.
constexpr const char* LIGHT_BACKGROUND = "\x1b[48;5;180m";
constexpr const char* DARK_BACKGROUND = "\x1b[48;5;137m";
constexpr const char* LIGHT_MOVED_BACKGROUND = "\x1b[48;5;186m";
constexpr const char* DARK_MOVED_BACKGROUND = "\x1b[48;5;143m";
constexpr const char* WHITE_PIECE = "\x1b[1;97m";
constexpr const char* BLACK_PIECE = "\x1b[1;30m";

// Draws one square of the board in colour: its background, and the piece on it if any.
std::string colouredSquare(const BoardView& view, int square, bool light) {
    const int content = pos.board[square];
    const bool moved = view.lastMove != NO_MOVE &&
                       (square == moveTo(view.lastMove) || square == moveFrom(view.lastMove));
    std::string text = light ? (moved ? LIGHT_MOVED_BACKGROUND : LIGHT_BACKGROUND)
                             : (moved ? DARK_MOVED_BACKGROUND : DARK_BACKGROUND);
    if (content == EMPTY) return text + " " + PLAIN;
    text += isPieceOf(content, BLACK) ? BLACK_PIECE : WHITE_PIECE;
    text += view.pieces ? PIECE_SYMBOLS[content & 15] : std::string(1, PIECE_LETTERS[content & 15]);
    return text + PLAIN;
}

// Draws one cell of the game's picture in UTF-8, the rows labelled with their ranks.
std::string cellText(const BoardView& view, int row, int column) {
    const int square = row * ROW_WIDTH + column;
    const int content = pos.board[square] & 15;
    const PictureCell cell = pictureCell(row, column);
    const bool onBoard = cell == PictureCell::LIGHT_SQUARE || cell == PictureCell::DARK_SQUARE ||
                         cell == PictureCell::PIECE;
    // The game's picture shades the squares whose row and column add up to an odd number.
    if (view.colour && view.squareColours && onBoard) {
        return colouredSquare(view, square, (row + column) % 2 == 1);
    }
    std::string text;
    switch (cell) {
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
            text = view.pieces ? PIECE_SYMBOLS[content] : std::string(1, PIECE_LETTERS[content]);
            break;
    }
    if (view.lastMove == NO_MOVE) return text;
    if (square == moveTo(view.lastMove)) return coloured(view, MOVED_TO, text);
    if (square == moveFrom(view.lastMove)) return coloured(view, MOVED_FROM, text);
    return text;
}

// Draws one line of the picture between the rank labels, a to h, or h to a when flipped.
std::string pictureLine(const BoardView& view, int row) {
    std::string line;
    for (int k = 0; k <= PICTURE_LAST_COLUMN; ++k) {
        line += cellText(view, row, view.flipped ? PICTURE_LAST_COLUMN - k : k);
    }
    return line;
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
std::vector<std::string> panelLines(const BoardView& view, const GameRecord& record,
                                    const PanelPly& last) {
    if (record.moves.empty()) {
        return {std::string("Start: ") + sideName(record.firstSide) + " to move", "", "", "",
                last.clock};
    }
    const std::vector<std::string> words = numberedMoveWords(record, record.moves.size() - 1);
    std::vector<std::string> lines = {"Move " + words.front().substr(0, words.front().find('.')) +
                                          ", " + sideName(last.mover) + ": " +
                                          coloured(view, BOLD, record.moves.back()),
                                      last.score,
                                      last.search,
                                      coloured(view, ALERT, last.alert),
                                      last.clock,
                                      "Last moves:"};
    for (const std::string& line : recentMoveLines(record)) lines.push_back(line);
    return lines;
}

}  // namespace

std::string coloured(const BoardView& view, const char* colour, const std::string& text) {
    if (!view.colour || text.empty()) return text;
    return colour + text + PLAIN;
}

const char* sideName(int side) { return side == WHITE ? "White" : "Black"; }

std::string scoreText(int score, int mateMoves) {
    if (mateMoves > 0) return "mate in " + std::to_string(mateMoves);
    if (mateMoves < 0) return "mated in " + std::to_string(-mateMoves);
    return (score > 0 ? "+" : "") + std::to_string(score);
}

std::vector<std::string> positionLines(const BoardView& view, const GameRecord& record,
                                       const PanelPly& last) {
    const std::vector<std::string> panel = panelLines(view, record, last);
    std::vector<std::string> lines;
    for (int k = 0; k <= PICTURE_BOTTOM_ROW - PICTURE_TOP_ROW; ++k) {
        const size_t line = static_cast<size_t>(k);
        std::string text =
            pictureLine(view, view.flipped ? PICTURE_BOTTOM_ROW - k : PICTURE_TOP_ROW + k);
        if (line < panel.size() && !panel[line].empty()) text += PANEL_GAP + panel[line];
        lines.push_back(text);
    }
    return lines;
}

std::string resultLine(const BoardView& view, const GameRecord& record) {
    return coloured(view, BOLD,
                    std::string("Result ") + resultText(record) + ": " + reasonText(record));
}
