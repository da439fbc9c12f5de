// Positions where neither side can mate any more by any series of legal moves: the laws of
// chess call them dead, and a game between people ends there as a draw.
#pragma once

// Tells whether the global position is dead by its material: kings alone, a king and one
// knight or bishop against a king, or only bishops beside the kings, all on squares of one
// colour. Reads the board only.
bool neitherSideCanMate();
