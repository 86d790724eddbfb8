#include "platform/db/tableops.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cassert>
#include <cstring>

#include "platform/db/dbf_format.h"
#include "platform/db/fileio.h"
#include "platform/db/record_journal.h"
#include "platform/db/shared_table.h"

namespace tw::db {

using namespace detail;

namespace {

std::atomic<unsigned> g_tmpCounter{0};

// A name no file of the folder has: a temporary is created new (a name
// left by a dead process of the same number is passed over, and one that
// appears meanwhile, a planted link above all, makes the create fail).
std::string TmpName(const std::string& finalPath)
{
    for (;;) {
        std::string name =
            finalPath + "." + std::to_string(::getpid()) + "." + std::to_string(++g_tmpCounter) + ".twtmp";
        if (!Fs().exists(name))
            return name;
    }
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string s)
{
    for (auto& c : s)
        c = Lower(c);
    return s;
}

// Removes temporary files that crashed processes left for this table.
void RemoveStaleTemps(const std::string& folder, const std::string& base)
{
    const std::string prefix = LowerAscii(base) + ".";
    for (const auto& n : Fs().list(folder)) {
        if (n.size() < 6 || n.compare(n.size() - 6, 6, ".twtmp") != 0)
            continue;
        if (LowerAscii(n).rfind(prefix, 0) != 0)
            continue;
        // <file>.<pid>.<n>.twtmp
        std::string stem = n.substr(0, n.size() - 6);
        auto d2 = stem.find_last_of('.');
        if (d2 == std::string::npos)
            continue;
        auto d1 = stem.find_last_of('.', d2 - 1);
        if (d1 == std::string::npos)
            continue;
        long pid = std::atol(stem.substr(d1 + 1, d2 - d1 - 1).c_str());
        if (pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            Fs().remove(JoinPath(folder, n));
    }
}

// The record journal of a table, when there is one.
std::unique_ptr<File> OpenRecordJournal(const std::string& folder, const std::string& base)
{
    const std::string name = FindFileNoCase(folder, base + ".twr");
    return name.empty() ? nullptr : OpenIfPresent(JoinPath(folder, name));
}

// Finishes a cut-off record write on a table held exclusively, header lock
// included.
void FinishRecordWrites(File& table, const TableFiles& files)
{
    if (auto journal = OpenRecordJournal(files.folder, files.base))
        if (journal->writable() && journal->size() > 0)
            RecoverJournalOf(table, *journal);
}

// Holds the table exclusively (no cursor anywhere) for an operation.
std::unique_ptr<File> HoldExclusive(const std::string& path)
{
    if (path.empty() || !Fs().exists(path))
        return nullptr;
    if (SharedTable::OpenInProcess(path))
        throw DbError(ErrorCode::TableInUse, "Table " + path + " is open in this program", path);
    auto f = Fs().open(path, OpenMode::ReadWrite);
    if (!f->writable())
        throw DbError(ErrorCode::ReadOnly, "Table " + path + " is read only", path);
    if (!f->lock(kLockOpen, 1, LockKind::Exclusive, false))
        throw DbError(ErrorCode::TableInUse, "Table " + path + " is open by another user", path);
    return f;
}

void RemoveQuietly(const std::vector<std::string>& paths)
{
    for (const auto& p : paths) {
        try {
            Fs().remove(p);
        } catch (...) {
        }
    }
}

struct Move {
    std::string tmp, final;
};

std::string JournalPath(const std::string& folder, const std::string& base)
{
    std::string found = FindFileNoCase(folder, base + ".twj");
    return JoinPath(folder, found.empty() ? base + ".twj" : found);
}

constexpr const char* kJournalMagic = "TARNWICK-REPLACE 2";

// One step of a replace journal: a rename (tmp -> final) or a removal. The
// names are plain file names of the table's folder.
struct Step {
    bool move = false;
    std::string from, to;
};

bool InFamily(const std::string& name, const std::string& base)
{
    return IsPlainFileName(name) && LowerAscii(name).rfind(LowerAscii(base) + ".", 0) == 0;
}

// Reads a journal's steps. committed is false when the END line is missing
// (the journal was never finished and its steps were never begun). Throws
// when a name could act outside the table's own files: such a journal was not
// written by us, and nothing of it is done.
std::vector<Step> ParseJournal(const std::string& text, const std::string& base, const std::string& journal,
                               bool& committed)
{
    std::vector<Step> steps;
    committed = false;
    auto refuse = [&](const std::string& why) {
        throw DbError(ErrorCode::CorruptFile,
                      "The replace journal " + journal + " was not applied: " + why
                          + ". Nothing was changed; remove the journal once the table has been checked",
                      journal);
    };
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        if (nl == std::string::npos)
            break;  // a line without its end was never committed
        std::string line = text.substr(pos, nl - pos);
        pos = nl + 1;
        if (first) {
            first = false;
            if (line != kJournalMagic)
                refuse("it is not a journal of this program's version");
            continue;
        }
        if (line == "END\t") {
            committed = true;
            break;
        }
        auto t1 = line.find('\t');
        if (t1 == std::string::npos)
            refuse("a line is damaged");
        Step st;
        std::string kind = line.substr(0, t1);
        if (kind == "M") {
            auto t2 = line.find('\t', t1 + 1);
            if (t2 == std::string::npos)
                refuse("a line is damaged");
            st.move = true;
            st.from = line.substr(t1 + 1, t2 - t1 - 1);
            st.to = line.substr(t2 + 1);
        } else if (kind == "R") {
            st.from = line.substr(t1 + 1);
        } else {
            refuse("a line is damaged");
        }
        for (const auto* n : {&st.from, &st.to}) {
            if (n->empty() && n == &st.to && !st.move)
                continue;
            if (!InFamily(*n, base))
                refuse("it names \"" + *n + "\", which is not a file of table " + base);
        }
        steps.push_back(std::move(st));
    }
    if (first)
        refuse("it is empty");
    return steps;
}

void ApplySteps(const std::string& folder, const std::vector<Step>& steps)
{
    for (const auto& st : steps) {
        if (!st.move || !Fs().exists(JoinPath(folder, st.from)))
            continue;
        try {
            Fs().rename(JoinPath(folder, st.from), JoinPath(folder, st.to));
        } catch (const DbError&) {
            // Another process finishing the same journal took it first.
            if (Fs().exists(JoinPath(folder, st.from)))
                throw;
        }
    }
    for (const auto& st : steps)
        if (!st.move)
            Fs().remove(JoinPath(folder, st.from));
}

// The reason of an I/O failure without the name of the file it happened on
// (a temporary file means nothing to the user; the table does).
std::string ReasonOf(const DbError& e)
{
    const std::string msg = e.what();
    if (!e.file().empty()) {
        auto at = msg.find(e.file() + ": ");
        if (at != std::string::npos)
            return msg.substr(at + e.file().size() + 2);
    }
    return msg;
}

[[noreturn]] void FailFor(const DbError& e, const std::string& what, const std::string& dbf)
{
    if (dynamic_cast<const NotAPlainFile*>(&e))
        throw DbError(ErrorCode::CorruptFile, "Table " + dbf + " is damaged: " + e.what(), dbf);
    if (e.code() != ErrorCode::IoError && e.code() != ErrorCode::NotFound)
        throw e;
    throw DbError(e.code(), "Cannot " + what + " table " + dbf + ": " + ReasonOf(e), dbf);
}

// Renames the new files into place: first a journal that names every step,
// then the steps, then the journal goes. A crash leaves either no journal
// (old table intact, temporary files are litter) or a complete one that the
// next open finishes. The journal holds file names only, never paths: it is
// applied in the folder where it is found, whichever path led there.
void Commit(const std::string& folder, const std::string& base, const std::vector<Move>& moves,
            const std::vector<std::string>& removes, const std::string& dbf, const char* what)
{
    // The table's kept read order belongs to the records being replaced.
    Fs().remove(ReadOrderPath(folder, base));
    std::string text = std::string(kJournalMagic) + "\n";
    std::vector<Step> steps;
    for (const auto& m : moves) {
        assert(FolderOf(m.tmp) == FolderOf(m.final) && FolderOf(m.final) == FolderOf(JoinPath(folder, "x")));
        steps.push_back({true, FileNameOf(m.tmp), FileNameOf(m.final)});
        text += "M\t" + steps.back().from + "\t" + steps.back().to + "\n";
    }
    for (const auto& r : removes) {
        steps.push_back({false, FileNameOf(r), {}});
        text += "R\t" + steps.back().from + "\n";
    }
    text += "END\t\n";
    const std::string journal = JournalPath(folder, base);
    const std::string jtmp = TmpName(journal);
    try {
        {
            auto f = Fs().open(jtmp, OpenMode::CreateNew);
            f->writeAt(0, text.data(), text.size());
            f->sync();
        }
        Fs().rename(jtmp, journal);
    } catch (const DbError& e) {
        // Not committed: the old table stands; the new files must not stay
        // behind on what is likely a full disk.
        std::vector<std::string> temps{jtmp};
        for (const auto& m : moves)
            temps.push_back(m.tmp);
        RemoveQuietly(temps);
        FailFor(e, what, dbf);
    }
    Fs().syncFolder(folder);
    // An opener that saw the journal may finish it first: then the
    // operation is done all the same.
    auto jf = OpenIfPresent(journal);
    if (!jf)
        return;
    jf->lock(0, 1, LockKind::Exclusive, true);
    if (jf->identity() != Fs().identity(journal))
        return;
    ApplySteps(folder, steps);
    Fs().syncFolder(folder);
    Fs().remove(journal);
    Fs().syncFolder(folder);
}

struct Loaded {
    TableLayout layout;
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> records;
    std::uint32_t count = 0;
    std::uint32_t counter = 0;
};

// The header and layout of a table file, with a check that every record the
// header counts is there; the records themselves are not read.
Loaded LoadHeader(File& f)
{
    Loaded l;
    const std::uint64_t size = f.size();
    std::vector<std::uint8_t> head(kHeaderPrefix);
    if (f.readAt(0, head.data(), head.size()) != head.size())
        throw DbError(ErrorCode::CorruptFile,
                      "Corrupt table " + f.path() + ": the file is shorter than a header", f.path());
    std::uint16_t hlen = HeaderLengthOf(head.data());
    if (hlen < kHeaderPrefix + 1 || hlen > size)
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + f.path() + ": bad header length", f.path());
    head.resize(hlen);
    f.readAt(0, head.data(), hlen);
    l.layout = ParseLayout(head, size, f.path());
    HeaderState st = ParseHeaderState(head.data());
    l.count = st.recordCount;
    l.counter = st.changeCounter;
    l.header = head;
    if (size < hlen + static_cast<std::uint64_t>(l.count) * l.layout.recordLength)
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + f.path() + ": records are cut short",
                      f.path());
    return l;
}

