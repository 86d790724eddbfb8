#pragma once
// A row of buttons that moves a grid's cursor and adds and removes records:
// First, Prior, Next, Last, Insert, Delete. Every press runs the same three
// steps, so that a tab can check or refuse an action and report on it:
//
//   nav->BeforeAction = [&](Button b) { return mayGoAhead(b); };  // false: the action is left out
//   nav->Action = [&](Button b) { moveOrChangeTheCursor(b); };
//   nav->OnClick = [&](Button b) { reportOrFollowUp(b); };       // runs also after a refusal
//
// The navigator owns no cursor and asks no question of its own: what a
// button does to the data is the Action's business.

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

namespace tw::controls {

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete };
    static constexpr int kButtonCount = 6;

    explicit RecordNavigator(QWidget* parent = nullptr);

    // Hides or shows one button (a navigator without Insert, the moves alone).
    void SetButtonVisible(Button button, bool visible);
    bool ButtonVisible(Button button) const;
    // The tool tips, First to Delete; each is also the button's name for a screen reader.
    void SetHints(const std::array<QString, kButtonCount>& hints);
    QToolButton* ButtonOf(Button button) const { return buttons_[button]; }

    // Runs the three steps for a button, as a click on it does.
    void Press(Button button);

    std::function<bool(Button)> BeforeAction;
    std::function<void(Button)> Action;
    std::function<void(Button)> OnClick;

signals:
    // After the three steps of a press.
    void Pressed(int button);

private:
    std::array<QToolButton*, kButtonCount> buttons_{};
};

}  // namespace tw::controls
