#include "platform/icons.h"

#include <gtest/gtest.h>

#include "tests/core/store/store_test_support.h"
#include "tests/platform/common/platform_test_support.h"

namespace orbel::platform {
namespace {

using testing::ExpectDrawable;

TEST(Icons, EveryFileTypeHasAnIcon) {
    for (const char* ext : {"txt", "TXT", "exe", "png", "html", "desktop", "", "no-such-type-42", "tar.gz"}) {
        SCOPED_TRACE(ext);
        ExpectDrawable(FileTypeIcon(ext));
    }
}

TEST(Icons, EveryFileHasAnIcon) {
    test::TempDir dir;
    dir.write("notes.txt", "text\n");
    for (const std::string& path : {dir.path(), dir / "notes.txt", dir / "gone.pdf", std::string()}) {
        SCOPED_TRACE(path);
        ExpectDrawable(FileIcon(path));
    }
}

}  // namespace
}  // namespace orbel::platform
