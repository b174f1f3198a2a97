#include "FileTesto.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return "<illeggibile>";
    return file.readAll();
}

bool Crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

} // namespace

class TstFileTesto : public QObject {
    Q_OBJECT

private slots:
    // A fresh folder for every row, so that each can see what it left behind.
    void init() {
        cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(cartella->isValid());
    }

    void lettura_data();
    void lettura();
    void letturaImpossibile_data();
    void letturaImpossibile();
    void letturaGrande();
    void righeCrLf_data();
    void righeCrLf();
    void tipiDiFile_data();
    void tipiDiFile();

    void scrittura_data();
    void scrittura();
    void scritturaImpossibile_data();
    void scritturaImpossibile();
    void scritturaInterrottaLasciaIntatto();

private:
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstFileTesto::lettura_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("vuoto") << QByteArray() << u""_s;
    QTest::newRow("una riga senza fine riga") << "abc"_ba << u"abc"_s;
    QTest::newRow("CR LF") << "abc\r\ndef\r\n"_ba << u"abc def"_s;
    QTest::newRow("CR solo") << "abc\rdef\r"_ba << u"abc def"_s;
    QTest::newRow("LF solo") << "a\nb\n"_ba << u"a b"_s;
    QTest::newRow("misti") << "a\r\nb\rc\nd"_ba << u"a b c d"_s;
    QTest::newRow("LF CR sono due fine riga") << "a\n\rb"_ba << u"a  b"_s;
    QTest::newRow("ultima riga senza fine riga") << "abc\r\ndef"_ba << u"abc def"_s;
    QTest::newRow("righe vuote in mezzo") << "a\r\n\r\nb"_ba << u"a  b"_s;
    QTest::newRow("solo un fine riga") << "\r\n"_ba << u""_s;
    QTest::newRow("solo fine riga") << "\n\r\n\r"_ba << u"  "_s;
    QTest::newRow("spazi della riga restano") << " a \r\n b "_ba << u" a   b "_s;
    QTest::newRow("UTF-8 con accenti") << "perché città\r\nè"_ba << u"perché città è"_s;
    QTest::newRow("UTF-8 fuori dal piano base") << "\xF0\x9F\x98\x80"_ba << u"\U0001F600"_s;
    QTest::newRow("BOM UTF-8") << "\xEF\xBB\xBF"
                                  "abc\r\n"_ba
                               << u"abc"_s;
    QTest::newRow("solo BOM") << "\xEF\xBB\xBF"_ba << u""_s;
    QTest::newRow("Windows-1252") << "caff\xE8 \x80 5\r\n\x93x\x94"_ba
                                  << u"caffè € 5 \u201Cx\u201D"_s;
    QTest::newRow("Windows-1252 byte indefiniti")
        << "\x81\x8D\x8F\x90\x9D"_ba << u"\u0081\u008D\u008F\u0090\u009D"_s;
    QTest::newRow("Windows-1252 parte alta") << "\x9F\xA0\xFF"_ba << u"\u0178\u00A0\u00FF"_s;
    // One invalid byte makes the whole file Windows-1252, valid UTF-8 included.
    QTest::newRow("UTF-8 misto a Windows-1252") << "caf\xC3\xA9 \xE8"_ba << u"cafÃ© è"_s;
    QTest::newRow("UTF-8 troncato alla fine") << "abc\xC3"_ba << u"abcÃ"_s;
    QTest::newRow("BOM poi Windows-1252") << "\xEF\xBB\xBF\xE8"_ba << u"è"_s;
    QTest::newRow("NUL e controlli")
        << QByteArray("a\0b\x01\x1B\x7F\tc", 8) << QString::fromUtf16(u"a\0b\x01\x1B\x7F\tc", 8);
    QTest::newRow("NUL con Windows-1252")
        << QByteArray("\0\xE8\0", 3) << QString::fromUtf16(u"\0è\0", 3);
}

void TstFileTesto::lettura() {
    QFETCH(QByteArray, byte);
    QFETCH(QString, atteso);
    const QString percorso = cartella->filePath(u"lettura.txt"_s);
    QVERIFY(Crea(percorso, byte));

    const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(percorso);
    QVERIFY(testo.has_value());
    QCOMPARE(*testo, atteso);
}

