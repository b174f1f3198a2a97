#include "Controlli.h"
#include "FintiDialoghi.h"
#include "MainForm.h"
#include "RigaComando.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

bool crea(const QString& percorso, const QByteArray& byte) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(byte) == byte.size();
}

// The widget a drag over `w` reaches: the first one up from it that takes
// drops, as the toolkit looks for it.
QWidget* destinatario(QWidget* w) {
    while (w && !w->acceptDrops())
        w = w->parentWidget();
    return w;
}

// Drags the data over `w` and lets go at `punto`; whether the drop was taken.
bool trascina(QWidget* w, const QMimeData& dati, QPoint punto = QPoint(5, 5)) {
    QWidget* bersaglio = destinatario(w);
    if (!bersaglio)
        return false;
    punto = w->mapTo(bersaglio->window(), punto);
    punto = bersaglio->mapFrom(bersaglio->window(), punto);
    QDragEnterEvent entra(punto, Qt::CopyAction | Qt::MoveAction, &dati, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(bersaglio, &entra);
    if (!entra.isAccepted())
        return false;
    QDragMoveEvent muove(punto, Qt::CopyAction | Qt::MoveAction, &dati, Qt::LeftButton,
                         Qt::NoModifier);
    QCoreApplication::sendEvent(bersaglio, &muove);
    QDropEvent lascia(punto, Qt::CopyAction | Qt::MoveAction, &dati, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(bersaglio, &lascia);
    return lascia.isAccepted();
}

// Shows the real file dialog and, once it is up, hands it to `azione`. Any box
// the dialog opens on its own is dismissed, and the dialog itself cancelled if
// it is still up after a while.
std::optional<QString> conDialogo(bool apri, const Dialoghi::OpzioniFile& opzioni,
                                  const std::function<void(QFileDialog*)>& azione) {
    QTimer guardiano;
    int passi = 0;
    bool fatto = false;
    QObject::connect(&guardiano, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modale)) {
            box->reject();
        } else if (auto* dialogo = qobject_cast<QFileDialog*>(modale)) {
            if (!fatto) {
                fatto = true;
                azione(dialogo);
            } else if (++passi > 20) {
                dialogo->reject();
            }
        }
    });
    guardiano.start(50);
    DialoghiQt dialoghi;
    return apri ? dialoghi.apriFile(nullptr, opzioni) : dialoghi.salvaFile(nullptr, opzioni);
}

Dialoghi::OpzioniFile opzioniDialogo(const QString& cartella, bool apri) {
    Dialoghi::OpzioniFile o;
    o.titolo = apri ? u"Apri"_s : u"Salva con nome"_s;
    o.filtri = QStringList{u"File di testo (*.txt)"_s, u"All Files (*.*)"_s};
    o.estensione = u"txt"_s;
    o.cartella = cartella;
    o.deveEsistere = apri;
    return o;
}

} // namespace

// The program as a desktop sees it: the command line, files dropped on the
// window, and the open and save dialogs.
class TestDesktop : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainForm> f;
    FintiDialoghi* d = nullptr;
    std::unique_ptr<QTemporaryDir> cartella;

