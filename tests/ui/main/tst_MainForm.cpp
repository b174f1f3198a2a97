#include "BarraStato.h"
#include "Controlli.h"
#include "Dichiarazioni.h"
#include "Disegni.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"
#include "VersioneQuorla.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <random>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using Dichiarazioni::Num_Caratteri;
using Dichiarazioni::Opz_Ordine;

namespace {

const QString Pannello1Predefinito = QStringLiteral("Separatori testo inserito: \"Spazio\" ;");
const QString Pannello2Predefinito = QStringLiteral("Separatore testo elaborato: ;");

QString appunti() {
    return QGuiApplication::clipboard()->text();
}

bool tuttoSelezionato(const CasellaTesto* casella) {
    const QTextCursor c = casella->textCursor();
    return c.selectionStart() == 0 && c.selectionEnd() == casella->document()->characterCount() - 1;
}

QPoint centroManiglia(QSlider* slider) {
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.singleStep = slider->singleStep();
    opt.pageStep = slider->pageStep();
    opt.subControls = QStyle::SC_All;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider)
        .center();
}

// The ordering options as the menu sets them, the seed left out.
QList<int> campi(const Dichiarazioni::Opzioni_Ordine& o) {
    return {int(o.verso),     o.numeriNaturali, int(o.maiuscole), o.ignoraPunteggiatura,
            o.ignoraArticoli, int(o.doppioni),  o.lingua,         o.mescola};
}

