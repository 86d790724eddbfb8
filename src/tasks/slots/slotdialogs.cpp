#include "tasks/slots/slotdialogs.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/typedpicker.h"
#include "data/services/busyscopes.h"
#include "ui_insertslotform.h"
#include "ui_removeslotform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>

#include <cmath>
#include <functional>

#include "data/quartergrid.h"
#include "schedule/timeofday.h"

namespace tw::tasks {

namespace {

QDate ToQDate(TDateTime value)
{
    const DateFields d = DecodeDate(value);
    return QDate(d.year, d.month, d.day);
}

QTime ToQTime(TDateTime value)
{
    const TimeFields t = DecodeTime(value);
    return QTime(t.hour, t.minute, t.second, t.msec);
}

void DialogStyle(QDialog& dialog)
{
    // A fixed dialog on top of the main window, closed only by its buttons.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowStaysOnTopHint);
    dialog.setModal(true);
}

}  // namespace

void SlotFormControls::Connect(QObject* owner)
{
    // The up-down steps the typed length; a typed whole number moves the up-down.
    QObject::connect(UpDown2, qOverload<int>(&QSpinBox::valueChanged), owner,
                     [this](int value) { SlotLength->setText(QString::number(value)); });
    QObject::connect(SlotLength, &QLineEdit::textEdited, owner, [this](const QString& text) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (ok && value >= UpDown2->minimum() && value <= UpDown2->maximum()) {
            const QSignalBlocker block(UpDown2);
            UpDown2->setValue(value);
        }
    });
}

int SlotFormControls::Unit() const
{
    for (int i = 0; i < 4; ++i)
        if (Units[i]->Checked())
            return i;
    return timeblocks::kSlotDays;
}

bool SlotFormControls::ForAllResources() const
{
    return AllResources->Checked();
}

TDateTime SlotFormControls::Start() const
{
    const QDate date = SlotStartDate->date();
    const QTime time = SlotStartTime->time();
    return schedule::CombineDateTime(EncodeDate(date.year(), date.month(), date.day()),
                                     EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
}

void SlotFormControls::SetStart(TDateTime date, TDateTime timeOfDay)
{
    SlotStartDate->setDate(ToQDate(date));
    SlotStartTime->setTime(ToQTime(timeOfDay));
}

timeblocks::SlotBlock SlotFormControls::Block() const
{
    const float length = timeblocks::SlotLengthFromText(SlotLength->text().toStdString());
    return timeblocks::ComputeSlotBlock(Start(), length, Unit());
}

void SlotFormControls::ShowStatus(const std::string& text)
{
    // Drawn at once: the work that follows keeps the event loop waiting.
    StatusBar->SetPanelText(0, QString::fromStdString(text));
}

template <class Form>
static void BindControls(SlotFormControls& c, Form& ui)
{
    c.SlotLength = ui.SlotLength;
    c.UpDown2 = ui.UpDown2;
    c.Units[0] = ui.PeriodHours;
    c.Units[1] = ui.PeriodDays;
    c.Units[2] = ui.PeriodWeeks;
    c.Units[3] = ui.PeriodMonths;
    c.SlotStartDate = ui.SlotStartDate;
    c.SlotStartTime = ui.SlotStartTime;
    c.AllResources = ui.AllResources;
    c.SelectedResourceOnly = ui.SelectedResourceOnly;
    c.StatusBar = ui.StatusBar;
    if (c.StatusBar->PanelCount() == 0)
        c.StatusBar->AddPane(0);
}

// What both dialogs do before they show: the shared tables brought up to
// date, the current resource and its calendar, and on the first showing the
// start at today's working day.
static void PrepareToShow(SlotDialogContext& c, bool push, SlotFormControls& controls, bool& firstShow,
                          std::string& resourceName)
{
    if (push)
        c.Host.PushChartUpdates();
    const std::int32_t crew = c.Host.CurrentResource(resourceName);
    c.State.CurrentResourceId = crew;
    const TDateTime dayStart = c.Host.LoadWorkCalendar(crew);
    if (firstShow) {
        controls.SetStart(Today(), dayStart);
        firstShow = false;
    }
}

// What both dialogs do when they are made: the form with its keys and style,
// its controls bound, the buttons and the resource choice connected.
// typedStart runs once a typed start is complete (nothing when empty).
template <class Dialog, class Form>
static void SetUpSlotDialog(Dialog& dialog, Form& ui, std::function<void()> typedStart)
{
    ui.setupUi(&dialog);
    controls::TFcFormKeys::Install(&dialog);
    controls::NotifyLoaded(&dialog);
    DialogStyle(dialog);
    BindControls(dialog.Controls, ui);
    dialog.Controls.Connect(&dialog);
    QObject::connect(ui.Ok, &controls::TFcControl::clicked, &dialog, &Dialog::OkClick);
    QObject::connect(ui.Cancel, &controls::TFcControl::clicked, &dialog, &Dialog::CancelClick);
    for (controls::TFcRadioButton* choice : {ui.AllResources, ui.SelectedResourceOnly})
        QObject::connect(choice, &controls::TFcControl::clicked, &dialog, &Dialog::ResourceSelectionClick);
    for (QDateTimeEdit* picker : std::initializer_list<QDateTimeEdit*>{ui.SlotStartDate, ui.SlotStartTime})
        controls::TypedPicker::Watch(picker, typedStart);
}

// Brings an open dialog to the front; else prepares it under the hourglass
// and shows it modally.
template <class Dialog>
static void OpenSlotDialog(Dialog& dialog, SlotDialogContext& c, const std::function<void()>& prepare)
{
    if (dialog.IsOpen) {
        dialog.showNormal();
        dialog.raise();
        return;
    }
    {
        data::BusyScope busy(c.UI);
        prepare();
    }
    dialog.IsOpen = true;
    dialog.ResourceSelectionClick();
    dialog.exec();
}

// --- Insert -------------------------------------------------------------

TInsertSlot::TInsertSlot(SlotDialogContext context, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TInsertSlot>()),
      c_(std::move(context))
{
    SetUpSlotDialog(*this, *ui, nullptr);
}

TInsertSlot::~TInsertSlot() = default;

void TInsertSlot::Open()
{
    OpenSlotDialog(*this, c_, [this] {
        pass_ = std::make_unique<timeblocks::InsertSlot>(c_.Host.Services(), c_.Operations.Pending);
        // A block still pending stays unpushed: pushing it here would make it
        // final behind the back of "Remove time".
        PrepareToShow(c_, !c_.Operations.Pending.PendingInsert, Controls, FirstShow, resourceName_);
    });
}

void TInsertSlot::ResourceSelectionClick()
{
    Controls.ShowStatus(timeblocks::InsertSlotStatusText(Controls.ForAllResources(), resourceName_));
}

void TInsertSlot::OkClick()
{
    SelectedResourceId = Controls.ForAllResources() ? 0 : c_.State.CurrentResourceId;
    bool changed = false;
    {
        data::BusyScope busy(c_.UI);
        changed = pass_->InsertBlock(Controls.Block(), SelectedResourceId);
    }
    if (changed)
        c_.Host.AfterInsert();
    close();
}

void TInsertSlot::CancelClick()
{
    c_.Operations.InsertCancelClick();
    close();
}

void TInsertSlot::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    QDialog::closeEvent(event);
    done(QDialog::Accepted);
}

