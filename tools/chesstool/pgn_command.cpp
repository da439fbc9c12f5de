#include "tools/chesstool/pgn_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"
#include "tools/chesstool/game_start.h"
#include "tools/chesstool/pgn_writer.h"
#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* PGN_HELP =
    "Plays the program's own game, move for move as the game program does, and writes\n"
    "its record as PGN on standard output: the Seven Tag Roster, the moves in standard\n"
    "algebraic notation and the result with a comment that says why the game ended.\n"
    "With --fen the game starts from that position and the record carries SetUp and\n"
    "FEN tags. While standard error is a terminal, each ply is shown there as it is played.\n";

constexpr const char* PLAYER_NAME = "selfplay_chess";

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

}  // namespace

int runPgnCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", PGN_USAGE, PGN_HELP);
        return finishOutput("pgn");
    }
    GameStart start;
    for (int i = 0; i < argc; ++i) {
        const int status = std::string_view(argv[i]) == "--fen"
                               ? readFenOption("pgn", argc, argv, i, start)
                               : reportUsageError("pgn", unknownArgument(argv[i], PGN_USAGE));
        if (status != EXIT_OK) return status;
    }
    GameRecord record;
    const int status = startGameRecord("pgn", start, record);
    if (status != EXIT_OK) return status;
    SearchWithTable search;
    if (!setUpSearch(search)) return reportNoTableMemory("pgn");
    playRecordedGame(record, search.context, isTerminal(StandardStream::STANDARD_ERROR));
    std::fputs(pgnText(record, {"Self-play game", PLAYER_NAME, PLAYER_NAME}).c_str(), stdout);
    return finishOutput("pgn");
}
