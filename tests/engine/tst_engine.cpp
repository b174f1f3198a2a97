#include "Dichiarazioni.h"
#include "FintaFinestra.h"

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

QString visibile(QString s) {
    return s.replace(QChar(13), QStringLiteral("<CR>"))
        .replace(QChar(10), QStringLiteral("<LF>"))
        .replace(QChar(9), QStringLiteral("<TAB>"))
        .replace(QChar(1), QStringLiteral("<1>"));
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

    void catalogo_data();
    void catalogo();
    void testiStato_data();
    void testiStato();
    void uscitaNonScelta();
    void membriOltreIlCatalogo();

    void ordinamento_data();
    void ordinamento();
    void ugualiRestanoInOrdine();
    void moltissimeVoci();
    void localeSenzaAlfabeto();

    void aCapo_data();
    void aCapo();
    void fallimento_data();
    void fallimento();

    void consegna_data();
    void consegna();
    void ingressoVuoto_data();
    void ingressoVuoto();
};

void TestEngine::catalogo_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("nome");
    const QList<QPair<int, QString>> attesi = {
        {32, "\"Spazio\""}, {13, "\"Invio\""}, {9, "\"Tab\""}, {';', ";"}, {':', ":"},
        {',', ","},         {'.', "."},        {'!', "!"},     {'?', "?"}, {'<', "<"},
        {'>', ">"},         {'/', "/"},        {'\\', "\\"},   {'|', "|"}};
    for (int i = 0; i < attesi.size(); ++i)
        QTest::addRow("%d", i) << i << attesi[i].first << attesi[i].second;
}

void TestEngine::catalogo() {
    QFETCH(int, indice);
    QFETCH(int, codice);
    QFETCH(QString, nome);
    QCOMPARE(Tab_Separatori[indice], QString(QChar(codice)));
    QCOMPARE(Nomi_Separatori[indice], nome);
    QCOMPARE(Sep_Interno, QString(QChar(1)));
}

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

void TestEngine::ordinamento_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<QList<int>>("spuntati");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("atteso");

    const QList<int> pred = {0, 3};
    QTest::newRow("strada tipica")
        << "pera mela; banana  kiwi" << pred << 3 << "banana;kiwi;mela;pera";
    QTest::newRow("spazi attorno") << "   pera mela   " << pred << 3 << "mela;pera";
    QTest::newRow("nessun separatore") << "pera mela" << QList<int>{} << 3 << "pera mela";
    QTest::newRow("separatore in testa") << ";pera mela" << pred << 3 << "mela;pera";
    QTest::newRow("separatore in coda") << "pera mela;" << pred << 3 << "mela;pera";
    QTest::newRow("solo separatori") << ";;;" << pred << 3 << "";
    QTest::newRow("solo separatori misti") << "; ; ;" << pred << 3 << "";
    QTest::newRow("ripetute") << "b a b" << pred << 3 << "a;b;b";
    QTest::newRow("codice 1 separa") << QString("b") + QChar(1) + "a" << QList<int>{} << 3 << "a;b";
    QTest::newRow("spazi interni restano") << "  x  y ; ;  z " << QList<int>{3} << 3 << "x  y;z";
    QTest::newRow("uscita in coda alla voce") << "x, y" << QList<int>{0} << 5 << "x,y";
    QTest::newRow("tre uscite diventano due") << "x,, y" << QList<int>{0} << 5 << "x,,y";
    QTest::newRow("prima voce inizia con uscita") << ",a b" << QList<int>{0} << 5 << "a,b";
    QTest::newRow("accenti e maiuscole")
        << "Zebra perche perché Perche mela Mela àncora ancora" << pred << 3
        << "ancora;àncora;mela;Mela;perche;Perche;perché;Zebra";
    QTest::newRow("cifre e punteggiatura") << "b 10 2 a" << pred << 3 << "10;2;a;b";
    QTest::newRow("righe con Invio")
        << "pera\r\nmela\r\n\r\nbanana kiwi" << QList<int>{1} << 3 << "banana kiwi;mela;pera";
    QTest::newRow("Invio e spazio") << "pera \r\n mela" << QList<int>{0, 1} << 3 << "mela;pera";
    QTest::newRow("ritorno carrello solo") << "b\ra" << QList<int>{1} << 3 << "a;b";
    QTest::newRow("avanzamento riga solo non separa") << "b\na" << QList<int>{1} << 3 << "b\na";
    QTest::newRow("Invio non attivo") << "b\r\na" << QList<int>{0} << 3 << "b\r\na";
    QTest::newRow("tabulazione") << "b\ta\tc" << QList<int>{2} << 13 << "a|b|c";
    QTest::newRow("ogni punteggiatura")
        << "m;l:k,j.i!h?g<f>e/d\\c|b a" << QList<int>{0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << 11
        << "a/b/c/d/e/f/g/h/i/j/k/l/m";
}

