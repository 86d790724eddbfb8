#pragma once
// The free-memory figure of the resource pane. The platform is never the old
// consumer Windows line, so the pane always shows memory: the "page file" is
// taken as available memory plus free swap over total memory plus swap,
// which is sound without swap too.
#include <QString>
#include <cstdint>
namespace tw::controls {
struct TFcMemoryStatus {
    std::uint64_t AvailableKb = 0;
    std::uint64_t TotalKb = 0;
    std::uint64_t SwapFreeKb = 0;
    std::uint64_t SwapTotalKb = 0;
    std::uint64_t FreeKb() const { return AvailableKb + SwapFreeKb; }
    // Whole percent, rounded; 0 when nothing is known.
    int FreePercent() const;
};
// Parses the text of /proc/meminfo; false when the totals are missing.
bool ParseMemInfo(const QString& text, TFcMemoryStatus& status);
// The system's figures now (zeros when they cannot be read).
TFcMemoryStatus ReadMemoryStatus();
// The free amount as the text pane shows it: "1,234,567 KB" in the locale's
// number format.
QString FreeMemoryText(std::uint64_t freeKb);
// The old free-resources query: a percentage on the consumer Windows line,
// 0 everywhere else, this platform included.
int GetFreeSystemResources(int kind);
}  // namespace tw::controls
