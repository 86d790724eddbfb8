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
#include "sampleschedule.h"
#include "support/december.h"
#include "testapplication.h"

#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>

namespace tw::app::testing {

class SampleWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
    }
    // The window on a page at the size the screenshots have; the start-up
    // has run already, so the showing starts nothing again.
    void ShowOn(int page, int width = 1100, int height = 760)
    {
        window.TabControl()->setCurrentIndex(page);
        window.resize(width, height);
        window.show();
        window.StartClock()->stop();
    }

    // Ames's kitchen job: Ann fits units (7 December 10:00, 1 hour) and paints
    // walls (13:00, 1 hour); Bob clears the site (8 December 10:00, 2 hours).
    struct KitchenJob {
        std::int32_t Ann = 0, Bob = 0;
        std::int32_t FitUnits = 0, PaintWalls = 0, ClearSite = 0;
    };
    KitchenJob AddKitchenJob()
    {
        using fixtures::Day;
        KitchenJob job;
        job.Ann = examples::AddSampleResource(window, "Ann");
        job.Bob = examples::AddSampleResource(window, "Bob");
        job.FitUnits = examples::AddSampleTask(window, job.Ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 1});
        job.PaintWalls =
            examples::AddSampleTask(window, job.Ann, {"Ames", "Kitchen", "Paint walls", Day(7, 13), 1});
        job.ClearSite = examples::AddSampleTask(window, job.Bob, {"Ames", "Kitchen", "Clear site", Day(8, 10), 2});
        return job;
    }

    ApplicationInUse application;
    FreshUser user;
    Recorder recorder;
    TMainScreen window;
};

}  // namespace tw::app::testing
