#include "controls/base/fcaccessible.h"

#include "controls/base/fccontrol.h"

#include <QHash>
#include <QVariant>

namespace tw::controls {

namespace {

// Marks a name NameField gave, so a later caption can replace it.
constexpr char kNamedByOwner[] = "twNamedByOwner";

QHash<QString, TFcAccessibleCreator>& Creators()
{
    static QHash<QString, TFcAccessibleCreator> creators;
    return creators;
}

// Qt asks once per class of the object's chain, most derived first.
QAccessibleInterface* Factory(const QString& key, QObject* object)
{
    const auto it = Creators().constFind(key);
    if (it == Creators().constEnd() || !object->isWidgetType())
        return nullptr;
    return (*it)(static_cast<QWidget*>(object));
}

}  // namespace

void EnsureAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        Creators().insert(QString::fromLatin1(TFcControl::staticMetaObject.className()),
                          [](QWidget* w) { return new TFcControlAccessible(w); });
        // A window made from a plain widget (the e-mail window, the import
        // windows) is a dialog of the window it belongs to, or a window of
        // its own, never a plain area; Qt's classes of window answer first.
        Creators().insert(QStringLiteral("QWidget"), [](QWidget* w) -> QAccessibleInterface* {
            if (!w->isWindow())
                return nullptr;
            return new QAccessibleWidget(w, w->parentWidget() ? QAccessible::Dialog : QAccessible::Window);
        });
        return true;
    }();
    (void)installed;
}

TFcControlAccessible::TFcControlAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{}

QString TFcControlAccessible::text(QAccessible::Text t) const
{
    const auto* control = qobject_cast<const TFcControl*>(widget());
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty() || !control)
            return QAccessibleWidget::text(t).simplified();
        return SpokenName(control->Caption());
    case QAccessible::Description:
        if (!widget()->accessibleDescription().isEmpty() || !control)
            return QAccessibleWidget::text(t);
        return control->Hint();
    default: return QAccessibleWidget::text(t);
    }
}

QString SpokenName(const QString& caption)
{
    return StripAccelerator(caption).simplified();
}

bool NeedsName(QWidget* field)
{
    if (!field)
        return false;
    if (field->property(kNamedByOwner).toBool())
        return true;
    if (!field->accessibleName().isEmpty())
        return false;
    // A check box or button says its own caption, a field its buddy label.
    const QAccessibleInterface* own = QAccessible::queryAccessibleInterface(field);
    return !own || own->text(QAccessible::Name).trimmed().isEmpty();
}

void NameField(QWidget* field, const QString& caption)
{
    if (!field)
        return;
    // The part that takes the focus for the field (a calendar's day grid) is
    // what a reader announces.
    if (QWidget* proxy = field->focusProxy(); proxy && proxy != field)
        NameField(proxy, caption);
    if (!NeedsName(field))
        return;
    const QString name = SpokenName(caption);
    if (name.isEmpty())
        return;
    field->setAccessibleName(name);
    field->setProperty(kNamedByOwner, true);
}

void RunAfterAnswer(QObject* target, std::function<void()> action)
{
    QMetaObject::invokeMethod(target, std::move(action), Qt::QueuedConnection);
}

void RegisterAccessible(const QMetaObject* type, TFcAccessibleCreator creator)
{
    EnsureAccessibleFactory();
    Creators().insert(QString::fromLatin1(type->className()), std::move(creator));
}

}  // namespace tw::controls
