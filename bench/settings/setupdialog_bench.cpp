// The setup dialog: ShowSetup with its six pages the first time in a run
// (the window made and every setting loaded) and again later, a switch of
// page as the user sees it (the new page drawn), and the search for company
// files over a volume of 100,000 files in 1,000 folders.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <memory>

#include "controls/tabs/fcpagecontrol.h"
#include "data/services/tablecreation.h"
#include "exchange/qb/sessionmanager.h"
#include "platform/db/table.h"
#include "settings/companyfilesearch.h"
#include "settings/setupdialog.h"
#include "settings/volumes.h"
#include "support/recordinguserinterface.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_setupdialog_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

class QuietHost : public settings::SetupHost {
public:
    void ApplyHelpLevel(int) override {}
    void EnsureResourceCalendars() override {}
    void CompanyRecordChanged() override {}
    void RecomputeAllTaskEnds() override {}
    void ShowWorkCalendarMode(int) override {}
    void ApplyReadOnlyAccess(bool) override {}
    void CloseAllTables() override {}
    void OpenAllTables() override {}
    bool AskPassword() override { return false; }
    void TerminateProgram() override {}
    void OpenHelpPage(const QString&) override {}
    int TaskStatusIndex() const override { return 0; }
    void SetTaskStatusIndex(int) override {}
    void SetTaskStatusItems(const QStringList&) override {}
    void UntickRestrictToSelectedStatus() override {}
    void ApplyJobStatusTexts(const QStringList&) override {}
    std::unique_ptr<qb::SessionManager> OpenAccountingLink() override { return nullptr; }
    void SettingsShowing() override {}
    void SettingsChanged() override {}
};

class OneVolume : public settings::VolumeList {
public:
    std::vector<settings::Volume> list;
    std::vector<settings::Volume> Volumes() const override { return list; }
};

// The program folder's settings tables and a company record, as a new installation has them.
struct SetupFolder {
    SetupFolder()
    {
        dir = fs::temp_directory_path() / ("tw-setup-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "scheduler" / "Backups");
        data::CreateMissingProgramTables(dir.string());
        data::CreateScheduleDatabase((dir / "scheduler").string());
        Open(params, dir, "params.dbf");
        Open(email, dir, "eparams.dbf");
        Open(qbSetup, dir, "qbsetup.dbf");
        Open(company, dir / "scheduler", "mycomp.dbf");
        company.append();
        company.post();
        volumes.list = {{dir.string(), "Data", 8ull << 30, 3ull << 30}};
        settings.JobStatusTexts = {"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"};
        settings.StartDrive = QString::fromStdString(dir.string());
        settings.BackupFolder = QString::fromStdString((dir / "scheduler" / "Backups").string());
        settings.PasswordAccepted = true;
    }
    ~SetupFolder()
    {
        for (db::Table* t : {&params, &email, &qbSetup, &company})
            t->close();
        fs::remove_all(dir);
    }
    static void Open(db::Table& table, const fs::path& folder, const char* name)
    {
        table.setFolder(folder.string());
        table.setTableName(name);
        table.open();
    }
    std::unique_ptr<settings::TQMSetup> MakeDialog()
    {
        return std::make_unique<settings::TQMSetup>(
            host, ui, settings, settings::SetupTables{params, email, qbSetup, company}, volumes);
    }
    // ShowSetup until the dialog is on screen with every setting loaded; the
    // user closes it at once.
    static void ShowAndClose(settings::TQMSetup& dialog)
    {
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
        dialog.ShowSetup();
    }

    fs::path dir;
    db::Table params, email, qbSetup, company;
    QuietHost host;
    data::RecordingUserInterface ui;
    settings::SetupSettings settings;
    OneVolume volumes;
};

void BM_ShowSetupFirstTime(benchmark::State& state)
{
    App();
    SetupFolder folder;
    for (auto _ : state) {
        std::unique_ptr<settings::TQMSetup> dialog = folder.MakeDialog();
        SetupFolder::ShowAndClose(*dialog);
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowSetupFirstTime)->Unit(benchmark::kMillisecond);

void BM_ShowSetupAgain(benchmark::State& state)
{
    App();
    SetupFolder folder;
    std::unique_ptr<settings::TQMSetup> dialog = folder.MakeDialog();
    SetupFolder::ShowAndClose(*dialog);
    for (auto _ : state)
        SetupFolder::ShowAndClose(*dialog);
}
BENCHMARK(BM_ShowSetupAgain)->Unit(benchmark::kMillisecond);

void BM_SetupPageSwitch(benchmark::State& state)
{
    App();
    SetupFolder folder;
    std::unique_ptr<settings::TQMSetup> dialog = folder.MakeDialog();
    auto* pages = dialog->findChild<controls::TFcPageControl*>(QStringLiteral("GeneralSetupTabs"));
    dialog->show();
    QApplication::processEvents();
    QImage image(dialog->size(), QImage::Format_RGB32);
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % pages->PageCount();
        pages->SetActivePageIndex(page);
        dialog->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    dialog->hide();
}
BENCHMARK(BM_SetupPageSwitch)->Unit(benchmark::kMillisecond);

void BM_FindCompanyFiles100000(benchmark::State& state)
{
    const fs::path volume = fs::temp_directory_path() / ("tw-qbw-bench-" + std::to_string(::getpid()));
    fs::remove_all(volume);
    for (int f = 0; f < 1000; ++f) {
        const fs::path folder = volume / ("client" + std::to_string(f / 50)) / ("year" + std::to_string(f));
        fs::create_directories(folder);
        for (int i = 0; i < 100; ++i)
            std::ofstream(folder / (std::to_string(i) + (i == 0 && f % 100 == 0 ? ".QBW" : ".txt")));
    }
    const QString root = QString::fromStdString(volume.string());
    for (auto _ : state) {
        const QStringList found = settings::FindCompanyFiles(root);
        if (found.size() != 10)
            state.SkipWithError("the search missed company files");
    }
    fs::remove_all(volume);
}
BENCHMARK(BM_FindCompanyFiles100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
