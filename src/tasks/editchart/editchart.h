#pragma once
// The job task list ("Task editor") without its window: the schedule records
// selected on the main window with their dependency information, as a table
// model over the main schedule view, and the window's handlers over
// schedule::DependencyEditor. Closing recomputes every task end and rebuilds
// the chart.
//
//   EditChart list(view, lookup, state, statusTexts, host, ui);
//   list.Open(helpLevel);
//   list.TaskGridDblClick(row);   // host.EditTask(key, status) unless the row is a job

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

#include "data/jobstatus.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
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

// What the task list reaches of the rest of the program: the task editor,
// the chart and the shared schedule. The task editor feature implements it.
class EditChartHost {
public:
    virtual ~EditChartHost() = default;

    // The task editor on the task with this key, modally.
    virtual void EditTask(std::int32_t key, int status) = 0;
    virtual void RecomputeAllTaskEnds() = 0;
    virtual void BuildChart() = 0;
    // A dependency edit goes to the shared schedule.
    virtual void PushChartUpdates() = 0;
};

class EditChart {
public:
    // ui: the hourglass while a step runs.
    EditChart(db::Table& view, db::Table& lookup, data::MainScreenState& state,
              const data::JobStatusTexts& statusTexts, EditChartHost& host, data::UserInterface& ui);

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
    void AfterChange();

    db::Table& view_;
    data::MainScreenState& state_;
    EditChartHost& host_;
    data::UserInterface& ui_;
    TaskGridModel model_;
    schedule::DependencyEditor dependencies_;
    bool open_ = false;
    bool ready_ = false;
};

}  // namespace tw::tasks
