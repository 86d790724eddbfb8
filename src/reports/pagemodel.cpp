#include "reports/pagemodel.h"

namespace tw::reports {

const PageItem* ReportPage::Find(const QString& name) const
{
    for (const PageItem& item : Items)
        if (item.Name == name)
            return &item;
    return nullptr;
}

std::vector<const PageItem*> ReportPage::FindAll(const QString& name) const
{
    std::vector<const PageItem*> found;
    for (const PageItem& item : Items)
        if (item.Name == name)
            found.push_back(&item);
    return found;
}

void PageSetup::ApplyPageFormatCode(int code)
{
    if (code < 0 || code > 5)
        return;
    static constexpr QPageSize::PageSizeId kSizes[] = {QPageSize::Letter, QPageSize::Legal, QPageSize::A4};
    Size = kSizes[code / 2];
    Orientation = code % 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

double PageSetup::Width() const
{
    const QSizeF inches = QPageSize(Size).size(QPageSize::Inch);
    const double w = Orientation == QPageLayout::Portrait ? inches.width() : inches.height();
    return w * kDesignDpi;
}

double PageSetup::Height() const
{
    const QSizeF inches = QPageSize(Size).size(QPageSize::Inch);
    const double h = Orientation == QPageLayout::Portrait ? inches.height() : inches.width();
    return h * kDesignDpi;
}

QPageLayout PageSetup::Layout() const
{
    return QPageLayout(QPageSize(Size), Orientation, QMarginsF(0, 0, 0, 0));
}

}  // namespace tw::reports
