#include "Frm_SepElenco.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <set>

using Dichiarazioni::Stato_Dialogo;
Q_DECLARE_METATYPE(Stato_Dialogo)

namespace {

constexpr int N = Dichiarazioni::NumSeparatori;

// A record from its parts: the output, line-end and end-of-text choices are
// option indices, -1 for none selected.
Stato_Dialogo record(std::vector<int> caselle, int uscita, int capo, int ultimo,
                     bool spazio = false) {
    Stato_Dialogo s;
    s.Chk_Spazio = spazio;
    s.Chk_Separa = std::move(caselle);
    s.Opt_Separatore_Out.assign(N, false);
    if (uscita >= 0) {
        s.Opt_Separatore_Out[uscita] = true;
    }
    s.Opt_Capo = {capo == 0, capo == 1};
    s.Opt_Ultimo = {ultimo == 0, ultimo == 1};
    return s;
}

std::vector<int> caselle(std::initializer_list<std::pair<int, int>> diverse) {
    std::vector<int> v(N, 0);
    for (auto [i, valore] : diverse) {
        v[i] = valore;
    }
    return v;
}

Stato_Dialogo predefinito() {
    return record(caselle({{0, 1}, {3, 1}}), 3, 0, 0);
}

// "Chk_Separa 7", "Opt_Separatore_Out 3", "Opt_Capo 1", "Opt_Ultimo 0", "Chk_Spazio",
// "Cmd_OK"
QWidget* controllo(const Frm_SepElenco& d, const QString& nome) {
    const QStringList parti = nome.split(' ');
    const int i = parti.value(1).toInt();
    if (parti[0] == "Chk_Separa") {
        return d.Chk_Separa(i);
    }
    if (parti[0] == "Opt_Separatore_Out") {
        return d.Opt_Separatore_Out(i);
    }
    if (parti[0] == "Opt_Capo") {
        return d.Opt_Capo(i);
    }
    if (parti[0] == "Opt_Ultimo") {
        return d.Opt_Ultimo(i);
    }
    if (parti[0] == "Chk_Spazio") {
        return d.Chk_Spazio();
    }
    return d.Cmd_OK();
}

void mostra(Frm_SepElenco& d) {
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
}

} // namespace

class TestFrmSepElenco : public QObject {
    Q_OBJECT
private slots:
    void voci_data();
    void voci();
    void geometria_data();
    void geometria();
    void finestra();
    void didascalieNonTagliate();
    void nessunValoreIniziale();
    void andataRitorno_data();
    void andataRitorno();
    void recordIncompleto();
    void esclusivaDopoNessunaScelta();
    void clicSullaCasella_data();
    void clicSullaCasella();
    void spazioSegueUscita();
    void frecceRaggiungonoOgniOpzione();
    void conferma_data();
    void conferma();
    void tastiInvioEsc_data();
    void tastiInvioEsc();
    void catenaDelFuoco();
    void tabulazione_data();
    void tabulazione();
};

void TestFrmSepElenco::voci_data() {
    QTest::addColumn<int>("i");
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("opzione");
    QTest::addColumn<QString>("suggerimento");
    const char* righe[N][3] = {
        {"Spazio", "Spazio", "Spazio"},
        {"Invio", "Invio", "Invio"},
        {"Tab", "Tab", "Tab"},
        {"Punto e virgola", "Punto e virgola", ";"},
        {"Due punti", "Due punti", ":"},
        {"Virgola", "Virgola", ","},
        {"Punto", "Punto", "."},
        {"Punto esclamativo", "Punto esclamativo", "!"},
        {"Punto di domanda", "Punto di domanda", "?"},
        {"<", "<", "Minore di"},
        {" >", ">", "Maggiore di"},
        {" /", "/", "/"},
        {" \\", "\\", "\\"},
        {"|", "|", "|"},
    };
    for (int i = 0; i < N; ++i) {
        QTest::addRow("%d", i) << i << QString(righe[i][0]) << QString(righe[i][1])
                               << QString(righe[i][2]);
    }
}

