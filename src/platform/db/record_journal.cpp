#include "platform/db/record_journal.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <chrono>
#include <cstring>
#include <random>

#include "platform/db/dbf_format.h"
#include "platform/db/types.h"

namespace tw::db::detail {

namespace {

// Layout of a record journal (little-endian):
//   0  "TWRJ" 2 0 0 0          magic; all zero once the journal is cleared,
//                              and while it is written (it is armed last)
//   8  u64 length of the whole journal, checksum included
//  16  u64 size of the .dbf before the write
//  24  u32 number of writes, u32 length L of the batch journal's path (0: none)
//  32  old 32-byte header prefix, then the new one
//  96  u64 hash of the table's field descriptors (header bytes 32 to its length)
// 104  u64 the batch's number
// 112  u64 hash of the last record before the write as it was (0 for an
//      empty table): binds an append, whose new bytes have no old ones, to
//      this table's records
// 120  the batch journal's path (L bytes)
// 120+L u64 hash of the head (everything before it): tells, even when the
//      rest is damaged, which write the journal was for
// then per write: u64 offset, u32 length, u32 number of old-piece hashes,
//      the hashes (u64 each), the new bytes
// end  u64 checksum: the hash of the segments' hashes (the head; per write,
//      its metadata and its bytes)
constexpr std::uint8_t kMagic[8] = {'T', 'W', 'R', 'J', 2, 0, 0, 0};
constexpr std::size_t kHeadFixed = 120;
constexpr std::size_t kMaxBatchPath = 4096;
constexpr std::uint64_t kLargeJournal = 1 << 20;

// A batch journal: "TWBJ" 1 0 0 0, u64 the batch's number, u32 number of
// parts, u32 0, per part u32 length, the table's path, u64 its journal's
// checksum; then u64 hash of everything before it.
constexpr std::uint8_t kBatchMagic[8] = {'T', 'W', 'B', 'J', 1, 0, 0, 0};

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

std::uint32_t CountOf(const std::uint8_t* h)
{
    return Get32(h + 4);
}
std::uint32_t CounterOf(const std::uint8_t* h)
{
    return Get32(h + 16);
}

// The bytes of the table's header from 32 to its length: the field
// descriptors a journal is bound to.
std::uint64_t DescriptorHash(File& table, std::uint16_t headerLength)
{
    std::vector<std::uint8_t> d(headerLength > 32 ? headerLength - 32u : 0u);
    d.resize(table.readAt(32, d.data(), d.size()));
    return Hash64(d.data(), d.size());
}

// The hash of the last record a header counts, as the table holds it now.
std::uint64_t LastRecordHash(File& table, std::uint16_t headerLength, const std::uint8_t* header)
{
    const std::uint32_t count = Get32(header + 4);
    const std::uint16_t rl = static_cast<std::uint16_t>(header[10] | (header[11] << 8));
    if (count == 0 || rl == 0)
        return 0;
    std::vector<std::uint8_t> r(rl);
    r.resize(table.readAt(headerLength + static_cast<std::uint64_t>(count - 1) * rl, r.data(), r.size()));
    return Hash64(r.data(), r.size());
}

// Header bytes that every write leaves as they are: all but the date (1-3),
// the count (4-7) and the change counter (16-19).
bool SameFixedHeaderBytes(const std::uint8_t* a, const std::uint8_t* b)
{
    return a[0] == b[0] && std::memcmp(a + 8, b + 8, 8) == 0 && std::memcmp(a + 20, b + 20, 12) == 0;
}

std::uint16_t RecordLengthOf(const std::uint8_t* h)
{
    return static_cast<std::uint16_t>(h[10] | (h[11] << 8));
}

struct Head {
    std::uint64_t length = 0, oldSize = 0, descriptors = 0, lastRecord = 0;
    std::uint32_t writes = 0;
    const std::uint8_t* oldHeader = nullptr;
    const std::uint8_t* newHeader = nullptr;
    BatchRef batch;
    std::size_t size = 0;  // bytes of the head, its hash included
};

// Parses the head of a journal from its first bytes; false when they are not
// a whole head of this version.
bool ParseHead(const std::uint8_t* j, std::size_t n, Head& h)
{
    if (n < kHeadFixed + 8 || std::memcmp(j, kMagic, 8) != 0)
        return false;
    const std::uint32_t pathLength = Get32(j + 28);
    if (pathLength > kMaxBatchPath || n < kHeadFixed + pathLength + 8)
        return false;
    const std::size_t hashAt = kHeadFixed + pathLength;
    if (Hash64(j, hashAt) != Get64(j + hashAt))
        return false;
    h.length = Get64(j + 8);
    h.oldSize = Get64(j + 16);
    h.writes = Get32(j + 24);
    h.oldHeader = j + 32;
    h.newHeader = j + 64;
    h.descriptors = Get64(j + 96);
    h.batch.id = Get64(j + 104);
    h.lastRecord = Get64(j + 112);
    h.batch.path.assign(reinterpret_cast<const char*>(j + kHeadFixed), pathLength);
    h.size = hashAt + 8;
    return true;
}

// The checksum of a journal read whole (the hash of its segments' hashes);
// 0 for one whose lengths run past its end (which no checksum equals but by
// chance, and then the parse refuses it).
std::uint64_t SegmentsChecksum(const std::vector<std::uint8_t>& j, const Head& h)
{
    std::vector<std::uint64_t> hashes;
    const std::size_t end = j.size() - 8;
    hashes.push_back(Hash64(j.data(), h.size));
    std::size_t pos = h.size;
    for (std::uint32_t k = 0; k < h.writes; ++k) {
        if (pos + 16 > end)
            return 0;
        const std::uint64_t len = Get32(j.data() + pos + 8);
        const std::uint64_t pieces = Get32(j.data() + pos + 12);
        const std::uint64_t metaLen = 16 + 8 * pieces;
        if (metaLen + len > end - pos)
            return 0;
        hashes.push_back(Hash64(j.data() + pos, static_cast<std::size_t>(metaLen)));
        hashes.push_back(Hash64(j.data() + pos + metaLen, static_cast<std::size_t>(len)));
        pos += static_cast<std::size_t>(metaLen + len);
    }
    if (pos != end)
        return 0;
    return Hash64(reinterpret_cast<const std::uint8_t*>(hashes.data()), hashes.size() * 8);
}

std::atomic<unsigned> g_batchCounter{0};

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

std::uint64_t WriteRecordJournal(File& table, File& journal, std::uint64_t oldSize,
                                 std::uint16_t headerLength, const std::uint8_t* oldHeader,
                                 const std::uint8_t* newHeader, const std::vector<RecordWrite>& writes,
                                 const BatchRef& batch, std::vector<RecordWrite>* undo)
{
    // Written in segments: small ones gathered, large record runs written
    // straight from where they are (a push writes tens of megabytes). The
    // checksum is the hash of the segments' hashes.
    std::vector<std::uint8_t> head;
    head.insert(head.end(), kMagic, kMagic + 8);
    Add64(head, 0);  // the length, below
    Add64(head, oldSize);
    Add32(head, static_cast<std::uint32_t>(writes.size()));
    Add32(head, static_cast<std::uint32_t>(batch.path.size()));
    head.insert(head.end(), oldHeader, oldHeader + 32);
    head.insert(head.end(), newHeader, newHeader + 32);
    Add64(head, DescriptorHash(table, headerLength));
    Add64(head, batch.id);
    Add64(head, LastRecordHash(table, headerLength, oldHeader));
    head.insert(head.end(), batch.path.begin(), batch.path.end());
    std::uint64_t length = head.size() + 8 + 8;
    for (const auto& w : writes) {
        std::uint64_t pieces = 0;
        ForEachOldPiece(w.offset, w.bytes.size(), oldSize, [&](std::uint64_t, std::uint64_t) { ++pieces; });
        length += 16 + 8 * pieces + w.bytes.size();
    }
    for (int i = 0; i < 8; ++i)
        head[8 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    Add64(head, Hash64(head.data(), head.size()));

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
    segment(head.data(), head.size());
    // The magic stays zero until everything else is on disk (below).
    std::fill(staged.begin(), staged.begin() + 8, 0);
    std::vector<std::uint8_t> meta, scratch;
    std::size_t undone = 0;
    for (const auto& w : writes) {
        meta.clear();
        Add64(meta, w.offset);
        Add32(meta, static_cast<std::uint32_t>(w.bytes.size()));
        Add32(meta, 0);
        // The old bytes this write overwrites, hashed piece by piece and kept
        // for an undo (in the caller's buffers, which keep their memory from
        // one write to the next: a push rewrites tens of megabytes).
        const std::uint64_t oldEnd = std::min<std::uint64_t>(oldSize, w.offset + w.bytes.size());
        const std::size_t oldLength = oldEnd > w.offset ? static_cast<std::size_t>(oldEnd - w.offset) : 0;
        std::vector<std::uint8_t>* old = &scratch;
        if (undo && oldLength > 0) {
            if (undone == undo->size())
                undo->emplace_back();
            (*undo)[undone].offset = w.offset;
            old = &(*undo)[undone++].bytes;
        }
        old->resize(oldLength);
        const std::size_t got = table.readAt(w.offset, old->data(), old->size());
        std::fill(old->begin() + static_cast<std::ptrdiff_t>(got), old->end(), 0);
        std::uint32_t pieces = 0;
        ForEachOldPiece(w.offset, w.bytes.size(), oldSize, [&](std::uint64_t a, std::uint64_t b) {
            Add64(meta, Hash64(old->data() + (a - w.offset), static_cast<std::size_t>(b - a)));
            ++pieces;
        });
        for (int i = 0; i < 4; ++i)
            meta[12 + i] = static_cast<std::uint8_t>(pieces >> (8 * i));
        segment(meta.data(), meta.size());
        segment(w.bytes.data(), w.bytes.size());
    }
    if (undo)
        undo->resize(undone);
    const std::uint64_t checksum =
        Hash64(reinterpret_cast<const std::uint8_t*>(segmentHashes.data()), segmentHashes.size() * 8);
    std::vector<std::uint8_t> tail;
    Add64(tail, checksum);
    staged.insert(staged.end(), tail.begin(), tail.end());
    flush();
    assert(at == length);
    // Armed: a journal whose first bytes are not zero was whole on disk
    // before its magic was written, so a head that does not hold together
    // is damage, never a write cut off before it began.
    journal.sync();
    journal.writeAt(0, kMagic, 8);
    return checksum;
}

void SealRecordJournal(std::vector<std::uint8_t>& j)
{
    if (j.size() < kHeadFixed + 16 || std::memcmp(j.data(), kMagic, 8) != 0)
        return;
    const std::uint32_t pathLength = Get32(j.data() + 28);
    if (pathLength > kMaxBatchPath || j.size() < kHeadFixed + pathLength + 16)
        return;
    const std::size_t hashAt = kHeadFixed + pathLength;
    const std::uint64_t headHash = Hash64(j.data(), hashAt);
    for (int i = 0; i < 8; ++i)
        j[hashAt + i] = static_cast<std::uint8_t>(headHash >> (8 * i));
    Head h;
    if (!ParseHead(j.data(), j.size(), h))
        return;
    const std::uint64_t checksum = SegmentsChecksum(j, h);
    for (int i = 0; i < 8; ++i)
        j[j.size() - 8 + i] = static_cast<std::uint8_t>(checksum >> (8 * i));
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

BatchRef JournalBatch(File& journal)
{
    std::vector<std::uint8_t> j(kHeadFixed + kMaxBatchPath + 8);
    j.resize(journal.readAt(0, j.data(), j.size()));
    Head h;
    if (!ParseHead(j.data(), j.size(), h))
        return {};
    return h.batch;
}

JournalState ReadRecordJournal(File& table, File& journal, PendingJournal& out)
{
    const std::uint64_t size = journal.size();
    if (size == 0)
        return JournalState::Empty;
    std::vector<std::uint8_t> j(
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadFixed + kMaxBatchPath + 8)));
    j.resize(journal.readAt(0, j.data(), j.size()));
    const std::size_t lead = std::min<std::size_t>(j.size(), 8);
    if (std::all_of(j.begin(), j.begin() + static_cast<std::ptrdiff_t>(lead),
                    [](std::uint8_t c) { return c == 0; }))
        return JournalState::Empty;  // cleared, or never armed: the table was not touched

    const std::string& path = table.path();
    auto refuse = [&](const std::string& why) {
        throw DbError(ErrorCode::CorruptFile,
                      "Table " + path + ": a write of this program was cut off (" + journal.path() + "), but "
                          + why + ". That unfinished write was discarded; check the table's last changes",
                      path);
    };
    Head h;
    if (!ParseHead(j.data(), j.size(), h))
        refuse("its journal's first bytes are damaged, so whether the write had begun cannot be told; the "
               "records it was writing may be damaged");
    std::uint8_t cur[32] = {};
    if (table.readAt(0, cur, 32) != 32)
        refuse("the table's header is cut short");
    // The header shows whether the write had begun: it raises the counter
    // before it touches any record, and only once its journal is whole.
    const bool begun = CountOf(cur) != CountOf(h.oldHeader) || CounterOf(cur) != CounterOf(h.oldHeader);

    bool whole = h.length >= h.size + 8 && h.length <= size;
    if (whole) {
        j.resize(static_cast<std::size_t>(h.length));
        whole = journal.readAt(0, j.data(), j.size()) == j.size();
        Head again;
        whole = whole && ParseHead(j.data(), j.size(), again) && again.size == h.size;
        if (whole) {
            h = again;
            whole = SegmentsChecksum(j, h) == Get64(j.data() + j.size() - 8);
        }
    }
    if (!whole) {
        if (begun && SameFixedHeaderBytes(cur, h.oldHeader))
            refuse("its journal is damaged although the write had begun; the records it was writing may be "
                   "damaged");
        return JournalState::Discarded;  // cut off while it was written: the table was not touched
    }
    const std::uint64_t checksum = Get64(j.data() + j.size() - 8);
    if (!h.batch.path.empty()) {
        // Part of a batch over several tables: it happened only if the batch
        // journal reached the disk whole and lists this very journal.
        std::vector<BatchPart> parts;
        bool listed = false;
        if (ReadBatchJournal(h.batch.path, h.batch.id, parts)) {
            const auto self = table.identity();
            for (const auto& p : parts)
                if (p.checksum == checksum && Fs().identity(p.table) == self)
                    listed = true;
        }
        if (!listed) {
            if (begun)
                refuse("the batch it belongs to (" + h.batch.path + ") is missing or damaged");
            return JournalState::Discarded;
        }
    }

    // Every field is bounded by the table's own header and size before any
    // of it is believed.
    const std::uint16_t hl = HeaderLengthOf(cur), rl = RecordLengthOf(cur);
    if (hl < 33 || rl == 0)
        refuse("the table's header is damaged");
    if (!SameFixedHeaderBytes(cur, h.oldHeader) || !SameFixedHeaderBytes(cur, h.newHeader))
        refuse("its header does not match the table's");
    if (DescriptorHash(table, hl) != h.descriptors)
        refuse("it belongs to a table with other fields");
    const std::uint32_t c0 = CounterOf(h.oldHeader), c = CounterOf(cur);
    const std::uint32_t n0 = CountOf(h.oldHeader), n1 = CountOf(h.newHeader);
    if (CounterOf(h.newHeader) != c0 + 2 || n1 < n0)
        refuse("its header is not one this program writes");
    if ((CountOf(cur) != n0 && CountOf(cur) != n1) || c - c0 > 2)
        refuse("another program has changed the table's header since");
    const std::uint64_t oldEnd = hl + static_cast<std::uint64_t>(n0) * rl;
    const std::uint64_t newEnd = hl + static_cast<std::uint64_t>(n1) * rl;
    if (h.oldSize != oldEnd && h.oldSize != oldEnd + 1)
        refuse("it does not fit the table's size");
    const std::uint64_t fileSize = table.size();
    if (fileSize < oldEnd || fileSize > std::max(h.oldSize, newEnd + 1))
        refuse("another program has changed the table's size since");

    out.writes.clear();
    std::size_t pos = h.size;
    const std::size_t end = j.size() - 8;
    std::vector<std::uint8_t> now;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> covered;
    for (std::uint32_t k = 0; k < h.writes; ++k) {
        if (end - pos < 16)
            refuse("the journal is damaged");
        const std::uint64_t off = Get64(j.data() + pos);
        const std::uint32_t len = Get32(j.data() + pos + 8);
        const std::uint32_t pieces = Get32(j.data() + pos + 12);
        pos += 16;
        if (8ULL * pieces + len > end - pos)
            refuse("the journal is damaged");
        const std::uint8_t* hashes = j.data() + pos;
        const std::uint8_t* bytes = hashes + 8ULL * pieces;
        pos += static_cast<std::size_t>(8ULL * pieces + len);
        // Whole records, inside the records the new header counts; the end
        // mark may follow the last.
        const bool endMark = len > 0 && len % rl == 1 && bytes[len - 1] == 0x1A;
        if (len == 0 || off < hl || off > newEnd || len > newEnd + 1 - off || (off - hl) % rl != 0
            || (len % rl != 0 && !endMark) || (endMark && off + len != newEnd + 1))
            refuse("it writes outside the table's records");
        std::uint32_t expected = 0;
        ForEachOldPiece(off, len, h.oldSize, [&](std::uint64_t, std::uint64_t) { ++expected; });
        if (expected != pieces)
            refuse("the journal is damaged");
        // Every piece of the old bytes must read as before the write or as
        // its new bytes.
        now.resize(len);
        now.resize(table.readAt(off, now.data(), len));
        std::uint32_t seen = 0;
        bool foreign = false;
        ForEachOldPiece(off, len, h.oldSize, [&](std::uint64_t a, std::uint64_t b) {
            const std::size_t at = static_cast<std::size_t>(a - off), n = static_cast<std::size_t>(b - a);
            if (at + n > now.size())
                foreign = true;
            else if (std::memcmp(now.data() + at, bytes + at, n) != 0
                     && Hash64(now.data() + at, n) != Get64(hashes + 8ULL * seen))
                foreign = true;
            ++seen;
        });
        if (foreign)
            refuse("another program has changed its records since");
        out.writes.push_back({off, bytes, len});
        covered.emplace_back(off, off + len);
    }
    if (pos != end)
        refuse("the journal is damaged");
    // Records it counts anew are records it writes.
    std::sort(covered.begin(), covered.end());
    std::uint64_t reach = oldEnd;
    for (const auto& [a, b] : covered)
        if (a <= reach)
            reach = std::max(reach, b);
    if (reach < newEnd)
        refuse("it counts records it does not hold");
    // The last record before it, when it does not write that one, must be
    // as it was: an append of another table's journal finds other records.
    if (n0 > 0) {
        const std::uint64_t a = oldEnd - rl;
        const bool written = std::any_of(covered.begin(), covered.end(),
                                         [&](const auto& c) { return c.first < oldEnd && c.second > a; });
        if (!written && LastRecordHash(table, hl, h.oldHeader) != h.lastRecord)
            refuse("it belongs to another table");
    }
    // The writes point into the journal's bytes: keep them together.
    const std::uint8_t* base = j.data();
    out.raw = std::move(j);
    for (auto& w : out.writes)
        w.bytes = out.raw.data() + (w.bytes - base);
    std::memcpy(out.newHeader.data(), out.raw.data() + 64, 32);
    out.endOfRecords = newEnd;
    out.batch = h.batch;
    return JournalState::Pending;
}

void ApplyPendingJournal(File& table, const PendingJournal& pending)
{
    for (const auto& w : pending.writes)
        table.writeAt(w.offset, w.bytes, w.length);
    table.writeAt(0, pending.newHeader.data(), 32);
    table.sync();
}

JournalState RecoverRecordJournal(File& table, File& journal)
{
    PendingJournal pending;
    JournalState state;
    try {
        state = ReadRecordJournal(table, journal, pending);
    } catch (const DbError&) {
        ClearRecordJournal(journal);  // reported once; the table stands as it is
        throw;
    }
    if (state == JournalState::Empty)
        return state;
    if (state == JournalState::Pending) {
        ApplyPendingJournal(table, pending);
        state = JournalState::Applied;
    }
    ClearRecordJournal(journal);
    return state;
}

void WriteBatchJournal(const std::string& path, std::uint64_t id, const std::vector<BatchPart>& parts)
{
    std::vector<std::uint8_t> b(kBatchMagic, kBatchMagic + 8);
    Add64(b, id);
    Add32(b, static_cast<std::uint32_t>(parts.size()));
    Add32(b, 0);
    for (const auto& p : parts) {
        Add32(b, static_cast<std::uint32_t>(p.table.size()));
        b.insert(b.end(), p.table.begin(), p.table.end());
        Add64(b, p.checksum);
    }
    Add64(b, Hash64(b.data(), b.size()));
    auto f = Fs().open(path, OpenMode::CreateNew);
    f->writeAt(0, b.data(), b.size());
    f->sync();
    Fs().syncFolder(FolderOf(path));
}

bool ReadBatchJournal(const std::string& path, std::uint64_t id, std::vector<BatchPart>& parts)
{
    parts.clear();
    auto f = OpenIfPresent(path, OpenMode::ReadOnly);
    if (!f)
        return false;
    const std::uint64_t size = f->size();
    if (size < 32 || size > kLargeJournal)
        return false;
    std::vector<std::uint8_t> b(static_cast<std::size_t>(size));
    if (f->readAt(0, b.data(), b.size()) != b.size() || std::memcmp(b.data(), kBatchMagic, 8) != 0
        || Hash64(b.data(), b.size() - 8) != Get64(b.data() + b.size() - 8)
        || (id != 0 && Get64(b.data() + 8) != id))
        return false;
    const std::uint32_t n = Get32(b.data() + 16);
    std::size_t pos = 24;
    const std::size_t end = b.size() - 8;
    for (std::uint32_t k = 0; k < n; ++k) {
        if (pos + 4 > end)
            return false;
        const std::uint32_t len = Get32(b.data() + pos);
        pos += 4;
        if (len > end - pos || end - pos - len < 8)
            return false;
        BatchPart p;
        p.table.assign(reinterpret_cast<const char*>(b.data() + pos), len);
        p.checksum = Get64(b.data() + pos + len);
        pos += len + 8;
        parts.push_back(std::move(p));
    }
    return pos == end;
}

BatchRef NewBatchRef(const std::string& folder, const std::string& base)
{
    static const std::uint64_t seed = [] {
        std::random_device rd;
        return (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
    }();
    // A name left by a dead process of the same number is passed over: that
    // batch journal may still be needed, and the new one is created new.
    unsigned n = 0;
    BatchRef ref;
    do {
        n = ++g_batchCounter;
        ref.path =
            JoinPath(folder, base + "." + std::to_string(::getpid()) + "." + std::to_string(n) + ".twb");
    } while (Fs().exists(ref.path));
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t mix[3] = {seed, now, n};
    ref.id = Hash64(reinterpret_cast<const std::uint8_t*>(mix), sizeof mix) | 1;
    return ref;
}

}  // namespace tw::db::detail
