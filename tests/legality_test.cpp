// Legality without playing: every verdict and count of core/legality is compared with
// what makeMove accepts, on random games and on positions where the rules are subtle.

#include "core/legality.h"
#include "core/movecount.h"
#include "tests/test_util.h"

namespace {
// Compares each verdict with makeMove for every generated move of the position, and the
// count with the number of moves makeMove accepts.
void compareWithMakeMove() {
    int king = FIRST_PLAYING_SQUARE;
    while (pos.board[king] != (KING | pos.side)) ++king;
    const int opponent = pos.side ^ BLACK;
    const Checkers check = findCheckers(king, opponent);
    const std::string fen = writeFen();
    int accepted = 0;
    MoveList list;
    generateMoves(list);
    for (Move m : std::vector<Move>(list.moves, list.moves + list.count)) {
        const int from = moveFrom(m);
        const int to = moveTo(m);
        const bool special = hasFlag(m, MF_CASTLE | MF_EN_PASSANT);
        const Position before = pos;
        const bool legal = makeMove(m);
        pos = before;
        bool verdict = !leavesCheckUnanswered(m, check, king);
        if (verdict) {
            verdict = playPseudoLegal(m) && !exposesOwnKing(m, king, from == king ? to : king);
            pos = before;
        }
        EXPECT_EQ(verdict, legal) << fen << " " << coordinateName(m);
        EXPECT_EQ(isLegalUnplayed(m, king, check), legal) << fen << " " << coordinateName(m);
        if (from == king && !special) {
            EXPECT_EQ(leavesKingSafe(king, from, to, opponent), legal)
                << fen << " " << coordinateName(m);
        } else if (check.count == 0 && !special) {
            EXPECT_EQ(keepsKingCovered(king, from, to, opponent), legal)
                << fen << " " << coordinateName(m);
        }
        accepted += legal;
    }
    EXPECT_EQ(countLegalMoves(), accepted) << fen;
}

TEST(Legality, AgreesWithMakeMoveOnRandomPlayouts) {
    EXPECT_GE(test::randomPlayouts(5, 40, 200, [](Move) { compareWithMakeMove(); }), 2000);
}

TEST(Legality, AgreesWithMakeMoveWhereTheRulesAreSubtle) {
    const char* positions[] = {
        "4k3/8/8/8/8/8/6p1/R3K2R w KQ - 0 1",        // a pawn could step onto g1
        "4k3/8/8/8/8/8/4p3/R3K2R w KQ - 0 1",        // a pawn covers f1 and d1
        "8/8/8/8/8/8/2k5/RN2K3 b Q - 0 1",           // the right does not attack c1
        "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",      // castling both ways
        "8/8/8/KPp4r/8/8/8/7k w - c6 0 1",           // en passant uncovers the rank
        "8/8/8/8/k2Pp2Q/8/8/3K4 b - d3 0 1",         // and again, for Black
        "8/8/3k4/2pP4/8/8/8/3K4 w - c6 0 1",         // en passant takes the checker
        "4k3/8/8/8/1b6/8/3P4/4K2r w - - 0 1",        // check: block, take or step aside
        "4k3/8/8/8/1b6/5n2/8/4K3 w - - 0 1",         // double check: only the king moves
        "4k3/8/8/b7/8/8/3R4/4K3 w - - 0 1",          // a pinned rook stays put
        "4k3/8/8/8/8/2q5/1P6/K7 w - - 0 1",          // a pinned pawn takes its pinner
        "4k3/1P4P1/8/8/8/8/1p4p1/R3K2R w KQ - 0 1",  // promotions, four each
        "2b1k3/1P6/K7/8/8/8/8/8 w - - 0 1",          // a pinned pawn promotes taking its pinner
        "7K/8/8/2k5/3Pp3/8/8/6B1 b - d3 0 1",  // en passant takes the checker, uncovers a bishop
        "4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1",   // castling through an attacked square
        "4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1",  // castling out of check
        "8/8/8/3k4/8/3K4/8/8 w - - 0 1",       // kings one square apart from each other
        "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1",
        "k7/8/qqqqqqqq/8/qqqqqqqq/8/6PP/6BK b - - 0 1",  // more moves than a list holds
    };
    for (const char* fen : positions) {
        ASSERT_TRUE(test::loadFen(fen));
        compareWithMakeMove();
    }
}
}  // namespace
