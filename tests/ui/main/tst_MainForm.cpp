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
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using Dichiarazioni::Num_Caratteri;
using Dichiarazioni::Opz_Ordine;

namespace {

const QString Pannello1 = QStringLiteral("Separatori testo inserito: \"Spazio\" ;");

// The message boxes shown, each as "text|title|flags".
QStringList scatole(const FintiDialoghi& d) {
    QStringList esito;
    for (const auto& m : d.messaggi)
        esito << m.testo + '|' + m.titolo + '|' + QString::number(m.flags, 16);
    return esito;
}

bool scrivi(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

// Whether every text of the bar can be read whole, inside its panel's frame
// and indent, at the given font.
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

// Drags the data over `w` and, if asked, drops it there, on the first widget up from it
// that takes drops, as the toolkit looks for it; whether every step was taken.
bool trascina(QWidget* w, const QMimeData& dati, bool lascia = true) {
    QWidget* b = w;
    while (!b->acceptDrops())
        b = b->parentWidget();
    const QPoint p = w->mapTo(b, QPoint(5, 5));
    const Qt::DropActions azioni = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent entra(p, azioni, &dati, Qt::LeftButton, {});
    QDragMoveEvent muove(p, azioni, &dati, Qt::LeftButton, {});
    QDropEvent cade(p, azioni, &dati, Qt::LeftButton, {});
    bool preso = true;
    for (QDropEvent* e :
         std::initializer_list<QDropEvent*>{&entra, &muove, lascia ? &cade : nullptr})
        preso = preso && (!e || (QCoreApplication::sendEvent(b, e) && e->isAccepted()));
    return preso;
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
        f->impostaAvvioEditor([this] { return ++editorAvviati > 1; });
        QGuiApplication::clipboard()->setText(QStringLiteral("appunti di prima"));
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }
    void cleanup() { f.reset(); }

    // A fixed window, centred; each ruler at its own size just above its box,
    // the slider under the rulers' extent, the bar along the bottom edge with
    // five panels side by side, every text readable whole.
    void avvio() {
        QCOMPARE(f->windowTitle(), QStringLiteral("Brivetanzia alfabetico"));
        QVERIFY(!f->windowIcon().isNull() && f->minimumSize() == f->maximumSize());
        QVERIFY(!(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(f->testoOrig() + f->testoOrdine(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        QVERIFY(!f->Slider()->isVisible() && !f->separatori()->isVisible());
        const QSlider* s = f->Slider();
        QCOMPARE(QList<int>({s->minimum(), s->maximum(), s->value(), Num_Caratteri}),
                 QList<int>({1, 100, 50, 50}));
        const QStringList testi = {Pannello1, "Separatore testo elaborato: ;", "A CAPO", "COPIA",
                                   "BLOC MAIUSC"};
        for (int n = 1, x = -1; n <= 5; x = pannello(n++)->geometry().right()) {
            QCOMPARE(pannello(n)->text(), testi[n - 1]);
            QCOMPARE(bool(pannello(n)->alignment() & Qt::AlignHCenter), n > 2); // the short ones
            QVERIFY(pannello(n)->isEnabled() == (n < 3) && pannello(n)->x() > x);
            QVERIFY(pannello(n)->height() == 17 && pannello(n)->geometry().right() < 672);
        }
        QVERIFY(testiEntrano(*f->STBar(), f->STBar()->font()));
        QCOMPARE(f->STBar()->geometry(), QRect(0, 505, 672, 17));
        QCOMPARE(f->centralWidget()->geometry(), QRect(0, f->height() - 522, 672, 522));
        QVERIFY(
            (f->geometry().center() - f->screen()->availableGeometry().center()).manhattanLength() <
            3);
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            const Righello* r = f->Img_Righello(c == f->Txt_Ordine());
            QCOMPARE(r->immagine(), disegnaRighello());
            QCOMPARE(r->geometry(), QRect(c->pos() - QPoint(0, 48), r->immagine().size()));
            QVERIFY(c->size() == QSize(625, 169) && !c->isReadOnly());
            QCOMPARE(c->sfondo(), QColor(255, 255, 192));
        }
        QVERIFY(f->Txt_Orig()->geometry().bottom() < f->Img_Righello(1)->y());
        const QRect g = s->geometry(), r = f->Img_Righello(0)->geometry();
        QVERIFY(g.left() >= r.left() - 2 && g.left() <= r.left() && g.right() <= r.right());
        QVERIFY(g.width() > r.width() * 19 / 20 && g.height() > 10 && g.bottom() < 505);
        QVERIFY(g.center().y() > f->Txt_Ordine()->geometry().bottom());
        QCOMPARE(f->Txt_Orig()->toolTip() + '|' + f->Txt_Ordine()->toolTip(),
                 QStringLiteral("Inserire il testo da ordinare|Testo ordinato"));
        // Chosen colours go to both boxes and stay when a choice is cancelled;
        // the defaults come back; the rulers never change.
        d->rispostaColore = QColor(200, 220, 240);
        m().MenuColori[0]->trigger();
        d->rispostaColore = QColor(90, 0, 0);
        m().MenuColori[1]->trigger();
        d->rispostaColore.reset();
        m().MenuColori[0]->trigger();
        QCOMPARE(d->titoliColore, (QStringList{"Colore sfondo", "Colore testo", "Colore sfondo"}));
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()})
            QVERIFY(c->sfondo() == QColor(200, 220, 240) && c->coloreTesto() == QColor(90, 0, 0));
        QCOMPARE(f->Img_Righello(1)->grab().toImage().pixelColor(1, 1), MisureRighello::sfondo());
        m().MenuColori_Def->trigger();
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()})
            QVERIFY(c->sfondo() == QColor(255, 255, 192) &&
                    c->coloreTesto() == QApplication::palette().color(QPalette::WindowText));
    }

