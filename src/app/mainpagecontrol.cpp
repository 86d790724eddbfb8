#include "app/mainpagecontrol.h"

#include <algorithm>

namespace tw::app {

TMainPageControl::TMainPageControl(QWidget* parent) : controls::TFcPageControl(parent)
{
    SetTabHints(true);
    SetShowFocusRect(false);
}

void TMainPageControl::setCurrentIndex(int index)
{
    if (index >= 0 && index < PageCount())
        SetActivePageIndex(index);
}

QWidget* TMainPageControl::widget(int index) const
{
    return index >= 0 && index < PageCount() ? Pages(index) : nullptr;
}

int TMainPageControl::indexOf(const QWidget* page) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i) == page)
            return i;
    return -1;
}

void TMainPageControl::setTabToolTip(int index, const QString& tip)
{
    if (index >= 0 && index < PageCount())
        Pages(index)->SetHint(tip);
}

QString TMainPageControl::tabToolTip(int index) const
{
    return index >= 0 && index < PageCount() ? Pages(index)->Hint() : QString();
}

void TMainPageControl::setCornerWidget(QWidget* widget, Qt::Corner corner)
{
    if (corner != Qt::TopRightCorner)
        return;
    if (corner_ && corner_ != widget)
        corner_->hide();
    corner_ = widget;
    if (!widget)
        return;
    widget->setParent(this);
    PlaceCorner();
    widget->show();
}

void TMainPageControl::resizeEvent(QResizeEvent* event)
{
    controls::TFcPageControl::resizeEvent(event);
    PlaceCorner();
}

void TMainPageControl::PlaceCorner()
{
    if (!corner_)
        return;
    const int rowHeight = std::max(DisplayRect().Top - 2, 1);
    const QSize hint = corner_->sizeHint().isValid() ? corner_->sizeHint() : corner_->size();
    const int w = std::min(hint.width(), width());
    corner_->setGeometry(width() - w, 0, w, rowHeight);
    corner_->raise();
}

}  // namespace tw::app
