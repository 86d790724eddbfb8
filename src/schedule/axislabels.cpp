#include "schedule/axislabels.h"

#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "platform/datetime/localetexts.h"

namespace tw::schedule {

namespace {

constexpr double kWeekdayLabelSpanDays = 22.0;
// One hour and a few milliseconds.
constexpr double kGridLabelSpanDays = 0.041666711;

}  // namespace

std::string TimeTextWithoutSeconds(TDateTime instant)
{
    return data::DropSeconds(data::TrimBlanks(locale::TimeToStr(instant)));
}

std::string ChartDateLabelText(TDateTime instant, double chartSpanDays)
{
    if (chartSpanDays > kWeekdayLabelSpanDays)
        return locale::DateToStr(instant);
    return locale::FormatDateTime("ddd", instant) + " " + locale::DateToStr(instant);
}

void GetDateTimeLabelText(TDateTime startAt, TDateTime endAt, TDateTime dateTime, std::string& dateText,
                          std::string& timeText)
{
    const double span = endAt - startAt;
    const TDateTime instant = span > kGridLabelSpanDays ? data::RoundUpToQuarterHour(dateTime) : dateTime;
    timeText = TimeTextWithoutSeconds(instant);
    dateText = ChartDateLabelText(instant, span);
}

}  // namespace tw::schedule
