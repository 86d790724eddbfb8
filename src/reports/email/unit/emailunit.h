#pragma once
// What the other units may ask of the e-mail unit (emailfeature.h).

#include <QString>

namespace tw::reports {
struct ChartPeriod;
class TPrintPreview;
}  // namespace tw::reports

namespace tw::app {

class ScheduleEmail {
public:
    virtual ~ScheduleEmail() = default;
    // The report chosen in the print dialog as "schedule.pdf".
    virtual void OpenScheduleEmail(reports::TPrintPreview* dialog, int helpLevel,
                                   const reports::ChartPeriod& period, const QString& message) = 0;
};

}  // namespace tw::app
