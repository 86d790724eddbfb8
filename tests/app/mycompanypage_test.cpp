// The My company tab in the main window: what is typed there is the shared
// company record another program reads, and every report prints it.
#include "app/mainscreen.h"
#include "company/mycompanypage.h"
#include "platform/datetime/localetexts.h"
#include "reports/printpreview.h"
#include "pdftools.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "support/december.h"

#include <QLineEdit>
#include <QProcess>
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
        ASSERT_TRUE(window.State.TablesOpen);
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 2});
        window.show();
        window.Start->stop();
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
    if (const char* dir = std::getenv("TARNWICK_SCREENSHOT_DIR"))
        window.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/my-company.png"));
    window.TabControl()->setCurrentIndex(SelectPage);

    // Another program reads the shared record.
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, dbfread\n"
                                 "r = list(dbfread.DBF(sys.argv[1]))[0]\n"
                                 "print('|'.join(r[f].strip() for f in ('MYCOMPY', 'MYADDR1', 'MYCITY', "
                                 "'MYSTATE', 'MYPOSTAL', 'MYPHONE')))\n"),
                  QString::fromStdString(window.Data().MyCompanyTable.path())});
    ASSERT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.readAllStandardOutput().trimmed().toStdString(),
              "Fernhollow Painting|12 Mill Lane|Dayton|OH|45402|555-0199")
        << reader.readAllStandardError().toStdString();

    window.OpenPrintPreview(0, 14, 1, 14, Day(7, 0), Day(21, 0));
    reports::TPrintPreview* print = window.PrintPreview();
    ASSERT_NE(print, nullptr);
    for (int type : {reports::AnnotatedBarChart, reports::TextReport, reports::ResourceSummary}) {
        print->SetChartTypeIndex(type);
        const reports::PdfResult pdf = print->ChosenReportPdf();
        ASSERT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
        const QString text = reports::testing::ReadPdf(pdf.Pdf).Text;
        EXPECT_TRUE(text.contains(QStringLiteral("Fernhollow Painting 12 Mill Lane Dayton OH 555-0199")))
            << type << text.toStdString();
    }
    print->close();

    // Shown again, the page shows the record.
    window.TabControl()->setCurrentIndex(MyCompanyPage);
    EXPECT_EQ(page->findChild<QLineEdit*>(QStringLiteral("CompanyName"))->text(), "Fernhollow Painting");
}

}  // namespace
}  // namespace tw::app
