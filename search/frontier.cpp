#include "search/frontier.h"

#include <initializer_list>

#include "core/attacks.h"
#include "core/legality.h"
#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/evaluate.h"

namespace {

// Victim types from the most valuable down; kings are never captured.
constexpr PieceCode VICTIM_ORDER[4] = {QUEEN, ROOK, KNIGHT, PAWN};

constexpr int PROMOTION_GAIN = PIECE_VALUES[QUEEN] - PIECE_VALUES[PAWN];

struct Mover {
    int side;
    int opponent;
    int king;
    int forward;  // a pawn step of the side
    SquareSet own;
    SquareSet opposing;
};

// Tells whether the side, not in check, may move the piece on 'from' to 'to' (neither
// castling nor en passant).
bool isLegal(const Mover& m, int from, int to) {
    return from == m.king ? leavesKingSafe(m.king, from, to, m.opponent)
                          : keepsKingCovered(m.king, from, to, m.opponent);
}

bool isKingStepSafe(const Mover& m, int to) {
    return leavesKingSafe(m.king, m.king, to, m.opponent);
}

// Finds the best promotion: a pawn one step from the last rank, stepping or capturing.
int bestPromotionGain(const Mover& m) {
    // The row one step before the last.
    const int row = m.side == WHITE ? WHITE_PROMOTION_ROW + 1 : BLACK_PROMOTION_ROW - 1;
    const PieceCode pawn = PAWN | m.side;
    int best = NO_LEGAL_MOVE;
    for (int from = row * ROW_WIDTH + 1; from <= row * ROW_WIDTH + 8; ++from) {
        if (pos.board[from] != pawn) continue;
        for (int fileStep = -1; fileStep <= 1; ++fileStep) {
            const int to = from + m.forward + fileStep;
            const PieceCode target = pos.board[to];
            const bool possible = fileStep == 0 ? target == EMPTY : isPieceOf(target, m.opponent);
            if (!possible) continue;
            const int gain = PROMOTION_GAIN + PIECE_VALUES[pieceType(target)];
            if (gain > best && isLegal(m, from, to)) best = gain;
        }
    }
    return best;
}

// Tells whether the piece on 'from' is the given attacker and may legally capture on 'to'.
bool capturesLegally(const Mover& m, int from, int to, PieceCode attacker) {
    return pos.board[from] == attacker && isLegal(m, from, to);
}

// Tells whether the first piece along one of the rays from the square is the side's
// slider of that kind (or its queen) and may legally take there.
bool slidesInLegally(const Mover& m, int square, const int (&rays)[4], PieceCode slider) {
    for (int d : rays) {
        int t = square + d;
        while (pos.board[t] == EMPTY) t += d;
        const PieceCode p = pos.board[t];
        if ((p == (slider | m.side) || p == (QUEEN | m.side)) && isLegal(m, t, square)) {
            return true;
        }
    }
    return false;
}

// Tells whether the side to move has a legal capture of the piece on the square.
bool canCapture(const Mover& m, int square) {
    for (int d : {-1, 1}) {
        if (capturesLegally(m, square - m.forward + d, square, PAWN | m.side)) return true;
    }
    for (int d : KNIGHT_STEPS) {
        if (capturesLegally(m, square + d, square, KNIGHT | m.side)) return true;
    }
    if (slidesInLegally(m, square, DIAGONAL_STEPS, BISHOP) ||
        slidesInLegally(m, square, STRAIGHT_STEPS, ROOK)) {
        return true;
    }
    for (int d : KING_STEPS) {
        if (square + d == m.king) return isKingStepSafe(m, square);
    }
    return false;
}

// The opponent's pieces, gathered in one pass by victim value.
struct Pieces {
    int victims[4][64];  // per entry of VICTIM_ORDER; room for a board full of them
    int victimCount[4];
};

int victimClass(PieceCode type) {
    switch (type) {
        case QUEEN:
            return 0;
        case ROOK:
            return 1;
        case KNIGHT:
        case BISHOP:
            return 2;
        case PAWN:
            return 3;
        default:
            return -1;
    }
}

// Gathers the opponent's pieces worth more than 'above', by victim value.
void gatherPieces(const Mover& m, int above, Pieces& pieces) {
    for (int& count : pieces.victimCount) count = 0;
    for (SquareSet set = m.opposing; set != 0; set &= set - 1) {
        const int sq = firstSquare(set);
        const int c = victimClass(pieceType(pos.board[sq]));
        if (c < 0 || PIECE_VALUES[VICTIM_ORDER[c]] <= above) continue;
        pieces.victims[c][pieces.victimCount[c]++] = sq;
    }
}

// Finds the most valuable piece worth more than 'above' that the side can take, en
// passant included; NO_LEGAL_MOVE when there is none.
int bestCaptureGain(const Mover& m, const Pieces& pieces, int above) {
    for (int c = 0; c < 4; ++c) {
        const int value = PIECE_VALUES[VICTIM_ORDER[c]];
        if (value <= above) return NO_LEGAL_MOVE;
        for (int k = 0; k < pieces.victimCount[c]; ++k) {
            if (canCapture(m, pieces.victims[c][k])) return value;
        }
    }
    const int ep = pos.epSquare;
    if (ep != NO_SQUARE && PIECE_VALUES[PAWN] > above) {
        for (int d : {-1, 1}) {
            const int from = ep - m.forward + d;
            const Move capture = makeMoveCode(from, ep, 0, MF_CAPTURE | MF_EN_PASSANT);
            if (pos.board[from] == (PAWN | m.side) &&
                isLegalUnplayed(capture, m.king, NO_CHECKERS)) {
                return PIECE_VALUES[PAWN];
            }
        }
    }
    return NO_LEGAL_MOVE;
}

// Tells whether a piece other than the king has a move that cannot expose the king.
bool hasFreePieceMove(const Mover& m, int from) {
    const PieceCode* b = pos.board;
    if (isPinned(m.king, from, m.opponent)) return false;
    const PieceCode type = pieceType(b[from]);
    if (type == PAWN) return b[from + m.forward] == EMPTY;
    const int* steps = type == KNIGHT ? KNIGHT_STEPS : KING_STEPS;
    const int count = type == KNIGHT || type == QUEEN ? 8 : 4;
    const int* rays = type == BISHOP ? DIAGONAL_STEPS : type == ROOK ? STRAIGHT_STEPS : steps;
    for (int k = 0; k < count; ++k) {
        const PieceCode target = b[from + rays[k]];
        if (target == EMPTY || isPieceOf(target, m.opponent)) return true;
    }
    return false;
}

// Tells whether the side to move has a legal move that a quick look can find: a piece
// other than the king with a move that cannot expose the king, or a safe king step. The
// side's pieces mostly stand near its own back rank, so the search starts there.
bool findsFreeMove(const Mover& m) {
    const SquareSet pieces = m.own & ~squareSet(m.king);
    if (m.side == BLACK) {
        for (SquareSet set = pieces; set != 0; set &= set - 1) {
            if (hasFreePieceMove(m, firstSquare(set))) return true;
        }
    } else {
        for (SquareSet set = pieces; set != 0; set &= ~squareSet(lastSquare(set))) {
            if (hasFreePieceMove(m, lastSquare(set))) return true;
        }
    }
    for (int d : KING_STEPS) {
        const PieceCode target = pos.board[m.king + d];
        if ((target == EMPTY || isPieceOf(target, m.opponent)) && isKingStepSafe(m, m.king + d)) {
            return true;
        }
    }
    return false;
}

// Tells whether the side to move, not in check, has any legal move at all.
bool hasLegalMoveOutOfCheck(const Mover& m) {
    return findsFreeMove(m) || bestLegalGainByGeneration() != NO_LEGAL_MOVE;
}

}  // namespace

