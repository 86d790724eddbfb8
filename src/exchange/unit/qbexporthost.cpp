#include "exchange/unit/qbexporthost.h"

#include "app/appservices.h"
#include "app/session/appsession.h"
#include "query/querypagelogic.h"
#include "settings/setupdialog.h"

namespace tw::app {

QbExportHost::QbExportHost(AppSession& session, query::QueryPageLogic& query, settings::TQMSetup& setup)
    : SessionExchangeHooks(session),
      session_(session),
      query_(query),
      setup_(setup)
{}

bool QbExportHost::SelectionInForce() const
{
    const query::RestrictionBoxes& boxes = query_.Controls().Boxes;
    return boxes.AnyRestriction() || boxes.RestrictToActive || session_.Query.Search.Any();
}

bool QbExportHost::ResourceSearchActive() const
{
    return session_.Query.Search.ResourceSearchActive;
}

std::string QbExportHost::ResourceSearchFilter() const
{
    return session_.Query.Search.ResourceSearchFilter;
}

bool QbExportHost::RestrictTasksToCrew() const
{
    return query_.Controls().Boxes.RestrictTasksToCrew;
}

std::int32_t QbExportHost::CurrentResourceId() const
{
    return session_.State.CurrentResourceId;
}

float QbExportHost::WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end)
{
    return session_.Calendars().WorkingHoursBetween(crewId, start, end);
}

// The restricted form is the same page here: the dialog opens on it either way.
void QbExportHost::ShowQuickBooksSetup(bool)
{
    setup_.ShowSetup(setup_.QuickBooksSetupTab());
}

void QbExportHost::OpenHelpPage(const QString& page)
{
    const QString folder = QString::fromStdString(session_.State.ProgramFolder);
    if (!app::OpenHelpPage(folder, page))
        ShowStopMessage(HelpPageFailureText(folder, page), QStringLiteral("Error"));
}

}  // namespace tw::app
