#include "Traduzioni.h"

#include <QTest>
#include <QTranslator>

using namespace Qt::StringLiterals;

class TestTraduzioni : public QObject {
    Q_OBJECT

private slots:
    // The system's languages, best first, as QLocale::uiLanguages() lists them.
    void scelta_data() {
        QTest::addColumn<QStringList>("preferite");
        QTest::addColumn<QStringList>("disponibili");
        QTest::addColumn<QString>("scelta");
        const QStringList en = {u"en"_s};
        QTest::newRow("italiano") << QStringList{u"it-IT"_s, u"it-Latn-IT"_s, u"it"_s} << en
                                  << "it";
        QTest::newRow("svizzero") << QStringList{u"it_CH"_s} << en << "it";
        QTest::newRow("inglese") << QStringList{u"en-GB"_s, u"en"_s} << en << "en";
        QTest::newRow("tedesco: inglese") << QStringList{u"de-DE"_s, u"de"_s} << en << "en";
        QTest::newRow("nessuna lingua: C") << QStringList{u"C"_s} << en << "it";
        QTest::newRow("POSIX") << QStringList{u"POSIX"_s} << en << "it";
        QTest::newRow("vuota") << QStringList{} << en << "it";
        QTest::newRow("C, poi inglese") << QStringList{u"C"_s, u"en"_s} << en << "en";
        QTest::newRow("tedesco, poi italiano") << QStringList{u"de"_s, u"it-IT"_s} << en << "it";
        QTest::newRow("francese, inglese, italiano")
            << QStringList{u"fr"_s, u"EN-US"_s, u"it"_s} << en << "en";
        // A new translation is spoken as soon as it is built in.
        QTest::newRow("svedese tradotto")
            << QStringList{u"sv-SE"_s} << QStringList{u"en"_s, u"sv"_s} << "sv";
        QTest::newRow("svedese non tradotto") << QStringList{u"sv-SE"_s} << en << "en";
    }
    void scelta() {
        QFETCH(QStringList, preferite);
        QFETCH(QStringList, disponibili);
        QFETCH(QString, scelta);
        QCOMPARE(Traduzioni::Scegli(preferite, disponibili), scelta);
    }

    // English is built in; Italian needs no translation of the program's, and
    // Qt's own texts come from Qt's files.
    void caricate() {
        QCOMPARE(Traduzioni::Disponibili(), QStringList{u"en"_s});
        QCOMPARE(Traduzioni::Scegli({u"de"_s}), u"en"_s);
        QTranslator programma, qt;
        QVERIFY(!Traduzioni::CaricaProgramma(programma, u"it"_s));
        QVERIFY(Traduzioni::CaricaQt(qt, u"it"_s));
        QCOMPARE(qt.translate("QPlatformTheme", "Cancel"), u"Annulla"_s);
        QCOMPARE(Traduzioni::TestoProgetto("Mette in ordine alfabetico le voci di un testo."),
                 u"Mette in ordine alfabetico le voci di un testo."_s);
        Traduzioni::Installa(u"en"_s);
        QCOMPARE(Traduzioni::TestoProgetto("Mette in ordine alfabetico le voci di un testo."),
                 u"Puts the items of a text in alphabetical order."_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Codici Unicode"_s), u"Unicode code points"_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Svenska"_s), u"Svenska"_s);
        QCOMPARE(QCoreApplication::translate("MainForm", "Nuovo"), u"&New"_s);
    }
};

QTEST_GUILESS_MAIN(TestTraduzioni)
#include "tst_Traduzioni.moc"