int bestLegalGain(int kingSquare, SquareSet own, SquareSet opposing, int low, int high) {
    const int forward = pos.side == WHITE ? NORTH : SOUTH;
    const Mover m{pos.side, pos.side ^ BLACK, kingSquare, forward, own, opposing};
    // 1. When any move will do, only its existence matters.
    if (high <= 0) return hasLegalMoveOutOfCheck(m) ? 0 : NO_LEGAL_MOVE;
    // 2. Promotions, then captures worth more than what is already found or needed.
    int best = bestPromotionGain(m);
    if (best < high) {
        const int above = best > low ? best : low;
        Pieces pieces;
        gatherPieces(m, above, pieces);
        const int capture = bestCaptureGain(m, pieces, above);
        if (capture > best) best = capture;
    }
    if (best != NO_LEGAL_MOVE) return best;
    // 3. Nothing worth more than 'low' to win: any legal move scores as well as 'low'.
    return hasLegalMoveOutOfCheck(m) ? 0 : NO_LEGAL_MOVE;
}

bool hasLegalMoveInCheck(int kingSquare) {
    const int opponent = pos.side ^ BLACK;
    for (int d : KING_STEPS) {
        const PieceCode target = pos.board[kingSquare + d];
        const bool free = target == EMPTY || isPieceOf(target, opponent);
        if (free && leavesKingSafe(kingSquare, kingSquare, kingSquare + d, opponent)) return true;
    }
    return bestLegalGainByGeneration() != NO_LEGAL_MOVE;
}