Loaded LoadAll(File& f)
{
    Loaded l = LoadHeader(f);
    l.records.resize(static_cast<std::size_t>(l.count) * l.layout.recordLength);
    if (f.readAt(l.header.size(), l.records.data(), l.records.size()) != l.records.size())
        throw DbError(ErrorCode::CorruptFile, "Corrupt table " + f.path() + ": records are cut short",
                      f.path());
    return l;
}

void WriteTableFile(const std::string& path, std::vector<std::uint8_t> header, const HeaderState& st,
                    const std::uint8_t* records, std::size_t bytes)
{
    StoreHeaderState(header.data(), st);
    auto f = Fs().open(path, OpenMode::CreateNew);
    f->writeAt(0, header.data(), header.size());
    if (bytes)
        f->writeAt(header.size(), records, bytes);
    const std::uint8_t eof = 0x1A;
    f->writeAt(header.size() + bytes, &eof, 1);
    f->sync();
}

std::string FamilyPath(const TableFiles& f, const std::string& existing, const std::string& ext)
{
    return existing.empty() ? JoinPath(f.folder, f.base + ext) : existing;
}


// The path a table of folder is reported under before its files are looked up.
std::string AskedPath(const std::string& folder, const std::string& name)
{
    return JoinPath(folder, NormalizeTableName(name));
}

