// Move notation: coordinate text read and written back, standard algebraic notation
// with the least disambiguation among legal moves, captures, promotions, castling and
// check and mate suffixes, and moves as a person types them, read back to the move.

#include "core/notation.h"
#include "tests/test_util.h"

namespace {
constexpr const char* NO_LEGAL_MOVE = "-";

struct NotationCase {
    const char* fen;
    const char* coordinate;
    const char* san;  // NO_LEGAL_MOVE when the text names no legal move
};
void PrintTo(const NotationCase& c, std::ostream* out) { *out << c.fen << " " << c.coordinate; }
class Notation : public ::testing::TestWithParam<NotationCase> {};
TEST_P(Notation, CoordinateAndSan) {
    const NotationCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    const Position before = pos;
    const Move move = parseCoordinateMove(c.coordinate);
    if (std::string(c.san) == NO_LEGAL_MOVE) {
        EXPECT_EQ(coordinateName(move), coordinateName(NO_MOVE));
    } else {
        ASSERT_EQ(coordinateName(move), c.coordinate);
        EXPECT_EQ(sanName(move), c.san);
        EXPECT_EQ(readMove(c.san).move, move) << "the name reads back";
        EXPECT_EQ(readMove(c.coordinate).move, move);
    }
    EXPECT_TRUE(test::sameAfterSearch(before)) << "naming a move plays nothing";
    EXPECT_EQ(pos.hash, before.hash);
}

constexpr const char* TWO_KNIGHTS = "k7/8/8/8/7K/2N3N1/8/8 w - - 0 1";
constexpr const char* PINNED_KNIGHT = "k7/8/8/8/7K/2N3N1/5b2/8 w - - 0 1";
constexpr const char* TWO_ROOKS = "7k/8/8/R7/8/8/8/R3K3 w - - 0 1";
constexpr const char* THREE_QUEENS = "8/8/k7/8/4Q2Q/8/8/K6Q w - - 0 1";
constexpr const char* PROMOTION = "3rk3/2P5/8/8/8/8/8/4K3 w - - 0 1";
constexpr const char* CASTLING = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
constexpr const char* SCHOLAR =
    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4";
// clang-format off
const NotationCase NOTATION_CASES[] = {
    {START_FEN, "e2e4", "e4"}, {START_FEN, "g1f3", "Nf3"}, {TWO_KNIGHTS, "c3e4", "Nce4"},
    {TWO_KNIGHTS, "g3e4", "Nge4"}, {TWO_KNIGHTS, "c3e2", "Nce2"}, {TWO_KNIGHTS, "c3a4", "Na4"},
    {PINNED_KNIGHT, "c3e4", "Ne4"}, {PINNED_KNIGHT, "g3e4", NO_LEGAL_MOVE},
    {TWO_ROOKS, "a1a3", "R1a3"}, {TWO_ROOKS, "a5a3", "R5a3"}, {TWO_ROOKS, "a1b1", "Rb1"},
    {THREE_QUEENS, "h4e1", "Qh4e1"}, {THREE_QUEENS, "e4e1", "Qee1"}, {THREE_QUEENS, "h1e1", "Q1e1"},
    {"4k3/8/8/2p5/1P1P4/8/8/4K3 w - - 0 1", "b4c5", "bxc5"},
    {"4k3/8/8/2p5/1P1P4/8/8/4K3 w - - 0 1", "d4c5", "dxc5"},
    {"4k3/8/8/3pP3/8/8/8/R3K3 w - d6 0 1", "e5d6", "exd6"},
    {"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "d4e3", "dxe3"}, {PROMOTION, "c7c8q", "c8=Q"},
    {PROMOTION, "c7c8n", "c8=N"}, {PROMOTION, "c7d8q", "cxd8=Q+"}, {PROMOTION, "c7d8b", "cxd8=B"},
    {PROMOTION, "c7c8", NO_LEGAL_MOVE}, {PROMOTION, "c7c8k", NO_LEGAL_MOVE},
    {PROMOTION, "c7c8Q", NO_LEGAL_MOVE}, {"4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2a1q", "a1=Q+"},
    {CASTLING, "e1g1", "O-O"}, {CASTLING, "e1c1", "O-O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
    {"8/8/8/5k2/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
    {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#"},
    {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a7", "Ra7"}, {SCHOLAR, "h5f7", "Qxf7#"},
    {SCHOLAR, "c4f7", "Bxf7+"}, {"6k1/8/6K1/8/8/8/8/1Q6 w - - 0 1", "b1b8", "Qb8#"},
    {"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", "e1f2", NO_LEGAL_MOVE},
    {"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", "e1e2", "Kxe2"}, {START_FEN, "e2e5", NO_LEGAL_MOVE},
    {START_FEN, "e7e5", NO_LEGAL_MOVE}, {START_FEN, "e1g1", NO_LEGAL_MOVE},
    {START_FEN, "e2e4q", NO_LEGAL_MOVE}, {START_FEN, "e2e4 ", NO_LEGAL_MOVE},
    {START_FEN, "e2e", NO_LEGAL_MOVE}, {START_FEN, "e2e9", NO_LEGAL_MOVE},
    {START_FEN, "i2i4", NO_LEGAL_MOVE}, {START_FEN, "E2E4", NO_LEGAL_MOVE},
    {START_FEN, "0000", NO_LEGAL_MOVE},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Moves, Notation, ::testing::ValuesIn(NOTATION_CASES));

struct ReadingCase {
    const char* fen;
    const char* text;
    MoveVerdict verdict;
    const char* found;  // the move in coordinates when legal; the candidates' SAN when ambiguous
    bool bishopFromSmallB = false;
};
void PrintTo(const ReadingCase& c, std::ostream* out) { *out << c.fen << " '" << c.text << "'"; }
class Reading : public ::testing::TestWithParam<ReadingCase> {};
TEST_P(Reading, TellsTheMoveOrWhatIsWrong) {
    const ReadingCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    const Position before = pos;
    const MoveReading reading = readMove(c.text);
    EXPECT_EQ(reading.verdict, c.verdict);
    std::string found = reading.verdict == MoveVerdict::LEGAL ? coordinateName(reading.move) : "";
    for (int k = 0; reading.verdict == MoveVerdict::AMBIGUOUS && k < reading.candidates.count;
         ++k) {
        found += (k > 0 ? " " : "") + sanName(reading.candidates.moves[k]);
    }
    EXPECT_EQ(found, c.found);
    EXPECT_EQ(reading.bishopFromSmallB, c.bishopFromSmallB);
    EXPECT_TRUE(test::sameAfterSearch(before)) << "reading a move plays nothing";
}

constexpr MoveVerdict LEGAL = MoveVerdict::LEGAL, AMBIGUOUS = MoveVerdict::AMBIGUOUS,
                      SELF_CHECK = MoveVerdict::SELF_CHECK, ILLEGAL = MoveVerdict::ILLEGAL,
                      UNREADABLE = MoveVerdict::UNREADABLE;
constexpr const char* ROOK_CHECKS = "4k3/8/8/8/8/8/4r3/4K3 w - - 0 1";
constexpr const char* PAWNS = "4k3/8/8/2p5/1P1P4/8/8/4K3 w - - 0 1";
constexpr const char* PAWN_OR_BISHOP = "4k3/8/8/8/2p5/1P6/8/4KB2 w - - 0 1";
constexpr const char* PINNED_B_PAWN = "1r2k3/8/8/8/2p5/1P6/8/1K3B2 w - - 0 1";
// clang-format off
const ReadingCase READING_CASES[] = {
    {START_FEN, "Nf3", LEGAL, "g1f3"}, {START_FEN, "e4", LEGAL, "e2e4"}, {START_FEN, "e2e4", LEGAL, "e2e4"},
    {START_FEN, "Ng1f3", LEGAL, "g1f3"}, {START_FEN, "Nf6", ILLEGAL, ""}, {START_FEN, "e5", ILLEGAL, ""},
    {START_FEN, "O-O", ILLEGAL, ""}, {START_FEN, "e2e5", ILLEGAL, ""}, {START_FEN, "Pe4", UNREADABLE, ""},
    {START_FEN, "nf3", LEGAL, "g1f3"}, {START_FEN, "Nf3x", UNREADABLE, ""}, {START_FEN, "", UNREADABLE, ""},
    {START_FEN, "e4 ", UNREADABLE, ""}, {START_FEN, "Ni3", UNREADABLE, ""}, {START_FEN, "e0", UNREADABLE, ""}, {START_FEN, "resign", UNREADABLE, ""},
    {TWO_KNIGHTS, "Ne4", AMBIGUOUS, "Nce4 Nge4"}, {TWO_KNIGHTS, "N3e4", AMBIGUOUS, "Nce4 Nge4"},
    {TWO_KNIGHTS, "Ngxe4", LEGAL, "g3e4"}, {TWO_KNIGHTS, "Nce2", LEGAL, "c3e2"},
    {PINNED_KNIGHT, "Nge4", SELF_CHECK, ""}, {PINNED_KNIGHT, "Ne4", LEGAL, "c3e4"},
    {TWO_ROOKS, "Ra3", AMBIGUOUS, "R5a3 R1a3"}, {TWO_ROOKS, "R1a3", LEGAL, "a1a3"},
    {SCHOLAR, "Qxf7#", LEGAL, "h5f7"}, {SCHOLAR, "Qxf7", LEGAL, "h5f7"}, {SCHOLAR, "Qf7+", LEGAL, "h5f7"},
    {PROMOTION, "c8=Q", LEGAL, "c7c8q"}, {PROMOTION, "c8Q", LEGAL, "c7c8q"}, {PROMOTION, "c7c8Q", LEGAL, "c7c8q"}, {PROMOTION, "cxd8=N", LEGAL, "c7d8n"},
    {PROMOTION, "c8", AMBIGUOUS, "c8=N c8=B c8=R c8=Q"}, {PROMOTION, "c7c8", AMBIGUOUS, "c8=N c8=B c8=R c8=Q"},
    {PROMOTION, "c8=K", UNREADABLE, ""}, {PROMOTION, "d8=Q", ILLEGAL, ""},
    {CASTLING, "O-O", LEGAL, "e1g1"}, {CASTLING, "O-O-O+", LEGAL, "e1c1"}, {CASTLING, "Kg1", ILLEGAL, ""},
    {ROOK_CHECKS, "Kf2", SELF_CHECK, ""}, {ROOK_CHECKS, "Ke2", LEGAL, "e1e2"}, {ROOK_CHECKS, "Kxe2+", LEGAL, "e1e2"},
    {"4k3/8/8/3pP3/8/8/8/R3K3 w - d6 0 1", "exd6", LEGAL, "e5d6"}, {PAWNS, "c5", ILLEGAL, ""},
    {PAWNS, "bxc5", LEGAL, "b4c5"}, {PAWNS, "bc5", LEGAL, "b4c5"}, {PAWNS, "b5", LEGAL, "b4b5"},
    // Moves as people type them: zeros and small letters, long algebraic notation.
    {CASTLING, "0-0", LEGAL, "e1g1"}, {CASTLING, "0-0-0#", LEGAL, "e1c1"}, {CASTLING, "o-o+", LEGAL, "e1g1"}, {CASTLING, "o-o-o", LEGAL, "e1c1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "0-0-0", LEGAL, "e8c8"}, {START_FEN, "0-0", ILLEGAL, ""}, {START_FEN, "o-o-o", ILLEGAL, ""},
    {START_FEN, "O-0", UNREADABLE, ""}, {START_FEN, "0-0-0-0", UNREADABLE, ""}, {START_FEN, "pe4", UNREADABLE, ""}, {START_FEN, "nf6", ILLEGAL, ""},
    {SCHOLAR, "qd1", LEGAL, "h5d1"}, {SCHOLAR, "qxf7#", LEGAL, "h5f7"}, {ROOK_CHECKS, "kxe2", LEGAL, "e1e2"}, {ROOK_CHECKS, "kd2", SELF_CHECK, ""},
    {TWO_ROOKS, "ra3", AMBIGUOUS, "R5a3 R1a3"}, {TWO_ROOKS, "r1a3", LEGAL, "a1a3"}, {TWO_ROOKS, "rc7", ILLEGAL, ""}, {TWO_KNIGHTS, "ngxe4", LEGAL, "g3e4"},
    {START_FEN, "Ng1-f3", LEGAL, "g1f3"}, {START_FEN, "ng1f3", LEGAL, "g1f3"}, {START_FEN, "g1-f3", LEGAL, "g1f3"}, {START_FEN, "e2-e4", LEGAL, "e2e4"},
    {START_FEN, "e2-e5", ILLEGAL, ""}, {START_FEN, "N-f3", UNREADABLE, ""}, {START_FEN, "Ng-f3", UNREADABLE, ""}, {START_FEN, "Nxg1f3", UNREADABLE, ""},
    {START_FEN, "e2--e4", UNREADABLE, ""}, {TWO_KNIGHTS, "Ng3xe4", LEGAL, "g3e4"}, {TWO_KNIGHTS, "Nc3-e4+", LEGAL, "c3e4"}, {PINNED_KNIGHT, "Ng3-e4", SELF_CHECK, ""},
    {PROMOTION, "c7-c8=Q", LEGAL, "c7c8q"}, {PROMOTION, "c7-c8n", LEGAL, "c7c8n"}, {PROMOTION, "c7xd8=r", LEGAL, "c7d8r"}, {PROMOTION, "c8=q", LEGAL, "c7c8q"},
    {PROMOTION, "c8q", LEGAL, "c7c8q"}, {PROMOTION, "c8b", LEGAL, "c7c8b"}, {PROMOTION, "cxd8=n", LEGAL, "c7d8n"}, {PROMOTION, "cxd8q+", LEGAL, "c7d8q"},
    {PROMOTION, "c7-c8", AMBIGUOUS, "c8=N c8=B c8=R c8=Q"}, {PROMOTION, "c8=k", UNREADABLE, ""}, {PROMOTION, "c8=p", UNREADABLE, ""},
    // A small b is the b-file while a b-pawn's move fits, the pawn's own SAN always.
    {PAWN_OR_BISHOP, "bc4", AMBIGUOUS, "bxc4 Bxc4"}, {PAWN_OR_BISHOP, "bxc4", LEGAL, "b3c4"}, {PAWN_OR_BISHOP, "b4", LEGAL, "b3b4"},
    {PAWN_OR_BISHOP, "bd3", LEGAL, "f1d3", true}, {PAWN_OR_BISHOP, "bf1-d3", LEGAL, "f1d3", true}, {PAWN_OR_BISHOP, "bb5", ILLEGAL, ""},
    {"4k3/8/8/8/2p5/8/8/4KB2 w - - 0 1", "bxc4", LEGAL, "f1c4", true}, {PINNED_B_PAWN, "bc4", SELF_CHECK, ""}, {PINNED_B_PAWN, "bxc4", SELF_CHECK, ""},
    {PINNED_B_PAWN, "bd3", LEGAL, "f1d3", true}, {PINNED_B_PAWN, "Bxc4", LEGAL, "f1c4"}, {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "bd3", SELF_CHECK, ""},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Moves, Reading, ::testing::ValuesIn(READING_CASES));
}  // namespace
