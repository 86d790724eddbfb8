#pragma once
// The custom fields window without its window: showing and saving the values
// of the current customer, resource or task, editing the definitions' names,
// and the word search that marks (S2) and selects the matching records.
//
// The window copies what the user typed into Form before each call
// (ReadFromWindow) and shows Form after it. Opening in edit mode ties the
// shown values to the record they came from (ShownRecordId), so values are
// never written into a record the user has since moved to.
//
// The search tests each slot's words against the column of the definition
// shown in that slot; INDEX is still written for other copies of the program
// but not trusted, since it counts deactivated definitions as well.
//
//   CustomFields fields(tables, data.Views(), host, session.Query, state, ui);  // plugs into the data module
//   fields.Open(false, kCustomerFields, readOnly, helpLevel);

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "customers/customfieldrules.h"
#include "customers/wordsearch.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "query/querystate.h"

namespace tw::customers {

// What the window shows; the window reads it after every call.
struct CustomFieldsForm {
    std::string Caption = "Custom fields";
    std::string TopGroupCaption;
    std::string TopGroupHint;
    bool HintsShown = true;
    std::string Label9Caption = "Custom field values";
    std::array<std::string, kCustomFieldSlots> Labels;
    std::array<std::string, kCustomFieldSlots> Names;
    std::array<std::string, kCustomFieldSlots> Values;
    std::array<bool, kCustomFieldSlots> LabelShown{};  // label and value edit
    std::array<bool, kCustomFieldSlots> NameShown{};   // name edit instead
    bool ValuesReadOnly = false;
    bool AddDefinitionEnabled = true;
    bool SaveEnabled = false;
    bool DeleteAllEnabled = true;
    bool EditPanelEnabled = true;
    bool SearchPanelEnabled = false;
    int SearchSelection = 0;  // 0 customers, 1 resources, 2 tasks
    std::string Status;
    bool Visible = false;  // false after a close: the window hides, keeping its place
};

// What the values and the search reach outside the window: a task's values
// come from and go to the shared schedule one record at a time, and a search
// restricts what the Add / Edit / Query page shows. The customer feature
// implements it; tests keep what they were asked.
class CustomFieldsHost {
public:
    virtual ~CustomFieldsHost() = default;

    virtual void PullChartRecord(std::int32_t key) = 0;
    virtual void PushChartRecord(std::int32_t key) = 0;
    // The page's box ticked and its restriction applied.
    virtual void RestrictToCustomer() = 0;
    virtual void RestrictTasksToCrew() = 0;
    // The page's controls and its query brought up to the search in force.
    virtual void UpdateSelectControls() = 0;
    virtual void ApplyQueryFilters() = 0;
    virtual void SetCustomersLabel(const std::string& text) = 0;
};

// The data module's view of the values and of the search's record tests.
class CustomFields : public data::CustomFieldValues, public data::CustomFieldSearch {
public:
    // module: the data module's views, which this object plugs itself into.
    // query: the run's search, which a search sets and the query reads.
    CustomFields(const CustomFieldTables& tables, data::DataModuleViews& module, CustomFieldsHost& host,
                 query::QueryState& query, data::MainScreenState& state, data::UserInterface& ui);
    ~CustomFields();
    CustomFields(const CustomFields&) = delete;
    CustomFields& operator=(const CustomFields&) = delete;

    // The data module's views this object plugged itself into; the window
    // stands in for the values while it shows.
    data::DataModuleViews& ModuleViews() { return module_; }

    CustomFieldsForm Form;
    CustomFieldRules Rules;

    void Open(bool search, int kind, bool readOnly, int helpLevel);
    bool DefineCustomField(int kind, std::string_view oldName, std::string_view newName)
    {
        return Rules.DefineCustomField(kind, oldName, newName);
    }
    void LoadCustomFieldNames(int kind);
    void LoadCustomFieldValues(int kind) override;
    void SaveCustomFieldValues(int kind) override;

    void AddDefinitionClick();
    void SaveClick();
    void DeleteAllClick();
    void DoneClick() { FormDestroy(); }
    void DoneEditClick() { FormDestroy(); }
    void SearchSelectionClick();
    // Closing by any way: saves shown values in edit mode.
    void FormDestroy();

    void SearchClick();
    int RunSearch(int kind);
    bool SlotMatchesSearch(int slot, int kind);
    bool CustomerMatchesSearch() override { return MatchesSearch(kCustomerFields); }
    bool ResourceMatchesSearch() override { return MatchesSearch(kResourceFields); }
    bool TaskMatchesSearch() override { return MatchesSearch(kTaskFields); }

    int OwnerKind = kCustomerFields;
    bool SearchMode = false;
    bool IsOpen = false;
    bool ReadOnlyValues = false;
    std::array<std::string, kCustomFieldSlots> OldNames;
    std::int32_t ShownRecordId = 0;
    bool SearchRunning = false;
    SearchWords Words;

private:
    bool MatchesSearch(int kind);
    void CancelEarlierSearches();
    void ReopenUnfiltered(db::Table& view, bool filtered);
    void Close();

    CustomFieldTables t_;
    data::DataModuleViews& module_;
    CustomFieldsHost& host_;
    query::QueryState& query_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    // The definitions in the slots, as LoadCustomFieldNames last showed them.
    std::vector<CustomFieldDefinition> slots_;
};

}  // namespace tw::customers
