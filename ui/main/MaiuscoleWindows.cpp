#include "MaiuscoleWindows.h"

// CMake lists this file for Windows builds only; the guard keeps it empty
// anywhere else it might be compiled by mistake.
#ifdef _WIN32

#include <windows.h>

bool bloccoMaiuscoleWindows() {
    // The low bit is the toggle state of the key, whatever it is doing now.
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

#endif // _WIN32
