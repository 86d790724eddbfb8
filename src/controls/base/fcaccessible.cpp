#include "controls/base/fcaccessible.h"

#include "controls/base/fccontrol.h"

#include <QHash>

namespace tw::controls {

namespace {

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
            return QAccessibleWidget::text(t);
        return StripAccelerator(control->Caption());
    case QAccessible::Description:
        if (!widget()->accessibleDescription().isEmpty() || !control)
            return QAccessibleWidget::text(t);
        return control->Hint();
    default: return QAccessibleWidget::text(t);
    }
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
