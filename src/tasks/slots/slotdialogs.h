#pragma once
// The insert-time and remove-time dialogs. They only collect the block and
// the scope; the pass over the working copy is timeblocks::InsertSlot and
// timeblocks::RemoveSlot, and the states of the operation timeblocks::SlotOperations.

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/services/mainstate.h"
#include "schedule/slots/insertslot.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/status/fcstatusbar.h"
#include "schedule/slots/removeslot.h"
#include "schedule/slots/slotoperations.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace Ui {
class TInsertSlot;
class TRemoveSlot;
}  // namespace Ui

namespace tw::tasks {

// What both dialogs need of the main window.
struct SlotDialogContext {
    data::MainScreenState& State;
    timeblocks::SlotOperations& Operations;
    // The working copy, the adder and the engine for one pass.
    std::function<timeblocks::SlotServices()> Services;
    // Makes sure a resource exists; its CREWID, and its trimmed DESC.
    std::function<std::int32_t(std::string& description)> GetCurrentResource;
    // Loads the resource's calendar; the start of its working day.
    std::function<TDateTime(std::int32_t crewId)> LoadWorkCalendar;
    std::function<void()> PushChartUpdates;
    // After an insert: job summaries follow their tasks, the chart its records.
    std::function<void()> AfterInsert;
    std::function<void()> AfterRemove;
    data::UserInterface& UI;
};

// The controls both forms have, and what they mean.
class SlotFormControls {
public:
    QLineEdit* SlotLength = nullptr;
    QSpinBox* UpDown2 = nullptr;
    controls::TFcRadioButton* Units[4] = {};
    QDateEdit* SlotStartDate = nullptr;
    QTimeEdit* SlotStartTime = nullptr;
    controls::TFcRadioButton* AllResources = nullptr;
    controls::TFcRadioButton* SelectedResourceOnly = nullptr;
    controls::TFcStatusBar* StatusBar = nullptr;

    void Connect(QObject* owner);
    int Unit() const;
    bool ForAllResources() const;
    TDateTime Start() const;
    void SetStart(TDateTime date, TDateTime timeOfDay);
    timeblocks::SlotBlock Block() const;
    void ShowStatus(const std::string& text);
};

class TInsertSlot : public QDialog {
    Q_OBJECT
public:
    TInsertSlot(SlotDialogContext context, QWidget* parent = nullptr);
    ~TInsertSlot() override;

    void Open();
    void ResourceSelectionClick();
    void OkClick();
    void CancelClick();

    timeblocks::InsertSlot* Pass() const { return pass_.get(); }
    bool IsOpen = false;
    bool FirstShow = true;
    std::int32_t SelectedResourceId = 0;
    SlotFormControls Controls;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormDestroy();

    std::unique_ptr<Ui::TInsertSlot> ui;
    SlotDialogContext c_;
    std::unique_ptr<timeblocks::InsertSlot> pass_;
    std::string resourceName_;
};

class TRemoveSlot : public QDialog {
    Q_OBJECT
public:
    TRemoveSlot(SlotDialogContext context, QWidget* parent = nullptr);
    ~TRemoveSlot() override;

    void Open();
    void ResourceSelectionClick();
    void OkClick();
    void CancelClick();

    bool IsOpen = false;
    bool FirstShow = true;
    std::int32_t SelectedResourceId = 0;
    SlotFormControls Controls;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormDestroy();

    std::unique_ptr<Ui::TRemoveSlot> ui;
    SlotDialogContext c_;
    std::string resourceName_;
};

}  // namespace tw::tasks
