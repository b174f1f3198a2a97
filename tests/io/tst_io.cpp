// Reading and saving text files, and starting the system's text editor.
#include "BloccoNote.h"
#include "FileTesto.h"
#include "ScritturaFlusso.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
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
template <typename F> bool DaProprietario(bool serve, const QStringList& percorsi, F salva) {
    if (!serve || ::geteuid() != 0)
        return salva();
    constexpr uid_t kNessuno = 65534;
    for (const QString& p : percorsi)
        if (QFile::exists(p) && ::chown(QFile::encodeName(p).constData(), kNessuno, kNessuno) != 0)
            return false;
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const bool utente = ::setgroups(0, nullptr) == 0 && ::setgid(kNessuno) == 0;
        ::_exit(utente && ::setuid(kNessuno) == 0 && salva() ? 0 : 1);
    }
    int stato = 0;
    return figlio > 0 && ::waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato) &&
           WEXITSTATUS(stato) == 0;
}

} // namespace

class TstIo : public QObject {
    Q_OBJECT

private slots:
    void lettura_data();
    void lettura();
    void scrittura_data();
    void scrittura();
    void editor_data();
    void editor();
};

void TstIo::lettura_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QString>("spazio"); // line ends as spaces
    QTest::addColumn<QString>("righe");  // line ends as CR LF; null: as spazio
    QTest::addColumn<ErroreLettura>("errore");
    auto riga = [](const char* nome, const QByteArray& byte, const QString& spazio,
                   const QString& righe = {}, ErroreLettura errore = ErroreLettura::Nessuno) {
        QTest::newRow(nome) << byte << spazio << (righe.isNull() ? spazio : righe) << errore;
    };
    riga("vuoto", "", u""_s);
    riga("CR LF", "abc\r\ndef\r\n", u"abc def"_s, u"abc\r\ndef"_s);
    riga("misti", "a\r\nb\rc\nd", u"a b c d"_s, u"a\r\nb\r\nc\r\nd"_s);
    riga("CR finale", "a\rb\r", u"a b"_s, u"a\r\nb"_s);
    riga("LF CR sono due", "a\n\rb", u"a  b"_s, u"a\r\n\r\nb"_s);
    riga("cade solo l'ultimo", "a\n\n", u"a "_s, u"a\r\n"_s);
    riga("solo un fine riga", "\r\n", u""_s);
    riga("solo fine riga", "\n\r\n\r", u"  "_s, u"\r\n\r\n"_s);
    riga("UTF-8", "perché\r\n\xF0\x9F\x98\x80", u"perché \U0001F600"_s, u"perché\r\n\U0001F600"_s);
    riga("BOM UTF-8", "\xEF\xBB\xBFxy\n", u"xy"_s);
    riga("Windows-1252", "caff\xE8 \x80\r\n\x93x\x94", u"caffè € “x”"_s, u"caffè €\r\n“x”"_s);
    riga("1252 indefiniti e alti", "\x81\x8D\x8F\x90\x9D\x9F\xA0\xFF",
         u"\u0081\u008D\u008F\u0090\u009D\u0178\u00A0\u00FF"_s);
    // One invalid byte makes the whole file Windows-1252, valid UTF-8 included.
    riga("UTF-8 misto a 1252", "caf\xC3\xA9\n\xE8", u"cafÃ© è"_s, u"cafÃ©\r\nè"_s);
    riga("UTF-8 troncato", "abc\xC3", u"abcÃ"_s);
    riga("BOM poi 1252", "\xEF\xBB\xBF\xE8", u"è"_s);
    riga("NUL e controlli", "a\0b\x01\x1B\x7F\t\xE8"_ba,
         QString::fromUtf16(u"a\0b\x01\x1B\x7F\tè", 8));
    riga("UTF-16 LE", "\xFF\xFEp\0\xE8\0\r\0\n\0;\0"_ba, u"pè ;"_s, u"pè\r\n;"_s);
    riga("UTF-16 BE", "\xFE\xFF\0p\0\xE8\0\n\0;"_ba, u"pè ;"_s, u"pè\r\n;"_s);
    riga("UTF-16 surrogati", "\xFF\xFE\x3D\xD8\0\xDE"_ba, u"\U0001F600"_s);
    riga("UTF-16 byte dispari", "\xFF\xFEz\0y"_ba, u"z\uFFFD"_s);
    riga("UTF-32 LE", "\xFF\xFE\0\0p\0\0\0\0\xF6\x01\0"_ba, u"p\U0001F600"_s);
    riga("UTF-32 BE", "\0\0\xFE\xFF\0\0\0p\0\0\0\r\0\0\0q"_ba, u"p q"_s, u"p\r\nq"_s);
    // Rows named by a path: no FIFO nor device is opened; reading address 0 of
    // the own memory fails; a file reporting no size is still read to its end.
    riga("fifo", {}, {}, {}, ErroreLettura::NonRegolare);
    riga("/dev/zero", {}, {}, {}, ErroreLettura::NonRegolare);
    riga("/proc/self/mem", {}, {}, {}, ErroreLettura::Illeggibile);
    const QString argv = QCoreApplication::arguments().join(QChar(0)) + QChar(0);
    riga("/proc/self/cmdline", argv.toLocal8Bit(), argv);
}
void TstIo::lettura() {
    const QTemporaryDir cartella;
    QFETCH(QByteArray, byte);
    QFETCH(QString, spazio);
    QFETCH(QString, righe);
    QFETCH(ErroreLettura, errore);
    QString percorso = QString::fromLatin1(QTest::currentDataTag());
    if (percorso == u"fifo")
        QVERIFY(::mkfifo(QFile::encodeName(percorso = cartella.filePath(percorso)), 0600) == 0);
    else if (!percorso.startsWith(u'/'))
        QVERIFY(Crea(percorso = cartella.filePath(u"f.txt"_s), byte));
    ErroreLettura trovato = ErroreLettura::TroppoGrande;
    QCOMPARE(QuorlaIo::LeggiFileTesto(percorso, &trovato).has_value(), !righe.isNull());
    QCOMPARE(trovato, errore);
    if (righe.isNull())
        return;
    // Lf is CrLf with one LF for each line end.
    const QString lf = QString(righe).replace(u"\r\n"_s, u"\n"_s);
    for (const auto& [modo, atteso] :
         {std::pair{FineRiga::Spazio, spazio}, std::pair{FineRiga::CrLf, righe},
          std::pair{FineRiga::Lf, lf}}) {
        QCOMPARE(QuorlaIo::DecodificaTesto(byte, modo), atteso);
        QCOMPARE(QuorlaIo::LeggiFileTesto(percorso, nullptr, modo).value_or(u"!"_s), atteso);
    }
}

