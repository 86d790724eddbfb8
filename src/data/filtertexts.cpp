#include "data/filtertexts.h"

namespace tw::data {

std::string AndFilter(std::string_view a, std::string_view b)
{
    std::string result;
    if (!a.empty()) {
        result += '(';
        result += a;
        result += ") AND ";
    }
    result += '(';
    result += b;
    result += ')';
    return result;
}

void OrFilter::AddOrFilter(std::string_view condition)
{
    if (FilterTextRestart) {
        FilterTextRestart = false;
        FilterText.clear();
    } else {
        FilterText += " OR ";
    }
    FilterText += '(';
    FilterText += condition;
    FilterText += ')';
}

}  // namespace tw::data
