#pragma once
// The cursor on one table: what the data module's table components are.
// Its members are the table components' properties and methods:
// DatabaseName/TableName/Exclusive/ReadOnly/IndexName/Filter/Filtered/
// OnFilterRecord; Open/Close/Refresh/First/Next/Prior/Last/Eof/Bof/
// RecordCount/Locate/Append/Edit/Post/Cancel/Delete/FieldByName.
//
// Several cursors of one process on the same file share its open file, record
// cache, index orders and key maps; each keeps its own position, index,
// filter and read-only flag. The file format, locks and crash rules are
// described in docs/table-files.md. The engine is used from one thread (the
// GUI thread, as the program's design has it); cursors are not thread-safe.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/filter.h"
#include "platform/db/types.h"

namespace tw::db {

namespace detail {
class SharedTable;
}

class Table;

// Resolves a database name or alias to its folder; an empty result means the
// name is unknown. The alias layer installs it; tests may install their own.
using DatabaseResolver = std::function<std::string(const std::string&)>;
void SetDatabaseResolver(DatabaseResolver resolver);
// The folder of a database name through the resolver; throws InvalidAlias
// naming it when there is no resolver or the name is unknown.
std::string ResolveDatabase(const std::string& name);

// Gathers the record writes of one operation (a push of many records) so
// that they reach the files as one write: all of them, over every table the
// batch touched, or none, whatever dies when (one journal and one flush per
// table instead of two flushes per record, and a batch journal when it
// touches several tables). While a batch is open, the tables it wrote stay
// locked against other processes' writes (not their reads). The end of the
// outermost batch commits: call commit() to see its errors; the destructor
// commits too, and drops everything gathered when an exception is already on
// its way. A commit that fails leaves nothing written, now or later.
// Batches nest; only the outermost commits.
class WriteBatch {
public:
    WriteBatch();
    ~WriteBatch() noexcept(false);
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    void commit();

private:
    bool open_ = true;
    int exceptions_ = 0;
};

// One field of the cursor's current record (or of the record being edited).
class Field {
public:
    Field(Table* table, int index) : table_(table), index_(index) {}
    const FieldDef& def() const;
    const std::string& name() const { return def().name; }
    FieldType type() const { return def().type; }
    int index() const { return index_; }

    Value value() const;
    bool isNull() const;
    std::string asString() const;
    std::int32_t asInteger() const;
    double asFloat() const;
    double asCurrency() const { return asFloat(); }
    double asDate() const;      // whole days; 0 when blank
    double asDateTime() const;  // days with the time of day as the fraction; 0 when blank
    bool asBoolean() const;
    std::string asMemo() const { return asString(); }
    Bytes asBytes() const;
    // The field's bytes as the record stores them (of a memo: the number of
    // its block); empty without a current record. Two fields defined alike
    // whose stored bytes are equal hold the same value.
    std::string_view storedBytes() const;

    void setValue(const Value& v);
    void setAsString(std::string_view v);
    void setAsInteger(std::int64_t v);
    void setAsFloat(double v);
    void setAsCurrency(double v) { setAsFloat(v); }
    void setAsDate(double v) { setAsDateTime(v); }
    void setAsDateTime(double v);  // a Date field keeps the day; day part 0 writes blank
    void setAsBoolean(bool v);
    void setAsMemo(std::string_view v) { setAsString(v); }
    void setAsBytes(const Bytes& v);
    void clear();

private:
    Table* table_;
    int index_;
};

class Table {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using FilterCallback = std::function<bool(const Table&)>;

