#include "data/layouts/layouts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace tw::data {
namespace {

using db::FieldDef;
using db::FieldType;

const Database kAllDatabases[] = {Database::Scheduler, Database::Parameters, Database::Estimator};

// One text per field, so that a mismatch shows which field differs and how.
std::vector<std::string> Describe(const std::vector<FieldDef>& fields)
{
    std::vector<std::string> texts;
    for (const FieldDef& f : fields)
        texts.push_back(f.name + " type " + std::to_string(static_cast<int>(f.type)) + " "
                        + std::to_string(f.width) + "," + std::to_string(f.decimals));
    return texts;
}

// "CHARTSID F, DESC C80, RPERIOD N, PARENT L, SDD D, NOTES M, IMAGE B": a
// layout written the way the table descriptions read (N is a Smallint).
std::vector<FieldDef> ParseFields(const std::string& text)
{
    std::vector<FieldDef> fields;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        std::istringstream parts(item);
        std::string name, type;
        parts >> name >> type;
        static const std::map<char, FieldType> kTypes = {{'C', FieldType::Char},     {'F', FieldType::Float},
                                                         {'N', FieldType::Smallint}, {'D', FieldType::Date},
                                                         {'L', FieldType::Logical},  {'M', FieldType::Memo},
                                                         {'B', FieldType::Binary}};
        FieldType t = kTypes.at(type.at(0));
        fields.push_back(MakeField(name, t, t == FieldType::Char ? std::stoi(type.substr(1)) : 0));
    }
    return fields;
}

std::vector<std::string> Names(const std::vector<FieldDef>& fields)
{
    std::vector<std::string> names;
    for (const FieldDef& f : fields)
        names.push_back(f.name);
    return names;
}

