// What each command-line option sets in the engine, read back from the
// engine's own options after they have been applied as the window applies them.
#include "OpzioniCli.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace Dichiarazioni;

class TstOpzioniCli : public QObject {
    Q_OBJECT

private slots:
    void separatori_data();
    void separatori();
    void ordine_data();
    void ordine();

private:
    static int IndiceLocale(const QString& locale) {
        const auto& lingue = Lingue_Ordine();
        for (std::size_t i = 0; i < lingue.size(); ++i) {
            if (lingue[i].locale == locale)
                return int(i);
        }
        return -1;
    }
    static void Applica(const QStringList& argomenti) {
        const QuorlaCli::Analisi analisi =
            QuorlaCli::Analizza(QStringList{u"quorla-cli"_s} + argomenti);
        QCOMPARE(analisi.esito, QuorlaCli::Esito::Procedi);
        QuorlaCli::ApplicaAlMotore(analisi.impostazioni);
    }
};

void TstOpzioniCli::separatori_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QList<int>>("ingresso");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("capo");
    QTest::addColumn<QString>("ultimo");
    QTest::addColumn<int>("caratteri");

    QTest::newRow("predefinite") << QStringList() << QList{0, 3} << u";"_s << u" "_s << u""_s << 50;
    QTest::newRow("nomi") << QStringList{u"-s"_s, u"invio,tab,barra-rovescia"_s} << QList{1, 2, 12}
                          << u";"_s << u" "_s << u""_s << 50;
    QTest::newRow("caratteri") << QStringList{u"-s"_s, u"\\,:"_s} << QList{4, 12} << u";"_s
                               << u" "_s << u""_s << 50;
    QTest::newRow("la virgola sola")
        << QStringList{u"-s"_s, u","_s} << QList{5} << u";"_s << u" "_s << u""_s << 50;
    QTest::newRow("maiuscole nei nomi") << QStringList{u"-s"_s, u"Spazio,PUNTO"_s} << QList{0, 6}
                                        << u";"_s << u" "_s << u""_s << 50;
    QTest::newRow("nessuno") << QStringList{u"-s"_s, u"nessuno"_s} << QList<int>() << u";"_s
                             << u" "_s << u""_s << 50;
    QTest::newRow("uscita invio") << QStringList{u"-u"_s, u"invio"_s} << QList{0, 3} << u"\r"_s
                                  << u" "_s << u""_s << 50;
    QTest::newRow("fine riga e testo")
        << QStringList{u"-u"_s, u"|"_s, u"--fine-riga"_s, u"--fine-testo"_s} << QList{0, 3}
        << u"|"_s << u"|"_s << u"|"_s << 50;
    QTest::newRow("larghezza") << QStringList{u"-w"_s, u"7"_s} << QList{0, 3} << u";"_s << u" "_s
                               << u""_s << 7;
    QTest::newRow("l'ultima vince") << QStringList{u"-u"_s, u"."_s, u"--uscita=!"_s} << QList{0, 3}
                                    << u"!"_s << u" "_s << u""_s << 50;
}

void TstOpzioniCli::separatori() {
    QFETCH(QStringList, argomenti);
    QFETCH(QList<int>, ingresso);
    QFETCH(QString, uscita);
    QFETCH(QString, capo);
    QFETCH(QString, ultimo);
    QFETCH(int, caratteri);

    // A previous row must leave nothing behind.
    Sep_Ingresso.fill(true);
    Num_Caratteri = 0;
    Applica(argomenti);
    QList<int> attivi;
    for (int i = 0; i < NumSeparatori; ++i) {
        if (Sep_Ingresso[i])
            attivi.append(i);
    }
    QCOMPARE(attivi, ingresso);
    QCOMPARE(Sep_Uscita, uscita);
    QCOMPARE(Sep_Capo, capo);
    QCOMPARE(Sep_Ultimo, ultimo);
    QCOMPARE(int(Num_Caratteri), caratteri);
}

