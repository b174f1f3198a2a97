#include "Controlli.h"
#include "Dialoghi.h"
#include "Disegni.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace {

const QColor Nero(0, 0, 0);
const QColor SfondoRighello(236, 233, 216);

bool nero(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == Nero;
}

// Runs once the next modal dialog is up, then closes it.
template <typename Dialogo, typename Controllo>
void quandoAperto(Controllo controllo, bool accetta = false) {
    QTimer::singleShot(0, [controllo, accetta] {
        auto* dialogo = qobject_cast<Dialogo*>(QApplication::activeModalWidget());
        QVERIFY(dialogo);
        controllo(dialogo);
        QDialog* base = dialogo;
        if (accetta)
            base->accept();
        else
            base->reject();
    });
}

} // namespace

class TestControlli : public QObject {
    Q_OBJECT

private slots:
    // --- Text as the engine sees it ---

    void andataERitorno_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("letto");
        const QString crlf = QStringLiteral("\r\n");
        QTest::newRow("vuoto") << QString() << QString();
        QTest::newRow("una riga") << "pera mela"
                                  << "pera mela";
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\r\nb";
        QTest::newRow("righe vuote") << "\r\n\r\nx\r\n"
                                     << "\r\n\r\nx\r\n";
        QTest::newRow("LF da solo") << "a\nb"
                                    << "a\r\nb";
        QTest::newRow("CR da solo") << "a\rb"
                                    << "a\r\nb";
        QTest::newRow("NUL e controlli") << QString(QChar(0)) + QStringLiteral("a\x01"
                                                                               "b\tc\x0b"
                                                                               "d\x1f")
                                         << QString(QChar(0)) + QStringLiteral("a\x01"
                                                                               "b\tc\x0b"
                                                                               "d\x1f");
        QTest::newRow("spazio indivisibile")
            << QStringLiteral("a") + QChar(QChar::Nbsp) + QStringLiteral("b")
            << QStringLiteral("a") + QChar(QChar::Nbsp) + QStringLiteral("b");
        QTest::newRow("accenti") << QStringLiteral("perché è così")
                                 << QStringLiteral("perché è così");
    }

    void andataERitorno() {
        QFETCH(QString, testo);
        QFETCH(QString, letto);
        CasellaTesto casella;
        casella.impostaTesto(testo);
        QCOMPARE(casella.testo(), letto);
        QCOMPARE(casella.lunghezzaTesto(), letto.size());
    }

    void digitato() {
        // A line break the user types, plain or with Shift, is a CR LF.
        CasellaTesto casella;
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        QTest::keyClicks(&casella, QStringLiteral("a"));
        QTest::keyClick(&casella, Qt::Key_Return);
        QTest::keyClicks(&casella, QStringLiteral("b"));
        QTest::keyClick(&casella, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(&casella, QStringLiteral("c"));
        QCOMPARE(casella.testo(), QStringLiteral("a\r\nb\r\nc"));
    }

    void selezione_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("inizio");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<QString>("selezionato");
        const QString ab_cdef = QStringLiteral("ab\r\ncdef");
        const QString sep(QChar::ParagraphSeparator);
        QTest::newRow("tutto") << ab_cdef << 0 << 8 << "ab" + sep + "cdef";
        QTest::newRow("dopo la riga") << ab_cdef << 4 << 2 << "cd";
        QTest::newRow("solo l'a capo") << ab_cdef << 2 << 2 << sep;
        QTest::newRow("niente") << ab_cdef << 0 << 0 << "";
        QTest::newRow("oltre la fine") << ab_cdef << 5 << 100 << "def";
        QTest::newRow("due a capo")
            << QStringLiteral("a\r\n\r\nb") << 0 << 6 << "a" + sep + sep + "b";
        QTest::newRow("con NUL") << QString(QChar(0)) + QStringLiteral("x\r\ny") << 1 << 4
                                 << "x" + sep + "y";
    }

    void selezione() {
        QFETCH(QString, testo);
        QFETCH(int, inizio);
        QFETCH(int, lunghezza);
        QFETCH(QString, selezionato);
        CasellaTesto casella;
        casella.impostaTesto(testo);
        casella.seleziona(inizio, lunghezza);
        QCOMPARE(casella.textCursor().selectedText(), selezionato);
    }

    void selezioneIntera() {
        // What the engine asks after every sort: start 0, length of the text read back.
        CasellaTesto casella;
        casella.impostaTesto(QStringLiteral("alfa;beta \r\ndelta;gamma\r\n\r\nx"));
        casella.seleziona(0, casella.testo().size());
        const QTextCursor c = casella.textCursor();
        QCOMPARE(c.selectionStart(), 0);
        QCOMPARE(c.selectionEnd(), casella.document()->characterCount() - 1);
    }

    void aCapoAutomatico() {
        CasellaTesto casella;
        casella.resize(200, 100);
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        casella.impostaTesto(QString(300, QLatin1Char('x')));
        QVERIFY(!casella.horizontalScrollBar()->isVisible());
        QVERIFY(casella.verticalScrollBar()->isVisible());
        QVERIFY(casella.document()->firstBlock().layout()->lineCount() > 1);
    }

    // A long run without spaces would make word wrapping take minutes: the
    // box holds it in pieces, and keeps wrapping at word boundaries.
    void righeSenzaSpazi_data() {
        QTest::addColumn<QStringList>("testi");
        QTest::addColumn<bool>("incolla");
        const QString prosa = QStringLiteral("parola ").repeated(2000);
        const QString elenco = QStringLiteral("voce;").repeated(1000);
        QTest::newRow("prosa") << QStringList{prosa} << false;
        QTest::newRow("elenco") << QStringList{elenco} << false;
        QTest::newRow("elenco poi prosa") << QStringList{elenco, prosa} << false;
        QTest::newRow("elenco breve") << QStringList{elenco.left(1500)} << false;
        QTest::newRow("elenco incollato") << QStringList{prosa, elenco} << true;
    }

    void righeSenzaSpazi() {
        QFETCH(QStringList, testi);
        QFETCH(bool, incolla);
        CasellaTesto casella;
        casella.resize(300, 100);
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        QString atteso;
        for (const QString& t : testi) {
            if (incolla && !atteso.isEmpty()) {
                QApplication::clipboard()->setText(t);
                casella.moveCursor(QTextCursor::End);
                casella.paste();
                atteso += t;
            } else {
                casella.impostaTesto(t);
                atteso = t;
            }
        }
        QCOMPARE(casella.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        QCOMPARE(casella.testo(), atteso);
        for (QTextBlock b = casella.document()->begin(); b.isValid(); b = b.next())
            QVERIFY(b.length() - 1 <= CasellaTesto::PezzoMassimo);
        QVERIFY(casella.document()->firstBlock().layout()->lineCount() > 1);
    }

    // Once the long run is gone, the words of a sentence typed in its place
    // wrap whole again: every line but the last ends after a space.
    void aCapoTornaAlleParole() {
        CasellaTesto casella;
        casella.resize(300, 100);
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        QApplication::clipboard()->setText(QString(2500, QLatin1Char('x')));
        casella.paste();
        casella.selectAll();
        QTest::keyClick(&casella, Qt::Key_Delete);
        QTest::keyClicks(&casella, QStringLiteral("una frase di prova che va a capo ").repeated(4));
        QCoreApplication::processEvents();
        const QTextBlock blocco = casella.document()->firstBlock();
        QTextLayout* layout = blocco.layout();
        QVERIFY(layout->lineCount() > 2);
        for (int i = 0; i + 1 < layout->lineCount(); ++i) {
            const QTextLine riga = layout->lineAt(i);
            QCOMPARE(blocco.text().at(riga.textStart() + riga.textLength() - 1), QLatin1Char(' '));
        }
    }

    // --- Long paragraphs held in pieces ---

    // Random words and long runs without spaces, with some line breaks.
    static QString testoCasuale(quint32 seme, qsizetype lunghezza, bool righe) {
        QRandomGenerator caso(seme);
        const QString lettere = QStringLiteral("abcdefghijklmnopqrstuvwxyzàèéìòù;,.");
        QString t;
        while (t.size() < lunghezza) {
            const int tipo = caso.bounded(20);
            if (tipo == 0) {
                t += QString(caso.bounded(3000, 9000), lettere[caso.bounded(lettere.size())]);
            } else if (tipo == 1 && righe) {
                t += QStringLiteral("\r\n");
            } else if (tipo == 2) {
                t += QStringLiteral("\U0001F600").repeated(caso.bounded(1, 3000));
            } else {
                for (int n = caso.bounded(1, 12); n > 0; --n)
                    t += lettere[caso.bounded(lettere.size())];
                t += tipo == 3 ? QChar(QChar::Nbsp) : QChar(u' ');
            }
        }
        return t;
    }

    void pezzi_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("modo");
        for (quint32 seme : {1u, 2u, 3u}) {
            const QString t = testoCasuale(seme, 60000 * seme, seme != 2);
            for (const char* modo : {"imposta", "incolla", "incolla in mezzo"})
                QTest::addRow("seme %u, %s", seme, modo) << t << QString::fromLatin1(modo);
        }
        QTest::newRow("una sola corsa")
            << QString(50000, QLatin1Char(';')) << QStringLiteral("imposta");
    }

    // The text out equals the text in, every piece is of moderate length, and
    // undoing a paste gives back the text before it.
    void pezzi() {
        QFETCH(QString, testo);
        QFETCH(QString, modo);
        CasellaTesto casella;
        QString atteso = testo;
        if (modo == u"imposta") {
            casella.impostaTesto(testo);
        } else {
            const QString prima = QStringLiteral("inizio ").repeated(700);
            casella.impostaTesto(prima);
            QTextCursor c = casella.textCursor();
            c.setPosition(modo == u"incolla" ? casella.document()->characterCount() - 1 : 2000);
            casella.setTextCursor(c);
            QApplication::clipboard()->setText(testo);
            QTest::keyClick(&casella, Qt::Key_V, Qt::ControlModifier);
            atteso =
                modo == u"incolla" ? prima + testo : prima.left(2000) + testo + prima.mid(2000);
            QCOMPARE(casella.testo(), atteso);
            casella.undo();
            QCOMPARE(casella.testo(), prima);
            casella.redo();
        }
        QCOMPARE(casella.testo(), atteso);
        QCOMPARE(casella.lunghezzaTesto(), atteso.size());
        int continuazioni = 0;
        for (QTextBlock b = casella.document()->begin(); b.isValid(); b = b.next()) {
            QVERIFY(b.length() - 1 <= CasellaTesto::PezzoMassimo);
            continuazioni += CasellaTesto::continuazione(b);
        }
        QVERIFY(continuazioni >= atteso.size() / CasellaTesto::PezzoMassimo / 2);
    }

    void selezioneTraIPezzi_data() {
        QTest::addColumn<int>("inizio");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<bool>("righe");
        QTest::newRow("a cavallo di una giuntura") << 4000 << 200 << false;
        QTest::newRow("a cavallo di molte") << 100 << 15000 << false;
        QTest::newRow("tutto") << 0 << -1 << false;
        QTest::newRow("dentro un pezzo") << 10 << 50 << false;
        // Lines in groups: line separators inside the blocks.
        QTest::newRow("molte righe") << 5001 << 30000 << true;
        QTest::newRow("molte righe, tutto") << 0 << -1 << true;
    }

    // Selecting through the engine and copying give the characters of the
    // text, with no line break where two pieces meet.
    void selezioneTraIPezzi() {
        QFETCH(int, inizio);
        QFETCH(int, lunghezza);
        QFETCH(bool, righe);
        QString testo = testoCasuale(7, 30000, true);
        if (righe) {
            testo.clear();
            for (int i = 0; i < 12000; ++i)
                testo += QStringLiteral("voce %1\r\n").arg(i);
        }
        if (lunghezza < 0)
            lunghezza = int(testo.size());
        CasellaTesto casella;
        casella.impostaTesto(testo);
        QCOMPARE(casella.lunghezzaTesto(), testo.size());
        casella.seleziona(inizio, lunghezza);
        casella.copy();
        QString atteso = testo.mid(inizio, lunghezza);
        atteso.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        atteso.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
        QCOMPARE(QApplication::clipboard()->text(), atteso);
        // And the same text pasted elsewhere is the same text again.
        CasellaTesto altra;
        altra.paste();
        atteso.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QCOMPARE(altra.testo(), atteso);
    }

    void digitareAllaGiuntura_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("primaDellaGiuntura");
        QTest::addColumn<QString>("atteso");
        // "abc|def" stands for the join between two pieces.
        QTest::newRow("lettera dopo") << int(Qt::Key_Z) << false << "abczdef";
        QTest::newRow("lettera prima") << int(Qt::Key_Z) << true << "abczdef";
        QTest::newRow("cancella indietro") << int(Qt::Key_Backspace) << false << "abdef";
        QTest::newRow("cancella avanti") << int(Qt::Key_Delete) << true << "abcef";
        QTest::newRow("invio dopo") << int(Qt::Key_Return) << false << "abc\r\ndef";
        QTest::newRow("invio prima") << int(Qt::Key_Return) << true << "abc\r\ndef";
    }

    void digitareAllaGiuntura() {
        QFETCH(int, tasto);
        QFETCH(bool, primaDellaGiuntura);
        QFETCH(QString, atteso);
        // A run cut exactly at PezzoMassimo: the join falls after "abc".
        const QString testa = QString(CasellaTesto::PezzoMassimo - 3, QLatin1Char('x'));
        const QString coda = QString(100, QLatin1Char('y'));
        const QString testo = testa + QStringLiteral("abcdef") + coda;
        CasellaTesto casella;
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        casella.impostaTesto(testo);
        const QTextBlock secondo = casella.document()->firstBlock().next();
        QVERIFY(CasellaTesto::continuazione(secondo));
        QCOMPARE(secondo.text().left(3), QStringLiteral("def"));
        QTextCursor c(secondo);
        if (primaDellaGiuntura)
            c.movePosition(QTextCursor::PreviousCharacter);
        casella.setTextCursor(c);
        QTest::keyClick(&casella, Qt::Key(tasto));
        QCOMPARE(casella.testo(), testa + atteso + coda);
        QCOMPARE(casella.lunghezzaTesto(), casella.testo().size());
        casella.undo();
        QCOMPARE(casella.testo(), testo);
    }

    // Edits kept for undo are bounded: past the limit the history goes before
    // the next edit, which itself can still be undone.
    void annullaLimitato() {
        CasellaTesto casella;
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        const QString a(CasellaTesto::LimiteAnnulla / 2 + 1, u'a');
        const QString b(CasellaTesto::LimiteAnnulla / 2 + 1, u'b');
        QApplication::clipboard()->setText(a);
        casella.paste();
        casella.undo();
        QCOMPARE(casella.testo(), QString());
        casella.redo();
        QTest::keyClick(&casella, Qt::Key_Left);
        QApplication::clipboard()->setText(b);
        casella.paste();
        // The history went before the paste, the cursor stayed where it was.
        QTest::keyClick(&casella, Qt::Key_Z);
        QCOMPARE(casella.testo(), a.left(a.size() - 1) + b + u'z' + a.right(1));
        for (int i = 0; i < 4; ++i)
            casella.undo();
        QCOMPARE(casella.testo(), a);
        // Text the program puts in cannot be undone.
        casella.impostaTesto(QStringLiteral("nuovo"));
        QVERIFY(!casella.document()->isUndoAvailable());
    }

    void tabulazione() {
        QWidget finestra;
        auto* primo = new CasellaTesto(&finestra);
        auto* secondo = new CasellaTesto(&finestra);
        secondo->move(0, 120);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        primo->setFocus();
        QTest::keyClick(primo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), secondo);
        QCOMPARE(primo->testo(), QString());
    }

    void colori() {
        QApplication::setPalette(QPalette());
        CasellaTesto casella;
        QCOMPARE(casella.sfondo(), QColor(255, 255, 192));
        QCOMPARE(casella.coloreTesto(), QApplication::palette().color(QPalette::WindowText));

        casella.impostaSfondo(QColor(1, 2, 3));
        casella.impostaColoreTesto(QColor(4, 5, 6));
        // Kept while the box is disabled.
        casella.setEnabled(false);
        QCOMPARE(casella.palette().color(QPalette::Disabled, QPalette::Base), QColor(1, 2, 3));
        QCOMPARE(casella.palette().color(QPalette::Disabled, QPalette::Text), QColor(4, 5, 6));
        casella.setEnabled(true);

        casella.ripristinaColori();
        QCOMPARE(casella.sfondo(), QColor(255, 255, 192));
        QCOMPARE(casella.coloreTesto(), QApplication::palette().color(QPalette::WindowText));
    }

    void coloreDiSistema() {
        // The default text colour follows the system's scheme; a chosen one stays.
        const QPalette originale = QApplication::palette();
        QWidget finestra;
        auto* predefinita = new CasellaTesto(&finestra);
        auto* scelta = new CasellaTesto(&finestra);
        CasellaTesto solitaria;
        scelta->impostaColoreTesto(QColor(9, 9, 9));
        QPalette nuova = originale;
        nuova.setColor(QPalette::WindowText, QColor(20, 40, 60));
        QApplication::setPalette(nuova);
        QCOMPARE(predefinita->coloreTesto(), QColor(20, 40, 60));
        QCOMPARE(solitaria.coloreTesto(), QColor(20, 40, 60));
        QCOMPARE(scelta->coloreTesto(), QColor(9, 9, 9));
        QCOMPARE(predefinita->sfondo(), QColor(255, 255, 192));
        QApplication::setPalette(originale);
    }

    // --- The slider's click ---

    void slider_data() {
        QTest::addColumn<int>("partenza");
        QTest::addColumn<QString>("azione");
        QTest::addColumn<int>("clic");
        QTest::addColumn<int>("valore");
        QTest::newRow("dal programma") << 50 << "setValue" << 0 << 70;
        QTest::newRow("freccia") << 50 << "destra" << 1 << 51;
        QTest::newRow("pagina su") << 50 << "paginasu" << 1 << 55;
        QTest::newRow("fine") << 50 << "fine" << 1 << 100;
        QTest::newRow("freccia al massimo") << 100 << "destra" << 0 << 100;
        QTest::newRow("clic sul binario") << 50 << "binario" << 1 << 55;
        QTest::newRow("rotella") << 50 << "rotella" << 1 << -1;
    }

    void slider() {
        QFETCH(int, partenza);
        QFETCH(QString, azione);
        QFETCH(int, clic);
        QFETCH(int, valore);
        SliderCaratteri s;
        s.setRange(1, 100);
        s.setSingleStep(1);
        s.setPageStep(5);
        s.setValue(partenza);
        s.resize(610, 17);
        s.show();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        QSignalSpy clic_(&s, &SliderCaratteri::cliccato);
        if (azione == "setValue") {
            s.setValue(valore);
        } else if (azione == "destra") {
            QTest::keyClick(&s, Qt::Key_Right);
        } else if (azione == "paginasu") {
            QTest::keyClick(&s, Qt::Key_PageUp);
        } else if (azione == "fine") {
            QTest::keyClick(&s, Qt::Key_End);
        } else if (azione == "binario") {
            QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(s.width() - 3, s.height() / 2));
            // Nothing yet while the button is down.
            QCOMPARE(clic_.count(), 0);
            QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(s.width() - 3, s.height() / 2));
            valore = s.value();
            QVERIFY(valore > partenza);
        } else if (azione == "rotella") {
            QWheelEvent rotella(QPointF(10, 8), s.mapToGlobal(QPointF(10, 8)), QPoint(),
                                QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                                false);
            QApplication::sendEvent(&s, &rotella);
            valore = s.value();
            QVERIFY(valore != partenza);
        }
        QCOMPARE(s.value(), valore);
        QCOMPARE(clic_.count(), clic);
    }

    // --- The pictures ---

    void righelloFormato() {
        const QImage r = disegnaRighello();
        QCOMPARE(r.size(), QSize(624, 47));
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                const QColor c = r.pixelColor(x, y);
                QVERIFY(c == Nero || c == SfondoRighello);
            }
        }
    }

    void righelloTacche() {
        const QImage r = disegnaRighello();
        // The base line.
        for (int x = 5; x <= 600; ++x)
            QVERIFY(nero(r, x, 32));
        QVERIFY(!nero(r, 4, 32));
        QVERIFY(!nero(r, 601, 32));
        // A tick under every column: short ones to row 36, long ones under the tens.
        QList<int> tacche;
        for (int x = 0; x < r.width(); ++x) {
            if (nero(r, x, 33))
                tacche.append(x);
        }
        QCOMPARE(tacche.size(), 100);
        QCOMPARE(tacche.mid(0, 4), (QList<int>{5, 11, 17, 24}));
        QCOMPARE(tacche.last(), 600);
        for (int k = 4; k <= 100; ++k) {
            const int x = 6 * k;
            QCOMPARE(tacche[k - 1], x);
            const int fondo = k % 10 == 0 ? 42 : 36;
            for (int y = 33; y <= fondo; ++y)
                QVERIFY(nero(r, x, y));
            QVERIFY(!nero(r, x, fondo + 1));
        }
    }

    void righelloCifre() {
        const QImage r = disegnaRighello();
        // Ink only in the two rows of figures and the scale.
        for (int y = 0; y < r.height(); ++y) {
            const bool ammessa =
                (y >= 2 && y <= 10) || (y >= 15 && y <= 23) || (y >= 32 && y <= 42);
            if (ammessa)
                continue;
            for (int x = 0; x < r.width(); ++x)
                QVERIFY2(!nero(r, x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
        // The digit of column k is centred on x = 6k, with a clear pixel
        // column between neighbours: the same digit looks the same each ten.
        auto cifra = [&r](int k, int alto) {
            QImage c = r.copy(6 * k - 2, alto, 5, 9);
            return c;
        };
        for (int k = 1; k <= 100; ++k) {
            bool inchiostro = false;
            for (int y = 15; y <= 23; ++y) {
                QVERIFY(!nero(r, 6 * k + 3, y));
                for (int x = 6 * k - 2; x <= 6 * k + 2; ++x)
                    inchiostro = inchiostro || nero(r, x, y);
            }
            QVERIFY(inchiostro);
            if (k > 10)
                QCOMPARE(cifra(k, 15), cifra(k - 10, 15));
            if (k > 1)
                QVERIFY(cifra(k, 15) != cifra(k - 1, 15));
        }
        // The tens over their columns: 1 over column 10 ... 10 over column 100.
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(r.copy(60 * n - 2, 2, 5, 9), cifra(n, 15));
        QCOMPARE(r.copy(595, 2, 5, 9), cifra(1, 15));
        QCOMPARE(r.copy(601, 2, 5, 9), cifra(10, 15));
    }

    void icona() {
        const QIcon icona = iconaQuorla();
        const QList<QSize> lati = icona.availableSizes();
        QVERIFY(lati.contains(QSize(16, 16)));
        QVERIFY(lati.contains(QSize(32, 32)));
        const QImage img = disegnaIcona(32);
        // The page is white, the letter in its middle black, the folded corner
        // grey, and the shadow grey beyond the page's lower right edge.
        QCOMPARE(img.pixelColor(7, 5), QColor(Qt::white));
        QCOMPARE(img.pixelColor(15, 19), QColor(Qt::black));
        QCOMPARE(img.pixelColor(24, 7), QColor(192, 192, 192));
        QCOMPARE(img.pixelColor(25, 3).alpha(), 0);
        QCOMPARE(img.pixelColor(27, 30), QColor(128, 128, 128));
        QCOMPARE(img.pixelColor(1, 1).alpha(), 0);
    }

    // --- The dialogs ---

    void filtri_data() {
        QTest::addColumn<QString>("elenco");
        QTest::addColumn<QStringList>("filtri");
        QTest::newRow("del programma") << "File di testo (*.txt)|*.txt|All Files (*.*)|*.*"
                                       << QStringList{"File di testo (*.txt)", "All Files (*.*)"};
        QTest::newRow("senza modello nel nome") << "Testo|*.txt" << QStringList{"Testo (*.txt)"};
        QTest::newRow("modello diverso")
            << "Testo (vecchio)|*.old" << QStringList{"Testo (vecchio) (*.old)"};
        QTest::newRow("voce incompleta") << "Testo|*.txt|Altro" << QStringList{"Testo (*.txt)"};
        QTest::newRow("vuoto") << "" << QStringList{};
    }

    void filtri() {
        QFETCH(QString, elenco);
        QFETCH(QStringList, filtri);
        QCOMPARE(filtriDaElenco(elenco), filtri);
    }

    void messaggio_data() {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("icona");
        QTest::newRow("avviso") << 0x10030u << int(QMessageBox::Warning);
        QTest::newRow("informazione") << 0x10040u << int(QMessageBox::Information);
    }

    void messaggio() {
        QFETCH(unsigned, flags);
        QFETCH(int, icona);
        DialoghiQt dialoghi;
        bool visto = false;
        quandoAperto<QMessageBox>([&](QMessageBox* box) {
            visto = true;
            QCOMPARE(int(box->icon()), icona);
            QCOMPARE(box->windowTitle(), QStringLiteral("Titolo"));
            QCOMPARE(box->text(), QStringLiteral("uno\ndue\n\ntre"));
            QCOMPARE(box->buttons().size(), 1);
            QVERIFY(box->button(QMessageBox::Ok));
        });
        dialoghi.messaggio(nullptr, QStringLiteral("uno\rdue\r\n\rtre"), QStringLiteral("Titolo"),
                           flags);
        QVERIFY(visto);
    }

    void fileDialogo_data() {
        QTest::addColumn<bool>("salva");
        QTest::newRow("apri") << false;
        QTest::newRow("salva") << true;
    }

    void fileDialogo() {
        QFETCH(bool, salva);
        DialoghiQt dialoghi;
        Dialoghi::OpzioniFile o;
        o.titolo = QStringLiteral("Titolo file");
        o.filtri = QStringList{"File di testo (*.txt)", "All Files (*.*)"};
        o.nomeIniziale = QStringLiteral("*.txt");
        o.estensione = QStringLiteral("txt");
        o.cartella = QDir::tempPath();
        o.deveEsistere = !salva;
        o.chiediSovrascrittura = salva;
        bool visto = false;
        quandoAperto<QFileDialog>([&](QFileDialog* dlg) {
            visto = true;
            QCOMPARE(dlg->windowTitle(), o.titolo);
            // Captions and suffix as the user meets them: tst_Desktop.
            QCOMPARE(dlg->nameFilters().size(), o.filtri.size());
            QVERIFY(dlg->selectedNameFilter().startsWith(o.filtri.first()));
            QCOMPARE(dlg->defaultSuffix(), salva ? o.estensione : QString());
            QCOMPARE(QDir(dlg->directory()).canonicalPath(), QDir(o.cartella).canonicalPath());
            QCOMPARE(dlg->acceptMode(), salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            QCOMPARE(dlg->fileMode(), salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            QCOMPARE(dlg->testOption(QFileDialog::DontConfirmOverwrite), !salva);
        });
        const std::optional<QString> scelto =
            salva ? dialoghi.salvaFile(nullptr, o) : dialoghi.apriFile(nullptr, o);
        QVERIFY(visto);
        QVERIFY(!scelto);
    }

    void coloreAnnullato() {
        DialoghiQt dialoghi;
        bool visto = false;
        quandoAperto<QColorDialog>([&](QColorDialog* dlg) {
            visto = true;
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Colore sfondo"));
        });
        QVERIFY(!dialoghi.colore(nullptr, QStringLiteral("Colore sfondo")));
        QVERIFY(visto);
    }

    void coloreScelto() {
        DialoghiQt dialoghi;
        quandoAperto<QColorDialog>(
            [](QColorDialog* dlg) { dlg->setCurrentColor(QColor(12, 34, 56)); }, true);
        QCOMPARE(dialoghi.colore(nullptr, QStringLiteral("Colore testo")), QColor(12, 34, 56));
    }
};

QTEST_MAIN(TestControlli)
#include "tst_Controlli.moc"
