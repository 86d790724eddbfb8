#include "schedule/dependencies/dependencyeditor.h"

#include <utility>

#include "data/services/busyscopes.h"
#include "data/updatecount.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::schedule {

using data::ScheduleItemField;
using data::ScheduleItemFieldName;
using data::ScheduleItemRecord;

namespace {

// The chain's fields of a schedule item, named by its record type.
using Item = ScheduleItemRecord;

template <typename T>
db::Field Field(db::Table& t, T Item::*member)
{
    return ScheduleItemField(t, member);
}

std::int32_t Int(db::Table& t, std::int32_t Item::*member)
{
    return Field(t, member).asInteger();
}

double Real(db::Table& t, double Item::*member)
{
    return Field(t, member).asFloat();
}

}  // namespace

DependencyEditor::DependencyEditor(db::Table& view, db::Table& lookup, data::MainScreenState& state,
                                   std::function<void()> push)
    : view_(view),
      lookup_(lookup),
      state_(state),
      push_(std::move(push))
{}

bool DependencyEditor::Find(std::int32_t key)
{
    lookup_.refresh();
    return key != 0
        && lookup_.locate(ScheduleItemFieldName(&Item::CHARTSID), db::Value(static_cast<double>(key)));
}

double DependencyEditor::NextCount(db::Table& t)
{
    const double count = data::NextUpdateCount(static_cast<float>(Real(t, &Item::UPDATE)));
    state_.UpdateCounter = static_cast<float>(count);
    return count;
}

DependencyButtons DependencyEditor::UpdateDependencyButtons()
{
    DependencyButtons b;
    if (view_.isEmpty())
        return b;
    const std::int32_t pid = Int(view_, &Item::PID);
    const std::int32_t child = Int(view_, &Item::CHILD);
    const bool head = Field(view_, &Item::PARENT).asBoolean();
    b.DependentFollowing = Field(view_, &Item::USED).asBoolean() ? 0 : 1;
    if (pid != 0 || child != 0) {
        b.RemoveDependencyEnabled = true;
        b.DependentFollowingEnabled = !head;
    }
    if (head)
        b.RemoveDependencyEnabled = true;
    return b;
}

void DependencyEditor::DependentFollowingClick(int choice)
{
    if (view_.isEmpty())
        return;
    const bool leading = choice == 0;
    {
        data::BusyScope busy(state_);
        const TDateTime start = Real(view_, &Item::SD);
        double offset = Real(view_, &Item::OFFSET);
        if (Find(Int(view_, &Item::PID)))
            offset = start - (leading ? Real(lookup_, &Item::SD) : Real(lookup_, &Item::ED));
        const double count = NextCount(view_);
        view_.edit();
        Field(view_, &Item::USED).setAsBoolean(leading);
        Field(view_, &Item::OFFSET).setAsFloat(offset);
        Field(view_, &Item::UPDATE).setAsFloat(count);
        view_.post();
        view_.refresh();
        if (push_)
            push_();
    }
    view_.refresh();
}

void DependencyEditor::RemoveDependencyClick()
{
    if (view_.isEmpty())
        return;
    {
        data::BusyScope busy(state_);
        const std::int32_t pid = Int(view_, &Item::PID);
        const std::int32_t child = Int(view_, &Item::CHILD);
        const bool head = Field(view_, &Item::PARENT).asBoolean();
        const std::int32_t self = Int(view_, &Item::CHARTSID);
        const TDateTime selfStart = Real(view_, &Item::SD);
        const TDateTime selfEnd = Real(view_, &Item::ED);
        const double selfCount = NextCount(view_);

        // The neighbours are written through the lookup view before the task
        // itself, so the view's pending edit never meets a record changed
        // under it.
        auto writeNeighbour = [&](const std::function<void(db::Table&)>& change) {
            const double count = NextCount(lookup_);
            lookup_.edit();
            change(lookup_);
            Field(lookup_, &Item::UPDATE).setAsFloat(count);
            lookup_.post();
        };

        if (head) {
            if (Find(child)) {
                writeNeighbour([&](db::Table& c) {
                    Field(c, &Item::PID).setAsInteger(0);
                    if (Int(c, &Item::CHILD) != 0) {
                        Field(c, &Item::PARENT).setAsBoolean(true);
                        Field(c, &Item::DGN).setAsInteger(1);
                        const double edge = Field(c, &Item::USED).asBoolean() ? selfStart : selfEnd;
                        Field(c, &Item::OFFSET).setAsFloat(Real(c, &Item::SD) - edge);
                    } else {
                        Field(c, &Item::DG).setAsFloat(0);
                        Field(c, &Item::DGN).setAsInteger(0);
                    }
                });
            }
        } else if (pid > 0 && child > 0) {
            bool parentFound = Find(pid);
            const TDateTime parentStart = parentFound ? Real(lookup_, &Item::SD) : 0;
            const TDateTime parentEnd = parentFound ? Real(lookup_, &Item::ED) : 0;
            const std::int32_t parentKey = parentFound ? pid : 0;
            if (Find(child)) {
                writeNeighbour([&](db::Table& c) {
                    Field(c, &Item::PID).setAsInteger(parentKey);
                    const double edge = Field(c, &Item::USED).asBoolean() ? parentStart : parentEnd;
                    Field(c, &Item::OFFSET).setAsFloat(Real(c, &Item::SD) - edge);
                });
                if (parentFound && Find(pid))
                    writeNeighbour([&](db::Table& p) { Field(p, &Item::CHILD).setAsInteger(child); });
            }
        } else if (pid > 0 && child == 0) {
            if (Find(pid))
                writeNeighbour([&](db::Table& p) { Field(p, &Item::CHILD).setAsInteger(0); });
        }

        view_.refresh();
        view_.locate(ScheduleItemFieldName(&Item::CHARTSID), db::Value(static_cast<double>(self)));
        view_.edit();
        if (head) {
            Field(view_, &Item::PARENT).setAsBoolean(false);
            Field(view_, &Item::CHILD).setAsInteger(0);
        } else if (pid > 0 && child > 0) {
            Field(view_, &Item::PID).setAsInteger(0);
            Field(view_, &Item::CHILD).setAsInteger(0);
            Field(view_, &Item::OFFSET).setAsFloat(0);
        } else if (pid > 0) {
            Field(view_, &Item::PID).setAsInteger(0);
            Field(view_, &Item::OFFSET).setAsFloat(0);
        }
        Field(view_, &Item::DG).setAsFloat(0);
        Field(view_, &Item::DGN).setAsInteger(0);
        Field(view_, &Item::UPDATE).setAsFloat(selfCount);
        view_.post();
        view_.refresh();
        if (push_)
            push_();
    }
    view_.refresh();
}

}  // namespace tw::schedule
