#include "ScritturaFlusso.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<illeggibile>"_ba;
}

} // namespace

// A write that fails midway is tested through quorla-cli (tests/cli), which
// saves through this class.
class TstScritturaFlusso : public QObject {
    Q_OBJECT

private slots:
    void aPezzi_data();
    void aPezzi();
};

void TstScritturaFlusso::aPezzi_data() {
    QTest::addColumn<QStringList>("pezzi");
    QTest::addColumn<QByteArray>("atteso");

    QTest::newRow("nessun pezzo: file vuoto") << QStringList() << ""_ba;
    QTest::newRow("in ordine") << QStringList{u"alfa;"_s, u"beta \r\n"_s, u"gamma"_s}
                               << "alfa;beta \r\ngamma"_ba;
    QTest::newRow("accenti") << QStringList{u"città"_s, u";è"_s} << "citt\xC3\xA0;\xC3\xA8"_ba;
    // A character outside the basic plane cut between two pieces.
    QTest::newRow("coppia surrogata divisa")
        << QStringList{QString(QChar(0xD83D)), QString(QChar(0xDE00)) + u"!"_s}
        << "\xF0\x9F\x98\x80!"_ba;
}

void TstScritturaFlusso::aPezzi() {
    QFETCH(QStringList, pezzi);
    QFETCH(QByteArray, atteso);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(u"uscita.txt"_s);
    QFile vecchio(percorso);
    QVERIFY(vecchio.open(QIODevice::WriteOnly) && vecchio.write("vecchio") == 7);
    vecchio.close();

    QuorlaIo::ScrittoreFileTesto scrittore(percorso);
    QVERIFY(scrittore.apri());
    for (const QString& p : pezzi)
        scrittore.scrivi(p);
    // Nothing replaces the target before the end.
    QCOMPARE(Contenuto(percorso), "vecchio"_ba);
    QVERIFY(scrittore.chiudi());
    QCOMPARE(Contenuto(percorso), atteso);
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList{u"uscita.txt"_s});
}

QTEST_GUILESS_MAIN(TstScritturaFlusso)
#include "tst_ScritturaFlusso.moc"
