#include "Frm_SepElenco.h"

#include <QtTest>
#include <QtWidgets>

namespace {

constexpr int N = Motore::NumSeparatori;

// The choices written as "<one digit per box> <output> <line end> <end of text> <s: space>".
Motore::Opzioni stato(const QString& testo) {
    const QStringList parti = testo.split(' ');
    Motore::Opzioni o;
    for (int i = 0; i < N; ++i)
        o.ingresso[i] = parti[0][i] == '1';
    o.uscita = parti[1].toInt();
    o.capo = parti[2] == "1" ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    o.ultimo = parti[3] == "1" ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    o.spazioDopo = parti[4] == "s";
    return o;
}

// What the dialog gives back, written the same way; options it does not own stay.
QString campi(const Frm_SepElenco& d) {
    Motore::Opzioni o;
    o.larghezza = 7;
    d.leggi(o);
    if (o.larghezza != 7)
        return "larghezza";
    QString caselle;
    for (bool b : o.ingresso)
        caselle += b ? '1' : '0';
    return QString("%1 %2 %3 %4 %5")
        .arg(caselle)
        .arg(o.uscita)
        .arg(int(o.capo == Motore::Fine::ComeUscita))
        .arg(int(o.ultimo == Motore::Fine::ComeUscita))
        .arg(o.spazioDopo ? "s" : "-");
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
        QCOMPARE(campi(d), Predefinito); // until it is told others
        QCOMPARE(d.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        // Every control: caption, tool tip (texts: tst_Lingue), in its frame, overlapping none.
        // clang-format off
        const char* voci[N] = {"Spazio", "Invio", "Tab", "Punto e virgola", "Due punti", "Virgola", "Punto",
            "Punto esclamativo", "Punto di domanda", "<", " >~>", " /~/", " \\~\\", "|"};
        QStringList schede{"Chk_Spazio~Spazio dopo il separatore", "Cmd_OK~&OK", "Opt_Capo 0~Nessuno",
            "Opt_Capo 1~Come \"Testo riordinato\"", "Opt_Ultimo 0~Nessuno", "Opt_Ultimo 1~Come \"Testo riordinato\""};
        // clang-format on
        for (int i = 0; i < N; ++i)
            schede << QString("Chk_Separa %1~").arg(i) + QString(voci[i]).section('~', 0, 0)
                   << QString("Opt_Separatore_Out %1~").arg(i) + QString(voci[i]).section('~', -1);
        for (const QString& scheda : schede) {
            const QAbstractButton* b = controllo(d, scheda.section('~', 0, 0));
            QCOMPARE(b->text(), scheda.section('~', 1));
            QVERIFY(b->isEnabled() && b->toolTip().isEmpty() == (b == d.Cmd_OK()));
            QVERIFY(b->parentWidget()->contentsRect().contains(b->geometry()));
            for (const QWidget* w :
                 b->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY(w == b || !w->geometry().intersects(b->geometry()));
        }
    }

    // From choices shown, what the user does: "clic" or a key, on a control or on the focused
    // one ("=": where the focus is). Only OK confirms, Enter only on OK.
    void azioni_data() {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("azioni");
        QTest::addColumn<QString>("dopo");
        QTest::addColumn<int>("conferme");
        const QString p = Predefinito, z = "00000000000000";
        for (const QString& s : QStringList{p, "01100000000011 13 1 1 s", z + " 1 1 0 s",
                                            z + " 2 0 1 -", z + " 0 0 0 -"})
            QTest::newRow(qPrintable(s)) << s << "" << s << 0;
        // clang-format off
        QTest::newRow("spuntata") << "00001000000000 3 0 0 -" << "Space Chk_Separa 4" << z + " 3 0 0 -" << 0;
        QTest::newRow("vuota, due volte") << p << "Space Chk_Separa 4;Space Chk_Separa 4" << p << 0;
        QTest::newRow("due scelte") << z + " 0 0 0 -"
            << "clic Opt_Separatore_Out 5;clic Opt_Separatore_Out 9;clic Opt_Capo 1" << z + " 9 1 0 -" << 0;
        QTest::newRow("uscita Invio") << z + " 3 0 0 s" << "clic Opt_Separatore_Out 1" << z + " 1 0 0 s" << 0;
        QTest::newRow("|") << z + " 2 0 0 s" << "clic Opt_Separatore_Out 13" << z + " 13 0 0 s" << 0;
        QTest::newRow("Alt+O") << p << "Alt+O Chk_Separa 0" << p << 1;
        // Tab: the boxes in order, then each group at its selected option or its first.
        const QString tab = "Tab Chk_Separa 0;=Chk_Separa 1;Tab Chk_Separa 13;=Opt_Separatore_Out ";
        QTest::newRow("Tab") << p << tab + "3;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0;Tab;=Cmd_OK;Tab;=Chk_Separa 0" << p << 0;
        QTest::newRow("Tab, Spazio") << z + " 0 1 1 -" << tab + "0;Tab;=Chk_Spazio;Tab;=Opt_Capo 1;Tab;=Opt_Ultimo 1" << z + " 0 1 1 -" << 0;
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
        const QString opposto =
            prima.section(' ', 0, 0).replace('0', 'x').replace('1', '0').replace('x', '1');
        d.mostra(stato(opposto + (prima.section(' ', 1, 1) == "9" ? " 10 " : " 9 ") +
                       (prima.section(' ', 2, 2) == "1" ? "0 " : "1 ") +
                       (prima.section(' ', 3, 3) == "1" ? "0 " : "1 ") + spazio));
        d.mostra(stato(prima));
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
        QVERIFY(d.isVisible());
        QCOMPARE(campi(d), dopo);
        // A space after a line break or a tab has no say.
        QCOMPARE(d.Chk_Spazio()->isEnabled(), !QString("12").contains(dopo.section(' ', 1, 1)));
    }
};

QTEST_MAIN(TestFrmSepElenco)
#include "tst_Frm_SepElenco.moc"
