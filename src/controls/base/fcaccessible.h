#pragma once
// Accessibility of the library's controls: one QAccessible factory that
// hands out the interface registered for a control's class (or its nearest
// registered base), so a control family registers its own once:
//
//   RegisterAccessible(&TFcBitBtn::staticMetaObject,
//                      [](QWidget* w) { return new TFcButtonAccessible(w); });
//
// Every TFcControl without an interface of its own gets TFcControlAccessible:
// its name is the caption without the accelerator marker (or the widget's
// accessibleName when one is set), its description the hint.

#include <QAccessibleWidget>

#include <functional>

namespace tw::controls {

class TFcControlAccessible : public QAccessibleWidget {
public:
    explicit TFcControlAccessible(QWidget* widget, QAccessible::Role role = QAccessible::Client);
    QString text(QAccessible::Text t) const override;
};

using TFcAccessibleCreator = std::function<QAccessibleInterface*(QWidget*)>;

// Installs the factory on the first call. The class's own name is its key, so
// a registration for a base class serves subclasses that have none.
void RegisterAccessible(const QMetaObject* type, TFcAccessibleCreator creator);
// Installs the factory with the TFcControl default (every TFcControl does).
void EnsureAccessibleFactory();

// The name as a screen reader says it: no accelerator marker and no runs of
// blanks that only pad a caption on screen ("Add    recipient").
QString SpokenName(const QString& caption);

// Gives a field without a name of its own its caption owner's name, as Qt's
// group boxes and buddy labels do for their fields: the library's group box
// names the fields inside it, a label the field its accelerator focuses. A
// name the window set itself, or a caption of the field's own, is kept; a
// name given this way follows the owner's caption when that changes.
void NameField(QWidget* field, const QString& caption);
// The field has no name of its own (or only one NameField gave it).
bool NeedsName(QWidget* field);

// Runs an accessibility action once the call that asked for it has answered,
// as Qt's own buttons do: a press that opens a modal window would otherwise
// hold the screen reader until that window closes. Nothing runs when target
// is gone by then.
void RunAfterAnswer(QObject* target, std::function<void()> action);

}  // namespace tw::controls
