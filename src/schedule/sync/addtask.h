#pragma once
// Every new schedule item enters the schedule here: a task or a job summary
// row. The customer and the job are found by name or QuickBooks id (and
// created when missing), the item is appended to the working copy, a task
// gets its assignment row and, when asked, a task-list record, and a single
// add pushes the working copy to the shared tables.
//
//   ScheduleAdder adder(tables, state, ui, sync);
//   NewScheduleItem item;  item.Key = UniqueKeyValue(...); item.CustomerName = ...;
//   if (adder.AddTaskToSchedule(item)) ...

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"

namespace tw::schedule {

// The arguments of one add, in the order the callers pass them.
struct NewScheduleItem {
    std::int32_t Key = 0;  // CHARTSID, drawn by the caller on the working copy
    std::string CustomerName;
    std::string JobName;
    std::string Description;
    std::optional<std::vector<std::string>> Notes;
    TDateTime Start = 0;
    TDateTime End = 0;
    float Hours = 0;
    double HourlyRate = 0;
    double TotalCost = 0;
    std::int32_t RepeatRule = 0;
    bool Active = true;
    bool JobRow = false;
    std::string CustomerListId;  // QuickBooks ids: lookups go by them first
    std::string ItemListId;
    std::string JobListId;
    std::string FullName;
    std::int32_t RepeatHours = 0;
    bool SingleAdd = true;
    std::int32_t JobStatus = 3;
    bool New = false;
    std::int32_t LengthUnit = 0;
    std::int32_t Link = 0;
    std::int32_t Chain = 0;
    std::int32_t Row = 0;
    bool Root = false;
    std::int32_t RepeatPeriod = 0;
    std::int32_t RepeatCount = 1;
    bool AddToTaskList = false;
    bool FindOrCreate = true;
    // The resource of the item when it is not the current one (a piece split
    // off another item keeps that item's resource); its TDESC goes with it.
    std::optional<std::int32_t> ResourceId;
    std::string ResourceName;
};

// What adding needs of the windows, until they exist.
struct AddTaskHooks {
    // The current resource's key and trimmed description; the main window
    // creates a resource when there is none. Without a hook: the state's
    // CurrentResourceId and no description.
    std::function<std::int32_t(std::string& description)> GetCurrentResource;
    // A customer was created: the customers label shows "All customers".
    std::function<void(const std::string& caption)> SetCustomersLabel;
    // A job was created: tasks can be added to it.
    std::function<void()> EnableTasksNavigator;
};

class ScheduleAdder {
public:
    ScheduleAdder(ScheduleTables& tables, data::MainScreenState& state, data::UserInterface& ui,
                  ScheduleSync& sync, AddTaskHooks hooks = {});

    // True when the item was added; false when it was refused (a duplicate
    // job row name on a single add, an item already imported).
    bool AddTaskToSchedule(const NewScheduleItem& item);

    // One assignment row per schedule item and resource: false when it
    // already exists.
    bool AddCrewIndexRow(std::int32_t itemKey, std::int32_t resourceKey, std::int32_t jobKey);
    void DeleteCrewIndexRows(std::int32_t itemKey);

    // The keys of the last add's customer and job; they stay for the next
    // call without find or create.
    std::int32_t CustomerKey() const { return customerKey_; }
    std::int32_t JobKey() const { return jobKey_; }

private:
    void FindOrCreateCustomer(const NewScheduleItem& item);
    void FindOrCreateJob(const NewScheduleItem& item);
    void WriteItemFields(db::Table& table, const NewScheduleItem& item, std::int32_t number,
                         std::int32_t resourceKey, const std::string& resourceName, std::int32_t order,
                         bool taskList);

    ScheduleTables& t_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    ScheduleSync& sync_;
    AddTaskHooks hooks_;
    std::int32_t customerKey_ = 0;
    std::int32_t jobKey_ = 0;
};

}  // namespace tw::schedule
