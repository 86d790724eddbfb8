// The shared state of one open table file, and the rules that keep a table
// whole while several processes read and write it and any of them may die.
//
// Invariants (between operations, for every table file):
//  1. The .dbf is its header, then exactly `count` records of
//     `recordLength` bytes, then at most the 0x1A end mark. Bytes beyond
//     (an append of an older version or another program cut off before its
//     header write) are trimmed by the next writer under the header lock.
//  2. Every counted record holds all of one write: never part of one write
//     and part of another (the record journal, record_journal.h).
//  3. The change counter (header bytes 16-19) only grows. A record write
//     operation raises it twice: before it touches any record, and with the
//     new count when its records are in place.
//  4. So a record read without a lock is whole when the header, read after
//     it, still shows the count and counter this process last saw; else it is
//     read again under the shared header lock (readChecked).
//  5. The record journal (.twr) is empty except while a journaled operation
//     runs; a journal found non-empty is applied, dropped (cut off itself) or
//     refused (the table was written by another program since, or its head
//     is damaged) by the next holder of the exclusive header lock, before it
//     reads or writes records. Its magic is written last, once the rest is
//     flushed, and flushed before the table is touched: zero first bytes
//     prove the write never began.
//  6. Memo blocks are written into fresh space and flushed before the
//     journal of the records that point at them; old blocks are never
//     overwritten, and the next-free pointer never lies past the file's end.
//  7. A replace journal (.twj, tableops.cpp) names only files of its own
//     table, by name, in the folder where it lies.
//  8. Inside this process, the cache, index orders and key maps hold what the
//     file holds at `hdr` plus this process's gathered writes (`pending_`).
//  9. No file of a table is opened through a symbolic link or as anything but
//     a plain file (fileio.h); a file the engine makes is created new or, the
//     record journal, created when missing and never emptied. A link in
//     place of one is reported as damage of the table (ForTable).
//
// Locks (open-file-description locks on bytes of the .dbf beyond any data;
// docs/table-files.md has the offsets) and the states of one process:
//
//   closed --open--> open (open lock shared; exclusive for an exclusive open,
//                    pack, sort, copy over, create over, delete)
//   open --edit/delete--> editing record n (record lock n, not waited for;
//                    test-and-set waits)
//   editing --post--> writing memos (memo lock, waited for, released before
//                    the header lock is taken)
//                --> writing records (header lock exclusive, waited for)
//                --> open (header lock released when the write, or the
//                    batch that gathered it, is committed; record lock last)
//   open --refresh that saw a change, load, confirming read--> header lock
//                    shared for the read, released at once.
//
// Order: open lock, then record lock, then memo lock (released), then header
// lock. A process holds at most one table's header lock at a time (a batch
// commits one table before it writes the next), and never waits for a record
// lock while it holds a header lock (test-and-set commits the batch first),
// so two processes can never wait on each other.

#include "platform/db/shared_table.h"

#include "platform/db/record_journal.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cmath>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace tw::db::detail {

namespace {

// How much of a table one process keeps in memory: runs of 128 KB for scans
// and single records for random access, each within a budget of bytes. A
// working copy of 20,000 schedule records (about 25 MB) fits whole, so a
// restriction or a chart build walks it without going back to the file; a
// walk over a larger table reads what lies beyond the budget again from the
// file, which the system keeps cached. Single records are read once each by
// the look-ups of a push or a restriction: keeping tens of thousands of them
// cost more memory than it saved reads.
constexpr std::size_t kCachedRunBytes = std::size_t{32} << 20;
constexpr std::size_t kCachedSingleBytes = std::size_t{1} << 20;
// Old bytes kept for an undo beyond this are let go once the write is whole.
constexpr std::size_t kKeptUndoBytes = std::size_t{1} << 20;

}  // namespace

namespace {

std::recursive_mutex g_registryMutex;
std::map<std::pair<std::uint64_t, std::uint64_t>, std::weak_ptr<SharedTable>>& Registry()
{
    static std::map<std::pair<std::uint64_t, std::uint64_t>, std::weak_ptr<SharedTable>> r;
    return r;
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string s)
{
    for (auto& c : s)
        c = Upper(c);
    return s;
}

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

class HeaderLock {
public:
    HeaderLock(File& f, LockKind k) : f_(f) { f_.lock(kLockHeader, 1, k, true); }
    ~HeaderLock() { f_.unlock(kLockHeader, 1); }

private:
    File& f_;
};

}  // namespace

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == '\0')
            return false;
    return true;
}

std::string NormalizeTableName(const std::string& name)
{
    // A table is a file of the database folder: a name that names a folder
    // (or climbs out of it) would let create, copy, pack and delete act on
    // files elsewhere.
    if (!IsPlainFileName(name))
        throw DbError(
            ErrorCode::InvalidArgument,
            "Invalid table name \"" + name + "\": a table name is a plain file name, without folders", name);
    std::string n = name;
    if (n.find('.') == std::string::npos)
        n += ".dbf";
    return n;
}

TableFiles FindTableFiles(const std::string& folder, const std::string& name)
{
    TableFiles t;
    std::string n = NormalizeTableName(name);
    t.folder = folder;
    t.base = n.substr(0, n.find_last_of('.'));
    // One listing of the folder finds every file of the family; an exact
    // name wins over one that differs in case.
    const std::string wantDbf = UpperAscii(n);
    std::string dbf, memo, index, journal, records;
    auto take = [](std::string& slot, const std::string& found, const std::string& exact) {
        if (slot.empty() || found == exact)
            slot = found;
    };
    const auto names = Fs().list(t.folder);
    // A name without an extension is first looked for as given: another
    // dBase program may keep a table in a file without one ("wo1").
    if (n != name) {
        const std::string wantBare = UpperAscii(name);
        for (const auto& f : names)
            if (UpperAscii(f) == wantBare && !Fs().isDirectory(JoinPath(t.folder, f)))
                take(dbf, f, name);
    }
    if (dbf.empty())
        for (const auto& f : names)
            if (UpperAscii(f) == wantDbf)
                take(dbf, f, n);
    if (!dbf.empty())
        t.base = dbf.substr(0, dbf.find_last_of('.'));
    const std::string upBase = UpperAscii(t.base);
    const std::string upDbf = UpperAscii(dbf.empty() ? n : dbf) + ".";
    for (const auto& f : names) {
        const std::string u = UpperAscii(f);
        if (u.size() > upDbf.size() + 4 && u.rfind(upDbf, 0) == 0 && u.compare(u.size() - 4, 4, ".TWB") == 0)
            t.batches.push_back(JoinPath(t.folder, f));
        if (u == upBase + ".DBT")
            take(memo, f, t.base + ".dbt");
        else if (u == upBase + ".TWI")
            take(index, f, t.base + ".twi");
        else if (u == upBase + ".TWJ")
            take(journal, f, t.base + ".twj");
        else if (u == upBase + ".TWR")
            take(records, f, t.base + ".twr");
    }
    if (!dbf.empty())
        t.dbf = JoinPath(t.folder, dbf);
    if (!memo.empty())
        t.memo = JoinPath(t.folder, memo);
    if (!index.empty())
        t.index = JoinPath(t.folder, index);
    if (!journal.empty())
        t.journal = JoinPath(t.folder, journal);
    if (!records.empty())
        t.records = JoinPath(t.folder, records);
    return t;
}

bool ParseIndexExpression(const std::string& expr, std::string& field, bool& upper)
{
    std::string e = Trim(expr);
    std::string u = UpperAscii(e);
    upper = false;
    if (u.rfind("UPPER(", 0) == 0 && !u.empty() && u.back() == ')') {
        upper = true;
        u = Trim(u.substr(6, u.size() - 7));
    }
    if (u.empty())
        return false;
    for (char c : u)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    field = u;
    return true;
}

