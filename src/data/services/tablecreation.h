#pragma once
// Tables made from the layouts compiled into the program, so that a fresh
// machine needs no file shipped from elsewhere: the program folder's own
// tables and the reference twins on a first start, and the tables of a new,
// empty schedule database.

#include <string>

#include "data/layouts/layouts.h"
#include "platform/db/table.h"

namespace tw::data {

// params.dbf, eparams.dbf and qbsetup.dbf are read and written as their one
// record; a new one gets that record blank.
bool IsSettingsTable(const std::string& file);
void AddSettingsRecordWhenEmpty(db::Table& table);

// The reference twin of a checked table, in the program folder, when missing.
void CreateMissingReferenceTable(const std::string& programFolder, const std::string& referenceFile);

// Every table of the program folder and every reference twin that is
// missing. The settings tables (params.dbf, eparams.dbf, qbsetup.dbf) are
// read and written as one record, so a new one gets its one blank record.
void CreateMissingProgramTables(const std::string& programFolder);

// True when the folder holds no table file at all: a new schedule database.
bool FolderHoldsNoTable(const std::string& folder);

// Every table of the schedule database in an existing folder that holds no
// table yet (the older schedule layout is never made). False, with nothing
// written, when the folder already holds a table.
bool CreateScheduleDatabase(const std::string& folder);

}  // namespace tw::data
