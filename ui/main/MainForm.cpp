#include "MainForm.h"

#include "BarraStato.h"
#include "BloccoNote.h"
#include "Controlli.h"
#include "Dichiarazioni.h"
#include "Disegni.h"
#include "FileTesto.h"
#include "Frm_SepElenco.h"
#include "VersioneQuorla.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>

using namespace Dichiarazioni;

const QString MainForm::Titolo = QStringLiteral("Brivetanzia alfabetico");

namespace {

// Positions and sizes as laid out in twips; 15 twips make a pixel at 96 dpi.
QRect daTwip(int sinistra, int alto, int larghezza, int altezza) {
    return QRect(qRound(sinistra / 15.0), qRound(alto / 15.0), qRound(larghezza / 15.0),
                 qRound(altezza / 15.0));
}

constexpr int LarghezzaClient = 10080;
constexpr int AltezzaClient = 7830;

// Inputs longer than this take long enough to sort and lay out that the user
// should see the program is busy.
constexpr int SogliaCursoreAttesa = 50000;

const QString FiltroFile = QStringLiteral("File di testo (*.txt)|*.txt|All Files (*.*)|*.*");

// The open and save dialogs differ only in their title and their one option.
Dialoghi::OpzioniFile opzioniFile(const QString& titolo) {
    Dialoghi::OpzioniFile opzioni;
    opzioni.titolo = titolo;
    opzioni.filtri = filtriDaElenco(FiltroFile);
    opzioni.nomeIniziale = QStringLiteral("*.txt");
    opzioni.estensione = QStringLiteral("txt");
    opzioni.cartella = QCoreApplication::applicationDirPath();
    return opzioni;
}

// The busy cursor for the length of a run. The engine's message box takes it
// down while it waits for the user.
class CursoreAttesa {
public:
    CursoreAttesa(bool attivo, bool& stato) : attivo_(attivo), stato_(stato) {
        if (attivo_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            stato_ = true;
        }
    }
    ~CursoreAttesa() {
        if (attivo_) {
            stato_ = false;
            QApplication::restoreOverrideCursor();
        }
    }
    CursoreAttesa(const CursoreAttesa&) = delete;
    CursoreAttesa& operator=(const CursoreAttesa&) = delete;

private:
    bool attivo_;
    bool& stato_;
};

} // namespace

MainForm::MainForm(std::unique_ptr<Dialoghi> dialoghi)
    : QMainWindow(nullptr),
      dialoghi_(dialoghi ? std::move(dialoghi) : std::make_unique<DialoghiQt>()),
      avvioEditor_(QuorlaIo::AvviaBloccoNote) {
    // Leaving the event loop ends the program without closing any window, so
    // neither this window's nor the separator dialog's close handling runs.
    uscita_ = [this] {
        if (frmSepElenco_)
            frmSepElenco_->hide();
        hide();
        QCoreApplication::exit(0);
    };

    setWindowTitle(Titolo);
    setWindowIcon(iconaQuorla());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    creaControlli();
    creaMenu();

    // A fixed window: the client area below the menu bar keeps its size.
    const QRect client = daTwip(0, 0, LarghezzaClient, AltezzaClient);
    const int altezzaMenu = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setFixedSize(client.width(), client.height() + altezzaMenu);
    if (const QScreen* schermo = screen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        schermo->availableGeometry()));
    }

    Form_Load();
}

MainForm::~MainForm() = default;

void MainForm::impostaUscita(std::function<void()> uscita) {
    uscita_ = std::move(uscita);
}

void MainForm::impostaAvvioEditor(std::function<bool()> avvio) {
    avvioEditor_ = std::move(avvio);
}

Righello* MainForm::Img_Righello(int i) const {
    return i >= 0 && i < int(righelli_.size()) ? righelli_[i] : nullptr;
}

