// Runs the built quorla-cli as a process, as a script would.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct Risultato {
    int esito = -1;
    QByteArray uscita;
    QByteArray errori;
};

// Limits the size of any file the child writes, as a full disk would.
std::function<void()> LimiteFile(rlim_t byte) {
    return [byte] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite{byte, byte};
        setrlimit(RLIMIT_FSIZE, &limite);
    };
}

Risultato Esegui(const QStringList& argomenti, const QByteArray& ingresso = {},
                 const QString& cartella = {}, std::function<void()> nelFiglio = {}) {
    QProcess processo;
    if (!cartella.isEmpty())
        processo.setWorkingDirectory(cartella);
    if (nelFiglio)
        processo.setChildProcessModifier(nelFiglio);
    processo.start(QStringLiteral(QUORLA_CLI), argomenti);
    Risultato r;
    if (!processo.waitForStarted())
        return r;
    processo.write(ingresso);
    processo.closeWriteChannel();
    if (!processo.waitForFinished(60'000) || processo.exitStatus() != QProcess::NormalExit)
        return r;
    r.esito = processo.exitCode();
    r.uscita = processo.readAllStandardOutput();
    r.errori = processo.readAllStandardError();
    return r;
}

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<illeggibile>"_ba;
}

bool Crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

private slots:
    void init() {
        cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(cartella->isValid());
    }

    void opzioni_data();
    void opzioni();
    void ingressi_data();
    void ingressi();
    void codifiche_data();
    void codifiche();
    void errori_data();
    void errori();
    void salvataggio_data();
    void salvataggio();
    void aiutoEVersione();

private:
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstCli::opzioni_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QByteArray>("ingresso");
    QTest::addColumn<QByteArray>("atteso");
    QTest::addColumn<int>("esito");

    // The window's defaults: space and ";" split, ";" joins, no reflow.
    QTest::newRow("predefinite") << QStringList() << "pera mela; banana  kiwi"_ba
                                 << "banana;kiwi;mela;pera"_ba << 0;
    QTest::newRow("vuoto") << QStringList() << ""_ba
                           << ""_ba << 0;
    QTest::newRow("solo spazi") << QStringList() << "   "_ba
                                << ""_ba << 0;
    QTest::newRow("solo separatori") << QStringList() << ";;;"_ba
                                     << ""_ba << 0;
    QTest::newRow("ripetute restano") << QStringList() << "b a b"_ba
                                      << "a;b;b"_ba << 0;
    QTest::newRow("separatore in testa e in coda") << QStringList() << "; b a ;"_ba
                                                   << "a;b"_ba << 0;

    QTest::newRow("-s per nome") << QStringList{u"-s"_s, u"virgola"_s} << "c,b a,a"_ba
                                 << "a;b a;c"_ba << 0;
    QTest::newRow("-s per carattere") << QStringList{u"-s"_s, u","_s} << "c,b a,a"_ba
                                      << "a;b a;c"_ba << 0;
    QTest::newRow("-s elenco misto") << QStringList{u"--separatori=punto,|"_s} << "c.b|a d"_ba
                                     << "a d;b;c"_ba << 0;
    QTest::newRow("-s nessuno") << QStringList{u"-s"_s, u"nessuno"_s} << " y x "_ba
                                << "y x"_ba << 0;
    QTest::newRow("-u per carattere") << QStringList{u"-u"_s, u"/"_s} << "b a"_ba
                                      << "a/b"_ba << 0;
    QTest::newRow("-u tab") << QStringList{u"--uscita"_s, u"tab"_s} << "b a"_ba
                            << "a\tb"_ba << 0;
    QTest::newRow("voce con il separatore d'uscita") << QStringList{u"-u"_s, u","_s} << "y x,"_ba
                                                     << "x,y"_ba << 0;

    // The reflow of the engine's examples, on "alfa;beta;delta;gamma".
    const QByteArray voci = "gamma delta beta alfa"_ba;
    QTest::newRow("-w 12") << QStringList{u"-w"_s, u"12"_s} << voci
                           << "alfa;beta \r\ndelta;gamma"_ba << 0;
    QTest::newRow("-w 12 --fine-riga")
        << QStringList{u"-w12"_s, u"--fine-riga"_s} << voci << "alfa;beta;\r\ndelta;gamma"_ba << 0;
    QTest::newRow("-w 9") << QStringList{u"--larghezza=9"_s} << voci
                          << "alfa;beta \r\ndelta \r\ngamma"_ba << 0;
    QTest::newRow("-w 21 una riga")
        << QStringList{u"-w"_s, u"21"_s} << voci << "alfa;beta;delta;gamma"_ba << 0;
    QTest::newRow("-w 4 non formattabile")
        << QStringList{u"-w"_s, u"4"_s} << voci << "alfa;beta;delta;gamma"_ba << 1;
    QTest::newRow("-w su vuoto") << QStringList{u"-w"_s, u"10"_s} << ";"_ba
                                 << ""_ba << 1;
    QTest::newRow("--fine-riga senza -w")
        << QStringList{u"--fine-riga"_s} << voci << "alfa;beta;delta;gamma"_ba << 0;
    QTest::newRow("--fine-testo") << QStringList{u"--fine-testo"_s} << voci
                                  << "alfa;beta;delta;gamma;"_ba << 0;
    QTest::newRow("--fine-testo -w 4") << QStringList{u"--fine-testo"_s, u"-w"_s, u"4"_s} << voci
                                       << "alfa;beta;delta;gamma;"_ba << 1;

    // With "Invio" among the separators, every line is read as a line.
    QTest::newRow("invio: una voce per riga")
        << QStringList{u"-s"_s, u"invio"_s} << "pera mela\nbanana\r\nkiwi\rfico\n"_ba
        << "banana;fico;kiwi;pera mela"_ba << 0;
    QTest::newRow("invio e spazio") << QStringList{u"-s"_s, u"invio,spazio"_s} << "b c\na\n"_ba
                                    << "a;b;c"_ba << 0;
    QTest::newRow("riga vuota con invio") << QStringList{u"-s"_s, u"invio"_s} << "b\n\na\n"_ba
                                          << "a;b"_ba << 0;
    // Without it, the lines of the input are joined by a space, as "Apri" does.
    QTest::newRow("righe senza invio") << QStringList() << "pera\nmela\n"_ba
                                       << "mela;pera"_ba << 0;
    QTest::newRow("righe senza spazio") << QStringList{u"-s"_s, u";"_s} << "b c\na"_ba
                                        << "b c a"_ba << 0;

    // The ordering options and the output choices reach the engine.
    QTest::newRow("-u invio") << QStringList{u"-u"_s, u"invio"_s} << "b a"_ba
                              << "a\r\nb"_ba << 0;
    QTest::newRow("--spazio-dopo -w 11")
        << QStringList{u"-u"_s, u","_s, u"--spazio-dopo"_s, u"-w"_s, u"11"_s}
        << "gamma beta alfa"_ba
        << "alfa, beta \r\ngamma"_ba << 0;
    QTest::newRow("-r -n") << QStringList{u"-r"_s, u"-n"_s} << "img2 img10 img1"_ba
                           << "img10;img2;img1"_ba << 0;
    QTest::newRow("--maiuscole=prima --doppioni=identici")
        << QStringList{u"--maiuscole=prima"_s, u"--doppioni=identici"_s}
        << "roma Rovigo Roma roma"_ba
        << "Roma;roma;Rovigo"_ba << 0;
    QTest::newRow("--ignora-articoli -s punto-e-virgola")
        << QStringList{u"--ignora-articoli"_s, u"-s"_s, u";"_s} << "Il Gattopardo;L'Aquila;Bari"_ba
        << "L'Aquila;Bari;Il Gattopardo"_ba << 0;
    QTest::newRow("--lingua=sv") << QStringList{u"--lingua=sv"_s} << "öl zebra ost"_ba
                                 << "ost;zebra;öl"_ba << 0;
    QTest::newRow("--lingua=unicode --doppioni=simili")
        << QStringList{u"--lingua=unicode"_s, u"--doppioni=simili"_s} << "b città Citta B a"_ba
        << "a;b;città"_ba << 0;
}

