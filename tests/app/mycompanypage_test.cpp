// The My company tab in the main window: what is typed there is the shared
// company record another program reads, and every report prints it.
#include "app/mainscreen.h"
#include "company/mycompanypage.h"
#include "platform/datetime/localetexts.h"
#include "reporttext.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "support/december.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tw::app {
namespace {

using fixtures::Day;

class MyCompanyPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 2});
        window.show();
        window.StartClock()->stop();
        window.TabControl()->setCurrentIndex(MyCompanyPage);
        page = window.findChild<company::TMyCompanyPage*>(QStringLiteral("MyCompanyPage"));
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(page->isVisible());
    }
    // Types into the field and leaves it, as a user does.
    void Type(const char* name, const QString& text)
    {
        auto* edit = page->findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
        emit edit->editingFinished();
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    company::TMyCompanyPage* page = nullptr;
};

TEST_F(MyCompanyPageTest, TheTypedCompanyIsSharedAndPrintedOnEveryReport)
{
    Type("CompanyName", QStringLiteral("Fernhollow Painting"));
    Type("Address1", QStringLiteral("12 Mill Lane"));
    Type("City", QStringLiteral("Dayton"));
    Type("State", QStringLiteral("OH"));
    Type("PostalCode", QStringLiteral("45402"));
    Type("Phone", QStringLiteral("555-0199"));
    if (const char* dir = std::getenv("TARNWICK_SCREENSHOTS"))
        window.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/my-company.png"));
    window.TabControl()->setCurrentIndex(SelectPage);

    // Another program reads the shared record.
    const QStringList letterhead{QStringLiteral("MYCOMPY"), QStringLiteral("MYADDR1"), QStringLiteral("MYCITY"),
                                 QStringLiteral("MYSTATE"), QStringLiteral("MYPOSTAL"), QStringLiteral("MYPHONE")};
    EXPECT_EQ(testing::DbfRecords(window.Session().Data().MyCompanyTable.path(), letterhead),
              "Fernhollow Painting|12 Mill Lane|Dayton|OH|45402|555-0199\n");

    for (int type : {reports::AnnotatedBarChart, reports::TextReport, reports::ResourceSummary}) {
        const QString text = testing::ChosenReportText(window, type);
        EXPECT_TRUE(text.contains(QStringLiteral("Fernhollow Painting 12 Mill Lane Dayton OH 555-0199")))
            << type << text.toStdString();
    }

    // Shown again, the page shows the record.
    window.TabControl()->setCurrentIndex(MyCompanyPage);
    EXPECT_EQ(page->findChild<QLineEdit*>(QStringLiteral("CompanyName"))->text(), "Fernhollow Painting");
}

}  // namespace
}  // namespace tw::app
