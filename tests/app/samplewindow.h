#pragma once
// The fixture the window tests share: a fresh user's program started in its
// main window on an empty schedule, with message boxes recorded, dates in
// en_US; a test then adds what it needs (examples/sampleschedule) and shows
// the window on the page it drives.
//
//   class MyTest : public app::testing::SampleWindowTest {};
//   TEST_F(MyTest, ...) { ShowOn(app::TMainScreen::SchedulePage); ... }

#include "app/mainscreen.h"
#include "platform/datetime/localetexts.h"
#include "testapplication.h"

#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app::testing {

class SampleWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.State.TablesOpen);
    }
    // The window on a page at the size the screenshots have; the start-up
    // has run already, so the showing starts nothing again.
    void ShowOn(int page, int width = 1100, int height = 760)
    {
        window.TabControl()->setCurrentIndex(page);
        window.resize(width, height);
        window.show();
        window.Start->stop();
    }

    ApplicationInUse application;
    FreshUser user;
    Recorder recorder;
    TMainScreen window;
};

}  // namespace tw::app::testing
