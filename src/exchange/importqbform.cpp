#include "exchange/importqbform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include <exception>

#include "controls/buttons/fcbitbtn.h"
#include "controls/status/fcprogressbar.h"
#include "platform/datetime/localetexts.h"
#include "ui_importqbform.h"

namespace tw::exchange {
namespace {

enum Column { kIndex, kCustomer, kJob, kTask, kStatus, kStart, kEnd, kLevel };
constexpr int kDateRole = Qt::UserRole;

// A row sorts by what each column shows: numbers by number, dates by date
// with "No date" after every date, texts without regard to letter case.
class JobRowItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        switch (column) {
        case kIndex:
        case kLevel: return text(column).toInt() < other.text(column).toInt();
        case kStart:
        case kEnd: {
            const QDate a = data(column, kDateRole).toDate();
            const QDate b = other.data(column, kDateRole).toDate();
            if (a.isValid() != b.isValid())
                return a.isValid();
            return a < b;
        }
        default: return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
        }
    }
};

QString DateText(const std::optional<QDate>& date)
{
    if (!date)
        return QStringLiteral("No date");
    return QString::fromStdString(locale::DateToStr(EncodeDate(date->year(), date->month(), date->day())));
}

}  // namespace

TImportQB::TImportQB(data::TEstimateData& data, data::RecordKeys& keys, const ImportQBHosts& hosts,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      ui_(std::make_unique<Ui::TImportQB>()),
      logic_(std::make_unique<ImportQBLogic>(data, keys, hosts, *this)),
      exchange_(hosts.Exchange)
{
    ui_->setupUi(this);
    Ui::TImportQB& u = *ui_;
    struct Caption {
        controls::TFcControl* control;
        const char* caption;
        const char* hint;
    };
    const Caption captions[] = {
        {u.JobImportPanel, "Import jobs", ""},
        {u.ShowQBCustomers, "Show QB customer jobs",
         "Show QuickBooks customers and jobs depending on job status"},
        {u.ListOptions, "Show customer jobs of job status type",
         "Select types of jobs you would like to see"},
        {u.ImportQBJobPanel, "", ""},
        {u.ImportQBJob, "Import selected job", "Import the job selected below"},
        {u.Done, "Done", "Close this window"},
        {u.ImportAllQBJobs, "Import all jobs listed", "Import all jobs listed above"},
        {u.OtherImportsPanel, "Other imports ", ""},
        {u.ImportEmployees, "Import employee list", "Import QuickBooks employee list to Tarnwick resources"},
        {u.ImportCustomers, "Import customers", "Import QuickBooks customer list into Tarnwick customers"},
        {u.ImportCustomerFields, "Import customer\ncustom fields",
         "Import QuickBooks customer custom fields"},
        {u.ImportEmployeeFields, "Import employee\ncustom fields",
         "Import QuickBooks employee custom fields"},
    };
    for (const Caption& c : captions) {
        c.control->SetCaption(QString::fromUtf8(c.caption));
        c.control->SetHint(QString::fromUtf8(c.hint));
    }
    u.HourlyRate->setToolTip(QStringLiteral("Select the average hourly rate"));
    u.CustomerList->setToolTip(QStringLiteral("Click on column heading to sort"));
    u.ListOptions->SetColumns(4);
    u.ListOptions->SetTransparent(true);
    u.ListOptions->SetItems({QStringLiteral("Pending"), QStringLiteral("Awarded"),
                             QStringLiteral("In progress"), QStringLiteral("Closed"),
                             QStringLiteral("Not awarded"), QStringLiteral("Inactive"),
                             QStringLiteral("None")});
    for (int i = 0; i < 7; ++i)
        u.ListOptions->SetItemChecked(i, true);
    u.StatusBar->AddPane(0);
    // The buttons lie on the form over the group box that frames them.
    u.ImportAllQBJobs->raise();
    u.Done->raise();

    QTreeWidget* list = u.CustomerList;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    // Grid lines, and a selection that stays visible while another window is active.
    // Grid lines, a selection that stays visible while another window is
    // active, and the form's small dialog font, so that every heading fits its column.
    list->setStyleSheet(QStringLiteral("QTreeView { font-size: 11px; }"
                                       "QHeaderView::section { font-size: 10px; padding: 1px 1px; }"
                                       "QTreeView::item { border-right: 1px solid #d0d0d0; "
                                       "border-bottom: 1px solid #d0d0d0; }"
                                       "QTreeView::item:selected { background: #3171c4; color: white; }"));
    list->setHeaderLabels({QStringLiteral("Index"), QStringLiteral("Customer name"), QStringLiteral("Job"),
                           QStringLiteral("Task desc"), QStringLiteral("Job status"), QStringLiteral("Start"),
                           QStringLiteral("Projected end"), QStringLiteral("Level")});
    const int widths[] = {40, 100, 125, 215, 75, 70, 60, 23};
    for (int c = 0; c < 8; ++c)
        list->setColumnWidth(c, widths[c]);
    list->setSortingEnabled(true);
    list->sortByColumn(kIndex, Qt::AscendingOrder);

    for (QWidget* w : HintedControls())
        hints_.insert(w, w->toolTip());

    const auto run = [this](void (ImportQBLogic::*handler)()) {
        return [this, handler](controls::TFcControl*) { Run([&] { (logic_.get()->*handler)(); }); };
    };
    u.ShowQBCustomers->OnClick = run(&ImportQBLogic::ShowQBCustomersClick);
    u.ImportQBJob->OnClick = run(&ImportQBLogic::ImportQBJobClick);
    u.ImportAllQBJobs->OnClick = run(&ImportQBLogic::ImportAllQBJobsClick);
    u.ImportEmployees->OnClick = run(&ImportQBLogic::ImportEmployeesClick);
    u.ImportCustomers->OnClick = run(&ImportQBLogic::ImportCustomersClick);
    u.ImportCustomerFields->OnClick = run(&ImportQBLogic::ImportCustomerFieldsClick);
    u.ImportEmployeeFields->OnClick = run(&ImportQBLogic::ImportEmployeeFieldsClick);
    u.Done->OnClick = [this](controls::TFcControl*) { close(); };

    progress_ = new QDialog(
        this, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    progress_->setObjectName(QStringLiteral("ImportProgress"));
    progress_->setWindowTitle(QStringLiteral("Import from QuickBooks"));
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setFixedSize(320, 96);
    progressBar_ = new controls::TFcProgressBar(progress_);
    progressBar_->setGeometry(16, 16, 288, 20);
    progressText_ = new QLabel(progress_);
    progressText_->setGeometry(16, 48, 180, 25);
    stop_ = new controls::TFcBitBtn(progress_);
    stop_->setObjectName(QStringLiteral("Stop"));
    stop_->SetCaption(QStringLiteral("Stop"));
    stop_->setGeometry(229, 48, 75, 25);
    stop_->OnClick = [this](controls::TFcControl*) { stopPressed_ = true; };
}

TImportQB::~TImportQB() = default;

template <typename Work>
void TImportQB::Run(Work&& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        EndProgress();
        exchange_.Messages().ShowStopMessage(QString::fromLocal8Bit(e.what()), QStringLiteral("Tarnwick"));
    }
}

void TImportQB::Open(int helpLevel)
{
    if (plotColour_.isValid()) {
        QPalette palette = ui_->CustomerList->palette();
        palette.setColor(QPalette::Base, plotColour_);
        ui_->CustomerList->setPalette(palette);
    }
    logic_->Open(helpLevel);
}

QList<QWidget*> TImportQB::HintedControls() const
{
    const Ui::TImportQB& u = *ui_;
    return {
        u.ImportEmployees, u.ImportCustomers, u.ImportCustomerFields, u.ImportEmployeeFields, u.CustomerList,
        u.ShowQBCustomers, u.HourlyRate,      u.ImportQBJob,          u.ListOptions,          u.Done,
        u.ImportAllQBJobs};
}

void TImportQB::ShowStatus(const QString& text)
{
    ui_->StatusBar->SetPanelText(0, text);
}

void TImportQB::BeginProgress(int total)
{
    progressTotal_ = total;
    stopPressed_ = false;
    progressShown_ = false;
    progressClock_.start();
    progressBar_->SetTotalParts(static_cast<std::uint32_t>(std::max(total, 1)));
    progressBar_->SetPartsComplete(0);
}

bool TImportQB::StepProgress(int done)
{
    if (!progressShown_ && progressClock_.isValid() && progressClock_.elapsed() >= progressDelay_) {
        progressShown_ = true;
        progress_->move(geometry().center() - QPoint(progress_->width() / 2, progress_->height() / 2));
        progress_->show();
    }
    if (progressShown_) {
        progressBar_->SetPartsComplete(static_cast<std::uint32_t>(std::max(done, 0)));
        progressText_->setText(QStringLiteral("%1 of %2").arg(done).arg(progressTotal_));
        // Stop can only be pressed while the run lets the window's events through.
        QApplication::processEvents();
    }
    return !stopPressed_;
}

void TImportQB::EndProgress()
{
    progressShown_ = false;
    progressClock_.invalidate();
    progress_->hide();
}

bool TImportQB::ListOptionChecked(int item) const
{
    return ui_->ListOptions->ItemChecked(item);
}

void TImportQB::SetListOptionCaption(int item, const QString& caption)
{
    QStringList items = ui_->ListOptions->Items();
    if (item < 0 || item >= items.size() || items[item] == caption)
        return;
    // New items come unticked: the boxes keep what the user chose.
    std::vector<bool> checked;
    for (int i = 0; i < items.size(); ++i)
        checked.push_back(ui_->ListOptions->ItemChecked(i));
    items[item] = caption;
    ui_->ListOptions->SetItems(items);
    for (int i = 0; i < items.size(); ++i)
        ui_->ListOptions->SetItemChecked(i, checked[static_cast<std::size_t>(i)]);
}

QString TImportQB::HourlyRateText() const
{
    return ui_->HourlyRate->text();
}

void TImportQB::SetHourlyRateText(const QString& text)
{
    ui_->HourlyRate->setText(text);
}

void TImportQB::SetEmployeesEnabled(bool enabled)
{
    ui_->ImportEmployees->setEnabled(enabled);
}

void TImportQB::SetHintsShown(bool shown)
{
    for (auto it = hints_.constBegin(); it != hints_.constEnd(); ++it)
        it.key()->setToolTip(shown ? it.value() : QString());
}

void TImportQB::ReloadRows()
{
    QTreeWidget* list = ui_->CustomerList;
    list->setUpdatesEnabled(false);
    list->setSortingEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(logic_->Rows().size()));
    for (const QBJobRow& row : logic_->Rows()) {
        auto* item = new JobRowItem(QStringList{QString::number(row.Index), row.Customer, row.Job, row.Task,
                                                row.StatusText, DateText(row.Start),
                                                DateText(row.ProjectedEnd), QString::number(row.Level)});
        if (row.Start)
            item->setData(kStart, kDateRole, *row.Start);
        if (row.ProjectedEnd)
            item->setData(kEnd, kDateRole, *row.ProjectedEnd);
        items.append(item);
    }
    list->addTopLevelItems(items);
    list->setSortingEnabled(true);
    list->setUpdatesEnabled(true);
}

