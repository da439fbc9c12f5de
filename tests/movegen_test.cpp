// Move generation in its fixed order, which decides the first of equally good moves:
// pieces by ascending square, each direction in table order, rays stopping at the first
// piece; promotions knight to queen; castling entries, then en-passant captures.

#include "core/notation.h"
#include "tests/test_util.h"

namespace {
struct OrderCase {
    const char* fen;
    const char* moves;  // coordinate notation, in generation order
};
void PrintTo(const OrderCase& c, std::ostream* out) { *out << c.fen; }
class GenerationOrder : public ::testing::TestWithParam<OrderCase> {};
TEST_P(GenerationOrder, IsFixed) {
    ASSERT_TRUE(test::loadFen(GetParam().fen));
    MoveList list;
    generateMoves(list);
    std::string names;
    for (int k = 0; k < list.count; ++k) names += (k ? " " : "") + coordinateName(list.moves[k]);
    EXPECT_EQ(names, GetParam().moves);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moves, GenerationOrder, ::testing::Values(
    OrderCase{START_FEN,
              "a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 f2f3 f2f4 g2g3 g2g4 h2h3 h2h4 "
              "b1a3 b1c3 g1f3 g1h3 e1g1 e1c1"},
    OrderCase{"7k/8/8/3p4/3R4/8/1P6/2B4K w - - 0 1",
              "d4d5 d4c4 d4b4 d4a4 d4e4 d4f4 d4g4 d4h4 d4d3 d4d2 d4d1 b2b3 b2b4 "
              "c1d2 c1e3 c1f4 c1g5 c1h6 h1g2 h1h2 h1g1"},
    OrderCase{"7k/8/8/3nnn2/3nQn2/3nnn2/8/K7 w - - 0 1",
              "e4d5 e4e5 e4f5 e4d4 e4f4 e4d3 e4e3 e4f3 a1a2 a1b2 a1b1"},
    OrderCase{"7k/8/8/8/3N4/8/8/K7 w - - 0 1",
              "d4c6 d4e6 d4b5 d4f5 d4b3 d4f3 d4c2 d4e2 a1a2 a1b2 a1b1"},
    OrderCase{"n1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
              "b7a8n b7a8b b7a8r b7a8q b7c8n b7c8b b7c8r b7c8q b7b8n b7b8b b7b8r b7b8q "
              "e1d2 e1e2 e1f2 e1d1 e1f1"},
    OrderCase{"7k/8/8/8/8/8/2p5/1N1N3K b - - 0 1",
              "h8g8 h8g7 h8h7 c2b1n c2b1b c2b1r c2b1q c2d1n c2d1b c2d1r c2d1q c2c1n c2c1b c2c1r c2c1q"},
    OrderCase{"rnbqkbnr/1pp1pppp/p7/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
              "e5e6 a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 f2f3 f2f4 g2g3 g2g4 h2h3 h2h4 b1a3 b1c3 "
              "d1e2 d1f3 d1g4 d1h5 e1e2 f1e2 f1d3 f1c4 f1b5 f1a6 g1f3 g1h3 g1e2 e1g1 e1c1 e5d6"},
    OrderCase{"4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1",
              "c5c6 e5e6 e1d2 e1e2 e1f2 e1d1 e1f1 c5d6 e5d6"},
    OrderCase{"4k3/8/8/2PpP3/8/8/8/4K3 w - - 0 1",
              "c5c6 e5e6 e1d2 e1e2 e1f2 e1d1 e1f1"},
    OrderCase{"4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1",
              "e8d8 e8f8 e8d7 e8e7 e8f7 d4d3 f4f3 d4e3 f4e3"}));
// clang-format on

TEST(MoveList, FullListStopsGrowingSilently) {
    test::startGame();
    MoveList list{};
    list.count = MAX_MOVES - 2;
    addMove(list, A8 + SOUTH, A8, MF_PAWN);  // four promotions, room for two
    addMove(list, B1, C1 + NORTH, 0);
    EXPECT_EQ(list.count, MAX_MOVES);
    EXPECT_EQ(coordinateName(list.moves[MAX_MOVES - 1]), "a7a8b");
}
}  // namespace
