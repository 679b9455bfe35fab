#include "core/store/program_kind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ProgramKind, ExeExtensionInAnyCase)
{
    const std::pair<const char*, bool> cases[] = {
        {"C:\\Tools\\a.exe", true}, {"A.EXE", true}, {"x.Exe", true}, {".exe", true},
        {"exe", false},             {"a.exe.txt", false}, {"a.ex", false}, {"", false},
        {"dir.exe/file", false},    {"a_exe", false},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(HasExeExtension(path), expected) << path;
}

class ProgramFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("orbel-kind-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        SetUserExecutableTest(nullptr);
        fs::remove_all(dir_);
    }
    std::string Make(const std::string& name, const std::string& content, fs::perms perms)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        fs::permissions(p, perms);
        return p.string();
    }
    fs::path dir_;
};

constexpr fs::perms kReadWrite = fs::perms::owner_read | fs::perms::owner_write;

TEST_F(ProgramFiles, ExecutableBinariesAndScriptsAreProgramsOtherFilesAreNot)
{
    const std::string elf = std::string("\x7f" "ELF\x02\x01\x01\x00", 8) + std::string(56, '\0');
    struct Case {
        const char* name;
        std::string content;
        fs::perms perms;
        bool expected;
    };
    const Case cases[] = {
        {"elf", elf, kReadWrite | fs::perms::owner_exec, true},
        {"script", "#!/bin/sh\necho hi\n", kReadWrite | fs::perms::owner_exec, true},
        {"group-exec", "#!", kReadWrite | fs::perms::group_exec, true},
        {"others-exec", elf, kReadWrite | fs::perms::others_exec, true},
        {"elf-no-exec", elf, kReadWrite, false},
        {"text-with-exec", "hello\n", kReadWrite | fs::perms::owner_exec, false},
        {"empty-with-exec", "", kReadWrite | fs::perms::owner_exec, false},
        {"hash-only", "#", kReadWrite | fs::perms::owner_exec, false},
        {"short-elf", "\x7f" "EL", kReadWrite | fs::perms::owner_exec, false},
        {"script.EXE", "plain text", kReadWrite, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsProgramPath(Make(c.name, c.content, c.perms)), c.expected) << c.name;

    fs::create_directory(dir_ / "bin");
    fs::permissions(dir_ / "bin", fs::perms::owner_all);
    EXPECT_FALSE(IsProgramPath((dir_ / "bin").string()));
    EXPECT_FALSE(IsProgramPath((dir_ / "missing").string()));
    EXPECT_TRUE(IsProgramPath((dir_ / "missing.exe").string()));
    EXPECT_FALSE(IsProgramPath(""));
}

TEST_F(ProgramFiles, TheInstalledTestDecidesExecutability)
{
    const std::string elf = std::string("\x7f" "ELF", 4);
    const std::string withBit = Make("with", elf, kReadWrite | fs::perms::owner_exec);
    const std::string without = Make("without", elf, kReadWrite);

    SetUserExecutableTest([](const std::string&) { return false; });
    EXPECT_FALSE(IsProgramPath(withBit));
    SetUserExecutableTest([](const std::string&) { return true; });
    EXPECT_TRUE(IsProgramPath(without));
    EXPECT_FALSE(IsProgramPath(Make("doc", "text", kReadWrite)));  // content still counts
    SetUserExecutableTest(nullptr);
    EXPECT_TRUE(IsProgramPath(withBit));
    EXPECT_FALSE(IsProgramPath(without));
}

}  // namespace
}  // namespace orbel
