#include "BarraStato.h"
#include "Controlli.h"
#include "Disegni.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "Impostazioni.h"
#include "MainForm.h"
#include "Motore.h"
#include "VersioneQuorla.h"

#include <QtTest>
#include <QtWidgets>

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

// Everything a user can see of the window's settings, one line each.
QStringList stato(const MainForm& f) {
    QStringList s;
    for (const QAction* a : f.menuBar()->findChildren<QAction*>())
        s << QStringLiteral("%1=%2%3").arg(a->objectName()).arg(a->isChecked()).arg(a->isEnabled());
    const Frm_SepElenco* g = f.separatori();
    for (const QAbstractButton* b : g->findChildren<QAbstractButton*>())
        s << b->text() + '=' + QString::number(b->isChecked());
    for (const CasellaTesto* c : {f.Txt_Orig(), f.Txt_Ordine()})
        s << c->sfondo().name() + c->coloreTesto().name();
    for (int n : {int(f.STBar()->pannello(3)->isEnabled()),
                  int(f.STBar()->pannello(4)->isEnabled()), f.Num_Caratteri(), f.Slider()->value(),
                  int(f.Slider()->isVisibleTo(&f)), f.geometry().x(), f.geometry().y()})
        s << QString::number(n);
    return s;
}

// Whether every text of the bar fits whole in its panel's frame and indent at the font.
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

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
    std::unique_ptr<MainForm> f;
    FintiDialoghi* d = nullptr;
    std::unique_ptr<QTemporaryDir> configurazione; // each test starts as a first run does
    int uscite = 0, editorAvviati = 0;

    const MainForm::VociMenu& m() const { return f->menu(); }
    QLabel* pannello(int n) const { return f->STBar()->pannello(n); }
    void ctrl(QWidget* w, Qt::Key tasto) { QTest::keyClick(w, tasto, Qt::ControlModifier); }
    QStringList righeUscita() const { return f->testoOrdine().split(QStringLiteral("\r\n")); }
    // A start of the program, on the settings the last one left.
    void avvia() {
        f.reset();
        auto dialoghi = std::make_unique<FintiDialoghi>();
        d = dialoghi.get();
        f = std::make_unique<MainForm>(std::move(dialoghi));
        uscite = editorAvviati = 0;
        f->impostaUscita([this] { ++uscite; });
        f->impostaAvvioEditor([this] { return ++editorAvviati > 1; });
        f->show();
    }
    QString fileImpostazioni() const { return configurazione->filePath("quorla/quorla.conf"); }
    QString cartellaApri() { // where the next "Apri..." starts
        d->rispostaApri.reset();
        m().MenuApri->trigger();
        return d->aperture.last().cartella;
    }

