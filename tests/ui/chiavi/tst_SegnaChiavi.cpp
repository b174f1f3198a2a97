#include "BarraStato.h"
#include "Controlli.h"
#include "Frm_Chiavi.h"
#include "MainForm.h"
#include "SegnaChiavi.h"

#include <QtTest>
#include <QtWidgets>

using Motore::Chiave;
using Motore::ParteChiave;
using Motore::TipoChiave;
using Chiavi = std::vector<Chiave>;

Q_DECLARE_METATYPE(Chiavi)
Q_DECLARE_METATYPE(Motore::Opzioni)

namespace {

Chiave k(ParteChiave parte, int campo = 1, QChar sep = u' ', const QString& re = {},
         TipoChiave tipo = TipoChiave::Testo) {
    return Chiave{parte, campo, sep, re, tipo, false};
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

} // namespace

class TestSegnaChiavi : public QObject {
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
    void cleanup() { c.reset(); }

    void tratti_data() {
        using enum Motore::Sep;
        using enum ParteChiave;
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<Motore::Opzioni>("o");
        QTest::addColumn<QStringList>("segnati");
        QTest::newRow("campo, per righe")
            << "Verdi\r\nRossi;Mario;1985\r\n  Bianchi ;Anna" << con({Invio}, {k(Campo, 2, u';')})
            << QStringList{"Mario", "Anna"};
        QTest::newRow("la prima chiave che sceglie una parte")
            << "a b;c d e" << con({PuntoEVirgola}, {k(Lunghezza), k(Campo, -1)})
            << QStringList{"b", "e"};
        QTest::newRow("campo diviso da virgole, voci da spazi")
            << "x,1 y,2" << con({Spazio}, {k(Campo, 2, u',')}) << QStringList{"1", "2"};
        QTest::newRow("senza Invio una voce passa la riga")
            << "a b\r\nc d" << con({PuntoEVirgola}, {k(Campo, 2)}) << QStringList{"b\nc"};
        QTest::newRow("voce intera: nulla da segnare")
            << "a;b" << con({PuntoEVirgola}, {k(VoceIntera, 1, u' ', {}, TipoChiave::Numero)})
            << QStringList{};
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
            casella(righe.join("\r\n"), con({Motore::Sep::Invio}, {k(ParteChiave::Campo, 2, u';')}),
                    {300, 150});
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
        const Motore::Opzioni o = con({Motore::Sep::PuntoEVirgola},
                                      {k(ParteChiave::Espressione, 1, u' ', "p[0-9]+(?:,q)+")});
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
        SegnaChiavi* segna = casella("Rossi;Mario\r\nBianchi;Anna",
                                     con({Motore::Sep::Invio}, {k(ParteChiave::Campo, 2, u';')}));
        QVERIFY(segna);
        auto colore = [&](int inizio, int fine) {
            QTextCursor a(c->document());
            a.setPosition(inizio);
            QTextCursor b(c->document());
            b.setPosition(fine);
            const QRect ra = c->cursorRect(a);
            const QImage immagine = c->viewport()->grab().toImage();
            // The top row of the line, above the letters.
            return QColor(immagine.pixel((ra.left() + c->cursorRect(b).left()) / 2, ra.top() + 1));
        };
        QCOMPARE(colore(6, 11), segna->colore());                  // Mario
        QCOMPARE(colore(0, 5), CasellaTesto::sfondoPredefinito()); // Rossi
        QCOMPARE(colore(20, 24), segna->colore());                 // Anna
        segna->imposta(con({Motore::Sep::Invio}, {}));
        QCOMPARE(colore(6, 11), CasellaTesto::sfondoPredefinito());
    }

    // "Ordina per...": the keys sort, mark the input, count the items without a value;
    // "Voce intera" clears them.
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
                d->Cmb_Parte(0)->setCurrentIndex(d->Cmb_Parte(0)->findText("Campo"));
                d->Spn_Campo(0)->setValue(2);
                d->Cmb_Separatore(0)->setEditText(":");
                d->Cmb_Tipo(0)->setCurrentIndex(d->Cmb_Tipo(0)->findText("Numero"));
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
                 Chiavi{k(ParteChiave::Campo, 2, u':', {}, TipoChiave::Numero)});
        QCOMPARE(f.testoOrdine(), "c:1;b:2;a:x");
        QVERIFY(!m.MenuVoceIntera->isChecked() && segna->attivo());
        QCOMPARE(f.STBar()->pannello(1)->text(), "1 voce senza valore per le chiavi");

        m.MenuVoceIntera->trigger();
        QVERIFY(f.opzioni().ordine.chiavi.empty() && !segna->attivo());
        QVERIFY(m.MenuVoceIntera->isChecked());
        QCOMPARE(f.testoOrdine(), "a:x;b:2;c:1");
        QCOMPARE(f.STBar()->pannello(1)->text(), separatori);
    }
};

QTEST_MAIN(TestSegnaChiavi)
#include "tst_SegnaChiavi.moc"
