#include "customers/customfields.h"

#include <algorithm>

#include "data/services/busyscopes.h"
#include "customers/fieldtext.h"
#include "data/filtertexts.h"
#include "data/records/scheduleitemrecord.h"
#include "data/textroutines.h"
#include "data/updatecount.h"

namespace tw::customers {

namespace {

bool HasRecord(db::Table& t)
{
    return t.active() && !(t.eof() && t.bof());
}

const char* KindWord(int kind)
{
    switch (kind) {
    case kResourceFields: return "Resource";
    case kTaskFields: return "Task";
    default: return "Customer";
    }
}

}  // namespace

CustomFields::CustomFields(const CustomFieldTables& tables, data::DataModuleViews& module,
                           CustomFieldsHost& host, query::QueryState& query, data::MainScreenState& state,
                           data::UserInterface& ui)
    : Rules(tables, state),
      t_(tables),
      module_(module),
      host_(host),
      query_(query),
      state_(state),
      ui_(ui)
{
    module_.FieldValues = this;
    module_.FieldSearch = this;
}

CustomFields::~CustomFields()
{
    module_.FieldValues = nullptr;
    module_.FieldSearch = nullptr;
}

void CustomFields::Open(bool search, int kind, bool readOnly, int helpLevel)
{
    if (IsOpen) {
        Form.Visible = true;
        return;
    }
    query_.FilterInProgress = false;
    ReadOnlyValues = readOnly;
    if (search != SearchMode)
        Form.Values = {};
    SearchMode = search;
    if (search) {
        if (helpLevel == 0) {
            Form.TopGroupHint = "Enter one or more search words separated by punctuation";
            Form.HintsShown = true;
        } else if (helpLevel == 1) {
            Form.HintsShown = false;
        }
        Form.Caption = "Custom field search";
        Form.ValuesReadOnly = false;
        SearchSelectionClick();
        CancelEarlierSearches();
        Form.EditPanelEnabled = false;
        Form.SearchPanelEnabled = true;
        host_.UpdateSelectControls();
        host_.ApplyQueryFilters();
    } else {
        OwnerKind = kind;
        if (helpLevel == 0) {
            Form.TopGroupHint = "Edit custom field values";
            Form.HintsShown = true;
        } else if (helpLevel == 1) {
            Form.HintsShown = false;
        }
        Form.AddDefinitionEnabled = !readOnly;
        Form.DeleteAllEnabled = !readOnly;
        Form.ValuesReadOnly = readOnly;
        Form.Caption = std::string(KindWord(kind)) + " custom fields";
        Form.TopGroupCaption = "View / edit custom field values";
        Form.EditPanelEnabled = true;
        Form.SearchPanelEnabled = false;
    }
    {
        data::BusyScope cursor(ui_);
        LoadCustomFieldNames(OwnerKind);
        Form.SaveEnabled = false;
        Form.Status.clear();
        IsOpen = true;
        LoadCustomFieldValues(kind);
    }
    Form.Visible = true;
}

// A search of a kind stays in force after the window closed; opening the
// search again starts from every record.
void CustomFields::CancelEarlierSearches()
{
    const struct {
        bool& active;
        int kind;
    } kinds[] = {{query_.Search.CustomerSearchActive, kCustomerFields},
                 {query_.Search.ResourceSearchActive, kResourceFields},
                 {query_.Search.TaskSearchActive, kTaskFields}};
    for (const auto& k : kinds) {
        if (!k.active)
            continue;
        OwnerTables owner = OwnerTablesOf(t_, k.kind);
        {
            data::BusyScope busy(state_);
            ReopenUnfiltered(owner.View, false);
            ReopenUnfiltered(owner.WriteView, false);
        }
        k.active = false;
        if (k.kind == kCustomerFields)
            host_.SetCustomersLabel("All customers");
        if (k.kind == kTaskFields) {
            host_.UpdateSelectControls();
            host_.ApplyQueryFilters();
        }
    }
}

void CustomFields::ReopenUnfiltered(db::Table& view, bool filtered)
{
    if (view.active())
        view.refresh();
    view.close();
    view.setFiltered(filtered);
    view.open();
}

void CustomFields::SearchSelectionClick()
{
    OwnerKind = Form.SearchSelection + 1;
    Form.TopGroupCaption = std::string(KindWord(OwnerKind)) + " custom fields";
    Form.Label9Caption = std::string(KindWord(OwnerKind)) + " custom field search values";
    if (IsOpen)
        LoadCustomFieldNames(OwnerKind);
}

void CustomFields::LoadCustomFieldNames(int kind)
{
    if (!state_.TablesOpen)
        return;
    slots_ = Rules.ActiveDefinitions(kind);
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        Form.Labels[i] = i < static_cast<int>(slots_.size()) ? slots_[i].Name : std::string();
        Form.LabelShown[i] = !Form.Labels[i].empty();
        Form.NameShown[i] = false;
    }
}

