// What the pages show of the run's state before the Visualize page was ever
// in front: an empty database says so on the Add / Edit / Query page, and a
// restriction made there reaches the status bar and the customer e-mail at
// once.
#include "customers/customerpage.h"
#include "app/features/allfeatures.h"
#include "query/querypage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/recordnavigator.h"
#include "data/datetimetext.h"
#include "reports/email/sendemailform.h"
#include "sampleschedule.h"
#include "samplewindow.h"
#include "support/december.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace tw::app {
namespace {

using fixtures::Day;

class PageStateTest : public testing::SampleWindowTest {
protected:
    QString Label(const char* name)
    {
        auto* label = window.Features().Query->Page()->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
    QWidget* TasksNavigator()
    {
        return window.Features().Query->Page()->findChild<QWidget*>(QStringLiteral("TasksNavigator"));
    }
};

TEST_F(PageStateTest, AnEmptyDatabaseSaysSoAndHidesTheTaskNavigatorUntilTheFirstJob)
{
    ShowOn(TMainScreen::SelectPage);
    EXPECT_EQ(window.windowTitle(), "Tarnwick");
    EXPECT_EQ(Label("CustomersLabel"), "No customers");
    EXPECT_EQ(Label("JobsLabel"), "No jobs");
    EXPECT_EQ(Label("TasksLabel"), "No tasks");
    ASSERT_NE(TasksNavigator(), nullptr);
    EXPECT_TRUE(TasksNavigator()->isHidden());

    // The first job (with its customer and task) brings the navigator back
    // as soon as a page applies the query again.
    const std::int32_t ann = examples::AddSampleResource(window, "Ann");
    examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 1});
    window.TabControl()->setCurrentIndex(TMainScreen::CustomerTabPage);
    window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
    EXPECT_FALSE(TasksNavigator()->isHidden());
}

// A user's first job in a new database: a customer added on the customer
// tab, then a job added and named on the Add / Edit / Query tab; the task
// navigator's + is there at once, without leaving the tab.
TEST_F(PageStateTest, TheFirstTypedJobShowsTheTaskNavigatorAtOnce)
{
    ShowOn(TMainScreen::CustomerTabPage);
    auto* customers = window.Features().Customers->Page()->findChild<controls::RecordNavigator*>(
        QStringLiteral("CustomerNavigator2"));
    ASSERT_NE(customers, nullptr);
    customers->ButtonOf(controls::RecordNavigator::Insert)->click();
    window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
    ASSERT_TRUE(TasksNavigator()->isHidden());

    TQueryPage* page = window.Features().Query->Page();
    page->findChild<controls::RecordNavigator*>(QStringLiteral("JobsNavigator"))
        ->ButtonOf(controls::RecordNavigator::Insert)
        ->click();
    auto* jobs = page->findChild<QTableView*>(QStringLiteral("JobsGrid"));
    ASSERT_EQ(jobs->model()->rowCount(), 1);
    const QModelIndex cell = jobs->model()->index(0, 0);
    jobs->setFocus();
    jobs->setCurrentIndex(cell);
    jobs->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(jobs->indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Kitchen refit"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(jobs->model()->index(0, 0).data().toString(), "Kitchen refit");
    EXPECT_EQ(window.TabControl()->currentIndex(), TMainScreen::SelectPage);
    EXPECT_FALSE(TasksNavigator()->isHidden());
    auto* tasks = static_cast<controls::RecordNavigator*>(TasksNavigator());
    EXPECT_TRUE(tasks->isEnabled());
    EXPECT_FALSE(tasks->ButtonOf(controls::RecordNavigator::Insert)->isHidden());
}

TEST_F(PageStateTest, ARestrictionReachesTheStatusBarAndTheEmailBeforeTheChartWasShown)
{
    window.Session().Settings.Email.UseMailProgram = true;
    window.Session().Settings.Email.MailProgram = QStringLiteral("/nonexistent/xdg-email");
    AddKitchenJob();
    ShowOn(TMainScreen::SelectPage);
    window.Features().Query->ApplyCustomerQuery();
    ASSERT_FALSE(window.Session().State.ScheduleTabVisited);

    // Bob's one task, restricted on the Add / Edit / Query page.
    QTableView* crews = window.Features().Query->Page()->CrewsGrid();
    for (int row = 0; row < crews->model()->rowCount(); ++row) {
        if (crews->model()->index(row, 0).data().toString() == "Bob")
            crews->setCurrentIndex(crews->model()->index(row, 0));
    }
    window.Features()
        .Query->Page()
        ->findChild<controls::TFcCheckBox*>(QStringLiteral("RestrictTasksToCrew"))
        ->ChangeState();
    EXPECT_EQ(window.StatusText(1), "1 tasks found");
    EXPECT_EQ(window.Session().Chart.TasksFound, 1);

    window.TabControl()->setCurrentIndex(TMainScreen::CustomerTabPage);
    window.Features()
        .Customers->Page()
        ->findChild<controls::TFcBitBtn*>(QStringLiteral("SendEmailToClient"))
        ->Click();
    email::TSendEmail* mail = window.Features().Email->Window();
    ASSERT_TRUE(mail->isVisible());
    const QString subject = mail->findChild<QLineEdit*>(QStringLiteral("Subject"))->text();
    EXPECT_TRUE(subject.endsWith(" on " + QString::fromStdString(data::DateTimeText(Day(8, 10)))))
        << subject.toStdString();
    mail->close();
    EXPECT_FALSE(window.Session().State.ScheduleTabVisited);
}

}  // namespace
}  // namespace tw::app
