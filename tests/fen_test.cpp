// Reading FEN: every kind of bad input refused with a reason, the position left as it was.
// (Records written and read back are checked over random games in position_test.cpp.)

#include <cctype>

#include "tests/test_util.h"

namespace {
struct BadFen {
    const char* fen;
    const char* topic;  // a word the reason must contain
};
void PrintTo(const BadFen& c, std::ostream* out) { *out << '"' << c.fen << '"'; }
class FenRefused : public ::testing::TestWithParam<BadFen> {};
TEST_P(FenRefused, WithAReasonAndThePositionUntouched) {
    test::startGame();
    ASSERT_TRUE(test::play("e2e4 e7e5 g1f3"));
    const Position before = pos;
    std::string error;
    int fullmove = -5;
    EXPECT_FALSE(readFen(GetParam().fen, error, &fullmove));
    std::transform(error.begin(), error.end(), error.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(error.find(GetParam().topic), std::string::npos) << "reason: " << error;
    EXPECT_TRUE(test::samePosition(before, pos));
    EXPECT_EQ(fullmove, -5);
}

// clang-format off
const BadFen BAD_FENS[] = {
    {"", "field"}, {"4k3/8/8/8/8/8/8/4K3 w -", "field"},
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 extra", "field"}, {"4k3/8/8/8/8/8/8/4K2 w - - 0 1", "rank"},
    {"4k3/7/8/8/8/8/8/4K3 w - - 0 1", "rank"}, {"4k3/8/8/8/p8/8/8/4K3 w - - 0 1", "rank"},
    {"4k3/8/8/8/8/8/8/8/4K3 w - - 0 1", "rank"}, {"4k3/8/8/8/8/8/4K3 w - - 0 1", "rank"},
    {"4k3/8/8/8/8/8/8/4K3/ w - - 0 1", "rank"}, {"4k3//8/8/8/8/8/4K3 w - - 0 1", "rank"},
    {"4k3/8/8/3x4/8/8/8/4K3 w - - 0 1", "letter"}, {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "side"},
    {"4k3/8/8/8/8/8/8/4K3 W - - 0 1", "side"}, {"4k3/8/8/8/4P3/8/8/4K3 b - e4 0 1", "en-passant"},
    {"4k3/8/8/8/8/8/8/4K3 b - e3 0 1", "en-passant"},
    {"4k3/8/8/8/4P3/8/8/4K3 w - e3 0 1", "en-passant"},
    {"4k3/8/8/8/4P3/4B3/8/4K3 b - e3 0 1", "en-passant"},
    {"4k3/8/8/8/4P3/8/4B3/4K3 b - e3 0 1", "en-passant"},
    {"4k3/8/8/8/4P3/8/8/4K3 b - z9 0 1", "en-passant"},
    {"4k3/8/8/8/4P3/8/8/4K3 b - e33 0 1", "en-passant"},
    {"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "clock"}, {"4k3/8/8/8/8/8/8/4K3 w - - 10000 1", "clock"},
    {"4k3/8/8/8/8/8/8/4K3 w - - 99999999999 1", "clock"},
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "fullmove"}, {"4k3/8/8/8/8/8/8/8 w - - 0 1", "king"},
    {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", "king"}, {"3kk3/8/8/8/8/8/8/4K3 w - - 0 1", "king"},
    {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn"}, {"4k3/8/8/8/8/8/8/4K2p w - - 0 1", "pawn"},
    {"4k3/8/8/8/8/8/8/p3K3 b - - 0 1", "pawn"}, {"4k3/8/8/8/8/8/8/4K3 w K - 0 1", "castling"},
    {"4k3/8/8/8/8/8/8/R3K3 w K - 0 1", "castling"},
    {"4k3/8/8/8/8/8/8/R4K1R w KQ - 0 1", "castling"},
    {"4k3/8/8/8/8/8/8/r3K2R w Q - 0 1", "castling"}, {"r3k3/8/8/8/8/8/8/4K3 w k - 0 1", "castling"},
    {"r2k3r/8/8/8/8/8/8/4K3 w q - 0 1", "castling"},
    {"4k3/8/8/8/8/8/8/R3K2R w KK - 0 1", "castling"}, {"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "check"},
    {"4k3/8/8/8/8/8/3p4/4K3 b - - 0 1", "check"}, {"4k3/8/8/8/8/8/8/4Kq2 b - - 0 1", "check"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Fen, FenRefused, ::testing::ValuesIn(BAD_FENS));
}  // namespace