const FieldDef* Field(const TableLayout& layout, const std::string& name)
{
    for (const FieldDef& f : layout.fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

// ---- The engine's field sizes ---------------------------------------------

TEST(MakeFieldTest, EachLogicalTypeGetsTheEnginesWidthAndDecimals)
{
    struct Case {
        FieldType type;
        int charWidth, width, decimals;
    };
    const Case cases[] = {
        {FieldType::Char, 1, 1, 0},     {FieldType::Char, 254, 254, 0}, {FieldType::Float, 0, 20, 8},
        {FieldType::Smallint, 0, 6, 0}, {FieldType::Date, 0, 8, 0},     {FieldType::Logical, 0, 1, 0},
        {FieldType::Memo, 0, 10, 0},    {FieldType::Binary, 0, 10, 0},
    };
    for (const Case& c : cases) {
        FieldDef f = MakeField("X", c.type, c.charWidth);
        EXPECT_EQ(f.type, c.type);
        EXPECT_EQ(f.width, c.width) << "type " << static_cast<int>(c.type);
        EXPECT_EQ(f.decimals, c.decimals) << "type " << static_cast<int>(c.type);
    }
}

TEST(MakeFieldTest, RefusesWidthsTheFileCannotHold)
{
    EXPECT_THROW(MakeField("X", FieldType::Char), std::invalid_argument);
    EXPECT_THROW(MakeField("X", FieldType::Char, 255), std::invalid_argument);
    EXPECT_THROW(MakeField("X", FieldType::Float, 20), std::invalid_argument);
}

// ---- Every table ------------------------------------------------------------

TEST(LayoutsTest, EveryTableHasItsFieldAndIndexCount)
{
    struct Case {
        Database database;
        const char* file;
        std::size_t fields, indexes;
    };
    const Case cases[] = {
        {Database::Scheduler, "customers.dbf", 46, 1},
        {Database::Scheduler, "jobs.dbf", 8, 2},
        {Database::Scheduler, "crews.dbf", 16, 3},
        {Database::Scheduler, "ICharts.DBF", 51, 0},
        {Database::Scheduler, "ITasks.dbf", 47, 7},
        {Database::Scheduler, "ICrews.DBF", 5, 2},
        {Database::Scheduler, "calendar.DBF", 24, 0},
        {Database::Scheduler, "holidays.dbf", 3, 0},
        {Database::Scheduler, "custom.dbf", 6, 2},
        {Database::Scheduler, "photos.dbf", 5, 0},
        {Database::Scheduler, "mycomp.dbf", 35, 0},
        {Database::Scheduler, "Access.dbf", 5, 0},
        {Database::Scheduler, "Charts.DBF", 31, 7},
        {Database::Parameters, "params.dbf", 33, 0},
        {Database::Parameters, "eparams.dbf", 15, 0},
        {Database::Parameters, "qbsetup.dbf", 6, 0},
        {Database::Parameters, "printer.dbf", 3, 0},
        {Database::Parameters, "Charts.DBF", 53, 7},
        {Database::Parameters, "Tasks.DBF", 48, 7},
        {Database::Estimator, "bid.dbf", 37, 4},
        {Database::Estimator, "company.dbf", 23, 1},
        {Database::Estimator, "projects.DBF", 9, 1},
        {Database::Estimator, "iproj.dbf", 3, 1},
        {Database::Estimator, "estimate.dbf", 24, 9},
        {Database::Estimator, "labor.dbf", 10, 5},
        {Database::Estimator, "rates.DBF", 5, 1},
        {Database::Estimator, "hourssum.DBF", 5, 3},
        {Database::Estimator, "matssum.DBF", 6, 2},
        {Database::Estimator, "wo1", 8, 0},
        {Database::Estimator, "wo2", 8, 0},
    };
    std::map<Database, std::size_t> perDatabase;
    for (const Case& c : cases) {
        ++perDatabase[c.database];
        const TableLayout* layout = FindLayout(c.database, c.file);
        ASSERT_NE(layout, nullptr) << c.file;
        EXPECT_EQ(layout->fileName, c.file) << "spelled as the program shows it";
        EXPECT_EQ(layout->fields.size(), c.fields) << c.file;
        EXPECT_EQ(layout->indexes.size(), c.indexes) << c.file;
    }
    for (Database database : kAllDatabases)
        EXPECT_EQ(Layouts(database).size(), perDatabase[database]) << "no table more or less";
}

TEST(LayoutsTest, FieldNamesFitTheFileAndRepeatOnlyWhereTheTableDoes)
{
    const std::map<std::string, std::set<std::string>> repeated = {{"bid.dbf", {"CONTACT1"}}};
    for (Database database : kAllDatabases) {
        for (const TableLayout& layout : Layouts(database)) {
            std::set<std::string> seen, twice;
            for (const FieldDef& f : layout.fields) {
                EXPECT_TRUE(!f.name.empty() && f.name.size() <= 10) << layout.fileName << " " << f.name;
                for (char c : f.name)
                    EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
                        << layout.fileName << " " << f.name;
                if (!seen.insert(f.name).second)
                    twice.insert(f.name);
            }
            auto it = repeated.find(layout.fileName);
            EXPECT_EQ(twice, it == repeated.end() ? std::set<std::string>{} : it->second) << layout.fileName;
        }
    }
}

TEST(LayoutsTest, EveryIndexIsOnAFieldOrTheUpperCaseOfACharField)
{
    for (Database database : kAllDatabases) {
        for (const TableLayout& layout : Layouts(database)) {
            std::set<std::string> tags;
            for (const db::IndexDef& index : layout.indexes) {
                EXPECT_TRUE(!index.name.empty() && index.name.size() <= 10) << layout.fileName;
                EXPECT_TRUE(tags.insert(index.name).second) << layout.fileName << " tag " << index.name;
                std::string expr = index.expression;
                bool upper = expr.starts_with("UPPER(") && expr.ends_with(")");
                if (upper)
                    expr = expr.substr(6, expr.size() - 7);
                const FieldDef* field = Field(layout, expr);
                ASSERT_NE(field, nullptr) << layout.fileName << " " << index.expression;
                if (upper) {
                    EXPECT_EQ(field->type, FieldType::Char) << layout.fileName << " " << index.expression;
                }
            }
        }
    }
}

TEST(LayoutsTest, RecordsFitTheFile)
{
    for (Database database : kAllDatabases) {
        for (const TableLayout& layout : Layouts(database)) {
            int width = 1;  // the deletion flag
            for (const FieldDef& f : layout.fields)
                width += f.width;
            EXPECT_LT(width, 4000) << layout.fileName;
            EXPECT_LE(layout.fields.size(), 255u) << layout.fileName;
        }
    }
}

// The indexes that table components of the data module select by name.
TEST(LayoutsTest, IndexesChosenByTheTableComponentsExist)
{
    const std::pair<const char*, const char*> cases[] = {
        {"customers.dbf", "NAME"}, {"jobs.dbf", "DESC"},     {"crews.dbf", "DESC"},
        {"custom.dbf", "NAME"},    {"custom.dbf", "FNAME"},  {"bid.dbf", "DESC"},
        {"company.dbf", "NAME"},   {"hourssum.DBF", "RATE"}, {"iproj.dbf", "BIDID"},
    };
    for (const auto& [file, tag] : cases) {
        const TableLayout* layout = FindLayout(file);
        ASSERT_NE(layout, nullptr) << file;
        bool found = false;
        for (const db::IndexDef& index : layout->indexes)
            found = found || index.name == tag;
        EXPECT_TRUE(found) << file << " " << tag;
    }
}

// ---- Layouts cut from another one ----------------------------------------

const char* const kICharts =
    "CHARTSID F, HOURS F, SD F, ED F, DESC C80, COST F, BIDID F, TCOST F, OFFSET F, CHILD F, PARENT L, "
    "SHOWIT L, ORDER F, PID F, USED L, TID F, CID F, JID F, SDD D, EDD D, CREWID F, TDESC C80, "
    "CUSTNAME C80, JOBNAME C80, OSD F, OED F, OHOURS F, JOB L, LISTID C25, JLID C25, NOTES M, UPDATE F, "
    "DG F, DGN F, NEW L, PIN F, LINK F, CHAIN F, RESOURCE F, ROOT L, RPERIOD N, RCOUNT N, REPEAT F, "
    "CREPEATH F, CFV1 C40, CFV2 C40, CFV3 C40, CFV4 C40, CFV5 C40, CFV6 C40, CFV7 C40";

const char* const kITasks =
    "CHARTSID F, HOURS F, SD F, ED F, DESC C80, COST F, BIDID F, TCOST F, OFFSET F, CHILD F, PARENT L, "
    "SHOWIT L, ORDER F, PID F, USED L, TID F, CID F, JID F, SDD D, EDD D, CREWID F, TDESC C80, "
    "CUSTNAME C80, JOBNAME C80, OSD F, OED F, OHOURS F, JOB L, LISTID C25, JLID C25, UPDATE F, NOTES M, "
    "LINK F, CHAIN F, RESOURCE F, ROOT L, RPERIOD N, RCOUNT N, REPEAT F, CREPEATH F, CFV1 C40, CFV2 C40, "
    "CFV3 C40, CFV4 C40, CFV5 C40, CFV6 C40, CFV7 C40";

const char* const kCompany =
    "NAME C80, CONTACT1 C80, PHONE1 C20, PHONE2 C20, FAX C20, ADDR1 C40, ADDR2 C40, CITY C40, STATE C15, "
    "ZIP5 F, ZIP6 F, CID F, CONTACT2 C80, EMAIL1 C50, EMAIL2 C50, S1 L, S2 L, POSTAL C20, COUNTRY C20, "
    "CUSTID F, S3 L, LISTID C25, FULLNAME C254";

const char* const kWorkOrder = "PID F, WID F, NOTES M, TITLE C60, SECTION C20, LOCATION C20, PF N, NLINES F";

TEST(DerivedLayoutsTest, MatchTheirFieldTables)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ICharts.DBF", kICharts}, {"ITasks.dbf", kITasks}, {"company.dbf", kCompany},
        {"wo1", kWorkOrder},       {"wo2", kWorkOrder},
    };
    for (const auto& [file, table] : cases) {
        const TableLayout* layout = FindLayout(file);
        ASSERT_NE(layout, nullptr) << file;
        EXPECT_EQ(Describe(layout->fields), Describe(ParseFields(table))) << file;
    }
}

