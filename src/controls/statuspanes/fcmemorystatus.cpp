#include "controls/statuspanes/fcmemorystatus.h"
#include "platform/datetime/localetexts.h"
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
namespace tw::controls {
int TFcMemoryStatus::FreePercent() const
{
    const std::uint64_t total = TotalKb + SwapTotalKb;
    if (total == 0)
        return 0;
    return static_cast<int>(std::lround(static_cast<double>(FreeKb()) * 100.0 / static_cast<double>(total)));
}

bool ParseMemInfo(const QString& text, TFcMemoryStatus& status)
{
    status = {};
    bool haveTotal = false;
    bool haveAvailable = false;
    std::uint64_t memFree = 0;
    static const QRegularExpression line(QStringLiteral("^(\\w+):\\s+(\\d+)"),
                                         QRegularExpression::MultilineOption);
    auto it = line.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString key = m.captured(1);
        const std::uint64_t value = m.captured(2).toULongLong();
        if (key == QLatin1String("MemTotal")) {
            status.TotalKb = value;
            haveTotal = true;
        } else if (key == QLatin1String("MemAvailable")) {
            status.AvailableKb = value;
            haveAvailable = true;
        } else if (key == QLatin1String("MemFree")) {
            memFree = value;
        } else if (key == QLatin1String("SwapTotal")) {
            status.SwapTotalKb = value;
        } else if (key == QLatin1String("SwapFree")) {
            status.SwapFreeKb = value;
        }
    }
    // Old kernels have no MemAvailable; free memory is the closest figure.
    if (!haveAvailable)
        status.AvailableKb = memFree;
    return haveTotal;
}

TFcMemoryStatus ReadMemoryStatus()
{
    TFcMemoryStatus status;
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly))
        ParseMemInfo(QString::fromLatin1(file.readAll()), status);
    return status;
}

QString FreeMemoryText(std::uint64_t freeKb)
{
    const QLocale locale(QString::fromStdString(tw::locale::Formats().name));
    return locale.toString(static_cast<qulonglong>(freeKb)) + QStringLiteral(" KB");
}

int GetFreeSystemResources(int)
{
    return 0;
}
}  // namespace tw::controls
