#include "controls/toolbar/fccustomizetoolbar.h"
#include "controls/panels/fcpanel.h"
#include "controls/toolbar/fcspeedbutton.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbutton.h"
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QIcon>
#include <QPixmap>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
namespace tw::controls {
QPoint CustomizeDialogPosition(TAlign align, const QRect& t, QSize dialog, const QRect& workArea)
{
    QPoint p;
    switch (align) {
    case alBottom: p = {t.left(), t.top() - dialog.height() - 5}; break;
    case alLeft: p = {t.right() + 1, t.top()}; break;
    case alRight: p = {t.left() - dialog.width() - 5, t.top()}; break;
    case alClient:
        p = {t.center().x() - dialog.width() / 2 - 15, t.center().y() - dialog.height() / 2 - 25};
        break;
    default: p = {t.left(), t.bottom() + 1}; break;
    }
    int x = p.x() + 15;
    int y = p.y() + 25;
    x = std::max(workArea.left(), std::min(x, workArea.right() + 1 - dialog.width()));
    y = std::max(workArea.top(), std::min(y, workArea.bottom() + 1 - dialog.height()));
    return {std::max(x, 0), std::max(y, 0)};
}

TFcFrmCustomizeToolbar::TFcFrmCustomizeToolbar(TFcToolbar* toolbar, const TFcCustomizeCaptions& c, QWidget* parent)
    : QDialog(parent), toolbar_(toolbar)
{
    setWindowTitle(c.Title);
    setFixedSize(337, 280);
    hint_ = new QLabel(c.Hint, this);
    hint_->move(8, 8);
    list_ = new QListWidget(this);
    list_->setGeometry(8, 24, 225, 205);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->viewport()->installEventFilter(this);
    close_ = new QPushButton(c.Close, this);
    close_->setGeometry(244, 24, 85, 25);
    up_ = new QPushButton(c.MoveUp, this);
    up_->setGeometry(244, 84, 85, 25);
    down_ = new QPushButton(c.MoveDown, this);
    down_->setGeometry(244, 116, 85, 25);
    optionsLabel_ = new QLabel(c.TextOptions, this);
    optionsLabel_->move(8, 236);
    options_ = new TFcCustomComboBox(this);
    options_->setGeometry(8, 252, 225, 22);
    options_->addItems({c.NoTextLabels, c.ShowTextLabels, c.SelectiveTextOnRight});
    if (toolbar_->TextOptions() != ttoCustom)
        options_->setCurrentIndex(toolbar_->TextOptions());
    else
        options_->setCurrentIndex(-1);
    scrollTimer_.setInterval(100);
    connect(&scrollTimer_, &QTimer::timeout, this, &TFcFrmCustomizeToolbar::ScrollTick);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(list_, &QListWidget::currentRowChanged, this, &TFcFrmCustomizeToolbar::EnableMoveButtons);
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_)
            return;
        const auto controls = toolbar_->Controls();
        const int row = list_->row(item);
        if (row >= 0 && row < static_cast<int>(controls.size()))
            controls[static_cast<size_t>(row)]->setVisible(item->checkState() == Qt::Checked);
        toolbar_->PositionControls();
    });
    connect(options_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index <= 2)
            toolbar_->SetTextOptions(static_cast<TFcToolbarTextOptions>(index));
    });
    Fill();
}

namespace {
// The 16 x 16 picture of a spacer line: an empty frame, or one with a groove.
QImage SpacerImage(bool grooved)
{
    QImage image = MakeBitmap(16, 16, clBtnFace);
    TFcCanvas canvas(image);
    canvas.Brush = TFcBrush{clBtnShadow};
    canvas.FrameRect({2, 2, 14, 14});
    if (grooved) {
        canvas.Pen = TFcPen{clBtnShadow};
        canvas.MoveTo(7, 4);
        canvas.LineTo(7, 12);
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(8, 4);
        canvas.LineTo(8, 12);
    }
    return image;
}
}  // namespace

// The image beside a line: the tool button's image, a speed button's first
// glyph cell, or the spacer's picture.
QImage TFcFrmCustomizeToolbar::LineImage(const QWidget* w)
{
    if (const auto* tool = qobject_cast<const TFcToolButton*>(w)) {
        const TFcImageList* list = tool->ImageList();
        if (list && tool->ImageIndex() >= 0 && tool->ImageIndex() < list->Count())
            return list->Image(tool->ImageIndex());
    } else if (const auto* speed = qobject_cast<const TFcSpeedButton*>(w)) {
        if (!speed->Glyph().isNull())
            return speed->Glyph().copy(0, 0, speed->Glyph().width() / speed->NumGlyphs(), speed->Glyph().height());
    } else if (const auto* spacer = qobject_cast<const TFcSpacer*>(w)) {
        return SpacerImage(spacer->Grooved());
    }
    return {};
}