void TstIo::scrittura_data() {
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QByteArray>("prima");  // the target before; null: none
    QTest::addColumn<QStringList>("pezzi"); // the text, as it reaches the writer
    QTest::addColumn<QByteArray>("byte");   // the target after; null: the save fails
    QTest::addColumn<QString>("caso");
    auto riga = [](const char* nome, const QByteArray& prima, const QStringList& pezzi,
                   const QByteArray& byte, const QString& caso = {},
                   const QString& f = u"f.txt"_s) {
        QTest::newRow(nome) << f << prima << pezzi << byte << caso;
    };
    const QByteArray vecchio = "contenuto da non perdere"_ba;
    riga("nuovo", {}, {u"pera;"_s, u"mela"_s}, "pera;mela");
    // A character outside the basic plane cut between two pieces.
    riga("surrogati divisi", {}, {QString(QChar(0xD83D)), QChar(0xDE00) + u"!"_s},
         "\xF0\x9F\x98\x80!");
    riga("cartella inesistente", {}, {u"x"_s}, {}, {}, u"no/f.txt"_s);
    // A file size limit stops the write midway even for root, as a full disk.
    riga("scrittura interrotta", vecchio, {u"x"_s.repeated(100'000), u"y"_s}, {}, u"limite"_s);
    // No temporary file fits in the folder: a whole text is written in place,
    // a text in pieces is not saved at all.
    riga("cartella non scrivibile", vecchio, {u"mela"_s}, "mela", u"sola lettura"_s);
    riga("cartella non scrivibile, file nuovo", {}, {u"x"_s}, {}, u"sola lettura"_s);
}
void TstIo::scrittura() {
    const QTemporaryDir cartella;
    QFETCH(QString, percorso);
    QFETCH(QByteArray, prima);
    QFETCH(QStringList, pezzi);
    QFETCH(QByteArray, byte);
    QFETCH(QString, caso);
    const QDir qui(cartella.path());
    percorso = qui.filePath(percorso);
    rlimit senzaLimite{};
    getrlimit(RLIMIT_FSIZE, &senzaLimite);
    const rlimit limite{4096, senzaLimite.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);

    // 0: ScriviFileTesto; 1: ScrittoreFileTesto, closed; 2: the same, dropped.
    for (int modo = 0; modo < 3; ++modo) {
        QFile::remove(percorso);
        QVERIFY(prima.isNull() || Crea(percorso, prima));
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
        QCOMPARE(qui.entryList({u"*.??????"_s}), QStringList()); // no temporary file left
    }
}

void TstIo::editor_data() {
    QTest::addColumn<QStringList>("presenti"); // stand-ins on PATH; "!": not executable
    QTest::addColumn<QByteArray>("argomenti"); // of the one started; null: none

    // Each gets what opens a new window with an empty document, and no file.
    for (const QByteArray& voce :
         "gnome-text-editor --new-window --ignore-session,gedit --new-window,kate --startanon,"
         "kwrite,mousepad --disable-server,xed,pluma --new-window,featherpad --win,leafpad,"
         "geany --new-instance --no-session"_ba.split(',')) {
        QByteArrayList parole = voce.split(' ');
        const QByteArray nome = parole.takeFirst();
        QTest::newRow(nome.constData())
            << QStringList{QString::fromLatin1(nome)}
            << (QByteArrayList{QByteArray::number(parole.size())} + parole).join('\n') + '\n';
    }
    QTest::newRow("il primo") << QStringList{u"kate"_s, u"gedit"_s} << "1\n--new-window\n"_ba;
    QTest::newRow("non eseguibile") << QStringList{u"gedit!"_s} << QByteArray();
    // This one stays alive a while, as an editor would.
    QTest::newRow("senza aspettarlo") << QStringList{u"gedit"_s} << "1\n--new-window\n"_ba;
}
void TstIo::editor() {
    const QTemporaryDir cartella;
    QFETCH(QStringList, presenti);
    QFETCH(QByteArray, argomenti);
    const double attesa = QTest::currentDataTag() == "senza aspettarlo"_ba ? 0.3 : 0;
    const QDir qui(cartella.path());
    // Notes its arguments, then its end.
    for (QString nome : presenti) {
        const bool eseguibile = !nome.endsWith(u'!');
        QFile script(qui.filePath(nome.remove(u'!')));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            u"#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > %1/args\n/bin/sleep %2\n: > %1/fine\n"_s
                .arg(qui.path())
                .arg(attesa)
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
    QVERIFY(QTest::qWaitFor([&] { return Contenuto(qui.filePath(u"args"_s)) == argomenti; }));
    // Let it end before its folder goes away.
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(qui.filePath(u"fine"_s)); }));
}

QTEST_GUILESS_MAIN(TstIo)
#include "tst_io.moc"