void MainForm::creaControlli() {
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("MainForm_Client"));
    centrale->setFixedSize(daTwip(0, 0, LarghezzaClient, AltezzaClient).size());
    setCentralWidget(centrale);

    for (int i = 0; i < 2; ++i) {
        righelli_[i] = new Righello(centrale);
        righelli_[i]->setObjectName(QStringLiteral("Img_Righello_%1").arg(i));
    }
    righelli_[0]->setGeometry(daTwip(360, 240, 9360, 705));
    righelli_[1]->setGeometry(daTwip(360, 3840, 9360, 705));

    txtOrig_ = new CasellaTesto(centrale);
    txtOrig_->setObjectName(QStringLiteral("Txt_Orig"));
    txtOrig_->setGeometry(daTwip(360, 960, 9375, 2535));
    txtOrig_->setToolTip(QStringLiteral("Inserire il testo da ordinare"));

    txtOrdine_ = new CasellaTesto(centrale);
    txtOrdine_->setObjectName(QStringLiteral("Txt_Ordine"));
    txtOrdine_->setGeometry(daTwip(360, 4560, 9375, 2535));
    txtOrdine_->setToolTip(QStringLiteral("Testo ordinato"));

    slider_ = new SliderCaratteri(centrale);
    slider_->setObjectName(QStringLiteral("Slider"));
    slider_->setGeometry(daTwip(330, 7080, 9150, 255));
    slider_->setRange(1, 100);
    slider_->setSingleStep(1);
    slider_->setPageStep(5);
    slider_->setValue(50);

    stBar_ = new BarraStato(centrale);
    stBar_->setObjectName(QStringLiteral("STBar"));
    stBar_->setGeometry(daTwip(0, 7575, 10080, 255));

    setTabOrder(txtOrig_, txtOrdine_);
    setTabOrder(txtOrdine_, slider_);

    // The menu's shortcut keys come before the keys the text boxes claim for
    // themselves (copy, cut, ...), and the output box reacts to a double-click.
    txtOrig_->installEventFilter(this);
    txtOrdine_->installEventFilter(this);
    txtOrdine_->viewport()->installEventFilter(this);

    connect(txtOrig_, &QPlainTextEdit::textChanged, this, &MainForm::Txt_Orig_Change);
    connect(slider_, &SliderCaratteri::cliccato, this, &MainForm::Slider_Click);
}

