#include "tasks/repeat/repeatdialogs.h"

#include "controls/base/fccontrol.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/base/fcformkeys.h"
#include "ui_customrepeatform.h"
#include "ui_repeattaskform.h"

#include "data/services/busyscopes.h"
#include "schedule/repeat/repeatdates.h"

namespace tw::tasks {

namespace {

// Closed only by its own buttons.
void FixedDialog(QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setModal(true);
}

}  // namespace

TCustomRepeat::TCustomRepeat(data::UserInterface& userInterface, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCustomRepeat>()), userInterface_(userInterface)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    FixedDialog(*this);
    connect(ui->Ok, &controls::TFcControl::clicked, this, &TCustomRepeat::OkClick);
    connect(ui->Cancel, &controls::TFcControl::clicked, this, &TCustomRepeat::CancelClick);
}

TCustomRepeat::~TCustomRepeat() = default;

void TCustomRepeat::Open(int code, TDateTime /*start*/)
{
    if (IsOpen) {
        showNormal();
        return;
    }
    {
        const data::BusyScope hourglass(userInterface_);
        controls::TFcRadioButton* units[] = {ui->PeriodHours, ui->PeriodDays, ui->PeriodWeeks,
                                             ui->PeriodMonths};
        if (code < 1) {
            ui->UpDown1->setValue(2);
            ui->PeriodWeeks->SetChecked(true);
        } else {
            const int unit = schedule::CustomRepeatUnitOf(code);
            if (unit < 4)
                units[unit]->SetChecked(true);
            ui->UpDown1->setValue(schedule::CustomRepeatCountOf(code));
        }
        IsOpen = true;
    }
    exec();
    IsOpen = false;
}

void TCustomRepeat::OkClick()
{
    bool ok = false;
    int count = ui->UpDown1->text().trimmed().toInt(&ok);
    if (!ok)
        count = 1;
    int unit = 0;
    controls::TFcRadioButton* units[] = {ui->PeriodHours, ui->PeriodDays, ui->PeriodWeeks, ui->PeriodMonths};
    for (int i = 0; i < 4; ++i)
        if (units[i]->Checked())
            unit = i;
    ResultCode = schedule::CustomRepeatCode(count, unit);
    accept();
}

void TCustomRepeat::CancelClick()
{
    reject();
}

TRepeatTask::TRepeatTask(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TRepeatTask>())
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    FixedDialog(*this);
    connect(ui->Ok, &controls::TFcControl::clicked, this, &QDialog::accept);
    connect(ui->Help, &controls::TFcControl::clicked, this, [this] {
        if (OpenHelp)
            OpenHelp("Creating_repeating_tasks.htm");
    });
}

TRepeatTask::~TRepeatTask() = default;

void TRepeatTask::AskRepeatMode()
{
    if (IsOpen) {
        showNormal();
        return;
    }
    IsOpen = true;
    exec();
}

void TRepeatTask::done(int result)
{
    if (IsOpen) {
        IsOpen = false;
        Reoccurring = ui->Reoccurring->Checked();
    }
    QDialog::done(result);
}

}  // namespace tw::tasks
