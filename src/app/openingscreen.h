#pragma once
// The splash picture shown while the program creates its windows.

#include <QWidget>

#include <memory>

namespace Ui {
class TOpeningScreen;
}

namespace tw::app {

class TOpeningScreen : public QWidget {
    Q_OBJECT
public:
    explicit TOpeningScreen(QWidget* parent = nullptr);
    ~TOpeningScreen() override;

private:
    std::unique_ptr<Ui::TOpeningScreen> ui;
};

}  // namespace tw::app
