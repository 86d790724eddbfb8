#pragma once
// Job status numbers and their display texts. The numbers follow the
// alphabetical order of the default texts: 0 Awarded, 1 Closed, 2 In progress,
// 3 None, 4 Not awarded, 5 Pending. Unknown numbers and texts mean None.

#include <array>
#include <string>
#include <string_view>

namespace tw::data {

class JobStatusTexts {
public:
    static constexpr int kStatusCount = 6;
    static constexpr int kNone = 3;

    // The default texts.
    JobStatusTexts();
    // The texts as the settings hold them, by number; a text that is empty
    // after trimming takes its default.
    explicit JobStatusTexts(const std::array<std::string, kStatusCount>& texts);

    std::string JobStatusName(int status) const;
    // Exact, case-sensitive comparison; no match gives None.
    int JobStatusFromName(std::string_view text) const;

private:
    std::array<std::string, kStatusCount> texts_;
};

}  // namespace tw::data
