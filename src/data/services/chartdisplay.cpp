#include "data/services/chartdisplay.h"

#include "data/quartergrid.h"

namespace tw::data {

TDateTime ChartDisplay::ShownStart() const
{
    return RoundUpToQuarterHour(ChartStartAt);
}

TDateTime ChartDisplay::ShownEnd() const
{
    return RoundUpToQuarterHour(ChartEndAt);
}

}  // namespace tw::data