void TFcFrmCustomizeToolbar::Fill()
{
    filling_ = true;
    list_->clear();
    for (QWidget* w : toolbar_->Controls()) {
        QString text;
        if (auto* tool = qobject_cast<TFcToolButton*>(w))
            text = StripAccelerator(tool->Caption());
        else if (auto* speed = qobject_cast<TFcToolbarButton*>(w))
            text = StripAccelerator(speed->ShowCaption() ? speed->Caption() : speed->SavedCaption());
        if (text.isEmpty())
            text = qobject_cast<TFcSpacer*>(w) ? tr("Spacer") : w->toolTip();
        if (text.isEmpty())
            text = w->objectName();
        auto* item = new QListWidgetItem(text, list_);
        item->setIcon(QIcon(QPixmap::fromImage(LineImage(w))));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        item->setCheckState(w->isHidden() ? Qt::Unchecked : Qt::Checked);
        item->setSizeHint(QSize(0, 20));
    }
    filling_ = false;
    up_->setEnabled(list_->count() > 0);
    down_->setEnabled(list_->count() > 0);
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    EnableMoveButtons(list_->currentRow());
}

void TFcFrmCustomizeToolbar::EnableMoveButtons(int row)
{
    up_->setEnabled(row >= 1);
    down_->setEnabled(row >= 0 && row < list_->count() - 1);
}

void TFcFrmCustomizeToolbar::MoveSelected(int delta)
{
    const int row = list_->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= list_->count())
        return;
    dragSource_ = row;
    DropOn(to);
}

void TFcFrmCustomizeToolbar::DropOn(int to)
{
    const int from = dragSource_ >= 0 ? dragSource_ : list_->currentRow();
    dragSource_ = -1;
    if (to < 0 || from < 0 || from == to || to >= list_->count())
        return;
    filling_ = true;
    QListWidgetItem* item = list_->takeItem(from);
    list_->insertItem(to, item);
    filling_ = false;
    toolbar_->MoveControl(from, to);
    list_->setCurrentRow(to);
    EnableMoveButtons(to);
}

void TFcFrmCustomizeToolbar::DragOver(int y)
{
    const int item = 20;
    if (y > list_->viewport()->height() - item)
        scrollDirection_ = 1;
    else if (y < item)
        scrollDirection_ = -1;
    else
        scrollDirection_ = 0;
    if (scrollDirection_ != 0)
        scrollTimer_.start();
    else
        scrollTimer_.stop();
    if (QListWidgetItem* under = list_->itemAt(QPoint(5, y)))
        list_->setCurrentItem(under);
}

void TFcFrmCustomizeToolbar::ScrollTick()
{
    QScrollBar* bar = list_->verticalScrollBar();
    if (scrollDirection_ < 0) {
        if (bar->value() < 1)
            scrollTimer_.stop();
        else
            bar->setValue(bar->value() - 1);
    } else if (scrollDirection_ > 0) {
        if (bar->value() < bar->maximum())
            bar->setValue(bar->value() + 1);
        else
            scrollTimer_.stop();
    }
}

bool TFcFrmCustomizeToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: dragSource_ = list_->currentRow(); break;
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            DragOver(e->position().toPoint().y());
            break;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            if (e->source() == list_) {
                dragSource_ = dragSource_ >= 0 ? dragSource_ : list_->currentRow();
                QListWidgetItem* target = list_->itemAt(e->position().toPoint());
                DropOn(target ? list_->row(target) : -1);
            }
            EndDrag();
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
            return true;
        }
        case QEvent::DragLeave: EndDrag(); break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFcFrmCustomizeToolbar::Reposition()
{
    QWidget* anchor = toolbar_->parentWidget() ? toolbar_->parentWidget() : toolbar_;
    const QRect t(anchor->mapToGlobal(toolbar_->geometry().topLeft() -
                                      (toolbar_->parentWidget() ? QPoint() : toolbar_->pos())),
                  toolbar_->size());
    const QScreen* s = toolbar_->screen();
    const QRect work = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    move(CustomizeDialogPosition(TFcCustomPanel::Align(toolbar_), t, size(), work));
}
}  // namespace tw::controls
