#pragma once
// The main window's layout as kept in the registry between runs: its position
// and size, the tasks grid's column widths and the remembered places of a few
// dialogs. Every value is a string holding a decimal integer (pixels) under
// HKEY_LOCAL_MACHINE "Software\Fernhollow\TarnwickX\7.0"; the key is never
// created here, so a missing key means nothing is read or written.
//
// A value that is empty, or that is not a whole number at all (edited by hand,
// written by something else), takes its default: a damaged value must never
// keep the program from starting.

#include <array>
#include <optional>
#include <string>

namespace tw::registry {
class TRegistry;
}

namespace tw::app {

struct WindowLayout {
    // Main window.
    int Top = 115;
    int Height = 758;
    int Width = 927;
    int Left = 58;
    // Tasks grid: set when the first column fills the grid ("tcw3" empty);
    // otherwise TasksGridColumnWidths holds columns 0 to 3.
    bool TasksGridAutoWidth = true;
    std::array<int, 4> TasksGridColumnWidths{110, 100, 75, 0};
    // Task list editor of a job.
    int EditChartHeight = 342;
    int EditChartWidth = 560;
    int EditChartLeft = 10;
    int EditChartTop = 10;
    // Print, e-mail, custom-fields dialogs and the task editor.
    int PrintLeft = 300;
    int PrintTop = 200;
    int EmailLeft = 400;
    int EmailTop = 300;
    int CustomFieldsLeft = 489;
    int CustomFieldsTop = 301;
    int AddTaskTop = 0;
    int AddTaskLeft = 0;
};

inline constexpr const char* kVersionKey = "Software\\Fernhollow\\TarnwickX\\7.0";

// The text as a whole number (blanks around it allowed); nullopt when it is
// empty or not a number that fits an int.
std::optional<int> LayoutNumber(const std::string& text);

// The value as a whole number (blanks around it allowed), or fallback when it
// is missing, empty or not a number that fits an int.
int ReadLayoutValue(const registry::TRegistry& reg, const std::string& name, int fallback);

// Reads every value of the layout; nullopt when the key does not open.
std::optional<WindowLayout> LoadWindowLayout(registry::TRegistry& reg);

// Writes the window and dialog values (not the grid's columns, which the tasks
// grid keeps itself); false when the key does not open. Throws
// std::runtime_error when the settings file cannot be written.
// The tasks grid's column widths "tcw3" to "tcw0"; false when the program's key is missing.
bool SaveTasksGridWidths(registry::TRegistry& reg, const std::array<int, 4>& widths);

bool SaveWindowLayout(registry::TRegistry& reg, const WindowLayout& layout);

}  // namespace tw::app
