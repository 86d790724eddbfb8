#include "tasks/editchart/editchart.h"

#include "data/services/busyscopes.h"
#include <cstdio>

#include "data/currency.h"
#include "data/datetimetext.h"
#include "data/records/scheduleitemrecord.h"
#include "data/textroutines.h"

namespace tw::tasks {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

QString Text(const std::string& s)
{
    return QString::fromStdString(data::TrimBlanks(s));
}

}  // namespace

TaskGridModel::TaskGridModel(db::Table& view, db::Table& lookup, const data::JobStatusTexts& statusTexts)
    : view_(view),
      lookup_(lookup),
      statusTexts_(statusTexts)
{}

void TaskGridModel::Reload()
{
    beginResetModel();
    rows_.clear();
    if (view_.active()) {
        const std::uint32_t current = view_.recNo();
        view_.refresh();
        lookup_.refresh();
        using Item = ScheduleItemRecord;
        const db::Field custName = ScheduleItemField(view_, &Item::CUSTNAME),
                        jobName = ScheduleItemField(view_, &Item::JOBNAME),
                        desc = ScheduleItemField(view_, &Item::DESC),
                        pid = ScheduleItemField(view_, &Item::PID),
                        isParent = ScheduleItemField(view_, &Item::PARENT),
                        status = ScheduleItemField(view_, &Item::BIDID),
                        cost = ScheduleItemField(view_, &Item::TCOST),
                        taskHours = ScheduleItemField(view_, &Item::HOURS),
                        sd = ScheduleItemField(view_, &Item::SD), ed = ScheduleItemField(view_, &Item::ED);
        for (view_.first(); !view_.eof(); view_.next()) {
            Row row;
            row.Recno = view_.recNo();
            row.Cells[Customer] = Text(custName.asString());
            row.Cells[Job] = Text(jobName.asString());
            row.Cells[Task] = Text(desc.asString());
            const std::int32_t parent = pid.asInteger();
            if (isParent.asBoolean())
                row.Cells[DependsOn] = QStringLiteral("Is parent");
            else if (parent != 0 && data::LocateScheduleItem(lookup_, parent))
                row.Cells[DependsOn] = Text(ScheduleItemField(lookup_, &Item::DESC).asString());
            row.Cells[Status] = QString::fromStdString(statusTexts_.JobStatusName(status.asInteger()));
            row.Cells[Labor] = QString::fromStdString(Currency::FromDouble(cost.asCurrency()).ToText(2));
            char hours[32];
            std::snprintf(hours, sizeof hours, "%.2f", taskHours.asFloat());
            row.Cells[Hours] = QString::fromLatin1(hours);
            row.Cells[Start] = QString::fromStdString(data::DateTimeText(sd.asFloat()));
            row.Cells[End] = QString::fromStdString(data::DateTimeText(ed.asFloat()));
            rows_.push_back(std::move(row));
        }
        if (current != 0)
            view_.goTo(current);
        else
            view_.first();
    }
    endResetModel();
}

std::uint32_t TaskGridModel::RecordOf(int row) const
{
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)].Recno : 0;
}

int TaskGridModel::RowOf(std::uint32_t recno) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Recno == recno)
            return static_cast<int>(i);
    return -1;
}

int TaskGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TaskGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TaskGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return rows_[static_cast<std::size_t>(index.row())].Cells[index.column()];
    if (role == Qt::TextAlignmentRole && (index.column() == Labor || index.column() == Hours))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TaskGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kTitles[ColumnCount] = {
        "Customer", "Job", "Task", "Is dependent on", "Status", "T. Labor", "Hours", "Start", "End"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(kTitles[section]);
    return {};
}

EditChart::EditChart(db::Table& view, db::Table& lookup, data::MainScreenState& state,
                     const data::JobStatusTexts& statusTexts, EditChartHost& host, data::UserInterface& ui)
    : view_(view),
      state_(state),
      host_(host),
      ui_(ui),
      model_(view, lookup, statusTexts),
      dependencies_(view, lookup, state, [this] { host_.PushChartUpdates(); })
{}

bool EditChart::Open(int helpLevel)
{
    if (open_)
        return false;
    const data::BusyScope hourglass(ui_);
    StatusBar.clear();
    Buttons = {};
    if (helpLevel == 1)
        HintShown = false;
    else if (helpLevel == 0)
        HintShown = true;
    ready_ = true;
    model_.Reload();
    open_ = true;
    return true;
}

int EditChart::CurrentRow() const
{
    return view_.active() ? model_.RowOf(view_.recNo()) : -1;
}

void EditChart::TaskGridCellClick(int row)
{
    const std::uint32_t recno = model_.RecordOf(row);
    if (!open_ || recno == 0)
        return;
    view_.goTo(recno);
    const int before = Buttons.DependentFollowing;
    Buttons = dependencies_.UpdateDependencyButtons();
    // A changed choice counts as the user's click.
    if (Buttons.DependentFollowing != before && Buttons.DependentFollowingEnabled)
        DependentFollowingClick(Buttons.DependentFollowing);
}

void EditChart::TaskGridDblClick(int row)
{
    const std::uint32_t recno = model_.RecordOf(row);
    if (!open_ || recno == 0)
        return;
    view_.goTo(recno);
    if (ScheduleItemField(view_, &ScheduleItemRecord::JOB).asBoolean()) {
        StatusBar = "You are not allowed to edit a job";
        return;
    }
    StatusBar.clear();
    host_.EditTask(ScheduleItemField(view_, &ScheduleItemRecord::CHARTSID).asInteger(),
                   ScheduleItemField(view_, &ScheduleItemRecord::BIDID).asInteger());
    AfterChange();
}

void EditChart::RemoveDependencyClick()
{
    if (!open_ || view_.isEmpty())
        return;
    {
        const data::BusyScope hourglass(ui_);
        dependencies_.RemoveDependencyClick();
    }
    AfterChange();
}

void EditChart::DependentFollowingClick(int choice)
{
    if (!ready_ || view_.isEmpty())
        return;
    dependencies_.DependentFollowingClick(choice);
    Buttons.DependentFollowing = choice;
    AfterChange();
}

// The list shows the records as written; the current record stays current.
void EditChart::AfterChange()
{
    const std::uint32_t current = view_.recNo();
    model_.Reload();
    if (current != 0)
        view_.goTo(current);
    if (!view_.isEmpty())
        Buttons = dependencies_.UpdateDependencyButtons();
}

void EditChart::FormClose(const EditChartGeometry& place, EditChartGeometry& geometry)
{
    if (!open_)
        return;
    const data::BusyScope hourglass(ui_);
    view_.refresh();
    open_ = false;
    ready_ = false;
    geometry = place;
    host_.RecomputeAllTaskEnds();
    host_.BuildChart();
}

}  // namespace tw::tasks
