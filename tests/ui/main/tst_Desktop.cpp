#include "Dialoghi.h"
#include "RigaComando.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The real file dialog on `cartella`, handed to `azione`; then its boxes and it dismissed.
std::optional<QString> conDialogo(bool apri, const QString& cartella,
                                  const std::function<void(QFileDialog*)>& azione) {
    QTimer guardiano;
    int passi = 0;
    QObject::connect(&guardiano, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* file = qobject_cast<QFileDialog*>(dialogo);
        if (file && passi++ == 0)
            azione(file);
        else if (dialogo && (!file || passi > 20))
            dialogo->reject();
    });
    guardiano.start(50);
    const Dialoghi::OpzioniFile opzioni = {
        u"Apri"_s, {u"File di testo (*.txt)"_s, u"All Files (*.*)"_s}, {}, u"txt"_s, cartella, apri,
        false};
    DialoghiQt dialoghi;
    return apri ? dialoghi.apriFile(nullptr, opzioni) : dialoghi.salvaFile(nullptr, opzioni);
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    // From the command line: an answer and exit code before the toolkit starts, or the file
    // to open, warnings included.
    void rigaComando_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("codice"); // -1: the window starts
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("scritto");
        const QString aiuto =
            "Uso: quorla [opzioni] [file]\nQuorla! - Brivetanzia alfabetico di testi\n\nApre il "
            "file di testo indicato come \"Apri...\" e ne mette in ordine le voci.\n\nOpzioni:\n"
            "  -h, --help      Mostra questo aiuto ed esce.\n  -v, --version   Mostra la "
            "versione ed esce.\n\nArgomenti:\n  file            Il file di testo da aprire; gli "
            "altri argomenti sono ignorati.\n";
        QTest::newRow("relativo") << QStringList{"./a/voci.txt"} << -1
                                  << QDir::currentPath() + "/a/voci.txt" << QString();
        QTest::newRow("in più") << QStringList{"/tmp/a.txt", "c d.txt"} << -1 << "/tmp/a.txt"
                                << "quorla: si apre solo il primo file; ignorati: c d.txt\n";
        // -reverse is the toolkit's, not a bundle of letters holding a v.
        QTest::newRow("del toolkit")
            << QStringList{"-reverse", "-k", "voci.txt"} << 2 << QString()
            << "quorla: opzione sconosciuta: --reverse\nquorla: opzione "
               "sconosciuta: -k\nPer l'elenco delle opzioni: quorla --help\n";
        QTest::newRow("versione") << QStringList{"-platform", "offscreen", "-v"} << 0 << QString()
                                  << "Quorla! 2.00\n";
        QTest::newRow("aiuto") << QStringList{"--help", "-v"} << 0 << QString() << aiuto;
    }
    void rigaComando() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, codice);
        QFETCH(QString, file);
        QFETCH(QString, scritto);
        // A device, not a string, so that what is not flushed is not seen.
        QBuffer uscita;
        uscita.open(QIODevice::WriteOnly);
        QTextStream flusso(&uscita);
        argomenti.prepend(u"quorla"_s);
        const std::optional<int> subito = RispostaImmediata(argomenti, flusso);
        const RigaComando riga = subito ? RigaComando{} : LeggiRigaComando(argomenti, flusso);
        QCOMPARE(subito ? *subito : riga.uscita.value_or(-1), codice);
        QCOMPARE(riga.file.value_or(QString()), file);
        QCOMPARE(QString::fromUtf8(uscita.data()), scritto);
    }

    // "All Files (*.*)" shows every file. A name typed to open is taken as it is if it exists,
    // else with ".txt"; to save, ".txt" goes on any name without an extension.
    void nomeDigitato_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("scelto"); // empty: the dialog gives nothing
        QTest::newRow("apri, esiste com'è") << true << u"LEGGIMI"_s << u"LEGGIMI"_s;
        QTest::newRow("apri, esiste con .txt") << true << u"voci"_s << u"voci.txt"_s;
        QTest::newRow("apri, non esiste") << true << u"manca"_s << QString();
        QTest::newRow("salva, esiste com'è") << false << u"LEGGIMI"_s << u"LEGGIMI.txt"_s;
    }
    void nomeDigitato() {
        QFETCH(bool, apri);
        QFETCH(QString, digitato);
        QFETCH(QString, scelto);
        QTemporaryDir cartella;
        for (const QString& nome : {u"LEGGIMI"_s, u"note.md"_s, u"voci.txt"_s}) {
            QFile file(cartella.filePath(nome));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList visti; // each filter's caption, then the files it shows
        const std::optional<QString> risposta =
            conDialogo(apri, cartella.path(), [&](QFileDialog* dialogo) {
                auto* tipi = dialogo->findChild<QComboBox*>(u"fileTypeCombo"_s);
                auto* lista = dialogo->findChild<QListView*>(u"listView"_s);
                // The last filter looked at is the first, the one the dialog opens with.
                for (int filtro = tipi->count() - 1; filtro >= 0; --filtro) {
                    tipi->setCurrentIndex(filtro);
                    emit tipi->activated(filtro);
                    QTest::qWait(300); // the folder is read in the background
                    QStringList nomi;
                    for (int r = 0; r < lista->model()->rowCount(lista->rootIndex()); ++r)
                        nomi << lista->model()->index(r, 0, lista->rootIndex()).data().toString();
                    nomi.sort();
                    visti.prepend(tipi->itemText(filtro) + ':' + nomi.join(','));
                }
                auto* nome = dialogo->findChild<QLineEdit*>(u"fileNameEdit"_s);
                nome->setFocus();
                nome->clear();
                QTest::keyClicks(nome, digitato);
                // Later: a dialog that refuses the name shows a box of its own.
                QTimer::singleShot(0, nome, [nome] { QTest::keyClick(nome, Qt::Key_Return); });
            });
        QCOMPARE(visti, (QStringList{"File di testo (*.txt):voci.txt",
                                     "All Files (*.*):LEGGIMI,note.md,voci.txt"}));
        QCOMPARE(risposta.value_or(QString()),
                 scelto.isEmpty() ? QString() : cartella.filePath(scelto));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_Desktop.moc"
