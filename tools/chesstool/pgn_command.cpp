#include "tools/chesstool/pgn_command.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"

namespace {

constexpr const char* PGN_HELP =
    "Plays the program's own game, move for move as the game program does, and writes\n"
    "its record as PGN on standard output: the Seven Tag Roster, the moves in standard\n"
    "algebraic notation and the result with a comment that says why the game ended.\n"
    "With --fen the game starts from that position and the record carries SetUp and\n"
    "FEN tags. While standard error is a terminal, each ply is shown there as it is played.\n";

constexpr const char* PLAYER_NAME = "selfplay_chess";
constexpr size_t DATE_LENGTH = sizeof "YYYY.MM.DD";

// Plays the game out from the record's start, showing each ply on standard error if asked.
void playRecordedGame(GameRecord& record, SearchContext& context, bool showProgress) {
    for (int ply = 1; !gameEnded(record); ++ply) {
        const RecordedPly played = playRecordedPly(record, context);
        if (showProgress && played.result.move != NO_MOVE) {
            std::fprintf(stderr, "ply %4d  %-8s %8.2f s\n", ply, record.moves.back().c_str(),
                         played.seconds);
        }
    }
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
    std::vector<std::string> words = numberedMoveWords(record, 0);
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
    // The words after --fen are the FEN's fields, and no field looks like an option.
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i])) return reportUsageError("pgn", unknownArgument(argv[i], PGN_USAGE));
    }
    GameRecord record;
    if (argc >= 1 && std::string_view(argv[0]) == "--fen") {
        if (argc < 2) return reportUsageError("pgn", "--fen needs a FEN record");
        std::string error;
        if (!startRecordAtFen(record, joinArguments(argc, argv, 1), error)) {
            return reportUsageError("pgn", "bad FEN: " + error);
        }
    } else if (argc >= 1) {
        return reportUsageError("pgn", unknownArgument(argv[0], PGN_USAGE));
    } else {
        startRecordAtInitialPosition(record);
    }
    SearchWithTable search;
    if (!setUpSearch(search)) return reportNoTableMemory("pgn");
    playRecordedGame(record, search.context, isatty(STDERR_FILENO) != 0);
    writePgn(record);
    return finishOutput("pgn");
}
