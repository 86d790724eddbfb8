// Showing and saving custom field values, and the search that marks and
// selects the matching customers, resources and tasks.
#include "customersfixture.h"

#include "customers/customfields.h"

namespace tw::customers {
namespace {

// The Add / Edit / Query page and the shared schedule as the custom fields
// reach them: the restrictions ticked, the task search the page's query last
// ran under, its customers label, the tasks pulled and pushed.
class FakeFieldsHost : public CustomFieldsHost {
public:
    explicit FakeFieldsHost(const query::SearchState& search) : search_(search) {}

    bool restrictedToCustomer = false;
    bool restrictedToCrew = false;
    std::string queriedTaskSearch;
    std::string customersLabel;
    std::vector<std::int32_t> pulled, pushed;

    // What a search changed on the page, forgetting earlier ones.
    void ClearPage()
    {
        restrictedToCustomer = restrictedToCrew = false;
        queriedTaskSearch.clear();
        customersLabel.clear();
    }

    void PullChartRecord(std::int32_t key) override { pulled.push_back(key); }
    void PushChartRecord(std::int32_t key) override { pushed.push_back(key); }
    void RestrictToCustomer() override { restrictedToCustomer = true; }
    void RestrictTasksToCrew() override { restrictedToCrew = true; }
    void UpdateSelectControls() override {}
    void ApplyQueryFilters() override
    {
        queriedTaskSearch = search_.TaskSearchActive ? search_.TaskSearchFilter : "(none)";
    }
    void SetCustomersLabel(const std::string& text) override { customersLabel = text; }

private:
    const query::SearchState& search_;
};

class CustomFieldsTest : public testing::CustomersTest {
protected:
    void SetUp() override
    {
        testing::CustomersTest::SetUp();
        fields = std::make_unique<CustomFields>(FieldTables(), D().Views(), host, queryState, state_, ui_);
    }

    // Moves the customers view as the navigator does, with the data module's
    // handlers around the move.
    void GoToCustomer(std::int32_t cid)
    {
        D().CustomersTableBeforeScroll();
        ASSERT_TRUE(D().CustomersTable.locate("CID", db::Value(static_cast<double>(cid))));
        D().CustomersTableAfterScroll();
    }

    // Types search words into the slots and runs the search.
    void Search(int kind, std::vector<std::string> words)
    {
        if (!fields->IsOpen)
            fields->Open(true, 0, false, 0);
        fields->Form.SearchSelection = kind - 1;
        fields->SearchSelectionClick();
        fields->Form.Values = {};
        for (std::size_t i = 0; i < words.size(); ++i)
            fields->Form.Values[i] = words[i];
        host.ClearPage();
        fields->SearchClick();
    }

    query::QueryState queryState;
    FakeFieldsHost host{queryState.Search};
    std::unique_ptr<CustomFields> fields;
};

TEST_F(CustomFieldsTest, AValueChangedBeforeAMoveGoesToTheCustomerThatWasLeft)
{
    fields->Rules.DefineCustomField(kCustomerFields, "", "DOG");
    const std::int32_t a = AddCustomer("Adams");
    const std::int32_t b = AddCustomer("Baker");
    SetField(D().CustomersTable2, "CID", b, "CFV1", "Fido");
    GoToCustomer(a);

    fields->Open(false, kCustomerFields, false, 0);
    EXPECT_EQ(fields->Form.Caption, "Custom fields for Adams");
    EXPECT_EQ(fields->Form.Labels[0], "DOG");
    EXPECT_EQ(fields->Form.Values[0], "");
    fields->Form.Values[0] = "  Rex  ";
    GoToCustomer(b);
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "Rex");
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", b, "CFV1"), "Fido");
    EXPECT_EQ(fields->Form.Values[0], "Fido");

    // A value longer than the column is cut to it when stored.
    fields->Form.Values[0] = std::string(45, 'x');
    fields->DoneEditClick();
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", b, "CFV1"), std::string(40, 'x'));
    EXPECT_FALSE(fields->IsOpen);
}

TEST_F(CustomFieldsTest, NothingIsSavedInAReadOnlyCopyOrIntoAnotherRecord)
{
    fields->Rules.DefineCustomField(kCustomerFields, "", "DOG");
    const std::int32_t a = AddCustomer("Adams");
    const std::int32_t b = AddCustomer("Baker");
    GoToCustomer(a);
    fields->Open(false, kCustomerFields, true, 0);
    EXPECT_TRUE(fields->Form.ValuesReadOnly);
    EXPECT_FALSE(fields->Form.AddDefinitionEnabled);
    fields->Form.Values[0] = "Rex";
    fields->DoneEditClick();
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "");

