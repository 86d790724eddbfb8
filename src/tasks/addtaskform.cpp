#include "tasks/addtaskform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/typedpicker.h"
#include "platform/datetime/localetexts.h"
#include "tasks/editor/taskeditor.h"
#include "tasks/formvalues.h"
#include "tasks/repeat/repeatdialogs.h"
#include "tasks/reuse/reusetasksform.h"
#include "ui_addtaskform.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QUrl>

#include <cmath>
#include <exception>

namespace tw::tasks {

struct TAddTask::Controls {
    RadioChoice PeriodPanel;
    RadioChoice RepeatPeriod;
    // Hints as designed, for the help level to switch off and on.
    QList<QPair<QWidget*, QString>> Hints;
    // Set while the editor's values are written into the controls.
    bool Showing = false;
};

TAddTask::TAddTask(TaskEditorContext& context, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TAddTask>()),
      editor_(std::make_unique<TaskEditor>(context, static_cast<TaskEditorView&>(*this))),
      controls_(std::make_unique<Controls>()),
      context_(context)
{
    ui->setupUi(this);
    const QString dateFormat = QString::fromStdString(locale::QtShortDatePattern());
    ui->TaskStartDate->setDisplayFormat(dateFormat);
    ui->TaskEndDate->setDisplayFormat(dateFormat);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->StatusBar->AddPane(0);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // An editor left open does not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    Controls& c = *controls_;
    c.PeriodPanel = RadioChoice(ui->PeriodPanel, "PeriodPanel", {"Hours", "Days", "Weeks", "Months"});
    SetChoiceItems(ui->TaskStatus, JobStatusItems(), "TaskStatus");
    c.RepeatPeriod = RadioChoice(ui->RepeatPeriod, "RepeatPeriod",
                                 {"None", "Daily", "Weekly", "Monthly", "Quarterly", "6 months", "Custom"});
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->ResetRate, ui->IsActive, ui->PeriodPanel, ui->TaskLength, ui->HourlyRate,
             ui->ReuseTaskButton, ui->AutoEndDate, ui->TaskStartDate, ui->TaskStartTime, ui->TaskEndDate,
             ui->TaskEndTime, ui->RepeatPeriod, ui->RepeatCountPanel, ui->EditNext, ui->EditPrev})
        c.Hints.append({w, w->toolTip()});

    const auto on = [this](auto* sender, auto signal, void (TaskEditor::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            if (!controls_->Showing)
                Run(handler);
        });
    };
    on(ui->TaskLength, &QLineEdit::textEdited, &TaskEditor::TaskLengthChange);
    const auto onChoice = [this](const RadioChoice& choice, void (TaskEditor::*handler)()) {
        choice.OnClicked(this, [this, handler](int) {
            if (!controls_->Showing)
                Run(handler);
        });
    };
    onChoice(c.PeriodPanel, &TaskEditor::PeriodPanelClick);
    on(ui->AutoEndDate, &controls::TFcControl::clicked, &TaskEditor::AutoEndDateClick);
    // A typed date or time counts once it is typed in full.
    const auto picker = [this](QDateTimeEdit* edit, void (TaskEditor::*handler)()) {
        controls::TypedPicker::Watch(edit, [this, handler] {
            if (!controls_->Showing)
                Run(handler);
        });
    };
    picker(ui->TaskStartDate, &TaskEditor::TaskStartDateChange);
    picker(ui->TaskStartTime, &TaskEditor::TaskStartTimeChange);
    picker(ui->TaskEndDate, &TaskEditor::TaskEndDateChange);
    picker(ui->TaskEndTime, &TaskEditor::TaskEndTimeChange);
    on(ui->UpDown2UpRight, &QToolButton::clicked, &TaskEditor::UpDown2UpRightClick);
    on(ui->UpDown2DownLeft, &QToolButton::clicked, &TaskEditor::UpDown2DownLeftClick);
    onChoice(c.RepeatPeriod, &TaskEditor::RepeatPeriodClick);
    on(ui->UpDown1Up, &QToolButton::clicked, &TaskEditor::UpDown1UpClick);
    on(ui->UpDown1Down, &QToolButton::clicked, &TaskEditor::UpDown1DownClick);
    on(ui->AddTaskManual, &controls::TFcControl::clicked, &TaskEditor::AddTaskManualClick);
    on(ui->EditNext, &controls::TFcControl::clicked, &TaskEditor::EditNextClick);
    on(ui->EditPrev, &controls::TFcControl::clicked, &TaskEditor::EditPrevClick);
    on(ui->Cancel, &controls::TFcControl::clicked, &TaskEditor::CancelClick);
    on(ui->AddTimeStamp, &controls::TFcControl::clicked, &TaskEditor::AddTimeStampClick);
    on(ui->EraseNote, &controls::TFcControl::clicked, &TaskEditor::EraseNoteClick);
    on(ui->ResetRate, &controls::TFcControl::clicked, &TaskEditor::ResetRateClick);
    connect(ui->Help, &controls::TFcControl::clicked, this, [this] { OpenHelp(editor_->HelpPage()); });
    connect(ui->ReuseTaskButton, &controls::TFcControl::clicked, this, [this] {
        if (!reuseTasks_ || controls_->Showing)
            return;
        ReadForm();
        Guarded([&] { reuseTasks_->Execute(editor_->Arguments().HelpLevel, *editor_, this); });
        ShowForm();
    });
}

