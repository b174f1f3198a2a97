#include "MaiuscoleWindows.h"

#include <windows.h>

bool bloccoMaiuscoleWindows() {
    // The low bit is the toggle state of the key, whatever it is doing now.
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}