TEST(DerivedLayoutsTest, TaskListKeepsTheScheduleItemFieldsInItsOwnOrder)
{
    const std::vector<std::string> taskNames = {
        "CHARTSID", "HOURS", "SD",       "ED",     "DESC",    "COST",   "BIDID",    "TCOST",
        "OFFSET",   "CHILD", "PARENT",   "SHOWIT", "ORDER",   "PID",    "USED",     "TID",
        "CID",      "JID",   "SDD",      "EDD",    "CREWID",  "TDESC",  "CUSTNAME", "JOBNAME",
        "OSD",      "OED",   "OHOURS",   "JOB",    "LISTID",  "JLID",   "UPDATE",   "NOTES",
        "LINK",     "CHAIN", "RESOURCE", "ROOT",   "RPERIOD", "RCOUNT", "REPEAT",   "CREPEATH",
        "CFV1",     "CFV2",  "CFV3",     "CFV4",   "CFV5",    "CFV6",   "CFV7",     "S2"};
    const TableLayout* charts = FindLayout(Database::Parameters, "Charts.DBF");
    const TableLayout* tasks = FindLayout(Database::Parameters, "Tasks.DBF");
    ASSERT_NE(charts, nullptr);
    ASSERT_NE(tasks, nullptr);
    EXPECT_EQ(Names(tasks->fields), taskNames);
    for (const FieldDef& f : tasks->fields) {
        const FieldDef* same = Field(*charts, f.name);
        ASSERT_NE(same, nullptr) << f.name;
        EXPECT_EQ(Describe({f}), Describe({*same}));
    }
}

