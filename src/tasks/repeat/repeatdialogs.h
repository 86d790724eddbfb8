#pragma once
// The two small dialogs of a repeating task: the custom period (so many
// hours, days, weeks or months) and whether the occurrences may overlap.

#include <QDialog>

#include <functional>
#include <memory>

#include "platform/datetime/datetime.h"

namespace Ui {
class TCustomRepeat;
class TRepeatTask;
}  // namespace Ui

namespace tw::data {
class UserInterface;
}

namespace tw::tasks {

class TCustomRepeat : public QDialog {
    Q_OBJECT
public:
    // The hourglass shows on userInterface while the dialog fills its controls.
    explicit TCustomRepeat(data::UserInterface& userInterface, QWidget* parent = nullptr);
    ~TCustomRepeat() override;

    // Shows the dialog modally on `code` (count * 16 + unit; below 1 means
    // none chosen yet: 2 weeks); the caller reads ResultCode afterwards.
    void Open(int code, TDateTime start);
    void OkClick();
    void CancelClick();

    // The code of the last OK; 0 until the first one.
    int ResultCode = 0;
    bool IsOpen = false;

private:
    std::unique_ptr<Ui::TCustomRepeat> ui;
    data::UserInterface& userInterface_;
};

class TRepeatTask : public QDialog {
    Q_OBJECT
public:
    explicit TRepeatTask(QWidget* parent = nullptr);
    ~TRepeatTask() override;

    // Shows the dialog modally; afterwards Reoccurring tells the choice,
    // which stays for the next showing.
    void AskRepeatMode();

    bool Reoccurring = true;
    bool IsOpen = false;
    // Opens a help page by file name.
    std::function<void(const char* page)> OpenHelp;

protected:
    void done(int result) override;

private:
    std::unique_ptr<Ui::TRepeatTask> ui;
};

}  // namespace tw::tasks
