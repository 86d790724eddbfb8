// Archive names under the user's date and time texts, and where they go.
#include <gtest/gtest.h>

#include "platform/datetime/localetexts.h"
#include "settings/backupname.h"

namespace tw::settings {
namespace {

TEST(BackupName, FollowsTheLocaleTextsWithSeparatorsMadeUnderscores)
{
    struct Case {
        const char* locale;
        int hour, minute, second;
        const char* name;
    };
    const Case cases[] = {
        {"en_US", 6, 24, 6, "DOZOrez_12_8_2026_6_24_06_AM.zip"},
        {"en_US", 18, 5, 0, "DOZOrez_12_8_2026_6_05_00_PM.zip"},
        // Midnight gives the date alone.
        {"en_US", 0, 0, 0, "DOZOrez_12_8_2026.zip"},
        {"en_US", 0, 0, 1, "DOZOrez_12_8_2026_12_00_01_AM.zip"},
        // Dots and dashes of a date stay as they are.
        {"de_DE", 6, 24, 6, "DOZOrez_08.12.2026_06_24_06.zip"},
        {"de_DE", 0, 0, 0, "DOZOrez_08.12.2026.zip"},
        {"en_GB", 23, 59, 59, "DOZOrez_08_12_2026_23_59_59.zip"},
        {"sv_SE", 6, 24, 6, "DOZOrez_2026-12-08_06_24_06.zip"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.name);
        locale::PinLocale(c.locale);
        const TDateTime instant = EncodeDate(2026, 12, 8) + EncodeTime(c.hour, c.minute, c.second, 0);
        EXPECT_EQ(BackupArchiveName("DOZOrez", instant), c.name);
    }
    locale::PinLocale("en_US");
}

TEST(BackupName, EveryFolderGetsItsSeparator)
{
    locale::PinLocale("en_US");
    const TDateTime instant = EncodeDate(2026, 12, 8) + EncodeTime(6, 24, 6, 0);
    const std::string name = "TW_12_8_2026_6_24_06_AM.zip";
    const std::pair<const char*, std::string> cases[] = {
        {"/", "/" + name},
        {"/mnt", "/mnt/" + name},  // short folders were the fault: "/mntTW_..."
        {"/b", "/b/" + name},
        {"/media/stick", "/media/stick/" + name},
        {"/media/stick/", "/media/stick/" + name},
    };
    for (const auto& [folder, path] : cases)
        EXPECT_EQ(BackupFileName("TW", folder, instant), path) << folder;
}

}  // namespace
}  // namespace tw::settings
