#pragma once
// What the control example pages share: a page in the classic button-face
// colour, its headings and notes, the mouse resting on a control, and either
// a window to try the controls in or, with "--screenshot FILE", the page saved
// as a picture (docs/screenshots).

#include <QApplication>
#include <QColor>
#include <QEnterEvent>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace tw::examples {

inline void PrepareClassicPage(QWidget& page, const QString& title)
{
    page.setWindowTitle(title);
    page.setAutoFillBackground(true);
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, QColor(212, 208, 200));
    page.setPalette(palette);
}

// A bold caption over a group of controls.
inline QLabel* Heading(QWidget* page, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, page);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// A plain line of text beside a control.
inline QLabel* Note(QWidget* page, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, page);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// The mouse resting on a control, for the hot looks in a screenshot.
inline void Hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(widget, &enter);
}

inline int ShowOrSaveScreenshot(QApplication& app, QWidget& page)
{
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size())
        return page.grab().save(args[at + 1]) ? 0 : 1;
    page.show();
    return app.exec();
}

}  // namespace tw::examples
