#include "data/quartergrid.h"

namespace tw::data {

TDateTime RoundUpToQuarterHour(TDateTime value)
{
    const DateFields date = DecodeDate(value);
    if (date.year < 1899 || date.year > 9999)
        return value;
    const TimeFields time = DecodeTime(value);
    const TDateTime day = EncodeDate(date.year, date.month, date.day);

    int hour = time.hour;
    int minute = 0;
    if (time.minute == 0)
        minute = 0;
    else if (time.minute <= 15)
        minute = 15;
    else if (time.minute <= 30)
        minute = 30;
    else if (time.minute <= 45)
        minute = 45;
    else if (hour < 23)
        ++hour;
    else
        return ComposeDateTime(day + 1, 0);  // exactly the next midnight
    return ComposeDateTime(day, EncodeTime(hour, minute, 0, 0));
}

}  // namespace tw::data
