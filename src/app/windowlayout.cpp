#include "app/windowlayout.h"

#include "platform/registry/registry.h"

#include <charconv>
#include <utility>

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

std::optional<WindowLayout> LoadWindowLayout(registry::TRegistry& reg)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kVersionKey, false))
        return std::nullopt;
    WindowLayout l;
    l.Top = ReadLayoutValue(reg, "Top", l.Top);
    l.Height = ReadLayoutValue(reg, "Height", l.Height);
    l.Width = ReadLayoutValue(reg, "Width", l.Width);
    l.Left = ReadLayoutValue(reg, "Left", l.Left);

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

    l.EditChartHeight = ReadLayoutValue(reg, "ECHS", l.EditChartHeight);
    l.EditChartWidth = ReadLayoutValue(reg, "ECWS", l.EditChartWidth);
    l.EditChartLeft = ReadLayoutValue(reg, "ECLS", l.EditChartLeft);
    l.EditChartTop = ReadLayoutValue(reg, "ECTS", l.EditChartTop);
    l.PrintLeft = ReadLayoutValue(reg, "pfl", l.PrintLeft);
    l.PrintTop = ReadLayoutValue(reg, "pft", l.PrintTop);
    l.EmailLeft = ReadLayoutValue(reg, "emfl", l.EmailLeft);
    l.EmailTop = ReadLayoutValue(reg, "emft", l.EmailTop);
    l.CustomFieldsLeft = ReadLayoutValue(reg, "cfl", l.CustomFieldsLeft);
    l.CustomFieldsTop = ReadLayoutValue(reg, "cft", l.CustomFieldsTop);
    l.AddTaskTop = ReadLayoutValue(reg, "attops", l.AddTaskTop);
    l.AddTaskLeft = ReadLayoutValue(reg, "atlefts", l.AddTaskLeft);
    return l;
}

bool SaveWindowLayout(registry::TRegistry& reg, const WindowLayout& l)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kVersionKey, false))
        return false;
    const std::pair<const char*, int> values[] = {
        {"Height", l.Height}, {"Top", l.Top}, {"Width", l.Width}, {"Left", l.Left},
        {"ECHS", l.EditChartHeight}, {"ECWS", l.EditChartWidth}, {"ECLS", l.EditChartLeft},
        {"ECTS", l.EditChartTop}, {"pfl", l.PrintLeft}, {"pft", l.PrintTop},
        {"emfl", l.EmailLeft}, {"emft", l.EmailTop}, {"cfl", l.CustomFieldsLeft},
        {"cft", l.CustomFieldsTop}, {"attops", l.AddTaskTop}, {"atlefts", l.AddTaskLeft},
    };
    for (const auto& [name, value] : values)
        reg.WriteString(name, std::to_string(value));
    return true;
}

}  // namespace tw::app
