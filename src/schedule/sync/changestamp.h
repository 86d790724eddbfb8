#pragma once
// What a table file looks like from outside at one moment: its identity, its
// size and time of last change, and the record count and change counter of
// its header, which every write of every process raises. Two equal stamps
// mean nobody wrote to the table in between.
//
// The poll pulls every 15 seconds on every workstation; when neither the
// shared tables nor the working copy changed since the last pull left them
// level, there is nothing to compare, and reading four headers answers that.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/db/table.h"

namespace tw::schedule {

struct ChangeStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint32_t recordCount = 0;
    std::uint32_t changeCounter = 0;

    bool operator==(const ChangeStamp&) const = default;
};

// The stamp of a table, open or closed; none when its file cannot be read.
std::optional<ChangeStamp> ReadChangeStamp(const db::Table& table);

// The stamps of several tables together; none when one cannot be read.
template <std::size_t N>
std::optional<std::array<ChangeStamp, N>> ReadChangeStamps(const std::array<const db::Table*, N>& tables)
{
    std::array<ChangeStamp, N> stamps;
    for (std::size_t i = 0; i < N; ++i) {
        const auto stamp = ReadChangeStamp(*tables[i]);
        if (!stamp)
            return std::nullopt;
        stamps[i] = *stamp;
    }
    return stamps;
}

}  // namespace tw::schedule
