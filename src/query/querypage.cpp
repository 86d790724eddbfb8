#include "query/querypage.h"

#include "controls/base/fcformkeys.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/panels/fcgroupbox.h"
#include "controls/cursormodel.h"
#include "controls/recordnavigator.h"
#include "controls/typedpicker.h"
#include "controls/updownarrows.h"
#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/records/scheduleitemrecord.h"
#include "platform/datetime/localetexts.h"
#include "ui_querypage.h"

#include <QDateEdit>
#include <QEvent>
#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>
#include <exception>

namespace tw::app {

namespace {

using controls::CursorColumn;
using controls::CursorModel;
using controls::FieldColumn;
using controls::RecordNavigator;
using Navigator = query::QueryPageLogic::Navigator;
using Item = data::ScheduleItemRecord;

template <typename T>
const char* ItemField(T Item::*member)
{
    return data::ScheduleItemFieldName(member);
}

CursorColumn DateTimeColumn(const QString& title, const char* field)
{
    return {title, [field](db::Table& record) {
                return QString::fromStdString(
                    data::DateTimeText(data::RoundUpToQuarterHour(record.fieldByName(field).asFloat())));
            }};
}

CursorColumn RateColumn()
{
    const auto text = [](db::Table& record) {
        return QString::number(record.fieldByName("RATE").asCurrency(), 'f', 2);
    };
    return {QStringLiteral("Rate"), text, true};
}

// A cell's editor is open: the grid's editors are the only widgets on its viewport.
bool Typing(const QAbstractItemView* grid)
{
    for (const QWidget* child : grid->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible())
            return true;
    }
    return false;
}

CursorColumn TypedColumn(const QString& title, const std::string& field)
{
    CursorColumn column = FieldColumn(title, field);
    column.Editable = true;
    return column;
}

// The fields the typed columns of the jobs and resources grids write.
constexpr const char* kJobFields[] = {"DESC"};
constexpr const char* kCrewFields[] = {"DESC", "RATE"};

QDate ToQDate(TDateTime value)
{
    const DateFields d = DecodeDate(value);
    return QDate(d.year, d.month, d.day);
}

TDateTime FromQDate(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.day());
}

std::array<QString, RecordNavigator::kButtonCount> Hints(const QString& what, const QString& add,
                                                         const QString& remove)
{
    return {QStringLiteral("First ") + what,
            QStringLiteral("Prior ") + what,
            QStringLiteral("Next ") + what,
            QStringLiteral("Last ") + what,
            add,
            remove};
}

// A choice's items, named as the radio buttons of older forms were
// (prefix0 ..), keeping the item chosen; a new caption raises no click.
void SetChoiceItems(controls::TFcRadioGroup* group, const QStringList& items, const QString& prefix)
{
    const QSignalBlocker quiet(group);
    const int index = group->ItemIndex();
    if (group->Items() != items)
        group->SetItems(items);
    for (int i = 0; i < group->Count(); ++i)
        group->Item(i)->setObjectName(prefix + QString::number(i));
    group->SetItemIndex(index);
}

// Shows a value the program chose: no click, as the user's choice raises.
void ShowChoice(controls::TFcRadioGroup* group, int index)
{
    const QSignalBlocker quiet(group);
    group->SetItemIndex(index);
}

void ShowChecked(controls::TFcCheckBox* box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->SetChecked(checked);
}

bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption)
{
    return QMessageBox::question(parent, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

}  // namespace

TQueryPage::TQueryPage(QueryPageHost& host, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TQueryPage>()),
      host_(host)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    SetChoiceItems(ui->TaskStatus,
                   {QStringLiteral("Awarded"), QStringLiteral("Closed"), QStringLiteral("In progress"),
                    QStringLiteral("None"), QStringLiteral("Not awarded"), QStringLiteral("Pending")},
                   QStringLiteral("TaskStatus"));
    ShowChoice(ui->TaskStatus, 3);
    ui->ResourceDisplay->SetItems({QStringLiteral("All"), QStringLiteral("By task")});
    ui->ResourceDisplay->Item(0)->setObjectName(QStringLiteral("ResourceDisplayAll"));
    ui->ResourceDisplay->Item(1)->setObjectName(QStringLiteral("ResourceDisplayByTask"));
    ShowChoice(ui->ResourceDisplay, 0);
    // The sort items carry their blanks, as the chart's order list shows them.
    SetChoiceItems(ui->ChartSortBy2,
                   {QStringLiteral("Resource"), QStringLiteral("Description    "),
                    QStringLiteral("Start date / time    "), QStringLiteral("Length  "),
                    QStringLiteral("Customer / start date   "), QStringLiteral("Customer / job   "),
                    QStringLiteral("Dependent group    ")},
                   QStringLiteral("ChartSortBy2_"));
    ShowChoice(ui->ChartSortBy2, 0);
    // No caption is cut: the layouts give every captioned control at least
    // the width its caption needs, and the grids give up the rest.
    for (auto* control : findChildren<controls::TFcControl*>()) {
        if (control->Caption().isEmpty() || qobject_cast<controls::TFcGroupBox*>(control))
            continue;
        QSizePolicy policy = control->sizePolicy();
        if (policy.horizontalPolicy() == QSizePolicy::Preferred) {
            policy.setHorizontalPolicy(QSizePolicy::Minimum);
            control->setSizePolicy(policy);
        }
    }

    ui->CustomerNavigator->SetHints(Hints(QStringLiteral("customer"), QStringLiteral("Add a customer"),
                                          QStringLiteral("Remove this customer")));
    ui->CustomerNavigator->SetButtonVisible(RecordNavigator::Insert, false);
    ui->JobsNavigator->SetHints(
        Hints(QStringLiteral("job"), QStringLiteral("Add new job"), QStringLiteral("Remove job")));
    ui->TasksNavigator->SetHints(
        Hints(QStringLiteral("task"), QStringLiteral("Add new task"), QStringLiteral("Remove tasks")));
    ui->CrewsNavigator->SetHints(Hints(QStringLiteral("resource"), QStringLiteral("Add new resource"),
                                       QStringLiteral("Remove resource")));
    const QDate today = QDate::currentDate();
    ui->TaskStartDate->setDate(today);
    ui->TaskEndDate->setDate(today);
    setEnabled(false);
}

TQueryPage::~TQueryPage()
{
    if (moduleViews_ && moduleViews_->QueryPage == this)
        moduleViews_->QueryPage = nullptr;
    for (QTableView* grid : {ui->CustomerGrid, ui->JobsGrid, ui->TasksGrid, ui->CrewsGrid})
        grid->setModel(nullptr);
}

QTableView* TQueryPage::TasksGrid() const
{
    return ui->TasksGrid;
}

QTableView* TQueryPage::CrewsGrid() const
{
    return ui->CrewsGrid;
}

bool TQueryPage::Confirm(const std::string& text, const std::string& caption)
{
    return AskYesNo(this, text, caption);
}

void TQueryPage::Attach(data::TEstimateData& data, data::MainScreenState& state, query::QueryState& query,
                        data::UserInterface& userInterface, query::QueryHost& host)
{
    userInterface_ = &userInterface;
    const query::QueryTables tables{
        data.CustomersTable, data.JobsTable,    data.JobsTable2,   data.JobsTable3,
        data.ChartsTable,    data.ChartsTable2, data.ChartsTable3, data.ChartsTable6,
        data.ChartsTable9,   data.CrewsTable,   data.CrewsTable4,  data.ICrewsTable,
        data.ICrewsTable2,   data.IChartsTable, data.AccessTable,  data};
    logic_ = std::make_unique<query::QueryPageLogic>(
        tables, data.Views(), static_cast<query::QueryView&>(*this), host, query, state, userInterface);
    logic_->SetStatusTexts(statusTexts_);
    // The pickers show dates as the rest of the program writes them.
    const QString dateFormat = QString::fromStdString(locale::QtShortDatePattern());
    ui->TaskStartDate->setDisplayFormat(dateFormat);
    ui->TaskEndDate->setDisplayFormat(dateFormat);
    const TDateTime today = std::floor(tw::Now());
    logic_->SetDatePickers({today, today});

    moduleViews_ = &data.Views();
    moduleViews_->QueryPage = this;

    customers_ =
        new CursorModel(data.CustomersTable, {FieldColumn(QStringLiteral("Customer"), "NAME")}, this);
    jobs_ = new CursorModel(data.JobsTable, {TypedColumn(QStringLiteral("Job"), "DESC")}, this);
    tasks_ = new CursorModel(data.ChartsTable,
                             {FieldColumn(QStringLiteral("Description"), ItemField(&Item::DESC)),
                              FieldColumn(QStringLiteral("Pri. Resource"), ItemField(&Item::TDESC)),
                              DateTimeColumn(QStringLiteral("Start"), ItemField(&Item::SD)),
                              DateTimeColumn(QStringLiteral("End"), ItemField(&Item::ED))},
                             this);
    crews_ = new CursorModel(data.CrewsTable, {TypedColumn(QStringLiteral("Resource"), "DESC"), RateColumn()},
                             this);
    // Typing or F2 starts an edit. A click on the selected row does not: its
    // delayed editor would open under the double click that makes a resource
    // the task's primary one, and take the keys that follow.
    for (QTableView* grid : {ui->JobsGrid, ui->CrewsGrid})
        grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    ConnectGrid(ui->CustomerGrid, customers_, Navigator::Customers);
    ConnectGrid(ui->JobsGrid, jobs_, Navigator::Jobs);
    ConnectGrid(ui->TasksGrid, tasks_, Navigator::Tasks);
    ConnectGrid(ui->CrewsGrid, crews_, Navigator::Crews);
    ConnectNavigator(ui->CustomerNavigator, Navigator::Customers);
    ConnectNavigator(ui->JobsNavigator, Navigator::Jobs);
    ConnectNavigator(ui->TasksNavigator, Navigator::Tasks);
    ConnectNavigator(ui->CrewsNavigator, Navigator::Crews);
    ConnectControls();
    SetTasksGridWidths(tasksAutoWidth_, {110, 90, 135, 135});
    setEnabled(true);
}

