// Long use of the real main window: paste over the input box, sort, reflow on
// and off, the separator dialog opened and confirmed, again and again. Prints
// the resident memory every ten cycles, to show whether it levels off. Run it
// on a real display (Xvfb will do): bench/soak-finestra.sh.
#include "Controlli.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <clocale>
#include <cstdio>
#include <unistd.h>

namespace {

double residenteMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campi = statm.readAll().split(' ');
    return campi.size() > 1
               ? double(campi[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1048576.0
               : 0;
}

void tasto(QWidget* w, int codice, Qt::KeyboardModifiers modificatori) {
    QKeyEvent premuto(QEvent::KeyPress, codice, modificatori);
    QApplication::sendEvent(w, &premuto);
    QKeyEvent rilasciato(QEvent::KeyRelease, codice, modificatori);
    QApplication::sendEvent(w, &rilasciato);
}

// About 40 KB of words, different every cycle, as a user's pastes would be.
QString testoDelCiclo(int ciclo) {
    QRandomGenerator caso(quint32(ciclo) + 1);
    QString t;
    while (t.size() < 40000) {
        for (int n = caso.bounded(2, 10); n > 0; --n)
            t += QChar(u'a' + caso.bounded(26));
        t += caso.bounded(8) == 0 ? QStringLiteral("; ") : QStringLiteral(" ");
    }
    return t;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The toolkit takes the user's locale for the C library too: the figures
    // keep their decimal point, which the CSV and the scripts that read them
    // rely on.
    std::setlocale(LC_NUMERIC, "C");
    const int cicli = argc > 1 ? std::atoi(argv[1]) : 300;
    // Which steps make a cycle: p paste, s sort, r reflow, d dialog; all by
    // default. Fewer steps tell where memory goes.
    const QByteArray passi = argc > 2 ? QByteArray(argv[2]) : QByteArray("psrd");
    // The start-up choices, whatever the user's settings; none are kept.
    MainForm finestra(nullptr, QString());
    finestra.show();
    QApplication::processEvents();
    CasellaTesto* orig = finestra.Txt_Orig();
    const MainForm::VociMenu& menu = finestra.menu();

    std::printf("cycle,resident_mb\n");
    std::printf("0,%.1f\n", residenteMb());
    for (int ciclo = 1; ciclo <= cicli; ++ciclo) {
        if (passi.contains('p')) {
            QGuiApplication::clipboard()->setText(testoDelCiclo(ciclo));
            orig->setFocus();
            tasto(orig, Qt::Key_A, Qt::ControlModifier);
            tasto(orig, Qt::Key_V, Qt::ControlModifier);
            QApplication::processEvents();
        }
        if (passi.contains('s'))
            menu.MenuConverti->trigger();
        if (passi.contains('r')) {
            menu.MenuACapo->trigger();
            QApplication::processEvents();
            menu.MenuACapo->trigger();
        }
        if (passi.contains('d')) {
            menu.MenuSeparatori->trigger();
            QApplication::processEvents();
            finestra.separatori()->Cmd_OK()->click();
        }
        QApplication::processEvents();
        if (ciclo == 1) {
            std::fprintf(stderr, "cycle 1: input %lld characters, output %lld\n",
                         static_cast<long long>(orig->testo().size()),
                         static_cast<long long>(finestra.Txt_Ordine()->testo().size()));
        }
        if (ciclo % 10 == 0) {
            std::printf("%d,%.1f\n", ciclo, residenteMb());
            std::fflush(stdout);
        }
    }
    return 0;
}
