#pragma once
// The definitions of custom fields in custom.dbf: which of the seven value
// columns CFV1..CFV7 of customers, resources or tasks carries which name.
//
// Rules kept for each owner kind: at most seven definitions (active or not),
// each on its own column; names unique within the kind ignoring case, stored
// trimmed in capitals; a deactivated definition keeps its name and values
// until its column is handed to a new name. INDEX is rewritten after every
// change as the place among all definitions of the kind in NAME order, the
// deactivated ones included, because other copies of the program read it so.
// The screen's slots count active definitions only; see ActiveDefinitions.
//
//   CustomFieldRules rules(tables, state);
//   rules.DefineCustomField(kCustomerFields, "", "gate code");   // adds GATE CODE on CFV1

#include <string>
#include <string_view>
#include <vector>

#include "data/services/mainstate.h"
#include "platform/db/table.h"

namespace tw::customers {

inline constexpr int kCustomerFields = 1;
inline constexpr int kResourceFields = 2;
inline constexpr int kTaskFields = 3;
inline constexpr int kMaxCustomFields = 7;

struct CustomFieldDefinition {
    std::string Name;    // in capitals
    std::string Column;  // "CFV1" .. "CFV7"
    bool Active = false;
    int Index = 0;
};

// The data module's cursors in the custom fields' roles: the owners' views
// (the one the windows move through, the one that writes and searches) and
// the definitions.
struct CustomFieldTables {
    db::Table& CustomersTable;
    db::Table& CustomersTable2;
    db::Table& CrewsTable;
    db::Table& CrewsTable2;
    db::Table& ChartsTable;
    db::Table& ChartsTable2;
    db::Table& CustomFieldsTable;   // the definitions as the screen reads them
    db::Table& CustomFieldsTable2;  // the definitions as they are written
    db::Table& CustomFieldsTable3;  // new keys are checked against it
};

// The owner table of a kind: the view the windows move through, the view
// that writes and searches, its key field and the field that names a record.
struct OwnerTables {
    db::Table& View;
    db::Table& WriteView;
    const char* KeyField;
    const char* CaptionField;
};
OwnerTables OwnerTablesOf(const CustomFieldTables& tables, int kind);

// Trimmed and with the letters a-z raised; other characters as they are.
std::string CustomFieldNameText(std::string_view name);

class CustomFieldRules {
public:
    CustomFieldRules(const CustomFieldTables& tables, data::MainScreenState& state)
        : t_(tables),
          state_(state)
    {}

    // Applies one slot's name change; true when a definition took a new name,
    // was added, re-used or re-activated.
    bool DefineCustomField(int kind, std::string_view oldName, std::string_view newName);
    // Deletes every definition of the kind and empties its seven columns in
    // every record of the owner table.
    void DeleteAllDefinitions(int kind);
    // The active definitions of the kind in NAME order, at most seven: the
    // definition shown in slot i is element i.
    std::vector<CustomFieldDefinition> ActiveDefinitions(int kind);
    // Every definition of the kind in NAME order.
    std::vector<CustomFieldDefinition> Definitions(int kind);

private:
    bool LocateDefinition(int kind, const std::string& name);
    void EmptyColumn(int kind, const std::string& column);
    void Renumber(int kind);

    CustomFieldTables t_;
    data::MainScreenState& state_;
};

}  // namespace tw::customers
