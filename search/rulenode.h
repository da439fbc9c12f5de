// The node under the fifty-move rule: what the straightforward search answers at a node
// whose halfmove clock has reached the limit, found without its order of moves.
#pragma once

#include "search/node.h"

// Searches a node under the fifty-move rule below the top: beta when a child outside the
// rule reaches beta, 0 otherwise, with how far that answer holds.
Answer searchUnderRule(SearchContext& context, const NodeRequest& request, const KeyOrigin& origin);
