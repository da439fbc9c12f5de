#include "tools/chesstool/play_clock.h"

#include <algorithm>
#include <cstdio>

#include "core/pieces.h"
#include "core/position.h"
#include "core/text.h"

namespace {

constexpr double MOST_MINUTES = 600;
constexpr double MOST_INCREMENT = 600;  // seconds
constexpr double MILLISECONDS_PER_MINUTE = 60000;
constexpr double MILLISECONDS_PER_SECOND = 1000;
constexpr int64_t TENTHS_SHOWN_BELOW = 10000;  // milliseconds
constexpr int64_t MILLISECONDS_PER_TENTH = 100;
constexpr size_t TIME_TEXT_SIZE = 32;

int64_t millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Writes a time left as m:ss, or m:ss.t under ten seconds; a spent clock shows 0:00.0.
std::string timeText(int64_t milliseconds) {
    const int64_t shown = std::max<int64_t>(milliseconds, 0);
    const int64_t seconds = shown / static_cast<int64_t>(MILLISECONDS_PER_SECOND);
    char text[TIME_TEXT_SIZE];
    if (shown < TENTHS_SHOWN_BELOW) {
        std::snprintf(text, sizeof text, "0:%02lld.%lld", static_cast<long long>(seconds),
                      static_cast<long long>(shown / MILLISECONDS_PER_TENTH % 10));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

// Reads "BASE+INCREMENT" with the base in the given unit (milliseconds per unit).
bool readTimeControl(const std::string& text, double unit, GameClock& clock) {
    const size_t plus = text.find('+');
    double base = 0;
    double increment = 0;
    if (plus == std::string::npos ||
        !parseDecimal(text.substr(0, plus), 0, MOST_MINUTES * MILLISECONDS_PER_MINUTE / unit,
                      base) ||
        !parseDecimal(text.substr(plus + 1), 0, MOST_INCREMENT, increment) || base <= 0) {
        return false;
    }
    clock.timed = true;
    clock.initial = static_cast<int64_t>(base * unit);
    clock.increment = static_cast<int64_t>(increment * MILLISECONDS_PER_SECOND);
    resetClock(clock);
    return clock.initial > 0;
}

}  // namespace

bool parseTimeControl(const std::string& text, GameClock& clock) {
    return readTimeControl(text, MILLISECONDS_PER_MINUTE, clock);
}

bool parseTimeControlTag(const std::string& text, GameClock& clock) {
    return readTimeControl(text, MILLISECONDS_PER_SECOND, clock);
}

void resetClock(GameClock& clock) {
    clock.left[0] = clock.left[1] = clock.initial;
    clock.running = -1;
}

void startClock(GameClock& clock, int side) {
    if (!clock.timed) return;
    stopClock(clock, false);
    clock.running = side;
    clock.since = Clock::now();
}

void stopClock(GameClock& clock, bool moved) {
    if (clock.running < 0) return;
    int64_t& left = clock.left[sideIndex(clock.running)];
    left -= millisecondsSince(clock.since);
    if (moved) left += clock.increment;
    clock.running = -1;
}

int64_t timeLeft(const GameClock& clock, int side) {
    const int64_t left = clock.left[sideIndex(side)];
    return clock.running == side ? left - millisecondsSince(clock.since) : left;
}

std::string timeControlTag(const GameClock& clock) {
    const int64_t perSecond = static_cast<int64_t>(MILLISECONDS_PER_SECOND);
    return std::to_string(clock.initial / perSecond) + "+" +
           std::to_string(clock.increment / perSecond);
}

std::string clockLine(const GameClock& clock) {
    if (!clock.timed) return "";
    return "White " + timeText(timeLeft(clock, WHITE)) + "  Black " +
           timeText(timeLeft(clock, BLACK));
}
