// Dead positions: the material with which neither side can mate, whoever is to move.

#include "core/material.h"
#include "tests/test_util.h"

namespace {
struct MaterialCase {
    const char* fen;
    bool dead;
};
void PrintTo(const MaterialCase& c, std::ostream* out) { *out << c.fen; }
class Material : public ::testing::TestWithParam<MaterialCase> {};
TEST_P(Material, TellsWhetherNeitherSideCanMate) {
    ASSERT_TRUE(test::loadFen(GetParam().fen));
    const Position before = pos;
    EXPECT_EQ(neitherSideCanMate(), GetParam().dead);
    EXPECT_TRUE(test::samePosition(before, pos));
}

// clang-format off
const MaterialCase MATERIAL_CASES[] = {
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},      {"4k3/8/8/8/8/8/8/4KN2 b - - 0 1", true},
    {"4kb2/8/8/8/8/8/8/4K3 w - - 0 1", true},     {"2b1k3/8/8/8/8/8/8/4KB2 w - - 0 1", true},
    {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", false},  {"4kb2/8/8/8/8/8/8/4K1B1 w - - 0 1", true},
    {"4kb2/8/8/8/8/8/8/4KB2 w - - 0 1", false},   {"3bkb2/8/8/8/8/8/8/B3K3 b - - 0 1", true},
    {"4kn2/8/8/8/8/8/8/4KN2 w - - 0 1", false},   {"4k3/8/8/8/8/8/8/3NKN2 w - - 0 1", false},
    {"4kn2/8/8/8/8/8/8/4KB2 w - - 0 1", false},   {"4k3/8/8/8/8/8/8/4KBN1 w - - 0 1", false},
    {"4k3/p7/8/8/8/8/8/4K3 w - - 0 1", false},    {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", false},
    {"3qk3/8/8/8/8/8/8/4K3 w - - 0 1", false},    {"4k3/8/8/8/8/8/7P/4KB2 w - - 0 1", false},
    {"4k3/8/8/8/8/8/8/2B1K1B1 w - - 0 1", true},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Positions, Material, ::testing::ValuesIn(MATERIAL_CASES));
}  // namespace