// What the engine gives for the input with the options as they stand now.
QString ordinato(const QString& testo) {
    QString uscita;
    Dichiarazioni::Elabora_Testo_Flusso(testo, false, [&](QStringView pezzo) { uscita += pezzo; });
    return uscita;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainForm> f;
    FintiDialoghi* d = nullptr;
    int uscite = 0;
    int editorAvviati = 0;

    const MainForm::VociMenu& m() const { return f->menu(); }
    QLabel* pannello(int n) const { return f->STBar()->pannello(n); }

    void scrivi(CasellaTesto* casella, const QString& testo) {
        casella->setFocus();
        QTest::keyClicks(casella, testo);
    }
    void premi(QWidget* w, Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QTest::keyClick(w, tasto, mod);
    }
    QStringList righeUscita() const { return f->testoOrdine().split(QStringLiteral("\r\n")); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void init() {
        auto dialoghi = std::make_unique<FintiDialoghi>();
        d = dialoghi.get();
        f = std::make_unique<MainForm>(std::move(dialoghi));
        uscite = 0;
        editorAvviati = 0;
        f->impostaUscita([this] { ++uscite; });
        f->impostaAvvioEditor([this] {
            ++editorAvviati;
            return true;
        });
        QGuiApplication::clipboard()->setText(QStringLiteral("appunti di prima"));
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    void cleanup() { f.reset(); }

    void avvio() {
        QCOMPARE(f->windowTitle(), QStringLiteral("Brivetanzia alfabetico"));
        QVERIFY(!f->windowIcon().isNull());
        QCOMPARE(f->testoOrig(), QString());
        QCOMPARE(f->testoOrdine(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(!f->Slider()->isVisible());
        QCOMPARE(f->Slider()->value(), 50);
        QCOMPARE(Num_Caratteri, 50);
        QCOMPARE(pannello(1)->text(), Pannello1Predefinito);
        QCOMPARE(pannello(2)->text(), Pannello2Predefinito);
        QCOMPARE(pannello(3)->text(), QStringLiteral("A CAPO"));
        QCOMPARE(pannello(4)->text(), QStringLiteral("COPIA"));
        QCOMPARE(pannello(5)->text(), QStringLiteral("BLOC MAIUSC"));
        QVERIFY(!pannello(3)->isEnabled());
        QVERIFY(!pannello(4)->isEnabled());
        QVERIFY(!m().MenuACapo->isChecked());
        QVERIFY(!m().MenuCopiaAppunti->isChecked());
        QVERIFY(f->separatori() != nullptr);
        QVERIFY(!f->separatori()->isVisible());
        QVERIFY(f->separatori()->Chk_Separa(0)->isChecked());
        QVERIFY(f->separatori()->Chk_Separa(3)->isChecked());
        QVERIFY(f->separatori()->Opt_Separatore_Out(3)->isChecked());
    }

    void finestraFissaECentrata() {
        QCOMPARE(f->centralWidget()->size(), QSize(672, 522));
        QCOMPARE(f->centralWidget()->geometry().bottom(), f->height() - 1);
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QVERIFY(!(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(f->windowFlags() & Qt::WindowCloseButtonHint);
        const QPoint centroSchermo = f->screen()->availableGeometry().center();
        QVERIFY((f->geometry().center() - centroSchermo).manhattanLength() <= 2);
    }

    void disposizione_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QRect>("rettangolo");
        QTest::newRow("righello 0") << "Img_Righello_0" << QRect(24, 16, 624, 47);
        QTest::newRow("ingresso") << "Txt_Orig" << QRect(24, 64, 625, 169);
        QTest::newRow("righello 1") << "Img_Righello_1" << QRect(24, 256, 624, 47);
        QTest::newRow("uscita") << "Txt_Ordine" << QRect(24, 304, 625, 169);
        QTest::newRow("slider") << "Slider" << QRect(22, 472, 610, 17);
        QTest::newRow("barra di stato") << "STBar" << QRect(0, 505, 672, 17);
    }

    void disposizione() {
        QFETCH(QString, nome);
        QFETCH(QRect, rettangolo);
        auto* w = f->centralWidget()->findChild<QWidget*>(nome);
        QVERIFY(w);
        QCOMPARE(w->geometry(), rettangolo);
    }

    void pannelli() {
        const QList<int> larghezze = {313, 153, 47, 47, 87};
        int x = -1;
        for (int n = 1; n <= BarraStato::NumPannelli; ++n) {
            QCOMPARE(pannello(n)->width(), larghezze[n - 1]);
            QCOMPARE(pannello(n)->height(), f->STBar()->height());
            QVERIFY(pannello(n)->x() > x);
            x = pannello(n)->geometry().right();
        }
        QVERIFY(x < f->STBar()->width());
        // The fixed texts can be read whole.
        for (int n = 3; n <= 5; ++n) {
            const QFontMetrics metriche(pannello(n)->font());
            QVERIFY2(metriche.horizontalAdvance(pannello(n)->text()) <
                         pannello(n)->contentsRect().width(),
                     qPrintable(pannello(n)->text()));
        }
    }

    void caselle() {
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), QColor(255, 255, 192));
            QCOMPARE(c->coloreTesto(), QApplication::palette().color(QPalette::WindowText));
            QVERIFY(!c->isReadOnly());
        }
        QCOMPARE(f->Txt_Orig()->toolTip(), QStringLiteral("Inserire il testo da ordinare"));
        QCOMPARE(f->Txt_Ordine()->toolTip(), QStringLiteral("Testo ordinato"));
        QCOMPARE(f->Img_Righello(0)->immagine(), f->Img_Righello(1)->immagine());
        QCOMPARE(f->Img_Righello(0)->immagine(), disegnaRighello());
    }

    void menu_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("voci");
        QTest::newRow("File") << "&File"
                              << QStringList{"Nuovo|Ctrl+N",
                                             "Apri...|Ctrl+F12",
                                             "Salva con nome...|",
                                             "-",
                                             "Quorla testo|Ctrl+O",
                                             "Blocco Note|Ctrl+B",
                                             "-",
                                             "Fine|Ctrl+X"};
        QTest::newRow("Opzioni") << "&Opzioni"
                                 << QStringList{"Imposta separatori lista|Ctrl+S",
                                                "Imposta numero caratteri |Ctrl+I",
                                                "-",
                                                "Copia automaticamente negli Appunti|Ctrl+C",
                                                "-",
                                                "Imposta Colori|"};
        QTest::newRow("Imposta Colori") << "Imposta Colori"
                                        << QStringList{"Colore sfondo|", "Colore testo|", "-",
                                                       "Ripristina valori predefiniti|"};
        QTest::newRow("?") << "&?" << QStringList{"Informazioni su...|F1"};
    }

    void menu() {
        QFETCH(QString, menu);
        QFETCH(QStringList, voci);
        QMenu* trovato = nullptr;
        for (QMenu* candidato : f->menuBar()->findChildren<QMenu*>()) {
            if (candidato->title() == menu)
                trovato = candidato;
        }
        QVERIFY(trovato);
        QStringList effettive;
        for (const QAction* a : trovato->actions()) {
            if (a->isSeparator())
                effettive.append(QStringLiteral("-"));
            else
                effettive.append(a->text() + QLatin1Char('|') +
                                 a->shortcut().toString(QKeySequence::PortableText));
            QVERIFY(a->isEnabled());
            QVERIFY(a->isVisible());
            QVERIFY(!a->isChecked());
        }
        QCOMPARE(effettive, voci);
    }

    void menuPrincipali() {
        QStringList titoli;
        for (const QAction* a : f->menuBar()->actions())
            titoli.append(a->text());
        QCOMPARE(titoli, (QStringList{"&File", "&Opzioni", "O&rdine", "&?"}));
    }

    void menuOrdine() {
        QStringList voci; // "text|x" when checked
        QSet<QString> tasti;
        for (const QAction* a : m().MenuOrdine->actions()) {
            if (a->isSeparator())
                continue;
            voci << a->text() + (a->isChecked() ? "|x" : "|");
            QVERIFY2(a->toolTip().size() > a->text().size(), qPrintable(a->text()));
            tasti.insert(a->text().mid(a->text().indexOf('&'), 2).toLower());
        }
        QCOMPARE(voci, (QStringList{"&Crescente|x", "&Decrescente|", "&Numeri in ordine naturale|",
                                    "&Maiuscole e minuscole|", "Ignora &punteggiatura e spazi|",
                                    "Ignora &articoli iniziali|", "&Elimina doppioni|", "&Lingua|",
                                    "Me&scola|"}));
        QCOMPARE(tasti.size(), voci.size());
        QVERIFY(m().MenuOrdine->toolTipsVisible());
        QCOMPARE(m().MenuLingua.last()->text(), "Codici Unicode");
    }

    // Rows: the items triggered in turn, then the options expected as campi().
    void voceOrdine_data() {
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QList<int>>("attese");
        const QString unicode =
            QStringLiteral("MenuLingua_%1").arg(Dichiarazioni::LinguaCodiciUnicode());
        const auto riga = [](const char* nome, QStringList voci, QList<int> attese) {
            QTest::newRow(nome) << voci << attese;
        };
        riga("Decrescente", {"MenuDecrescente"}, {1, 0, 0, 0, 0, 0, 0, 0});
        riga("numeri", {"MenuNumeriNaturali"}, {0, 1, 0, 0, 0, 0, 0, 0});
        riga("punteggiatura", {"MenuIgnoraPunteggiatura"}, {0, 0, 0, 1, 0, 0, 0, 0});
        riga("articoli", {"MenuIgnoraArticoli"}, {0, 0, 0, 0, 1, 0, 0, 0});
        riga("doppioni", {"MenuDoppioni_2", "MenuDoppioni_1"}, {0, 0, 0, 0, 0, 1, 0, 0});
        riga("tutto",
             {"MenuDecrescente", "MenuMaiuscole_1", "MenuMaiuscole_2", "MenuDoppioni_2",
              "MenuLingua_1", unicode, "MenuMescola"},
             {1, 0, 2, 0, 0, 2, Dichiarazioni::LinguaCodiciUnicode(), 1});
    }

    void voceOrdine() {
        QFETCH(QStringList, voci);
        QFETCH(QList<int>, attese);
        Opz_Ordine.seme = 7; // the same shuffle every run
        const QString testo = QStringLiteral("c10 B l'a il b a c9 A b, c10");
        for (const QString& nome : voci) {
            // Each change sorts the current input afresh.
            f->Txt_Orig()->impostaTesto(testo);
            f->findChild<QAction*>(nome)->trigger();
            QCOMPARE(f->testoOrdine(), ordinato(testo));
        }
        QCOMPARE(campi(Opz_Ordine), attese);
        // Shuffling overrides the direction, whose items grey out meanwhile.
        QCOMPARE(m().MenuCrescente->isEnabled(), !attese[7]);
        QCOMPARE(m().MenuDecrescente->isEnabled(), !attese[7]);
    }

    void ordinePredefinitoAOgniAvvio() {
        m().MenuMescola->trigger();
        MainForm altra(std::make_unique<FintiDialoghi>());
        QCOMPARE(campi(Opz_Ordine), campi({}));
        QVERIFY(altra.menu().MenuCrescente->isChecked() && altra.menu().MenuCrescente->isEnabled());
    }

    void stradaTipica() {
        scrivi(f->Txt_Orig(), QStringLiteral("pera mela; banana  kiwi"));
        QCOMPARE(f->testoOrig(), QStringLiteral("pera mela; banana  kiwi"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrdine(), QStringLiteral("banana;kiwi;mela;pera"));
        QVERIFY(tuttoSelezionato(f->Txt_Ordine()));
        QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
        QCOMPARE(appunti(), QStringLiteral("appunti di prima"));
    }

    void ordineTab_data() {
        QTest::addColumn<bool>("aCapo");
        QTest::newRow("slider nascosto") << false;
        QTest::newRow("slider visibile") << true;
    }

    void ordineTab() {
        QFETCH(bool, aCapo);
        if (aCapo)
            m().MenuACapo->trigger();
        f->Txt_Orig()->setFocus();
        premi(f->Txt_Orig(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
        QCOMPARE(f->testoOrig(), QString());
        premi(f->Txt_Ordine(), Qt::Key_Tab);
        QWidget* atteso = aCapo ? static_cast<QWidget*>(f->Slider()) : f->Txt_Orig();
        QCOMPARE(QApplication::focusWidget(), atteso);
    }

    void acceleratori_data() {
        QTest::addColumn<int>("casella");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("modificatori");
        QTest::addColumn<QString>("effetto");
        const QList<std::tuple<const char*, int, int, const char*>> tasti = {
            {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, "nuovo"},
            {"Ctrl+F12", Qt::Key_F12, Qt::ControlModifier, "apri"},
            {"Ctrl+O", Qt::Key_O, Qt::ControlModifier, "converti"},
            {"Ctrl+B", Qt::Key_B, Qt::ControlModifier, "editor"},
            {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "fine"},
            {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, "separatori"},
            {"Ctrl+I", Qt::Key_I, Qt::ControlModifier, "acapo"},
            {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "copia"},
            {"F1", Qt::Key_F1, Qt::NoModifier, "informazioni"},
        };
        for (int casella = 0; casella < 2; ++casella) {
            for (const auto& [nome, tasto, mod, effetto] : tasti) {
                QTest::addRow("%s in %s", nome, casella == 0 ? "ingresso" : "uscita")
                    << casella << tasto << mod << QString::fromLatin1(effetto);
            }
        }
    }

    void acceleratori() {
        QFETCH(int, casella);
        QFETCH(int, tasto);
        QFETCH(int, modificatori);
        QFETCH(QString, effetto);

        scrivi(f->Txt_Orig(), QStringLiteral("b a"));
        f->Txt_Ordine()->impostaTesto(QStringLiteral("x y"));
        CasellaTesto* fuoco = casella == 0 ? f->Txt_Orig() : f->Txt_Ordine();
        fuoco->setFocus();
        fuoco->selectAll();
        const QString testoFuoco = fuoco->testo();

        QTest::keyClick(fuoco, Qt::Key(tasto), Qt::KeyboardModifiers(modificatori));

        // The box never got the key: nothing copied, cut or typed.
        QCOMPARE(appunti(), QStringLiteral("appunti di prima"));
        if (effetto == "nuovo") {
            QCOMPARE(f->testoOrig(), QString());
            QCOMPARE(f->testoOrdine(), QString());
            QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        } else if (effetto == "converti" || effetto == "acapo") {
            QCOMPARE(f->testoOrdine(), QStringLiteral("a;b"));
            QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
            QCOMPARE(m().MenuACapo->isChecked(), effetto == "acapo");
            QCOMPARE(f->Slider()->isVisible(), effetto == "acapo");
            QCOMPARE(pannello(3)->isEnabled(), effetto == "acapo");
        } else {
            QCOMPARE(fuoco->testo(), testoFuoco);
            QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        }
        QCOMPARE(d->aperture.size(), effetto == "apri" ? 1 : 0);
        QCOMPARE(editorAvviati, effetto == "editor" ? 1 : 0);
        QCOMPARE(uscite, effetto == "fine" ? 1 : 0);
        QCOMPARE(f->separatori()->isVisible(), effetto == "separatori");
        QCOMPARE(f->isEnabled(), effetto != "separatori");
        QCOMPARE(m().MenuCopiaAppunti->isChecked(), effetto == "copia");
        QCOMPARE(pannello(4)->isEnabled(), effetto == "copia");
        QCOMPARE(d->messaggi.size(), effetto == "informazioni" ? 1 : 0);
        if (effetto == "informazioni")
            QCOMPARE(d->messaggi[0].flags, 0x10040u);
    }

    void digitareSvuotaUscita() {
        scrivi(f->Txt_Orig(), QStringLiteral("b a"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b"));
        scrivi(f->Txt_Orig(), QStringLiteral("c"));
        QCOMPARE(f->testoOrdine(), QString());
        // Only a sort fills it again.
        QTest::qWait(20);
        QCOMPARE(f->testoOrdine(), QString());
        f->Txt_Orig()->impostaTesto(QStringLiteral("z"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        f->Txt_Orig()->moveCursor(QTextCursor::End);
        premi(f->Txt_Orig(), Qt::Key_Backspace);
        QCOMPARE(f->testoOrdine(), QString());
    }

    void aCapoAcceseSpento() {
        const QString parole =
            QStringLiteral("alfa beta gamma delta epsilon zeta eta theta iota kappa "
                           "lambda mu nu xi omicron");
        f->Txt_Orig()->impostaTesto(parole);
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        const QString unito = f->testoOrdine();
        QVERIFY(unito.size() > 50);
        QVERIFY(!unito.contains(QStringLiteral("\r\n")));

        premi(f->Txt_Ordine(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(m().MenuACapo->isChecked());
        QVERIFY(f->Slider()->isVisible());
        QVERIFY(pannello(3)->isEnabled());
        const QStringList righe = righeUscita();
        QVERIFY(righe.size() > 1);
        for (const QString& riga : righe)
            QVERIFY2(riga.size() <= 51, qPrintable(riga)); // a line, then " " before the break

        premi(f->Txt_Ordine(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!m().MenuACapo->isChecked());
        QVERIFY(!f->Slider()->isVisible());
        QVERIFY(!pannello(3)->isEnabled());
        QCOMPARE(f->testoOrdine(), unito);
    }

    void clicSlider_data() {
        QTest::addColumn<QString>("modo");
        QTest::newRow("freccia destra") << "destra";
        QTest::newRow("pagina giu") << "paginagiu";
        QTest::newRow("clic sulla maniglia") << "maniglia";
        QTest::newRow("clic sul binario") << "binario";
    }

    void clicSlider() {
        QFETCH(QString, modo);
        f->Txt_Orig()->impostaTesto(QStringLiteral("aa bb cc dd ee ff gg hh ii ll"));
        m().MenuACapo->trigger();
        QCOMPARE(righeUscita().size(), 1);
        // Moving the slider from the program is not a click.
        f->Slider()->setValue(10);
        QCOMPARE(Num_Caratteri, 50);
        QCOMPARE(righeUscita().size(), 1);

        QSlider* s = f->Slider();
        s->setFocus();
        if (modo == "destra") {
            premi(s, Qt::Key_Right);
        } else if (modo == "paginagiu") {
            premi(s, Qt::Key_PageDown);
        } else if (modo == "maniglia") {
            QTest::mouseClick(s, Qt::LeftButton, {}, centroManiglia(s));
        } else {
            QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() * 3 / 4, s->height() / 2));
        }

        const QMap<QString, int> attesi = {{"destra", 11}, {"paginagiu", 5}, {"maniglia", 10}};
        if (attesi.contains(modo))
            QCOMPARE(s->value(), attesi[modo]);
        else
            QVERIFY(s->value() > 10);
        QCOMPARE(int(Num_Caratteri), s->value());
        const QStringList righe = righeUscita();
        QVERIFY(righe.size() > 1);
        for (const QString& riga : righe)
            QVERIFY2(riga.size() <= s->value() + 1, qPrintable(riga));
    }

    void aCapoFallito() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        m().MenuACapo->trigger();
        f->Slider()->setValue(6);
        f->Slider()->setFocus();
        premi(f->Slider(), Qt::Key_Left);
        QCOMPARE(Num_Caratteri, 5);
        QCOMPARE(righeUscita(), (QStringList{"alfa ", "beta ", "delta ", "gamma"}));
        QVERIFY(d->messaggi.isEmpty());

        int valoreDuranteMessaggio = -1;
        d->durataMessaggio = [&] { valoreDuranteMessaggio = f->Slider()->value(); };
        premi(f->Slider(), Qt::Key_Left);
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo, QStringLiteral("Impossibile formattare il testo"));
        QCOMPARE(d->messaggi[0].titolo, QStringLiteral("Quorla!"));
        QCOMPARE(d->messaggi[0].flags, 0x10030u);
        QCOMPARE(valoreDuranteMessaggio, 4);
        QCOMPARE(f->Slider()->value(), 100);
        // The engine moved the slider: no click, so the line length stays.
        QCOMPARE(Num_Caratteri, 4);
        QCOMPARE(f->testoOrdine(), QStringLiteral("alfa;beta;delta;gamma"));
        QVERIFY(tuttoSelezionato(f->Txt_Ordine()));
    }

    void cursoreAttesa_data() {
        QTest::addColumn<int>("voci");
        QTest::addColumn<bool>("attesa");
        QTest::newRow("testo breve") << 10 << false;
        QTest::newRow("testo lungo") << 12000 << true;
    }

    void cursoreAttesa() {
        QFETCH(int, voci);
        QFETCH(bool, attesa);
        QStringList parole;
        for (int i = 0; i < voci; ++i)
            parole.append(QStringLiteral("v%1").arg(i, 5, 10, QLatin1Char('0')));
        // One item too long for the lines: the run ends with the warning.
        parole.append(QString(30, QLatin1Char('z')));
        f->Txt_Orig()->impostaTesto(parole.join(QLatin1Char(' ')));
        m().MenuCopiaAppunti->trigger();
        f->Slider()->setValue(20);

        // The clipboard is written inside the run, after the warning.
        std::optional<Qt::CursorShape> cursoreCopia;
        const auto connessione =
            connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&cursoreCopia] {
                if (const QCursor* c = QApplication::overrideCursor())
                    cursoreCopia = c->shape();
            });
        bool cursoreNelMessaggio = true;
        d->durataMessaggio = [&] {
            cursoreNelMessaggio = QApplication::overrideCursor() != nullptr;
        };
        m().MenuACapo->trigger();
        disconnect(connessione);

        QCOMPARE(d->messaggi.size(), 1);
        QVERIFY(!cursoreNelMessaggio);
        QCOMPARE(cursoreCopia.has_value(), attesa);
        if (attesa)
            QCOMPARE(*cursoreCopia, Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
    }

    void copiaAppunti() {
        f->Txt_Orig()->setFocus();
        premi(f->Txt_Orig(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(m().MenuCopiaAppunti->isChecked());
        QVERIFY(pannello(4)->isEnabled());
        QCOMPARE(appunti(), QStringLiteral("appunti di prima"));

        scrivi(f->Txt_Orig(), QStringLiteral("b a"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b"));
        QCOMPARE(appunti(), QStringLiteral("a;b"));
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(!f->Txt_Ordine()->textCursor().hasSelection());

        premi(f->Txt_Orig(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!m().MenuCopiaAppunti->isChecked());
        QVERIFY(!pannello(4)->isEnabled());
        scrivi(f->Txt_Orig(), QStringLiteral(" c"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b;c"));
        QCOMPARE(appunti(), QStringLiteral("a;b"));
        QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
    }

    void copiaConACapo() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        m().MenuCopiaAppunti->trigger();
        f->Slider()->setValue(12);
        m().MenuACapo->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("alfa;beta \r\ndelta;gamma"));
        QCOMPARE(appunti(), f->testoOrdine());
        QCOMPARE(f->Txt_Ordine()->blockCount(), 2);
    }

    void doppioClic_data() {
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<QString>("uscita");
        QTest::addColumn<QString>("dopo");
        QTest::newRow("uscita vuota") << "b a"
                                      << ""
                                      << "a;b";
        QTest::newRow("uscita piena") << "b a"
                                      << "x yy z"
                                      << "x yy z";
        QTest::newRow("ingresso di soli spazi") << "   "
                                                << ""
                                                << "";
    }

    void doppioClic() {
        QFETCH(QString, ingresso);
        QFETCH(QString, uscita);
        QFETCH(QString, dopo);
        f->Txt_Orig()->impostaTesto(ingresso);
        f->Txt_Ordine()->impostaTesto(uscita);
        QWidget* area = f->Txt_Ordine()->viewport();
        const QPoint punto =
            f->Txt_Ordine()->cursorRect(QTextCursor(f->Txt_Ordine()->document())).center() +
            QPoint(area->fontMetrics().horizontalAdvance(QStringLiteral("x y")), 0);
        QTest::mouseDClick(area, Qt::LeftButton, {}, punto);
        QCOMPARE(f->testoOrdine(), dopo);
        if (!uscita.isEmpty()) {
            // The platform's own word selection.
            QCOMPARE(f->Txt_Ordine()->textCursor().selectedText(), QStringLiteral("yy"));
        } else if (dopo.isEmpty()) {
            QCOMPARE(f->testoOrig(), QString());
            QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        } else {
            QVERIFY(tuttoSelezionato(f->Txt_Ordine()));
        }
    }

    void dialogoSeparatori_data() {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("applica");
        QTest::newRow("pulsante OK") << "ok" << true;
        QTest::newRow("chiusura") << "chiusura" << true;
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("Invio") << "invio" << false;
    }

    void dialogoSeparatori() {
        QFETCH(QString, modo);
        QFETCH(bool, applica);
        Frm_SepElenco* dlg = f->separatori();
        scrivi(f->Txt_Orig(), QStringLiteral("c b,a"));
        premi(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrdine(), QStringLiteral("b,a;c"));

        premi(f->Txt_Ordine(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(dlg->isVisible());
        QVERIFY(!f->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QTest::mouseClick(dlg->Chk_Separa(5), Qt::LeftButton);
        QVERIFY(dlg->Chk_Separa(5)->isChecked());

        if (modo == "ok")
            QTest::mouseClick(dlg->Cmd_OK(), Qt::LeftButton);
        else if (modo == "chiusura")
            dlg->close();
        else
            premi(dlg->Chk_Separa(5), modo == "esc" ? Qt::Key_Escape : Qt::Key_Return);

        QCOMPARE(dlg->isVisible(), !applica);
        QCOMPARE(f->isEnabled(), applica);
        if (applica) {
            QCOMPARE(pannello(1)->text(), Pannello1Predefinito + QStringLiteral(" ,"));
            QCOMPARE(f->testoOrdine(), QStringLiteral("a;b;c"));
            QCOMPARE(f->focusWidget(), f->Txt_Orig());
            QVERIFY(QTest::qWaitForWindowActive(f.get()));
            QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        } else {
            QCOMPARE(pannello(1)->text(), Pannello1Predefinito);
            QCOMPARE(f->testoOrdine(), QStringLiteral("b,a;c"));
        }
    }

    void finestraDisabilitataColDialogo() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuSeparatori->trigger();
        QVERIFY(QTest::qWaitForWindowActive(f->separatori()));
        QVERIFY(!f->menuBar()->isEnabled());
        QVERIFY(!f->Txt_Orig()->isEnabled());
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("zz"));
        QTest::keyClick(f->Txt_Orig(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(f->separatori()->Chk_Separa(0), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        QCOMPARE(f->testoOrdine(), QString());
        QTest::mouseDClick(f->Txt_Ordine()->viewport(), Qt::LeftButton);
        QCOMPARE(f->testoOrdine(), QString());
        QVERIFY(!f->close());
        QCOMPARE(uscite, 0);
        QVERIFY(f->separatori()->isVisible());
    }

    void avvisoSopraIlDialogo() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        f->Slider()->setValue(3);
        m().MenuACapo->trigger();
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].padre, f.get());

        // The line length stays 3, so confirming the dialog fails the same way.
        m().MenuSeparatori->trigger();
        f->separatori()->Cmd_OK()->click();
        QCOMPARE(d->messaggi.size(), 2);
        QCOMPARE(d->messaggi[1].padre, f->separatori());
        QVERIFY(f->isEnabled());
        QVERIFY(!f->separatori()->isVisible());
    }

    void sceltaConservata() {
        Frm_SepElenco* dlg = f->separatori();
        m().MenuSeparatori->trigger();
        dlg->Chk_Separa(0)->setChecked(false);
        dlg->Chk_Separa(5)->setChecked(true);
        dlg->Opt_Separatore_Out(10)->setChecked(true);
        dlg->Opt_Ultimo(1)->setChecked(true);
        dlg->Cmd_OK()->click();
        const QString p1 = QStringLiteral("Separatori testo inserito: ; ,");
        const QString p2 = QStringLiteral("Separatore testo elaborato: >");
        QCOMPARE(pannello(1)->text(), p1);
        QCOMPARE(pannello(2)->text(), p2);

        f->Txt_Orig()->impostaTesto(QStringLiteral("c,b;a"));
        m().MenuConverti->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("a>b>c>"));

        m().MenuSeparatori->trigger();
        QVERIFY(!dlg->Chk_Separa(0)->isChecked());
        QVERIFY(dlg->Chk_Separa(5)->isChecked());
        QVERIFY(dlg->Opt_Separatore_Out(10)->isChecked());
        QVERIFY(dlg->Opt_Ultimo(1)->isChecked());
        dlg->Cmd_OK()->click();
        QCOMPARE(pannello(1)->text(), p1);
        QCOMPARE(pannello(2)->text(), p2);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a>b>c>"));
    }

    void colori_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("scelto");
        QTest::newRow("sfondo") << 0 << true;
        QTest::newRow("testo") << 1 << true;
        QTest::newRow("sfondo annullato") << 0 << false;
        QTest::newRow("testo annullato") << 1 << false;
    }

    void colori() {
        QFETCH(int, indice);
        QFETCH(bool, scelto);
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        // Colours chosen before stay when the dialog is cancelled.
        const QColor sfondoPrima(200, 220, 240);
        const QColor testoPrima(90, 0, 0);
        d->rispostaColore = sfondoPrima;
        m().MenuColori[0]->trigger();
        d->rispostaColore = testoPrima;
        m().MenuColori[1]->trigger();
        d->titoliColore.clear();

        const QColor nuovo(10, 120, 30);
        d->rispostaColore = scelto ? std::optional<QColor>(nuovo) : std::nullopt;
        m().MenuColori[indice]->trigger();

        QCOMPARE(d->titoliColore, QStringList{indice == 0 ? QStringLiteral("Colore sfondo")
                                                          : QStringLiteral("Colore testo")});
        const QColor sfondoAtteso = scelto && indice == 0 ? nuovo : sfondoPrima;
        const QColor testoAtteso = scelto && indice == 1 ? nuovo : testoPrima;
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), sfondoAtteso);
            QCOMPARE(c->coloreTesto(), testoAtteso);
            const QImage immagine = c->viewport()->grab().toImage();
            QCOMPARE(immagine.pixelColor(immagine.width() - 3, immagine.height() - 3),
                     sfondoAtteso);
        }
        QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        QCOMPARE(f->Img_Righello(0)->immagine(), disegnaRighello());
        QCOMPARE(f->Img_Righello(1)->immagine(), disegnaRighello());
        const QImage righello = f->Img_Righello(0)->grab().toImage();
        QCOMPARE(righello.pixelColor(1, 1), QColor(236, 233, 216));
    }

    void coloriPredefiniti() {
        d->rispostaColore = QColor(Qt::red);
        m().MenuColori[0]->trigger();
        d->rispostaColore = QColor(Qt::blue);
        m().MenuColori[1]->trigger();
        m().MenuColori_Def->trigger();
        QVERIFY(d->titoliColore.size() == 2);
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), QColor(255, 255, 192));
            QCOMPARE(c->coloreTesto(), QApplication::palette().color(QPalette::WindowText));
        }
    }

    void informazioni() {
        premi(f->Txt_Orig(), Qt::Key_F1);
        premi(f->Txt_Orig(), Qt::Key_F1);
        QCOMPARE(d->messaggi.size(), 2);
        QCOMPARE(d->messaggi[1].testo, d->messaggi[0].testo);
        const FintiDialoghi::Messaggio& box = d->messaggi[0];
        QCOMPARE(box.titolo, QStringLiteral("Brivetanzia alfabetico"));
        QCOMPARE(box.flags, 0x10040u);
        QVERIFY(!box.testo.contains(QLatin1Char('\n')));
        const QStringList righe = box.testo.split(QLatin1Char('\r'));
        QCOMPARE(righe.size(), 5);
        QCOMPARE(righe[0], QStringLiteral("Quorla! - Brivetanzia alfabetico di testi"));
        QCOMPARE(righe[1], QStringLiteral("Versione 2.00"));
        QCOMPARE(righe[2], QString());
        QCOMPARE(righe[3], QString::fromUtf8(QUORLA_LEGAL));
        QCOMPARE(righe[4], QString::fromUtf8(QUORLA_COMMENTS));
        QVERIFY(!righe[3].isEmpty());

        f->setWindowTitle(QStringLiteral("Altro titolo"));
        m().MenuAbout->trigger();
        QCOMPARE(d->messaggi.last().titolo, QStringLiteral("Altro titolo"));
    }

    void nuovo() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuACapo->trigger();
        m().MenuCopiaAppunti->trigger();
        f->Txt_Ordine()->setFocus();
        m().MenuNuovo->trigger();
        QCOMPARE(f->testoOrig(), QString());
        QCOMPARE(f->testoOrdine(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(m().MenuACapo->isChecked());
        QVERIFY(m().MenuCopiaAppunti->isChecked());
        QCOMPARE(pannello(1)->text(), Pannello1Predefinito);
    }

    void apri() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("voci.txt"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pera mela; banana  kiwi\r\n");
        file.close();

        f->Txt_Orig()->impostaTesto(QStringLiteral("vecchio"));
        d->rispostaApri = percorso;
        premi(f->Txt_Orig(), Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(d->aperture.size(), 1);
        const Dialoghi::OpzioniFile& o = d->aperture[0];
        QCOMPARE(o.titolo, QStringLiteral("Apri"));
        QCOMPARE(o.filtri, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(o.nomeIniziale, QStringLiteral("*.txt"));
        QCOMPARE(o.estensione, QStringLiteral("txt"));
        QCOMPARE(o.cartella, QCoreApplication::applicationDirPath());
        QVERIFY(o.deveEsistere);
        QVERIFY(!o.chiediSovrascrittura);
        QCOMPARE(f->testoOrdine(), QStringLiteral("banana;kiwi;mela;pera"));
        QVERIFY(f->testoOrig().startsWith(QStringLiteral("pera mela; banana  kiwi")));
        QVERIFY(d->messaggi.isEmpty());
    }

    void testoLungoVisibile_data() {
        QTest::addColumn<bool>("aCapo");
        QTest::newRow("una sola riga") << false;
        QTest::newRow("a capo a 50") << true;
    }

    // A long file opens, sorts and shows its text: the last line of the
    // result is in view after the sort, the first after scrolling to the top.
    void testoLungoVisibile() {
        QFETCH(bool, aCapo);
        constexpr int Voci = 200000;
        QStringList voci;
        for (int i = 0; i < Voci; ++i)
            voci.append(QStringLiteral("w%1").arg(i, 7, 10, QLatin1Char('0')));
        std::shuffle(voci.begin(), voci.end(), std::mt19937(1));
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("lungo.txt"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(voci.join(QLatin1Char(' ')).toLatin1());
        file.close();

        if (aCapo)
            m().MenuACapo->trigger();
        d->rispostaApri = percorso;
        m().MenuApri->trigger();
        QVERIFY(d->messaggi.isEmpty());
        CasellaTesto* uscita = f->Txt_Ordine();
        QCoreApplication::processEvents();
        // The text of the laid-out line shown at a point of the box.
        auto rigaA = [uscita](QPoint punto) {
            const QTextCursor c = uscita->cursorForPosition(punto);
            const QTextLine riga = c.block().layout()->lineForTextPosition(c.positionInBlock());
            return riga.isValid() ? c.block().text().mid(riga.textStart(), riga.textLength())
                                  : QString();
        };
        const QRect fine = uscita->cursorRect();
        QVERIFY(uscita->viewport()->rect().contains(fine.center()));
        const QString ultima = rigaA(fine.center());
        QVERIFY2(ultima.endsWith(QStringLiteral(";w0199998;w0199999")), qPrintable(ultima));
        uscita->verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        const QString prima = rigaA(QPoint(2, 2));
        QVERIFY2(prima.startsWith(QStringLiteral("w0000000;w0000001;")), qPrintable(prima));
        // Five items of eight characters and their four ";" fill a line of 50.
        if (aCapo)
            QCOMPARE(righeUscita().size(), Voci / 5);
    }

    // What a file holds reaches the input box, and the sort, through the real
    // command: every kind of line end, old Windows bytes, a byte order mark,
    // control characters.
    void apriContenuti_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<QString>("uscita");
        QTest::newRow("CR LF") << QByteArray("pera\r\nmela\r\n") << "pera mela"
                               << "mela;pera";
        QTest::newRow("CR") << QByteArray("pera\rmela") << "pera mela"
                            << "mela;pera";
        QTest::newRow("LF") << QByteArray("pera\nmela\n") << "pera mela"
                            << "mela;pera";
        QTest::newRow("misti") << QByteArray("c\r\nb\na\rd") << "c b a d"
                               << "a;b;c;d";
        QTest::newRow("vuoto") << QByteArray() << ""
                               << "";
        QTest::newRow("Windows-1252") << QByteArray("perch\xE8 caff\xE8 \x80") << "perchè caffè €"
                                      << "€;caffè;perchè";
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBFzeta alfa") << "zeta alfa"
                             << "alfa;zeta";
        QTest::newRow("NUL e controlli") << QByteArray("b\0x a\x02y", 7)
                                         << QStringLiteral("b") + QChar(0) + "x a" + QChar(2) + "y"
                                         << QStringLiteral("a") + QChar(2) + "y;b" + QChar(0) + "x";
    }

    void apriContenuti() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, ingresso);
        QFETCH(QString, uscita);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("voci.txt"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
        file.close();
        d->rispostaApri = percorso;
        m().MenuApri->trigger();
        QCOMPARE(f->testoOrig(), ingresso);
        QCOMPARE(f->testoOrdine(), uscita);
        QVERIFY(d->messaggi.isEmpty());
    }

    // With "Invio" alone splitting and joining, a file of one item per line
    // comes back sorted one item per line.
    void apriUnaVocePerRiga() {
        Frm_SepElenco* dlg = f->separatori();
        Dichiarazioni::Stato_Dialogo stato = dlg->stato();
        stato.Chk_Separa.assign(stato.Chk_Separa.size(), 0);
        stato.Chk_Separa[Dichiarazioni::IndiceInvio] = 1;
        stato.Opt_Separatore_Out.assign(stato.Opt_Separatore_Out.size(), false);
        stato.Opt_Separatore_Out[Dichiarazioni::IndiceInvio] = true;
        dlg->applicaStato(stato);
        QTest::mouseClick(dlg->Cmd_OK(), Qt::LeftButton);
        QCOMPARE(pannello(2)->text(), QStringLiteral("Separatore testo elaborato: \"Invio\""));

        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("voci.txt"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pera cotta\r\nbanana\nkiwi\rmela\n");
        file.close();
        d->rispostaApri = percorso;
        m().MenuApri->trigger();
        QCOMPARE(f->testoOrig(), QStringLiteral("pera cotta\r\nbanana\r\nkiwi\r\nmela"));
        QCOMPARE(f->testoOrdine(), QStringLiteral("banana\r\nkiwi\r\nmela\r\npera cotta"));

        m().MenuDecrescente->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("pera cotta\r\nmela\r\nkiwi\r\nbanana"));
    }

    // A save that fails leaves the file it would have replaced as it was; an
    // empty output box still empties the chosen file.
    void salvaSuFileEsistente_data() {
        QTest::addColumn<bool>("riesce");
        QTest::newRow("uscita vuota") << true;
        QTest::newRow("cartella sostituita da un file") << false;
    }

    void salvaSuFileEsistente() {
        QFETCH(bool, riesce);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("vecchio.txt"));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("contenuto di prima");
        file.close();
        f->Txt_Ordine()->impostaTesto(riesce ? QString() : QStringLiteral("nuovo"));
        // A path below a regular file cannot be written, not even by root.
        d->rispostaSalva = riesce ? percorso : percorso + QStringLiteral("/sotto.txt");
        m().MenuSalvaNome->trigger();
        QCOMPARE(d->messaggi.size(), riesce ? 0 : 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), riesce ? QByteArray() : QByteArray("contenuto di prima"));
    }

    void apriAnnullato() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        f->Txt_Ordine()->impostaTesto(QStringLiteral("x"));
        m().MenuApri->trigger();
        QCOMPARE(d->aperture.size(), 1);
        QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        QCOMPARE(f->testoOrdine(), QStringLiteral("x"));
        QVERIFY(d->messaggi.isEmpty());
    }

    void apriFallito_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("finale");
        const QString incompatibile = QStringLiteral(" non è compatibile.");
        QTest::newRow("cartella") << "cartella" << incompatibile;
        QTest::newRow("FIFO") << "fifo" << incompatibile;
        QTest::newRow("troppo grande")
            << "sparso"
            << QStringLiteral(" è troppo grande: si possono aprire file fino a 1024 MB.");
    }

    void apriFallito() {
        QFETCH(QString, tipo);
        QFETCH(QString, finale);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        QString percorso = cartella.path(); // a folder cannot be read as a text file
        if (tipo == "fifo") {
#ifdef Q_OS_UNIX
            percorso = cartella.filePath(tipo);
            QVERIFY(::mkfifo(QFile::encodeName(percorso).constData(), 0600) == 0);
#else
            QSKIP("no FIFO here");
#endif
        } else if (tipo == "sparso") {
            percorso = cartella.filePath(tipo);
            QFile file(percorso);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize((qint64(1) << 30) + 1));
        }
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuConverti->trigger();
        d->rispostaApri = percorso;
        m().MenuApri->trigger();
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo, QStringLiteral("Attenzione, Il file ") + percorso + finale);
        QCOMPARE(d->messaggi[0].titolo, QStringLiteral("Quorla!"));
        QCOMPARE(d->messaggi[0].flags, 0x10030u);
        QCOMPARE(f->testoOrig(), QString());
        QCOMPARE(f->testoOrdine(), QString());
    }

    void salva() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("uscita.txt"));
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        f->Slider()->setValue(12);
        m().MenuACapo->trigger();
        f->Txt_Ordine()->setFocus();
        d->rispostaSalva = percorso;
        m().MenuSalvaNome->trigger();

        QCOMPARE(d->salvataggi.size(), 1);
        const Dialoghi::OpzioniFile& o = d->salvataggi[0];
        QCOMPARE(o.titolo, QStringLiteral("Salva con nome"));
        QCOMPARE(o.filtri, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(o.nomeIniziale, QStringLiteral("*.txt"));
        QCOMPARE(o.estensione, QStringLiteral("txt"));
        QCOMPARE(o.cartella, QCoreApplication::applicationDirPath());
        QVERIFY(!o.deveEsistere);
        QVERIFY(o.chiediSovrascrittura);

        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray scritto = file.readAll();
        QVERIFY(scritto.startsWith("alfa;beta \r\ndelta;gamma"));
        QCOMPARE(f->testoOrdine(), QStringLiteral("alfa;beta \r\ndelta;gamma"));
        QCOMPARE(f->testoOrig(), QStringLiteral("alfa beta delta gamma"));
        QVERIFY(d->messaggi.isEmpty());
    }

    void salvaFallito() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString percorso = cartella.filePath(QStringLiteral("manca/uscita.txt"));
        f->Txt_Ordine()->impostaTesto(QStringLiteral("x"));
        d->rispostaSalva = percorso;
        m().MenuSalvaNome->trigger();
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(
            d->messaggi[0].testo,
            QStringLiteral("Attenzione, Errore occorso durante il salvataggio dei dati nel file ") +
                percorso);
        QCOMPARE(d->messaggi[0].titolo, QStringLiteral("Quorla!"));
        QCOMPARE(d->messaggi[0].flags, 0x10030u);
        QCOMPARE(f->testoOrdine(), QStringLiteral("x"));
    }

    void bloccoNote() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuBloccoNote->trigger();
        m().MenuBloccoNote->trigger();
        QCOMPARE(editorAvviati, 2);
        QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        f->impostaAvvioEditor([] { return false; });
        m().MenuBloccoNote->trigger();
        QVERIFY(d->messaggi.isEmpty());
    }

    void bloccoMaiuscole() {
        // Without a display there is no Caps Lock to read.
        QVERIFY(!bloccoMaiuscoleAttivo());
        QVERIFY(!pannello(5)->isEnabled());
        bool attivo = true;
        f->STBar()->impostaLetturaMaiuscole([&attivo] { return attivo; });
        QTRY_VERIFY(pannello(5)->isEnabled());
        attivo = false;
        QTRY_VERIFY(!pannello(5)->isEnabled());
        QCOMPARE(pannello(5)->text(), QStringLiteral("BLOC MAIUSC"));
        f->STBar()->impostaLetturaMaiuscole(bloccoMaiuscoleAttivo);
    }

    void chiusuraFinestra() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("non salvato"));
        QVERIFY(!f->close());
        QCOMPARE(uscite, 1);
        QVERIFY(d->messaggi.isEmpty());
    }

    // The real way out: the event loop ends, and the separator dialog's close
    // handling does not run even while it is shown.
    void uscitaVera() {
        f.reset();
        MainForm finestra(std::make_unique<FintiDialoghi>());
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        finestra.menu().MenuSeparatori->trigger();
        QSignalSpy confermato(finestra.separatori(), &Frm_SepElenco::confermato);
        QTimer::singleShot(0, &finestra, [&finestra] { finestra.menu().MenuFine->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(confermato.count(), 0);
        QVERIFY(!finestra.isVisible());
        QVERIFY(!finestra.separatori()->isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
