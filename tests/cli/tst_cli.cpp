// Runs the built programs as processes, as a script would.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Risultato {
    int esito = -1;
    QByteArray uscita;
    QByteArray errori;
};

Risultato Esegui(QProcess& p, const QStringList& argomenti, const QByteArray& ingresso = {},
                 const QString& programma = QStringLiteral(QUORLA_CLI)) {
    Risultato r;
    p.start(programma, argomenti);
    if (!p.waitForStarted())
        return r;
    if (!ingresso.isEmpty())
        p.write(ingresso);
    p.closeWriteChannel();
    if (!p.waitForFinished(60'000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<illeggibile>"_ba;
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void casi_data();
    void casi();
    void separatori_data();
    void separatori();
    void mescola();
    void risposte_data();
    void risposte();
    void avanzamento();

private:
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstCli::init() {
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(cartella->isValid());
    const std::pair<const char*, QByteArray> file[] = {
        {"voci.txt", "bb aa"_ba},
        {"righe.txt", "pera mela\r\nkiwi\r\n"_ba},
        {"d.txt", "d c"_ba},
        {"x.txt", "x"_ba},
        {"vuoto.txt", ""_ba},
        {"uscita.txt", "vecchio"_ba},
        {"grande.txt", "parola "_ba.repeated(100'000)}};
    for (const auto& [nome, byte] : file) {
        QFile f(cartella->filePath(QString::fromLatin1(nome)));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size());
    }
    // Sparse: past the 1 GiB limit without the disk space.
    QFile sparso(cartella->filePath(u"sparso"_s));
    QVERIFY(sparso.open(QIODevice::WriteOnly) && sparso.resize((qint64(1) << 30) + 1));
}

void TstCli::casi_data() {
    QTest::addColumn<QStringList>("argomenti"); // run in a folder holding the files of init()
    QTest::addColumn<QByteArray>("ingresso");
    QTest::addColumn<QByteArray>("uscita"); // into uscita.txt when -o names it
    QTest::addColumn<int>("esito");
    QTest::addColumn<QByteArray>("errore"); // all of standard error after "quorla-cli: "
    QTest::addColumn<QString>("ambiente");
    auto riga = [](const char* nome, const QStringList& a, const QByteArray& in,
                   const QByteArray& out, int esito = 0, const QByteArray& err = {},
                   const QString& ambiente = {}) {
        QTest::newRow(nome) << a << in << out << esito << err << ambiente;
    };
    const QByteArray voci = "gamma delta beta alfa"_ba;
    const QByteArray noFormato = "Impossibile formattare il testo\n"_ba;
    const QByteArray limite = ": supera il limite di 1073741824 byte\n"_ba;
    const QByteArray salvare = "\xC2\xBB; se c'era, \xC3\xA8 rimasto com'era\n"_ba;

    // The window's defaults: space and ";" split, ";" joins, no reflow.
    riga("predefinite", {}, "pera mela; banana  kiwi", "banana;kiwi;mela;pera");
    riga("vuoto", {}, "", "");
    riga("-s elenco misto", {u"--separatori=punto,|"_s}, "c.b|a d", "a d;b;c");
    riga("-s nessuno", {u"-s"_s, u"nessuno"_s}, "y x", "y x");
    riga("-s nomi in maiuscolo", {u"-s"_s, u"Spazio,PUNTO"_s}, "b.a c", "a;b;c");
    riga("-u l'ultimo vince", {u"-u"_s, u"."_s, u"--uscita=!"_s}, "b a", "a!b");
    riga("-w 12", {u"-w"_s, u"12"_s}, voci, "alfa;beta \r\ndelta;gamma");
    riga("-w12 --fine-riga", {u"-w12"_s, u"--fine-riga"_s}, voci, "alfa;beta;\r\ndelta;gamma");
    riga("--larghezza=9", {u"--larghezza=9"_s}, voci, "alfa;beta \r\ndelta \r\ngamma");
    riga("-w 100", {u"-w"_s, u"100"_s}, voci, "alfa;beta;delta;gamma");
    riga("-w 4 non formattabile", {u"-w"_s, u"4"_s}, voci, "alfa;beta;delta;gamma", 1, noFormato);
    riga("--fine-riga senza -w", {u"--fine-riga"_s}, voci, "alfa;beta;delta;gamma");
    riga("--fine-testo", {u"--fine-testo"_s}, voci, "alfa;beta;delta;gamma;");
    riga("--spazio-dopo -w 11", {u"-u"_s, u","_s, u"--spazio-dopo"_s, u"-w"_s, u"11"_s},
         "gamma beta alfa", "alfa, beta \r\ngamma");
    // With "invio" the lines are the items; without, a line end is a space.
    riga("invio", {u"-s"_s, u"invio"_s}, "pera mela\nbanana\r\nkiwi\rfico\n",
         "banana;fico;kiwi;pera mela");
    riga("righe senza invio", {}, "pera\nmela\n", "mela;pera");
    riga("righe senza spazio", {u"-s"_s, u";"_s}, "b c\na", "b c a");
    riga("-r -n", {u"-r"_s, u"-n"_s}, "img2 img10 img1", "img10;img2;img1");
    riga("--doppioni=no", {u"--doppioni=no"_s}, "b a b", "a;b;b");
    riga("--maiuscole=prima --doppioni=identici",
         {u"--maiuscole=prima"_s, u"--doppioni=identici"_s}, "roma Rovigo Roma roma",
         "Roma;roma;Rovigo");
    riga("--maiuscole dopo", {u"--lingua=da"_s, u"--maiuscole"_s, u"dopo"_s}, "B a b A", "a;A;b;B");
    riga("--maiuscole=lingua", {u"--lingua=da"_s, u"--maiuscole=lingua"_s}, "B a b A", "A;a;B;b");
    riga("--ignora-articoli", {u"--ignora-articoli"_s, u"-s"_s, u";"_s},
         "Il Gattopardo;L'Aquila;Bari", "L'Aquila;Bari;Il Gattopardo");
    riga("--ignora-punteggiatura", {u"--ignora-punteggiatura"_s, u"-s"_s, u";"_s}, "a-c;ab",
         "ab;a-c");
    riga("--lingua=sv", {u"--lingua=sv"_s}, "öl zebra ost", "ost;zebra;öl");
    riga("--lingua=sistema", {u"--lingua=sistema"_s}, "öl zebra ost", "öl;ost;zebra");
    riga("--lingua in maiuscolo", {u"--lingua=DE@collation=PHONEBOOK"_s}, "Muff Müller Mueller",
         "Mueller;Müller;Muff");
    riga("--lingua=unicode --doppioni=simili", {u"--lingua=unicode"_s, u"--doppioni=simili"_s},
         "b città Citta B a", "a;b;città");
    // Files, standard input and their encodings.
    riga("un file, non lo standard input", {u"righe.txt"_s}, "z", "kiwi;mela;pera");
    riga("due file in fila", {u"d.txt"_s, u"voci.txt"_s}, "", "aa;bb;c;d");
    riga("file uniti come righe", {u"-s"_s, u"invio"_s, u"d.txt"_s, u"x.txt"_s}, "", "d c;x");
    riga("- è lo standard input", {u"d.txt"_s, u"-"_s, u"x.txt"_s}, "b", "b;c;d;x");
    riga("file vuoto", {u"vuoto.txt"_s}, "z", "");
    riga("una pipe per nome", {u"/dev/stdin"_s}, "b a", "a;b");
    riga("Windows-1252", {}, "t\xE8 caff\xE8 \x80", "€;caffè;tè");
    riga("fuori dal piano base", {}, "\xF0\x9F\x98\x80 a", "\xF0\x9F\x98\x80;a");
    riga("-o", {u"-o"_s, u"uscita.txt"_s, u"voci.txt"_s}, "", "aa;bb");
    riga("-o non formattabile salva", {u"-w1"_s, u"-ouscita.txt"_s, u"voci.txt"_s}, "", "aa;bb", 1,
         noFormato);
    riga("-o -", {u"-o"_s, u"-"_s}, "b a", "a;b");
    // Every failure: status 2, nothing written, the --output file as it was.
    riga("file che non esiste", {u"-o"_s, u"uscita.txt"_s, u"voci.txt"_s, u"manca.txt"_s}, "", "",
         2, "impossibile leggere «manca.txt»: il file non esiste\n");
    riga("cartella", {u"."_s}, "", "", 2, "impossibile leggere «.»: è una cartella\n");
    riga("troppo grande", {u"sparso"_s}, "", "", 2, "impossibile leggere «sparso»" + limite);
    riga("flusso troppo grande", {u"/dev/zero"_s}, "", "", 2,
         "impossibile leggere «/dev/zero»" + limite);
    riga("standard input illeggibile", {}, "", "", 2,
         "impossibile leggere standard input: non si può leggere\n", u"cartella"_s);
    if (QFileInfo(u"/dev/loop0"_s).exists())
        riga("dispositivo a blocchi", {u"/dev/loop0"_s}, "", "", 2,
             "impossibile leggere «/dev/loop0»: non è un file regolare\n");
    riga("opzione sconosciuta", {u"--boh"_s}, "", "", 2,
         "opzione sconosciuta: «boh»\nUso: quorla-cli [opzioni] [FILE...]\n"
         "Per l'elenco delle opzioni: quorla-cli --help\n");
    riga("opzioni sconosciute", {u"--boh"_s, u"-k"_s}, "", "", 2, "opzioni sconosciute: boh, k\n");
    riga("manca il valore", {u"-w"_s}, "", "", 2, "manca il valore dopo «-w»\n");
    riga("valore inatteso", {u"--mescola=1"_s}, "", "", 2, "valore inatteso dopo «--mescola»\n");
    riga("larghezza 0", {u"-o"_s, u"uscita.txt"_s, u"-w"_s, u"0"_s, u"voci.txt"_s}, "", "", 2,
         "larghezza non valida: «0» (da 1 a 100)\n");
    riga("larghezza 101", {u"-w"_s, u"101"_s}, "", "", 2, "larghezza non valida: «101»");
    riga("larghezza non numero", {u"-w"_s, u"dieci"_s}, "", "", 2, "larghezza non valida: «dieci»");
    riga("separatore sconosciuto", {u"-s"_s, u"spazio,x"_s}, "", "", 2,
         "separatore sconosciuto: «x»\n");
    riga("separatore vuoto", {u"-s"_s, u"spazio,"_s}, "", "", 2, "separatore sconosciuto: «»\n");
    riga("uscita sconosciuta", {u"-u"_s, u"ab"_s}, "", "", 2,
         "separatore di uscita sconosciuto: «ab»\n");
    riga("maiuscole errate", {u"--maiuscole=sempre"_s}, "", "", 2,
         "valore non valido per --maiuscole: «sempre» (lingua, prima, dopo)\n");
    riga("doppioni errati", {u"--doppioni=tutti"_s}, "", "", 2,
         "valore non valido per --doppioni: «tutti» (no, identici, simili)\n");
    riga("lingua sconosciuta", {u"--lingua=xx"_s}, "", "", 2,
         "lingua sconosciuta: «xx» (vedi --help)\n");
    riga("seme non numero", {u"--seme=-1"_s}, "", "", 2, "seme non valido: «-1»\n");
    riga("--output vuoto", {u"--output="_s}, "", "", 2, "manca il nome del file dopo --output\n");
    riga("scrittura interrotta", {u"-o"_s, u"uscita.txt"_s, u"grande.txt"_s}, "", "", 2,
         "impossibile salvare il file «uscita.txt" + salvare, u"limite"_s);
    riga("cartella d'uscita inesistente", {u"-o"_s, u"no/u.txt"_s, u"voci.txt"_s}, "", "", 2,
         "impossibile salvare il file «no/u.txt" + salvare);
    riga("standard output pieno", {}, "b a", "", 2, "errore di scrittura sullo standard output\n",
         u"pieno"_s);
}

void TstCli::casi() {
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, ingresso);
    QFETCH(QByteArray, uscita);
    QFETCH(int, esito);
    QFETCH(QByteArray, errore);
    QFETCH(QString, ambiente);

    const QDir qui(cartella->path());
    const QStringList primaDi = qui.entryList(QDir::Files);
    QProcess p;
    p.setWorkingDirectory(qui.path());
    if (ambiente == u"cartella")
        p.setStandardInputFile(qui.path());
    if (ambiente == u"pieno")
        p.setStandardOutputFile(u"/dev/full"_s);
    if (ambiente == u"limite") {
        // A file size limit makes the write fail midway, as a full disk would.
        p.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limite{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limite);
        });
    }
    const Risultato r = Esegui(p, argomenti, ingresso);
    QCOMPARE(r.esito, esito);
    if (errore.isEmpty())
        QCOMPARE(r.errori, QByteArray());
    else
        QVERIFY2(r.errori.startsWith("quorla-cli: " + errore), r.errori.constData());
    const bool nelFile = argomenti.join(u' ').contains(u"uscita.txt"_s) && esito < 2;
    QCOMPARE(r.uscita, nelFile ? QByteArray() : uscita);
    QCOMPARE(Contenuto(qui.filePath(u"uscita.txt"_s)), nelFile ? uscita : "vecchio"_ba);
    QCOMPARE(qui.entryList(QDir::Files), primaDi); // no temporary file left behind
}

void TstCli::separatori_data() {
    QTest::addColumn<QString>("carattere");
    for (const auto& [nome, c] :
         std::initializer_list<std::pair<const char*, char16_t>>{{"spazio", u' '},
                                                                 {"invio", u'\r'},
                                                                 {"tab", u'\t'},
                                                                 {"punto-e-virgola", u';'},
                                                                 {"due-punti", u':'},
                                                                 {"virgola", u','},
                                                                 {"punto", u'.'},
                                                                 {"esclamativo", u'!'},
                                                                 {"domanda", u'?'},
                                                                 {"minore", u'<'},
                                                                 {"maggiore", u'>'},
                                                                 {"barra", u'/'},
                                                                 {"barra-rovescia", u'\\'},
                                                                 {"barra-verticale", u'|'}})
        QTest::newRow(nome) << QString(QChar(c));
}

void TstCli::separatori() {
    QFETCH(QString, carattere);
    const QString nome = QString::fromLatin1(QTest::currentDataTag());
    // Alone, a separator splits the input and, as output separator, joins the items.
    const QByteArray ingresso = ("b" + carattere + "a").toUtf8();
    const QByteArray unito = "a" + (carattere == u"\r" ? "\r\n"_ba : carattere.toUtf8()) + "b";
    QProcess a, b;
    QCOMPARE(Esegui(a, {u"-s"_s, nome, u"-u"_s, carattere}, ingresso).uscita, unito);
    QCOMPARE(Esegui(b, {u"-s"_s, carattere, u"-u"_s, nome}, ingresso).uscita, unito);
}

void TstCli::mescola() {
    // The same seed, the same order; another seed, another; all items kept,
    // whatever the direction.
    const QByteArray voci = "a b c d e f g h"_ba;
    QProcess p1, p2, p3;
    const QByteArray uno = Esegui(p1, {u"--mescola"_s, u"--seme=7"_s, u"-r"_s}, voci).uscita;
    QCOMPARE(Esegui(p2, {u"--mescola"_s, u"--seme"_s, u"7"_s}, voci).uscita, uno);
    const QByteArray altro = Esegui(p3, {u"--mescola"_s, u"--seme=8"_s}, voci).uscita;
    QVERIFY(uno != altro);
    for (const QByteArray& mescolate : {uno, altro}) {
        QList<QByteArray> lista = mescolate.split(';');
        std::sort(lista.begin(), lista.end());
        QCOMPARE(lista.join(';'), "a;b;c;d;e;f;g;h"_ba);
    }
}

void TstCli::risposte_data() {
    QTest::addColumn<QString>("programma");
    QTest::addColumn<QString>("opzione");
    QTest::addColumn<QByteArray>("atteso");
    const QByteArray aiuto = [] {
        QFile file(QStringLiteral(QUORLA_AIUTO));
        return file.open(QIODevice::ReadOnly)
                   ? file.readAll().replace("@VERSIONE@", QUORLA_VERSIONE)
                   : QByteArray();
    }();
    QVERIFY(!aiuto.isEmpty());
    for (const char* opzione : {"--help", "-h", "--help-all"})
        QTest::newRow(opzione) << QStringLiteral(QUORLA_CLI) << QString::fromLatin1(opzione)
                               << aiuto;
    QTest::newRow("--version") << QStringLiteral(QUORLA_CLI) << u"--version"_s
                               << "quorla-cli (Quorla!) " QUORLA_VERSIONE "\n"_ba;
    // The window's program answers without a display.
    for (const char* opzione : {"--version", "-v"})
        QTest::newRow(qPrintable(u"quorla "_s + QLatin1StringView(opzione)))
            << QStringLiteral(QUORLA_APP) << QString::fromLatin1(opzione)
            << "Quorla! " QUORLA_VERSIONE "\n"_ba;
}

void TstCli::risposte() {
    QFETCH(QString, programma);
    QFETCH(QString, opzione);
    QFETCH(QByteArray, atteso);
    QProcess p;
    const Risultato r = Esegui(p, {opzione}, {}, programma);
    QCOMPARE(r.esito, 0);
    QCOMPARE(r.errori, QByteArray());
    // After the version, one line of legal notice and nothing more.
    if (opzione == u"--version" && programma == QStringLiteral(QUORLA_CLI))
        QCOMPARE(r.uscita.count('\n'), 2);
    QCOMPARE(r.uscita.first(std::min(r.uscita.size(), atteso.size())), atteso);
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
    QTest::qWait(1500);
    for (QProcess* p : {&terminale, &pipe}) {
        p->write("b a");
        p->closeWriteChannel();
        QVERIFY(p->waitForFinished());
        QCOMPARE(p->readAllStandardOutput(), "a;b"_ba);
    }
    QCOMPARE(pipe.readAllStandardError(), QByteArray());
    QByteArray errori;
    char pezzo[4096];
    for (ssize_t n; (n = ::read(pty, pezzo, sizeof pezzo)) > 0;)
        errori.append(pezzo, n);
    ::close(pty);
    // Rewritten in place, and wiped at the end.
    QVERIFY2(errori.startsWith("\rquorla-cli: lettura di standard input... 1 s\x1b[K"),
             errori.constData());
    QVERIFY(errori.endsWith("\r\x1b[K"));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
