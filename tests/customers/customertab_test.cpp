// The Customer details tab's work on the customers: lookup, Reverse, copy to
// the alternate address, active marks, delete refusals, keys and photos.
#include "customersfixture.h"
#include "photofixture.h"

#include "customers/customertab.h"

#include <functional>

namespace tw::customers {
namespace {

// The page as the tab leaves it: the customer the form shows, the caption
// and the labels.
class FakeCustomerView : public CustomerTabView {
public:
    std::function<std::string()> CurrentName;
    std::string shownName, caption, customersLabel, jobsLabel, tasksLabel;
    int queriesApplied = 0;

    void ShowCustomer() override { shownName = CurrentName(); }
    void ShowCustomerPhoto() override {}
    void SetWindowCaption(const std::string& text) override { caption = text; }
    void SetCustomersLabel(const std::string& text) override { customersLabel = text; }
    void SetJobsLabel(const std::string& text) override { jobsLabel = text; }
    void SetTasksLabel(const std::string& text) override { tasksLabel = text; }
    void ApplyCustomerQuery() override { ++queriesApplied; }
};

class CustomerTabTest : public testing::CustomersTest {
protected:
    void SetUp() override
    {
        testing::CustomersTest::SetUp();
        data::TEstimateData& d = D();
        tab = std::make_unique<CustomerTab>(CustomerTabTables{d.CustomersTable, d.CustomersTable2,
                                                              d.CustomersTable3, d.PhotosTable, d.JobsTable,
                                                              d.JobsTable2, d.ChartsTable2, d},
                                            view, state_, ui_);
        view.CurrentName = [this] { return CurrentName(); };
    }

    std::string CurrentName() { return tab->FieldText("LAST") + "/" + tab->FieldText("FIRST"); }

