// The position record over many games: the attack and check tests against their
// definitions, the search's incremental table key against one computed from scratch,
// FEN written and read back; and the hash, history and repetition window.

#include <cstring>

#include "core/attacks.h"
#include "search/frontier.h"
#include "search/ttable.h"
#include "tests/test_util.h"

namespace {

// Tells whether bySide attacks each square by the definition: some pseudo-legal move of
// bySide, castling aside, ends there.
void attackedByGeneration(int bySide, bool (&attacked)[BOARD_SIZE]) {
    const int savedSide = pos.side;
    pos.side = bySide;
    MoveList list;
    generateMoves(list);
    pos.side = savedSide;
    std::fill(attacked, attacked + BOARD_SIZE, false);
    for (int k = 0; k < list.count; ++k) {
        if (!hasFlag(list.moves[k], MF_CASTLE)) attacked[moveTo(list.moves[k])] = true;
    }
}

TEST(RandomGames, EveryShortcutAgreesWithItsDefinition) {
    int mismatches = 0;  // reported up to a few
    const auto report = [&mismatches](const std::string& what) {
        if (++mismatches <= 5) ADD_FAILURE() << what << " in " << writeFen();
    };
    TableKey key{};
    PositionSnapshot before{};
    int visited = 0, enPassant = 0, promotions = 0, castlings = 0, checks = 0;
    const int positions = test::randomPlayouts(20260601u, 500, 150, [&](Move lastMove) {
        if (lastMove != NO_MOVE) {
            const TableKey updated = updateKey(key, lastMove, before);
            const TableKey computed = positionKey();
            if (updated.index != computed.index || updated.check != computed.check) {
                report("updateKey after " + coordinateName(lastMove));
            }
            enPassant += hasFlag(lastMove, MF_EN_PASSANT);
            promotions += hasFlag(lastMove, MF_PROMOTION);
            castlings += hasFlag(lastMove, MF_CASTLE);
            int king = FIRST_PLAYING_SQUARE;
            while (pos.board[king] != (KING | pos.side)) ++king;
            if (givesCheck(lastMove, king) != inCheck(pos.side)) report("givesCheck");
            MoveList legal;
            generateLegalMoves(legal);
            if (inCheck(pos.side) && hasLegalMoveInCheck(king) != (legal.count > 0)) {
                report("hasLegalMoveInCheck");
            }
        }
        key = positionKey();
        takeSnapshot(before);
        checks += inCheck(pos.side);
        const bool sample = ++visited % 32 == 0;
        for (int bySide : {WHITE, BLACK}) {
            bool attacked[BOARD_SIZE];
            attackedByGeneration(bySide, attacked);
            for (int square = FIRST_PLAYING_SQUARE; square <= LAST_PLAYING_SQUARE; ++square) {
                if (!isPlayingSquare(square)) continue;
                if (isAttacked(square, bySide) != attacked[square] ||
                    (sample && isAttackedByGeneration(square, bySide) != attacked[square])) {
                    report("attack on " + squareName(square));
                }
            }
        }
        if (!sample) return;
        const Position played = pos;
        std::string error;
        if (!readFen(writeFen(), error) || std::memcmp(pos.board, played.board, sizeof pos.board) ||
            pos.castling != played.castling || pos.epSquare != played.epSquare ||
            pos.halfmoveClock != played.halfmoveClock || pos.side != played.side) {
            report("FEN read back " + error);
        }
        pos = played;
    });
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(positions, 50000);
    // The games must reach the rare cases for the comparison to mean something.
    EXPECT_GT(enPassant, 5);
    EXPECT_GT(promotions, 100);
    EXPECT_GT(castlings, 20);
    EXPECT_GT(checks, 1000);
    test::startGame();  // the table's layout follows the key
    EXPECT_EQ(positionKey().index, 0x178fb206f098b823u);
}

struct HashCase {
    const char* fen;
    const char* moves;
    uint32_t hash;  // 0: not checked
    int repetitions;
};
void PrintTo(const HashCase& c, std::ostream* out) { *out << c.fen << " " << c.moves; }
class HashAndRepetitions : public ::testing::TestWithParam<HashCase> {};
TEST_P(HashAndRepetitions, AfterTheMoves) {
    ASSERT_TRUE(test::loadFen(GetParam().fen));
    ASSERT_TRUE(test::play(GetParam().moves));
    if (GetParam().hash != 0) {
        EXPECT_EQ(pos.hash, GetParam().hash);
    }
    EXPECT_EQ(countRepetitions(), GetParam().repetitions);
}

// The hash: the en-passant square's low two bits on top, the rights below, the squares
// folded in; not the side. Repetitions: back over the clock, not before the history.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Position, HashAndRepetitions, ::testing::Values(
    HashCase{START_FEN, "", 0xFC0000EEu, 0},
    HashCase{START_FEN, "e2e4", 0xFC0000FAu, 0},
    HashCase{START_FEN, "d2d4", 0xBC0000FAu, 0},
    HashCase{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", "", 0xC00000EEu, 0},
    HashCase{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b Kq - 0 1", "", 0xE40000EEu, 0},
    HashCase{START_FEN, "a2a3 b8a6 c2c3 a8b8", 0xDC000050u, 1},
    HashCase{START_FEN, "g1f3 g8f6 f3g1 f6g8", 0xFC0000EEu, 1},
    HashCase{START_FEN, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8", 0, 3},
    HashCase{START_FEN, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 e2e4", 0, 0},
    HashCase{START_FEN, "e2e4 g8f6 g1f3 f6g8 f3g1", 0xFC0000FAu, 1},
    HashCase{"4k3/8/8/3p4/8/8/8/3RK3 w - - 12 40", "d1d5", 0, 0},
    HashCase{"4k3/8/8/8/8/8/8/4K3 w - - 1 60", "", 0, 0},
    HashCase{"4k3/8/8/8/8/8/8/4K3 w - - 9 60", "e1d1", 0, 1}));
// clang-format on

TEST(Position, SetUpFromAnyPositionIsTheStartingPosition) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/3pP3/8/8/4K3 b - e3 31 40"));
    setupInitialPosition();
    const Position started = pos;
    ASSERT_TRUE(test::loadFen(START_FEN));
    pos.historyCount = started.historyCount;
    EXPECT_TRUE(test::samePosition(pos, started));
}

TEST(Repetitions, FullHistoryStopsGrowingAndTheWindowUsesItsLastEntries) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/1N2K3 w - - 2 30"));
    for (int k = 0; k < HISTORY_SIZE; ++k) pos.history[k] = 0x1000u + static_cast<uint32_t>(k);
    std::fill(pos.history + HISTORY_SIZE - 4, pos.history + HISTORY_SIZE, pos.hash);
    pos.historyCount = HISTORY_SIZE;
    EXPECT_EQ(countRepetitions(), 2) << "clock 2: only the last two entries count";
    const Position full = pos;
    ASSERT_TRUE(test::play("b1c3 e8d8 c3b1 d8e8"));
    EXPECT_EQ(pos.historyCount, HISTORY_SIZE);
    EXPECT_EQ(std::memcmp(pos.history, full.history, sizeof pos.history), 0);
    EXPECT_EQ(countRepetitions(), 4) << "the last six recorded entries, four of them equal";
}
}  // namespace
