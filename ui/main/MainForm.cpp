#include "MainForm.h"

#include "Misure.h"

#include "Accessibilita.h"
#include "BarraStato.h"
#include "BloccoNote.h"
#include "Controlli.h"
#include "Disegni.h"
#include "FileTesto.h"
#include "Frm_Chiavi.h"
#include "Frm_SepElenco.h"
#include "Motore.h"
#include "Scrittore.h"
#include "SegnaChiavi.h"
#include "Traduzioni.h"
#include "VersioneQuorla.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
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

namespace {

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

MainForm::MainForm(std::unique_ptr<Dialoghi> dialoghi, const QString& fileImpostazioni)
    : QMainWindow(nullptr),
      dialoghi_(dialoghi ? std::move(dialoghi) : std::make_unique<DialoghiQt>()),
      avvioEditor_(QuorlaIo::AvviaBloccoNote), fileImpostazioni_(fileImpostazioni) {
    // Leaving the event loop ends the program without closing any window, so
    // neither this window's nor the separator dialog's close handling runs.
    uscita_ = [this] {
        if (frmSepElenco_)
            frmSepElenco_->hide();
        hide();
        QCoreApplication::exit(0);
    };

    installaAccessibilita();
    setWindowTitle(tr("Brivetanzia alfabetico"));
    setWindowIcon(iconaQuorla());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    creaControlli();
    creaMenu();
    // The rulers tell assistive technology the line length in force.
    connect(slider_, &QSlider::valueChanged, this, &MainForm::descriviRighelli);
    connect(menu_.MenuACapo, &QAction::toggled, this, &MainForm::descriviRighelli);
    descriviRighelli();

    // A fixed window: the client area below the menu bar keeps its size.
    const QRect client = Misure::daTwip(0, 0, LarghezzaClient, AltezzaClient);
    const int altezzaMenu = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setFixedSize(client.width(), client.height() + altezzaMenu);
    setGeometry(rettangoloCentrato());

    Form_Load();
}

MainForm::~MainForm() = default;

void MainForm::impostaUscita(std::function<void()> uscita) {
    uscita_ = std::move(uscita);
}

void MainForm::impostaAvvioEditor(std::function<bool()> avvio) {
    avvioEditor_ = std::move(avvio);
}

QRect MainForm::rettangoloCentrato() const {
    if (const QScreen* schermo = screen()) {
        return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                   schermo->availableGeometry());
    }
    return geometry();
}

Righello* MainForm::Img_Righello(int i) const {
    return i >= 0 && i < int(righelli_.size()) ? righelli_[i] : nullptr;
}

