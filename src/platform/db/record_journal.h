#pragma once
// Internal: the record journal (NAME.twr) that makes every record write of a
// table all-or-nothing across a killed process and a power cut.
//
// A write operation (one post, or a batch such as a push) first writes the
// new bytes of every record it changes and the new header into the journal,
// with a checksum over all of it, and flushes the journal; only then does it
// touch the .dbf, flushes that, and marks the journal empty. Whoever next
// takes the table's header lock exclusively (an open for writing, the next
// write) finds a complete journal of a write that was cut off and writes its
// bytes again (redo is idempotent); a journal that fails its checksum was cut
// off itself, before the table was touched, and is dropped.
//
// Other dBase programs know nothing of the journal. So that a journal is
// never applied over their later writes, it also holds a hash of every
// 512-byte piece of the old bytes it will overwrite: each piece must still
// read as the old bytes or as the new ones (a write torn at a page or sector
// boundary leaves exactly that), and the header's record count and change
// counter must be ours; anything else means the table was written since, and
// the journal is discarded and the fact reported.

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

// Writes the journal for writes onto table (whose current size is oldSize)
// into journal from its start: reads the old bytes each write overwrites to
// hash them. The headers are the 32-byte prefixes before and after the
// operation. The caller flushes the journal.
void WriteRecordJournal(File& table, File& journal, std::uint64_t oldSize, const std::uint8_t* oldHeader,
                        const std::uint8_t* newHeader, const std::vector<RecordWrite>& writes);

enum class JournalState { Empty, Applied, Discarded };

// Applies a journal left by a write that was cut off; the caller holds the
// table's header lock exclusively. Empty when there is nothing to do,
// Discarded for a journal cut off itself. Throws CorruptFile naming the table
// when the table was written by another program since (the journal is then
// discarded: its write never returned to anyone) or when the journal does not
// fit the table.
JournalState RecoverRecordJournal(File& table, File& journal, std::uint16_t headerLength,
                                  std::uint16_t recordLength);

// Marks the journal empty after the write it describes is on disk.
void ClearRecordJournal(File& journal);

}  // namespace tw::db::detail
