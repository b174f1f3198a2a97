// Times the whole road of a large text through the real main window on the
// offscreen platform: the text put in the input box, the sort, the reflow.
#include "Controlli.h"
#include "FileTesto.h"
#include "MainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: quorla-bench-finestra FILE\n");
        return 2;
    }
    MainForm finestra;
    finestra.show();
    QApplication::processEvents();

    QElapsedTimer orologio;
    orologio.start();
    const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(QString::fromLocal8Bit(argv[1]));
    if (!testo) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    auto fase = [&](const char* nome) {
        QApplication::processEvents();
        std::fprintf(stderr, "%-28s %6lld ms\n", nome, static_cast<long long>(orologio.restart()));
    };
    fase("read file");
    finestra.Txt_Orig()->impostaTesto(*testo);
    fase("fill input box");
    finestra.menu().MenuConverti->trigger();
    fase("sort (reflow off)");
    finestra.menu().MenuACapo->trigger();
    fase("reflow on at 50");
    finestra.menu().MenuACapo->trigger();
    fase("reflow off");
    finestra.Txt_Orig()->impostaTesto(QString());
    fase("empty input box");
    return 0;
}
