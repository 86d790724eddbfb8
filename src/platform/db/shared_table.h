#pragma once
// Internal: one open table file of this process, shared by every cursor on
// it (the Table objects). Holds the open file and its locks, the record cache,
// the index orders and the key maps of Locate. Not part of the engine's API.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/dbf_format.h"
#include "platform/db/fileio.h"
#include "platform/db/record_journal.h"
#include "platform/db/types.h"

namespace tw::db::detail {

// Lock bytes far beyond any real file size (see docs/table-files.md).
inline constexpr std::uint64_t kLockBase = 0x4000000000000000ULL;
inline constexpr std::uint64_t kLockOpen = kLockBase + 0;
inline constexpr std::uint64_t kLockHeader = kLockBase + 1;
inline constexpr std::uint64_t kLockMemo = kLockBase + 2;
inline constexpr std::uint64_t kLockRecords = kLockBase + 0x100;

// The file names of a table's family, found without regard to case.
struct TableFiles {
    std::string folder;
    std::string dbf;      // full path of the .dbf (empty when missing)
    std::string base;     // the .dbf's name without extension
    std::string memo;     // full path of the .dbt, empty when missing
    std::string index;    // full path of the index definitions (.twi), empty when missing
    std::string journal;  // full path of a replace journal (.twj), empty when none
    std::string records;  // full path of the record journal (.twr), empty when none
    // Batch journals (NAME.DBF.<pid>.<n>.twb) of batches that began with this
    // table: only while one runs, or after its writer died.
    std::vector<std::string> batches;
};
// True for a name without folders (no slash or backslash, not "." or "..").
bool IsPlainFileName(const std::string& name);
// name: with or without extension (none means ".dbf"); throws InvalidArgument
// for a name that is not a plain file name.
std::string NormalizeTableName(const std::string& name);
TableFiles FindTableFiles(const std::string& folder, const std::string& name);

// Runs f; a link (or anything but a plain file) met in place of one of the
// table's files is reported as damage of the table at dbf.
template <typename F>
decltype(auto) ForTable(const std::string& dbf, F&& f)
{
    try {
        return f();
    } catch (const NotAPlainFile& e) {
        throw DbError(ErrorCode::CorruptFile, "Table " + dbf + " is damaged: " + e.what(), dbf);
    }
}

std::vector<IndexDef> ReadIndexDefs(const std::string& path);

// How a sort compares one field of two records: ascending, texts without
// regard to letter case, blanks first.
int CompareForSort(const FieldLayout& f, const std::uint8_t* a, const std::uint8_t* b);

// The read order of a table kept in sort order (NAME.two): the order in which
// cursors without an index read the records, when it differs from the
// records' places in the file. Trusted only while the table's count and
// change counter are the ones it was written for; any other table state (a
// crash between the table's write and this file's, another program's write)
// reads the records in file order again, and the next sort puts them right.
std::string ReadOrderPath(const std::string& folder, const std::string& base);
// Writes the file whole under a temporary name and renames it into place
// (no flush: losing it loses only the order, never a record).
void WriteReadOrderFile(const std::string& path, const std::vector<int>& fields, const HeaderState& st,
                        const std::vector<std::uint32_t>& order);
std::string IndexDefsText(const std::vector<IndexDef>& defs);
// The field an index expression names, and whether it is UPPER(field).
bool ParseIndexExpression(const std::string& expr, std::string& field, bool& upper);

// Write batches (WriteBatch in table.h): while one is open, record writes
// are gathered per table and written at the end as one write over every
// table the batch touched (one journal per table and a batch journal).
void BeginWriteBatch();
void EndWriteBatch();  // the outermost end commits; throws when that fails
// Commits the gathered writes now (before an operation on whole tables).
void CommitPendingWrites();
// Drops the gathered writes after a failure (their tables re-read the disk).
void AbandonPendingWrites();

// Finishes a record write that a crashed process left in the table's record
// journal (see record_journal.h); nothing when there is none.
void RecoverRecordWrites(const TableFiles& files);
// The same on an open table file whose header lock the caller holds
// exclusively; a write of a batch also finishes (or drops) the batch's
// writes on its other tables where it can.
JournalState RecoverJournalOf(File& table, File& journal);
// Removes a batch journal (by path) once no table's journal names it.
void RemoveBatchWhenDone(const std::string& batch);

class SharedTable : public std::enable_shared_from_this<SharedTable> {
public:
    // Opens (or joins this process's open of) the table file at path.
    static std::shared_ptr<SharedTable> Acquire(const TableFiles& files, bool exclusive);
    // True when a cursor of this process has the file at path open.
    static bool OpenInProcess(const std::string& path);
    ~SharedTable();