void RecoverTableFiles(const std::string& folder, const std::string& name)
{
    // Whole-table operations see every record this process wrote.
    CommitPendingWrites();
    TableFiles files = FindTableFiles(folder, name);
    if (files.journal.empty()) {
        RecoverRecordWrites(files);
        return;
    }
    const std::string journal = files.journal;
    auto jf = OpenIfPresent(journal);
    if (!jf)
        return;
    jf->lock(0, 1, LockKind::Exclusive, true);  // waits while a live process applies it
    if (jf->identity() != Fs().identity(journal))
        return;  // done and removed meanwhile
    if (jf->size() > (1 << 20))
        throw DbError(ErrorCode::CorruptFile,
                      "The replace journal " + journal + " was not applied: it is too large", journal);
    std::string text(jf->size(), '\0');
    text.resize(jf->readAt(0, text.data(), text.size()));
    bool committed = false;
    const auto steps = ParseJournal(text, files.base, journal, committed);
    if (committed)
        ApplySteps(files.folder, steps);
    Fs().syncFolder(files.folder);
    Fs().remove(journal);
    Fs().syncFolder(files.folder);
    RecoverRecordWrites(FindTableFiles(folder, name));
}

}  // namespace

void RecoverTable(const std::string& folder, const std::string& name)
{
    ForTable(AskedPath(folder, name), [&] { RecoverTableFiles(folder, name); });
}