void CustomFields::LoadCustomFieldValues(int kind)
{
    if (!IsOpen || SearchMode || OwnerKind != kind || !state_.TablesOpen)
        return;
    OwnerTables owner = OwnerTablesOf(t_, kind);
    db::Table& view = owner.View;
    Form.Label9Caption = std::string(KindWord(kind)) + " custom field values";
    if (!HasRecord(view)) {
        ShownRecordId = 0;
        for (int i = 0; i < static_cast<int>(slots_.size()); ++i)
            Form.Values[i].clear();
        return;
    }
    ShownRecordId = view.fieldByName(owner.KeyField).asInteger();
    if (kind == kTaskFields)
        host_.PullChartRecord(ShownRecordId);
    Form.Caption = "Custom fields for " + data::TrimBlanks(view.fieldByName(owner.CaptionField).asString());
    for (int i = 0; i < static_cast<int>(slots_.size()); ++i)
        Form.Values[i] = view.fieldByName(slots_[i].Column).asString();
}

void CustomFields::SaveCustomFieldValues(int kind)
{
    if (ReadOnlyValues || SearchMode || !IsOpen || kind != OwnerKind || !state_.TablesOpen)
        return;
    OwnerTables owner = OwnerTablesOf(t_, kind);
    db::Table& view = owner.View;
    if (!HasRecord(view))
        return;

    // Each slot's column by the name it shows; a definition another
    // workstation removed meanwhile takes nothing.
    const std::vector<CustomFieldDefinition> all = Rules.Definitions(kind);
    std::array<std::string, kCustomFieldSlots> columns, values;
    bool changed = false;
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        values[i] = CutToWidth(data::TrimBlanks(Form.Values[i]), 40);
        const std::string name = CustomFieldNameText(Form.Labels[i]);
        if (name.empty())
            continue;
        for (const CustomFieldDefinition& d : all) {
            if (d.Name == name)
                columns[i] = d.Column;
        }
        if (!columns[i].empty() && view.fieldByName(columns[i]).asString() != values[i])
            changed = true;
    }
    if (!changed)
        return;
    const std::int32_t key = view.fieldByName(owner.KeyField).asInteger();
    if (key != ShownRecordId)
        return;
    db::Table& target = owner.WriteView;
    if (!target.active() || !target.locate(owner.KeyField, db::Value(static_cast<double>(key))))
        return;
    target.edit();
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        if (!columns[i].empty())
            target.fieldByName(columns[i]).setAsString(values[i]);
    }
    if (kind == kTaskFields) {
        db::Field update = data::ScheduleItemField(target, &data::ScheduleItemRecord::UPDATE);
        state_.UpdateCounter = data::NextUpdateCount(static_cast<float>(update.asFloat()));
        update.setAsFloat(state_.UpdateCounter);
    }
    target.post();
    target.refresh();
    view.refresh();
    if (kind == kTaskFields)
        host_.PushChartRecord(key);
}

void CustomFields::AddDefinitionClick()
{
    if (!SearchMode)
        SaveCustomFieldValues(OwnerKind);
    OldNames = Form.Labels;
    Form.Status.clear();
    Form.SaveEnabled = true;
    for (int i = 0; i < kCustomFieldSlots; ++i) {
        Form.Names[i] = Form.Labels[i];
        Form.LabelShown[i] = false;
        Form.NameShown[i] = true;
    }
    Form.AddDefinitionEnabled = false;
    Form.DeleteAllEnabled = false;
}

void CustomFields::SaveClick()
{
    // Slots in order: a name cleared in an earlier slot frees its column for
    // a name added in a later one.
    for (int i = 0; i < kCustomFieldSlots; ++i)
        DefineCustomField(OwnerKind, OldNames[i], Form.Names[i]);
    LoadCustomFieldNames(OwnerKind);
    LoadCustomFieldValues(OwnerKind);
    Form.SaveEnabled = false;
    Form.AddDefinitionEnabled = true;
    Form.DeleteAllEnabled = true;
}

void CustomFields::DeleteAllClick()
{
    Rules.DeleteAllDefinitions(OwnerKind);
    LoadCustomFieldNames(OwnerKind);
    // The values just emptied are not to be written back by the closing.
    Form.Values = {};
    Close();
}