    void upgradeToExclusive();  // throws TableInUse
    void releaseExclusive();

    // Re-reads the header (under a shared header lock unless already locked);
    // when the counter or the count moved, everything cached is dropped.
    // Returns true when something changed.
    bool readHeader(bool locked);
    void invalidate();

    std::uint32_t count() const { return hdr.recordCount; }
    // The record's bytes (deletion flag first); valid until the next call.
    const std::uint8_t* record(std::uint32_t recno);
    void readRecordFromDisk(std::uint32_t recno, std::uint8_t* out);
    static bool Deleted(const std::uint8_t* rec) { return rec[0] == '*'; }

    // Writes a record (recno 0 appends) through the record journal under the
    // header lock, bumps the change counter, keeps caches, orders and key maps
    // current. Returns the record number. Inside a write batch the write is
    // gathered and reaches the file when the batch commits, unless durable.
    // expected: the record as it was read when its edit began; when the table
    // holds anything else by now (a cut-off write finished since, another
    // program), nothing is written and DbError Locked says so.
    std::uint32_t writeRecord(std::uint32_t recno, const std::uint8_t* rec, bool durable,
                              const std::uint8_t* expected = nullptr);
    // Writes what was gathered (one journal, one flush of each file) and
    // releases the header lock. A failure leaves nothing of it, now or later.
    void commitWrites();
    // Drops what was gathered and releases the header lock.
    void abandonWrites();
    bool writing() const { return writing_; }
    std::uint32_t writeMemo(const Bytes& data);
    // The memo a Memo or Binary field of rec points at; throws MemoCorrupt
    // naming the table and the field for a pointer that is not a number.
    Bytes readMemo(const FieldLayout& f, const std::uint8_t* rec);

    bool lockRecord(std::uint32_t recno, bool wait);
    void unlockRecord(std::uint32_t recno);

    std::int64_t liveCount();

    // The order cursors without an index read the records in, when the
    // table is kept in sort order (SortTableKeptInOrder): every record once,
    // an appended one in its sorted place. nullptr: in record-number order.
    struct ReadOrder {
        std::vector<int> fields;               // 1-based sort fields
        std::vector<std::uint32_t> order;      // record numbers
        std::vector<std::uint32_t> positions;  // by record number (index 0 unused)
        std::size_t positionOf(std::uint32_t recno) const { return positions[recno]; }
    };
    const ReadOrder* readOrder();

    // Index order of a tag (built when needed), all records in key order.
    struct Order {
        IndexDef def;
        int field = -1;
        bool upper = false;
        bool numeric = false;
        bool valid = false;
        std::vector<double> nkeys;       // by record number (index 0 unused)
        std::vector<std::string> skeys;  // by record number (index 0 unused)
        std::vector<std::uint32_t> order;
        bool less(std::uint32_t a, std::uint32_t b) const;
        std::size_t positionOf(std::uint32_t recno) const;
    };
    Order* order(const std::string& tag);  // nullptr when there is no such tag
    // Adds the tags not defined yet (a table without index definitions of
    // its own), except those over a field the table lacks.
    void adoptIndexDefs(const std::vector<IndexDef>& defs);

    // Record numbers (ascending) whose fields hold this key.
    // foldCase: texts compared with their letters a-z raised, as UPPER() of an index raises them.
    const std::vector<std::uint32_t>* candidates(const std::vector<int>& fields, const std::string& key,
                                                 bool foldCase = false);
    std::string keyOf(const std::vector<int>& fields, const std::uint8_t* rec, bool foldCase = false) const;

