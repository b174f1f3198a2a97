#pragma once

// The Windows side of the Caps Lock lamp, apart from Qt so that it can be
// compiled with the Windows headers alone (scripts/compila-windows.sh).
bool bloccoMaiuscoleWindows();
