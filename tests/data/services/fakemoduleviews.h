#pragma once
// The data module's views as tests see them: each fake keeps what it was
// asked and answers what the test set. Plug(data) puts all of them in; a
// test that needs only one puts that one into data.Views() itself.

#include <cstdint>
#include <map>
#include <vector>

#include "data/services/estimatedata.h"

namespace tw::data::testing {

class FakePageControl final : public PageControlView {
public:
    struct HoursQuestion {
        std::int32_t Resource;
        TDateTime Start, End;
    };

    bool SelectPageIsCurrent() const override { return SelectPageShown; }
    void ApplyCustomerQuery() override { ++CustomerQueries; }
    float WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end) override
    {
        HoursAsked.push_back({resourceId, start, end});
        const auto it = HoursOf.find(resourceId);
        return it == HoursOf.end() ? DefaultHours : it->second;
    }
    void TerminateApplication() override { Terminated = true; }

    bool SelectPageShown = false;
    std::map<std::int32_t, float> HoursOf;
    float DefaultHours = 0;
    int CustomerQueries = 0;
    std::vector<HoursQuestion> HoursAsked;
    bool Terminated = false;
};

class FakeQueryPage final : public QueryPageView {
public:
    void ApplyQueryFilters() override { ++FilterRuns; }
    void ShowResourcesOfTask(std::int32_t chartsId) override { ResourcesShownFor.push_back(chartsId); }
    bool RestrictTasksToCrew() const override { return RestrictedToCrew; }

    bool RestrictedToCrew = false;
    int FilterRuns = 0;
    std::vector<std::int32_t> ResourcesShownFor;
};

class FakeCustomerPage final : public CustomerPageView {
public:
    void ShowMovedCustomer() override { ++CustomersShown; }
    void SetUseAlt(bool checked) override { UseAlt = checked ? 1 : 0; }

    int CustomersShown = 0;
    int UseAlt = -1;  // -1 never set
};

// The custom fields: the owner kinds saved and loaded, and a search that
// lets through the records the test names by their turn.
class FakeCustomFields final : public CustomFieldValues, public CustomFieldSearch {
public:
    void SaveCustomFieldValues(int ownerKind) override { Saved.push_back(ownerKind); }
    void LoadCustomFieldValues(int ownerKind) override { Loaded.push_back(ownerKind); }
    bool CustomerMatchesSearch() override { return Matches(); }
    bool ResourceMatchesSearch() override { return Matches(); }
    bool TaskMatchesSearch() override { return Matches(); }

    std::vector<int> Saved, Loaded;
    int Asked = 0;
    bool EverySecondMatches = false;

private:
    bool Matches() { return !EverySecondMatches || ++Asked % 2 == 0; }
};

struct FakeModuleViews {
    FakePageControl Pages;
    FakeQueryPage QueryPage;
    FakeCustomerPage CustomerPage;
    FakeCustomFields Fields;

    void Plug(TEstimateData& data)
    {
        data.Views() = {&Fields, &Fields, &CustomerPage, &QueryPage, &Pages};
    }
};

}  // namespace tw::data::testing
