// The reports print what the chart shows: the main window's print dialog and
// the PDF it hands to the e-mail window take the query's rows, title and
// header and the chart's display mode.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "schedule/visualize/visualizepage.h"
#include "controls/choices/fcglyphbutton.h"
#include "platform/datetime/localetexts.h"
#include "reporttext.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "support/december.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using fixtures::Day;

class ReportSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 2});
        examples::AddSampleTask(window, ann, {"Brook", "Porch", "Sand floor", Day(8, 10), 2});
        // Each customer has a contact the header would print.
        db::Table& customers = window.Session().Data().CustomersTable3;
        customers.refresh();
        for (customers.first(); !customers.eof(); customers.next()) {
            customers.edit();
            const std::string name = customers.fieldByName("NAME").asString();
            customers.fieldByName("CONTACT1").setAsString(name.substr(0, name.find(' ')) + " Contact");
            customers.post();
        }
        window.resize(1180, 760);
        window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        window.show();
        window.StartClock()->stop();
        db::Table& current = window.Session().Data().CustomersTable;
        current.refresh();
        ASSERT_TRUE(current.locate("NAME", db::Value(std::string("Ames"))));
        window.Features().Query->ApplyCustomerQuery();
    }

    QString ReportText(int type) { return testing::ChosenReportText(window, type, &title); }

    void ShowJobsOnly(bool jobs)
    {
        window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        auto* mode = window.Features().Visualize->Page()->findChild<controls::TFcRadioButton*>(
            jobs ? QStringLiteral("ShowJobsOnlyJobs") : QStringLiteral("ShowJobsOnlyTasks"));
        ASSERT_NE(mode, nullptr);
        mode->SetChecked(true);
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    QString title;
};

TEST_F(ReportSelectionTest, ShowAllPrintsEveryCustomerUnderNoCustomerHeader)
{
    // For one customer: its tasks under its contact.
    for (int type : {reports::TextReport, reports::AnnotatedBarChart}) {
        const QString text = ReportText(type);
        EXPECT_TRUE(text.contains(QStringLiteral("Ames Contact"))) << type << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Fit units"))) << type;
        EXPECT_FALSE(text.contains(QStringLiteral("Sand floor"))) << type;
    }

    window.Features()
        .Query->Page()
        ->findChild<controls::TFcCheckBox*>(QStringLiteral("RestrictToActive"))
        ->ChangeState();
    for (int type : {reports::TextReport, reports::AnnotatedBarChart, reports::ResourceSummary}) {
        const QString text = ReportText(type);
        EXPECT_EQ(title, window.windowTitle()) << type;
        EXPECT_FALSE(title.contains(QStringLiteral("Ames"))) << title.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Contact"))) << type << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Fit units"))) << type << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Sand floor"))) << type << text.toStdString();
    }
}

TEST_F(ReportSelectionTest, OverallJobsOnlyPrintsTheJobRowsUnderAJobColumn)
{
    ShowJobsOnly(true);
    for (int type : {reports::TextReport, reports::AnnotatedBarChart}) {
        const QString text = ReportText(type);
        // The column is headed "Job" and the job's row is printed with its length.
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\n\\s*Job\\s"))))
            << type << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\n\\s*Task\\s"))))
            << type << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("2.00 hours"))) << type << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Fit units"))) << type << text.toStdString();
    }
    ShowJobsOnly(false);
    const QString tasks = ReportText(reports::TextReport);
    EXPECT_TRUE(tasks.contains(QStringLiteral("Fit units"))) << tasks.toStdString();
}

// Before the start-up has attached the query page no restriction is in force:
// the reports take the chart's sort order and the current resource as given,
// and the window's caption for their title.
TEST(ReportSelectionBeforeStartTest, NothingIsRestrictedUnderTheWindowsCaption)
{
    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    ASSERT_FALSE(window.Features().Query->Page()->Attached());
    const QuerySelection& query = *window.Features().Query;

    const reports::SelectionState s = query.ReportSelection(3, 42);
    EXPECT_EQ(s.ChartSortBy, 3);
    EXPECT_EQ(s.CurrentResourceId, 42);
    EXPECT_FALSE(s.JobsOnly);
    for (bool restricted : {s.RestrictToActive, s.RestrictTasksToCrew, s.RestrictByDate,
                            s.RestrictToSelectedStatus, s.RestrictToCustomer, s.CustomerSearchActive,
                            s.ResourceSearchActive, s.TaskSearchActive})
        EXPECT_FALSE(restricted);
    EXPECT_TRUE(s.ResourceSearchFilter.empty());
    EXPECT_EQ(query.ReportTitle(QStringLiteral("Tarnwick - Caption")), QStringLiteral("Tarnwick - Caption"));
}

}  // namespace
}  // namespace tw::app