    // The view moved without the handlers (another window's doing): the
    // shown values belong to a and are not written into b.
    fields->Open(false, kCustomerFields, false, 0);
    fields->Form.Values[0] = "Rex";
    ASSERT_TRUE(D().CustomersTable.locate("CID", db::Value(static_cast<double>(b))));
    fields->SaveCustomFieldValues(kCustomerFields);
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", b, "CFV1"), "");
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "");
}

TEST_F(CustomFieldsTest, SavingATaskValueRaisesItsChangeCounterAndPushesOnlyIt)
{
    fields->Rules.DefineCustomField(kTaskFields, "", "PERMIT");
    const std::int32_t t1 = AddTask("Roof");
    AddTask("Gutters");
    D().ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(t1)));
    fields->Open(false, kTaskFields, false, 0);
    fields->Form.Values[0] = "P-77";
    fields->SaveCustomFieldValues(kTaskFields);
    EXPECT_EQ(FieldOf(D().ChartsTable2, "CHARTSID", t1, "CFV1"), "P-77");
    EXPECT_FLOAT_EQ(static_cast<float>(D().ChartsTable2.fieldByName("UPDATE").asFloat()), 6.0f);
    EXPECT_EQ(host.pulled, std::vector<std::int32_t>{t1}) << "the shared record's values are shown";
    EXPECT_EQ(host.pushed, std::vector<std::int32_t>{t1});
    // Blanks typed after the value change nothing.
    fields->Form.Values[0] = "P-77   ";
    fields->SaveCustomFieldValues(kTaskFields);
    EXPECT_EQ(host.pushed.size(), 1u);
}

TEST_F(CustomFieldsTest, SearchMarksAndSelectsMatchingCustomers)
{
    fields->Rules.DefineCustomField(kCustomerFields, "", "DOG");
    fields->Rules.DefineCustomField(kCustomerFields, "", "GATE");
    const std::int32_t a = AddCustomer("Adams");
    const std::int32_t b = AddCustomer("Baker");
    const std::int32_t c = AddCustomer("Clark");
    SetField(D().CustomersTable2, "CID", a, "CFV1", "Smithson-42b");
    SetField(D().CustomersTable2, "CID", b, "CFV1", "Blacksmith");
    SetField(D().CustomersTable2, "CID", c, "CFV2", "code 9911");
    SetField(D().CustomersTable2, "CID", b, "S2", "T");  // a mark of an earlier search

    // Slots are alternatives: a matches DOG, c matches GATE.
    Search(kCustomerFields, {"Smith, 42", "99"});
    EXPECT_FALSE(fields->IsOpen);
    EXPECT_EQ(fields->Form.Status, "2 customers selected");
    EXPECT_TRUE(queryState.Search.CustomerSearchActive);
    EXPECT_FALSE(queryState.Search.ResourceSearchActive);
    EXPECT_EQ(queryState.Search.CustomerSearchFilter,
              "(CID = " + std::to_string(a) + ") OR (CID = " + std::to_string(c) + ")");
    EXPECT_TRUE(host.restrictedToCustomer);
    EXPECT_FALSE(host.restrictedToCrew);
    EXPECT_TRUE(host.queriedTaskSearch.empty());
    EXPECT_TRUE(BoolOf(D().CustomersTable2, "CID", a, "S2"));
    EXPECT_FALSE(BoolOf(D().CustomersTable2, "CID", b, "S2"));
    EXPECT_TRUE(BoolOf(D().CustomersTable2, "CID", c, "S2"));
    // The view is whole again and passes every record.
    EXPECT_EQ(D().CustomersTable2.recordCount(), 3);
}

TEST_F(CustomFieldsTest, SearchWithoutWordsOrMatchesSaysSoAndStaysOpen)
{
    fields->Rules.DefineCustomField(kCustomerFields, "", "DOG");
    const std::int32_t a = AddCustomer("Adams");
    SetField(D().CustomersTable2, "CID", a, "CFV1", "Rex");
    fields->Open(true, 0, false, 0);
    EXPECT_EQ(fields->Form.Caption, "Custom field search");
    Search(kCustomerFields, {" ,;: "});
    EXPECT_EQ(fields->Form.Status, "No search performed");
    EXPECT_TRUE(fields->IsOpen);

    queryState.Search.CustomerSearchActive = true;
    Search(kCustomerFields, {"Fido"});
    EXPECT_EQ(fields->Form.Status, "No search matches");
    EXPECT_TRUE(fields->IsOpen);
    EXPECT_FALSE(queryState.Search.CustomerSearchActive);
    EXPECT_EQ(fields->Form.Values[0], "Fido");
}

