// Positional formatting, command-line splitting, string helpers and
// shortcuts.

#include "shellfixture.h"

#include "controls/shell/fcshellutils.h"

#include <stdexcept>

namespace tw::controls::shell {
namespace {

TEST(FormatStrPosTest, InsertsByPosition)
{
    struct Case {
        const char* name;
        QString format;
        QStringList args;
        QString expected;
    } cases[] = {
        {"in order",
         QStringLiteral("%1 and %2"),
         {QStringLiteral("a"), QStringLiteral("b")},
         QStringLiteral("a and b")},
        {"swapped",
         QStringLiteral("%2 before %1"),
         {QStringLiteral("a"), QStringLiteral("b")},
         QStringLiteral("b before a")},
        {"repeated", QStringLiteral("%1%1"), {QStringLiteral("x")}, QStringLiteral("xx")},
        {"two digits",
         QStringLiteral("%10!"),
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"},
         QStringLiteral("ten!")},
        {"percent sign", QStringLiteral("100%% of %1"), {QStringLiteral("it")}, QStringLiteral("100% of it")},
        {"line break", QStringLiteral("a%nb"), {}, QStringLiteral("a\nb")},
        {"%0 ends the text", QStringLiteral("kept%0dropped"), {}, QStringLiteral("kept")},
        {"a missing argument fails", QStringLiteral("%3"), {QStringLiteral("a")}, QString()},
        {"the folder message",
         QStringLiteral("Unable to create the folder '%2'\n\n%1"),
         {QStringLiteral("Permission denied"), QStringLiteral("New Folder")},
         QStringLiteral("Unable to create the folder 'New Folder'\n\nPermission denied")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatStrPos(c.format, c.args), c.expected) << c.name;
}

TEST(FormatStrPosTest, TooManySubstitutionStrings)
{
    QStringList fifty, fiftyOne, sixty;
    for (int i = 0; i < 60; ++i) {
        if (i < 50)
            fifty << QStringLiteral("x");
        if (i < 51)
            fiftyOne << QStringLiteral("x");
        sixty << QStringLiteral("x");
    }
    EXPECT_EQ(FormatStrPos(QStringLiteral("%50"), fifty), QStringLiteral("x"));
    try {
        FormatStrPos(QStringLiteral("%1"), fiftyOne);
        FAIL() << "51 arguments were accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "FormatStrPos: Too many substitution strings");
    }
    EXPECT_EQ(FormatStrPos(QString(), sixty), QString());  // an empty format first
}

TEST(CommandLineTest, SplitsAsTheShellWould)
{
    struct Case {
        const char* name;
        QString line;
        QStringList expected;
    } cases[] = {
        {"words and a quoted pair", QStringLiteral("a \"b c\" d"), {"a", "b c", "d"}},
        {"only two quotes", QStringLiteral("\"\""), {}},
        {"empty", QString(), {}},
        {"tabs and blanks between", QStringLiteral(" \t a\t\tb  "), {"a", "b"}},
        {"a quote inside a word splits it", QStringLiteral("ab\"cd\"ef"), {"ab", "cd", "ef"}},
        {"an unclosed quote runs to the end", QStringLiteral("x \"y z  "), {"x", "y z"}},
        {"blanks at a quoted argument's end are trimmed", QStringLiteral("\"  p q  \""), {"  p q"}},
        {"non-ASCII",
         QStringLiteral("\"C:/Bücher/ü ö\" 日本"),
         {QStringLiteral("C:/Bücher/ü ö"), QStringLiteral("日本")}},
    };
    for (const Case& c : cases) {
        QStringList got;
        ParametizeCmdLineDB(c.line, got);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(StringHelpersTest, TrailingCharAndTrim)
{
    EXPECT_EQ(EnsureTrailingCharDB(QString(), QLatin1Char('/')), QString());
    EXPECT_EQ(EnsureTrailingCharDB(QStringLiteral("a"), QLatin1Char('/')), QStringLiteral("a/"));
    EXPECT_EQ(EnsureTrailingCharDB(QStringLiteral("a/"), QLatin1Char('/')), QStringLiteral("a/"));
    EXPECT_EQ(TrimRightDB(QStringLiteral("ab \t\r\n")), QStringLiteral("ab"));
    EXPECT_EQ(TrimRightDB(QStringLiteral(" ")), QString());
    QString dest;
    int index = 1;
    const QString s = QStringLiteral("😀x");
    CopyCharDB(index, s, dest);
    EXPECT_EQ(dest, QStringLiteral("😀"));
    EXPECT_EQ(index, 3);
}

class ShortcutTest : public testing::ShellTree {};

TEST_F(ShortcutTest, SymbolicLinksAndDesktopLinksRoundTrip)
{
    const QString target = MakeFile(QStringLiteral("data/company.dbf"));
    TLinkData data;
    data.PathName = target;
    data.Options = ldoUseDesc | ldoUseIcon | ldoUseWorkDir;
    data.Description = QStringLiteral("The company file");
    data.IconLocation = QStringLiteral("x-office-database");
    data.WorkingDirectory = root_ + QStringLiteral("/data");
    const QString desktopLink = root_ + QStringLiteral("/Company.desktop");
    ASSERT_EQ(CreateShortcut(desktopLink, data), S_OK_);
    TLinkData back;
    ASSERT_EQ(ResolveShortcut(desktopLink, back, true), S_OK_);
    EXPECT_EQ(back.PathName, target);
    EXPECT_EQ(back.Description, data.Description);
    EXPECT_EQ(back.IconLocation, data.IconLocation);
    EXPECT_EQ(back.WorkingDirectory, data.WorkingDirectory);
    EXPECT_EQ(back.Options, kAllLinkDataOptions);
    EXPECT_EQ(ShellGetPathFromIdList(back.IdList.get()), target);

    const QString symlink = root_ + QStringLiteral("/company link");
    ASSERT_EQ(CreateQuickShortcut(symlink, target), S_OK_);
    TLinkData viaLink;
    ASSERT_EQ(ResolveShortcut(symlink, viaLink, false), S_OK_);
    EXPECT_EQ(viaLink.PathName, target);
    EXPECT_EQ(viaLink.IdList, nullptr);
    EXPECT_TRUE(Failed(CreateQuickShortcut(symlink, target)));  // exists already
    TLinkData none;
    EXPECT_TRUE(Failed(ResolveShortcut(root_ + QStringLiteral("/missing"), none, false)));
    EXPECT_TRUE(Failed(ResolveShortcut(target, none, false)));  // a plain file is no shortcut
    QString clsid;
    EXPECT_FALSE(FcClsidFromFileType(QStringLiteral(".txt"), clsid));
}

}  // namespace
}  // namespace tw::controls::shell
