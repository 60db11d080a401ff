#pragma once
// The day's deal: one deal number for each calendar day, the same on every computer, since it
// follows from the date alone.

#include <QDate>
#include <cstdint>
#include <functional>

// The day as a number, 20261208 for 8 December 2026; 0 for an invalid date.
int32_t DayKey(const QDate& Day);
// A seven-digit deal number for the day.
uint32_t DaysDealNumber(const QDate& Day);

// The local calendar day, unless a TTodayOverride lives.
QDate Today();
class TTodayOverride {
public:
    explicit TTodayOverride(std::function<QDate()> Clock);
    ~TTodayOverride();
    TTodayOverride(const TTodayOverride&) = delete;
    TTodayOverride& operator=(const TTodayOverride&) = delete;

private:
    std::function<QDate()> FPrevious;
};