// Reads the controls into the logic, runs the work and shows what it left;
// a nested run (a handler the work set off) leaves the showing to the outer one.
// A user's action on the page first posts what was typed into the grids; the
// calls of the rest of the program (the poll among them) leave it typed.
template <typename Work>
void TQueryPage::Run(Work&& work, bool userAction)
{
    if (!logic_)
        return;
    ++runDepth_;
    if (runDepth_ == 1) {
        if (userAction)
            PostTyped();
        ReadControls();
    }
    Guard(std::forward<Work>(work));
    if (--runDepth_ == 0)
        ShowControls();
}

template <typename Work>
bool TQueryPage::Guard(Work&& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        userInterface_->ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        return false;
    }
}

// What was typed into the jobs and resources grids is checked and written
// before anything else of the page runs: the user has left the row.
void TQueryPage::PostTyped()
{
    if (!logic_)
        return;
    const auto post = [this](CursorModel* model, Navigator grid, auto& fields) {
        if (!model->HasTyped())
            return;
        for (const auto& [recNo, cells] : model->TakeTyped()) {
            std::vector<query::QueryPageLogic::TypedField> typed;
            for (const auto& [column, text] : cells) {
                if (column >= 0 && column < static_cast<int>(std::size(fields)))
                    typed.emplace_back(fields[column], text.toStdString());
            }
            Guard([&] { logic_->PostTypedRow(grid, recNo, typed); });
        }
    };
    post(jobs_, Navigator::Jobs, kJobFields);
    post(crews_, Navigator::Crews, kCrewFields);
}

void TQueryPage::ReadControls()
{
    if (ui->TaskStatus->ItemIndex() >= 0)
        logic_->SetTaskStatus(ui->TaskStatus->ItemIndex());
    logic_->SetResourceDisplay(ui->ResourceDisplay->ItemIndex());
    logic_->SetSpecifyWorkingDay(host_.SpecifyWorkingDay());
}

