// The setup dialog's General page: the accounting edition, balloon help,
// chart hints, the work-calendar mode and the resource display.
#include "settings/setupdialoglogic.h"

#include "platform/db/table.h"

namespace tw::settings {

void SetupDialogLogic::QuickBooksEditionClick()
{
    if (!shown_ || !editionClickEnabled_)
        return;
    const int edition = pages_.General.QuickBooksEditionIndex();
    // The next accounting session checks the edition again.
    if (edition != settings_.QBEdition)
        settings_.QBAccessChecked = false;
    settings_.QBEdition = edition;
}

void SetupDialogLogic::HelpLevelSelectionClick()
{
    if (!shown_)
        return;
    settings_.HelpLevel = pages_.General.HelpLevelIndex();
    host_.ApplyHelpLevel(settings_.HelpLevel);
}

void SetupDialogLogic::TaskHintLevelClick()
{
    if (!shown_ || !settings_.TablesOpen)
        return;
    settings_.ChartHintLevel = pages_.General.TaskHintLevelIndex();
    settings_.ShowAssignedResources = pages_.General.ShowResourcesChecked();
}

// Choosing the mode in force already (as loading the dialog does) changes
// nothing: no calendar records, no write and no recompute of every task.
void SetupDialogLogic::WorkCalendarClick()
{
    if (!shown_)
        return;
    const int mode = pages_.General.WorkCalendarIndex();
    if (mode == settings_.WorkCalendarMode && mode == settings_.LastWorkCalendarMode)
        return;
    settings_.WorkCalendarMode = settings_.LastWorkCalendarMode = mode;
    if (mode == 1)
        host_.EnsureResourceCalendars();
    if (!WriteRecord(tables_.MyCompany, [mode](db::Table& company) {
            company.fieldByName("PAPERO").setAsInteger(mode);
        }, true))
        return;
    host_.CompanyRecordChanged();
    host_.RecomputeAllTaskEnds();
}

void SetupDialogLogic::GeneralSettingsOKClick()
{
    if (!shown_)
        return;
    const int edition = pages_.General.QuickBooksEditionIndex();
    const int display = pages_.General.ResourceDisplayIndex();
    if (!WriteRecord(tables_.QbSetup, [&](db::Table& setup) {
            setup.fieldByName("USCAN").setAsInteger(edition);
            setup.fieldByName("MATCH").setAsInteger(display);
        }, true))
        return;
    settings_.QBEdition = edition;
    settings_.WorkCalendarMode = pages_.General.WorkCalendarIndex();
    host_.ShowWorkCalendarMode(settings_.WorkCalendarMode);
    settings_.ResourceDisplayMode = display;
    CloseDialog();
}

}  // namespace tw::settings
