#pragma once
// The run's state, grouped by concern and kept apart from the window so that
// the start-up's table work is tested without one. The session
// (app::AppSession) owns one of each; the start-up fills them and the
// feature units read and change them there.

#include "app/startupsettings.h"
#include "data/services/chartdisplay.h"
#include "platform/datetime/datetime.h"
#include "platform/mail/mailsettings.h"
#include "app/mainpage.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tw::app {

// The chart's period, order and display: the start-up reads the period and the
// order, the Visualize page keeps them (ChartDisplay) and the shutdown saves them.
struct ChartState : data::ChartDisplay {
    TDateTime TaskStartDate = 0;
    TDateTime TaskEndDate = 0;
    int ChartSortBy = 0;  // params.dbf COUNT1
    bool SortChoiceRestored = false;
};

// Flags of this run that no table keeps as they stand.
struct RunFlags {
    bool PasswordRequired = false;
    bool PasswordAccepted = false;
    bool NoAutoBackup = false;  // params.dbf SF3
    bool TasksGridAutoWidth = true;
    TDateTime StartMoment = 0;
    double LastLayoutWidth = 0;
};

// The settings the start-up reads from the program folder's tables and the
// company record.
struct RunSettings {
    bool RestrictCustomer = false;  // params.dbf RESTRICT: active customers only
    int SavedPage = UtilitiesPage;  // params.dbf PAGE, the page shown at the end of the start-up
    std::int32_t SavedCustomerId = 0;
    std::int32_t SavedScheduleItemId = 0;
    int SetupChoice1 = 0;  // params.dbf CBID1 and CBID2, kept for the setup dialog
    int SetupChoice2 = 0;
    // Awarded, Closed, In progress, None, Not awarded, Pending.
    QStringList JobStatusTexts;
    int PaperSize = 0;
    int PaperOrientation = 0;
    int PaperCode = 0;
    QString QBCompanyFile;
    int QBEdition = 0;
    int ResourceCaptionMode = 0;
    QString CompanyName;
    mail::MailSettings Email;
    InstallPaths FirstRunPaths;  // the installer's folders, read on a first run
};

}  // namespace tw::app