void MainForm::creaMenu() {
    auto voce = [this](QMenu* menu, const QString& nome, const QString& testo,
                       const QKeySequence& tasto, void (MainForm::*gestore)()) {
        QAction* azione = menu->addAction(testo);
        azione->setObjectName(nome);
        azione->setShortcut(tasto);
        if (!tasto.isEmpty())
            azioniConTasto_.append(azione);
        connect(azione, &QAction::triggered, this, gestore);
        return azione;
    };
    auto separatore = [](QMenu* menu, const QString& nome) {
        QAction* azione = menu->addSeparator();
        azione->setObjectName(nome);
        return azione;
    };
    VociMenu& m = menu_;

    m.MenuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m.MenuFile->setObjectName(QStringLiteral("MenuFile"));
    m.MenuNuovo = voce(m.MenuFile, QStringLiteral("MenuNuovo"), QStringLiteral("Nuovo"),
                       QKeySequence(Qt::CTRL | Qt::Key_N), &MainForm::MenuNuovo_Click);
    m.MenuApri = voce(m.MenuFile, QStringLiteral("MenuApri"), QStringLiteral("Apri..."),
                      QKeySequence(Qt::CTRL | Qt::Key_F12), &MainForm::MenuApri_Click);
    m.MenuSalvaNome =
        voce(m.MenuFile, QStringLiteral("MenuSalvaNome"), QStringLiteral("Salva con nome..."),
             QKeySequence(), &MainForm::MenuSalvaNome_Click);
    m.MenuNull0 = separatore(m.MenuFile, QStringLiteral("MenuNull0"));
    m.MenuConverti =
        voce(m.MenuFile, QStringLiteral("MenuConverti"), QStringLiteral("Quorla testo"),
             QKeySequence(Qt::CTRL | Qt::Key_O), &MainForm::MenuConverti_Click);
    m.MenuBloccoNote =
        voce(m.MenuFile, QStringLiteral("MenuBloccoNote"), QStringLiteral("Blocco Note"),
             QKeySequence(Qt::CTRL | Qt::Key_B), &MainForm::MenuBloccoNote_Click);
    m.MenuNull_F1 = separatore(m.MenuFile, QStringLiteral("MenuNull_F1"));
    m.MenuFine = voce(m.MenuFile, QStringLiteral("MenuFine"), QStringLiteral("Fine"),
                      QKeySequence(Qt::CTRL | Qt::Key_X), &MainForm::MenuFine_Click);

    m.MenuOpzioni = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    m.MenuOpzioni->setObjectName(QStringLiteral("MenuOpzioni"));
    m.MenuSeparatori = voce(m.MenuOpzioni, QStringLiteral("MenuSeparatori"),
                            QStringLiteral("Imposta separatori lista"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), &MainForm::MenuSeparatori_Click);
    m.MenuACapo = voce(m.MenuOpzioni, QStringLiteral("MenuACapo"),
                       QStringLiteral("Imposta numero caratteri "),
                       QKeySequence(Qt::CTRL | Qt::Key_I), &MainForm::MenuACapo_Click);
    m.MenuACapo->setCheckable(true);
    m.MenuNull_O1 = separatore(m.MenuOpzioni, QStringLiteral("MenuNull_O1"));
    m.MenuCopiaAppunti =
        voce(m.MenuOpzioni, QStringLiteral("MenuCopiaAppunti"),
             QStringLiteral("Copia automaticamente negli Appunti"),
             QKeySequence(Qt::CTRL | Qt::Key_C), &MainForm::MenuCopiaAppunti_Click);
    m.MenuCopiaAppunti->setCheckable(true);
    m.MenuNull_O2 = separatore(m.MenuOpzioni, QStringLiteral("MenuNull_O2"));
    m.MenuColori0 = m.MenuOpzioni->addMenu(QStringLiteral("Imposta Colori"));
    m.MenuColori0->setObjectName(QStringLiteral("MenuColori0"));
    const std::array<QString, 2> coloriTesti = {QStringLiteral("Colore sfondo"),
                                                QStringLiteral("Colore testo")};
    for (int i = 0; i < 2; ++i) {
        m.MenuColori[i] = m.MenuColori0->addAction(coloriTesti[i]);
        m.MenuColori[i]->setObjectName(QStringLiteral("MenuColori_%1").arg(i));
        connect(m.MenuColori[i], &QAction::triggered, this, [this, i] { MenuColori_Click(i); });
    }
    m.MenuNull_O3 = separatore(m.MenuColori0, QStringLiteral("MenuNull_O3"));
    m.MenuColori_Def = voce(m.MenuColori0, QStringLiteral("MenuColori_Def"),
                            QStringLiteral("Ripristina valori predefiniti"), QKeySequence(),
                            &MainForm::MenuColori_Def_Click);

    m.MenuAbout0 = menuBar()->addMenu(QStringLiteral("&?"));
    m.MenuAbout0->setObjectName(QStringLiteral("MenuAbout0"));
    m.MenuAbout =
        voce(m.MenuAbout0, QStringLiteral("MenuAbout"), QStringLiteral("Informazioni su..."),
             QKeySequence(Qt::Key_F1), &MainForm::MenuAbout_Click);
}

void MainForm::Form_Load() {
    if (!frmSepElenco_)
        frmSepElenco_ = std::make_unique<Frm_SepElenco>();
    frmSepElenco_->hide();
    connect(frmSepElenco_.get(), &Frm_SepElenco::confermato, this, &MainForm::SepElenco_OK,
            Qt::UniqueConnection);

    Num_Caratteri = static_cast<std::int16_t>(slider_->value());
    frmSepElenco_->applicaStato(Init_Separatori());
    frmSepElenco_->update();
    const Testi_Stato testi = Leggi_Separatori(frmSepElenco_->stato());
    stBar_->impostaTesto(1, testi.pannello1);
    stBar_->impostaTesto(2, testi.pannello2);
    ridisegnaFinestra();

    stBar_->impostaTesto(3, QStringLiteral("A CAPO"));
    stBar_->abilita(3, false);
    stBar_->impostaTesto(4, QStringLiteral("COPIA"));
    stBar_->abilita(4, false);
    slider_->hide();
    SvuotaListe();
    txtOrig_->impostaTesto(QString());
    txtOrig_->update();
    txtOrdine_->impostaTesto(QString());
    txtOrig_->setFocus();
    txtOrdine_->update();
    update();
}

// A run of the engine. Whatever goes wrong inside it is dropped: the handler
// that started it carries on.
void MainForm::elabora() {
    const bool lungo = txtOrig_->document()->characterCount() > SogliaCursoreAttesa;
    CursoreAttesa cursore(lungo, cursoreAttesa_);
    try {
        Elabora_Testo(*this);
    } catch (...) {
    }
}

void MainForm::closeEvent(QCloseEvent* evento) {
    evento->ignore();
    // While the separator dialog is up the window takes no input, its close
    // box included, as a disabled window's would on any desktop.
    if (!isEnabled())
        return;
    MenuFine_Click();
}