void TQueryPage::ConnectControls()
{
    using Box = bool query::RestrictionBoxes::*;
    const std::pair<controls::TFcCheckBox*, Box> boxes[] = {
        {ui->RestrictTasksToCrew, &query::RestrictionBoxes::RestrictTasksToCrew},
        {ui->RestrictByDate, &query::RestrictionBoxes::RestrictByDate},
        {ui->RestrictToCustomer, &query::RestrictionBoxes::RestrictToCustomer},
        {ui->RestrictToSelectedStatus, &query::RestrictionBoxes::RestrictToSelectedStatus},
        {ui->RestrictToActive, &query::RestrictionBoxes::RestrictToActive},
    };
    for (const auto& [box, member] : boxes) {
        // Any change of state is the user's (a click, Space, an accelerator
        // or a screen reader's toggle): the page sets its boxes quietly.
        connect(box, &controls::TFcControl::clicked, this,
                [this, box, member] { Run([&] { logic_->ClickBox(member, box->Checked()); }); });
    }
    connect(ui->TaskStatus, &controls::TFcControl::clicked, this,
            [this] { Run([this] { logic_->TaskStatusClick(); }); });
    // A typed date counts once it is typed in full.
    controls::TypedPicker::Watch(ui->TaskStartDate, [this] {
        if (showing_)
            return;
        Run([&] {
            query::DatePickers p = logic_->Controls().Pickers;
            p.Start = ComposeDateTime(FromQDate(ui->TaskStartDate->date()), TimePart(p.Start));
            logic_->SetDatePickers(p);
            logic_->TaskStartDateChange();
        });
    });
    controls::TypedPicker::Watch(ui->TaskEndDate, [this] {
        if (showing_)
            return;
        Run([&] {
            query::DatePickers p = logic_->Controls().Pickers;
            p.End = ComposeDateTime(FromQDate(ui->TaskEndDate->date()), TimePart(p.End));
            logic_->SetDatePickers(p);
            logic_->TaskEndDateChange();
        });
    });
    connect(ui->SearchCustom, &controls::TFcControl::clicked, this,
            [this] { Run([this] { logic_->SearchCustomClick(); }); });
    connect(ui->Today, &controls::TFcControl::clicked, this, [this] { Run([this] { logic_->TodayClick(); }); });
    connect(ui->ThisWeek, &controls::TFcControl::clicked, this, [this] { Run([this] { logic_->ThisWeekClick(); }); });
    connect(ui->ThisMonth, &controls::TFcControl::clicked, this,
            [this] { Run([this] { logic_->ThisMonthClick(); }); });
    connect(ui->UpDownDay, &controls::UpDownArrows::Clicked, this,
            [this](bool up) { Run([&] { logic_->UpDownDayClick(up); }); });
    connect(ui->UpDownWeek, &controls::UpDownArrows::Clicked, this,
            [this](bool up) { Run([&] { logic_->UpDownWeekClick(up); }); });
    connect(ui->UpDownMonth, &controls::UpDownArrows::Clicked, this,
            [this](bool up) { Run([&] { logic_->UpDownMonthClick(up); }); });
    connect(ui->ResourceDisplay, &controls::TFcControl::clicked, this,
            [this] { Run([this] { logic_->ResourceDisplayClick(); }); });
    connect(ui->ChartSortBy2, &controls::TFcControl::clicked, this, [this] {
        const int choice = ui->ChartSortBy2->ItemIndex();
        Run([&] { logic_->ChartSortBy2Click(choice); });
    });
    connect(ui->TasksGrid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
        Run([this] { logic_->TasksGridTitleClick(TasksGridWidths()); });
        tasksAutoWidth_ = !logic_->TasksGridColumnsUserSized() && tasksAutoWidth_;
    });
    connect(ui->TasksGrid, &QTableView::clicked, this,
            [this] { Run([this] { logic_->TasksGridCellClick(); }); });
    connect(ui->TasksGrid, &QTableView::doubleClicked, this,
            [this] { Run([this] { logic_->TasksGridDblClick(); }); });
    connect(ui->CrewsGrid, &QTableView::clicked, this,
            [this] { Run([this] { logic_->CrewsGridCellClick(); }); });
    const auto hook = [this](void (QueryPageHost::*handler)()) {
        return [this, handler] { Run([&] { (host_.*handler)(); }); };
    };
    connect(ui->AddResource, &controls::TFcControl::clicked, this, hook(&QueryPageHost::AddResourceClick));
    connect(ui->RemoveResource, &controls::TFcControl::clicked, this,
            hook(&QueryPageHost::RemoveResourceClick));
    connect(ui->CrewsGrid, &QTableView::doubleClicked, this, hook(&QueryPageHost::CrewsGridDblClick));
    connect(ui->CustomerGrid, &QTableView::doubleClicked, this, hook(&QueryPageHost::CustomerGridDblClick));
    connect(ui->TasksCustomFields, &controls::TFcControl::clicked, this,
            hook(&QueryPageHost::TasksCustomFieldsClick));
    connect(ui->CrewsCustomFields, &controls::TFcControl::clicked, this,
            hook(&QueryPageHost::CrewsCustomFieldsClick));
    connect(ui->CrewsGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { SizeCrewsGridColumns(); });
    connect(ui->ImportFromQM, &controls::TFcControl::clicked, this, hook(&QueryPageHost::ImportFromQMClick));
    connect(ui->ExportToQB, &controls::TFcControl::clicked, this, hook(&QueryPageHost::ExportToQBClick));
    connect(ui->ImportFromQB, &controls::TFcControl::clicked, this, hook(&QueryPageHost::ImportFromQBClick));
    for (QTableView* grid : {ui->CustomerGrid, ui->TasksGrid, ui->CrewsGrid})
        grid->installEventFilter(this);
}

