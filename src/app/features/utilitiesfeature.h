#pragma once
// The Utilities page as a feature unit: the page in its tab, the backup, the
// restore and the emptying over the session, the setup dialog made once for
// the run, the "Tutorial" and "Help" buttons in the tab bar's corner, and the
// automatic backup of the shutdown.

#include <memory>

#include <QMetaObject>

#include "app/features/featurecontext.h"
#include "data/jobstatus.h"

class QVBoxLayout;

namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

class TMainPageControl;
class TUtilitiesPage;
struct UtilitiesWiring;

// What a restore, an emptying or the setup dialog asks of the main window
// itself rather than of a page.
class UtilitiesWindow {
public:
    virtual ~UtilitiesWindow() = default;
    // Reopens the tables, no rebuild, and attaches the pages to them again.
    virtual void ReopenAllTables() = 0;
    // The Work calendar page from the mode in force.
    virtual void RefreshWorkCalendar() = 0;
    virtual void ApplyHelpLevel() = 0;
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
    virtual bool AskPassword() = 0;
    virtual void ShowJobStatusTexts(const data::JobStatusTexts& texts) = 0;
    virtual void ShowResourceCaptionMode(int mode) = 0;
};

// The places the page takes on the main window.
struct UtilitiesPlaces {
    QWidget* Tab = nullptr;             // the Utilities tab sheet
    QVBoxLayout* TabLayout = nullptr;   // the page goes first in it
    QWidget* Area = nullptr;            // the database lines below the page
    TMainPageControl* Tabs = nullptr;   // the page control; its corner takes the help buttons
    QWidget* Contents = nullptr;        // the "Contents" button, beside which the others go
};

class UtilitiesFeature {
public:
    UtilitiesFeature(const FeatureContext& context, const MainFeatures& features, UtilitiesWindow& window,
                     const UtilitiesPlaces& places);
    ~UtilitiesFeature();

    TUtilitiesPage* Page() const { return page_; }
    settings::TQMSetup& SetupDialog();
    // The automatic backup of the shutdown, unless noAutoBackup.
    void BackupAtExit(bool noAutoBackup);

private:
    void FillWindowSteps();
    void CreateSetupDialog();
    void ConnectPage();
    void CreateHelpButtons(TMainPageControl* tabs, QWidget* contents);

    FeatureContext context_;
    const MainFeatures& features_;
    UtilitiesWindow& window_;
    std::unique_ptr<UtilitiesWiring> wiring_;
    TUtilitiesPage* page_ = nullptr;
    QMetaObject::Connection tabTurned_;
};

}  // namespace tw::app
