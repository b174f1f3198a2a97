#include "Frm_SepElenco.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using Dichiarazioni::Stato_Dialogo;

namespace {

constexpr int N = Dichiarazioni::NumSeparatori;

// A record written as "<one digit per box> <output> <line end> <end of text> <s: space>",
// each choice the indices selected, joined by commas, or "-" for none.
Stato_Dialogo stato(const QString& testo) {
    const QStringList parti = testo.split(' ');
    Stato_Dialogo s;
    for (QChar c : parti[0])
        s.Chk_Separa.push_back(c.digitValue());
    s.Opt_Separatore_Out.assign(N, false);
    for (const QString& i : parti[1].split(',', Qt::SkipEmptyParts)) {
        s.Opt_Separatore_Out.resize(std::max<std::size_t>(N, i.toInt() + 1));
        s.Opt_Separatore_Out[i.toInt()] = i != "-";
    }
    s.Opt_Capo = {parti[2] == "0", parti[2] == "1"};
    s.Opt_Ultimo = {parti[3] == "0", parti[3] == "1"};
    s.Chk_Spazio = parti[4] == "s";
    return s;
}

QString testo(const Stato_Dialogo& s) {
    QString caselle;
    for (int c : s.Chk_Separa)
        caselle += QString::number(c);
    QStringList uscita;
    for (std::size_t i = 0; i < s.Opt_Separatore_Out.size(); ++i)
        if (s.Opt_Separatore_Out[i])
            uscita << QString::number(i);
    const auto scelta = [](std::array<bool, 2> a) { return a[0] ? " 0" : a[1] ? " 1" : " -"; };
    return caselle + ' ' + (uscita.isEmpty() ? "-" : uscita.join(',')) + scelta(s.Opt_Capo) +
           scelta(s.Opt_Ultimo) + (s.Chk_Spazio ? " s" : " -");
}

const QString Predefinito = "10010000000000 3 0 0 -";

// "Chk_Separa 7", "Opt_Separatore_Out 3", "Opt_Capo 1", "Opt_Ultimo 0", "Chk_Spazio", "Cmd_OK".
QAbstractButton* controllo(const Frm_SepElenco& d, const QString& nome) {
    const QString tipo = nome.section(' ', 0, 0);
    const int i = nome.section(' ', 1, 1).toInt();
    if (tipo == "Chk_Separa")
        return d.Chk_Separa(i);
    if (tipo == "Opt_Separatore_Out")
        return d.Opt_Separatore_Out(i);
    if (tipo.startsWith("Opt_"))
        return tipo == "Opt_Capo" ? d.Opt_Capo(i) : d.Opt_Ultimo(i);
    return tipo == "Chk_Spazio" ? static_cast<QAbstractButton*>(d.Chk_Spazio()) : d.Cmd_OK();
}

} // namespace

