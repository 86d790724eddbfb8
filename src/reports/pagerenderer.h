#pragma once
// The one renderer: paints a page of the model onto any painter (a printer
// page, a PDF page, an image), scaled from design units to the device.
//
//   QPdfWriter pdf(&buffer);
//   PaintingSink sink(pdf);          // one page after another
//   writer-based layout pass → sink.PageDone(page) paints and forgets it

#include <memory>

#include <QPainter>

#include "reports/bandwriter.h"
#include "reports/pagemodel.h"

class QPagedPaintDevice;

namespace tw::reports {

// deviceDpi: the resolution the painter's device draws at.
void PaintPage(QPainter& painter, const ReportPage& page, int deviceDpi);

// Paints each page as it is finished onto a paged device (printer or PDF
// writer), starting a new device page for every page after the first. The
// device's page layout must be set before the first page.
class PaintingSink : public PageSink {
public:
    explicit PaintingSink(QPagedPaintDevice& device);
    ~PaintingSink() override;
    void PageDone(const ReportPage& page) override;
    // Ends painting; false when the device refused (no printer, file error).
    bool End();
    bool Failed() const { return failed_; }

private:
    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    bool started_ = false;
    bool failed_ = false;
};

}  // namespace tw::reports
