#include "Traduzioni.h"

#include <QTest>
#include <QTranslator>

using namespace Qt::StringLiterals;

class TestTraduzioni : public QObject {
    Q_OBJECT

private slots:
    // The system's languages, best first as QLocale::uiLanguages() lists them;
    // "+sv" builds a Swedish translation in besides English.
    void scelta_data() {
        QTest::addColumn<QString>("preferite");
        QTest::addColumn<QString>("scelta");
        const QString righe = u"it-IT it-Latn-IT it:it|it_CH:it|en-GB en:en|de-DE de:en|C:it|"
                              "POSIX:it|:it|C en:en|de it-IT:it|fr EN-US it:en|sv-SE +sv:sv|"
                              "sv-SE:en"_s;
        for (const QString& riga : righe.split(u'|'))
            QTest::newRow(qPrintable(riga)) << riga.section(u':', 0, 0) << riga.section(u':', 1);
    }
    void scelta() {
        QFETCH(QString, preferite);
        QFETCH(QString, scelta);
        QStringList lingue = preferite.split(u' ', Qt::SkipEmptyParts);
        QStringList disponibili = {u"en"_s};
        if (lingue.removeAll(u"+sv"_s))
            disponibili << u"sv"_s;
        QCOMPARE(Traduzioni::Scegli(lingue, disponibili), scelta);
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
        const char* commento = "Mette in ordine alfabetico le voci di un testo.";
        QCOMPARE(Traduzioni::TestoProgetto(commento), QString::fromUtf8(commento));
        Traduzioni::Installa(u"en"_s);
        QCOMPARE(Traduzioni::TestoProgetto(commento),
                 u"Puts the items of a text in alphabetical order."_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Codici Unicode"_s), u"Unicode code points"_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Svenska"_s), u"Svenska"_s);
        QCOMPARE(QCoreApplication::translate("MainForm", "Nuovo"), u"&New"_s);
    }
};

QTEST_GUILESS_MAIN(TestTraduzioni)
#include "tst_Traduzioni.moc"
