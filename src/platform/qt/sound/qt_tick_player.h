#pragma once

#include <QObject>
#include <QString>

#include "platform/tick_player.h"

class QSoundEffect;

namespace temura {

// The tick through QSoundEffect: the built-in click from the resources, or a WAV file.
class QtTickPlayer : public QObject, public TickPlayer {
  public:
    explicit QtTickPlayer(QObject* parent = nullptr);
    ~QtTickPlayer() override;

    void playFile(const std::string& path) override;
    void playBuiltIn() override;

  private:
    QSoundEffect* m_builtIn = nullptr;
    QSoundEffect* m_file = nullptr;
    QString m_filePath;
};

}  // namespace temura
