// Texts larger than the memory given are sorted in runs on disk: the result
// must be the one the sort in memory gives, and nothing may stay behind.
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

class TstEsterno : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void comeInMemoria_data();
    void comeInMemoria();
    void mescola();
    void nienteResta_data();
    void nienteResta();
    void soloSpazi();
    void cartellaMancante();
    void pocheDescrittori();
    void memoriaNonValida();

private:
    struct Esito {
        QByteArray uscita;
        QByteArray errore;
        int codice;
    };
    Esito esegui(const QStringList& argomenti, const QByteArray& ingresso = {});
    QTemporaryDir cartella;
    QString voci;
};

void TstEsterno::initTestCase() {
    // Repeats, case and accent variants, empty items, numbers written the
    // Italian way, CR LF and lone CRs, and a blank tail.
    static const char* const parole[] = {
        "pera", "Pera",       "mela", "Mèla", "il gatto", "Il Gatto", "l'albero", "img10",
        "img2", "1.234,5",    "-3",   "",     "  ",       "Éclair",   "éclair",   "ß",
        "ss",   "2023-01-05", "5 MB", "a;b",  "zebra",    "àncora",   "x;1,5",    "y;-2"};
    QRandomGenerator caso(7);
    QByteArray testo;
    for (int i = 0; i < 6000; ++i) {
        QByteArray voce = parole[caso.bounded(int(std::size(parole)))];
        if (caso.bounded(2))
            voce += QByteArray::number(caso.bounded(200));
        if (caso.bounded(3) == 0)
            voce += ';' + QByteArray::number(caso.bounded(-50, 50)) + ',' +
                    QByteArray::number(caso.bounded(10));
        const int fine = caso.bounded(10);
        testo += voce + (fine == 0 ? "\r\n" : fine == 1 ? "\r" : "\n");
    }
    testo += "   \n";
    voci = cartella.filePath(u"voci.txt"_s);
    QFile f(voci);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size());
}

TstEsterno::Esito TstEsterno::esegui(const QStringList& argomenti, const QByteArray& ingresso) {
    QProcess p;
    p.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        if (qEnvironmentVariableIsSet("QUORLA_LIMITE_PROVA")) {
            const rlimit limite{20000, 20000};
            setrlimit(RLIMIT_FSIZE, &limite);
        }
        if (qEnvironmentVariableIsSet("QUORLA_DESCRITTORI_PROVA")) {
            const rlimit limite{48, 48};
            setrlimit(RLIMIT_NOFILE, &limite);
        }
    });
    p.start(QStringLiteral(QUORLA_CLI), argomenti);
    p.write(ingresso);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.readAllStandardOutput(), p.readAllStandardError(), p.exitCode()};
}

void TstEsterno::comeInMemoria_data() {
    QTest::addColumn<QString>("argomenti");
    QTest::addColumn<QString>("memoria"); // small enough for dozens of runs
    for (const char* a : {"",
                          "-r",
                          "-s virgola,spazio -u virgola --spazio-dopo",
                          "-w 40 -u virgola --fine-riga",
                          "-s invio -u invio -w 12",
                          "-z",
                          "--ordine testo",
                          "--ordine inverti",
                          "--doppioni elimina",
                          "--doppioni ripetuti",
                          "--doppioni unici",
                          "--doppioni conta",
                          "--doppioni conta --per-frequenza",
                          "--doppioni conta --per-frequenza -r",
                          "--doppioni conta -r",
                          "--doppioni elimina --simili",
                          "--doppioni conta --simili --lingua unicode",
                          "--doppioni unici --ordine inverti",
                          "--intestazione 3 --doppioni conta",
                          "-t ; -k 2,numero,decrescente -k 1",
                          "-t ; -k 2,numero --mostra-chiavi -r",
                          "-k cognome --doppioni elimina",
                          "--lingua unicode -r",
                          "-n --ignora-punteggiatura --ignora-articoli --maiuscole prima"}) {
        const QString argomenti = QString::fromUtf8(a);
        const QString righe = argomenti.contains(u"-s ") || argomenti.contains(u"-z")
                                  ? argomenti
                                  : u"-s invio -u invio "_s + argomenti;
        QTest::addRow("%s", a) << righe << u"8K"_s;
    }
    // More runs than one merge takes at once.
    QTest::newRow("due livelli di fusione") << u"-s invio -u invio"_s << u"1K"_s;
}

void TstEsterno::comeInMemoria() {
    QFETCH(QString, argomenti);
    QFETCH(QString, memoria);
    const QStringList a = argomenti.split(u' ', Qt::SkipEmptyParts);
    const Esito inMemoria = esegui(a + QStringList{voci});
    QVERIFY2(inMemoria.codice != 2, inMemoria.errore.constData()); // 1: the reflow gave up
    const Esito aBlocchi = esegui(a + QStringList{u"-S"_s, memoria, voci});
    QCOMPARE(aBlocchi.errore, inMemoria.errore);
    QCOMPARE(aBlocchi.codice, inMemoria.codice);
    QCOMPARE(aBlocchi.uscita, inMemoria.uscita);
    // Standard input beyond the memory is copied to disk and sorted the same.
    QFile f(voci);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray testo = f.readAll();
    QCOMPARE(esegui(a + QStringList{u"-S"_s, memoria}, testo).uscita, inMemoria.uscita);
    // Several inputs follow one another as in memory, standard input among them.
    const QStringList tre = a + QStringList{voci, u"-"_s, voci};
    QCOMPARE(esegui(tre + QStringList{u"-S"_s, memoria}, testo).uscita, esegui(tre, testo).uscita);
}

