#include "BarraStato.h"
#include "Controlli.h"
#include "Frm_Chiavi.h"
#include "MainForm.h"
#include "Motore.h"
#include "SegnaChiavi.h"
#include "VociChiavi.h"

#include <QtTest>
#include <QtWidgets>

using Motore::Chiave;
using Motore::ParteChiave;
using Motore::TipoChiave;
using Chiavi = std::vector<Chiave>;

Q_DECLARE_METATYPE(Chiavi)
Q_DECLARE_METATYPE(Motore::Opzioni)

namespace {

Chiave k(ParteChiave parte, TipoChiave tipo = TipoChiave::Testo, bool giu = false, int campo = 1,
         QChar sep = u' ', const QString& re = {}) {
    return Chiave{parte, campo, sep, re, tipo, giu};
}

Chiave campo(int n, QChar sep = u' ') {
    return k(ParteChiave::Campo, TipoChiave::Testo, false, n, sep);
}

Motore::Opzioni con(const QList<Motore::Sep>& separatori, const Chiavi& chiavi) {
    Motore::Opzioni o;
    o.ingresso.fill(false);
    for (Motore::Sep s : separatori)
        o.ingresso[std::size_t(Motore::indice(s))] = true;
    o.ordine.chiavi = chiavi;
    return o;
}

// Stretches of the document as text: a line break is "\n", a join of pieces nothing.
QStringList testi(const CasellaTesto& c, const std::vector<VociChiavi::Tratto>& tratti) {
    QStringList testi;
    for (const auto& t : tratti) {
        QString& s = testi.emplace_back();
        for (qsizetype p = t.inizio; p < t.fine(); ++p) {
            const QChar ch = c.document()->characterAt(int(p));
            if (ch != QChar::ParagraphSeparator)
                s += ch;
            else if (!CasellaTesto::continuazione(c.document()->findBlock(int(p) + 1)))
                s += u'\n';
        }
    }
    return testi;
}

// A row as the user fills it: part, field, separator, pattern, type, direction ("": as is).
void compila(Frm_Chiavi& d, int r, const QStringList& scelte) {
    auto scegli = [](QComboBox* c, const QString& testo) {
        if (!testo.isEmpty())
            c->setCurrentIndex(c->findText(testo));
    };
    scegli(d.Cmb_Parte(r), scelte.value(0));
    if (!scelte.value(1).isEmpty())
        d.Spn_Campo(r)->setValue(scelte.value(1).toInt());
    if (!scelte.value(2).isEmpty())
        d.Cmb_Separatore(r)->setEditText(scelte.value(2));
    if (!scelte.value(3).isEmpty())
        d.Txt_Espressione(r)->setText(scelte.value(3));
    scegli(d.Cmb_Tipo(r), scelte.value(4));
    scegli(d.Cmb_Verso(r), scelte.value(5));
}

// The preview as text: each key's part as [n:part], one item a line.
QString mostrata(const Frm_Chiavi& d) {
    QStringList righe;
    for (QTextBlock b = d.Txt_Anteprima()->document()->begin(); b.isValid(); b = b.next()) {
        QString riga;
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextCharFormat formato = f.fragment().charFormat();
            int chiave = 0;
            for (int j = 0; j < Frm_Chiavi::NumRighe; ++j)
                if (formato.background().color() == Frm_Chiavi::coloreChiave(j) &&
                    formato.background().style() != Qt::NoBrush)
                    chiave = j + 1;
            riga += chiave ? QStringLiteral("[%1:%2]").arg(chiave).arg(f.fragment().text())
                           : f.fragment().text();
        }
        righe << riga.trimmed();
    }
    return righe.join(u'|');
}

} // namespace

class TestFrmChiavi : public QObject {
    Q_OBJECT
    std::unique_ptr<CasellaTesto> c;

