#include "platform/icons.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "test_support.h"
#include "tests/platform/common/platform_test_support.h"

namespace orbel::platform {
namespace {

using testing::kExecutable;
using testing::WriteFile;

using testing::ExpectDrawable;

TEST(Icons, ProgramsAndPipesHaveIcons) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("run.sh"));
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_TRUE(WriteFile(script, "#!/bin/sh\n", kExecutable));
    // Reading a FIFO's content would block: it must be judged by name.
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {script, fifo}) {
        SCOPED_TRACE(path.toStdString());
        ExpectDrawable(FileIcon(path.toStdString()));
    }
}

}  // namespace
}  // namespace orbel::platform