void TestFrmSepElenco::voci() {
    QFETCH(int, i);
    QFETCH(QString, casella);
    QFETCH(QString, opzione);
    QFETCH(QString, suggerimento);
    Frm_SepElenco d;
    QCOMPARE(d.Chk_Separa(i)->text(), casella);
    QCOMPARE(d.Chk_Separa(i)->toolTip(), suggerimento);
    QVERIFY(d.Chk_Separa(i)->isEnabled());
    QCOMPARE(d.Opt_Separatore_Out(i)->text(), opzione);
    QCOMPARE(d.Opt_Separatore_Out(i)->toolTip(), suggerimento);
    QVERIFY(d.Opt_Separatore_Out(i)->isEnabled());
}

void TestFrmSepElenco::geometria_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("suggerimento");
    QTest::addColumn<QRect>("posto"); // drawn height; the real one may be taller
    QTest::addColumn<QString>("cornice");
    QTest::addColumn<QRect>("postoCornice");
    const QString ingresso = "Separatori usati nel \"Testo in ingresso\"";
    const QString uscita = "Separatore usato nel \"Testo riordinato\"";
    const QString capo = "Separatore per \"testo a capo\"";
    const QString ultimo = "Separatore a \"fine testo\"";
    const QString come = "Come \"Testo riordinato\"";
    QTest::newRow("Chk_Separa 0") << "Chk_Separa 0"
                                  << "Spazio"
                                  << "Spazio" << QRect(16, 32, 95, 13) << ingresso
                                  << QRect(8, 8, 241, 225);
    QTest::newRow("Chk_Separa 6") << "Chk_Separa 6"
                                  << "Punto"
                                  << "." << QRect(16, 176, 95, 13) << ingresso
                                  << QRect(8, 8, 241, 225);
    QTest::newRow("Chk_Separa 7") << "Chk_Separa 7"
                                  << "Punto esclamativo"
                                  << "!" << QRect(120, 32, 111, 13) << ingresso
                                  << QRect(8, 8, 241, 225);
    QTest::newRow("Opt_Separatore_Out 3")
        << "Opt_Separatore_Out 3"
        << "Punto e virgola"
        << ";" << QRect(16, 104, 95, 13) << uscita << QRect(256, 8, 241, 225);
    QTest::newRow("Opt_Separatore_Out 13")
        << "Opt_Separatore_Out 13"
        << "|"
        << "|" << QRect(120, 176, 111, 13) << uscita << QRect(256, 8, 241, 225);
    QTest::newRow("Chk_Spazio") << "Chk_Spazio"
                                << "Spazio dopo il separatore"
                                << "Aggiungi uno spazio dopo ogni separatore del testo riordinato"
                                << QRect(16, 200, 215, 13) << uscita << QRect(256, 8, 241, 225);
    QTest::newRow("Opt_Capo 0") << "Opt_Capo 0"
                                << "Nessuno"
                                << "Non inserire il separatore dopo l'ultimo carattere della riga"
                                << QRect(8, 32, 137, 17) << capo << QRect(504, 8, 169, 97);
    QTest::newRow("Opt_Capo 1") << "Opt_Capo 1" << come
                                << "Inserisci il separatore usato per riordinare il testo dopo "
                                   "l'ultimo carattere della riga"
                                << QRect(8, 56, 137, 17) << capo << QRect(504, 8, 169, 97);
    QTest::newRow("Opt_Ultimo 0")
        << "Opt_Ultimo 0"
        << "Nessuno"
        << "Non aggiungere alcun separatore dopo l'ultimo carattere del testo riordinato"
        << QRect(8, 32, 137, 17) << ultimo << QRect(504, 112, 169, 97);
    QTest::newRow("Opt_Ultimo 1") << "Opt_Ultimo 1" << come
                                  << "Aggiungi il separatore usato per riordinare il testo dopo "
                                     "l'ultimo carattere del testo riordinato"
                                  << QRect(8, 56, 137, 17) << ultimo << QRect(504, 112, 169, 97);
    QTest::newRow("Cmd_OK") << "Cmd_OK"
                            << "&OK"
                            << "" << QRect(584, 224, 89, 33) << QString() << QRect();
}

