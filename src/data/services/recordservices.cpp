#include "data/services/recordservices.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace tw::data {

namespace {

// Closes a table on leaving when this routine opened it.
class OpenedHere {
public:
    explicit OpenedHere(db::Table& table) : table_(table), opened_(!table.active())
    {
        if (opened_)
            table_.open();
    }
    ~OpenedHere()
    {
        if (opened_) {
            try {
                table_.close();
            } catch (...) {
            }
        }
    }
    OpenedHere(const OpenedHere&) = delete;
    OpenedHere& operator=(const OpenedHere&) = delete;

private:
    db::Table& table_;
    bool opened_;
};

std::int32_t CurrentKey(db::Table& table, std::string_view keyField)
{
    if (table.eof() && table.bof())
        return 0;
    const db::Field f = table.fieldByName(keyField);
    return f.isNull() ? 0 : f.asInteger();
}

// Undoes the two-character escapes of a mount point in /proc/self/mounts.
std::string UnescapeMountPath(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const std::string oct = s.substr(i + 1, 3);
            if (oct.size() == 3 && oct.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::strtol(oct.c_str(), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool IsNetworkFileSystem(const std::string& type)
{
    static const std::set<std::string> kNetwork = {
        "nfs",           "nfs4",  "cifs",        "smb3",      "smbfs",      "ncpfs",
        "afs",           "9p",    "ceph",        "glusterfs", "fuse.sshfs", "fuse.glusterfs",
        "fuse.smbnetfs", "davfs", "fuse.davfs2", "lustre",    "gfs2",       "ocfs2"};
    return kNetwork.count(type) != 0;
}

}  // namespace

std::int32_t UniqueKeyValue(RecordKeys& keys, db::Table& table, std::string_view keyField)
{
    OpenedHere guard(table);
    const std::int32_t returnPoint = CurrentKey(table, keyField);
    std::int32_t candidate = keys.NewRecordId();
    if (table.isEmpty())
        return candidate;

    // Each candidate differs from the one before, so a taken key is met again
    // only when the clock passes midnight during the search; allow for that
    // and then give up rather than hand out a key that is taken.
    const std::int64_t bound = table.recordCount() * 2 + 1000;
    for (std::int64_t tries = 0;; ++tries) {
        if (!table.locate(keyField, db::Value(static_cast<double>(candidate)))) {
            if (returnPoint != 0)
                table.locate(keyField, db::Value(static_cast<double>(returnPoint)));
            return candidate;
        }
        if (tries >= bound)
            break;
        candidate = keys.NewRecordId();
    }
    std::ostringstream msg;
    msg << "No free record key found for " << keyField << " in " << table.tableName();
    throw std::runtime_error(msg.str());
}

void copy_record(bool append, db::Table& source, db::Table& target)
{
    if (append)
        target.append();
    const auto& defs = source.fieldDefs();
    for (int i = 0; i < static_cast<int>(defs.size()); ++i) {
        auto to = target.findField(defs[i].name);
        if (!to)
            continue;
        try {
            const db::Field from = source.field(i);
            if (from.isNull()) {
                to->clear();
                continue;
            }
            switch (defs[i].type) {
            case db::FieldType::Char:
            case db::FieldType::Memo: to->setAsString(from.asString()); break;
            case db::FieldType::Smallint: to->setAsInteger(from.asInteger()); break;
            case db::FieldType::Float: to->setAsFloat(from.asFloat()); break;
            case db::FieldType::Date: to->setAsDateTime(from.asDateTime()); break;
            case db::FieldType::Logical: to->setAsBoolean(from.asBoolean()); break;
            case db::FieldType::Binary: to->setAsBytes(from.asBytes()); break;
            }
        } catch (const std::exception&) {
            // A value the target cannot hold skips that field; the copy goes on.
        }
    }
    if (append)
        target.post();
}

void EmptyTable(db::Table& table)
{
    table.first();
    while (!table.eof())
        table.deleteRecord();
    table.refresh();
}

bool IsNetworkPath(const std::string& path)
{
    if (path.rfind("//", 0) == 0 || path.rfind("\\\\", 0) == 0)
        return true;
    char resolved[PATH_MAX];
    const std::string real = ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;

    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    std::string bestType;
    size_t bestLength = 0;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type))
            continue;
        mountPoint = UnescapeMountPath(mountPoint);
        const bool covers = mountPoint == "/"
            || (real.rfind(mountPoint, 0) == 0
                && (real.size() == mountPoint.size() || real[mountPoint.size()] == '/'));
        if (covers && mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            bestType = type;
        }
    }
    return IsNetworkFileSystem(bestType);
}

}  // namespace tw::data
