// Long and short names on file systems without short names.

#include "shellfixture.h"

#include "controls/shell/fclfname.h"

#include <stdexcept>

namespace tw::controls::shell {
namespace {

class LongNameTest : public testing::ShellTree {};

TEST_F(LongNameTest, NamesComeBackAsTheirLastElementOrUnchanged)
{
    const QString file = MakeFile(QStringLiteral("Long Folder Name/long file name.text"));
    EXPECT_EQ(LongFNameFromShort(file), QStringLiteral("long file name.text"));
    EXPECT_EQ(ShortFNameFromLong(file), QStringLiteral("long file name.text"));
    // The short name of a short name is the name itself, never empty.
    const QString shortOne = MakeFile(QStringLiteral("A.TXT"));
    EXPECT_EQ(ShortFNameFromLong(shortOne), QStringLiteral("A.TXT"));
    const QString missing = root_ + QStringLiteral("/no such");
    EXPECT_EQ(LongFNameFromShort(missing), missing);
    EXPECT_EQ(ShortFNameFromLong(missing), missing);
}

TEST_F(LongNameTest, PathsAreMadeAbsoluteAndClean)
{
    struct Case {
        QString given;
        QString expected;
    } cases[] = {
        {root_ + QStringLiteral("/a/"), root_ + QStringLiteral("/a")},
        {root_ + QStringLiteral("/a/../b//c/."), root_ + QStringLiteral("/b/c")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("//"), QStringLiteral("/")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LongPathFromShort(c.given), c.expected) << c.given.toStdString();
    EXPECT_EQ(ShortPathFromLong(root_ + QStringLiteral("/x y")), root_ + QStringLiteral("/x y"));
}

TEST_F(LongNameTest, ForceLongPathCreatesParents)
{
    const QString deep = root_ + QStringLiteral("/one/two/three");
    EXPECT_FALSE(LongPathExists(deep));
    EXPECT_TRUE(ForceLongPath(deep));
    EXPECT_TRUE(LongPathExists(deep));
    EXPECT_FALSE(LongPathExists(MakeFile(QStringLiteral("plain"))));  // a file is no folder
    EXPECT_FALSE(ForceLongPath(root_ + QStringLiteral("/plain/below")));
    EXPECT_THROW(ForceLongPath(QString()), std::runtime_error);
}

}  // namespace
}  // namespace tw::controls::shell
