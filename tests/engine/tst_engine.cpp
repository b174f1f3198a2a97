#include "Dichiarazioni.h"
#include "diff/FinestraRegistrata.h"

#include <QCollator>
#include <QLocale>
#include <QtTest>
#include <algorithm>
#include <random>

using namespace Dichiarazioni;

Q_DECLARE_METATYPE(Dichiarazioni::Stato_Dialogo)
Q_DECLARE_METATYPE(Dichiarazioni::Opzioni_Ordine)
Q_DECLARE_METATYPE(Dichiarazioni::Verso)

namespace {

// A dialog state with the given boxes ticked and output option (-1: none).
Stato_Dialogo statoCon(const QList<int>& spuntati, int uscita = 3, bool capoCome = false,
                       bool ultimoCome = false, bool spazio = false) {
    Stato_Dialogo s;
    s.Chk_Separa.assign(NumSeparatori, 0);
    for (int i : spuntati)
        s.Chk_Separa[i] = 1;
    s.Opt_Separatore_Out.assign(NumSeparatori, false);
    if (uscita >= 0)
        s.Opt_Separatore_Out[uscita] = true;
    s.Opt_Capo = {!capoCome, capoCome};
    s.Opt_Ultimo = {!ultimoCome, ultimoCome};
    s.Chk_Spazio = spazio;
    return s;
}

int lingua(const QString& nome) {
    const std::vector<LinguaOrdine>& lingue = Lingue_Ordine();
    for (std::size_t i = 0; i < lingue.size(); ++i) {
        if (lingue[i].nome == nome)
            return int(i);
    }
    qFatal("no language %s", qPrintable(nome));
}

// Runs the engine on the input through a window and through the stream, which
// must agree, and returns the output box's text.
QString esegui(const QString& ingresso, FinestraRegistrata& f, int n = 50) {
    Num_Caratteri = std::int16_t(n);
    QString flusso;
    const bool formattato =
        Elabora_Testo_Flusso(ingresso, f.aCapo, [&](QStringView pezzo) { flusso += pezzo; });
    f.orig = ingresso;
    Elabora_Testo(f); // last, for the working containers it leaves
    if (flusso != f.ordine || formattato != f.messaggi.isEmpty()) {
        qWarning("the stream gave %s", qPrintable(leggibile(flusso)));
        return QStringLiteral("<the stream differs>");
    }
    return f.ordine;
}

QString ordina(const QString& ingresso, const Opzioni_Ordine& opzioni) {
    Opz_Ordine = opzioni;
    FinestraRegistrata f;
    return esegui(ingresso, f);
}

QString rovescia(const QString& elenco) {
    QStringList voci = elenco.split(u';');
    std::reverse(voci.begin(), voci.end());
    return voci.join(u';');
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init() {
        Leggi_Separatori(Init_Separatori());
        Num_Caratteri = 50;
        Opz_Ordine = {};
    }

    void testiStato_data();
    void testiStato();
    void uscitaNonScelta();
    void membriOltreIlCatalogo();

    void ordine_data();
    void ordine();
    void vuotaEUguali_data();
    void vuotaEUguali();
    void mescola();
    void uscita_data();
    void uscita();
    void grandeComeCollatore_data();
    void grandeComeCollatore();
    void localeSenzaAlfabeto();
    void righeLf_data();
    void righeLf();
    void testoCheSiRipete();
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
    QTest::newRow("Invio, come, spazio senza effetto")
        << statoCon({0}, 1, true, true, true) << "Separatori testo inserito: \"Spazio\""
        << "Separatore testo elaborato: \"Invio\""
        << "\r"
        << ""
        << "\r\n";
    QTest::newRow("Tab, come, spazio senza effetto")
        << statoCon({0}, 2, true, true, true) << "Separatori testo inserito: \"Spazio\""
        << "Separatore testo elaborato: \"Tab\""
        << "\t"
        << "\t"
        << "\t";
    QTest::newRow("spazio dopo il punto e virgola")
        << statoCon({0}, 3, true, true, true) << "Separatori testo inserito: \"Spazio\""
        << "Separatore testo elaborato: \"; \""
        << ";"
        << ";"
        << ";";
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

void TestEngine::ordine_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<Opzioni_Ordine>("opzioni");
    QTest::addColumn<QString>("atteso");

    const QString numeri = QStringLiteral("img10;img2;capitolo 12;img1;capitolo 3;9;10");
    const QString nomi = QStringLiteral("roma;Rovigo;Roma;rana");
    const QString orti = QStringLiteral("delo;dellorto;dell'orto;della;dell orto");
    QTest::newRow("predefinito") << "pera;Mela;banana;mela" << Opzioni_Ordine{}
                                 << "banana;mela;Mela;pera";
    QTest::newRow("numeri come testo")
        << numeri << Opzioni_Ordine{} << "10;9;capitolo 12;capitolo 3;img1;img10;img2";
    QTest::newRow("numeri naturali") << numeri << Opzioni_Ordine{.numeriNaturali = true}
                                     << "9;10;capitolo 3;capitolo 12;img1;img2;img10";
    QTest::newRow("maiuscole prima")
        << nomi << Opzioni_Ordine{.maiuscole = Maiuscole::MaiuscolePrima}
        << "rana;Roma;roma;Rovigo";
    QTest::newRow("minuscole prima")
        << nomi << Opzioni_Ordine{.maiuscole = Maiuscole::MinuscolePrima}
        << "rana;roma;Roma;Rovigo";
    // Danish puts capitals first by itself.
    QTest::newRow("come la lingua, danese")
        << nomi << Opzioni_Ordine{.lingua = lingua("Dansk")} << "rana;Roma;roma;Rovigo";
    QTest::newRow("minuscole prima, danese")
        << nomi << Opzioni_Ordine{.maiuscole = Maiuscole::MinuscolePrima, .lingua = lingua("Dansk")}
        << "rana;roma;Roma;Rovigo";
    QTest::newRow("punteggiatura contata")
        << orti << Opzioni_Ordine{} << "dell orto;dell'orto;della;dellorto;delo";
    QTest::newRow("punteggiatura ignorata") << orti << Opzioni_Ordine{.ignoraPunteggiatura = true}
                                            << "della;dell orto;dell'orto;dellorto;delo";
    QTest::newRow("articoli")
        << QStringLiteral(
               "Il Gattopardo;L'Aquila;la Zattera;Bari;un'Ancora;The Wall;Le Mans;L’Orto")
        << Opzioni_Ordine{.ignoraArticoli = true}
        << QStringLiteral(
               "un'Ancora;L'Aquila;Bari;Il Gattopardo;Le Mans;L’Orto;The Wall;la Zattera");
    // Every Italian and English article, in any case: the words alone decide.
    QStringList conArticolo;
    const QStringList articoli = {"il ", "Lo ",  "la ",  "I ",  "gli ", "LE ", "l'",
                                  "un ", "uno ", "Una ", "un'", "the ", "A ",  "an "};
    for (qsizetype k = 0; k < articoli.size(); ++k)
        conArticolo << articoli[k] + QChar(char16_t(u'z' - k)) + QStringLiteral("ero");
    QStringList perParola = conArticolo;
    std::reverse(perParola.begin(), perParola.end());
    QTest::newRow("ogni articolo")
        << conArticolo.join(u';') << Opzioni_Ordine{.ignoraArticoli = true} << perParola.join(u';');
    QTest::newRow("articoli senza parola dopo")
        << "Ilaria;Il Gattopardo;Il;Lo" << Opzioni_Ordine{.ignoraArticoli = true}
        << "Il Gattopardo;Il;Ilaria;Lo";
    const QString tedeschi = QStringLiteral("Der Hund;die Katze;Das Auto;Bär;Ein Esel");
    QTest::newRow("articoli tedeschi in italiano")
        << tedeschi << Opzioni_Ordine{.ignoraArticoli = true}
        << QStringLiteral("Bär;Das Auto;Der Hund;die Katze;Ein Esel");
    QTest::newRow("articoli tedeschi in tedesco")
        << tedeschi << Opzioni_Ordine{.ignoraArticoli = true, .lingua = lingua("Deutsch")}
        << QStringLiteral("Das Auto;Bär;Ein Esel;Der Hund;die Katze");
    QTest::newRow("doppioni identici")
        << "b;a;b;A;a" << Opzioni_Ordine{.doppioni = Doppioni::Identici} << "a;A;b";
    QTest::newRow("doppioni con maiuscole e accenti")
        << QStringLiteral("Citta;casa;città;CITTÀ;cittadino")
        << Opzioni_Ordine{.doppioni = Doppioni::AncheMaiuscoleAccenti} << "casa;Citta;cittadino";
    QTest::newRow("doppioni dopo articoli e punteggiatura")
        << "Il Gatto;gatto;L'Orto;orto;o-r-t-o;zeta"
        << Opzioni_Ordine{.ignoraPunteggiatura = true,
                          .ignoraArticoli = true,
                          .doppioni = Doppioni::AncheMaiuscoleAccenti}
        << "Il Gatto;L'Orto;zeta";
    QTest::newRow("doppioni in codici Unicode")
        << QStringLiteral("Città;citta;b")
        << Opzioni_Ordine{.doppioni = Doppioni::AncheMaiuscoleAccenti,
                          .lingua = LinguaCodiciUnicode()}
        << QStringLiteral("Città;b");

    const QString muller = QStringLiteral("Müller;Mukl;Mueller;Muffe");
    QTest::newRow("tedesco") << muller << Opzioni_Ordine{.lingua = lingua("Deutsch")}
                             << QStringLiteral("Mueller;Muffe;Mukl;Müller");
    QTest::newRow("tedesco, elenco telefonico")
        << muller << Opzioni_Ordine{.lingua = lingua("Deutsch (elenco telefonico)")}
        << QStringLiteral("Mueller;Müller;Muffe;Mukl");
    QTest::newRow("spagnolo") << "chico;czar;cuna;dama"
                              << Opzioni_Ordine{.lingua = lingua("Español")}
                              << "chico;cuna;czar;dama";
    QTest::newRow("spagnolo tradizionale")
        << "chico;czar;cuna;dama" << Opzioni_Ordine{.lingua = lingua("Español (tradizionale)")}
        << "cuna;czar;chico;dama";
    QTest::newRow("italiano, ö con la o")
        << QStringLiteral("öl;zebra;ost") << Opzioni_Ordine{} << QStringLiteral("öl;ost;zebra");
    QTest::newRow("svedese") << QStringLiteral("öl;zebra;ost")
                             << Opzioni_Ordine{.lingua = lingua("Svenska")}
                             << QStringLiteral("ost;zebra;öl");
    QTest::newRow("danese") << "aarhus;zebra;abe" << Opzioni_Ordine{.lingua = lingua("Dansk")}
                            << "abe;zebra;aarhus";
    // A character beyond the first 65536 comes after every one within them.
    QTest::newRow("codici Unicode")
        << QStringLiteral("b;é;B;a;Z;😀;ﬁ;ä") << Opzioni_Ordine{.lingua = LinguaCodiciUnicode()}
        << QStringLiteral("B;Z;a;b;ä;é;ﬁ;😀");
    QTest::newRow("tutte insieme") << "die Bahn 10;Die Bahn 9;der apfel;Der Apfel;ein-Zug"
                                   << Opzioni_Ordine{.numeriNaturali = true,
                                                     .maiuscole = Maiuscole::MaiuscolePrima,
                                                     .ignoraPunteggiatura = true,
                                                     .ignoraArticoli = true,
                                                     .lingua = lingua("Deutsch")}
                                   << "Der Apfel;der apfel;Die Bahn 9;die Bahn 10;ein-Zug";
}

// Every row, then again in descending order: none of these lists holds items
// that collate equal, so descending is the exact reverse.
void TestEngine::ordine() {
    QFETCH(QString, ingresso);
    QFETCH(Opzioni_Ordine, opzioni);
    QFETCH(QString, atteso);
    Leggi_Separatori(statoCon({3}));
    QCOMPARE(ordina(ingresso, opzioni), atteso);
    opzioni.verso = Verso::Decrescente;
    QCOMPARE(ordina(ingresso, opzioni), rovescia(atteso));
}

void TestEngine::vuotaEUguali_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<Verso>("verso");
    QTest::addColumn<QStringList>("lista");
    QTest::addColumn<QString>("atteso");
    // The soft hyphen is ignored by the collator: "pera" and "pe-ra" are equal.
    const QString pera = QStringLiteral("pe\u00adra");
    const QString diverse = "pera;" + pera + ";;mela;";
    const QString ripetute = "pera;" + pera + ";;mela;pera;";
    QTest::newRow("diverse") << diverse << Verso::Crescente << QStringList{"", "mela", "pera", pera}
                             << "mela;pera;" + pera;
    QTest::newRow("diverse, decrescente")
        << diverse << Verso::Decrescente << QStringList{"pera", pera, "mela", ""}
        << "pera;" + pera + ";mela";
    QTest::newRow("ripetute") << ripetute << Verso::Crescente
                              << QStringList{"", "mela", "pera", pera, "pera"}
                              << "mela;pera;" + pera + ";pera";
    QTest::newRow("ripetute, decrescente")
        << ripetute << Verso::Decrescente << QStringList{"pera", pera, "pera", "mela", ""}
        << "pera;" + pera + ";pera;mela";
}

