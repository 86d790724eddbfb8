// Mouse gestures through real mouse events: moving with rounding, moving to
// another row, stretching, the click threshold, vetoes and event order.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "chart/charttime.h"
#include "chartfixture.h"

using namespace tw::chart;
using namespace charttest;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

TDateTime At(int hour, int minute = 0, int second = 0)
{
    return Day(0) + tw::EncodeTime(hour, minute, second, 0);
}

// One pixel is one second: the period starts 100 s before 10:00 and is as
// many seconds long as the plot is wide.
class ChartMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        UsePlainAppearance(chart.ChartAppearance());
        chart.ChartAppearance().SetResourceNameWidth(100);
        chart.resize(800, 300);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        const int width = chart.PlotRect().Width();
        chart.SetDateTime(At(10) - 100 * kSecond, At(10) + (width - 100) * kSecond);
        rows[0] = chart.AddResource("Alpha", clRed, rsBlock);
        rows[1] = chart.AddResource("Beta", clRed, rsBlock);
        rows[2] = chart.AddResource("Gamma", clRed, rsBlock);
        bar = rows[0]->AddSlot(At(10), At(10, 2));
        blocker = rows[1]->AddSlot(At(10, 30), At(10, 40));
        HookEvents();
    }

    // Records every event of a gesture by name, with the bar's row where it has one.
    void HookEvents()
    {
        const auto rowName = [](TRACResource* r) { return r ? r->Name().toStdString() : std::string("-"); };
        chart.OnAllocationSelectionChange = [&](TCustomResourceAllocationChart*, TRACResource*,
                                                TResourceAllocation*) { log.push_back("SelectionChange"); };
        chart.OnDataChange = [&](TCustomResourceAllocationChart*) { log.push_back("DataChange"); };
        chart.OnAllocationDragStart = [&](TChart*, TRACResource*, TResourceAllocation*, bool& allow) {
            log.push_back("DragStart");
            allow = allow && !vetoStart;
        };
        chart.OnAllocationDrag = [&](TChart*, TRACResource*, TResourceAllocation*, TDateTime&, TDateTime&,
                                     bool&) { log.push_back("Drag"); };
        chart.OnAdjustDragRect = [&](TChart*, TResourceAllocation*, TRect&) {
            log.push_back("AdjustDragRect");
        };
        chart.OnAllocationDragEndQuery = [&](TChart*, TRACResource*, TResourceAllocation*, TDateTime,
                                             TDateTime, bool& allow) {
            log.push_back("DragEndQuery");
            allow = allow && !vetoEnd;
        };
        chart.OnAllocationDragEnd = [&](TChart*, TRACResource*, TResourceAllocation*) {
            log.push_back("DragEnd");
        };
        chart.OnAllocationDragCancel = [&](TChart*, TRACResource*, TResourceAllocation*) {
            log.push_back("DragCancel");
        };
        chart.OnAllocationDragOverResource = [&](TChart*, TRACResource*, TRACResource* to,
                                                 TResourceAllocation*, TDateTime&, TDateTime&,
                                                 bool&) { log.push_back("DragOverResource " + rowName(to)); };
        chart.OnAllocationSwitchResourceQuery = [&](TChart*, TRACResource*, TRACResource*,
                                                    TResourceAllocation*, TDateTime, TDateTime, bool& allow) {
            log.push_back("SwitchResourceQuery");
            allow = allow && !vetoEnd;
        };
        chart.OnAllocationSwitchResource = [&](TChart*, TRACResource*, TRACResource*, TResourceAllocation*) {
            log.push_back("SwitchResource");
        };
        chart.OnAllocationStretchStart = [&](TChart*, TRACResource*, TResourceAllocation*, bool& allow) {
            log.push_back("StretchStart");
            allow = allow && !vetoStart;
        };
        chart.OnAllocationStretch = [&](TChart*, TRACResource*, TResourceAllocation*, TDateTime&, TDateTime&,
                                        bool&) { log.push_back("Stretch"); };
        chart.OnAllocationStretchEndQuery = [&](TChart*, TRACResource*, TResourceAllocation*, TDateTime,
                                                TDateTime, bool& allow) {
            log.push_back("StretchEndQuery");
            allow = allow && !vetoEnd;
        };
        chart.OnAllocationStretchEnd = [&](TChart*, TRACResource*, TResourceAllocation*) {
            log.push_back("StretchEnd");
        };
        chart.OnAllocationStretchCancel = [&](TChart*, TRACResource*, TResourceAllocation*) {
            log.push_back("StretchCancel");
        };
        chart.OnAllocationClick = [&, rowName](TChart*, TRACResource* r, TResourceAllocation*) {
            log.push_back("Click " + rowName(r));
        };
        chart.OnAllocationDblClick = [&](TChart*, TRACResource*, TResourceAllocation*) {
            log.push_back("DblClick");
        };
        chart.OnRightClick = [&](TCustomResourceAllocationChart*) { log.push_back("RightClick"); };
        chart.OnResourceNameRightClick = [&, rowName](TChart*, TRACResource* r) {
            log.push_back("NameRightClick " + rowName(r));
        };
        chart.OnResourceNameClick = [&, rowName](TChart*, TRACResource* r) {
            log.push_back("NameClick " + rowName(r));
        };
        chart.OnDragPlotEnd = [&](TCustomResourceAllocationChart*) { log.push_back("DragPlotEnd"); };
        chart.OnDateRangeChange = [&](TCustomResourceAllocationChart*) { log.push_back("DateRangeChange"); };
    }

    QPoint Middle(const TResourceAllocation* b) const
    {
        const TRect& r = b->DisplayRect();
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    QPoint RowMiddle(int row) const
    {
        return QPoint(0, (rows[row]->DisplayTop() + rows[row]->DisplayBottom()) / 2);
    }

    void Drag(QPoint from, const std::vector<QPoint>& path, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(&chart, Qt::LeftButton, mods, from);
        for (const QPoint& p : path)
            QTest::mouseMove(&chart, p);
        QTest::mouseRelease(&chart, Qt::LeftButton, mods, path.empty() ? from : path.back());
    }

    WithApp app;
    TResourceAllocationChart chart;
    TRACResource* rows[3] = {};
    TResourceAllocation* bar = nullptr;
    TResourceAllocation* blocker = nullptr;
    std::vector<std::string> log;
    bool vetoStart = false;
    bool vetoEnd = false;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(ChartMouse, AMoveRoundsTheStartToRoundTo)
{
    struct Case {
        int pixels;  // seconds
        TDateTime start;
    };
    // 449 s after 10:00 is 10:07:29, 451 s is 10:07:31.
    for (const Case& c : {Case{449, At(10)}, Case{451, At(10, 15)}, Case{-50, At(10)}}) {
        bar->SetDateTime(At(10), At(10, 2));
        const QPoint from = Middle(bar);
        const QPoint to = from + QPoint(c.pixels, 0);
        Drag(from, {from + QPoint(c.pixels / 2, 0), to});
        EXPECT_NEAR(bar->StartAt(), c.start, 1e-9) << c.pixels;
        EXPECT_NEAR(bar->EndAt() - bar->StartAt(), 2.0 / 1440, 1e-9) << c.pixels;
        EXPECT_EQ(bar->Resource(), rows[0]);
    }
}

TEST_F(ChartMouse, EventsOfACompletedMove)
{
    const QPoint from = Middle(bar);
    Drag(from, {from + QPoint(300, 0), from + QPoint(600, 0)});
    const Log expected{"SelectionChange", "DragStart", "Drag",         "AdjustDragRect", "Drag",
                       "AdjustDragRect",  "Drag",      "DragEndQuery", "DataChange",     "DragEnd",
                       "Click Alpha"};
    EXPECT_EQ(log, expected);
    EXPECT_NEAR(bar->StartAt(), At(10, 15), 1e-9);
    EXPECT_EQ(chart.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ChartMouse, AMoveShorterThanMinimumDragIsAClick)
{
    const QPoint from = Middle(bar);
    Drag(from, {from + QPoint(1, 0)});
    EXPECT_EQ(log, (Log{"SelectionChange", "DragStart", "Click Alpha"}));
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_TRUE(bar->Selected());

    // Further out and back to within a pixel: the drag is cancelled, then it is a click.
    log.clear();
    Drag(from, {from + QPoint(40, 0), from + QPoint(1, 0)});
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ((Log{log.end() - 2, log.end()}), (Log{"DragCancel", "Click Alpha"}));
    EXPECT_EQ(bar->StartAt(), At(10));
}

TEST_F(ChartMouse, AVetoLeavesTheBarWhereItWas)
{
    vetoEnd = true;
    const QPoint from = Middle(bar);
    Drag(from, {from + QPoint(600, 0)});
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_EQ((Log{log.end() - 3, log.end()}), (Log{"DragEndQuery", "DragCancel", "Click Alpha"}));

    vetoEnd = false;
    vetoStart = true;
    log.clear();
    Drag(from, {from + QPoint(600, 0)});
    EXPECT_EQ(bar->StartAt(), At(10));
    // Released away from the bar: nothing more.
    EXPECT_EQ(log, (Log{"SelectionChange", "DragStart", "DragCancel"}));
}

TEST_F(ChartMouse, ATakenSlotRefusesTheMoveWithANoDropCursor)
{
    chart.SetRoundTo(60 * kSecond);
    rows[0]->AddSlot(At(10, 5), At(10, 9));
    const QPoint from = Middle(bar);
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart, from + QPoint(120, 0));  // 10:02 to 10:04: free
    EXPECT_EQ(chart.cursor().shape(), Qt::DragMoveCursor);
    QTest::mouseMove(&chart, from + QPoint(420, 0));  // 10:07 overlaps 10:05-10:09
    EXPECT_EQ(chart.cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, from + QPoint(420, 0));
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_EQ((Log{log.end() - 2, log.end()}), (Log{"DragCancel", "Click Alpha"}));
}

TEST_F(ChartMouse, DraggingToAnotherRow)
{
    chart.SetOptions(chart.Options().With(racAllowAllocationSwitchResources));
    const QPoint from = Middle(bar);
    const QPoint to(from.x() + 100, RowMiddle(2).y());
    Drag(from, {QPoint(from.x() + 50, RowMiddle(1).y()), to});
    EXPECT_EQ(bar->Resource(), rows[2]);
    EXPECT_EQ(rows[0]->Count(), 0);
    EXPECT_EQ(rows[2]->Allocations(0), bar);
    EXPECT_NEAR(bar->StartAt(), At(10), 1e-9);  // 10:01:40 rounds to 10:00
    const Log expected{"SelectionChange",
                       "DragStart",
                       "DragOverResource Beta",
                       "AdjustDragRect",
                       "DragOverResource Gamma",
                       "AdjustDragRect",
                       "DragOverResource Gamma",
                       "SwitchResourceQuery",
                       "SwitchResource",
                       "DataChange",
                       "Click Gamma"};
    EXPECT_EQ(log, expected);
}

TEST_F(ChartMouse, AMoveOntoATakenSlotInAnotherRowStaysHome)
{
    chart.SetOptions(chart.Options().With(racAllowAllocationSwitchResources));
    blocker->SetDateTime(At(10), At(10, 5));
    const QPoint from = Middle(bar);
    Drag(from, {QPoint(from.x(), RowMiddle(1).y())});
    EXPECT_EQ(bar->Resource(), rows[0]);
    EXPECT_EQ((Log{log.end() - 2, log.end()}), (Log{"DragCancel", "Click Alpha"}));
}

TEST_F(ChartMouse, StretchingTheRightEdge)
{
    chart.SetRoundTo(60 * kSecond);
    const TRect r = bar->DisplayRect();
    const QPoint from(r.Right - 2, (r.Top + r.Bottom) / 2);
    Drag(from, {from + QPoint(30, 0), from + QPoint(60, 0)});
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_NEAR(bar->EndAt(), At(10, 3), 1e-9);
    const Log expected{"SelectionChange", "StretchStart",   "Stretch",    "AdjustDragRect",
                       "Stretch",         "AdjustDragRect", "Stretch",    "StretchEndQuery",
                       "DataChange",      "StretchEnd",     "Click Alpha"};
    EXPECT_EQ(log, expected);
}

TEST_F(ChartMouse, StretchingTheLeftEdgeOntoTheRightIsRefused)
{
    chart.SetRoundTo(60 * kSecond);
    const TRect r = bar->DisplayRect();
    const QPoint from(r.Left + 1, (r.Top + r.Bottom) / 2);
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart, from + QPoint(119, 0));  // start 10:02 = end
    EXPECT_EQ(chart.cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, from + QPoint(119, 0));
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_EQ((Log{log.end() - 2, log.end()}), (Log{"StretchCancel", "Click Alpha"}));
}