bool TableExists(const std::string& folder, const std::string& name)
{
    return !FindTableFiles(folder, name).dbf.empty();
}

std::vector<std::string> TableFamily(const std::string& folder, const std::string& name)
{
    TableFiles f = FindTableFiles(folder, name);
    std::vector<std::string> out;
    for (const auto& p : {f.dbf, f.memo, f.index})
        if (!p.empty())
            out.push_back(p);
    return out;
}

namespace {

void CreateTableFiles(const std::string& folder, const std::string& name, const std::vector<FieldDef>& fields,
                      const std::vector<IndexDef>& indexes, bool overwrite)
{
    if (!Fs().isDirectory(folder))
        throw DbError(ErrorCode::NotFound, "Folder " + folder + " not found", folder);
    RecoverTable(folder, name);
    TableFiles files = FindTableFiles(folder, name);
    const std::string dbf =
        files.dbf.empty() ? JoinPath(files.folder, FileNameOf(NormalizeTableName(name))) : files.dbf;
    if (!files.dbf.empty() && !overwrite)
        throw DbError(ErrorCode::InvalidArgument, "Table " + files.dbf + " already exists", files.dbf);
    TableLayout layout = MakeLayout(fields, dbf);
    for (const auto& ix : indexes) {
        std::string f;
        bool up;
        if (ix.name.empty() || !ParseIndexExpression(ix.expression, f, up) || layout.fieldIndex(f) < 0)
            throw DbError(ErrorCode::IndexError,
                          "Invalid index " + ix.name + " (" + ix.expression + ") for " + dbf, dbf);
    }
    auto hold = HoldExclusive(files.dbf);
    RemoveStaleTemps(files.folder, files.base);
    std::vector<Move> moves;
    std::vector<std::string> removes;
    std::vector<std::string> temps;
    try {
        const std::string dtmp = TmpName(dbf);
        temps.push_back(dtmp);
        WriteTableFile(dtmp, BuildHeader(layout, {}), {}, nullptr, 0);
        moves.push_back({dtmp, dbf});
        const std::string memoPath = FamilyPath(files, files.memo, ".dbt");
        if (layout.memo != MemoKind::None) {
            const std::string mtmp = TmpName(memoPath);
            temps.push_back(mtmp);
            MemoFile::Create(mtmp, layout.memo, files.base);
            moves.push_back({mtmp, memoPath});
        } else if (!files.memo.empty()) {
            removes.push_back(files.memo);
        }
        const std::string indexPath = FamilyPath(files, files.index, ".twi");
        if (!indexes.empty()) {
            const std::string itmp = TmpName(indexPath);
            temps.push_back(itmp);
            std::string text = IndexDefsText(indexes);
            auto f = Fs().open(itmp, OpenMode::CreateNew);
            f->writeAt(0, text.data(), text.size());
            f->sync();
            moves.push_back({itmp, indexPath});
        } else if (!files.index.empty()) {
            removes.push_back(files.index);
        }
    } catch (const DbError& e) {
        RemoveQuietly(temps);
        FailFor(e, "create", dbf);
    } catch (...) {
        RemoveQuietly(temps);
        throw;
    }
    if (!files.records.empty())
        removes.push_back(files.records);
    Commit(files.folder, files.base, moves, removes, dbf, "create");
}

void CopyTableFiles(const std::string& srcFolder, const std::string& srcName, const std::string& dstFolder,
                    const std::string& dstName)
{
    RecoverTable(srcFolder, srcName);
    RecoverTable(dstFolder, dstName);
    TableFiles src = FindTableFiles(srcFolder, srcName);
    if (src.dbf.empty())
        throw DbError(ErrorCode::NotFound,
                      "Table " + NormalizeTableName(srcName) + " not found in " + srcFolder,
                      JoinPath(srcFolder, NormalizeTableName(srcName)));
    if (!Fs().isDirectory(dstFolder))
        throw DbError(ErrorCode::NotFound, "Folder " + dstFolder + " not found", dstFolder);
    TableFiles dst = FindTableFiles(dstFolder, dstName);
    const std::string dbf =
        dst.dbf.empty() ? JoinPath(dst.folder, FileNameOf(NormalizeTableName(dstName))) : dst.dbf;
    if (!dst.dbf.empty() && Fs().identity(dst.dbf) == Fs().identity(src.dbf))
        throw DbError(ErrorCode::InvalidArgument, "Cannot copy " + src.dbf + " onto itself", src.dbf);
    auto hold = HoldExclusive(dst.dbf);
    RemoveStaleTemps(dst.folder, dst.base);

    // Read the source under its shared open lock and header lock, so no
    // writer is half way through while the bytes are taken.
    auto sf = ForTable(src.dbf, [&] { return Fs().open(src.dbf, OpenMode::ReadOnly); });
    // A cursor of this process may hold the source open, even exclusively (the
    // structure upgrade copies its open reference table): then it is ours.
    if (!SharedTable::OpenInProcess(src.dbf) && !sf->lock(kLockOpen, 1, LockKind::Shared, false))
        throw DbError(ErrorCode::TableInUse, "Table " + src.dbf + " is opened exclusively by another user",
                      src.dbf);
    std::vector<Move> moves;
    std::vector<std::string> removes, temps;
    try {
        sf->lock(kLockHeader, 1, LockKind::Shared, true);
        // Validates the source before anything is written; the copy then
        // streams the bytes, so a large table is never held whole.
        LoadHeader(*sf);
        // A writer that died after the look for its journal above left it
        // for the next writer: the copy carries what it would write.
        PendingJournal pending;
        bool throughJournal = false;
        if (auto journal = ForTable(src.dbf, [&] { return OpenRecordJournal(src.folder, src.base); }))
            throughJournal = ReadRecordJournal(*sf, *journal, pending) == JournalState::Pending;
        auto copyFile = [&](File& from, const std::string& to) {
            const std::string tmp = TmpName(to);
            temps.push_back(tmp);
            auto out = Fs().open(tmp, OpenMode::CreateNew);
            std::vector<std::uint8_t> buf(1 << 20);
            std::uint64_t off = 0, size = from.size();
            while (off < size) {
                std::size_t n =
                    from.readAt(off, buf.data(),
                                static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), size - off)));
                if (n == 0)
                    break;
                out->writeAt(off, buf.data(), n);
                off += n;
            }
            if (&from == sf.get() && throughJournal)
                ApplyPendingJournal(*out, pending);
            out->sync();
            moves.push_back({tmp, to});
        };
        copyFile(*sf, dbf);
        if (!src.memo.empty()) {
            auto mf = ForTable(src.dbf, [&] { return Fs().open(src.memo, OpenMode::ReadOnly); });
            copyFile(*mf, FamilyPath(dst, dst.memo, ".dbt"));
        } else if (!dst.memo.empty()) {
            removes.push_back(dst.memo);
        }
        if (!src.index.empty()) {
            auto xf = ForTable(src.dbf, [&] { return Fs().open(src.index, OpenMode::ReadOnly); });
            copyFile(*xf, FamilyPath(dst, dst.index, ".twi"));
        } else if (!dst.index.empty()) {
            removes.push_back(dst.index);
        }
        sf->unlock(kLockHeader, 1);
    } catch (const DbError& e) {
        RemoveQuietly(temps);
        FailFor(e, "copy over", dbf);
    } catch (...) {
        RemoveQuietly(temps);
        throw;
    }
    if (!dst.records.empty())
        removes.push_back(dst.records);
    Commit(dst.folder, dst.base, moves, removes, dbf, "copy over");
}

}  // namespace