TEST(DerivedLayoutsTest, WorkingCopyIsTheSharedScheduleWithTheChartFields)
{
    const TableLayout* charts = FindLayout("Charts.DBF");
    ASSERT_NE(charts, nullptr);
    std::vector<FieldDef> expected = ParseFields(kICharts);
    expected.insert(expected.begin() + 8, MakeField("PTR", FieldType::Float));
    expected.push_back(MakeField("S2", FieldType::Logical));
    EXPECT_EQ(Describe(charts->fields), Describe(expected));
}

TEST(DerivedLayoutsTest, TaskListsCarryTheSevenIndexesOfTheWorkingCopy)
{
    auto tags = [](const char* file) {
        std::set<std::pair<std::string, std::string>> set;
        for (const db::IndexDef& index : FindLayout(file)->indexes)
            set.insert({index.name, index.expression});
        return set;
    };
    const std::set<std::pair<std::string, std::string>> expected = {
        {"DESC", "UPPER(DESC)"}, {"HOURS", "HOURS"},       {"SD", "SD"},          {"ED", "ED"},
        {"ORDER", "ORDER"},      {"CUSTNAME", "CUSTNAME"}, {"JOBNAME", "JOBNAME"}};
    EXPECT_EQ(tags("Charts.DBF"), expected);
    EXPECT_EQ(tags("Tasks.DBF"), expected);
    EXPECT_EQ(tags("ITasks.dbf"), expected);
    EXPECT_TRUE(FindLayout("ICharts.DBF")->indexes.empty());
}

// ---- Look-ups ---------------------------------------------------------------

