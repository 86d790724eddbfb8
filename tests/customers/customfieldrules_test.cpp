// Defining, renaming, deactivating and re-using custom fields in custom.dbf.
#include "customersfixture.h"

#include "customers/customfieldrules.h"

namespace tw::customers {
namespace {

class CustomFieldRulesTest : public testing::CustomersTest {
protected:
    CustomFieldRules rules{FieldTables(), state_};

    // "NAME:CFVn" of every definition of the kind in NAME order, deactivated
    // ones marked with a minus, with INDEX.
    std::vector<std::string> Listing(int kind)
    {
        std::vector<std::string> out;
        for (const CustomFieldDefinition& d : rules.Definitions(kind))
            out.push_back((d.Active ? "" : "-") + d.Name + ":" + d.Column + "#" + std::to_string(d.Index));
        return out;
    }
};

TEST_F(CustomFieldRulesTest, NamesAreStoredTrimmedInCapitals)
{
    EXPECT_TRUE(rules.DefineCustomField(kCustomerFields, "", "  gate code  "));
    EXPECT_EQ(Listing(kCustomerFields), (std::vector<std::string>{"GATE CODE:CFV1#0"}));
    // The same name in another case, in the slot that holds it, changes nothing.
    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "GATE CODE", " Gate Code"));
    // Only a-z are raised.
    EXPECT_TRUE(rules.DefineCustomField(kCustomerFields, "", "d\xC3\xA4mon"));
    EXPECT_EQ(rules.ActiveDefinitions(kCustomerFields).front().Name, "D\xC3\xA4MON");
    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "", "   "));
}

TEST_F(CustomFieldRulesTest, SevenFieldsPerKindEachOnItsOwnColumn)
{
    for (int i = 1; i <= 7; ++i)
        EXPECT_TRUE(rules.DefineCustomField(kResourceFields, "", "F" + std::to_string(i)));
    EXPECT_FALSE(rules.DefineCustomField(kResourceFields, "", "EIGHTH"));
    const auto defs = rules.Definitions(kResourceFields);
    ASSERT_EQ(defs.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(defs[i].Column, "CFV" + std::to_string(i + 1));
    // Other kinds have seven of their own, and may repeat a name.
    EXPECT_TRUE(rules.DefineCustomField(kTaskFields, "", "F1"));
    EXPECT_EQ(Listing(kTaskFields), (std::vector<std::string>{"F1:CFV1#0"}));
}

TEST_F(CustomFieldRulesTest, RenamingKeepsTheColumnAndRefusesAnotherFieldsName)
{
    rules.DefineCustomField(kCustomerFields, "", "DOG");
    rules.DefineCustomField(kCustomerFields, "", "GATE");
    const std::int32_t cid = AddCustomer("Adams");
    SetField(D().CustomersTable2, "CID", cid, "CFV1", "Rex");

    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "DOG", "gate"));
    EXPECT_TRUE(rules.DefineCustomField(kCustomerFields, "DOG", "Pet"));
    EXPECT_EQ(Listing(kCustomerFields), (std::vector<std::string>{"GATE:CFV2#0", "PET:CFV1#1"}));
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", cid, "CFV1"), "Rex");
    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "GONE", "OTHER"));
}

TEST_F(CustomFieldRulesTest, DeactivateThenReactivateOrReuseWithTheColumnEmptied)
{
    rules.DefineCustomField(kCustomerFields, "", "DOG");
    rules.DefineCustomField(kCustomerFields, "", "GATE");
    const std::int32_t a = AddCustomer("Adams");
    const std::int32_t b = AddCustomer("Baker");
    SetField(D().CustomersTable2, "CID", a, "CFV1", "Rex");
    SetField(D().CustomersTable2, "CID", b, "CFV1", "Fido");

    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "DOG", ""));
    // INDEX still counts the deactivated definition.
    EXPECT_EQ(Listing(kCustomerFields), (std::vector<std::string>{"-DOG:CFV1#0", "GATE:CFV2#1"}));
    ASSERT_EQ(rules.ActiveDefinitions(kCustomerFields).size(), 1u);
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "Rex");

    // The same name again brings back its values.
    EXPECT_TRUE(rules.DefineCustomField(kCustomerFields, "", "dog"));
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "Rex");

    // A different name re-uses the deactivated column, emptied in every record.
    rules.DefineCustomField(kCustomerFields, "DOG", "");
    EXPECT_TRUE(rules.DefineCustomField(kCustomerFields, "", "ALARM"));
    EXPECT_EQ(Listing(kCustomerFields), (std::vector<std::string>{"ALARM:CFV1#0", "GATE:CFV2#1"}));
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", a, "CFV1"), "");
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", b, "CFV1"), "");
}

TEST_F(CustomFieldRulesTest, AnActiveNameIsNotAddedTwice)
{
    rules.DefineCustomField(kCustomerFields, "", "DOG");
    EXPECT_FALSE(rules.DefineCustomField(kCustomerFields, "", "Dog"));
    EXPECT_EQ(rules.Definitions(kCustomerFields).size(), 1u);
}

TEST_F(CustomFieldRulesTest, DeleteAllTouchesOnlyItsKind)
{
    rules.DefineCustomField(kCustomerFields, "", "DOG");
    rules.DefineCustomField(kResourceFields, "", "TRUCK");
    rules.DefineCustomField(kResourceFields, "", "LICENCE");
    const std::int32_t cid = AddCustomer("Adams");
    const std::int32_t crew = AddResource("Crew A");
    SetField(D().CustomersTable2, "CID", cid, "CFV1", "Rex");
    SetField(D().CrewsTable2, "CREWID", crew, "CFV2", "T-12");
    SetField(D().CrewsTable2, "CREWID", crew, "CFV7", "left over");

    rules.DeleteAllDefinitions(kResourceFields);
    EXPECT_TRUE(rules.Definitions(kResourceFields).empty());
    EXPECT_EQ(FieldOf(D().CrewsTable2, "CREWID", crew, "CFV2"), "");
    EXPECT_EQ(FieldOf(D().CrewsTable2, "CREWID", crew, "CFV7"), "");
    EXPECT_EQ(Listing(kCustomerFields), (std::vector<std::string>{"DOG:CFV1#0"}));
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", cid, "CFV1"), "Rex");
}

}  // namespace
}  // namespace tw::customers
