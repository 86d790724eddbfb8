#pragma once
// Operations on whole tables, outside any cursor: create, copy over, pack,
// sort, delete. Each one that replaces files writes the new files beside the
// old ones and renames them into place under a small journal, so that a crash
// at any instant leaves either the old or the new table (docs/table-files.md).

#include <string>
#include <vector>

#include "platform/db/types.h"

namespace tw::db {

// Creates a table (and its .dbt when it has Memo or Binary fields, and its
// index definitions when it has indexes). An existing table of that name is
// replaced when overwrite is set, else DbError InvalidArgument.
void CreateTable(const std::string& folder, const std::string& name, const std::vector<FieldDef>& fields,
                 const std::vector<IndexDef>& indexes = {}, bool overwrite = false);

bool TableExists(const std::string& folder, const std::string& name);

// Copies the table with all its files over the target (created when missing).
// Fails with TableInUse while anyone has the target open.
void CopyTable(const std::string& srcFolder, const std::string& srcName, const std::string& dstFolder,
               const std::string& dstName);

// Drops deleted records, compacts the memo file, rebuilds the indexes. Needs
// the table closed by everyone (TableInUse otherwise).
void PackTable(const std::string& folder, const std::string& name);

// Sorts the records physically on up to four fields (1-based field numbers, 0
// = unused), each ascending and case-insensitive; equal records keep their
// order; memo pointers go along. Needs the table closed by everyone.
void SortTable(const std::string& folder, const std::string& name, const std::vector<int>& fieldNumbers);

// Sorts as SortTable does and keeps the table in that order: a record
// appended later is read by cursors without an index in its sorted place
// (where the same sort would put it), so the table stays sorted without its
// records being moved again; dBase readers see it last. An edit leaves a
// record where it is, as it would in a sorted file. Any whole-table operation
// (another sort, a pack, a copy over it) ends the kept order.
void SortTableKeptInOrder(const std::string& folder, const std::string& name,
                          const std::vector<int>& fieldNumbers);

// Deletes the table's files. Needs the table closed by everyone.
void DeleteTable(const std::string& folder, const std::string& name);

// The paths of the files that make up the table (.dbf, .dbt, .twi) that exist.
std::vector<std::string> TableFamily(const std::string& folder, const std::string& name);

// Completes a replace that a crashed process left half done. Called by every
// open and every operation above; cheap when there is nothing to do.
void RecoverTable(const std::string& folder, const std::string& name);

}  // namespace tw::db
