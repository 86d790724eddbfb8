// The finished PDFs, read back with poppler-utils: pages, paper and words of
// each report, the Gantt report's page images in printer.dbf, and a chart
// whose rows do not fit a page.

#include <gtest/gtest.h>

#include <QPainter>

#include "pdftools.h"
#include "reportfixture.h"
#include "reports/chartimagereport.h"
#include "reports/reportpdf.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

// A chart of equal rows, rowsPerPage of them to a page image; a row height
// of 0 paints nothing at all, as a row taller than the page would.
class RowsChart : public ChartPages {
public:
    RowsChart(int rows, int rowsPerPage) : rows_(rows), perPage_(rowsPerPage) {}
    int GetCount() override { return rows_; }
    int PaintTo(QPainter& painter, const QRect& rect, int firstRow) override
    {
        ++Calls;
        if (perPage_ == 0)
            return firstRow - 1;
        const int last = std::min(rows_, firstRow + perPage_) - 1;
        const int height = rect.height() / perPage_;
        for (int row = firstRow; row <= last; ++row)
            painter.fillRect(QRect(0, (row - firstRow) * height, rect.width() / 2, height - 4), Qt::darkBlue);
        return last;
    }
    int Calls = 0;

private:
    int rows_, perPage_;
};

class PdfOutput : public ::testing::Test, public ReportFixture {
protected:
    PdfOutput()
    {
        SetCompany("Acme Renovations", "1 Main St", "", "Springfield", "IL", "555-0100");
        AddResource(1, "Alder crew", 40);
        AddResource(2, "Birch crew", 37.5);
        AddTask({.Id = 1,
                 .Description = "Lay kitchen tiles",
                 .Crew = 1,
                 .Start = At(1, 8),
                 .End = At(1, 12),
                 .Hours = 4});
        Assign(1, 2);
        AddTask({.Id = 2,
                 .Customer = "Carter",
                 .Job = "Porch",
                 .Description = "Paint railing",
                 .Crew = 2,
                 .Start = At(2, 8),
                 .End = At(2, 16),
                 .Hours = 8});
        options.Title = QStringLiteral("Weekly schedule");
        options.IncludeTotals = true;
        options.IncludeResources = true;
    }
    PdfResult Pdf(int type, int code = 0, ChartPages* chart = nullptr)
    {
        ReportRequest request;
        request.Type = type;
        request.Options = options;
        request.Period = {At(0, 0), At(7, 0), 7, 1, 7};
        request.PageFormatCode = code;
        return SchedulePdf(tables, services, selection, chart, request);
    }
};

