#include "platform/icons.h"

#include <gtest/gtest.h>

#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

TEST(ShellIcons, FoldersProgramsAndDocumentsLookApart) {
    test::TempDir dir;
    dir.write("notes.txt", "text");
    const SmallIcon folder = FileIcon(dir.path());
    const SmallIcon document = FileIcon(dir / "notes.txt");
    const SmallIcon program = FileIcon(testing::SystemProgram("notepad.exe"));
    EXPECT_NE(folder.pixels, document.pixels);
    EXPECT_NE(folder.pixels, program.pixels);
    // A document's icon is its type's, whether the file exists or not.
    EXPECT_EQ(document.pixels, FileTypeIcon("txt").pixels);
    EXPECT_EQ(FileIcon(dir / "gone.txt").pixels, document.pixels);
}

TEST(ShellIcons, IconsAreReleased) {
    // Every icon the shell hands out is a user object until destroyed.
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 50; ++i) {
        FileTypeIcon("txt");
        FileIcon("C:\\windows");
    }
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (before == 0 && after == 0) GTEST_SKIP() << "this system does not count user objects";
    EXPECT_LT(after, before + 10);
}

}  // namespace
}  // namespace orbel::platform
