#pragma once

// Resource ids shared by temura.rc and the C++ code.
#define IDI_TEMURA 1
#define IDW_TICK 2
