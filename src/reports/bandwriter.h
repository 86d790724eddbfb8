#pragma once
// The banded layout pass. A report hands its bands to a BandWriter in print
// order; the writer puts each below the last, starts a new page (page footer
// at the page bottom, page header at the top of the next) when a band does
// not fit, and passes every finished page to a sink. A dry run is the same
// pass with a sink that only counts, so the page count that footers print as
// "of  N" comes from exactly the layout that is printed.
//
// Texts are measured against the device the pages go to, so preview, print
// and PDF break their pages alike.

#include <functional>
#include <vector>

#include <QFont>
#include <QImage>
#include <QString>

#include "reports/pagemodel.h"

class QPaintDevice;

namespace tw::reports {

// Fonts and text metrics of the target device, in design units.
class TextMeasure {
public:
    // device: where the pages go; null measures for an ideal 1200 dpi device.
    explicit TextMeasure(QPaintDevice* device = nullptr);
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    // The report font (Arial, metric-compatible Liberation Sans where Arial is
    // missing) sized so that the device draws it at the style's point size
    // under a painter scaled to design units.
    static QFont FontFor(const TextStyle& style, int deviceDpi);
    double Width(const QString& text, const TextStyle& style) const;
    double LineHeight(const TextStyle& style) const;
    // Height of the text broken into lines of the given width.
    double WrappedHeight(const QString& text, const TextStyle& style, double width) const;
    int Dpi() const { return dpi_; }

private:
    QImage ideal_;
    QPaintDevice* device_;
    int dpi_ = 0;
};

// A band: its height and its items, placed relative to its top left corner
// (the left margin).
struct Band {
    double Height = 0;
    std::vector<PageItem> Items;

    // A label; wrapping labels grow the band to the height of their text.
    PageItem& Label(const TextMeasure& measure, const QString& name, double left, double top, double width,
                    double height, const QString& text, TextStyle style = {},
                    int align = Qt::AlignLeft | Qt::AlignTop, bool wrap = false);
    // An auto-sized label: as wide as its text.
    PageItem& AutoLabel(const TextMeasure& measure, const QString& name, double left, double top,
                        const QString& text, TextStyle style = {});
    PageItem& Line(const QString& name, double left, double top, double width, double penWidth = 1);
    PageItem& Rect(const QString& name, double left, double top, double width, double height, QColor fill);
    PageItem& Image(const QString& name, double left, double top, double width, double height, QImage image);
    // Vector content painted when the page is painted, in canvas coordinates.
    PageItem& Drawing(const QString& name, double left, double top, double width, double height, QSize canvas,
                      std::function<void(QPainter&)> draw);
    // Any item; the band grows to its bottom.
    PageItem& Add(PageItem item);
};

class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void PageDone(const ReportPage& page) = 0;
};

// Counts pages and keeps nothing.
class CountingSink : public PageSink {
public:
    void PageDone(const ReportPage&) override { ++Pages; }
    int Pages = 0;
};

// Keeps every page; for tests and small reports.
class CollectingSink : public PageSink {
public:
    void PageDone(const ReportPage& page) override { Pages.push_back(page); }
    std::vector<ReportPage> Pages;
};

class BandWriter {
public:
    BandWriter(const PageSetup& setup, const TextMeasure& measure, PageSink& sink);

    // Called for every page: the header at the top, the footer aligned to
    // the page bottom. The footer is made when its page is complete.
    std::function<Band(int page)> PageHeader;
    std::function<Band(int page)> PageFooter;
    // After a page has gone to the sink.
    std::function<void()> OnEndPage;

    // Places the band; a band taller than a whole page is cut at the page end.
    void Print(const Band& band);
    // Ends the last page; a report without bands still prints one page.
    void Finish();

    const TextMeasure& Measure() const { return measure_; }
    const PageSetup& Setup() const { return setup_; }
    int PagesDone() const { return pagesDone_; }

private:
    void StartPage();
    void EndPage();
    void Place(const Band& band, double top);

    PageSetup setup_;
    const TextMeasure& measure_;
    PageSink& sink_;
    ReportPage page_;
    bool pageOpen_ = false;
    double y_ = 0;
    double contentTop_ = 0;
    double bottom_ = 0;
    double footerHeight_ = 0;
    int pagesDone_ = 0;
};

}  // namespace tw::reports
