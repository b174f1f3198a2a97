// A file read in pieces must give, piece after piece, the text the whole file
// gives, whatever falls at the edge of a piece.
#include "Flusso.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using QuorlaIo::FineRiga;

class TstFlusso : public QObject {
    Q_OBJECT

private slots:
    void comeIntero_data();
    void comeIntero();
    void nonUnFile();
    void appoggio();
};

void TstFlusso::comeIntero_data() {
    QTest::addColumn<QByteArray>("byte");
    const QByteArray righe = "pera\r\nmela\rè\n\nfico\r\r\nuva \r";
    const QString testo = QString::fromUtf8(righe);
    auto utf = [&](QStringConverter::Encoding e) -> QByteArray {
        QStringEncoder codifica(e);
        return codifica.encode(testo);
    };
    QTest::newRow("UTF-8") << righe;
    QTest::newRow("UTF-8 con BOM") << "\xEF\xBB\xBF" + righe + "\n";
    QTest::newRow("UTF-16LE") << "\xFF\xFE" + QByteArray(utf(QStringConverter::Utf16LE));
    QTest::newRow("UTF-16BE") << "\xFE\xFF" + QByteArray(utf(QStringConverter::Utf16BE));
    QTest::newRow("UTF-32LE") << QByteArray("\xFF\xFE\0\0", 4) + utf(QStringConverter::Utf32LE);
    QTest::newRow("UTF-16LE dispari")
        << "\xFF\xFE" + QByteArray(utf(QStringConverter::Utf16LE)) + 'x';
    QTest::newRow("UTF-32BE") << QByteArray("\0\0\xFE\xFF", 4) + utf(QStringConverter::Utf32BE);
    // Invalid anywhere, even in the last piece, makes the whole file 1252.
    QTest::newRow("Windows-1252 in fondo") << righe + "caf\xE9";
    QTest::newRow("UTF-8 troncato") << righe + "\xC3";
    QTest::newRow("solo fine riga") << QByteArray("\r\n\n\r");
    QTest::newRow("vuoto") << QByteArray();
}

void TstFlusso::comeIntero() {
    QFETCH(QByteArray, byte);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(u"f.txt"_s);
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size());
    f.close();
    for (FineRiga fineRiga : {FineRiga::Spazio, FineRiga::CrLf, FineRiga::Lf, FineRiga::Intatta}) {
        const QString atteso = QuorlaIo::DecodificaTesto(byte, fineRiga);
        // Pieces of every size up to a few bytes put each edge everywhere.
        for (qint64 pezzo = 1; pezzo <= 7; ++pezzo) {
            QuorlaIo::LettoreTesto lettore(fineRiga);
            QVERIFY(lettore.apri(percorso, nullptr));
            QString letto;
            for (;;) {
                const std::optional<QString> p = lettore.prossimo(pezzo);
                QVERIFY(p.has_value());
                if (p->isEmpty())
                    break;
                letto += *p;
            }
            QCOMPARE(letto, atteso);
        }
    }
}

void TstFlusso::nonUnFile() {
    QTemporaryDir cartella;
    QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
    QuorlaIo::LettoreTesto lettore(FineRiga::Spazio);
    QVERIFY(!lettore.apri(cartella.path(), &errore));
    QCOMPARE(errore, QuorlaIo::ErroreLettura::Illeggibile);
    QVERIFY(!QuorlaIo::LettoreTesto(FineRiga::Spazio).apri(cartella.filePath(u"no"_s), &errore));
    QVERIFY(!QuorlaIo::LettoreTesto(FineRiga::Spazio).apri(u"/dev/null"_s, &errore));
    QCOMPARE(errore, QuorlaIo::ErroreLettura::NonRegolare);
}

// A temporary file has no name from the start, takes what is written past its
// buffer, and reads it back; moved, it stays one file.
void TstFlusso::appoggio() {
    QTemporaryDir cartella;
    QuorlaIo::FileAppoggio file;
    QVERIFY(file.crea(cartella.path()));
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    const std::string blocco(3 << 19, 'x');
    QVERIFY(file.scrivi(blocco) && file.scrivi("fine", 4));
    QuorlaIo::FileAppoggio spostato = std::move(file);
    file = std::move(spostato);
    QVERIFY(file.daCapo());
    std::string letto(blocco.size() + 10, '\0');
    QCOMPARE(file.leggi(letto.data(), qint64(letto.size())), qint64(blocco.size() + 4));
    QCOMPARE(letto.substr(blocco.size(), 4), "fine");
    QuorlaIo::FileAppoggio mancante;
    QVERIFY(!mancante.crea(cartella.filePath(u"no"_s)));
    QCOMPARE(mancante.errore(), ENOENT);
}

QTEST_GUILESS_MAIN(TstFlusso)
#include "tst_flusso.moc"
