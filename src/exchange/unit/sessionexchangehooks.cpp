#include "exchange/unit/sessionexchangehooks.h"

#include "app/session/appsession.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/recordservices.h"

namespace tw::app {

void SessionExchangeHooks::ShowStopMessage(const QString& text, const QString& caption)
{
    session_.Interface().ShowMessage(text.toStdString(), caption.toStdString(), data::MessageIcon::Stop);
}

data::UserInterface& SessionExchangeHooks::Interface()
{
    return session_.Interface();
}

bool& SessionExchangeHooks::BusyFlag()
{
    return session_.State.TablesBusy;
}

std::int32_t SessionScheduleAdding::NewScheduleKey()
{
    return data::UniqueKeyValue(session_.State.Keys, session_.Data().ChartsTable7,
                                data::ScheduleItemFieldName(&data::ScheduleItemRecord::CHARTSID));
}

bool SessionScheduleAdding::AddTaskToSchedule(const schedule::NewScheduleItem& item)
{
    return session_.Adder().AddTaskToSchedule(item);
}

}  // namespace tw::app