std::optional<int> TImportQB::SelectedIndex() const
{
    const QList<QTreeWidgetItem*> selected = ui_->CustomerList->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.front()->text(kIndex).toInt();
}

std::vector<int> TImportQB::ShownIndexes() const
{
    std::vector<int> indexes;
    QTreeWidget* list = ui_->CustomerList;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        indexes.push_back(list->topLevelItem(i)->text(kIndex).toInt());
    return indexes;
}

void TImportQB::PlaceWindow(int left)
{
    move(left, y());
}

void TImportQB::LayOut()
{
    Ui::TImportQB& u = *ui_;
    const ImportQBLayout l = FormResize(width(), height(), u.CustomerList->columnWidth(kIndex));
    if (l.windowWidth != width() || l.windowHeight != height()) {
        resize(l.windowWidth, l.windowHeight);  // comes back through resizeEvent
        return;
    }
    u.JobImportPanel->resize(l.jobPanelWidth, l.jobPanelHeight);
    u.CustomerList->resize(l.listWidth, l.listHeight);
    u.ImportAllQBJobs->move(u.ImportAllQBJobs->x(), l.importAllTop);
    u.OtherImportsPanel->move(u.OtherImportsPanel->x(), l.otherPanelTop);
    u.Done->move(u.Done->x(), l.doneTop);
    u.StatusBar->move(u.StatusBar->x(), l.statusBarTop);
    for (int c = kCustomer; c <= kLevel; ++c)
        u.CustomerList->setColumnWidth(c, l.columns[static_cast<std::size_t>(c)]);
}

void TImportQB::ShowWindow()
{
    show();
    raise();
}

void TImportQB::RestoreWindow()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
}

void TImportQB::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TImportQB::closeEvent(QCloseEvent* event)
{
    logic_->FormClose();
    ui_->CustomerList->clear();
    QWidget::closeEvent(event);
}

}  // namespace tw::exchange