void TQueryPage::ConnectNavigator(RecordNavigator* navigator, Navigator which)
{
    using B = query::NavigateButton;
    query::QueryPageLogic* l = logic_.get();
    bool (query::QueryPageLogic::*before)(B) = nullptr;
    void (query::QueryPageLogic::*action)(B) = nullptr;
    void (query::QueryPageLogic::*click)(B) = nullptr;
    switch (which) {
    case Navigator::Customers:
        before = &query::QueryPageLogic::CustomerNavigatorBeforeAction;
        action = &query::QueryPageLogic::CustomerNavigatorAction;
        click = &query::QueryPageLogic::CustomerNavigatorClick;
        break;
    case Navigator::Jobs:
        before = &query::QueryPageLogic::JobsNavigatorBeforeAction;
        action = &query::QueryPageLogic::JobsNavigatorAction;
        click = &query::QueryPageLogic::JobsNavigatorClick;
        break;
    case Navigator::Tasks:
        before = &query::QueryPageLogic::TasksNavigatorBeforeAction;
        action = &query::QueryPageLogic::TasksNavigatorAction;
        click = &query::QueryPageLogic::TasksNavigatorClick;
        break;
    case Navigator::Crews:
        before = &query::QueryPageLogic::CrewsNavigatorBeforeAction;
        action = &query::QueryPageLogic::CrewsNavigatorAction;
        click = &query::QueryPageLogic::CrewsNavigatorClick;
        break;
    }
    // A failure in one step stops the press there: nothing is done on a
    // refusal that could not be checked.
    navigator->BeforeAction = [this, l, before](RecordNavigator::Button b) {
        bool goAhead = false;
        ++runDepth_;
        if (runDepth_ == 1)
            PostTyped();
        ReadControls();
        if (!Guard([&] { goAhead = (l->*before)(static_cast<B>(b)); }))
            goAhead = false;
        --runDepth_;
        return goAhead;
    };
    navigator->Action = [this, l, action](RecordNavigator::Button b) {
        ++runDepth_;
        Guard([&] { (l->*action)(static_cast<B>(b)); });
        --runDepth_;
    };
    navigator->OnClick = [this, l, click](RecordNavigator::Button b) {
        Run([&] { (l->*click)(static_cast<B>(b)); });
    };
}

void TQueryPage::ConnectGrid(QTableView* grid, CursorModel* model, Navigator which)
{
    grid->setModel(model);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, model, which](const QModelIndex& current) {
                if (showing_ || !current.isValid())
                    return;
                Run([&] { logic_->MoveTo(which, model->RecNoOf(current.row())); });
            });
}

void TQueryPage::ShowGrid(QTableView* grid, CursorModel* model)
{
    // A reload would put the record's text back into a cell being typed in.
    if (Typing(grid))
        return;
    model->Reload();
    db::Table& view = model->View();
    const int row = view.active() && !view.eof() ? model->RowOf(view.recNo()) : -1;
    if (row >= 0) {
        // The current cell keeps its column: a click on a rate stays on the rate.
        const QModelIndex cell = model->index(row, std::max(grid->currentIndex().column(), 0));
        if (cell != grid->currentIndex())
            grid->setCurrentIndex(cell);
        grid->scrollTo(cell);
    } else {
        grid->clearSelection();
    }
}

