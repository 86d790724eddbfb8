#include "controls/fccmbobx.h"

namespace tw::controls {

void TFcCustomComboBox::Add(const QString& text)
{
    addItem(text);
}

}  // namespace tw::controls