class TestFrmSepElenco : public QObject {
    Q_OBJECT
private slots:
    void finestra() {
        Frm_SepElenco d;
        QCOMPARE(d.windowTitle(), "Selezione separatori di elenco");
        QVERIFY(d.isWindow() && !d.isVisible() && !d.parentWidget());
        QCOMPARE(d.size(), QSize(684, 269)); // 10260 by 4035 twips
        QCOMPARE(d.minimumSize(), d.maximumSize());
        const Qt::WindowFlags f = d.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint && !(f & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(d.geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        // Nothing set until the engine sets its defaults; every box can be greyed.
        QCOMPARE(testo(d.stato()), "00000000000000 - - - -");
        for (int i = 0; i < N; ++i)
            QVERIFY(d.Chk_Separa(i)->isTristate());
        for (int i : {-1, N})
            QVERIFY(!d.Chk_Separa(i) && !d.Opt_Separatore_Out(i) && !d.Opt_Capo(i) &&
                    !d.Opt_Ultimo(i));
        QVERIFY(!d.Opt_Capo(2) && !d.Opt_Ultimo(2));
        // Both sizes of the icon are drawn on one grid: the large one is the small doubled,
        // a page of items split by red separators, on a clear background.
        QCOMPARE(d.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        const QImage piccola = d.windowIcon().pixmap(16).toImage();
        QCOMPARE(d.windowIcon().pixmap(32).toImage().scaled(16, 16), piccola);
        const auto* punti = reinterpret_cast<const QRgb*>(piccola.constBits());
        QVERIFY(std::count(punti, punti + 256, QColor(Qt::red).rgb()) &&
                std::count(punti, punti + 256, 0u));
        // Every caption fits its control, with a wide default font too, which the dialog
        // makes smaller; one too wide to ever fit stops shrinking at a legible size.
        const QFont prima = QApplication::font();
        QFont grande = prima, pixel = prima, largo = prima;
        grande.setPointSize(22);
        pixel.setPixelSize(30);
        largo.setLetterSpacing(QFont::AbsoluteSpacing, 40);
        QFont largoPixel = largo;
        largoPixel.setPixelSize(30);
        for (const QFont& carattere : {prima, grande, pixel, largo, largoPixel}) {
            QApplication::setFont(carattere);
            Frm_SepElenco f;
            QApplication::setFont(prima);
            const bool entra = carattere.letterSpacing() == 0;
            for (const QAbstractButton* b : f.findChildren<QAbstractButton*>())
                QVERIFY(!entra || (b->sizeHint().width() <= b->width() &&
                                   b->sizeHint().height() <= b->height()));
            for (const QGroupBox* g : f.findChildren<QGroupBox*>())
                QVERIFY(!entra || g->minimumSizeHint().width() <= g->width());
            QVERIFY(entra || (carattere.pixelSize() > 0 ? f.font().pixelSize() == 8
                                                        : f.font().pointSizeF() == 6));
        }
    }

    // Every control: caption, tool tip and frame, inside its frame, overlapping no other.
    void controlli_data() {
        QTest::addColumn<QString>("scheda"); // name~caption~tool tip~frame
        // clang-format off
        const QString ingresso = "~Separatori usati nel \"Testo in ingresso\"", uscita = "~Separatore usato nel \"Testo riordinato\"";
        const QString capo = "~Separatore per \"testo a capo\"", fine = "~Separatore a \"fine testo\"";
        const QString usato = "il separatore usato per riordinare il testo", riga = " dopo l'ultimo carattere della riga";
        const QString testo = " dopo l'ultimo carattere del testo riordinato";
        const char* voci[N] = {"Spazio~~Spazio", "Invio~~Invio", "Tab~~Tab", "Punto e virgola~~;",
            "Due punti~~:", "Virgola~~,", "Punto~~.", "Punto esclamativo~~!", "Punto di domanda~~?",
            "<~~Minore di", " >~>~Maggiore di", " /~/~/", " \\~\\~\\", "|~~|"};
        for (int i = 0; i < N; ++i) {
            const QStringList v = QString(voci[i]).split('~');
            QTest::addRow("Chk_Separa %d", i) << QString("Chk_Separa %1~%2~%3").arg(i).arg(v[0], v[2]) + ingresso;
            QTest::addRow("Opt_Separatore_Out %d", i) << QString("Opt_Separatore_Out %1~%2~%3").arg(i)
                .arg(v[1].isEmpty() ? v[0] : v[1], v[2]) + uscita;
        }
        QTest::newRow("Chk_Spazio") << "Chk_Spazio~Spazio dopo il separatore~Aggiungi uno spazio dopo ogni separatore del testo riordinato" + uscita;
        QTest::newRow("Opt_Capo 0") << "Opt_Capo 0~Nessuno~Non inserire il separatore" + riga + capo;
        QTest::newRow("Opt_Capo 1") << "Opt_Capo 1~Come \"Testo riordinato\"~Inserisci " + usato + riga + capo;
        QTest::newRow("Opt_Ultimo 0") << "Opt_Ultimo 0~Nessuno~Non aggiungere alcun separatore" + testo + fine;
        QTest::newRow("Opt_Ultimo 1") << "Opt_Ultimo 1~Come \"Testo riordinato\"~Aggiungi " + usato + testo + fine;
        QTest::newRow("Cmd_OK") << "Cmd_OK~&OK~~";
        // clang-format on
    }

    void controlli() {
        QFETCH(QString, scheda);
        const QStringList attesi = scheda.split('~');
        Frm_SepElenco d;
        const QAbstractButton* b = controllo(d, attesi[0]);
        QCOMPARE(b->text(), attesi[1]);
        QCOMPARE(b->toolTip(), attesi[2]);
        QVERIFY(b->isEnabled());
        const auto* gruppo = qobject_cast<const QGroupBox*>(b->parentWidget());
        QCOMPARE(gruppo ? gruppo->title() : QString(), attesi[3]);
        QVERIFY(b->parentWidget()->contentsRect().contains(b->geometry()));
        for (const QWidget* w :
             b->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY(w == b || !w->geometry().intersects(b->geometry()));
    }

    // From a state applicaStato set, what the user does: "clic", a key on a control
    // or on the focused one, "chiudi" ("=": where the focus is). A greyed box is only
    // set by the program; only OK and a close request confirm, Enter only on OK.
    void azioni_data() {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("azioni");
        QTest::addColumn<QString>("dopo");
        QTest::addColumn<int>("conferme");
        const QString p = Predefinito, z = "00000000000000";
        // Round trips: members the dialog lacks and unknown values are left out, of two
        // options the first wins.
        for (const QString& s : QStringList{p, "01200000000021 13 1 1 s", z + " 1 1 0 s",
                                            z + " 2 0 1 -", z + " - - - -"})
            QTest::newRow(qPrintable(s)) << s << "" << s << 0;
        // clang-format off
        QTest::newRow("incompleto") << "07 6,8,17 0 1 -" << "" << "02222222222222 6 0 1 -" << 0;
        QTest::newRow("grigia") << "00002000000000 3 0 0 -" << "clic Chk_Separa 4" << "00001000000000 3 0 0 -" << 0;
        QTest::newRow("spuntata") << "00001000000000 3 0 0 -" << "Space Chk_Separa 4" << z + " 3 0 0 -" << 0;
        QTest::newRow("vuota, due volte") << p << "Space Chk_Separa 4;Space Chk_Separa 4" << p << 0;
        QTest::newRow("dopo nessuna scelta") << z + " - - - -"
            << "clic Opt_Separatore_Out 5;clic Opt_Separatore_Out 9;clic Opt_Capo 1" << z + " 9 1 - -" << 0;
        QTest::newRow("uscita Invio") << z + " 3 0 0 s" << "clic Opt_Separatore_Out 1" << z + " 1 0 0 s" << 0;
        QTest::newRow("uscita Tab") << z + " 3 0 0 s" << "clic Opt_Separatore_Out 2" << z + " 2 0 0 s" << 0;
        QTest::newRow("|") << z + " 2 0 0 s" << "clic Opt_Separatore_Out 13" << z + " 13 0 0 s" << 0;
        QTest::newRow("OK") << p << "clic Cmd_OK" << p << 1;
        QTest::newRow("chiusura") << p << "chiudi" << p << 1;
        QTest::newRow("Alt+O") << p << "Alt+O Chk_Separa 0" << p << 1;
        // Tab runs the boxes in order, then enters each group at its selected option,
        // or its first, passing over the space box while it has no say.
        const QString tab = "Tab Chk_Separa 0;=Chk_Separa 1;Tab Chk_Separa 13;=Opt_Separatore_Out ";
        QTest::newRow("Tab") << p << tab + "3;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0;Tab;=Cmd_OK;Tab;=Chk_Separa 0" << p << 0;
        QTest::newRow("Tab, nessuna") << z + " - - - -" << tab + "0;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0" << z + " - - - -" << 0;
        QTest::newRow("Tab, Invio") << z + " 1 0 1 -" << tab + "1;Tab;=Opt_Capo 0" << z + " 1 0 1 -" << 0;
        for (const char* nome : {"Cmd_OK", "Chk_Separa 0", "Opt_Separatore_Out 3", "Chk_Spazio"}) {
            const int ok = QString(nome) == "Cmd_OK";
            QTest::addRow("Invio, %s", nome) << p << QString("Return %1").arg(nome) << p << ok;
            QTest::addRow("Enter, %s", nome) << p << QString("Enter %1").arg(nome) << p << ok;
            QTest::addRow("Esc, %s", nome) << p << QString("Esc %1").arg(nome) << p << 0;
        }
        // clang-format on
    }

    void azioni() {
        QFETCH(QString, prima);
        QFETCH(QString, azioni);
        QFETCH(QString, dopo);
        QFETCH(int, conferme);
        Frm_SepElenco d;
        // From states that differ in every control, so that each must change.
        const QString spazio = prima.endsWith('s') ? "-" : "s";
        d.applicaStato(stato("11111111111111 9 1 0 " + spazio));
        d.applicaStato(stato("22222222222222 10 0 1 " + spazio));
        d.applicaStato(stato(prima));
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QSignalSpy spia(&d, &Frm_SepElenco::confermato);
        for (const QString& azione : azioni.split(';', Qt::SkipEmptyParts)) {
            const QString come = azione.section(' ', 0, 0);
            if (come.startsWith('=')) {
                QCOMPARE(QApplication::focusWidget(), controllo(d, azione.mid(1)));
                continue;
            }
            QWidget* b =
                come == azione ? QApplication::focusWidget() : controllo(d, azione.section(' ', 1));
            b->setFocus();
            const QKeyCombination tasto = QKeySequence::fromString(come)[0];
            if (come == "clic")
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            else if (come == "chiudi")
                QVERIFY(!d.close());
            else
                QTest::keyClick(b, tasto.key(), tasto.keyboardModifiers());
        }
        // The access key presses the button with a short animation.
        QTRY_COMPARE(spia.count(), conferme);
        QVERIFY(d.isVisible());
        QCOMPARE(testo(d.stato()), dopo);
        // A space after a line break or a tab has no say.
        QCOMPARE(d.Chk_Spazio()->isEnabled(), !QString("12").contains(dopo.section(' ', 1, 1)));
    }
};

QTEST_MAIN(TestFrmSepElenco)
#include "tst_Frm_SepElenco.moc"
