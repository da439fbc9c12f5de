// Plays one game between "chesstool uci" and another UCI engine, both driven by node-uci,
// with every move checked by chess.js, and writes the game as PGN.
// usage: node uci_match.mjs CHESSTOOL OTHER_ENGINE OUT.pgn [DEPTH]
import { writeFileSync } from 'node:fs';
import nodeUci from 'node-uci';
import { Chess } from 'chess.js';
import { engineScript } from './engine_script.mjs';

const { Engine } = nodeUci;
const MAX_PLIES = 400;

function fail(message) {
  console.error(`uci_match: ${message}`);
  process.exit(1);
}

function resultOf(chess) {
  if (chess.isCheckmate()) return chess.turn() === 'w' ? '0-1' : '1-0';
  return chess.isDraw() ? '1/2-1/2' : '*';
}

async function main() {
  const [chesstool, other, out, depthText = '3'] = process.argv.slice(2);
  if (!chesstool || !other || !out) fail('usage: node uci_match.mjs CHESSTOOL OTHER OUT.pgn [DEPTH]');
  const depth = Number(depthText);
  const ours = new Engine(engineScript(chesstool));
  const theirs = new Engine(other);
  await ours.init();
  await theirs.init();
  const players = { w: ours, b: theirs };
  const names = { w: ours.id.name, b: theirs.id.name };
  for (const engine of [ours, theirs]) {
    await engine.ucinewgame();
    await engine.isready();
  }
  const chess = new Chess();
  const moves = [];
  while (!chess.isGameOver() && moves.length < MAX_PLIES) {
    const engine = players[chess.turn()];
    await engine.position('startpos', moves);
    const { bestmove } = await engine.go({ depth });
    if (!bestmove || bestmove === '0000') fail(`${names[chess.turn()]} found no move in ${chess.fen()}`);
    try {
      chess.move(bestmove);
    } catch (error) {
      fail(`${names[chess.turn()]} played the illegal ${bestmove} in ${chess.fen()}`);
    }
    moves.push(bestmove);
  }
  await ours.quit();
  await theirs.quit();
  const result = resultOf(chess);
  chess.setHeader('Event', 'UCI match');
  chess.setHeader('Site', '?');
  chess.setHeader('Date', new Date().toISOString().slice(0, 10).replaceAll('-', '.'));
  chess.setHeader('Round', '1');
  chess.setHeader('White', names.w);
  chess.setHeader('Black', names.b);
  chess.setHeader('Result', result);
  writeFileSync(out, `${chess.pgn({ maxWidth: 72 })}\n`);
  console.log(`uci_match: ${names.w} - ${names.b} ${result} after ${moves.length} plies, depth ${depth}`);
}

main().catch((error) => fail(error.stack || error));