std::vector<IndexDef> ReadIndexDefs(const std::string& path)
{
    std::vector<IndexDef> defs;
    if (path.empty())
        return defs;
    auto f = Fs().open(path, OpenMode::ReadOnly);
    std::uint64_t size = f->size();
    if (size > 1 << 20)
        throw DbError(ErrorCode::IndexError, "Index definitions too large: " + path, path);
    std::string text(size, '\0');
    f->readAt(0, text.data(), text.size());
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        pos = nl == std::string::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first) {
            first = false;
            if (line.rfind("TARNWICK-INDEX", 0) != 0)
                throw DbError(ErrorCode::IndexError, "Not an index definition file: " + path, path);
            continue;
        }
        if (Trim(line).empty())
            continue;
        auto t1 = line.find('\t');
        auto t2 = t1 == std::string::npos ? std::string::npos : line.find('\t', t1 + 1);
        if (t2 == std::string::npos)
            throw DbError(ErrorCode::IndexError, "Damaged index definition in " + path, path);
        IndexDef d;
        d.name = line.substr(0, t1);
        d.expression = line.substr(t1 + 1, t2 - t1 - 1);
        d.descending = UpperAscii(Trim(line.substr(t2 + 1))) == "DESC";
        defs.push_back(d);
    }
    return defs;
}

std::string IndexDefsText(const std::vector<IndexDef>& defs)
{
    std::string s = "TARNWICK-INDEX 1\n";
    for (const auto& d : defs)
        s += d.name + "\t" + d.expression + "\t" + (d.descending ? "DESC" : "ASC") + "\n";
    return s;
}

// ------------------------------------------------------------------ opening

std::shared_ptr<SharedTable> SharedTable::Acquire(const TableFiles& files, bool exclusive)
{
    const std::string& path = files.dbf;
    std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
    auto id = Fs().identity(path);
    auto it = Registry().find(id);
    if (id.second != 0 && it != Registry().end()) {
        if (auto t = it->second.lock()) {
            if (exclusive)
                t->upgradeToExclusive();
            return t;
        }
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::shared_ptr<SharedTable> t(new SharedTable());
        t->path = path;
        t->name = FileNameOf(path);
        t->file = ForTable(path, [&] { return Fs().open(path, OpenMode::ReadWrite); });
        const bool canWrite = t->file->writable();
        LockKind kind = (exclusive && canWrite) ? LockKind::Exclusive : LockKind::Shared;
        if (!t->file->lock(kLockOpen, 1, kind, false)) {
            throw DbError(ErrorCode::TableInUse,
                          exclusive
                              ? "Table " + path + " is open by another user; it cannot be opened exclusively"
                              : "Table " + path + " is opened exclusively by another user",
                          path);
        }
        // A pack, sort or copy may have renamed a new file into place while we
        // opened the old one: then open again.
        t->identity_ = t->file->identity();
        if (t->identity_ != Fs().identity(path))
            continue;
        if (exclusive && canWrite)
            t->exclusiveHolders = 1;
        ForTable(path, [&] { t->load(files); });
        Registry()[t->identity_] = t;
        return t;
    }
    throw DbError(ErrorCode::TableInUse, "Table " + path + " keeps being replaced by another user", path);
}

bool SharedTable::OpenInProcess(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
    auto id = Fs().identity(path);
    auto it = Registry().find(id);
    return it != Registry().end() && !it->second.expired();
}

SharedTable::~SharedTable()
{
    // A batch holds its tables until it commits: a table that goes away
    // while writing has nothing gathered that anyone was told was written.
    if (writing_) {
        try {
            abandonWrites();
        } catch (...) {
        }
    }
    std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
    auto it = Registry().find(identity_);
    if (it != Registry().end() && it->second.expired())
        Registry().erase(it);
}

void SharedTable::upgradeToExclusive()
{
    if (exclusiveHolders == 0 && file->writable()) {
        if (!file->lock(kLockOpen, 1, LockKind::Exclusive, false))
            throw DbError(ErrorCode::TableInUse,
                          "Table " + path + " is open by another user; it cannot be opened exclusively",
                          path);
    }
    ++exclusiveHolders;
}

void SharedTable::releaseExclusive()
{
    if (exclusiveHolders > 0 && --exclusiveHolders == 0 && file->writable())
        file->lock(kLockOpen, 1, LockKind::Shared, true);
}

void SharedTable::load(const TableFiles& files)
{
    journalPath_ = files.records.empty() ? JoinPath(files.folder, files.base + ".twr") : files.records;
    orderPath_ = ReadOrderPath(files.folder, files.base);
    if (!files.records.empty() && openJournal() && file->writable() && journal_->size() > 0) {
        // A write cut off by a crash is finished (or found to be foreign)
        // before anyone reads the records it was writing.
        HeaderLock hl(*file, LockKind::Exclusive);
        recoverJournal();
    }
    HeaderLock hl(*file, LockKind::Shared);
    refreshOverlay();  // one this process may not apply is read through
    // A batch journal named after this table exists only while its writer
    // holds this header lock: one seen here was left by a writer that died
    // once every table's journal was done with it.
    if (file->writable())
        for (const auto& b : files.batches)
            RemoveBatchWhenDone(b);
    const std::uint64_t size = fileSize();
    if (size < kHeaderPrefix)
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + path + ": the file is shorter than a header",
                      path);
    std::vector<std::uint8_t> head(kHeaderPrefix);
    readBytes(0, head.data(), head.size());
    std::uint16_t hlen = HeaderLengthOf(head.data());
    if (hlen > size || hlen < kHeaderPrefix + 1)
        throw DbError(ErrorCode::CorruptFile,
                      "Corrupt table " + path + ": header length " + std::to_string(hlen)
                          + " does not fit the file",
                      path);
    head.resize(hlen);
    if (readBytes(0, head.data(), hlen) != hlen)
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + path + ": the header is cut short", path);
    layout = ParseLayout(head, size, path);
    std::memcpy(prefix_.data(), head.data(), kHeaderPrefix);
    hdr = ParseHeaderState(head.data());
    for (const auto& f : layout.fields)
        fieldDefs.push_back(f.def);
    chunkRecords_ = std::max<std::uint32_t>(1, 131072u / layout.recordLength);

    if (layout.hasMemoFields()) {
        if (files.memo.empty())
            throw DbError(ErrorCode::NotFound, "Memo file " + files.base + ".dbt of " + path + " is missing",
                          path);
        memo = std::make_unique<MemoFile>(Fs().open(files.memo, OpenMode::ReadWrite), layout.memo);
    }
    indexDefs = ReadIndexDefs(files.index);
    for (const auto& d : indexDefs) {
        std::string fname;
        bool up = false;
        if (!ParseIndexExpression(d.expression, fname, up) || layout.fieldIndex(fname) < 0)
            throw DbError(ErrorCode::IndexError,
                          "Index " + d.name + " of " + path + " names an unknown field: " + d.expression,
                          path);
    }
}

// ------------------------------------------------------------------- header

bool SharedTable::readHeader(bool locked)
{
    // While this process writes (a batch), it holds the header lock: nobody
    // else can have changed the table, and the disk does not yet show what
    // the batch gathered.
    if (writing_)
        return false;
    std::uint8_t p[kHeaderPrefix];
    std::size_t n = file->readAt(0, p, kHeaderPrefix);
    if (!locked && n == kHeaderPrefix) {
        // Unchanged needs no lock: a read torn by a concurrent header write
        // cannot show all of the old count and counter unless it read before
        // the write. A change is confirmed under the header lock.
        HeaderState quick = ParseHeaderState(p);
        if (quick.recordCount == hdr.recordCount && quick.changeCounter == hdr.changeCounter)
            return false;
        HeaderLock hl(*file, LockKind::Shared);
        refreshOverlay();
        n = readBytes(0, p, kHeaderPrefix);
    } else if (locked) {
        refreshOverlay();
        n = readBytes(0, p, kHeaderPrefix);
    }
    if (n != kHeaderPrefix)
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + path + ": the header is cut short", path);
    HeaderState st = ParseHeaderState(p);
    std::memcpy(prefix_.data(), p, kHeaderPrefix);
    if (st.recordCount == hdr.recordCount && st.changeCounter == hdr.changeCounter)
        return false;
    assert(st.recordCount >= hdr.recordCount || st.changeCounter != hdr.changeCounter);  // 3
    const std::uint64_t need =
        layout.headerLength + static_cast<std::uint64_t>(st.recordCount) * layout.recordLength;
    if (need > fileSize())
        throw DbError(ErrorCode::CorruptFile,
                      "Corrupt table " + path + ": the header counts more records than the file holds", path);
    hdr = st;
    invalidate();
    return true;
}

