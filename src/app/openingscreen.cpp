#include "app/openingscreen.h"

#include "ui_openingscreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace tw::app {

TOpeningScreen::TOpeningScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TOpeningScreen>())
{
    ui->setupUi(this);
    setFixedSize(372, 297);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TOpeningScreen::~TOpeningScreen() = default;

}  // namespace tw::app
