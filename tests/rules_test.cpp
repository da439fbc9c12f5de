// Playing moves: castling conditions, rights, en passant, promotion, refusals that leave
// the position untouched, and the attack test checked against its definition.
#include <gtest/gtest.h>

#include <string>

#include "core/movegen.h"
#include "core/rules.h"
#include "tests/test_util.h"

namespace {

struct CastlingCase {
    const char* fen;
    const char* move;
    bool accepted;
    const char* why;
};

void PrintTo(const CastlingCase& c, std::ostream* out) { *out << c.move << " " << c.why; }

class Castling : public ::testing::TestWithParam<CastlingCase> {};

TEST_P(Castling, AcceptedOrRefusedWithoutTrace) {
    const CastlingCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    const Move move = test::findMove(c.move);
    ASSERT_NE(move, NO_MOVE) << "the castling entry is generated from the rights alone";
    ASSERT_TRUE(hasFlag(move, MF_CASTLE));
    const Position before = pos;
    ASSERT_EQ(makeMove(move), c.accepted);
    if (!c.accepted) {
        EXPECT_TRUE(test::samePosition(before, pos));
        return;
    }
    const bool white = before.side == WHITE;
    const bool kingside = moveTo(move) == (white ? G1 : G8);
    const int rookFrom = white ? (kingside ? H1 : A1) : (kingside ? H8 : A8);
    const int rookTo = white ? (kingside ? F1 : D1) : (kingside ? F8 : D8);
    EXPECT_EQ(pos.board[moveTo(move)], KING | before.side);
    EXPECT_EQ(pos.board[rookTo], ROOK | before.side);
    EXPECT_EQ(pos.board[moveFrom(move)], EMPTY);
    EXPECT_EQ(pos.board[rookFrom], EMPTY);
    EXPECT_EQ(pos.castling, before.castling & (white ? 12 : 3));
    EXPECT_EQ(pos.halfmoveClock, before.halfmoveClock + 1);
}

// clang-format off
const CastlingCase CASTLING_CASES[] = {
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", true, "nothing in the way"},
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", true, "nothing in the way"},
    {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", false, "king in check"},
    {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", false, "king in check"},
    {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", false, "f1 attacked"},
    {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", true, "f1 is not on the queenside"},
    {"4k1r1/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", false, "g1 attacked"},
    {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", false, "d1 attacked"},
    {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", true, "d1 is not on the kingside"},
    {"2r1k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", false, "c1 attacked"},
    {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", true, "the king does not pass b1"},
    {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 3 9", "e1c1", false, "b1 occupied"},
    {"4k3/8/8/8/8/8/8/R3K1NR w KQ - 3 9", "e1g1", false, "g1 occupied"},
    {"4k3/8/8/8/8/8/8/R3KB1R w KQ - 3 9", "e1g1", false, "f1 occupied"},
    {"4k3/8/8/8/8/8/6p1/R3K2R w KQ - 3 9", "e1g1", false, "a pawn can step onto g1"},
    {"4k3/8/8/8/8/8/2p5/R3K2R w KQ - 3 9", "e1c1", false, "a pawn can step onto c1"},
    {"4k3/8/8/8/8/8/2p5/R3K2R w KQ - 3 9", "e1g1", true, "the c2 pawn is on the other wing"},
    {"4k3/8/8/8/8/8/4p3/R3K2R w KQ - 3 9", "e1g1", false, "a pawn on e2 covers f1"},
    {"4k3/8/8/8/8/8/4p3/R3K2R w KQ - 3 9", "e1c1", false, "a pawn on e2 covers d1"},
    {"4k3/8/8/8/8/8/7p/R3K2R w KQ - 3 9", "e1g1", false, "a pawn on h2 covers g1"},
    {"4k3/8/8/8/8/8/p7/R3K2R w KQ - 3 9", "e1c1", true, "a pawn on a2 covers only b1"},
    {"r3k2r/8/8/8/8/8/8/4K3 b kq - 3 9", "e8g8", true, "nothing in the way"},
    {"r3k2r/8/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", true, "nothing in the way"},
    {"r3k2r/8/8/8/8/8/8/4RK2 b kq - 3 9", "e8g8", false, "king in check"},
    {"r3k2r/8/8/8/8/8/8/4RK2 b kq - 3 9", "e8c8", false, "king in check"},
    {"r3k2r/8/8/8/8/8/8/3RK3 b kq - 3 9", "e8c8", false, "d8 attacked"},
    {"r3k2r/8/8/8/8/8/8/3RK3 b kq - 3 9", "e8g8", true, "d8 is not on the kingside"},
    {"r3k2r/6P1/8/8/8/8/8/4K3 b kq - 3 9", "e8g8", false, "a pawn can step onto g8"},
    {"r3k2r/2P5/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", false, "a pawn can step onto c8"},
    {"r3k2r/4P3/8/8/8/8/8/4K3 b kq - 3 9", "e8g8", false, "a pawn on e7 covers f8"},
    {"r3k2r/4P3/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", false, "a pawn on e7 covers d8"},
    {"r3k2r/P7/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", true, "a pawn on a7 covers only b8"},
    {"rn2k2r/8/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", false, "b8 occupied"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rules, Castling, ::testing::ValuesIn(CASTLING_CASES));

// The pawn covering the king's path is a castling condition only: as an attack test the
// pawn's diagonal onto an empty square does not count, its step does.
TEST(AttackTest, PawnsStepButDoNotCaptureOntoEmptySquares) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/4p3/R3K2R w KQ - 0 1"));
    EXPECT_FALSE(isAttacked(F1, BLACK));
    EXPECT_FALSE(isAttacked(D1, BLACK));
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/6p1/R3K2R w KQ - 0 1"));
    EXPECT_TRUE(isAttacked(G1, BLACK));
    EXPECT_TRUE(isAttacked(H1, BLACK)) << "a piece on the diagonal is attacked";
}

// Castling entries attack nothing: a king may step next to the opponent's unmoved
// king and rook whatever rights they hold.
TEST(AttackTest, CastlingRightsAttackNothing) {
    ASSERT_TRUE(test::loadFen("8/8/8/8/8/8/2k5/RN2K3 b Q - 0 1"));
    EXPECT_FALSE(isAttacked(C1, WHITE));
    EXPECT_FALSE(isAttackedByGeneration(C1, WHITE));
    ASSERT_TRUE(test::play("c2c1"));

    ASSERT_TRUE(test::loadFen("8/8/8/8/8/8/2k5/RN2K3 b - - 0 1"));
    ASSERT_TRUE(test::play("c2c1"));

    ASSERT_TRUE(test::loadFen("rN2k3/2K5/8/8/8/8/8/8 w q - 0 1"));
    EXPECT_FALSE(isAttacked(C8, BLACK));
    ASSERT_TRUE(test::play("c7c8"));
}

TEST(CastlingRights, KingsAndRooksOnTheirCorners) {
    const char* fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1";
    struct {
        const char* move;
        int castling;
        int clock;
    } cases[] = {
        {"e1g1", 12, 6}, {"e1c1", 12, 6}, {"h1h8", 10, 0}, {"a1a8", 5, 0},
        {"a1b1", 13, 6}, {"h1h2", 14, 6}, {"e1e2", 12, 6}, {"e1f1", 12, 6},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(test::loadFen(fen));
        ASSERT_TRUE(test::play(c.move)) << c.move;
        EXPECT_EQ(pos.castling, c.castling) << c.move;
        EXPECT_EQ(pos.halfmoveClock, c.clock) << c.move;
        EXPECT_EQ(pos.side, BLACK);
        EXPECT_EQ(pos.historyCount, 1);
        EXPECT_EQ(pos.history[0], pos.hash);
    }
    ASSERT_TRUE(test::loadFen(fen));
    ASSERT_TRUE(test::play("e1g1"));
    EXPECT_EQ(pos.board[G1], KING);
    EXPECT_EQ(pos.board[F1], ROOK);
    EXPECT_EQ(pos.board[H1], EMPTY);
    ASSERT_TRUE(test::play("e8c8"));
    EXPECT_EQ(pos.castling, 0);
    EXPECT_EQ(pos.board[C8], KING | BLACK);
    EXPECT_EQ(pos.board[D8], ROOK | BLACK);
    EXPECT_EQ(pos.board[A8], EMPTY);
    EXPECT_EQ(pos.board[B8], EMPTY);
    EXPECT_EQ(pos.halfmoveClock, 7);
}

// Taking a move back with the snapshot restores what it changed, the rights included.
TEST(TakingBack, SnapshotRestoresEveryMoveOfAPosition) {
    ASSERT_TRUE(
        test::loadFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
    ASSERT_TRUE(test::play("a2a4"));  // Black may now take en passant on a3
    for (Move m : test::generate()) {
        const Position before = pos;
        PositionSnapshot snapshot;
        takeSnapshot(snapshot);
        if (!makeMove(m)) continue;
        pos.side ^= BLACK;
        restoreSnapshot(snapshot);
        Position expected = before;
        // The hash is not in the snapshot, and the slot past the history count keeps
        // what the move wrote there.
        expected.hash = pos.hash;
        expected.history[before.historyCount] = pos.history[before.historyCount];
        EXPECT_TRUE(test::samePosition(expected, pos)) << moveFrom(m) << "-" << moveTo(m);
    }
}

TEST(Promotion, PieceCodesOnTheLastRank) {
    ASSERT_TRUE(test::loadFen("8/P7/7k/8/8/8/p7/4K3 w - - 0 1"));
    ASSERT_TRUE(test::play("a7a8q"));
    EXPECT_EQ(pos.board[A8], QUEEN);
    EXPECT_EQ(pos.board[31], EMPTY);
    ASSERT_TRUE(test::play("a2a1q"));
    EXPECT_EQ(pos.board[A1], QUEEN | BLACK);

    ASSERT_TRUE(test::loadFen("8/P7/7k/8/8/8/p7/4K3 w - - 0 1"));
    ASSERT_TRUE(test::play("a7a8n"));
    EXPECT_EQ(pos.board[A8], KNIGHT);
    ASSERT_TRUE(test::play("a2a1r"));
    EXPECT_EQ(pos.board[A1], ROOK | BLACK);
}

TEST(Promotion, CaptureOnARookCornerClearsTheRight) {
    ASSERT_TRUE(test::loadFen("4k2r/6P1/8/8/8/8/8/4K3 w k - 9 40"));
    ASSERT_TRUE(test::play("g7h8q"));
    EXPECT_EQ(pos.board[H8], QUEEN);
    EXPECT_EQ(pos.castling, 0);
    EXPECT_EQ(pos.halfmoveClock, 0);
}

TEST(EnPassant, DoubleStepSetsTheSquareAndTheCaptureEmptiesThePawnsSquare) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/3p1p2/8/4P3/4K3 w - - 0 1"));
    ASSERT_TRUE(test::play("e2e4"));
    EXPECT_EQ(pos.epSquare, 75);
    const Move fromD4 = makeMoveCode(64, 75, 0, 0x15);
    const Move fromF4 = makeMoveCode(66, 75, 0, 0x15);
    const std::vector<Move> list = test::generate();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[list.size() - 2], fromD4);
    EXPECT_EQ(list[list.size() - 1], fromF4);

    ASSERT_TRUE(makeMove(fromD4));
    EXPECT_EQ(pos.board[75], PAWN | BLACK);
    EXPECT_EQ(pos.board[64], EMPTY);
    EXPECT_EQ(pos.board[65], EMPTY);
    EXPECT_EQ(pos.epSquare, NO_SQUARE);

    ASSERT_TRUE(test::loadFen("4k3/8/8/8/3p1p2/8/4P3/4K3 w - - 0 1"));
    ASSERT_TRUE(test::play("e2e4"));
    ASSERT_TRUE(test::play("e8d8"));
    EXPECT_EQ(pos.epSquare, NO_SQUARE) << "the chance lasts one ply";
}

// A refused move changes nothing at all: board, side, rights, en-passant square, clock,
// history count and history contents.
TEST(RefusedMoves, LeaveEveryFieldUnchanged) {
    struct {
        const char* fen;
        const char* setup;  // a move played first, so that the history is not empty
        const char* move;
        const char* why;
    } cases[] = {
        {"4k3/4r3/8/8/8/8/4N3/4K3 b - - 7 20", "e8d8", "e2c3", "the knight is pinned"},
        {"4k3/4r3/8/8/8/8/4N3/4K3 b - - 7 20", "e8d8", "e2g1", "the knight is pinned"},
        {"4k3/8/8/8/8/8/3r4/R3K2R b KQ - 7 20", "e8d8", "e1d1", "the king walks into check"},
        {"3rk3/8/8/8/8/8/8/R3K2R b KQ - 7 20", "e8f8", "e1c1", "castling through check"},
        {"4k3/3r4/8/8/8/8/8/R3K2R b KQ - 7 20", "d7e7", "e1g1", "castling out of check"},
        {"8/8/8/8/k2p3R/8/4P3/7K w - - 7 20", "e2e4", "d4e3", "en passant exposes the king"},
        {"4k3/3p4/8/K3P2r/8/8/8/8 b - - 7 20", "d7d5", "e5d6", "en passant exposes the king"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.move) + ": " + c.why);
        ASSERT_TRUE(test::loadFen(c.fen));
        ASSERT_TRUE(test::play(c.setup));
        const Move move = test::findMove(c.move);
        ASSERT_NE(move, NO_MOVE);
        const Position before = pos;
        EXPECT_FALSE(makeMove(move));
        EXPECT_TRUE(test::samePosition(before, pos));
    }
}

TEST(RefusedMoves, OnlyTheSideToMoveMoves) {
    test::startGame();
    const Position before = pos;
    EXPECT_FALSE(makeMove(makeMoveCode(31, 41, 0, MF_PAWN)));  // Black's a7-a6
    EXPECT_TRUE(test::samePosition(before, pos));
}

TEST(CheckTest, KinglessSideIsNeverInCheck) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/4K2r w - - 0 1"));
    EXPECT_TRUE(inCheck(WHITE));
    EXPECT_FALSE(inCheck(BLACK));
    pos.board[E1] = EMPTY;
    EXPECT_FALSE(inCheck(WHITE));
}

// The attack test looks outward from the square; its definition is "some pseudo-legal
// move of the attacker, castling aside, ends there". Compare the two on every square of
// every position that seeded random games reach, and the shortcut that tells a check
// from the move just played with the full check test.
TEST(AttackTest, LookingOutwardAgreesWithTheGeneratorOnRandomGames) {
    int mismatches = 0;
    int enPassantEntries = 0;
    int promotionEntries = 0;
    int castlingEntries = 0;
    int checkPositions = 0;
    int visited = 0;
    const int positions = test::randomPlayouts(20260601u, 1500, 150, [&](Move lastMove) {
        ++visited;
        if (lastMove != NO_MOVE) {
            int king = FIRST_PLAYING_SQUARE;
            while (king < LAST_PLAYING_SQUARE && pos.board[king] != (KING | pos.side)) ++king;
            const bool checked = inCheck(pos.side);
            if (givesCheck(lastMove, king) != checked && ++mismatches <= 5) {
                ADD_FAILURE() << "givesCheck(" << squareName(moveFrom(lastMove))
                              << squareName(moveTo(lastMove)) << ") != " << checked << " in "
                              << writeFen();
            }
        }
        for (int bySide : {WHITE, BLACK}) {
            const int savedSide = pos.side;
            pos.side = bySide;
            MoveList list;
            generateMoves(list);
            pos.side = savedSide;
            bool attacked[BOARD_SIZE] = {};
            for (int k = 0; k < list.count; ++k) {
                const Move m = list.moves[k];
                if (!hasFlag(m, MF_CASTLE)) attacked[moveTo(m)] = true;
                if (bySide != pos.side) continue;
                enPassantEntries += hasFlag(m, MF_EN_PASSANT);
                promotionEntries += hasFlag(m, MF_PROMOTION);
                castlingEntries += hasFlag(m, MF_CASTLE);
            }
            // The generator-based function itself is compared on a sample of the positions.
            const bool sample = visited % 32 == 0;
            auto report = [&](const char* function, int square, bool answer) {
                if (++mismatches > 5) return;
                ADD_FAILURE() << function << "(" << squareName(square) << ", "
                              << (bySide == WHITE ? "White" : "Black") << ") = " << answer << " in "
                              << writeFen();
            };
            for (int square = FIRST_PLAYING_SQUARE; square <= LAST_PLAYING_SQUARE; ++square) {
                if (!isPlayingSquare(square)) continue;
                const bool outward = isAttacked(square, bySide);
                if (outward != attacked[square]) report("isAttacked", square, outward);
                if (!sample) continue;
                const bool generated = isAttackedByGeneration(square, bySide);
                if (generated != attacked[square]) {
                    report("isAttackedByGeneration", square, generated);
                }
            }
        }
        checkPositions += inCheck(pos.side);
    });
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(positions, 100000);
    // The games must reach the rare cases for the comparison to mean something.
    EXPECT_GT(enPassantEntries, 100);
    EXPECT_GT(promotionEntries, 100);
    EXPECT_GT(castlingEntries, 100);
    EXPECT_GT(checkPositions, 1000);
}

}  // namespace