// A shuffle in runs is still a shuffle of all the items, the same for a seed.
void TstEsterno::mescola() {
    const QStringList a = {u"-s"_s, u"invio"_s,     u"-u"_s,     u"invio"_s, u"-S"_s,
                           u"8K"_s, u"--mescola"_s, u"--seme"_s, u"5"_s,     voci};
    const Esito primo = esegui(a);
    QCOMPARE(esegui(a).uscita, primo.uscita);
    QByteArrayList mescolate = primo.uscita.split('\n');
    QByteArrayList ordinate = esegui(a.mid(0, 6) + QStringList{voci}).uscita.split('\n');
    QVERIFY(mescolate != ordinate);
    std::sort(mescolate.begin(), mescolate.end());
    std::sort(ordinate.begin(), ordinate.end());
    QCOMPARE(mescolate, ordinate);
}

void TstEsterno::nienteResta_data() {
    QTest::addColumn<QString>("come");
    QTest::newRow("riuscito") << u"riuscito"_s;
    QTest::newRow("disco pieno") << u"pieno"_s;
    QTest::newRow("SIGTERM") << u"segnale"_s;
}

// The runs, the copy of standard input and the file beside the target leave
// nothing in the folders, however the sort ends; a failed sort leaves the
// target as it was.
void TstEsterno::nienteResta() {
    QFETCH(QString, come);
    QTemporaryDir temporanei;
    QTemporaryDir destinazione;
    const QString bersaglio = destinazione.filePath(u"ordinato.txt"_s);
    QFile vecchio(bersaglio);
    QVERIFY(vecchio.open(QIODevice::WriteOnly) && vecchio.write("vecchio") == 7);
    vecchio.close();
    const QStringList argomenti = {u"-S"_s, u"8K"_s,   u"-T"_s, temporanei.path(),
                                   u"-o"_s, bersaglio, u"-"_s};
    QFile f(voci);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray testo = f.readAll();
    auto vuota = [](const QTemporaryDir& d) {
        return QDir(d.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };

    if (come == u"segnale") {
        QProcess p;
        p.start(QStringLiteral(QUORLA_CLI), argomenti);
        QVERIFY(p.waitForStarted());
        p.write(testo); // standard input stays open: the sort waits for the rest
        QVERIFY(p.waitForBytesWritten());
        QTest::qWait(500);
        QCOMPARE(p.state(), QProcess::Running);
        QCOMPARE(vuota(temporanei), QStringList());
        p.terminate();
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    } else {
        if (come == u"pieno")
            qputenv("QUORLA_LIMITE_PROVA", "1");
        const Esito e = esegui(argomenti, testo);
        qunsetenv("QUORLA_LIMITE_PROVA");
        if (come == u"pieno") {
            QCOMPARE(e.codice, 2);
            QCOMPARE(e.errore, "quorla-cli: impossibile scrivere i file temporanei in «" +
                                   QFile::encodeName(temporanei.path()) +
                                   "»: File troppo grande\n");
        } else {
            QCOMPARE(e.codice, 0);
        }
    }
    QCOMPARE(vuota(temporanei), QStringList());
    QCOMPARE(vuota(destinazione), QStringList{u"ordinato.txt"_s});
    if (come != u"riuscito") {
        QVERIFY(vecchio.open(QIODevice::ReadOnly));
        QCOMPARE(vecchio.readAll(), "vecchio");
    }
}

// Nothing but spaces is nothing to write, however long.
void TstEsterno::soloSpazi() {
    const Esito e = esegui({u"-S"_s, u"8K"_s, u"--fine-testo"_s},
                           QByteArray(50000, ' ') + "\n" + QByteArray(9, ' '));
    QCOMPARE(e.codice, 0);
    QCOMPARE(e.uscita, QByteArray());
}

void TstEsterno::cartellaMancante() {
    const Esito e = esegui({u"-S"_s, u"8K"_s, u"-T"_s, u"/nessuna/cartella"_s, voci});
    QCOMPARE(e.codice, 2);
    QCOMPARE(e.errore, "quorla-cli: impossibile scrivere i file temporanei in «/nessuna/cartella»: "
                       "La cartella non esiste\n");
    QCOMPARE(e.uscita, QByteArray());
}

// Hundreds of runs with few descriptors: they are merged as they come.
void TstEsterno::pocheDescrittori() {
    const QStringList a = {u"-s"_s, u"invio"_s, u"-u"_s, u"invio"_s, voci};
    qputenv("QUORLA_DESCRITTORI_PROVA", "1");
    const Esito e = esegui(a + QStringList{u"-S"_s, u"1K"_s});
    qunsetenv("QUORLA_DESCRITTORI_PROVA");
    QCOMPARE(e.errore, QByteArray());
    QCOMPARE(e.uscita, esegui(a).uscita);
}

void TstEsterno::memoriaNonValida() {
    for (const char* m : {"0", "12X", "101%", "-5M"}) {
        const Esito e = esegui({u"-S"_s, QString::fromLatin1(m), voci});
        QCOMPARE(e.codice, 2);
        QVERIFY2(e.errore.startsWith("quorla-cli: memoria non valida: «"_ba + m + "»\n"),
                 e.errore.constData());
    }
}

QTEST_GUILESS_MAIN(TstEsterno)
#include "tst_esterno.moc"
