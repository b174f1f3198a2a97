// Reading and saving text files, and starting the system's text editor.
#include "BloccoNote.h"
#include "FileTesto.h"
#include "ScritturaFlusso.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <grp.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using QuorlaIo::ErroreLettura;
using QuorlaIo::FineRiga;

namespace {

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

// Root writes into any folder: a save into a read-only one runs in a child
// that has given up root for the owner of the folder and of the file.
bool DaProprietario(bool serve, const QStringList& percorsi, const std::function<bool()>& salva) {
    if (!serve || ::geteuid() != 0)
        return salva();
    constexpr uid_t kNessuno = 65534;
    for (const QString& p : percorsi) {
        if (QFile::exists(p) && ::chown(QFile::encodeName(p).constData(), kNessuno, kNessuno) != 0)
            return false;
    }
    const pid_t figlio = ::fork();
    if (figlio == 0)
        ::_exit(::setgroups(0, nullptr) == 0 && ::setgid(kNessuno) == 0 &&
                        ::setuid(kNessuno) == 0 && salva()
                    ? 0
                    : 1);
    int stato = 0;
    return figlio > 0 && ::waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato) &&
           WEXITSTATUS(stato) == 0;
}

} // namespace

class TstIo : public QObject {
    Q_OBJECT

private slots:
    void init() {
        cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(cartella->isValid());
    }
    void lettura_data();
    void lettura();
    void letturaRifiutata_data();
    void letturaRifiutata();
    void scrittura_data();
    void scrittura();
    void editor_data();
    void editor();

private:
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstIo::lettura_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("spazio"); // line ends as spaces
    QTest::addColumn<QString>("righe");  // line ends as CR LF
    auto riga = [](const char* nome, const QByteArray& byte, const QString& spazio,
                   const QString& righe) { QTest::newRow(nome) << byte << spazio << righe; };

    riga("vuoto", "", u""_s, u""_s);
    riga("CR LF", "abc\r\ndef\r\n", u"abc def"_s, u"abc\r\ndef"_s);
    riga("misti", "a\r\nb\rc\nd", u"a b c d"_s, u"a\r\nb\r\nc\r\nd"_s);
    riga("CR finale", "a\rb\r", u"a b"_s, u"a\r\nb"_s);
    riga("LF CR sono due", "a\n\rb", u"a  b"_s, u"a\r\n\r\nb"_s);
    riga("cade solo l'ultimo", "a\n\n", u"a "_s, u"a\r\n"_s);
    riga("solo un fine riga", "\r\n", u""_s, u""_s);
    riga("solo fine riga", "\n\r\n\r", u"  "_s, u"\r\n\r\n"_s);
    riga("spazi restano", " a \r\n b ", u" a   b "_s, u" a \r\n b "_s);
    riga("UTF-8", "perché\r\n\xF0\x9F\x98\x80", u"perché \U0001F600"_s, u"perché\r\n\U0001F600"_s);
    riga("BOM UTF-8",
         "\xEF\xBB\xBF"
         "abc\n",
         u"abc"_s, u"abc"_s);
    riga("solo BOM", "\xEF\xBB\xBF", u""_s, u""_s);
    riga("Windows-1252", "caff\xE8 \x80\r\n\x93x\x94", u"caffè € “x”"_s, u"caffè €\r\n“x”"_s);
    riga("1252 indefiniti e alti", "\x81\x8D\x8F\x90\x9D\x9F\xA0\xFF",
         u"\u0081\u008D\u008F\u0090\u009D\u0178\u00A0\u00FF"_s,
         u"\u0081\u008D\u008F\u0090\u009D\u0178\u00A0\u00FF"_s);
    // One invalid byte makes the whole file Windows-1252, valid UTF-8 included.
    riga("UTF-8 misto a 1252", "caf\xC3\xA9\n\xE8", u"cafÃ© è"_s, u"cafÃ©\r\nè"_s);
    riga("UTF-8 troncato", "abc\xC3", u"abcÃ"_s, u"abcÃ"_s);
    riga("BOM poi 1252", "\xEF\xBB\xBF\xE8", u"è"_s, u"è"_s);
    const QString nul = QString::fromUtf16(u"a\0b\x01\x1B\x7F\tè", 8);
    riga("NUL e controlli", QByteArray("a\0b\x01\x1B\x7F\t\xE8", 8), nul, nul);
    riga("UTF-16 LE", "\xFF\xFEp\0\xE8\0\r\0\n\0;\0"_ba, u"pè ;"_s, u"pè\r\n;"_s);
    riga("UTF-16 BE", "\xFE\xFF\0p\0\xE8\0\n\0;"_ba, u"pè ;"_s, u"pè\r\n;"_s);
    riga("UTF-16 surrogati", QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6), u"\U0001F600"_s,
         u"\U0001F600"_s);
    riga("UTF-16 byte dispari",
         QByteArray("\xFF\xFE"
                    "a\0b",
                    5),
         u"a\uFFFD"_s, u"a\uFFFD"_s);
    riga("UTF-32 LE", QByteArray("\xFF\xFE\0\0p\0\0\0\0\xF6\x01\0", 12), u"p\U0001F600"_s,
         u"p\U0001F600"_s);
    riga("UTF-32 BE", QByteArray("\0\0\xFE\xFF\0\0\0p\0\0\0\r\0\0\0q", 16), u"p q"_s, u"p\r\nq"_s);
    // Without a mark the bytes are 8-bit text.
    riga("UTF-16 senza BOM", "p\0e\0"_ba, QString::fromUtf16(u"p\0e\0", 4),
         QString::fromUtf16(u"p\0e\0", 4));
}