TEST(LookupTest, FindsTablesWithoutRegardToCaseOrExtension)
{
    struct Case {
        const char* name;
        const char* file;  // nullptr: none
        std::size_t fields;
    };
    const Case cases[] = {
        {"CUSTOMERS.DBF", "customers.dbf", 46},
        {"customers", "customers.dbf", 46},
        {"charts.dbf", "Charts.DBF", 53},  // the working copy, not the older layout
        {"itasks.DBF", "ITasks.dbf", 47},
        {"WO1.DBF", "wo1", 8},
        {"Wo2", "wo2", 8},
        {"rcustomers.dbf", nullptr, 0},
        {"customers.db", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const Case& c : cases) {
        const TableLayout* layout = FindLayout(c.name);
        if (!c.file) {
            EXPECT_EQ(layout, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(layout, nullptr) << c.name;
        EXPECT_EQ(layout->fileName, c.file);
        EXPECT_EQ(layout->fields.size(), c.fields) << c.name;
    }
}

TEST(LookupTest, EachDatabaseKnowsOnlyItsOwnTables)
{
    EXPECT_EQ(FindLayout(Database::Scheduler, "CHARTS.DBF")->fields.size(), 31u);
    EXPECT_EQ(FindLayout(Database::Parameters, "CHARTS.DBF")->fields.size(), 53u);
    EXPECT_EQ(FindLayout(Database::Scheduler, "params.dbf"), nullptr);
    EXPECT_EQ(FindLayout(Database::Parameters, "customers.dbf"), nullptr);
    EXPECT_EQ(FindLayout(Database::Estimator, "customers.dbf"), nullptr);
}

TEST(ReferenceTablesTest, TwinNamesAreSpelledAsTheProgramFolderHoldsThem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"params.dbf", "rparams.DBF"},
        {"PARAMS.DBF", "rparams.DBF"},
        {"charts.dbf", "RCharts.DBF"},
        {"icrews.dbf", "RICrews.dbf"},
        {"calendar.dbf", "Rcalendar.DBF"},
        {"Access", "RAccess.DBF"},
        {"customers.dbf", "rcustomers.dbf"},
        {"crews.dbf", "Rcrews.dbf"},
        {"bid.dbf", ""},
        {"company.dbf", ""},
        {"wo1", ""},
        {"rparams.DBF", ""},
        {"nosuch.dbf", ""},
    };
    for (const auto& [live, twin] : cases)
        EXPECT_EQ(ReferenceTableName(live), twin) << live;
}

TEST(ReferenceTablesTest, EveryTableOfTheProgramAndScheduleHasATwinExceptTheOlderSchedule)
{
    std::vector<std::string> twins;
    for (const ReferenceTable& pair : ReferenceTables()) {
        const TableLayout* layout = FindLayout(pair.database, pair.liveFile);
        ASSERT_NE(layout, nullptr) << pair.liveFile;
        EXPECT_EQ(layout->fileName, pair.liveFile);
        ASSERT_FALSE(pair.referenceFile.empty());
        EXPECT_TRUE(pair.referenceFile[0] == 'R' || pair.referenceFile[0] == 'r') << pair.referenceFile;
        EXPECT_TRUE(SameTableName(pair.referenceFile.substr(1), pair.liveFile)) << pair.referenceFile;
        // The twins share the program folder, so their names must differ beyond case.
        for (const std::string& other : twins)
            EXPECT_FALSE(SameTableName(other, pair.referenceFile)) << other;
        twins.push_back(pair.referenceFile);
    }
    const TableLayout* olderSchedule = FindLayout(Database::Scheduler, "Charts.DBF");
    std::size_t checked = 0;
    for (Database database : {Database::Scheduler, Database::Parameters}) {
        for (const TableLayout& layout : Layouts(database)) {
            if (&layout == olderSchedule)
                continue;
            ++checked;
            bool paired = false;
            for (const ReferenceTable& pair : ReferenceTables())
                paired = paired || (pair.database == database && pair.liveFile == layout.fileName);
            EXPECT_TRUE(paired) << layout.fileName;
        }
    }
    EXPECT_EQ(ReferenceTables().size(), checked);
    for (const TableLayout& layout : Layouts(Database::Estimator))
        EXPECT_EQ(ReferenceTableName(layout.fileName), "") << layout.fileName;
}

}  // namespace
}  // namespace tw::data