void TQueryPage::ShowControls()
{
    if (!logic_)
        return;
    showing_ = true;
    const query::QueryControls& c = logic_->Controls();
    const query::SelectControlState& s = c.Select;
    const query::RestrictionBoxes& b = c.Boxes;
    ShowChecked(ui->RestrictTasksToCrew, b.RestrictTasksToCrew);
    ShowChecked(ui->RestrictByDate, b.RestrictByDate);
    ShowChecked(ui->RestrictToCustomer, b.RestrictToCustomer);
    ShowChecked(ui->RestrictToSelectedStatus, b.RestrictToSelectedStatus);
    ShowChecked(ui->RestrictToActive, b.RestrictToActive);
    for (controls::TFcCheckBox* box :
         {ui->RestrictTasksToCrew, ui->RestrictByDate, ui->RestrictToCustomer, ui->RestrictToSelectedStatus})
        box->setEnabled(s.RestrictionBoxes);
    ui->TaskStartDate->setDate(ToQDate(c.Pickers.Start));
    ui->TaskEndDate->setDate(ToQDate(c.Pickers.End));
    for (QWidget* w : std::initializer_list<QWidget*>{ui->Today, ui->ThisWeek, ui->ThisMonth,
                                                      ui->TaskStartDate, ui->TaskEndDate})
        w->setEnabled(c.DateControlsEnabled);
    ui->UpDownDay->setEnabled(c.UpDownDay);
    ui->UpDownWeek->setEnabled(c.UpDownWeek);
    ui->UpDownMonth->setEnabled(c.UpDownMonth);
    if (c.TaskStatus >= 0 && c.TaskStatus < ui->TaskStatus->Count())
        ShowChoice(ui->TaskStatus, c.TaskStatus);
    ui->TaskStatus->setEnabled(s.TaskStatus);
    // Until the custom-field window is there to search with, the button waits.
    ui->SearchCustom->setEnabled(s.SearchCustom);

    ui->CustomerGrid->setEnabled(s.CustomerGrid);
    ui->CustomerNavigator->setEnabled(s.CustomerNavigator && !readOnly_);
    ui->JobsGrid->setEnabled(s.JobsGrid);
    ui->JobsNavigator->setEnabled(s.JobsNavigator);
    ui->CrewsGrid->setEnabled(s.CrewsGrid);
    ui->CrewsNavigator->setEnabled(s.CrewsNavigator);
    ui->TasksNavigator->setEnabled(c.TasksNavigatorEnabled);
    ui->TasksNavigator->setVisible(c.TasksNavigatorShown);
    for (RecordNavigator* n : {ui->JobsNavigator, ui->TasksNavigator, ui->CrewsNavigator}) {
        n->SetButtonVisible(RecordNavigator::Insert, !readOnly_);
        n->SetButtonVisible(RecordNavigator::Delete, !readOnly_);
    }
    ui->CustomerNavigator->SetButtonVisible(RecordNavigator::Delete, !readOnly_);
    ui->TasksNavigator->SetButtonVisible(RecordNavigator::Insert, s.TasksNavigatorInsert && !readOnly_);
    ui->CrewsNavigator->SetButtonVisible(RecordNavigator::Insert,
                                         s.CrewsNavigatorInsert && !c.CrewsNavigatorByTask && !readOnly_);
    ui->CrewsNavigator->SetButtonVisible(RecordNavigator::Delete, !c.CrewsNavigatorByTask && !readOnly_);
    ui->AddResource->setEnabled(c.AddResource && !readOnly_);
    ui->RemoveResource->setEnabled(c.RemoveResource && !readOnly_);
    ui->ImportFromQM->setEnabled(s.ImportFromQM && !readOnly_);
    ui->ExportToQB->setEnabled(!readOnly_);
    ui->ImportFromQB->setEnabled(s.ImportFromQB && !readOnly_);
    if (c.ResourceDisplay >= 0 && c.ResourceDisplay < ui->ResourceDisplay->Count())
        ShowChoice(ui->ResourceDisplay, c.ResourceDisplay);

    ui->CustomersLabel->setText(QString::fromStdString(c.CustomersLabel));
    ui->JobsLabel->setText(QString::fromStdString(c.JobsLabel));
    ui->TasksLabel->setText(QString::fromStdString(c.TasksLabel));
    ui->CrewsLabel->setText(QString::fromStdString(c.CrewsLabel));
    if (QWidget* top = window(); top != this)
        top->setWindowTitle(QString::fromStdString(c.Title));

    ShowGrid(ui->CustomerGrid, customers_);
    ShowGrid(ui->JobsGrid, jobs_);
    ShowGrid(ui->TasksGrid, tasks_);
    ShowGrid(ui->CrewsGrid, crews_);
    showing_ = false;
}

void TQueryPage::ApplyCustomerQuery()
{
    Run([this] { logic_->ApplyCustomerQuery(); }, false);
}

void TQueryPage::ShowResourcesOfTask(std::int32_t chartsId)
{
    Run([&] { logic_->ShowResourcesOfTask(chartsId); }, false);
}

