#include "MainForm.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorla!"));
    QApplication::setDesktopFileName(QStringLiteral("quorla"));

    // The program speaks Italian whatever the system's language, and so must
    // the toolkit's own dialogs and buttons (file dialogs, "OK").
    QTranslator traduzioni;
    if (traduzioni.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioni);

    MainForm finestra;
    finestra.show();
    return QApplication::exec();
}
