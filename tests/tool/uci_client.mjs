// Drives "chesstool uci" with node-uci, a UCI client this project did not write, and
// checks the replies with chess.js; the in-process transcripts cover the edge cases.
// usage: node uci_client.mjs CHESSTOOL
import assert from 'node:assert/strict';
import nodeUci from 'node-uci';
import { Chess } from 'chess.js';
import { engineScript } from './engine_script.mjs';

function isLegal(moves, best) {
  const chess = new Chess();
  for (const m of moves) chess.move(m);
  return chess.moves({ verbose: true }).some((m) => m.lan === best);
}

async function main() {
  assert.ok(process.argv[2], 'usage: node uci_client.mjs CHESSTOOL');
  const engine = new nodeUci.Engine(engineScript(process.argv[2]));
  let passed = 0;
  const check = async (name, body) => {
    await body();
    console.log(`ok ${++passed} - ${name}`);
  };
  // Sets up the position and searches it; resolves to the result.
  const go = async (fen, moves, limits) => (await engine.position(fen, moves), engine.go(limits));

  await check('handshake names the engine', async () => {
    await engine.init();
    assert.equal(engine.id.name, 'selfplay_chess');
    assert.ok(engine.id.author);
    await engine.isready();
    await engine.ucinewgame();
  });
  const moves = ['e2e4', 'e7e5', 'g1f3', 'b8c6', 'f1b5', 'a7a6'];
  await check('moves after startpos are played', async () => {
    const result = await go('startpos', moves, { depth: 3, wtime: 60000, btime: 60000, movestogo: 40 });
    assert.ok(isLegal(moves, result.bestmove), result.bestmove);
    assert.ok(result.info.some((info) => info.depth === 3 && info.score));
  });
  await check('mate in one is found from a FEN', async () => {
    const result = await go('6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1', [], { depth: 2 });
    assert.equal(result.bestmove, 'a1a8');
    assert.ok(result.info.some((info) => info.score && info.score.unit === 'mate'));
  });
  await check('quit ends the engine', () => engine.quit());
  console.log(`uci_client: all ${passed} checks passed`);
}

main().catch((error) => {
  console.error(`uci_client: ${error.stack || error}`);
  process.exit(1);
});
