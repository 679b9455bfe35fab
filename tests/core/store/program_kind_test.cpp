#include "core/store/program_kind.h"
#include "tests/core/fake_system_calls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ProgramKind, ExeExtensionInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"C:\\a.exe", true}, {"A.EXE", true},      {"x.Exe", true},      {"exe", false},
        {"a.ex", false},     {"a.exe.txt", false}, {"dir.exe/f", false}, {"", false},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(HasExeExtension(path), expected) << path;
}

TEST(ProgramKind, ExecutableBinariesAndScriptsAreProgramsOtherFilesAreNot) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows files carry no execute permission bits";
#endif
    const fs::path dir = fs::temp_directory_path() / ("orbel-kind-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "bin");
    const auto make = [&](const char* name, const std::string& content, fs::perms exec) {
        std::ofstream(dir / name, std::ios::binary) << content;
        fs::permissions(dir / name, fs::perms::owner_read | fs::perms::owner_write | exec);
        return (dir / name).string();
    };
    constexpr auto none = fs::perms::none, user = fs::perms::owner_exec;
    const std::string elf = std::string(
        "\x7f"
        "ELF\x02\x01\x01\0",
        8);
    const std::tuple<const char*, std::string, fs::perms, bool> cases[] = {
        {"elf", elf, user, true},
        {"script", "#!/bin/sh\n", user, true},
        {"group", "#!", fs::perms::group_exec, true},
        {"others", elf, fs::perms::others_exec, true},
        {"elf-no-exec", elf, none, false},
        {"text-exec", "hello\n", user, false},
        {"empty-exec", "", user, false},
        {"short-elf",
         "\x7f"
         "EL",
         user, false},
        {"doc.EXE", "text", none, true},
    };
    for (const auto& [name, content, exec, expected] : cases)
        EXPECT_EQ(IsProgramPath(make(name, content, exec)), expected) << name;
    EXPECT_FALSE(IsProgramPath((dir / "bin").string()));
    EXPECT_FALSE(IsProgramPath((dir / "missing").string()));

    // The installed test replaces the permission bits; the content still counts.
    {
        test::FakeSystemCalls system;
        system.executable = true;
        EXPECT_TRUE(IsProgramPath((dir / "elf-no-exec").string()));
        EXPECT_FALSE(IsProgramPath((dir / "text-exec").string()));
        system.fails = [](test::SystemCall call, const std::string&) {
            return call == test::SystemCall::UserMayExecute;
        };
        EXPECT_FALSE(IsProgramPath((dir / "elf").string()));
    }
    EXPECT_TRUE(IsProgramPath((dir / "elf").string()));
    EXPECT_FALSE(IsProgramPath((dir / "elf-no-exec").string()));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orbel