    Table();
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Settings (change them while the table is closed; index, filter and
    // filtered may change while it is open).
    void setDatabaseName(std::string name) { databaseName_ = std::move(name); }
    const std::string& databaseName() const { return databaseName_; }
    // A folder given directly wins over the database name.
    void setFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& folder() const { return folder_; }
    void setTableName(std::string name) { tableName_ = std::move(name); }
    const std::string& tableName() const { return tableName_; }
    void setExclusive(bool v) { exclusive_ = v; }
    bool exclusive() const { return exclusive_; }
    void setReadOnly(bool v) { readOnly_ = v; }
    bool readOnly() const { return readOnly_; }
    void setIndexName(std::string tag);
    const std::string& indexName() const { return indexName_; }
    // The tags of a table that another dBase program writes and that comes
    // without our index definitions beside it: their orders are built in
    // memory like any other and never written anywhere. Definitions found
    // beside the table win; a tag over a field the table lacks is left out.
    void setKnownIndexes(std::vector<IndexDef> defs) { knownIndexes_ = std::move(defs); }
    void setFilter(std::string text);
    const std::string& filter() const { return filterText_; }
    void setFiltered(bool v);
    bool filtered() const { return filtered_; }
    void setOnFilterRecord(FilterCallback cb);

    void open();
    void close();  // cancels an unposted edit or insert
    bool active() const { return shared_ != nullptr; }
    State state() const { return state_; }
    // Re-reads the header; when the table changed anywhere, drops what was
    // cached. Keeps the position (or moves to the next visible record).
    void refresh();

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    // Records that pass the filter; deleted ones never count.
    std::int64_t recordCount();
    // Physical record number of the current record (1-based), 0 when none.
    std::uint32_t recNo() const { return state_ == State::Insert ? 0 : recno_; }
    // Moves to a physical record (it must exist and not be deleted).
    void goTo(std::uint32_t recno);

    // Exact, case-sensitive; numbers by value. fields is "A" or "A;B;C".
    bool locate(std::string_view fields, const std::vector<Value>& values);
    bool locate(std::string_view field, const Value& value)
    {
        return locate(field, std::vector<Value>{value});
    }
    // The same, with texts compared ignoring letter case (a-z folded as
    // UPPER() of an index folds them); still whole values, never a prefix.
    bool locateIgnoringCase(std::string_view fields, const std::vector<Value>& values);
    bool locateIgnoringCase(std::string_view field, const Value& value)
    {
        return locateIgnoringCase(field, std::vector<Value>{value});
    }

    void append();
    void insert() { append(); }
    void edit();
    void post();  // nothing in browse mode
    void cancel();
    void deleteRecord();  // the cursor moves to the next record

    // Packs the table through this cursor (a pack on an exclusive
    // cursor): it must be open exclusively and be the only cursor of this
    // process on the file. It is closed, packed and opened again at its first
    // record.
    void pack();

    // Locks the current record (waiting for it), re-reads it from the file,
    // lets change() edit its fields and, when change() returns true, writes it
    // durably; then unlocks. Returns what change() returned.
    bool testAndSet(const std::function<bool(Table&)>& change);

    // What this process wrote to the table since a mark, through any of its
    // cursors: the record numbers in the order written, repeats included
    // (a record may have been deleted since). None when that does not tell
    // everything: another program wrote to the table (seen at a refresh), it
    // was closed in between, too much was written, or its kept read order was
    // lost (the records read in file order again).
    struct ChangeMark {
        std::uint64_t epoch = 0;
        std::size_t written = 0;
    };
    ChangeMark changeMark() const;
    std::optional<std::vector<std::uint32_t>> writtenSince(const ChangeMark& mark) const;

    // Fields and indexes in file order.
    const std::vector<FieldDef>& fieldDefs() const;
    const std::vector<IndexDef>& indexDefs() const;
    int fieldCount() const { return static_cast<int>(fieldDefs().size()); }
    int fieldIndex(std::string_view name) const;  // -1 when absent; first of repeated names
    Field fieldByName(std::string_view name);     // throws FieldNotFound
    std::optional<Field> findField(std::string_view name);
    Field field(int index);

    // The file of the table (after open).
    std::string path() const;
    // The file open() would open, or has open; empty when the database name
    // or the table cannot be found. Opens nothing, so it neither recovers an
    // unfinished write nor waits for another writer.
    std::string filePath() const;

private:
    friend class Field;
    friend class detail::SharedTable;
    struct Impl;

    bool locateRecord(std::string_view fields, const std::vector<Value>& values, bool foldCase);
    void requireActive() const;
    void checkBrowseMode();
    const std::uint8_t* currentRecord() const;
    std::uint8_t* editBuffer();
    bool visible(std::uint32_t recno) const;
    bool passesFilter(std::uint32_t recno, const std::uint8_t* rec) const;
    std::uint32_t step(std::uint32_t from, bool forward) const;  // 0 at the end
    void advance(bool forward);                                  // next or prior
    std::uint32_t firstInOrder(bool fromStart) const;
    void repositionAfterChange();
    Value readValue(int index) const;
    void writeMemo(int index, std::optional<Bytes> data);
    void doPost(bool durable);
    void releaseRecordLock();
    // Locks the current record for writing and reads it afresh from the file
    // into the edit buffer. wait: wait for another process's lock (only
    // another cursor of this program is refused), as a test-and-set does.
    void lockAndReadCurrent(bool wait);
    const void* currentIndex() const;

    std::string databaseName_, folder_, tableName_, indexName_, filterText_;
    std::vector<IndexDef> knownIndexes_;
    bool exclusive_ = false, readOnly_ = false, filtered_ = false;
    FilterCallback onFilter_;
    std::shared_ptr<const Filter> filterExpr_;
    bool filterParsed_ = false;

    std::shared_ptr<detail::SharedTable> shared_;
    bool holdsExclusive_ = false;
    State state_ = State::Inactive;
    std::uint32_t recno_ = 0, savedRecno_ = 0, lockedRecno_ = 0;
    bool eof_ = true, bof_ = true;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> editBase_;  // the record as its edit read it
    std::vector<std::pair<int, std::optional<Bytes>>> pendingMemos_;
    mutable const std::uint8_t* evalRecord_ = nullptr;
};

}  // namespace tw::db