    // A box in view, holding testo, and its marks.
    SegnaChiavi* casella(const QString& testo, const Motore::Opzioni& o, QSize lato = {400, 300}) {
        c = std::make_unique<CasellaTesto>();
        c->resize(lato);
        c->impostaTesto(testo);
        c->show();
        if (!QTest::qWaitForWindowExposed(c.get()))
            return nullptr;
        auto* segna = new SegnaChiavi(c.get());
        segna->imposta(o);
        return segna;
    }

private slots:
    void righe_data() {
        QTest::addColumn<QList<QStringList>>("righe");
        QTest::addColumn<Chiavi>("attese");
        // Per row: part, field and separator, pattern, type, direction; 1 enabled.
        QTest::addColumn<QStringList>("attivi");
        using enum ParteChiave;
        using enum TipoChiave;
        auto riga = [](const char* nome, QList<QStringList> righe, Chiavi attese,
                       QStringList attivi = {}) {
            QTest::newRow(nome) << righe << attese << attivi;
        };
        riga("voce intera come testo: nessuna chiave", {{"Voce intera", "", "", "", "Testo"}}, {},
             {"10011", "10000", "00000"});
        riga("voce intera come numero", {{"Voce intera", "", "", "", "Numero"}},
             {k(VoceIntera, Numero)});
        riga("voce intera decrescente", {{"", "", "", "", "", "Decrescente"}},
             {k(VoceIntera, Testo, true)});
        riga("campo dalla fine, punto e virgola",
             {{"Campo", "-2", ";", "", "Numero", "Decrescente"}},
             {k(Campo, Numero, true, -2, u';')}, {"11011", "10000", "00000"});
        riga("campo, separatore per nome", {{"Campo", "3", "Tab", "", "Data"}},
             {k(Campo, Data, false, 3, u'\t')});
        riga("campo, separatore scritto", {{"Campo", "2", "#", "", "Dimensione"}},
             {k(Campo, Dimensione, false, 2, u'#')});
        riga("cognome poi mese", {{"Cognome"}, {"Campo", "1", "Spazio", "", "Mese"}},
             {k(Cognome), k(Campo, Mese)}, {"10011", "11011", "10000"});
        riga("tre chiavi; la lunghezza non ha tipo",
             {{"Lunghezza", "", "", "", "Data", "Decrescente"},
              {"Espressione regolare", "", "", "ID ([0-9]+)", "Numero"},
              {"Voce intera", "", "", "", "", "Decrescente"}},
             {k(Lunghezza, Testo, true), k(Espressione, Numero, false, 1, u' ', "ID ([0-9]+)"),
              k(VoceIntera, Testo, true)},
             {"10001", "10111", "10011"});
        // What a part does not use is not kept, whatever its control shows.
        riga("campo e separatore solo per il campo", {{"Campo", "4", ";"}, {"Cognome", "7", ";"}},
             {k(Campo, Testo, false, 4, u';'), k(Cognome)});
        riga("dopo (nessuna) non si legge altro",
             {{"Cognome"}, {"(nessuna)"}, {"Campo", "2", "", "", "Numero"}}, {k(Cognome)},
             {"10011", "10000", "00000"});
    }
    // The keys the rows make, the controls each row enables, the keys shown again.
    void righe() {
        QFETCH(QList<QStringList>, righe);
        QFETCH(Chiavi, attese);
        QFETCH(QStringList, attivi);
        Frm_Chiavi d({}, u"", Motore::Opzioni{});
        for (int r = 0; r < righe.size(); ++r)
            compila(d, r, righe[r]);
        QCOMPARE(d.chiavi(), std::optional<Chiavi>(attese));
        QVERIFY(d.Cmd_OK()->isEnabled());
        for (int r = 0; r < attivi.size(); ++r) {
            QString stato;
            for (QWidget* w : QWidgetList{d.Cmb_Parte(r), d.Spn_Campo(r), d.Txt_Espressione(r),
                                          d.Cmb_Tipo(r), d.Cmb_Verso(r)})
                stato += w->isEnabled() ? u'1' : u'0';
            QCOMPARE(d.Cmb_Separatore(r)->isEnabled(), d.Spn_Campo(r)->isEnabled());
            QCOMPARE(stato, attivi[r]);
        }
        Frm_Chiavi di_nuovo(attese, u"", Motore::Opzioni{});
        QCOMPARE(di_nuovo.chiavi(), std::optional<Chiavi>(attese));
    }
    void errori_data() {
        QTest::addColumn<QStringList>("riga");
        QTest::addColumn<QString>("errore");
        QTest::newRow("parentesi aperta")
            << QStringList{"Espressione regolare", "", "", "ID ([0-9]+"}
            << "Chiave 2: espressione regolare non valida: " +
                   Motore::erroreEspressione("ID ([0-9]+");
        QTest::newRow("espressione vuota")
            << QStringList{"Espressione regolare"} << "Chiave 2: scrivere l'espressione regolare";
        QTest::newRow("separatore lungo") << QStringList{"Campo", "", "ab"}
                                          << "Chiave 2: il separatore di campi è un solo carattere";
    }
    // A row that cannot be read greys OK and says why; put right, OK comes back.
    void errori() {
        QFETCH(QStringList, riga);
        QFETCH(QString, errore);
        Frm_Chiavi d({}, u"a 1\r\nb 2", con({Motore::Sep::Invio}, {}));
        compila(d, 0, {"Cognome"});
        compila(d, 1, riga);
        QCOMPARE(d.Lbl_Errore()->text(), errore);
        QVERIFY(!d.Cmd_OK()->isEnabled() && !d.chiavi());
        // The preview keeps the keys before the wrong row.
        QCOMPARE(mostrata(d), "a [1:1]|b [1:2]");
        compila(d, 1, {"Campo", "", "Spazio", "[a-z]"});
        QCOMPARE(d.Lbl_Errore()->text(), QString());
        QVERIFY(d.Cmd_OK()->isEnabled() && d.chiavi());
    }

