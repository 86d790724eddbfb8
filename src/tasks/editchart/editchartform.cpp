#include "tasks/editchart/editchartform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "tasks/formvalues.h"
#include "ui_editchartform.h"

#include <QGuiApplication>
#include <QScreen>

#include <QHeaderView>
#include <QMessageBox>

#include <algorithm>
#include <exception>

namespace tw::tasks {

namespace {

// The five right-hand columns keep these widths; the first four share the rest.
constexpr int kFixedWidths[] = {85, 70, 55, 150, 150};

}  // namespace

TEditChart::TEditChart(db::Table& view, db::Table& lookup, data::MainScreenState& state,
                       const data::JobStatusTexts& statusTexts, EditChartHost& host,
                       data::UserInterface& userInterface, EditChartPlace place, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TEditChart>()),
      logic_(view, lookup, state, statusTexts, host, userInterface),
      place_(place)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->StatusBar->AddPane(0);
    // "Done" closes it; the title bar has no buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumSize(800, 450);
    ui->TaskGrid->setModel(&logic_.Model());
    ui->TaskGrid->verticalHeader()->hide();
    ui->TaskGrid->setWordWrap(false);
    hint_ = ui->TaskGrid->toolTip();
    following_ = RadioChoice(ui->DependentFollowing, "DependentFollowing", 2);

    connect(ui->TaskGrid, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Run([&] { logic_.TaskGridCellClick(index.row()); }); });
    connect(ui->TaskGrid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Run([&] { logic_.TaskGridDblClick(index.row()); }); });
    following_.OnClicked(this, [this](int choice) {
        if (!showing_)
            Run([&] { logic_.DependentFollowingClick(choice); });
    });
    connect(ui->RemoveDependency, &controls::TFcControl::clicked, this,
            [this] { Run([&] { logic_.RemoveDependencyClick(); }); });
    connect(ui->Done, &controls::TFcControl::clicked, this, &QDialog::close);
}

TEditChart::~TEditChart() = default;

QPoint TEditChart::OnScreen(QPoint at, QSize size)
{
    const QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return at;
    const QRect area = screen->availableGeometry();
    const int x = std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return {x, y};
}

void TEditChart::Open(int helpLevel)
{
    if (!logic_.Open(helpLevel)) {
        showNormal();
        raise();
        return;
    }
    // The kept place is the frame's (x(), y() on closing); placing the client
    // area there would open the window one title bar higher each time.
    resize(std::max(*place_.Width, 800), std::max(*place_.Height, 450));
    move(OnScreen(QPoint(*place_.Left, *place_.Top), size()));
    ShowState();
    show();
    raise();
    FormResize();
}

void TEditChart::Run(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromUtf8(e.what()));
    }
    ShowState();
}

void TEditChart::ShowState()
{
    showing_ = true;
    const schedule::DependencyButtons& b = logic_.Buttons;
    ui->RemoveDependency->setEnabled(b.RemoveDependencyEnabled);
    ui->DependentFollowing->setEnabled(b.DependentFollowingEnabled);
    following_.SetCheckedId(b.DependentFollowing);
    ui->StatusBar->SetPanelText(0, QString::fromStdString(logic_.StatusBar));
    ui->TaskGrid->setToolTip(logic_.HintShown ? hint_ : QString());
    const int row = logic_.CurrentRow();
    if (row >= 0)
        ui->TaskGrid->selectRow(row);
    showing_ = false;
}

void TEditChart::FormResize()
{
    const int width = ui->TaskGrid->viewport()->width();
    int fixed = 0;
    for (int w : kFixedWidths)
        fixed += w;
    // A narrow window scrolls rather than cutting the captions.
    const int shared = (width - fixed - 5) / 4 - 9;
    for (int c = 0; c < 4; ++c)
        ui->TaskGrid->setColumnWidth(c,
                                     std::max(shared, ui->TaskGrid->horizontalHeader()->sectionSizeHint(c)));
    for (int c = 0; c < 5; ++c)
        ui->TaskGrid->setColumnWidth(4 + c, kFixedWidths[c]);
}

void TEditChart::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TEditChart::Close()
{
    EditChartGeometry kept;
    Run([&] { logic_.FormClose({x(), y(), width(), height()}, kept); });
    if (kept.Width > 0) {
        *place_.Left = kept.Left;
        *place_.Top = kept.Top;
        *place_.Width = kept.Width;
        *place_.Height = kept.Height;
    }
}

void TEditChart::closeEvent(QCloseEvent* event)
{
    Close();
    QDialog::closeEvent(event);
}

void TEditChart::done(int result)
{
    // Escape closes as Done does.
    Close();
    QDialog::done(result);
}

}  // namespace tw::tasks
