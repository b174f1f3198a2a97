#include "AvvioWindows.h"

// CMake lists this file for Windows builds only; the guard keeps it empty
// anywhere else it might be compiled by mistake.
#ifdef _WIN32

#include <windows.h>

namespace QuorlaIo::Windows {

bool AvviaNotepad() {
    // Shown at its normal size but not activated, so the keyboard focus stays
    // with the main window. No application name: the system's usual program
    // search finds notepad.exe.
    STARTUPINFOW avvio{};
    avvio.cb = sizeof(avvio);
    avvio.dwFlags = STARTF_USESHOWWINDOW;
    avvio.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION processo{};
    wchar_t riga[] = L"notepad.exe"; // CreateProcessW may write into its command line
    if (!CreateProcessW(nullptr, riga, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &avvio,
                        &processo))
        return false;
    // The editor lives on its own: nothing is kept to wait for it or close it.
    CloseHandle(processo.hThread);
    CloseHandle(processo.hProcess);
    return true;
}

} // namespace QuorlaIo::Windows

#endif // _WIN32
