#include "data/jobstatus.h"

#include "data/textroutines.h"

namespace tw::data {

namespace {

const std::array<std::string, JobStatusTexts::kStatusCount> kDefaults = {
    "Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"};

}  // namespace

JobStatusTexts::JobStatusTexts() : texts_(kDefaults) {}

JobStatusTexts::JobStatusTexts(const std::array<std::string, kStatusCount>& texts)
{
    for (int i = 0; i < kStatusCount; ++i)
        texts_[i] = TrimBlanks(texts[i]).empty() ? kDefaults[i] : texts[i];
}

std::string JobStatusTexts::JobStatusName(int status) const
{
    if (status < 0 || status >= kStatusCount)
        status = kNone;
    return texts_[status];
}

int JobStatusTexts::JobStatusFromName(std::string_view text) const
{
    // None is what is left when no other text matches.
    for (int status : {1, 0, 2, 4, 5}) {
        if (texts_[status] == text)
            return status;
    }
    return kNone;
}

}  // namespace tw::data
