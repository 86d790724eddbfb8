#include "data/services/tablecreation.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/db/tableops.h"

namespace tw::data {

namespace {

void CreateFromLayout(const std::string& folder, const std::string& file, const TableLayout& layout)
{
    db::CreateTable(folder, file, layout.fields, layout.indexes);
}

}  // namespace

bool IsSettingsTable(const std::string& file)
{
    return SameTableName(file, "params.dbf") || SameTableName(file, "eparams.dbf")
        || SameTableName(file, "qbsetup.dbf");
}

void AddSettingsRecordWhenEmpty(db::Table& table)
{
    if (!IsSettingsTable(table.tableName()) || table.recordCount() != 0)
        return;
    table.append();
    table.post();
    table.first();
}

void CreateMissingReferenceTable(const std::string& programFolder, const std::string& referenceFile)
{
    if (db::TableExists(programFolder, referenceFile))
        return;
    for (const ReferenceTable& pair : ReferenceTables()) {
        if (!SameTableName(pair.referenceFile, referenceFile))
            continue;
        if (const TableLayout* layout = FindLayout(pair.database, pair.liveFile))
            CreateFromLayout(programFolder, pair.referenceFile, *layout);
        return;
    }
}

void CreateMissingProgramTables(const std::string& programFolder)
{
    for (const TableLayout& layout : Layouts(Database::Parameters)) {
        if (db::TableExists(programFolder, layout.fileName))
            continue;
        CreateFromLayout(programFolder, layout.fileName, layout);
        db::Table t;
        t.setFolder(programFolder);
        t.setTableName(layout.fileName);
        t.open();
        AddSettingsRecordWhenEmpty(t);
    }
    for (const ReferenceTable& pair : ReferenceTables())
        CreateMissingReferenceTable(programFolder, pair.referenceFile);
}

bool FolderHoldsNoTable(const std::string& folder)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".dbf")
            return false;
    }
    return !ec;
}

bool CreateScheduleDatabase(const std::string& folder)
{
    if (!FolderHoldsNoTable(folder))
        return false;
    for (const TableLayout& layout : Layouts(Database::Scheduler)) {
        // The schedule table of older releases is only ever converted.
        if (!SameTableName(layout.fileName, "Charts.DBF"))
            CreateFromLayout(folder, layout.fileName, layout);
    }
    return true;
}

}  // namespace tw::data