void TstFileTesto::righeCrLf_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("vuoto") << QByteArray() << u""_s;
    QTest::newRow("CR LF resta") << "abc\r\ndef"_ba << u"abc\r\ndef"_s;
    QTest::newRow("CR solo") << "a\rb"_ba << u"a\r\nb"_s;
    QTest::newRow("LF solo") << "a\nb"_ba << u"a\r\nb"_s;
    QTest::newRow("misti") << "a\r\nb\rc\nd"_ba << u"a\r\nb\r\nc\r\nd"_s;
    QTest::newRow("LF CR sono due fine riga") << "a\n\rb"_ba << u"a\r\n\r\nb"_s;
    QTest::newRow("fine riga finale non aggiunge nulla") << "a\nb\r\n"_ba << u"a\r\nb"_s;
    QTest::newRow("solo l'ultimo fine riga cade") << "a\n\n"_ba << u"a\r\n"_s;
    QTest::newRow("solo un fine riga") << "\r"_ba << u""_s;
    QTest::newRow("Windows-1252 con CR") << "caff\xE8\rt\xE8"_ba << u"caffè\r\ntè"_s;
    QTest::newRow("BOM UTF-8") << "\xEF\xBB\xBFx\ny\n"_ba << u"x\r\ny"_s;
}

void TstFileTesto::righeCrLf() {
    QFETCH(QByteArray, byte);
    QFETCH(QString, atteso);
    QCOMPARE(QuorlaIo::DecodificaTesto(byte, QuorlaIo::FineRiga::CrLf), atteso);

    const QString percorso = cartella->filePath(u"righe.txt"_s);
    QVERIFY(Crea(percorso, byte));
    const std::optional<QString> testo =
        QuorlaIo::LeggiFileTesto(percorso, nullptr, QuorlaIo::FineRiga::CrLf);
    QVERIFY(testo.has_value());
    QCOMPARE(*testo, atteso);

    // The same lines, each ended by one LF.
    const QString lf = QString(atteso).replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(QuorlaIo::DecodificaTesto(byte, QuorlaIo::FineRiga::Lf), lf);
    const std::optional<QString> testoLf =
        QuorlaIo::LeggiFileTesto(percorso, nullptr, QuorlaIo::FineRiga::Lf);
    QVERIFY(testoLf.has_value());
    QCOMPARE(*testoLf, lf);
}

void TstFileTesto::letturaImpossibile_data() {
    QTest::addColumn<QString>("caso");
    QTest::newRow("file inesistente") << u"inesistente"_s;
    QTest::newRow("cartella") << u"cartella"_s;
    QTest::newRow("senza permessi") << u"permessi"_s;
    QTest::newRow("errore di lettura") << u"errore"_s;
}

void TstFileTesto::letturaImpossibile() {
    QFETCH(QString, caso);
    QString percorso = cartella->filePath(caso);
    if (caso == u"cartella") {
        QVERIFY(QDir(cartella->path()).mkdir(caso));
    } else if (caso == u"permessi") {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("permissions do not stop root from reading");
#endif
        QVERIFY(Crea(percorso, "abc"));
        QVERIFY(QFile::setPermissions(percorso, {}));
    } else if (caso == u"errore") {
        // Opens fine, but reading from address 0 of its own memory fails: a
        // read error that does not depend on permissions.
        percorso = u"/proc/self/mem"_s;
        if (!QFile::exists(percorso))
            QSKIP("no /proc on this system");
    }

    QVERIFY(!QuorlaIo::LeggiFileTesto(percorso).has_value());
}

void TstFileTesto::letturaGrande() {
    // 10 MB in a million lines: a reading that grows the text line by line, or
    // removes line ends one at a time from the middle, takes minutes here.
    constexpr int kRighe = 1'000'000;
    const QByteArray riga = "ab\xC3\xA8 defg\r\n"_ba; // 10 bytes, 8 characters
    const QString percorso = cartella->filePath(u"grande.txt"_s);
    QVERIFY(Crea(percorso, riga.repeated(kRighe)));
    QVERIFY(QFileInfo(percorso).size() >= 10'000'000);

    QElapsedTimer tempo;
    tempo.start();
    const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(percorso);
    const qint64 millisecondi = tempo.elapsed();

    QVERIFY(testo.has_value());
    QString atteso = u"abè defg "_s.repeated(kRighe);
    atteso.chop(1);
    QCOMPARE(testo->size(), atteso.size());
    QVERIFY(*testo == atteso);
    QVERIFY2(millisecondi < 3000, qPrintable(u"%1 ms"_s.arg(millisecondi)));
}

