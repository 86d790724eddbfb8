#pragma once
// The resource allocation chart control: rows of resources with allocation
// bars on a date-time axis, which the user selects, moves, stretches and drags
// to another row. All drawing goes through DoPaintTo, which targets any
// QPainter: the screen's back buffer, a QImage, or a printer page (PaintTo).
//
// Every gesture is announced by callbacks that may veto it; a handler refuses
// by setting its AllowDrag argument to false.
//
// A change redraws the back buffer at once, so that hit-testing always reads
// the current picture; fill or rebuild the chart between BeginUpdate and
// EndUpdate to pay for one redraw.

#include <QCursor>
#include <QPen>
#include <QBrush>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

#include "chart/customresourceallocationchart.h"
#include "chart/resourceallocationchartappearance.h"

class QPainter;
class QScrollBar;

namespace tw::chart {

// The sender of every event.
using TChart = TCustomResourceAllocationChart;
using TAllocationDragStartEvent = std::function<void(TChart* Sender, TRACResource* Resource,
                                                     TResourceAllocation* Allocation, bool& AllowDrag)>;
using TAllocationDragEvent =
    std::function<void(TChart* Sender, TRACResource* Resource, TResourceAllocation* Allocation,
                       TDateTime& StartDateTime, TDateTime& EndDateTime, bool& AllowDrag)>;
using TAllocationDragQueryEvent =
    std::function<void(TChart* Sender, TRACResource* Resource, TResourceAllocation* Allocation,
                       TDateTime StartDateTime, TDateTime EndDateTime, bool& AllowDrag)>;
using TAllocationDragOverResourceEvent = std::function<void(
    TChart* Sender, TRACResource* FromResource, TRACResource* ToResource, TResourceAllocation* Allocation,
    TDateTime& StartDateTime, TDateTime& EndDateTime, bool& AllowDrag)>;
using TAllocationSwitchResourceEvent = std::function<void(
    TChart* Sender, TRACResource* FromResource, TRACResource* ToResource, TResourceAllocation* Allocation)>;
using TAllocationSwitchResourceQueryEvent = std::function<void(
    TChart* Sender, TRACResource* FromResource, TRACResource* ToResource, TResourceAllocation* Allocation,
    TDateTime StartDateTime, TDateTime EndDateTime, bool& AllowDrag)>;
using TAllocationAutoHintEvent = std::function<void(
    TChart* Sender, TRACResource* Resource, TResourceAllocation* Allocation, TDateTime StartDateTime,
    TDateTime EndDateTime, TRACResource* ToResource, QString& Hint)>;
using TAllocationDrawEvent = std::function<void(TChart* Sender, TRACResource* Resource,
                                                TResourceAllocation* Allocation, QPen& Pen, QBrush& Brush)>;
using TAllocationOwnerDrawEvent =
    std::function<void(TChart* Sender, TRACResource* Resource, TResourceAllocation* Allocation,
                       QPainter* Canvas, const TRect& Rct)>;
using TOnAdjustDragRect = std::function<void(TChart* Sender, TResourceAllocation* Allocation, TRect& Rct)>;
using TAdjustPlotRectEvent = std::function<void(TChart* Sender, QPainter* Canvas, TRect& PlotRect)>;
using TDragPlotEvent = std::function<void(TChart* Sender, TDateTime& StartDateTime, TDateTime& EndDateTime)>;
using TDragPlotStartEvent = std::function<void(TChart* Sender, bool& AllowDrag)>;
using TDrawProgressEvent =
    std::function<void(TChart* Sender, QPainter* Canvas, const TRect& DrawRect, TDrawProgress Progress)>;
using TDrawResourceNameEvent =
    std::function<void(TChart* Sender, TRACResource* Resource, TColor& Color, TColor& BkColor)>;
using TGetDateTimeEvent = std::function<void(TChart* Sender, TDateTime& DateTime)>;
using TGetDateTimeLabelEvent =
    std::function<void(TChart* Sender, TDateTime DateTime, QString& DateText, QString& TimeText)>;
using TGetPlotBackgroundEvent = std::function<void(TChart* Sender, QPainter* Canvas, TDateTime StartDateTime,
                                                   TDateTime EndDateTime, TColor& Color)>;
using TOwnerDrawDateLabelEvent =
    std::function<void(TChart* Sender, QPainter* Canvas, int x, TDateTime DateTime)>;
using TOwnerDrawResourceNameEvent =
    std::function<void(TChart* Sender, TRACResource* Resource, QPainter* Canvas, const TRect& Rct)>;
using TResourceEvent = std::function<void(TChart* Sender, TRACResource* Resource)>;
using TResourceNameAutoHintEvent = std::function<void(TChart* Sender, TRACResource* Resource, QString& Hint)>;

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TResourceAllocationChart : public QWidget, public TCustomResourceAllocationChart {
public:
    explicit TResourceAllocationChart(QWidget* parent = nullptr);
    ~TResourceAllocationChart() override;

    TResourceAllocationChartAppearance& ChartAppearance() { return *appearance_; }
    const TResourceAllocationChartAppearance& ChartAppearance() const { return *appearance_; }
    void SetChartAppearance(const TResourceAllocationChartAppearance& Appearance);
    const QCursor& Cursor() const { return cursor_; }
    void SetCursor(const QCursor& Cursor);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Show) { showHint_ = Show; }
    const QString& Hint() const { return hint_; }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);

    // Paints the chart from row TopIndex onto any painter (a page, an image);
    // returns the last row drawn, -1 when none. The screen keeps its rows.
    int PaintTo(QPainter* Canvas, const QRect& Rect, int TopIndex);
    int PaintTo(QPainter* Canvas, const QRect& Rect, int TopIndex,
                const TResourceAllocationChartAppearance& Appearance);
    // Redraws the back buffer now, keeping a drag outline on screen.
    void RefreshBitmap();
    // Marks the back buffer stale and schedules a paint.
    void Invalidate();
    void AppearanceChanged() { Changed(); }

    QScrollBar* VerticalScrollBar() const { return scrollBar_; }

    TOnAdjustDragRect OnAdjustDragRect;
    TAdjustPlotRectEvent OnAdjustPlotRect;
    TNotifyEvent OnAfterPaint;
    TAllocationAutoHintEvent OnAllocationAutoHint;
    TAllocationEvent OnAllocationClick;
    TAllocationEvent OnAllocationDblClick;
    TAllocationDragEvent OnAllocationDrag;
    TAllocationEvent OnAllocationDragCancel;
    TAllocationEvent OnAllocationDragEnd;
    TAllocationDragQueryEvent OnAllocationDragEndQuery;
    TAllocationDragOverResourceEvent OnAllocationDragOverResource;
    TAllocationDragStartEvent OnAllocationDragStart;
    TAllocationDrawEvent OnAllocationDraw;
    TAllocationEvent OnAllocationRightClick;
    TAllocationDragEvent OnAllocationStretch;
    TAllocationEvent OnAllocationStretchCancel;
    TAllocationEvent OnAllocationStretchEnd;
    TAllocationDragQueryEvent OnAllocationStretchEndQuery;
    TAllocationDragStartEvent OnAllocationStretchStart;
    TAllocationSwitchResourceEvent OnAllocationSwitchResource;
    TAllocationSwitchResourceQueryEvent OnAllocationSwitchResourceQuery;
    TNotifyEvent OnBeforePaint;
    TNotifyEvent OnBitmapRedrawn;
    TDragPlotEvent OnDragPlot;
    TNotifyEvent OnDragPlotEnd;
    TDragPlotStartEvent OnDragPlotStart;
    TGetDateTimeEvent OnDrawDateLabel;
    TGetDateTimeEvent OnDrawDateLine;
    TDrawProgressEvent OnDrawProgress;
    TDrawResourceNameEvent OnDrawResourceName;
    TGetDateTimeLabelEvent OnGetDateTimeLabelText;
    TGetPlotBackgroundEvent OnGetPlotBackground;
    TAllocationOwnerDrawEvent OnOwnerDrawAllocation;
    TOwnerDrawDateLabelEvent OnOwnerDrawDateLabel;
    TOwnerDrawResourceNameEvent OnOwnerDrawResourceName;
    TNotifyEvent OnPlotRectChange;
    TResourceNameAutoHintEvent OnResourceNameAutoHint;
    TResourceEvent OnResourceNameClick;
    TResourceEvent OnResourceNameDblClick;
    TResourceEvent OnResourceNameRightClick;
    TNotifyEvent OnRightClick;

