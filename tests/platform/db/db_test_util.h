#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/db/table.h"
#include "platform/db/tableops.h"

namespace tw::db::test {

class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/twdbXXXXXX";
        path_ = ::mkdtemp(tmpl);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& n) const { return path_ + "/" + n; }

private:
    std::string path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& p, const std::vector<std::uint8_t>& b)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline std::vector<FieldDef> PeopleFields()
{
    return {{"ID", FieldType::Float, 0, 0},     {"NAME", FieldType::Char, 20, 0},
            {"QTY", FieldType::Smallint, 0, 0}, {"DAY", FieldType::Date, 0, 0},
            {"OK", FieldType::Logical, 0, 0},   {"NOTES", FieldType::Memo, 0, 0},
            {"PIC", FieldType::Binary, 0, 0}};
}

inline void OpenTable(Table& t, const std::string& folder, const std::string& name)
{
    t.setFolder(folder);
    t.setTableName(name);
    t.open();
}

inline void AddPerson(Table& t, double id, const std::string& name, int qty = 0)
{
    t.append();
    t.fieldByName("ID").setAsFloat(id);
    t.fieldByName("NAME").setAsString(name);
    t.fieldByName("QTY").setAsInteger(qty);
    t.post();
}

inline std::vector<std::string> Names(Table& t)
{
    std::vector<std::string> out;
    for (t.first(); !t.eof(); t.next())
        out.push_back(t.fieldByName("NAME").asString());
    return out;
}

inline std::vector<FieldDef> MpFields()
{
    return {{"ID", FieldType::Float, 0, 0},
            {"WRITER", FieldType::Smallint, 0, 0},
            {"SEQ", FieldType::Float, 0, 0},
            {"EDITS", FieldType::Float, 0, 0},
            {"NOTE", FieldType::Memo, 0, 0}};
}

// Records of about 4 KB that straddle page boundaries: an ID, a version and
// sixteen 250-byte texts that all hold the version's letter.
inline std::vector<FieldDef> BigFields()
{
    std::vector<FieldDef> f = {{"ID", FieldType::Float, 0, 0}, {"VER", FieldType::Float, 0, 0}};
    for (int i = 1; i <= 16; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", i);
        f.push_back({name, FieldType::Char, 250, 0});
    }
    return f;
}

// Empty when the cursor's record holds one version throughout, else what is mixed.
inline std::string MixedVersion(Table& t)
{
    const long v = t.fieldByName("VER").asInteger();
    const std::string want(250, static_cast<char>('A' + v % 26));
    for (int i = 1; i <= 16; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", i);
        if (t.fieldByName(name).asString() != want)
            return std::string(name) + " is not version " + std::to_string(v);
    }
    return {};
}

}  // namespace tw::db::test
