#include "platform/sound.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::WaitFor;
using testing::WriteFile;

QString ShippedSound(const char* name) { return QStringLiteral(ORBEL_SOURCE_DIR "/media/") + QLatin1String(name); }

class WavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        player_.setFailureHandler([this](const std::string& file) { failures_ << QString::fromStdString(file); });
    }
    QTemporaryDir dir_;
    WavePlayer player_;
    QStringList failures_;
};

TEST_F(WavePlayerTest, DamagedFileIsReportedLater) {
    const QString bad = dir_.filePath(QStringLiteral("bad.wav"));
    ASSERT_TRUE(WriteFile(bad, "this is no wave file at all"));
    EXPECT_TRUE(player_.play(bad.toStdString()));
    EXPECT_TRUE(failures_.isEmpty()) << "reported inside play()";
    EXPECT_TRUE(WaitFor([&] { return !failures_.isEmpty(); }));
    EXPECT_EQ(failures_, QStringList{bad});
}

TEST_F(WavePlayerTest, NewSoundReplacesTheOneBefore) {
    const QString bad = dir_.filePath(QStringLiteral("bad.wav"));
    ASSERT_TRUE(WriteFile(bad, "this is no wave file at all"));
    ASSERT_TRUE(QFileInfo::exists(ShippedSound("chimes.wav")));
    EXPECT_TRUE(player_.play(bad.toStdString()));
    EXPECT_TRUE(player_.play(ShippedSound("chimes.wav").toStdString()));
    WaitFor([] { return false; }, 1000);
    // Without an audio device the good sound may fail too; the bad one,
    // replaced before it loaded, never reports.
    EXPECT_FALSE(failures_.contains(bad));
}

TEST(ShippedSounds, AreShortMonoWaves) {
    for (const char* name : {"chord.wav", "chimes.wav"}) {
        SCOPED_TRACE(name);
        QFile file(ShippedSound(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(44);
        ASSERT_EQ(head.size(), 44);
        EXPECT_EQ(head.mid(0, 4), "RIFF");
        EXPECT_EQ(head.mid(8, 8), "WAVEfmt ");
        const auto u16 = [&](int at) { return quint16(uchar(head[at]) | uchar(head[at + 1]) << 8); };
        const auto u32 = [&](int at) { return quint32(u16(at) | quint32(u16(at + 2)) << 16); };
        EXPECT_EQ(u16(20), 1);       // PCM
        EXPECT_EQ(u16(22), 1);       // mono
        EXPECT_EQ(u32(24), 22050u);  // sample rate
        EXPECT_EQ(u16(34), 16);      // bits per sample
        const quint32 bytes = u32(40);
        EXPECT_GT(bytes, 0u);
        EXPECT_LT(bytes, 22050u * 2u);  // under a second
    }
}

}  // namespace
}  // namespace orbel::platform
