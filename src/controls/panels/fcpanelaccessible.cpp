#include "controls/panels/fcpanelaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/panels/fcgroupbox.h"

namespace tw::controls {

void RegisterGroupBoxAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcCustomGroupBox::staticMetaObject,
                           [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::Grouping); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
