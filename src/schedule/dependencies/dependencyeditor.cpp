#include "schedule/dependencies/dependencyeditor.h"

#include <utility>

#include "data/services/busyscopes.h"
#include "data/updatecount.h"

namespace tw::schedule {

namespace {

std::int32_t Int(db::Table& t, const char* name)
{
    return t.fieldByName(name).asInteger();
}

double Real(db::Table& t, const char* name)
{
    return t.fieldByName(name).asFloat();
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
    return key != 0 && lookup_.locate("CHARTSID", db::Value(static_cast<double>(key)));
}

double DependencyEditor::NextCount(db::Table& t)
{
    const double count = data::NextUpdateCount(static_cast<float>(Real(t, "UPDATE")));
    state_.UpdateCounter = static_cast<float>(count);
    return count;
}

DependencyButtons DependencyEditor::UpdateDependencyButtons()
{
    DependencyButtons b;
    if (view_.isEmpty())
        return b;
    const std::int32_t pid = Int(view_, "PID");
    const std::int32_t child = Int(view_, "CHILD");
    const bool head = view_.fieldByName("PARENT").asBoolean();
    b.DependentFollowing = view_.fieldByName("USED").asBoolean() ? 0 : 1;
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
        data::TablesBusyScope busy(state_);
        const TDateTime start = Real(view_, "SD");
        double offset = Real(view_, "OFFSET");
        if (Find(Int(view_, "PID")))
            offset = start - (leading ? Real(lookup_, "SD") : Real(lookup_, "ED"));
        const double count = NextCount(view_);
        view_.edit();
        view_.fieldByName("USED").setAsBoolean(leading);
        view_.fieldByName("OFFSET").setAsFloat(offset);
        view_.fieldByName("UPDATE").setAsFloat(count);
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
        data::TablesBusyScope busy(state_);
        const std::int32_t pid = Int(view_, "PID");
        const std::int32_t child = Int(view_, "CHILD");
        const bool head = view_.fieldByName("PARENT").asBoolean();
        const std::int32_t self = Int(view_, "CHARTSID");
        const TDateTime selfStart = Real(view_, "SD");
        const TDateTime selfEnd = Real(view_, "ED");
        const double selfCount = NextCount(view_);

        // The neighbours are written through the lookup view before the task
        // itself, so the view's pending edit never meets a record changed
        // under it.
        auto writeNeighbour = [&](const std::function<void(db::Table&)>& change) {
            const double count = NextCount(lookup_);
            lookup_.edit();
            change(lookup_);
            lookup_.fieldByName("UPDATE").setAsFloat(count);
            lookup_.post();
        };

        if (head) {
            if (Find(child)) {
                writeNeighbour([&](db::Table& c) {
                    c.fieldByName("PID").setAsInteger(0);
                    if (Int(c, "CHILD") != 0) {
                        c.fieldByName("PARENT").setAsBoolean(true);
                        c.fieldByName("DGN").setAsInteger(1);
                        const double edge = c.fieldByName("USED").asBoolean() ? selfStart : selfEnd;
                        c.fieldByName("OFFSET").setAsFloat(Real(c, "SD") - edge);
                    } else {
                        c.fieldByName("DG").setAsFloat(0);
                        c.fieldByName("DGN").setAsInteger(0);
                    }
                });
            }
        } else if (pid > 0 && child > 0) {
            bool parentFound = Find(pid);
            const TDateTime parentStart = parentFound ? Real(lookup_, "SD") : 0;
            const TDateTime parentEnd = parentFound ? Real(lookup_, "ED") : 0;
            const std::int32_t parentKey = parentFound ? pid : 0;
            if (Find(child)) {
                writeNeighbour([&](db::Table& c) {
                    c.fieldByName("PID").setAsInteger(parentKey);
                    const double edge = c.fieldByName("USED").asBoolean() ? parentStart : parentEnd;
                    c.fieldByName("OFFSET").setAsFloat(Real(c, "SD") - edge);
                });
                if (parentFound && Find(pid))
                    writeNeighbour([&](db::Table& p) { p.fieldByName("CHILD").setAsInteger(child); });
            }
        } else if (pid > 0 && child == 0) {
            if (Find(pid))
                writeNeighbour([&](db::Table& p) { p.fieldByName("CHILD").setAsInteger(0); });
        }

        view_.refresh();
        view_.locate("CHARTSID", db::Value(static_cast<double>(self)));
        view_.edit();
        if (head) {
            view_.fieldByName("PARENT").setAsBoolean(false);
            view_.fieldByName("CHILD").setAsInteger(0);
        } else if (pid > 0 && child > 0) {
            view_.fieldByName("PID").setAsInteger(0);
            view_.fieldByName("CHILD").setAsInteger(0);
            view_.fieldByName("OFFSET").setAsFloat(0);
        } else if (pid > 0) {
            view_.fieldByName("PID").setAsInteger(0);
            view_.fieldByName("OFFSET").setAsFloat(0);
        }
        view_.fieldByName("DG").setAsFloat(0);
        view_.fieldByName("DGN").setAsInteger(0);
        view_.fieldByName("UPDATE").setAsFloat(selfCount);
        view_.post();
        view_.refresh();
        if (push_)
            push_();
    }
    view_.refresh();
}

}  // namespace tw::schedule
