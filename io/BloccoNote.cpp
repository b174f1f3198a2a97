#include "BloccoNote.h"

// First, so that Q_OS_WIN is known below.
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "AvvioWindows.h"
#else
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#endif

namespace QuorlaIo {

#ifdef Q_OS_WIN

bool AvviaBloccoNote() {
    return Windows::AvviaNotepad();
}

#else

namespace {

struct Editore {
    QString nome;
    // What makes it open a new window with an empty document, not a tab in a
    // copy already running nor the files of its last session.
    QStringList argomenti;
};

} // namespace

bool AvviaBloccoNote() {
    // Plain text editors of the common desktops, the simplest first in each
    // family, with the options their own help and manual pages give. Whether
    // the new window takes the focus is up to the window manager; there is no
    // portable way to ask otherwise.
    static const QList<Editore> kEditori = {
        {QStringLiteral("gnome-text-editor"),
         {QStringLiteral("--new-window"), QStringLiteral("--ignore-session")}},
        {QStringLiteral("gedit"), {QStringLiteral("--new-window")}},
        // A new instance with a new anonymous session: no tab in a running
        // Kate, and not the documents of the last session.
        {QStringLiteral("kate"), {QStringLiteral("--startanon")}},
        // One window per process, and no session to restore: nothing to ask.
        {QStringLiteral("kwrite"), {}},
        // A process of its own instead of a tab in the running one.
        {QStringLiteral("mousepad"), {QStringLiteral("--disable-server")}},
        // Not in Debian, so its options could not be checked: none is passed.
        {QStringLiteral("xed"), {}},
        {QStringLiteral("pluma"), {QStringLiteral("--new-window")}},
        {QStringLiteral("featherpad"), {QStringLiteral("--win")}},
        // Without a server: every start is a window of its own already.
        {QStringLiteral("leafpad"), {}},
        {QStringLiteral("geany"),
         {QStringLiteral("--new-instance"), QStringLiteral("--no-session")}},
    };
    for (const Editore& editore : kEditori) {
        const QString programma = QStandardPaths::findExecutable(editore.nome);
        if (programma.isEmpty())
            continue;
        // Detached: the editor outlives the program and is never waited for.
        // One that refuses to start gives way to the next one found.
        if (QProcess::startDetached(programma, editore.argomenti))
            return true;
    }
    return false;
}

#endif

} // namespace QuorlaIo