void TstFileTesto::tipiDiFile_data() {
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<int>("errore");
    QTest::addColumn<QString>("atteso");
    const int nessuno = int(QuorlaIo::ErroreLettura::Nessuno);
    const int nonRegolare = int(QuorlaIo::ErroreLettura::NonRegolare);

    QTest::newRow("dispositivo senza fine")
        << u"/dev/zero"_s << QByteArray() << nonRegolare << u""_s;
    QTest::newRow("FIFO senza scrittore") << u"fifo"_s << QByteArray() << nonRegolare << u""_s;
    QTest::newRow("cartella") << u"cartella"_s << QByteArray()
                              << int(QuorlaIo::ErroreLettura::Illeggibile) << u""_s;
    QTest::newRow("troppo grande")
        << u"sparso"_s << QByteArray() << int(QuorlaIo::ErroreLettura::TroppoGrande) << u""_s;
    QTest::newRow("UTF-16 LE") << u"file"_s << "\xFF\xFEp\0\xE8\0\r\0\n\0;\0"_ba << nessuno
                               << u"p\u00E8 ;"_s;
    QTest::newRow("UTF-16 BE") << u"file"_s << "\xFE\xFF\0p\0\xE8\0\n\0;"_ba << nessuno
                               << u"p\u00E8 ;"_s;
    QTest::newRow("UTF-16 LE fuori dal piano base")
        << u"file"_s << "\xFF\xFE\x3D\xD8\x00\xDE"_ba << nessuno << u"\U0001F600"_s;
    QTest::newRow("UTF-16 con byte dispari") << u"file"_s
                                             << QByteArray("\xFF\xFE"
                                                           "a\0b",
                                                           5)
                                             << nessuno << u"a\uFFFD"_s;
    QTest::newRow("UTF-32 LE") << u"file"_s << QByteArray("\xFF\xFE\0\0p\0\0\0\0\xF6\x01\0", 12)
                               << nessuno << u"p\U0001F600"_s;
    QTest::newRow("UTF-32 BE") << u"file"_s << QByteArray("\0\0\xFE\xFF\0\0\0p\0\0\0\r", 12)
                               << nessuno << u"p"_s;
    // Without a mark the bytes are 8-bit text, as always.
    QTest::newRow("UTF-16 senza BOM")
        << u"file"_s << "p\0e\0"_ba << nessuno << QString::fromUtf16(u"p\0e\0", 4);
}

void TstFileTesto::tipiDiFile() {
    QFETCH(QString, tipo);
    QFETCH(QByteArray, byte);
    QFETCH(int, errore);
    QFETCH(QString, atteso);
    QString percorso = cartella->filePath(tipo);
    if (tipo == u"fifo") {
#ifdef Q_OS_UNIX
        QVERIFY(::mkfifo(QFile::encodeName(percorso).constData(), 0600) == 0);
#else
        QSKIP("no FIFO here");
#endif
    } else if (tipo == u"cartella") {
        QVERIFY(QDir(cartella->path()).mkdir(tipo));
    } else if (tipo == u"sparso") {
        // Sparse: the size is there without the disk space.
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(QuorlaIo::LimiteLettura() + 1));
    } else if (tipo == u"file") {
        QVERIFY(Crea(percorso, byte));
    } else {
        percorso = tipo;
        if (!QFile::exists(percorso))
            QSKIP("no such device here");
    }

    QElapsedTimer tempo;
    tempo.start();
    QuorlaIo::ErroreLettura trovato = QuorlaIo::ErroreLettura::Illeggibile;
    const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(percorso, &trovato);
    QCOMPARE(int(trovato), errore);
    QCOMPARE(testo.has_value(), errore == int(QuorlaIo::ErroreLettura::Nessuno));
    if (testo)
        QCOMPARE(*testo, atteso);
    // Refused at once, not after reading.
    QVERIFY(tempo.elapsed() < 2000);
}

