#include "MainForm.h"

#include "BarraStato.h"
#include "BloccoNote.h"
#include "Controlli.h"
#include "Disegni.h"
#include "FileTesto.h"
#include "Frm_Chiavi.h"
#include "Frm_SepElenco.h"
#include "Motore.h"
#include "SegnaChiavi.h"
#include "VersioneQuorla.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <new>

using Motore::Doppioni;
using Motore::Maiuscole;
using Motore::Verso;

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

// Characters of input above which the result goes to the box in pieces as it
// is made, and the old one leaves before the input is read: either held whole
// would be one more copy of the text at the moment memory peaks.
constexpr qsizetype TestoGrande = qsizetype(1) << 20;

// The engine's result straight into the output box, or whole into a string.
class VersoCasella : public Motore::Uscita {
public:
    VersoCasella(CasellaTesto& casella, bool aPezzi) : casella_(casella), aPezzi_(aPezzi) {}
    QString testo;
    void riserva(qsizetype n) override {
        if (!aPezzi_)
            testo.reserve(n);
    }
    void scrivi(QStringView pezzo) override {
        if (aPezzi_)
            casella_.aggiungiTesto(pezzo);
        else
            testo.append(pezzo);
    }

private:
    CasellaTesto& casella_;
    const bool aPezzi_;
};

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

