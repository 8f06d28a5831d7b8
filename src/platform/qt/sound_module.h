#pragma once

namespace temura {

class TickPlayer;

// The sound module holds the tick's player and links the sound libraries. It exports one
// function, which makes a player that the caller owns.
inline constexpr char kSoundModuleEntry[] = "temura_make_tick_player";
using MakeTickPlayer = TickPlayer* (*)();

// Where the program carries its own copy of the module.
inline constexpr char kEmbeddedSoundModule[] = ":/modules/temura-sound.so";

}  // namespace temura
