#include "BarraStato.h"
#include "Controlli.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "Impostazioni.h"
#include "MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool scrivi(const QString& percorso, const QByteArray& byte) {
    QDir().mkpath(QFileInfo(percorso).path());
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

// Everything a user can see of the choices, one "name=value" each.
QStringList stato(const MainForm& f) {
    QStringList s;
    for (const QAction* a : f.menuBar()->findChildren<QAction*>()) {
        if (a->isCheckable())
            s << a->objectName() + '=' + QString::number(a->isChecked()) +
                     QString::number(a->isEnabled());
    }
    const Frm_SepElenco* dlg = f.separatori();
    for (int i = 0; i < Motore::NumSeparatori; ++i)
        s << QStringLiteral("sep%1=%2%3")
                 .arg(i)
                 .arg(dlg->Chk_Separa(i)->isChecked())
                 .arg(dlg->Opt_Separatore_Out(i)->isChecked());
    s << QStringLiteral("dialogo=%1%2%3")
             .arg(dlg->Chk_Spazio()->isChecked())
             .arg(dlg->Opt_Capo(1)->isChecked())
             .arg(dlg->Opt_Ultimo(1)->isChecked());
    for (int n = 1; n <= 4; ++n)
        s << QStringLiteral("pannello%1=%2 %3")
                 .arg(n)
                 .arg(f.STBar()->pannello(n)->isEnabled())
                 .arg(f.STBar()->pannello(n)->text());
    s << QStringLiteral("caratteri=%1 %2 %3")
             .arg(f.Num_Caratteri())
             .arg(f.Slider()->value())
             .arg(f.Slider()->isVisibleTo(&f));
    for (const CasellaTesto* c : {f.Txt_Orig(), f.Txt_Ordine()})
        s << c->objectName() + '=' + c->sfondo().name() + ' ' + c->coloreTesto().name();
    s << QStringLiteral("posizione=%1,%2").arg(f.geometry().x()).arg(f.geometry().y());
    return s;
}

} // namespace

class TestImpostazioni : public QObject {
    Q_OBJECT
    // The user's configuration folder of each test, empty at its start.
    std::unique_ptr<QTemporaryDir> config;
    FintiDialoghi* d = nullptr;

    QString file() const { return config->filePath(QStringLiteral("quorla/quorla.conf")); }
    std::unique_ptr<MainForm> avvia() {
        auto dialoghi = std::make_unique<FintiDialoghi>();
        d = dialoghi.get();
        auto f = std::make_unique<MainForm>(std::move(dialoghi));
        f->impostaUscita([] {});
        f->show();
        return f;
    }
    // Where the next "Apri..." would start.
    QString cartellaApri(MainForm& f) {
        d->rispostaApri.reset();
        f.menu().MenuApri->trigger();
        return d->aperture.last().cartella;
    }

private slots:
    void init() {
        config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
    }
    void cleanup() { config.reset(); }

