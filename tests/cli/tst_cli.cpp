// Runs the built programs as processes, as a script would.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TstCli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void casi_data();
    void casi();
    void avanzamento();

private:
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstCli::init() {
    cartella = std::make_unique<QTemporaryDir>();
    const QList<QByteArray> file = {
        "voci.txt",   "bb aa",   "d.txt",      "d c",
        "uscita.txt", "vecchio", "grande.txt", "parola "_ba.repeated(100'000)};
    for (qsizetype i = 0; i < file.size(); i += 2) {
        QFile f(cartella->filePath(QString::fromLatin1(file[i])));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file[i + 1]) == file[i + 1].size());
    }
    // Sparse: past the 1 GiB limit without the disk space.
    QFile sparso(cartella->filePath(u"sparso"_s));
    QVERIFY(sparso.open(QIODevice::WriteOnly) && sparso.resize((qint64(1) << 30) + 1));
}

void TstCli::casi_data() {
    QTest::addColumn<QStringList>("argomenti"); // run beside the files of init()
    QTest::addColumn<QByteArray>("ingresso");
    QTest::addColumn<QByteArray>("uscita"); // into uscita.txt when -o names it
    QTest::addColumn<int>("esito");
    QTest::addColumn<QByteArray>("errore"); // standard error, from after "quorla-cli: "
    auto ok = [](const char* nome, const char* a, const QByteArray& in, const QByteArray& out,
                 int esito = 0) {
        QTest::newRow(nome) << QString::fromUtf8(a).split(u' ', Qt::SkipEmptyParts) << in << out
                            << esito << (esito ? "Impossibile formattare il testo\n"_ba : ""_ba);
    };
    // Every failure: status 2, nothing written, the --output file as it was. A
    // last word "@x" is the setting x of the run.
    auto ko = [](const char* nome, const char* a, const QByteArray& errore) {
        QTest::newRow(nome) << QString::fromUtf8(a).split(u' ', Qt::SkipEmptyParts) << "b a"_ba
                            << ""_ba << 2 << errore;
    };
    const QByteArray voci = "gamma delta beta alfa"_ba;
    const QByteArray limite = ": supera il limite di 1073741824 byte\n"_ba;
    const QByteArray salvare = "»; se c'era, è rimasto com'era\n"_ba;

    // The window's defaults: space and ";" split, ";" joins, no reflow.
    ok("predefinite, -o -", "-o -", "pera mela; banana  kiwi", "banana;kiwi;mela;pera");
    ok("-s elenco, due -u", "--separatori=Punto,| -u . --uscita=!", "c.b|a d", "a d!b!c");
    ok("-s nessuno", "-s nessuno", "y x", "y x");
    ok("-w12 --fine-riga", "-w12 --fine-riga", voci, "alfa;beta;\r\ndelta;gamma");
    ok("-w 100 --fine-testo", "-w 100 --fine-testo", voci, "alfa;beta;delta;gamma;");
    ok("--spazio-dopo", "-u , --spazio-dopo -w 11", "gamma beta alfa", "alfa, beta \r\ngamma");
    // With "invio" the lines are the items; without, a line end is a space.
    ok("invio", "-s invio", "pera mela\nbanana\r\nkiwi\rfico\n", "banana;fico;kiwi;pera mela");
    ok("righe senza invio", "-s ;", "b c\na", "b c a");
    ok("-r -n --doppioni=no", "-r -n --doppioni=no", "img2 img10 img1 img1",
       "img10;img2;img1;img1");
    ok("--maiuscole=prima", "--maiuscole=prima --doppioni=identici", "roma Rovigo Roma roma",
       "Roma;roma;Rovigo");
    ok("--maiuscole dopo", "--lingua=da --maiuscole dopo", "B a b A", "a;A;b;B");
    ok("--maiuscole=lingua", "--lingua=da --maiuscole=lingua", "B a b A", "A;a;B;b");
    ok("--ignora-articoli, punteggiatura", "--ignora-articoli --ignora-punteggiatura -s ;",
       "Il Gattopardo;Ha;a-c;ab", "ab;a-c;Il Gattopardo;Ha");
    ok("--lingua=sistema", "--lingua=sistema", "öl zebra ost", "öl;ost;zebra");
    ok("--lingua in maiuscolo", "--lingua=DE@collation=PHONEBOOK", "Muff Müller Mueller",
       "Mueller;Müller;Muff");
    ok("--lingua=unicode", "--lingua=unicode --doppioni=simili", "b città Citta B a", "a;b;città");
    // The same seed gives the same order, whatever the direction.
    ok("--mescola --seme", "--mescola --seme=7 -r", "a b c d e f g h", "e;h;c;f;a;d;g;b");
    ok("file in fila, non lo standard input", "d.txt voci.txt", "z", "aa;bb;c;d");
    ok("file uniti come righe", "-s invio d.txt voci.txt", "", "bb aa;d c");
    ok("- è lo standard input", "d.txt - voci.txt", "b", "aa;b;bb;c;d");
    ok("vuoto", "/dev/null", "z", "");
    ok("una pipe per nome", "/dev/stdin", "b a", "a;b");
    ok("Windows-1252", "", "t\xE8 caff\xE8 \x80", "€;caffè;tè");
    ok("fuori dal piano base", "", "\xF0\x9F\x98\x80 a", "\xF0\x9F\x98\x80;a");
    ok("-o", "-o uscita.txt voci.txt", "", "aa;bb");
    ok("-o non formattabile salva", "-w1 -ouscita.txt voci.txt", "", "aa;bb", 1);
    // Alone, each separator splits the input and joins the output, by name or as itself.
    const QString caratteri = u" \r\t;:,.!?<>/\\|"_s;
    const QList<QByteArray> nomi = "spazio invio tab punto-e-virgola due-punti virgola punto "
                                   "esclamativo domanda minore maggiore barra barra-rovescia "
                                   "barra-verticale"_ba.split(' ');
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        const QString c = caratteri[i], nome = QString::fromLatin1(nomi[i]);
        const QByteArray in = ("b" + c + "a").toUtf8(),
                         out = "a" + (i == 1 ? "\r\n" : c.toUtf8()) + "b";
        for (const QStringList& a :
             {QStringList{u"-s"_s, nome, u"-u"_s, c}, QStringList{u"-s"_s, c, u"-u"_s, nome}})
            QTest::newRow(qPrintable(a.join(u' '))) << a << in << out << 0 << ""_ba;
    }
    const QByteArray versione = QUORLA_VERSIONE "\n";
    ok("--version", "--version", "", "quorla-cli (Quorla!) " + versione + QUORLA_LEGAL "\n");
    QFile aiuto(QStringLiteral(QUORLA_AIUTO));
    QVERIFY(aiuto.open(QIODevice::ReadOnly));
    const QByteArray testoAiuto = aiuto.readAll().replace("@VERSIONE@", QUORLA_VERSIONE);
    for (const char* opzione : {"--help", "-h", "--help-all"})
        ok(opzione, opzione, "", testoAiuto);
    ok("quorla --version, senza display", "quorla --version", "", "Quorla! " + versione);
    ok("una voce di tre milioni di caratteri", "", QByteArray(3000000, 'x'),
       QByteArray(3000000, 'x'));
    ko("file che non esiste", "-o uscita.txt voci.txt manca.txt",
       "impossibile leggere «manca.txt»: il file non esiste\n");
    ko("cartella", ".", "impossibile leggere «.»: è una cartella\n");
    ko("troppo grande", "sparso", "impossibile leggere «sparso»" + limite);
    ko("flusso troppo grande", "/dev/zero", "impossibile leggere «/dev/zero»" + limite);
    ko("standard input illeggibile", "@cartella",
       "impossibile leggere standard input: non si può leggere\n");
    if (QFileInfo::exists(u"/dev/loop0"_s))
        ko("dispositivo", "/dev/loop0", "impossibile leggere «/dev/loop0»: non è un file regolare");
    ko("opzione sconosciuta", "--boh",
       "opzione sconosciuta: «boh»\nUso: quorla-cli [opzioni] [FILE...]\n"
       "Per l'elenco delle opzioni: quorla-cli --help\n");
    ko("opzioni sconosciute", "--boh -k", "opzioni sconosciute: boh, k\n");
    ko("manca il valore", "-w", "manca il valore dopo «-w»\n");
    ko("valore inatteso", "--mescola=1", "valore inatteso dopo «--mescola»\n");
    ko("larghezza 0", "-o uscita.txt -w 0 voci.txt", "larghezza non valida: «0» (da 1 a 100)\n");
    ko("larghezza 101", "-w 101", "larghezza non valida: «101»");
    ko("larghezza non numero", "-w dieci", "larghezza non valida: «dieci»");
    ko("separatore sconosciuto", "-s spazio,x", "separatore sconosciuto: «x»\n");
    ko("separatore vuoto", "-s spazio,", "separatore sconosciuto: «»\n");
    ko("uscita sconosciuta", "-u ab", "separatore di uscita sconosciuto: «ab»\n");
    ko("maiuscole errate", "--maiuscole=sempre",
       "valore non valido per --maiuscole: «sempre» (lingua, prima, dopo)\n");
    ko("doppioni errati", "--doppioni=tutti",
       "valore non valido per --doppioni: «tutti» (no, identici, simili)\n");
    ko("lingua sconosciuta", "--lingua=xx", "lingua sconosciuta: «xx» (vedi --help)\n");
    ko("seme non numero", "--seme=-1", "seme non valido: «-1»\n");
    ko("--output vuoto", "--output=", "manca il nome del file dopo --output\n");
    ko("scrittura interrotta", "-o uscita.txt grande.txt @limite",
       "impossibile salvare il file «uscita.txt" + salvare);
    ko("cartella d'uscita inesistente", "-o no/u.txt voci.txt",
       "impossibile salvare il file «no/u.txt" + salvare);
    ko("standard output pieno", "@pieno", "errore di scrittura sullo standard output\n");
    // In the language of the system: English for every language without a
    // translation of its own, Italian before them.
    ok("quorla --help in inglese", "quorla --help @LANGUAGE=en", "",
       "Usage: quorla [options] [file]\nQuorla! - Alphabetical Brivetanzia for texts\n\nOpens the "
       "given text file as \"Open...\" does and sorts its items.\n\nOptions:\n  -h, --help      "
       "Show this help and exit.\n  -v, --version   Show the version and exit.\n\nArguments:\n  "
       "file            The text file to open; any further arguments are ignored.\n");
    ko("errore in inglese", "-w 0 @LANGUAGE=en",
       "invalid width: '0' (1 to 100)\nUsage: quorla-cli [options] [FILE...]\n"
       "For the list of options: quorla-cli --help\n");
    ko("errore di Qt in tedesco", "--boh @LANGUAGE=de", "Unknown option 'boh'.\n");
    ko("tedesco, poi italiano", "-w 0 @LANGUAGE=de:it", "larghezza non valida: «0»");
}
void TstCli::casi() {
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
    // A file size limit makes the write fail midway, as a full disk would.
    if (ambiente == u"@limite")
        p.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limite{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limite);
        });
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

void TstCli::avanzamento() {
    // Standard error on a terminal of the test's own, and on a pipe, for two
    // runs whose input stays open past the second that brings the line.
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
        QCOMPARE(p->readAllStandardOutput(), "a;b"_ba);
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

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