void TestEngine::ordinamento() {
    QFETCH(QString, ingresso);
    QFETCH(QList<int>, spuntati);
    QFETCH(int, uscita);
    QFETCH(QString, atteso);
    Leggi_Separatori(statoCon(spuntati, uscita));
    FintaFinestra f;
    f.orig = ingresso;
    Elabora_Testo(f);
    QCOMPARE(visibile(f.ordine), visibile(atteso));
    QVERIFY(f.messaggi.isEmpty());
    QCOMPARE(f.orig, ingresso);
}

void TestEngine::ugualiRestanoInOrdine() {
    // A soft hyphen is ignored by the collator: these items compare equal.
    const QString conTrattino = QStringLiteral("xy").insert(1, QChar(0xAD));
    FintaFinestra f;
    f.orig = conTrattino + " b xy a " + conTrattino;
    Elabora_Testo(f);
    QCOMPARE(f.ordine, "a;b;" + conTrattino + ";xy;" + conTrattino);
    f.orig = "xy " + conTrattino + " xy";
    Elabora_Testo(f);
    QCOMPARE(f.ordine, "xy;" + conTrattino + ";xy");
    QCOMPARE(LstOrdine(), (QStringList{"xy", conTrattino, "xy"}));
}

void TestEngine::moltissimeVoci() {
    // Far beyond what a 16-bit list could hold.
    const int n = 100000;
    QStringList voci;
    for (int i = n - 1; i >= 0; --i)
        voci << QString::asprintf("v%06d", i);
    FintaFinestra f;
    f.orig = voci.join(' ');
    Elabora_Testo(f);
    std::reverse(voci.begin(), voci.end());
    QCOMPARE(LstOrdine().size(), qsizetype(n));
    QCOMPARE(f.ordine, voci.join(';'));
}

void TestEngine::localeSenzaAlfabeto() {
    QLocale::setDefault(QLocale::c());
    FintaFinestra f;
    f.orig = QStringLiteral("b é B a e");
    Elabora_Testo(f);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(f.ordine, QStringLiteral("a;b;B;e;é"));
}

void TestEngine::aCapo_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("capoCome");
    QTest::addColumn<bool>("ultimoCome");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QStringList>("righe");

    const QStringList due = {"alfa;beta", "delta;gamma"};
    const QStringList tre = {"alfa;beta", "delta", "gamma"};
    QTest::newRow("12, capo come uscita")
        << 12 << true << false << "alfa;beta;\r\ndelta;gamma" << due;
    QTest::newRow("12, capo spazio") << 12 << false << false << "alfa;beta \r\ndelta;gamma" << due;
    QTest::newRow("9, resto inizia con ;")
        << 9 << false << false << "alfa;beta \r\ndelta \r\ngamma" << tre;
    QTest::newRow("10, riga finisce con ;")
        << 10 << false << false << "alfa;beta \r\ndelta \r\ngamma" << tre;
    QTest::newRow("5, una voce per riga")
        << 5 << true << true << "alfa;\r\nbeta;\r\ndelta;\r\ngamma;"
        << QStringList{"alfa", "beta", "delta", "gamma"};
    QTest::newRow("21, una riga") << 21 << true << false << "alfa;beta;delta;gamma"
                                  << QStringList{"alfa;beta;delta;gamma"};
    QTest::newRow("100, una riga e ultimo")
        << 100 << false << true << "alfa;beta;delta;gamma;" << QStringList{"alfa;beta;delta;gamma"};
}

void TestEngine::aCapo() {
    QFETCH(int, n);
    QFETCH(bool, capoCome);
    QFETCH(bool, ultimoCome);
    QFETCH(QString, atteso);
    QFETCH(QStringList, righe);
    Leggi_Separatori(statoCon({0, 3}, 3, capoCome, ultimoCome));
    Num_Caratteri = std::int16_t(n);
    FintaFinestra f;
    f.aCapo = true;
    f.orig = QStringLiteral("gamma delta beta alfa");
    Elabora_Testo(f);
    QCOMPARE(visibile(f.ordine), visibile(atteso));
    QCOMPARE(Lst_Frasi(), righe);
    QVERIFY(f.messaggi.isEmpty());
    QCOMPARE(f.sliderPosizione, 50);

    // Switched off, the same text comes out in one run.
    f.aCapo = false;
    Elabora_Testo(f);
    QCOMPARE(f.ordine, "alfa;beta;delta;gamma" + Sep_Ultimo);
    QVERIFY(Lst_Frasi().isEmpty());
}

