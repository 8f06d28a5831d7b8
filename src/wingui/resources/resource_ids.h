#pragma once

// Resource ids of temura.exe, read by the resource script and by C++ alike: numbers only, so the
// resource compiler's preprocessor understands every line.

// The program's icon. Id 1 comes first in the executable, so the shell shows it for the file.
#define IDI_TEMURA 1
// The built-in tick, a resource of type "WAVE" as PlaySound's SND_RESOURCE looks for it.
#define IDW_TICK 101
