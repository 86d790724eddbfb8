// The record journal: a journal of a cut-off write, changed by the input
// (byte 0: bit 0 seals it again so that the change passes the checksum,
// bit 1 tears the table; then (offset, xor) triples), is applied, read
// through or refused with a DbError, never a crash, an overrun or a giant
// file.
#include "journal_setup.h"

using namespace tw::db;
using namespace tw::db::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RunInMemory([&](MemFs& fs) {
        MakeTable("t");
        MakeJournal(fs, "t", {});
        const std::uint8_t flags = size > 0 ? data[0] : 0;
        auto& j = *fs.bytes("t.twr");
        if (size > 1)
            Patch(j, data + 1, size - 1);
        if (flags & 1)
            detail::SealRecordJournal(j);
        if (flags & 2)
            Tear(fs, "t", size);
        Exercise(fs, "t");
        PackTable(kFolder, "t");
    });
}
