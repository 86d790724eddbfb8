// The My company tab's logic over a started installation's mycomp.dbf and a
// view that holds the typed texts: what is shown, what is written, and what
// is refused.
#include "company/mycompanylogic.h"

#include "scratchinstallation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tw::company {
namespace {

class FakeView : public MyCompanyView {
public:
    void ShowField(CompanyField field, const std::string& text) override { fields[field] = text; }
    std::string FieldText(CompanyField field) const override
    {
        const auto it = fields.find(field);
        return it == fields.end() ? std::string() : it->second;
    }
    void SetEditable(bool on) override { editable = on; }

    std::map<CompanyField, std::string> fields;
    bool editable = false;
};

class MyCompanyLogicTest : public ::testing::Test {
protected:
    MyCompanyLogicTest()
    {
        inst.ops_->OpenAllTables(true);
        EXPECT_TRUE(inst.state_.TablesOpen);
    }
    std::string Stored(const char* column)
    {
        db::Table& t = inst.data_->MyCompanyTable;
        t.refresh();
        t.first();
        return t.fieldByName(column).asString();
    }

    data::testing::ScratchInstallation inst;
    FakeView view;
    MyCompanyLogic logic{view, inst.data_->MyCompanyTable, inst.state_, inst.ui_};
};

TEST_F(MyCompanyLogicTest, TypedFieldsAreWrittenTrimmedAndTooLongOnesRefused)
{
    logic.PageShown();
    EXPECT_TRUE(view.editable);
    EXPECT_EQ(view.fields.size(), CompanyFields().size());
    const struct {
        CompanyField Field;
        std::string Typed;
        bool Written;
        std::string Stored;
    } cases[] = {
        {CompanyField::Name, "  Fernhollow Painting ", true, "Fernhollow Painting"},
        {CompanyField::Address1, "12 Mill Lane", true, "12 Mill Lane"},
        {CompanyField::City, "Dayton", true, "Dayton"},
        {CompanyField::State, "OH", true, "OH"},
        {CompanyField::PostalCode, "45402", true, "45402"},
        {CompanyField::Phone, "555-0199", true, "555-0199"},
        {CompanyField::PostalCode, "4540245402-99", false, "45402"},
        {CompanyField::Name, std::string(101, 'N'), false, "Fernhollow Painting"},
        {CompanyField::Address2, "", true, ""},
    };
    for (const auto& c : cases) {
        const std::size_t messages = inst.ui_.Messages.size();
        view.fields[c.Field] = c.Typed;
        EXPECT_EQ(logic.FieldEdited(c.Field), c.Written) << c.Typed;
        EXPECT_EQ(Stored(SpecOf(c.Field).Column), c.Stored) << c.Typed;
        // A refusal says why and gives the field its stored text back.
        EXPECT_EQ(inst.ui_.Messages.size(), messages + (c.Written ? 0 : 1)) << c.Typed;
        EXPECT_EQ(view.fields[c.Field], c.Stored) << c.Typed;
    }
    EXPECT_EQ(inst.ui_.Messages.back().text, "The company name can have at most 100 characters");

    // Shown again, the page reads what another workstation left.
    db::Table& other = inst.data_->MyCompanyTable;
    other.edit();
    other.fieldByName("MYCITY").setAsString("Kettering");
    other.post();
    logic.PageShown();
    EXPECT_EQ(view.fields[CompanyField::City], "Kettering");
}

TEST_F(MyCompanyLogicTest, AReadOnlyCopyShowsTheRecordAndWritesNothing)
{
    inst.state_.ReadOnlyCopy = true;
    logic.PageShown();
    EXPECT_FALSE(view.editable);
    view.fields[CompanyField::Name] = "Not mine to change";
    EXPECT_FALSE(logic.FieldEdited(CompanyField::Name));
    logic.PageHidden();
    EXPECT_EQ(Stored("MYCOMPY"), "");
}

}  // namespace
}  // namespace tw::company
