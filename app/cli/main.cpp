#include "Esecuzione.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    // QCoreApplication only: no display, no platform plugin.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorla-cli"));
    QuorlaCli::InstallaTraduzioni();
    return QuorlaCli::Principale(QCoreApplication::arguments());
}
