// A schedule row read and written through its one field table: what goes in
// comes back in both working tables, a task-list row passes over the chart's
// own fields, and a partial write touches nothing else.
#include <gtest/gtest.h>

#include "data/records/scheduleitemrecord.h"
#include "workstation.h"

using namespace tw;
using namespace tw::data;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

ScheduleItemRecord Sample()
{
    ScheduleItemRecord r;
    r.CHARTSID = 501;
    r.TID = 7;
    r.CID = 3;
    r.JID = 4;
    r.PID = 9;
    r.CREWID = 11;
    r.LISTID = "L-1";
    r.JLID = "J-1";
    r.DESC = "Paint hall";
    r.TDESC = "Anna";
    r.CUSTNAME = "Hartley";
    r.JOBNAME = "Hall";
    r.NOTES = "bring ladder\n";
    r.BIDID = 2;
    r.SHOWIT = false;
    r.JOB = true;
    r.SD = r.OSD = 46000.25;
    r.ED = r.OED = 46001.75;
    r.SDD = 46000;
    r.EDD = 46001;
    r.HOURS = r.OHOURS = 12.5;
    r.NEW = true;
    r.PIN = 2;
    r.COST = 42.5;
    r.TCOST = 531.25;
    r.PTR = 5;
    r.OFFSET = 0.5;
    r.CHILD = 502;
    r.PARENT = true;
    r.ORDER = 25;
    r.USED = true;
    r.DG = 1.5;
    r.DGN = 6;
    r.LINK = 503;
    r.CHAIN = 2;
    r.RESOURCE = 4;
    r.ROOT = true;
    r.RPERIOD = 3;
    r.RCOUNT = 4;
    r.REPEAT = 5;
    r.CREPEATH = 6;
    r.UPDATE = 1.25;
    return r;
}

// Every member by its field name, for comparing two records field by field.
std::map<std::string, std::string> Fields(db::Table& t)
{
    std::map<std::string, std::string> out;
    for (const db::FieldDef& def : t.fieldDefs())
        out[def.name] = t.fieldByName(def.name).asString();
    return out;
}

class ScheduleItemRecordTest : public ::testing::Test, protected OneWorkstation {
protected:
    // Appends the sample to a table and reads it back.
    ScheduleItemRecord RoundTrip(db::Table& t, const ScheduleItemRecord& r)
    {
        t.append();
        WriteScheduleItem(t, r);
        t.post();
        EXPECT_TRUE(t.locate("CHARTSID", db::Value(static_cast<double>(r.CHARTSID))));
        return ReadScheduleItem(t);
    }
};

TEST_F(ScheduleItemRecordTest, EveryFieldComesBackAsWritten)
{
    const ScheduleItemRecord in = Sample();
    const ScheduleItemRecord out = RoundTrip(ws->ChartsTable5, in);
    // Compared through a second write, so that a member the table forgot to
    // read or write shows as a difference in the file.
    ws->ChartsTable7.refresh();
    ws->ChartsTable7.append();
    WriteScheduleItem(ws->ChartsTable7, out);
    ws->ChartsTable7.fieldByName("CHARTSID").setAsInteger(601);
    ws->ChartsTable7.post();
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(501.0)));
    std::map<std::string, std::string> first = Fields(ws->ChartsTable5);
    ws->ChartsTable7.refresh();
    ASSERT_TRUE(ws->ChartsTable7.locate("CHARTSID", db::Value(601.0)));
    std::map<std::string, std::string> second = Fields(ws->ChartsTable7);
    first.erase("CHARTSID");
    second.erase("CHARTSID");
    EXPECT_EQ(first, second);

    EXPECT_EQ(out.DESC, in.DESC);
    EXPECT_EQ(out.NOTES, in.NOTES);
    EXPECT_DOUBLE_EQ(out.HOURS, in.HOURS);
    EXPECT_DOUBLE_EQ(out.SD, in.SD);
    EXPECT_DOUBLE_EQ(out.EDD, in.EDD);
    EXPECT_EQ(out.LINK, in.LINK);
    EXPECT_EQ(out.ROOT, in.ROOT);
    EXPECT_EQ(out.PIN, in.PIN);
}

