#include "BarraStato.h"
#include "Controlli.h"
#include "Dichiarazioni.h"
#include "Disegni.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"
#include "VersioneQuorla.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Dichiarazioni::Num_Caratteri;
using Dichiarazioni::Opz_Ordine;

namespace {

const QString Pannello1 = QStringLiteral("Separatori testo inserito: \"Spazio\" ;");

QString appunti() {
    return QGuiApplication::clipboard()->text();
}

bool tuttoSelezionato(const CasellaTesto* c) {
    return c->textCursor().selectionStart() == 0 &&
           c->textCursor().selectionEnd() == c->document()->characterCount() - 1;
}

// Whether every text of the bar can be read whole, inside its panel's frame and
// indent, at the bar's own font.
bool testiEntrano(const BarraStato& barra, const QFont& carattere) {
    const QFontMetrics m(carattere);
    for (int n = 1; n <= BarraStato::NumPannelli; ++n) {
        const QLabel* p = barra.pannello(n);
        if (m.height() > p->contentsRect().height() ||
            m.horizontalAdvance(p->text()) > p->contentsRect().width() - 2 * p->indent())
            return false;
    }
    return true;
}

// The holes of a glyph of ink, each marked by where it lies: 'a' above the
// middle row, 'b' below it, 'm' on it.
QString buchi(const QImage& g) {
    const int w = g.width(), h = g.height();
    auto ink = [&](int x, int y) { return g.pixelColor(x, y) == Qt::black; };
    QList<int> pezzo(w * h, -1);
    QList<QPoint> coda;
    int pezzi = 0;
    QString esito;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (pezzo[y0 * w + x0] >= 0)
                continue;
            const bool nero = ink(x0, y0);
            bool bordo = false;
            int somma = 0, quanti = 0;
            coda = {QPoint(x0, y0)};
            pezzo[y0 * w + x0] = pezzi;
            while (!coda.isEmpty()) {
                const QPoint p = coda.takeLast();
                somma += p.y();
                ++quanti;
                bordo = bordo || p.x() == 0 || p.y() == 0 || p.x() == w - 1 || p.y() == h - 1;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        // Ink joins across corners, the paper only side by side.
                        if ((!nero && dx && dy) || q.x() < 0 || q.y() < 0 || q.x() >= w ||
                            q.y() >= h || pezzo[q.y() * w + q.x()] >= 0 ||
                            ink(q.x(), q.y()) != nero)
                            continue;
                        pezzo[q.y() * w + q.x()] = pezzi;
                        coda.append(q);
                    }
                }
            }
            ++pezzi;
            if (nero && esito.contains('!'))
                return QStringLiteral("spezzata");
            if (nero)
                esito += '!';
            else if (!bordo)
                esito += 2 * somma < quanti * (h - 1)   ? 'a'
                         : 2 * somma > quanti * (h - 1) ? 'b'
                                                        : 'm';
        }
    }
    if (!esito.contains('!'))
        return QStringLiteral("vuota");
    esito.remove('!');
    std::sort(esito.begin(), esito.end());
    return esito;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
    std::unique_ptr<MainForm> f;
    FintiDialoghi* d = nullptr;
    int uscite = 0;
    int editorAvviati = 0;

    const MainForm::VociMenu& m() const { return f->menu(); }
    QLabel* pannello(int n) const { return f->STBar()->pannello(n); }
    void ctrl(QWidget* w, Qt::Key tasto) { QTest::keyClick(w, tasto, Qt::ControlModifier); }
    QStringList righeUscita() const { return f->testoOrdine().split(QStringLiteral("\r\n")); }

