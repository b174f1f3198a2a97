#include "Controlli.h"
#include "Dialoghi.h"
#include "Disegni.h"
#include "RigaComando.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Random words and long runs without spaces or of emoji, with some line breaks.
QString testoCasuale(quint32 seme, qsizetype lunghezza, bool righe = true) {
    QRandomGenerator caso(seme);
    const QString lettere = QStringLiteral("abcdefghijklmnopqrstuvwxyzàèéìòù;,.");
    QString t;
    while (t.size() < lunghezza) {
        const int tipo = caso.bounded(20);
        if (tipo == 0)
            t += QString(caso.bounded(3000, 9000), lettere[caso.bounded(lettere.size())]);
        else if (tipo == 1 && righe)
            t += QStringLiteral("\r\n");
        else if (tipo == 2)
            t += QStringLiteral("\U0001F600").repeated(caso.bounded(1, 3000));
        for (int n = tipo > 2 ? caso.bounded(1, 12) : 0; n > 0; --n)
            t += lettere[caso.bounded(lettere.size())];
        t += tipo == 3 ? QStringLiteral("\u00a0") : tipo > 3 ? QStringLiteral(" ") : QString();
    }
    return t;
}

// The text with the engine's line breaks: CR LF, and a CR or LF on its own.
QString conCrLf(QString t) {
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n')
        .replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

// The real file dialog on `cartella`, handed to `azione`; then its boxes and it dismissed.
std::optional<QString> conDialogo(bool apri, const QString& cartella,
                                  const std::function<void(QFileDialog*)>& azione) {
    QTimer guardiano;
    int passi = 0;
    QObject::connect(&guardiano, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* file = qobject_cast<QFileDialog*>(dialogo);
        if (file && passi++ == 0)
            azione(file);
        else if (dialogo && (!file || passi > 20))
            dialogo->reject();
    });
    guardiano.start(50);
    const Dialoghi::OpzioniFile opzioni = {
        u"Apri"_s, {u"File di testo (*.txt)"_s, u"All Files (*.*)"_s}, {}, u"txt"_s, cartella, apri,
        false};
    DialoghiQt dialoghi;
    return apri ? dialoghi.apriFile(nullptr, opzioni) : dialoghi.salvaFile(nullptr, opzioni);
}

} // namespace

