#include "platform/db/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <mutex>

#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/shared_table.h"
#include "platform/db/tableops.h"

namespace tw::db {

using detail::SharedTable;

namespace {

std::mutex g_resolverMutex;
DatabaseResolver& Resolver()
{
    static DatabaseResolver r;
    return r;
}

// Up to 15 significant digits, no trailing zeros.
std::string FormatFloat(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

bool ParseDouble(std::string_view s, double& out)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::vector<std::string> SplitNames(std::string_view s)
{
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == ';' || c == ',') {
            out.push_back(cur);
            cur.clear();
        } else if (c != ' ') {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

class RawAccessor final : public RecordAccessor {
public:
    RawAccessor(const Table& t, const std::uint8_t* rec, SharedTable& st) : t_(t), rec_(rec), st_(st) {}
    Value fieldValue(std::size_t index) const override
    {
        const FieldLayout& f = st_.layout.fields.at(index);
        Value v = DecodeValue(f, rec_);
        if ((f.def.type == FieldType::Memo || f.def.type == FieldType::Binary)
            && !std::holds_alternative<std::monostate>(v)) {
            Bytes b = st_.readMemo(f, rec_);
            if (f.def.type == FieldType::Binary)
                return b;
            return AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
        }
        (void)t_;
        return v;
    }

private:
    const Table& t_;
    const std::uint8_t* rec_;
    SharedTable& st_;
};

// A filter's errors name the table it was set on.
auto ParseFilterOf(const std::string& text, const SharedTable& st)
{
    try {
        return Filter::parse(text, st.fieldDefs);
    } catch (const DbError& e) {
        throw DbError(e.code(), std::string(e.what()) + " (filter of " + st.path + ")", st.path);
    }
}

}  // namespace

void SetDatabaseResolver(DatabaseResolver resolver)
{
    std::lock_guard<std::mutex> g(g_resolverMutex);
    Resolver() = std::move(resolver);
}

std::string ResolveDatabase(const std::string& name)
{
    DatabaseResolver r;
    {
        std::lock_guard<std::mutex> g(g_resolverMutex);
        r = Resolver();
    }
    if (!r)
        throw DbError(ErrorCode::InvalidAlias,
                      "Unknown database name \"" + name + "\" (no database names are set up)");
    std::string folder = r(name);
    if (folder.empty())
        throw DbError(ErrorCode::InvalidAlias, "Unknown database name \"" + name + "\"");
    return folder;
}

// ============================================================== WriteBatch

WriteBatch::WriteBatch() : exceptions_(std::uncaught_exceptions())
{
    detail::BeginWriteBatch();
}

WriteBatch::~WriteBatch() noexcept(false)
{
    if (!open_)
        return;
    if (std::uncaught_exceptions() > exceptions_) {
        // Whatever failed, the batch is all or nothing: nothing.
        detail::AbandonPendingWrites();
        try {
            detail::EndWriteBatch();
        } catch (...) {
        }
        return;
    }
    commit();
}

void WriteBatch::commit()
{
    if (!open_)
        return;
    open_ = false;
    detail::EndWriteBatch();
}

// =================================================================== Table

Table::Table() = default;

Table::~Table()
{
    try {
        close();
    } catch (...) {
    }
}

void Table::requireActive() const
{
    if (!shared_)
        throw DbError(ErrorCode::InvalidArgument, "Table " + tableName_ + " is not open");
}

std::string Table::path() const
{
    return shared_ ? shared_->path : std::string();
}

std::string Table::filePath() const
{
    if (shared_)
        return shared_->path;
    if (tableName_.empty())
        return {};
    try {
        const std::string folder = folder_.empty() ? ResolveDatabase(databaseName_) : folder_;
        return detail::FindTableFiles(folder, tableName_).dbf;
    } catch (const std::exception&) {
        return {};
    }
}

const std::vector<FieldDef>& Table::fieldDefs() const
{
    requireActive();
    return shared_->fieldDefs;
}

Table::ChangeMark Table::changeMark() const
{
    requireActive();
    return {shared_->writeEpoch, shared_->writeLog.size()};
}

std::optional<std::vector<std::uint32_t>> Table::writtenSince(const ChangeMark& mark) const
{
    requireActive();
    if (mark.epoch != shared_->writeEpoch || mark.written > shared_->writeLog.size())
        return std::nullopt;
    const auto& log = shared_->writeLog;
    return std::vector<std::uint32_t>(log.begin() + static_cast<std::ptrdiff_t>(mark.written), log.end());
}

const std::vector<IndexDef>& Table::indexDefs() const
{
    requireActive();
    return shared_->indexDefs;
}

int Table::fieldIndex(std::string_view name) const
{
    requireActive();
    return shared_->layout.fieldIndex(name);
}

Field Table::fieldByName(std::string_view name)
{
    int i = fieldIndex(name);
    if (i < 0)
        throw DbError(ErrorCode::FieldNotFound,
                      "Field " + std::string(name) + " not found in " + shared_->path, shared_->path);
    return Field(this, i);
}

std::optional<Field> Table::findField(std::string_view name)
{
    int i = fieldIndex(name);
    if (i < 0)
        return std::nullopt;
    return Field(this, i);
}

Field Table::field(int index)
{
    requireActive();
    if (index < 0 || index >= fieldCount())
        throw DbError(ErrorCode::FieldNotFound,
                      "Field number " + std::to_string(index) + " not in " + shared_->path, shared_->path);
    return Field(this, index);
}

void Table::setIndexName(std::string tag)
{
    if (shared_) {
        checkBrowseMode();
        if (!tag.empty() && !shared_->order(tag))
            throw DbError(ErrorCode::IndexError, "Index " + tag + " not found for " + shared_->path,
                          shared_->path);
    }
    indexName_ = std::move(tag);
}

void Table::setFilter(std::string text)
{
    filterText_ = std::move(text);
    filterParsed_ = false;
    filterExpr_.reset();
    if (shared_) {
        filterExpr_ = ParseFilterOf(filterText_, *shared_);
        filterParsed_ = true;
        if (filtered_)
            repositionAfterChange();
    }
}

void Table::setFiltered(bool v)
{
    if (v == filtered_)
        return;
    if (shared_)
        checkBrowseMode();
    filtered_ = v;
    if (shared_)
        first();
}

void Table::setOnFilterRecord(FilterCallback cb)
{
    onFilter_ = std::move(cb);
}

void Table::open()
{
    if (shared_)
        return;
    if (tableName_.empty())
        throw DbError(ErrorCode::InvalidArgument, "No table name given");
    std::string folder = folder_.empty() ? ResolveDatabase(databaseName_) : folder_;
    if (!Fs().isDirectory(folder))
        throw DbError(ErrorCode::NotFound,
                      "Folder " + folder + " of database \"" + databaseName_ + "\" not found", folder);
    detail::TableFiles files = detail::FindTableFiles(folder, tableName_);
    if (!files.journal.empty()) {
        RecoverTable(folder, tableName_);
        files = detail::FindTableFiles(folder, tableName_);
    }
    if (files.dbf.empty())
        throw DbError(ErrorCode::NotFound,
                      "Table " + detail::NormalizeTableName(tableName_) + " not found in " + folder,
                      JoinPath(folder, detail::NormalizeTableName(tableName_)));
    auto st = SharedTable::Acquire(files, exclusive_);
    holdsExclusive_ = exclusive_;
    try {
        if (!filterParsed_) {
            filterExpr_ = ParseFilterOf(filterText_, *st);
            filterParsed_ = true;
        }
        if (files.index.empty() && !knownIndexes_.empty())
            st->adoptIndexDefs(knownIndexes_);
        if (!indexName_.empty() && !st->order(indexName_))
            throw DbError(ErrorCode::IndexError, "Index " + indexName_ + " not found for " + st->path,
                          st->path);
    } catch (...) {
        if (holdsExclusive_)
            st->releaseExclusive();
        holdsExclusive_ = false;
        filterParsed_ = false;
        throw;
    }
    shared_ = std::move(st);
    state_ = State::Browse;
    first();
}

void Table::close()
{
    if (!shared_)
        return;
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    releaseRecordLock();
    if (holdsExclusive_)
        shared_->releaseExclusive();
    holdsExclusive_ = false;
    shared_.reset();
    state_ = State::Inactive;
    recno_ = 0;
    eof_ = bof_ = true;
    buffer_.clear();
    pendingMemos_.clear();
    filterParsed_ = false;
    filterExpr_.reset();
}

void Table::checkBrowseMode()
{
    if (state_ == State::Edit || state_ == State::Insert)
        post();
}

void Table::refresh()
{
    requireActive();
    checkBrowseMode();
    shared_->readHeader(false);
    repositionAfterChange();
}

void Table::repositionAfterChange()
{
    if (recno_ != 0 && recno_ <= shared_->count() && visible(recno_))
        return;
    if (recno_ != 0 && recno_ <= shared_->count()) {
        std::uint32_t n = step(recno_, true);
        if (n != 0) {
            recno_ = n;
            return;
        }
        std::uint32_t p = step(recno_, false);
        if (p != 0) {
            recno_ = p;
            return;
        }
    }
    first();
}

bool Table::passesFilter(std::uint32_t recno, const std::uint8_t* rec) const
{
    (void)recno;
    if (!filtered_)
        return true;
    if (filterExpr_) {
        RawAccessor acc(*this, rec, *shared_);
        if (!filterExpr_->matches(acc))
            return false;
    }
    if (onFilter_) {
        // A copy: the callback may move other cursors on this file, which
        // may drop the cached bytes that rec points into.
        std::vector<std::uint8_t> copy(rec, rec + shared_->layout.recordLength);
        const std::uint8_t* saved = evalRecord_;
        evalRecord_ = copy.data();
        bool ok = false;
        try {
            ok = onFilter_(*this);
        } catch (...) {
            evalRecord_ = saved;
            throw;
        }
        evalRecord_ = saved;
        return ok;
    }
    return true;
}

bool Table::visible(std::uint32_t recno) const
{
    const std::uint8_t* rec = shared_->record(recno);
    if (SharedTable::Deleted(rec))
        return false;
    return passesFilter(recno, rec);
}

std::uint32_t Table::step(std::uint32_t from, bool forward) const
{
    const std::uint32_t n = shared_->count();
    if (indexName_.empty()) {
        if (const SharedTable::ReadOrder* o = shared_->readOrder()) {
            const std::vector<std::uint32_t>& order = o->order;
            if (forward) {
                for (std::size_t i = from == 0 ? 0 : o->positionOf(from) + 1; i < order.size(); ++i)
                    if (visible(order[i]))
                        return order[i];
            } else {
                for (std::size_t i = from == 0 ? order.size() : o->positionOf(from); i-- > 0;)
                    if (visible(order[i]))
                        return order[i];
            }
            return 0;
        }
        if (forward) {
            for (std::uint32_t r = from + 1; r <= n; ++r)
                if (visible(r))
                    return r;
        } else {
            for (std::uint32_t r = from == 0 ? n + 1 : std::min(from, n + 1); r-- > 1;)
                if (visible(r))
                    return r;
        }
        return 0;
    }
    auto* o = shared_->order(indexName_);
    std::size_t pos;
    if (from == 0) {
        pos = forward ? static_cast<std::size_t>(-1) : o->order.size();
    } else {
        pos = o->positionOf(from);
    }
    if (forward) {
        for (std::size_t i = pos + 1; i < o->order.size(); ++i)
            if (visible(o->order[i]))
                return o->order[i];
    } else {
        for (std::size_t i = pos; i-- > 0;)
            if (visible(o->order[i]))
                return o->order[i];
    }
    return 0;
}

std::uint32_t Table::firstInOrder(bool fromStart) const
{
    return step(0, fromStart);
}

void Table::first()
{
    requireActive();
    checkBrowseMode();
    recno_ = firstInOrder(true);
    bof_ = true;
    eof_ = recno_ == 0;
}

void Table::last()
{
    requireActive();
    checkBrowseMode();
    recno_ = firstInOrder(false);
    eof_ = true;
    bof_ = recno_ == 0;
}

void Table::next()
{
    advance(true);
}

void Table::prior()
{
    advance(false);
}

void Table::advance(bool forward)
{
    requireActive();
    checkBrowseMode();
    bool& pastEnd = forward ? eof_ : bof_;
    if (pastEnd && recno_ == 0)
        return;
    const std::uint32_t to = step(recno_, forward);
    if (to == 0) {
        pastEnd = true;
    } else {
        recno_ = to;
        eof_ = false;
        bof_ = false;
    }
}

bool Table::isEmpty()
{
    requireActive();
    return firstInOrder(true) == 0;
}

std::int64_t Table::recordCount()
{
    requireActive();
    if (!filtered_ || (!filterExpr_ && !onFilter_))
        return shared_->liveCount();
    std::int64_t n = 0;
    for (std::uint32_t r = 1; r <= shared_->count(); ++r)
        if (visible(r))
            ++n;
    return n;
}

void Table::goTo(std::uint32_t recno)
{
    requireActive();
    checkBrowseMode();
    if (recno == 0 || recno > shared_->count() || SharedTable::Deleted(shared_->record(recno)))
        throw DbError(ErrorCode::NoCurrentRecord,
                      "Record " + std::to_string(recno) + " not available in " + shared_->path,
                      shared_->path);
    recno_ = recno;
    eof_ = bof_ = false;
}

bool Table::locate(std::string_view fieldsText, const std::vector<Value>& values)
{
    return locateRecord(fieldsText, values, false);
}

bool Table::locateIgnoringCase(std::string_view fieldsText, const std::vector<Value>& values)
{
    return locateRecord(fieldsText, values, true);
}

bool Table::locateRecord(std::string_view fieldsText, const std::vector<Value>& values, bool foldCase)
{
    requireActive();
    checkBrowseMode();
    auto names = SplitNames(fieldsText);
    if (names.size() != values.size())
        throw DbError(ErrorCode::InvalidArgument,
                      "Locate on " + std::string(fieldsText) + " needs " + std::to_string(names.size())
                          + " values",
                      shared_->path);
    std::vector<int> fields;
    std::vector<std::uint8_t> probe(shared_->layout.recordLength, ' ');
    for (std::size_t i = 0; i < names.size(); ++i) {
        int fi = fieldIndex(names[i]);
        if (fi < 0)
            throw DbError(ErrorCode::FieldNotFound, "Field " + names[i] + " not found in " + shared_->path,
                          shared_->path);
        fields.push_back(fi);
        const FieldLayout& f = shared_->layout.fields[static_cast<std::size_t>(fi)];
        const Value& v = values[i];
        if (std::holds_alternative<std::monostate>(v))
            continue;
        try {
            switch (f.def.type) {
            case FieldType::Float:
            case FieldType::Smallint: {
                double d = 0;
                if (auto* p = std::get_if<double>(&v))
                    d = *p;
                else if (auto* b = std::get_if<bool>(&v))
                    d = *b ? 1 : 0;
                else if (auto* s = std::get_if<std::string>(&v)) {
                    if (!ParseDouble(*s, d))
                        return false;
                } else if (auto* dv = std::get_if<DateValue>(&v))
                    d = dv->days;
                else
                    return false;
                EncodeNumber(f, probe.data(), d, shared_->path);
                break;
            }
            case FieldType::Char: {
                if (auto* s = std::get_if<std::string>(&v))
                    EncodeText(f, probe.data(), *s, shared_->path);
                else if (auto* d = std::get_if<double>(&v))
                    EncodeText(f, probe.data(), FormatFloat(*d), shared_->path);
                else
                    return false;
                break;
            }
            case FieldType::Date: {
                double days = 0;
                if (auto* dv = std::get_if<DateValue>(&v))
                    days = dv->days;
                else if (auto* d = std::get_if<double>(&v))
                    days = std::floor(*d);
                else
                    return false;
                if (days != 0)
                    EncodeDate(f, probe.data(), static_cast<std::int64_t>(days), shared_->path);
                break;
            }
            case FieldType::Logical: {
                if (auto* b = std::get_if<bool>(&v))
                    EncodeLogical(f, probe.data(), *b);
                else
                    return false;
                break;
            }
            default: return false;  // memo and binary fields are not located
            }
        } catch (const DbError& e) {
            if (e.code() == ErrorCode::ValueDoesNotFit)
                return false;
            throw;
        }
    }
    const std::string key = shared_->keyOf(fields, probe.data(), foldCase);
    const auto* found = shared_->candidates(fields, key, foldCase);
    if (!found || found->empty())
        return false;
    const std::vector<std::uint32_t> cands = *found;  // a filter callback may write and move the map
    std::uint32_t best = 0;
    if (indexName_.empty()) {
        const SharedTable::ReadOrder* o = shared_->readOrder();
        std::size_t bestPos = SIZE_MAX;
        for (std::uint32_t r : cands) {
            if (!visible(r))
                continue;
            if (!o) {
                best = r;
                break;
            }
            if (o->positionOf(r) < bestPos) {
                bestPos = o->positionOf(r);
                best = r;
            }
        }
    } else {
        auto* o = shared_->order(indexName_);
        std::size_t bestPos = SIZE_MAX;
        for (std::uint32_t r : cands) {
            if (!visible(r))
                continue;
            std::size_t pos = o->positionOf(r);
            if (pos < bestPos) {
                bestPos = pos;
                best = r;
            }
        }
    }
    if (best == 0)
        return false;
    recno_ = best;
    eof_ = bof_ = false;
    return true;
}

// ------------------------------------------------------------------ editing

std::uint8_t* Table::editBuffer()
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError(ErrorCode::NotEditing,
                      "Table " + (shared_ ? shared_->path : tableName_) + " is not in edit or insert mode",
                      shared_ ? shared_->path : std::string());
    return buffer_.data();
}

const std::uint8_t* Table::currentRecord() const
{
    if (evalRecord_)
        return evalRecord_;
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_.data();
    if (!shared_ || recno_ == 0 || recno_ > shared_->count())
        return nullptr;
    return shared_->record(recno_);
}

void Table::append()
{
    requireActive();
    checkBrowseMode();
    if (readOnly_ || !shared_->file->writable())
        throw DbError(ErrorCode::ReadOnly, "Table " + shared_->path + " is read only", shared_->path);
    buffer_.assign(shared_->layout.recordLength, ' ');
    pendingMemos_.clear();
    savedRecno_ = recno_;
    state_ = State::Insert;
}

void Table::edit()
{
    requireActive();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    lockAndReadCurrent(false);
    state_ = State::Edit;
}

void Table::lockAndReadCurrent(bool wait)
{
    if (readOnly_ || !shared_->file->writable())
        throw DbError(ErrorCode::ReadOnly, "Table " + shared_->path + " is read only", shared_->path);
    if (recno_ == 0 || (eof_ && bof_))
        throw DbError(ErrorCode::NoCurrentRecord, "No current record in " + shared_->path, shared_->path);
    if (!shared_->lockRecord(recno_, wait))
        throw DbError(ErrorCode::Locked,
                      "Record " + std::to_string(recno_) + " of " + shared_->path
                          + (wait ? " is being edited by another cursor of this program"
                                  : " is locked by another user"),
                      shared_->path);
    lockedRecno_ = recno_;
    try {
        buffer_.resize(shared_->layout.recordLength);
        shared_->readRecordFromDisk(recno_, buffer_.data());
        editBase_ = buffer_;
    } catch (...) {
        releaseRecordLock();
        throw;
    }
    pendingMemos_.clear();
}

void Table::releaseRecordLock()
{
    if (lockedRecno_ != 0 && shared_)
        shared_->unlockRecord(lockedRecno_);
    lockedRecno_ = 0;
}

void Table::cancel()
{
    if (state_ == State::Insert)
        recno_ = savedRecno_;
    if (state_ == State::Edit)
        releaseRecordLock();
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
    buffer_.clear();
    pendingMemos_.clear();
}

void Table::post()
{
    doPost(false);
}

void Table::doPost(bool durable)
{
    requireActive();
    if (state_ != State::Edit && state_ != State::Insert)
        return;  // nothing to post in browse mode
    std::vector<std::uint8_t> rec = buffer_;
    for (auto& [index, data] : pendingMemos_) {
        const FieldLayout& f = shared_->layout.fields[static_cast<std::size_t>(index)];
        std::uint32_t block = 0;
        if (data && !data->empty())
            block = shared_->writeMemo(*data);
        EncodeMemoBlock(f, rec.data(), block, shared_->path);
    }
    if (state_ == State::Insert) {
        recno_ = shared_->writeRecord(0, rec.data(), durable);
    } else {
        shared_->writeRecord(recno_, rec.data(), durable, editBase_.data());
        releaseRecordLock();
    }
    state_ = State::Browse;
    buffer_.clear();
    pendingMemos_.clear();
    eof_ = bof_ = false;
    if (!visible(recno_))
        repositionAfterChange();
}

void Table::deleteRecord()
{
    requireActive();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit) {
        // Delete the record being edited: drop the changes, keep the lock.
        buffer_.clear();
        pendingMemos_.clear();
        state_ = State::Browse;
    } else {
        if (readOnly_ || !shared_->file->writable())
            throw DbError(ErrorCode::ReadOnly, "Table " + shared_->path + " is read only", shared_->path);
        if (recno_ == 0 || (eof_ && bof_))
            throw DbError(ErrorCode::NoCurrentRecord, "No current record in " + shared_->path, shared_->path);
        if (!shared_->lockRecord(recno_, false))
            throw DbError(ErrorCode::Locked,
                          "Record " + std::to_string(recno_) + " of " + shared_->path
                              + " is locked by another user",
                          shared_->path);
        lockedRecno_ = recno_;
    }
    try {
        std::vector<std::uint8_t> rec(shared_->layout.recordLength);
        shared_->readRecordFromDisk(recno_, rec.data());
        const std::vector<std::uint8_t> before = rec;
        rec[0] = '*';
        shared_->writeRecord(recno_, rec.data(), false, before.data());
    } catch (...) {
        releaseRecordLock();
        throw;
    }
    releaseRecordLock();
    std::uint32_t n = step(recno_, true);
    if (n != 0) {
        recno_ = n;
        eof_ = bof_ = false;
        return;
    }
    std::uint32_t p = step(recno_, false);
    recno_ = p;
    eof_ = p == 0;
    bof_ = p == 0;
}

void Table::pack()
{
    requireActive();
    checkBrowseMode();
    detail::CommitPendingWrites();  // a batch must not keep the file open
    if (!holdsExclusive_)
        throw DbError(ErrorCode::TableInUse,
                      "Table " + shared_->path + " must be open exclusively to be packed", shared_->path);
    if (shared_.use_count() > 1)
        throw DbError(ErrorCode::TableInUse,
                      "Table " + shared_->path + " is open in another cursor of this program", shared_->path);
    const std::string folder = FolderOf(shared_->path);
    const std::string name = FileNameOf(shared_->path);
    close();
    std::exception_ptr failure;
    try {
        PackTable(folder, name);
    } catch (...) {
        failure = std::current_exception();
    }
    open();
    if (failure)
        std::rethrow_exception(failure);
}

bool Table::testAndSet(const std::function<bool(Table&)>& change)
{
    requireActive();
    checkBrowseMode();
    // Never wait for a record lock while holding a header lock.
    detail::CommitPendingWrites();
    lockAndReadCurrent(true);
    try {
        state_ = State::Edit;
        bool changed = change(*this);
        if (changed)
            doPost(true);
        else
            cancel();
        return changed;
    } catch (...) {
        if (state_ == State::Edit)
            cancel();
        releaseRecordLock();
        throw;
    }
}

Value Table::readValue(int index) const
{
    const FieldLayout& f = shared_->layout.fields.at(static_cast<std::size_t>(index));
    const bool isMemo = f.def.type == FieldType::Memo || f.def.type == FieldType::Binary;
    if (isMemo && (state_ == State::Edit || state_ == State::Insert) && !evalRecord_) {
        for (const auto& [i, data] : pendingMemos_)
            if (i == index) {
                if (!data || data->empty())
                    return std::monostate{};
                if (f.def.type == FieldType::Binary)
                    return *data;
                return AnsiToUtf8(
                    std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
            }
    }
    const std::uint8_t* rec = currentRecord();
    if (!rec)
        return std::monostate{};
    Value v = DecodeValue(f, rec);
    if (isMemo && !std::holds_alternative<std::monostate>(v)) {
        Bytes b = shared_->readMemo(f, rec);
        if (b.empty())
            return std::monostate{};
        if (f.def.type == FieldType::Binary)
            return b;
        return AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
    }
    return v;
}

void Table::writeMemo(int index, std::optional<Bytes> data)
{
    editBuffer();
    for (auto& [i, d] : pendingMemos_)
        if (i == index) {
            d = std::move(data);
            return;
        }
    pendingMemos_.emplace_back(index, std::move(data));
}

// =================================================================== Field

const FieldDef& Field::def() const
{
    return table_->fieldDefs().at(static_cast<std::size_t>(index_));
}

Value Field::value() const
{
    table_->requireActive();
    return table_->readValue(index_);
}

std::string_view Field::storedBytes() const
{
    table_->requireActive();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    const std::uint8_t* rec = table_->currentRecord();
    if (!rec)
        return {};
    return {reinterpret_cast<const char*>(rec + f.offset), static_cast<std::size_t>(f.def.width)};
}

bool Field::isNull() const
{
    return std::holds_alternative<std::monostate>(value());
}

std::string Field::asString() const
{
    Value v = value();
    if (auto* s = std::get_if<std::string>(&v))
        return *s;
    if (auto* d = std::get_if<double>(&v))
        return FormatFloat(*d);
    if (auto* b = std::get_if<bool>(&v))
        return *b ? "True" : "False";
    if (auto* dv = std::get_if<DateValue>(&v))
        return tw::locale::DateToStr(dv->days);
    if (auto* by = std::get_if<Bytes>(&v))
        return std::string(by->begin(), by->end());
    return std::string();
}

double Field::asFloat() const
{
    Value v = value();
    if (auto* d = std::get_if<double>(&v))
        return *d;
    if (auto* dv = std::get_if<DateValue>(&v))
        return dv->days;
    if (auto* b = std::get_if<bool>(&v))
        return *b ? 1 : 0;
    if (auto* s = std::get_if<std::string>(&v)) {
        double out;
        if (ParseDouble(*s, out))
            return out;
        throw DbError(ErrorCode::InvalidArgument,
                      "\"" + *s + "\" in field " + name() + " of " + table_->path() + " is not a number",
                      table_->path());
    }
    return 0;
}

std::int32_t Field::asInteger() const
{
    double d = asFloat();
    double r = std::nearbyint(d);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw DbError(ErrorCode::ValueDoesNotFit,
                      "Value " + FormatFloat(d) + " of field " + name() + " of " + table_->path()
                          + " is out of the integer range",
                      table_->path());
    return static_cast<std::int32_t>(r);
}

double Field::asDate() const
{
    return std::floor(asDateTime());
}

double Field::asDateTime() const
{
    Value v = value();
    if (auto* dv = std::get_if<DateValue>(&v))
        return dv->days;
    if (auto* d = std::get_if<double>(&v))
        return *d;
    if (auto* s = std::get_if<std::string>(&v)) {
        double out;
        if (tw::locale::TryStrToDate(*s, out))
            return out;
    }
    return 0;
}

bool Field::asBoolean() const
{
    Value v = value();
    if (auto* b = std::get_if<bool>(&v))
        return *b;
    if (auto* d = std::get_if<double>(&v))
        return *d != 0;
    if (auto* s = std::get_if<std::string>(&v))
        return !s->empty()
            && (s->front() == 'T' || s->front() == 't' || s->front() == 'Y' || s->front() == 'y');
    return false;
}

Bytes Field::asBytes() const
{
    Value v = value();
    if (auto* b = std::get_if<Bytes>(&v))
        return *b;
    if (auto* s = std::get_if<std::string>(&v))
        return Bytes(s->begin(), s->end());
    if (std::holds_alternative<std::monostate>(v))
        return {};
    std::string s = asString();
    return Bytes(s.begin(), s.end());
}

void Field::setValue(const Value& v)
{
    if (std::holds_alternative<std::monostate>(v))
        clear();
    else if (auto* s = std::get_if<std::string>(&v))
        setAsString(*s);
    else if (auto* d = std::get_if<double>(&v))
        setAsFloat(*d);
    else if (auto* b = std::get_if<bool>(&v))
        setAsBoolean(*b);
    else if (auto* dv = std::get_if<DateValue>(&v))
        setAsDateTime(dv->days);
    else if (auto* by = std::get_if<Bytes>(&v))
        setAsBytes(*by);
}

void Field::clear()
{
    std::uint8_t* rec = table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    if (f.def.type == FieldType::Memo || f.def.type == FieldType::Binary)
        table_->writeMemo(index_, std::nullopt);
    else
        EncodeBlank(f, rec);
}

void Field::setAsString(std::string_view v)
{
    std::uint8_t* rec = table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    const std::string& file = table_->shared_->path;
    switch (f.def.type) {
    case FieldType::Char: EncodeText(f, rec, v, file); break;
    case FieldType::Memo: {
        std::string ansi;
        if (!Utf8ToAnsi(v, ansi))
            throw DbError(ErrorCode::ValueDoesNotFit,
                          "Value does not fit field " + f.def.name + " of " + file
                              + ": a character has no Windows ANSI code",
                          file);
        table_->writeMemo(index_, Bytes(ansi.begin(), ansi.end()));
        break;
    }
    case FieldType::Binary: table_->writeMemo(index_, Bytes(v.begin(), v.end())); break;
    case FieldType::Float:
    case FieldType::Smallint: {
        double d;
        std::string s(v);
        if (s.find_first_not_of(' ') == std::string::npos) {
            EncodeBlank(f, rec);
            break;
        }
        if (!ParseDouble(s, d))
            throw DbError(ErrorCode::ValueDoesNotFit,
                          "\"" + s + "\" is not a number for field " + f.def.name + " of " + file, file);
        EncodeNumber(f, rec, d, file);
        break;
    }
    case FieldType::Date: {
        double d;
        std::string s(v);
        if (s.find_first_not_of(' ') == std::string::npos) {
            EncodeBlank(f, rec);
            break;
        }
        if (!tw::locale::TryStrToDate(s, d))
            throw DbError(ErrorCode::ValueDoesNotFit,
                          "\"" + s + "\" is not a date for field " + f.def.name + " of " + file, file);
        setAsDateTime(d);
        break;
    }
    case FieldType::Logical: {
        std::string s(v);
        if (s.empty())
            EncodeBlank(f, rec);
        else
            EncodeLogical(f, rec, s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
        break;
    }
    }
}

void Field::setAsInteger(std::int64_t v)
{
    setAsFloat(static_cast<double>(v));
}

void Field::setAsFloat(double v)
{
    std::uint8_t* rec = table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    const std::string& file = table_->shared_->path;
    switch (f.def.type) {
    case FieldType::Float:
    case FieldType::Smallint: EncodeNumber(f, rec, v, file); break;
    case FieldType::Date: setAsDateTime(v); break;
    case FieldType::Logical: EncodeLogical(f, rec, v != 0); break;
    default: setAsString(FormatFloat(v)); break;
    }
}

void Field::setAsDateTime(double v)
{
    std::uint8_t* rec = table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    const std::string& file = table_->shared_->path;
    if (f.def.type == FieldType::Date) {
        if (!std::isfinite(v))
            throw DbError(ErrorCode::ValueDoesNotFit, "Not a date for field " + f.def.name + " of " + file,
                          file);
        const double day = std::trunc(v);
        if (day == 0)
            EncodeBlank(f, rec);
        else
            EncodeDate(f, rec, static_cast<std::int64_t>(day), file);
        return;
    }
    if (f.def.type == FieldType::Float || f.def.type == FieldType::Smallint) {
        EncodeNumber(f, rec, v, file);
        return;
    }
    if (f.def.type == FieldType::Char) {
        setAsString(tw::locale::DateTimeToStr(v));
        return;
    }
    throw DbError(ErrorCode::ValueDoesNotFit, "Field " + f.def.name + " of " + file + " does not hold a date",
                  file);
}

void Field::setAsBoolean(bool v)
{
    std::uint8_t* rec = table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    if (f.def.type == FieldType::Logical)
        EncodeLogical(f, rec, v);
    else if (f.def.type == FieldType::Char)
        setAsString(v ? "T" : "F");
    else
        setAsFloat(v ? 1 : 0);
}

void Field::setAsBytes(const Bytes& v)
{
    table_->editBuffer();
    const FieldLayout& f = table_->shared_->layout.fields.at(static_cast<std::size_t>(index_));
    if (f.def.type == FieldType::Memo || f.def.type == FieldType::Binary)
        table_->writeMemo(index_, v);
    else
        setAsString(std::string(v.begin(), v.end()));
}

}  // namespace tw::db
