#pragma once
// The insert-time and remove-time dialogs. They only collect the block and
// the scope; the pass over the working copy is timeblocks::InsertSlot and
// timeblocks::RemoveSlot, and the states of the operation timeblocks::SlotOperations.

#include <QDialog>

#include <cstdint>
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

// What both dialogs ask of the program around them: the Blocks of time
// feature unit answers, tests answer with a small fake.
class SlotDialogHost {
public:
    virtual ~SlotDialogHost() = default;

    // The working copy, the adder and the engine for one pass.
    virtual timeblocks::SlotServices Services() = 0;
    // Makes sure a resource exists; its CREWID, and its trimmed DESC.
    virtual std::int32_t CurrentResource(std::string& description) = 0;
    // Loads the resource's calendar; the start of its working day.
    virtual TDateTime LoadWorkCalendar(std::int32_t crewId) = 0;
    virtual void PushChartUpdates() = 0;
    // After an insert: the chart follows its records.
    virtual void AfterInsert() = 0;
    virtual void AfterRemove() = 0;
};

// What both dialogs work on.
struct SlotDialogContext {
    data::MainScreenState& State;
    timeblocks::SlotOperations& Operations;
    SlotDialogHost& Host;
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
