// Fills a fresh program folder with a sample schedule, to try the Visualize
// tab on something that reads as a real schedule:
//
//   XDG_DATA_HOME=/tmp/sample/data XDG_CONFIG_HOME=/tmp/sample/config sampleschedule
//   XDG_DATA_HOME=/tmp/sample/data XDG_CONFIG_HOME=/tmp/sample/config tarnwick
//
// The program runs Tarnwick's own start-up on that folder (which sets it up
// as a first run does), adds the schedule and shuts down as Tarnwick does.

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "sampleschedule.h"

#include <QApplication>

#include <cmath>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tw::app::TMainScreen window;
    window.StartTimer();
    if (!window.Session().State.TablesOpen) {
        std::fprintf(stderr, "The schedule database did not open.\n");
        return 1;
    }
    if (!window.Session().Data().ChartsTable5.isEmpty()) {
        std::fprintf(stderr, "This program folder has a schedule already; nothing was added.\n");
        return 1;
    }
    // This week's Monday.
    const tw::TDateTime today = std::floor(tw::Now());
    const tw::TDateTime monday = today - (tw::DayOfWeek(today) + 5) % 7;
    tw::examples::FillSampleSchedule(window, monday);
    window.Features().Visualize->SetChartDateRange(true, monday, monday + 14);
    window.FormDestroy();
    std::printf("Sample schedule written.\n");
    return 0;
}
