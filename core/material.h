// Material that can no longer mate: the dead positions a game between people ends in, judged
// by the pieces on the board alone.
#pragma once

// Tells whether neither side can mate by any series of legal moves, going by the pieces of
// the global position: kings alone, with one knight beside them, or with bishops that all
// stand on squares of one colour. A pawn, rook or queen, two knights, or a knight and a
// bishop can still mate. Writes nothing.
bool neitherSideCanMate();
