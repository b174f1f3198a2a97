#pragma once

// The Windows side of the editor hand-off, apart from Qt so that it can be
// compiled with the Windows headers alone (scripts/compila-windows.sh).
namespace QuorlaIo::Windows {

// Starts notepad.exe, shown at its normal size without taking the focus, and
// lets it go. False when the system refuses to start it.
bool AvviaNotepad();

} // namespace QuorlaIo::Windows
