// The print dialog and the page format dialog as the user drives them: the
// include boxes each chart type enables, the resource notes rule, a second
// opening, the page format kept in params.dbf, the paper the preview gets,
// and the refusal to print without a printer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPoint>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include "controls/choices/fcglyphbutton.h"

#include "reportfixture.h"
#include "widgetsapplication.h"
#include "reports/pageformat.h"
#include "controls/buttons/fcbitbtn.h"
#include "reports/printpreview.h"
#include "support/recordinguserinterface.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

// The main window as the dialog sees it: the fixture's tables, the page
// format the page format dialog keeps, and what reached the user.
class FakeHost : public PrintPreviewHost {
public:
    explicit FakeHost(ReportFixture& fixture, const int& code) : fixture_(fixture), code_(code) {}

    ReportTables Tables() override { return fixture_.tables; }
    const ReportServices& Services() const override { return fixture_.services; }
    SelectionState Selection() override { return fixture_.selection; }
    ChartPages* Chart() override { return nullptr; }
    int PageFormatCode() const override { return code_; }
    QString Caption() const override { return QStringLiteral("Tarnwick - Baker"); }
    bool MailThroughClient() const override { return false; }
    void SendEmail(int, const ChartPeriod& period, const QString& message) override
    {
        mailed << message;
        mailedPeriod = period;
    }
    QPoint Position() const override { return position; }
    void StorePosition(const QPoint& topLeft) override { position = topLeft; }
    void ShowError(const QString& text) override { errors << text; }
    data::UserInterface& Interface() override { return hourglass; }

    // Counts the hourglasses held, as the main window does.
    struct Hourglass : data::RecordingUserInterface {
        void SetBusyCursor(bool busy) override { held += busy ? 1 : -1; }
        int held = 0;
    } hourglass;
    QStringList errors;
    QStringList mailed;
    ChartPeriod mailedPeriod;
    QPoint position{40, 30};

private:
    ReportFixture& fixture_;
    const int& code_;
};

