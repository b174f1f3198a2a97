#include "Frm_SepElenco.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
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

auto campi(const Stato_Dialogo& s) {
    return std::tie(s.Chk_Separa, s.Opt_Separatore_Out, s.Opt_Capo, s.Opt_Ultimo, s.Chk_Spazio);
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
        QCOMPARE(d.size(), QSize(684, 269)); // 10260 by 4035 twips
        QCOMPARE(d.minimumSize(), d.maximumSize());
        const Qt::WindowFlags f = d.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint && !(f & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(d.geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        // Nothing set until the engine sets its defaults.
        QVERIFY(campi(d.stato()) == campi(stato("00000000000000 - - - -")));
        QCOMPARE(d.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        // Every control: caption, tool tip and frame, inside its frame, overlapping no other.
        // clang-format off
        const QString ingresso = "~Separatori usati nel \"Testo in ingresso\"", uscita = "~Separatore usato nel \"Testo riordinato\"";
        const QString capo = "~Separatore per \"testo a capo\"", fine = "~Separatore a \"fine testo\"";
        const QString usato = "il separatore usato per riordinare il testo", riga = " dopo l'ultimo carattere della riga";
        const QString riordinato = " dopo l'ultimo carattere del testo riordinato";
        const char* voci[N] = {"Spazio~~Spazio", "Invio~~Invio", "Tab~~Tab", "Punto e virgola~~;",
            "Due punti~~:", "Virgola~~,", "Punto~~.", "Punto esclamativo~~!", "Punto di domanda~~?",
            "<~~Minore di", " >~>~Maggiore di", " /~/~/", " \\~\\~\\", "|~~|"};
        QStringList schede; // name~caption~tool tip~frame
        for (int i = 0; i < N; ++i) {
            const QStringList v = QString(voci[i]).split('~');
            schede << QString("Chk_Separa %1~%2~%3").arg(i).arg(v[0], v[2]) + ingresso << QString("Opt_Separatore_Out %1~%2~%3")
                .arg(i).arg(v[1].isEmpty() ? v[0] : v[1], v[2]) + uscita;
        }
        schede << "Chk_Spazio~Spazio dopo il separatore~Aggiungi uno spazio dopo ogni separatore del testo riordinato" + uscita << "Cmd_OK~&OK~~";
        schede << "Opt_Capo 0~Nessuno~Non inserire il separatore" + riga + capo << "Opt_Capo 1~Come \"Testo riordinato\"~Inserisci " + usato + riga + capo;
        schede << "Opt_Ultimo 0~Nessuno~Non aggiungere alcun separatore" + riordinato + fine << "Opt_Ultimo 1~Come \"Testo riordinato\"~Aggiungi " + usato + riordinato + fine;
        // clang-format on
        for (const QString& scheda : schede) {
            const QStringList attesi = scheda.split('~');
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
        // Every caption fits its control, with a large default font too, which the dialog shrinks.
        const QFont prima = QApplication::font();
        QFont grande = prima, pixel = prima;
        grande.setPointSize(22);
        pixel.setPixelSize(30);
        for (const QFont& carattere : {prima, grande, pixel}) {
            QApplication::setFont(carattere);
            Frm_SepElenco f;
            QApplication::setFont(prima);
            for (const QAbstractButton* b : f.findChildren<QAbstractButton*>())
                QVERIFY(b->sizeHint().width() <= b->width() &&
                        b->sizeHint().height() <= b->height());
            for (const QGroupBox* g : f.findChildren<QGroupBox*>())
                QVERIFY(g->minimumSizeHint().width() <= g->width());
        }
    }

    // From a state applicaStato set, what the user does: "clic" or a key, on a control
    // or on the focused one ("=": where the focus is). A greyed box is only set by the
    // program; only OK confirms, Enter only on OK (a close request: tst_MainForm).
    void azioni_data() {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("azioni");
        QTest::addColumn<QString>("dopo");
        QTest::addColumn<int>("conferme");
        const QString p = Predefinito, z = "00000000000000";
        // Round trips: missing members and unknown values are left out; of two options, the first.
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
        QTest::newRow("Alt+O") << p << "Alt+O Chk_Separa 0" << p << 1;
        // Tab runs the boxes in order, then enters each group at its selected option,
        // or its first, passing over the space box while it has no say.
        const QString tab = "Tab Chk_Separa 0;=Chk_Separa 1;Tab Chk_Separa 13;=Opt_Separatore_Out ";
        QTest::newRow("Tab") << p << tab + "3;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0;Tab;=Cmd_OK;Tab;=Chk_Separa 0" << p << 0;
        QTest::newRow("Tab, nessuna") << z + " - - - -" << tab + "0;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0" << z + " - - - -" << 0;
        QTest::newRow("Tab, Invio") << z + " 1 0 1 -" << tab + "1;Tab;=Opt_Capo 0" << z + " 1 0 1 -" << 0;
        for (const char* nome : {"Cmd_OK", "Chk_Separa 0", "Opt_Separatore_Out 3", "Chk_Spazio"})
            for (const QString tasto : {"Return", "Enter", "Esc"})
                QTest::addRow("%s, %s", qPrintable(tasto), nome) << p << tasto + ' ' + nome << p << int(tasto != "Esc" && QString(nome) == "Cmd_OK");
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
            else
                QTest::keyClick(b, tasto.key(), tasto.keyboardModifiers());
        }
        // The access key presses the button with a short animation.
        QTRY_COMPARE(spia.count(), conferme);
        QVERIFY(d.isVisible() && campi(d.stato()) == campi(stato(dopo)));
        // A space after a line break or a tab has no say.
        QCOMPARE(d.Chk_Spazio()->isEnabled(), !QString("12").contains(dopo.section(' ', 1, 1)));
    }
};

QTEST_MAIN(TestFrmSepElenco)
#include "tst_Frm_SepElenco.moc"
