// What the user left current stays current: closing the print preview and
// switching the chart's display mode move no cursor and write no customer,
// and the customer form never posts what it loaded for another customer.
#include "customers/customerpage.h"
#include "controls/buttons/fcbitbtn.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "data/services/busyscopes.h"
#include "platform/datetime/localetexts.h"
#include "reports/printpreview.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "controls/choices/fcglyphbutton.h"

#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

class CurrentRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        db::Table& customers = window.Session().Data().CustomersTable;
        customers.refresh();
        ASSERT_GE(customers.recordCount(), 3);
        // A customer in the middle: neither the first nor the last row is it.
        customers.first();
        customers.next();
        current = CurrentCustomer();
        window.Session().Settings.SavedCustomerId = 0;
    }

    std::int32_t CurrentCustomer()
    {
        return window.Session().Data().CustomersTable.fieldByName("CID").asInteger();
    }

    QByteArray CustomerBytes()
    {
        QFile file(QString::fromStdString(window.Session().Data().CustomersTable.path()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        return file.readAll();
    }

    void ShowMaximised(MainPage page)
    {
        window.TabControl()->setCurrentIndex(page);
        window.showMaximized();
        window.StartClock()->stop();  // the start-up has run already
        QCoreApplication::processEvents();
    }

    // Leaving the tab takes the focus out of the edit that had it.
    void LeaveCustomerTab()
    {
        for (QLineEdit* edit : window.Features().Customers->Page()->findChildren<QLineEdit*>())
            emit edit->editingFinished();
        window.TabControl()->setCurrentIndex(MyCompanyPage);
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    std::int32_t current = 0;
};

TEST_F(CurrentRecordsTest, ClosingThePreviewLeavesTheWindowItsTabAndEveryCustomer)
{
    ShowMaximised(CustomerTabPage);
    const QByteArray before = CustomerBytes();
    window.Features().Printing->Open({0, 7, 1, 7, EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 14)});
    reports::TPrintPreview* print = window.Features().Printing->Dialog();
    ASSERT_NE(print, nullptr);
    print->SetChartTypeIndex(reports::TextReport);
    int shown = 0;
    print->ShowPreview = [&](QPrintPreviewDialog& preview) {
        ++shown;
        // The window manager minimises the main window with the dialog and
        // restores it when the preview closes.
        window.setWindowState(Qt::WindowMinimized);
        window.setWindowState(Qt::WindowMaximized);
        preview.reject();
    };
    print->findChild<controls::TFcBitBtn*>(QStringLiteral("PreviewEstimate"))->Click();
    QTest::qWait(30);  // long enough for the start timer, were it armed
    QTest::keyClick(print, Qt::Key_Escape);
    QTest::qWait(30);
    ASSERT_EQ(shown, 1);
    EXPECT_FALSE(print->isVisible());

    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(window.TabControl()->currentIndex(), CustomerTabPage);
    EXPECT_EQ(CurrentCustomer(), current);
    LeaveCustomerTab();
    EXPECT_EQ(CurrentCustomer(), current);
    EXPECT_EQ(CustomerBytes(), before);
}

TEST_F(CurrentRecordsTest, TheCustomerFormPostsOnlyIntoTheCustomerItWasFilledWith)
{
    ShowMaximised(CustomerTabPage);
    TCustomerPage* page = window.Features().Customers->Page();
    QLineEdit* last = page->Edit("DBEdit1");
    const QString loadedLast = last->text();
    ASSERT_FALSE(loadedLast.isEmpty());
    const QByteArray before = CustomerBytes();

    // The cursor moves on without the form being filled again; the user's
    // typing and the values loaded both belong to the customer shown.
    last->setText(QStringLiteral("Typed for the shown one"));
    last->setModified(true);
    {
        data::BusyScope busy(window.Session().State);
        window.Session().Data().CustomersTable.next();
    }
    const std::int32_t other = CurrentCustomer();
    ASSERT_NE(other, current);
    LeaveCustomerTab();
    EXPECT_EQ(CustomerBytes(), before);
    EXPECT_EQ(CurrentCustomer(), other);

    // Once shown, the form writes into the customer it shows.
    window.TabControl()->setCurrentIndex(CustomerTabPage);
    EXPECT_NE(last->text(), loadedLast);
    last->setText(QStringLiteral("Renamed"));
    last->setModified(true);
    LeaveCustomerTab();
    EXPECT_EQ(window.Session().Data().CustomersTable.fieldByName("LAST").asString(), "Renamed");
    EXPECT_EQ(CurrentCustomer(), other);
}

TEST_F(CurrentRecordsTest, SwitchingTheDisplayModeKeepsTheCurrentCustomer)
{
    ShowMaximised(SchedulePage);
    const QString name =
        QString::fromStdString(window.Session().Data().CustomersTable.fieldByName("NAME").asString())
            .trimmed();
    auto* jobs = window.Features().Visualize->Page()->findChild<controls::TFcRadioButton*>(
        QStringLiteral("ShowJobsOnlyJobs"));
    auto* tasks = window.Features().Visualize->Page()->findChild<controls::TFcRadioButton*>(
        QStringLiteral("ShowJobsOnlyTasks"));
    ASSERT_NE(jobs, nullptr);
    ASSERT_NE(tasks, nullptr);
    for (controls::TFcRadioButton* mode : {jobs, tasks, jobs}) {
        mode->SetChecked(true);
        const std::string shown = mode->objectName().toStdString();
        EXPECT_TRUE(mode->Checked()) << shown;
        EXPECT_EQ(CurrentCustomer(), current) << shown;
        // The title, which the e-mail window's recipients follow, names it.
        EXPECT_TRUE(window.windowTitle().startsWith(name)) << window.windowTitle().toStdString();
    }
}

}  // namespace
}  // namespace tw::app
