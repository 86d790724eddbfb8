#include "controls/base/fcmodalresult.h"

#include <QDialog>
#include <QVariant>
#include <QWidget>

namespace tw::controls {

namespace {
constexpr char kModalResultProperty[] = "tw_fcModalResult";
}

int FormModalResult(const QWidget* control)
{
    if (!control)
        return mrNone;
    return control->window()->property(kModalResultProperty).toInt();
}

void SetFormModalResult(QWidget* control, int result)
{
    if (control)
        control->window()->setProperty(kModalResultProperty, result);
}

bool EndModal(QWidget* control)
{
    if (!control)
        return false;
    QWidget* window = control->window();
    const int result = window->property(kModalResultProperty).toInt();
    if (result == mrNone)
        return false;
    window->setProperty(kModalResultProperty, int(mrNone));
    auto* dialog = qobject_cast<QDialog*>(window);
    if (!dialog)
        return false;
    if (result == mrOk)
        dialog->accept();
    else if (result == mrCancel)
        dialog->reject();
    else
        dialog->done(result);
    return true;
}

}  // namespace tw::controls