void TestEngine::vuotaEUguali() {
    QFETCH(QString, ingresso);
    QFETCH(Verso, verso);
    QFETCH(QStringList, lista);
    QFETCH(QString, atteso);
    Leggi_Separatori(statoCon({3}));
    QCOMPARE(ordina(ingresso, {.verso = verso}), atteso);
    QCOMPARE(LstOrdine(), lista);
    // The empty item leaves no trace at either end, whatever the separator.
    Leggi_Separatori(statoCon({3}, 1));
    QCOMPARE(ordina(ingresso, {.verso = verso}),
             QString(atteso).replace(u';', QStringLiteral("\r\n")));
}

void TestEngine::mescola() {
    QStringList voci;
    for (int i = 0; i < 40; ++i)
        voci << QStringLiteral("v%1").arg(i);
    const QString ingresso = voci.join(u';') + QStringLiteral(";v3;v7;");
    Leggi_Separatori(statoCon({3}));

    const QString prima = ordina(ingresso, {.mescola = true, .seme = 11});
    QCOMPARE(LstOrdine().first(), QString()); // where the joining leaves no trace
    QCOMPARE(ordina(ingresso, {.verso = Verso::Decrescente, .mescola = true, .seme = 11}), prima);
    QVERIFY(ordina(ingresso, {.mescola = true, .seme = 12}) != prima);
    // Without a seed, each run draws its own order.
    Opz_Ordine = {.mescola = true};
    FinestraRegistrata f1, f2;
    f1.orig = f2.orig = ingresso;
    Elabora_Testo(f1);
    Elabora_Testo(f2);
    QVERIFY(f1.ordine != f2.ordine);
    QStringList attese = voci;
    attese << "v3"
           << "v7";
    QStringList mescolate = prima.split(u';');
    QVERIFY(mescolate != attese);
    std::sort(mescolate.begin(), mescolate.end());
    std::sort(attese.begin(), attese.end());
    QCOMPARE(mescolate, attese);

    mescolate =
        ordina(ingresso, {.doppioni = Doppioni::Identici, .mescola = true, .seme = 11}).split(u';');
    std::sort(mescolate.begin(), mescolate.end());
    std::sort(voci.begin(), voci.end());
    QCOMPARE(mescolate, voci);
}

