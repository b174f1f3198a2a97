#include "BloccoNote.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#endif

namespace QuorlaIo {

#ifdef Q_OS_WIN

bool AvviaBloccoNote() {
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

#else

bool AvviaBloccoNote() {
    // Plain text editors of the common desktops, the simplest first in each
    // family. Whether the new window takes the focus is up to the window
    // manager; there is no portable way to ask otherwise.
    static const QStringList kEditori = {
        QStringLiteral("gnome-text-editor"),
        QStringLiteral("gedit"),
        QStringLiteral("kate"),
        QStringLiteral("kwrite"),
        QStringLiteral("mousepad"),
        QStringLiteral("xed"),
        QStringLiteral("pluma"),
        QStringLiteral("featherpad"),
        QStringLiteral("leafpad"),
        QStringLiteral("geany"),
    };
    for (const QString& nome : kEditori) {
        const QString programma = QStandardPaths::findExecutable(nome);
        if (programma.isEmpty())
            continue;
        // Detached: the editor outlives the program and is never waited for.
        // One that refuses to start gives way to the next one found.
        if (QProcess::startDetached(programma, {}))
            return true;
    }
    return false;
}

#endif

} // namespace QuorlaIo
