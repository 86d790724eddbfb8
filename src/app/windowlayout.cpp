#include "app/windowlayout.h"

#include "platform/registry/registry.h"

#include <charconv>

namespace tw::app {

std::optional<int> LayoutNumber(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const size_t end = text.find_last_not_of(" \t") + 1;
    if (text[begin] == '+')
        ++begin;
    int value = 0;
    const char* last = text.data() + end;
    const auto [ptr, ec] = std::from_chars(text.data() + begin, last, value);
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return value;
}

int ReadLayoutValue(const registry::TRegistry& reg, const std::string& name, int fallback)
{
    return LayoutNumber(reg.ReadString(name)).value_or(fallback);
}

namespace {

// The window and dialog values, in the order the shutdown writes them.
struct LayoutValue {
    const char* name;
    int WindowLayout::*member;
};
constexpr LayoutValue kLayoutValues[] = {
    {"Height", &WindowLayout::Height},        {"Top", &WindowLayout::Top},
    {"Width", &WindowLayout::Width},          {"Left", &WindowLayout::Left},
    {"ECHS", &WindowLayout::EditChartHeight}, {"ECWS", &WindowLayout::EditChartWidth},
    {"ECLS", &WindowLayout::EditChartLeft},   {"ECTS", &WindowLayout::EditChartTop},
    {"pfl", &WindowLayout::PrintLeft},        {"pft", &WindowLayout::PrintTop},
    {"emfl", &WindowLayout::EmailLeft},       {"emft", &WindowLayout::EmailTop},
    {"cfl", &WindowLayout::CustomFieldsLeft}, {"cft", &WindowLayout::CustomFieldsTop},
    {"attops", &WindowLayout::AddTaskTop},    {"atlefts", &WindowLayout::AddTaskLeft},
};

}  // namespace

std::optional<WindowLayout> LoadWindowLayout(registry::TRegistry& reg)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kVersionKey, false))
        return std::nullopt;
    WindowLayout l;
    for (const LayoutValue& v : kLayoutValues)
        l.*v.member = ReadLayoutValue(reg, v.name, l.*v.member);

    // A usable "tcw3" means the user sized the columns; without it the first
    // column fills the grid and the other three widths are not looked at.
    const std::optional<int> column3 = LayoutNumber(reg.ReadString("tcw3"));
    l.TasksGridAutoWidth = !column3;
    if (column3) {
        l.TasksGridColumnWidths[3] = *column3;
        l.TasksGridColumnWidths[2] = ReadLayoutValue(reg, "tcw2", 75);
        l.TasksGridColumnWidths[1] = ReadLayoutValue(reg, "tcw1", 100);
        l.TasksGridColumnWidths[0] = ReadLayoutValue(reg, "tcw0", 110);
    }
    return l;
}

bool SaveTasksGridWidths(registry::TRegistry& reg, const std::array<int, 4>& widths)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kVersionKey, false))
        return false;
    for (int column = 3; column >= 0; --column)
        reg.WriteString("tcw" + std::to_string(column), std::to_string(widths[column]));
    return true;
}

bool SaveWindowLayout(registry::TRegistry& reg, const WindowLayout& l)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kVersionKey, false))
        return false;
    for (const LayoutValue& v : kLayoutValues)
        reg.WriteString(v.name, std::to_string(l.*v.member));
    return true;
}

}  // namespace tw::app