void TestEngine::uscita_data() {
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<QList<int>>("attivi");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<bool>("spazio");
    QTest::addColumn<bool>("capoCome");
    QTest::addColumn<bool>("ultimoCome");
    QTest::addColumn<int>("n"); // 0: reflow off
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<bool>("avviso");

    const QList<int> spazioPv{0, 3};
    const QString abc = QStringLiteral("c b a");
    const QString greco = QStringLiteral("gamma beta alfa");
    const QStringList tre{"alfa", "beta", "gamma"};
    QTest::newRow("Invio") << abc << spazioPv << 1 << false << false << false << 0 << "a\r\nb\r\nc"
                           << QStringList() << false;
    QTest::newRow("Invio, fine testo come")
        << abc << spazioPv << 1 << true << false << true << 0 << "a\r\nb\r\nc\r\n"
        << QStringList() << false;
    QTest::newRow("Invio, a capo, fine riga come")
        << abc << spazioPv << 1 << false << true << false << 5 << "a\r\nb\r\nc"
        << QStringList{"a", "b", "c"} << false;
    QTest::newRow("Invio, a capo, voce troppo lunga")
        << "gamma beta" << spazioPv << 1 << false << false << true << 4 << "beta\r\ngamma\r\n"
        << QStringList{"beta"} << true;
    QTest::newRow("Invio, righe in ingresso")
        << "b\r\n\r\na\r\n"
        << QList<int>{1} << 1 << false << false << false << 0 << "a\r\nb" << QStringList() << false;
    QTest::newRow("Tab") << abc << spazioPv << 2 << true << false << false << 0 << "a\tb\tc"
                         << QStringList() << false;
    QTest::newRow("Tab, a capo") << abc << spazioPv << 2 << false << false << false << 3
                                 << "a\tb \r\nc" << QStringList{"a\tb", "c"} << false;
    QTest::newRow("Tab, a capo, fine riga e testo come")
        << abc << spazioPv << 2 << false << true << true << 3 << "a\tb\t\r\nc\t"
        << QStringList{"a\tb", "c"} << false;
    QTest::newRow("virgola e spazio") << greco << spazioPv << 5 << true << false << false << 0
                                      << "alfa, beta, gamma" << QStringList() << false;
    QTest::newRow("virgola e spazio, fine testo come")
        << greco << spazioPv << 5 << true << false << true << 0 << "alfa, beta, gamma,"
        << QStringList() << false;
    // The window of 11 ends on the separator; of 10, just before it.
    QTest::newRow("virgola e spazio, a capo a 11")
        << greco << spazioPv << 5 << true << false << false << 11 << "alfa, beta \r\ngamma"
        << QStringList{"alfa, beta", "gamma"} << false;
    QTest::newRow("virgola e spazio, a capo a 10, fine riga come")
        << greco << spazioPv << 5 << true << true << false << 10 << "alfa, beta,\r\ngamma"
        << QStringList{"alfa, beta", "gamma"} << false;
    QTest::newRow("virgola e spazio, a capo a 6, fine testo come")
        << greco << spazioPv << 5 << true << false << true << 6 << "alfa \r\nbeta \r\ngamma," << tre
        << false;
    QTest::newRow("virgola e spazio, voce troppo lunga")
        << greco << spazioPv << 5 << true << false << false << 4 << "alfa, beta, gamma"
        << QStringList{"alfa", "beta"} << true;
    QTest::newRow("spazio, voce che finisce col separatore")
        << "y x," << QList<int>{0} << 5 << true << false << false << 0 << "x, y" << QStringList()
        << false;
    QTest::newRow("spazio, voce che comincia col separatore")
        << "b ,a" << QList<int>{0} << 5 << true << false << false << 0 << "a, b" << QStringList()
        << false;
    QTest::newRow("spazio, separatore dentro una voce")
        << "b;a,,z" << QList<int>{3} << 5 << true << false << false << 0 << "a,z, b"
        << QStringList() << false;
}

