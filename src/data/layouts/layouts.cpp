#include "data/layouts/layouts.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <stdexcept>

namespace tw::data {

using db::FieldDef;
using db::FieldType;
using db::IndexDef;

FieldDef MakeField(std::string name, FieldType type, int charWidth)
{
    if (type == FieldType::Char) {
        if (charWidth < 1 || charWidth > 254)
            throw std::invalid_argument("Char field " + name + " needs a width of 1 to 254");
        return {std::move(name), type, charWidth, 0};
    }
    if (charWidth != 0)
        throw std::invalid_argument("Only a Char field takes a width: " + name);
    switch (type) {
    case FieldType::Float: return {std::move(name), type, 20, 8};
    case FieldType::Smallint: return {std::move(name), type, 6, 0};
    case FieldType::Date: return {std::move(name), type, 8, 0};
    case FieldType::Logical: return {std::move(name), type, 1, 0};
    case FieldType::Memo:
    case FieldType::Binary: return {std::move(name), type, 10, 0};
    case FieldType::Char: break;
    }
    throw std::invalid_argument("Unknown field type of " + name);
}

namespace {

using Fields = std::vector<FieldDef>;
using Indexes = std::vector<IndexDef>;

FieldDef Float(const char* name)
{
    return MakeField(name, FieldType::Float);
}
FieldDef Smallint(const char* name)
{
    return MakeField(name, FieldType::Smallint);
}
FieldDef Char(const char* name, int width)
{
    return MakeField(name, FieldType::Char, width);
}
FieldDef Logical(const char* name)
{
    return MakeField(name, FieldType::Logical);
}
FieldDef Date(const char* name)
{
    return MakeField(name, FieldType::Date);
}
FieldDef Memo(const char* name)
{
    return MakeField(name, FieldType::Memo);
}
FieldDef Binary(const char* name)
{
    return MakeField(name, FieldType::Binary);
}

Fields Join(std::initializer_list<Fields> parts)
{
    Fields all;
    for (const Fields& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// CFV1 to CFV7: the values of the seven custom fields of a customer,
// resource or schedule item.
Fields CustomFieldValues()
{
    Fields values;
    for (int i = 1; i <= 7; ++i)
        values.push_back(Char(("CFV" + std::to_string(i)).c_str(), 40));
    return values;
}

Fields::const_iterator FieldNamed(const Fields& fields, std::string_view name)
{
    auto it = std::find_if(fields.begin(), fields.end(), [&](const FieldDef& f) { return f.name == name; });
    if (it == fields.end())
        throw std::logic_error("Layout has no field " + std::string(name));
    return it;
}

Fields Less(Fields fields, std::initializer_list<std::string_view> names)
{
    for (std::string_view name : names)
        fields.erase(FieldNamed(fields, name));
    return fields;
}

Fields MoveBefore(Fields fields, std::string_view name, std::string_view before)
{
    auto from = FieldNamed(fields, name);
    FieldDef moved = *from;
    fields.erase(from);
    fields.insert(FieldNamed(fields, before), std::move(moved));
    return fields;
}

Fields FirstFields(const Fields& fields, std::size_t count)
{
    return Fields(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(count));
}

// ---- Schedule database ----------------------------------------------------

Fields CustomersFields()
{
    return Join({
        {Char("NAME", 80),     Char("CONTACT1", 80), Char("PHONE1", 20),    Char("PHONE2", 20),
         Char("FAX", 20),      Char("ADDR1", 40),    Char("ADDR2", 40),     Char("CITY", 40),
         Char("STATE", 15),    Float("ZIP5"),        Float("ZIP6"),         Float("CID"),
         Char("CONTACT2", 80), Char("EMAIL1", 50),   Char("EMAIL2", 50),    Logical("S1"),
         Logical("S2"),        Char("POSTAL", 20),   Char("COUNTRY", 20),   Float("CUSTID"),
         Logical("S3"),        Char("LISTID", 25),   Char("FULLNAME", 254), Char("CITY2", 40),
         Char("STATE2", 15),   Float("ZIP52"),       Float("ZIP62"),        Char("POSTAL2", 20),
         Char("COUNTRY2", 20), Char("ADDR3", 40),    Char("ADDR4", 40),     Char("PHONE3", 20),
         Char("PHONE4", 20),   Char("FAX2", 20),     Logical("USEALT")},
        CustomFieldValues(),
        {Char("FIRST", 40), Char("LAST", 40), Memo("NOTES"), Logical("PHOTO")},
    });
}

// The working copy Charts.DBF of the schedule; the shared ICharts.DBF, the
// task lists Tasks.DBF and ITasks.dbf are cut from it so that they stay in step.
Fields ScheduleItemFields()
{
    return Join({
        {Float("CHARTSID"),   Float("HOURS"),      Float("SD"),        Float("ED"),
         Char("DESC", 80),    Float("COST"),       Float("BIDID"),     Float("TCOST"),
         Float("PTR"),        Float("OFFSET"),     Float("CHILD"),     Logical("PARENT"),
         Logical("SHOWIT"),   Float("ORDER"),      Float("PID"),       Logical("USED"),
         Float("TID"),        Float("CID"),        Float("JID"),       Date("SDD"),
         Date("EDD"),         Float("CREWID"),     Char("TDESC", 80),  Char("CUSTNAME", 80),
         Char("JOBNAME", 80), Float("OSD"),        Float("OED"),       Float("OHOURS"),
         Logical("JOB"),      Char("LISTID", 25),  Char("JLID", 25),   Memo("NOTES"),
         Float("UPDATE"),     Float("DG"),         Float("DGN"),       Logical("NEW"),
         Float("PIN"),        Float("LINK"),       Float("CHAIN"),     Float("RESOURCE"),
         Logical("ROOT"),     Smallint("RPERIOD"), Smallint("RCOUNT"), Float("REPEAT"),
         Float("CREPEATH")},
        CustomFieldValues(),
        {Logical("S2")},
    });
}

Fields TaskFields()
{
    return MoveBefore(Less(ScheduleItemFields(), {"PTR", "DG", "DGN", "NEW", "PIN"}), "UPDATE", "NOTES");
}

// The working copies list their tags in this order; ITasks.dbf and the older
// Charts.DBF list the same tags the other way round.
Indexes ScheduleItemIndexes()
{
    return {{"DESC", "UPPER(DESC)"}, {"HOURS", "HOURS"},       {"SD", "SD"},          {"ED", "ED"},
            {"ORDER", "ORDER"},      {"CUSTNAME", "CUSTNAME"}, {"JOBNAME", "JOBNAME"}};
}

Indexes ScheduleItemIndexesReversed()
{
    Indexes indexes = ScheduleItemIndexes();
    std::reverse(indexes.begin(), indexes.end());
    return indexes;
}

std::vector<TableLayout> ScheduleLayouts()
{
    return {
        {"customers.dbf", CustomersFields(), {{"NAME", "UPPER(NAME)"}}},
        {"jobs.dbf",
         {Float("JID"), Float("CID"), Char("DESC", 80), Smallint("STATUS"), Float("BIDID"),
          Char("LISTID", 25), Char("CUSTNAME", 80), Char("FULLNAME", 254)},
         {{"STATUS", "STATUS"}, {"DESC", "DESC"}}},
        {"crews.dbf",
         Join({{Float("CREWID"), Char("DESC", 80), Smallint("STATUS"), Char("NOTES", 80), Char("LISTID", 25),
                Float("CHARTSID"), Float("RATE")},
               CustomFieldValues(),
               {Logical("S2"), Logical("S3")}}),
         {{"NOTES", "NOTES"}, {"DESC", "DESC"}, {"CHARTSID", "CHARTSID"}}},
        {"ICharts.DBF", Less(ScheduleItemFields(), {"PTR", "S2"}), {}},
        {"ITasks.dbf", Less(TaskFields(), {"S2"}), ScheduleItemIndexesReversed()},
        {"ICrews.DBF",
         {Float("CREWID"), Float("CHARTSID"), Float("ICREWID"), Logical("JOB"), Float("JID")},
         {{"CHARTSID", "CHARTSID"}, {"CREWID", "CREWID"}}},
        {"calendar.DBF",
         {Float("WORKID"),     Logical("SUNDAY"),   Logical("TUESDAY"),  Logical("WEDNESDAY"),
          Logical("THURSDAY"), Logical("FRIDAY"),   Logical("SATURDAY"), Logical("DAY1"),
          Logical("DAY2"),     Logical("DAY3"),     Logical("DAY4"),     Float("START2"),
          Float("END2"),       Float("START3"),     Float("END3"),       Float("START4"),
          Float("END4"),       Float("START1"),     Float("END1"),       Float("CREWID"),
          Logical("MONDAY"),   Logical("OVERRIDE"), Float("THOURSDY"),   Float("THOURSFC")},
         {}},
        {"holidays.dbf", {Float("HOLIID"), Date("DATE"), Char("DESC", 80)}, {}},
        {"custom.dbf",
         {Char("NAME", 40), Float("ID"), Char("FNAME", 5), Logical("ACTIVE"), Smallint("TYPE"),
          Smallint("INDEX")},
         {{"NAME", "NAME"}, {"FNAME", "FNAME"}}},
        {"photos.dbf",
         {Float("CID"), Binary("IMAGE1"), Binary("IMAGE2"), Smallint("SCALE1"), Smallint("SCALE2")},
         {}},
        {"mycomp.dbf",
         {Float("CID"),         Float("PID"),         Char("PASSWORD", 100), Float("COUNT1"),
          Float("COUNT2"),      Logical("USEPASSWD"), Smallint("PAPERSZ"),   Smallint("PAPERO"),
          Float("ORGID"),       Char("TITLE", 100),   Date("RIDATE1"),       Date("RIDATE2"),
          Date("RIDATE3"),      Logical("DOINDEX"),   Logical("DOUPDATE"),   Logical("DOINDEX2"),
          Logical("DOUPDATE2"), Char("MYCOMPY", 100), Char("MYADDR1", 35),   Char("MYADDR2", 35),
          Char("MYCITY", 35),   Char("MYSTATE", 15),  Char("MYPHONE", 25),   Float("MYZIP5"),
          Float("MYZIP6"),      Char("MYFAX", 25),    Char("MYEMAIL", 40),   Char("MYURL", 50),
          Char("MYPOSTAL", 12), Logical("USEPOSTAL"), Float("PAGE"),         Float("MARKUP"),
          Float("TAX"),         Float("DELIVER"),     Char("MYCNTRY", 20)},
         {}},
        {"Access.dbf",
         {Float("ACCID"), Logical("USE"), Smallint("COUNT"), Smallint("LIMIT"), Float("UPDATE")},
         {}},
        // The schedule table of older releases, found in the schedule folder
        // and converted once into the working copy.
        {"Charts.DBF",
         {Float("CHARTSID"),    Float("HOURS"),       Float("SD"),         Float("ED"),
          Char("DESC", 80),     Float("COST"),        Float("BIDID"),      Float("TCOST"),
          Logical("DISPLAYED"), Float("PTR"),         Float("OFFSET"),     Float("CHILD"),
          Logical("PARENT"),    Float("CPTR"),        Logical("SHOWIT"),   Smallint("ORDER"),
          Float("PID"),         Logical("USED"),      Float("TID"),        Float("CID"),
          Float("JID"),         Date("SDD"),          Date("EDD"),         Float("CREWID"),
          Char("TDESC", 80),    Char("CUSTNAME", 80), Char("JOBNAME", 80), Float("OSD"),
          Float("OED"),         Float("OHOURS"),      Logical("JOB")},
         ScheduleItemIndexesReversed()},
    };
}

// ---- Program folder -------------------------------------------------------

std::vector<TableLayout> ProgramFolderLayouts()
{
    return {
        {"params.dbf",
         {Float("CID"),         Float("PID"),           Char("PASSWORD", 100), Float("COUNT1"),
          Float("COUNT2"),      Logical("USEPASSWD"),   Smallint("PAPERSZ"),   Smallint("PAPERO"),
          Float("ORGID"),       Date("RIDATE1"),        Float("PAGE"),         Smallint("TAX"),
          Logical("USEPOSTAL"), Float("CBID1"),         Float("CBID2"),        Float("FOLDER"),
          Float("FILES"),       Float("CHARTSD"),       Float("CHARTED"),      Float("RATE"),
          Char("NONE", 25),     Char("PENDING", 25),    Char("AWARDED", 25),   Char("NAWARDED", 25),
          Char("INACTIVE", 25), Char("INPROGRESS", 25), Char("CLOSED", 25),    Logical("RESTRICT"),
          Float("MATCHC"),      Logical("EXPORT"),      Logical("SF3"),        Char("BUDIR", 254),
          Char("RSDIR", 254)},
         {}},
        {"eparams.dbf",
         {Char("EMAILH", 60), Char("EMAILUID", 60), Char("EMAILFR", 60), Char("EMAILRP", 60),
          Smallint("EMAILFS"), Smallint("EMAILTF"), Smallint("EMLEFT"), Smallint("EMTOP"),
          Char("EMAILPW", 60), Logical("EMAILUA"), Char("EMAILLI", 60), Char("EMAILPT", 160),
          Logical("EMAILUO"), Smallint("EMAILAT"), Smallint("EMAILPRT")},
         {}},
        {"qbsetup.dbf",
         {Char("CPATH", 254), Smallint("USCAN"), Logical("USEGROUP"), Logical("OPT1"), Logical("OPT2"),
          Smallint("MATCH")},
         {}},
        {"printer.dbf", {Float("ID"), Binary("IMAGE"), Float("INDEX")}, {}},
        {"Charts.DBF", ScheduleItemFields(), ScheduleItemIndexes()},
        {"Tasks.DBF", TaskFields(), ScheduleItemIndexes()},
    };
}

// ---- Quillmark database ---------------------------------------------------

Fields WorkOrderFields()
{
    return {Float("PID"),        Float("WID"),         Memo("NOTES"),  Char("TITLE", 60),
            Char("SECTION", 20), Char("LOCATION", 20), Smallint("PF"), Float("NLINES")};
}

std::vector<TableLayout> QuillmarkLayouts()
{
    return {
        // Quillmark's bid table really has two fields named CONTACT1.
        {"bid.dbf",
         {Float("BIDID"),       Char("TEXT1", 240), Char("TEXT2", 240),   Char("TEXT3", 240),
          Char("TEXT4", 240),   Char("TEXT5", 240), Char("TEXT6", 240),   Char("DESC", 80),
          Date("DATE"),         Char("TITLE", 20),  Char("SIG1", 80),     Char("SIG2", 80),
          Memo("PDESC"),        Float("GTOTAL"),    Float("CID"),         Char("CONTACT1", 60),
          Smallint("CONTACT1"), Smallint("SPF"),    Smallint("BDPF"),     Logical("S3"),
          Binary("DOC"),        Logical("NEW"),     Float("TAX1"),        Float("TAX2"),
          Float("TAX3"),        Char("DTAX1", 80),  Char("DTAX2", 80),    Char("DTAX3", 80),
          Char("TEXT7", 240),   Memo("TERMS"),      Smallint("TAXCODE1"), Smallint("TAXCODE2"),
          Smallint("TAXCODE3"), Float("BIDNO"),     Float("BIDCN"),       Logical("S4"),
          Logical("S5")},
         {{"BIDID", "BIDID"}, {"CID", "CID"}, {"DATE", "DATE"}, {"DESC", "UPPER(DESC)"}}},
        {"company.dbf", FirstFields(CustomersFields(), 23), {{"NAME", "UPPER(NAME)"}}},
        {"projects.DBF",
         {Float("CID"), Float("PID"), Char("DESC", 60), Date("DATE"), Logical("S1"), Logical("S2"),
          Char("ESTNAME", 80), Float("BIDID"), Smallint("PF")},
         {{"CID", "CID"}}},
        {"iproj.dbf", {Float("IPID"), Float("BIDID"), Float("PID")}, {{"BIDID", "BIDID"}}},
        {"estimate.dbf",
         {Float("PID"),  Char("CODE", 20),   Float("FEET"),      Smallint("INCHES"),  Logical("ISPART"),
          Float("QTY"),  Char("DESC", 60),   Float("WEIGHTPER"), Float("HOURS"),      Smallint("TYPE"),
          Logical("S1"), Logical("S2"),      Float("METERS"),    Float("PARTID"),     Float("LABORID"),
          Float("RATE"), Float("PRICE"),     Float("ESTID"),     Char("SECTION", 20), Char("LOCATION", 20),
          Logical("S3"), Char("VENDOR", 20), Char("T2", 20),     Char("T3", 20)},
         {{"BCODE", "CODE", true},
          {"CODE", "CODE"},
          {"TYPE", "TYPE"},
          {"SECTION", "SECTION"},
          {"BSECTION", "SECTION", true},
          {"LOCATION", "UPPER(LOCATION)"},
          {"DESC", "UPPER(DESC)"},
          {"VENDOR", "UPPER(VENDOR)"},
          {"BVENDOR", "UPPER(VENDOR)", true}}},
        {"labor.dbf",
         {Char("DESC", 60), Char("CODE", 20), Float("RATEID"), Float("HOURS"), Logical("S1"), Logical("S2"),
          Float("LABORID"), Logical("S3"), Char("SUBC", 40), Char("ITEMLID", 35)},
         {{"SUBC", "UPPER(SUBC)"},
          {"DESC", "UPPER(DESC)"},
          {"HOURS", "HOURS"},
          {"CODE", "CODE"},
          {"BCODE", "CODE", true}}},
        {"rates.DBF",
         {Char("DESC", 60), Float("RATE"), Float("RATEID"), Logical("S1"), Logical("S2")},
         {{"DESC", "DESC"}}},
        {"hourssum.DBF",
         {Float("HOURSSUM"), Float("RATE"), Char("RATEDESC", 60), Float("HOURSID"), Float("BIDID")},
         {{"RATEDESC", "RATEDESC"}, {"HOURSSUM", "HOURSSUM"}, {"RATE", "RATE"}}},
        {"matssum.DBF",
         {Float("MATSSUM"), Char("MATSDESC", 60), Float("MATSID"), Float("LABORSUM"), Float("BIDID"),
          Float("HOURS")},
         {{"MATSDESC", "MATSDESC"}, {"MATSSUM", "MATSSUM"}}},
        {"wo1", WorkOrderFields(), {}},
        {"wo2", WorkOrderFields(), {}},
    };
}

std::string TableKey(std::string_view name)
{
    std::string key;
    for (char c : name)
        key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (key.size() > 4 && key.ends_with(".DBF"))
        key.resize(key.size() - 4);
    return key;
}

}  // namespace

const std::vector<TableLayout>& Layouts(Database database)
{
    static const std::vector<TableLayout> schedule = ScheduleLayouts();
    static const std::vector<TableLayout> program = ProgramFolderLayouts();
    static const std::vector<TableLayout> quillmark = QuillmarkLayouts();
    switch (database) {
    case Database::Scheduler: return schedule;
    case Database::Parameters: return program;
    case Database::Estimator: return quillmark;
    }
    throw std::invalid_argument("Unknown database");
}

bool SameTableName(std::string_view a, std::string_view b)
{
    return TableKey(a) == TableKey(b);
}

const TableLayout* FindLayout(Database database, std::string_view fileName)
{
    for (const TableLayout& layout : Layouts(database))
        if (SameTableName(layout.fileName, fileName))
            return &layout;
    return nullptr;
}

const TableLayout* FindLayout(std::string_view fileName)
{
    for (Database database : {Database::Parameters, Database::Scheduler, Database::Estimator})
        if (const TableLayout* layout = FindLayout(database, fileName))
            return layout;
    return nullptr;
}

const std::vector<ReferenceTable>& ReferenceTables()
{
    static const std::vector<ReferenceTable> pairs = {
        {"params.dbf", "rparams.DBF", Database::Parameters},
        {"eparams.dbf", "reparams.dbf", Database::Parameters},
        {"qbsetup.dbf", "rqbsetup.dbf", Database::Parameters},
        {"printer.dbf", "rprinter.DBF", Database::Parameters},
        {"Charts.DBF", "RCharts.DBF", Database::Parameters},
        {"Tasks.DBF", "RTasks.DBF", Database::Parameters},
        {"mycomp.dbf", "rmycomp.dbf", Database::Scheduler},
        {"Access.dbf", "RAccess.DBF", Database::Scheduler},
        {"ICharts.DBF", "RICharts.DBF", Database::Scheduler},
        {"ITasks.dbf", "RITasks.dbf", Database::Scheduler},
        {"calendar.DBF", "Rcalendar.DBF", Database::Scheduler},
        {"holidays.dbf", "rholidays.dbf", Database::Scheduler},
        {"custom.dbf", "rcustom.dbf", Database::Scheduler},
        {"customers.dbf", "rcustomers.dbf", Database::Scheduler},
        {"photos.dbf", "Rphotos.dbf", Database::Scheduler},
        {"jobs.dbf", "Rjobs.dbf", Database::Scheduler},
        {"ICrews.DBF", "RICrews.dbf", Database::Scheduler},
        {"crews.dbf", "Rcrews.dbf", Database::Scheduler},
    };
    return pairs;
}

std::string ReferenceTableName(std::string_view fileName)
{
    for (const ReferenceTable& pair : ReferenceTables())
        if (SameTableName(pair.liveFile, fileName))
            return pair.referenceFile;
    return {};
}

}  // namespace tw::data
