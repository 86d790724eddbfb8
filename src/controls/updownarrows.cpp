#include "controls/updownarrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tw::controls {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (bool up : {true, false}) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(up ? QStringLiteral("Up") : QStringLiteral("Down"));
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(18, 11);
        arrow->setAccessibleName(up ? QStringLiteral("Step forward") : QStringLiteral("Step back"));
        (up ? up_ : down_) = arrow;
        layout->addWidget(arrow);
        connect(arrow, &QToolButton::clicked, this, [this, up] { emit Clicked(up); });
    }
    setFixedSize(18, 22);
}

QString UpDownArrows::UpName() const
{
    return up_->accessibleName();
}

void UpDownArrows::SetUpName(const QString& name)
{
    up_->setAccessibleName(name);
}

QString UpDownArrows::DownName() const
{
    return down_->accessibleName();
}

void UpDownArrows::SetDownName(const QString& name)
{
    down_->setAccessibleName(name);
}

}  // namespace tw::controls
