// A fresh program folder for one test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace app_test {

class TProgram_Folder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device Random;
        Root = std::filesystem::temp_directory_path() / ("ct40510-app-" + std::to_string(Random()));
        Program = Root / "bin";
        std::filesystem::create_directories(Program);
    }
    void TearDown() override
    {
        std::error_code Ignored;
        std::filesystem::remove_all(Root, Ignored);
    }

    static void Write(const std::filesystem::path& File, const std::string& Text)
    {
        std::filesystem::create_directories(File.parent_path());
        std::ofstream(File, std::ios::binary) << Text;
    }
    static std::string Read(const std::filesystem::path& File)
    {
        std::ifstream In(File, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), {});
    }

    std::filesystem::path Root;    ///< holds Program and room "outside" it
    std::filesystem::path Program; ///< the program folder
};

} // namespace app_test
