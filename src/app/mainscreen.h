#pragma once
// The main window: six tab pages over a three-panel status bar, the Start
// timer that runs the start-up once the window is shown, the update poll's
// and the "Insert time" timers, and the shutdown that runs when it closes.
//
// The window works on an AppSession (the data module, the lock record, the
// synchronisation, the run's state); it is created before any database is
// open, so its construction touches no table. Each page and dialog family is
// a feature unit of its own (app/features/): the window lays the pages out,
// makes the units in the order they need each other and hands each the
// interfaces it needs of the others; tests reach the units through
// Features(). The steps of the start-up and of the shutdown are
// StartupFeature's; the window runs them from its Start timer and its close.
//
// Adding a page or dialog: write its unit in app/features/, with what others
// may ask of it in a <unit>unit.h beside it, and make it in CreateFeatures
// after the units it needs. The shutdown closes every window the
// main window owns (PageControl::CloseDialogs); a window of its own, without
// a parent, is closed there by its unit.
//
// Status bar panels: 0 the action or its result, 1 the table, description or
// mode, 2 a length or a second text.

#include "app/features/featurecontext.h"
#include "app/features/startupfeature.h"
#include "app/mainpagecontrol.h"
#include "app/session/appsession.h"
#include "app/windowlayout.h"

#include <QMainWindow>
#include <QString>

#include <memory>

namespace Ui {
class TMainScreen;
}

class QLineEdit;
class QTimer;

namespace tw::controls {
class TFcStatusBar;
}

namespace tw::app {

class AppearanceFeature;
class CustomerFeature;
class EmailFeature;
class ExchangeFeature;
class PageControl;
class PrintingFeature;
class QueryFeature;
class TaskEditorFeature;
class TimeBlocksFeature;
class UtilitiesFeature;
class VisualizeFeature;
class WorkCalendarFeature;

// The units of one main window as the window made them, for tests and tools
// (app/features/allfeatures.h has their headers); no unit is handed it.
struct FeatureUnits {
    StartupFeature* Startup = nullptr;
    AppearanceFeature* Appearance = nullptr;
    PageControl* Pages = nullptr;
    WorkCalendarFeature* Calendar = nullptr;
    QueryFeature* Query = nullptr;
    VisualizeFeature* Visualize = nullptr;
    CustomerFeature* Customers = nullptr;
    TaskEditorFeature* Editor = nullptr;
    TimeBlocksFeature* TimeBlocks = nullptr;
    PrintingFeature* Printing = nullptr;
    EmailFeature* Email = nullptr;
    ExchangeFeature* Exchange = nullptr;
    UtilitiesFeature* Utilities = nullptr;
};

class TMainScreen : public QMainWindow, private StartupHost {
    Q_OBJECT
    // The session the window works on, first so that it outlives everything
    // below; a window built without one makes its own.
    std::unique_ptr<AppSession> ownSession_;
    AppSession& session_;

public:
    // Pages of TabControl by index; the index is what the settings keep.
    using Page = MainPage;
    using enum MainPage;

    // A window over a session of its own, on the user's database names.
    explicit TMainScreen(QWidget* parent = nullptr);
    // A window over the program's session; main builds it first.
    explicit TMainScreen(AppSession& session, QWidget* parent = nullptr);
    ~TMainScreen() override;
    AppSession& Session() { return session_; }
    // The feature units: each page and dialog family (app/features/allfeatures.h).
    const FeatureUnits& Features() const { return features_; }

    TMainPageControl* TabControl() const;
    controls::TFcStatusBar* StatusBar() const;
    // The Visualize page's place for the resource allocation chart.
    QWidget* RACContainer() const;
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    // The Utilities page's names of the two databases in use.
    QLineEdit* TWDatabaseInUse() const;
    QLineEdit* QMDatabaseInUse() const;

    // Window and dialog places as read at start-up; dialogs update theirs and
    // the shutdown writes them back.
    WindowLayout& Layout() { return layout_; }
    QTimer* StartClock() const { return start_; }              // 2 ms, armed by every showing
    QTimer* PollClock() const { return updatePoll_; }          // 15 s, started by the schedule synchronisation
    QTimer* RemoveSpaceClock() const { return removeSpace_; }  // 300 s after "Insert time": the insert is pushed

    // The first showing of the program: the start-up runs with the window
    // still hidden, so that the password dialog, when the settings ask for
    // it, comes before the window, and the window appears once it is accepted.
    void ShowWhenStarted();
    // The Start timer's handler (StartupFeature::Run).
    void StartTimer();
    // The shutdown; does its work once per run.
    void FormDestroy();
    void RestoreWindowLayout();
    void LayoutMainWindow(bool scalePeriod);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TMainScreen(std::unique_ptr<AppSession> own, QWidget* parent);
    // What the start-up asks of the window (StartupHost).
    void ShowStartedWindow() override;
    void EndRun() override;
    void LayOutWindow() override { LayoutMainWindow(false); }
    void SaveWindowLayout() override;
    void FormShow();
    void CreateFeatures();
    void CreateStatusBar();
    void CreateTimers();
    void HelpClick();

    WindowLayout layout_;
    QTimer* start_ = nullptr;
    QTimer* updatePoll_ = nullptr;
    QTimer* removeSpace_ = nullptr;
    std::unique_ptr<Ui::TMainScreen> ui;
    std::unique_ptr<data::UserInterface> userInterface_;
    FeatureContext context_;
    // The feature units, one per page or dialog family, in the order they are
    // made; each holds the interfaces of those before it that it needs.
    FeatureUnits features_;
    std::unique_ptr<WorkCalendarFeature> calendar_;
    std::unique_ptr<VisualizeFeature> visualize_;
    std::unique_ptr<QueryFeature> query_;
    std::unique_ptr<CustomerFeature> customers_;
    std::unique_ptr<TimeBlocksFeature> timeBlocks_;
    std::unique_ptr<TaskEditorFeature> editor_;
    std::unique_ptr<EmailFeature> email_;
    std::unique_ptr<PrintingFeature> printing_;
    std::unique_ptr<PageControl> pages_;
    std::unique_ptr<AppearanceFeature> appearance_;
    std::unique_ptr<StartupFeature> startup_;
    std::unique_ptr<UtilitiesFeature> utilities_;
    std::unique_ptr<ExchangeFeature> exchange_;
    bool showWhenStarted_ = false;
    bool showingAfterStart_ = false;
};

}  // namespace tw::app
