#pragma once
// Paths as the disk spells them. Database names keep the folder as a user
// typed or picked it, and a folder picked on a case-insensitive volume (or
// typed by hand) may differ in letter case from the names on disk; shown as
// the disk has them, two names for one folder are seen to be one.
//
// settings/pathcase.h has a function of the same name with a stricter rule
// (a missing component gives nothing, a folder ends with "/"), which the
// table-file lookups need. The two stay apart on purpose: a database name may
// name a folder that is to be made, so its missing tail must survive as typed,
// and a name the user typed keeps its own ".", ".." and slashes.

#include <QString>

namespace tw::app {

// The path with each component in the letter case in which it exists on disk.
// A component that exists as given keeps its spelling; one that exists only in
// another case takes that case (the first in name order when several match);
// from the first component that does not exist at all, the rest stays as given.
QString NormalizePathCase(const QString& path);

}  // namespace tw::app
