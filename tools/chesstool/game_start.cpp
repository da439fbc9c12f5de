#include "tools/chesstool/game_start.h"

#include "tools/chesstool/cli.h"

int readFenOption(const char* command, int argc, char** argv, int& i, GameStart& start) {
    if (start.fromFen) return reportUsageError(command, "--fen is given twice");
    int last = i + 1;
    while (last < argc && !isOption(argv[last])) ++last;
    if (last == i + 1) return reportUsageError(command, "--fen needs a FEN record");
    start.fromFen = true;
    start.fen = joinArguments(last, argv, i + 1);
    i = last - 1;
    return EXIT_OK;
}

int startGameRecord(const char* command, const GameStart& start, GameRecord& record) {
    if (!start.fromFen) {
        startRecordAtInitialPosition(record);
        return EXIT_OK;
    }
    std::string error;
    if (startRecordAtFen(record, start.fen, error)) return EXIT_OK;
    return reportUsageError(command, "bad FEN: " + error);
}
