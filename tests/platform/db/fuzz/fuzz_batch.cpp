// The batch journal: a batch over two tables cut off once its journals were
// written, changed by the input (byte 0: bit 0 changes the batch journal
// rather than the first table's journal, bit 1 seals the changed one again,
// bit 2 tears the first table; then (offset, xor) triples), is finished,
// dropped or refused with a DbError on both tables, never a crash.
#include "journal_setup.h"

using namespace tw::db;
using namespace tw::db::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RunInMemory([&](MemFs& fs) {
        MakeTable("t");
        MakeTable("u");
        const detail::BatchRef batch{MemFs::Path("t.1.1.twb"), 0x5EED};
        const std::vector<detail::BatchPart> parts{{MemFs::Path("t.dbf"), MakeJournal(fs, "t", batch)},
                                                   {MemFs::Path("u.dbf"), MakeJournal(fs, "u", batch)}};
        detail::WriteBatchJournal(batch.path, batch.id, parts);
        const std::uint8_t flags = size > 0 ? data[0] : 0;
        auto& changed = *fs.bytes((flags & 1) ? "t.1.1.twb" : "t.twr");
        if (size > 1)
            Patch(changed, data + 1, size - 1);
        if ((flags & 2) && (flags & 1) && changed.size() >= 8) {
            const std::uint64_t h = detail::Hash64(changed.data(), changed.size() - 8);
            for (int i = 0; i < 8; ++i)
                changed[changed.size() - 8 + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(h >> (8 * i));
        } else if (flags & 2) {
            detail::SealRecordJournal(changed);
        }
        if (flags & 4)
            Tear(fs, "t", size);
        Exercise(fs, "t");
        Exercise(fs, "u");
    });
}
