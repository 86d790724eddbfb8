#pragma once
// Record services that many operations share: checked record keys, copying a
// record between two tables of alike layouts, emptying a table, and telling a
// network folder from a local one.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/recordkeys.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"

namespace tw::data {

// A new key for keyField of table that the table does not hold yet. The
// table is left open or closed as it was found, its cursor on the record that
// was current. Keys are drawn until one is free; after as many tries as the
// table has records (only when the clock passes midnight during the search)
// it keeps drawing for a bounded while and then throws std::runtime_error
// rather than hand out a key that is taken.
std::int32_t UniqueKeyValue(RecordKeys& keys, db::Table& table, std::string_view keyField);

// Copies every field of source's current record into the field of the same
// name of target's current record (fields target lacks are skipped, as is a
// field whose value the target cannot hold). With append, a record is first
// appended to target and posted at the end; otherwise the caller posts.
void copy_record(bool append, db::Table& source, db::Table& target);

// Deletes every record of an open table, then refreshes it.
void EmptyTable(db::Table& table);

// True when the folder lies on a network file system (NFS, CIFS/SMB, sshfs
// and the like) or is given as a "//server/share" or "\\server\share" path.
bool IsNetworkPath(const std::string& path);

}  // namespace tw::data
