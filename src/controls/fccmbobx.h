#pragma once
// The combo box of the component library; lists are filled entry by entry.

#include <QComboBox>

namespace tw::controls {

class TFcCustomComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TFcCustomComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

    // Appends text as the last entry of the list.
    void Add(const QString& text);
};

}  // namespace tw::controls