void TestEngine::uscita() {
    QFETCH(QString, ingresso);
    QFETCH(QList<int>, attivi);
    QFETCH(int, uscita);
    QFETCH(bool, spazio);
    QFETCH(bool, capoCome);
    QFETCH(bool, ultimoCome);
    QFETCH(int, n);
    QFETCH(QString, atteso);
    QFETCH(QStringList, righe);
    QFETCH(bool, avviso);

    Leggi_Separatori(statoCon(attivi, uscita, capoCome, ultimoCome, spazio));
    FinestraRegistrata f;
    f.aCapo = n > 0;
    QCOMPARE(esegui(ingresso, f, n), atteso);
    QCOMPARE(Lst_Frasi(), righe);
    // The lines are those of the run, whatever the options are set to since.
    Leggi_Separatori(statoCon({0, 1, 2}, 7, !capoCome, !ultimoCome, !spazio));
    QCOMPARE(Lst_Frasi(), righe);
    QCOMPARE(f.messaggi.size(), qsizetype(avviso ? 1 : 0));
    QCOMPARE(f.posizioneSlider, avviso ? 100 : -1);
}

void TestEngine::grandeComeCollatore_data() {
    QTest::addColumn<bool>("codici");
    QTest::addColumn<bool>("distinte");
    QTest::addColumn<bool>("decrescente");
    QTest::newRow("lingua del sistema") << false << false << false;
    QTest::newRow("lingua del sistema, decrescente") << false << false << true;
    QTest::newRow("tutte diverse") << false << true << false;
    QTest::newRow("tutte diverse, decrescente") << false << true << true;
    QTest::newRow("codici Unicode") << true << false << false;
}

