#!/usr/bin/env bash
# Times chesstool's perft, on one thread and on the default number of threads, beside
# Stockfish's "go perft" on the same positions in the same run, and prints the ratios.
# Without Stockfish (STOCKFISH=path, default: stockfish on PATH or /usr/games/stockfish)
# only our figures are printed. Usage: bench/perft_vs_stockfish.sh [path/to/chesstool]
set -euo pipefail

tool=${1:-build/default/chesstool}
stockfish=${STOCKFISH:-$(command -v stockfish || echo /usr/games/stockfish)}
[ -x "$tool" ] || { echo "no chesstool at $tool; build it first" >&2; exit 2; }

positions=(
  "start|6|rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
  "kiwipete|5|r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"
  "position5|5|rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"
  "position6|5|r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"
)

# Prints "total seconds" of one chesstool run.
ours() {
  "$tool" perft "$2" "$1" "${@:3}" | awk '/^total:/ {n = $2} /^time:/ {t = $2} END {print n, t}'
}

# Prints "nodes seconds" of Stockfish's perft, timed from the command to its answer, so
# that loading the engine is left out.
theirs() {
  coproc SF { "$stockfish" 2>/dev/null; }
  echo "uci" >&"${SF[1]}"
  echo "isready" >&"${SF[1]}"
  local line
  while read -r line <&"${SF[0]}"; do [ "$line" = readyok ] && break; done
  echo "position fen $1" >&"${SF[1]}"
  local start end
  start=$(date +%s%N)
  echo "go perft $2" >&"${SF[1]}"
  while read -r line <&"${SF[0]}"; do
    case $line in "Nodes searched:"*) break ;; esac
  done
  end=$(date +%s%N)
  echo "quit" >&"${SF[1]}"
  wait "$SF_PID" 2>/dev/null || true
  echo "${line#Nodes searched: } $(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.3f", (e - s) / 1e9}')"
}

threads=$(nproc)
have_stockfish=0
[ -x "$stockfish" ] && have_stockfish=1
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-10s %5s %11s %10s %10s" position depth nodes "1 thread" "$threads threads"
[ $have_stockfish = 1 ] && printf " %10s %9s %9s" stockfish "1t/sf" "${threads}t/sf"
echo
for entry in "${positions[@]}"; do
  IFS='|' read -r name depth fen <<<"$entry"
  read -r nodes one < <(ours "$fen" "$depth" --threads 1)
  read -r nodes_all all < <(ours "$fen" "$depth" --threads "$threads")
  [ "$nodes" = "$nodes_all" ] || { echo "thread counts differ: $nodes $nodes_all" >&2; exit 1; }
  printf "%-10s %5s %11s %9ss %9ss" "$name" "$depth" "$nodes" "$one" "$all"
  if [ $have_stockfish = 1 ]; then
    read -r sf_nodes sf < <(theirs "$fen" "$depth")
    [ "$sf_nodes" = "$nodes" ] || echo " (Stockfish counts $sf_nodes)"
    awk -v a="$one" -v b="$all" -v s="$sf" \
      'BEGIN {printf " %9ss %9.2f %9.2f", s, a / s, b / s}'
  fi
  echo
done
[ $have_stockfish = 1 ] || echo "Stockfish not found: only our figures"