class PrintDialogs : public ::testing::Test, public WidgetsApplication, public ReportFixture {
protected:
    PrintDialogs()
    {
        Create(data::Database::Parameters, "params.dbf");
        params.setFolder(Folder().string());
        params.setTableName("params.dbf");
        params.open();
        params.append();
        params.post();
        pageFormat.SetHost({&size, &orientation, &code, [this] { return &params; }});
        dialog.SetPageFormatDialog(&pageFormat);
        dialog.SetHost(&host);
    }
    ~PrintDialogs() override { params.close(); }
    void Create(data::Database database, const char* name)
    {
        const data::TableLayout* layout = data::FindLayout(database, name);
        db::CreateTable(Folder().string(), layout->fileName, layout->fields, layout->indexes);
    }
    template <typename T>
    T* Child(QWidget& parent, const char* name)
    {
        T* child = parent.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    std::vector<bool> Enabled()
    {
        std::vector<bool> states;
        for (const char* name :
             {"IncludeOriginal", "IncludeNotes", "IncludeTotals", "IncludeResources", "IncludeResourceNotes"})
            states.push_back(Child<controls::TFcCheckBox>(dialog, name)->isEnabled());
        return states;
    }

    db::Table params;
    int size = 0, orientation = 0, code = 0;
    FakeHost host{*this, code};
    TPageFormat pageFormat;
    TPrintPreview dialog;
};

TEST_F(PrintDialogs, ChartTypeEnablesItsIncludeBoxesAndKeepsTheTicks)
{
    EXPECT_EQ(dialog.ChartTypeIndex(), AnnotatedBarChart);
    struct Case {
        const char* item;
        std::vector<bool> enabled;
    } cases[] = {
        {"GanttChartItem", {false, false, false, false, false}},
        {"AnnotatedBarChartItem", {false, false, false, true, true}},
        {"TextReportItem", {true, true, true, true, true}},
        {"ResourceSummaryItem", {false, false, true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Child<controls::TFcRadioButton>(dialog, c.item)->ChangeState();
        EXPECT_EQ(Enabled(), c.enabled);
    }
    Child<controls::TFcRadioButton>(dialog, "TextReportItem")->ChangeState();
    Child<controls::TFcCheckBox>(dialog, "IncludeOriginal")->ChangeState();
    Child<controls::TFcRadioButton>(dialog, "GanttChartItem")->ChangeState();
    EXPECT_TRUE(dialog.Options().IncludeOriginal) << "a disabled box keeps its tick";
}

TEST_F(PrintDialogs, UncheckingResourcesUnchecksTheirNotes)
{
    controls::TFcCheckBox* resources = Child<controls::TFcCheckBox>(dialog, "IncludeResources");
    controls::TFcCheckBox* notes = Child<controls::TFcCheckBox>(dialog, "IncludeResourceNotes");
    resources->ChangeState();
    notes->ChangeState();
    EXPECT_TRUE(notes->Checked());
    resources->ChangeState();
    EXPECT_FALSE(notes->Checked());
    resources->ChangeState();
    EXPECT_FALSE(notes->Checked());
    notes->ChangeState();
    EXPECT_TRUE(notes->Checked());
}

TEST_F(PrintDialogs, ASecondOpeningKeepsTitleAndPeriod)
{
    dialog.Open(0, 7, 1, 7, At(0, 0), At(7, 0));
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(dialog.Options().Title, "Tarnwick - Baker");
    Child<QLineEdit>(dialog, "Title")->setText("Crew sheet");
    dialog.Open(1, 14, 2, 7, At(7, 0), At(21, 0));
    EXPECT_EQ(dialog.Options().Title, "Crew sheet");
    EXPECT_EQ(dialog.Request().Period.SpanDays, 7);
    dialog.close();
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_F(PrintDialogs, OpensWhereItWasLeftAndMailsTheChartsPeriod)
{
    dialog.Open(0, 14, 2, 7, At(0, 0), At(14, 0));
    EXPECT_EQ(dialog.pos(), QPoint(40, 30));
    EXPECT_TRUE(Child<controls::TFcBitBtn>(dialog, "CallSendEMail")->isEnabled());
    Child<controls::TFcBitBtn>(dialog, "CallSendEMail")->Click();
    EXPECT_EQ(host.mailed, QStringList{QStringLiteral("schedule.pdf is attached")});
    EXPECT_EQ(host.mailedPeriod.Start, At(0, 0));
    EXPECT_EQ(host.mailedPeriod.End, At(14, 0));
    EXPECT_EQ(host.mailedPeriod.SpanDays, 14);
    EXPECT_TRUE(dialog.StatusText().isEmpty());
    dialog.move(120, 90);
    dialog.close();
    EXPECT_EQ(host.position, QPoint(120, 90)) << "the next opening finds it where it was closed";
}

TEST_F(PrintDialogs, PageFormatIsKeptInTheSettingsTable)
{
    struct Case {
        const char *size, *orientation;
        int sizeRow, orientationRow, code;
    } cases[] = {{"SizeLegal", "Landscape", 1, 1, 3},
                 {"SizeA4", "Portrait", 2, 0, 4},
                 {"SizeLetter", "Landscape", 0, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        pageFormat.Preset();
        Child<controls::TFcRadioButton>(pageFormat, c.size)->SetChecked(true);
        Child<controls::TFcRadioButton>(pageFormat, c.orientation)->SetChecked(true);
        Child<controls::TFcBitBtn>(pageFormat, "Ok")->Click();
        params.refresh();
        params.first();
        EXPECT_EQ(params.fieldByName("PAPERSZ").asInteger(), c.sizeRow);
        EXPECT_EQ(params.fieldByName("PAPERO").asInteger(), c.orientationRow);
        EXPECT_EQ(size, c.sizeRow);
        EXPECT_EQ(orientation, c.orientationRow);
        EXPECT_EQ(code, c.code);
        // The next opening shows the stored choice.
        pageFormat.Preset();
        EXPECT_TRUE(Child<controls::TFcRadioButton>(pageFormat, c.size)->Checked());
        EXPECT_TRUE(Child<controls::TFcRadioButton>(pageFormat, c.orientation)->Checked());
    }
}

TEST_F(PrintDialogs, PreviewGetsThePaperOfTheOneRule)
{
    AddResource(1, "Alder crew", 40);
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    code = 2;  // Legal portrait
    dialog.Open(0, 7, 1, 7, At(0, 0), At(7, 0));
    QPageLayout::Orientation seen = QPageLayout::Portrait;
    QImage shown;
    dialog.ShowPreview = [&](QPrintPreviewDialog& preview) {
        preview.resize(700, 800);
        preview.show();
        QApplication::processEvents();
        seen = preview.printer()->pageLayout().orientation();
        shown = preview.grab().toImage();
        preview.close();
    };
    Child<controls::TFcRadioButton>(dialog, "TextReportItem")->ChangeState();
    Child<controls::TFcCheckBox>(dialog, "IncludeOriginal")->ChangeState();
    dialog.PreviewEstimateClick();
    EXPECT_EQ(seen, QPageLayout::Landscape);
    EXPECT_TRUE(dialog.StatusText().isEmpty());
    ASSERT_FALSE(shown.isNull());

    // The same box under another chart type leaves the paper alone.
    Child<controls::TFcRadioButton>(dialog, "GanttChartItem")->ChangeState();
    dialog.PreviewEstimateClick();
    EXPECT_EQ(seen, QPageLayout::Portrait);
}

TEST_F(PrintDialogs, EachPreviewCarriesItsReportsTitle)
{
    AddResource(1, "Alder crew", 40);
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    dialog.Open(0, 7, 1, 7, At(0, 0), At(7, 0));
    QString title;
    int hourglasses = 0;  // held while the preview shows
    dialog.ShowPreview = [&](QPrintPreviewDialog& preview) {
        title = preview.windowTitle();
        hourglasses = host.hourglass.held;
    };
    const std::pair<const char*, const char*> cases[] = {
        {"GanttChartItem", "Gantt chart report"},
        {"AnnotatedBarChartItem", "Bar chart report"},
        {"ResourceSummaryItem", "Resource summary report"},
        {"TextReportItem", "Text chart report"},
    };
    for (const auto& [item, expected] : cases) {
        title.clear();
        Child<controls::TFcRadioButton>(dialog, item)->ChangeState();
        dialog.PreviewEstimateClick();
        EXPECT_EQ(title, expected) << item;
        EXPECT_EQ(hourglasses, 1) << item;
        EXPECT_EQ(host.hourglass.held, 0) << item;
    }
}

TEST_F(PrintDialogs, PrintWithoutAPrinterSaysSo)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    dialog.PrintEstimateClick();
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].startsWith("No printer is set up")) << host.errors[0].toStdString();
}

}  // namespace
