// Reads a PGN record with chess.js and checks it: the tags, every move
// legal and named exactly as chess.js names it, and the ending: the one that the closing
// comment gives in chesstool's records, or else one that agrees with the result.
// usage: node check_pgn.mjs FILE
import { readFileSync } from 'node:fs';
import { Chess } from 'chess.js';

const ROSTER = ['Event', 'Site', 'Date', 'Round', 'White', 'Black', 'Result'];

const fail = (message) => (console.error(`check_pgn: ${message}`), process.exit(1));
const file = process.argv[2];
if (!file) fail('usage: node check_pgn.mjs FILE');
const text = readFileSync(file, 'utf8');
const lines = text.split('\n');
const tagNames = lines.filter((l) => l.startsWith('[')).map((l) => l.slice(1, l.indexOf(' ')));
ROSTER.forEach((name, k) => {
  if (tagNames[k] !== name) fail(`tag ${k + 1} is ${tagNames[k]}, not ${name}`);
});
if (tagNames.includes('SetUp') !== tagNames.includes('FEN')) fail('SetUp and FEN come together');

const movetext = lines.filter((l) => !l.startsWith('[')).join(' ');
// A timed game's moves carry their clocks, {[%clk 0:04:59]}; the closing comment says why.
const comment = [...movetext.matchAll(/\{([^}]*)\}/g)]
  .map((m) => m[1].replace(/\[%clk [^\]]*\] ?/, '')).filter((c) => c).pop();
const words = movetext.replace(/\{[^}]*\}/g, ' ').split(/\s+/).filter((w) => w);
const termination = words.pop();
const ourSan = words.filter((w) => !/^\d+\.(\.\.)?$/.test(w));

const chess = new Chess();
try {
  chess.loadPgn(text, { strict: true });
} catch (error) {
  fail(`chess.js refuses the record: ${error.message}`);
}
const theirSan = chess.history();
if (theirSan.length !== ourSan.length) fail(`${ourSan.length} moves, chess.js reads ${theirSan.length}`);
theirSan.forEach((san, k) => {
  if (san !== ourSan[k]) fail(`move ${k + 1} is written ${ourSan[k]}, chess.js writes ${san}`);
});

const { Result: resultTag } = chess.getHeaders();
if (resultTag !== termination) fail(`Result tag ${resultTag} but the movetext ends ${termination}`);
const mover = chess.turn() === 'w' ? 'White' : 'Black';
const winner = mover === 'White' ? 'Black' : 'White';
const expectations = {
  [`${winner} wins by checkmate`]: () =>
    chess.isCheckmate() && termination === (winner === 'White' ? '1-0' : '0-1'),
  'Draw by stalemate': () => chess.isStalemate() && termination === '1/2-1/2',
  'White resigns': () => !chess.isGameOver() && termination === '0-1',
  'White wins on time': () => !chess.isGameOver() && termination === '1-0',
  'Black wins on time': () => !chess.isGameOver() && termination === '0-1',
  'Draw: neither side can mate': () => chess.isInsufficientMaterial() && termination === '1/2-1/2',
  'Black resigns': () => !chess.isGameOver() && termination === '1-0',
  'Draw by the fifty-move rule': () => chess.isDrawByFiftyMoves() && termination === '1/2-1/2',
  'Draw by threefold repetition': () => chess.isThreefoldRepetition() && termination === '1/2-1/2',
  // The game's own rule compares 32-bit hashes; chess.js must not find a true repetition.
  'Draw by threefold repetition of the position hash': () =>
    !chess.isThreefoldRepetition() && !chess.isCheckmate() && termination === '1/2-1/2',
};
if (comment === undefined) {
  const ending = chess.isCheckmate()
    ? (winner === 'White' ? '1-0' : '0-1')
    : chess.isDraw() ? '1/2-1/2' : '*';
  if (ending !== termination) fail(`the final position calls for ${ending}, not ${termination}`);
  console.log(`check_pgn: ${file}: ${ourSan.length} plies, ${termination}: confirmed`);
  process.exit(0);
}
const holds = expectations[comment];
if (!holds) fail(`unexpected closing comment "${comment}" with ${mover} to move`);
if (!holds()) fail(`chess.js does not confirm "${comment}" ${termination}`);
console.log(`check_pgn: ${file}: ${ourSan.length} plies, "${comment}" ${termination}: confirmed`);
