#pragma once
// A fixture with a scratch folder of its own, named after the test and gone
// after it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace tw::app::testing {

class TestFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path()
            / ("tw-app-" + std::to_string(::getpid()) + "-" + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
};

}  // namespace tw::app::testing
