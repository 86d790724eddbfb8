#pragma once
// A schedule that reads as a real one, put into a session's databases
// through the program's own data module and schedule adder: resources in
// crews.dbf, customers, jobs and tasks in the working copy and the shared
// tables. The sample program fills a fresh program folder with it; the
// session and window tests build smaller schedules from the same pieces. The
// window's versions work on the window's session.

#include "platform/datetime/datetime.h"

#include <cstdint>
#include <string>

namespace tw::app {
class AppSession;
class TMainScreen;
}  // namespace tw::app

namespace tw::examples {

struct SampleTask {
    std::string Customer;
    std::string Job;
    std::string Description;
    TDateTime Start = 0;
    float Hours = 0;
};

// A resource in crews.dbf; its key.
std::int32_t AddSampleResource(app::AppSession& session, const std::string& name);
// A task of the resource, its end worked out on the resource's calendar; its
// key. The end goes to *end when it is given.
std::int32_t AddSampleTask(app::AppSession& session, std::int32_t resource, const SampleTask& task,
                           TDateTime* end = nullptr);
// Five resources, nine customers with their addresses, notes, custom-field
// values and (the first) a photo, and about three dozen tasks from monday on:
// each job's tasks follow one another, and no resource has two tasks at once.
void FillSampleSchedule(app::AppSession& session, TDateTime monday);

std::int32_t AddSampleResource(app::TMainScreen& window, const std::string& name);
std::int32_t AddSampleTask(app::TMainScreen& window, std::int32_t resource, const SampleTask& task,
                           TDateTime* end = nullptr);
void FillSampleSchedule(app::TMainScreen& window, TDateTime monday);

}  // namespace tw::examples
