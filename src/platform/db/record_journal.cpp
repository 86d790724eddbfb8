#include "platform/db/record_journal.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/db/types.h"

namespace tw::db::detail {

namespace {

// Layout (little-endian):
//   0  "TWRJ" 1 0 0 0          magic; all zero once the journal is cleared
//   8  u64 length of the whole journal, checksum included
//  16  u64 size of the .dbf before the write
//  24  u32 number of writes, u32 0
//  32  old 32-byte header prefix, then the new one
//  96  per write: u64 offset, u32 length, u32 number of old-piece hashes,
//      the hashes (u64 each), the new bytes
// end  u64 checksum of everything before it
constexpr std::uint8_t kMagic[8] = {'T', 'W', 'R', 'J', 1, 0, 0, 0};
constexpr std::size_t kFixed = 96;
constexpr std::uint64_t kLargeJournal = 1 << 20;

constexpr std::uint64_t kP1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;

std::uint64_t Rotl(std::uint64_t x, int r)
{
    return (x << r) | (x >> (64 - r));
}
std::uint64_t Round(std::uint64_t acc, std::uint64_t w)
{
    return Rotl(acc + w * kP2, 31) * kP1;
}

std::uint64_t Get64(const std::uint8_t* p)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Add64(std::vector<std::uint8_t>& out, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Add32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The pieces of [off, off + len) that lie before oldSize, split at the
// 512-byte boundaries of the file: the units a torn write leaves whole.
template <typename F>
void ForEachOldPiece(std::uint64_t off, std::uint64_t len, std::uint64_t oldSize, F&& f)
{
    const std::uint64_t end = std::min(off + len, oldSize);
    for (std::uint64_t a = off; a < end;) {
        const std::uint64_t b = std::min(end, (a / kJournalPiece + 1) * kJournalPiece);
        f(a, b);
        a = b;
    }
}

// The checksum of a journal read whole: the hash of its segments' hashes
// (the fixed part; per write, its offset, length and old-piece hashes, then
// its new bytes). 0 for a journal whose lengths run past its end (which no
// checksum equals but by chance, and then the parse below refuses it).
std::uint64_t SegmentsChecksum(const std::vector<std::uint8_t>& j)
{
    std::vector<std::uint64_t> hashes;
    const std::size_t end = j.size() - 8;
    hashes.push_back(Hash64(j.data(), kFixed));
    const std::uint32_t writes = Get32(j.data() + 24);
    std::size_t pos = kFixed;
    for (std::uint32_t k = 0; k < writes; ++k) {
        if (pos + 16 > end)
            return 0;
        const std::uint64_t len = Get32(j.data() + pos + 8);
        const std::uint64_t pieces = Get32(j.data() + pos + 12);
        const std::uint64_t metaLen = 16 + 8 * pieces;
        if (pos + metaLen + len > end)
            return 0;
        hashes.push_back(Hash64(j.data() + pos, static_cast<std::size_t>(metaLen)));
        hashes.push_back(Hash64(j.data() + pos + metaLen, static_cast<std::size_t>(len)));
        pos += static_cast<std::size_t>(metaLen + len);
    }
    if (pos != end)
        return 0;
    return Hash64(reinterpret_cast<const std::uint8_t*>(hashes.data()), hashes.size() * 8);
}

std::uint32_t CountOf(const std::uint8_t* h)
{
    return Get32(h + 4);
}
std::uint32_t CounterOf(const std::uint8_t* h)
{
    return Get32(h + 16);
}

}  // namespace

std::uint64_t Hash64(const std::uint8_t* p, std::size_t n, std::uint64_t seed)
{
    std::uint64_t a = seed + kP1 + kP2, b = seed + kP2, c = seed, d = seed - kP1;
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        a = Round(a, Get64(p + i));
        b = Round(b, Get64(p + i + 8));
        c = Round(c, Get64(p + i + 16));
        d = Round(d, Get64(p + i + 24));
    }
    std::uint64_t h = Rotl(a, 1) + Rotl(b, 7) + Rotl(c, 12) + Rotl(d, 18) + n;
    for (; i + 8 <= n; i += 8)
        h = Rotl(h ^ Round(0, Get64(p + i)), 27) * kP1 + kP2;
    for (; i < n; ++i)
        h = Rotl(h ^ (p[i] * kP1), 11) * kP2;
    h ^= h >> 33;
    h *= kP2;
    h ^= h >> 29;
    return h;
}

void WriteRecordJournal(File& table, File& journal, std::uint64_t oldSize, const std::uint8_t* oldHeader,
                        const std::uint8_t* newHeader, const std::vector<RecordWrite>& writes)
{
    // Written in segments: small ones gathered, large record runs written
    // straight from where they are (a push writes tens of megabytes). The
    // checksum is the hash of the segments' hashes.
    std::uint64_t length = kFixed + 8;
    for (const auto& w : writes) {
        std::uint64_t pieces = 0;
        ForEachOldPiece(w.offset, w.bytes.size(), oldSize, [&](std::uint64_t, std::uint64_t) { ++pieces; });
        length += 16 + 8 * pieces + w.bytes.size();
    }
    std::vector<std::uint64_t> segmentHashes;
    std::vector<std::uint8_t> staged;
    std::uint64_t at = 0;
    auto flush = [&] {
        if (staged.empty())
            return;
        journal.writeAt(at, staged.data(), staged.size());
        at += staged.size();
        staged.clear();
    };
    auto segment = [&](const std::uint8_t* p, std::size_t n) {
        segmentHashes.push_back(Hash64(p, n));
        if (n >= (64u << 10)) {
            flush();
            journal.writeAt(at, p, n);
            at += n;
        } else {
            staged.insert(staged.end(), p, p + n);
            if (staged.size() > (1u << 20))
                flush();
        }
    };
    std::vector<std::uint8_t> fixed;
    fixed.insert(fixed.end(), kMagic, kMagic + 8);
    Add64(fixed, length);
    Add64(fixed, oldSize);
    Add32(fixed, static_cast<std::uint32_t>(writes.size()));
    Add32(fixed, 0);
    fixed.insert(fixed.end(), oldHeader, oldHeader + 32);
    fixed.insert(fixed.end(), newHeader, newHeader + 32);
    segment(fixed.data(), fixed.size());
    std::vector<std::uint8_t> meta, old;
    for (const auto& w : writes) {
        meta.clear();
        Add64(meta, w.offset);
        Add32(meta, static_cast<std::uint32_t>(w.bytes.size()));
        Add32(meta, 0);
        std::uint32_t pieces = 0;
        // The old bytes, read a chunk at a time, hashed piece by piece.
        std::uint64_t chunkStart = 0, chunkEnd = 0;
        ForEachOldPiece(w.offset, w.bytes.size(), oldSize, [&](std::uint64_t a, std::uint64_t b) {
            if (a < chunkStart || b > chunkEnd) {
                const std::uint64_t want =
                    std::min<std::uint64_t>(256u << 10, std::min(oldSize, w.offset + w.bytes.size()) - a);
                old.resize(static_cast<std::size_t>(want));
                old.resize(table.readAt(a, old.data(), old.size()));
                chunkStart = a;
                chunkEnd = a + old.size();
                if (b > chunkEnd) {  // the file is shorter than it was: hash what is there
                    chunkEnd = b;
                    old.resize(static_cast<std::size_t>(b - a), 0);
                }
            }
            Add64(meta, Hash64(old.data() + (a - chunkStart), static_cast<std::size_t>(b - a)));
            ++pieces;
        });
        for (int i = 0; i < 4; ++i)
            meta[12 + i] = static_cast<std::uint8_t>(pieces >> (8 * i));
        segment(meta.data(), meta.size());
        segment(w.bytes.data(), w.bytes.size());
    }
    std::vector<std::uint8_t> tail;
    Add64(tail,
          Hash64(reinterpret_cast<const std::uint8_t*>(segmentHashes.data()), segmentHashes.size() * 8));
    staged.insert(staged.end(), tail.begin(), tail.end());
    flush();
    assert(at == length);
}

void ClearRecordJournal(File& journal)
{
    const std::uint64_t size = journal.size();
    if (size == 0)
        return;
    if (size > kLargeJournal) {
        journal.truncate(0);
        return;
    }
    const std::uint8_t zero[8] = {};
    journal.writeAt(0, zero, std::min<std::uint64_t>(size, 8));
}

JournalState RecoverRecordJournal(File& table, File& journal, std::uint16_t headerLength,
                                  std::uint16_t recordLength)
{
    const std::uint64_t size = journal.size();
    if (size < 8)
        return JournalState::Empty;
    std::uint8_t head[16] = {};
    const std::size_t got = journal.readAt(0, head, sizeof head);
    if (got >= 8 && std::all_of(head, head + 8, [](std::uint8_t c) { return c == 0; }))
        return JournalState::Empty;
    const std::uint64_t length = got == 16 ? Get64(head + 8) : 0;
    std::vector<std::uint8_t> j;
    bool whole = got == 16 && std::memcmp(head, kMagic, 8) == 0 && length >= kFixed + 8 && length <= size;
    if (whole) {
        j.resize(static_cast<std::size_t>(length));
        whole = journal.readAt(0, j.data(), j.size()) == j.size()
            && SegmentsChecksum(j) == Get64(j.data() + j.size() - 8);
    }
    if (!whole) {
        // Cut off while it was written: the table was not touched yet.
        ClearRecordJournal(journal);
        return JournalState::Discarded;
    }
    const std::string& path = table.path();
    auto refuse = [&](const std::string& why) {
        ClearRecordJournal(journal);
        throw DbError(ErrorCode::CorruptFile,
                      "Table " + path + ": a write of this program was cut off (" + journal.path() + "), but "
                          + why + ". That unfinished write was discarded; check the table's last changes",
                      path);
    };
    const std::uint64_t oldSize = Get64(j.data() + 16);
    const std::uint32_t writes = Get32(j.data() + 24);
    const std::uint8_t* oldHeader = j.data() + 32;
    const std::uint8_t* newHeader = j.data() + 64;
    if (Get32(newHeader + 8) % 65536 != headerLength || (Get32(newHeader + 8) >> 16) != recordLength)
        refuse("its header does not match the table's layout");
    const std::uint64_t recordsEnd =
        headerLength + static_cast<std::uint64_t>(CountOf(newHeader)) * recordLength + 1;

    std::uint8_t cur[32] = {};
    if (table.readAt(0, cur, 32) != 32)
        refuse("the table's header is cut short");
    const std::uint32_t c0 = CounterOf(oldHeader), c1 = CounterOf(newHeader), c = CounterOf(cur);
    if ((CountOf(cur) != CountOf(oldHeader) && CountOf(cur) != CountOf(newHeader)) || c - c0 > c1 - c0)
        refuse("another program has changed the table's header since");

    struct Parsed {
        std::uint64_t offset;
        const std::uint8_t* bytes;
        std::size_t length;
    };
    std::vector<Parsed> parsed;
    std::size_t pos = kFixed;
    const std::size_t end = j.size() - 8;
    std::vector<std::uint8_t> now;
    for (std::uint32_t k = 0; k < writes; ++k) {
        if (pos + 16 > end)
            refuse("the journal is damaged");
        const std::uint64_t off = Get64(j.data() + pos);
        const std::uint32_t len = Get32(j.data() + pos + 8);
        const std::uint32_t pieces = Get32(j.data() + pos + 12);
        pos += 16;
        if (pieces > end || pos + 8ULL * pieces + len > end)
            refuse("the journal is damaged");
        const std::uint8_t* hashes = j.data() + pos;
        const std::uint8_t* bytes = hashes + 8ULL * pieces;
        pos += 8ULL * pieces + len;
        if (off < headerLength || off + len > recordsEnd)
            refuse("it writes outside the table's records");
        // Every piece of the old bytes must read as before the write or as
        // its new bytes.
        std::uint32_t seen = 0;
        now.resize(len);
        now.resize(table.readAt(off, now.data(), len));
        bool foreign = false;
        ForEachOldPiece(off, len, oldSize, [&](std::uint64_t a, std::uint64_t b) {
            const std::size_t at = static_cast<std::size_t>(a - off), n = static_cast<std::size_t>(b - a);
            if (seen >= pieces || at + n > now.size()) {
                foreign = true;
            } else if (std::memcmp(now.data() + at, bytes + at, n) != 0
                       && Hash64(now.data() + at, n) != Get64(hashes + 8ULL * seen)) {
                foreign = true;
            }
            ++seen;
        });
        if (foreign || seen != pieces)
            refuse("another program has changed its records since");
        parsed.push_back({off, bytes, len});
    }
    for (const auto& p : parsed)
        table.writeAt(p.offset, p.bytes, p.length);
    table.writeAt(0, newHeader, 32);
    table.sync();
    ClearRecordJournal(journal);
    return JournalState::Applied;
}

}  // namespace tw::db::detail
