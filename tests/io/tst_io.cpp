// Reading and saving text files, and starting the system's text editor.
#include "BloccoNote.h"
#include "FileTesto.h"
#include "Scrittore.h"

#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using QuorlaIo::CausaScrittura;
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

// Root writes anywhere: a save that must meet a user's permissions runs, under root, in a child
// become the user nobody. Returns what salva returns, below 255.
template <typename F> int DaUtente(bool serve, F salva) {
    if (!serve || ::geteuid() != 0)
        return salva();
    constexpr uid_t kNessuno = 65534;
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const bool utente = ::setgroups(0, nullptr) == 0 && ::setgid(kNessuno) == 0;
        ::_exit(utente && ::setuid(kNessuno) == 0 ? salva() : 255);
    }
    int stato = 0;
    return figlio > 0 && ::waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato)
               ? WEXITSTATUS(stato)
               : -1;
}

struct stat Nodo(const QString& percorso) {
    struct stat st {};
    ::lstat(QFile::encodeName(percorso).constData(), &st);
    return st;
}

} // namespace

class TstIo : public QObject {
    Q_OBJECT
private slots:
    void lettura_data() {
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
        riga("solo fine riga", "\n\r\n\r", u"  "_s, u"\r\n\r\n"_s);
        riga("UTF-8", "perché\r\n\xF0\x9F\x98\x80", u"perché \U0001F600"_s,
             u"perché\r\n\U0001F600"_s);
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
        // By path: no FIFO nor device opened; memory unreadable; a file of no size read whole.
        riga("fifo", {}, {}, {}, ErroreLettura::NonRegolare);
        riga("/dev/zero", {}, {}, {}, ErroreLettura::NonRegolare);
        riga("/proc/self/mem", {}, {}, {}, ErroreLettura::Illeggibile);
        const QString argv = QCoreApplication::arguments().join(QChar(0)) + QChar(0);
        riga("/proc/self/cmdline", argv.toLocal8Bit(), argv);
    }
    void lettura() {
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
             {std::pair{FineRiga::Spazio, spazio}, {FineRiga::CrLf, righe}, {FineRiga::Lf, lf}}) {
            QCOMPARE(QuorlaIo::DecodificaTesto(byte, modo), atteso);
            QCOMPARE(QuorlaIo::LeggiFileTesto(percorso, nullptr, modo).value_or(u"!"_s), atteso);
        }
    }
    void initTestCase() {
        // New files get 0644; a size limit or a reader gone end a write with an error, no signal.
        ::umask(022);
        std::signal(SIGXFSZ, SIG_IGN);
        std::signal(SIGPIPE, SIG_IGN);
    }
    void scrittura_data() {
        QTest::addColumn<QString>("bersaglio"); // what stands at the path before
        QTest::addColumn<int>("permessi");      // of the file before
        QTest::addColumn<QString>("caso");      // how the save runs
        QTest::addColumn<QStringList>("pezzi"); // the text, as it reaches the writer
        QTest::addColumn<CausaScrittura>("causa");
        QTest::addColumn<QByteArray>("dopo"); // the file after a failure; null: as before
        auto riga = [](const char* nome, const char* bersaglio, const QStringList& pezzi,
                       CausaScrittura causa = CausaScrittura::Nessuna, const char* caso = "",
                       int permessi = 0644, const QByteArray& dopo = {}) {
            QTest::newRow(nome) << QString::fromLatin1(bersaglio) << permessi
                                << QString::fromLatin1(caso) << pezzi << causa << dopo;
        };
        const QStringList grande = {u"x"_s.repeated(100'000), u"y"_s};
        riga("nuovo", "nuovo", {u"pera;"_s, u"mela"_s});
        riga("sostituito, permessi tenuti", "file", {u"mela"_s}, {}, "", 0640);
        riga("set-gid tenuto", "file", {u"mela"_s}, {}, "", 02750);
        riga("set-gid tenuto in posto", "collegato", {u"mela"_s}, {}, "", 02750);
        // A character beyond U+FFFF cut between two pieces, and by the writer's own slicing.
        riga("surrogati divisi", "nuovo", {QString(QChar(0xD83D)), QChar(0xDE00) + u"!"_s});
        riga("fetta a metà di un carattere", "nuovo",
             {u"x"_s.repeated((1 << 20) - 1) + u"\U0001F600!"_s});
        // A file size limit stops the write midway even for root, as a full disk.
        riga("scrittura interrotta", "file", grande, CausaScrittura::FileTroppoGrande, "limite");
        // No temporary file fits in the folder: the file is written in place.
        riga("cartella non scrivibile", "file", {u"mela"_s}, {}, "sola lettura", 0604);
        riga("cartella non scrivibile, file nuovo", "nuovo", {u"x"_s},
             CausaScrittura::PermessoNegato, "sola lettura");
        riga("444 rifiutato", "file", {u"x"_s}, CausaScrittura::PermessoNegato, "utente", 0444);
        riga("444 da root", "file", {u"x"_s}, {}, "root", 0444);
        riga("proprietario tenuto", "file", {u"x"_s}, {}, "proprietario", 0640);
        // Every name of the file sees the new text, or what a failure left.
        riga("collegamenti", "collegato", {u"pera;"_s, u"mela"_s});
        riga("collegamenti, scrittura interrotta", "collegato", grande,
             CausaScrittura::FileTroppoGrande, "limite", 0644, QByteArray(4096, 'x'));
        riga("collegamento simbolico", "simbolico", {u"mela"_s});
        riga("collegamento simbolico a un file che non c'è", "pendente", {u"mela"_s});
        // Larger than a pipe holds: the writer waits for the reader.
        riga("fifo", "fifo", {u"a"_s.repeated(200'000), u";b"_s});
        // Dropped: nothing replaces the file; in place, it changed only once written ("*").
        const QStringList poco{u"z"_s.repeated(10)}, molto{u"z"_s.repeated(200'000)};
        riga("annullato, nuovo", "nuovo", poco, {}, "annulla");
        riga("annullato, sostituito", "file", molto, {}, "annulla");
        riga("annullato in posto, ancora da scrivere", "collegato", poco, {}, "annulla");
        riga("annullato in posto, già scritto", "collegato", molto, {}, "annulla", 0644, "*"_ba);
    }
    void scrittura() {
        QFETCH(QString, bersaglio);
        QFETCH(int, permessi);
        QFETCH(QString, caso);
        QFETCH(QStringList, pezzi);
        QFETCH(CausaScrittura, causa);
        QFETCH(QByteArray, dopo);
        const bool root = ::geteuid() == 0;
        if ((caso == u"root" || caso == u"proprietario") && !root)
            QSKIP("only root writes a file without write permission or gives one to another user");
        const QTemporaryDir cartella;
        const QDir qui(cartella.path());
        const QString f = qui.filePath(u"f.txt"_s), g = qui.filePath(u"g.txt"_s);
        const QByteArray nomeF = QFile::encodeName(f);
        QString percorso = f;
        const QByteArray prima = bersaglio == u"nuovo" || bersaglio == u"pendente"
                                     ? QByteArray()
                                     : "contenuto da non perdere"_ba;
        const QByteArray testo = pezzi.join(QString()).toUtf8();

        // The causes of failures that need no more than a path: tst_cli.
        if (bersaglio == u"fifo") {
            QCOMPARE(::mkfifo(nomeF.constData(), 0600), 0);
        } else if (bersaglio == u"pendente") {
            QVERIFY(QFile::link(u"f.txt"_s, percorso = qui.filePath(u"l.txt"_s)));
        } else if (!prima.isNull()) {
            QVERIFY(Crea(f, prima) && ::chmod(nomeF.constData(), mode_t(permessi)) == 0);
            if (bersaglio == u"collegato")
                QCOMPARE(::link(nomeF.constData(), QFile::encodeName(g).constData()), 0);
            if (bersaglio == u"simbolico")
                QVERIFY(QFile::link(u"f.txt"_s, percorso = qui.filePath(u"l.txt"_s)));
        }
        const bool daUtente = caso == u"utente" || caso == u"sola lettura";
        if (caso == u"proprietario" || (daUtente && root)) {
            const uid_t chi = caso == u"proprietario" ? 4321 : 65534;
            QVERIFY(::chown(QFile::encodeName(qui.path()).constData(), chi, chi) == 0 &&
                    (prima.isNull() || ::chown(nomeF.constData(), chi, chi) == 0));
        }
        const struct stat nodoPrima = Nodo(f);

        // The FIFO's reader, open before the writer so that neither waits, reads to its close.
        int lettore = -1;
        std::atomic<bool> chiuso = false;
        QByteArray letto;
        std::thread filo;
        if (bersaglio == u"fifo") {
            QVERIFY((lettore = ::open(nomeF.constData(), O_RDONLY | O_NONBLOCK)) >= 0);
            filo = std::thread([&] {
                char pezzo[4096];
                for (;;) {
                    const bool finito = chiuso;
                    const ssize_t n = ::read(lettore, pezzo, sizeof pezzo);
                    if (n > 0)
                        letto.append(pezzo, n);
                    else if (finito)
                        break;
                    else
                        ::usleep(1000);
                }
            });
        }
        if (caso == u"sola lettura")
            QVERIFY(QFile::setPermissions(qui.path(), QFile::ReadOwner | QFile::ExeOwner));
        rlimit senzaLimite{};
        ::getrlimit(RLIMIT_FSIZE, &senzaLimite);
        const rlimit limite{4096, senzaLimite.rlim_max};
        if (caso == u"limite")
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limite), 0);
        // The cause, success and intatto() packed into an exit status.
        const int esito = DaUtente(daUtente, [&] {
            QuorlaIo::Scrittore scrittore(percorso);
            const bool aperto = scrittore.apri();
            for (const QString& p : pezzi)
                scrittore.scrivi(p);
            const bool riuscito =
                (caso == u"annulla" ? (scrittore.annulla(), false) : scrittore.chiudi()) && aperto;
            return int(scrittore.causa()) * 4 + (riuscito ? 2 : 0) + (scrittore.intatto() ? 1 : 0);
        });
        ::setrlimit(RLIMIT_FSIZE, &senzaLimite);
        QFile::setPermissions(qui.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        chiuso = true;
        if (filo.joinable())
            filo.join();
        if (lettore >= 0)
            ::close(lettore);

        QVERIFY(esito >= 0 && esito < 255);
        QCOMPARE(CausaScrittura(esito / 4), causa);
        const bool riuscito = esito & 2;
        QCOMPARE(riuscito, causa == CausaScrittura::Nessuna && caso != u"annulla");
        const struct stat nodo = Nodo(f);
        if (!prima.isNull()) // never replaced by another kind of node
            QCOMPARE(nodo.st_mode & S_IFMT, nodoPrima.st_mode & S_IFMT);
        if (bersaglio == u"fifo")
            QCOMPARE(letto, testo);
        if (S_ISREG(nodo.st_mode) || prima.isNull()) {
            QCOMPARE(QFile::exists(f), !prima.isNull() || riuscito);
            if (dopo != "*")
                QCOMPARE(Contenuto(f), riuscito ? testo : dopo.isNull() ? prima : dopo);
            if (!riuscito)
                QCOMPARE(bool(esito & 1), dopo.isNull());
            // The file keeps its mode and owner, whether replaced or written in place.
            if (riuscito) {
                QCOMPARE(nodo.st_mode & 07777, prima.isNull() ? 0644u : unsigned(permessi));
                QCOMPARE(nodo.st_uid, prima.isNull() ? ::geteuid() : nodoPrima.st_uid);
                QCOMPARE(nodo.st_gid, prima.isNull() ? ::getegid() : nodoPrima.st_gid);
            }
            const bool inPosto = bersaglio == u"collegato" || caso == u"sola lettura";
            if (riuscito && !prima.isNull())
                QCOMPARE(nodo.st_ino == nodoPrima.st_ino, inPosto);
        }
        if (bersaglio == u"collegato")
            QCOMPARE(Contenuto(g), Contenuto(f));
        if (bersaglio == u"simbolico" || bersaglio == u"pendente")
            QVERIFY(QFileInfo(percorso).isSymLink());
        // No temporary file left.
        QCOMPARE(qui.entryList({u"*.??????"_s}, QDir::AllEntries | QDir::Hidden | QDir::System),
                 QStringList());
    }

    // A descriptor already open, as standard output is: written, never closed.
    void descrittore_data() {
        QTest::addColumn<bool>("conLettore");
        QTest::addColumn<bool>("segnali"); // a timer's signals cut the writes short
        QTest::newRow("lettore andato") << false << false;
        QTest::newRow("scritture interrotte") << true << true;
    }
    void descrittore() {
        QFETCH(bool, conLettore);
        QFETCH(bool, segnali);
        int pipe[2];
        QCOMPARE(::pipe(pipe), 0);
        if (!conLettore)
            ::close(pipe[0]);
        // Megabytes through a pipe of 64 KiB: signals end writes that wait with part done.
        const QString testo = segnali ? u"àb;"_s.repeated(1 << 20) : u"b;à"_s;
        QByteArray letto;
        std::thread lettore;
        if (conLettore) {
            lettore = std::thread([&] {
                sigset_t allarme;
                sigemptyset(&allarme);
                sigaddset(&allarme, SIGALRM);
                pthread_sigmask(SIG_BLOCK, &allarme, nullptr);
                char pezzo[4096];
                for (ssize_t n; (n = ::read(pipe[0], pezzo, sizeof pezzo)) > 0;)
                    letto.append(pezzo, n);
            });
        }
        struct sigaction azione {
        }, primaAzione{};
        azione.sa_handler = [](int) {};
        sigemptyset(&azione.sa_mask); // and no SA_RESTART
        const itimerval ogni{{0, 100}, {0, 100}}, mai{};
        if (segnali) {
            ::sigaction(SIGALRM, &azione, &primaAzione);
            ::setitimer(ITIMER_REAL, &ogni, nullptr);
        }
        bool riuscito = false;
        CausaScrittura causa = CausaScrittura::Altro;
        {
            QuorlaIo::Scrittore scrittore(pipe[1]);
            riuscito = scrittore.apri();
            scrittore.scrivi(QStringView(testo).first(1));
            scrittore.scrivi(QStringView(testo).sliced(1));
            riuscito = scrittore.chiudi() && riuscito;
            causa = scrittore.causa();
        }
        ::setitimer(ITIMER_REAL, &mai, nullptr);
        if (segnali)
            ::sigaction(SIGALRM, &primaAzione, nullptr);
        QVERIFY(::fcntl(pipe[1], F_GETFD) != -1); // still open
        ::close(pipe[1]);
        if (lettore.joinable())
            lettore.join();
        QCOMPARE(riuscito, conLettore);
        QCOMPARE(causa, conLettore ? CausaScrittura::Nessuna : CausaScrittura::FlussoChiuso);
        if (!conLettore)
            return;
        ::close(pipe[0]);
        QCOMPARE(letto.size(), testo.toUtf8().size());
        QVERIFY(letto == testo.toUtf8());
    }
    void editor_data() {
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
    void editor() {
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
};

QTEST_GUILESS_MAIN(TstIo)
#include "tst_io.moc"