int bestLegalGainByGeneration() {
    MoveList list;
    generateMoves(list);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    int best = NO_LEGAL_MOVE;
    for (int k = 0; k < list.count; ++k) {
        const Move move = list.moves[k];
        const int gain = materialGain(move);
        if (gain <= best || !playPseudoLegal(move)) continue;
        const bool legal = !inCheck(pos.side ^ BLACK);
        undoMove(snapshot);
        if (legal) best = gain;
    }
    return best;
}

QuietMoveOutcome classifyQuietMove(Move move, int kingSquare, int opponentKing,
                                   SquareSet opponentPieces) {
    if (!isLegalUnplayed(move, kingSquare, NO_CHECKERS)) return QuietMoveOutcome::ILLEGAL;
    // The opponent's replies are looked for on the board after the move.
    const int from = moveFrom(move);
    const int to = moveTo(move);
    const int side = pos.side;
    const int opponent = side ^ BLACK;
    PieceCode* b = pos.board;
    b[to] = b[from];
    b[from] = EMPTY;
    pos.side = opponent;
    const Mover reply{opponent,       side, opponentKing, opponent == WHITE ? NORTH : SOUTH,
                      opponentPieces, 0};
    const bool replies = !givesCheck(move, opponentKing) && findsFreeMove(reply);
    pos.side = side;
    b[from] = b[to];
    b[to] = EMPTY;
    return replies ? QuietMoveOutcome::LEAVES_A_REPLY : QuietMoveOutcome::OTHER;
}

// Scores a node outside the rule whose children are all leaves by the best material its
// side can win with one legal move, without visiting them.
Answer searchFrontier(const SearchContext& context, const NodeRequest& request) {
    const int gain = bestGainAt(context, request, request.alpha);
    if (gain == NO_LEGAL_MOVE) {
        return {noMoveScore(context, request.ply, request.inCheck), NOTHING_BELOW};
    }
    const int best = request.material + gain;
    const bool cutoff = best >= request.beta;
    return {cutoff ? request.beta : std::max(best, request.alpha),
            atFrontier(cutoff, request.beta, pos.halfmoveClock)};
}

int bestGainAt(const SearchContext& context, const NodeRequest& request, int low) {
    if (request.inCheck) return bestLegalGainByGeneration();
    const int us = sideIndex(pos.side);
    return bestLegalGain(context.pieces.king[us], context.pieces.pieces[us],
                         context.pieces.pieces[us ^ 1], low - request.material,
                         request.beta - request.material);
}

Settlement settleQuietMove(const SearchContext& context, const Node& node, Move move) {
    const Provenance child = atFrontier(true, -node.alpha, clockAfter(pos.halfmoveClock, move));
    const int us = sideIndex(pos.side);
    switch (classifyQuietMove(move, context.pieces.king[us], context.pieces.king[us ^ 1],
                              context.pieces.pieces[us ^ 1])) {
        case QuietMoveOutcome::ILLEGAL:
            return {Settled::ILLEGAL, NOTHING_BELOW};
        case QuietMoveOutcome::LEAVES_A_REPLY:
            return {Settled::BELOW_ALPHA, throughMove(child, move)};
        case QuietMoveOutcome::OTHER:
            break;
    }
    return {Settled::PLAY, NOTHING_BELOW};
}
