// The entry point of the sound module: the program loads it on the first tick it plays, so that
// a clock with the tick off never loads the sound libraries.
#include <QtGlobal>

#include "platform/qt/sound/qt_tick_player.h"
#include "platform/qt/sound_module.h"

extern "C" Q_DECL_EXPORT temura::TickPlayer* temura_make_tick_player() {
    return new temura::QtTickPlayer();
}