void TstIo::lettura() {
    QFETCH(QByteArray, byte);
    QFETCH(QString, spazio);
    QFETCH(QString, righe);
    const QString percorso = cartella->filePath(u"lettura.txt"_s);
    QVERIFY(Crea(percorso, byte));
    // Lf is CrLf with one LF for each line end.
    const QString lf = QString(righe).replace(u"\r\n"_s, u"\n"_s);
    for (const auto& [modo, atteso] :
         {std::pair{FineRiga::Spazio, spazio}, std::pair{FineRiga::CrLf, righe},
          std::pair{FineRiga::Lf, lf}}) {
        QCOMPARE(QuorlaIo::DecodificaTesto(byte, modo), atteso);
        QCOMPARE(QuorlaIo::LeggiFileTesto(percorso, nullptr, modo).value_or(u"<nullopt>"_s),
                 atteso);
    }
}

void TstIo::letturaRifiutata_data() {
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<ErroreLettura>("errore");
    QTest::newRow("inesistente") << u"manca"_s << ErroreLettura::Illeggibile;
    QTest::newRow("cartella") << u"."_s << ErroreLettura::Illeggibile;
    QTest::newRow("troppo grande") << u"sparso"_s << ErroreLettura::TroppoGrande;
    QTest::newRow("FIFO senza scrittore") << u"fifo"_s << ErroreLettura::NonRegolare;
    QTest::newRow("dispositivo senza fine") << u"/dev/zero"_s << ErroreLettura::NonRegolare;
    // Opens fine, but reading address 0 of its own memory fails.
    QTest::newRow("errore di lettura") << u"/proc/self/mem"_s << ErroreLettura::Illeggibile;
    // Reports no size, and is read to its end all the same.
    QTest::newRow("senza dimensione") << u"/proc/self/cmdline"_s << ErroreLettura::Nessuno;
}

void TstIo::letturaRifiutata() {
    QFETCH(QString, percorso);
    QFETCH(ErroreLettura, errore);
    if (!percorso.startsWith(u'/'))
        percorso = cartella->filePath(percorso);
    QVERIFY(::mkfifo(QFile::encodeName(cartella->filePath(u"fifo"_s)).constData(), 0600) == 0);
    // Sparse: the size is there without the disk space.
    QFile sparso(cartella->filePath(u"sparso"_s));
    QVERIFY(sparso.open(QIODevice::WriteOnly) && sparso.resize(QuorlaIo::LimiteLettura() + 1));

    QElapsedTimer tempo;
    tempo.start();
    ErroreLettura trovato = ErroreLettura::TroppoGrande;
    const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(percorso, &trovato);
    QCOMPARE(trovato, errore);
    QCOMPARE(testo.has_value(), errore == ErroreLettura::Nessuno);
    if (testo)
        QCOMPARE(*testo,
                 QuorlaIo::DecodificaTesto(
                     QCoreApplication::arguments().join(QChar(0)).append(QChar(0)).toLocal8Bit()));
    QVERIFY(tempo.elapsed() < 2000); // refused at once, not after reading
}

