// Pictures of the program's windows, made from the real widgets.
//
//   quorla_screenshots DIR        renders every scene to DIR/<scene>.png; meant
//                                 for the offscreen platform, needs no display
//   quorla_screenshots --mostra SCENE
//                                 shows one scene on the real display and stays
//                                 until it is killed, for a screenshot of the
//                                 whole screen
//   quorla_screenshots --apri FILE
//                                 opens FILE through "Apri..." on the real
//                                 display; prints "fine" once it is sorted (the
//                                 end of the result in view), then "cima" once
//                                 the output box is scrolled to its top, and
//                                 stays until it is killed
//
// Scenes: mainform, mainform-acapo, menu-file, menu-opzioni, menu-colori,
// menu-ordine, separatori; each of them also with "-en" at the end, in English.
// The window always starts from the program's start-up choices and remembers
// nothing: no settings file is read or written.

#include "Controlli.h"
#include "Dialoghi.h"
#include "Disegni.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"
#include "Traduzioni.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {

// The interface in English for a scene whose name ends in "-en", for as long
// as it lives; the window must be made after it.
class LinguaScena {
public:
    explicit LinguaScena(const QString& scena) : inglese_(scena.endsWith(QLatin1String("-en"))) {
        if (inglese_ && Traduzioni::CaricaProgramma(programma_, Traduzioni::Inglese))
            QCoreApplication::installTranslator(&programma_);
        if (inglese_ && Traduzioni::CaricaQt(qt_, Traduzioni::Inglese))
            QCoreApplication::installTranslator(&qt_);
    }
    ~LinguaScena() {
        QCoreApplication::removeTranslator(&programma_);
        QCoreApplication::removeTranslator(&qt_);
    }
    LinguaScena(const LinguaScena&) = delete;
    LinguaScena& operator=(const LinguaScena&) = delete;
    bool inglese() const { return inglese_; }

private:
    bool inglese_;
    QTranslator programma_, qt_;
};

// The window after the typical first use: a few words sorted.
void preparaTesto(MainForm& f, bool inglese) {
    f.Txt_Orig()->impostaTesto(
        inglese ? QStringLiteral("pear apple; banana  kiwi; orange; tangerine lemon; strawberry "
                                 "cherry; grape apricot peach; plum; pomegranate; fig")
                : QStringLiteral("pera mela; banana  kiwi; arancia; mandarino limone; fragola "
                                 "ciliegia; uva albicocca pesca; susina; melograno; fico"));
    f.menu().MenuConverti->trigger();
}

void aspetta() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Opens a menu of the bar, as a click on its title would.
QMenu* apriMenu(MainForm& f, QMenu* menu) {
    f.menuBar()->setActiveAction(menu->menuAction());
    aspetta();
    return menu;
}

QMenu* apriColori(MainForm& f) {
    QMenu* opzioni = apriMenu(f, f.menu().MenuOpzioni);
    QMenu* colori = f.menu().MenuColori0;
    opzioni->setActiveAction(colori->menuAction());
    const QRect voce = opzioni->actionGeometry(colori->menuAction());
    colori->popup(opzioni->mapToGlobal(voce.topRight()));
    aspetta();
    return colori;
}

// Sets up a scene; returns the widget that shows it.
QWidget* scena(MainForm& f, QString nome) {
    const bool inglese = nome.endsWith(QLatin1String("-en"));
    if (inglese)
        nome.chop(3);
    preparaTesto(f, inglese);
    f.show();
    f.activateWindow();
    aspetta();
    if (nome == QLatin1String("mainform"))
        return &f;
    if (nome == QLatin1String("mainform-acapo")) {
        f.Slider()->setValue(40);
        f.menu().MenuACapo->trigger();
        aspetta();
        return &f;
    }
    if (nome == QLatin1String("menu-file"))
        return apriMenu(f, f.menu().MenuFile);
    if (nome == QLatin1String("menu-opzioni"))
        return apriMenu(f, f.menu().MenuOpzioni);
    if (nome == QLatin1String("menu-colori"))
        return apriColori(f);
    if (nome == QLatin1String("menu-ordine"))
        return apriMenu(f, f.menu().MenuOrdine);
    if (nome == QLatin1String("separatori")) {
        f.menu().MenuSeparatori->trigger();
        aspetta();
        return f.separatori();
    }
    return nullptr;
}

// The real dialogs, but "Apri..." answers with the file given.
class DialoghiConFile : public DialoghiQt {
public:
    explicit DialoghiConFile(QString file) : file_(std::move(file)) {}
    std::optional<QString> apriFile(QWidget*, const OpzioniFile&) override { return file_; }

private:
    QString file_;
};

int apri(const QString& file) {
    auto* f = new MainForm(std::make_unique<DialoghiConFile>(file), QString());
    f->impostaUscita([] { QCoreApplication::exit(0); });
    QTimer::singleShot(500, f, [f] {
        f->menu().MenuApri->trigger();
        aspetta();
        std::printf("fine\n");
        std::fflush(stdout);
        QTimer::singleShot(4000, f, [f] {
            f->Txt_Ordine()->verticalScrollBar()->setValue(0);
            aspetta();
            std::printf("cima\n");
            std::fflush(stdout);
        });
    });
    f->show();
    return QApplication::exec();
}

const QStringList Scene = {
    QStringLiteral("mainform"),     QStringLiteral("mainform-acapo"), QStringLiteral("menu-file"),
    QStringLiteral("menu-opzioni"), QStringLiteral("menu-colori"),    QStringLiteral("menu-ordine"),
    QStringLiteral("separatori"),   QStringLiteral("mainform-en"),
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();

    if (argomenti.size() == 3 && argomenti[1] == QLatin1String("--mostra")) {
        const LinguaScena lingua(argomenti[2]);
        auto* f = new MainForm(nullptr, QString());
        f->impostaUscita([] { QCoreApplication::exit(0); });
        // Give the window manager time to map the window before a menu opens.
        QTimer::singleShot(500, f, [f, nome = argomenti[2]] {
            if (!scena(*f, nome))
                QCoreApplication::exit(2);
        });
        f->show();
        return QApplication::exec();
    }

    if (argomenti.size() == 3 && argomenti[1] == QLatin1String("--apri"))
        return apri(argomenti[2]);

    if (argomenti.size() != 2) {
        std::fprintf(stderr, "uso: %s CARTELLA | --mostra SCENA | --apri FILE\n", argv[0]);
        return 2;
    }
    const QDir cartella(argomenti[1]);
    if (!QDir().mkpath(cartella.path()))
        return 1;
    for (const QString& nome : Scene) {
        const LinguaScena lingua(nome);
        MainForm f(nullptr, QString());
        QWidget* w = scena(f, nome);
        if (!w || !w->grab().save(cartella.filePath(nome + QStringLiteral(".png"))))
            return 1;
        if (auto* menu = qobject_cast<QMenu*>(w))
            menu->hide();
    }
    // The window icon at a size where its drawing can be checked.
    if (!QPixmap::fromImage(disegnaIcona(128)).save(cartella.filePath(QStringLiteral("icona.png"))))
        return 1;
    return 0;
}