void MainForm::creaControlli() {
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("MainForm_Client"));
    centrale->setFixedSize(Misure::daTwip(0, 0, LarghezzaClient, AltezzaClient).size());
    setCentralWidget(centrale);

    for (int i = 0; i < 2; ++i) {
        righelli_[i] = new Righello(centrale);
        righelli_[i]->setObjectName(QStringLiteral("Img_Righello_%1").arg(i));
    }
    righelli_[0]->setGeometry(Misure::daTwip(360, 240, 9360, 705));
    righelli_[1]->setGeometry(Misure::daTwip(360, 3840, 9360, 705));
    righelli_[0]->setAccessibleName(tr("Righello del testo in ingresso"));
    righelli_[1]->setAccessibleName(tr("Righello del testo riordinato"));

    txtOrig_ = new CasellaTesto(centrale);
    txtOrig_->setObjectName(QStringLiteral("Txt_Orig"));
    txtOrig_->setGeometry(Misure::daTwip(360, 960, 9375, 2535));
    txtOrig_->setToolTip(tr("Inserire il testo da ordinare"));
    txtOrig_->setAccessibleName(tr("Testo in ingresso"));

    txtOrdine_ = new CasellaTesto(centrale);
    txtOrdine_->setObjectName(QStringLiteral("Txt_Ordine"));
    txtOrdine_->setGeometry(Misure::daTwip(360, 4560, 9375, 2535));
    txtOrdine_->setToolTip(tr("Testo ordinato"));
    txtOrdine_->setAccessibleName(tr("Testo riordinato"));

    slider_ = new SliderCaratteri(centrale);
    slider_->setObjectName(QStringLiteral("Slider"));
    slider_->setGeometry(Misure::daTwip(330, 7080, 9150, 255));
    slider_->setRange(1, 100);
    slider_->setSingleStep(1);
    slider_->setPageStep(5);
    slider_->setValue(50);
    slider_->setAccessibleName(tr("Caratteri per riga"));
    slider_->setAccessibleDescription(tr("Lunghezza massima delle righe del testo riordinato"));

    stBar_ = new BarraStato(centrale);
    stBar_->setObjectName(QStringLiteral("STBar"));
    stBar_->setGeometry(Misure::daTwip(0, 7575, 10080, 255));

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

    m.MenuFile = menuBar()->addMenu(tr("&File"));
    m.MenuFile->setObjectName(QStringLiteral("MenuFile"));
    m.MenuNuovo = voce(m.MenuFile, QStringLiteral("MenuNuovo"), tr("Nuovo"),
                       QKeySequence(Qt::CTRL | Qt::Key_N), &MainForm::MenuNuovo_Click);
    m.MenuApri = voce(m.MenuFile, QStringLiteral("MenuApri"), tr("Apri..."),
                      QKeySequence(Qt::CTRL | Qt::Key_F12), &MainForm::MenuApri_Click);
    m.MenuSalvaNome = voce(m.MenuFile, QStringLiteral("MenuSalvaNome"), tr("Salva con nome..."),
                           QKeySequence(), &MainForm::MenuSalvaNome_Click);
    m.MenuNull0 = separatore(m.MenuFile, QStringLiteral("MenuNull0"));
    m.MenuConverti = voce(m.MenuFile, QStringLiteral("MenuConverti"), tr("Quorla testo"),
                          QKeySequence(Qt::CTRL | Qt::Key_O), &MainForm::MenuConverti_Click);
    m.MenuBloccoNote = voce(m.MenuFile, QStringLiteral("MenuBloccoNote"), tr("Blocco Note"),
                            QKeySequence(Qt::CTRL | Qt::Key_B), &MainForm::MenuBloccoNote_Click);
    m.MenuNull_F1 = separatore(m.MenuFile, QStringLiteral("MenuNull_F1"));
    m.MenuFine = voce(m.MenuFile, QStringLiteral("MenuFine"), tr("Fine"),
                      QKeySequence(Qt::CTRL | Qt::Key_X), &MainForm::MenuFine_Click);

    m.MenuOpzioni = menuBar()->addMenu(tr("&Opzioni"));
    m.MenuOpzioni->setObjectName(QStringLiteral("MenuOpzioni"));
    m.MenuSeparatori =
        voce(m.MenuOpzioni, QStringLiteral("MenuSeparatori"), tr("Imposta separatori lista"),
             QKeySequence(Qt::CTRL | Qt::Key_S), &MainForm::MenuSeparatori_Click);
    m.MenuACapo = voce(m.MenuOpzioni, QStringLiteral("MenuACapo"), tr("Imposta numero caratteri "),
                       QKeySequence(Qt::CTRL | Qt::Key_I), &MainForm::MenuACapo_Click);
    m.MenuACapo->setCheckable(true);
    m.MenuNull_O1 = separatore(m.MenuOpzioni, QStringLiteral("MenuNull_O1"));
    m.MenuCopiaAppunti =
        voce(m.MenuOpzioni, QStringLiteral("MenuCopiaAppunti"),
             tr("Copia automaticamente negli Appunti"), QKeySequence(Qt::CTRL | Qt::Key_C),
             &MainForm::MenuCopiaAppunti_Click);
    m.MenuCopiaAppunti->setCheckable(true);
    m.MenuNull_O2 = separatore(m.MenuOpzioni, QStringLiteral("MenuNull_O2"));
    m.MenuColori0 = m.MenuOpzioni->addMenu(tr("Imposta Colori"));
    m.MenuColori0->setObjectName(QStringLiteral("MenuColori0"));
    const std::array<QString, 2> coloriTesti = {tr("Colore sfondo"), tr("Colore testo")};
    for (int i = 0; i < 2; ++i) {
        m.MenuColori[i] = m.MenuColori0->addAction(coloriTesti[i]);
        m.MenuColori[i]->setObjectName(QStringLiteral("MenuColori_%1").arg(i));
        connect(m.MenuColori[i], &QAction::triggered, this, [this, i] { MenuColori_Click(i); });
    }
    m.MenuNull_O3 = separatore(m.MenuColori0, QStringLiteral("MenuNull_O3"));
    m.MenuColori_Def =
        voce(m.MenuColori0, QStringLiteral("MenuColori_Def"), tr("Ripristina valori predefiniti"),
             QKeySequence(), &MainForm::MenuColori_Def_Click);
    m.MenuNull_O4 = separatore(m.MenuOpzioni, QStringLiteral("MenuNull_O4"));
    m.MenuRipristina = voce(m.MenuOpzioni, QStringLiteral("MenuRipristina"),
                            tr("&Ripristina impostazioni iniziali"), QKeySequence(),
                            &MainForm::MenuRipristina_Click);

    creaMenuOrdine();
    creaChiavi();

    m.MenuAbout0 = menuBar()->addMenu(tr("&?"));
    m.MenuAbout0->setObjectName(QStringLiteral("MenuAbout0"));
    // Read aloud, "?" says nothing of what the menu holds.
    impostaNomeAccessibile(m.MenuAbout0, tr("Aiuto"));
    m.MenuAbout = voce(m.MenuAbout0, QStringLiteral("MenuAbout"), tr("Informazioni su..."),
                       QKeySequence(Qt::Key_F1), &MainForm::MenuAbout_Click);
}