void TstCli::opzioni() {
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, ingresso);
    QFETCH(QByteArray, atteso);
    QFETCH(int, esito);

    const Risultato r = Esegui(argomenti, ingresso);
    QCOMPARE(r.uscita, atteso);
    QCOMPARE(r.esito, esito);
    if (esito == 1)
        QCOMPARE(r.errori, "quorla-cli: Impossibile formattare il testo\n"_ba);
    else
        QCOMPARE(r.errori, QByteArray());
}

void TstCli::ingressi_data() {
    QTest::addColumn<QList<QByteArray>>("file");
    QTest::addColumn<QStringList>("argomenti"); // @N names the Nth file
    QTest::addColumn<QByteArray>("ingresso");
    QTest::addColumn<QByteArray>("atteso");

    QTest::newRow("un file") << QList{"pera mela\r\nkiwi\r\n"_ba} << QStringList{u"@0"_s} << ""_ba
                             << "kiwi;mela;pera"_ba;
    QTest::newRow("due file in fila")
        << QList{"d c"_ba, "b a"_ba} << QStringList{u"@0"_s, u"@1"_s} << ""_ba
        << "a;b;c;d"_ba;
    // The end of one file and the start of the next are a line end.
    QTest::newRow("file senza fine riga si uniscono come righe")
        << QList{"b"_ba, "a"_ba} << QStringList{u"-s"_s, u"invio"_s, u"@0"_s, u"@1"_s} << ""_ba
        << "a;b"_ba;
    QTest::newRow("- è lo standard input")
        << QList{"c"_ba, "a"_ba} << QStringList{u"@0"_s, u"-"_s, u"@1"_s} << "b"_ba
        << "a;b;c"_ba;
    QTest::newRow("nessun file: standard input") << QList<QByteArray>() << QStringList() << "y x"_ba
                                                 << "x;y"_ba;
    QTest::newRow("file vuoto") << QList{""_ba} << QStringList{u"@0"_s} << "x"_ba
                                << ""_ba;
    QTest::newRow("-o - è lo standard output")
        << QList<QByteArray>() << QStringList{u"-o"_s, u"-"_s} << "b a"_ba
        << "a;b"_ba;
    // A pipe named as a file, as <(...) gives one, is read to its end.
    QTest::newRow("una pipe per nome")
        << QList<QByteArray>() << QStringList{u"/dev/stdin"_s} << "b a"_ba
        << "a;b"_ba;
    QTest::newRow("standard input ignorato con un file")
        << QList{"b a"_ba} << QStringList{u"@0"_s} << "z"_ba
        << "a;b"_ba;
}

