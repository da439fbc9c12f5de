// The straightforward fail-hard negamax alpha-beta search over material.
#pragma once

#include <cstdint>

#include "core/move.h"
#include "search/limits.h"
#include "search/score.h"

constexpr int ROOT_DEPTH = 6;

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
