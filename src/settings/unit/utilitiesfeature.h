#pragma once
// The Utilities page as a feature unit: the page in its tab, the backup, the
// restore and the emptying over the session, the setup dialog made once for
// the run, the "Tutorial" and "Help" buttons in the tab bar's corner, and the
// automatic backup of the shutdown.

#include <memory>

#include <QMetaObject>

#include "app/features/featurecontext.h"
#include "settings/unit/utilitiesunit.h"
#include "settings/unit/setuphosts.h"
#include "settings/unit/utilitieshosts.h"
#include "settings/utilitiespage.h"
#include "data/jobstatus.h"

class QVBoxLayout;

namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

class CalendarPages;
class ChartPage;
class QueryFilters;
class QueryScreens;
class TMainPageControl;
struct UtilitiesWiring;

// What a restore, an emptying or the setup dialog asks of the main window
// itself rather than of a page.
class UtilitiesWindow {
public:
    virtual ~UtilitiesWindow() = default;
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

// The unit does what the page's buttons ask, and shows what the backup, the
// restore, the emptying and the setup dialog change on the pages; the hosts
// over the session ask it through their two views, and reopen the tables
// through the TableReopener the unit is handed.
// The pages a restore, an emptying and the setup dialog show their outcome on.
struct UtilitiesPages {
    ChartPage& Chart;
    QueryScreens& Query;
    QueryFilters& Filters;
    CalendarPages& Calendar;
};

class UtilitiesFeature final : public SetupDialogSource,
                               public ExitBackup,
                               private UtilitiesPageActions,
                               private UtilitiesScreens,
                               private SetupScreens {
public:
    // tables: reopens the tables after a backup, a restore or the setup dialog.
    UtilitiesFeature(const FeatureContext& context, const UtilitiesPages& pages, TableReopener& tables,
                     UtilitiesWindow& window, const UtilitiesPlaces& places);
    ~UtilitiesFeature() override;

    TUtilitiesPage* Page() const { return page_; }
    settings::TQMSetup& SetupDialog() override;
    void BackupAtExit(bool noAutoBackup) override;

private:
    // UtilitiesPageActions
    void BackupAll() override;
    void Restore() override;
    void EmptyDatabase() override;
    void ReindexDatabase() override;
    void ShowSetup() override;
    // UtilitiesScreens and SetupScreens
    bool Question(const std::string& text, const std::string& caption) override;
    std::string SelectedBackupFile() const override;
    void RefreshBackupView() override;
    void SaveAndClearAllocations(bool clearChart) override;
    void RefreshWorkCalendar() override { window_.RefreshWorkCalendar(); }
    void ShowEmptyScreens() override;
    void RefreshAfterRestore() override;
    void SetCustomersLabel(const std::string& text) override;
    void CloseMainWindow() override;
    void ApplyHelpLevel() override { window_.ApplyHelpLevel(); }
    void ShowWorkCalendar(std::int32_t resourceId) override;
    void ApplyReadOnlyAccess(bool readOnly) override { window_.ApplyReadOnlyAccess(readOnly); }
    bool AskPassword() override { return window_.AskPassword(); }
    void ShowJobStatusTexts(const data::JobStatusTexts& texts) override { window_.ShowJobStatusTexts(texts); }
    void ShowResourceCaptionMode(int mode) override { window_.ShowResourceCaptionMode(mode); }
    int TaskStatusIndex() const override;
    void SetTaskStatusIndex(int index) override;
    void UntickRestrictToSelectedStatus() override;
    std::string StartDrive() const override;
    void TerminateProgram() override;
    void OpenHelpPage(const QString& page) override;

    void CreateSetupDialog();
    void CreateHelpButtons(TMainPageControl* tabs, QWidget* contents);

    FeatureContext context_;
    UtilitiesPages pages_;
    UtilitiesWindow& window_;
    std::unique_ptr<UtilitiesWiring> wiring_;
    TUtilitiesPage* page_ = nullptr;
    QMetaObject::Connection tabTurned_;
};

}  // namespace tw::app