void CreateTable(const std::string& folder, const std::string& name, const std::vector<FieldDef>& fields,
                 const std::vector<IndexDef>& indexes, bool overwrite)
{
    ForTable(AskedPath(folder, name), [&] { CreateTableFiles(folder, name, fields, indexes, overwrite); });
}

void CopyTable(const std::string& srcFolder, const std::string& srcName, const std::string& dstFolder,
               const std::string& dstName)
{
    ForTable(AskedPath(dstFolder, dstName), [&] { CopyTableFiles(srcFolder, srcName, dstFolder, dstName); });
}

namespace {

// Rewrites a table from a chosen list of records (pack and sort).
void Rewrite(const std::string& folder, const std::string& name, bool pack,
             const std::vector<int>& sortFields, bool keepInOrder = false)
{
    RecoverTable(folder, name);
    TableFiles files = FindTableFiles(folder, name);
    if (files.dbf.empty())
        throw DbError(ErrorCode::NotFound, "Table " + NormalizeTableName(name) + " not found in " + folder,
                      JoinPath(folder, NormalizeTableName(name)));
    auto hold = HoldExclusive(files.dbf);
    RemoveStaleTemps(files.folder, files.base);
    // A writer may have died after the look for its journal above: finish
    // its write under this lock, before a record is read.
    hold->lock(kLockHeader, 1, LockKind::Exclusive, true);
    FinishRecordWrites(*hold, files);
    Loaded l = LoadAll(*hold);
    const std::size_t rl = l.layout.recordLength;
    std::vector<const FieldLayout*> keys;
    for (int n : sortFields) {
        if (n == 0)
            continue;
        if (n < 0 || n > static_cast<int>(l.layout.fields.size()))
            throw DbError(ErrorCode::InvalidArgument,
                          "Sort field number " + std::to_string(n) + " not in " + files.dbf, files.dbf);
        keys.push_back(&l.layout.fields[static_cast<std::size_t>(n - 1)]);
    }
    std::vector<std::uint32_t> order;
    for (std::uint32_t r = 0; r < l.count; ++r) {
        if (pack && l.records[r * rl] == '*')
            continue;
        order.push_back(r);
    }
    if (!keys.empty()) {
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const std::uint8_t* ra = &l.records[a * rl];
            const std::uint8_t* rb = &l.records[b * rl];
            for (const FieldLayout* f : keys) {
                int c = CompareForSort(*f, ra, rb);
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
    }
    std::vector<std::uint8_t> out(order.size() * rl);
    for (std::size_t i = 0; i < order.size(); ++i)
        std::memcpy(&out[i * rl], &l.records[order[i] * rl], rl);

    const HeaderState st{static_cast<std::uint32_t>(order.size()), l.counter + 1};
    std::vector<Move> moves;
    std::vector<std::string> temps;
    try {
        if (pack && l.layout.hasMemoFields() && !files.memo.empty()) {
            auto oldMemo =
                std::make_unique<MemoFile>(Fs().open(files.memo, OpenMode::ReadOnly), l.layout.memo);
            const std::string mtmp = TmpName(files.memo);
            temps.push_back(mtmp);
            MemoFile::Create(mtmp, l.layout.memo == MemoKind::Db3 ? MemoKind::Db3 : MemoKind::Db4,
                             files.base);
            MemoFile newMemo(Fs().open(mtmp, OpenMode::ReadWrite),
                             l.layout.memo == MemoKind::Db3 ? MemoKind::Db3 : MemoKind::Db4);
            for (std::size_t i = 0; i < order.size(); ++i) {
                std::uint8_t* rec = &out[i * rl];
                for (const auto& f : l.layout.fields) {
                    if (f.def.type != FieldType::Memo && f.def.type != FieldType::Binary)
                        continue;
                    std::uint32_t b = DecodeMemoBlock(f, rec);
                    if (b == 0)
                        continue;
                    if (b == kBadMemoPointer)
                        throw DbError(ErrorCode::MemoCorrupt,
                                      "Damaged record in " + files.dbf + ": field " + f.def.name
                                          + " does not hold a memo block number",
                                      files.dbf);
                    Bytes data = oldMemo->read(b);
                    EncodeMemoBlock(f, rec, data.empty() ? 0 : newMemo.append(data), files.dbf);
                }
            }
            newMemo.file().sync();
            moves.push_back({mtmp, files.memo});
        }
        const std::string dtmp = TmpName(files.dbf);
        temps.push_back(dtmp);
        WriteTableFile(dtmp, l.header, st, out.data(), out.size());
        moves.push_back({dtmp, files.dbf});
    } catch (const DbError& e) {
        RemoveQuietly(temps);
        FailFor(e, pack ? "pack" : "sort", files.dbf);
    } catch (...) {
        RemoveQuietly(temps);
        throw;
    }
    // The new file starts a new history: its (empty) record journal goes.
    std::vector<std::string> removes;
    if (!files.records.empty())
        removes.push_back(files.records);
    Commit(files.folder, files.base, moves, removes, files.dbf, pack ? "pack" : "sort");
    if (keepInOrder && !keys.empty()) {
        std::vector<int> fields;
        for (int n : sortFields)
            if (n != 0)
                fields.push_back(n);
        std::vector<std::uint32_t> identity(order.size());
        for (std::size_t i = 0; i < identity.size(); ++i)
            identity[i] = static_cast<std::uint32_t>(i + 1);
        // Lost only to a crash right here: then the next sort writes it.
        WriteReadOrderFile(ReadOrderPath(files.folder, files.base), fields, st, identity);
    }
}

}  // namespace

void PackTable(const std::string& folder, const std::string& name)
{
    ForTable(AskedPath(folder, name), [&] { Rewrite(folder, name, true, {}); });
}

void SortTable(const std::string& folder, const std::string& name, const std::vector<int>& fieldNumbers)
{
    if (fieldNumbers.size() > 4)
        throw DbError(ErrorCode::InvalidArgument, "A sort takes at most four fields");
    ForTable(AskedPath(folder, name), [&] { Rewrite(folder, name, false, fieldNumbers); });
}

void SortTableKeptInOrder(const std::string& folder, const std::string& name,
                          const std::vector<int>& fieldNumbers)
{
    if (fieldNumbers.size() > 4)
        throw DbError(ErrorCode::InvalidArgument, "A sort takes at most four fields");
    ForTable(AskedPath(folder, name), [&] { Rewrite(folder, name, false, fieldNumbers, true); });
}

void DeleteTable(const std::string& folder, const std::string& name)
{
    RecoverTable(folder, name);
    TableFiles files = FindTableFiles(folder, name);
    if (files.dbf.empty())
        throw DbError(ErrorCode::NotFound, "Table " + NormalizeTableName(name) + " not found in " + folder,
                      JoinPath(folder, NormalizeTableName(name)));
    auto hold = ForTable(files.dbf, [&] { return HoldExclusive(files.dbf); });
    Fs().remove(files.dbf);
    if (!files.memo.empty())
        Fs().remove(files.memo);
    if (!files.index.empty())
        Fs().remove(files.index);
    if (!files.records.empty())
        Fs().remove(files.records);
    Fs().remove(ReadOrderPath(files.folder, files.base));
    Fs().syncFolder(files.folder);
}

}  // namespace tw::db
