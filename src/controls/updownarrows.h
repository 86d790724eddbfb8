#pragma once
// A pair of small arrows that step a value forward (up) or back (down);
// the control keeps no value of its own.

#include <QWidget>

namespace tw::controls {

class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);

signals:
    void Clicked(bool up);
};

}  // namespace tw::controls
