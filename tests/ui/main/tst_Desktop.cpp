#include "Controlli.h"
#include "FintiDialoghi.h"
#include "MainForm.h"
#include "RigaComando.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
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

// Drags the data over `w` and drops it there, on the first widget up from it
// that takes drops, as the toolkit looks for it; whether the drop was taken.
bool trascina(QWidget* w, const QMimeData& dati) {
    QWidget* bersaglio = w;
    while (bersaglio && !bersaglio->acceptDrops())
        bersaglio = bersaglio->parentWidget();
    if (!bersaglio)
        return false;
    const QPoint punto = w->mapTo(bersaglio, QPoint(5, 5));
    const Qt::DropActions azioni = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent entra(punto, azioni, &dati, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent muove(punto, azioni, &dati, Qt::LeftButton, Qt::NoModifier);
    QDropEvent lascia(punto, azioni, &dati, Qt::LeftButton, Qt::NoModifier);
    for (QEvent* evento : std::initializer_list<QEvent*>{&entra, &muove, &lascia}) {
        if (!QCoreApplication::sendEvent(bersaglio, evento) || !evento->isAccepted())
            return false;
    }
    return true;
}

// Shows the real file dialog and hands it to `azione`; then dismisses the
// dialog's own boxes, and the dialog if it is still up after a while.
std::optional<QString> conDialogo(bool apri, const Dialoghi::OpzioniFile& opzioni,
                                  const std::function<void(QFileDialog*)>& azione) {
    QTimer guardiano;
    int passi = 0;
    QObject::connect(&guardiano, &QTimer::timeout, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modale))
            box->reject();
        else if (auto* dialogo = qobject_cast<QFileDialog*>(modale); dialogo && passi++ == 0)
            azione(dialogo);
        else if (dialogo && passi > 20)
            dialogo->reject();
    });
    guardiano.start(50);
    DialoghiQt dialoghi;
    return apri ? dialoghi.apriFile(nullptr, opzioni) : dialoghi.salvaFile(nullptr, opzioni);
}

Dialoghi::OpzioniFile opzioniDialogo(const QString& cartella, bool apri) {
    return {
        u"Apri"_s, {u"File di testo (*.txt)"_s, u"All Files (*.*)"_s}, {}, u"txt"_s, cartella, apri,
        false};
}

} // namespace

// The command line, files dropped on the window, the open and save dialogs.
class TestDesktop : public QObject {
    Q_OBJECT
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
    void cleanup() { f.reset(); }

