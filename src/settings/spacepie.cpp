#include "settings/spacepie.h"

#include <QPainter>

namespace tw::settings {

TSpacePie::TSpacePie(QWidget* parent) : QWidget(parent)
{
    setFixedSize(33, 33);
    setToolTip(QStringLiteral("Red is used space, blue is free space"));
}

void TSpacePie::SetSpace(std::uint64_t usedBytes, std::uint64_t freeBytes)
{
    used_ = usedBytes;
    free_ = freeBytes;
    update();
}

void TSpacePie::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const long double total = static_cast<long double>(used_) + static_cast<long double>(free_);
    if (total <= 0) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawEllipse(box);
        return;
    }
    // Angles in sixteenths of a degree, counter-clockwise positive.
    const int usedSpan = static_cast<int>(-5760.0L * static_cast<long double>(used_) / total);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::blue);
    painter.drawEllipse(box);
    painter.setBrush(Qt::red);
    painter.drawPie(box, 90 * 16, usedSpan);
}

}  // namespace tw::settings