void TestFrmSepElenco::geometria() {
    QFETCH(QString, nome);
    QFETCH(QString, didascalia);
    QFETCH(QString, suggerimento);
    QFETCH(QRect, posto);
    QFETCH(QString, cornice);
    QFETCH(QRect, postoCornice);
    Frm_SepElenco d;
    const auto* w = qobject_cast<const QAbstractButton*>(controllo(d, nome));
    QCOMPARE(w->text(), didascalia);
    QCOMPARE(w->toolTip(), suggerimento);
    QCOMPARE(w->pos(), posto.topLeft());
    QCOMPARE(w->width(), posto.width());
    QVERIFY(w->height() >= posto.height());
    const auto* gruppo = qobject_cast<const QGroupBox*>(w->parentWidget());
    if (cornice.isNull()) {
        QCOMPARE(w->parentWidget(), &d);
    } else {
        QVERIFY(gruppo);
        QCOMPARE(gruppo->title(), cornice);
        QCOMPARE(gruppo->geometry(), postoCornice);
        QCOMPARE(gruppo->parentWidget(), &d);
    }
}

void TestFrmSepElenco::finestra() {
    QPointer<Frm_SepElenco> d = new Frm_SepElenco;
    QVERIFY(d->isWindow());
    QCOMPARE(d->parentWidget(), nullptr);
    QCOMPARE(d->windowTitle(), "Selezione separatori di elenco");
    QCOMPARE(d->size(), QSize(684, 269));
    QCOMPARE(d->minimumSize(), d->size());
    QCOMPARE(d->maximumSize(), d->size());
    const Qt::WindowFlags f = d->windowFlags();
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!d->testAttribute(Qt::WA_DeleteOnClose));
    const QList<QSize> misure = d->windowIcon().availableSizes();
    QVERIFY(misure.contains(QSize(16, 16)));
    QVERIFY(misure.contains(QSize(32, 32)));
    QVERIFY(!d->isVisible());
    delete d;
}

void TestFrmSepElenco::didascalieNonTagliate() {
    Frm_SepElenco d;
    for (const QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
        QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        QVERIFY2(b->sizeHint().height() <= b->height(), qPrintable(b->text()));
    }
    for (const QGroupBox* g : d.findChildren<QGroupBox*>()) {
        QVERIFY2(g->minimumSizeHint().width() <= g->width(), qPrintable(g->title()));
    }
    // Taller captions must not run into the row below.
    for (int i = 0; i < N - 1; ++i) {
        if (i != 6) {
            QVERIFY(d.Chk_Separa(i)->geometry().bottom() < d.Chk_Separa(i + 1)->y());
        }
    }
    QVERIFY(d.Opt_Capo(0)->geometry().bottom() < d.Opt_Capo(1)->y());
    QVERIFY(d.Opt_Separatore_Out(6)->geometry().bottom() < d.Chk_Spazio()->y());
    QVERIFY(d.Chk_Spazio()->parentWidget()->contentsRect().contains(d.Chk_Spazio()->geometry()));
}

void TestFrmSepElenco::nessunValoreIniziale() {
    Frm_SepElenco d;
    const Stato_Dialogo s = d.stato();
    QCOMPARE(s.Chk_Separa, std::vector<int>(N, 0));
    QCOMPARE(s.Opt_Separatore_Out, std::vector<bool>(N, false));
    QCOMPARE(s.Opt_Capo, (std::array<bool, 2>{false, false}));
    QCOMPARE(s.Opt_Ultimo, (std::array<bool, 2>{false, false}));
    QVERIFY(!s.Chk_Spazio);
}

void TestFrmSepElenco::andataRitorno_data() {
    QTest::addColumn<Stato_Dialogo>("stato");
    QTest::newRow("predefinito") << predefinito();
    QTest::newRow("grigie e spuntate")
        << record(caselle({{1, 2}, {2, 1}, {12, 2}, {13, 1}}), 13, 1, 1, true);
    QTest::newRow("Invio con spazio") << record(caselle({{1, 1}}), 1, 1, 1, true);
    QTest::newRow("tutte grigie") << record(std::vector<int>(N, 2), 0, 1, 0);
    QTest::newRow("nessuna scelta") << record(std::vector<int>(N, 0), -1, -1, -1);
    QTest::newRow("solo uscita vuota") << record(caselle({{5, 1}}), -1, 0, 1);
}

