#include "schedule/slots/slotblock.h"

#include <charconv>
#include <cmath>
#include <string>

#include "data/quartergrid.h"
#include "data/textroutines.h"

namespace tw::timeblocks {

float SlotLengthFromText(std::string_view text)
{
    const std::string trimmed = data::TrimBlanks(text);
    float value = 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (trimmed.empty() || error != std::errc() || end != last || !std::isfinite(value))
        return 1;
    return value;
}

void AdvancePastMonthEnd(int& year, int& month, int& day)
{
    if (month < 1 || month > 12 || day <= DaysInMonth(year, month))
        return;
    day = 1;
    if (++month > 12) {
        month = 1;
        ++year;
    }
}

SlotBlock ComputeSlotBlock(TDateTime start, float length, int unit)
{
    SlotBlock block;
    block.Unit = unit;
    TDateTime end = start;
    switch (unit) {
    case kSlotHours:
        end = start + static_cast<double>(length) / 24.0;
        block.Hours = length;
        break;
    case kSlotDays:
        end = start + length;
        block.Hours = 24 * length;
        break;
    case kSlotWeeks:
        end = start + 7.0 * length;
        block.Hours = 168 * length;
        break;
    case kSlotMonths: {
        DateFields date = DecodeDate(start);
        int year = date.year;
        int month = date.month;
        float hours = 0;
        for (int i = 0; static_cast<float>(i) < length; ++i) {
            hours += 24.0f * static_cast<float>(DaysInMonth(year, month));
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        int day = date.day;
        AdvancePastMonthEnd(year, month, day);
        end = ComposeDateTime(EncodeDate(year, month, day), TimePart(start));
        block.Hours = hours;
        break;
    }
    default: break;
    }
    block.Start = data::RoundUpToQuarterHour(start);
    block.End = data::RoundUpToQuarterHour(end);
    return block;
}

std::string ShortestNumberText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace tw::timeblocks
