#include "exchange/exportjobform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "ui_exportjobform.h"

namespace tw::exchange {
namespace {

// The up-down's range: no wrap at either end.
constexpr int kMinCount = 1;
constexpr int kMaxCount = 20;

}  // namespace

TExportJobToQB::TExportJobToQB(qbexport::ExportJobTables tables, qbexport::ExportJobServices services,
                               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      ui_(std::make_unique<Ui::TExportJobToQB>()),
      logic_(tables, std::move(services), *this)
{
    ui_->setupUi(this);
    setFixedSize(393, 534);
    ui_->ExportType->SetItems({QStringLiteral("Single task"), QStringLiteral("Resource summary")});
    ui_->ExportType->SetColumns(2);
    ui_->ExportType->SetItemIndex(qbexport::kSingleTask);
    ui_->StatusBar->AddPane(0);
    ui_->ExportCost->SetTransparent(true);
    const QString countHint = QStringLiteral(
        "Tarnwick finds the QuickBooks item by matching the appointment description with all QuickBooks item "
        "names.\n\nChoose the number of leading characters to match.");
    ui_->MatchingCharCount->setToolTip(countHint);
    ui_->MatchCountUpDown->setToolTip(countHint);
    for (QWidget* w : HintedControls())
        hints_.insert(w, w->toolTip());

    ui_->ExportType->OnClick = [this](controls::TFcControl*) {
        if (clicksEnabled_)
            logic_.ExportTypeClick();
    };
    ui_->ExportCost->OnClick = [this](controls::TFcControl*) {
        if (clicksEnabled_)
            logic_.ExportCostClick();
    };
    connect(ui_->MatchCountUpDown, &controls::UpDownArrows::Clicked, this,
            [this](bool up) { StepMatchCount(up); });
    ui_->ExportJob->OnClick = [this](controls::TFcControl*) { logic_.ExportJobClick(); };
    ui_->CallQBSetup->OnClick = [this](controls::TFcControl*) { logic_.CallQBSetupClick(); };
    ui_->ExportCostHelp->OnClick = [this](controls::TFcControl*) { logic_.ExportCostHelpClick(); };
    ui_->Done->OnClick = [this](controls::TFcControl*) { close(); };
}

TExportJobToQB::~TExportJobToQB() = default;

void TExportJobToQB::Open(int helpLevel, bool restricted)
{
    logic_.Open(helpLevel, restricted);
}

QList<QWidget*> TExportJobToQB::HintedControls() const
{
    return {ui_->ExportCost, ui_->MatchingCharCount, ui_->MatchCountUpDown,
            ui_->ExportJob,  ui_->CallQBSetup,       ui_->Done};
}

void TExportJobToQB::StepMatchCount(bool up)
{
    const int next = std::clamp(position_ + (up ? 1 : -1), kMinCount, kMaxCount);
    if (next == position_ && MatchCountText() == QString::number(next))
        return;
    position_ = next;
    ui_->MatchingCharCount->setText(QString::number(next));
    logic_.MatchCountUpDownClick();
}

void TExportJobToQB::ShowStatus(const QString& text)
{
    ui_->StatusBar->SetPanelText(0, text);
}

void TExportJobToQB::SetHintsShown(bool shown)
{
    for (auto it = hints_.cbegin(); it != hints_.cend(); ++it)
        it.key()->setToolTip(shown ? it.value() : QString());
}

void TExportJobToQB::ShowTask(const qbexport::TaskTexts& texts)
{
    ui_->CustomerToExport->setText(texts.customer);
    ui_->JobToExport->setText(texts.job);
    ui_->TaskToExport->setText(texts.task);
    ui_->StartDateTime->setText(texts.start);
    ui_->EndDateTime->setText(texts.end);
    for (QLineEdit* e : {ui_->CustomerToExport, ui_->JobToExport, ui_->TaskToExport})
        e->setCursorPosition(0);
}

int TExportJobToQB::ExportTypeIndex() const
{
    return ui_->ExportType->ItemIndex();
}

void TExportJobToQB::SetExportTypeIndex(int index)
{
    // Choosing an item from code raises its click; the logic runs what follows itself.
    clicksEnabled_ = false;
    ui_->ExportType->SetItemIndex(index);
    clicksEnabled_ = true;
}

void TExportJobToQB::SetExportTypeEnabled(bool enabled)
{
    ui_->ExportType->setEnabled(enabled);
}

void TExportJobToQB::SetJobPanelEnabled(bool enabled)
{
    ui_->JobPanel->setEnabled(enabled);
}

bool TExportJobToQB::ExportCostChecked() const
{
    return ui_->ExportCost->Checked();
}

void TExportJobToQB::SetExportCostChecked(bool checked)
{
    clicksEnabled_ = false;
    ui_->ExportCost->SetChecked(checked);
    clicksEnabled_ = true;
}

void TExportJobToQB::SetMatchLabelEnabled(bool enabled)
{
    ui_->Label17->setEnabled(enabled);
}

void TExportJobToQB::SetMatchCountEnabled(bool enabled)
{
    ui_->MatchingCharCount->setEnabled(enabled);
    ui_->MatchCountUpDown->setEnabled(enabled);
}

void TExportJobToQB::ShowMatchCount(int count)
{
    position_ = std::clamp(count, kMinCount, kMaxCount);
    ui_->MatchingCharCount->setText(QString::number(count));
}

QString TExportJobToQB::MatchCountText() const
{
    return ui_->MatchingCharCount->text();
}

void TExportJobToQB::SetItemName(const QString& text)
{
    ui_->ItemName->setText(text);
}

void TExportJobToQB::ShowWindow()
{
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = rect();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
}

void TExportJobToQB::RestoreWindow()
{
    showNormal();
    raise();
    activateWindow();
}

void TExportJobToQB::closeEvent(QCloseEvent* event)
{
    logic_.FormClose();
    QWidget::closeEvent(event);
}

}  // namespace tw::exchange
