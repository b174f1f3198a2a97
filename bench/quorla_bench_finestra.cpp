// Times the whole road of a large text through the real main window on the
// offscreen platform: the text put in the input box, the sort, the reflow, a
// keystroke and a paste, each followed by the painting of the window, since
// that is when the user sees the result. Ends with the peak resident memory.
#include "Controlli.h"
#include "FileTesto.h"
#include "MainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <clocale>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

double piccoMb() {
#ifdef Q_OS_UNIX
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

void digita(QWidget* casella, QChar carattere) {
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(carattere));
    QApplication::sendEvent(casella, &premuto);
    QKeyEvent rilasciato(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(carattere));
    QApplication::sendEvent(casella, &rilasciato);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The toolkit takes the user's locale for the C library too: the figures
    // keep their decimal point, which the CSV and the scripts that read them
    // rely on.
    std::setlocale(LC_NUMERIC, "C");
    // --righe keeps the file's line breaks, which the open command turns into
    // spaces: the text then reaches the box as many short lines.
    const bool righe = argc == 3 && QByteArrayView(argv[1]) == "--righe";
    if (argc != 2 && !righe) {
        std::fprintf(stderr, "uso: quorla-bench-finestra [--righe] FILE\n");
        return 2;
    }
    const QString percorso = QString::fromLocal8Bit(argv[argc - 1]);
    // The start-up choices, whatever the user's settings; none are kept.
    MainForm finestra(nullptr, QString());
    finestra.show();
    QApplication::processEvents();
    CasellaTesto* orig = finestra.Txt_Orig();

    QElapsedTimer orologio;
    orologio.start();
    std::optional<QString> testo;
    if (righe) {
        QFile file(percorso);
        if (file.open(QIODevice::ReadOnly))
            testo = QString::fromUtf8(file.readAll());
    } else {
        testo = QuorlaIo::LeggiFileTesto(percorso);
    }
    if (!testo) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(percorso));
        return 1;
    }
    // Every phase ends once the window is painted again.
    auto fase = [&](const char* nome) {
        QApplication::processEvents();
        finestra.grab();
        const long long ms = orologio.restart();
        std::fprintf(stderr, "%-28s %6lld ms   peak so far %6.0f MB\n", nome, ms, piccoMb());
    };
    fase("read file");
    orig->impostaTesto(*testo);
    // As the open command does: the box holds the only copy.
    testo.reset();
    fase("fill input box");
    finestra.menu().MenuConverti->trigger();
    fase("sort (reflow off)");
    finestra.menu().MenuACapo->trigger();
    fase("reflow on at 50");
    finestra.menu().MenuACapo->trigger();
    fase("reflow off");
    orig->setFocus();
    orig->moveCursor(QTextCursor::End);
    orologio.restart();
    // The first keystroke also empties the output box.
    digita(orig, QLatin1Char('x'));
    fase("type one character (1st)");
    digita(orig, QLatin1Char('y'));
    fase("type one character (2nd)");
    QGuiApplication::clipboard()->setText(orig->testo());
    orig->selectAll();
    orologio.restart();
    orig->paste();
    fase("paste over everything");
    orig->impostaTesto(QString());
    fase("empty input box");

    const double fileMb = double(QFileInfo(percorso).size()) / 1048576.0;
    std::fprintf(stderr, "%-28s %6.0f MB (%.1f x the file)\n", "peak resident memory", piccoMb(),
                 fileMb > 0 ? piccoMb() / fileMb : 0.0);
    return 0;
}
