#include "MainForm.h"
#include "RigaComando.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QTextStream uscita(stdout);
    QTextStream errori(stderr);
    // --help and --version answer without a window, and without a display.
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
        argomenti.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<int> codice = RispostaImmediata(argomenti, uscita))
        return *codice;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorla!"));
    QApplication::setDesktopFileName(QStringLiteral("quorla"));
    const RigaComando riga = LeggiRigaComando(QApplication::arguments(), errori);
    if (riga.uscita)
        return *riga.uscita;

    // The program speaks Italian whatever the system's language, and so must
    // the toolkit's own dialogs and buttons (file dialogs, "OK").
    QTranslator traduzioni;
    if (traduzioni.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioni);

    MainForm finestra;
    finestra.show();
    // Once the window stands, so that a warning about the file has it as owner.
    if (riga.file)
        finestra.apriFile(*riga.file);
    return QApplication::exec();
}