    // Every choice survives a restart, under the keys the README lists.
    void giroCompleto() {
        QCOMPARE(percorsoImpostazioni(), file());
        QStringList iniziale;
        {
            std::unique_ptr<MainForm> f = avvia();
            iniziale = stato(*f);
            f->menu().MenuFine->trigger();
        }
        QVERIFY(!QFile::exists(file())); // a run that changes nothing leaves no file
        QStringList prima;
        Motore::Opzioni opzioniPrima;
        QTemporaryDir documenti;
        {
            std::unique_ptr<MainForm> f = avvia();
            const MainForm::VociMenu& m = f->menu();
            for (QAction* a : {m.MenuInverti, m.MenuNumeriNaturali, m.MenuMaiuscole[1],
                               m.MenuIgnoraPunteggiatura, m.MenuIgnoraArticoli, m.MenuDoppioni[4],
                               m.MenuSimili, m.MenuPerFrequenza, m.MenuLingua[3]})
                a->trigger();
            d->rispostaNumero = 7;
            m.MenuIntestazione->trigger();
            Frm_SepElenco* dlg = f->separatori();
            dlg->Chk_Separa(0)->setChecked(false);
            dlg->Chk_Separa(1)->setChecked(true);
            dlg->Opt_Separatore_Out(5)->setChecked(true);
            dlg->Chk_Spazio()->setChecked(true);
            dlg->Opt_Capo(1)->setChecked(true);
            dlg->Opt_Ultimo(1)->setChecked(true);
            dlg->Cmd_OK()->click();
            f->Slider()->setValue(33);
            m.MenuACapo->trigger();
            m.MenuCopiaAppunti->trigger();
            d->rispostaColore = QColor(10, 20, 30);
            m.MenuColori[0]->trigger();
            d->rispostaColore = QColor(200, 100, 0);
            m.MenuColori[1]->trigger();
            d->rispostaApri = documenti.filePath(QStringLiteral("non c'è.txt"));
            m.MenuApri->trigger();
            f->setGeometry(QRect(QPoint(7, 9), f->size()));
            m.MenuFine->trigger();
            prima = stato(*f);
            opzioniPrima = f->opzioni();
        }
        QCOMPARE(prima.size(), iniziale.size());
        // Every one of them was changed, but the items of a group left unchecked.
        for (int i = 0; i < prima.size(); ++i)
            QVERIFY2(prima[i] != iniziale[i] || prima[i].endsWith("=01") ||
                         prima[i].startsWith("sep"),
                     qPrintable(prima[i]));
        std::unique_ptr<MainForm> f = avvia();
        QCOMPARE(stato(*f), prima);
        QVERIFY(f->opzioni() == opzioniPrima && opzioniPrima.ordine.intestazione == 7);
        QCOMPARE(cartellaApri(*f), documenti.path());

        QSettings letto(file(), QSettings::IniFormat);
        QStringList chiavi = letto.allKeys();
        chiavi.sort();
        QCOMPARE(chiavi.join(' '),
                 "finestra/aCapo finestra/caratteri finestra/cartella finestra/coloreTesto "
                 "finestra/copia finestra/posizione finestra/sfondo ordine/doppioni "
                 "ordine/ignoraArticoli ordine/ignoraPunteggiatura ordine/intestazione "
                 "ordine/lingua ordine/maiuscole ordine/numeriNaturali ordine/perFrequenza "
                 "ordine/simili ordine/verso separatori/fineRiga separatori/fineTesto "
                 "separatori/ingresso separatori/spazioDopo separatori/uscita versione");
        QStringList valori;
        for (const char* chiave :
             {"versione", "ordine/verso", "ordine/doppioni", "ordine/lingua", "ordine/maiuscole",
              "separatori/ingresso", "separatori/uscita", "separatori/fineRiga",
              "finestra/caratteri", "finestra/sfondo", "finestra/posizione"})
            valori << letto.value(chiave).toString();
        QCOMPARE(valori.join(' '),
                 "1 inverti conta de prima invio,punto-e-virgola virgola uscita 33 #0a141e 7,9");
    }

    // "Ripristina impostazioni iniziali": a first run's window at once, the text sorted
    // anew; so it starts the next time.
    void ripristina() {
        std::unique_ptr<MainForm> f = avvia();
        QTemporaryDir altrove;
        const QString iniziale = cartellaApri(*f);
        QCOMPARE(iniziale, QCoreApplication::applicationDirPath());
        const QStringList primo = stato(*f);
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a c"));
        d->rispostaColore = QColor(10, 20, 30);
        f->menu().MenuColori[1]->trigger();
        d->rispostaSalva = altrove.filePath(QStringLiteral("v.txt"));
        f->menu().MenuSalvaNome->trigger();
        for (QAction* a : {f->menu().MenuDecrescente, f->menu().MenuDoppioni[2],
                           f->menu().MenuACapo, f->menu().MenuCopiaAppunti})
            a->trigger();
        f->move(3, 4);
        QCOMPARE(cartellaApri(*f), altrove.path());
        f->menu().MenuRipristina->trigger();
        QCOMPARE(stato(*f), primo);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b;c"));
        QCOMPARE(cartellaApri(*f), iniziale);
        f = avvia();
        QCOMPARE(stato(*f), primo);
        QVERIFY(f->opzioni() == Motore::Opzioni{} && d->messaggi.isEmpty());
    }