// Enough items for the keys to be made and sorted on every core, with long
// shared beginnings that the sort must look past, against a plain stable sort.
void TestEngine::grandeComeCollatore() {
    QFETCH(bool, codici);
    QFETCH(bool, distinte);
    QFETCH(bool, decrescente);
    const QStringList radici{"",
                             "precipitevolissimevolmente",
                             "Precipitevolissimevolmente",
                             "precipitévolissimevolmente",
                             "a",
                             "ä",
                             "z"};
    const QStringList lettere =
        QStringLiteral("a A b B c à è é ì ò ù z Z \u00ad - ' 😀 \uff21 _").split(u' ') << " ";
    std::mt19937 g(7);
    QStringList voci;
    for (int i = 0; i < 120000; ++i) {
        QString v = radici[int(g() % radici.size())];
        for (int k = int(g() % 6); k > 0; --k)
            v += lettere[int(g() % lettere.size())];
        v = v.trimmed();
        if (!v.isEmpty())
            voci << v;
    }
    if (distinte)
        voci.removeDuplicates();
    FinestraRegistrata f;
    Opz_Ordine.lingua = codici ? LinguaCodiciUnicode() : LinguaSistema;
    Opz_Ordine.verso = decrescente ? Verso::Decrescente : Verso::Crescente;
    Leggi_Separatori(statoCon({3}));
    esegui(voci.join(u';'), f);

    const QCollator collatore(QLocale(QLocale::Italian, QLocale::Italy));
    std::stable_sort(voci.begin(), voci.end(), [&](const QString& a, const QString& b) {
        if (codici)
            return a.toUcs4() < b.toUcs4();
        return decrescente ? collatore.compare(b, a) < 0 : collatore.compare(a, b) < 0;
    });
    QCOMPARE(LstOrdine(), voci);
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

void TestEngine::righeLf_data() {
    QTest::addColumn<QString>("ingresso"); // lines ending in CR LF
    QTest::addColumn<QList<int>>("attivi");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<Opzioni_Ordine>("opzioni");
    QTest::addColumn<int>("n"); // 0: reflow off

    const QString righe = QStringLiteral("pera  mela\r\n\r\n  kiwi\r\nBanana;fico\r\n"
                                         "\tuva\r\n\r\n\u0001ribes\r\nkiwi\r\n ");
    const QList<int> invio{1};
    QTest::newRow("Invio in e out") << righe << invio << 1 << Opzioni_Ordine() << 0;
    QTest::newRow("Invio, uscita ;") << righe << invio << 3 << Opzioni_Ordine() << 0;
    QTest::newRow("Invio e spazio") << righe << QList<int>{0, 1} << 3 << Opzioni_Ordine() << 0;
    QTest::newRow("Invio, ; e Tab") << righe << QList<int>{1, 2, 3} << 1 << Opzioni_Ordine() << 0;
    QTest::newRow("decrescente, senza doppioni")
        << righe << invio << 1
        << Opzioni_Ordine{.verso = Verso::Decrescente, .doppioni = Doppioni::AncheMaiuscoleAccenti}
        << 0;
    QTest::newRow("mescola") << righe << invio << 3 << Opzioni_Ordine{.mescola = true, .seme = 5}
                             << 0;
    QTest::newRow("a capo") << righe << invio << 3 << Opzioni_Ordine() << 12;
    QTest::newRow("a capo, Invio in e out") << righe << invio << 1 << Opzioni_Ordine() << 12;
    QTest::newRow("righe vuote all'inizio")
        << QStringLiteral("\r\n\r\nb\r\na") << invio << 1 << Opzioni_Ordine() << 0;
    QTest::newRow("una riga") << QStringLiteral("sola") << invio << 1 << Opzioni_Ordine() << 0;
}

// A bare LF standing for each CR LF gives the window's output, whatever else
// is set.
void TestEngine::righeLf() {
    QFETCH(QString, ingresso);
    QFETCH(QList<int>, attivi);
    QFETCH(int, uscita);
    QFETCH(Opzioni_Ordine, opzioni);
    QFETCH(int, n);

    Leggi_Separatori(statoCon(attivi, uscita));
    Opz_Ordine = opzioni;
    FinestraRegistrata f;
    f.aCapo = n > 0;
    const QString atteso = esegui(ingresso, f, n);
    QString lf;
    const bool formattato = Elabora_Testo_Flusso(
        QString(ingresso).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), f.aCapo,
        [&](QStringView pezzo) { lf += pezzo; }, true);
    QCOMPARE(lf, atteso);
    QCOMPARE(formattato, f.messaggi.isEmpty());
}

// A text of few distinct words, many times over: the items outlive the text.
void TestEngine::testoCheSiRipete() {
    QStringList voci;
    for (int i = 0; i < 60; ++i)
        voci << QStringLiteral(" pera") << QStringLiteral("Mela") << QStringLiteral("mela ");
    const QString ingresso = voci.join(u';');
    Leggi_Separatori(statoCon({3}));
    QStringList attese;
    for (const char* voce : {"mela", "Mela", "pera"})
        attese << QStringList(60, QString::fromLatin1(voce));
    QCOMPARE(ordina(ingresso, {}), attese.join(u';'));
    QCOMPARE(LstOrdine(), attese);
    QCOMPARE(ordina(ingresso, {.doppioni = Doppioni::Identici}), QStringLiteral("mela;Mela;pera"));
    QCOMPARE(ordina(ingresso, {.verso = Verso::Decrescente, .doppioni = Doppioni::Identici}),
             QStringLiteral("pera;Mela;mela"));
}
