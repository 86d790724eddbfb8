#pragma once
// The layouts of every table of the program's three databases, compiled in.
//
// They let the program create its tables and their empty reference twins on
// a fresh machine without any file shipped from elsewhere, and they are the
// current layout that a live table is checked against (through its twin) and
// upgraded to. The Quillmark tables belong to the estimating product: their
// layouts are the ones the bid import relies on, and they have no twins.
//
// File names keep the letter case in which the program shows them; every
// lookup matches them without regard to case, and "wo1" and "wo1.dbf" name
// the same table.

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/types.h"

namespace tw::data {

enum class Database {
    Scheduler,   // "scheduler": the schedule database shared by all workstations
    Parameters,  // "Parameters": the program folder of this installation
    Estimator,   // "estimator": the Quillmark database
};

struct TableLayout {
    std::string fileName;
    std::vector<db::FieldDef> fields;   // in file order
    std::vector<db::IndexDef> indexes;  // the tags of the production index
};

// The one place where a logical field type gets its dBase width and decimals:
// Char(n) n,0; Float 20,8; Smallint 6,0; Date 8; Logical 1; Memo and Binary 10.
// charWidth is given for Char only (1 to 254); anything else throws
// std::invalid_argument.
db::FieldDef MakeField(std::string name, db::FieldType type, int charWidth = 0);

// Every table of one database. The schedule database's list ends with the
// older layout of its Charts.DBF, which is converted once and never created.
const std::vector<TableLayout>& Layouts(Database database);

// The layout of a table; without a database the program folder is searched
// first, so "Charts.DBF" is the working copy, not the older schedule layout.
const TableLayout* FindLayout(std::string_view fileName);
const TableLayout* FindLayout(Database database, std::string_view fileName);

// A checked table and its empty twin; the twins all live in the program
// folder, database is that of the live table.
struct ReferenceTable {
    std::string liveFile;
    std::string referenceFile;
    Database database;
};

const std::vector<ReferenceTable>& ReferenceTables();

// The twin's file name of a checked table ("customers.dbf" -> "rcustomers.dbf");
// empty when the table has none.
std::string ReferenceTableName(std::string_view fileName);

// Whether two table names name the same table (case and ".dbf" aside).
bool SameTableName(std::string_view a, std::string_view b);

}  // namespace tw::data