void TInsertSlot::FormDestroy()
{
    if (!IsOpen)
        return;
    IsOpen = false;
    pass_.reset();
    c_.Operations.InsertDialogClosed();
}

// --- Remove -------------------------------------------------------------

TRemoveSlot::TRemoveSlot(SlotDialogContext context, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TRemoveSlot>()),
      c_(std::move(context))
{
    // A typed start counts once it is typed in full.
    SetUpSlotDialog(*this, *ui, [this] { ResourceSelectionClick(); });
}

TRemoveSlot::~TRemoveSlot() = default;

void TRemoveSlot::Open()
{
    OpenSlotDialog(*this, c_, [this] { PrepareToShow(c_, true, Controls, FirstShow, resourceName_); });
}

void TRemoveSlot::ResourceSelectionClick()
{
    if (!Controls.StatusBar)
        return;
    Controls.ShowStatus(
        timeblocks::RemoveSlotStatusText(Controls.ForAllResources(), resourceName_, Controls.Start()));
}

void TRemoveSlot::OkClick()
{
    SelectedResourceId = Controls.ForAllResources() ? 0 : c_.State.CurrentResourceId;
    timeblocks::RemoveSlot::Result result;
    std::string refusal;
    {
        data::BusyScope busy(c_.UI);
        timeblocks::RemoveSlot remove(c_.Host.Services());
        result = remove.RemoveBlock(Controls.Block(), SelectedResourceId, resourceName_, refusal);
        if (result == timeblocks::RemoveSlot::Result::Moved)
            c_.Operations.RemoveDialogMovedTasks();
    }
    if (result == timeblocks::RemoveSlot::Result::Refused) {
        // The period is not free: the dialog stays for another one.
        Controls.ShowStatus(refusal);
        return;
    }
    if (result == timeblocks::RemoveSlot::Result::Moved)
        c_.Host.AfterRemove();
    close();
}

void TRemoveSlot::CancelClick()
{
    c_.Operations.RemoveCancelClick();
    close();
}

void TRemoveSlot::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    QDialog::closeEvent(event);
    done(QDialog::Accepted);
}

void TRemoveSlot::FormDestroy()
{
    if (!IsOpen)
        return;
    IsOpen = false;
    c_.Operations.RemoveDialogClosed();
}

}  // namespace tw::tasks
