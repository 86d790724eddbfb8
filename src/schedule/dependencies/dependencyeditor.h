#pragma once
// The job task list's edits of dependency chains: taking a task out of its
// chain, and choosing whether a dependent task follows its parent's start
// (leading edge) or end (trailing edge). A chain is linked by PID (parent)
// and CHILD; its head has PARENT set and DGN 1.

#include <cstdint>
#include <functional>

#include "data/services/mainstate.h"
#include "platform/db/table.h"

namespace tw::schedule {

// What the window shows for the current record.
struct DependencyButtons {
    bool RemoveDependencyEnabled = false;
    bool DependentFollowingEnabled = false;
    int DependentFollowing = 0;  // 0 parent task leading edge, 1 trailing edge
};

class DependencyEditor {
public:
    // `view` is the list's schedule view (its current record is the one
    // edited); `lookup` is a second view of the same working copy for the
    // parent and child. `push` sends the working copy to the shared tables.
    DependencyEditor(db::Table& view, db::Table& lookup, data::MainScreenState& state,
                     std::function<void()> push);

    DependencyButtons UpdateDependencyButtons();
    // Both do nothing on an empty view.
    void DependentFollowingClick(int choice);
    void RemoveDependencyClick();

private:
    bool Find(std::int32_t key);
    double NextCount(db::Table& t);

    db::Table& view_;
    db::Table& lookup_;
    data::MainScreenState& state_;
    std::function<void()> push_;
};

}  // namespace tw::schedule
