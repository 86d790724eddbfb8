// The setup dialog's small rules: the password's stored-form compare, the
// accounting page's extensions, search folders and qbXML versions.
#include "data/textroutines.h"
#include "settings/setupnames.h"
#include "settings/setuppassword.h"

#include <gtest/gtest.h>

namespace tw::settings {
namespace {

TEST(SetupPassword, TypedPasswordsAreComparedInStoredForm)
{
    const auto stored = [](const char* password) { return data::SwapPasswordLetters(password); };
    // "{|}" and "é" do not come back from swapping twice; compared in stored
    // form they are accepted like any other password.
    ASSERT_NE(data::SwapPasswordLetters(stored("pass{word}")), "pass{word}");
    const struct {
        const char* name;
        QString typed;
        std::string field;
        bool matches;
    } cases[] = {
        {"plain letters", "secret", stored("secret"), true},
        {"wrong password", "secreT", stored("secret"), false},
        {"codes 123 to 127", "pass{word}", stored("pass{word}"), true},
        {"a code above 127", QString::fromLatin1("caf\xE9"), stored("caf\xE9"), true},
        {"blanks around the entry", "  secret \t", stored("secret"), true},
        {"the field's padding", "secret", stored("secret") + "      ", true},
        {"built-in password, another stored", "qPlaceholderSecrtz", stored("secret"), true},
        {"built-in password is case-sensitive", "qplaceholdersecrtz", stored("secret"), false},
        {"no password set, nothing typed", "", "", true},
        {"no password set, something typed", "x", "", false},
        {"a character the field cannot hold", QString::fromUtf8("s\u20ACcret"), stored("s?cret"), false},
        {"swapped text typed as it stands", QString::fromStdString(stored("abc")), stored("abc"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PasswordMatches(c.typed, c.field), c.matches) << c.name;
}

TEST(SetupPassword, StoredFormIsTheSwapOfTheTrimmedEntry)
{
    EXPECT_EQ(StoredPasswordForm(" abc "), std::string("\x03\x02\x01"));
    EXPECT_EQ(StoredPasswordForm("A1"), "1A");
    EXPECT_EQ(StoredPasswordForm(QString::fromUtf8("\u20AC")), std::nullopt);
}

TEST(SetupNames, FileExtensionUpper)
{
    const struct {
        const char* name;
        const char* extension;
    } cases[] = {
        {"Company.QBW", "QBW"},  {"company.qbw", "QBW"},         {"QBW", "QBW"},
        {"backup.", ""},         {"my.company.Qbw", "QBW"},      {"", ""},
        {".qbw", "QBW"},         {"report.qbw.tlg", "TLG"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExtensionUpper(c.name), QString::fromLatin1(c.extension)) << c.name;
}

TEST(SetupNames, SearchPatternFolder)
{
    const struct {
        const char* pattern;
        const char* folder;
    } cases[] = {
        {"/*.*", ""},
        {"/home/*.*", "/home"},
        {"/home/office/books/*.*", "/home/office/books"},
        {"/data/with.dot/*.*", "/data/with.dot"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchPatternFolder(c.pattern), QString::fromLatin1(c.folder)) << c.pattern;
    // Every found name is the folder, a slash and the name: a full path.
    EXPECT_EQ(SearchPatternFolder("/*.*") + "/" + "Books.QBW", "/Books.QBW");
}

TEST(SetupNames, QBXMLMajorVersionOnlyForCanadaAndUS)
{
    EXPECT_EQ(QBXMLMajorVersion(0), 3);
    EXPECT_EQ(QBXMLMajorVersion(1), 3);
    EXPECT_EQ(QBXMLMajorVersion(2), std::nullopt);
    EXPECT_EQ(QBXMLMajorVersion(-1), std::nullopt);
}

}  // namespace
}  // namespace tw::settings
