#include "controls/base/fcaction.h"

namespace tw::controls {

TFcAction::TFcAction(QObject* parent)
    : QAction(parent)
{
}

TFcAction::TFcAction(const QString& text, QObject* parent)
    : QAction(text, parent)
{
}

void TFcAction::SetImageIndex(int index)
{
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    emit changed();
}

bool TFcAction::Execute()
{
    if (!isEnabled())
        return false;
    trigger();
    return true;
}

}  // namespace tw::controls