protected:
    int DoPaintTo(QPainter& Canvas, const QRect& Rect, int TopIndex,
                  const TResourceAllocationChartAppearance& Appearance, bool OnScreen);

    void Repaint() override;
    bool OptionsChangeNeedsRepaint(TResourceAllocationChartOptions Old,
                                   TResourceAllocationChartOptions New) const override;
    int ScrollPosition() const override;
    void SetScrollPosition(int Position) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct PaintContext;

    // Draws the back buffer now, so that the geometry that hit-testing reads
    // is current whether or not the control is on screen.
    void RedrawBitmap();
    QColor ToQColor(TColor Color) const;
    int WidestName(const QFont& Font, QPaintDevice* Device);
    void DrawFrame(QPainter& p, QRect& r);
    void DrawBands(QPainter& p, const PaintContext& c);
    void DrawDateLines(QPainter& p, const PaintContext& c);
    void DrawDateLabels(QPainter& p, PaintContext& c);
    void DrawDateLabel(QPainter& p, PaintContext& c, TDateTime t);
    void DrawDateLine(QPainter& p, const PaintContext& c, int x);
    void DrawShape(QPainter& p, TResourceDisplayStyle Style, int x1, int x2, int y, int RH);
    void PlaceScrollBar(const PaintContext& c);
    void RestorePainter(QPainter& p, const PaintContext& c);

    void Press(QMouseEvent* event, bool DoubleClick);
    bool OnStretchHandle(const TResourceAllocation* Bar, int X, bool& Left, bool& Right) const;
    bool InNameColumn(TPoint Point) const;
    TDateTime Rounded(TDateTime DateTime) const;
    // The pressed bar's period with its stretched end following the mouse at X.
    void StretchedPeriod(int X, TDateTime& Start, TDateTime& End) const;
    // The end of a move or stretch within its row: the end query may still
    // refuse; then the bar takes the period, or the gesture is cancelled.
    void FinishInRow(TRACResource* Row, TResourceAllocation* Bar, TDateTime Start, TDateTime End, bool Allow,
                     const TAllocationDragQueryEvent& Query, const TAllocationEvent& Done,
                     const TAllocationEvent& Cancel);
    void ResetMouseState();
    void SetOutline(const TRect& Rect);
    void ShowAutoHint(const QString& Text, QPoint At);

    std::unique_ptr<TResourceAllocationChartAppearance> appearance_;
    QImage bitmap_;
    bool bitmapDirty_ = true;
    bool painting_ = false;
    QCursor cursor_;
    bool showHint_ = true;
    QString hint_;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    QScrollBar* scrollBar_ = nullptr;

    // Mouse state.
    bool doubleClick_ = false;
    bool pressing_ = false;
    bool moving_ = false;
    bool dragging_ = false;
    bool plotDrag_ = false;
    bool stretchLeft_ = false;
    bool stretchRight_ = false;
    bool rubberBand_ = false;
    TPoint pressPoint_ = kUnsetPoint;
    int pressOffset_ = -1;
    TRACResource* pressedRow_ = nullptr;
    TResourceAllocation* pressedBar_ = nullptr;
    TRect dragRect_ = kUnsetRect;
    TRect moveRect_ = kUnsetRect;
    TRect selRect_ = kUnsetRect;
    TDateTime plotDragStart_ = 0;
    double plotDragSpan_ = 0;

    // The widest row name, cached until a name, a row or the font changes.
    QFont nameWidthFont_;
    unsigned nameWidthGeneration_ = 0;
    int nameWidth_ = -1;
};

}  // namespace tw::chart
