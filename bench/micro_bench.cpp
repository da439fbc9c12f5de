// Figures for the building blocks: move generation, the attack test, perft and both
// searches from the starting position.

#include <benchmark/benchmark.h>

#include <string>

#include "core/attacks.h"
#include "core/fen.h"
#include "core/movegen.h"
#include "core/perft.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"

namespace {

constexpr const char* MIDDLE_GAME =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

void setUp(const char* fen) {
    std::string error;
    readFen(fen, error);
}

void generation(benchmark::State& state) {
    setUp(MIDDLE_GAME);
    MoveList list;
    for (auto _ : state) {
        generateMoves(list);
        benchmark::DoNotOptimize(list.count);
    }
}
BENCHMARK(generation);

void attackTest(benchmark::State& state) {
    setUp(MIDDLE_GAME);
    const bool byGeneration = state.range(0) != 0;
    for (auto _ : state) {
        for (int square = FIRST_PLAYING_SQUARE; square <= LAST_PLAYING_SQUARE; ++square) {
            benchmark::DoNotOptimize(byGeneration ? isAttackedByGeneration(square, BLACK)
                                                  : isAttacked(square, BLACK));
        }
    }
}
BENCHMARK(attackTest)->Arg(0)->Arg(1)->ArgNames({"byGeneration"});

void perftStart(benchmark::State& state) {
    setUp(START_FEN);
    uint64_t nodes = 0;
    for (auto _ : state) nodes += perft(static_cast<int>(state.range(0)));
    state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(perftStart)->Arg(4)->Unit(benchmark::kMillisecond);

void straightforwardSearch(benchmark::State& state) {
    setUp(START_FEN);
    uint64_t calls = 0;
    for (auto _ : state) {
        searchCalls = 0;
        search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH);
        calls += searchCalls;
    }
    state.counters["calls/s"] = benchmark::Counter(double(calls), benchmark::Counter::kIsRate);
}
BENCHMARK(straightforwardSearch)->Unit(benchmark::kMillisecond);

void fastSearchFromStart(benchmark::State& state) {
    setUp(START_FEN);
    static SearchWithTable fast;
    setUpSearch(fast);
    uint64_t calls = 0;
    for (auto _ : state) {
        clearTable(fast.table);
        const uint64_t before = fast.context.calls;
        fastSearch(fast.context, ROOT_DEPTH);
        calls += fast.context.calls - before;
    }
    state.counters["calls/s"] = benchmark::Counter(double(calls), benchmark::Counter::kIsRate);
}
BENCHMARK(fastSearchFromStart)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
