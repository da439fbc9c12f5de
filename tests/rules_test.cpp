// Playing one move: what it changes, or that it is refused without a trace.

#include "tests/test_util.h"

namespace {
constexpr const char* REFUSED = "refused";

struct MoveCase {
    const char* before;
    const char* move;   // coordinate notation, as generated for either side
    const char* after;  // FEN without the fullmove number, or REFUSED
};
void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.before << " " << c.move; }
class PlayMove : public ::testing::TestWithParam<MoveCase> {};
TEST_P(PlayMove, ChangesThePositionOrRefusesWithoutTrace) {
    const MoveCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.before));
    Move move = test::findMove(c.move);
    if (move == NO_MOVE) {  // a move of the side not to move must be refused as well
        pos.side ^= BLACK;
        move = test::findMove(c.move);
        pos.side ^= BLACK;
    }
    ASSERT_TRUE(move != NO_MOVE) << c.move << " is not generated";
    const Position before = pos;
    const bool accepted = makeMove(move);
    if (std::string(c.after) == REFUSED) {
        EXPECT_FALSE(accepted);
        EXPECT_TRUE(test::samePosition(before, pos));
        return;
    }
    ASSERT_TRUE(accepted);
    const std::string fen = writeFen();
    EXPECT_EQ(fen.substr(0, fen.rfind(' ')), c.after);
    EXPECT_EQ(pos.historyCount, before.historyCount + 1);
    EXPECT_EQ(pos.history[before.historyCount], pos.hash);
}