// Every item of the menu runs one handler, which reads the whole menu back
// into the ordering options: the check marks are the options as the user sees
// them.
namespace {

QMenu* sottomenu(QMenu* menu, const QString& nome, const QString& titolo,
                 const QString& suggerimento) {
    QMenu* sotto = menu->addMenu(titolo);
    sotto->setObjectName(nome);
    sotto->menuAction()->setToolTip(suggerimento);
    sotto->setToolTipsVisible(true);
    return sotto;
}

QAction* separatoreMenu(QMenu* menu, const QString& nome) {
    QAction* azione = menu->addSeparator();
    azione->setObjectName(nome);
    return azione;
}

} // namespace

// An item of the menu "Ordine": it reads the whole menu back into the options.
QAction* MainForm::voceOrdine(QMenu* menu, const QString& nome, const QString& testo,
                              const QString& suggerimento, QActionGroup* gruppo) {
    QAction* azione = menu->addAction(testo);
    azione->setObjectName(nome);
    azione->setToolTip(suggerimento);
    azione->setCheckable(true);
    if (gruppo)
        gruppo->addAction(azione);
    connect(azione, &QAction::triggered, this, &MainForm::MenuOrdine_Click);
    return azione;
}

void MainForm::creaMenuOrdine() {
    VociMenu& m = menu_;
    m.MenuOrdine = menuBar()->addMenu(tr("O&rdine"));
    m.MenuOrdine->setObjectName(QStringLiteral("MenuOrdine"));
    m.MenuOrdine->setToolTipsVisible(true);

    auto* verso = new QActionGroup(m.MenuOrdine);
    m.MenuCrescente = voceOrdine(m.MenuOrdine, QStringLiteral("MenuCrescente"), tr("&Crescente"),
                                 tr("Ordina le voci dalla A alla Z"), verso);
    m.MenuDecrescente = voceOrdine(m.MenuOrdine, QStringLiteral("MenuDecrescente"),
                                   tr("&Decrescente"), tr("Ordina le voci dalla Z alla A"), verso);
    m.MenuComeNelTesto =
        voceOrdine(m.MenuOrdine, QStringLiteral("MenuComeNelTesto"), tr("Come nel &testo"),
                   tr("Lascia le voci nell'ordine in cui sono scritte"), verso);
    m.MenuInverti =
        voceOrdine(m.MenuOrdine, QStringLiteral("MenuInverti"), tr("&Inverti"),
                   tr("Metti le voci nell'ordine inverso a quello in cui sono scritte"), verso);
    m.MenuMescola =
        voceOrdine(m.MenuOrdine, QStringLiteral("MenuMescola"), tr("Me&scola"),
                   tr("Metti le voci in ordine casuale, diverso a ogni esecuzione"), verso);
    m.MenuNull_R1 = separatoreMenu(m.MenuOrdine, QStringLiteral("MenuNull_R1"));
    m.MenuNumeriNaturali = voceOrdine(
        m.MenuOrdine, QStringLiteral("MenuNumeriNaturali"), tr("&Numeri in ordine naturale"),
        tr("Confronta i numeri per il loro valore: \"img2\" prima di \"img10\""));

    creaMenuMaiuscole();

    m.MenuIgnoraPunteggiatura =
        voceOrdine(m.MenuOrdine, QStringLiteral("MenuIgnoraPunteggiatura"),
                   tr("Ignora &punteggiatura e spazi"),
                   tr("Ordina le voci senza tener conto di punteggiatura e spazi"));
    m.MenuIgnoraArticoli = voceOrdine(
        m.MenuOrdine, QStringLiteral("MenuIgnoraArticoli"), tr("Ignora &articoli iniziali"),
        tr("Ordina \"Il Gattopardo\" sotto la G e \"L'Aquila\" sotto la A"));
    m.MenuNull_R2 = separatoreMenu(m.MenuOrdine, QStringLiteral("MenuNull_R2"));

    creaMenuDoppioni();
    creaMenuLingua();
    m.MenuNull_R3 = separatoreMenu(m.MenuOrdine, QStringLiteral("MenuNull_R3"));
    // Checked while some items stay; it asks how many rather than switching.
    m.MenuIntestazione = m.MenuOrdine->addAction(tr("Prime N &voci ferme..."));
    m.MenuIntestazione->setObjectName(QStringLiteral("MenuIntestazione"));
    m.MenuIntestazione->setToolTip(
        tr("Lascia in testa, come sono, le prime voci: per esempio l'intestazione di una "
           "tabella"));
    m.MenuIntestazione->setCheckable(true);
    connect(m.MenuIntestazione, &QAction::triggered, this, &MainForm::MenuIntestazione_Click);
}

