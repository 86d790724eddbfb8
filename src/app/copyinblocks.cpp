#include "app/copyinblocks.h"

#include <QByteArray>
#include <QFile>

namespace tw::app {

bool CopyFileInBlocks(const QString& source, const QString& destination)
{
    QFile in(source);
    QFile out(destination);
    const bool existed = out.exists();
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // An existing destination is opened without truncating it, so it is
    // never seen empty while the copy runs.
    if (!out.open(existed ? QIODevice::ReadWrite : QIODevice::WriteOnly))
        return false;
    const qint64 size = in.size();
    for (qint64 offset = 0; offset < size; offset += kCopyBlockSize) {
        if (!in.seek(offset) || !out.seek(offset))
            return false;
        const QByteArray block = in.read(kCopyBlockSize);
        if (block.isEmpty() || out.write(block) != block.size())
            return false;
    }
    return out.resize(size) && out.flush();
}

}  // namespace tw::app