void SharedTable::dropRuns()
{
    for (auto& [k, v] : cache_)
        if (pool_.size() < 8)
            pool_.push_back(std::move(v));
    cache_.clear();
    lastChunk_ = UINT32_MAX;
    lastChunkData_ = nullptr;
}

void SharedTable::invalidate()
{
    dropRuns();
    singles_.clear();
    lastSingleData_ = nullptr;
    lastChunk_ = UINT32_MAX;
    lastChunkData_ = nullptr;
    lastRecno_ = 0;
    for (auto& [k, o] : orders_) {
        o.valid = false;
        o.order.clear();
        o.nkeys.clear();
        o.skeys.clear();
    }
    for (auto& [k, m] : keyMaps_) {
        m.valid = false;
        m.map.clear();
    }
    live_ = -1;
    orderState_ = OrderState::Unknown;
    readOrder_ = ReadOrder{};
    ++dataGen;
    startWriteEpoch();
}

std::uint64_t SharedTable::NewWriteEpoch()
{
    // Tables are opened and refreshed on worker threads too: two epochs
    // handed out at once must still differ.
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void SharedTable::startWriteEpoch()
{
    writeEpoch = NewWriteEpoch();
    writeLog.clear();
}

// ------------------------------------------------------------------ records

std::uint8_t* SharedTable::cachedRecord(std::uint32_t recno)
{
    const std::uint32_t chunk = (recno - 1) / chunkRecords_;
    const std::size_t at = static_cast<std::size_t>((recno - 1) % chunkRecords_) * layout.recordLength;
    if (chunk == lastChunk_ && lastChunkData_)
        return lastChunkData_ + at;
    auto it = cache_.find(chunk);
    if (it != cache_.end())
        return it->second.data() + at;
    if (recno == lastSingle_ && lastSingleData_)
        return lastSingleData_;
    auto s = singles_.find(recno);
    if (s == singles_.end())
        return nullptr;
    lastSingle_ = recno;
    lastSingleData_ = s->second.data();
    return lastSingleData_;
}

const std::uint8_t* SharedTable::record(std::uint32_t recno)
{
    if (recno == 0 || recno > hdr.recordCount)
        throw DbError(ErrorCode::NoCurrentRecord,
                      "Record " + std::to_string(recno) + " does not exist in " + path, path);
    assert(!writing_ || base_.recordCount <= hdr.recordCount);  // 8
    const std::uint32_t prev = lastRecno_;
    lastRecno_ = recno;
    if (const std::uint8_t* p = cachedRecord(recno))
        return p;
    if (writing_) {
        auto pend = pending_.find(recno);
        if (pend != pending_.end())
            return pend->second.data();
    }
    const bool sequential = prev != 0 && (recno == prev + 1 || recno + 1 == prev);
    if (!sequential) {
        // Random access (locate, goTo): read just this record.
        if (singles_.size() >= std::max<std::size_t>(64, kCachedSingleBytes / layout.recordLength))
            singles_.clear();
        std::vector<std::uint8_t> buf(layout.recordLength);
        readRecordFromDisk(recno, buf.data());
        lastSingle_ = recno;
        lastSingleData_ = singles_.insert_or_assign(recno, std::move(buf)).first->second.data();
        return lastSingleData_;
    }
    const std::uint32_t chunk = (recno - 1) / chunkRecords_;
    // Within the budget a run is kept. Beyond it the runs already kept stay
    // and this one is read into the one spare buffer: a walk over a larger
    // table then reads again only what lies beyond the budget, not the whole
    // table (which dropping the kept runs to make room would cost).
    const bool keep = cache_.size() < std::max<std::size_t>(
        2, kCachedRunBytes / (static_cast<std::size_t>(chunkRecords_) * layout.recordLength));
    const std::uint32_t firstRec = chunk * chunkRecords_ + 1;
    const std::uint32_t n = std::min(chunkRecords_, hdr.recordCount - firstRec + 1);
    std::vector<std::uint8_t> kept;
    if (keep && !pool_.empty()) {
        kept = std::move(pool_.back());
        pool_.pop_back();
    }
    std::vector<std::uint8_t>& buf = keep ? kept : spareRun_;
    buf.resize(static_cast<std::size_t>(n) * layout.recordLength);
    const std::uint64_t off =
        layout.headerLength + static_cast<std::uint64_t>(firstRec - 1) * layout.recordLength;
    // Records a batch of this process gathered are not on disk yet.
    const std::uint32_t onDisk = writing_ ? base_.recordCount : hdr.recordCount;
    const std::uint32_t fromDisk = firstRec > onDisk ? 0 : std::min(n, onDisk - firstRec + 1);
    if (fromDisk > 0)
        readChecked(off, buf.data(), static_cast<std::size_t>(fromDisk) * layout.recordLength, 0);
    if (writing_)
        for (auto it = pending_.lower_bound(firstRec); it != pending_.end() && it->first < firstRec + n; ++it)
            std::memcpy(buf.data() + static_cast<std::size_t>(it->first - firstRec) * layout.recordLength,
                        it->second.data(), layout.recordLength);
    // Single copies of records in this run are superseded by the run.
    for (std::uint32_t r = firstRec; r < firstRec + n; ++r)
        singles_.erase(r);
    if (lastSingle_ >= firstRec && lastSingle_ < firstRec + n)
        lastSingleData_ = nullptr;
    lastChunk_ = chunk;
    lastChunkData_ = keep ? cache_.emplace(chunk, std::move(kept)).first->second.data() : spareRun_.data();
    return lastChunkData_ + static_cast<std::size_t>((recno - 1) % chunkRecords_) * layout.recordLength;
}

void SharedTable::readRecordFromDisk(std::uint32_t recno, std::uint8_t* out)
{
    if (writing_) {
        auto pend = pending_.find(recno);
        if (pend != pending_.end()) {
            std::memcpy(out, pend->second.data(), layout.recordLength);
            return;
        }
    }
    const std::uint64_t off =
        layout.headerLength + static_cast<std::uint64_t>(recno - 1) * layout.recordLength;
    readChecked(off, out, layout.recordLength, recno);
}

void SharedTable::readChecked(std::uint64_t off, std::uint8_t* out, std::size_t n, std::uint32_t recno)
{
    auto cutShort = [&] {
        throw DbError(ErrorCode::CorruptFile,
                      "Corrupt table " + path + ": "
                          + (recno ? "record " + std::to_string(recno) + " is cut short"
                                   : std::string("records are cut short")),
                      path);
    };
    if (readBytes(off, out, n) != n)
        cutShort();
    if (writing_)
        return;  // this process holds the header lock: nobody writes
    // Every writer changes the header before it touches a record (invariant
    // 4): a header that still shows what this process last saw proves that
    // no write overlapped the read, without taking a lock. Otherwise read
    // again under the shared header lock, which no writer holds half way.
    std::uint8_t p[kHeaderPrefix];
    if (file->readAt(0, p, kHeaderPrefix) == kHeaderPrefix) {
        const HeaderState now = ParseHeaderState(p);
        if (now.recordCount == hdr.recordCount && now.changeCounter == hdr.changeCounter)
            return;
    }
    HeaderLock hl(*file, LockKind::Shared);
    refreshOverlay();
    if (readBytes(off, out, n) != n)
        cutShort();
}

bool SharedTable::openJournal()
{
    // Gone meanwhile: a pack or copy that replaced the table removed it (it
    // cannot come back while this process holds the table open).
    if (!journal_)
        journal_ = ForTable(path, [&] { return OpenIfPresent(journalPath_); });
    return journal_ != nullptr;
}

void SharedTable::refreshOverlay()
{
    // Only a dead writer leaves a journal non-empty where a header lock can
    // be had. The stamp (its size and checksum) spares reading it again
    // while it stays the same.
    if (!journal_ && (!Fs().exists(journalPath_) || !openJournal())) {
        overlay_.reset();
        return;
    }
    std::uint8_t magic[8] = {};
    const std::uint64_t size = journal_->size();
    if (size < 16 || journal_->readAt(0, magic, 8) != 8
        || std::all_of(magic, magic + 8, [](std::uint8_t c) { return c == 0; })) {
        overlay_.reset();
        return;
    }
    std::uint8_t tail[8] = {};
    journal_->readAt(size - 8, tail, 8);
    std::uint64_t stamp = size * 0x9E3779B97F4A7C15ULL;
    for (int i = 0; i < 8; ++i)
        stamp ^= static_cast<std::uint64_t>(tail[i]) << (8 * i);
    if (overlay_ && stamp == overlayStamp_)
        return;
    overlay_.reset();
    auto pending = std::make_unique<PendingJournal>();
    try {
        if (ReadRecordJournal(*file, *journal_, *pending) == JournalState::Pending) {
            overlay_ = std::move(pending);
            overlayStamp_ = stamp;
        }
    } catch (const DbError&) {
        // Not to be trusted: read the table as it is; whoever may write
        // next reports it and clears it.
    }
}

std::size_t SharedTable::readBytes(std::uint64_t off, std::uint8_t* out, std::size_t n)
{
    std::size_t got = file->readAt(off, out, n);
    if (!overlay_)
        return got;
    for (const auto& w : overlay_->writes) {
        const std::uint64_t a = std::max(off, w.offset), b = std::min(off + n, w.offset + w.length);
        if (a >= b)
            continue;
        std::memcpy(out + (a - off), w.bytes + (a - w.offset), static_cast<std::size_t>(b - a));
        got = std::max(got, static_cast<std::size_t>(b - off));
    }
    if (off < 32)
        std::memcpy(out, overlay_->newHeader.data() + off,
                    static_cast<std::size_t>(std::min<std::uint64_t>(32 - off, n)));
    return got;
}

std::uint64_t SharedTable::fileSize()
{
    const std::uint64_t size = file->size();
    return overlay_ ? std::max(size, overlay_->endOfRecords + 1) : size;
}

// ------------------------------------------------------------------ writing

namespace {

int g_batchDepth = 0;
// The tables whose writes the open batch gathers, in the order it began
// them; it holds each one's header lock until it commits.
std::vector<std::shared_ptr<SharedTable>>& BatchTables()
{
    static std::vector<std::shared_ptr<SharedTable>> t;
    return t;
}

// How long a batch that holds other tables waits for one more: two
// processes' batches may each hold a table the other wants. The one that
// gives up first writes nothing and says so.
constexpr auto kBatchLockWait = std::chrono::seconds(10);

}  // namespace

void BeginWriteBatch()
{
    ++g_batchDepth;
}

void EndWriteBatch()
{
    if (g_batchDepth > 0 && --g_batchDepth == 0)
        CommitPendingWrites();
}

void CommitPendingWrites()
{
    auto tables = std::move(BatchTables());
    BatchTables().clear();
    std::vector<SharedTable*> raw;
    for (auto& t : tables)
        raw.push_back(t.get());
    CommitTables(raw);
}

void AbandonPendingWrites()
{
    auto tables = std::move(BatchTables());
    BatchTables().clear();
    for (auto& t : tables)
        t->abandonWrites();
}

namespace {

// The record journal of a table, when there is one.
std::unique_ptr<File> OpenJournalOf(const std::string& dbf)
{
    const std::string folder = FolderOf(dbf), name = FileNameOf(dbf);
    const std::string records = FindTableFiles(folder, name).records;
    return records.empty() ? nullptr : OpenIfPresent(records);
}

}  // namespace

// Removes a batch journal once no table's journal names it any more.
void RemoveBatchWhenDone(const std::string& batch)
{
    std::vector<BatchPart> parts;
    const auto self = Fs().identity(batch);
    if (self.second == 0)
        return;
    if (ReadBatchJournal(batch, 0, parts)) {
        for (const auto& p : parts) {
            try {
                auto j = OpenJournalOf(p.table);
                if (j && Fs().identity(JournalBatch(*j).path) == self)
                    return;  // that table's opener still needs it
            } catch (const DbError&) {
                return;
            }
        }
    }
    // Done, or never committed: its writer died before it was whole (a live
    // writer would hold the header lock of the table that led here).
    try {
        Fs().remove(batch);
    } catch (const DbError&) {
    }
}

namespace {

// A committed batch whose writer died: its part on each other table is
// finished now where that table's header lock can be had at once; the
// others are finished by their own next opener.
void FinishBatch(const BatchRef& batch, std::pair<std::uint64_t, std::uint64_t> self)
{
    std::vector<BatchPart> parts;
    if (!ReadBatchJournal(batch.path, batch.id, parts))
        return;
    for (const auto& p : parts) {
        try {
            if (Fs().identity(p.table) == self)
                continue;
            auto j = OpenJournalOf(p.table);
            if (!j || JournalBatch(*j).id != batch.id)
                continue;
            auto t = Fs().open(p.table, OpenMode::ReadWrite);
            if (!t->writable() || !j->writable() || !t->lock(kLockHeader, 1, LockKind::Exclusive, false))
                continue;
            try {
                RecoverRecordJournal(*t, *j);
            } catch (const DbError&) {
                // Reported to that table's own opener.
            }
            t->unlock(kLockHeader, 1);
        } catch (const DbError&) {
        }
    }
}

}  // namespace

JournalState RecoverJournalOf(File& table, File& journal)
{
    const BatchRef batch = JournalBatch(journal);
    JournalState state;
    try {
        state = RecoverRecordJournal(table, journal);
    } catch (const DbError&) {
        if (!batch.path.empty())
            RemoveBatchWhenDone(batch.path);
        throw;
    }
    if (!batch.path.empty() && state != JournalState::Empty) {
        if (state == JournalState::Applied)
            FinishBatch(batch, table.identity());
        RemoveBatchWhenDone(batch.path);
    }
    return state;
}

void RecoverRecordWrites(const TableFiles& files)
{
    if (files.records.empty() || files.dbf.empty())
        return;
    auto journal = OpenIfPresent(files.records);  // a pack or copy may have removed it meanwhile
    if (!journal || !journal->writable() || journal->size() == 0)
        return;
    auto table = Fs().open(files.dbf, OpenMode::ReadWrite);
    if (!table->writable())
        return;
    table->lock(kLockHeader, 1, LockKind::Exclusive, true);
    try {
        RecoverJournalOf(*table, *journal);
    } catch (...) {
        table->unlock(kLockHeader, 1);
        throw;
    }
    table->unlock(kLockHeader, 1);
}

void SharedTable::beginWrite(bool bounded)
{
    if (!bounded) {
        file->lock(kLockHeader, 1, LockKind::Exclusive, true);
    } else {
        const auto until = std::chrono::steady_clock::now() + kBatchLockWait;
        while (!file->lock(kLockHeader, 1, LockKind::Exclusive, false)) {
            if (std::chrono::steady_clock::now() > until)
                throw DbError(ErrorCode::Locked,
                              "Table " + path
                                  + " is being written by another user; the change was cancelled and nothing "
                                    "of it was written. Please try again",
                              path);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    try {
        recoverJournal();
        readHeader(true);
        trimUncounted();
    } catch (...) {
        file->unlock(kLockHeader, 1);
        throw;
    }
    writing_ = true;
    base_ = hdr;
    basePrefix_ = prefix_;
    assert(pending_.empty());
}

void SharedTable::recoverJournal()
{
    overlay_.reset();
    if (!journal_ && (!Fs().exists(journalPath_) || !openJournal()))
        return;
    if (RecoverJournalOf(*file, *journal_) == JournalState::Applied)
        invalidate();
}

void SharedTable::trimUncounted()
{
    // An append cut off before its header write (by an earlier version, or
    // by another program) leaves a record that other dBase readers would
    // show: the end of the table is where the header says.
    const std::uint64_t end =
        layout.headerLength + static_cast<std::uint64_t>(hdr.recordCount) * layout.recordLength;
    const std::uint64_t size = file->size();
    if (size <= end + 1)
        return;
    file->truncate(end);
    const std::uint8_t eof = 0x1A;
    file->writeAt(end, &eof, 1);
}

std::uint32_t SharedTable::writeRecord(std::uint32_t recno, const std::uint8_t* rec, bool durable,
                                       const std::uint8_t* expected)
{
    if (!file->writable())
        throw DbError(ErrorCode::ReadOnly, "Table " + path + " is read only", path);
    const bool batched = g_batchDepth > 0 && !durable;
    auto& batch = BatchTables();
    if (!batched && !batch.empty())
        CommitPendingWrites();  // a durable write never waits behind a batch's locks
    const bool began = !writing_;
    if (began) {
        try {
            beginWrite(batched && !batch.empty());
        } catch (const DbError& e) {
            if (e.code() == ErrorCode::Locked && batched)
                AbandonPendingWrites();  // all or nothing: nothing
            throw;
        }
        if (batched)
            batch.push_back(shared_from_this());
    }
    const bool isAppend = recno == 0;
    std::vector<std::uint8_t> old;
    try {
        if (!isAppend) {
            const std::uint8_t* cur = record(recno);
            old.assign(cur, cur + layout.recordLength);
            if (expected && std::memcmp(cur, expected, layout.recordLength) != 0) {
                // Against the file itself (or what this batch gathered) before
                // refusing: a program that writes without raising the counter
                // leaves the cache behind.
                std::vector<std::uint8_t> now(layout.recordLength);
                readRecordFromDisk(recno, now.data());
                if (std::memcmp(now.data(), expected, layout.recordLength) != 0)
                    throw DbError(
                        ErrorCode::Locked,
                        "Record " + std::to_string(recno) + " of " + path
                            + " was changed since it was read (a write that had been cut off was "
                              "finished, or another program wrote it). Nothing was written; read it "
                              "again and repeat the change",
                        path);
            }
        }
    } catch (...) {
        if (began && pending_.empty()) {
            if (batched)
                batch.pop_back();
            abandonWrites();
        }
        throw;
    }
    // Known before the table changes, so that the order can follow it.
    const bool ordered = readOrder() != nullptr;
    if (isAppend) {
        recno = hdr.recordCount + 1;
        if (ordered)
            placeAppended(recno, rec);
        ++hdr.recordCount;
    }
    pending_[recno].assign(rec, rec + layout.recordLength);
    if (!batched)
        commitWrites();
    if (isAppend) {
        const std::uint32_t chunk = (recno - 1) / chunkRecords_;
        auto it = cache_.find(chunk);
        if (it != cache_.end()) {
            if (pool_.size() < 8)
                pool_.push_back(std::move(it->second));
            cache_.erase(it);
        }
        if (chunk == lastChunk_) {
            lastChunk_ = UINT32_MAX;
            lastChunkData_ = nullptr;
        }
        recordChanged(recno, nullptr, rec);
    } else {
        if (std::uint8_t* p = cachedRecord(recno))
            std::memcpy(p, rec, layout.recordLength);
        recordChanged(recno, &old, rec);
    }
    return recno;
}

void SharedTable::commitWrites()
{
    if (writing_)
        CommitTables({this});
}

void SharedTable::prepareWrite(bool alone)
{
    assert(hdr.recordCount >= base_.recordCount);                                     // 1: appends only grow
    assert(pending_.empty() || pending_.rbegin()->first <= hdr.recordCount);          // 8
    assert(hdr.recordCount == base_.recordCount || pending_.count(hdr.recordCount));  // appends are gathered
    // Contiguous records go in one write; the end mark follows the last.
    // Each run is sized first, and each gathered record is let go as soon as
    // it is copied (nothing reads them between here and the end of the
    // write), so a write of the whole table holds one copy of it, not two
    // plus the slack of growing buffers.
    const std::size_t gathered = pending_.size();
    const bool appends = hdr.recordCount > base_.recordCount;
    writes_.clear();
    std::vector<std::size_t> runs;
    std::uint32_t prev = 0;
    for (const auto& entry : pending_) {
        if (runs.empty() || entry.first != prev + 1)
            runs.push_back(0);
        runs.back() += entry.second.size();
        prev = entry.first;
    }
    prev = 0;
    for (auto it = pending_.begin(); it != pending_.end(); it = pending_.erase(it)) {
        const std::uint32_t recno = it->first;
        if (writes_.empty() || recno != prev + 1) {
            writes_.push_back(
                {layout.headerLength + static_cast<std::uint64_t>(recno - 1) * layout.recordLength, {}});
            const bool last = writes_.size() == runs.size();
            writes_.back().bytes.reserve(runs[writes_.size() - 1] + (last && appends ? 1 : 0));
        }
        writes_.back().bytes.insert(writes_.back().bytes.end(), it->second.begin(), it->second.end());
        prev = recno;
    }
    if (appends)
        writes_.back().bytes.push_back(0x1A);
    // The header twice: the counter raised before any record is touched
    // (so a reader can tell that its read may overlap this write), then
    // the new count with the counter raised again.
    during_ = basePrefix_;
    after_ = basePrefix_;
    StoreHeaderState(during_.data(), {base_.recordCount, base_.changeCounter + 1});
    StoreHeaderState(after_.data(), {hdr.recordCount, base_.changeCounter + 2});
    oldSize_ = file->size();
    touched_ = false;
    if (memoDirty_ && memo)
        memo->file().sync();  // the blocks the records point at, first
    memoDirty_ = false;
    // One record inside one 512-byte sector of existing bytes cannot be torn
    // (a kill stops a write only between pages, a power cut only between
    // sectors), and the header moves only the counter: no journal needed.
    // Appends, anything wider and every write of more than one record (or of
    // a batch over several tables) go through the journal.
    journaled_ = !alone || hdr.recordCount != base_.recordCount || gathered != 1
        || writes_.front().offset / kJournalPiece
            != (writes_.front().offset + writes_.front().bytes.size() - 1) / kJournalPiece;
}

std::uint64_t SharedTable::writeJournal(const BatchRef& batch)
{
    // Made when missing, never emptied nor followed through a link: a
    // planted link would have the journal overwrite whatever it points at.
    if (!journal_)
        journal_ = ForTable(path, [&] { return Fs().open(journalPath_, OpenMode::OpenOrCreate); });
    const std::uint64_t checksum =
        WriteRecordJournal(*file, *journal_, oldSize_, layout.headerLength, basePrefix_.data(), after_.data(),
                           writes_, batch, &undo_);
    journal_->sync();
    return checksum;
}

void SharedTable::writeTable()
{
    if (!journaled_) {
        // What an undo restores.
        const auto& w = writes_.front();
        undo_.resize(1);
        undo_[0].offset = w.offset;
        undo_[0].bytes.resize(w.bytes.size());
        undo_[0].bytes.resize(file->readAt(w.offset, undo_[0].bytes.data(), w.bytes.size()));
    }
    touched_ = true;
    file->writeAt(0, during_.data(), during_.size());
    for (const auto& w : writes_)
        file->writeAt(w.offset, w.bytes.data(), w.bytes.size());
    file->writeAt(0, after_.data(), after_.size());
    file->sync();
}

bool SharedTable::undoWrite()
{
    bool undone = true;
    if (touched_) {
        try {
            // The old bytes and the old count, with the counter raised so
            // that every reader looks again.
            for (const auto& u : undo_)
                file->writeAt(u.offset, u.bytes.data(), u.bytes.size());
            if (file->size() > oldSize_)
                file->truncate(oldSize_);
            std::array<std::uint8_t, 32> back = basePrefix_;
            StoreHeaderState(back.data(), {base_.recordCount, base_.changeCounter + 2});
            file->writeAt(0, back.data(), back.size());
            file->sync();
        } catch (const DbError&) {
            undone = false;
        }
    }
    if (undone && journaled_ && journal_) {
        // The journal goes, so that nobody finishes the write later.
        try {
            ClearRecordJournal(*journal_);
            journal_->sync();
        } catch (const DbError&) {
            try {
                journal_->truncate(0);
            } catch (const DbError&) {
                undone = false;
            }
        }
    }
    return undone;
}

void SharedTable::clearJournal()
{
    if (journaled_) {
        try {
            ClearRecordJournal(*journal_);
        } catch (const DbError&) {
            // The write is whole on disk: its journal, finished again by
            // the next writer, changes nothing.
        }
    }
}

void SharedTable::finishWrite()
{
    prefix_ = after_;
    hdr.changeCounter = base_.changeCounter + 2;
    pending_.clear();
    writes_.clear();
    // The old bytes mattered only until the write was whole. A small write's
    // buffers serve the next one; a whole push's or chart build's would stay
    // for as long as the table is open, several megabytes per table.
    std::size_t undoBytes = 0;
    for (const RecordWrite& u : undo_)
        undoBytes += u.bytes.capacity();
    if (undoBytes > kKeptUndoBytes)
        std::vector<RecordWrite>().swap(undo_);
    writing_ = false;
    file->unlock(kLockHeader, 1);
}

void CommitTables(const std::vector<SharedTable*>& tables)
{
    std::vector<SharedTable*> ts;
    for (auto* t : tables) {
        if (t->writing_ && t->pending_.empty())
            t->abandonWrites();  // nothing gathered: nothing to write
        else if (t->writing_)
            ts.push_back(t);
    }
    if (ts.empty())
        return;
    BatchRef batch;
    try {
        for (auto* t : ts)
            t->prepareWrite(ts.size() == 1);
        if (ts.size() == 1) {
            if (ts[0]->journaled_)
                ts[0]->writeJournal(batch);
        } else {
            // Each table's journal names the batch; the batch journal, whole
            // on disk, is the instant the batch happens.
            batch = NewBatchRef(FolderOf(ts[0]->path), FileNameOf(ts[0]->path));
            std::vector<BatchPart> parts;
            for (auto* t : ts)
                parts.push_back({t->path, t->writeJournal(batch)});
            ForTable(ts[0]->path, [&] { WriteBatchJournal(batch.path, batch.id, parts); });
        }
        for (auto* t : ts)
            t->writeTable();
    } catch (const DbError& e) {
        // A failed write has not happened and will not happen later: every
        // table gets its old bytes back and loses its journal.
        bool undone = true;
        for (auto* t : ts)
            undone = t->undoWrite() && undone;
        if (undone && !batch.path.empty()) {
            try {
                Fs().remove(batch.path);
            } catch (const DbError&) {
            }
        }
        for (auto* t : ts)
            t->abandonWrites();
        throw DbError(e.code(),
                      std::string(e.what())
                          + (undone ? ". Nothing of the change was written"
                                    : ". The change could not be undone; it will be completed when the table "
                                      "is next opened"),
                      e.file());
    } catch (...) {
        for (auto* t : ts)
            t->undoWrite();
        for (auto* t : ts)
            t->abandonWrites();
        throw;
    }
    // Every journal is done with before the batch journal goes, and that
    // before the locks: so a batch journal seen by the holder of one of its
    // tables' header locks was left by a writer that died.
    for (auto* t : ts)
        t->clearJournal();
    if (!batch.path.empty()) {
        try {
            Fs().remove(batch.path);
        } catch (const DbError&) {
        }
    }
    for (auto* t : ts)
        t->saveReadOrder();
    for (auto* t : ts)
        t->finishWrite();
}

void SharedTable::abandonWrites()
{
    if (!writing_)
        return;
    pending_.clear();
    writes_.clear();
    writing_ = false;
    file->unlock(kLockHeader, 1);
    // What was gathered is gone: everything cached is re-read from disk.
    hdr = base_;
    ++hdr.changeCounter;
    invalidate();
    try {
        readHeader(false);
    } catch (...) {
    }
}

std::uint32_t SharedTable::writeMemo(const Bytes& data)
{
    if (!memo)
        throw DbError(ErrorCode::MemoCorrupt, "Table " + path + " has no memo file", path);
    file->lock(kLockMemo, 1, LockKind::Exclusive, true);
    try {
        std::uint32_t b = memo->append(data);
        memoDirty_ = true;
        file->unlock(kLockMemo, 1);
        return b;
    } catch (...) {
        file->unlock(kLockMemo, 1);
        throw;
    }
}

Bytes SharedTable::readMemo(const FieldLayout& f, const std::uint8_t* rec)
{
    const std::uint32_t block = DecodeMemoBlock(f, rec);
    if (block == 0)
        return {};
    if (block == kBadMemoPointer) {
        std::string raw(reinterpret_cast<const char*>(rec + f.offset), static_cast<std::size_t>(f.def.width));
        for (auto& c : raw)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
                c = '?';
        throw DbError(ErrorCode::MemoCorrupt,
                      "Damaged record in " + path + ": field " + f.def.name + " holds \"" + raw
                          + "\" where a memo block number belongs",
                      path);
    }
    if (!memo)
        throw DbError(ErrorCode::MemoCorrupt, "Table " + path + " has no memo file", path);
    return memo->read(block);
}

bool SharedTable::lockRecord(std::uint32_t recno, bool wait)
{
    if (lockedInProcess.count(recno))
        return false;
    if (file->writable() && !file->lock(kLockRecords + recno, 1, LockKind::Exclusive, wait))
        return false;
    lockedInProcess.insert(recno);
    return true;
}

void SharedTable::unlockRecord(std::uint32_t recno)
{
    if (lockedInProcess.erase(recno) && file->writable())
        file->unlock(kLockRecords + recno, 1);
}

std::int64_t SharedTable::liveCount()
{
    if (live_ < 0) {
        std::int64_t n = 0;
        for (std::uint32_t r = 1; r <= hdr.recordCount; ++r)
            if (!Deleted(record(r)))
                ++n;
        live_ = n;
    }
    return live_;
}

// ------------------------------------------------------------------ indexes

bool SharedTable::Order::less(std::uint32_t a, std::uint32_t b) const
{
    int c = 0;
    if (numeric) {
        double x = nkeys[a], y = nkeys[b];
        c = x < y ? -1 : (x > y ? 1 : 0);
    } else {
        c = skeys[a].compare(skeys[b]);
        c = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (def.descending)
        c = -c;
    if (c != 0)
        return c < 0;
    return a < b;
}

std::size_t SharedTable::Order::positionOf(std::uint32_t recno) const
{
    auto it = std::lower_bound(order.begin(), order.end(), recno,
                               [this](std::uint32_t a, std::uint32_t b) { return less(a, b); });
    if (it != order.end() && *it == recno)
        return static_cast<std::size_t>(it - order.begin());
    auto lin = std::find(order.begin(), order.end(), recno);
    return static_cast<std::size_t>(lin - order.begin());
}

void SharedTable::setKeys(Order& o, std::uint32_t recno, const std::uint8_t* rec)
{
    const FieldLayout& f = layout.fields[static_cast<std::size_t>(o.field)];
    if (o.numeric) {
        if (o.nkeys.size() <= recno)
            o.nkeys.resize(recno + 1, 0.0);
        double v = -HUGE_VAL;
        if (f.def.type == FieldType::Date) {
            Value dv = DecodeValue(f, rec);
            if (auto* d = std::get_if<DateValue>(&dv))
                v = d->days;
        } else if (f.def.type == FieldType::Logical) {
            Value lv = DecodeValue(f, rec);
            v = (std::holds_alternative<bool>(lv) && std::get<bool>(lv)) ? 1 : 0;
        } else {
            double x;
            if (DecodeNumber(f, rec, x))
                v = x;
        }
        o.nkeys[recno] = v;
    } else {
        if (o.skeys.size() <= recno)
            o.skeys.resize(recno + 1);
        const char* p = reinterpret_cast<const char*>(rec + f.offset);
        std::size_t n = static_cast<std::size_t>(f.def.width);
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == 0))
            --n;
        std::string s(p, n);
        if (o.upper)
            for (auto& c : s) {
                auto u = static_cast<unsigned char>(c);
                if (u >= 'a' && u <= 'z')
                    c = static_cast<char>(u - 32);
                else if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
                    c = static_cast<char>(u - 32);
            }
        o.skeys[recno] = std::move(s);
    }
}

void SharedTable::buildOrder(Order& o)
{
    const std::uint32_t n = hdr.recordCount;
    o.nkeys.clear();
    o.skeys.clear();
    if (o.numeric)
        o.nkeys.assign(n + 1, 0.0);
    else
        o.skeys.assign(n + 1, std::string());
    o.order.resize(n);
    for (std::uint32_t r = 1; r <= n; ++r) {
        setKeys(o, r, record(r));
        o.order[r - 1] = r;
    }
    std::stable_sort(o.order.begin(), o.order.end(),
                     [&o](std::uint32_t a, std::uint32_t b) { return o.less(a, b); });
    o.valid = true;
}

SharedTable::Order* SharedTable::order(const std::string& tag)
{
    std::string key = UpperAscii(tag);
    auto it = orders_.find(key);
    if (it == orders_.end()) {
        const IndexDef* def = nullptr;
        for (const auto& d : indexDefs)
            if (UpperAscii(d.name) == key) {
                def = &d;
                break;
            }
        if (!def)
            return nullptr;
        Order o;
        o.def = *def;
        std::string fname;
        ParseIndexExpression(def->expression, fname, o.upper);
        o.field = layout.fieldIndex(fname);
        const auto t = layout.fields[static_cast<std::size_t>(o.field)].def.type;
        o.numeric = t == FieldType::Float || t == FieldType::Smallint || t == FieldType::Date
            || t == FieldType::Logical;
        it = orders_.emplace(key, std::move(o)).first;
    }
    if (!it->second.valid)
        buildOrder(it->second);
    return &it->second;
}

void SharedTable::adoptIndexDefs(const std::vector<IndexDef>& defs)
{
    for (const IndexDef& d : defs) {
        const std::string key = UpperAscii(d.name);
        const bool known = std::any_of(indexDefs.begin(), indexDefs.end(),
                                       [&](const IndexDef& x) { return UpperAscii(x.name) == key; });
        if (known)
            continue;
        // Another program's copy of the table may lack a field of the
        // layout: that tag is not there, and only a cursor that asks for it
        // is refused (IndexError naming it).
        std::string fname;
        bool up = false;
        if (!d.name.empty() && ParseIndexExpression(d.expression, fname, up) && layout.fieldIndex(fname) >= 0)
            indexDefs.push_back(d);
    }
}

// ---------------------------------------------------------------- key maps

std::string SharedTable::keyOf(const std::vector<int>& fields, const std::uint8_t* rec, bool foldCase) const
{
    std::string key;
    for (int fi : fields) {
        const FieldLayout& f = layout.fields[static_cast<std::size_t>(fi)];
        switch (f.def.type) {
        case FieldType::Float:
        case FieldType::Smallint: {
            double v;
            if (!DecodeNumber(f, rec, v)) {
                key += 'B';
            } else {
                if (v == 0)
                    v = 0;  // no negative zero
                key += 'N';
                key.append(reinterpret_cast<const char*>(&v), sizeof v);
            }
            break;
        }
        case FieldType::Logical: {
            Value lv = DecodeValue(f, rec);
            key += (std::holds_alternative<bool>(lv) && std::get<bool>(lv)) ? 'T' : 'F';
            break;
        }
        default: {
            const char* p = reinterpret_cast<const char*>(rec + f.offset);
            std::size_t n = static_cast<std::size_t>(f.def.width);
            while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == 0))
                --n;
            key += 'S';
            key += static_cast<char>(n & 0xFF);
            key += static_cast<char>(n >> 8);
            const std::size_t at = key.size();
            key.append(p, n);
            if (foldCase)
                for (std::size_t i = at; i < key.size(); ++i)
                    key[i] = Upper(key[i]);
            break;
        }
        }
    }
    return key;
}