void TstIo::scrittura_data() {
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QByteArray>("prima");  // the target before; null: none
    QTest::addColumn<QStringList>("pezzi"); // the text, as it reaches the writer
    QTest::addColumn<QByteArray>("byte");   // the target after; null: the save fails
    QTest::addColumn<QString>("caso");
    const QByteArray vecchio = "contenuto da non perdere"_ba;
    const QString f = u"f.txt"_s;

    QTest::newRow("nuovo") << f << QByteArray() << QStringList{u"pera;"_s, u"mela"_s}
                           << "pera;mela"_ba << u""_s;
    QTest::newRow("accenti e CR LF") << f << QByteArray() << QStringList{u"caffè\r\n"_s, u"€"_s}
                                     << "caff\xC3\xA8\r\n\xE2\x82\xAC"_ba << u""_s;
    QTest::newRow("NUL") << f << QByteArray() << QStringList{QString(QChar(0)) + u"\x01"_s}
                         << QByteArray("\0\x01", 2) << u""_s;
    // A character outside the basic plane cut between two pieces.
    QTest::newRow("surrogati divisi")
        << f << QByteArray() << QStringList{QString(QChar(0xD83D)), QChar(0xDE00) + u"!"_s}
        << "\xF0\x9F\x98\x80!"_ba << u""_s;
    QTest::newRow("sovrascrive") << f << vecchio << QStringList{u"z"_s} << "z"_ba << u""_s;
    QTest::newRow("vuoto tronca") << f << vecchio << QStringList() << ""_ba << u""_s;
    QTest::newRow("vuoto crea") << f << QByteArray() << QStringList() << ""_ba << u""_s;
    QTest::newRow("cartella inesistente")
        << u"no/f.txt"_s << QByteArray() << QStringList{u"x"_s} << QByteArray() << u""_s;
    QTest::newRow("cartella che è un file")
        << u"unfile/f.txt"_s << QByteArray() << QStringList{u"x"_s} << QByteArray() << u""_s;
    QTest::newRow("destinazione cartella")
        << u"unacartella"_s << QByteArray() << QStringList{u"x"_s} << QByteArray() << u""_s;
    // A file size limit stops the write midway even for root, as a full disk.
    QTest::newRow("scrittura interrotta")
        << f << vecchio << QStringList{u"x"_s.repeated(100'000), u"y"_s} << QByteArray()
        << u"limite"_s;
    // No temporary file fits in the folder: a whole text is written in place,
    // a text in pieces is not saved at all.
    QTest::newRow("cartella non scrivibile")
        << f << vecchio << QStringList{u"mela"_s} << "mela"_ba << u"sola lettura"_s;
    QTest::newRow("cartella non scrivibile, file nuovo")
        << f << QByteArray() << QStringList{u"x"_s} << QByteArray() << u"sola lettura"_s;
}

void TstIo::scrittura() {
    QFETCH(QString, percorso);
    QFETCH(QByteArray, prima);
    QFETCH(QStringList, pezzi);
    QFETCH(QByteArray, byte);
    QFETCH(QString, caso);
    const QDir qui(cartella->path());
    percorso = qui.filePath(percorso);
    QVERIFY(Crea(qui.filePath(u"unfile"_s), "unfile") && qui.mkpath(u"unacartella/dentro"_s));
    rlimit senzaLimite{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &senzaLimite), 0);
    const rlimit limite{4096, senzaLimite.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    auto voci = [&qui] { // all but the target
        QStringList v = qui.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        v.removeOne(u"f.txt"_s);
        return v;
    };

    // 0: ScriviFileTesto; 1: ScrittoreFileTesto, closed; 2: the same, dropped.
    for (int modo = 0; modo < 3; ++modo) {
        QFile::remove(percorso);
        QVERIFY(prima.isNull() || Crea(percorso, prima));
        const QStringList primaDi = voci();
        const bool solaLettura = caso == u"sola lettura";
        if (solaLettura)
            QVERIFY(QFile::setPermissions(qui.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (caso == u"limite")
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        const bool salvato = DaProprietario(solaLettura, {qui.path(), percorso}, [&] {
            if (modo == 0)
                return QuorlaIo::ScriviFileTesto(percorso, pezzi.join(QString()));
            QuorlaIo::ScrittoreFileTesto scrittore(percorso);
            if (!scrittore.apri())
                return false;
            for (const QString& p : pezzi)
                scrittore.scrivi(p);
            // Nothing replaces the target before the end.
            return Contenuto(percorso) == prima && modo == 1 && scrittore.chiudi();
        });
        setrlimit(RLIMIT_FSIZE, &senzaLimite);
        QFile::setPermissions(qui.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const bool riesce = !byte.isNull() && modo < (solaLettura ? 1 : 2);
        QCOMPARE(salvato, riesce);
        QCOMPARE(Contenuto(percorso), riesce ? byte : prima);
        QCOMPARE(voci(), primaDi);
    }
}

void TstIo::editor_data() {
    QTest::addColumn<QStringList>("presenti"); // stand-ins on PATH; "!": not executable
    QTest::addColumn<QByteArray>("argomenti"); // of the one started; null: none
    QTest::addColumn<int>("attesa");           // ms the stand-in stays alive

    // Each gets what opens a new window with an empty document, and no file.
    for (const auto& [editor, argomenti] :
         std::initializer_list<std::pair<const char*, QByteArray>>{
             {"gnome-text-editor", "2\n--new-window\n--ignore-session\n"},
             {"gedit", "1\n--new-window\n"},
             {"kate", "1\n--startanon\n"},
             {"kwrite", "0\n"},
             {"mousepad", "1\n--disable-server\n"},
             {"xed", "0\n"},
             {"pluma", "1\n--new-window\n"},
             {"featherpad", "1\n--win\n"},
             {"leafpad", "0\n"},
             {"geany", "2\n--new-instance\n--no-session\n"}})
        QTest::newRow(editor) << QStringList{QString::fromLatin1(editor)} << argomenti << 0;
    QTest::newRow("il primo dell'elenco")
        << QStringList{u"geany"_s, u"gedit"_s, u"kate"_s} << "1\n--new-window\n"_ba << 0;
    QTest::newRow("nessuno") << QStringList() << QByteArray() << 0;
    QTest::newRow("non eseguibile") << QStringList{u"gedit!"_s} << QByteArray() << 0;
    QTest::newRow("senza aspettarlo") << QStringList{u"gedit"_s} << "1\n--new-window\n"_ba << 500;
}

void TstIo::editor() {
    QFETCH(QStringList, presenti);
    QFETCH(QByteArray, argomenti);
    QFETCH(int, attesa);
    const QDir qui(cartella->path());
    // Notes its arguments, stays alive a while as an editor would, notes its end.
    for (QString nome : presenti) {
        const bool eseguibile = !nome.endsWith(u'!');
        QFile script(qui.filePath(nome.remove(u'!')));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(u"#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > %1/args.tmp\n/bin/mv %1/args.tmp "
                     "%1/args\n/bin/sleep %2\n: > %1/fine\n"_s.arg(qui.path())
                         .arg(attesa / 1000.0)
                         .toUtf8());
        QVERIFY(script.setPermissions(eseguibile ? QFile::ReadOwner | QFile::ExeOwner
                                                 : QFile::ReadOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", qui.path().toLocal8Bit()); // nothing else is found
    const bool avviato = QuorlaIo::AvviaBloccoNote();
    qputenv("PATH", path);

    QCOMPARE(avviato, !argomenti.isNull());
    if (!avviato)
        return;
    // Back while the editor still runs.
    QVERIFY(attesa == 0 || !QFile::exists(qui.filePath(u"fine"_s)));
    QTRY_COMPARE_WITH_TIMEOUT(Contenuto(qui.filePath(u"args"_s)), argomenti, 10000);
    // Let it end before its folder goes away.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(qui.filePath(u"fine"_s)), 10000);
}

QTEST_GUILESS_MAIN(TstIo)
#include "tst_io.moc"
