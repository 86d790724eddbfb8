#pragma once
// The page model: what a report's layout pass leaves for one page, in the
// reports' design units (1/96 inch, so Letter portrait between its half-inch
// margins is 720 wide). Tests read it; the renderer paints it onto any
// painter. A page holds positioned texts, lines, rectangles, images and
// drawings: vector content that its owner paints when the page is painted.

#include <functional>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace tw::reports {

inline constexpr double kDesignDpi = 96.0;

struct TextStyle {
    double PointSize = 10;
    bool Bold = false;
    bool Italic = false;
};

enum class ItemKind { Text, Line, Rect, Image, Drawing };

struct PageItem {
    ItemKind Kind = ItemKind::Text;
    QString Name = {};  // the control it comes from, for tests and the reader
    QRectF Rect = {};
    QString Text = {};
    TextStyle Style = {};
    int Align = Qt::AlignLeft | Qt::AlignTop;
    bool Wrap = false;
    bool Opaque = false;  // a white background under the text
    QColor Fill = {};     // rectangles: the brush
    QColor Pen = Qt::black;
    double PenWidth = 1;
    QImage Image = {};
    // Drawings: painted into Rect from a canvas of its own size (its
    // coordinates), scaled to fit and clipped to it; what Draw paints from
    // must outlive the page.
    QSize Canvas = {};
    std::function<void(QPainter&)> Draw = {};
};

struct ReportPage {
    int Number = 0;
    std::vector<PageItem> Items;
    // The first item from the named control, or null.
    const PageItem* Find(const QString& name) const;
    std::vector<const PageItem*> FindAll(const QString& name) const;
};

// Paper and orientation from a page format code: 0 and 1 Letter, 2 and 3
// Legal, 4 and 5 A4; even codes portrait, odd landscape. Margins are half an
// inch (12.7 mm) on every side.
struct PageSetup {
    QPageSize::PageSizeId Size = QPageSize::Letter;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    double Margin = 48;

    // Any other code leaves the setup as it was.
    void ApplyPageFormatCode(int code);
    double Width() const;  // the paper, in design units
    double Height() const;
    double PrintableWidth() const { return Width() - 2 * Margin; }
    QPageLayout Layout() const;  // for a printer or PDF writer: the paper, no margins
};

}  // namespace tw::reports
