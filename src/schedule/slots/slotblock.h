#pragma once
// The block of time that the insert and remove dialogs name: a start, a
// length in hours, days, weeks or months, and the end that follows.

#include <string_view>

#include "platform/datetime/datetime.h"

namespace tw::timeblocks {

enum SlotUnit : int { kSlotHours = 0, kSlotDays = 1, kSlotWeeks = 2, kSlotMonths = 3 };

struct SlotBlock {
    TDateTime Start = 0;  // S, on the quarter-hour grid
    TDateTime End = 0;    // E, on the quarter-hour grid
    float Hours = 0;      // H, wall-clock hours of the block, not rounded
    int Unit = kSlotDays;
};

// The typed length, trimmed; a text that is no number counts as 1.
float SlotLengthFromText(std::string_view text);

// A day beyond its month's length becomes the 1st of the next month (no
// clamp: 31 January + 1 month is 1 March). February has 29 days in a leap year.
void AdvancePastMonthEnd(int& year, int& month, int& day);

// S, E and H of a block of `length` units from `start`. Months count every
// started month (2.5 months are three), each with its own length.
SlotBlock ComputeSlotBlock(TDateTime start, float length, int unit);

// A number as its shortest decimal text ("4", "2.5"), as the notes show it.
std::string ShortestNumberText(float value);

}  // namespace tw::timeblocks
