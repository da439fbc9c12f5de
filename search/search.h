// The straightforward fail-hard negamax alpha-beta search over material, and the limits
// that every search of this program shares.
#pragma once

#include <cstdint>

#include "core/move.h"

constexpr int SCORE_LIMIT = 10000;  // the outer window; a mated side scores historyCount - this
constexpr int ROOT_DEPTH = 6;
constexpr int MAX_PLY = 64;  // no check extension at or below this many plies from the top
// The deepest search the fast search's table and ordering are made for.
constexpr int FAST_SEARCH_MAX_DEPTH = 20;
// The longest line any search of at most that depth can reach: every ply uses up a ply of
// depth except the extended ones, and those lie above MAX_PLY.
constexpr int MAX_LINE_PLIES = MAX_PLY + FAST_SEARCH_MAX_DEPTH + 2;

// The move chosen by this thread's last top-level search call; 0 when it found no legal
// move. Each thread has its own, as it has its own position.
inline thread_local Move bestMove = NO_MOVE;

// Counts every call of search on this thread, leaves included.
inline thread_local uint64_t searchCalls = 0;

// Returns the score of the position for the side to move, clipped to the window
// (alpha, beta); the top-level call leaves the best move in bestMove.
int search(int alpha, int beta, int depth);

// Runs search as a call that many plies below the top-level call would: the check
// extension's bound counts from there, and bestMove is left alone unless atPly is 0.
int searchAtPly(int alpha, int beta, int depth, int atPly);