void MainForm::creaMenuMaiuscole() {
    VociMenu& m = menu_;
    m.MenuMaiuscole0 =
        sottomenu(m.MenuOrdine, QStringLiteral("MenuMaiuscole0"), tr("&Maiuscole e minuscole"),
                  tr("Ordine delle voci che differiscono solo per maiuscole e "
                     "minuscole"));
    auto* maiuscole = new QActionGroup(m.MenuMaiuscole0);
    const std::array<std::array<QString, 2>, 3> testiMaiuscole = {{
        {tr("&Come la lingua"), tr("Segui la regola della lingua di ordinamento")},
        {tr("&Maiuscole prima"), tr("Metti \"Roma\" prima di \"roma\"")},
        {tr("M&inuscole prima"), tr("Metti \"roma\" prima di \"Roma\"")},
    }};
    for (int i = 0; i < 3; ++i) {
        m.MenuMaiuscole[i] = voceOrdine(m.MenuMaiuscole0, QStringLiteral("MenuMaiuscole_%1").arg(i),
                                        testiMaiuscole[i][0], testiMaiuscole[i][1], maiuscole);
    }
}

void MainForm::creaMenuDoppioni() {
    VociMenu& m = menu_;
    m.MenuDoppioni0 = sottomenu(m.MenuOrdine, QStringLiteral("MenuDoppioni0"), tr("D&oppioni"),
                                tr("Che cosa fare delle voci che compaiono più di una volta"));
    auto* doppioni = new QActionGroup(m.MenuDoppioni0);
    const std::array<std::array<QString, 2>, 5> testiDoppioni = {{
        {tr("&Tienili tutti"), tr("Tieni tutte le voci, anche quelle ripetute")},
        {tr("&Elimina"), tr("Tieni una volta sola le voci ripetute: la prima scritta")},
        {tr("Solo quelli &ripetuti"),
         tr("Tieni una volta sola le voci che compaiono più di una volta, e nessun'altra")},
        {tr("Solo quelli &unici"), tr("Tieni solo le voci che compaiono una volta sola")},
        {tr("&Conta"),
         tr("Scrivi ogni voce una volta sola, seguita dal numero delle volte: \"pera (3)\"")},
    }};
    for (int i = 0; i < int(testiDoppioni.size()); ++i) {
        m.MenuDoppioni[i] = voceOrdine(m.MenuDoppioni0, QStringLiteral("MenuDoppioni_%1").arg(i),
                                       testiDoppioni[i][0], testiDoppioni[i][1], doppioni);
    }
    m.MenuNull_D1 = separatoreMenu(m.MenuDoppioni0, QStringLiteral("MenuNull_D1"));
    m.MenuSimili = voceOrdine(
        m.MenuDoppioni0, QStringLiteral("MenuSimili"), tr("&Anche con maiuscole e accenti diversi"),
        tr("Considera uguali le voci che differiscono solo per maiuscole o accenti; con "
           "\"Ignora punteggiatura e spazi\" o \"Ignora articoli iniziali\", anche quelle "
           "che differiscono per punteggiatura o per l'articolo iniziale"));
    m.MenuPerFrequenza =
        voceOrdine(m.MenuDoppioni0, QStringLiteral("MenuPerFrequenza"), tr("Dalla più &frequente"),
                   tr("Con \"Conta\", metti prima le voci che compaiono più volte"));
}