private slots:
    void init() {
        configurazione = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", configurazione->path().toLocal8Bit());
        QGuiApplication::clipboard()->setText(QStringLiteral("appunti di prima"));
        avvia();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }
    void cleanup() {
        f.reset();
        configurazione.reset();
    }

    // A fixed, centred window: rulers above their boxes, the slider under them, five panels.
    void avvio() {
        QCOMPARE(f->windowTitle(), QStringLiteral("Brivetanzia alfabetico"));
        QVERIFY(!f->windowIcon().isNull() && f->minimumSize() == f->maximumSize() &&
                !(f->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(QApplication::focusWidget(), f->Txt_Orig());
        const QSlider* s = f->Slider();
        QCOMPARE(QList<int>({s->minimum(), s->maximum(), s->value(), f->Num_Caratteri()}),
                 QList<int>({1, 100, 50, 50}));
        const QStringList testi = {Pannello1, "Separatore testo elaborato: ;", "A CAPO", "COPIA",
                                   "BLOC MAIUSC"};
        for (int n = 1, x = -1; n <= 5; x = pannello(n++)->geometry().right()) {
            QCOMPARE(pannello(n)->text(), testi[n - 1]);
            QCOMPARE(bool(pannello(n)->alignment() & Qt::AlignHCenter), n > 2); // the short ones
            QVERIFY(pannello(n)->isEnabled() == (n < 3) && pannello(n)->x() > x);
            QVERIFY(pannello(n)->height() == 17 && pannello(n)->geometry().right() < 672);
        }
        // Panel 5 follows Caps Lock: at once on its key, by itself otherwise.
        bool acceso = true;
        f->STBar()->impostaLetturaMaiuscole([&acceso] { return acceso; });
        acceso = false;
        QTest::keyClick(f->Txt_Orig(), Qt::Key_CapsLock);
        QCoreApplication::processEvents();
        QVERIFY(!pannello(5)->isEnabled() && !bloccoMaiuscoleAttivo()); // no display here
        acceso = true;
        QTRY_VERIFY_WITH_TIMEOUT(pannello(5)->isEnabled(), 2000);
        QCOMPARE(f->testoOrig() + f->testoOrdine(), QString()); // the key typed nothing
        QVERIFY(testiEntrano(*f->STBar(), f->STBar()->font()));
        QCOMPARE(f->STBar()->geometry(), QRect(0, 505, 672, 17));
        QCOMPARE(f->centralWidget()->geometry(), QRect(0, f->height() - 522, 672, 522));
        const QPoint scarto = f->geometry().center() - f->screen()->availableGeometry().center();
        QVERIFY(scarto.manhattanLength() < 3);
        for (CasellaTesto* c : {f->Txt_Orig(), f->Txt_Ordine()}) {
            Righello* r = f->Img_Righello(c == f->Txt_Ordine());
            QCOMPARE(r->grab().toImage().convertToFormat(QImage::Format_RGB32), disegnaRighello());
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
        // Chosen colours go to both boxes, stay when one is cancelled; the rulers keep theirs.
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

    // The bar's font shrinks only as far as its texts need to fit; too wide at any size
    // (spacing 20), it stops at the smallest legible one, 6 points or 8 pixels.
    void carattereBarra_data() {
        QTest::addColumn<QFont>("dato");
        for (int spaziatura : {-1, -12, 20})
            for (bool pixel : {false, true}) {
                QFont c;
                pixel ? c.setPixelSize(40) : c.setPointSizeF(30);
                c.setLetterSpacing(QFont::AbsoluteSpacing, spaziatura);
                QTest::addRow("%s %d", pixel ? "pixel" : "punti", spaziatura) << c;
            }
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
            QCOMPARE(dato.pointSizeF() > 0 ? uno.pointSizeF() : uno.pixelSize() * 0.75, 6.0);
            return;
        }
        QVERIFY(testiEntrano(barra, uno));
        dato.pointSizeF() > 0 ? uno.setPointSizeF(uno.pointSizeF() + 0.5)
                              : uno.setPixelSize(uno.pixelSize() + 1);
        QVERIFY2(!testiEntrano(barra, uno), qPrintable(barra.font().toString()));
    }

    // The items of every menu; "-" is a separator (the keys: acceleratori).
    void menu_data() {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("voci");
        const auto riga = [](const char* t, const char* v) { QTest::newRow(t) << t << v; };
        riga("&File", "Nuovo,Apri...,Salva con nome...,-,Quorla testo,Blocco Note,-,Fine");
        riga("&Opzioni",
             "Imposta separatori lista,Imposta numero caratteri ,-,Copia automaticamente "
             "negli Appunti,-,Imposta Colori,-,&Ripristina impostazioni iniziali");
        riga("Imposta Colori", "Colore sfondo,Colore testo,-,Ripristina valori predefiniti");
        riga("O&rdine", "&Crescente,&Decrescente,Come nel &testo,&Inverti,Me&scola,-,&Numeri in "
                        "ordine naturale,&Maiuscole e minuscole,Ignora &punteggiatura e spazi,"
                        "Ignora &articoli iniziali,-,D&oppioni,&Lingua,-,Prime N &voci ferme...,-,"
                        "Voc&e intera,Ordina pe&r...");
        riga("&Maiuscole e minuscole", "&Come la lingua,&Maiuscole prima,M&inuscole prima");
        riga("D&oppioni",
             "&Tienili tutti,&Elimina,Solo quelli &ripetuti,Solo quelli &unici,&Conta,-,"
             "&Anche con maiuscole e accenti diversi,Dalla più &frequente");
        riga("&?", "Informazioni su...");
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
            effettive << (a->isSeparator() ? QStringLiteral("-") : a->text());
            // Only a count has an order of frequency; the ordering items have tool tips.
            QVERIFY(a->isEnabled() == (a != m().MenuPerFrequenza) && a->isVisible());
            if ((titolo == "O&rdine" || titolo == "D&oppioni") && !a->isSeparator())
                QVERIFY2(a->toolTip().size() > a->text().size() + 5, qPrintable(a->text()));
        }
        QCOMPARE(effettive.join(','), voci);
    }

    // Each ordering item writes its option, shows it, and sorts the input anew.
    void voceOrdine_data() {
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QList<int>>("attese"); // verso .. lingua, as in campi below
        const auto riga = [](const char* nome, const QStringList& voci, const QList<int>& attese) {
            QTest::newRow(nome) << voci << attese;
        };
        const int unicode = Motore::linguaCodiciUnicode();
        riga("numeri, punteggiatura, articoli",
             {"MenuNumeriNaturali", "MenuIgnoraPunteggiatura", "MenuIgnoraArticoli"},
             {0, 1, 0, 1, 1, 0, 0, 0, 0});
        riga("doppioni", {"MenuDoppioni_4", "MenuSimili", "MenuPerFrequenza", "MenuDoppioni_1"},
             {0, 0, 0, 0, 0, 1, 1, 1, 0});
        riga("tutto",
             {"MenuDecrescente", "MenuMaiuscole_1", "MenuMaiuscole_2", "MenuDoppioni_2",
              "MenuLingua_1", QStringLiteral("MenuLingua_%1").arg(unicode), "MenuInverti",
              "MenuMescola"},
             {4, 0, 2, 0, 0, 2, 0, 0, unicode});
    }
    void voceOrdine() {
        QFETCH(QStringList, voci);
        QFETCH(QList<int>, attese);
        const auto campi = [this] {
            const auto& o = f->opzioni().ordine;
            return QList<int>{
                int(o.verso),     o.numeriNaturali, int(o.maiuscole), o.ignoraPunteggiatura,
                o.ignoraArticoli, int(o.doppioni),  o.simili,         o.perFrequenza,
                o.lingua};
        };
        QVERIFY(m().MenuCrescente->isChecked() && m().MenuLingua[0]->isChecked());
        // Only the system's language and the Unicode order explain themselves.
        const auto& lingue = m().MenuLingua;
        QCOMPARE(lingue[0]->toolTip() + '|' + lingue[1]->toolTip() + '|' + lingue.last()->toolTip(),
                 "Segui l'ordine alfabetico della lingua del sistema|" + lingue[1]->text() +
                     "|Ordina per codice Unicode dei caratteri");
        const QString testo = QStringLiteral("c10 B l'a il b a c9 A b, c10");
        for (const QString& nome : voci) {
            f->Txt_Orig()->impostaTesto(testo);
            f->findChild<QAction*>(nome)->trigger();
            Motore::UscitaTesto atteso;
            Motore::ordina(testo, f->opzioni(), atteso);
            // A shuffle is new at every run: the same items, then.
            QStringList visto = f->testoOrdine().split(u';'), previsto = atteso.testo.split(u';');
            if (f->opzioni().ordine.verso == Motore::Verso::Mescola)
                visto.sort(), previsto.sort();
            QCOMPARE(visto, previsto);
            QVERIFY(f->findChild<QAction*>(nome)->isChecked());
        }
        QCOMPARE(campi(), attese);
        QCOMPARE(m().MenuPerFrequenza->isEnabled(), attese[5] == int(Motore::Doppioni::Conta));
        // A window that remembers nothing starts from the defaults; the real way out leaves
        // the event loop without the separator dialog's close handling.
        MainForm altra(std::make_unique<FintiDialoghi>(), QString());
        QVERIFY(altra.opzioni() == Motore::Opzioni{});
        altra.show();
        altra.menu().MenuSeparatori->trigger();
        QSignalSpy conferme(altra.separatori(), &Frm_SepElenco::confermato);
        QTimer::singleShot(0, &altra, [&altra] { altra.menu().MenuFine->trigger(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(conferme.isEmpty() && !altra.isVisible() && !altra.separatori()->isVisible());
    }

    // Order and duplicates through the menu; "N=2" answers 2 to "Prime N voci ferme...". The
    // old "Identici" (vecchio 0) and "Anche con maiuscole..." (1) give what they always gave.
    void versoEDoppioni_data() {
        QTest::addColumn<QStringList>("voci");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("vecchio");
        const auto riga = [](const char* nome, const char* voci, const char* atteso,
                             int vecchio = -1) {
            QStringList nomi = QString(voci).split(' ');
            for (QString& n : nomi)
                n = n.startsWith("N=") ? n : "Menu" + n;
            QTest::newRow(nome) << nomi << QString(atteso) << vecchio;
        };
        riga("testo", "ComeNelTesto", "pera;Mela;pera;kiwi;mela;pera;banana;Kiwi");
        riga("inverti elimina", "Inverti Doppioni_1", "Kiwi;banana;mela;kiwi;Mela;pera");
        riga("tutti Z-A", "Doppioni_1 Doppioni_0 Decrescente",
             "pera;pera;pera;Mela;mela;Kiwi;kiwi;banana");
        riga("elimina", "Doppioni_1", "banana;kiwi;Kiwi;mela;Mela;pera", 0);
        riga("simili Z-A", "Simili Decrescente Doppioni_1", "pera;Mela;kiwi;banana", 1);
        riga("unici", "Doppioni_3", "banana;kiwi;Kiwi;mela;Mela");
        riga("frequenza Z-A", "Doppioni_4 PerFrequenza Simili Decrescente",
             "banana (1);Mela (2);kiwi (2);pera (3)");
        riga("prime 2", "N=2", "pera;Mela;banana;kiwi;Kiwi;mela;pera;pera");
        riga("prime 2, poi 0", "N=2 N=0", "banana;kiwi;Kiwi;mela;Mela;pera;pera;pera");
    }
    void versoEDoppioni() {
        QFETCH(QStringList, voci);
        QFETCH(QString, atteso);
        QFETCH(int, vecchio);
        f->Txt_Orig()->impostaTesto("pera Mela pera kiwi mela pera banana Kiwi");
        for (const QString& voce : voci) {
            d->rispostaNumero = voce.mid(2).toInt();
            (voce.startsWith("N=") ? m().MenuIntestazione : f->findChild<QAction*>(voce))
                ->trigger();
        }
        QCOMPARE(f->testoOrdine(), atteso);
        // The number is asked from the current one; a cancelled question changes nothing.
        if (voci.endsWith("N=0"))
            QCOMPARE(d->numeri.last(), "Prime N voci ferme|&Voci che restano in testa, come sono "
                                       "(0: nessuna):|2|0|99");
        d->rispostaNumero.reset();
        m().MenuIntestazione->trigger();
        QCOMPARE(f->testoOrdine(), atteso);
        QCOMPARE(m().MenuIntestazione->isChecked(), voci.endsWith("N=2"));
        Motore::Opzioni prima; // the options the old item set
        prima.ordine = {.verso = f->opzioni().ordine.verso,
                        .doppioni = Motore::Doppioni::Elimina,
                        .simili = vecchio == 1};
        QVERIFY(vecchio < 0 || f->opzioni() == prima);
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
        for (int casella = 0; casella < 2; ++casella)
            for (const auto& [tasto, effetto] : tasti)
                QTest::addRow("%s %d", effetto, casella) << casella << tasto << QString(effetto);
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
        const auto e = [&effetto](const char* x) { return int(effetto == x); };
        QCOMPARE(QList<int>({m().MenuACapo->isChecked(), f->Slider()->isVisible(),
                             pannello(3)->isEnabled(), int(d->aperture.size()), editorAvviati,
                             uscite, f->separatori()->isVisible(), !f->isEnabled(),
                             m().MenuCopiaAppunti->isChecked(), pannello(4)->isEnabled()}),
                 QList<int>({e("acapo"), e("acapo"), e("acapo"), e("apri"), e("editor"), e("fine"),
                             e("separatori"), e("separatori"), e("copia"), e("copia")}));
        const QString informazioni = QStringList{"Quorla! - Brivetanzia alfabetico di testi",
                                                 "Versione 2.00", "", QUORLA_LEGAL, QUORLA_COMMENTS}
                                         .join('\r');
        QCOMPARE(scatole(*d), effetto == "informazioni"
                                  ? QStringList{informazioni + "|Brivetanzia alfabetico|10040"}
                                  : QStringList());
    }

    // A change of the input empties the output; a double-click on it empty sorts; reflow on,
    // lines of at most the slider's length, which a user's move sorts again.
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
        QCOMPARE(f->Num_Caratteri(), 50);
        QCOMPARE(righeUscita().size(), 2);
        QTest::keyClick(f->Slider(), Qt::Key_PageDown);
        QTest::keyClick(f->Slider(), Qt::Key_Right);
        QCOMPARE(f->Num_Caratteri(), 6);
        for (const QString& riga : righeUscita())
            QVERIFY2(riga.size() <= 7, qPrintable(riga)); // the line, then " " before the break
        QCOMPARE(righeUscita().size(), 11);
        QTest::mouseClick(f->Slider(), Qt::LeftButton, {}, QPoint(f->Slider()->width() * 3 / 4, 8));
        QVERIFY(f->Slider()->value() > 6 && f->Num_Caratteri() == f->Slider()->value());
        ctrl(f->Txt_Ordine(), Qt::Key_I);
        QVERIFY(!f->Slider()->isVisible() && !pannello(3)->isEnabled());
        QCOMPARE(f->testoOrdine(), unito);
    }

    // A result too large to be held beside the box reaches it whole, in pieces.
    void testoGrande() {
        QString testo;
        for (int i = 0; testo.size() <= (1 << 20); ++i)
            testo += QString::number(i * 7919 % 100003) + QLatin1String(i % 9 ? " " : "\r\n");
        f->Txt_Orig()->impostaTesto(testo);
        for (bool aCapo : {false, true}) {
            Motore::Opzioni o;
            if (aCapo)
                o.larghezza = 50;
            Motore::UscitaTesto atteso;
            Motore::ordina(testo, o, atteso);
            (aCapo ? m().MenuACapo : m().MenuConverti)->trigger();
            QCOMPARE(f->testoOrdine(), atteso.testo);
        }
    }

    // A file dropped on the input box opens as with "Apri...".
    void trascina() {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("v.txt"));
        QVERIFY(scrivi(percorso, "b a") && f->acceptDrops());
        QMimeData dati;
        dati.setUrls({QUrl::fromLocalFile(percorso)});
        QDragEnterEvent entra({2, 2}, Qt::CopyAction, &dati, Qt::LeftButton, {});
        QDropEvent cade({2, 2}, Qt::CopyAction, &dati, Qt::LeftButton, {});
        for (QEvent* evento : {static_cast<QEvent*>(&entra), static_cast<QEvent*>(&cade)})
            QApplication::sendEvent(f->Txt_Orig()->viewport(), evento);
        QTRY_COMPARE(f->testoOrig() + '|' + f->testoOrdine(), QStringLiteral("b a|a;b"));
    }

    // The busy cursor is up while a long text is read or sorted, down while the warning of an
    // item too long for the lines waits (over the window or the dialog whose OK ran the sort).
    void cursoreAttesa_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<QList<int>>("attese"); // reading, sort; -1: none
        QTest::newRow("ordina 50000") << "menu" << 50000 << QList<int>{-1, 0};
        QTest::newRow("ordina 50001") << "menu" << 50001 << QList<int>{-1, 1};
        QTest::newRow("separatori") << "separatori" << 50001 << QList<int>{-1, 1};
        QTest::newRow("apri 50000") << "apri" << 50000 << QList<int>{0, 0};
        QTest::newRow("apri 50001") << "apri" << 50001 << QList<int>{1, 1};
    }
    void cursoreAttesa() {
        QFETCH(QString, via);
        QFETCH(int, lunghezza);
        QFETCH(QList<int>, attese);
        // Two items, the second too long for lines of 20: the run warns.
        const QString testo = QString(lunghezza - 31, 'b') + ' ' + QString(30, 'z');
        f->Slider()->setValue(20);
        m().MenuACapo->trigger();
        m().MenuCopiaAppunti->trigger();
        int lettura = -1, ordine = -1;
        QList<int> nelMessaggio; // the busy cursor, the slider
        const auto attesa = [] { return int(QApplication::overrideCursor() != nullptr); };
        QObject contesto;
        connect(f->Txt_Orig(), &QPlainTextEdit::textChanged, &contesto, [&] {
            if (via == "apri" && !f->testoOrig().isEmpty())
                lettura = attesa();
        });
        // The clipboard is written at the end of the run, after the warning.
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &contesto,
                [&] { ordine = attesa(); });
        d->durataMessaggio = [&] { nelMessaggio = {attesa(), f->Slider()->value()}; };
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("lungo.txt"));
        QVERIFY(scrivi(percorso, testo.toLatin1()));
        if (via == "apri") {
            f->apriFile(percorso);
        } else {
            f->Txt_Orig()->impostaTesto(testo);
            (via == "menu" ? m().MenuConverti : m().MenuSeparatori)->trigger();
            if (via == "separatori")
                f->separatori()->Cmd_OK()->click();
        }
        QCOMPARE(QList<int>({lettura, ordine}), attese);
        QCOMPARE(scatole(*d), QStringList{"Impossibile formattare il testo|Quorla!|10030"});
        QVERIFY(d->messaggi[0].padre ==
                (via == "separatori" ? static_cast<QWidget*>(f->separatori()) : f.get()));
        // After it: no busy cursor, the slider at its end, the length unchanged.
        QCOMPARE(nelMessaggio + QList<int>({attesa(), f->Slider()->value(), f->Num_Caratteri()}),
                 QList<int>({0, 20, 0, 100, 20}));
        QCOMPARE(f->testoOrdine().size(), qsizetype(lunghezza));
    }

    // OK and the close box apply the dialog and sort; Esc does not; meanwhile no input.
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
        QVERIFY(QTest::qWaitForWindowActive(dlg) && !f->isEnabled() && !f->menuBar()->isEnabled());
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
        // Closing asks nothing and ends the program, once the window takes input.
        QVERIFY(!f->close() && uscite == int(applica) && d->messaggi.isEmpty());
    }

    // The first two panels name the separators the dialog's OK applied, in catalogue order.
    void pannelli_data() {
        QTest::addColumn<QList<int>>("ingresso");
        QTest::addColumn<int>("uscita");
        QTest::addColumn<bool>("spazio");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("tutti") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << 3
                               << false << "\"Spazio\" \"Invio\" \"Tab\" ; : , . ! ? < > / \\ |#;";
        QTest::newRow("nessuno, Invio e spazio")
            << QList<int>{} << 1 << true << "Nessuno#\"Invio\"";
        QTest::newRow("punto e virgola e spazio")
            << QList<int>{0} << 3 << true << "\"Spazio\"#\"; \"";
    }
    void pannelli() {
        QFETCH(QList<int>, ingresso);
        QFETCH(int, uscita);
        QFETCH(bool, spazio);
        QFETCH(QString, atteso);
        Frm_SepElenco* dlg = f->separatori();
        m().MenuSeparatori->trigger();
        for (int i = 0; i < Motore::NumSeparatori; ++i)
            dlg->Chk_Separa(i)->setChecked(ingresso.contains(i));
        dlg->Opt_Separatore_Out(uscita)->setChecked(true);
        dlg->Chk_Spazio()->setChecked(spazio);
        dlg->Cmd_OK()->click();
        QCOMPARE(pannello(1)->text() + '#' + pannello(2)->text(),
                 "Separatori testo inserito: " + atteso.section('#', 0, 0) +
                     "#Separatore testo elaborato: " + atteso.section('#', 1));
    }

    // "Apri..." and "Salva con nome...": the dialog, then the text sorted or written, or the
    // warning. With "Invio" splitting, a file's lines are its items.
    void file_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("uscita"); // or the warning, %1 the path
        const auto riga = [](const char* t, const char* u) { QTest::newRow(t) << t << u; };
        riga("apri", "banana;cotta;kiwi;mela;pera");
        riga("righe", "banana;kiwi mela;pera cotta");
        riga("annullato", "a;b");
        riga("cartella", "Attenzione, Il file %1 non è compatibile.");
        riga("sparso", "Attenzione, Il file %1 è troppo grande: si possono aprire file fino a "
                       "1024 MB.");
        riga("salva", "a;b");
        riga("manca/v.txt", "Attenzione, Errore occorso durante il salvataggio dei dati nel file "
                            "%1\r\nLa cartella non esiste");
    }
    void file() {
        QFETCH(QString, tipo);
        QFETCH(QString, uscita);
        const bool apri = tipo != "salva" && tipo != "manca/v.txt";
        QTemporaryDir cartella;
        const QString percorso =
            tipo == "cartella" ? cartella.path() : cartella.filePath(apri ? "v.txt" : tipo);
        if (apri && tipo != "cartella" && tipo != "annullato")
            QVERIFY(scrivi(percorso, "pera cotta\r\nbanana\nkiwi mela;\n") &&
                    (tipo != "sparso" || QFile::resize(percorso, (qint64(1) << 30) + 1)));
        if (tipo == "righe") {
            f->separatori()->Chk_Separa(0)->setChecked(false);
            f->separatori()->Chk_Separa(Motore::indice(Motore::Sep::Invio))->setChecked(true);
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
        const bool avviso = uscita.contains("%1");
        QCOMPARE(scatole(*d),
                 avviso ? QStringList{uscita.arg(percorso) + "|Quorla!|10030"} : QStringList());
        QCOMPARE(f->testoOrdine(), avviso ? (apri ? QString() : "a;b") : uscita);
        QFile file(percorso);
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.read(4) == "a;b", tipo == "salva");
    }

    // Every choice survives a restart under the README's keys; nothing changed, nothing
    // written; "Ripristina impostazioni iniziali" brings a first run back.
    void impostazioni() {
        QCOMPARE(percorsoImpostazioni(), fileImpostazioni());
        const QStringList iniziale = stato(*f);
        const QString primaCartella = cartellaApri();
        m().MenuFine->trigger();
        QVERIFY(!QFile::exists(fileImpostazioni()) && uscite == 1);
        for (QAction* a :
             {m().MenuInverti, m().MenuNumeriNaturali, m().MenuMaiuscole[1],
              m().MenuIgnoraPunteggiatura, m().MenuIgnoraArticoli, m().MenuDoppioni[4],
              m().MenuSimili, m().MenuPerFrequenza, m().MenuLingua[3], m().MenuCopiaAppunti})
            a->trigger();
        d->rispostaNumero = 7;
        m().MenuIntestazione->trigger();
        Frm_SepElenco* g = f->separatori();
        g->Chk_Separa(0)->setChecked(false);
        g->Chk_Separa(1)->setChecked(true);
        g->Opt_Separatore_Out(5)->setChecked(true);
        g->Chk_Spazio()->setChecked(true);
        g->Opt_Capo(1)->setChecked(true);
        g->Opt_Ultimo(1)->setChecked(true);
        g->Cmd_OK()->click();
        f->Slider()->setValue(33);
        m().MenuACapo->trigger();
        d->rispostaColore = QColor(10, 20, 30);
        m().MenuColori[0]->trigger();
        m().MenuColori[1]->trigger();
        QTemporaryDir documenti;
        d->rispostaApri = documenti.filePath(QStringLiteral("v.txt"));
        m().MenuApri->trigger();
        f->setGeometry(QRect(QPoint(7, 9), f->size()));
        m().MenuFine->trigger();
        const QStringList scelto = stato(*f);
        const Motore::Opzioni opzioni = f->opzioni();
        avvia();
        QVERIFY(stato(*f) == scelto && f->opzioni() == opzioni);
        QCOMPARE(cartellaApri(), documenti.path());
        QSettings file(fileImpostazioni(), QSettings::IniFormat);
        QStringList righe;
        for (const QString& chiave : file.allKeys())
            righe << chiave + '=' + file.value(chiave).toString();
        righe.sort();
        QCOMPARE(righe.join(' ').replace(documenti.path(), "DOC"),
                 "finestra/aCapo=true finestra/caratteri=33 finestra/cartella=DOC "
                 "finestra/coloreTesto=#0a141e finestra/copia=true finestra/posizione=7,9 "
                 "finestra/sfondo=#0a141e ordine/doppioni=conta ordine/ignoraArticoli=true "
                 "ordine/ignoraPunteggiatura=true ordine/intestazione=7 ordine/lingua=de "
                 "ordine/maiuscole=prima ordine/numeriNaturali=true ordine/perFrequenza=true "
                 "ordine/simili=true ordine/verso=inverti separatori/fineRiga=uscita "
                 "separatori/fineTesto=uscita separatori/ingresso=invio,punto-e-virgola "
                 "separatori/spazioDopo=true separatori/uscita=virgola versione=1");
        f->Txt_Orig()->impostaTesto(QStringLiteral("b a c"));
        m().MenuRipristina->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("a;b;c"));
        for (int riavvio = 0; riavvio < 2; avvia(), ++riavvio) {
            QCOMPARE(stato(*f), iniziale);
            QVERIFY(f->opzioni() == Motore::Opzioni{} && cartellaApri() == primaCartella);
        }
    }

    // An unusable file: start values and a note on stderr for what is wrong, no box.
    void fileInservibile_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QStringList>("note");
        const QString tutto = "il file delle impostazioni .* è %1; si usano quelle iniziali";
        QTest::newRow("danneggiato")
            << QByteArray("\x00\x01\xff[[[\n=\nversione=1\n[ordine\nverso=decrescente\n", 44)
            << QStringList{tutto.arg("danneggiato")};
        QTest::newRow("altra versione")
            << QByteArray("versione=2\nsuo=1\n[ordine]\nverso=decrescente\n")
            << QStringList{tutto.arg("di un'altra versione del programma")};
        QStringList note;
        for (const char* c :
             {"ordine/verso", "ordine/numeriNaturali", "ordine/intestazione", "ordine/lingua",
              "separatori/ingresso", "finestra/caratteri", "finestra/sfondo"})
            note << QStringLiteral("valore non valido per %1 in .*; si usa quello iniziale").arg(c);
        QTest::newRow("fuori dai limiti")
            << QByteArray("versione=1\n[ordine]\nverso=sottosopra\nnumeriNaturali=forse\n"
                          "simili=true\nintestazione=100\nlingua=xx\n[separatori]\n"
                          "ingresso=spazio,niente\nuscita=virgola\n[finestra]\ncaratteri=0\n"
                          "sfondo=giallo\ncoloreTesto=#102030\nposizione=5000,5000\n")
            << note;
    }
    void fileInservibile() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QStringList, note);
        QDir().mkpath(configurazione->filePath("quorla"));
        QVERIFY(scrivi(fileImpostazioni(), contenuto));
        for (const QString& nota : note)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^quorla: " + nota + '$'));
        QTest::failOnWarning(QRegularExpression("^quorla: ")); // and no other note
        avvia();
        const bool parziale = note.size() > 1;
        Motore::Opzioni attese;
        attese.ordine.simili = parziale;
        attese.uscita =
            Motore::indice(parziale ? Motore::Sep::Virgola : Motore::Sep::PuntoEVirgola);
        QVERIFY(f->opzioni() == attese && f->Num_Caratteri() == 50);
        QCOMPARE(f->Txt_Orig()->coloreTesto() == QColor(0x10, 0x20, 0x30), parziale);
        QCOMPARE(f->geometry(), QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, f->size(),
                                                    f->screen()->availableGeometry()));
        m().MenuDecrescente->trigger();
        avvia();
        QVERIFY(f->opzioni().ordine.verso == Motore::Verso::Decrescente && d->messaggi.isEmpty());
        QVERIFY(!QSettings(fileImpostazioni(), QSettings::IniFormat).contains("suo"));
    }

    // A settings folder that cannot be made (under a file): said once, each failure noted.
    void nonScrivibile() {
        const QString bloccata = configurazione->filePath(QStringLiteral("file"));
        QVERIFY(scrivi(bloccata, "x"));
        qputenv("XDG_CONFIG_HOME", bloccata.toLocal8Bit());
        avvia();
        const QString percorso = bloccata + QStringLiteral("/quorla/quorla.conf");
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtWarningMsg, "quorla: impossibile scrivere le impostazioni in " +
                                                   percorso.toUtf8());
        f->Txt_Orig()->impostaTesto(QStringLiteral("a b"));
        for (QAction* a : {m().MenuDecrescente, m().MenuCopiaAppunti, m().MenuFine})
            a->trigger();
        QCOMPARE(f->testoOrdine(), QStringLiteral("b;a"));
        QCOMPARE(scatole(*d), QStringList{QStringLiteral("Attenzione, Impossibile salvare le "
                                                         "impostazioni nel file %1: le scelte "
                                                         "fatte valgono solo fino alla chiusura "
                                                         "del programma.|Quorla!|10030")
                                              .arg(percorso)});
    }

    // The file dialogs first open in the program's folder if writable, else documents, home.
    void primaCartella() {
        QTemporaryDir altra;
        const QString doc = altra.filePath(QStringLiteral("Documenti"));
        QVERIFY(scrivi(configurazione->filePath("user-dirs.dirs"),
                       "XDG_DOCUMENTS_DIR=\"" + doc.toUtf8() + "\"\n"));
        const QString manca = altra.filePath("manca");
        QCOMPARE(cartellaIniziale(manca), QDir::homePath());
        QVERIFY(QDir().mkpath(doc));
        QCOMPARE(cartellaIniziale(manca) + '|' + cartellaIniziale(altra.path()),
                 doc + '|' + altra.path());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
