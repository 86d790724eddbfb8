#pragma once
// What the control example pages share: a page in the classic button-face
// colour, and either a window to try the controls in or, with
// "--screenshot FILE", the page saved as a picture (docs/screenshots).

#include <QApplication>
#include <QColor>
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