TEST_F(ChartMouse, ARefusedStretchBecomesAMovePress)
{
    chart.OnAllocationStretchStart = [&](TChart*, TRACResource*, TResourceAllocation*, bool& allow) {
        log.push_back("StretchStart");
        allow = false;
    };
    const TRect r = bar->DisplayRect();
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(r.Right - 1, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(log, (Log{"SelectionChange", "StretchStart", "StretchCancel", "DragStart"}));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(r.Right - 1, (r.Top + r.Bottom) / 2));
}

TEST_F(ChartMouse, APressInTheMiddleOfANarrowBarMovesIt)
{
    // 8 pixels wide: both 4-pixel handles meet in the middle.
    bar->SetDateTime(At(10), At(10) + 8 * kSecond);
    const TRect r = bar->DisplayRect();
    ASSERT_EQ(r.Width(), 8);
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(log.back(), "DragStart");
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
}

TEST_F(ChartMouse, RightClicksGoToTheNearestRow)
{
    const int below = rows[2]->DisplayBottom() + 40;
    QTest::mouseClick(&chart, Qt::RightButton, {}, QPoint(400, below));
    QTest::mouseClick(&chart, Qt::RightButton, {}, QPoint(20, below));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(20, RowMiddle(1).y()));
    EXPECT_EQ(log, (Log{"RightClick", "NameRightClick Gamma", "NameClick Beta"}));
}