void TestFrmSepElenco::andataRitorno() {
    QFETCH(Stato_Dialogo, stato);
    Frm_SepElenco d;
    // Start from a state that differs in every control, so each must change.
    d.applicaStato(record(std::vector<int>(N, 1), 9, 1, 0, !stato.Chk_Spazio));
    d.applicaStato(record(std::vector<int>(N, 2), 10, 0, 1, !stato.Chk_Spazio));
    d.applicaStato(stato);

    const Qt::CheckState visti[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    for (int i = 0; i < N; ++i) {
        QCOMPARE(d.Chk_Separa(i)->checkState(), visti[stato.Chk_Separa[i]]);
        QCOMPARE(d.Opt_Separatore_Out(i)->isChecked(), bool(stato.Opt_Separatore_Out[i]));
    }
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(d.Opt_Capo(i)->isChecked(), stato.Opt_Capo[i]);
        QCOMPARE(d.Opt_Ultimo(i)->isChecked(), stato.Opt_Ultimo[i]);
    }
    const Stato_Dialogo letto = d.stato();
    QCOMPARE(letto.Chk_Separa, stato.Chk_Separa);
    QCOMPARE(letto.Opt_Separatore_Out, stato.Opt_Separatore_Out);
    QCOMPARE(letto.Opt_Capo, stato.Opt_Capo);
    QCOMPARE(letto.Opt_Ultimo, stato.Opt_Ultimo);
    QCOMPARE(letto.Chk_Spazio, stato.Chk_Spazio);
    QCOMPARE(d.Chk_Spazio()->isEnabled(), !stato.Opt_Separatore_Out[1]);
}

void TestFrmSepElenco::recordIncompleto() {
    Frm_SepElenco d;
    d.applicaStato(predefinito());
    Stato_Dialogo s;
    s.Chk_Separa = {2, 7}; // the unknown value leaves box 1 alone
    s.Opt_Separatore_Out.assign(N + 3, false);
    s.Opt_Separatore_Out[N + 1] = true; // past the dialog's options: ignored
    s.Opt_Separatore_Out[6] = true;
    s.Opt_Separatore_Out[8] = true; // two selected: the first one wins
    s.Opt_Capo = {false, true};
    s.Opt_Ultimo = {false, true};
    d.applicaStato(s);
    const Stato_Dialogo letto = d.stato();
    QCOMPARE(letto.Chk_Separa, caselle({{0, 2}, {3, 1}}));
    QCOMPARE(letto.Opt_Separatore_Out, record({}, 6, 1, 1).Opt_Separatore_Out);
}

