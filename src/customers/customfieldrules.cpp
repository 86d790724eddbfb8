#include "customers/customfieldrules.h"

#include <set>
#include <stdexcept>

#include "customers/fieldtext.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"

namespace tw::customers {

namespace {

CustomFieldDefinition ReadDefinition(db::Table& t)
{
    CustomFieldDefinition d;
    d.Name = CustomFieldNameText(t.fieldByName("NAME").asString());
    d.Column = data::TrimBlanks(t.fieldByName("FNAME").asString());
    d.Active = t.fieldByName("ACTIVE").asBoolean();
    d.Index = t.fieldByName("INDEX").asInteger();
    return d;
}

void RequireOpen(db::Table& t)
{
    if (!t.active())
        t.open();
}

}  // namespace

OwnerTables OwnerTablesOf(const CustomFieldTables& tables, int kind)
{
    switch (kind) {
    case kCustomerFields: return {tables.CustomersTable, tables.CustomersTable2, "CID", "NAME"};
    case kResourceFields: return {tables.CrewsTable, tables.CrewsTable2, "CREWID", "DESC"};
    case kTaskFields: return {tables.ChartsTable, tables.ChartsTable2, "CHARTSID", "DESC"};
    default: throw std::invalid_argument("Unknown custom field owner kind " + std::to_string(kind));
    }
}

std::string CustomFieldNameText(std::string_view name)
{
    std::string text = CutToWidth(data::TrimBlanks(name), 40);
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return data::TrimBlanks(text);
}

std::vector<CustomFieldDefinition> CustomFieldRules::Definitions(int kind)
{
    std::vector<CustomFieldDefinition> all;
    db::Table& t = t_.CustomFieldsTable;
    if (!t.active())
        return all;
    t.refresh();
    for (t.first(); !t.eof(); t.next()) {
        if (t.fieldByName("TYPE").asInteger() == kind)
            all.push_back(ReadDefinition(t));
    }
    return all;
}

std::vector<CustomFieldDefinition> CustomFieldRules::ActiveDefinitions(int kind)
{
    std::vector<CustomFieldDefinition> shown;
    for (CustomFieldDefinition& d : Definitions(kind)) {
        if (d.Active && !d.Name.empty() && static_cast<int>(shown.size()) < kMaxCustomFields)
            shown.push_back(std::move(d));
    }
    return shown;
}

// Leaves CustomFieldsTable2 on the definition of the kind with that name.
bool CustomFieldRules::LocateDefinition(int kind, const std::string& name)
{
    db::Table& t = t_.CustomFieldsTable2;
    RequireOpen(t);
    t.refresh();
    for (t.first(); !t.eof(); t.next()) {
        if (t.fieldByName("TYPE").asInteger() == kind
            && CustomFieldNameText(t.fieldByName("NAME").asString()) == name)
            return true;
    }
    return false;
}

void CustomFieldRules::EmptyColumn(int kind, const std::string& column)
{
    OwnerTables owner = OwnerTablesOf(t_, kind);
    db::Table& t = owner.WriteView;
    RequireOpen(t);
    for (t.first(); !t.eof(); t.next()) {
        t.edit();
        t.fieldByName(column).setAsString("");
        t.post();
    }
    t.refresh();
    if (owner.View.active())
        owner.View.refresh();
}

void CustomFieldRules::Renumber(int kind)
{
    db::Table& t = t_.CustomFieldsTable;
    RequireOpen(t);
    t.refresh();
    int index = 0;
    for (t.first(); !t.eof(); t.next()) {
        if (t.fieldByName("TYPE").asInteger() != kind)
            continue;
        if (t.fieldByName("INDEX").asInteger() != index) {
            t.edit();
            t.fieldByName("INDEX").setAsInteger(index);
            t.post();
        }
        ++index;
    }
}

bool CustomFieldRules::DefineCustomField(int kind, std::string_view oldName, std::string_view newName)
{
    const std::string O = CustomFieldNameText(oldName);
    const std::string N = CustomFieldNameText(newName);
    if (O == N)
        return false;
    db::Table& t = t_.CustomFieldsTable2;

    bool result = false;
    if (!O.empty() && !N.empty()) {
        if (LocateDefinition(kind, N))
            return false;
        if (LocateDefinition(kind, O)) {
            t.edit();
            t.fieldByName("ACTIVE").setAsBoolean(true);
            t.fieldByName("NAME").setAsString(N);
            t.post();
            result = true;
        }
    } else if (O.empty()) {
        if (LocateDefinition(kind, N)) {
            if (t.fieldByName("ACTIVE").asBoolean())
                return false;
            t.edit();
            t.fieldByName("ACTIVE").setAsBoolean(true);
            t.fieldByName("NAME").setAsString(N);
            t.post();
        } else {
            // A deactivated definition's column is handed out before a new one.
            std::string reused;
            std::set<std::string> taken;
            int count = 0;
            for (t.first(); !t.eof(); t.next()) {
                if (t.fieldByName("TYPE").asInteger() != kind)
                    continue;
                ++count;
                const std::string column = data::TrimBlanks(t.fieldByName("FNAME").asString());
                taken.insert(column);
                if (reused.empty() && !t.fieldByName("ACTIVE").asBoolean())
                    reused = column;
            }
            if (!reused.empty()) {
                EmptyColumn(kind, reused);
                t.refresh();
                for (t.first(); !t.eof(); t.next()) {
                    if (t.fieldByName("TYPE").asInteger() == kind
                        && data::TrimBlanks(t.fieldByName("FNAME").asString()) == reused
                        && !t.fieldByName("ACTIVE").asBoolean())
                        break;
                }
                t.edit();
                t.fieldByName("TYPE").setAsInteger(kind);
                t.fieldByName("ACTIVE").setAsBoolean(true);
                t.fieldByName("NAME").setAsString(N);
                t.post();
            } else {
                if (count >= kMaxCustomFields)
                    return false;
                // The next column by count, unless another workstation's
                // change left it taken: then the first free one.
                std::string column = "CFV" + std::to_string(count + 1);
                for (int i = 1; taken.count(column) && i <= kMaxCustomFields; ++i)
                    column = "CFV" + std::to_string(i);
                if (taken.count(column))
                    return false;
                const std::int32_t id = data::UniqueKeyValue(state_.Keys, t_.CustomFieldsTable3, "ID");
                t.append();
                t.fieldByName("ID").setAsInteger(id);
                t.fieldByName("TYPE").setAsInteger(kind);
                t.fieldByName("ACTIVE").setAsBoolean(true);
                t.fieldByName("NAME").setAsString(N);
                t.fieldByName("FNAME").setAsString(column);
                t.post();
            }
        }
        result = true;
    } else {
        if (LocateDefinition(kind, O)) {
            t.edit();
            t.fieldByName("ACTIVE").setAsBoolean(false);
            t.post();
        }
    }
    Renumber(kind);
    return result;
}

void CustomFieldRules::DeleteAllDefinitions(int kind)
{
    db::Table& t = t_.CustomFieldsTable2;
    RequireOpen(t);
    t.refresh();
    t.first();
    while (!t.eof()) {
        if (t.fieldByName("TYPE").asInteger() == kind)
            t.deleteRecord();
        else
            t.next();
    }
    if (t_.CustomFieldsTable.active())
        t_.CustomFieldsTable.refresh();

    OwnerTables owner = OwnerTablesOf(t_, kind);
    db::Table& v = owner.WriteView;
    RequireOpen(v);
    for (v.first(); !v.eof(); v.next()) {
        v.edit();
        for (int i = 1; i <= kMaxCustomFields; ++i)
            v.fieldByName("CFV" + std::to_string(i)).setAsString("");
        v.post();
    }
    v.refresh();
    if (owner.View.active())
        owner.View.refresh();
}

}  // namespace tw::customers