    // The bar keeps the font it is given, made smaller only as far as its
    // texts need to fit their panels and its height.
    void carattereBarra_data() {
        QTest::addColumn<QFont>("dato");
        QFont punti, pixel;
        punti.setPointSizeF(30);
        pixel.setPixelSize(40);
        // A little narrower than usual, so that the texts fit above the floor.
        punti.setLetterSpacing(QFont::AbsoluteSpacing, -1);
        pixel.setLetterSpacing(QFont::AbsoluteSpacing, -1);
        QTest::newRow("punti") << punti;
        QTest::newRow("pixel") << pixel;
        punti.setLetterSpacing(QFont::AbsoluteSpacing, -12); // narrow, still tall
        QTest::newRow("stretto e alto") << punti;
        // Too wide at any size: the smallest that stays legible, 6 points.
        punti.setLetterSpacing(QFont::AbsoluteSpacing, 20);
        QTest::newRow("largo") << punti;
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
        QFont uno = barra.font();
        if (dato.letterSpacing() > 0) {
            QCOMPARE(uno.pointSizeF(), 6.0);
            return;
        }
        QVERIFY(testiEntrano(barra, uno));
        if (dato.pointSizeF() > 0)
            uno.setPointSizeF(uno.pointSizeF() + 0.5);
        else
            uno.setPixelSize(uno.pixelSize() + 1);
        QVERIFY2(!testiEntrano(barra, uno), qPrintable(barra.font().toString()));
    }

    // Panel 5 follows Caps Lock: at once on its key, by itself otherwise.
    void bloccoMaiuscole() {
        QVERIFY(!bloccoMaiuscoleAttivo()); // no display, nothing to read
        bool acceso = true;
        f->STBar()->impostaLetturaMaiuscole([&acceso] { return acceso; });
        acceso = false;
        QTest::keyClick(f->Txt_Orig(), Qt::Key_CapsLock);
        QCoreApplication::processEvents();
        QVERIFY(!pannello(5)->isEnabled());
        acceso = true;
        QTRY_VERIFY_WITH_TIMEOUT(pannello(5)->isEnabled(), 2000);
        QCOMPARE(pannello(5)->text() + f->testoOrig(), QStringLiteral("BLOC MAIUSC"));
    }

