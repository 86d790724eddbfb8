#pragma once
// TFcFrmCustomizeToolbar: the dialog in which the user reorders a toolbar's
// controls (buttons, or dragging lines within the list, which scrolls while
// the pointer is near its top or bottom edge), hides and shows them (check
// marks) and picks a text option. Every change applies to the toolbar at
// once; there is no cancel. Until the edit family's check list and combo box
// exist, a list widget with check marks and the library's combo box stand in.
#include "controls/base/fcalign.h"
#include "controls/fccmbobx.h"
#include "controls/foundation/fctypes.h"
#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>
class QLabel;
class QListWidget;
class QPushButton;
namespace tw::controls {
class TFcToolbar;
struct TFcCustomizeCaptions {
    QString Title = QStringLiteral("Customize Toolbar");
    QString Hint = QStringLiteral("Uncheck to hide control");
    QString Close = QStringLiteral("Close");
    QString MoveUp = QStringLiteral("Move Up");
    QString MoveDown = QStringLiteral("Move Down");
    QString TextOptions = QStringLiteral("Text Options");
    QString NoTextLabels = QStringLiteral("No text labels");
    QString ShowTextLabels = QStringLiteral("Show text labels");
    QString SelectiveTextOnRight = QStringLiteral("Selective text on right");
};
// Where the dialog opens: beside the toolbar by its alignment (t in screen
// coordinates), plus (15, 25), kept inside the work area; a toolbar filling
// its parent gets the dialog centred on it.
QPoint CustomizeDialogPosition(TAlign align, const QRect& toolbar, QSize dialog, const QRect& workArea);
class TFcFrmCustomizeToolbar : public QDialog {
    Q_OBJECT
public:
    TFcFrmCustomizeToolbar(TFcToolbar* toolbar, const TFcCustomizeCaptions& captions, QWidget* parent = nullptr);
    QListWidget* List() const { return list_; }
    QPushButton* MoveUpButton() const { return up_; }
    QPushButton* MoveDownButton() const { return down_; }
    TFcCustomComboBox* TextOptionsBox() const { return options_; }
    QTimer* ScrollTimer() { return &scrollTimer_; }
    int ScrollDirection() const { return scrollDirection_; }
    void Reposition();
    void MoveSelected(int delta);
    // A drag of the selected line that ends over line `to` (-1: none).
    void DropOn(int to);
    // The drag's pointer over the list at y (list coordinates).
    void DragOver(int y);
    void EndDrag() { scrollTimer_.stop(); }
    void ScrollTick();
    static QImage LineImage(const QWidget* w);
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
private:
    void Fill();
    void EnableMoveButtons(int row);
    TFcToolbar* toolbar_;
    QLabel* hint_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QLabel* optionsLabel_ = nullptr;
    TFcCustomComboBox* options_ = nullptr;
    QTimer scrollTimer_;
    int scrollDirection_ = 0;  // -1 up, 1 down
    int dragSource_ = -1;
    bool filling_ = false;
};
}  // namespace tw::controls
