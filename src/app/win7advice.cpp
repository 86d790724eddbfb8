#include "app/win7advice.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "ui_win7advice.h"

#include <QLabel>

namespace tw::app {

TWin7Advice::TWin7Advice(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::TWin7Advice>()),
      adminTest_(&TWin7Advice::AreWeAdmin)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    connect(ui->Ok, &controls::TFcControl::clicked, this, &TWin7Advice::OkClick);
}

TWin7Advice::~TWin7Advice() = default;

bool TWin7Advice::AreWeAdmin()
{
    // Rights here belong to files and folders, which the failure messages
    // name; there is no group whose membership would change the outcome.
    return true;
}

bool TWin7Advice::Advise(const QString& text, bool oldWindows)
{
    if (oldWindows || (adminTest_ && adminTest_()))
        return true;
    ui->Label1->setText(text);
    exec();
    return false;
}

void TWin7Advice::SetAdminTest(std::function<bool()> test)
{
    adminTest_ = std::move(test);
}

QLabel* TWin7Advice::Label1() const
{
    return ui->Label1;
}

void TWin7Advice::OkClick()
{
    accept();
}

}  // namespace tw::app
