#include "data/datetimetext.h"

#include "data/textroutines.h"
#include "platform/datetime/localetexts.h"

namespace tw::data {

std::string DateTimeText(TDateTime value)
{
    std::string text = locale::DateTimeToStr(value);
    if (TimePart(value) == 0)
        text += " midnight";
    return DropSeconds(text);
}

}  // namespace tw::data
