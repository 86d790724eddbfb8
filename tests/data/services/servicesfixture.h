#pragma once
// A scratch installation per test, with the helpers the tests share.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/datetime/localetexts.h"
#include "platform/db/tableops.h"
#include "scratchinstallation.h"

namespace tw::data::testing {

class ServicesTest : public ::testing::Test, protected ScratchInstallation {
protected:
    void SetUp() override { tw::locale::PinLocale("en_US"); }

    // Opens every table of a new installation, then forgets what was shown.
    void OpenFreshTables()
    {
        ops_->OpenAllTables(true);
        ASSERT_TRUE(state_.TablesOpen);
        ASSERT_TRUE(ui_.Messages.empty()) << ui_.Messages.front().text;
        state_.FirstRun = false;
    }

    // A table of the given fields in a folder, replacing what is there.
    static void WriteTable(const std::string& folder, const std::string& name,
                           const std::vector<db::FieldDef>& fields,
                           const std::vector<db::IndexDef>& indexes = {})
    {
        db::CreateTable(folder, name, fields, indexes, true);
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
};

}  // namespace tw::data::testing