void TstCli::ingressi() {
    QFETCH(QList<QByteArray>, file);
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, ingresso);
    QFETCH(QByteArray, atteso);

    for (qsizetype k = 0; k < file.size(); ++k)
        QVERIFY(Crea(cartella->filePath(u"f%1.txt"_s.arg(k)), file[k]));
    for (QString& a : argomenti) {
        if (a.startsWith(u'@'))
            a = cartella->filePath(u"f%1.txt"_s.arg(a.mid(1)));
    }
    const Risultato r = Esegui(argomenti, ingresso);
    QCOMPARE(r.errori, QByteArray());
    QCOMPARE(r.esito, 0);
    QCOMPARE(r.uscita, atteso);
}

void TstCli::codifiche_data() {
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<QByteArray>("atteso");

    QTest::newRow("UTF-8") << "perché città è"_ba
                           << "città;è;perché"_ba;
    QTest::newRow("BOM UTF-8") << "\xEF\xBB\xBF"
                                  "b a"_ba
                               << "a;b"_ba;
    QTest::newRow("Windows-1252 diventa UTF-8") << "t\xE8 caff\xE8 \x80"_ba
                                                << "€;caffè;tè"_ba;
    QTest::newRow("fuori dal piano base") << "\xF0\x9F\x98\x80 a"_ba
                                          << "\xF0\x9F\x98\x80;a"_ba;
    QTest::newRow("controlli intatti") << "b\x01"
                                          "a c\td"_ba
                                       << "a;b;c\td"_ba;
}

void TstCli::codifiche() {
    QFETCH(QByteArray, byte);
    QFETCH(QByteArray, atteso);

    const Risultato daIngresso = Esegui({}, byte);
    QCOMPARE(daIngresso.esito, 0);
    QCOMPARE(daIngresso.uscita, atteso);

    const QString percorso = cartella->filePath(u"codifica.txt"_s);
    QVERIFY(Crea(percorso, byte));
    const Risultato daFile = Esegui({percorso});
    QCOMPARE(daFile.esito, 0);
    QCOMPARE(daFile.uscita, atteso);
}

void TstCli::errori_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QByteArray>("messaggio"); // part of standard error

    QTest::newRow("file che non esiste")
        << QStringList{u"manca.txt"_s} << "impossibile leggere «manca.txt»: il file non esiste"_ba;
    QTest::newRow("una cartella") << QStringList{u"."_s} << "«.»: è una cartella"_ba;
    QTest::newRow("il secondo file manca")
        << QStringList{u"buono.txt"_s, u"manca.txt"_s} << "«manca.txt»"_ba;
    QTest::newRow("opzione sconosciuta") << QStringList{u"--boh"_s} << "Uso: quorla-cli"_ba;
    QTest::newRow("manca il valore") << QStringList{u"-w"_s} << "manca il valore"_ba;
    QTest::newRow("larghezza 0") << QStringList{u"-w"_s, u"0"_s} << "larghezza non valida"_ba;
    QTest::newRow("larghezza 101") << QStringList{u"-w"_s, u"101"_s} << "larghezza non valida"_ba;
    QTest::newRow("larghezza non numero") << QStringList{u"-w"_s, u"dieci"_s} << "«dieci»"_ba;
    QTest::newRow("separatore sconosciuto") << QStringList{u"-s"_s, u"spazio,x"_s} << "«x»"_ba;
    QTest::newRow("separatore vuoto in lista")
        << QStringList{u"-s"_s, u"spazio,"_s} << "separatore sconosciuto"_ba;
    QTest::newRow("uscita sconosciuta") << QStringList{u"-u"_s, u"ab"_s} << "«ab»"_ba;
    QTest::newRow("maiuscole errate") << QStringList{u"--maiuscole=sempre"_s} << "«sempre»"_ba;
    QTest::newRow("doppioni errati") << QStringList{u"--doppioni=tutti"_s} << "«tutti»"_ba;
    QTest::newRow("lingua sconosciuta") << QStringList{u"--lingua=xx"_s} << "«xx»"_ba;
    QTest::newRow("seme non numero") << QStringList{u"--seme=-1"_s} << "«-1»"_ba;
}

