#include "MainForm.h"
#include "RigaComando.h"
#include "Traduzioni.h"

#include <QApplication>
#include <QLocale>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QTextStream uscita(stdout);
    QTextStream errori(stderr);
    // The program speaks the user's language, and so do the toolkit's own
    // dialogs and buttons (file dialogs, "OK").
    const QString lingua = Traduzioni::Scegli(QLocale::system().uiLanguages());
    // --help and --version answer without a window, and without a display:
    // asked once to know whether they answer at all, then again for the words,
    // which need an application object, though not a graphical one.
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
        argomenti.append(QString::fromLocal8Bit(argv[i]));
    QString prova;
    QTextStream scarto(&prova);
    if (RispostaImmediata(argomenti, scarto)) {
        QCoreApplication nucleo(argc, argv);
        Traduzioni::Installa(lingua, false);
        return *RispostaImmediata(argomenti, uscita);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorla!"));
    QApplication::setDesktopFileName(QStringLiteral("quorla"));
    Traduzioni::Installa(lingua);
    const RigaComando riga = LeggiRigaComando(QApplication::arguments(), errori);
    if (riga.uscita)
        return *riga.uscita;

    MainForm finestra;
    finestra.show();
    // Once the window stands, so that a warning about the file has it as owner.
    if (riga.file)
        finestra.apriFile(*riga.file);
    return QApplication::exec();
}