void MainForm::creaMenuLingua() {
    VociMenu& m = menu_;
    m.MenuLingua0 = sottomenu(m.MenuOrdine, QStringLiteral("MenuLingua0"), tr("&Lingua"),
                              tr("Ordina secondo le regole di una lingua"));
    // Twenty names without access keys: typing the first letters of one
    // selects it.
    attivaRicercaVoci(m.MenuLingua0);
    auto* lingue = new QActionGroup(m.MenuLingua0);
    const auto& elenco = Motore::lingueOrdine();
    for (int i = 0; i < int(elenco.size()); ++i) {
        QString suggerimento;
        if (i == Motore::LinguaSistema)
            suggerimento = tr("Segui l'ordine alfabetico della lingua del sistema");
        else if (i == Motore::linguaCodiciUnicode())
            suggerimento = tr("Ordina per codice Unicode dei caratteri");
        // A name is shown as it is written, never as an access key.
        QString testo = Traduzioni::NomeLingua(QString::fromUtf8(elenco[std::size_t(i)].nome));
        testo.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m.MenuLingua.append(voceOrdine(m.MenuLingua0, QStringLiteral("MenuLingua_%1").arg(i), testo,
                                       suggerimento, lingue));
    }
}

void MainForm::descriviRighelli() {
    const QString descrizione =
        menu_.MenuACapo->isChecked()
            ? tr("Colonne da 1 a 100; a capo dopo %1 caratteri").arg(slider_->value())
            : tr("Colonne da 1 a 100; a capo non attivo");
    for (Righello* righello : righelli_)
        righello->setAccessibleDescription(descrizione);
}

// The check marks follow the ordering options. Only a count has an order of
// frequency, and its item shows it.
void MainForm::mostraOpzioniOrdine() {
    const VociMenu& m = menu_;
    const Motore::OpzioniOrdine& o = opzioni_.ordine;
    m.MenuCrescente->setChecked(o.verso == Verso::Crescente);
    m.MenuDecrescente->setChecked(o.verso == Verso::Decrescente);
    m.MenuComeNelTesto->setChecked(o.verso == Verso::ComeNelTesto);
    m.MenuInverti->setChecked(o.verso == Verso::Inverti);
    m.MenuMescola->setChecked(o.verso == Verso::Mescola);
    m.MenuNumeriNaturali->setChecked(o.numeriNaturali);
    for (int i = 0; i < int(m.MenuMaiuscole.size()); ++i)
        m.MenuMaiuscole[i]->setChecked(int(o.maiuscole) == i);
    m.MenuIgnoraPunteggiatura->setChecked(o.ignoraPunteggiatura);
    m.MenuIgnoraArticoli->setChecked(o.ignoraArticoli);
    for (int i = 0; i < int(m.MenuDoppioni.size()); ++i)
        m.MenuDoppioni[i]->setChecked(int(o.doppioni) == i);
    m.MenuSimili->setChecked(o.simili);
    m.MenuPerFrequenza->setChecked(o.perFrequenza);
    m.MenuPerFrequenza->setEnabled(o.doppioni == Doppioni::Conta);
    for (int i = 0; i < int(m.MenuLingua.size()); ++i)
        m.MenuLingua[i]->setChecked(o.lingua == i);
    m.MenuIntestazione->setChecked(o.intestazione > 0);
}