void TestFrmSepElenco::esclusivaDopoNessunaScelta() {
    Frm_SepElenco d;
    d.applicaStato(record(std::vector<int>(N, 0), -1, -1, -1));
    mostra(d);
    QTest::mouseClick(d.Opt_Separatore_Out(5), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(d.Opt_Separatore_Out(9), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(d.Opt_Capo(1), Qt::LeftButton, {}, QPoint(6, 8));
    const Stato_Dialogo letto = d.stato();
    QCOMPARE(letto.Opt_Separatore_Out, record({}, 9, 0, 0).Opt_Separatore_Out);
    QCOMPARE(letto.Opt_Capo, (std::array<bool, 2>{false, true}));
}

void TestFrmSepElenco::clicSullaCasella_data() {
    QTest::addColumn<int>("prima");
    QTest::addColumn<bool>("daTastiera");
    QTest::addColumn<int>("dopoUno");
    QTest::addColumn<int>("dopoDue");
    for (bool tastiera : {false, true}) {
        const char* come = tastiera ? "spazio" : "mouse";
        QTest::addRow("vuota, %s", come) << 0 << tastiera << 1 << 0;
        QTest::addRow("spuntata, %s", come) << 1 << tastiera << 0 << 1;
        QTest::addRow("grigia, %s", come) << 2 << tastiera << 1 << 0;
    }
}

void TestFrmSepElenco::clicSullaCasella() {
    QFETCH(int, prima);
    QFETCH(bool, daTastiera);
    QFETCH(int, dopoUno);
    QFETCH(int, dopoDue);
    Frm_SepElenco d;
    d.applicaStato(record(caselle({{4, prima}}), 3, 0, 0));
    mostra(d);
    QCheckBox* c = d.Chk_Separa(4);
    const auto premi = [&] {
        if (daTastiera) {
            c->setFocus();
            QTest::keyClick(c, Qt::Key_Space);
        } else {
            QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
        }
    };
    premi();
    QCOMPARE(d.stato().Chk_Separa[4], dopoUno);
    premi();
    QCOMPARE(d.stato().Chk_Separa[4], dopoDue);
}

// "Invio" and "Tab" can be chosen; the space box keeps its tick but is greyed
// while either is.
void TestFrmSepElenco::spazioSegueUscita() {
    Frm_SepElenco d;
    d.applicaStato(record(caselle({}), 3, 0, 0, true));
    mostra(d);
    for (int i : {1, 5, 2, 13}) {
        QTest::mouseClick(d.Opt_Separatore_Out(i), Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(d.stato().Opt_Separatore_Out, record({}, i, 0, 0).Opt_Separatore_Out);
        QCOMPARE(d.Chk_Spazio()->isEnabled(), i > 2);
        QVERIFY(d.stato().Chk_Spazio);
    }
}

void TestFrmSepElenco::frecceRaggiungonoOgniOpzione() {
    // Tab enters the group at one option; the arrows must lead to all the
    // others, "Invio" and "Tab" included, and never leave two selected.
    Frm_SepElenco d;
    mostra(d);
    std::set<int> raggiunte{0};
    std::vector<int> daVisitare{0};
    while (!daVisitare.empty()) {
        const int da = daVisitare.back();
        daVisitare.pop_back();
        for (Qt::Key tasto : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
            d.applicaStato(record(caselle({}), da, 0, 0));
            d.Opt_Separatore_Out(da)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), tasto);
            const auto scelte = d.stato().Opt_Separatore_Out;
            QCOMPARE(std::count(scelte.cbegin(), scelte.cend(), true), 1);
            for (int i = 0; i < N; ++i) {
                if (d.Opt_Separatore_Out(i)->hasFocus() && raggiunte.insert(i).second) {
                    daVisitare.push_back(i);
                }
            }
        }
    }
    QCOMPARE(raggiunte.size(), std::size_t(N));
}

void TestFrmSepElenco::conferma_data() {
    QTest::addColumn<QString>("come");
    QTest::addColumn<bool>("riceventeNasconde");
    for (const char* come : {"OK", "Alt+O", "chiusura"}) {
        QTest::addRow("%s, nascosta", come) << QString(come) << true;
        QTest::addRow("%s, lasciata", come) << QString(come) << false;
    }
}

void TestFrmSepElenco::conferma() {
    QFETCH(QString, come);
    QFETCH(bool, riceventeNasconde);
    QPointer<Frm_SepElenco> d = new Frm_SepElenco;
    d->applicaStato(predefinito());
    mostra(*d);
    QSignalSpy spia(d.data(), &Frm_SepElenco::confermato);
    bool visibileNelSegnale = false;
    connect(d.data(), &Frm_SepElenco::confermato, d.data(), [&] {
        visibileNelSegnale = d->isVisible();
        if (riceventeNasconde) {
            d->hide();
        }
    });
    if (come == "OK") {
        QTest::mouseClick(d->Cmd_OK(), Qt::LeftButton);
    } else if (come == "Alt+O") {
        d->Chk_Separa(0)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    } else {
        QVERIFY(!d->close());
    }
    // The access key presses the button with a short animation.
    QTRY_COMPARE(spia.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(visibileNelSegnale);
    QVERIFY(!d.isNull());
    QCOMPARE(d->isVisible(), !riceventeNasconde);
    QCOMPARE(d->stato().Opt_Separatore_Out, predefinito().Opt_Separatore_Out);
    delete d;
}

// Enter presses OK only while OK itself has the focus; Esc never does.
void TestFrmSepElenco::tastiInvioEsc_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<int>("conferme");
    for (const char* nome :
         {"Chk_Separa 0", "Opt_Separatore_Out 3", "Opt_Ultimo 1", "Chk_Spazio", "Cmd_OK"}) {
        const int ok = QString(nome) == "Cmd_OK";
        QTest::addRow("%s Invio", nome) << QString(nome) << int(Qt::Key_Return) << ok;
        QTest::addRow("%s Enter", nome) << QString(nome) << int(Qt::Key_Enter) << ok;
        QTest::addRow("%s Esc", nome) << QString(nome) << int(Qt::Key_Escape) << 0;
    }
}

void TestFrmSepElenco::tastiInvioEsc() {
    QFETCH(QString, nome);
    QFETCH(int, tasto);
    QFETCH(int, conferme);
    Frm_SepElenco d;
    d.applicaStato(predefinito());
    mostra(d);
    QSignalSpy spia(&d, &Frm_SepElenco::confermato);
    controllo(d, nome)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(tasto));
    QCOMPARE(spia.count(), conferme);
    QVERIFY(d.isVisible());
    QCOMPARE(d.stato().Chk_Separa, predefinito().Chk_Separa);
    QCOMPARE(d.stato().Opt_Separatore_Out, predefinito().Opt_Separatore_Out);
    QCOMPARE(d.stato().Opt_Ultimo, predefinito().Opt_Ultimo);
    QVERIFY(!d.stato().Chk_Spazio);
}

