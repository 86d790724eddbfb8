#pragma once
// The main window's page control: the library's page control with the few
// calls the window's code makes of a tab widget (the current page by index,
// a page by index, a widget in the top-right corner of the tab row).

#include "controls/tabs/fcpagecontrol.h"

#include <QPointer>

namespace tw::app {

class TMainPageControl : public controls::TFcPageControl {
    Q_OBJECT
public:
    explicit TMainPageControl(QWidget* parent = nullptr);

    int currentIndex() const { return ActivePageIndex(); }
    // Goes through the page control's veto, as a click on the tab does.
    void setCurrentIndex(int index);
    int count() const { return PageCount(); }
    QWidget* widget(int index) const;
    int indexOf(const QWidget* page) const;
    // The tab's hint is its page's hint (shown with TabHints on).
    void setTabToolTip(int index, const QString& tip);
    QString tabToolTip(int index) const;
    // Placed at the right end of the tab row, as high as the row; only the
    // top-right corner is kept.
    void setCornerWidget(QWidget* widget, Qt::Corner corner = Qt::TopRightCorner);
    QWidget* cornerWidget() const { return corner_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceCorner();

    QPointer<QWidget> corner_;
};

}  // namespace tw::app