private slots:
    void init() {
        auto dialoghi = std::make_unique<FintiDialoghi>();
        d = dialoghi.get();
        f = std::make_unique<MainForm>(std::move(dialoghi));
        uscite = editorAvviati = 0;
        f->impostaUscita([this] { ++uscite; });
        f->impostaAvvioEditor([this] { return ++editorAvviati > 0; });
        QGuiApplication::clipboard()->setText(QStringLiteral("appunti di prima"));
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }
    void cleanup() { f.reset(); }

    void avvio() {
        QCOMPARE(f->windowTitle(), QStringLiteral("Brivetanzia alfabetico"));
        QVERIFY(!f->windowIcon().isNull());
        QCOMPARE(f->testoOrig() + f->testoOrdine(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(!f->Slider()->isVisible());
        QCOMPARE(f->Slider()->minimum(), 1);
        QCOMPARE(f->Slider()->maximum(), 100);
        QCOMPARE(f->Slider()->value(), 50);
        QCOMPARE(Num_Caratteri, 50);
        const QStringList testi = {Pannello1, "Separatore testo elaborato: ;", "A CAPO", "COPIA",
                                   "BLOC MAIUSC"};
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(pannello(n)->text(), testi[n - 1]);
            QCOMPARE(pannello(n)->isEnabled(), n < 3);
        }
        QVERIFY(f->separatori() && !f->separatori()->isVisible());
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), QColor(255, 255, 192));
            QVERIFY(!c->isReadOnly());
        }
        QCOMPARE(f->Txt_Orig()->toolTip(), QStringLiteral("Inserire il testo da ordinare"));
        QCOMPARE(f->Txt_Ordine()->toolTip(), QStringLiteral("Testo ordinato"));
    }

    // A fixed window, centred; each ruler at its own size just above its box,
    // the slider under the rulers' extent, the bar along the bottom edge.
    void disposizione() {
        QWidget* client = f->centralWidget();
        QCOMPARE(client->size(), QSize(672, 522));
        QCOMPARE(client->geometry().bottom(), f->height() - 1);
        QCOMPARE(f->minimumSize(), f->maximumSize());
        QVERIFY(!(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f->windowFlags() & Qt::WindowMinimizeButtonHint);
        const QPoint centro = f->screen()->availableGeometry().center();
        QVERIFY((f->geometry().center() - centro).manhattanLength() <= 2);
        for (int i = 0; i < 2; ++i) {
            Righello* r = f->Img_Righello(i);
            CasellaTesto* c = i ? f->Txt_Ordine() : f->Txt_Orig();
            QCOMPARE(r->immagine(), disegnaRighello());
            QCOMPARE(r->size(), r->immagine().size());
            QCOMPARE(r->x(), c->x());
            QCOMPARE(r->geometry().bottom() + 2, c->y());
            QCOMPARE(c->size(), QSize(625, 169));
        }
        QVERIFY(f->Txt_Orig()->geometry().bottom() < f->Img_Righello(1)->y());
        const QRect s = f->Slider()->geometry(), r = f->Img_Righello(0)->geometry();
        QVERIFY(s.left() >= r.left() - 2 && s.left() <= r.left() && s.right() <= r.right());
        QVERIFY(s.width() > r.width() * 19 / 20 && s.height() > 10);
        QVERIFY(s.center().y() > f->Txt_Ordine()->geometry().bottom());
        QCOMPARE(f->STBar()->geometry(), QRect(0, 505, 672, 17));
        QVERIFY(s.bottom() < f->STBar()->y());
    }

    // Five panels side by side across the bar, every text readable whole.
    void pannelli() {
        int x = -1;
        for (int n = 1; n <= BarraStato::NumPannelli; ++n) {
            QVERIFY(pannello(n)->x() > x);
            QCOMPARE(pannello(n)->height(), f->STBar()->height());
            x = pannello(n)->geometry().right();
        }
        QVERIFY(x < f->STBar()->width());
        QVERIFY(testiEntrano(*f->STBar(), f->STBar()->font()));
    }

    // The bar keeps the font it is given, made smaller only as far as its
    // texts need to fit their panels and its height.
    void carattereBarra_data() {
        QTest::addColumn<QFont>("dato");
        QFont punti, grande, pixel, stretto;
        punti.setPointSizeF(7);
        grande.setPointSizeF(30);
        pixel.setPixelSize(40);
        stretto.setPointSizeF(30);
        stretto.setLetterSpacing(QFont::AbsoluteSpacing, -12); // narrow, still tall
        QTest::newRow("piccolo") << punti;
        QTest::newRow("grande") << grande;
        QTest::newRow("pixel") << pixel;
        QTest::newRow("stretto e alto") << stretto;
    }

    void carattereBarra() {
        QFETCH(QFont, dato);
        QWidget padre;
        padre.setFont(dato);
        BarraStato barra(&padre);
        barra.setGeometry(0, 0, 672, 17);
        padre.show();
        // Panel 2's longest text; panel 1 has no fixed text to fit.
        barra.impostaTesto(2, QStringLiteral("Separatore testo elaborato: \"Spazio\""));
        barra.impostaTesto(3, QStringLiteral("A CAPO"));
        barra.impostaTesto(4, QStringLiteral("COPIA"));
        const QFont scelto = barra.font();
        QVERIFY(testiEntrano(barra, scelto));
        if (scelto == dato)
            return;
        QFont uno = scelto;
        if (dato.pointSizeF() > 0)
            uno.setPointSizeF(scelto.pointSizeF() + 0.5);
        else
            uno.setPixelSize(scelto.pixelSize() + 1);
        QVERIFY2(!testiEntrano(barra, uno), qPrintable(scelto.toString()));
    }

    // Panel 5 follows Caps Lock: at once on its key, by itself otherwise.
    void bloccoMaiuscole() {
        QVERIFY(!bloccoMaiuscoleAttivo()); // no display, nothing to read
        QVERIFY(!pannello(5)->isEnabled());
        bool acceso = false;
        f->STBar()->impostaLetturaMaiuscole([&acceso] { return acceso; });
        acceso = true;
        QTest::keyClick(f->Txt_Orig(), Qt::Key_CapsLock);
        QCoreApplication::processEvents();
        QVERIFY(pannello(5)->isEnabled());
        acceso = false;
        QTRY_VERIFY_WITH_TIMEOUT(!pannello(5)->isEnabled(), 2000);
        QCOMPARE(pannello(5)->text(), QStringLiteral("BLOC MAIUSC"));
        QCOMPARE(f->testoOrig(), QString());
    }

    // Each digit of the ruler has the shape of its figure: one stroke, with
    // its holes where the figure has them; the tens stand over their columns.
    void cifreRighello() {
        const QImage r = disegnaRighello();
        const QStringList forme = {"m", "", "", "", "a", "", "b", "", "ab", "a"};
        auto cifra = [&r](int x, int y) { return r.copy(x, y, 5, 9); };
        for (int k = 1; k <= 100; ++k)
            QVERIFY2(buchi(cifra(6 * k - 2, 15)) == forme[k % 10], qPrintable(QString::number(k)));
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(cifra(60 * n - 2, 2), cifra(6 * n - 2, 15));
        QCOMPARE(cifra(595, 2), cifra(4, 15));
        QCOMPARE(cifra(601, 2), cifra(58, 15));
    }

    // Captions and shortcut keys of every menu; "-" is a separator.
    void menu_data() {
        QTest::addColumn<QString>("titolo");
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
        QTest::newRow("Colori") << "Imposta Colori"
                                << QStringList{"Colore sfondo|", "Colore testo|", "-",
                                               "Ripristina valori predefiniti|"};
        QTest::newRow("Ordine") << "O&rdine"
                                << QStringList{"&Crescente|",
                                               "&Decrescente|",
                                               "-",
                                               "&Numeri in ordine naturale|",
                                               "&Maiuscole e minuscole|",
                                               "Ignora &punteggiatura e spazi|",
                                               "Ignora &articoli iniziali|",
                                               "-",
                                               "&Elimina doppioni|",
                                               "&Lingua|",
                                               "-",
                                               "Me&scola|"};
        QTest::newRow("?") << "&?" << QStringList{"Informazioni su...|F1"};
    }

    void menu() {
        QFETCH(QString, titolo);
        QFETCH(QStringList, voci);
        QMenu* trovato = nullptr;
        for (QMenu* candidato : f->menuBar()->findChildren<QMenu*>())
            trovato = candidato->title() == titolo ? candidato : trovato;
        QVERIFY(trovato);
        QStringList effettive;
        for (const QAction* a : trovato->actions()) {
            effettive << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + '|' + a->shortcut().toString());
            QVERIFY(a->isEnabled() && a->isVisible());
            // The ordering items explain themselves in a tool tip.
            if (titolo == "O&rdine" && !a->isSeparator())
                QVERIFY2(a->toolTip().size() > a->text().size() + 5, qPrintable(a->text()));
        }
        QCOMPARE(effettive, voci);
        QCOMPARE(f->menuBar()->actions().size(), 4);
    }

    // Each ordering item writes its option, shows it, and sorts the input anew.
    void voceOrdine_data() {
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QList<int>>("attese"); // verso .. mescola, as campi() below
        const int unicode = Dichiarazioni::LinguaCodiciUnicode();
        QTest::newRow("Decrescente")
            << QStringList{"MenuDecrescente"} << QList<int>{1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("numeri") << QStringList{"MenuNumeriNaturali"}
                                << QList<int>{0, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("punteggiatura")
            << QStringList{"MenuIgnoraPunteggiatura"} << QList<int>{0, 0, 0, 1, 0, 0, 0, 0};
        QTest::newRow("articoli") << QStringList{"MenuIgnoraArticoli"}
                                  << QList<int>{0, 0, 0, 0, 1, 0, 0, 0};
        QTest::newRow("doppioni") << QStringList{"MenuDoppioni_2", "MenuDoppioni_1"}
                                  << QList<int>{0, 0, 0, 0, 0, 1, 0, 0};
        QTest::newRow("tutto") << QStringList{"MenuDecrescente",
                                              "MenuMaiuscole_1",
                                              "MenuMaiuscole_2",
                                              "MenuDoppioni_2",
                                              "MenuLingua_1",
                                              QStringLiteral("MenuLingua_%1").arg(unicode),
                                              "MenuMescola"}
                               << QList<int>{1, 0, 2, 0, 0, 2, unicode, 1};
    }

    void voceOrdine() {
        QFETCH(QStringList, voci);
        QFETCH(QList<int>, attese);
        const auto campi = [] {
            const auto& o = Opz_Ordine;
            return QList<int>{
                int(o.verso),     o.numeriNaturali, int(o.maiuscole), o.ignoraPunteggiatura,
                o.ignoraArticoli, int(o.doppioni),  o.lingua,         o.mescola};
        };
        const QList<int> predefinite = campi();
        QVERIFY(m().MenuCrescente->isChecked() && m().MenuLingua[0]->isChecked());
        Opz_Ordine.seme = 7; // the same shuffle every run
        const QString testo = QStringLiteral("c10 B l'a il b a c9 A b, c10");
        for (const QString& nome : voci) {
            f->Txt_Orig()->impostaTesto(testo);
            f->findChild<QAction*>(nome)->trigger();
            QString atteso;
            Dichiarazioni::Elabora_Testo_Flusso(testo, false, [&](QStringView v) { atteso += v; });
            QCOMPARE(f->testoOrdine(), atteso);
            QVERIFY(f->findChild<QAction*>(nome)->isChecked());
        }
        QCOMPARE(campi(), attese);
        // Shuffling overrides the direction, whose items grey out meanwhile.
        QCOMPARE(m().MenuDecrescente->isEnabled(), !attese[7]);
        QCOMPARE(m().MenuCrescente->isChecked(), !attese[0]);
        // Nothing outlives the run: a new window starts from the defaults.
        MainForm altra(std::make_unique<FintiDialoghi>());
        QCOMPARE(campi(), predefinite);
    }

    // The menu's keys win over the focused box: nothing copied, cut or typed.
    void acceleratori_data() {
        QTest::addColumn<int>("casella");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("effetto");
        const QList<std::pair<int, const char*>> tasti = {
            {Qt::Key_N, "nuovo"},  {Qt::Key_F12, "apri"}, {Qt::Key_O, "converti"},
            {Qt::Key_B, "editor"}, {Qt::Key_X, "fine"},   {Qt::Key_S, "separatori"},
            {Qt::Key_I, "acapo"},  {Qt::Key_C, "copia"},  {Qt::Key_F1, "informazioni"}};
        for (int casella = 0; casella < 2; ++casella) {
            for (const auto& [tasto, effetto] : tasti)
                QTest::addRow("%s %d", effetto, casella) << casella << tasto << QString(effetto);
        }
    }

    void acceleratori() {
        QFETCH(int, casella);
        QFETCH(int, tasto);
        QFETCH(QString, effetto);
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("b a"));
        f->Txt_Ordine()->impostaTesto(QStringLiteral("x y"));
        CasellaTesto* fuoco = casella == 0 ? f->Txt_Orig() : f->Txt_Ordine();
        fuoco->setFocus();
        fuoco->selectAll();
        const QString prima = fuoco->testo();
        QTest::keyClick(fuoco, Qt::Key(tasto),
                        tasto == Qt::Key_F1 ? Qt::NoModifier : Qt::ControlModifier);

        QCOMPARE(appunti(), QStringLiteral("appunti di prima"));
        if (effetto == "nuovo") {
            QCOMPARE(f->testoOrig() + f->testoOrdine(), QString());
            QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        } else if (effetto == "converti" || effetto == "acapo") {
            QCOMPARE(f->testoOrdine(), QStringLiteral("a;b"));
            QVERIFY(tuttoSelezionato(f->Txt_Ordine()));
            QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
        } else {
            QCOMPARE(fuoco->testo(), prima);
            QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        }
        QCOMPARE(m().MenuACapo->isChecked(), effetto == "acapo");
        QCOMPARE(f->Slider()->isVisible(), effetto == "acapo");
        QCOMPARE(pannello(3)->isEnabled(), effetto == "acapo");
        QCOMPARE(d->aperture.size(), effetto == "apri" ? 1 : 0);
        QCOMPARE(editorAvviati, effetto == "editor" ? 1 : 0);
        QCOMPARE(uscite, effetto == "fine" ? 1 : 0);
        QCOMPARE(f->separatori()->isVisible(), effetto == "separatori");
        QCOMPARE(f->isEnabled(), effetto != "separatori");
        QCOMPARE(m().MenuCopiaAppunti->isChecked(), effetto == "copia");
        QCOMPARE(pannello(4)->isEnabled(), effetto == "copia");
        QCOMPARE(d->messaggi.size(), effetto == "informazioni" ? 1 : 0);
    }

    void ordineTab() {
        QTest::keyClick(f->Txt_Orig(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Txt_Ordine());
        QTest::keyClick(f->Txt_Ordine(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        m().MenuACapo->trigger();
        f->Txt_Ordine()->setFocus();
        QTest::keyClick(f->Txt_Ordine(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Slider());
        QCOMPARE(f->testoOrig(), QString());
    }

    // Any change of the input empties the output; only a sort fills it again.
    void digitareSvuotaUscita() {
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("b a"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b"));
        QTest::keyClick(f->Txt_Orig(), Qt::Key_Backspace);
        QCOMPARE(f->testoOrdine(), QString());
        QTest::qWait(20);
        QCOMPARE(f->testoOrdine(), QString());
    }

    // Reflow on: lines of at most the slider's length, the slider shown; a
    // user's change of the slider sorts again, the program's does not; off:
    // one run again.
    void aCapo() {
        f->Txt_Orig()->impostaTesto(
            QStringLiteral("aa bb cc dd ee ff gg hh ii ll mm nn oo pp qq rr ss "
                           "tt uu vv zz"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        const QString unito = f->testoOrdine();
        QVERIFY(unito.size() > 50 && !unito.contains('\r'));
        ctrl(f->Txt_Ordine(), Qt::Key_I);
        QVERIFY(f->Slider()->isVisible() && pannello(3)->isEnabled());
        QCOMPARE(righeUscita().size(), 2);
        f->Slider()->setValue(10);
        QCOMPARE(Num_Caratteri, 50);
        QCOMPARE(righeUscita().size(), 2);
        QTest::keyClick(f->Slider(), Qt::Key_Right);
        QCOMPARE(Num_Caratteri, 11);
        for (const QString& riga : righeUscita())
            QVERIFY2(riga.size() <= 12, qPrintable(riga)); // the line, then " " before the break
        QCOMPARE(righeUscita().size(), 6);
        QTest::mouseClick(f->Slider(), Qt::LeftButton, {}, QPoint(f->Slider()->width() * 3 / 4, 8));
        QVERIFY(f->Slider()->value() > 11);
        QCOMPARE(int(Num_Caratteri), f->Slider()->value());
        ctrl(f->Txt_Ordine(), Qt::Key_I);
        QVERIFY(!f->Slider()->isVisible() && !pannello(3)->isEnabled());
        QCOMPARE(f->testoOrdine(), unito);
    }

    // An item too long for the lines: the warning, over the window, or over the
    // separator dialog when its OK ran the sort; the engine's move of the
    // slider to its end is no click.
    void aCapoImpossibile() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        f->Slider()->setValue(3);
        int valoreNelMessaggio = -1;
        d->durataMessaggio = [&] { valoreNelMessaggio = f->Slider()->value(); };
        m().MenuACapo->trigger();
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo, QStringLiteral("Impossibile formattare il testo"));
        QCOMPARE(d->messaggi[0].titolo, QStringLiteral("Quorla!"));
        QCOMPARE(d->messaggi[0].flags, 0x10030u);
        QCOMPARE(d->messaggi[0].padre, f.get());
        QCOMPARE(valoreNelMessaggio, 3);
        QCOMPARE(f->Slider()->value(), 100);
        QCOMPARE(Num_Caratteri, 3);
        QCOMPARE(f->testoOrdine(), QStringLiteral("alfa;beta;delta;gamma"));
        f->Slider()->setValue(3);
        m().MenuSeparatori->trigger();
        f->separatori()->Cmd_OK()->click();
        QCOMPARE(d->messaggi.size(), 2);
        QCOMPARE(d->messaggi[1].padre, f->separatori());
        QVERIFY(f->isEnabled() && !f->separatori()->isVisible());
    }

    // The busy cursor is up while a long text is read or sorted, down while a
    // warning waits for the user, and gone at the end.
    void cursoreAttesa_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<bool>("attesaLettura");
        QTest::addColumn<bool>("attesaOrdine");
        QTest::newRow("ordina 50000") << false << 50000 << false << false;
        QTest::newRow("ordina 50001") << false << 50001 << false << true;
        QTest::newRow("apri 50000") << true << 50000 << false << false;
        QTest::newRow("apri 50001") << true << 50001 << true << true;
    }

    void cursoreAttesa() {
        QFETCH(bool, apri);
        QFETCH(int, lunghezza);
        QFETCH(bool, attesaLettura);
        QFETCH(bool, attesaOrdine);
        // Two items, the second too long for lines of 20: the run warns.
        const QString testo = QString(lunghezza - 31, 'b') + ' ' + QString(30, 'z');
        f->Slider()->setValue(20);
        m().MenuACapo->trigger();
        const auto attesa = [] { return QApplication::overrideCursor() != nullptr; };
        int lettura = -1, ordine = -1, messaggio = -1; // -1: not seen
        connect(f->Txt_Orig(), &QPlainTextEdit::textChanged, this, [&] {
            if (!f->testoOrig().isEmpty())
                lettura = attesa();
        });
        // The clipboard is written at the end of the run, after the warning.
        m().MenuCopiaAppunti->trigger();
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                [&] { ordine = attesa(); });
        d->durataMessaggio = [&] { messaggio = attesa(); };
        QTemporaryDir cartella;
        if (apri) {
            QFile file(cartella.filePath(QStringLiteral("lungo.txt")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(testo.toLatin1()) == lunghezza);
            file.close();
            f->apriFile(file.fileName());
            QCOMPARE(lettura, int(attesaLettura));
        } else {
            f->Txt_Orig()->impostaTesto(testo);
            m().MenuConverti->trigger();
        }
        f->Txt_Orig()->disconnect(this);
        QGuiApplication::clipboard()->disconnect(this);
        QCOMPARE(messaggio, 0);
        QCOMPARE(ordine, int(attesaOrdine));
        QVERIFY(!attesa());
    }

    // The clipboard option only marks itself; the next sort copies.
    void copiaAppunti() {
        ctrl(f->Txt_Orig(), Qt::Key_C);
        QVERIFY(m().MenuCopiaAppunti->isChecked() && pannello(4)->isEnabled());
        QCOMPARE(appunti(), QStringLiteral("appunti di prima"));
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        QCOMPARE(appunti(), QStringLiteral("a;b"));
        ctrl(f->Txt_Orig(), Qt::Key_C);
        QVERIFY(!m().MenuCopiaAppunti->isChecked() && !pannello(4)->isEnabled());
        f->Txt_Orig()->impostaTesto(QStringLiteral("c b a"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        QCOMPARE(appunti(), QStringLiteral("a;b"));
    }

    // A double-click sorts only into an empty output box.
    void doppioClic_data() {
        QTest::addColumn<QString>("uscita");
        QTest::addColumn<QString>("dopo");
        QTest::newRow("uscita vuota") << ""
                                      << "a;b";
        QTest::newRow("uscita piena") << "x yy z"
                                      << "x yy z";
    }

    void doppioClic() {
        QFETCH(QString, uscita);
        QFETCH(QString, dopo);
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        f->Txt_Ordine()->impostaTesto(uscita);
        const QPoint punto =
            f->Txt_Ordine()->cursorRect(QTextCursor(f->Txt_Ordine()->document())).center() +
            QPoint(f->Txt_Ordine()->fontMetrics().horizontalAdvance("x y"), 0);
        QTest::mouseDClick(f->Txt_Ordine()->viewport(), Qt::LeftButton, {}, punto);
        QCOMPARE(f->testoOrdine(), dopo);
        QCOMPARE(f->Txt_Ordine()->textCursor().selectedText(), uscita.isEmpty() ? dopo : "yy");
    }

    // OK and the close box apply the dialog, sort and give the window back;
    // Esc leaves all as it was. Meanwhile the window takes no input.
    void dialogoSeparatori_data() {
        QTest::addColumn<QString>("modo");
        QTest::newRow("OK") << "ok";
        QTest::newRow("chiusura") << "chiusura";
        QTest::newRow("Esc") << "esc";
    }

    void dialogoSeparatori() {
        QFETCH(QString, modo);
        Frm_SepElenco* dlg = f->separatori();
        f->Txt_Orig()->impostaTesto(QStringLiteral("c b,a"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        QCOMPARE(f->testoOrdine(), QStringLiteral("b,a;c"));
        ctrl(f->Txt_Ordine(), Qt::Key_S);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(!f->isEnabled() && !f->menuBar()->isEnabled());
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("zz"));
        ctrl(dlg->Chk_Separa(0), Qt::Key_O);
        QTest::mouseDClick(f->Txt_Ordine()->viewport(), Qt::LeftButton);
        QVERIFY(!f->close());
        QCOMPARE(uscite, 0);
        QCOMPARE(f->testoOrig() + f->testoOrdine(), QStringLiteral("c b,ab,a;c"));
        dlg->Chk_Separa(5)->setChecked(true);
        if (modo == "ok")
            QTest::mouseClick(dlg->Cmd_OK(), Qt::LeftButton);
        else if (modo == "chiusura")
            dlg->close();
        else
            QTest::keyClick(dlg->Chk_Separa(5), Qt::Key_Escape);
        const bool applica = modo != "esc";
        QCOMPARE(dlg->isVisible(), !applica);
        QCOMPARE(f->isEnabled(), applica);
        QCOMPARE(pannello(1)->text(), applica ? Pannello1 + " ," : Pannello1);
        QCOMPARE(f->testoOrdine(), applica ? "a;b;c" : "b,a;c");
        if (applica)
            QTRY_COMPARE(QApplication::focusWidget(), f->Txt_Orig());
    }

    // The colours go to both boxes and stay when a choice is cancelled; the
    // defaults come back; the rulers never change.
    void colori() {
        d->rispostaColore = QColor(200, 220, 240);
        m().MenuColori[0]->trigger();
        d->rispostaColore = QColor(90, 0, 0);
        m().MenuColori[1]->trigger();
        d->rispostaColore.reset();
        m().MenuColori[0]->trigger();
        QCOMPARE(d->titoliColore, (QStringList{"Colore sfondo", "Colore testo", "Colore sfondo"}));
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), QColor(200, 220, 240));
            QCOMPARE(c->coloreTesto(), QColor(90, 0, 0));
        }
        QCOMPARE(f->Img_Righello(1)->grab().toImage().pixelColor(1, 1), MisureRighello::sfondo());
        m().MenuColori_Def->trigger();
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            QCOMPARE(c->sfondo(), QColor(255, 255, 192));
            QCOMPARE(c->coloreTesto(), QApplication::palette().color(QPalette::WindowText));
        }
    }

    void informazioni() {
        QTest::keyClick(f->Txt_Orig(), Qt::Key_F1);
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].titolo, QStringLiteral("Brivetanzia alfabetico"));
        QCOMPARE(d->messaggi[0].flags, 0x10040u);
        QCOMPARE(d->messaggi[0].testo.split('\r'),
                 (QStringList{"Quorla! - Brivetanzia alfabetico di testi", "Versione 2.00", "",
                              QUORLA_LEGAL, QUORLA_COMMENTS}));
    }

    // "Nuovo" empties both boxes and keeps every option.
    void nuovo() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuACapo->trigger();
        m().MenuCopiaAppunti->trigger();
        f->Txt_Ordine()->setFocus();
        m().MenuNuovo->trigger();
        QCOMPARE(f->testoOrig() + f->testoOrdine(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(m().MenuACapo->isChecked() && m().MenuCopiaAppunti->isChecked());
    }

    // "Apri...": the dialog as asked, then the text sorted or the warning.
    void apri_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("avviso"); // after the path
        QTest::newRow("file") << "file" << QString();
        QTest::newRow("annullato") << "annullato" << QString();
        QTest::newRow("cartella") << "cartella"
                                  << " non è compatibile.";
        QTest::newRow("troppo grande")
            << "sparso"
            << " è troppo grande: si possono aprire file fino a 1024 MB.";
    }

    void apri() {
        QFETCH(QString, tipo);
        QFETCH(QString, avviso);
        QTemporaryDir cartella;
        const QString percorso = tipo == "cartella" ? cartella.path() : cartella.filePath("v.txt");
        QFile file(percorso);
        if (tipo == "file" || tipo == "sparso") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("pera mela; banana  kiwi\r\n");
            QVERIFY(tipo == "file" || file.resize((qint64(1) << 30) + 1));
            file.close();
        }
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuConverti->trigger();
        if (tipo != "annullato")
            d->rispostaApri = percorso;
        m().MenuApri->trigger();
        QCOMPARE(d->aperture.size(), 1);
        const Dialoghi::OpzioniFile& o = d->aperture[0];
        QCOMPARE(o.titolo, QStringLiteral("Apri"));
        QCOMPARE(o.filtri, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(o.nomeIniziale + o.estensione, QStringLiteral("*.txttxt"));
        QCOMPARE(o.cartella, QCoreApplication::applicationDirPath());
        QVERIFY(o.deveEsistere && !o.chiediSovrascrittura);
        QStringList messaggi;
        for (const auto& messaggio : d->messaggi)
            messaggi << messaggio.testo + '|' + messaggio.titolo + '|' +
                            QString::number(messaggio.flags, 16);
        QCOMPARE(messaggi, avviso.isEmpty() ? QStringList()
                                            : QStringList{"Attenzione, Il file " + percorso +
                                                          avviso + "|Quorla!|10030"});
        const QString uscita = tipo == "file"        ? "banana;kiwi;mela;pera"
                               : tipo == "annullato" ? "a;b"
                                                     : "";
        QCOMPARE(f->testoOrdine(), uscita);
    }

    // With "Invio" alone splitting and joining, a file's lines are its items.
    void apriUnaVocePerRiga() {
        Frm_SepElenco* dlg = f->separatori();
        Dichiarazioni::Stato_Dialogo stato = dlg->stato();
        stato.Chk_Separa.assign(stato.Chk_Separa.size(), 0);
        stato.Chk_Separa[Dichiarazioni::IndiceInvio] = 1;
        stato.Opt_Separatore_Out.assign(stato.Opt_Separatore_Out.size(), false);
        stato.Opt_Separatore_Out[Dichiarazioni::IndiceInvio] = true;
        dlg->applicaStato(stato);
        dlg->Cmd_OK()->click();
        QCOMPARE(pannello(2)->text(), QStringLiteral("Separatore testo elaborato: \"Invio\""));
        QTemporaryDir cartella;
        QFile file(cartella.filePath(QStringLiteral("voci.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pera cotta\r\nbanana\nkiwi\rmela\n");
        file.close();
        d->rispostaApri = file.fileName();
        m().MenuApri->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("banana\r\nkiwi\r\nmela\r\npera cotta"));
    }

    // "Salva con nome...": the dialog as asked, the output written, or the warning.
    void salva_data() {
        QTest::addColumn<bool>("riesce");
        QTest::newRow("scritto") << true;
        QTest::newRow("cartella mancante") << false;
    }

    void salva() {
        QFETCH(bool, riesce);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(riesce ? "uscita.txt" : "manca/uscita.txt");
        f->Txt_Orig()->impostaTesto(QStringLiteral("beta alfa"));
        m().MenuConverti->trigger();
        d->rispostaSalva = percorso;
        m().MenuSalvaNome->trigger();
        QCOMPARE(d->salvataggi.size(), 1);
        const Dialoghi::OpzioniFile& o = d->salvataggi[0];
        QCOMPARE(o.titolo, QStringLiteral("Salva con nome"));
        QCOMPARE(o.filtri, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(o.nomeIniziale + o.estensione, QStringLiteral("*.txttxt"));
        QCOMPARE(o.cartella, QCoreApplication::applicationDirPath());
        QVERIFY(!o.deveEsistere && o.chiediSovrascrittura);
        QFile file(percorso);
        QCOMPARE(file.open(QIODevice::ReadOnly), riesce);
        QVERIFY(!riesce || file.readAll().startsWith("alfa;beta"));
        QCOMPARE(d->messaggi.size(), riesce ? 0 : 1);
        if (!riesce)
            QCOMPARE(d->messaggi[0].testo,
                     "Attenzione, Errore occorso durante il salvataggio dei dati nel file " +
                         percorso);
    }

    void bloccoNote() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuBloccoNote->trigger();
        f->impostaAvvioEditor([] { return false; });
        m().MenuBloccoNote->trigger();
        QCOMPARE(editorAvviati, 1);
        QCOMPARE(f->testoOrig(), QStringLiteral("b a"));
        QVERIFY(d->messaggi.isEmpty());
    }

    // Closing asks nothing and ends the program; the real way out leaves the
    // event loop without the separator dialog's close handling.
    void uscita() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("non salvato"));
        QVERIFY(!f->close());
        QCOMPARE(uscite, 1);
        QVERIFY(d->messaggi.isEmpty());
        f.reset();
        MainForm finestra(std::make_unique<FintiDialoghi>());
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        finestra.menu().MenuSeparatori->trigger();
        bool confermato = false;
        connect(finestra.separatori(), &Frm_SepElenco::confermato, this,
                [&] { confermato = true; });
        QTimer::singleShot(0, &finestra, [&finestra] { finestra.menu().MenuFine->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!confermato && !finestra.isVisible() && !finestra.separatori()->isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
