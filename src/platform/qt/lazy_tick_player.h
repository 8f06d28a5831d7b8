#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/tick_player.h"

namespace temura {

// Plays the tick through the sound module, loaded when the first tick is played: a clock with
// the tick off never loads the sound libraries. When the module cannot be loaded the tick is
// silent, which is said once.
class LazyTickPlayer : public TickPlayer {
  public:
    enum class State { NotLoaded, Loaded, Missing };

    // `modulePath`: a file or a resource; by default the copy the program carries.
    explicit LazyTickPlayer(QString modulePath = QString());
    ~LazyTickPlayer() override;

    void playFile(const std::string& path) override;
    void playBuiltIn() override;

    State state() const { return m_state; }

  private:
    TickPlayer* player();

    QString m_modulePath;
    std::unique_ptr<TickPlayer> m_player;
    State m_state = State::NotLoaded;
};

}  // namespace temura
