#pragma once
// A small table in memory and a journal of a cut-off write on it, made the
// way the engine makes them, for the journal fuzz targets: the fuzz input
// then changes bytes of what was made, so that every input reaches the
// checks behind the checksum.
#include <cstdint>
#include <string>
#include <vector>

#include "memfs.h"
#include "platform/db/dbf_format.h"
#include "platform/db/record_journal.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

namespace tw::db::fuzz {

inline void MakeTable(const std::string& name)
{
    CreateTable(kFolder, name, {{"ID", FieldType::Float, 0, 0}, {"TXT", FieldType::Char, 200, 0}});
    Table t;
    t.setFolder(kFolder);
    t.setTableName(name);
    t.open();
    for (int i = 1; i <= 3; ++i) {
        t.append();
        t.field(0).setAsFloat(i);
        t.field(1).setAsString(std::string(150 + i, static_cast<char>('a' + i)));
        t.post();
    }
}

// Writes a journal of an edit of record 2 and an append onto the table,
// as a write cut off before it touched the table leaves it. Returns its
// checksum.
inline std::uint64_t MakeJournal(MemFs& fs, const std::string& name, const detail::BatchRef& batch)
{
    auto table = fs.open(MemFs::Path(name + ".dbf"), OpenMode::ReadWrite);
    auto journal = fs.open(MemFs::Path(name + ".twr"), OpenMode::OpenOrCreate);
    std::uint8_t head[32];
    table->readAt(0, head, 32);
    const std::uint16_t hl = HeaderLengthOf(head);
    const std::uint16_t rl = static_cast<std::uint16_t>(head[10] | (head[11] << 8));
    const HeaderState st = ParseHeaderState(head);
    std::uint8_t after[32];
    std::copy(head, head + 32, after);
    StoreHeaderState(after, {st.recordCount + 1, st.changeCounter + 2});
    std::vector<detail::RecordWrite> writes(2);
    writes[0].offset = hl + rl;
    writes[0].bytes.assign(rl, 'x');
    writes[0].bytes[0] = ' ';
    writes[1].offset = hl + static_cast<std::uint64_t>(st.recordCount) * rl;
    writes[1].bytes.assign(rl, 'y');
    writes[1].bytes[0] = ' ';
    writes[1].bytes.push_back(0x1A);
    return detail::WriteRecordJournal(*table, *journal, table->size(), hl, head, after, writes, batch,
                                      nullptr);
}

// Applies (offset, xor) patches from the fuzz input to bytes.
inline void Patch(std::vector<std::uint8_t>& bytes, const std::uint8_t* p, std::size_t n)
{
    for (std::size_t i = 0; i + 3 <= n && !bytes.empty(); i += 3)
        bytes[(p[i] | (p[i + 1] << 8)) % bytes.size()] ^= p[i + 2];
}

// Tears the table as a kill would: the header says a write began, and part
// of the record's new bytes are in.
inline void Tear(MemFs& fs, const std::string& name, std::size_t bytes)
{
    auto& d = *fs.bytes(name + ".dbf");
    d[16] ^= 1;
    const std::uint16_t hl = HeaderLengthOf(d.data());
    const std::uint16_t rl = static_cast<std::uint16_t>(d[10] | (d[11] << 8));
    for (std::size_t i = 0; i < bytes % rl && hl + rl + i < d.size(); ++i)
        d[hl + rl + i] = 'x';
}

// Reads every record, read-only and then for writing, and writes once.
inline void Exercise(MemFs& fs, const std::string& name)
{
    for (const bool readOnly : {true, false}) {
        fs.readOnly = readOnly;
        try {
            Table t;
            t.setFolder(kFolder);
            t.setTableName(name);
            t.setReadOnly(readOnly);
            t.open();
            for (t.first(); !t.eof(); t.next())
                (void)t.field(1).asString();
            if (!readOnly) {
                t.append();
                t.field(0).setAsFloat(9);
                t.post();
            }
        } catch (const DbError&) {
        }
    }
    fs.readOnly = false;
}

// Runs one input against a fresh in-memory file system; a DbError is an
// answer, anything else a finding.
template <typename F>
int RunInMemory(F&& body)
{
    MemFs fs;
    SetFileSystem(&fs);
    try {
        body(fs);
    } catch (const DbError&) {
    }
    SetFileSystem(nullptr);
    return 0;
}

}  // namespace tw::db::fuzz