TEST_F(ChartMouse, DraggingThePlotMovesThePeriod)
{
    const TDateTime start = chart.StartAt();
    const TDateTime end = chart.EndAt();
    const QPoint from(400, RowMiddle(2).y());
    Drag(from, {from - QPoint(50, 0), from - QPoint(100, 0)});
    EXPECT_NEAR(chart.StartAt(), start + 100 * kSecond, 1e-9);
    EXPECT_NEAR(chart.EndAt(), end + 100 * kSecond, 1e-9);
    // Announced once, at the release.
    EXPECT_EQ(log, (Log{"DragPlotEnd", "DateRangeChange"}));
}

TEST_F(ChartMouse, LosingTheFocusDropsTheGesture)
{
    const QPoint from = Middle(bar);
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart, from + QPoint(600, 0));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&chart, &out);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, from + QPoint(600, 0));
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_EQ(std::count(log.begin(), log.end(), "DragEnd"), 0);
}

TEST_F(ChartMouse, HoveringABarShowsItsAutomaticHint)
{
    chart.OnAllocationAutoHint = [&](TChart*, TRACResource* row, TResourceAllocation* b, TDateTime start,
                                     TDateTime end, TRACResource* to, QString& hint) {
        EXPECT_EQ(row, rows[0]);
        EXPECT_EQ(b, bar);
        EXPECT_EQ(start, At(10));
        EXPECT_EQ(end, At(10, 2));
        EXPECT_EQ(to, nullptr);
        hint = "[" + hint + "]";
    };
    QTest::mouseMove(&chart, Middle(bar));
    const QString expected = "[" + AutoHintText(dtDateAndTime, At(10), At(10, 2), "d/m", "hh:nn") + "]";
    EXPECT_EQ(chart.Hint(), expected);

    chart.OnResourceNameAutoHint = [&](TChart*, TRACResource* row, QString& hint) { hint = row->Name(); };
    QTest::mouseMove(&chart, QPoint(20, RowMiddle(2).y()));
    EXPECT_EQ(chart.Hint(), "Gamma");
    // Over empty plot space the hint goes away.
    QTest::mouseMove(&chart, QPoint(600, RowMiddle(2).y()));
    EXPECT_EQ(chart.Hint(), "");
}