    // A fixed window: rows of caption and controls, the preview under them, the buttons last;
    // each caption wears its key's colour.
    void finestra() {
        Frm_Chiavi d({}, u"", Motore::Opzioni{});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), "Ordina per");
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QStringList didascalie;
        for (const QLabel* l : d.findChildren<QLabel*>()) {
            QVERIFY2(l->sizeHint().width() <= l->width() || l == d.Lbl_Errore(),
                     qPrintable(l->text()));
            if (!l->text().isEmpty())
                didascalie << l->text();
        }
        QCOMPARE(didascalie.join(','),
                 "Parte della voce,Campo,Separatore,Espressione regolare,Tipo,Verso,&Ordina per,"
                 "&poi per,poi p&er,&Anteprima: le prime voci del testo, con evidenziata la parte "
                 "che ogni chiave confronta");
        const QImage immagine = d.grab().toImage();
        int sotto = 0;
        for (int r = 0; r < Frm_Chiavi::NumRighe; ++r) {
            QWidget* parte = d.Cmb_Parte(r);
            auto* etichetta = qobject_cast<QLabel*>(
                parte->parentWidget()->childAt(parte->x() - 10, parte->geometry().center().y()));
            QVERIFY(etichetta && etichetta->buddy() == parte);
            QCOMPARE(QColor(immagine.pixel(etichetta->geometry().topLeft() + QPoint(1, 1))),
                     Frm_Chiavi::coloreChiave(r));
            int destra = -1, fondo = sotto;
            for (QWidget* w : QWidgetList{etichetta, parte, d.Spn_Campo(r), d.Cmb_Separatore(r),
                                          d.Txt_Espressione(r), d.Cmb_Tipo(r), d.Cmb_Verso(r)}) {
                QVERIFY(w->y() > sotto && w->x() > destra);
                QVERIFY(qAbs(w->geometry().center().y() - etichetta->geometry().center().y()) <= 2);
                destra = w->geometry().right();
                fondo = std::max(fondo, w->geometry().bottom());
            }
            sotto = fondo;
        }
        const QRect anteprima = d.Txt_Anteprima()->geometry();
        QVERIFY(anteprima.top() > sotto && anteprima.right() == d.Cmb_Verso(0)->geometry().right());
        QVERIFY(d.Txt_Anteprima()->height() > 10 * d.fontMetrics().lineSpacing());
        QCOMPARE(d.Cmd_OK()->text() + '|' + d.Cmd_Annulla()->text(), "OK|Annulla");
        QVERIFY(d.Cmd_OK()->y() > anteprima.bottom() &&
                d.Cmd_Annulla()->x() > d.Cmd_OK()->geometry().right() &&
                d.Cmd_Annulla()->geometry().right() == anteprima.right());
    }

    // The field number skips 0, which names no field.
    void campoZero() {
        Frm_Chiavi d({}, u"", Motore::Opzioni{});
        compila(d, 0, {"Campo"});
        d.Spn_Campo(0)->stepDown();
        QCOMPARE(d.Spn_Campo(0)->value(), -1);
        d.Spn_Campo(0)->stepUp();
        QCOMPARE(d.Spn_Campo(0)->value(), 1);
    }
    void anteprima_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("righe");
        QTest::addColumn<QList<QStringList>>("chiavi");
        QTest::addColumn<QString>("attesa");
        auto riga = [](const char* nome, const QString& testo, bool righe,
                       QList<QStringList> chiavi, const char* attesa) {
            QTest::newRow(nome) << testo << righe << chiavi << QString::fromUtf8(attesa);
        };
        riga("senza chiavi", "pera mela;  kiwi ", false, {}, "pera|mela|kiwi");
        riga("cognome", "Mario De Luca\r\nAnna di Stefano\r\nRossi, Mario", true, {{"Cognome"}},
             "Mario [1:De Luca]|Anna [1:di Stefano]|[1:Rossi], Mario");
        riga("numero e voci senza valore", "a;5\r\nb;x\r\nc", true,
             {{"Campo", "2", ";", "", "Numero"}},
             "a;[1:5]   → 5|b;[1:x]   (nessun valore)|c   (nessun valore)");
        riga("data dall'ultimo campo", "x 2026-03-12\r\ny 12/03/2026 z", true,
             {{"Campo", "-1", "", "", "Data"}},
             "x [1:2026-03-12]   → 2026-03-12|y 12/03/2026 [1:z]   (nessun valore)");
        riga("due chiavi, due colori", "ID 7 kg\r\nID 12", true,
             {{"Espressione regolare", "", "", "ID ([0-9]+)", "Numero"}, {"Campo", "-1"}},
             "ID [1:7] [2:kg]   → 7|ID [1:12]   → 12");
        riga("la lunghezza non si evidenzia", "abc\r\nd", true, {{"Lunghezza"}},
             "abc   → 3|d   → 1");
        riga("solo le prime dieci", "1 2 3 4 5 6 7 8 9 10 11 12", false, {},
             "1|2|3|4|5|6|7|8|9|10");
        riga("testo vuoto", "  ", false, {}, "(il testo in ingresso è vuoto)");
    }
    // The first items of the input with each key's part marked, as the rows change.
    void anteprima() {
        QFETCH(QString, testo);
        QFETCH(bool, righe);
        QFETCH(QList<QStringList>, chiavi);
        QFETCH(QString, attesa);
        Frm_Chiavi d({}, testo, righe ? con({Motore::Sep::Invio}, {}) : Motore::Opzioni{});
        for (int r = 0; r < chiavi.size(); ++r)
            compila(d, r, chiavi[r]);
        QCOMPARE(mostrata(d), attesa);
    }
    void taglio_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QList<int>>("separatori");
        QTest::newRow("spazio e punto e virgola") << " pera  mela;;kiwi ;" << QList<int>{0, 3};
        QTest::newRow("righe") << "a b\r\n\r\n c d \r\ne" << QList<int>{1};
        QTest::newRow("a capo senza Invio") << "a b\r\nc;d\r\n" << QList<int>{3};
        QTest::newRow("tab e virgola") << "a,b\tc , d\t\t" << QList<int>{2, 5};
        QTest::newRow("nessun separatore") << "  tutto  insieme  " << QList<int>{};
        QTest::newRow("codice 1") << "a\u0001b c" << QList<int>{3};
        QTest::newRow("NUL") << QStringLiteral("a b\0c\0\0d") << QList<int>{-1};
    }
    // The items are those the engine orders, kept in input order.
    void taglio() {
        QFETCH(QString, testo);
        QFETCH(QList<int>, separatori);
        Motore::Opzioni o;
        o.ingresso.fill(false);
        for (int s : separatori) // -1: NUL
            (s < 0 ? o.nul : o.ingresso[std::size_t(s)]) = true;
        o.uscita = Motore::indice(Motore::Sep::BarraVerticale);
        o.ordine.verso = Motore::Verso::ComeNelTesto;
        Motore::UscitaTesto uscita;
        Motore::ordina(testo, o, uscita);
        QStringList voci;
        VociChiavi::perOgniVoce(testo, o, [&](VociChiavi::Tratto t) {
            voci << testo.sliced(t.inizio, t.lunghezza);
            return true;
        });
        QCOMPARE(voci.join(o.nul ? QChar(0) : QChar(u'|')), uscita.testo);
    }
    void pulsanti_data() {
        QTest::addColumn<bool>("conferma");
        QTest::newRow("Invio") << true;
        QTest::newRow("Esc") << false;
    }
    // Modal: Enter gives the rows' keys, Esc nothing (the buttons: tst_SegnaChiavi).
    void pulsanti() {
        QFETCH(bool, conferma);
        const Chiavi prima = {k(ParteChiave::Campo, TipoChiave::Numero, false, 2)};
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<Frm_Chiavi*>(QApplication::activeModalWidget());
            QVERIFY(d);
            compila(*d, 1, {"Cognome"});
            QTest::keyClick(d, conferma ? Qt::Key_Return : Qt::Key_Escape);
        });
        const auto scelte = Frm_Chiavi::chiedi(nullptr, prima, u"", Motore::Opzioni{});
        if (conferma)
            QCOMPARE(scelte, std::optional<Chiavi>({prima[0], k(ParteChiave::Cognome)}));
        else
            QVERIFY(!scelte);
    }

    void cleanup() { c.reset(); }

    void tratti_data() {
        using enum Motore::Sep;
        using enum ParteChiave;
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<Motore::Opzioni>("o");
        QTest::addColumn<QStringList>("segnati");
        QTest::newRow("campo, per righe")
            << "Verdi\r\nRossi;Mario;1985\r\n  Bianchi ;Anna" << con({Invio}, {campo(2, u';')})
            << QStringList{"Mario", "Anna"};
        QTest::newRow("espressione, una voce senza")
            << "ID 7 kg;ID 12;nulla"
            << con({PuntoEVirgola},
                   {k(Espressione, TipoChiave::Testo, false, 1, u' ', "ID ([0-9]+)")})
            << QStringList{"7", "12"};
        QTest::newRow("la prima chiave che sceglie una parte")
            << "a b;c d e" << con({PuntoEVirgola}, {k(Lunghezza), campo(-1)})
            << QStringList{"b", "e"};
        QTest::newRow("campo diviso da virgole, voci da spazi")
            << "x,1 y,2" << con({Spazio}, {campo(2, u',')}) << QStringList{"1", "2"};
        QTest::newRow("senza Invio una voce passa la riga")
            << "a b\r\nc d" << con({PuntoEVirgola}, {campo(2)}) << QStringList{"b\nc"};
        QTest::newRow("voce intera: nulla da segnare")
            << "a;b" << con({PuntoEVirgola}, {k(VoceIntera, TipoChiave::Numero)}) << QStringList{};
        QTest::newRow("senza chiavi") << "a;b" << con({PuntoEVirgola}, {}) << QStringList{};
    }
    void tratti() {
        QFETCH(QString, ingresso);
        QFETCH(Motore::Opzioni, o);
        QFETCH(QStringList, segnati);
        SegnaChiavi* segna = casella(ingresso, o);
        QVERIFY(segna);
        QCOMPARE(segna->attivo(), !segnati.isEmpty());
        QCOMPARE(testi(*c, segna->trattiVisibili()), segnati);
    }

    // Only the blocks in view are read; so many lines are held in groups, a block each.
    void soloInVista() {
        QStringList righe;
        for (int i = 0; i < 12000; ++i)
            righe << QStringLiteral("riga %1;valore %1").arg(i);
        SegnaChiavi* segna =
            casella(righe.join("\r\n"), con({Motore::Sep::Invio}, {campo(2, u';')}), {300, 150});
        QVERIFY(segna);
        QVERIFY(c->document()->begin().text().contains(QChar::LineSeparator));
        QStringList visti = testi(*c, segna->trattiVisibili());
        QVERIFY(visti.size() > 3 && visti.size() < 300);
        QCOMPARE(visti.first(), "valore 0");
        c->verticalScrollBar()->setValue(c->verticalScrollBar()->maximum());
        visti = testi(*c, segna->trattiVisibili());
        QVERIFY(visti.size() > 3 && visti.size() < 300);
        QCOMPARE(visti.last(), "valore 11999");
    }

    // A long paragraph is held in pieces; an item cut by a join is read whole.
    void giunture() {
        QStringList voci;
        for (int i = 0; i < 200; ++i)
            voci << QStringLiteral("p%1").arg(i) + QStringLiteral(",q").repeated(30);
        const Motore::Opzioni o =
            con({Motore::Sep::PuntoEVirgola},
                {k(ParteChiave::Espressione, TipoChiave::Testo, false, 1, u' ', "p[0-9]+(?:,q)+")});
        SegnaChiavi* segna = casella(voci.join(u';'), o);
        QVERIFY(segna);
        const QTextBlock primo = c->document()->begin();
        QVERIFY(CasellaTesto::continuazione(primo.next()));
        // The piece ends inside an item.
        QCOMPARE(primo.text().back(), u',');
        const QStringList letti = testi(*c, segna->tratti(primo, primo.next()));
        QVERIFY(letti.size() > 50);
        QCOMPARE(letti, voci.first(letti.size()));
    }

    // The marks are painted under the part, and nowhere else.
    void pittura() {
        SegnaChiavi* segna =
            casella("Rossi;Mario\r\nBianchi;Anna", con({Motore::Sep::Invio}, {campo(2, u';')}));
        QVERIFY(segna);
        auto colore = [&](int inizio, int fine) { // the line's top row, above the letters
            QTextCursor a(c->document()), b(c->document());
            a.setPosition(inizio);
            b.setPosition(fine);
            const QRect ra = c->cursorRect(a);
            return QColor(c->viewport()->grab().toImage().pixel(
                (ra.left() + c->cursorRect(b).left()) / 2, ra.top() + 1));
        };
        QCOMPARE(colore(6, 11), segna->colore());                  // Mario
        QCOMPARE(colore(0, 5), CasellaTesto::sfondoPredefinito()); // Rossi
        QCOMPARE(colore(20, 24), segna->colore());                 // Anna
        segna->imposta(con({Motore::Sep::Invio}, {}));
        QCOMPARE(colore(6, 11), CasellaTesto::sfondoPredefinito());
    }

    // "Ordina per...": keys sort, mark, count the items without a value; "Voce intera" clears.
    void menu() {
        MainForm f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const MainForm::VociMenu& m = f.menu();
        QVERIFY(m.MenuOrdine->actions().contains(m.MenuOrdinaPer) &&
                m.MenuOrdine->actions().contains(m.MenuVoceIntera));
        QCOMPARE(m.MenuOrdinaPer->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QVERIFY(m.MenuVoceIntera->isCheckable() && m.MenuVoceIntera->isChecked());
        auto* segna = f.Txt_Orig()->findChild<SegnaChiavi*>();
        QVERIFY(segna);
        const QString separatori = f.STBar()->pannello(1)->text();

        f.Txt_Orig()->impostaTesto("b:2;a:x;c:1");
        QStringList aperti;
        auto rispondi = [&](bool conferma) {
            QTimer::singleShot(0, [&, conferma] {
                auto* d = qobject_cast<Frm_Chiavi*>(QApplication::activeModalWidget());
                if (!d)
                    return;
                aperti << d->windowTitle();
                compila(*d, 0, {"Campo", "2", ":", "", "Numero"});
                (conferma ? d->Cmd_OK() : d->Cmd_Annulla())->click();
            });
        };
        rispondi(false);
        QTest::keyClick(f.Txt_Orig(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(aperti, QStringList{"Ordina per"});
        QVERIFY(f.opzioni().ordine.chiavi.empty() && !segna->attivo());
        QCOMPARE(f.testoOrdine(), QString());

        rispondi(true);
        m.MenuOrdinaPer->trigger();
        QCOMPARE(f.opzioni().ordine.chiavi,
                 Chiavi{k(ParteChiave::Campo, TipoChiave::Numero, false, 2, u':')});
        QCOMPARE(f.testoOrdine(), "c:1;b:2;a:x");
        QVERIFY(!m.MenuVoceIntera->isChecked() && segna->attivo());
        QCOMPARE(f.STBar()->pannello(1)->text(), "1 voce senza valore per le chiavi");

        m.MenuVoceIntera->trigger();
        QVERIFY(f.opzioni().ordine.chiavi.empty() && !segna->attivo() &&
                m.MenuVoceIntera->isChecked());
        QCOMPARE(f.testoOrdine(), "a:x;b:2;c:1");
        QCOMPARE(f.STBar()->pannello(1)->text(), separatori);
    }
};

QTEST_MAIN(TestFrmChiavi)
#include "tst_Frm_Chiavi.moc"
