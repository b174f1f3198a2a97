#include "Dichiarazioni.h"
#include "diff/FinestraRegistrata.h"

#include <QLocale>
#include <QtTest>

using namespace Dichiarazioni;

Q_DECLARE_METATYPE(Dichiarazioni::Stato_Dialogo)

namespace {

// A dialog state with the given boxes ticked and output option (-1: none).
Stato_Dialogo statoCon(const QList<int>& spuntati, int uscita = 3, bool capoCome = false,
                       bool ultimoCome = false) {
    Stato_Dialogo s;
    s.Chk_Separa.assign(NumSeparatori, 0);
    for (int i : spuntati)
        s.Chk_Separa[i] = 1;
    s.Opt_Separatore_Out.assign(NumSeparatori, false);
    if (uscita >= 0)
        s.Opt_Separatore_Out[uscita] = true;
    s.Opt_Capo = {!capoCome, capoCome};
    s.Opt_Ultimo = {!ultimoCome, ultimoCome};
    return s;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() {
        Leggi_Separatori(Init_Separatori());
        Num_Caratteri = 50;
    }

    void testiStato_data();
    void testiStato();
    void uscitaNonScelta();
    void membriOltreIlCatalogo();

    void moltissimeVoci();
    void localeSenzaAlfabeto();
};

void TestEngine::testiStato_data() {
    QTest::addColumn<Stato_Dialogo>("stato");
    QTest::addColumn<QString>("pannello1");
    QTest::addColumn<QString>("pannello2");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("capo");
    QTest::addColumn<QString>("ultimo");

    QTest::newRow("predefiniti") << Init_Separatori() << "Separatori testo inserito: \"Spazio\" ;"
                                 << "Separatore testo elaborato: ;"
                                 << ";"
                                 << " "
                                 << "";
    QList<int> tutti;
    for (int i = 0; i < NumSeparatori; ++i)
        tutti << i;
    QTest::newRow("tutti") << statoCon(tutti)
                           << "Separatori testo inserito: \"Spazio\" \"Invio\" \"Tab\" ; : , . ! "
                              "? < > / \\ |"
                           << "Separatore testo elaborato: ;"
                           << ";"
                           << " "
                           << "";
    QTest::newRow("nessuno") << statoCon({}) << "Separatori testo inserito: Nessuno"
                             << "Separatore testo elaborato: ;"
                             << ";"
                             << " "
                             << "";
    QTest::newRow("solo spazio") << statoCon({0}) << "Separatori testo inserito: \"Spazio\""
                                 << "Separatore testo elaborato: ;"
                                 << ";"
                                 << " "
                                 << "";
    Stato_Dialogo grigio = statoCon({0, 5});
    grigio.Chk_Separa[0] = 2;
    QTest::newRow("grigio non conta") << grigio << "Separatori testo inserito: ,"
                                      << "Separatore testo elaborato: ;"
                                      << ";"
                                      << " "
                                      << "";
    QTest::newRow("uscita maggiore di")
        << statoCon({0}, 10) << "Separatori testo inserito: \"Spazio\""
        << "Separatore testo elaborato: >"
        << ">"
        << " "
        << "";
    QTest::newRow("capo e ultimo come uscita")
        << statoCon({3}, 3, true, true) << "Separatori testo inserito: ;"
        << "Separatore testo elaborato: ;"
        << ";"
        << ";"
        << ";";
    QTest::newRow("barra inversa, capo come uscita")
        << statoCon({12}, 12, true, false) << "Separatori testo inserito: \\"
        << "Separatore testo elaborato: \\"
        << "\\"
        << "\\"
        << "";
}

void TestEngine::testiStato() {
    QFETCH(Stato_Dialogo, stato);
    QFETCH(QString, pannello1);
    QFETCH(QString, pannello2);
    QFETCH(QString, uscita);
    QFETCH(QString, capo);
    QFETCH(QString, ultimo);
    // Reading the same state twice must give the same options and texts.
    for (int volta = 0; volta < 2; ++volta) {
        const Testi_Stato testi = Leggi_Separatori(stato);
        QCOMPARE(testi.pannello1, pannello1);
        QCOMPARE(testi.pannello2, pannello2);
        QCOMPARE(Sep_Uscita, uscita);
        QCOMPARE(Sep_Capo, capo);
        QCOMPARE(Sep_Ultimo, ultimo);
        for (int i = 0; i < NumSeparatori; ++i)
            QCOMPARE(Sep_Ingresso[i], stato.Chk_Separa[i] == 1);
    }
}

void TestEngine::uscitaNonScelta() {
    Leggi_Separatori(statoCon({0}, 10));
    const Testi_Stato testi = Leggi_Separatori(statoCon({0}, -1, true, true));
    QCOMPARE(testi.pannello2, QStringLiteral("Separatore testo elaborato: "));
    QCOMPARE(Sep_Uscita, QStringLiteral(">"));
    QCOMPARE(Sep_Capo, QStringLiteral(">"));
    QCOMPARE(Sep_Ultimo, QStringLiteral(">"));
}

void TestEngine::membriOltreIlCatalogo() {
    Stato_Dialogo s = statoCon({5}, -1);
    s.Chk_Separa.resize(20, 1);
    s.Opt_Separatore_Out.resize(20, true);
    const Testi_Stato testi = Leggi_Separatori(s);
    QCOMPARE(testi.pannello1, QStringLiteral("Separatori testo inserito: ,"));
    QCOMPARE(Sep_Uscita, QStringLiteral(";"));

    // A dialog with fewer members leaves the flags past its end alone.
    Leggi_Separatori(statoCon({13}));
    s = statoCon({0});
    s.Chk_Separa.resize(2);
    Leggi_Separatori(s);
    QVERIFY(Sep_Ingresso[0]);
    QVERIFY(Sep_Ingresso[13]);
}

void TestEngine::moltissimeVoci() {
    // Far beyond what a 16-bit list could hold.
    const int n = 100000;
    QStringList voci;
    for (int i = n - 1; i >= 0; --i)
        voci << QString::asprintf("v%06d", i);
    FinestraRegistrata f;
    f.orig = voci.join(' ');
    Elabora_Testo(f);
    std::reverse(voci.begin(), voci.end());
    QCOMPARE(LstOrdine().size(), qsizetype(n));
    QCOMPARE(f.ordine, voci.join(';'));
}

void TestEngine::localeSenzaAlfabeto() {
    QLocale::setDefault(QLocale::c());
    FinestraRegistrata f;
    f.orig = QStringLiteral("b é B a e");
    Elabora_Testo(f);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(f.ordine, QStringLiteral("a;b;B;e;é"));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
