// Simulated people against the computer, headless on the core and on simulated time: at each
// fixed level, the Steady computer and the one that plays like a person, each against a slow, a
// typical and a fast simulated player (the person model with published human reaction times).
// Prints the simulated player's win rate and the mean time between the computer's plays.
//
//   tolvi_person_bench [--games N]

#include "PersonMatch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct TTally {
    int Games = 0, Wins = 0, Undecided = 0, Illegal = 0, Races = 0;
    double IntervalSum = 0;
    long Intervals = 0;
};

std::string Token(std::string_view Name) {
    std::string s(Name);
    for (char& c : s)
        if (c == ' ')
            c = '_';
    return s;
}

} // namespace

int main(int argc, char** argv) {
    int games = 1000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--games") == 0)
            games = std::atoi(argv[i + 1]);
    const auto start = std::chrono::steady_clock::now();
    int illegal = 0, races = 0;
    std::printf("# %d games per line; win_rate is the simulated player's\n", games);
    for (int level = 0; level < 5; ++level) {
        const TPersonParams like = TPersonParams::Level(level);
        const int32_t pace = level * 250 + 250;
        for (int style = 0; style < 2; ++style) {
            const TSeat computer = style == 0 ? TSeat::Steady(pace) : TSeat::Like(like);
            double sum = 0;
            long count = 0;
            for (int player = 0; player < 3; ++player) {
                const TPersonParams human = TPersonParams::Human(player);
                TTally t;
                for (int g = 0; g < games; ++g) {
                    const uint64_t number = uint64_t(g) + 1;
                    const TMatchResult r =
                        RunMatch(number, TSeat::Like(human), computer,
                                 number * 977 + uint64_t(level * 10 + style * 3 + player));
                    ++t.Games;
                    if (!r.Winner)
                        ++t.Undecided;
                    else if (*r.Winner == TSide::Human)
                        ++t.Wins;
                    t.Illegal += r.Illegal;
                    t.Races += r.Races;
                    for (const int64_t ms : r.ComputerIntervals)
                        t.IntervalSum += double(ms);
                    t.Intervals += long(r.ComputerIntervals.size());
                }
                sum += t.IntervalSum;
                count += t.Intervals;
                illegal += t.Illegal;
                races += t.Races;
                std::printf("level=%s player=%s games=%d win_rate=%.1f style=%s "
                            "computer_mean_interval_ms=%.0f undecided=%d races=%d\n",
                            Token(like.Name).c_str(), std::string(human.Name).c_str(), t.Games,
                            100.0 * t.Wins / t.Games, style == 0 ? "steady" : "person",
                            t.IntervalSum / double(t.Intervals ? t.Intervals : 1), t.Undecided,
                            t.Races);
            }
            std::printf("# level=%s style=%s pace_ms=%d computer_mean_interval_ms=%.0f\n",
                        Token(like.Name).c_str(), style == 0 ? "steady" : "person", pace,
                        sum / double(count ? count : 1));
            std::fflush(stdout);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("# illegal plays by the person models: %d; plays that lost a race: %d\n", illegal,
                races);
    std::printf("# run time %.1f s\n", seconds);
    return illegal == 0 ? 0 : 1;
}