void TAddTask::OpenHelp(const std::string& page)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(context_.State.ProgramFolder) + "/"
                                                  + QString::fromStdString(page)));
}

TAddTask::~TAddTask() = default;

bool TAddTask::AskRepeatMode()
{
    if (!repeatTask_) {
        repeatTask_ = std::make_unique<TRepeatTask>(this);
        repeatTask_->OpenHelp = [this](const char* page) { OpenHelp(page); };
    }
    repeatTask_->AskRepeatMode();
    return repeatTask_->Reoccurring;
}

int TAddTask::CustomRepeat(int code, TDateTime start)
{
    if (!customRepeat_)
        customRepeat_ = std::make_unique<TCustomRepeat>(context_.UI, this);
    customRepeat_->Open(code, start);
    return customRepeat_->ResultCode;
}

bool TAddTask::Result() const
{
    return editor_->Result();
}

void TAddTask::ShowTaskEditor(db::Table& table, bool isMainView, bool edit, int helpLevel,
                              const std::string& description, std::optional<TDateTime> start,
                              bool addMissingData, const std::string& notesText,
                              const std::string& customerListId, const std::string& listId,
                              const std::string& jobListId, const std::string& fullName, bool rebuildOnClose,
                              int status, bool modal, bool skipOverlapCheck)
{
    EditorArguments args;
    args.Table = &table;
    args.IsMainView = isMainView;
    args.Edit = edit;
    args.HelpLevel = helpLevel;
    args.Description = description;
    args.Start = start;
    args.AddMissingData = addMissingData;
    args.NotesText = notesText;
    args.CustomerListId = customerListId;
    args.ListId = listId;
    args.JobListId = jobListId;
    args.FullName = fullName;
    args.RebuildOnClose = rebuildOnClose;
    args.Status = status;
    args.Modal = modal;
    args.SkipOverlapCheck = skipOverlapCheck;
    if (!Guarded([&] { editor_->ShowTaskEditor(args); }))
        return;
    if (editor_->RestoreRequested) {
        editor_->RestoreRequested = false;
        showNormal();
        raise();
        return;
    }
    ShowForm();
    if (top_ && left_ && (*top_ != 0 || *left_ != 0))
        move(*left_, *top_);
    if (modal) {
        exec();
    } else {
        show();
        raise();
    }
}

template <typename Work>
bool TAddTask::Guarded(Work&& work)
{
    // A table that fails mid-way reaches the user as the engine's text; the
    // editor's cursor and busy guards have been put back by then.
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        context_.UI.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        return false;
    }
}

void TAddTask::Run(void (TaskEditor::*handler)())
{
    ReadForm();
    Guarded([&] { (editor_.get()->*handler)(); });
    ShowForm();
    if (editor_->CloseRequested)
        close();
}

void TAddTask::ReadForm()
{
    TaskForm& f = editor_->Form;
    f.TaskLength = ui->TaskLength->text().toStdString();
    f.PeriodPanel = controls_->PeriodPanel.CheckedId();
    f.TaskStartDate = FromDate(ui->TaskStartDate->date());
    f.TaskStartTime = FromTime(ui->TaskStartTime->time());
    f.TaskEndDate = FromDate(ui->TaskEndDate->date());
    f.TaskEndTime = FromTime(ui->TaskEndTime->time());
    f.AutoEndDate = ui->AutoEndDate->Checked();
    f.HourlyRate = ui->HourlyRate->text().toStdString();
    f.TaskStatus = ui->TaskStatus->ItemIndex();
    f.RepeatPeriod = controls_->RepeatPeriod.CheckedId();
    f.RepeatCount = ui->RepeatRep->text().toInt();
    f.TaskDesc = ui->TaskDesc->text().toStdString();
    f.Notes.clear();
    const QString notes = ui->Notes->toPlainText();
    if (!notes.isEmpty())
        for (const QString& line : notes.split('\n'))
            f.Notes.push_back(line.toStdString());
    f.IsActive = ui->IsActive->Checked();
}