    std::string path;
    std::string name;  // file name
    std::unique_ptr<File> file;
    std::unique_ptr<MemoFile> memo;
    TableLayout layout;
    std::vector<FieldDef> fieldDefs;
    std::vector<IndexDef> indexDefs;
    int exclusiveHolders = 0;
    std::set<std::uint32_t> lockedInProcess;
    std::uint64_t dataGen = 1;
    // What this process wrote to the table since it was last read whole:
    // record numbers in the order written (Table::writtenSince). A new epoch,
    // never used before in the process, starts whenever the log stops telling
    // everything: the table was re-read after another program's write, or the
    // log grew too long.
    std::uint64_t writeEpoch = NewWriteEpoch();
    std::vector<std::uint32_t> writeLog;
    static std::uint64_t NewWriteEpoch();
    void startWriteEpoch();

private:
    SharedTable() = default;
    void load(const TableFiles& files);
    void setKeys(Order& o, std::uint32_t recno, const std::uint8_t* rec);
    void buildOrder(Order& o);
    void recordChanged(std::uint32_t recno, const std::vector<std::uint8_t>* oldRec,
                       const std::uint8_t* newRec);

    std::array<std::uint8_t, 32> prefix_{};
    HeaderState hdr;
    std::uint32_t chunkRecords_ = 1;
    std::unordered_map<std::uint32_t, std::vector<std::uint8_t>> cache_;  // runs of records, for scans
    std::unordered_map<std::uint32_t, std::vector<std::uint8_t>>
        singles_;  // single records, for random access
    // The single record read or found last: a record compared field by
    // field is looked for once, not once per field.
    std::uint32_t lastSingle_ = 0;
    std::uint8_t* lastSingleData_ = nullptr;
    std::vector<std::vector<std::uint8_t>> pool_;  // run buffers to reuse (no fresh pages per run)
    std::vector<std::uint8_t> spareRun_;           // the run read last beyond the budget
    void dropRuns();
    std::uint32_t lastRecno_ = 0;
    std::uint32_t lastChunk_ = UINT32_MAX;
    std::uint8_t* lastChunkData_ = nullptr;
    std::uint8_t* cachedRecord(std::uint32_t recno);
    std::map<std::string, Order> orders_;
    struct KeyMap {
        std::vector<int> fields;
        bool foldCase = false;
        bool valid = false;
        std::unordered_map<std::string, std::vector<std::uint32_t>> map;
    };
    std::map<std::string, KeyMap> keyMaps_;
    std::int64_t live_ = -1;
    std::pair<std::uint64_t, std::uint64_t> identity_{};

    friend void CommitTables(const std::vector<SharedTable*>& tables);

    // The write in progress (see the lock states at the top of shared_table.cpp).
    // bounded: other tables' header locks are held (a batch over several
    // tables): wait a while, never without end.
    void beginWrite(bool bounded);
    void recoverJournal();  // the header lock is held exclusively
    void trimUncounted();
    void readChecked(std::uint64_t off, std::uint8_t* out, std::size_t n, std::uint32_t recno);
    // Reads through a journal that a cut-off write left and this process may
    // not apply (see refreshOverlay).
    std::size_t readBytes(std::uint64_t off, std::uint8_t* out, std::size_t n);
    std::uint64_t fileSize();
    // With the header lock held (shared is enough): notes the journal a dead
    // writer left, so that reads show its bytes.
    void refreshOverlay();
    bool openJournal();

    // The steps of a commit (CommitTables runs them over every table of a batch).
    void prepareWrite(bool alone);
    std::uint64_t writeJournal(const BatchRef& batch);
    void writeTable();
    bool undoWrite();  // false when the table could not be restored
    void clearJournal();
    void finishWrite();

    enum class OrderState { Unknown, None, Loaded };
    OrderState orderState_ = OrderState::Unknown;
    ReadOrder readOrder_;
    std::string orderPath_;
    void loadReadOrder();
    void placeAppended(std::uint32_t recno, const std::uint8_t* rec);
    void saveReadOrder();  // under the exclusive header lock, once the table's write is whole

    std::string journalPath_;
    std::unique_ptr<File> journal_;
    std::unique_ptr<PendingJournal> overlay_;
    std::uint64_t overlayStamp_ = 0;
    bool writing_ = false;
    HeaderState base_;  // the header on disk when the write began
    std::array<std::uint8_t, 32> basePrefix_{};
    std::map<std::uint32_t, std::vector<std::uint8_t>> pending_;  // gathered records by number
    bool memoDirty_ = false;                                      // memo blocks written since the last flush
    // The commit in progress.
    std::vector<RecordWrite> writes_, undo_;
    std::array<std::uint8_t, 32> during_{}, after_{};
    std::uint64_t oldSize_ = 0;
    bool journaled_ = false, touched_ = false;
};

// Commits the gathered writes of several tables as one write.
void CommitTables(const std::vector<SharedTable*>& tables);

}  // namespace tw::db::detail