// The window's choices as the settings file keeps them.
Impostazioni MainForm::impostazioni() const {
    Impostazioni i;
    i.opzioni = opzioni_;
    i.opzioni.larghezza.reset();
    i.aCapo = menu_.MenuACapo->isChecked();
    i.caratteri = numCaratteri_;
    i.copia = menu_.MenuCopiaAppunti->isChecked();
    if (txtOrig_->sfondo() != CasellaTesto::sfondoPredefinito())
        i.sfondo = txtOrig_->sfondo();
    i.coloreTesto = txtOrig_->coloreTestoScelto();
    // A window never moved stays centred, on whatever screen the next run has.
    if (geometry().topLeft() != rettangoloCentrato().topLeft())
        i.posizione = geometry().topLeft();
    i.cartella = cartella_;
    return i;
}

// Shows the choices as the handlers of their controls would, without a run.
void MainForm::applicaImpostazioni(const Impostazioni& i) {
    opzioni_ = i.opzioni;
    opzioni_.larghezza.reset();
    mostraOpzioniOrdine();
    frmSepElenco_->mostra(opzioni_);
    mostraSeparatori();
    menu_.MenuACapo->setChecked(i.aCapo);
    stBar_->abilita(3, i.aCapo);
    slider_->setValue(i.caratteri);
    slider_->setVisible(i.aCapo);
    numCaratteri_ = i.caratteri;
    menu_.MenuCopiaAppunti->setChecked(i.copia);
    stBar_->abilita(4, i.copia);
    for (CasellaTesto* casella : {txtOrig_, txtOrdine_}) {
        casella->ripristinaColori();
        if (i.sfondo)
            casella->impostaSfondo(*i.sfondo);
        if (i.coloreTesto)
            casella->impostaColoreTesto(*i.coloreTesto);
        casella->update();
    }
    // Only where the whole window shows: a screen may have gone since.
    QRect posto = rettangoloCentrato();
    if (i.posizione) {
        const QRect scelto(*i.posizione, size());
        for (const QScreen* schermo : QGuiApplication::screens()) {
            if (schermo->availableGeometry().contains(scelto))
                posto = scelto;
        }
    }
    setGeometry(posto);
    cartella_ = i.cartella;
    update();
}

// Every choice goes to the file as soon as it is made: the program ends
// without a close handler of its own, and may be ended from outside.
void MainForm::salvaImpostazioni(bool avvisa) {
    const Impostazioni ora = impostazioni();
    // Nothing new, no write: a run that changes nothing leaves no file behind.
    if (fileImpostazioni_.isEmpty() || ora == salvate_)
        return;
    if (scriviImpostazioni(fileImpostazioni_, ora)) {
        salvate_ = ora;
        return;
    }
    if (avvisoImpostazioni_ || !avvisa)
        return;
    avvisoImpostazioni_ = true;
    messaggio(tr("Attenzione, Impossibile salvare le impostazioni nel file %1: le scelte fatte "
                 "valgono solo fino alla chiusura del programma.")
                  .arg(QDir::toNativeSeparators(fileImpostazioni_)));
}