private slots:
    void init() {
        auto dialoghi = std::make_unique<FintiDialoghi>();
        d = dialoghi.get();
        f = std::make_unique<MainForm>(std::move(dialoghi));
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(cartella->isValid());
    }
    void cleanup() {
        f.reset();
        cartella.reset();
    }

    void rispostaImmediata_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("codice"); // -1: no answer, the window starts
        QTest::addColumn<QString>("inizio");

        QTest::newRow("--help") << QStringList{"quorla", "--help"} << 0 << "Uso: quorla";
        QTest::newRow("-h con file")
            << QStringList{"quorla", "voci.txt", "-h"} << 0 << "Uso: quorla";
        QTest::newRow("--version") << QStringList{"quorla", "--version"} << 0 << "Quorla! 2.00\n";
        QTest::newRow("-v tra opzioni del toolkit")
            << QStringList{"quorla", "-platform", "offscreen", "-v"} << 0 << "Quorla! 2.00\n";
        QTest::newRow("opzione del toolkit con v")
            << QStringList{"quorla", "-reverse", "voci.txt"} << -1 << "";
        QTest::newRow("file chiamato --help") << QStringList{"quorla", "--", "--help"} << -1 << "";
        QTest::newRow("solo il file") << QStringList{"quorla", "voci.txt"} << -1 << "";
        QTest::newRow("niente") << QStringList{"quorla"} << -1 << "";
    }

    void rispostaImmediata() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, codice);
        QFETCH(QString, inizio);
        QString testo;
        QTextStream uscita(&testo);
        const std::optional<int> risposta = RispostaImmediata(argomenti, uscita);
        QCOMPARE(risposta.value_or(-1), codice);
        if (codice < 0)
            QCOMPARE(testo, QString());
        else
            QVERIFY2(testo.startsWith(inizio), qPrintable(testo));
    }

    void rigaComando_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("codice"); // -1: the window starts
        QTest::addColumn<QString>("errori");

        const QString qui = QDir::currentPath();
        QTest::newRow("niente") << QStringList{"quorla"} << "" << -1 << "";
        QTest::newRow("relativo") << QStringList{"quorla", "./a/voci.txt"} << qui + "/a/voci.txt"
                                  << -1 << "";
        QTest::newRow("assoluto") << QStringList{"quorla", "/tmp/x.txt"} << "/tmp/x.txt" << -1
                                  << "";
        QTest::newRow("argomenti in più")
            << QStringList{"quorla", "/tmp/a.txt", "b.txt", "c d.txt"} << "/tmp/a.txt" << -1
            << "quorla: si apre solo il primo file; ignorati: b.txt c d.txt\n";
        QTest::newRow("dopo --") << QStringList{"quorla", "--", "-x.txt"} << qui + "/-x.txt" << -1
                                 << "";
        QTest::newRow("opzione sconosciuta")
            << QStringList{"quorla", "--colore", "/tmp/a.txt"} << "" << 2
            << "quorla: opzione sconosciuta: --colore\n"
               "Per l'elenco delle opzioni: quorla --help\n";
    }

    void rigaComando() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, file);
        QFETCH(int, codice);
        QFETCH(QString, errori);
        QString scritto;
        QTextStream flusso(&scritto);
        const RigaComando riga = LeggiRigaComando(argomenti, flusso);
        QCOMPARE(riga.file.value_or(QString()), file);
        QCOMPARE(riga.uscita.value_or(-1), codice);
        QCOMPARE(scritto, errori);
    }

    // The real program answers --help and --version with no display at all.
    void senzaFinestra_data() {
        QTest::addColumn<QString>("opzione");
        QTest::addColumn<QByteArray>("inizio");
        QTest::newRow("--help") << "--help"
                                << "Uso: quorla [opzioni] [file]\n"_ba;
        QTest::newRow("--version") << "--version"
                                   << "Quorla! 2.00\n"_ba;
    }

    void senzaFinestra() {
        QFETCH(QString, opzione);
        QFETCH(QByteArray, inizio);
        QProcess quorla;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            ambiente.remove(QString::fromLatin1(nome));
        quorla.setProcessEnvironment(ambiente);
        quorla.start(QStringLiteral(QUORLA_ESEGUIBILE), {opzione});
        QVERIFY(quorla.waitForFinished(10000));
        QCOMPARE(quorla.exitStatus(), QProcess::NormalExit);
        QCOMPARE(quorla.exitCode(), 0);
        QVERIFY2(quorla.readAllStandardOutput().startsWith(inizio),
                 quorla.readAllStandardError().constData());
    }

    // The command line's file goes the way of "Apri...": the same text, the
    // same sort, the same warning, the window as after the dialog.
    void apriComeApri_data() {
        QTest::addColumn<QByteArray>("contenuto"); // empty name: a folder
        QTest::newRow("voci") << "pera mela; banana\r\nkiwi\r\n"_ba;
        QTest::newRow("Windows-1252") << "perch\xE8 caff\xE8"_ba;
        QTest::newRow("illeggibile") << QByteArray();
    }

    void apriComeApri() {
        QFETCH(QByteArray, contenuto);
        QString percorso = cartella->path();
        if (!contenuto.isEmpty()) {
            percorso = cartella->filePath(u"voci.txt"_s);
            QVERIFY(crea(percorso, contenuto));
        }
        auto stato = [this] {
            QStringList messaggi;
            for (const FintiDialoghi::Messaggio& m : std::as_const(d->messaggi))
                messaggi << m.testo << m.titolo << QString::number(m.flags);
            return QStringList{f->testoOrig(), f->testoOrdine()} + messaggi;
        };

        f->Txt_Orig()->impostaTesto(u"prima"_s);
        d->rispostaApri = percorso;
        f->menu().MenuApri->trigger();
        const QStringList dalMenu = stato();
        d->messaggi.clear();

        f->Txt_Orig()->impostaTesto(u"prima"_s);
        f->apriFile(percorso);
        QCOMPARE(stato(), dalMenu);
        QCOMPARE(d->messaggi.size(), contenuto.isEmpty() ? 1 : 0);
    }

    // A file dropped anywhere on the window opens as "Apri..." would open it,
    // on a text box too, which would otherwise take its name for text.
    void trascinaFile_data() {
        QTest::addColumn<QString>("dove");
        QTest::newRow("casella d'ingresso") << "Txt_Orig";
        QTest::newRow("casella d'uscita") << "Txt_Ordine";
        QTest::newRow("righello") << "Img_Righello_0";
        QTest::newRow("barra di stato") << "STBar";
    }

    void trascinaFile() {
        QFETCH(QString, dove);
        const QString percorso = cartella->filePath(u"voci.txt"_s);
        QVERIFY(crea(percorso, "pera mela\r\nbanana\r\n"));
        QWidget* w = f->findChild<QWidget*>(dove);
        QVERIFY(w);
        if (auto* casella = qobject_cast<CasellaTesto*>(w))
            w = casella->viewport();

        f->Txt_Orig()->impostaTesto(u"vecchio"_s);
        QMimeData dati;
        dati.setUrls({QUrl(u"https://esempio.it/altro.txt"_s), QUrl::fromLocalFile(percorso)});
        dati.setText(percorso);
        QVERIFY(trascina(w, dati));
        QTRY_COMPARE(f->testoOrdine(), u"banana;mela;pera"_s);
        QCOMPARE(f->testoOrig(), u"pera mela banana"_s);
        QVERIFY(d->messaggi.isEmpty());
    }

    void trascinaFileIlleggibile() {
        QMimeData dati;
        dati.setUrls({QUrl::fromLocalFile(cartella->path())});
        QVERIFY(trascina(f->Txt_Orig()->viewport(), dati));
        QTRY_COMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo,
                 u"Attenzione, Il file "_s + cartella->path() + u" non è compatibile."_s);
    }

    // Dropped text goes into the box under the mouse as a paste of the same
    // data would, and opens nothing.
    void trascinaTesto_data() {
        QTest::addColumn<QString>("testo");
        QTest::newRow("voci") << "pera mela";
        QTest::newRow("righe") << "pera\r\nmela\nkiwi";
        QTest::newRow("riga lunghissima") << QString(20000, u'x');
    }

    void trascinaTesto() {
        QFETCH(QString, testo);
        QMimeData dati;
        dati.setText(testo);

        CasellaTesto incolla;
        incolla.resize(f->Txt_Orig()->size());
        QGuiApplication::clipboard()->setText(testo);
        incolla.paste();

        f->Txt_Ordine()->impostaTesto(u"uscita"_s);
        QVERIFY(trascina(f->Txt_Orig()->viewport(), dati));
        QCOMPARE(f->testoOrig(), incolla.testo());
        QCOMPARE(f->Txt_Orig()->wordWrapMode(), incolla.wordWrapMode());
        QCOMPARE(f->testoOrdine(), QString()); // a change of the input, as any
        QTest::qWait(50);
        QVERIFY(d->messaggi.isEmpty());
        QCOMPARE(d->aperture.size(), 0);
    }

    // Neither text nor a remote address opens anything outside the boxes.
    void trascinaAltro() {
        QMimeData remoto;
        remoto.setUrls({QUrl(u"https://esempio.it/voci.txt"_s)});
        QVERIFY(!trascina(f->Img_Righello(0), remoto));
        QMimeData testo;
        testo.setText(u"pera"_s);
        QVERIFY(!trascina(f->Img_Righello(0), testo));
        QCOMPARE(f->testoOrig(), QString());
    }

    // "All Files (*.*)" keeps its caption and shows every file, those without
    // a dot in their name too.
    void filtroTuttiIFile_data() {
        QTest::addColumn<int>("filtro");
        QTest::addColumn<QStringList>("visibili");
        QTest::newRow("File di testo") << 0 << QStringList{"voci.txt"};
        QTest::newRow("All Files") << 1 << QStringList{"LEGGIMI", "note.md", "voci.txt"};
    }

    void filtroTuttiIFile() {
        QFETCH(int, filtro);
        QFETCH(QStringList, visibili);
        for (const char* nome : {"LEGGIMI", "note.md", "voci.txt"})
            QVERIFY(crea(cartella->filePath(QString::fromLatin1(nome)), "x"));
        QStringList didascalie;
        QStringList elenco;
        conDialogo(true, opzioniDialogo(cartella->path(), true), [&](QFileDialog* dialogo) {
            auto* tipi = dialogo->findChild<QComboBox*>(u"fileTypeCombo"_s);
            auto* lista = dialogo->findChild<QListView*>(u"listView"_s);
            if (!tipi || !lista)
                return;
            for (int i = 0; i < tipi->count(); ++i)
                didascalie << tipi->itemText(i);
            tipi->setCurrentIndex(filtro);
            emit tipi->activated(filtro);
            auto nomi = [lista] {
                QStringList nomi;
                const QModelIndex radice = lista->rootIndex();
                for (int r = 0; r < lista->model()->rowCount(radice); ++r)
                    nomi << lista->model()->index(r, 0, radice).data().toString();
                nomi.sort();
                return nomi;
            };
            // The folder is read in the background.
            if (!QTest::qWaitFor([&] { return !nomi().isEmpty(); }, 3000))
                return;
            QTest::qWait(200);
            elenco = nomi();
            dialogo->reject();
        });
        QCOMPARE(didascalie, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(elenco, visibili);
    }

    // A name typed in the open dialog is taken as it is when it exists, and
    // gets ".txt" only when it does not; the save dialog adds ".txt" to any
    // name typed without an extension, as always.
    void nomeDigitato_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<QStringList>("esistenti");
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("scelto"); // empty: the dialog gives nothing

        QTest::newRow("apri senza estensione, esiste")
            << true << QStringList{"LEGGIMI", "LEGGIMI.txt"} << "LEGGIMI"
            << "LEGGIMI";
        QTest::newRow("apri senza estensione, esiste con .txt")
            << true << QStringList{"voci.txt"} << "voci"
            << "voci.txt";
        QTest::newRow("apri con estensione") << true << QStringList{"note.md"} << "note.md"
                                             << "note.md";
        QTest::newRow("apri, non esiste") << true << QStringList{} << "manca"
                                          << "";
        QTest::newRow("salva senza estensione, esiste")
            << false << QStringList{"LEGGIMI"} << "LEGGIMI"
            << "LEGGIMI.txt";
        QTest::newRow("salva nuovo") << false << QStringList{} << "uscita"
                                     << "uscita.txt";
    }

    void nomeDigitato() {
        QFETCH(bool, apri);
        QFETCH(QStringList, esistenti);
        QFETCH(QString, digitato);
        QFETCH(QString, scelto);
        for (const QString& nome : esistenti)
            QVERIFY(crea(cartella->filePath(nome), "x"));

        const std::optional<QString> risposta =
            conDialogo(apri, opzioniDialogo(cartella->path(), apri), [&](QFileDialog* dialogo) {
                auto* nome = dialogo->findChild<QLineEdit*>(u"fileNameEdit"_s);
                if (!nome)
                    return;
                nome->setFocus();
                nome->clear();
                QTest::keyClicks(nome, digitato);
                // Later: a dialog that refuses the name shows a box of its own.
                QTimer::singleShot(0, nome, [nome] { QTest::keyClick(nome, Qt::Key_Return); });
            });
        QCOMPARE(risposta.value_or(QString()),
                 scelto.isEmpty() ? QString() : cartella->filePath(scelto));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_Desktop.moc"