    // Captions and shortcut keys of every menu; "-" is a separator.
    void menu_data() {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("voci");
        const auto riga = [](const char* t, const char* v) { QTest::newRow(t) << t << v; };
        riga("&File", "Nuovo|Ctrl+N,Apri...|Ctrl+F12,Salva con nome...|,-,Quorla testo|Ctrl+O,"
                      "Blocco Note|Ctrl+B,-,Fine|Ctrl+X");
        riga("&Opzioni", "Imposta separatori lista|Ctrl+S,Imposta numero caratteri |Ctrl+I,-,"
                         "Copia automaticamente negli Appunti|Ctrl+C,-,Imposta Colori|");
        riga("Imposta Colori", "Colore sfondo|,Colore testo|,-,Ripristina valori predefiniti|");
        riga("O&rdine", "&Crescente|,&Decrescente|,-,&Numeri in ordine naturale|,&Maiuscole e "
                        "minuscole|,Ignora &punteggiatura e spazi|,Ignora &articoli iniziali|,-,"
                        "&Elimina doppioni|,&Lingua|,-,Me&scola|");
        riga("&?", "Informazioni su...|F1");
    }

    void menu() {
        QFETCH(QString, titolo);
        QFETCH(QString, voci);
        QMenu* trovato = nullptr;
        for (QMenu* candidato : f->menuBar()->findChildren<QMenu*>())
            trovato = candidato->title() == titolo ? candidato : trovato;
        QVERIFY(trovato && f->menuBar()->actions().size() == 4);
        QStringList effettive;
        for (const QAction* a : trovato->actions()) {
            effettive << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + '|' + a->shortcut().toString());
            QVERIFY(a->isEnabled() && a->isVisible());
            // The ordering items explain themselves in a tool tip.
            if (titolo == "O&rdine" && !a->isSeparator())
                QVERIFY2(a->toolTip().size() > a->text().size() + 5, qPrintable(a->text()));
        }
        QCOMPARE(effettive.join(','), voci);
    }

    // Each ordering item writes its option, shows it, and sorts the input anew.
    void voceOrdine_data() {
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QList<int>>("attese"); // verso .. mescola, as in campi below
        const auto riga = [](const char* nome, const QStringList& voci, const QList<int>& attese) {
            QTest::newRow(nome) << voci << attese;
        };
        const int unicode = Dichiarazioni::LinguaCodiciUnicode();
        riga("Decrescente", {"MenuDecrescente"}, {1, 0, 0, 0, 0, 0, 0, 0});
        riga("numeri", {"MenuNumeriNaturali"}, {0, 1, 0, 0, 0, 0, 0, 0});
        riga("punteggiatura", {"MenuIgnoraPunteggiatura"}, {0, 0, 0, 1, 0, 0, 0, 0});
        riga("articoli", {"MenuIgnoraArticoli"}, {0, 0, 0, 0, 1, 0, 0, 0});
        riga("doppioni", {"MenuDoppioni_2", "MenuDoppioni_1"}, {0, 0, 0, 0, 0, 1, 0, 0});
        riga("tutto",
             {"MenuDecrescente", "MenuMaiuscole_1", "MenuMaiuscole_2", "MenuDoppioni_2",
              "MenuLingua_1", QStringLiteral("MenuLingua_%1").arg(unicode), "MenuMescola"},
             {1, 0, 2, 0, 0, 2, unicode, 1});
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
        // Only the system's language and the Unicode order explain themselves.
        const auto& lingue = m().MenuLingua;
        QCOMPARE(lingue[0]->toolTip() + '|' + lingue[1]->toolTip() + '|' + lingue.last()->toolTip(),
                 "Segui l'ordine alfabetico della lingua del sistema|" + lingue[1]->text() +
                     "|Ordina per codice Unicode dei caratteri");
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
        MainForm altra(std::make_unique<FintiDialoghi>()); // every start from the defaults
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
        QTest::keyClick(fuoco, Qt::Key(tasto),
                        tasto == Qt::Key_F1 ? Qt::NoModifier : Qt::ControlModifier);

        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("appunti di prima"));
        const QMap<QString, QString> testi = {
            {"nuovo", "|"}, {"converti", "b a|a;b"}, {"acapo", "b a|a;b"}};
        QCOMPARE(f->testoOrig() + '|' + f->testoOrdine(), testi.value(effetto, "b a|x y"));
        const bool ordinato = effetto == "converti" || effetto == "acapo";
        if (f->isEnabled())
            QCOMPARE(QApplication::focusWidget(), ordinato             ? f->Txt_Ordine()
                                                  : effetto == "nuovo" ? f->Txt_Orig()
                                                                       : fuoco);
        QCOMPARE(fuoco->textCursor().selectedText().size(), fuoco->testo().size());
        // Who did what; a failed start of the editor says nothing.
        QCOMPARE(QList<int>({m().MenuACapo->isChecked(), f->Slider()->isVisible(),
                             pannello(3)->isEnabled(), int(d->aperture.size()), editorAvviati,
                             uscite, f->separatori()->isVisible(), !f->isEnabled(),
                             m().MenuCopiaAppunti->isChecked(), pannello(4)->isEnabled()}),
                 QList<int>({effetto == "acapo", effetto == "acapo", effetto == "acapo",
                             effetto == "apri", effetto == "editor", effetto == "fine",
                             effetto == "separatori", effetto == "separatori", effetto == "copia",
                             effetto == "copia"}));
        const QString informazioni = QStringList{"Quorla! - Brivetanzia alfabetico di testi",
                                                 "Versione 2.00", "", QUORLA_LEGAL, QUORLA_COMMENTS}
                                         .join('\r');
        QCOMPARE(scatole(*d), effetto == "informazioni"
                                  ? QStringList{informazioni + "|Brivetanzia alfabetico|10040"}
                                  : QStringList());
    }

    // Any change of the input empties the output; only a sort fills it again,
    // a double-click too, on the empty box only: on a full one it selects a word.
    // Reflow on: lines of at most the slider's length, the slider shown; a
    // user's change of the slider sorts again, the program's does not; off:
    // one run again.
    void aCapo() {
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("aa bb cc dd ee ff gg hh ii ll mm nn oo "
                                                       "pp qq rr ss tt uu vv zz"));
        CasellaTesto* c = f->Txt_Ordine();
        const QPoint inizio = c->cursorRect(QTextCursor(c->document())).center();
        QTest::mouseDClick(c->viewport(), Qt::LeftButton, {}, inizio); // empty: it sorts
        const QString unito = f->testoOrdine();
        QVERIFY(unito.size() > 50 && !unito.contains('\r'));
        QTest::mouseDClick(c->viewport(), Qt::LeftButton, {}, inizio + QPoint(3, 0)); // full
        QCOMPARE(c->textCursor().selectedText(), QStringLiteral("aa"));
        QTest::keyClick(f->Txt_Orig(), Qt::Key_Backspace);
        QTest::qWait(20);
        QCOMPARE(f->testoOrdine(), QString());
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("z"));
        ctrl(f->Txt_Ordine(), Qt::Key_I);
        QVERIFY(f->Slider()->isVisible() && pannello(3)->isEnabled());
        f->Slider()->setValue(10);
        QCOMPARE(Num_Caratteri, 50);
        QCOMPARE(righeUscita().size(), 2);
        QTest::keyClick(f->Slider(), Qt::Key_PageDown);
        QTest::keyClick(f->Slider(), Qt::Key_Right);
        QCOMPARE(Num_Caratteri, 6);
        for (const QString& riga : righeUscita())
            QVERIFY2(riga.size() <= 7, qPrintable(riga)); // the line, then " " before the break
        QCOMPARE(righeUscita().size(), 11);
        QTest::mouseClick(f->Slider(), Qt::LeftButton, {}, QPoint(f->Slider()->width() * 3 / 4, 8));
        QVERIFY(f->Slider()->value() > 6 && Num_Caratteri == f->Slider()->value());
        ctrl(f->Txt_Ordine(), Qt::Key_I);
        QVERIFY(!f->Slider()->isVisible() && !pannello(3)->isEnabled());
        QCOMPARE(f->testoOrdine(), unito);
    }

    // A result too large to be held beside the box reaches it in pieces, after
    // the old one has gone: the box shows what the engine makes of the text.
    void testoGrande() {
        QString testo;
        for (int i = 0; testo.size() <= (1 << 20); ++i)
            testo += QString::number(i * 7919 % 100003) + QLatin1String(i % 9 ? " " : "\r\n");
        f->Txt_Orig()->impostaTesto(testo);
        for (bool aCapo : {false, true}) {
            QString atteso;
            Dichiarazioni::Elabora_Testo_Flusso(testo, aCapo, [&](QStringView v) { atteso += v; });
            (aCapo ? m().MenuACapo : m().MenuConverti)->trigger();
            QCOMPARE(f->testoOrdine(), atteso);
        }
    }

    // The busy cursor is up while a long text is read or sorted, down while a
    // warning waits for the user, and gone at the end.
    void cursoreAttesa_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<QList<int>>("attese"); // reading, warning, sort, after; -1: none
        QTest::newRow("ordina 50000") << false << 50000 << QList<int>{-1, 0, 0, 0};
        QTest::newRow("ordina 50001") << false << 50001 << QList<int>{-1, 0, 1, 0};
        QTest::newRow("apri 50000") << true << 50000 << QList<int>{0, 0, 0, 0};
        QTest::newRow("apri 50001") << true << 50001 << QList<int>{1, 0, 1, 0};
    }

    void cursoreAttesa() {
        QFETCH(bool, apri);
        QFETCH(int, lunghezza);
        QFETCH(QList<int>, attese);
        // Two items, the second too long for lines of 20: the run warns.
        const QString testo = QString(lunghezza - 31, 'b') + ' ' + QString(30, 'z');
        f->Slider()->setValue(20);
        m().MenuACapo->trigger();
        m().MenuCopiaAppunti->trigger();
        int lettura = -1, ordine = -1, messaggio = -1;
        const auto attesa = [] { return int(QApplication::overrideCursor() != nullptr); };
        QObject contesto;
        connect(f->Txt_Orig(), &QPlainTextEdit::textChanged, &contesto, [&] {
            if (apri && !f->testoOrig().isEmpty())
                lettura = attesa();
        });
        // The clipboard is written at the end of the run, after the warning.
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &contesto,
                [&] { ordine = attesa(); });
        d->durataMessaggio = [&] { messaggio = attesa(); };
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("lungo.txt"));
        QVERIFY(scrivi(percorso, testo.toLatin1()));
        if (apri) {
            f->apriFile(percorso);
        } else {
            f->Txt_Orig()->impostaTesto(testo);
            m().MenuConverti->trigger();
        }
        QCOMPARE(QList<int>({lettura, messaggio, ordine, attesa()}), attese);
    }

    // OK and the close box apply the dialog, sort and give the window back;
    // Esc leaves all as it was. Meanwhile the window takes no input.
    void dialogoSeparatori_data() {
        QTest::addColumn<QString>("modo");
        for (const char* modo : {"ok", "chiusura", "esc"})
            QTest::newRow(modo) << modo;
    }

    void dialogoSeparatori() {
        QFETCH(QString, modo);
        Frm_SepElenco* dlg = f->separatori();
        f->Txt_Orig()->impostaTesto(QStringLiteral("c b,a"));
        ctrl(f->Txt_Orig(), Qt::Key_O);
        ctrl(f->Txt_Ordine(), Qt::Key_S);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(!f->isEnabled() && !f->menuBar()->isEnabled());
        QTest::keyClicks(f->Txt_Orig(), QStringLiteral("zz"));
        ctrl(dlg->Chk_Separa(0), Qt::Key_O);
        QTest::mouseDClick(f->Txt_Ordine()->viewport(), Qt::LeftButton);
        QVERIFY(!f->close() && uscite == 0);
        QCOMPARE(f->testoOrig() + '|' + f->testoOrdine(), QStringLiteral("c b,a|b,a;c"));
        dlg->Chk_Separa(5)->setChecked(true);
        if (modo == "ok")
            QTest::mouseClick(dlg->Cmd_OK(), Qt::LeftButton);
        else if (modo == "chiusura")
            dlg->close();
        else
            QTest::keyClick(dlg->Chk_Separa(5), Qt::Key_Escape);
        const bool applica = modo != "esc";
        QVERIFY(dlg->isVisible() != applica && f->isEnabled() == applica);
        QCOMPARE(pannello(1)->text(), applica ? Pannello1 + " ," : Pannello1);
        QCOMPARE(f->testoOrdine(), applica ? "a;b;c" : "b,a;c");
        if (applica)
            QTRY_COMPARE(QApplication::focusWidget(), f->Txt_Orig());
    }

    // An item too long for the lines: the warning over the window, or over the
    // separator dialog when its OK ran the sort; the engine's move of the
    // slider to its end is no click.
    void aCapoImpossibile() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("alfa beta delta gamma"));
        f->Slider()->setValue(3);
        int valoreNelMessaggio = -1;
        d->durataMessaggio = [&] { valoreNelMessaggio = f->Slider()->value(); };
        m().MenuACapo->trigger();
        QCOMPARE(scatole(*d), QStringList{"Impossibile formattare il testo|Quorla!|10030"});
        QCOMPARE(QList<int>({valoreNelMessaggio, f->Slider()->value(), Num_Caratteri}),
                 QList<int>({3, 100, 3}));
        QCOMPARE(f->testoOrdine(), QStringLiteral("alfa;beta;delta;gamma"));
        m().MenuSeparatori->trigger();
        f->separatori()->Cmd_OK()->click();
        QCOMPARE(d->messaggi.size(), 2);
        QVERIFY(d->messaggi[0].padre == f.get() && d->messaggi[1].padre == f->separatori());
    }

    // "Apri..." and "Salva con nome...": the dialog as asked, then the text
    // sorted or written, or the warning. With "Invio" splitting, a file's
    // lines are its items.
    void file_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("uscita"); // a warning's text after the path
        const auto riga = [](const char* t, const char* u) { QTest::newRow(t) << t << u; };
        riga("apri", "banana;cotta;kiwi;mela;pera");
        riga("righe", "banana;kiwi mela;pera cotta");
        riga("annullato", "a;b");
        riga("cartella", " non è compatibile.");
        riga("sparso", " è troppo grande: si possono aprire file fino a 1024 MB.");
        riga("salva", "a;b");
        riga("manca/v.txt", "");
    }

    void file() {
        QFETCH(QString, tipo);
        QFETCH(QString, uscita);
        const bool apri = tipo != "salva" && tipo != "manca/v.txt";
        QTemporaryDir cartella;
        const QString percorso =
            tipo == "cartella" ? cartella.path() : cartella.filePath(apri ? "v.txt" : tipo);
        QFile file(percorso);
        if (apri && tipo != "cartella" && tipo != "annullato") {
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write("pera cotta\r\nbanana\nkiwi mela;\n"));
            QVERIFY(tipo != "sparso" || file.resize((qint64(1) << 30) + 1));
            file.close();
        }
        if (tipo == "righe") {
            f->separatori()->Chk_Separa(0)->setChecked(false);
            f->separatori()->Chk_Separa(Dichiarazioni::IndiceInvio)->setChecked(true);
            f->separatori()->Cmd_OK()->click();
        }
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a"));
        m().MenuConverti->trigger();
        d->rispostaApri = d->rispostaSalva = percorso;
        if (tipo == "annullato")
            d->rispostaApri.reset();
        (apri ? m().MenuApri : m().MenuSalvaNome)->trigger();

        const auto& usi = apri ? d->aperture : d->salvataggi;
        QCOMPARE(usi.size(), 1);
        const Dialoghi::OpzioniFile& o = usi[0];
        QCOMPARE(o.titolo, apri ? QStringLiteral("Apri") : QStringLiteral("Salva con nome"));
        QCOMPARE(o.filtri, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(o.nomeIniziale + o.estensione, QStringLiteral("*.txttxt"));
        QCOMPARE(o.cartella, QCoreApplication::applicationDirPath());
        QVERIFY(o.deveEsistere == apri && o.chiediSovrascrittura == !apri);
        const bool avviso = uscita.startsWith(' ') || uscita.isEmpty();
        const QString attesa = (apri ? "Attenzione, Il file " + percorso + uscita
                                     : "Attenzione, Errore occorso durante il salvataggio dei "
                                       "dati nel file " +
                                           percorso) +
                               "|Quorla!|10030";
        QCOMPARE(scatole(*d), avviso ? QStringList{attesa} : QStringList());
        QCOMPARE(f->testoOrdine(), avviso ? (apri ? QString() : "a;b") : uscita);
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll() == "a;b", tipo == "salva");
    }

    // A file dropped anywhere on the window opens as "Apri..." would open it,
    // on a text box too, which would otherwise take its name for text; text
    // dropped on the input box goes in as a paste would, and opens nothing.
    void trascinamento_data() {
        QTest::addColumn<QString>("dove");
        for (const char* dove : {"Txt_Ordine", "Img_Righello_0", "Txt_Orig"}) // the last: text
            QTest::newRow(dove) << dove;
    }

    void trascinamento() {
        QFETCH(QString, dove);
        const bool file = dove != "Txt_Orig";
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath("voci.txt");
        QVERIFY(scrivi(percorso, "pera mela\r\nbanana\r\n"));
        QWidget* w = f->findChild<QWidget*>(dove);
        if (auto* casella = qobject_cast<CasellaTesto*>(w))
            w = casella->viewport();
        f->Txt_Orig()->impostaTesto(QStringLiteral("vecchio"));
        f->Txt_Ordine()->impostaTesto(QStringLiteral("uscita"));
        QMimeData dati;
        if (file)
            dati.setUrls({QUrl("https://esempio.it/altro.txt"), QUrl::fromLocalFile(percorso)});
        dati.setText(file ? percorso : QStringLiteral("pera\r\nmela"));
        QVERIFY(trascina(w, dati, false)); // only passing over: nothing opens
        QCoreApplication::processEvents();
        QCOMPARE(f->testoOrig(), QStringLiteral("vecchio"));
        QVERIFY(trascina(w, dati));
        QTRY_COMPARE(f->testoOrdine(), file ? "banana;mela;pera" : "");
        QCOMPARE(f->testoOrig(), file ? "pera mela banana" : "pera\r\nmelavecchio");
        QVERIFY(d->messaggi.isEmpty());
    }

    // Closing asks nothing and ends the program; the real way out leaves the
    // event loop without the separator dialog's close handling.
    void uscita() {
        f->Txt_Orig()->impostaTesto(QStringLiteral("non salvato"));
        QVERIFY(!f->close() && uscite == 1 && d->messaggi.isEmpty());
        f.reset();
        MainForm finestra(std::make_unique<FintiDialoghi>());
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        finestra.menu().MenuSeparatori->trigger();
        QSignalSpy conferme(finestra.separatori(), &Frm_SepElenco::confermato);
        QTimer::singleShot(0, &finestra, [&finestra] { finestra.menu().MenuFine->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(conferme.isEmpty() && !finestra.isVisible() && !finestra.separatori()->isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
