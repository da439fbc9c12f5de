#include "tools/chesstool/pgn_command.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "app/selfplay.h"
#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "tools/chesstool/cli.h"

namespace {

constexpr const char* PGN_HELP =
    "Plays the program's own game, move for move as the game program does, and writes\n"
    "its record as PGN on standard output: the Seven Tag Roster, the moves in standard\n"
    "algebraic notation and the result with a comment that says why the game ended.\n"
    "With --fen the game starts from that position and the record carries SetUp and\n"
    "FEN tags. While standard error is a terminal, each ply is shown there as it is played.\n";

constexpr const char* PLAYER_NAME = "selfplay_chess";
constexpr size_t DATE_LENGTH = sizeof "YYYY.MM.DD";

struct GameRecord {
    std::string startFen;  // empty for the standard starting position
    int firstMoveNumber = 1;
    int firstSide = WHITE;
    std::vector<std::string> moves;  // in standard algebraic notation
    PlyOutcome outcome = PlyOutcome::MOVED;
    int finalSide = WHITE;  // the side to move when the game ended
    // Whether the final position, not only its hash, occurred three times.
    bool positionRepeated = false;
};

// Names the position without its move counters, for comparing positions.
std::string positionKey() {
    const std::string fen = writeFen();
    return fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1));
}

// Counts the earlier positions of the game that equal the current one.
bool finalPositionRepeated(const std::vector<std::string>& keys) {
    int count = 0;
    for (const std::string& key : keys) count += key == keys.back();
    return count >= REPETITION_LIMIT;
}

// Names the SAN of the move just played, from the position before it.
std::string sanOfPlayedMove(const Position& before, Move move) {
    static Position after;
    after = pos;
    pos = before;
    std::string san = sanName(move);
    pos = after;
    return san;
}

// Plays the game out from the current position exactly as the game program's loop does.
void playRecordedGame(GameRecord& record, bool showProgress) {
    static Position before;
    record.firstSide = pos.side;
    std::vector<std::string> keys = {positionKey()};
    for (int ply = 1;; ++ply) {
        before = pos;
        const Clock::time_point start = Clock::now();
        const PlyResult result = playPly();
        if (result.move != NO_MOVE) {
            record.moves.push_back(sanOfPlayedMove(before, result.move));
            keys.push_back(positionKey());
        }
        if (showProgress && result.move != NO_MOVE) {
            std::fprintf(stderr, "ply %4d  %-8s %8.2f s\n", ply, record.moves.back().c_str(),
                         secondsSince(start));
        }
        if (result.outcome != PlyOutcome::MOVED) {
            record.outcome = result.outcome;
            record.finalSide = pos.side;
            record.positionRepeated = finalPositionRepeated(keys);
            return;
        }
    }
}

const char* resultText(const GameRecord& record) {
    if (record.outcome != PlyOutcome::CHECKMATE) return "1/2-1/2";
    return record.finalSide == WHITE ? "0-1" : "1-0";
}

const char* reasonText(const GameRecord& record) {
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
            return record.positionRepeated ? "Draw by threefold repetition"
                                           : "Draw by threefold repetition of the position hash";
        case PlyOutcome::MOVED:
            break;
    }
    return "Game unfinished";
}

// Appends the space-separated words of the text.
void appendWords(std::vector<std::string>& words, const std::string& text) {
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find(' ', begin);
        if (end == std::string::npos) end = text.size();
        words.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
}

// Splits the movetext into the words that line breaks may fall between.
std::vector<std::string> movetextWords(const GameRecord& record) {
    std::vector<std::string> words;
    int side = record.firstSide;
    int number = record.firstMoveNumber;
    for (size_t k = 0; k < record.moves.size(); ++k) {
        if (side == WHITE) words.push_back(std::to_string(number) + ".");
        if (side == BLACK && k == 0) words.push_back(std::to_string(number) + "...");
        words.push_back(record.moves[k]);
        if (side == BLACK) ++number;
        side ^= BLACK;
    }
    appendWords(words, std::string("{") + reasonText(record) + "}");
    words.push_back(resultText(record));
    return words;
}

// Joins the words into lines of at most PGN_LINE_LIMIT characters.
std::string wrapWords(const std::vector<std::string>& words) {
    std::string text;
    size_t lineLength = 0;
    for (const std::string& word : words) {
        if (lineLength > 0 && lineLength + 1 + word.size() > PGN_LINE_LIMIT) {
            text += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            text += ' ';
            ++lineLength;
        }
        text += word;
        lineLength += word.size();
    }
    return text + '\n';
}

std::string todayInPgnForm() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[DATE_LENGTH] = "????.??.??";
    if (localtime_r(&now, &local) != nullptr) std::strftime(date, sizeof date, "%Y.%m.%d", &local);
    return date;
}

void writeTag(const char* name, const std::string& value) {
    std::printf("[%s \"%s\"]\n", name, value.c_str());
}

void writePgn(const GameRecord& record) {
    writeTag("Event", "Self-play game");
    writeTag("Site", "?");
    writeTag("Date", todayInPgnForm());
    writeTag("Round", "-");
    writeTag("White", PLAYER_NAME);
    writeTag("Black", PLAYER_NAME);
    writeTag("Result", resultText(record));
    if (!record.startFen.empty()) {
        writeTag("SetUp", "1");
        writeTag("FEN", record.startFen);
    }
    std::printf("\n%s\n", wrapWords(movetextWords(record)).c_str());
}

}  // namespace

int runPgnCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", PGN_USAGE, PGN_HELP);
        return finishOutput("pgn");
    }
    GameRecord record;
    if (argc >= 1 && std::string_view(argv[0]) == "--fen") {
        if (argc < 2) return reportUsageError("pgn", "--fen needs a FEN record");
        std::string error;
        if (!readFen(joinArguments(argc, argv, 1), error, &record.firstMoveNumber)) {
            return reportUsageError("pgn", "bad FEN: " + error);
        }
        record.startFen = writeFen(record.firstMoveNumber);
    } else if (argc >= 1) {
        return reportUsageError("pgn",
                                "unknown argument '" + std::string(argv[0]) + "'; " + PGN_USAGE);
    } else {
        setupInitialPosition();
    }
    playRecordedGame(record, isatty(STDERR_FILENO) != 0);
    writePgn(record);
    return finishOutput("pgn");
}
