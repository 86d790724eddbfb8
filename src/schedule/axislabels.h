#pragma once
// Texts of the schedule chart's date-time axis labels; the bar hints and the
// bar chart report use them too.

#include <string>

#include "platform/datetime/datetime.h"

namespace tw::schedule {

// The long time format without the seconds: "1:45 PM", "13:45".
std::string TimeTextWithoutSeconds(TDateTime instant);

// The short date, led by the weekday abbreviation ("Tue 12/8/2026") unless
// the chart spans more than 22 days.
std::string ChartDateLabelText(TDateTime instant, double chartSpanDays);

// The two texts of the label at `dateTime` on a chart showing startAt to
// endAt: on a chart of more than an hour the label's instant is put on the
// quarter-hour grid first.
void GetDateTimeLabelText(TDateTime startAt, TDateTime endAt, TDateTime dateTime, std::string& dateText,
                          std::string& timeText);

}  // namespace tw::schedule