    FakeCustomerView view;
    std::unique_ptr<CustomerTab> tab;
};

TEST_F(CustomerTabTest, LookupFindsTheFirstNameWithThePrefixIgnoringCase)
{
    AddCustomer("Smithers", "Al");
    AddCustomer("Adams", "Bo");
    AddCustomer("Smith", "Cy");
    D().CustomersTable.first();
    EXPECT_TRUE(tab->LocateCustNameClick("smi"));
    EXPECT_EQ(CurrentName(), "Smith/Cy");
    EXPECT_EQ(view.shownName, "Smith/Cy");
    EXPECT_TRUE(ui_.Messages.empty());

    EXPECT_FALSE(tab->LocateCustNameClick("Smithsonian"));
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Customer name not found- try shortening entered name");
    EXPECT_EQ(ui_.Messages[0].caption, "Tarnwick");
    EXPECT_EQ(CurrentName(), "Smith/Cy");
}

TEST_F(CustomerTabTest, ReverseTwiceRestoresAndCopyLeavesTheAlternateContact)
{
    const std::int32_t cid = AddCustomer("Adams", "Bo");
    SetField(D().CustomersTable2, "CID", cid, "ADDR1", "  1 Main St ");
    SetField(D().CustomersTable2, "CID", cid, "CITY", "Springfield");
    SetField(D().CustomersTable2, "CID", cid, "CONTACT1", "Bo Adams");
    SetField(D().CustomersTable2, "CID", cid, "CONTACT2", "Site office");
    D().CustomersTable.refresh();
    D().CustomersTable.first();

    tab->ReverseClick();
    EXPECT_EQ(CurrentName(), "Bo/Adams");
    EXPECT_EQ(view.shownName, "Bo/Adams");
    tab->ReverseClick();
    EXPECT_EQ(CurrentName(), "Adams/Bo");

    tab->CopyClick();
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", cid, "ADDR3"), "1 Main St");
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", cid, "CITY2"), "Springfield");
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", cid, "CONTACT2"), "Site office");
}

TEST_F(CustomerTabTest, MarkAllInactiveUnticksTheRestrictionFirst)
{
    AddCustomer("Adams");
    AddCustomer("Baker", "", true);
    tab->RestrictCustomerClick(true);
    EXPECT_EQ(view.customersLabel, "All active customers");
    EXPECT_EQ(D().CustomersTable.recordCount(), 1);

    tab->MarkAllInactiveClick();
    EXPECT_FALSE(tab->RestrictCustomer);
    EXPECT_EQ(view.customersLabel, "All customers");
    EXPECT_EQ(D().CustomersTable.recordCount(), 2);
    for (D().CustomersTable2.first(); !D().CustomersTable2.eof(); D().CustomersTable2.next())
        EXPECT_TRUE(D().CustomersTable2.fieldByName("S1").asBoolean());

    tab->MarkAllActiveClick();
    tab->RestrictCustomerClick(true);
    EXPECT_EQ(D().CustomersTable.recordCount(), 2);
}

TEST_F(CustomerTabTest, DeleteIsRefusedForAScheduledCustomerAndTakesTheJobsOtherwise)
{
    const std::int32_t busy = AddCustomer("Adams");
    const std::int32_t idle = AddCustomer("Baker");
    AddTask("Roof", busy);
    AddJob(busy, "Roof job");
    AddJob(idle, "Deck job");
    AddJob(idle, "Fence job");

    ASSERT_TRUE(D().CustomersTable.locate("CID", db::Value(static_cast<double>(busy))));
    EXPECT_FALSE(tab->DeleteCustomer());
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Cannot delete a customer with a scheduled task");
    EXPECT_EQ(D().CustomersTable2.recordCount(), 2);

    ASSERT_TRUE(D().CustomersTable.locate("CID", db::Value(static_cast<double>(idle))));
    EXPECT_TRUE(tab->DeleteCustomer());
    EXPECT_EQ(FieldOf(D().CustomersTable2, "CID", idle, "LAST"), "<missing>");
    D().JobsTable2.refresh();
    EXPECT_EQ(D().JobsTable2.recordCount(), 1);
    EXPECT_FALSE(D().JobsTable2.locate("CID", db::Value(static_cast<double>(idle))));
}

TEST_F(CustomerTabTest, KeysActOnlyWhileTheTabShows)
{
    AddCustomer("Adams");
    AddCustomer("Baker");
    D().CustomersTable.first();
    const TabKey keys[] = {TabKey::PageDown, TabKey::PageUp, TabKey::ArrowUp, TabKey::ArrowDown,
                           TabKey::Insert};
    for (TabKey key : keys)
        EXPECT_FALSE(tab->HandleKey(key, false));
    EXPECT_EQ(CurrentName(), "Adams/");
    EXPECT_EQ(D().CustomersTable2.recordCount(), 2);

    EXPECT_TRUE(tab->HandleKey(TabKey::PageDown, true));
    EXPECT_EQ(CurrentName(), "Baker/");
    EXPECT_EQ(view.shownName, "Baker/");
    EXPECT_TRUE(tab->HandleKey(TabKey::PageUp, true));
    EXPECT_EQ(CurrentName(), "Adams/");
    EXPECT_TRUE(tab->HandleKey(TabKey::ArrowDown, true));
    EXPECT_EQ(CurrentName(), "Adams/");
    EXPECT_FALSE(tab->HandleKey(TabKey::Other, true));

    EXPECT_TRUE(tab->HandleKey(TabKey::Insert, true));
    EXPECT_EQ(D().CustomersTable2.recordCount(), 3);
    EXPECT_EQ(CurrentName(), "Customer/New");
    EXPECT_EQ(view.shownName, "Customer/New");
    EXPECT_EQ(view.caption, "Enter new customer info");
    EXPECT_EQ(view.jobsLabel, "No jobs");
    EXPECT_EQ(view.tasksLabel, "No tasks");
    EXPECT_EQ(view.queriesApplied, 1) << "the other views follow the new customer";
    EXPECT_EQ(view.customersLabel, "All customers");

    // A read-only copy takes the key and adds nothing.
    state_.ReadOnlyCopy = true;
    EXPECT_TRUE(tab->HandleKey(TabKey::Insert, true));
    EXPECT_EQ(D().CustomersTable2.recordCount(), 3);
}

TEST_F(CustomerTabTest, PhotoPanelShowsTheContactInUse)
{
    const std::int32_t cid = AddCustomer("Adams");
    SetField(D().CustomersTable2, "CID", cid, "CONTACT1", "Bo Adams");
    SetField(D().CustomersTable2, "CID", cid, "CONTACT2", "Site office");
    const auto one = testing::QuadrantJpeg(64, 48), two = testing::QuadrantJpeg(48, 64);
    tab->Photos.Save(cid, false, one, 1);
    tab->Photos.Save(cid, true, two, 2);
    D().CustomersTable.refresh();
    D().CustomersTable.first();

    PhotoPanelContent shown = tab->CurrentPhoto();
    EXPECT_EQ(shown.Caption, "Bo Adams");
    EXPECT_EQ(shown.Bytes, one);
    EXPECT_EQ(shown.Scale, 1);

    tab->UseAltClick(true);
    shown = tab->CurrentPhoto();
    EXPECT_EQ(shown.Caption, "Site office");
    EXPECT_EQ(shown.Bytes, two);
    const CustomerTab::PhotoChoice choice = tab->PhotoDoubleClick();
    EXPECT_TRUE(choice.Photo2);
    EXPECT_EQ(choice.Scale, 2);
    EXPECT_EQ(choice.Cid, cid);

    // Deleting photo 2 keeps photo 1, which shows once the main address is in use.
    tab->Photos.Delete(cid, true);
    D().CustomersTable.refresh();
    EXPECT_TRUE(tab->CurrentPhoto().Bytes.empty());
    tab->UseAltClick(false);
    EXPECT_EQ(tab->CurrentPhoto().Bytes, one);
}

TEST_F(CustomerTabTest, WithoutAPhotoTheDialogOpensAtOneToEight)
{
    AddCustomer("Adams");
    D().CustomersTable.first();
    EXPECT_EQ(tab->PhotoDoubleClick().Scale, 3);
    EXPECT_TRUE(tab->CurrentPhoto().Caption.empty());
}

}  // namespace
}  // namespace tw::customers
