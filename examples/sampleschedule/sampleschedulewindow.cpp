// The sample schedule's pieces on a window: they work on its session.
#include "app/mainscreen.h"
#include "sampleschedule.h"

namespace tw::examples {

std::int32_t AddSampleResource(app::TMainScreen& window, const std::string& name)
{
    return AddSampleResource(window.Session(), name);
}

std::int32_t AddSampleTask(app::TMainScreen& window, std::int32_t resource, const SampleTask& task,
                           TDateTime* end)
{
    return AddSampleTask(window.Session(), resource, task, end);
}

void FillSampleSchedule(app::TMainScreen& window, TDateTime monday)
{
    FillSampleSchedule(window.Session(), monday);
}

}  // namespace tw::examples