void TstFileTesto::scrittura_data() {
    QTest::addColumn<QByteArray>("prima"); // file already there; null: none
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("riletto");

    QTest::newRow("nuovo file") << QByteArray() << u"pera;mela"_s << "pera;mela"_ba
                                << u"pera;mela"_s;
    QTest::newRow("accenti e CR LF")
        << QByteArray() << u"caffè\r\nè €"_s << "caff\xC3\xA8\r\n\xC3\xA8 \xE2\x82\xAC"_ba
        << u"caffè è €"_s;
    QTest::newRow("CR LF finale resta uno") << QByteArray() << u"a\r\n"_s << "a\r\n"_ba << u"a"_s;
    QTest::newRow("controlli e NUL")
        << QByteArray() << QString::fromUtf16(u"a\0\x01\tb", 5) << QByteArray("a\0\x01\tb", 5)
        << QString::fromUtf16(u"a\0\x01\tb", 5);
    QTest::newRow("sovrascrive") << "un testo molto più lungo di quello nuovo\r\n"_ba << u"z"_s
                                 << "z"_ba << u"z"_s;
    QTest::newRow("testo vuoto tronca") << "vecchio"_ba << u""_s << QByteArray() << u""_s;
    QTest::newRow("testo vuoto crea") << QByteArray() << u""_s << QByteArray() << u""_s;
}

void TstFileTesto::scrittura() {
    QFETCH(QByteArray, prima);
    QFETCH(QString, testo);
    QFETCH(QByteArray, byte);
    QFETCH(QString, riletto);
    const QString percorso = cartella->filePath(u"scrittura.txt"_s);
    QFile::remove(percorso);
    if (!prima.isNull())
        QVERIFY(Crea(percorso, prima));

    QVERIFY(QuorlaIo::ScriviFileTesto(percorso, testo));
    QCOMPARE(Contenuto(percorso), byte);
    QCOMPARE(QuorlaIo::LeggiFileTesto(percorso).value_or(u"<nullopt>"_s), riletto);
    // Nothing left behind beside the target.
    QCOMPARE(QDir(cartella->path()).entryList(QDir::Files), QStringList{u"scrittura.txt"_s});
}

void TstFileTesto::scritturaImpossibile_data() {
    QTest::addColumn<QString>("relativo");
    QTest::addColumn<QString>("preparazione");

    QTest::newRow("cartella inesistente") << u"manca/file.txt"_s << u""_s;
    QTest::newRow("cartella che è un file") << u"unfile/file.txt"_s << u"file"_s;
    QTest::newRow("la destinazione è una cartella") << u"unacartella"_s << u"cartella"_s;
}

void TstFileTesto::scritturaImpossibile() {
    QFETCH(QString, relativo);
    QFETCH(QString, preparazione);
    const QTemporaryDir& qui = *cartella;
    if (preparazione == u"file")
        QVERIFY(Crea(qui.filePath(u"unfile"_s), "contenuto"));
    if (preparazione == u"cartella") {
        QVERIFY(QDir(qui.path()).mkpath(u"unacartella/dentro"_s));
    }
    const QStringList primaDi = QDir(qui.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QVERIFY(!QuorlaIo::ScriviFileTesto(qui.filePath(relativo), u"testo"_s));

    // Whatever was there is untouched and nothing new appeared.
    QCOMPARE(QDir(qui.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), primaDi);
    if (preparazione == u"file")
        QCOMPARE(Contenuto(qui.filePath(u"unfile"_s)), "contenuto"_ba);
    if (preparazione == u"cartella")
        QVERIFY(QFileInfo(qui.filePath(u"unacartella/dentro"_s)).isDir());
}

void TstFileTesto::scritturaInterrottaLasciaIntatto() {
#ifdef Q_OS_UNIX
    // A file size limit makes the write fail halfway even for root, like a
    // full disk would: the existing target must survive as it was.
    const QString percorso = cartella->filePath(u"intatto.txt"_s);
    const QByteArray vecchio = "contenuto da non perdere\r\n"_ba;
    QVERIFY(Crea(percorso, vecchio));

    rlimit limite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const rlimit originale = limite;
    limite.rlim_cur = 4096;
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool scritto = QuorlaIo::ScriviFileTesto(percorso, u"x"_s.repeated(1'000'000));
    setrlimit(RLIMIT_FSIZE, &originale);
    std::signal(SIGXFSZ, segnale);

    QVERIFY(!scritto);
    QCOMPARE(Contenuto(percorso), vecchio);
    QCOMPARE(QDir(cartella->path()).entryList(QDir::Files), QStringList{u"intatto.txt"_s});
#else
    QSKIP("needs a file size limit to make the write fail");
#endif
}

QTEST_GUILESS_MAIN(TstFileTesto)
#include "tst_FileTesto.moc"
