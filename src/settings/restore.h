#pragma once
// "Smart restore": brings the tables of a backup archive back into the
// schedule database, table by table, merging (the backup's records that the
// live table lacks are appended) or replacing, and then rebuilds this
// workstation's working copies and screens through the host.
//
//   SmartRestore restore(host, ui);
//   restore.RestoreClick();            // the Utilities tab's "Smart restore"
//
// Nothing of the live database changes until the whole result is ready: the
// archive is checked and expanded into a new folder of its own under the
// restore folder; each expanded table is brought to the current layout; the
// merge or replace runs into staged copies beside the live tables, each
// checked; one swap (restoreswap.h) puts every changed table in place
// together. A refusal or failure before the swap leaves every file of the
// database as it was. On every path the hourglass goes, Busy is cleared and
// the tables are open again.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/services/userinterface.h"
#include "platform/archive/archive.h"
#include "platform/db/table.h"
#include "settings/restorehost.h"

namespace tw::settings {

enum class RestoreMode {
    Replace,     // always
    Merge,       // always
    SharedRule,  // replace while the shared tables are unusable, merge otherwise
};

struct RestoreRow {
    const char* file;
    const char* key;
    RestoreMode mode;
    bool stampUpdate;  // appended records get UPDATE 1.1, so the pull takes them
};

// The tables a restore brings back, in the order it does.
const std::vector<RestoreRow>& RestoreTableList();

// The archive is not a backup this program can restore; what() says why.
class InvalidBackup : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checks an archive before anything is expanded: readable to the end (ZIP
// or LHA), only plain entries (no links, no absolute or ".." names), no two
// files of one name in different letter case, at least one of the restore's
// tables, and an expanded size that fits freeBytes. Throws InvalidBackup.
std::vector<archive::ArchiveEntry> CheckBackupArchive(const std::string& path, std::uint64_t freeBytes);

// The current record of source into target, field by field by the source
// field's type (data::copy_record); a field of a type it does not know is
// skipped with the "Undefined data type in copy_record" box.
void copy_record(bool appendAndPost, db::Table& source, db::Table& target, data::UserInterface& ui);

enum class RestoreOutcome {
    Declined,  // no selection, or No to a question: nothing happened
    Refused,   // bad archive or folder: nothing changed
    Failed,    // a table could not be restored: nothing changed
    Completed,
};

struct RestoreOptions {
    // Bytes free for this program in a folder's volume; statvfs when empty.
    std::function<std::uint64_t(const std::string& folder)> freeBytes;
    // Called before each write of the swap (tests stop the process there).
    std::function<void(const std::string& step)> onSwapStep;
};

class SmartRestore {
public:
    SmartRestore(RestoreHost& host, data::UserInterface& ui, RestoreOptions options = {});
    RestoreOutcome RestoreClick();

private:
    class Work;
    void Status(const std::string& panel0, const std::string& panel1, const std::string& panel2);

    RestoreHost& host_;
    data::UserInterface& ui_;
    RestoreOptions options_;
};

}  // namespace tw::settings
