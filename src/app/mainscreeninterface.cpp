#include "app/mainscreeninterface.h"

#include "app/appservices.h"
#include "app/mainscreen.h"
#include "controls/status/fcstatusbar.h"

#include <QGuiApplication>
#include <QStatusBar>
#include <QThread>

#include <algorithm>

namespace tw::app {

namespace {

SleepHandler& CurrentSleepHandler()
{
    static SleepHandler handler;
    return handler;
}

constexpr int kNapMs = 100;

}  // namespace

SleepHandler SetSleepHandler(SleepHandler handler)
{
    SleepHandler previous = std::move(CurrentSleepHandler());
    CurrentSleepHandler() = std::move(handler);
    return previous;
}

void MainScreenInterface::ShowMessage(const std::string& text, const std::string& caption,
                                      data::MessageIcon icon)
{
    MessageIcon shown = MessageIcon::Information;
    if (icon == data::MessageIcon::Stop)
        shown = MessageIcon::Stop;
    else if (icon == data::MessageIcon::Warning)
        shown = MessageIcon::Warning;
    // Errors block the whole program, as the start-up's fatal boxes do.
    const MessageModality modality =
        shown == MessageIcon::Stop ? MessageModality::Application : MessageModality::Window;
    ShowMessageBox(&window_, QString::fromStdString(text), QString::fromStdString(caption), shown, modality);
}

void MainScreenInterface::SetStatusText(int panel, const std::string& text)
{
    if (panel >= 0 && panel < 3)
        window_.SetStatusText(panel, QString::fromStdString(text));
}

std::string MainScreenInterface::StatusText(int panel) const
{
    return panel >= 0 && panel < 3 ? window_.StatusText(panel).toStdString() : std::string();
}

void MainScreenInterface::RepaintStatus()
{
    window_.StatusBar()->Repaint();
}

void MainScreenInterface::SetBusyCursor(bool busy)
{
    if (busy) {
        ++busyDepth_;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QGuiApplication::restoreOverrideCursor();
    }
}

void MainScreenInterface::Sleep(int milliseconds)
{
    if (const SleepHandler& handler = CurrentSleepHandler()) {
        handler(milliseconds);
        return;
    }
    for (int left = milliseconds; left > 0; left -= kNapMs) {
        RepaintStatus();
        QThread::msleep(static_cast<unsigned long>(std::min(left, kNapMs)));
    }
}

}  // namespace tw::app