bool MainForm::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::ShortcutOverride &&
        (oggetto == txtOrig_ || oggetto == txtOrdine_)) {
        const QKeySequence tasto(static_cast<QKeyEvent*>(evento)->keyCombination());
        for (const QAction* azione : std::as_const(azioniConTasto_)) {
            if (azione->isEnabled() && azione->shortcut() == tasto) {
                // Not claimed by the box: the shortcut goes to the menu.
                evento->ignore();
                return true;
            }
        }
    }
    // A filter sees the events of a disabled box too, which must stay inert.
    if (evento->type() == QEvent::MouseButtonDblClick && oggetto == txtOrdine_->viewport() &&
        txtOrdine_->isEnabled()) {
        // The same as an empty text, without reading a large one whole.
        if (txtOrdine_->document()->isEmpty()) {
            elabora();
            return true;
        }
    }
    return QMainWindow::eventFilter(oggetto, evento);
}

// --- The engine's view of the window ---

QString MainForm::testoOrig() const {
    return txtOrig_->testo();
}

void MainForm::impostaTestoOrig(const QString& testo) {
    txtOrig_->impostaTesto(testo);
}

QString MainForm::testoOrdine() const {
    return txtOrdine_->testo();
}

void MainForm::impostaTestoOrdine(const QString& testo) {
    txtOrdine_->impostaTesto(testo);
}

void MainForm::fuocoOrig() {
    txtOrig_->setFocus();
}

void MainForm::fuocoOrdine() {
    txtOrdine_->setFocus();
}

void MainForm::selezionaOrdine(qsizetype inizio, qsizetype lunghezza) {
    txtOrdine_->seleziona(inizio, lunghezza);
}

void MainForm::ridisegnaOrig() {
    txtOrig_->update();
}

void MainForm::ridisegnaOrdine() {
    txtOrdine_->update();
}

void MainForm::ridisegnaFinestra() {
    update();
}

bool MainForm::aCapoAttivo() const {
    return menu_.MenuACapo->isChecked();
}

bool MainForm::copiaAppuntiAttiva() const {
    return menu_.MenuCopiaAppunti->isChecked();
}

int MainForm::massimoSlider() const {
    return slider_->maximum();
}

void MainForm::impostaPosizioneSlider(int valore) {
    slider_->setValue(valore);
}

