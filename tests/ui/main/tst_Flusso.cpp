#include "Controlli.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>

class TestFlusso : public QObject {
    Q_OBJECT
private slots:
    void aPezzi_data() {
        QTest::addColumn<int>("righe");
        QTest::addColumn<int>("lunghe");
        QTest::addColumn<int>("pezzo");
        QTest::newRow("one long paragraph") << 1 << 1 << 70000;
        QTest::newRow("few lines") << 40 << 3 << 70000;
        QTest::newRow("many lines") << 30000 << 0 << 70000;
        QTest::newRow("small pieces") << 3000 << 2 << 4;
    }
    // Handed over in pieces cut anywhere, a CR LF included, the text reads
    // back as it does when set whole, and no block outgrows its limit.
    void aPezzi() {
        QFETCH(int, righe);
        QFETCH(int, lunghe);
        QFETCH(int, pezzo);
        QRandomGenerator g(righe);
        QString testo;
        for (int r = 0; r < righe; ++r) {
            const int parole = r < lunghe ? 20000 : int(g.bounded(6));
            for (int p = 0; p < parole; ++p)
                testo += QString(int(g.bounded(1, 9)), QChar(u'a' + g.bounded(26))) +
                         QLatin1String(g.bounded(7) ? " " : ";");
            testo += QLatin1String(g.bounded(5) ? "\r\n" : "\n");
        }
        CasellaTesto intero;
        intero.impostaTesto(testo);
        CasellaTesto casella;
        casella.iniziaTesto();
        for (qsizetype da = 0; da < testo.size();) {
            const qsizetype n = std::min<qsizetype>(g.bounded(1, pezzo), testo.size() - da);
            casella.aggiungiTesto(QStringView(testo).sliced(da, n));
            da += n;
        }
        casella.fineTesto();
        QCOMPARE(casella.testo(), intero.testo());
        for (QTextBlock b = casella.document()->begin(); b.isValid(); b = b.next())
            QVERIFY(b.length() - 1 <= CasellaTesto::PezzoMassimo);
    }
};

QTEST_MAIN(TestFlusso)
#include "tst_Flusso.moc"