bool TQueryPage::RestrictTasksToCrew() const
{
    return logic_ && logic_->RestrictTasksToCrew();
}

void TQueryPage::ApplyQueryFilters()
{
    Run([this] { logic_->ApplyQueryFilters(); }, false);
}

void TQueryPage::UpdateSelectControls()
{
    Run([this] { logic_->UpdateSelectControls(); }, false);
}

void TQueryPage::ResourceDisplayClick()
{
    Run([this] { logic_->ResourceDisplayClick(); }, false);
}

void TQueryPage::SelectExit()
{
    if (!logic_)
        return;
    for (QTableView* grid : {ui->JobsGrid, ui->CrewsGrid}) {
        const QModelIndex cell = grid->currentIndex();
        if (QWidget* editor = grid->indexWidget(cell))
            grid->itemDelegate()->setModelData(editor, grid->model(), cell);
    }
    PostTyped();
    Guard([this] { logic_->SelectExit(); });
}

void TQueryPage::SetJobStatusTexts(const data::JobStatusTexts& texts)
{
    statusTexts_ = texts;
    QStringList items;
    for (int i = 0; i < data::JobStatusTexts::kStatusCount; ++i)
        items << QString::fromStdString(texts.JobStatusName(i));
    SetChoiceItems(ui->TaskStatus, items, QStringLiteral("TaskStatus"));
    if (logic_)
        logic_->SetStatusTexts(texts);
}

void TQueryPage::SetChartSortBy2(int choice)
{
    if (choice >= 0 && choice < ui->ChartSortBy2->Count())
        ShowChoice(ui->ChartSortBy2, choice);
}

void TQueryPage::ApplyReadOnlyAccess(bool readOnly)
{
    readOnly_ = readOnly;
    for (CursorModel* model : {jobs_, crews_}) {
        if (model)
            model->SetEditing(!readOnly);
    }
    ShowControls();
}

void TQueryPage::SetTasksGridWidths(bool autoWidth, const std::array<int, 4>& widths)
{
    tasksAutoWidth_ = autoWidth;
    QHeaderView* header = ui->TasksGrid->horizontalHeader();
    header->setStretchLastSection(false);
    for (int i = 0; i < 4 && i < header->count(); ++i) {
        header->setSectionResizeMode(i, QHeaderView::Interactive);
        header->resizeSection(i, widths[i]);
    }
    FitTasksGridFirstColumn();
}

std::array<int, 4> TQueryPage::TasksGridWidths() const
{
    std::array<int, 4> widths{};
    const QHeaderView* header = ui->TasksGrid->horizontalHeader();
    for (int i = 0; i < 4 && i < header->count(); ++i)
        widths[i] = header->sectionSize(i);
    return widths;
}

// Half the grid for the name and the rate each, less room for a third narrow column.
void TQueryPage::SizeCrewsGridColumns()
{
    QHeaderView* header = ui->CrewsGrid->horizontalHeader();
    const std::array<int, 3> widths = query::CrewsGridWidths(ui->CrewsGrid->width());
    for (int i = 0; i < header->count() && i < static_cast<int>(widths.size()); ++i)
        header->resizeSection(i, widths[i]);
}

// The first column takes what the other three leave of the grid.
void TQueryPage::FitTasksGridFirstColumn()
{
    QHeaderView* header = ui->TasksGrid->horizontalHeader();
    if (tasksAutoWidth_ && header->count() > 0)
        header->setSectionResizeMode(0, QHeaderView::Stretch);
}

bool TQueryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (logic_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in a cell being typed in ends the typing; the grid's own Enter refreshes.
        const auto* grid = qobject_cast<QAbstractItemView*>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(grid && Typing(grid))) {
            bool handled = false;
            Run([&] { handled = logic_->EnterKey(); });
            if (handled)
                return true;
        }
    }
    if (logic_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool in = event->type() == QEvent::FocusIn;
        query::QueryPageLogic& l = *logic_;
        if (watched == ui->CustomerGrid) {
            if (in)
                l.CustomerGridEnter();
            else
                Run([&] { l.CustomerGridExit(); });
        } else if (watched == ui->TasksGrid) {
            if (in)
                l.TasksGridEnter();
            else
                Guard([&] { l.TasksGridExit(); });
        } else if (watched == ui->CrewsGrid) {
            if (in)
                l.CrewsGridEnter();
            else
                Guard([&] { l.CrewsGridExit(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tw::app
