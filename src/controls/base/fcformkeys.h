#pragma once
// TFcFormKeys: the keyboard routing a window of the library's controls needs,
// as an event filter, so QDialog and QMainWindow keep their base classes.
// One call after the window has built its widgets:
//
//   TFcFormKeys::Install(this);          // in the dialog's constructor
//
// What it routes (every TFcControl of the window takes part; controls inside
// other windows that the window parents do not):
//  - Enter, Return, Escape and Ctrl+Tab that the focused widget did not take
//    (a line edit, a check box and a combo box pass Enter on; a text editor
//    keeps it) go round the controls' DialogKey until one returns true; the
//    buttons answer Enter while they hold the default mark and Escape while
//    they are Cancel buttons. Ctrl+Shift+Tab arrives as Key_Tab with Shift and
//    Control, so a page control overrides DialogKey and looks for Key_Tab with
//    Control. An Escape no control takes goes on to QDialog (which rejects).
//  - Alt+character goes round DialogChar before the focused widget sees it
//    (so a line edit does not type it); a plain character does only when the
//    focused widget did not take it (focus on a button or a check box).
//  - Every focus change inside the window goes round FocusChanged with the
//    newly focused widget (the buttons move the default mark with it).
// The routing object is a child of the window and dies with it.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tw::controls {

class TFcControl;

class TFcFormKeys : public QObject {
    Q_OBJECT
public:
    // The routing of form's window, made on the first call.
    static TFcFormKeys* Install(QWidget* form);
    // The routing of the window that holds widget, or nullptr.
    static TFcFormKeys* Of(const QWidget* widget);

    QWidget* Form() const { return form_; }

    // The rounds themselves, for controls that hand a key on and for tests.
    bool BroadcastDialogKey(int key, Qt::KeyboardModifiers modifiers);
    bool BroadcastDialogChar(QChar character, Qt::KeyboardModifiers modifiers);
    void BroadcastFocusChanged(QWidget* focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TFcFormKeys(QWidget* form);
    QList<TFcControl*> Controls() const;

    QPointer<QWidget> form_;
};

// The widget that has, or last had, the focus inside widget's window.
QWidget* ActiveControlOf(const QWidget* widget);

}  // namespace tw::controls