// The open and save dialogs differ only in their title and their one option.
Dialoghi::OpzioniFile MainForm::opzioniFile(const QString& titolo) const {
    Dialoghi::OpzioniFile opzioni;
    opzioni.titolo = titolo;
    opzioni.filtri = filtriDaElenco(tr("File di testo (*.txt)|*.txt|All Files (*.*)|*.*"));
    opzioni.nomeIniziale = QStringLiteral("*.txt");
    opzioni.estensione = QStringLiteral("txt");
    // A folder remembered from a removable disk may have gone.
    opzioni.cartella = !cartella_.isEmpty() && QFileInfo(cartella_).isDir()
                           ? cartella_
                           : cartellaIniziale(QCoreApplication::applicationDirPath());
    return opzioni;
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

    stBar_->impostaTesto(3, tr("A CAPO"));
    stBar_->abilita(3, false);
    stBar_->impostaTesto(4, tr("COPIA"));
    stBar_->abilita(4, false);
    slider_->hide();
    txtOrig_->impostaTesto(QString());
    txtOrig_->update();
    txtOrdine_->impostaTesto(QString());
    txtOrig_->setFocus();
    txtOrdine_->update();
    update();

    if (!fileImpostazioni_.isEmpty())
        applicaImpostazioni(leggiImpostazioni(fileImpostazioni_));
    salvate_ = impostazioni();
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
    stBar_->impostaTesto(
        1,
        tr("Separatori testo inserito: %1").arg(nomi.isEmpty() ? tr("Nessuno") : nomi.join(u' ')));
    // With the space, the panel shows exactly what stands between items.
    const QString uscita =
        opzioni_.spazioEffettivo()
            ? u'"' + QChar(catalogo[std::size_t(opzioni_.uscita)].carattere) + u' ' + u'"'
            : nome(opzioni_.uscita);
    stBar_->impostaTesto(2, tr("Separatore testo elaborato: %1").arg(uscita));
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
        messaggio(tr("Memoria insufficiente per ordinare il testo."));
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
        messaggio(tr("Impossibile formattare il testo"));
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
    Dialoghi::OpzioniFile opzioni = opzioniFile(tr("Apri"));
    opzioni.deveEsistere = true;
    const std::optional<QString> scelto = dialoghi_->apriFile(this, opzioni);
    if (!scelto)
        return;
    cartella_ = QFileInfo(*scelto).absolutePath();
    salvaImpostazioni();
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
                ? tr("Attenzione, Il file %1 è troppo grande: si possono aprire file fino a %2 MB.")
                      .arg(percorso, QString::number(QuorlaIo::LimiteLettura() >> 20))
                : tr("Attenzione, Il file %1 non è compatibile.").arg(percorso);
        dialoghi_->messaggio(this, avviso, TitoloAvviso, FlagAvviso);
        return;
    }
    MenuConverti_Click();
}

void MainForm::MenuSalvaNome_Click() {
    Dialoghi::OpzioniFile opzioni = opzioniFile(tr("Salva con nome"));
    opzioni.chiediSovrascrittura = true;
    const std::optional<QString> percorso = dialoghi_->salvaFile(this, opzioni);
    if (!percorso)
        return;

    QuorlaIo::Scrittore file(*percorso);
    if (!file.scriviTutto(testoOrdine())) {
        // The cause on a line of its own, after the path.
        dialoghi_->messaggio(
            this,
            tr("Attenzione, Errore occorso durante il salvataggio dei dati nel file ") + *percorso +
                QStringLiteral("\r\n") + file.testoCausa(),
            TitoloAvviso, FlagAvviso);
        return;
    }
    // A folder the file could not go into is no place to start the next time.
    cartella_ = QFileInfo(*percorso).absolutePath();
    salvaImpostazioni();
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
    // The window's place is the one choice not saved as it is made. No box on
    // the way out: a folder that cannot be written has been told already.
    salvaImpostazioni(false);
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
    salvaImpostazioni();
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
    salvaImpostazioni();
    elabora();
}

