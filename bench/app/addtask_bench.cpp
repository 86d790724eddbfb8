// Done on a new task in the task editor of the real main window, timed as the
// user waits: from the click on Done to the last table write and the window
// repainted. The editor is opened as the Add / Edit / Query page's Insert
// button opens it (its close rebuilds the chart), on schedules of 500, 5,000
// and 20,000 tasks on 20 resources that the window has opened as a user's
// start opens them. Each add lies a week after the one before, beyond the
// schedule, so the overlap check passes; "Trim hedges" sorts into the middle
// of its resource's tasks, as a user's task does. An add must cost the same
// whatever the schedule's size. The weekly series of 52 goes the same way,
// the repeat question answered "Reoccurring" off. "syncs" counts the flushes
// to disk (fdatasync of a file, fsync of a folder) of one add.
#include <benchmark/benchmark.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "data/datetimetext.h"
#include "largeschedule.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"
#include "support/synccountingfs.h"
#include "tasks/addtaskform.h"
#include "testapplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <sys/resource.h>

#include <map>
#include <memory>
#include <string>

namespace tw::app {
namespace {

// A user's folders holding a schedule of the size, and the main window
// started on them (the schedule made by one window, opened by the next).
struct OpenSchedule {
    explicit OpenSchedule(int tasks)
    {
        {
            TMainScreen maker;
            maker.StartTimer();
            bench::MakeLargeSchedule(maker, tasks);
            // The tasks written straight into the tables have never been on
            // the chart: one build sorts the working copy, as a user's earlier
            // sessions have.
            maker.Features().Visualize->BuildChart(true);
            maker.Session().Flags.NoAutoBackup = true;
            maker.FormDestroy();
        }
        window = std::make_unique<TMainScreen>();
        window->resize(1100, 760);
        window->StartTimer();
        window->TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        window->show();
        window->StartClock()->stop();
        QCoreApplication::processEvents();
    }
    ~OpenSchedule()
    {
        window->Session().Flags.NoAutoBackup = true;  // the shutdown is not what is measured
        window->FormDestroy();
    }
    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    std::unique_ptr<TMainScreen> window;
};

// Every flush to disk of the run, counted from before the first schedule is
// made, so that the files the window keeps open are counted too.
::tw::testing::SyncCountingFs& Syncs()
{
    static ::tw::testing::CountSyncs counting;
    return const_cast<::tw::testing::SyncCountingFs&>(counting.Counted());
}

OpenSchedule& ScheduleOfSize(int tasks)
{
    Syncs();
    static std::map<int, std::unique_ptr<OpenSchedule>> schedules;
    if (schedules.count(tasks) == 0) {
        // One open window at a time: the previous size's closes first.
        schedules.clear();
        schedules[tasks] = std::make_unique<OpenSchedule>(tasks);
        // The last window closes at exit before whatever the toolkit set up
        // while it was open is torn down: exit handlers run last-registered
        // first.
        std::atexit([] { schedules.clear(); });
    }
    return *schedules[tasks];
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The editor for a new task as the Insert button of the tasks grid opens it,
// starting at start, four hours long.
tasks::TAddTask* OpenEditorOnNewTask(TMainScreen& window, const std::string& description, TDateTime start)
{
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    AppSession& s = window.Session();
    editor->ShowTaskEditor(s.Data().ChartsTable, true, false, s.State.HelpLevel, description,
                           start, false, "", "", "", "", "", true, 0, false, false);
    auto* length = editor->findChild<QLineEdit*>(QStringLiteral("TaskLength"));
    length->setText(QStringLiteral("4"));
    emit length->textEdited(length->text());
    return editor;
}

// Done, and what follows it until the window shows the result: the page
// in front repainted, and the chart drawn as the Visualize page shows it (a
// page behind draws its chart when it is next shown; the user who added the
// task goes there to see it).
void PressDone(TMainScreen& window, tasks::TAddTask* editor)
{
    editor->findChild<controls::TFcBitBtn*>(QStringLiteral("AddTaskManual"))->Click();
    QCoreApplication::processEvents();
    window.repaint();
    QWidget* chartPage = window.TabControl()->widget(TMainScreen::SchedulePage);
    static QImage drawn;
    if (drawn.size() != chartPage->size())
        drawn = QImage(chartPage->size(), QImage::Format_ARGB32_Premultiplied);
    chartPage->render(&drawn);
}

void BM_AddATask(benchmark::State& state)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    locale::PinLocale("en_US");
    OpenSchedule& s = ScheduleOfSize(static_cast<int>(state.range(0)));
    static int round = 0;
    int syncs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TDateTime monday = EncodeDate(2040, 1, 2) + 7 * round++;
        tasks::TAddTask* editor = OpenEditorOnNewTask(*s.window, "Trim hedges", monday + 8.0 / 24);
        const int syncsBefore = Syncs().Total();
        state.ResumeTiming();
        PressDone(*s.window, editor);
        state.PauseTiming();
        syncs += Syncs().Total() - syncsBefore;
        if (!editor->Result() || editor->isVisible())
            state.SkipWithError("the task was not added");
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(s.window->Session().Data().ChartsTable5.recordCount());
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["syncs"] = static_cast<double>(syncs) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AddATask)->Arg(500)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(20);

// Answers the repeat question when it comes up: one series, not reoccurring.
void AnswerRepeatQuestion()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
        else
            AnswerRepeatQuestion();
    });
}

void BM_AddWeeklySeriesOf52(benchmark::State& state)
{
    locale::PinLocale("en_US");
    OpenSchedule& s = ScheduleOfSize(static_cast<int>(state.range(0)));
    static int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TDateTime monday = EncodeDate(2060, 1, 2) + 2 * 364 * round++;
        tasks::TAddTask* editor = OpenEditorOnNewTask(*s.window, "Mow front lawn", monday + 8.0 / 24);
        editor->findChild<controls::TFcRadioGroup*>(QStringLiteral("RepeatPeriod"))->Button(2)->Click();
        auto* count = editor->findChild<QLineEdit*>(QStringLiteral("RepeatRep"));
        count->setText(QStringLiteral("52"));
        AnswerRepeatQuestion();
        state.ResumeTiming();
        PressDone(*s.window, editor);
        state.PauseTiming();
        if (!editor->Result() || editor->isVisible())
            state.SkipWithError("the series was not added");
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(s.window->Session().Data().ChartsTable5.recordCount());
}
BENCHMARK(BM_AddWeeklySeriesOf52)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tw::app
