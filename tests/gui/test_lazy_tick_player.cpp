// The tick's player is loaded from the sound module on the first tick; when the module cannot be
// loaded the tick is silent and the clock goes on.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/lazy_tick_player.h"

namespace temura {
namespace {

using State = LazyTickPlayer::State;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

TEST(LazyTickPlayer, LoadsNothingUntilTheFirstTick) {
    LazyTickPlayer player;
    EXPECT_EQ(player.state(), State::NotLoaded);
}

TEST(LazyTickPlayer, LoadsTheModuleOnceAndStaysSilentWithoutOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile built(QStringLiteral(TEMURA_SOUND_MODULE));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray module = built.readAll();
    const struct {
        const char* what;
        QString path;
        State expected;
    } cases[] = {
        {"the copy the program carries", QString(), State::Loaded},
        {"the module as built", QStringLiteral(TEMURA_SOUND_MODULE), State::Loaded},
        {"no such file", dir.filePath(QStringLiteral("none.so")), State::Missing},
        {"an empty file", writeFile(dir, QStringLiteral("empty.so"), {}), State::Missing},
        {"not a library", writeFile(dir, QStringLiteral("junk.so"), QByteArray(4096, '\x7f')),
         State::Missing},
        {"a cut-off module", writeFile(dir, QStringLiteral("cut.so"), module.left(1000)),
         State::Missing},
        {"a library without the entry point", QStringLiteral(TEMURA_NOT_A_SOUND_MODULE),
         State::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LazyTickPlayer player(c.path);
        player.playBuiltIn();
        EXPECT_EQ(player.state(), c.expected);
        // Later ticks neither retry nor fail, whatever the first one found.
        player.playFile("/nonexistent/temura.wav");
        player.playBuiltIn();
        EXPECT_EQ(player.state(), c.expected);
    }
}

}  // namespace
}  // namespace temura