// clang-format off
const MoveCase MOVE_CASES[] = {
    // Castling: the king may not start in, pass through or land on an attacked square; the
    // squares between king and rook must be empty; a pawn's step onto the path counts.
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 3 9",   "e1g1", "4k3/8/8/8/8/8/8/R4RK1 b - - 4"},
    {"4k3/8/8/8/8/8/8/R3K2R w KQ - 3 9",   "e1c1", "4k3/8/8/8/8/8/8/2KR3R b - - 4"},
    {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", REFUSED},
    {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", REFUSED},
    {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 3 9",  "e1g1", REFUSED},
    {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 3 9",  "e1c1", "4kr2/8/8/8/8/8/8/2KR3R b - - 4"},
    {"4k1r1/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1g1", REFUSED},
    {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 3 9",  "e1c1", REFUSED},
    {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 3 9",  "e1g1", "3rk3/8/8/8/8/8/8/R4RK1 b - - 4"},
    {"2r1k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", REFUSED},
    {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 3 9", "e1c1", "1r2k3/8/8/8/8/8/8/2KR3R b - - 4"},
    {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 3 9",  "e1c1", REFUSED},
    {"4k3/8/8/8/8/8/8/R3K1NR w KQ - 3 9",  "e1g1", REFUSED},
    {"4k3/8/8/8/8/8/8/R3KB1R w KQ - 3 9",  "e1g1", REFUSED},
    {"4k3/8/8/8/8/8/6p1/R3K2R w KQ - 3 9", "e1g1", REFUSED},
    {"4k3/8/8/8/8/8/2p5/R3K2R w KQ - 3 9", "e1c1", REFUSED},
    {"4k3/8/8/8/8/8/2p5/R3K2R w KQ - 3 9", "e1g1", "4k3/8/8/8/8/8/2p5/R4RK1 b - - 4"},
    {"4k3/8/8/8/8/8/4p3/R3K2R w KQ - 3 9", "e1g1", REFUSED},
    {"4k3/8/8/8/8/8/4p3/R3K2R w KQ - 3 9", "e1c1", REFUSED},
    {"4k3/8/8/8/8/8/7p/R3K2R w KQ - 3 9",  "e1g1", REFUSED},
    {"4k3/8/8/8/8/8/p7/R3K2R w KQ - 3 9",  "e1c1", "4k3/8/8/8/8/8/p7/2KR3R b - - 4"},
    {"r3k2r/8/8/8/8/8/8/4K3 b kq - 3 9",   "e8g8", "r4rk1/8/8/8/8/8/8/4K3 w - - 4"},
    {"r3k2r/8/8/8/8/8/8/4K3 b kq - 3 9",   "e8c8", "2kr3r/8/8/8/8/8/8/4K3 w - - 4"},
    {"r3k2r/8/8/8/8/8/8/4RK2 b kq - 3 9",  "e8g8", REFUSED},
    {"r3k2r/8/8/8/8/8/8/4RK2 b kq - 3 9",  "e8c8", REFUSED},
    {"r3k2r/8/8/8/8/8/8/3RK3 b kq - 3 9",  "e8c8", REFUSED},
    {"r3k2r/8/8/8/8/8/8/3RK3 b kq - 3 9",  "e8g8", "r4rk1/8/8/8/8/8/8/3RK3 w - - 4"},
    {"r3k2r/6P1/8/8/8/8/8/4K3 b kq - 3 9", "e8g8", REFUSED},
    {"r3k2r/2P5/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", REFUSED},
    {"r3k2r/4P3/8/8/8/8/8/4K3 b kq - 3 9", "e8g8", REFUSED},
    {"r3k2r/4P3/8/8/8/8/8/4K3 b kq - 3 9", "e8c8", REFUSED},
    {"r3k2r/P7/8/8/8/8/8/4K3 b kq - 3 9",  "e8c8", "2kr3r/P7/8/8/8/8/8/4K3 w - - 4"},
    {"rn2k2r/8/8/8/8/8/8/4K3 b kq - 3 9",  "e8c8", REFUSED},
    // Castling rights go with a king's or rook's move and with a capture on a rook's corner.
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "h1h8", "r3k2R/8/8/8/8/8/8/R3K3 b Qq - 0"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "a1a8", "R3k2r/8/8/8/8/8/8/4K2R b Kk - 0"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "a1b1", "r3k2r/8/8/8/8/8/8/1R2K2R b Kkq - 6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "h1h2", "r3k2r/8/8/8/8/8/7R/R3K3 b Qkq - 6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 000000005 1", "e1e2", "r3k2r/8/8/8/8/8/4K3/R6R b kq - 6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 5 1", "a8a1", "4k2r/8/8/8/8/8/8/r3K2R w Kk - 0"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 5 1", "h8h7", "r3k3/7r/8/8/8/8/8/R3K2R w KQq - 6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 5 1", "e8d8", "r2k3r/8/8/8/8/8/8/R3K2R w KQ - 6"},
    {"4k2r/6P1/8/8/8/8/8/4K3 w k - 9 40",    "g7h8q", "4k2Q/8/8/8/8/8/8/4K3 b - - 0"},
    // Castling rights attack nothing: a king may step next to an unmoved king and rook.
    {"8/8/8/8/8/8/2k5/RN2K3 b Q - 0 1", "c2c1", "8/8/8/8/8/8/8/RNk1K3 w Q - 1"},
    {"rN2k3/2K5/8/8/8/8/8/8 w q - 0 1", "c7c8", "rNK1k3/8/8/8/8/8/8/8 b q - 1"},
    // Promotion to the piece named, for both colours.
    {"8/P7/7k/8/8/8/p7/4K3 w - - 7 1", "a7a8q", "Q7/8/7k/8/8/8/p7/4K3 b - - 0"},
    {"8/P7/7k/8/8/8/p7/4K3 w - - 7 1", "a7a8n", "N7/8/7k/8/8/8/p7/4K3 b - - 0"},
    {"8/P7/7k/8/8/8/p7/4K3 b - - 7 1", "a2a1r", "8/P7/7k/8/8/8/8/r3K3 w - - 0"},
    {"8/P7/7k/8/8/8/p7/4K3 b - - 7 1", "a2a1b", "8/P7/7k/8/8/8/8/b3K3 w - - 0"},
    // En passant: the double step sets the square for one ply, the capture empties the
    // taken pawn's square.
    {"4k3/8/8/8/3p1p2/8/4P3/4K3 w - - 3 1", "e2e4", "4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0"},
    {"4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1",  "d4e3", "4k3/8/8/8/5p2/4p3/8/4K3 w - - 0"},
    {"4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1",  "f4e3", "4k3/8/8/8/3p4/4p3/8/4K3 w - - 0"},
    {"4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1",  "e8d8", "3k4/8/8/8/3pPp2/8/8/4K3 w - - 1"},
    {"4k3/3p4/8/2P1P3/8/8/8/4K3 b - - 3 1", "d7d5", "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0"},
    {"4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1",  "c5d6", "4k3/8/3P4/4P3/8/8/8/4K3 b - - 0"},
    {"4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1",  "e5d6", "4k3/8/3P4/2P5/8/8/8/4K3 b - - 0"},
    // Moves that leave the mover's king attacked, and moves of the side not to move.
    {"4k3/4r3/8/8/8/8/4N3/4K3 w - - 7 20",     "e2c3", REFUSED},
    {"4k3/8/8/8/8/8/3r4/R3K2R w KQ - 7 20",    "e1d1", REFUSED},
    {"8/8/8/8/k2pP2R/8/8/7K b - e3 0 20",      "d4e3", REFUSED},
    {"4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 20",     "e5d6", REFUSED},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "a7a6", REFUSED},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rules, PlayMove, ::testing::ValuesIn(MOVE_CASES));
}  // namespace