TEST_F(ScheduleItemRecordTest, ATaskListRowPassesOverTheChartsOwnFields)
{
    const ScheduleItemRecord out = RoundTrip(ws->TasksTable3, Sample());
    EXPECT_EQ(out.DESC, "Paint hall");
    EXPECT_DOUBLE_EQ(out.HOURS, 12.5);
    EXPECT_EQ(out.CREPEATH, 6);
    // Tasks.DBF has no PTR, DG, DGN, NEW or PIN: they read as the defaults.
    const ScheduleItemRecord none;
    EXPECT_EQ(out.PTR, none.PTR);
    EXPECT_EQ(out.DGN, none.DGN);
    EXPECT_EQ(out.NEW, none.NEW);
    EXPECT_EQ(out.PIN, none.PIN);
}

TEST_F(ScheduleItemRecordTest, APartialWriteTouchesOnlyTheNamedFields)
{
    using Item = ScheduleItemRecord;
    db::Table& t = ws->ChartsTable5;
    RoundTrip(t, Sample());
    Item changed;  // every other member differs from the stored row
    changed.HOURS = 3;
    changed.DESC = "Paint hall twice";
    t.edit();
    WriteScheduleItemFields(t, changed, &Item::HOURS, &Item::DESC);
    t.post();
    ASSERT_TRUE(t.locate("CHARTSID", db::Value(501.0)));
    Item expected = Sample();
    expected.HOURS = 3;
    expected.DESC = "Paint hall twice";
    const Item out = ReadScheduleItem(t);
    EXPECT_DOUBLE_EQ(out.HOURS, 3);
    EXPECT_EQ(out.DESC, expected.DESC);
    EXPECT_EQ(out.NOTES, expected.NOTES) << "no notes given: the memo stays";
    EXPECT_EQ(out.CUSTNAME, expected.CUSTNAME);
    EXPECT_EQ(out.LINK, expected.LINK);
    EXPECT_DOUBLE_EQ(out.SD, expected.SD);
}

TEST_F(ScheduleItemRecordTest, MembersNameTheirFields)
{
    using Item = ScheduleItemRecord;
    EXPECT_STREQ(ScheduleItemFieldName(&Item::CHARTSID), "CHARTSID");
    EXPECT_STREQ(ScheduleItemFieldName(&Item::HOURS), "HOURS");
    EXPECT_STREQ(ScheduleItemFieldName(&Item::NOTES), "NOTES");
    EXPECT_STREQ(ScheduleItemFieldName(&Item::SDD), "SDD");
    EXPECT_STREQ(ScheduleItemFieldName(&Item::CREPEATH), "CREPEATH");
    EXPECT_EQ(ScheduleItemFieldNames(&Item::JOB, &Item::JID), "JOB;JID");
    EXPECT_EQ(ScheduleItemFieldNames(&Item::JOBNAME, &Item::DESC, &Item::CUSTNAME), "JOBNAME;DESC;CUSTNAME");
}

// The locate by key finds the item among others and reports a key that is
// not there.
TEST_F(ScheduleItemRecordTest, LocateByKeyFindsTheItemOrSaysItIsGone)
{
    db::Table& t = ws->ChartsTable5;
    for (std::int32_t key : {301, 302, 303}) {
        ScheduleItemRecord r = Sample();
        r.CHARTSID = key;
        r.DESC = "item " + std::to_string(key);
        RoundTrip(t, r);
    }
    ASSERT_TRUE(LocateScheduleItem(t, 302));
    EXPECT_EQ(ReadScheduleItem(t).DESC, "item 302");
    EXPECT_FALSE(LocateScheduleItem(t, 304));
}

}  // namespace
