#pragma once
// Volumes as a test sets them: nothing depends on what is mounted.

#include <set>
#include <string>
#include <vector>

#include "settings/volumes.h"

namespace tw::settings::test {

class FixedVolumes : public VolumeList {
public:
    std::vector<Volume> list;
    std::set<std::string> unreadable;
    std::vector<Volume> Volumes() const override { return list; }
    bool RootReadable(const std::string& root) const override
    {
        return !unreadable.count(root) && VolumeOf(root).has_value();
    }
};

}  // namespace tw::settings::test