void MainForm::MenuCopiaAppunti_Click() {
    stBar_->abilita(4, menu_.MenuCopiaAppunti->isChecked());
    salvaImpostazioni();
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
    o.verso = Verso(segnato(std::array{m.MenuCrescente, m.MenuDecrescente, m.MenuComeNelTesto,
                                       m.MenuInverti, m.MenuMescola}));
    o.numeriNaturali = m.MenuNumeriNaturali->isChecked();
    o.maiuscole = Maiuscole(segnato(m.MenuMaiuscole));
    o.ignoraPunteggiatura = m.MenuIgnoraPunteggiatura->isChecked();
    o.ignoraArticoli = m.MenuIgnoraArticoli->isChecked();
    o.doppioni = Doppioni(segnato(m.MenuDoppioni));
    o.simili = m.MenuSimili->isChecked();
    o.perFrequenza = m.MenuPerFrequenza->isChecked();
    o.lingua = segnato(m.MenuLingua);
    mostraOpzioniOrdine();
    salvaImpostazioni();
    elabora();
}

void MainForm::MenuIntestazione_Click() {
    Motore::OpzioniOrdine& o = opzioni_.ordine;
    const std::optional<int> n = dialoghi_->numero(
        this, tr("Prime N voci ferme"), tr("&Voci che restano in testa, come sono (0: nessuna):"),
        o.intestazione, 0, 99);
    if (n)
        o.intestazione = *n;
    // The action has switched its own check mark, whatever the answer.
    mostraOpzioniOrdine();
    if (!n)
        return;
    salvaImpostazioni();
    elabora();
}

// Every choice back to what a first run has, the input text left alone.
void MainForm::MenuRipristina_Click() {
    applicaImpostazioni(Impostazioni{});
    salvaImpostazioni();
    elabora();
}

void MainForm::Slider_Click() {
    numCaratteri_ = slider_->value();
    salvaImpostazioni();
    elabora();
}

void MainForm::Txt_Orig_Change() {
    txtOrdine_->impostaTesto(QString());
    txtOrdine_->update();
}

void MainForm::MenuColori_Click(int indice) {
    // The caption without its access key.
    const std::optional<QColor> colore =
        dialoghi_->colore(this, menu_.MenuColori[indice]->iconText());
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
    salvaImpostazioni();
}

void MainForm::MenuColori_Def_Click() {
    txtOrig_->ripristinaColori();
    txtOrig_->update();
    txtOrdine_->ripristinaColori();
    txtOrdine_->update();
    salvaImpostazioni();
}

QString MainForm::testoInformazioni() {
    const QChar a_capo(13);
    const QString versione =
        tr("Versione %1")
            .arg(QString::number(QUORLA_VERSION_MAJOR) + QLatin1Char('.') +
                 QString::number(QUORLA_VERSION_MINOR) + QString::number(QUORLA_VERSION_REVISION));
    return QString::fromUtf8(QUORLA_PRODUCT) + QStringLiteral(" - ") +
           Traduzioni::TestoProgetto(QUORLA_DESCRIPTION) + a_capo + versione + a_capo + a_capo +
           Traduzioni::TestoProgetto(QUORLA_LEGAL) + a_capo +
           Traduzioni::TestoProgetto(QUORLA_COMMENTS);
}

void MainForm::MenuAbout_Click() {
    dialoghi_->messaggio(this, testoInformazioni(), windowTitle(), FlagInformazione);
}

// --- "Ordina per" (sort keys) ---

void MainForm::creaChiavi() {
    VociMenu& m = menu_;
    m.MenuNull_R4 = m.MenuOrdine->addSeparator();
    m.MenuNull_R4->setObjectName(QStringLiteral("MenuNull_R4"));
    m.MenuVoceIntera = m.MenuOrdine->addAction(tr("Voc&e intera"));
    m.MenuVoceIntera->setObjectName(QStringLiteral("MenuVoceIntera"));
    m.MenuVoceIntera->setToolTip(tr("Confronta le voci per intero, senza chiavi"));
    m.MenuVoceIntera->setCheckable(true);
    m.MenuVoceIntera->setChecked(true);
    connect(m.MenuVoceIntera, &QAction::triggered, this, &MainForm::MenuVoceIntera_Click);
    m.MenuOrdinaPer = m.MenuOrdine->addAction(tr("Ordina pe&r..."));
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
