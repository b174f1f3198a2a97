#include "Esecuzione.h"
#include "Traduzioni.h"

#include <QCoreApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    // QCoreApplication only: no display, no platform plugin.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorla-cli"));
    // In Italian Qt's own texts come from the program itself, as a server need
    // not have Qt's translations installed; in any other language from those.
    const QString lingua = Traduzioni::Scegli(QLocale::system().uiLanguages());
    if (lingua == Traduzioni::Italiano)
        QuorlaCli::InstallaTraduzioni();
    else
        Traduzioni::Installa(lingua);
    return QuorlaCli::Principale(QCoreApplication::arguments());
}
