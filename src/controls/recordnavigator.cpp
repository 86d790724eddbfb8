#include "controls/recordnavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace tw::controls {

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent)
{
    static const char* const kNames[kButtonCount] = {"First", "Prior", "Next", "Last", "Insert", "Delete"};
    static const char* const kFaces[kButtonCount] = {"|<", "<", ">", ">|", "+", "-"};
    // Until the window gives its hints, a screen reader says what the face shows.
    static const char* const kSpoken[kButtonCount] = {"First record", "Prior record", "Next record",
                                                      "Last record",  "Insert record", "Delete record"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < kButtonCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(kNames[i]));
        button->setText(QLatin1String(kFaces[i]));
        button->setAccessibleName(QLatin1String(kSpoken[i]));
        button->setAutoRaise(false);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(button);
        buttons_[i] = button;
        connect(button, &QToolButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RecordNavigator::SetButtonVisible(Button button, bool visible)
{
    buttons_[button]->setVisible(visible);
}

bool RecordNavigator::ButtonVisible(Button button) const
{
    return !buttons_[button]->isHidden();
}

void RecordNavigator::SetHints(const std::array<QString, kButtonCount>& hints)
{
    // The hint says what a button does ("First customer"); its face ("|<") says nothing aloud.
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i]->setToolTip(hints[i]);
        if (!hints[i].trimmed().isEmpty())
            buttons_[i]->setAccessibleName(hints[i].simplified());
    }
}

void RecordNavigator::Press(Button button)
{
    const bool goAhead = !BeforeAction || BeforeAction(button);
    if (goAhead && Action)
        Action(button);
    if (OnClick)
        OnClick(button);
    emit Pressed(button);
}

}  // namespace tw::controls
