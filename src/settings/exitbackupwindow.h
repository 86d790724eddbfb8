#pragma once
// The small window of the automatic backup at exit: where the archive goes,
// the file being archived on the library's progress bar, and Skip. The main
// window may be gone by then, so it stands on its own; it keeps the other
// windows from taking input while it is up.

#include <QWidget>

#include "settings/exitbackup.h"

class QLabel;

namespace tw::controls {
class TFcBitBtn;
class TFcProgressBar;
}  // namespace tw::controls

namespace tw::app {

class TExitBackupWindow : public QWidget, public settings::ExitBackupView {
    Q_OBJECT
public:
    explicit TExitBackupWindow(QWidget* parent = nullptr);

    void ShowWindow(const std::string& backupFolder) override;
    void ShowProgress(const std::string& fileName, int done, int total) override;
    void ShowNote(const std::string& text) override;
    bool Wait(int milliseconds) override;
    void CloseWindow() override;

    controls::TFcBitBtn* SkipButton() const { return skip_; }
    controls::TFcProgressBar* ProgressBar() const { return progress_; }

private:
    QLabel* folder_ = nullptr;
    QLabel* file_ = nullptr;
    controls::TFcProgressBar* progress_ = nullptr;
    controls::TFcBitBtn* skip_ = nullptr;
    bool skipped_ = false;
};

}  // namespace tw::app
