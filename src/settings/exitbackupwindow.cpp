#include "settings/exitbackupwindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/buttons/fcbitbtn.h"
#include "controls/status/fcprogressbar.h"

namespace tw::app {

namespace {

constexpr int kWindowWidth = 420;

}  // namespace

TExitBackupWindow::TExitBackupWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ExitBackup"));
    setWindowTitle(QStringLiteral("Tarnwick"));
    setWindowModality(Qt::ApplicationModal);
    setFixedWidth(kWindowWidth);

    folder_ = new QLabel(this);
    folder_->setObjectName(QStringLiteral("BackupFolderLabel"));
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("BackupFileLabel"));
    progress_ = new controls::TFcProgressBar(this);
    progress_->setObjectName(QStringLiteral("BackupProgress"));
    progress_->setFixedHeight(22);
    skip_ = new controls::TFcBitBtn(this);
    skip_->setObjectName(QStringLiteral("Skip"));
    skip_->SetCaption(QStringLiteral("Skip"));
    skip_->SetHint(QStringLiteral("Close without a backup this time"));
    skip_->setMinimumSize(75, 25);
    skip_->OnClick = [this](controls::TFcControl*) {
        skipped_ = true;
        skip_->setEnabled(false);
        file_->setText(QStringLiteral("Skipping the backup"));
    };

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);
    column->addWidget(folder_);
    column->addWidget(file_);
    column->addWidget(progress_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(skip_);
    column->addLayout(row);
}

void TExitBackupWindow::ShowWindow(const std::string& backupFolder)
{
    // A long folder keeps both of its ends; the middle gives way.
    const QString text = QStringLiteral("Backing up database to: ") + QString::fromStdString(backupFolder);
    const int room = kWindowWidth - 24;
    folder_->setText(folder_->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    folder_->setToolTip(QString::fromStdString(backupFolder));
    file_->setText(QStringLiteral("Begin backup"));
    progress_->SetTotalParts(0);
    progress_->SetPercent(0);
    skipped_ = false;
    skip_->setEnabled(true);
    adjustSize();
    show();
}

void TExitBackupWindow::ShowProgress(const std::string& fileName, int done, int total)
{
    file_->setText(QStringLiteral("Backing up ") + QString::fromStdString(fileName));
    progress_->SetTotalParts(static_cast<std::uint32_t>(std::max(total, 0)));
    progress_->SetPartsComplete(static_cast<std::uint32_t>(std::max(done, 0)));
}

void TExitBackupWindow::ShowNote(const std::string& text)
{
    if (!text.empty())
        file_->setText(QString::fromStdString(text));
}

bool TExitBackupWindow::Wait(int milliseconds)
{
    const QDeadlineTimer deadline(std::max(milliseconds, 0));
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (skipped_ || deadline.hasExpired())
            return skipped_;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(20, deadline.remainingTime())));
    }
}

void TExitBackupWindow::CloseWindow()
{
    hide();
}

}  // namespace tw::app