void TstOpzioniCli::ordine_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<Opzioni_Ordine>("atteso");

    QVERIFY(IndiceLocale(u"sv"_s) > 0);
    const Opzioni_Ordine base;
    auto con = [&](auto modifica) {
        Opzioni_Ordine o = base;
        modifica(o);
        return o;
    };
    QTest::newRow("predefinite") << QStringList() << base;
    QTest::newRow("-r") << QStringList{u"-r"_s}
                        << con([](Opzioni_Ordine& o) { o.verso = Verso::Decrescente; });
    QTest::newRow("-n") << QStringList{u"--numeri-naturali"_s}
                        << con([](Opzioni_Ordine& o) { o.numeriNaturali = true; });
    QTest::newRow("maiuscole prima")
        << QStringList{u"--maiuscole=prima"_s}
        << con([](Opzioni_Ordine& o) { o.maiuscole = Maiuscole::MaiuscolePrima; });
    QTest::newRow("maiuscole dopo")
        << QStringList{u"--maiuscole"_s, u"dopo"_s}
        << con([](Opzioni_Ordine& o) { o.maiuscole = Maiuscole::MinuscolePrima; });
    QTest::newRow("maiuscole lingua") << QStringList{u"--maiuscole=lingua"_s} << base;
    QTest::newRow("punteggiatura e articoli")
        << QStringList{u"--ignora-punteggiatura"_s, u"--ignora-articoli"_s}
        << con([](Opzioni_Ordine& o) { o.ignoraPunteggiatura = o.ignoraArticoli = true; });
    QTest::newRow("doppioni identici")
        << QStringList{u"--doppioni=identici"_s}
        << con([](Opzioni_Ordine& o) { o.doppioni = Doppioni::Identici; });
    QTest::newRow("doppioni simili")
        << QStringList{u"--doppioni=simili"_s}
        << con([](Opzioni_Ordine& o) { o.doppioni = Doppioni::AncheMaiuscoleAccenti; });
    QTest::newRow("lingua con parola chiave")
        << QStringList{u"--lingua=de@collation=phonebook"_s}
        << con([](Opzioni_Ordine& o) { o.lingua = IndiceLocale(u"de@collation=phonebook"_s); });
    QTest::newRow("lingua senza badare al maiuscolo")
        << QStringList{u"--lingua=SV"_s}
        << con([](Opzioni_Ordine& o) { o.lingua = IndiceLocale(u"sv"_s); });
    QTest::newRow("lingua unicode")
        << QStringList{u"--lingua=unicode"_s}
        << con([](Opzioni_Ordine& o) { o.lingua = LinguaCodiciUnicode(); });
    QTest::newRow("lingua sistema") << QStringList{u"--lingua=sistema"_s} << base;
    QTest::newRow("mescola con seme")
        << QStringList{u"--mescola"_s, u"--seme=42"_s} << con([](Opzioni_Ordine& o) {
               o.mescola = true;
               o.seme = 42;
           });
}

void TstOpzioniCli::ordine() {
    QFETCH(QStringList, argomenti);
    QFETCH(Opzioni_Ordine, atteso);

    Opz_Ordine.verso = Verso::Decrescente;
    Opz_Ordine.lingua = 3;
    Applica(argomenti);
    QCOMPARE(int(Opz_Ordine.verso), int(atteso.verso));
    QCOMPARE(Opz_Ordine.numeriNaturali, atteso.numeriNaturali);
    QCOMPARE(int(Opz_Ordine.maiuscole), int(atteso.maiuscole));
    QCOMPARE(Opz_Ordine.ignoraPunteggiatura, atteso.ignoraPunteggiatura);
    QCOMPARE(Opz_Ordine.ignoraArticoli, atteso.ignoraArticoli);
    QCOMPARE(int(Opz_Ordine.doppioni), int(atteso.doppioni));
    QCOMPARE(Opz_Ordine.lingua, atteso.lingua);
    QCOMPARE(Opz_Ordine.mescola, atteso.mescola);
    QCOMPARE(Opz_Ordine.seme, atteso.seme);
}

QTEST_GUILESS_MAIN(TstOpzioniCli)
#include "tst_OpzioniCli.moc"