void TAddTask::ShowForm()
{
    const TaskForm& f = editor_->Form;
    Controls& c = *controls_;
    c.Showing = true;
    setWindowTitle(QString::fromStdString(f.Caption));
    ui->AddManualTask->SetCaption(QString::fromStdString(f.GroupCaption));
    if (ui->TaskLength->text().toStdString() != f.TaskLength)
        ui->TaskLength->setText(QString::fromStdString(f.TaskLength));
    c.PeriodPanel.SetCheckedId(f.PeriodPanel);
    ui->TaskStartDate->setDate(ToDate(f.TaskStartDate));
    ui->TaskStartTime->setTime(ToTime(f.TaskStartTime));
    ui->TaskEndDate->setDate(ToDate(f.TaskEndDate));
    ui->TaskEndTime->setTime(ToTime(f.TaskEndTime));
    ui->AutoEndDate->InitState(f.AutoEndDate ? controls::cbChecked : controls::cbUnchecked);
    ui->HourlyRate->setText(QString::fromStdString(f.HourlyRate));
    QStringList statusItems = JobStatusItems();
    for (int i = 0; i < std::min<int>(static_cast<int>(f.StatusItems.size()), statusItems.size()); ++i)
        statusItems[i] = QString::fromStdString(f.StatusItems[static_cast<size_t>(i)]);
    SetChoiceItems(ui->TaskStatus, statusItems, "TaskStatus");
    SetChoiceQuietly(ui->TaskStatus, f.TaskStatus);
    c.RepeatPeriod.SetCheckedId(f.RepeatPeriod);
    ui->RepeatRep->setText(QString::number(f.RepeatCount));
    ui->Customer->setText(QString::fromStdString(f.Customer));
    ui->Resource->setText(QString::fromStdString(f.Resource));
    ui->TaskDesc->setText(QString::fromStdString(f.TaskDesc));
    QStringList notes;
    for (const std::string& line : f.Notes)
        notes << QString::fromStdString(line);
    if (ui->Notes->toPlainText() != notes.join('\n'))
        ui->Notes->setPlainText(notes.join('\n'));
    ui->IsActive->InitState(f.IsActive ? controls::cbChecked : controls::cbUnchecked);
    ui->Label6->setText(QString::fromStdString(f.Label6));
    ui->Label7->setText(QString::fromStdString(f.Label7));
    ui->StatusBar->SetPanelText(0, QString::fromStdString(f.StatusBar));

    ui->TaskLength->setEnabled(f.TaskLengthEnabled);
    ui->UpDown2->setEnabled(f.TaskLengthEnabled);
    ui->TaskEndDate->setEnabled(f.EndPickersEnabled);
    ui->TaskEndTime->setEnabled(f.EndPickersEnabled);
    ui->ResetRate->setEnabled(f.ResetRateEnabled);
    ui->AddTaskManual->setEnabled(f.DoneEnabled);
    ui->EditNext->setEnabled(f.EditNextEnabled);
    ui->EditPrev->setEnabled(f.EditPrevEnabled);
    ui->ReuseTaskButton->setEnabled(f.ReuseEnabled && reuseTasks_ != nullptr);
    ui->RepeatPeriod->setEnabled(f.RepeatEnabled);
    ui->RepeatRep->setEnabled(f.RepeatCountEnabled);
    ui->UpDown1->setEnabled(f.RepeatCountEnabled);
    ui->UpDown1Up->setEnabled(f.RepeatCountEnabled && f.RepeatCount < f.RepeatCountMax);
    ui->UpDown1Down->setEnabled(f.RepeatCountEnabled && f.RepeatCount > 1);

    for (const auto& [widget, hint] : c.Hints)
        widget->setToolTip(f.HintsShown ? hint : QString());
    ui->TaskEndDate->setToolTip(f.HintsShown ? QString::fromStdString(f.EndDateHint) : QString());
    ui->TaskEndTime->setToolTip(f.HintsShown ? QString::fromStdString(f.EndTimeHint) : QString());
    c.Showing = false;
}

void TAddTask::closeEvent(QCloseEvent* event)
{
    if (editor_->IsOpen() && top_ && left_) {
        *top_ = y();
        *left_ = x();
    }
    // The chart rebuilt behind the editor may fail on a table; the editor
    // closes all the same.
    Guarded([this] { editor_->FormClose(); });
    QDialog::closeEvent(event);
}

void TAddTask::reject()
{
    // Escape closes as Cancel does.
    if (editor_->IsOpen())
        Run(&TaskEditor::CancelClick);
    else
        QDialog::reject();
}

}  // namespace tw::tasks
