#include "DaysDeal.h"

#include <utility>

namespace {

std::function<QDate()>& TodayClock() {
    static std::function<QDate()> clock;
    return clock;
}

} // namespace

int32_t DayKey(const QDate& Day) {
    return Day.isValid() ? Day.year() * 10000 + Day.month() * 100 + Day.day() : 0;
}

uint32_t DaysDealNumber(const QDate& Day) {
    // A fixed mix of the day's number, so that neighbouring days deal far apart.
    auto x = uint32_t(DayKey(Day));
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return 1000000u + x % 9000000u;
}

QDate Today() {
    return TodayClock() ? TodayClock()() : QDate::currentDate();
}

TTodayOverride::TTodayOverride(std::function<QDate()> Clock)
    : FPrevious(std::exchange(TodayClock(), std::move(Clock))) {}

TTodayOverride::~TTodayOverride() {
    TodayClock() = std::move(FPrevious);
}
