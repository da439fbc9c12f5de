// The score of a node whose children are all leaves: the material the side to move
// stands at plus the most it can win with one legal move; and a quiet move next to the
// leaves judged without being played.
#pragma once

#include "core/move.h"
#include "core/position.h"
#include "search/node.h"

constexpr int NO_LEGAL_MOVE = -1;

// Returns the most material the side to move can win with one legal move (0 for a
// quiet move), or NO_LEGAL_MOVE, to the precision a window needs: every gain of at most
// 'low' may be answered by any gain of at most 'low', and every gain of at least 'high'
// by any of at least 'high'. Looks only at the moves that matter: promotions, then
// victims from the most valuable down, then any move at all. The side to move must not
// be in check; kingSquare is where its king stands, own and opposing the squares of its
// pieces and of the opponent's.
int bestLegalGain(int kingSquare, SquareSet own, SquareSet opposing, int low, int high);

// Answers the same by generating and playing every move; works in check as well.
int bestLegalGainByGeneration();

// Tells whether the side to move, in check with its king on kingSquare, has a legal move:
// a safe king step if there is one, otherwise by generating and playing every move.
bool hasLegalMoveInCheck(int kingSquare);

enum class QuietMoveOutcome { ILLEGAL, LEAVES_A_REPLY, OTHER };

// Judges a quiet move of the side to move (no capture, promotion, castling or en passant)
// on the board alone, without playing it: ILLEGAL when it exposes the king, LEAVES_A_REPLY
// when it is legal, gives no check and the opponent surely has a legal move after it,
// OTHER when only playing it can tell. The side to move must not be in check; the board
// is left as it was.
QuietMoveOutcome classifyQuietMove(Move move, int kingSquare, int opponentKing,
                                   SquareSet opponentPieces);

// The fast search's nodes next to the leaves.

// Scores a node outside the fifty-move rule whose children are all leaves by the best
// material its side can win with one legal move, without visiting them.
Answer searchFrontier(const SearchContext& context, const NodeRequest& request);

// Returns the most material the side to move can win with one legal move, or
// NO_LEGAL_MOVE, as precisely as a node whose children are leaves needs it for the window
// (low, request.beta).
int bestGainAt(const SearchContext& context, const NodeRequest& request, int low);

// What a move's child needs before it is searched.
enum class Settled {
    PLAY,         // only searching it tells
    ILLEGAL,      // it exposes the king
    BELOW_ALPHA,  // legal, and its child cuts off at its beta without a search
};

struct Settlement {
    Settled outcome;
    Provenance child;  // for BELOW_ALPHA: what the child's cut-off relies on, seen from here
};

// Classifies a move of a node without playing it. At a node whose children are leaves, a
// quiet move from a material balance no better than alpha leaves the child no better
// either, so the child cuts off at its beta, unless the move checks (the child would look
// further) or leaves the opponent without a move (stalemate scores 0).
// The test is inline, as it is made for every move of every node; the classification is not.
Settlement settleQuietMove(const SearchContext& context, const Node& node, Move move);
inline Settlement settleUnplayed(const SearchContext& context, const Node& node, Move move) {
    const uint32_t flags = moveFlags(move);
    const bool quiet = flags == 0 || flags == MF_PAWN || flags == (MF_PAWN | MF_DOUBLE_PUSH);
    if (node.depth != 2 || node.check.count > 0 || node.material > node.alpha || !quiet) {
        return {Settled::PLAY, NOTHING_BELOW};
    }
    return settleQuietMove(context, node, move);
}
