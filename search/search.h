// The straightforward fail-hard negamax alpha-beta search over material.
#pragma once

#include <cstdint>

#include "core/move.h"

constexpr int SCORE_LIMIT = 10000;  // the outer window; a mated side scores historyCount - this
constexpr int ROOT_DEPTH = 6;
constexpr int MAX_PLY = 64;  // no check extension at or below this many plies from the top

// The move chosen by the last top-level search call; 0 when it found no legal move.
extern Move bestMove;

// Counts every call of search, leaves included.
extern uint64_t searchCalls;

// Returns the score of the position for the side to move, clipped to the window
// (alpha, beta); the top-level call leaves the best move in bestMove.
int search(int alpha, int beta, int depth);

// Runs search as a call that many plies below the top-level call would: the check
// extension's bound counts from there, and bestMove is left alone unless atPly is 0.
int searchAtPly(int alpha, int beta, int depth, int atPly);