TEST_F(CustomFieldsTest, ThreeResourcesSelected)
{
    fields->Rules.DefineCustomField(kResourceFields, "", "TRUCK");
    for (const char* truck : {"Ford 1", "ford 2", "Volvo", "FORDSON"}) {
        const std::int32_t id = AddResource(std::string("Crew ") + truck);
        SetField(D().CrewsTable2, "CREWID", id, "CFV1", truck);
    }
    queryState.Search.TaskSearchActive = true;
    Search(kResourceFields, {"ford"});
    EXPECT_EQ(fields->Form.Status, "3 resources selected");
    EXPECT_TRUE(queryState.Search.ResourceSearchActive);
    EXPECT_FALSE(queryState.Search.TaskSearchActive);
    EXPECT_TRUE(host.restrictedToCrew);
    EXPECT_FALSE(host.restrictedToCustomer);
    EXPECT_TRUE(host.queriedTaskSearch.empty());
    int ors = 0;
    for (std::size_t p = queryState.Search.ResourceSearchFilter.find(" OR "); p != std::string::npos;
         p = queryState.Search.ResourceSearchFilter.find(" OR ", p + 1))
        ++ors;
    EXPECT_EQ(ors, 2);
}

// A deactivated definition sorting ahead of the active ones shifts INDEX
// against the slots on screen; the words typed beside a name are tested
// against that name's column.
TEST_F(CustomFieldsTest, SearchTestsEachSlotAgainstTheDefinitionShownInIt)
{
    fields->Rules.DefineCustomField(kTaskFields, "", "AAA OLD");  // CFV1
    fields->Rules.DefineCustomField(kTaskFields, "", "PERMIT");   // CFV2
    fields->Rules.DefineCustomField(kTaskFields, "AAA OLD", "");
    const std::int32_t t1 = AddTask("Roof");
    const std::int32_t t2 = AddTask("Deck");
    SetField(D().ChartsTable2, "CHARTSID", t1, "CFV1", "P-100");  // the old field's stale value
    SetField(D().ChartsTable2, "CHARTSID", t2, "CFV2", "P-200");

    fields->Open(true, 0, false, 0);
    fields->Form.SearchSelection = 2;
    fields->SearchSelectionClick();
    ASSERT_EQ(fields->Form.Labels[0], "PERMIT");
    Search(kTaskFields, {"P"});
    EXPECT_EQ(fields->Form.Status, "1 tasks selected");
    EXPECT_EQ(queryState.Search.TaskSearchFilter, "(CHARTSID = " + std::to_string(t2) + ")");
    EXPECT_EQ(host.queriedTaskSearch, queryState.Search.TaskSearchFilter)
        << "the page's query runs under the search";
    EXPECT_FALSE(host.restrictedToCustomer || host.restrictedToCrew);
    // Task marks stay in the working copy: nothing is pushed.
    EXPECT_TRUE(host.pushed.empty());
}

TEST_F(CustomFieldsTest, OpeningTheSearchCancelsAnEarlierOne)
{
    queryState.Search.CustomerSearchActive = true;
    D().CustomersTable.close();
    D().CustomersTable.setFilter("CID = 1");
    D().CustomersTable.setFiltered(true);
    D().CustomersTable.open();
    AddCustomer("Adams");
    EXPECT_EQ(D().CustomersTable.recordCount(), 0);
    fields->Open(true, 0, false, 0);
    EXPECT_FALSE(queryState.Search.CustomerSearchActive);
    EXPECT_EQ(D().CustomersTable.recordCount(), 1);
    EXPECT_EQ(host.customersLabel, "All customers");
    // Opening again while open changes neither kind nor mode.
    fields->Open(false, kResourceFields, false, 0);
    EXPECT_TRUE(fields->SearchMode);
}

TEST_F(CustomFieldsTest, EditNamesThenSaveAppliesEverySlotInOrder)
{
    fields->Rules.DefineCustomField(kCustomerFields, "", "DOG");
    fields->Rules.DefineCustomField(kCustomerFields, "", "GATE");
    const std::int32_t a = AddCustomer("Adams");
    SetField(D().CustomersTable2, "CID", a, "CFV1", "Rex");
    GoToCustomer(a);
    fields->Open(false, kCustomerFields, false, 0);
    fields->AddDefinitionClick();
    EXPECT_TRUE(fields->Form.NameShown[6]);
    EXPECT_TRUE(fields->Form.SaveEnabled);
    // Clear slot 1, name slot 7: the new field takes slot 1's column, emptied.
    fields->Form.Names[0] = "";
    fields->Form.Names[6] = "alarm";
    fields->SaveClick();
    EXPECT_EQ(fields->Form.Labels[0], "ALARM");
    EXPECT_EQ(fields->Form.Labels[1], "GATE");
    EXPECT_FALSE(fields->Form.LabelShown[2]);
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "");
    EXPECT_FALSE(fields->Form.SaveEnabled);

    fields->DeleteAllClick();
    EXPECT_FALSE(fields->IsOpen);
    EXPECT_TRUE(fields->Rules.Definitions(kCustomerFields).empty());
}

}  // namespace
}  // namespace tw::customers