// The first local file of a drag, if it carries one.
QString fileTrascinato(const QMimeData* dati) {
    if (!dati || !dati->hasUrls())
        return QString();
    for (const QUrl& url : dati->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
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

    // A file dropped anywhere on the window opens, the text boxes included,
    // which would otherwise take it for text; dropped text still goes into
    // the box, as a paste.
    setAcceptDrops(true);
    installEventFilter(this);
    txtOrig_->viewport()->installEventFilter(this);

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

    creaMenuOrdine();
    creaChiavi();

    m.MenuAbout0 = menuBar()->addMenu(QStringLiteral("&?"));
    m.MenuAbout0->setObjectName(QStringLiteral("MenuAbout0"));
    m.MenuAbout =
        voce(m.MenuAbout0, QStringLiteral("MenuAbout"), QStringLiteral("Informazioni su..."),
             QKeySequence(Qt::Key_F1), &MainForm::MenuAbout_Click);
}

// Every item of the menu runs one handler, which reads the whole menu back
// into the ordering options: the check marks are the options as the user sees
// them.
void MainForm::creaMenuOrdine() {
    VociMenu& m = menu_;
    auto voce = [this](QMenu* menu, const QString& nome, const QString& testo,
                       const QString& suggerimento, QActionGroup* gruppo = nullptr) {
        QAction* azione = menu->addAction(testo);
        azione->setObjectName(nome);
        azione->setToolTip(suggerimento);
        azione->setCheckable(true);
        if (gruppo)
            gruppo->addAction(azione);
        connect(azione, &QAction::triggered, this, &MainForm::MenuOrdine_Click);
        return azione;
    };
    auto sottomenu = [](QMenu* menu, const QString& nome, const QString& titolo,
                        const QString& suggerimento) {
        QMenu* sotto = menu->addMenu(titolo);
        sotto->setObjectName(nome);
        sotto->menuAction()->setToolTip(suggerimento);
        sotto->setToolTipsVisible(true);
        return sotto;
    };
    auto separatore = [](QMenu* menu, const QString& nome) {
        QAction* azione = menu->addSeparator();
        azione->setObjectName(nome);
        return azione;
    };

    m.MenuOrdine = menuBar()->addMenu(QStringLiteral("O&rdine"));
    m.MenuOrdine->setObjectName(QStringLiteral("MenuOrdine"));
    m.MenuOrdine->setToolTipsVisible(true);

    auto* verso = new QActionGroup(m.MenuOrdine);
    m.MenuCrescente =
        voce(m.MenuOrdine, QStringLiteral("MenuCrescente"), QStringLiteral("&Crescente"),
             QStringLiteral("Ordina le voci dalla A alla Z"), verso);
    m.MenuDecrescente =
        voce(m.MenuOrdine, QStringLiteral("MenuDecrescente"), QStringLiteral("&Decrescente"),
             QStringLiteral("Ordina le voci dalla Z alla A"), verso);
    m.MenuNull_R1 = separatore(m.MenuOrdine, QStringLiteral("MenuNull_R1"));
    m.MenuNumeriNaturali =
        voce(m.MenuOrdine, QStringLiteral("MenuNumeriNaturali"),
             QStringLiteral("&Numeri in ordine naturale"),
             QStringLiteral("Confronta i numeri per il loro valore: \"img2\" prima di \"img10\""));

    m.MenuMaiuscole0 = sottomenu(
        m.MenuOrdine, QStringLiteral("MenuMaiuscole0"), QStringLiteral("&Maiuscole e minuscole"),
        QStringLiteral("Ordine delle voci che differiscono solo per maiuscole e "
                       "minuscole"));
    auto* maiuscole = new QActionGroup(m.MenuMaiuscole0);
    const std::array<std::array<QString, 2>, 3> testiMaiuscole = {{
        {QStringLiteral("&Come la lingua"),
         QStringLiteral("Segui la regola della lingua di ordinamento")},
        {QStringLiteral("&Maiuscole prima"), QStringLiteral("Metti \"Roma\" prima di \"roma\"")},
        {QStringLiteral("M&inuscole prima"), QStringLiteral("Metti \"roma\" prima di \"Roma\"")},
    }};
    for (int i = 0; i < 3; ++i) {
        m.MenuMaiuscole[i] = voce(m.MenuMaiuscole0, QStringLiteral("MenuMaiuscole_%1").arg(i),
                                  testiMaiuscole[i][0], testiMaiuscole[i][1], maiuscole);
    }

    m.MenuIgnoraPunteggiatura =
        voce(m.MenuOrdine, QStringLiteral("MenuIgnoraPunteggiatura"),
             QStringLiteral("Ignora &punteggiatura e spazi"),
             QStringLiteral("Ordina le voci senza tener conto di punteggiatura e spazi"));
    m.MenuIgnoraArticoli =
        voce(m.MenuOrdine, QStringLiteral("MenuIgnoraArticoli"),
             QStringLiteral("Ignora &articoli iniziali"),
             QStringLiteral("Ordina \"Il Gattopardo\" sotto la G e \"L'Aquila\" sotto la A"));
    m.MenuNull_R2 = separatore(m.MenuOrdine, QStringLiteral("MenuNull_R2"));

    m.MenuDoppioni0 = sottomenu(m.MenuOrdine, QStringLiteral("MenuDoppioni0"),
                                QStringLiteral("&Elimina doppioni"),
                                QStringLiteral("Tieni una volta sola le voci ripetute"));
    auto* doppioni = new QActionGroup(m.MenuDoppioni0);
    const std::array<std::array<QString, 2>, 3> testiDoppioni = {{
        {QStringLiteral("&No"), QStringLiteral("Tieni tutte le voci")},
        {QStringLiteral("&Identici"),
         QStringLiteral("Togli le voci scritte esattamente come una precedente")},
        {QStringLiteral("&Anche con maiuscole e accenti diversi"),
         QStringLiteral("Togli anche le voci che differiscono da una precedente solo per "
                        "maiuscole o accenti")},
    }};
    for (int i = 0; i < 3; ++i) {
        m.MenuDoppioni[i] = voce(m.MenuDoppioni0, QStringLiteral("MenuDoppioni_%1").arg(i),
                                 testiDoppioni[i][0], testiDoppioni[i][1], doppioni);
    }

    m.MenuLingua0 =
        sottomenu(m.MenuOrdine, QStringLiteral("MenuLingua0"), QStringLiteral("&Lingua"),
                  QStringLiteral("Ordina secondo le regole di una lingua"));
    auto* lingue = new QActionGroup(m.MenuLingua0);
    const auto& elenco = Motore::lingueOrdine();
    for (int i = 0; i < int(elenco.size()); ++i) {
        QString suggerimento;
        if (i == Motore::LinguaSistema)
            suggerimento = QStringLiteral("Segui l'ordine alfabetico della lingua del sistema");
        else if (i == Motore::linguaCodiciUnicode())
            suggerimento = QStringLiteral("Ordina per codice Unicode dei caratteri");
        // A name is shown as it is written, never as an access key.
        QString testo = QCoreApplication::translate("Lingue", elenco[std::size_t(i)].nome);
        testo.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m.MenuLingua.append(voce(m.MenuLingua0, QStringLiteral("MenuLingua_%1").arg(i), testo,
                                 suggerimento, lingue));
    }
    m.MenuNull_R3 = separatore(m.MenuOrdine, QStringLiteral("MenuNull_R3"));
    m.MenuMescola =
        voce(m.MenuOrdine, QStringLiteral("MenuMescola"), QStringLiteral("Me&scola"),
             QStringLiteral("Metti le voci in ordine casuale, diverso a ogni esecuzione"));
}

// The check marks follow the ordering options. The direction has no say while
// the items are shuffled, and its items show it.
void MainForm::mostraOpzioniOrdine() {
    const VociMenu& m = menu_;
    const Motore::OpzioniOrdine& o = opzioni_.ordine;
    const bool mescola = o.verso == Verso::Mescola;
    m.MenuCrescente->setChecked(o.verso != Verso::Decrescente);
    m.MenuDecrescente->setChecked(o.verso == Verso::Decrescente);
    m.MenuNumeriNaturali->setChecked(o.numeriNaturali);
    for (int i = 0; i < int(m.MenuMaiuscole.size()); ++i)
        m.MenuMaiuscole[i]->setChecked(int(o.maiuscole) == i);
    m.MenuIgnoraPunteggiatura->setChecked(o.ignoraPunteggiatura);
    m.MenuIgnoraArticoli->setChecked(o.ignoraArticoli);
    for (int i = 0; i < int(m.MenuDoppioni.size()); ++i)
        m.MenuDoppioni[i]->setChecked(i == (o.doppioni == Doppioni::Tutti ? 0 : 1 + o.simili));
    for (int i = 0; i < int(m.MenuLingua.size()); ++i)
        m.MenuLingua[i]->setChecked(o.lingua == i);
    m.MenuMescola->setChecked(mescola);
    m.MenuCrescente->setEnabled(!mescola);
    m.MenuDecrescente->setEnabled(!mescola);
}

void MainForm::Form_Load() {
    if (!frmSepElenco_)
        frmSepElenco_ = std::make_unique<Frm_SepElenco>();
    frmSepElenco_->hide();
    connect(frmSepElenco_.get(), &Frm_SepElenco::confermato, this, &MainForm::SepElenco_OK,
            Qt::UniqueConnection);

    numCaratteri_ = slider_->value();
    opzioni_ = Motore::Opzioni{};
    mostraOpzioniOrdine();
    frmSepElenco_->mostra(opzioni_);
    frmSepElenco_->update();
    mostraSeparatori();
    update();

    stBar_->impostaTesto(3, QStringLiteral("A CAPO"));
    stBar_->abilita(3, false);
    stBar_->impostaTesto(4, QStringLiteral("COPIA"));
    stBar_->abilita(4, false);
    slider_->hide();
    txtOrig_->impostaTesto(QString());
    txtOrig_->update();
    txtOrdine_->impostaTesto(QString());
    txtOrig_->setFocus();
    txtOrdine_->update();
    update();
}

// The first two panels name the separators as the options have them.
void MainForm::mostraSeparatori() {
    const auto& catalogo = Motore::catalogo();
    auto nome = [&](int i) {
        return QCoreApplication::translate(Motore::ContestoSeparatori,
                                           catalogo[std::size_t(i)].nomeStato);
    };
    QStringList nomi;
    for (int i = 0; i < Motore::NumSeparatori; ++i) {
        if (opzioni_.ingresso[std::size_t(i)])
            nomi << nome(i);
    }
    stBar_->impostaTesto(1, QStringLiteral("Separatori testo inserito: ") +
                                (nomi.isEmpty() ? QStringLiteral("Nessuno") : nomi.join(u' ')));
    // With the space, the panel shows exactly what stands between items.
    const QString uscita =
        opzioni_.spazioEffettivo()
            ? u'"' + QChar(catalogo[std::size_t(opzioni_.uscita)].carattere) + u' ' + u'"'
            : nome(opzioni_.uscita);
    stBar_->impostaTesto(2, QStringLiteral("Separatore testo elaborato: ") + uscita);
}

// A run of the engine on the input box, into the output box.
void MainForm::elabora() {
    // The text's own length: the document also counts the breaks between the
    // pieces that a long line is held in.
    const qsizetype lunghezza = txtOrig_->lunghezzaTesto();
    CursoreAttesa cursore(lunghezza > SogliaCursoreAttesa, cursoreAttesa_);
    segnaChiavi_->imposta(opzioni_); // "Ordina per": the keys or the separators may be new
    Motore::Opzioni opzioni = opzioni_;
    opzioni.larghezza.reset();
    if (menu_.MenuACapo->isChecked())
        opzioni.larghezza = numCaratteri_;

    const bool aPezzi = lunghezza > TestoGrande;
    Motore::Risultato risultato;
    VersoCasella uscita(*txtOrdine_, aPezzi);
    try {
        if (aPezzi)
            txtOrdine_->iniziaTesto();
        risultato = Motore::ordina(txtOrig_->testo(), opzioni, uscita);
    } catch (const std::bad_alloc&) {
        // The one thing a run can run out of: the old result is gone, and the
        // input stays for the user to shorten.
        if (aPezzi)
            txtOrdine_->fineTesto();
        txtOrdine_->impostaTesto(QString());
        messaggio(QStringLiteral("Memoria insufficiente per ordinare il testo."));
        return;
    }
    if (aPezzi)
        txtOrdine_->fineTesto();
    avvisaSenzaValore(risultato.senzaValore); // "Ordina per"
    if (risultato.vuoto) {
        txtOrdine_->impostaTesto(QString());
        txtOrdine_->update();
        txtOrig_->impostaTesto(QString());
        txtOrig_->setFocus();
        update();
        return;
    }
    if (!risultato.formattato()) {
        messaggio(QStringLiteral("Impossibile formattare il testo"));
        slider_->setValue(slider_->maximum());
    }
    if (!aPezzi)
        txtOrdine_->impostaTesto(std::move(uscita.testo));
    txtOrdine_->update();
    if (menu_.MenuCopiaAppunti->isChecked()) {
        QGuiApplication::clipboard()->clear();
        QGuiApplication::clipboard()->setText(txtOrdine_->testo());
        txtOrig_->setFocus();
    } else {
        txtOrdine_->seleziona(0, txtOrdine_->lunghezzaTesto());
        txtOrdine_->setFocus();
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
    if ((oggetto == this || oggetto == txtOrig_->viewport() || oggetto == txtOrdine_->viewport()) &&
        trascinamentoFile(evento))
        return true;
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

bool MainForm::trascinamentoFile(QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::DragEnter && tipo != QEvent::DragMove && tipo != QEvent::Drop)
        return false;
    auto* trascina = static_cast<QDropEvent*>(evento);
    const QString percorso = fileTrascinato(trascina->mimeData());
    if (percorso.isEmpty())
        return false;
    trascina->setDropAction(Qt::CopyAction);
    trascina->accept();
    if (tipo == QEvent::Drop) {
        // After the drop has returned: the file manager must not wait on a
        // warning box.
        QTimer::singleShot(0, this, [this, percorso] { apriFile(percorso); });
    }
    return true;
}

QString MainForm::testoOrig() const {
    return txtOrig_->testo();
}

QString MainForm::testoOrdine() const {
    return txtOrdine_->testo();
}

// A warning of the program's own. While the separator dialog is up, its OK
// runs the engine: the box then belongs over the dialog, not under it with the
// disabled main window.
void MainForm::messaggio(const QString& testo) {
    if (cursoreAttesa_)
        QApplication::restoreOverrideCursor();
    QWidget* padre = this;
    if (!isEnabled() && frmSepElenco_ && frmSepElenco_->isVisible())
        padre = frmSepElenco_.get();
    dialoghi_->messaggio(padre, testo, TitoloAvviso, FlagAvviso);
    if (cursoreAttesa_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
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
    const std::optional<QString> scelto = dialoghi_->apriFile(this, opzioni);
    if (scelto)
        apriFile(*scelto);
}

void MainForm::apriFile(const QString& percorso) {
    txtOrig_->impostaTesto(QString());
    QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
    bool letto = false;
    {
        // Reading and showing a large file take long enough to want the busy
        // cursor too, not only the sort after them.
        CursoreAttesa cursore(QFileInfo(percorso).size() > SogliaCursoreAttesa, cursoreAttesa_);
        // Gone before the sort: a large text is not held twice over it.
        // With the line break splitting the items, a file's lines are its items.
        const QuorlaIo::FineRiga fineRiga =
            opzioni_.perRighe() ? QuorlaIo::FineRiga::CrLf : QuorlaIo::FineRiga::Spazio;
        const std::optional<QString> testo = QuorlaIo::LeggiFileTesto(percorso, &errore, fineRiga);
        if (testo) {
            txtOrig_->impostaTesto(*testo);
            letto = true;
        }
    }
    if (!letto) {
        const QString avviso =
            errore == QuorlaIo::ErroreLettura::TroppoGrande
                ? QStringLiteral("Attenzione, Il file ") + percorso +
                      QStringLiteral(" è troppo grande: si possono aprire file fino a %1 MB.")
                          .arg(QuorlaIo::LimiteLettura() >> 20)
                : QStringLiteral("Attenzione, Il file ") + percorso +
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
    frmSepElenco_->leggi(opzioni_);
    mostraSeparatori();
    update();
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
    numCaratteri_ = slider_->value();
    elabora();
}

void MainForm::MenuCopiaAppunti_Click() {
    stBar_->abilita(4, menu_.MenuCopiaAppunti->isChecked());
}

void MainForm::MenuOrdine_Click() {
    const VociMenu& m = menu_;
    // The action has already moved its own check mark.
    const auto segnato = [](const auto& voci) {
        const auto voce = std::find_if(voci.cbegin(), voci.cend(),
                                       [](const QAction* a) { return a->isChecked(); });
        return voce != voci.cend() ? int(voce - voci.cbegin()) : 0;
    };
    Motore::OpzioniOrdine& o = opzioni_.ordine;
    o.verso = m.MenuMescola->isChecked()       ? Verso::Mescola
              : m.MenuDecrescente->isChecked() ? Verso::Decrescente
                                               : Verso::Crescente;
    o.numeriNaturali = m.MenuNumeriNaturali->isChecked();
    o.maiuscole = Maiuscole(segnato(m.MenuMaiuscole));
    o.ignoraPunteggiatura = m.MenuIgnoraPunteggiatura->isChecked();
    o.ignoraArticoli = m.MenuIgnoraArticoli->isChecked();
    const int doppioni = segnato(m.MenuDoppioni);
    o.doppioni = doppioni == 0 ? Doppioni::Tutti : Doppioni::Elimina;
    o.simili = doppioni == 2;
    o.lingua = segnato(m.MenuLingua);
    mostraOpzioniOrdine();
    elabora();
}

void MainForm::Slider_Click() {
    numCaratteri_ = slider_->value();
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

// --- "Ordina per" (sort keys) ---

void MainForm::creaChiavi() {
    VociMenu& m = menu_;
    m.MenuNull_R4 = m.MenuOrdine->addSeparator();
    m.MenuNull_R4->setObjectName(QStringLiteral("MenuNull_R4"));
    m.MenuVoceIntera = m.MenuOrdine->addAction(tr("&Voce intera"));
    m.MenuVoceIntera->setObjectName(QStringLiteral("MenuVoceIntera"));
    m.MenuVoceIntera->setToolTip(tr("Confronta le voci per intero, senza chiavi"));
    m.MenuVoceIntera->setCheckable(true);
    m.MenuVoceIntera->setChecked(true);
    connect(m.MenuVoceIntera, &QAction::triggered, this, &MainForm::MenuVoceIntera_Click);
    m.MenuOrdinaPer = m.MenuOrdine->addAction(tr("&Ordina per..."));
    m.MenuOrdinaPer->setObjectName(QStringLiteral("MenuOrdinaPer"));
    m.MenuOrdinaPer->setToolTip(
        tr("Ordina per una parte delle voci: un campo, il cognome, la lunghezza, un numero, "
           "una data..."));
    m.MenuOrdinaPer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    azioniConTasto_.append(m.MenuOrdinaPer);
    connect(m.MenuOrdinaPer, &QAction::triggered, this, &MainForm::MenuOrdinaPer_Click);

    segnaChiavi_ = new SegnaChiavi(txtOrig_);
    // The status bar has no panel to spare. The count of items without a value
    // matters right after a sort, the input separators of the first panel
    // rather when they are being chosen: the count takes that panel for a few
    // seconds, then the separators come back.
    timerAvviso_ = new QTimer(this);
    timerAvviso_->setSingleShot(true);
    timerAvviso_->setInterval(8000);
    connect(timerAvviso_, &QTimer::timeout, this, &MainForm::mostraSeparatori);
}

void MainForm::MenuOrdinaPer_Click() {
    // A preview needs the first items only, not a copy of a large text.
    const std::optional<std::vector<Motore::Chiave>> chiavi =
        Frm_Chiavi::chiedi(this, opzioni_.ordine.chiavi,
                           SegnaChiavi::inizioTesto(*txtOrig_, qsizetype(1) << 16), opzioni_);
    if (!chiavi)
        return;
    opzioni_.ordine.chiavi = *chiavi;
    menu_.MenuVoceIntera->setChecked(chiavi->empty());
    elabora();
}

void MainForm::MenuVoceIntera_Click() {
    opzioni_.ordine.chiavi.clear();
    menu_.MenuVoceIntera->setChecked(true);
    elabora();
}

void MainForm::avvisaSenzaValore(std::size_t voci) {
    if (voci == 0) {
        if (timerAvviso_->isActive()) {
            timerAvviso_->stop();
            mostraSeparatori();
        }
        return;
    }
    stBar_->impostaTesto(1, voci == 1 ? tr("1 voce senza valore per le chiavi")
                                      : tr("%1 voci senza valore per le chiavi").arg(voci));
    timerAvviso_->start();
}