void TestFrmSepElenco::catenaDelFuoco() {
    Frm_SepElenco d;
    QList<QWidget*> attesi;
    for (int i = 0; i < N; ++i) {
        attesi << d.Chk_Separa(i);
    }
    for (int i = 0; i < N; ++i) {
        attesi << d.Opt_Separatore_Out(i);
    }
    attesi << d.Chk_Spazio() << d.Opt_Capo(0) << d.Opt_Capo(1) << d.Opt_Ultimo(0) << d.Opt_Ultimo(1)
           << d.Cmd_OK();
    QList<QWidget*> catena{d.Chk_Separa(0)};
    for (QWidget* w = d.Chk_Separa(0)->nextInFocusChain(); w != d.Chk_Separa(0);
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus) {
            catena << w;
        }
    }
    QCOMPARE(catena, attesi);
}

void TestFrmSepElenco::tabulazione_data() {
    QTest::addColumn<Stato_Dialogo>("stato");
    QTest::addColumn<int>("uscita"); // where Tab enters each group
    QTest::addColumn<int>("capo");
    QTest::addColumn<int>("ultimo");
    QTest::newRow("predefinito") << predefinito() << 3 << 0 << 0;
    QTest::newRow("ultime scelte") << record(caselle({}), 13, 1, 1) << 13 << 1 << 1;
    QTest::newRow("nessuna scelta") << record(caselle({}), -1, -1, -1) << 0 << 0 << 0;
    QTest::newRow("Invio") << record(caselle({}), 1, 0, 1, true) << 1 << 0 << 1;
}

void TestFrmSepElenco::tabulazione() {
    QFETCH(Stato_Dialogo, stato);
    QFETCH(int, uscita);
    QFETCH(int, capo);
    QFETCH(int, ultimo);
    Frm_SepElenco d;
    // A previous selection that was moved by the program must not keep the stop.
    d.applicaStato(record(caselle({}), 6, 1 - capo, 1 - ultimo));
    d.applicaStato(stato);
    mostra(d);
    QList<QWidget*> attesi;
    for (int i = 1; i < N; ++i) {
        attesi << d.Chk_Separa(i);
    }
    attesi << d.Opt_Separatore_Out(uscita);
    if (uscita != 1) {
        attesi << d.Chk_Spazio(); // passed over while it has no say
    }
    attesi << d.Opt_Capo(capo) << d.Opt_Ultimo(ultimo) << d.Cmd_OK() << d.Chk_Separa(0);

    d.Chk_Separa(0)->setFocus();
    QList<QWidget*> avanti;
    for (qsizetype k = 0; k < attesi.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        avanti << QApplication::focusWidget();
    }
    QCOMPARE(avanti, attesi);

    QList<QWidget*> indietro;
    for (qsizetype k = 0; k < attesi.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        indietro << QApplication::focusWidget();
    }
    std::reverse(attesi.begin(), attesi.end() - 1);
    QCOMPARE(indietro, attesi);
}

QTEST_MAIN(TestFrmSepElenco)
#include "tst_Frm_SepElenco.moc"
