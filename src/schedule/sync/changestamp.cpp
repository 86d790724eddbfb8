#include "schedule/sync/changestamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/db/dbf_format.h"

namespace tw::schedule {

std::optional<ChangeStamp> ReadChangeStamp(const db::Table& table)
{
    // A shared table is opened only for the work on it; between, its file
    // still tells whether anybody wrote to it.
    const std::string path = table.filePath();
    if (path.empty())
        return std::nullopt;
    // As the table engine opens it: never through a link, and a planted pipe
    // answers at once instead of hanging the poll.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::uint8_t header[db::kHeaderPrefix] = {};
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)
        && ::pread(fd, header, sizeof header, 0) == sizeof header;
    ::close(fd);
    if (!ok)
        return std::nullopt;
    const db::HeaderState state = db::ParseHeaderState(header);
    ChangeStamp stamp;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.recordCount = state.recordCount;
    stamp.changeCounter = state.changeCounter;
    return stamp;
}

}  // namespace tw::schedule
