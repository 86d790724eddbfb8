// "Import from QuickBooks" from the Add / Edit / Query page of a started
// program, against the sample company that the registry's link names: the
// button opens the window, and a listed job reaches the schedule.
#include <QDateTimeEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "schedule/visualize/visualizepage.h"
#include "controls/buttons/fcbitbtn.h"
#include "exchange/importqbform.h"
#include "exchange/qbtestcompany.h"
#include "platform/datetime/localetexts.h"
#include "support/qblink.h"
#include "tasks/addtaskform.h"
#include "testapplication.h"
#include "ui_importqbform.h"

namespace tw::app {
namespace {

class ImportQBWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        window.resize(1180, 760);
        window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        window.show();
        window.StartClock()->stop();
        ASSERT_TRUE(test::LinkLocalCompany(company.Path()));
        window.Session().Settings.QBEdition = 1;
        window.Session().Settings.QBCompanyFile.clear();  // automatic access: the file the product has open
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    qb::test::CompanyFolder company{qb::test::SampleCompany()};
};

TEST_F(ImportQBWindowTest, TheButtonOpensTheWindowAndAListedJobReachesTheSchedule)
{
    auto* button =
        window.Features().Query->Page()->findChild<controls::TFcBitBtn*>(QStringLiteral("ImportFromQB"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    button->Click();
    exchange::TImportQB* importWindow = window.Features().Exchange->ImportQB();
    ASSERT_NE(importWindow, nullptr);
    EXPECT_TRUE(importWindow->isVisible());
    Ui::TImportQB& ui = importWindow->Controls();
    ui.ShowQBCustomers->Click();
    QTreeWidget* list = ui.CustomerList;
    QTreeWidgetItem* barn = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(3) == "Barn roof")
            barn = list->topLevelItem(i);
    ASSERT_NE(barn, nullptr) << recorder.Boxes.size();
    list->setCurrentItem(barn);
    // What the pages hear of the import: one notice, after the customer's refresh from QuickBooks.
    std::vector<data::ScheduleChanges> heard;
    auto listening = window.Session().Changes.Subscribe(data::NoticeStage::Chart,
                                                        [&](data::ScheduleChanges c) { heard.push_back(c); });
    ui.ImportQBJob->Click();
    EXPECT_EQ(heard, std::vector<data::ScheduleChanges>{data::ScheduleChange::Customers | data::ScheduleChange::Jobs
                                                         | data::ScheduleChange::Tasks});
    EXPECT_EQ(ui.StatusBar->PanelText(0), "Ashdown Farms:Barn roof imported");
    // The main window says so too, and nothing that runs after the import writes over it.
    QCoreApplication::processEvents();
    EXPECT_EQ(window.StatusText(0), "Ashdown Farms:Barn roof imported");
    EXPECT_EQ(window.StatusText(1), "1 task added");
    EXPECT_FALSE(window.Session().State.TablesBusy);
    db::Table& charts = window.Session().Data().ChartsTable5;
    charts.refresh();
    std::int32_t barnKey = 0;
    for (charts.first(); !charts.eof(); charts.next())
        if (charts.fieldByName("DESC").asString().rfind("Barn roof", 0) == 0)
            barnKey = charts.fieldByName("CHARTSID").asInteger();
    ASSERT_NE(barnKey, 0);
    // The chart was built again on the notice: the new task has its bar.
    const auto& chart = window.Features().Visualize->Page()->Logic().Chart;
    bool barShown = false;
    for (const auto& [bar, link] : chart.BarLinks)
        barShown = barShown || link.ChartsId == barnKey;
    EXPECT_TRUE(barShown);
    importWindow->close();
    window.Features().Startup->ApplyReadOnlyAccess(true);
    EXPECT_FALSE(button->isEnabled());
}

// "Add missing data" for a job without dates proposes today at the start of
// the working day (the job's own dates go to the editor as values too, see
// ImportQBJobsTest). The editor is
// read while it is on screen, as the user sees it, in the locale the program
// runs under and in German.
TEST_F(ImportQBWindowTest, LocaleRunsAddMissingDataWithoutDatesProposesTodaysWorkingDay)
{
    window.Features().Query->Page()->findChild<controls::TFcBitBtn*>(QStringLiteral("ImportFromQB"))->Click();
    exchange::TImportQB* importWindow = window.Features().Exchange->ImportQB();
    ASSERT_NE(importWindow, nullptr);
    Ui::TImportQB& ui = importWindow->Controls();
    ui.ShowQBCustomers->Click();
    const auto select = [&](const QString& job) {
        for (int i = 0; i < ui.CustomerList->topLevelItemCount(); ++i)
            if (ui.CustomerList->topLevelItem(i)->text(3) == job)
                ui.CustomerList->setCurrentItem(ui.CustomerList->topLevelItem(i));
        return ui.CustomerList->currentItem() && ui.CustomerList->currentItem()->text(3) == job;
    };
    // Today's working day: the editor moves a start at a weekend on to Monday.
    QDate today = QDate::currentDate();
    if (today.dayOfWeek() > 5)
        today = today.addDays(8 - today.dayOfWeek());
    for (const char* name : {"", "de_DE"}) {
        SCOPED_TRACE(*name ? name : "the process's locale");
        locale::PinLocale(name);
        ASSERT_TRUE(select(QStringLiteral("Gutters")));
        QDate shownDate;
        QTime shownTime;
        QString caption;
        QTimer::singleShot(0, [&] {
            tasks::TAddTask* editor = window.Features().Editor->Editor();
            caption = editor->windowTitle();
            shownDate = editor->findChild<QDateTimeEdit*>(QStringLiteral("TaskStartDate"))->date();
            shownTime = editor->findChild<QDateTimeEdit*>(QStringLiteral("TaskStartTime"))->time();
            editor->findChild<controls::TFcBitBtn*>(QStringLiteral("Cancel"))->Click();
        });
        ui.ImportQBJob->Click();
        EXPECT_EQ(caption, "Add missing data");
        EXPECT_EQ(shownDate, today);
        EXPECT_EQ(shownTime, QTime(8, 0));
    }
    locale::PinLocale("en_US");
}

}  // namespace
}  // namespace tw::app