    // A file the program cannot use: start values for what is wrong, a note for each, no box;
    // the first change then writes a good file.
    void fileInservibile_data() {
        QTest::addColumn<QByteArray>("contenuto"); // "DIR": a folder in the file's place
        QTest::addColumn<QStringList>("note");
        QTest::addColumn<bool>("parziale");
        const QString tutto = "quorla: %1; si usano quelle iniziali";
        QTest::newRow("danneggiato")
            << QByteArray("\x00\x01\xff[[[\n=\nversione=1\n[ordine\nverso=decrescente\n", 44)
            << QStringList{tutto.arg("il file delle impostazioni .* è danneggiato")} << false;
        QTest::newRow("cartella") << QByteArray("DIR")
                                  << QStringList{tutto.arg("impossibile leggere le impostazioni "
                                                           "in .*"),
                                                 "quorla: impossibile scrivere le impostazioni "
                                                 "in .*"}
                                  << false;
        const QString versione = tutto.arg("il file delle impostazioni .* è di un'altra versione "
                                           "del programma");
        QTest::newRow("altra versione") << QByteArray("versione=2\n[ordine]\nverso=decrescente\n")
                                        << QStringList{versione} << false;
        QTest::newRow("senza versione")
            << QByteArray("[ordine]\nverso=decrescente\n") << QStringList{versione} << false;
        QTest::newRow("vuoto") << QByteArray() << QStringList() << false;
        QTest::newRow("fuori schermo")
            << QByteArray("versione=1\n[finestra]\nposizione=5000,5000\n") << QStringList()
            << false;
        QStringList note;
        for (const char* c :
             {"ordine/verso", "ordine/numeriNaturali", "ordine/intestazione", "ordine/lingua",
              "separatori/ingresso", "finestra/caratteri", "finestra/sfondo", "finestra/posizione"})
            note << QStringLiteral("quorla: valore non valido per %1 in .*; si usa quello "
                                   "iniziale")
                        .arg(c);
        QTest::newRow("fuori dai limiti")
            << QByteArray("versione=1\n[ordine]\nverso=sottosopra\nnumeriNaturali=forse\n"
                          "simili=true\nintestazione=100\nlingua=xx\n[separatori]\n"
                          "ingresso=spazio,niente\nuscita=virgola\n[finestra]\ncaratteri=0\n"
                          "sfondo=giallo\ncoloreTesto=#102030\nposizione=1e9,3\n")
            << note << true;
    }
    void fileInservibile() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QStringList, note);
        QFETCH(bool, parziale);
        if (contenuto == "DIR")
            QVERIFY(QDir().mkpath(file()));
        else
            QVERIFY(scrivi(file(), contenuto));
        for (const QString& nota : note)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression('^' + nota + '$'));
        std::unique_ptr<MainForm> f = avvia();
        Motore::Opzioni attese;
        if (parziale) {
            attese.ordine.simili = true;
            attese.uscita = Motore::indice(Motore::Sep::Virgola);
        }
        QVERIFY(f->opzioni() == attese);
        QCOMPARE(f->Num_Caratteri(), 50);
        QCOMPARE(f->Txt_Orig()->coloreTesto(),
                 parziale ? QColor(0x10, 0x20, 0x30)
                          : QApplication::palette().color(QPalette::WindowText));
        QCOMPARE(f->Txt_Orig()->sfondo(), CasellaTesto::sfondoPredefinito());
        const QRect centrato = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, f->size(),
                                                   f->screen()->availableGeometry());
        QCOMPARE(f->geometry(), centrato);

        f->menu().MenuDecrescente->trigger();
        QCOMPARE(d->messaggi.size(), qsizetype(contenuto == "DIR"));
        if (contenuto == "DIR")
            return;
        f = avvia();
        QVERIFY(f->opzioni().ordine.verso == Motore::Verso::Decrescente);
    }

    // A folder that cannot be made: the program works, says so once, and notes each failure.
    void nonScrivibile() {
        const QString bloccata = config->filePath(QStringLiteral("file"));
        QVERIFY(scrivi(bloccata, "x"));
        qputenv("XDG_CONFIG_HOME", bloccata.toLocal8Bit());
        const QString percorso = bloccata + QStringLiteral("/quorla/quorla.conf");
        std::unique_ptr<MainForm> f = avvia();
        f->Txt_Orig()->impostaTesto(QStringLiteral("a b"));
        const QRegularExpression nota("^quorla: impossibile scrivere le impostazioni in " +
                                      QRegularExpression::escape(percorso) + '$');
        for (int i = 0; i < 4; ++i)
            QTest::ignoreMessage(QtWarningMsg, nota);
        f->menu().MenuDecrescente->trigger();
        f->menu().MenuCopiaAppunti->trigger();
        f->menu().MenuACapo->trigger();
        f->menu().MenuFine->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("b;a"));
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo + '|' + d->messaggi[0].titolo + '|' +
                     QString::number(d->messaggi[0].flags, 16),
                 "Attenzione, Impossibile salvare le impostazioni nel file " + percorso +
                     ": le scelte fatte valgono solo fino alla chiusura del programma.|Quorla!|"
                     "10030");
    }

    // Where the file dialogs first open: the program's folder only where the user may write.
    void primaCartella_data() {
        QTest::addColumn<bool>("programmaScrivibile");
        QTest::addColumn<bool>("documenti");
        QTest::newRow("programma") << true << true;
        QTest::newRow("documenti") << false << true;
        QTest::newRow("casa") << false << false;
    }
    void primaCartella() {
        QFETCH(bool, programmaScrivibile);
        QFETCH(bool, documenti);
        QTemporaryDir altra;
        const QString doc = altra.filePath(QStringLiteral("Documenti"));
        if (documenti)
            QVERIFY(QDir().mkpath(doc));
        QVERIFY(scrivi(config->filePath(QStringLiteral("user-dirs.dirs")),
                       "XDG_DOCUMENTS_DIR=\"" + doc.toUtf8() + "\"\n"));
        // Even root may not write in a folder that does not exist.
        const QString programma = programmaScrivibile ? altra.path() : altra.filePath("non c'è");
        QCOMPARE(cartellaIniziale(programma), programmaScrivibile ? programma
                                              : documenti         ? doc
                                                                  : QDir::homePath());
    }
};

QTEST_MAIN(TestImpostazioni)
#include "tst_Impostazioni.moc"