    // The file, extra arguments, an unknown option.
    void rigaComando_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("codice"); // -1: the window starts
        QTest::addColumn<QString>("errori");
        QTest::newRow("relativo") << QStringList{"./a/voci.txt"}
                                  << QDir::currentPath() + "/a/voci.txt" << -1 << QString();
        QTest::newRow("in più") << QStringList{"/tmp/a.txt", "b.txt", "c d.txt"} << "/tmp/a.txt"
                                << -1
                                << "quorla: si apre solo il primo file; ignorati: b.txt c d.txt\n";
        QTest::newRow("sconosciuta")
            << QStringList{"--colore", "/tmp/a.txt"} << QString() << 2
            << "quorla: opzione sconosciuta: --colore\nPer l'elenco delle opzioni: quorla --help\n";
    }

    void rigaComando() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, file);
        QFETCH(int, codice);
        QFETCH(QString, errori);
        QString scritto;
        QTextStream flusso(&scritto);
        argomenti.prepend(u"quorla"_s);
        QCOMPARE(RispostaImmediata(argomenti, flusso), std::nullopt);
        const RigaComando riga = LeggiRigaComando(argomenti, flusso);
        QCOMPARE(riga.file.value_or(QString()), file);
        QCOMPARE(riga.uscita.value_or(-1), codice);
        QCOMPARE(scritto, errori);
    }

    // Before the toolkit has taken its own options: -v among them is ours,
    // -reverse is not a bundle of letters holding a v.
    void rispostaImmediata() {
        QString scritto;
        QTextStream flusso(&scritto);
        QCOMPARE(RispostaImmediata({"quorla", "-reverse", "voci.txt"}, flusso), std::nullopt);
        QCOMPARE(RispostaImmediata({"quorla", "-platform", "offscreen", "-v"}, flusso), 0);
        QCOMPARE(scritto, u"Quorla! 2.00\n"_s);
    }

    // The command line's file goes the way of "Apri...", warning included.
    void apriFile() {
        const QString percorso = cartella->filePath(u"voci.txt"_s);
        QVERIFY(crea(percorso, "pera mela;\r\nbanana"));
        f->apriFile(percorso);
        QCOMPARE(f->testoOrdine(), u"banana;mela;pera"_s);
        f->apriFile(cartella->path());
        QCOMPARE(f->testoOrig(), QString());
        QCOMPARE(d->messaggi.size(), 1);
        QCOMPARE(d->messaggi[0].testo,
                 u"Attenzione, Il file "_s + cartella->path() + u" non è compatibile."_s);
    }

    // A file dropped anywhere on the window opens as "Apri..." would open it,
    // on a text box too, which would otherwise take its name for text.
    void trascinaFile_data() {
        QTest::addColumn<QString>("dove");
        QTest::newRow("casella d'uscita") << "Txt_Ordine";
        QTest::newRow("righello") << "Img_Righello_0";
    }

    void trascinaFile() {
        QFETCH(QString, dove);
        const QString percorso = cartella->filePath(u"voci.txt"_s);
        QVERIFY(crea(percorso, "pera mela\r\nbanana\r\n"));
        QWidget* w = f->findChild<QWidget*>(dove);
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

    // Dropped text goes into the box as a paste would put it, and opens nothing.
    void trascinaTesto() {
        QMimeData dati;
        dati.setText(u"pera\r\nmela"_s);
        f->Txt_Ordine()->impostaTesto(u"uscita"_s);
        QVERIFY(trascina(f->Txt_Orig()->viewport(), dati));
        QCOMPARE(f->testoOrig(), u"pera\r\nmela"_s);
        QCOMPARE(f->testoOrdine(), QString()); // a change of the input, as any
    }

    // "All Files (*.*)" keeps its caption and shows every file, those without
    // a dot in their name too.
    void filtroTuttiIFile() {
        for (const char* nome : {"LEGGIMI", "note.md", "voci.txt"})
            QVERIFY(crea(cartella->filePath(QString::fromLatin1(nome)), "x"));
        QStringList didascalie;
        QList<QStringList> elenchi;
        conDialogo(true, opzioniDialogo(cartella->path(), true), [&](QFileDialog* dialogo) {
            auto* tipi = dialogo->findChild<QComboBox*>(u"fileTypeCombo"_s);
            auto* lista = dialogo->findChild<QListView*>(u"listView"_s);
            for (int filtro = 0; tipi && lista && filtro < tipi->count(); ++filtro) {
                didascalie << tipi->itemText(filtro);
                tipi->setCurrentIndex(filtro);
                emit tipi->activated(filtro);
                QTest::qWait(300); // the folder is read in the background
                QStringList nomi;
                for (int r = 0; r < lista->model()->rowCount(lista->rootIndex()); ++r)
                    nomi << lista->model()->index(r, 0, lista->rootIndex()).data().toString();
                nomi.sort();
                elenchi << nomi;
            }
            dialogo->reject();
        });
        QCOMPARE(didascalie, (QStringList{"File di testo (*.txt)", "All Files (*.*)"}));
        QCOMPARE(elenchi, (QList<QStringList>{{"voci.txt"}, {"LEGGIMI", "note.md", "voci.txt"}}));
    }

    // A name typed in the open dialog is taken as it is when it exists, and
    // gets ".txt" only when it does not; the save dialog adds ".txt" to any
    // name typed without an extension, as always.
    void nomeDigitato_data() {
        QTest::addColumn<bool>("apri");
        QTest::addColumn<QStringList>("esistenti");
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("scelto"); // empty: the dialog gives nothing

        QTest::newRow("apri, esiste com'è")
            << true << QStringList{"LEGGIMI", "LEGGIMI.txt"} << u"LEGGIMI"_s << u"LEGGIMI"_s;
        QTest::newRow("apri, esiste con .txt")
            << true << QStringList{"voci.txt"} << u"voci"_s << u"voci.txt"_s;
        QTest::newRow("apri, non esiste") << true << QStringList{} << u"manca"_s << QString();
        QTest::newRow("salva, esiste com'è")
            << false << QStringList{"LEGGIMI"} << u"LEGGIMI"_s << u"LEGGIMI.txt"_s;
        QTest::newRow("salva nuovo") << false << QStringList{} << u"uscita"_s << u"uscita.txt"_s;
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