TEST_F(ChartMouse, ARubberBandTogglesTheBarsItTouches)
{
    chart.SetOptions(chart.Options().With(racMultiSelect));
    blocker->SetDateTime(At(10), At(10, 5));
    TResourceAllocation* away = rows[2]->AddSlot(At(10, 8), At(10, 9));
    const TRect a = bar->DisplayRect();
    const TRect b = blocker->DisplayRect();
    Drag(QPoint(a.Left + 10, a.Top - 1), {QPoint(b.Left + 20, b.Bottom - 2)}, Qt::ControlModifier);
    EXPECT_TRUE(bar->Selected());
    EXPECT_TRUE(blocker->Selected());
    EXPECT_FALSE(away->Selected());
    EXPECT_EQ(chart.SelectedAllocationCount(), 2);
    EXPECT_EQ(chart.StartAt(), At(10) - 100 * kSecond);
}

TEST_F(ChartMouse, TheScrollBarFollowsTheRowsThatFit)
{
    chart.SetOptions(chart.Options().With(racScrollBarOnlyIfNecessary));
    for (int i = 0; i < 20; ++i)
        chart.AddResource(QString("Extra %1").arg(i), clRed, rsBlock);
    chart.resize(800, 150);
    EXPECT_TRUE(chart.VerticalScrollBar()->isVisible());
    const int plotRight = chart.PlotRect().Right;

    QWheelEvent down(QPointF(400, 80), chart.mapToGlobal(QPointF(400, 80)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &down);
    EXPECT_EQ(chart.FirstDisplayedIndex(), 1);
    EXPECT_EQ(chart.FirstDisplayedResource(), rows[1]);

    // Tall enough for every row: gone at once, with the plot reaching over its place.
    chart.resize(800, 1000);
    EXPECT_FALSE(chart.VerticalScrollBar()->isVisible());
    EXPECT_EQ(chart.FirstDisplayedIndex(), 0);
    EXPECT_GT(chart.PlotRect().Right, plotRight);
}

TEST_F(ChartMouse, AHandlerThatTurnsThePeriodRoundRefusesTheGesture)
{
    // Such a period would make SetDateTime throw inside the event loop.
    chart.OnAllocationDrag = [](TChart*, TRACResource*, TResourceAllocation*, TDateTime& start,
                                TDateTime& end, bool&) { end = start; };
    const QPoint from = Middle(bar);
    Drag(from, {from + QPoint(600, 0)});
    EXPECT_EQ(bar->StartAt(), At(10));
    EXPECT_EQ(bar->EndAt(), At(10, 2));
    EXPECT_EQ((Log{log.end() - 2, log.end()}), (Log{"DragCancel", "Click Alpha"}));

    const TDateTime start = chart.StartAt();
    const TDateTime end = chart.EndAt();
    chart.OnDragPlot = [](TChart*, TDateTime& s, TDateTime& e) { e = s - 1; };
    const QPoint empty(400, RowMiddle(2).y());
    Drag(empty, {empty - QPoint(100, 0)});
    EXPECT_EQ(chart.StartAt(), start);
    EXPECT_EQ(chart.EndAt(), end);
}