void CustomFields::FormDestroy()
{
    if (!IsOpen)
        return;
    if (!SearchMode)
        SaveCustomFieldValues(OwnerKind);
    IsOpen = false;
    query_.FilterInProgress = false;
    SearchRunning = false;
    Form.Visible = false;
}

void CustomFields::Close()
{
    FormDestroy();
}

bool CustomFields::SlotMatchesSearch(int slot, int kind)
{
    if (query_.FilterInProgress)
        return true;
    if (slot < 0 || slot >= static_cast<int>(slots_.size()) || kind != OwnerKind || Words.Words(slot).empty())
        return false;
    db::Table& view = OwnerTablesOf(t_, kind).WriteView;
    return Words.SlotMatches(slot, view.fieldByName(slots_[slot].Column).asString());
}

bool CustomFields::MatchesSearch(int kind)
{
    if (!SearchRunning)
        return true;
    for (int slot = 0; slot < kCustomFieldSlots; ++slot) {
        if (SlotMatchesSearch(slot, kind))
            return true;
    }
    return false;
}

void CustomFields::SearchClick()
{
    data::BusyScope hourglass(ui_);
    for (std::string& value : Form.Values)
        value = data::TrimBlanks(value);
    SearchRunning = false;
    Words.Clear();
    for (int slot = 0; slot < kCustomFieldSlots; ++slot) {
        // Hidden slots hold no definition; what they keep from an earlier
        // kind is not a search word.
        if (Form.LabelShown[slot])
            Words.ParseSearchWords(Form.Values[slot], slot);
    }
    if (!Words.HasWords()) {
        hourglass.Release();
        Form.Status = "No search performed";
        return;
    }
    SearchRunning = true;
    const int n = RunSearch(OwnerKind);
    hourglass.Release();
    if (n > 0)
        Close();
    else
        Form.Status = "No search matches";
}

int CustomFields::RunSearch(int kind)
{
    OwnerTables owner = OwnerTablesOf(t_, kind);
    db::Table& view = owner.WriteView;

    // The matches first, through the view's record filter; then one pass
    // over every record sets S2 on them and clears it on the others, writing
    // only the records whose mark changes.
    data::OrFilter filter;
    filter.FilterTextRestart = true;
    const std::string condition = std::string(owner.KeyField) + " = ";
    SearchRunning = true;
    ReopenUnfiltered(view, true);
    std::vector<std::int32_t> keys;
    for (view.first(); !view.eof(); view.next())
        keys.push_back(view.fieldByName(owner.KeyField).asInteger());
    const int count = static_cast<int>(keys.size());
    for (std::int32_t key : keys)
        filter.AddOrFilter(condition + std::to_string(key));

    std::vector<std::int32_t> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    {
        data::BusyScope filtering(query_.FilterInProgress);
        ReopenUnfiltered(view, false);
        for (view.first(); !view.eof(); view.next()) {
            const bool match =
                std::binary_search(sorted.begin(), sorted.end(), view.fieldByName(owner.KeyField).asInteger());
            if (view.fieldByName("S2").asBoolean() == match)
                continue;
            view.edit();
            view.fieldByName("S2").setAsBoolean(match);
            view.post();
        }
    }

    if (count > 0) {
        query_.Search.CustomerSearchActive = kind == kCustomerFields;
        query_.Search.ResourceSearchActive = kind == kResourceFields;
        query_.Search.TaskSearchActive = kind == kTaskFields;
        if (kind == kCustomerFields) {
            query_.Search.CustomerSearchFilter = filter.FilterText;
            host_.RestrictToCustomer();
        } else if (kind == kResourceFields) {
            query_.Search.ResourceSearchFilter = filter.FilterText;
            host_.RestrictTasksToCrew();
        } else {
            query_.Search.TaskSearchFilter = filter.FilterText;
            host_.UpdateSelectControls();
            host_.ApplyQueryFilters();
        }
    } else if (kind == kCustomerFields) {
        query_.Search.CustomerSearchActive = false;
    } else if (kind == kResourceFields) {
        query_.Search.ResourceSearchActive = false;
    } else {
        query_.Search.TaskSearchActive = false;
    }

    const char* what = kind == kCustomerFields ? " customers selected"
        : kind == kResourceFields              ? " resources selected"
                                               : " tasks selected";
    Form.Status = std::to_string(count) + what;
    ui_.RepaintStatus();
    SearchRunning = false;
    return count;
}

}  // namespace tw::customers
