// A move packed into 32 bits.
//
//   bits  0..7   from-square (board index)
//   bits  8..15  to-square
//   bits 16..23  promotion piece type (KNIGHT..QUEEN), 0 when not a promotion
//   bits 24..31  flags (MF_*)
//
// The value 0 (NO_MOVE) means no move at all.
#pragma once

#include <cstdint>

using Move = uint32_t;

constexpr Move NO_MOVE = 0;

constexpr uint32_t MF_CAPTURE = 0x01;
constexpr uint32_t MF_CASTLE = 0x02;
constexpr uint32_t MF_EN_PASSANT = 0x04;
constexpr uint32_t MF_DOUBLE_PUSH = 0x08;
constexpr uint32_t MF_PAWN = 0x10;
constexpr uint32_t MF_PROMOTION = 0x20;

constexpr Move makeMoveCode(int from, int to, int promotion, uint32_t flags) {
    return static_cast<uint32_t>(from) | static_cast<uint32_t>(to) << 8 |
           static_cast<uint32_t>(promotion) << 16 | flags << 24;
}
constexpr int moveFrom(Move m) { return static_cast<int>(m & 0xFF); }
constexpr int moveTo(Move m) { return static_cast<int>(m >> 8 & 0xFF); }
constexpr int movePromotion(Move m) { return static_cast<int>(m >> 16 & 0xFF); }
constexpr uint32_t moveFlags(Move m) { return m >> 24; }
constexpr bool hasFlag(Move m, uint32_t flag) { return (moveFlags(m) & flag) != 0; }
