#pragma once
// The working-time engine on the calendar that governs a resource, as the page
// logics that move tasks ask it: the session's calendar tables answer in the
// program (through the feature units), tests answer on a calendar of their own.

#include <cstdint>

#include "platform/datetime/datetime.h"

namespace tw::schedule {

class ResourceWorkingTime {
public:
    virtual ~ResourceWorkingTime() = default;

    // The end of `hours` of work from `start`; startOut is where the work
    // really begins (the next working moment).
    virtual TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& startOut, TDateTime start,
                                     float hours) = 0;
    virtual float WorkingHoursBetween(std::int32_t crewId, TDateTime from, TDateTime to) = 0;
};

}  // namespace tw::schedule