void TstCli::errori() {
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, messaggio);

    QVERIFY(Crea(cartella->filePath(u"buono.txt"_s), "b a"_ba));
    const Risultato r = Esegui(argomenti, "x"_ba, cartella->path());
    QCOMPARE(r.esito, 2);
    QCOMPARE(r.uscita, QByteArray());
    QVERIFY2(r.errori.startsWith("quorla-cli: "), r.errori.constData());
    QVERIFY2(r.errori.contains(messaggio), r.errori.constData());
}

void TstCli::salvataggio_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<rlim_t>("limite"); // 0: none
    QTest::addColumn<int>("esito");
    QTest::addColumn<QByteArray>("atteso"); // the target afterwards

    const QByteArray vecchio = "contenuto da non perdere"_ba;
    QTest::newRow("salva") << QStringList{u"voci.txt"_s} << rlim_t(0) << 0 << "aa;bb"_ba;
    QTest::newRow("non formattabile salva lo stesso")
        << QStringList{u"-w"_s, u"1"_s, u"voci.txt"_s} << rlim_t(0) << 1 << "aa;bb"_ba;
    QTest::newRow("ingresso illeggibile")
        << QStringList{u"voci.txt"_s, u"manca.txt"_s} << rlim_t(0) << 2 << vecchio;
    QTest::newRow("opzione errata")
        << QStringList{u"-w"_s, u"0"_s, u"voci.txt"_s} << rlim_t(0) << 2 << vecchio;
    // The result is larger than the file size limit: the write fails midway.
    QTest::newRow("scrittura interrotta")
        << QStringList{u"grande.txt"_s} << rlim_t(4096) << 2 << vecchio;
}

void TstCli::salvataggio() {
    QFETCH(QStringList, argomenti);
    QFETCH(rlim_t, limite);
    QFETCH(int, esito);
    QFETCH(QByteArray, atteso);

    const QDir qui(cartella->path());
    QVERIFY(Crea(qui.filePath(u"voci.txt"_s), "bb aa"_ba));
    QVERIFY(Crea(qui.filePath(u"grande.txt"_s), "parola "_ba.repeated(100'000)));
    QVERIFY(Crea(qui.filePath(u"uscita.txt"_s), "contenuto da non perdere"_ba));
    const QStringList primaDi = qui.entryList(QDir::Files);

    const Risultato r = Esegui(QStringList{u"-o"_s, u"uscita.txt"_s} + argomenti, {}, qui.path(),
                               limite ? LimiteFile(limite) : nullptr);
    QCOMPARE(r.esito, esito);
    QCOMPARE(r.uscita, QByteArray());
    QCOMPARE(Contenuto(qui.filePath(u"uscita.txt"_s)), atteso);
    // No temporary file left behind.
    QCOMPARE(qui.entryList(QDir::Files), primaDi);
    if (esito == 2 && limite)
        QVERIFY2(r.errori.contains("«uscita.txt»"), r.errori.constData());
}

void TstCli::aiutoEVersione() {
    const Risultato aiuto = Esegui({u"--help"_s});
    QCOMPARE(aiuto.esito, 0);
    QVERIFY(aiuto.uscita.startsWith("Uso: quorla-cli [opzioni] [FILE...]\n"));
    for (const char* opzione :
         {"-s, --separatori", "-u, --uscita", "--spazio-dopo", "--fine-riga", "--fine-testo",
          "-w, --larghezza", "-r, --decrescente", "-n, --numeri-naturali", "--maiuscole",
          "--ignora-punteggiatura", "--ignora-articoli", "--doppioni", "--lingua", "--mescola",
          "--seme", "-o, --output", "Mostra questo aiuto", "Opzioni:", "Argomenti:"})
        QVERIFY2(aiuto.uscita.contains(opzione), opzione);

    const Risultato versione = Esegui({u"--version"_s});
    QCOMPARE(versione.esito, 0);
    QVERIFY(versione.uscita.startsWith("quorla-cli (Quorla!) " QUORLA_VERSIONE "\n"));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
