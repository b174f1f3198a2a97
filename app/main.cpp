#include "MainForm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorla!"));
    QApplication::setDesktopFileName(QStringLiteral("quorla"));
    MainForm finestra;
    finestra.show();
    return QApplication::exec();
}
