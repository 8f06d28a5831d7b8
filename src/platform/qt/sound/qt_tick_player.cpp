#include "platform/qt/sound/qt_tick_player.h"

#include <QSoundEffect>
#include <QUrl>

// The module carries its own click: the program does not, so that it needs no sound libraries.
static void initTickResources() {
    Q_INIT_RESOURCE(sound);
}

namespace temura {

QtTickPlayer::QtTickPlayer(QObject* parent) : QObject(parent) {
    initTickResources();
}

QtTickPlayer::~QtTickPlayer() = default;

void QtTickPlayer::playBuiltIn() {
    if (!m_builtIn) {
        m_builtIn = new QSoundEffect(this);
        m_builtIn->setSource(QUrl(QStringLiteral("qrc:/sound/tick.wav")));
    }
    // Without a sound device QSoundEffect reports an error once and stays silent.
    if (m_builtIn->status() != QSoundEffect::Error) m_builtIn->play();
}

void QtTickPlayer::playFile(const std::string& path) {
    const QString p = QString::fromStdString(path);
    if (!m_file || p != m_filePath) {
        delete m_file;
        m_file = new QSoundEffect(this);
        m_file->setSource(QUrl::fromLocalFile(p));
        m_filePath = p;
    }
    if (m_file->status() != QSoundEffect::Error) m_file->play();
}

}  // namespace temura
