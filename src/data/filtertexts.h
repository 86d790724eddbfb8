#pragma once
// Builders of dataset filter expressions in the table engine's syntax.

#include <string>
#include <string_view>

namespace tw::data {

// "(a) AND (b)", or "(b)" when a is empty; b is taken as it is, even empty.
std::string AndFilter(std::string_view a, std::string_view b);

// Accumulates conditions joined by OR. Set FilterTextRestart, call AddOrFilter
// once per condition and use FilterText as the filter.
struct OrFilter {
    std::string FilterText;
    bool FilterTextRestart = false;

    void AddOrFilter(std::string_view condition);
};

}  // namespace tw::data
