// Runs the built programs as processes, as a script would.
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TstCli : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> cartella;
private slots:
    void init() {
        cartella = std::make_unique<QTemporaryDir>();
        const QList<QByteArray> file = {
            "voci.txt",   "bb aa",   "d.txt",      "d c",
            "uscita.txt", "vecchio", "grande.txt", "parola "_ba.repeated(100'000)};
        for (qsizetype i = 0; i < file.size(); i += 2) {
            QFile f(cartella->filePath(QString::fromLatin1(file[i])));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file[i + 1]) == file[i + 1].size());
        }
        // A link to itself: no file can be reached through it.
        QCOMPARE(
            ::symlink("anello", QFile::encodeName(cartella->filePath(u"anello"_s)).constData()), 0);
    }
    void casi_data() {
        QTest::addColumn<QStringList>("argomenti"); // run beside the files of init()
        QTest::addColumn<QByteArray>("ingresso");
        QTest::addColumn<QByteArray>("uscita"); // into uscita.txt when -o names it
        QTest::addColumn<int>("esito");
        QTest::addColumn<QByteArray>("errore"); // standard error, from after "quorla-cli: "
        // A sorted result: LF line breaks, a final one unless --fine-testo or nothing written.
        int n = 0; // the row's number, then its arguments name it
        auto ok = [&n](const char* a, const QByteArray& in, QByteArray out, int esito = 0) {
            const bool crlf = QByteArray(a).contains("--crlf");
            if (!out.isEmpty() && !QByteArray(a).contains("--fine-testo"))
                out += QByteArray(a).contains("-z") ? "\0"_ba : crlf ? "\r\n"_ba : "\n"_ba;
            if (!crlf)
                out.replace("\r\n", "\n");
            QTest::addRow("%d %s", ++n, a)
                << QString::fromUtf8(a).split(u' ', Qt::SkipEmptyParts) << in << out << esito
                << (esito ? "Impossibile formattare il testo\n"_ba : ""_ba);
        };
        auto testo = [](const char* nome, const char* a, const QByteArray& out) {
            QTest::newRow(nome) << QString::fromUtf8(a).split(u' ', Qt::SkipEmptyParts) << ""_ba
                                << out << 0 << ""_ba;
        };
        // Every failure: status 2, nothing written, --output as it was. "@x": the run's setting.
        auto ko = [&n](const char* a, const QByteArray& errore) {
            QTest::addRow("%d %s", ++n, a)
                << QString::fromUtf8(a).split(u' ', Qt::SkipEmptyParts) << "b a"_ba
                << ""_ba << 2 << errore;
        };
        const QByteArray voci = "gamma delta beta alfa"_ba;
        const QByteArray salvare = "»; se c'era, è rimasto com'era: "_ba;

        // The window's defaults: space and ";" split, ";" joins, no reflow.
        ok("-o -", "pera mela; banana  kiwi", "banana;kiwi;mela;pera");
        ok("--separatori=Punto,| -u . --uscita=!", "c.b|a d", "a d!b!c");
        ok("-s nessuno", "y x", "y x");
        ok("-w12 --fine-riga", voci, "alfa;beta;\r\ndelta;gamma");
        ok("-w 100 --fine-testo", voci, "alfa;beta;delta;gamma;");
        ok("-u , --spazio-dopo -w 11", "gamma beta alfa", "alfa, beta \r\ngamma");
        // With "invio" the lines are the items; without, a line end is a space.
        ok("-s invio", "pera mela\nbanana\r\nkiwi\rfico\n", "banana;fico;kiwi;pera mela");
        ok("-s ;", "b c\na", "b c a");
        ok("-r -n --doppioni=no", "img2 img10 img1 img1", "img10;img2;img1;img1");
        ok("--maiuscole=prima --doppioni=identici", "roma Rovigo Roma roma", "Roma;roma;Rovigo");
        ok("--lingua=da --maiuscole dopo", "B a b A", "a;A;b;B");
        ok("--lingua=da --maiuscole=lingua", "B a b A", "A;a;B;b");
        ok("--ignora-articoli --ignora-punteggiatura -s ;", "Il Gattopardo;Ha;a-c;ab",
           "ab;a-c;Il Gattopardo;Ha");
        ok("--lingua=sistema", "öl zebra ost", "öl;ost;zebra");
        ok("--lingua=DE@collation=PHONEBOOK", "Muff Müller Mueller", "Mueller;Müller;Muff");
        ok("--lingua=unicode --doppioni=simili", "b città Citta B a", "a;b;città");
        // The same seed gives the same order, whatever the direction.
        ok("--mescola --seme=7 -r", "a b c d e f g h", "e;h;c;f;a;d;g;b");
        // What becomes of repeats, and the order without sorting.
        const QByteArray frutti = "pera mela Pera pera kiwi mela pera"_ba;
        ok("--doppioni=elimina", frutti, "kiwi;mela;pera;Pera");
        ok("--doppioni=ripetuti", frutti, "mela;pera");
        ok("--doppioni=unici", frutti, "kiwi;Pera");
        ok("--doppioni unici --simili", frutti, "kiwi");
        ok("--doppioni=conta", frutti, "kiwi (1);mela (2);pera (3);Pera (1)");
        ok("--doppioni=conta --per-frequenza", "b a c b c b", "b (3);c (2);a (1)");
        ok("--ordine=testo --doppioni=elimina", frutti, "pera;mela;Pera;kiwi");
        ok("--ordine=inverti", "c a b", "b;a;c");
        ok("-s invio -u invio --intestazione 2", "Nome\nCitta\nz\na\nz", "Nome\nCitta\na\nz\nz");
        ok("--intestazione=1 --doppioni=conta", "x b x b", "x;b (2);x (1)");
        // Keys: a field by number, from the end, a type, a pattern; what they read.
        const QByteArray righe = "rossi;1.234,5\nbianchi;2,5\nverdi;-10\nblu;x\n"_ba;
        ok("-s invio -u invio -t ; -k 2,numero", righe,
           "verdi;-10\nbianchi;2,5\nrossi;1.234,5\nblu;x");
        ok("-s invio -u invio -t punto-e-virgola -k 2,numero,decrescente", righe,
           "rossi;1.234,5\nbianchi;2,5\nverdi;-10\nblu;x");
        ok("-s invio -u invio -k dimensione", "2M\n1 KiB\n", "1 KiB\n2M");
        ok("-s invio -u invio -k /([0-9],[0-9])/,numero", "a 2,5\nb 1,5\n", "b 1,5\na 2,5");
        ok("-s invio -u invio -t ; -k -1,numero --mostra-chiavi", righe,
           "verdi;«-10» [1: -10]\nbianchi;«2,5» [1: 2.5]\nrossi;«1.234,5» [1: 1234.5]\n"
           "blu;«x» [1: nessun valore]");
        ok("-s invio -u invio -k 2 -k 1,decrescente", "a x\nb x\nc w\n", "c w\nb x\na x");
        // NUL between the items, in and out; CR LF when asked.
        ok("-z", "x y\0a\nb\0c\0"_ba, "a\nb\0c\0x y"_ba);
        ok("-z --fine-testo", "b\0a"_ba, "a\0b\0"_ba);
        ok("-s invio -u invio --crlf", "b\na\n", "a\r\nb");
        ok("-s invio -u invio --fine-testo", "b\na\n", "a\nb\n");
        ok("d.txt voci.txt", "z", "aa;bb;c;d");
        ok("-s invio d.txt voci.txt", "", "bb aa;d c");
        ok("d.txt - voci.txt", "b", "aa;b;bb;c;d");
        ok("/dev/null", "z", "");
        ok("/dev/stdin", "b a", "a;b");
        ok("", "t\xE8 caff\xE8 \x80", "€;caffè;tè");
        ok("", "\xF0\x9F\x98\x80 a", "\xF0\x9F\x98\x80;a");
        ok("-o uscita.txt voci.txt", "", "aa;bb");
        ok("-o /dev/stdout voci.txt", "", "aa;bb");
        ok("-w1 -ouscita.txt voci.txt", "", "aa;bb", 1);
        // Alone, each separator splits the input and joins the output, by name or as itself.
        const QString caratteri = u" \r\t;:,.!?<>/\\|"_s;
        const QList<QByteArray> nomi = "spazio invio tab punto-e-virgola due-punti virgola punto "
                                       "esclamativo domanda minore maggiore barra barra-rovescia "
                                       "barra-verticale"_ba.split(' ');
        for (qsizetype i = 0; i < nomi.size(); ++i) {
            const QString c = caratteri[i], nome = QString::fromLatin1(nomi[i]);
            const QByteArray in = ("b" + c + "a").toUtf8(),
                             out = "a" + (i == 1 ? "\n" : c.toUtf8()) + "b\n";
            for (const QStringList& a :
                 {QStringList{u"-s"_s, nome, u"-u"_s, c}, QStringList{u"-s"_s, c, u"-u"_s, nome}})
                QTest::newRow(qPrintable(a.join(u' '))) << a << in << out << 0 << ""_ba;
        }
        const QByteArray versione = QUORLA_VERSIONE "\n";
        testo("--version", "--version", "quorla-cli (Quorla!) " + versione + QUORLA_LEGAL "\n");
        QFile aiuto(QStringLiteral(QUORLA_AIUTO));
        QVERIFY(aiuto.open(QIODevice::ReadOnly));
        const QByteArray testoAiuto = aiuto.readAll().replace("@VERSIONE@", QUORLA_VERSIONE);
        for (const char* opzione : {"--help", "-h", "--help-all"})
            testo(opzione, opzione, testoAiuto);
        testo("quorla --version, senza display", "quorla --version", "Quorla! " + versione);
        ok("", QByteArray(3000000, 'x'), QByteArray(3000000, 'x'));
        ko("-o uscita.txt voci.txt manca.txt",
           "impossibile leggere «manca.txt»: il file non esiste\n");
        ko(".", "impossibile leggere «.»: è una cartella\n");
        ko("@cartella", "impossibile leggere standard input: non si può leggere\n");
        if (QFileInfo::exists(u"/dev/loop0"_s))
            ko("/dev/loop0", "impossibile leggere «/dev/loop0»: non è un file regolare");
        ko("--boh", "opzione sconosciuta: «boh»\nUso: quorla-cli [opzioni] [FILE...]\n"
                    "Per l'elenco delle opzioni: quorla-cli --help\n");
        ko("--boh -j", "opzioni sconosciute: boh, j\n");
        ko("-w", "manca il valore dopo «-w»\n");
        ko("--mescola=1", "valore inatteso dopo «--mescola»\n");
        ko("-o uscita.txt -w 0 voci.txt", "larghezza non valida: «0» (da 1 a 100)\n");
        ko("-w 101", "larghezza non valida: «101»");
        ko("-w dieci", "larghezza non valida: «dieci»");
        ko("-s spazio,x", "separatore sconosciuto: «x»\n");
        ko("-s spazio,", "separatore sconosciuto: «»\n");
        ko("-u ab", "separatore di uscita sconosciuto: «ab»\n");
        ko("--maiuscole=sempre",
           "valore non valido per --maiuscole: «sempre» (lingua, prima, dopo)\n");
        ko("--doppioni=boh",
           "valore non valido per --doppioni: «boh» (tutti, elimina, ripetuti, unici, conta)\n");
        ko("--ordine=alto", "valore non valido per --ordine: «alto»");
        ko("-k colonna", "chiave non valida: «colonna»");
        ko("-k 0", "chiave non valida: «0»");
        ko("-k 2,soldi", "chiave non valida: «2,soldi» (tipo o verso sconosciuto: «soldi»)\n");
        ko("-k /(/", "espressione non valida in «/(/»: ");
        ko("-k /abc", "chiave non valida: «/abc» (l'espressione va chiusa da una barra)\n");
        ko("-k 1 -k 2 -k 3 -k 4", "troppe chiavi: al massimo tre -k\n");
        ko("-t ab -k 2", "separatore di campi non valido: «ab»");
        ko("--intestazione=-1", "numero di voci non valido per --intestazione: «-1»\n");
        ko("--lingua=xx", "lingua sconosciuta: «xx» (vedi --help)\n");
        ko("--seme=-1", "seme non valido: «-1»\n");
        ko("--output=", "manca il nome del file dopo --output\n");
        ko("-o uscita.txt grande.txt @limite",
           "impossibile salvare il file «uscita.txt" + salvare + "File troppo grande\n");
        ko("-o no/u.txt voci.txt",
           "impossibile salvare il file «no/u.txt" + salvare + "La cartella non esiste\n");
        ko("-o . voci.txt", "impossibile salvare il file «." + salvare + "È una cartella\n");
        const QByteArray lungo = QByteArray(300, 'x');
        ko(("-o " + lungo + " voci.txt").constData(),
           "impossibile salvare il file «" + lungo + salvare + "Nome del file troppo lungo\n");
        ko("-o anello voci.txt",
           "impossibile salvare il file «anello" + salvare + "Errore di sistema: ");
        ko("-o uscita.txt voci.txt @protetto",
           "impossibile salvare il file «uscita.txt" + salvare + "Permesso negato\n");
        ko("@pieno",
           "errore di scrittura sullo standard output: Spazio esaurito sul dispositivo\n");
        // English for every language without a translation of its own, Italian before them.
        testo("quorla --help in inglese", "quorla --help @LANGUAGE=en",
              "Usage: quorla [options] [file]\nQuorla! - Alphabetical Brivetanzia for texts\n\n"
              "Opens the given text file as \"Open...\" does and sorts its items.\n\nOptions:\n"
              "  -h, --help      Show this help and exit.\n"
              "  -v, --version   Show the version and exit.\n\nArguments:\n"
              "  file            The text file to open; any further arguments are ignored.\n");
        ko("-w 0 @LANGUAGE=en",
           "invalid width: '0' (1 to 100)\nUsage: quorla-cli [options] [FILE...]\n"
           "For the list of options: quorla-cli --help\n");
        ko("--boh @LANGUAGE=de", "Unknown option 'boh'.\n");
        ko("-w 0 @LANGUAGE=de:it", "larghezza non valida: «0»");
    }
    void casi() {
        QFETCH(QStringList, argomenti);
        QFETCH(QByteArray, ingresso);
        QFETCH(QByteArray, uscita);
        QFETCH(int, esito);
        QFETCH(QByteArray, errore);

        const QDir qui(cartella->path());
        const QStringList primaDi = qui.entryList(QDir::Files);
        QProcess p;
        p.setWorkingDirectory(qui.path());
        const QString ambiente = argomenti.value(argomenti.size() - 1);
        if (ambiente == u"@cartella")
            p.setStandardInputFile(qui.path());
        if (ambiente == u"@pieno")
            p.setStandardOutputFile(u"/dev/full"_s);
        if (ambiente == u"@limite") // the write fails midway, as on a full disk
            p.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limite{4096, 4096};
                setrlimit(RLIMIT_FSIZE, &limite);
            });
        if (ambiente == u"@protetto") { // not writable, as its owner meets it (not root)
            QVERIFY(QFile::setPermissions(qui.filePath(u"uscita.txt"_s), QFile::ReadOwner));
            constexpr uid_t kNessuno = 65534;
            if (::geteuid() == 0) {
                for (const QString& nome : qui.entryList(QDir::AllEntries | QDir::NoDotDot))
                    QCOMPARE(::chown(QFile::encodeName(qui.filePath(nome)).constData(), kNessuno,
                                     kNessuno),
                             0);
                p.setChildProcessModifier([] {
                    if (::setgroups(0, nullptr) != 0 || ::setgid(kNessuno) != 0 ||
                        ::setuid(kNessuno) != 0)
                        ::_exit(99);
                });
            }
        }
        if (ambiente.startsWith(u"@LANGUAGE=")) {
            QProcessEnvironment variabili = QProcessEnvironment::systemEnvironment();
            variabili.insert(u"LANGUAGE"_s, ambiente.section(u'=', 1));
            p.setProcessEnvironment(variabili);
        }
        if (ambiente.startsWith(u'@'))
            argomenti.removeLast();
        const bool finestra = argomenti.value(0) == u"quorla";
        p.start(finestra ? QStringLiteral(QUORLA_APP) : QStringLiteral(QUORLA_CLI),
                argomenti.mid(finestra ? 1 : 0));
        QVERIFY(p.waitForStarted());
        if (ambiente != u"@cartella")
            p.write(ingresso);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit);
        QCOMPARE(p.exitCode(), esito);
        const QByteArray errori = p.readAllStandardError();
        QVERIFY2(errore.isEmpty() ? errori.isEmpty() : errori.startsWith("quorla-cli: " + errore),
                 errori.constData());
        const bool nelFile = argomenti.join(u' ').contains(u"uscita.txt"_s) && esito < 2;
        QCOMPARE(p.readAllStandardOutput(), nelFile ? QByteArray() : uscita);
        QFile file(qui.filePath(u"uscita.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), nelFile ? uscita : "vecchio"_ba);
        QCOMPARE(qui.entryList(QDir::Files), primaDi); // no temporary file left behind
    }

    // -o onto a pipe or a device writes into it, as sort -o does: the node stays.
    void nodi_data() {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("fifo") << true;
        QTest::newRow("dispositivo") << false;
    }
    void nodi() {
        QFETCH(bool, fifo);
        const QByteArray nodo = QFile::encodeName(cartella->filePath(u"nodo"_s));
        int lettore = -1;
        if (fifo) {
            QCOMPARE(::mkfifo(nodo.constData(), 0600), 0);
            // Open before the writer, which then need not wait; the text fits in the pipe.
            QVERIFY((lettore = ::open(nodo.constData(), O_RDONLY | O_NONBLOCK)) >= 0);
        } else if (::geteuid() != 0) {
            QSKIP("making a device node needs root");
        } else if (::mknod(nodo.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
            QSKIP("this system lets not even root make device nodes");
        }
        QProcess p;
        p.setWorkingDirectory(cartella->path());
        p.start(QStringLiteral(QUORLA_CLI), {u"-o"_s, u"nodo"_s, u"voci.txt"_s});
        QVERIFY(p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit);
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
        struct stat st {};
        QCOMPARE(::lstat(nodo.constData(), &st), 0);
        QVERIFY(fifo ? S_ISFIFO(st.st_mode) : S_ISCHR(st.st_mode) && st.st_rdev == makedev(1, 3));
        if (lettore < 0)
            return;
        char byte[64];
        const ssize_t letti = ::read(lettore, byte, sizeof byte);
        ::close(lettore);
        QCOMPARE(QByteArray(byte, std::max<ssize_t>(letti, 0)), "aa;bb\n"_ba);
    }
    // Inputs large enough for the program to start itself again with other
    // allocator settings: the arguments, bytes and all, and standard input must
    // reach the second start untouched, the settings must be in the running
    // program's environment only when the input is large and the system gives
    // large pages on request, and a setting of the user's must stay and win.
    void grandi_data() {
        QTest::addColumn<QStringList>("argomenti");  // "L": the list, "U": an output file
        QTest::addColumn<int>("ingresso");           // standard input: 0 none, 1 the list, 2 a pipe
        QTest::addColumn<int>("righe");              // 4.3 MB, 2.6 MB, 1.5 MB
        QTest::addColumn<QByteArray>("regolazioni"); // GLIBC_TUNABLES, if not empty
        QTest::addColumn<bool>("riavvio");           // ours are added, where they can be
        const QStringList lista{u"L"_s};
        QTest::newRow("file") << lista << 0 << 480'000 << ""_ba << true;
        QTest::newRow("file piccolo") << lista << 0 << 170'000 << ""_ba << false;
        QTest::newRow("standard input") << QStringList{} << 1 << 290'000 << ""_ba << true;
        QTest::newRow("pipe") << QStringList{} << 2 << 480'000 << ""_ba << false;
        QTest::newRow("due file in un file")
            << QStringList{u"-o"_s, u"U"_s, u"L"_s, u"L"_s} << 0 << 480'000 << ""_ba << true;
        QTest::newRow("scelta dell'utente")
            << lista << 0 << 480'000 << "glibc.malloc.hugetlb=0"_ba << false;
        QTest::newRow("altre regolazioni")
            << QStringList{} << 1 << 480'000 << "glibc.malloc.trim_threshold=131072"_ba << true;
    }
    void grandi() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, ingresso);
        QFETCH(int, righe);
        QFETCH(QByteArray, regolazioni);
        QFETCH(bool, riavvio);
        // Eight digits a line sort the same in every language.
        QByteArrayList voci;
        std::uint32_t x = 12345;
        for (int i = 0; i < righe; ++i) {
            x = x * 1103515245u + 12345u;
            voci.append(QByteArray::number(x % 100'000'000).rightJustified(8, '0'));
        }
        const QString lista = cartella->filePath(u"lista grande \u00e8 qui.txt"_s);
        const QString uscita = cartella->filePath(u"uscita \u00e8.txt"_s);
        const QByteArray testo = voci.join('\n') + '\n';
        QFile f(lista);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size());
        f.close();
        const int copie = qMax<int>(argomenti.count(u"L"_s), 1);
        QByteArrayList attese;
        for (int k = 0; k < copie; ++k)
            attese += voci;
        std::sort(attese.begin(), attese.end());

        for (QString& a : argomenti)
            a = a == u"L" ? lista : a == u"U" ? uscita : a;
        QProcess p;
        if (ingresso == 1)
            p.setStandardInputFile(lista);
        QProcessEnvironment variabili = QProcessEnvironment::systemEnvironment();
        variabili.remove(u"GLIBC_TUNABLES"_s);
        if (!regolazioni.isEmpty())
            variabili.insert(u"GLIBC_TUNABLES"_s, QString::fromLatin1(regolazioni));
        p.setProcessEnvironment(variabili);
        p.start(QStringLiteral(QUORLA_CLI),
                QStringList{u"-s"_s, u"invio"_s, u"-u"_s, u"invio"_s} + argomenti);
        QVERIFY(p.waitForStarted());
        if (ingresso == 2)
            p.write(testo);
        p.closeWriteChannel();
        const bool nelFile = argomenti.contains(uscita);
        if (!nelFile) {
            // The first output comes from the program that sorted; the rest
            // does not fit in the pipe, so it is still there to be looked at.
            QVERIFY(p.waitForReadyRead(120'000));
            QFile ambiente(u"/proc/%1/environ"_s.arg(p.processId()));
            QVERIFY(ambiente.open(QIODevice::ReadOnly));
            // The C library's loader, reading the variable, ends each of its
            // settings in place with a NUL: they follow as entries of their own.
            QByteArrayList regolate;
            for (const QByteArray& v : ambiente.readAll().split('\0')) {
                if (v.startsWith("GLIBC_TUNABLES="))
                    regolate = {v.mid(15)};
                else if (!regolate.isEmpty() && v.startsWith("glibc."))
                    regolate.append(v);
            }
            const QByteArray valore = regolate.join(':');
            QFile modo(u"/sys/kernel/mm/transparent_hugepage/enabled"_s);
            const bool suRichiesta =
                modo.open(QIODevice::ReadOnly) && modo.readAll().contains("[madvise]");
            if (riavvio && suRichiesta) {
                QVERIFY2(valore.startsWith("glibc.malloc.hugetlb=1"), valore.constData());
                QVERIFY2(regolazioni.isEmpty() ? !valore.contains("::") && !valore.endsWith(':')
                                               : valore.endsWith(':' + regolazioni),
                         valore.constData());
            } else {
                QCOMPARE(valore, regolazioni);
            }
        }
        QVERIFY(p.waitForFinished(120'000) && p.exitStatus() == QProcess::NormalExit);
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
        QByteArray risultato = p.readAllStandardOutput();
        if (nelFile) {
            QCOMPARE(risultato, QByteArray());
            QFile u(uscita);
            QVERIFY(u.open(QIODevice::ReadOnly));
            risultato = u.readAll();
        }
        QCOMPARE(risultato, attese.join('\n') + '\n');
    }
    void avanzamento() {
        // Standard error on a terminal and on a pipe, input open past the line's first second.
        const int pty = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(pty >= 0 && ::grantpt(pty) == 0 && ::unlockpt(pty) == 0);
        const QByteArray nome = ::ptsname(pty);
        QProcess terminale, pipe;
        terminale.setChildProcessModifier(
            [nome] { ::dup2(::open(nome.constData(), O_RDWR | O_NOCTTY), STDERR_FILENO); });
        for (QProcess* p : {&terminale, &pipe})
            p->start(QStringLiteral(QUORLA_CLI), {});
        QTest::qWait(1800);
        for (QProcess* p : {&terminale, &pipe}) {
            p->write("b a");
            p->closeWriteChannel();
            QVERIFY(p->waitForFinished());
            QCOMPARE(p->readAllStandardOutput(), "a;b\n"_ba);
        }
        QCOMPARE(pipe.readAllStandardError(), QByteArray());
        // Rewritten in place, and wiped at the end; the terminal passes it on in its own time.
        QByteArray errori;
        char pezzo[256];
        QVERIFY(QTest::qWaitFor([&] {
            errori.append(pezzo, std::max<ssize_t>(::read(pty, pezzo, sizeof pezzo), 0));
            return errori.endsWith("\r\x1b[K");
        }));
        ::close(pty);
        QVERIFY(errori.startsWith("\rquorla-cli: lettura di standard input... 1 s\x1b[K"));
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
