// Plays games between "chesstool uci" and another UCI engine under a clock, both driven by
// node-uci, every move checked by chess.js; writes the records as PGN and reports losses on
// time, illegal moves, hangs and the longest think of each side.
// usage: node uci_match.mjs CHESSTOOL OTHER OUT.pgn GAMES BASE_MS INC_MS [OVERHEAD_MS [SKILL]]
import { writeFileSync } from 'node:fs';
import nodeUci from 'node-uci';
import { Chess } from 'chess.js';
import { engineScript } from './engine_script.mjs';

const MAX_PLIES = 300;
const HANG_GRACE_MS = 5000; // a reply later than the clock plus this is a hang

const [chesstool, other, out, games = '2', base = '1000', inc = '10', overhead = '100', skill = '0'] =
  process.argv.slice(2);
if (!chesstool || !other || !out) {
  console.error('usage: node uci_match.mjs CHESSTOOL OTHER OUT.pgn GAMES BASE_MS INC_MS [OVERHEAD_MS [SKILL]]');
  process.exit(2);
}
const [baseMs, incMs] = [Number(base), Number(inc)];
const tally = { ours: 0, theirs: 0, draws: 0, timeLosses: 0, illegal: 0, hangs: 0, longest: 0 };

// Asks for a move under the clock; resolves to the move and the time taken, or null on a hang.
async function think(engine, moves, clock) {
  await engine.position('startpos', moves);
  const start = performance.now();
  const timeout = new Promise((resolve) => setTimeout(resolve, clock.w + clock.b + HANG_GRACE_MS, null));
  const reply = await Promise.race([
    engine.go({ wtime: Math.floor(clock.w), btime: Math.floor(clock.b), winc: incMs, binc: incMs }), timeout]);
  return reply && { move: reply.bestmove, ms: performance.now() - start };
}

async function playGame(round, oursWhite) {
  const ours = new nodeUci.Engine(engineScript(chesstool));
  const theirs = new nodeUci.Engine(other);
  await ours.init();
  await theirs.init();
  await ours.setoption('Move Overhead', overhead);
  await theirs.setoption('Skill Level', skill);
  const players = oursWhite ? { w: ours, b: theirs } : { w: theirs, b: ours };
  for (const engine of [ours, theirs]) await engine.ucinewgame();
  const chess = new Chess();
  const moves = [];
  const clock = { w: baseMs, b: baseMs };
  let result = null;
  while (!result && !chess.isGameOver() && moves.length < MAX_PLIES) {
    const side = chess.turn();
    const isOurs = players[side] === ours;
    const reply = await think(players[side], moves, clock);
    const loser = side === 'w' ? '0-1' : '1-0';
    if (!reply) {
      if (isOurs) tally.hangs += 1;
      result = loser;
      break;
    }
    if (isOurs) tally.longest = Math.max(tally.longest, reply.ms);
    clock[side] -= reply.ms;
    if (clock[side] < 0) {
      if (isOurs) tally.timeLosses += 1;
      result = loser;
      break;
    }
    clock[side] += incMs;
    try {
      chess.move(reply.move);
    } catch {
      if (isOurs) tally.illegal += 1;
      result = loser;
      break;
    }
    moves.push(reply.move);
  }
  if (!result) result = chess.isCheckmate() ? (chess.turn() === 'w' ? '0-1' : '1-0') : chess.isDraw() ? '1/2-1/2' : '*';
  await ours.quit();
  await theirs.quit();
  const ourScore = { '1-0': oursWhite ? 1 : 0, '0-1': oursWhite ? 0 : 1 }[result];
  if (ourScore === 1) tally.ours += 1;
  else if (ourScore === 0) tally.theirs += 1;
  else tally.draws += 1;
  const names = oursWhite ? [ours.id.name, theirs.id.name] : [theirs.id.name, ours.id.name];
  const tags = { Event: 'UCI match', Site: '?', Date: '????.??.??', Round: String(round),
    White: names[0], Black: names[1], Result: result, TimeControl: `${baseMs / 1000}+${incMs / 1000}` };
  for (const [name, value] of Object.entries(tags)) chess.setHeader(name, value);
  console.log(`game ${round}: ${names[0]} - ${names[1]} ${result} after ${moves.length} plies`);
  return `${chess.pgn({ maxWidth: 72 })}\n`;
}

const records = [];
for (let round = 1; round <= Number(games); round += 1) records.push(await playGame(round, round % 2 === 1));
writeFileSync(out, records.join('\n'));
console.log(`uci_match: ${games} games at ${baseMs / 1000}+${incMs / 1000}: +${tally.ours} =${tally.draws} -${tally.theirs}, ` +
  `losses on time ${tally.timeLosses}, illegal moves ${tally.illegal}, hangs ${tally.hangs}, ` +
  `longest think ${Math.round(tally.longest)} ms`);
process.exit(tally.timeLosses + tally.illegal + tally.hangs === 0 ? 0 : 1);