const std::vector<std::uint32_t>* SharedTable::candidates(const std::vector<int>& fields,
                                                          const std::string& key, bool foldCase)
{
    std::string id = foldCase ? "U" : "";
    for (int f : fields)
        id += std::to_string(f) + ";";
    KeyMap& m = keyMaps_[id];
    if (!m.valid) {
        m.fields = fields;
        m.foldCase = foldCase;
        m.map.clear();
        for (std::uint32_t r = 1; r <= hdr.recordCount; ++r)
            m.map[keyOf(fields, record(r), foldCase)].push_back(r);
        m.valid = true;
    }
    auto it = m.map.find(key);
    return it == m.map.end() ? nullptr : &it->second;
}

void SharedTable::recordChanged(std::uint32_t recno, const std::vector<std::uint8_t>* oldRec,
                                const std::uint8_t* newRec)
{
    // A reader that missed this many writes reads the table whole anyway.
    constexpr std::size_t kWriteLogLimit = 16384;
    if (writeLog.size() >= kWriteLogLimit)
        startWriteEpoch();
    writeLog.push_back(recno);
    for (auto& entry : orders_) {
        Order& o = entry.second;
        if (!o.valid)
            continue;
        if (oldRec) {
            std::size_t pos = o.positionOf(recno);
            if (pos < o.order.size())
                o.order.erase(o.order.begin() + static_cast<std::ptrdiff_t>(pos));
        }
        setKeys(o, recno, newRec);
        auto it = std::upper_bound(o.order.begin(), o.order.end(), recno,
                                   [&o](std::uint32_t a, std::uint32_t b) { return o.less(a, b); });
        o.order.insert(it, recno);
    }
    for (auto& [k, m] : keyMaps_) {
        if (!m.valid)
            continue;
        if (oldRec) {
            auto it = m.map.find(keyOf(m.fields, oldRec->data(), m.foldCase));
            if (it != m.map.end()) {
                auto& v = it->second;
                v.erase(std::remove(v.begin(), v.end(), recno), v.end());
                if (v.empty())
                    m.map.erase(it);
            }
        }
        auto& v = m.map[keyOf(m.fields, newRec, m.foldCase)];
        v.insert(std::upper_bound(v.begin(), v.end(), recno), recno);
    }
    if (live_ >= 0) {
        const bool wasLive = oldRec && !Deleted(oldRec->data());
        const bool isLive = !Deleted(newRec);
        live_ += (isLive ? 1 : 0) - (wasLive ? 1 : 0);
    }
}


