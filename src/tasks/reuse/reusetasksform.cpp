#include "tasks/reuse/reusetasksform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/typedpicker.h"
#include "platform/datetime/localetexts.h"
#include "tasks/formvalues.h"
#include "ui_reusetasksform.h"

#include <exception>

namespace tw::tasks {

struct TReuseTasks::Controls {
    RadioChoice PeriodPanel;
    RadioChoice RepeatPeriod;
    RadioChoice SortByPanel;
    QList<QPair<QWidget*, QString>> Hints;
    bool Showing = false;
};

TReuseTasks::TReuseTasks(ReuseTasksContext& context, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TReuseTasks>()),
      controls_(std::make_unique<Controls>()),
      logic_(context)
{
    ui->setupUi(this);
    ui->TaskStartDate->setDisplayFormat(QString::fromStdString(locale::QtShortDatePattern()));
    for (QDateTimeEdit* picker : std::initializer_list<QDateTimeEdit*>{ui->TaskStartDate, ui->TaskStartTime})
        controls::TypedPicker::Watch(picker, nullptr);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    // Only "Reuse this task" and "Cancel" close it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Controls& c = *controls_;
    c.PeriodPanel = RadioChoice(ui->PeriodPanel, "PeriodPanel", {"Hours", "Days", "Weeks", "Months"});
    SetChoiceItems(ui->TaskStatus, JobStatusItems(), "TaskStatus");
    c.RepeatPeriod = RadioChoice(ui->RepeatPeriod, "RepeatPeriod",
                                 {"None", "Daily", "Weekly", "Monthly", "Quarterly", "6 Months", "Custom"});
    c.SortByPanel = RadioChoice(ui->SortByPanel, "SortByPanel", {"Description", "Start date", "Length", "Client"});
    for (QWidget* w : std::initializer_list<QWidget*>{ui->PeriodPanel, ui->TaskLength, ui->HourlyRate})
        c.Hints.append({w, w->toolTip()});

    const auto on = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this, [this, handler] {
            if (!controls_->Showing)
                Run(handler);
        });
    };
    using Move = ReuseTasks::Move;
    const auto onChoice = [this](const RadioChoice& choice, std::function<void()> handler) {
        choice.OnClicked(this, [this, handler](int) {
            if (!controls_->Showing)
                Run(handler);
        });
    };
    onChoice(c.SortByPanel, [this] {
        logic_.SortByPanelClick();
        logic_.FillFromTask();
    });
    onChoice(c.RepeatPeriod, [this] { logic_.RepeatPeriodClick(); });
    on(ui->UpDown1Up, &QToolButton::clicked, [this] {
        if (logic_.Form.RepeatCount < logic_.Form.RepeatCountMax)
            ++logic_.Form.RepeatCount;
    });
    on(ui->UpDown1Down, &QToolButton::clicked, [this] {
        if (logic_.Form.RepeatCount > 0)
            --logic_.Form.RepeatCount;
    });
    on(ui->NavigatorFirst, &QToolButton::clicked, [this] { logic_.NavigatorClick(Move::First); });
    on(ui->NavigatorPrior, &QToolButton::clicked, [this] { logic_.NavigatorClick(Move::Prior); });
    on(ui->NavigatorNext, &QToolButton::clicked, [this] { logic_.NavigatorClick(Move::Next); });
    on(ui->NavigatorLast, &QToolButton::clicked, [this] { logic_.NavigatorClick(Move::Last); });
    on(ui->NavigatorDelete, &QToolButton::clicked, [this] { logic_.DeleteClick(); });
    on(ui->ReuseTask, &controls::TFcControl::clicked, [this] {
        if (editor_)
            logic_.ReuseTaskClick(*editor_);
    });
    on(ui->Cancel, &controls::TFcControl::clicked, [this] { logic_.CancelClick(); });
    connect(ui->Help, &controls::TFcControl::clicked, this, [this] {
        if (OpenHelp)
            OpenHelp("Reusing_tasks.htm");
    });
}

TReuseTasks::~TReuseTasks() = default;

void TReuseTasks::Execute(int helpLevel, TaskEditor& editor, QWidget* editorWindow)
{
    editor_ = &editor;
    if (!logic_.Execute(helpLevel)) {
        if (logic_.RestoreRequested) {
            logic_.RestoreRequested = false;
            showNormal();
        }
        return;
    }
    if (editorWindow)
        move(editorWindow->x() + 50, editorWindow->y());
    ShowForm();
    exec();
}

void TReuseTasks::Run(const std::function<void()>& handler)
{
    ReadForm();
    try {
        handler();
    } catch (const std::exception& e) {
        logic_.Context().UI.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
    ShowForm();
    if (logic_.CloseRequested)
        close();
}

void TReuseTasks::ReadForm()
{
    ReuseForm& f = logic_.Form;
    const Controls& c = *controls_;
    f.TaskStatus = ui->TaskStatus->ItemIndex();
    f.PeriodPanel = c.PeriodPanel.CheckedId();
    f.TaskLength = ui->TaskLength->text().toStdString();
    f.HourlyRate = ui->HourlyRate->text().toStdString();
    f.TaskStartDate = FromDate(ui->TaskStartDate->date());
    f.TaskStartTime = FromTime(ui->TaskStartTime->time());
    f.RepeatPeriod = c.RepeatPeriod.CheckedId();
    f.RepeatCount = ui->RepeatRep->text().toInt();
    f.TaskDesc = ui->TaskDesc->text().toStdString();
    f.SortByPanel = c.SortByPanel.CheckedId();
}

void TReuseTasks::ShowForm()
{
    const ReuseForm& f = logic_.Form;
    Controls& c = *controls_;
    c.Showing = true;
    SetChoiceQuietly(ui->TaskStatus, f.TaskStatus);
    c.PeriodPanel.SetCheckedId(f.PeriodPanel);
    c.RepeatPeriod.SetCheckedId(f.RepeatPeriod);
    c.SortByPanel.SetCheckedId(f.SortByPanel);
    ui->TaskLength->setText(QString::fromStdString(f.TaskLength));
    ui->HourlyRate->setText(QString::fromStdString(f.HourlyRate));
    ui->TaskStartDate->setDate(ToDate(f.TaskStartDate));
    ui->TaskStartTime->setTime(ToTime(f.TaskStartTime));
    ui->RepeatRep->setText(QString::number(f.RepeatCount));
    ui->Customer->setText(QString::fromStdString(f.Customer));
    ui->TaskDesc->setText(QString::fromStdString(f.TaskDesc));
    QStringList notes;
    for (const std::string& line : f.Notes)
        notes << QString::fromStdString(line);
    ui->Notes->setPlainText(notes.join('\n'));
    for (const auto& [widget, hint] : c.Hints)
        widget->setToolTip(f.HintsShown ? hint : QString());
    c.Showing = false;
}

void TReuseTasks::done(int result)
{
    logic_.FormClose();
    QDialog::done(result);
}

}  // namespace tw::tasks
