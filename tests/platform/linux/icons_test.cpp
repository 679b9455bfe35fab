#include "platform/icons.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::kExecutable;
using testing::WriteFile;

// Menus draw icons at 16 pixels: there must be something visible there.
void ExpectDrawable(const SmallIcon& icon)
{
    EXPECT_TRUE(std::any_of(icon.pixels.begin(), icon.pixels.end(), [](std::uint32_t p) { return p >> 24 != 0; }));
}

TEST(Icons, EveryFileTypeHasAnIcon)
{
    for (const char* ext : {"txt", "TXT", "exe", "png", "html", "desktop", "", "no-such-type-42",
                            "tar.gz"}) {
        SCOPED_TRACE(ext);
        ExpectDrawable(FileTypeIcon(ext));
    }
}

TEST(Icons, EveryFileHasAnIcon)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("run.sh"));
    const QString doc = dir.filePath(QStringLiteral("notes.txt"));
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_TRUE(WriteFile(script, "#!/bin/sh\n", kExecutable));
    ASSERT_TRUE(WriteFile(doc, "text\n"));
    // Reading a FIFO's content would block: it must be judged by name.
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {dir.path(), script, doc, fifo, dir.filePath(QStringLiteral("gone.pdf")),
                                QString()}) {
        SCOPED_TRACE(path.toStdString());
        ExpectDrawable(FileIcon(path.toStdString()));
    }
}

}  // namespace
}  // namespace orbel::platform