class TestControlli : public QObject {
    Q_OBJECT

private slots:
    // Text in (set, in pieces, pasted) is text out, held in pieces that split no character and
    // end, if they can, where a line may wrap ("fine"); copied and pasted, the same.
    void andataERitorno_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("fine");
        const QString prosa = QStringLiteral("parola ").repeated(2000);
        const QString elenco = QStringLiteral("voce;").repeated(1000);
        const QString emoji = QStringLiteral("x") + QStringLiteral("\U0001F600").repeated(3000);
        QString righe;
        for (int i = 0; i < 12000; ++i)
            righe += QStringLiteral("voce %1\r\n").arg(i);
        // clang-format off
        for (const QString& t : {QString(), QStringLiteral("perché è così"), QStringLiteral("\r\n\r\nx\r\n"),
                                 QString::fromUtf16(u"\0a\1b\tc\13d\37", 9), QStringLiteral("a\u00a0b\nc\rd")})
            QTest::newRow(qPrintable(t.toUtf8().toPercentEncoding())) << t << "imposta" << "";
        QTest::newRow("a capo incollati") << "a\nb\rc\r\nd" << "incolla" << "";
        QTest::newRow("ab cdef") << "ab\r\ncdef" << "imposta" << "";
        QTest::newRow("molte righe") << righe << "imposta" << "";
        QTest::newRow("molte righe incollate") << righe << "incolla in mezzo" << "";
        QTest::newRow("molte righe a pezzi") << righe << "a pezzi" << "";
        QTest::newRow("prosa") << prosa << "imposta" << " ";
        QTest::newRow("elenco") << elenco << "imposta" << ";";
        QTest::newRow("elenco incollato") << elenco << "incolla in mezzo" << " ;";
        QTest::newRow("una sola corsa") << QString(50000, u';') << "imposta" << ";";
        QTest::newRow("emoji alla giuntura") << emoji << "imposta" << "";
        // clang-format on
        for (quint32 seme : {1u, 2u, 3u})
            for (const char* modo : {"imposta", "a pezzi", "incolla", "incolla in mezzo"})
                QTest::addRow("seme %u, %s", seme, modo)
                    << testoCasuale(seme, 60000 * seme, seme != 2) << modo << "";
    }
    void andataERitorno() {
        QFETCH(QString, testo);
        QFETCH(QString, modo);
        QFETCH(QString, fine);
        CasellaTesto casella;
        QString atteso = conCrLf(testo);
        if (modo == u"imposta") {
            casella.impostaTesto(testo);
        } else if (modo == u"a pezzi") {
            QRandomGenerator caso(testo.size());
            casella.iniziaTesto();
            for (qsizetype da = 0, n = 0; da < testo.size(); da += n) {
                n = std::min<qsizetype>(caso.bounded(1, 9), testo.size() - da);
                casella.aggiungiTesto(QStringView(testo).sliced(da, n));
            }
            casella.fineTesto();
        } else {
            const QString prima = QStringLiteral("inizio ").repeated(700);
            casella.impostaTesto(prima);
            const int dove = modo == u"incolla" ? int(prima.size()) : 2000;
            casella.seleziona(dove, 0);
            QApplication::clipboard()->setText(testo);
            QTest::keyClick(&casella, Qt::Key_V, Qt::ControlModifier);
            atteso = prima.left(dove) + atteso + prima.mid(dove);
            QCOMPARE(casella.testo(), atteso);
            casella.undo();
            QCOMPARE(casella.testo(), prima);
            casella.redo();
        }
        QCOMPARE(casella.testo(), atteso);
        QCOMPARE(casella.lunghezzaTesto(), atteso.size());
        QCOMPARE(casella.document()->isModified(), modo.startsWith(u"incolla")); // as setPlainText
        for (QTextBlock b = casella.document()->begin(); b.isValid(); b = b.next()) {
            const QString t = b.text();
            QVERIFY(t.size() <= CasellaTesto::PezzoMassimo);
            QVERIFY(t.isEmpty() || (!t.back().isHighSurrogate() && !t.front().isLowSurrogate()));
            QVERIFY(fine.isEmpty() || !CasellaTesto::continuazione(b.next()) ||
                    fine.contains(t.back()));
        }
        // Very many lines go into few blocks, much faster; in pieces, those past the first 10000.
        QVERIFY(atteso.count(u'\n') < 12000 || casella.document()->blockCount() < 1200 ||
                (modo == u"a pezzi" && casella.document()->blockCount() < 10200));
        // A position between a CR and its LF stands after the break.
        const auto dopo = [&atteso](qsizetype p) { return p + (atteso.mid(p - 1, 2) == "\r\n"); };
        const qsizetype n = atteso.size();
        for (auto [da, a] : {std::pair{n / 3 + 1, 2 * n / 3}, {0, n}, {n / 2, n + 100}}) {
            casella.seleziona(da, a - da);
            QApplication::clipboard()->clear();
            casella.copy();
            QString copiato = atteso.mid(dopo(da), dopo(a) - dopo(da));
            copiato.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\u00a0', u' ');
            QCOMPARE(QApplication::clipboard()->text(), copiato);
            CasellaTesto altra;
            altra.paste();
            QCOMPARE(altra.testo(), conCrLf(copiato));
        }
    }

    // Keys at the join of two pieces ("abc|def") act as inside one paragraph.
    void digitareAllaGiuntura_data() {
        QTest::addColumn<QString>("tasto");
        QTest::addColumn<int>("ancora"); // where the selection starts: "|" 0, "c" -1
        QTest::addColumn<int>("cursore");
        QTest::addColumn<QString>("atteso");
        // "key anchor cursor result"; Ctrl+V pastes nothing: the selection stays.
        const QString righe =
            u"Z 0 0 abczdef|Z -1 -1 abczdef|Backspace 0 0 abdef|Del -1 -1 abcef|"
            "Backspace -3 0 adef|Ctrl+V -3 0 abcdef|Return 0 0 abc\r\ndef|"
            "Return -1 -1 abc\r\ndef|Shift+Return 0 0 abc\r\ndef|Enter 0 0 abc\r\ndef"_s;
        for (const QString& r : righe.split(u'|'))
            QTest::newRow(qPrintable(r.section(u' ', 0, 2)))
                << r.section(u' ', 0, 0) << r.section(u' ', 1, 1).toInt()
                << r.section(u' ', 2, 2).toInt() << r.section(u' ', 3);
    }
    void digitareAllaGiuntura() {
        QFETCH(QString, tasto);
        QFETCH(int, ancora);
        QFETCH(int, cursore);
        QFETCH(QString, atteso);
        // Cut exactly at PezzoMassimo, after "abc"; the cursor goes where the engine puts it.
        const QString testa = QString(CasellaTesto::PezzoMassimo - 3, u'x'), coda(100, u'y');
        CasellaTesto casella;
        casella.impostaTesto(testa + "abcdef" + coda);
        casella.seleziona(testa.size() + 3, 0);
        QTextCursor c = casella.textCursor();
        c.setPosition(c.position() + ancora);
        c.setPosition(c.position() - ancora + cursore, QTextCursor::KeepAnchor);
        casella.setTextCursor(c);
        QApplication::clipboard()->setText(QString());
        const QKeyCombination k = QKeySequence::fromString(tasto)[0];
        QTest::keyClick(&casella, k.key(), k.keyboardModifiers());
        QCOMPARE(casella.testo(), testa + atteso + coda);
        QCOMPARE(casella.lunghezzaTesto(), casella.testo().size());
        casella.undo();
        QCOMPARE(casella.testo(), testa + "abcdef" + coda);
    }

    // Past the undo limit the history goes before the next edit, which can still be undone.
    void annullaLimitato_data() {
        QTest::addColumn<bool>("trascina");
        QTest::newRow("un tasto, poi incolla") << false;
        QTest::newRow("trascina") << true;
    }
    void annullaLimitato() {
        QFETCH(bool, trascina);
        CasellaTesto casella;
        casella.show();
        QVERIFY(QTest::qWaitForWindowExposed(&casella));
        const QString a(CasellaTesto::LimiteAnnulla / 2 + 1, u'a'), b(a.size(), u'b');
        QApplication::clipboard()->setText(a);
        casella.paste();
        casella.undo();
        QCOMPARE(casella.testo(), QString());
        casella.redo();
        QMimeData dati;
        dati.setText(b);
        QDropEvent rilascio({2, 2}, Qt::CopyAction, &dati, Qt::LeftButton, {});
        if (trascina) {
            QDragEnterEvent entra({2, 2}, Qt::CopyAction, &dati, Qt::LeftButton, {});
            QApplication::sendEvent(casella.viewport(), &entra);
            QApplication::sendEvent(casella.viewport(), &rilascio);
            QCOMPARE(casella.testo().count(u'b'), b.size());
        } else {
            QTest::keyClick(&casella, Qt::Key_Left);
            QApplication::clipboard()->setText(b);
            casella.paste();
            // The history went before the paste, the cursor stayed where it was.
            QTest::keyClick(&casella, Qt::Key_Z);
            QCOMPARE(casella.testo(), a.left(a.size() - 1) + b + u'z' + a.right(1));
        }
        for (int i = 0; i < 4; ++i)
            casella.undo();
        QCOMPARE(casella.testo(), a);
        // Text the program puts in cannot be undone.
        casella.impostaTesto(QStringLiteral("nuovo"));
        QVERIFY(!casella.document()->isUndoAvailable());
    }

    // Lines wrap at the box's width, at spaces; Tab moves on; colours stay while disabled; the
    // slider clicks on a change by key, wheel, or mouse once it is up.
    void caselleESlider() {
        QWidget finestra;
        auto* casella = new CasellaTesto(&finestra);
        auto* scelta = new CasellaTesto(&finestra);
        auto* s = new SliderCaratteri(&finestra); // at its least value
        casella->resize(300, 100);
        s->setGeometry(0, 120, 610, 17);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        QApplication::clipboard()->setText(QString(2500, u'x'));
        casella->paste();
        QVERIFY(casella->document()->firstBlock().layout()->lineCount() > 1);
        QVERIFY(!casella->horizontalScrollBar()->isVisible() &&
                casella->verticalScrollBar()->isVisible());
        casella->selectAll();
        QTest::keyClick(casella, Qt::Key_Delete);
        QTest::keyClicks(casella, QStringLiteral("una frase di prova che va a capo ").repeated(4));
        QCoreApplication::processEvents();
        const QTextBlock blocco = casella->document()->firstBlock();
        QVERIFY(blocco.layout()->lineCount() > 2);
        for (int i = 0; i + 1 < blocco.layout()->lineCount(); ++i) {
            const QTextLine riga = blocco.layout()->lineAt(i);
            QCOMPARE(blocco.text().at(riga.textStart() + riga.textLength() - 1), u' ');
        }
        QTest::keyClick(casella, Qt::Key_Tab);
        QVERIFY(scelta->hasFocus() && !casella->testo().contains(u'\t'));
        scelta->impostaSfondo(QColor(1, 2, 3));
        scelta->impostaColoreTesto(QColor(4, 5, 6));
        scelta->setEnabled(false);
        QVERIFY(scelta->palette().color(QPalette::Disabled, QPalette::Base) == QColor(1, 2, 3) &&
                scelta->palette().color(QPalette::Disabled, QPalette::Text) == QColor(4, 5, 6));
        QSignalSpy spia(s, &SliderCaratteri::cliccato);
        QTest::mousePress(s, Qt::LeftButton, {}, {600, 8});
        QCOMPARE(spia.count(), 0);
        QTest::mouseRelease(s, Qt::LeftButton, {}, {600, 8});
        QTest::keyClick(s, Qt::Key_Right);
        QWheelEvent rotella({10, 8}, {10, 8}, {}, {0, 120}, {}, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &rotella);
        QCOMPARE(spia.count(), 3);
    }

    // 624 by 47, black on (236, 233, 216): tens over their columns, a digit over each of 100
    // columns 6 pixels apart, a base line, a tick under each column, long under the tens.
    void righello() {
        const QImage r = disegnaRighello();
        QCOMPARE(r.size(), QSize(624, 47));
        const auto nero = [&r](int x, int y) { return r.pixelColor(x, y) == QColor(0, 0, 0); };
        QList<int> tacche;
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) {
                QVERIFY(nero(x, y) || r.pixelColor(x, y) == QColor(236, 233, 216));
                const bool cifre = (y >= 2 && y <= 10) || (y >= 15 && y <= 23) || y >= 33;
                QCOMPARE(nero(x, y) && !cifre, y == 32 && x >= 5 && x <= 600);
                if (y == 33 && nero(x, y))
                    tacche.append(x);
            }
        QCOMPARE(tacche.size(), 100);
        for (int k = 1; k <= 100; ++k) {
            QCOMPARE(tacche[k - 1], 6 * k - (k < 4));
            for (int y = 33; y <= 46; ++y)
                QCOMPARE(nero(tacche[k - 1], y), y <= (k % 10 == 0 ? 42 : 36));
            QVERIFY(k == 1 || r.copy(6 * k - 2, 15, 5, 9) != r.copy(6 * k - 8, 15, 5, 9));
        }
        // Digits 1..9, 0 by their holes: above ('a'), on ('m') or below ('b') the middle row.
        QStringList buchi;
        for (int k = 1; k <= 10; ++k) {
            QList<bool> visto(45, false);
            buchi << QString();
            for (int i = 0; i < 45; ++i) {
                QList<QPoint> coda{{i % 5, i / 5}};
                int somma = 0, quanti = 0, bordo = 0;
                while (!coda.isEmpty()) {
                    const QPoint p = coda.takeLast();
                    if (!QRect(0, 0, 5, 9).contains(p) || visto[p.y() * 5 + p.x()] ||
                        nero(p.x() + 6 * k - 2, p.y() + 15))
                        continue;
                    visto[p.y() * 5 + p.x()] = true;
                    somma += p.y(), ++quanti;
                    bordo |= !QRect(1, 1, 3, 7).contains(p);
                    coda << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1)
                         << p - QPoint(0, 1);
                }
                if (quanti > 0 && !bordo)
                    buchi.last() += somma < 4 * quanti ? 'a' : somma > 4 * quanti ? 'b' : 'm';
            }
        }
        QCOMPARE(buchi.join(','), QStringLiteral(",,,a,,b,,ab,a,m"));
        for (int d = 1; d <= 10; ++d) // the tens are the same digits, higher up; "10" last
            QCOMPARE(r.copy(d < 10 ? 60 * d - 2 : 595, 2, 5, 9),
                     r.copy(6 * d - 2 - 54 * (d / 10), 15, 5, 9));
        QCOMPARE(r.copy(601, 2, 5, 9), r.copy(58, 15, 5, 9));
        // The icon, 16 to 256 pixels: a white page, black edge, grey corner and shadow, an A.
        const QIcon icona = iconaQuorla();
        QVERIFY(icona.availableSizes().contains({16, 16}) &&
                icona.availableSizes().contains({256, 256}));
        const QImage i = icona.pixmap(32).toImage();
        QCOMPARE((QList<QRgb>{i.pixel(21, 6), i.pixel(8, 5), i.pixel(5, 15), i.pixel(27, 20)}),
                 (QList<QRgb>{qRgb(192, 192, 192), qRgb(255, 255, 255), 0xff000000,
                              qRgb(128, 128, 128)}));
        QVERIFY(qGray(i.pixel(12, 12)) % 255 != 0);
    }

    // The real dialogs, cancelled but for the colour chosen; a message's path stays whole.
    void dialoghi_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QString>("testo");
        for (unsigned f : {0x10030u, 0x10040u, 0x10u, 0x20u, 0x10000u})
            QTest::addRow("messaggio %x", f) << "messaggio" << f << "uno\rdue\r\n\rtre";
        QTest::newRow("percorso") << "messaggio" << 0x30u
                                  << "Attenzione, Errore nel file /home/utente/Documenti/elenchi-"
                                     "della-parrocchia/anno-2024/cartella/ordinati.txt\r\nCausa";
        for (const char* tipo : {"apri", "salva", "colore", "colore scelto"})
            QTest::newRow(tipo) << tipo << 0u << QString();
    }
    void dialoghi() {
        QFETCH(QString, tipo);
        QFETCH(unsigned, flags);
        QFETCH(QString, testo);
        const bool salva = tipo == "salva", scelto = tipo == "colore scelto";
        const Dialoghi::OpzioniFile o{"Titolo", {}, "nome.txt", {}, {}, !salva, salva};
        QString titolo;
        // Once the dialog is up: look at it, then close it.
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            titolo = dlg->windowTitle();
            const auto chiudi =
                qScopeGuard([&] { dlg->done(scelto ? QDialog::Accepted : QDialog::Rejected); });
            if (auto* box = qobject_cast<QMessageBox*>(dlg)) {
                const int icone[] = {0, QMessageBox::Critical, QMessageBox::Question,
                                     QMessageBox::Warning, QMessageBox::Information};
                QCOMPARE(int(box->icon()), icone[(flags & 0xF0) >> 4]);
                // Word joiners may hold a path together; any line end may go before it.
                const QRegularExpression spazi("\\s+");
                QCOMPARE(QString(box->text()).remove(u'\u2060').split(spazi), testo.split(spazi));
                QVERIFY(flags == 0x30 || box->text() == "uno\ndue\n\ntre");
                QCOMPARE(box->textFormat(), Qt::PlainText); // no markup read into a message
                QCOMPARE(box->buttons(), QList<QAbstractButton*>{box->button(QMessageBox::Ok)});
                const QLabel* etichetta = nullptr;
                for (const QLabel* l : box->findChildren<QLabel*>())
                    etichetta = l->text() == box->text() ? l : etichetta;
                QVERIFY(etichetta);
                for (const QString& parola : box->text().split(spazi))
                    QVERIFY2(etichetta->contentsRect().width() >=
                                 etichetta->fontMetrics().horizontalAdvance(parola),
                             qPrintable(parola));
            } else if (auto* colori = qobject_cast<QColorDialog*>(dlg)) {
                colori->setCurrentColor(QColor(12, 34, 56));
            } else if (auto* file = qobject_cast<QFileDialog*>(dlg)) {
                QVERIFY(file->testOption(QFileDialog::DontConfirmOverwrite) != salva &&
                        file->selectedFiles().value(0).endsWith(u"/nome.txt"));
            }
        });
        DialoghiQt d;
        if (tipo == "messaggio")
            d.messaggio(nullptr, testo, "Titolo", flags);
        else if (tipo.startsWith("colore"))
            QCOMPARE(d.colore(nullptr, "Titolo"),
                     scelto ? std::optional(QColor(12, 34, 56)) : std::nullopt);
        else
            QVERIFY(!(salva ? d.salvaFile(nullptr, o) : d.apriFile(nullptr, o)));
        QCOMPARE(titolo, QStringLiteral("Titolo"));
    }

    // The command line: an answer and exit code before the toolkit starts, or the file to open.
    void rigaComando_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("codice"); // -1: the window starts
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("scritto");
        const QString aiuto =
            "Uso: quorla [opzioni] [file]\nQuorla! - Brivetanzia alfabetico di testi\n\nApre il "
            "file di testo indicato come \"Apri...\" e ne mette in ordine le voci.\n\nOpzioni:\n"
            "  -h, --help      Mostra questo aiuto ed esce.\n  -v, --version   Mostra la "
            "versione ed esce.\n\nArgomenti:\n  file            Il file di testo da aprire; gli "
            "altri argomenti sono ignorati.\n";
        QTest::newRow("relativo") << QStringList{"./a/voci.txt"} << -1
                                  << QDir::currentPath() + "/a/voci.txt" << QString();
        QTest::newRow("in più") << QStringList{"/tmp/a.txt", "c d.txt"} << -1 << "/tmp/a.txt"
                                << "quorla: si apre solo il primo file; ignorati: c d.txt\n";
        // -reverse is the toolkit's, not a bundle of letters holding a v.
        QTest::newRow("del toolkit")
            << QStringList{"-reverse", "-k", "voci.txt"} << 2 << QString()
            << "quorla: opzione sconosciuta: --reverse\nquorla: opzione "
               "sconosciuta: -k\nPer l'elenco delle opzioni: quorla --help\n";
        QTest::newRow("versione") << QStringList{"-platform", "offscreen", "-v"} << 0 << QString()
                                  << "Quorla! 2.00\n";
        QTest::newRow("aiuto") << QStringList{"--help", "-v"} << 0 << QString() << aiuto;
    }
    void rigaComando() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, codice);
        QFETCH(QString, file);
        QFETCH(QString, scritto);
        // A device, not a string, so that what is not flushed is not seen.
        QBuffer uscita;
        uscita.open(QIODevice::WriteOnly);
        QTextStream flusso(&uscita);
        argomenti.prepend(u"quorla"_s);
        const std::optional<int> subito = RispostaImmediata(argomenti, flusso);
        const RigaComando riga = subito ? RigaComando{} : LeggiRigaComando(argomenti, flusso);
        QCOMPARE(subito ? *subito : riga.uscita.value_or(-1), codice);
        QCOMPARE(riga.file.value_or(QString()), file);
        QCOMPARE(QString::fromUtf8(uscita.data()), scritto);
    }

    // "All Files (*.*)" shows every file; a name typed gets ".txt" unless it opens as it is.
    void nomeDigitato_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("scelto"); // empty: the dialog gives nothing
        QTest::newRow("apri, esiste com'è") << true << u"LEGGIMI"_s << u"LEGGIMI"_s;
        QTest::newRow("apri, esiste con .txt") << true << u"voci"_s << u"voci.txt"_s;
        QTest::newRow("apri, non esiste") << true << u"manca"_s << QString();
        QTest::newRow("salva, esiste com'è") << false << u"LEGGIMI"_s << u"LEGGIMI.txt"_s;
    }
    void nomeDigitato() {
        QFETCH(bool, apri);
        QFETCH(QString, digitato);
        QFETCH(QString, scelto);
        QTemporaryDir cartella;
        for (const QString& nome : {u"LEGGIMI"_s, u"note.md"_s, u"voci.txt"_s}) {
            QFile file(cartella.filePath(nome));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList visti; // each filter's caption, then the files it shows
        const std::optional<QString> risposta =
            conDialogo(apri, cartella.path(), [&](QFileDialog* dialogo) {
                auto* tipi = dialogo->findChild<QComboBox*>(u"fileTypeCombo"_s);
                auto* lista = dialogo->findChild<QListView*>(u"listView"_s);
                // The last filter looked at is the first, the one the dialog opens with.
                for (int filtro = tipi->count() - 1; filtro >= 0; --filtro) {
                    tipi->setCurrentIndex(filtro);
                    emit tipi->activated(filtro);
                    QTest::qWait(300); // the folder is read in the background
                    QStringList nomi;
                    for (int r = 0; r < lista->model()->rowCount(lista->rootIndex()); ++r)
                        nomi << lista->model()->index(r, 0, lista->rootIndex()).data().toString();
                    nomi.sort();
                    visti.prepend(tipi->itemText(filtro) + ':' + nomi.join(','));
                }
                auto* nome = dialogo->findChild<QLineEdit*>(u"fileNameEdit"_s);
                nome->setFocus();
                nome->clear();
                QTest::keyClicks(nome, digitato);
                // Later: a dialog that refuses the name shows a box of its own.
                QTimer::singleShot(0, nome, [nome] { QTest::keyClick(nome, Qt::Key_Return); });
            });
        QCOMPARE(visti, (QStringList{"File di testo (*.txt):voci.txt",
                                     "All Files (*.*):LEGGIMI,note.md,voci.txt"}));
        QCOMPARE(risposta.value_or(QString()),
                 scelto.isEmpty() ? QString() : cartella.filePath(scelto));
    }
};

QTEST_MAIN(TestControlli)
#include "tst_Controlli.moc"