// ------------------------------------------------------------- read order

int CompareForSort(const FieldLayout& f, const std::uint8_t* a, const std::uint8_t* b)
{
    switch (f.def.type) {
    case FieldType::Float:
    case FieldType::Smallint: {
        double x, y;
        bool hx = DecodeNumber(f, a, x), hy = DecodeNumber(f, b, y);
        if (!hx || !hy)
            return hx == hy ? 0 : (hx ? 1 : -1);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Date:
    case FieldType::Logical: {
        Value x = DecodeValue(f, a), y = DecodeValue(f, b);
        auto rank = [](const Value& v) -> double {
            if (auto* d = std::get_if<DateValue>(&v))
                return d->days;
            if (auto* l = std::get_if<bool>(&v))
                return *l ? 1 : 0;
            return -HUGE_VAL;
        };
        double rx = rank(x), ry = rank(y);
        return rx < ry ? -1 : (rx > ry ? 1 : 0);
    }
    default: {
        const std::uint8_t* p = a + f.offset;
        const std::uint8_t* q = b + f.offset;
        for (int i = 0; i < f.def.width; ++i) {
            auto u = [](std::uint8_t c) -> int {
                if (c >= 'a' && c <= 'z')
                    return c - 32;
                if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
                    return c - 32;
                if (c == 0)
                    return ' ';
                return c;
            };
            int x = u(p[i]), y = u(q[i]);
            if (x != y)
                return x < y ? -1 : 1;
        }
        return 0;
    }
    }
}

namespace {

constexpr char kOrderMagic[8] = {'T', 'W', 'O', 'R', 'D', 'E', 'R', '1'};
std::atomic<unsigned> g_orderTmpCounter{0};

std::uint64_t OrderChecksum(const std::uint8_t* p, std::size_t n)
{
    std::uint64_t h = 1469598103934665603ULL;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 1099511628211ULL;
    }
    return h;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t GetU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
           | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::string ReadOrderPath(const std::string& folder, const std::string& base)
{
    return JoinPath(folder, base + ".two");
}

void WriteReadOrderFile(const std::string& path, const std::vector<int>& fields, const HeaderState& st,
                        const std::vector<std::uint32_t>& order)
{
    std::vector<std::uint8_t> bytes(kOrderMagic, kOrderMagic + sizeof kOrderMagic);
    bytes.reserve(bytes.size() + 20 + 4 * (fields.size() + order.size()));
    PutU32(bytes, st.changeCounter);
    PutU32(bytes, st.recordCount);
    PutU32(bytes, static_cast<std::uint32_t>(fields.size()));
    for (int f : fields)
        PutU32(bytes, static_cast<std::uint32_t>(f));
    for (std::uint32_t r : order)
        PutU32(bytes, r);
    const std::uint64_t sum = OrderChecksum(bytes.data(), bytes.size());
    PutU32(bytes, static_cast<std::uint32_t>(sum));
    PutU32(bytes, static_cast<std::uint32_t>(sum >> 32));
    std::string tmp;
    do {
        tmp = path + "." + std::to_string(::getpid()) + "." + std::to_string(++g_orderTmpCounter) + ".twtmp";
    } while (Fs().exists(tmp));
    try {
        {
            auto f = Fs().open(tmp, OpenMode::CreateNew);
            f->writeAt(0, bytes.data(), bytes.size());
        }
        Fs().rename(tmp, path);
    } catch (...) {
        try {
            Fs().remove(tmp);
        } catch (const DbError&) {
        }
        throw;
    }
}

const SharedTable::ReadOrder* SharedTable::readOrder()
{
    if (orderState_ == OrderState::Unknown)
        loadReadOrder();
    return orderState_ == OrderState::Loaded ? &readOrder_ : nullptr;
}

void SharedTable::loadReadOrder()
{
    orderState_ = OrderState::None;
    readOrder_ = ReadOrder{};
    // Gathered writes of a batch are not in the file's order yet: an order
    // lost in the middle of one stays lost until the next sort.
    if (writing_ && !pending_.empty())
        return;
    if (orderPath_.empty() || !Fs().exists(orderPath_))
        return;
    std::vector<std::uint8_t> bytes;
    try {
        auto f = Fs().open(orderPath_, OpenMode::ReadOnly);
        const std::uint64_t size = f->size();
        const std::uint64_t expected = 8 + 12 + 4 * 4 + 4ULL * hdr.recordCount + 8;
        if (size < 8 + 12 + 8 || size > expected)
            return;
        bytes.resize(static_cast<std::size_t>(size));
        if (f->readAt(0, bytes.data(), bytes.size()) != bytes.size())
            return;
    } catch (const DbError&) {
        return;  // gone meanwhile, or unreadable: the file order
    }
    const std::size_t body = bytes.size() - 8;
    const std::uint64_t sum = OrderChecksum(bytes.data(), body);
    if (std::memcmp(bytes.data(), kOrderMagic, 8) != 0 || GetU32(&bytes[body]) != static_cast<std::uint32_t>(sum)
        || GetU32(&bytes[body + 4]) != static_cast<std::uint32_t>(sum >> 32))
        return;
    if (GetU32(&bytes[8]) != hdr.changeCounter || GetU32(&bytes[12]) != hdr.recordCount)
        return;
    const std::uint32_t nfields = GetU32(&bytes[16]);
    if (nfields == 0 || nfields > 4 || 20 + 4ULL * nfields + 4ULL * hdr.recordCount != body)
        return;
    ReadOrder o;
    for (std::uint32_t i = 0; i < nfields; ++i) {
        const std::uint32_t f = GetU32(&bytes[20 + 4 * i]);
        if (f == 0 || f > layout.fields.size())
            return;
        o.fields.push_back(static_cast<int>(f));
    }
    const std::size_t first = 20 + 4 * static_cast<std::size_t>(nfields);
    o.order.resize(hdr.recordCount);
    o.positions.assign(static_cast<std::size_t>(hdr.recordCount) + 1, UINT32_MAX);
    for (std::uint32_t i = 0; i < hdr.recordCount; ++i) {
        const std::uint32_t r = GetU32(&bytes[first + 4 * static_cast<std::size_t>(i)]);
        if (r == 0 || r > hdr.recordCount || o.positions[r] != UINT32_MAX)
            return;  // not every record once
        o.order[i] = r;
        o.positions[r] = i;
    }
    readOrder_ = std::move(o);
    orderState_ = OrderState::Loaded;
}

void SharedTable::placeAppended(std::uint32_t recno, const std::uint8_t* rec)
{
    ReadOrder& o = readOrder_;
    // After the records that sort before it or equal to it: where a stable
    // sort of the table would put it.
    auto it = std::upper_bound(o.order.begin(), o.order.end(), recno, [&](std::uint32_t, std::uint32_t r) {
        const std::uint8_t* other = record(r);
        for (int f : o.fields) {
            const int c = CompareForSort(layout.fields[static_cast<std::size_t>(f - 1)], rec, other);
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    const auto at = static_cast<std::size_t>(it - o.order.begin());
    o.order.insert(it, recno);
    o.positions.resize(static_cast<std::size_t>(recno) + 1, UINT32_MAX);
    for (std::size_t i = at; i < o.order.size(); ++i)
        o.positions[o.order[i]] = static_cast<std::uint32_t>(i);
}

void SharedTable::saveReadOrder()
{
    if (orderState_ != OrderState::Loaded)
        return;
    const HeaderState st{hdr.recordCount, base_.changeCounter + 2};
    try {
        WriteReadOrderFile(orderPath_, readOrder_.fields, st, readOrder_.order);
    } catch (const DbError&) {
        // The table's write stands; without its order the records read in
        // file order until the next sort. Every record may have moved in the
        // read order: what was written since a mark no longer tells it.
        orderState_ = OrderState::None;
        readOrder_ = ReadOrder{};
        startWriteEpoch();
        try {
            Fs().remove(orderPath_);
        } catch (const DbError&) {
        }
    }
}

}  // namespace tw::db::detail
