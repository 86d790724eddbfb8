#pragma once
// Internal: the record journal (NAME.twr) that makes every record write of a
// table all-or-nothing across a killed process and a power cut, and the
// batch journal (*.twb) that makes a batch over several tables one write.
//
// A write operation (one post, or a batch such as a push) first writes the
// new bytes of every record it changes and the new header into the journal,
// with a checksum over all of it but with its magic left zero, and flushes
// the journal; then it writes the magic (the journal is armed) and flushes
// again; only then does it touch the .dbf, flushes that, and marks the
// journal empty (its magic zero). So a journal whose first bytes are zero was
// never armed and its table never touched, and one whose first bytes are not
// zero but whose head does not hold together was damaged after it was whole:
// the record it was writing may be torn, and that is reported. A journal is
// only ever non-empty while its writer holds the table's header lock
// exclusively, so a journal found non-empty by anyone who holds that lock
// (shared or exclusive) was left by a writer that died:
//  - the next holder of the exclusive lock writes its bytes again (redo is
//    idempotent) or drops it when it was cut off itself;
//  - a reader that may not write reads the table through it, in memory.
//
// A batch over several tables writes one record journal per table, each
// naming the batch journal, and then the batch journal, which lists every
// table's journal by its checksum: the batch journal reaching the disk whole
// is the instant the batch happens. A table's journal that names a batch
// journal that is missing, damaged or does not list it was never committed
// and is dropped.
//
// Other dBase programs know nothing of the journal. So that a journal is
// never applied over their later writes, it also holds a hash of every
// 512-byte piece of the old bytes it will overwrite: each piece must still
// read as the old bytes or as the new ones (a write torn at a page or sector
// boundary leaves exactly that), and the header must be ours; anything else
// means the table was written since, and the journal is discarded and the
// fact reported. Every field of a journal is bounded by the table's own
// header and size before any of it is believed.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/fileio.h"

namespace tw::db::detail {

inline constexpr std::size_t kJournalPiece = 512;

struct RecordWrite {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

// Hash of a byte range (several lanes of multiply-rotate rounds; fast enough
// to checksum a push of tens of megabytes).
std::uint64_t Hash64(const std::uint8_t* p, std::size_t n, std::uint64_t seed = 0);

// The batch a table's journal belongs to: the path of the batch journal and
// the batch's number. An empty path: a write of one table.
struct BatchRef {
    std::string path;
    std::uint64_t id = 0;
};

// Writes the journal for writes onto table (whose current size is oldSize)
// into journal from its start: reads the old bytes each write overwrites to
// hash them, and gives them back in undo (what a failed write restores).
// headerLength covers the field descriptors the journal is bound to. The
// headers are the 32-byte prefixes before and after the operation. Flushes
// the journal before it arms it; the caller flushes it again before it
// touches the table. Returns the journal's checksum (what a batch journal
// lists).
std::uint64_t WriteRecordJournal(File& table, File& journal, std::uint64_t oldSize,
                                 std::uint16_t headerLength, const std::uint8_t* oldHeader,
                                 const std::uint8_t* newHeader, const std::vector<RecordWrite>& writes,
                                 const BatchRef& batch, std::vector<RecordWrite>* undo);

// What a journal left by a cut-off write will write.
struct PendingJournal {
    std::vector<std::uint8_t> raw;  // the journal; the writes point into it
    struct Write {
        std::uint64_t offset;
        const std::uint8_t* bytes;
        std::size_t length;
    };
    std::vector<Write> writes;
    std::array<std::uint8_t, 32> newHeader{};
    std::uint64_t endOfRecords = 0;  // the end of the records once applied, end mark excluded
    BatchRef batch;
};

enum class JournalState { Empty, Pending, Discarded, Applied };

// Reads and judges the journal left by a cut-off write; the caller holds the
// table's header lock (shared is enough). Empty when there is nothing to do;
// Discarded for a journal cut off itself, or of a batch never committed (the
// table was not touched: whoever may write clears it); Pending with what it
// writes. Throws CorruptFile naming the table for a journal that cannot be
// trusted: it does not fit the table, the table was written by another
// program since, it is damaged although its write had begun, or its head is
// damaged (then whether it had begun cannot be told).
JournalState ReadRecordJournal(File& table, File& journal, PendingJournal& out);

// Applies a journal left by a cut-off write; the caller holds the table's
// header lock exclusively. Pending is never returned: Applied, or Empty, or
// Discarded. A journal that cannot be trusted is cleared, then reported.
JournalState RecoverRecordJournal(File& table, File& journal);

// Writes the pending journal's bytes and header into the table and flushes it.
void ApplyPendingJournal(File& table, const PendingJournal& pending);

// Recomputes the head's hash and the checksum of a journal held in memory
// (the tests and fuzz targets craft journals with it); nothing when its
// layout does not hold together.
void SealRecordJournal(std::vector<std::uint8_t>& journal);

// Marks the journal empty after the write it describes is on disk (or was
// undone).
void ClearRecordJournal(File& journal);

// The batch a table's journal names; an empty path for none (also for an
// empty or damaged journal).
BatchRef JournalBatch(File& journal);

// One table's part of a batch: the path of its .dbf and its journal's checksum.
struct BatchPart {
    std::string table;
    std::uint64_t checksum = 0;
};

// Writes the batch journal at path (a new file) and flushes it and its folder.
void WriteBatchJournal(const std::string& path, std::uint64_t id, const std::vector<BatchPart>& parts);

// Reads a batch journal; false when it is missing, cut off or damaged (the
// batch was never committed), or not of batch id (0: of any batch).
bool ReadBatchJournal(const std::string& path, std::uint64_t id, std::vector<BatchPart>& parts);

// A new batch journal's path in folder, unique to this process and moment.
BatchRef NewBatchRef(const std::string& folder, const std::string& base);

}  // namespace tw::db::detail
