// What the reports share: the company line and the customer's address block
// with missing parts, the paper of each page format code, and the one
// page-format rule of preview, print and PDF.

#include <gtest/gtest.h>

#include "reportfixture.h"
#include "reports/reportcommon.h"
#include "reports/reportframe.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

class ReportFrame : public ::testing::Test, public ReportFixture {};

TEST_F(ReportFrame, CompanyLineKeepsTwoBlanksBetweenEveryPart)
{
    struct Case {
        const char* name;
        const char *addr1, *addr2;
        const char* line;
    } cases[] = {
        {"both address lines", "1 Main St", "Suite 4", "Acme  1 Main St  Suite 4  Springfield  IL  555-0100"},
        {"only the second", "", " Suite 4 ", "Acme  Suite 4  Springfield  IL  555-0100"},
        {"no address", "", "", "Acme    Springfield  IL  555-0100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetCompany(" Acme ", c.addr1, c.addr2, "Springfield", "IL", "555-0100");
        EXPECT_EQ(CompanyLine(company), c.line);
    }
}

TEST_F(ReportFrame, AddressBlockOfTheCurrentCustomer)
{
    AddCustomer({{"CONTACT1", "Ann Baker"},
                 {"PHONE1", "555-0101"},
                 {"EMAIL1", "ann@example.com"},
                 {"ADDR2", "Unit 3"},
                 {"CITY", "Dayton"},
                 {"POSTAL", "45402"},
                 {"COUNTRY", "USA"},
                 {"CONTACT2", "Bob Baker"},
                 {"ADDR3", "9 Elm St"},
                 {"ADDR4", "Rear"},
                 {"CITY2", "Xenia"},
                 {"STATE2", "OH"}});
    customers.first();
    AddressBlock a = CustomerAddress(customers, selection);
    EXPECT_EQ(a.Contact, "Contact: Ann Baker   Phone: 555-0101   E-Mail: ann@example.com");
    EXPECT_EQ(a.Street, "Unit 3");
    EXPECT_EQ(a.City, "Dayton    45402  USA") << "city without state: four blanks";

    customers.edit();
    customers.fieldByName("USEALT").setAsBoolean(true);
    customers.post();
    a = CustomerAddress(customers, selection);
    EXPECT_EQ(a.Contact, "Contact: Bob Baker");
    EXPECT_EQ(a.Street, "9 Elm St, Rear");
    EXPECT_EQ(a.City, "Xenia,  OH    ");

    struct Case {
        const char* name;
        void (*set)(SelectionState&);
        bool oneCustomer;
    } cases[] = {
        {"show all", [](SelectionState& s) { s.RestrictToActive = true; }, false},
        {"by date", [](SelectionState& s) { s.RestrictByDate = true; }, false},
        {"by date and customer", [](SelectionState& s) { s.RestrictByDate = s.RestrictToCustomer = true; },
         true},
        {"a task search", [](SelectionState& s) { s.TaskSearchActive = true; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectionState s;
        c.set(s);
        EXPECT_EQ(ForOneCustomer(s), c.oneCustomer);
        EXPECT_EQ(CustomerAddress(customers, s).Street.isEmpty(), !c.oneCustomer);
    }
}

TEST_F(ReportFrame, PageFormatCodesChoosePaperAndOrientation)
{
    struct Case {
        int code;
        double width, height;
    } cases[] = {{0, 816, 1056},
                 {1, 1056, 816},
                 {2, 816, 1344},
                 {3, 1344, 816},
                 {4, 210 / 25.4 * 96, 297 / 25.4 * 96},
                 {5, 297 / 25.4 * 96, 210 / 25.4 * 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        PageSetup setup;
        setup.ApplyPageFormatCode(c.code);
        EXPECT_NEAR(setup.Width(), c.width, 0.5);
        EXPECT_NEAR(setup.Height(), c.height, 0.5);
    }
    PageSetup legalLandscape;
    legalLandscape.ApplyPageFormatCode(3);
    legalLandscape.ApplyPageFormatCode(7);
    EXPECT_EQ(legalLandscape.Size, QPageSize::Legal) << "an unknown code leaves the page as it was";
    EXPECT_EQ(legalLandscape.Orientation, QPageLayout::Landscape);
}

TEST_F(ReportFrame, LandscapeOnlyForTheTextReportWithOriginalInformation)
{
    struct Case {
        int code, type;
        bool original;
        int effective;
    } cases[] = {
        {2, TextReport, true, 3}, {5, TextReport, true, 5},        {0, TextReport, false, 0},
        {0, GanttChart, true, 0}, {2, AnnotatedBarChart, true, 2}, {4, ResourceSummary, true, 4},
        {7, TextReport, true, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code << " type " << c.type);
        EXPECT_EQ(EffectivePageFormatCode(c.code, c.type, c.original), c.effective);
    }
}

}  // namespace
