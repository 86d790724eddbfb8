// The Gantt report on a real chart: every row drawn once, on the page its
// printer.dbf record gives it, with the names at their print size, on every
// paper.

#include <gtest/gtest.h>

#include <map>

#include "chart/resourceallocationchart.h"
#include "pdftools.h"
#include "reportfixture.h"
#include "reports/racchartpages.h"
#include "reports/reportpdf.h"
#include "widgetsapplication.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

constexpr int kRows = 100;

QString RowName(int row)
{
    return QStringLiteral("Row%1").arg(row, 3, 10, QLatin1Char('0'));
}

class GanttPages : public ::testing::Test, public WidgetsApplication, public ReportFixture {
protected:
    GanttPages()
    {
        chart.resize(1000, 600);
        chart.BeginUpdate();
        for (int row = 0; row < kRows; ++row)
            chart.AddResource(RowName(row), chart::clLime, chart::rsBlock)
                ->AddSlot(At(row % 7, 8), At(row % 7, 16));
        chart.EndUpdate();
        chart.SetDateTime(At(0, 0), At(7, 0));
    }
    chart::TResourceAllocationChart chart;
};

TEST_F(GanttPages, EveryRowIsDrawnOnceOnThePageItsRecordGives)
{
    struct Case {
        const char* paper;
        int code;
    } cases[] = {{"Letter portrait", 0}, {"Legal landscape", 3}, {"A4 portrait", 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paper);
        RacChartPages pages(chart);
        ReportRequest request;
        request.Type = GanttChart;
        request.Options = options;
        request.Period = {At(0, 0), At(7, 0), 7, 1, 7};
        request.PageFormatCode = c.code;
        const PdfResult pdf = SchedulePdf(tables, services, selection, &pages, request);
        ASSERT_TRUE(pdf.Ok()) << pdf.Message.toStdString();

        const std::vector<std::int32_t> indexes = ImageIndexes();
        ASSERT_GE(indexes.size(), 2u) << "a hundred rows take more than a page";
        ASSERT_EQ(indexes.back(), kRows);
        for (size_t i = 1; i < indexes.size(); ++i)
            ASSERT_LT(indexes[i - 1], indexes[i]);
        const auto pageOf = [&](int row) {
            for (size_t i = 0; i < indexes.size(); ++i)
                if (row < indexes[i])
                    return static_cast<int>(i) + 1;
            return 0;
        };

        std::map<QString, std::vector<PdfWord>> byName;
        for (const PdfWord& word : ReadWords(pdf.Pdf))
            if (word.Text.startsWith(QStringLiteral("Row")))
                byName[word.Text].push_back(word);
        for (int row = 0; row < kRows; ++row) {
            const auto found = byName.find(RowName(row));
            ASSERT_NE(found, byName.end()) << RowName(row).toStdString();
            ASSERT_EQ(found->second.size(), 1u) << RowName(row).toStdString() << " drawn twice";
            const PdfWord& word = found->second.front();
            EXPECT_EQ(word.Page, pageOf(row)) << RowName(row).toStdString();
            // 24 points on a 96-dpi canvas of 254 dpi is some 9 points on paper.
            EXPECT_GT(word.Box.height(), 6) << RowName(row).toStdString();
            EXPECT_LT(word.Box.height(), 13) << RowName(row).toStdString();
        }
    }
}

}  // namespace
