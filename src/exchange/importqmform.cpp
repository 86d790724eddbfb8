#include "exchange/importqmform.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>

#include "controls/cursormodel.h"
#include "data/textroutines.h"
#include "platform/datetime/localetexts.h"
#include "ui_importqmform.h"

namespace tw::exchange {

namespace {

using controls::CursorColumn;
using controls::FieldColumn;

constexpr int kDateColumnWidth = 64;
constexpr int kNumberColumnWidth = 60;
constexpr int kApprovedColumnWidth = 72;

// A strip of two cells, normal and disabled: a sheet with an arrow into it.
QImage ImportGlyph()
{
    QImage strip(64, 32, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 2; ++cell) {
        const bool enabled = cell == 0;
        p.save();
        p.translate(cell * 32, 0);
        p.setPen(QPen(enabled ? QColor(40, 60, 110) : QColor(150, 150, 150), 1.5));
        p.setBrush(enabled ? QColor(250, 248, 235) : QColor(225, 225, 225));
        p.drawRect(QRectF(12.5, 4.5, 16, 23));
        p.setBrush(enabled ? QColor(30, 130, 60) : QColor(160, 160, 160));
        QPainterPath arrow;
        arrow.moveTo(2, 13);
        arrow.lineTo(12, 13);
        arrow.lineTo(12, 8);
        arrow.lineTo(21, 16);
        arrow.lineTo(12, 24);
        arrow.lineTo(12, 19);
        arrow.lineTo(2, 19);
        arrow.closeSubpath();
        p.drawPath(arrow);
        p.restore();
    }
    return strip;
}

// A check mark in the same two states.
QImage DoneGlyph()
{
    QImage strip(32, 16, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 2; ++cell) {
        p.setPen(QPen(cell == 0 ? QColor(30, 130, 60) : QColor(150, 150, 150), 2.5, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        const int x = cell * 16;
        p.drawPolyline(QPolygonF({QPointF(x + 3, 8), QPointF(x + 6.5, 12), QPointF(x + 13, 4)}));
    }
    return strip;
}

QString Trimmed(db::Table& t, const char* field)
{
    return QString::fromStdString(data::TrimBlanks(t.fieldByName(field).asString()));
}

}  // namespace

TImportQM::TImportQM(quillmark::QuillmarkTables& tables, quillmark::ScheduleCursors schedule,
                     quillmark::BidImportHost& host, ExchangeMessages& messages, ExchangeBusyHooks& busy,
                     data::RecordKeys& keys, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      ui_(std::make_unique<Ui::TImportQM>()),
      tables_(tables),
      services_{tables, schedule, host, *this, messages, busy, keys},
      browser_(tables, *this, busy)
{
    ui_->setupUi(this);
    setMinimumSize(quillmark::kImportQMMinimumSize);
    ui_->ImportFromQM->SetGlyph(ImportGlyph());
    ui_->ImportFromQM->SetLayout(controls::blGlyphTop);
    ui_->Done->SetGlyph(DoneGlyph());
    ui_->RestrictToActive->SetTransparent(true);
    ui_->RestrictToApproved->SetTransparent(true);
    // The bid's state, then the section's; their width follows the window.
    for (int i = 0; i < 2; ++i) {
        panels_[i] = ui_->StatusBar->AddPane(200);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    }

    companyModel_ =
        new controls::CursorModel(tables.CompanyTable, {FieldColumn(QStringLiteral("Customer"), "NAME")}, this);
    bidModel_ = new controls::CursorModel(
        tables.BidTable,
        {FieldColumn(QStringLiteral("Description"), "DESC"),
         CursorColumn{QStringLiteral("Date"),
                      [](db::Table& t) {
                          const double day = t.fieldByName("DATE").asDate();
                          return day == 0 ? QString() : QString::fromStdString(tw::locale::DateToStr(day));
                      }},
         CursorColumn{QStringLiteral("No."), [](db::Table& t) { return Trimmed(t, "BIDNO"); }},
         CursorColumn{QStringLiteral("Approved"),
                      [](db::Table& t) {
                          return t.fieldByName("S3").asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
                      }}},
        this);
    ui_->CustomerGrid->setModel(companyModel_);
    ui_->BidGrid->setModel(bidModel_);
    for (QTableView* grid : {ui_->CustomerGrid, ui_->BidGrid}) {
        grid->verticalHeader()->hide();
        grid->verticalHeader()->setDefaultSectionSize(18);
    }
    ui_->CustomerGrid->setColumnWidth(0, 353);
    ui_->BidGrid->setColumnWidth(1, kDateColumnWidth);
    ui_->BidGrid->setColumnWidth(2, kNumberColumnWidth);
    ui_->BidGrid->setColumnWidth(3, kApprovedColumnWidth);

    // Any move in the company grid moves the company cursor; only a click
    // re-filters the bids.
    connect(ui_->CustomerGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    tables_.CompanyTable.goTo(companyModel_->RecNoOf(current.row()));
            });
    connect(ui_->CustomerGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        tables_.CompanyTable.goTo(companyModel_->RecNoOf(index.row()));
        browser_.CustomerGridCellClick();
    });
    connect(ui_->BidGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { SyncBidCursor(); });
    ui_->RestrictToActive->OnClick = [this](controls::TFcControl*) {
        if (clicksEnabled_)
            browser_.RestrictToActiveClick();
    };
    ui_->RestrictToApproved->OnClick = [this](controls::TFcControl*) {
        if (clicksEnabled_)
            browser_.RestrictToApprovedClick();
    };
    ui_->ImportFromQM->OnClick = [this](controls::TFcControl*) { ImportFromQMClick(); };
    ui_->Done->OnClick = [this](controls::TFcControl*) { DoneClick(); };
}

TImportQM::~TImportQM() = default;

void TImportQM::Open(int helpLevel)
{
    if (plotColour_.isValid()) {
        for (QTableView* grid : {ui_->CustomerGrid, ui_->BidGrid}) {
            QPalette palette = grid->palette();
            palette.setColor(QPalette::Base, plotColour_);
            grid->setPalette(palette);
        }
    }
    browser_.Open(helpLevel);
}

QList<QWidget*> TImportQM::HintedControls() const
{
    return {ui_->CustomerGrid, ui_->BidGrid, ui_->ImportFromQM, ui_->Done};
}

void TImportQM::ImportFromQMClick()
{
    SyncBidCursor();
    quillmark::ImportFromQM(services_);
}

void TImportQM::SyncBidCursor()
{
    const QModelIndex current = ui_->BidGrid->currentIndex();
    if (current.isValid() && tables_.BidTable.active())
        tables_.BidTable.goTo(bidModel_->RecNoOf(current.row()));
}

bool TImportQM::RestrictToActiveChecked() const
{
    return ui_->RestrictToActive->Checked();
}

bool TImportQM::RestrictToApprovedChecked() const
{
    return ui_->RestrictToApproved->Checked();
}

void TImportQM::UntickRestrictions()
{
    // Setting a box from code raises its click; the browser runs the
    // handlers itself once both are unticked.
    clicksEnabled_ = false;
    ui_->RestrictToActive->SetChecked(false);
    ui_->RestrictToApproved->SetChecked(false);
    clicksEnabled_ = true;
}

void TImportQM::SetCompanyCaption(const QString& text)
{
    ui_->Label1->setText(text);
}

void TImportQM::SetBidCaption(const QString& text)
{
    ui_->Label2->setText(text);
}

void TImportQM::SetHintsShown(bool shown)
{
    // The hint texts stay with the window; switched off, the controls show none.
    if (hints_.isEmpty()) {
        for (QWidget* w : HintedControls())
            hints_.insert(w, w->toolTip());
    }
    for (QWidget* w : HintedControls())
        w->setToolTip(shown ? hints_.value(w) : QString());
}

void TImportQM::ReloadCompanies()
{
    companyModel_->Reload();
    const int row = tables_.CompanyTable.active() ? companyModel_->RowOf(tables_.CompanyTable.recNo()) : -1;
    if (row >= 0)
        ui_->CustomerGrid->setCurrentIndex(companyModel_->index(row, 0));
}

void TImportQM::ReloadBids()
{
    bidModel_->Reload();
    int row = tables_.BidTable.active() ? bidModel_->RowOf(tables_.BidTable.recNo()) : -1;
    if (row < 0 && bidModel_->rowCount() > 0)
        row = 0;
    if (row >= 0)
        ui_->BidGrid->setCurrentIndex(bidModel_->index(row, 0));
    SyncBidCursor();
}

void TImportQM::LayOut()
{
    const quillmark::ImportQMLayout l = quillmark::ImportQMLayoutFor(size());
    ui_->CustomerGrid->setGeometry(l.CustomerGrid);
    ui_->ImportFromQM->setGeometry(l.ImportFromQM);
    ui_->BidGrid->setGeometry(l.BidGrid);
    ui_->StatusBar->setGeometry(l.StatusBar);
    ui_->Done->setGeometry(l.Done);
    ui_->RestrictToActive->setGeometry(l.RestrictToActive);
    ui_->RestrictToApproved->setGeometry(l.RestrictToApproved);
    ui_->BidGrid->setColumnWidth(0, l.FirstBidColumn);
    panels_[0]->resize(l.StatusPanel, panels_[0]->height());
    ui_->StatusBar->Realign();
}

void TImportQM::ShowWindow()
{
    LayOut();
    // The first column fills what the other three leave of the grid.
    ui_->BidGrid->setColumnWidth(0, ui_->BidGrid->width() - kDateColumnWidth - kNumberColumnWidth
                                        - kApprovedColumnWidth - 37);
    show();
}

void TImportQM::RestoreWindow()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
}

void TImportQM::ShowBidStatus(const QString& text)
{
    ui_->StatusBar->SetPanelText(0, text);
}

void TImportQM::ShowSectionStatus(const QString& text)
{
    ui_->StatusBar->SetPanelText(1, text);
}

void TImportQM::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TImportQM::closeEvent(QCloseEvent* event)
{
    browser_.Closed();
    QWidget::closeEvent(event);
}

}  // namespace tw::exchange
