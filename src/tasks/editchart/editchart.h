#pragma once
// The job task list ("Task editor") without its window: the schedule records
// selected on the main window with their dependency information, as a table
// model over the main schedule view, and the window's handlers over
// schedule::DependencyEditor. Closing recomputes every task end and rebuilds
// the chart.

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/jobstatus.h"
#include "data/services/mainstate.h"
#include "platform/db/table.h"
#include "schedule/dependencies/dependencyeditor.h"

namespace tw::tasks {

// The list's rows, read from the view when it is refreshed.
class TaskGridModel : public QAbstractTableModel {
public:
    enum Column { Customer, Job, Task, DependsOn, Status, Labor, Hours, Start, End, ColumnCount };

    TaskGridModel(db::Table& view, db::Table& lookup, const data::JobStatusTexts& statusTexts);

    // Re-reads every row; the view keeps its current record.
    void Reload();
    // The record number of a row, 0 when out of range.
    std::uint32_t RecordOf(int row) const;
    int RowOf(std::uint32_t recno) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        std::uint32_t Recno = 0;
        QString Cells[ColumnCount];
    };
    db::Table& view_;
    db::Table& lookup_;
    const data::JobStatusTexts& statusTexts_;
    std::vector<Row> rows_;
};

struct EditChartGeometry {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct EditChartHooks {
    // Opens the task editor on the task with this key, modally.
    std::function<void(std::int32_t key, int status)> EditTask;
    std::function<void()> SaveAndClearAllocations;
    std::function<void()> RecomputeAllTaskEnds;
    std::function<void()> BuildChart;
    std::function<void()> PushChartUpdates;
    std::function<void(bool busy)> SetBusyCursor;
};

class EditChart {
public:
    EditChart(db::Table& view, db::Table& lookup, data::MainScreenState& state,
              const data::JobStatusTexts& statusTexts, EditChartHooks hooks);

    TaskGridModel& Model() { return model_; }
    schedule::DependencyButtons Buttons;
    std::string StatusBar;
    bool HintShown = true;

    // False when the window is open already (it is only restored then).
    bool Open(int helpLevel);
    void TaskGridCellClick(int row);
    void TaskGridDblClick(int row);
    void RemoveDependencyClick();
    void DependentFollowingClick(int choice);
    // Closing: the window's place is kept in geometry.
    void FormClose(const EditChartGeometry& place, EditChartGeometry& geometry);

    bool IsOpen() const { return open_; }
    // The row of the view's current record, -1 when none.
    int CurrentRow() const;

private:
    void Busy(bool on);
    void AfterChange();

    db::Table& view_;
    data::MainScreenState& state_;
    EditChartHooks hooks_;
    TaskGridModel model_;
    schedule::DependencyEditor dependencies_;
    bool open_ = false;
    bool ready_ = false;
};

}  // namespace tw::tasks