TEST_F(PdfOutput, EveryReportReadsBackWithItsWords)
{
    RowsChart chart(3, 12);
    struct Case {
        const char* name;
        int type;
        std::vector<const char*> words;
    } cases[] = {
        {"Gantt chart", GanttChart, {"Weekly schedule", "Acme Renovations", "Page 1 of 1"}},
        {"annotated bar chart",
         AnnotatedBarChart,
         {"Customer : Job", "Baker : Kitchen", "Lay kitchen tiles", "Alder crew", "Birch crew", "4.00 hours",
          "Status"}},
        {"text report",
         TextReport,
         {"Paint railing", "Grand total:", "$310.00", "$610.00", "Assigned resource"}},
        {"resource summary",
         ResourceSummary,
         {"Labor charges", "Birch crew", "Paint railing", "$150.00", "$610.00", "16.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PdfResult pdf = Pdf(c.type, 0, &chart);
        ASSERT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
        const PdfFacts facts = ReadPdf(pdf.Pdf);
        EXPECT_EQ(facts.Pages, 1);
        EXPECT_TRUE(facts.PageSize.startsWith("612 x 792")) << facts.PageSize.toStdString();
        for (const char* word : c.words)
            EXPECT_TRUE(facts.Text.contains(QString::fromUtf8(word))) << word << "\n"
                                                                      << facts.Text.toStdString();
    }
}

TEST_F(PdfOutput, TextReportWithOriginalInformationComesOutLandscape)
{
    options.IncludeOriginal = true;
    const PdfResult legal = Pdf(TextReport, 2);
    ASSERT_TRUE(legal.Ok());
    EXPECT_TRUE(ReadPdf(legal.Pdf).PageSize.startsWith("1008 x 612"));
    // The same box on another report changes nothing.
    const PdfResult bars = Pdf(AnnotatedBarChart, 2);
    EXPECT_TRUE(ReadPdf(bars.Pdf).PageSize.startsWith("612 x 1008"));
}

TEST_F(PdfOutput, GanttPagesAreKeptOneRecordPerPage)
{
    RowsChart chart(30, 12);
    const PdfResult pdf = Pdf(GanttChart, 0, &chart);
    ASSERT_TRUE(pdf.Ok());
    EXPECT_EQ(ImageIndexes(), (std::vector<std::int32_t>{12, 24, 30}));
    const PdfFacts facts = ReadPdf(pdf.Pdf);
    EXPECT_EQ(facts.Pages, 3);
    for (const char* word : {"Page 1", "Page 2", "Page 3"})
        EXPECT_TRUE(facts.Text.contains(QString::fromUtf8(word))) << word;
    // pdftotext turns the two blanks after "of" into one.
    EXPECT_EQ(facts.Text.count(QRegularExpression(QStringLiteral("of\\s+3"))), 3);
    EXPECT_EQ(chart.Calls, 3 + 3) << "each page laid out by the first preparation and drawn by the print; "
                                     "the dry run and the second preparation draw nothing";

    // The records say where the pages break; the pages themselves are drawn
    // into the PDF, the first one's rows in its chart area, and the memo
    // file holds no page at all.
    for (printer.first(); !printer.eof(); printer.next())
        EXPECT_TRUE(printer.fieldByName("IMAGE").asBytes().empty());
    const QImage page = RenderPage(pdf.Pdf, 1, 72);
    ASSERT_FALSE(page.isNull());
    // 72 dpi: the chart area starts at the margin (36) below the header (75).
    EXPECT_EQ(QColor(page.pixel(40, 36 + 75 + 4)), QColor(Qt::darkBlue));
    const auto memoSize = [this] {
        for (const auto& entry : std::filesystem::directory_iterator(Folder()))
            if (QString::fromStdString(entry.path().filename().string())
                    .compare("printer.dbt", Qt::CaseInsensitive)
                == 0)
                return std::filesystem::file_size(entry.path());
        return std::uintmax_t(0);
    };
    EXPECT_LE(memoSize(), 512u);

    // Page images an earlier release left in the memo go with the next print.
    printer.append();
    printer.fieldByName("ID").setAsInteger(99);
    printer.fieldByName("IMAGE").setAsBytes(db::Bytes(3u << 20, 0x42));
    printer.post();
    EXPECT_GT(memoSize(), 3u << 20);
    ASSERT_TRUE(Pdf(GanttChart, 0, &chart).Ok());
    EXPECT_LE(memoSize(), 512u);
    EXPECT_EQ(ImageIndexes(), (std::vector<std::int32_t>{12, 24, 30}));

    // The next first pass writes the table anew.
    RowsChart smaller(5, 12);
    ASSERT_TRUE(Pdf(GanttChart, 0, &smaller).Ok());
    EXPECT_EQ(ImageIndexes(), std::vector<std::int32_t>{5});
}

TEST_F(PdfOutput, GanttPageLoopEndsWhenAPagePaintsNoRow)
{
    RowsChart chart(4, 0);
    const PdfResult pdf = Pdf(GanttChart, 0, &chart);
    ASSERT_TRUE(pdf.Ok());
    EXPECT_EQ(ImageIndexes(), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(ReadPdf(pdf.Pdf).Pages, 4);
}

TEST_F(PdfOutput, GanttWithoutRowsPrintsOnePageAndNoRecord)
{
    RowsChart chart(0, 12);
    const PdfResult pdf = Pdf(GanttChart, 3, &chart);
    ASSERT_TRUE(pdf.Ok());
    EXPECT_TRUE(ImageIndexes().empty());
    const PdfFacts facts = ReadPdf(pdf.Pdf);
    EXPECT_EQ(facts.Pages, 1);
    EXPECT_TRUE(facts.PageSize.startsWith("1008 x 612")) << "code 3 is Legal landscape";
}

}  // namespace