void TestEngine::fallimento_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("copia");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("voce troppo lunga")
        << "gamma delta beta alfa" << 4 << false << "alfa;beta;delta;gamma;";
    QTest::newRow("voce troppo lunga, appunti")
        << "gamma delta beta alfa" << 4 << true << "alfa;beta;delta;gamma;";
    QTest::newRow("risultato vuoto") << ";;;" << 10 << false << ";";
    QTest::newRow("resta un solo separatore") << "b, a" << 1 << false << "a,b,,";
}

void TestEngine::fallimento() {
    QFETCH(QString, ingresso);
    QFETCH(int, n);
    QFETCH(bool, copia);
    QFETCH(QString, atteso);
    // "," as output separator and not active lets an item end with it.
    const bool virgola = ingresso.contains(',');
    Leggi_Separatori(statoCon({0, 3}, virgola ? 5 : 3, false, true));
    Num_Caratteri = std::int16_t(n);
    FintaFinestra f;
    f.aCapo = true;
    f.copia = copia;
    f.orig = ingresso;
    Elabora_Testo(f);
    QCOMPARE(f.messaggi.size(), 1);
    QCOMPARE(f.messaggi[0].testo, QStringLiteral("Impossibile formattare il testo"));
    QCOMPARE(f.messaggi[0].titolo, QStringLiteral("Quorla!"));
    QCOMPARE(f.messaggi[0].flags, 0x10030u);
    QCOMPARE(f.sliderPosizione, 100);
    QCOMPARE(int(Num_Caratteri), n);
    QCOMPARE(f.ordine, atteso);
    if (copia)
        QCOMPARE(f.appunti, atteso);
}

void TestEngine::consegna_data() {
    QTest::addColumn<bool>("copia");
    QTest::newRow("appunti") << true;
    QTest::newRow("selezione") << false;
}

void TestEngine::consegna() {
    QFETCH(bool, copia);
    Leggi_Separatori(statoCon({0, 3}, 3, false, true));
    Num_Caratteri = 12;
    FintaFinestra f;
    f.aCapo = true;
    f.copia = copia;
    f.orig = QStringLiteral("gamma delta beta alfa");
    Elabora_Testo(f);
    const QString atteso = QStringLiteral("alfa;beta \r\ndelta;gamma;");
    QCOMPARE(f.ordine, atteso);
    if (copia) {
        QCOMPARE(f.appunti, atteso);
        QCOMPARE(f.appuntiSvuotati, 1);
        QCOMPARE(f.fuoco, FintaFinestra::Fuoco::Orig);
        QCOMPARE(f.selInizio, -1);
    } else {
        QCOMPARE(f.appunti, QStringLiteral("<prima>"));
        QCOMPARE(f.fuoco, FintaFinestra::Fuoco::Ordine);
        QCOMPARE(f.selInizio, 0);
        QCOMPARE(f.selLunghezza, atteso.size());
    }
}

void TestEngine::ingressoVuoto_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<bool>("aCapo");
    QTest::addColumn<bool>("copia");
    QTest::newRow("vuoto") << "" << false << false;
    QTest::newRow("spazi, a capo e appunti") << "     " << true << true;
}

void TestEngine::ingressoVuoto() {
    QFETCH(QString, ingresso);
    QFETCH(bool, aCapo);
    QFETCH(bool, copia);
    Leggi_Separatori(statoCon({0, 3}, 3, true, true));
    FintaFinestra f;
    f.orig = ingresso;
    f.ordine = QStringLiteral("vecchio");
    f.aCapo = aCapo;
    f.copia = copia;
    Elabora_Testo(f);
    QCOMPARE(f.orig, QString());
    QCOMPARE(f.ordine, QString());
    QCOMPARE(f.fuoco, FintaFinestra::Fuoco::Orig);
    QCOMPARE(f.appunti, QStringLiteral("<prima>"));
    QCOMPARE(f.appuntiSvuotati, 0);
    QVERIFY(f.messaggi.isEmpty());
    QCOMPARE(f.selInizio, -1);
    QCOMPARE(f.sliderPosizione, 50);
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