void MainForm::messaggio(const QString& testo, const QString& titolo, unsigned flags) {
    if (cursoreAttesa_)
        QApplication::restoreOverrideCursor();
    // While the separator dialog is up, its OK runs the engine: the box then
    // belongs over the dialog, not under it with the disabled main window.
    QWidget* padre = this;
    if (!isEnabled() && frmSepElenco_ && frmSepElenco_->isVisible())
        padre = frmSepElenco_.get();
    dialoghi_->messaggio(padre, testo, titolo, flags);
    if (cursoreAttesa_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MainForm::svuotaAppunti() {
    QGuiApplication::clipboard()->clear();
}

void MainForm::impostaAppunti(const QString& testo) {
    QGuiApplication::clipboard()->setText(testo);
}

// --- Handlers ---

void MainForm::MenuNuovo_Click() {
    txtOrig_->impostaTesto(QString());
    txtOrig_->update();
    txtOrdine_->impostaTesto(QString());
    txtOrdine_->update();
    txtOrig_->setFocus();
    update();
}

void MainForm::MenuApri_Click() {
    Dialoghi::OpzioniFile opzioni = opzioniFile(QStringLiteral("Apri"));
    opzioni.deveEsistere = true;
    const std::optional<QString> percorso = dialoghi_->apriFile(this, opzioni);
    if (!percorso)
        return;

    txtOrig_->impostaTesto(QString());
    QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
    bool letto = false;
    {
        // Reading and showing a large file take long enough to want the busy
        // cursor too, not only the sort after them.
        CursoreAttesa cursore(QFileInfo(*percorso).size() > SogliaCursoreAttesa, cursoreAttesa_);
        // Gone before the sort: a large text is not held twice over it.
        const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(*percorso, &errore);
        if (testo) {
            txtOrig_->impostaTesto(*testo);
            letto = true;
        }
    }
    if (!letto) {
        const QString avviso =
            errore == QuorlaIo::ErroreLettura::TroppoGrande
                ? QStringLiteral("Attenzione, Il file ") + *percorso +
                      QStringLiteral(" è troppo grande: si possono aprire file fino a %1 MB.")
                          .arg(QuorlaIo::LimiteLettura() >> 20)
                : QStringLiteral("Attenzione, Il file ") + *percorso +
                      QStringLiteral(" non è compatibile.");
        dialoghi_->messaggio(this, avviso, TitoloAvviso, FlagAvviso);
        return;
    }
    MenuConverti_Click();
}

void MainForm::MenuSalvaNome_Click() {
    Dialoghi::OpzioniFile opzioni = opzioniFile(QStringLiteral("Salva con nome"));
    opzioni.chiediSovrascrittura = true;
    const std::optional<QString> percorso = dialoghi_->salvaFile(this, opzioni);
    if (!percorso)
        return;

    if (!QuorlaIo::ScriviFileTesto(*percorso, testoOrdine())) {
        dialoghi_->messaggio(
            this,
            QStringLiteral("Attenzione, Errore occorso durante il salvataggio dei dati nel file ") +
                *percorso,
            TitoloAvviso, FlagAvviso);
    }
}

void MainForm::MenuConverti_Click() {
    elabora();
}

void MainForm::MenuBloccoNote_Click() {
    // An editor that cannot be started is no concern of the user's.
    if (avvioEditor_)
        avvioEditor_();
}

void MainForm::MenuFine_Click() {
    if (uscita_)
        uscita_();
}

void MainForm::MenuSeparatori_Click() {
    setEnabled(false);
    frmSepElenco_->show();
    frmSepElenco_->raise();
    frmSepElenco_->activateWindow();
    frmSepElenco_->update();
}

void MainForm::SepElenco_OK() {
    const Testi_Stato testi = Leggi_Separatori(frmSepElenco_->stato());
    stBar_->impostaTesto(1, testi.pannello1);
    stBar_->impostaTesto(2, testi.pannello2);
    ridisegnaFinestra();
    elabora();
    frmSepElenco_->hide();
    setEnabled(true);
    activateWindow();
    txtOrig_->setFocus();
    update();
}

void MainForm::MenuACapo_Click() {
    // The action has already inverted its own check mark.
    stBar_->abilita(3, menu_.MenuACapo->isChecked());
    slider_->setVisible(menu_.MenuACapo->isChecked());
    Num_Caratteri = static_cast<std::int16_t>(slider_->value());
    elabora();
}

void MainForm::MenuCopiaAppunti_Click() {
    stBar_->abilita(4, menu_.MenuCopiaAppunti->isChecked());
}

void MainForm::Slider_Click() {
    Num_Caratteri = static_cast<std::int16_t>(slider_->value());
    elabora();
}

void MainForm::Txt_Orig_Change() {
    txtOrdine_->impostaTesto(QString());
    txtOrdine_->update();
}

void MainForm::MenuColori_Click(int indice) {
    const std::optional<QColor> colore = dialoghi_->colore(this, menu_.MenuColori[indice]->text());
    if (!colore)
        return;
    for (CasellaTesto* casella : {txtOrig_, txtOrdine_}) {
        if (indice == 0)
            casella->impostaSfondo(*colore);
        else
            casella->impostaColoreTesto(*colore);
    }
    txtOrig_->update();
    txtOrdine_->update();
    update();
}

void MainForm::MenuColori_Def_Click() {
    txtOrig_->ripristinaColori();
    txtOrig_->update();
    txtOrdine_->ripristinaColori();
    txtOrdine_->update();
}

QString MainForm::testoInformazioni() {
    const QChar a_capo(13);
    const QString versione = QStringLiteral("Versione ") + QString::number(QUORLA_VERSION_MAJOR) +
                             QLatin1Char('.') + QString::number(QUORLA_VERSION_MINOR) +
                             QString::number(QUORLA_VERSION_REVISION);
    return QString::fromUtf8(QUORLA_PRODUCT) + QStringLiteral(" - ") +
           QString::fromUtf8(QUORLA_DESCRIPTION) + a_capo + versione + a_capo + a_capo +
           QString::fromUtf8(QUORLA_LEGAL) + a_capo + QString::fromUtf8(QUORLA_COMMENTS);
}

void MainForm::MenuAbout_Click() {
    dialoghi_->messaggio(this, testoInformazioni(), windowTitle(), FlagInformazione);
}
