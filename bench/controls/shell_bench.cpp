// The shell namespace core: listing a big folder with attributes beside
// QDir, parsing a deep path, reading a mount table, a cached icon index.

#include "controls/shell/fcdrivetable.h"
#include "controls/shell/fcshellnamespace.h"
#include "controls/shell/fcshellutils.h"
#include "controls/shell/fcsystemimagelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tw::controls::shell {
namespace {

class NoProbe final : public DriveProbe {
public:
    QString Label(const QString&) const override { return {}; }
    QString Uuid(const QString&) const override { return {}; }
    bool IsRemovable(const QString&) const override { return false; }
};

struct BigFolder {
    BigFolder()
    {
        SetDriveTableSource(
            [] { return DriveTable::Parse(QStringLiteral("/dev/sda1 / ext4 rw 0 0\n"), NoProbe()); });
        path = QDir::cleanPath(dir.path()) + QStringLiteral("/big");
        QDir().mkpath(path);
        for (int i = 0; i < 10000; ++i) {
            if (i % 100 == 0) {
                QDir().mkpath(path + QStringLiteral("/folder %1").arg(i));
            } else {
                QFile f(path + QStringLiteral("/file %1.txt").arg(i));
                f.open(QIODevice::WriteOnly);
            }
        }
        deep = QDir::cleanPath(dir.path());
        for (int i = 0; i < 10; ++i)
            deep += QStringLiteral("/level %1").arg(i);
        QDir().mkpath(deep);
    }
    QTemporaryDir dir;
    QString path;
    QString deep;
};

BigFolder& Fixture()
{
    static BigFolder f;
    return f;
}

void BM_EnumerateWithAttributes(benchmark::State& state)
{
    IdListPtr abs;
    ShellGetIdListFromPath(Fixture().path, abs);
    ShellFolderPtr folder;
    ShellGetFolderFromIdList(abs.get(), folder);
    for (auto _ : state) {
        std::vector<IdListPtr> items;
        folder->EnumObjects(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items);
        std::uint32_t all = 0;
        for (const IdListPtr& item : items) {
            const IdList* one[] = {item.get()};
            std::uint32_t a = kListAttributeMask;
            folder->GetAttributesOf(1, one, a);
            all |= a;
        }
        benchmark::DoNotOptimize(all);
        state.counters["items"] = static_cast<double>(items.size());
    }
}
BENCHMARK(BM_EnumerateWithAttributes)->Unit(benchmark::kMillisecond);

void BM_QDirEntryInfoList(benchmark::State& state)
{
    for (auto _ : state) {
        const QFileInfoList list =
            QDir(Fixture().path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        bool any = false;
        for (const QFileInfo& i : list)
            any |= i.isWritable() || i.isDir();
        benchmark::DoNotOptimize(any);
        state.counters["items"] = static_cast<double>(list.size());
    }
}
BENCHMARK(BM_QDirEntryInfoList)->Unit(benchmark::kMillisecond);

void BM_ParseTenLevelPath(benchmark::State& state)
{
    const QString deep = Fixture().deep;
    for (auto _ : state) {
        IdListPtr abs;
        ShellGetIdListFromPath(deep, abs);
        benchmark::DoNotOptimize(abs.get());
    }
}
BENCHMARK(BM_ParseTenLevelPath)->Unit(benchmark::kMicrosecond);

void BM_DriveTableFromSixtyLines(benchmark::State& state)
{
    QString text;
    const char* const pseudo[] = {"proc /proc proc", "sysfs /sys sysfs", "tmpfs /run tmpfs",
                                  "cgroup2 /sys/fs/cgroup cgroup2"};
    for (int i = 0; i < 60; ++i) {
        if (i % 3 == 0)
            text += QString::fromLatin1(pseudo[i % 4]) + QStringLiteral(" rw 0 0\n");
        else
            text += QStringLiteral("/dev/loop%1 /snap/pkg%1 squashfs ro,nodev 0 0\n").arg(i);
    }
    text += QStringLiteral("/dev/sda1 / ext4 rw 0 0\n");
    const NoProbe probe;
    for (auto _ : state) {
        DriveTable t = DriveTable::Parse(text, probe);
        benchmark::DoNotOptimize(t.Drives().size());
    }
}
BENCHMARK(BM_DriveTableFromSixtyLines)->Unit(benchmark::kMicrosecond);

void BM_CachedIconIndex(benchmark::State& state)
{
    SystemImageList list;
    list.IconIndexFromExt(QStringLiteral("report.pdf"));
    const QString name = QStringLiteral("annual report.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(list.IconIndexFromExt(name));
}
BENCHMARK(BM_CachedIconIndex)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace tw::controls::shell
