#include "Frm_SepElenco.h"

#include "Misure.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

using Motore::NumSeparatori;

namespace {

// The input and output frames were drawn for the two columns of seven alone;
// they are one row taller, so that the box for the space after the output
// separator sits under the columns. The window had the room below them.
constexpr int AltezzaCornice = 3015 + 360;

// The layout was drawn for a small, narrow system font. Wider default fonts,
// as on most Linux desktops, would cut the captions short, and the columns
// leave no room to widen them: the dialog then takes the largest size of the
// default family at which every caption fits its drawn width.
bool didascalieComplete(const QWidget* finestra) {
    const auto pulsanti = finestra->findChildren<QAbstractButton*>();
    const bool pulsantiInteri = std::all_of(pulsanti.cbegin(), pulsanti.cend(), [](auto* b) {
        return b->sizeHint().width() <= b->width();
    });
    const auto cornici = finestra->findChildren<QGroupBox*>();
    return pulsantiInteri && std::all_of(cornici.cbegin(), cornici.cend(), [](auto* c) {
               return c->minimumSizeHint().width() <= c->width();
           });
}

void adattaCarattere(QWidget* finestra) {
    finestra->setFont(Misure::adattato(finestra->font(), [finestra](const QFont& carattere) {
        finestra->setFont(carattere);
        return didascalieComplete(finestra);
    }));
}

// The drawn heights are too low for most fonts: keep each control's place and
// width, and give its caption the height it asks for. The rows stand far
// enough apart for that.
void alzaDoveServe(const QWidget* finestra) {
    for (QAbstractButton* b : finestra->findChildren<QAbstractButton*>()) {
        b->resize(b->width(), std::max(b->height(), b->sizeHint().height()));
    }
}

QString tradotto(const char* testo) {
    return QCoreApplication::translate(Motore::ContestoSeparatori, testo);
}

// What assistive technology says for a caption that is a symbol alone.
constexpr std::array<const char*, NumSeparatori> NomiSimboli = {
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    QT_TRANSLATE_NOOP("Frm_SepElenco", "minore"),
    QT_TRANSLATE_NOOP("Frm_SepElenco", "maggiore"),
    QT_TRANSLATE_NOOP("Frm_SepElenco", "barra"),
    QT_TRANSLATE_NOOP("Frm_SepElenco", "barra rovesciata"),
    QT_TRANSLATE_NOOP("Frm_SepElenco", "barra verticale"),
};

// The control of a frame that its access key goes to, as a group box does
// for an access key in its title: the one that had the focus last, else the
// selected option, else the first control.
void entraInCornice(QGroupBox* cornice) {
    QWidget* scelto = cornice->focusWidget();
    if (!scelto || scelto == cornice) {
        scelto = nullptr;
        for (QWidget* w = cornice->nextInFocusChain(); w != cornice; w = w->nextInFocusChain()) {
            if (!cornice->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) ||
                !w->isVisibleTo(cornice) || !w->isEnabled())
                continue;
            if (auto* opzione = qobject_cast<QRadioButton*>(w); opzione && opzione->isChecked()) {
                scelto = w;
                break;
            }
            if (!scelto)
                scelto = w;
        }
    }
    if (scelto)
        scelto->setFocus(Qt::ShortcutFocusReason);
}

// Two columns of seven, the same in the input and in the output frame.
QRect postoVoce(int i) {
    if (i < 7) {
        return Misure::daTwip(240, 480 + 360 * i, 1425, 195);
    }
    return Misure::daTwip(1800, 480 + 360 * (i - 7), 1665, 195);
}

QRadioButton* nuovaOpzione(const QString& testo, const QString& suggerimento, QButtonGroup* gruppo,
                           int id, QWidget* cornice) {
    auto* opzione = new QRadioButton(testo, cornice);
    opzione->setToolTip(suggerimento);
    gruppo->addButton(opzione, id);
    return opzione;
}

// Within an exclusive group Tab stops on one option only, as on the classic
// desktop, and the arrow keys move between the options. Qt moves that stop to
// whichever option receives the focus; a selection made by the program has to
// move it by hand, or Tab would enter the group at an option that is not the
// selected one.
void aggiornaFermataTab(QButtonGroup* gruppo) {
    QAbstractButton* fermata = gruppo->checkedButton();
    const auto pulsanti = gruppo->buttons();
    if (fermata == nullptr) {
        const auto primo = std::find_if(pulsanti.cbegin(), pulsanti.cend(),
                                        [](QAbstractButton* b) { return b->isEnabled(); });
        fermata = primo != pulsanti.cend() ? *primo : nullptr;
    }
    for (QAbstractButton* pulsante : pulsanti) {
        const int politica = pulsante->focusPolicy();
        pulsante->setFocusPolicy(Qt::FocusPolicy(pulsante == fermata ? politica | Qt::TabFocus
                                                                     : politica & ~Qt::TabFocus));
    }
}

QPixmap disegnaIcona(int lato) {
    // A page of list items, each pair split by a red separator, drawn on a
    // grid of 16 cells so that both sizes stay sharp.
    const int k = lato / 16;
    QPixmap figura(lato, lato);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    const auto cella = [&](int x, int y, int w, int h, const QColor& colore) {
        p.fillRect(x * k, y * k, w * k, h * k, colore);
    };
    cella(3, 1, 11, 15, Qt::gray);
    cella(2, 0, 11, 15, Qt::black);
    cella(3, 1, 9, 13, Qt::white);
    const int prime[] = {3, 2, 4, 3};
    for (int riga = 0; riga < 4; ++riga) {
        const int y = 2 + 3 * riga;
        cella(4, y, prime[riga], 2, Qt::darkBlue);
        cella(4 + prime[riga], y, 1, 2, Qt::red);
        cella(5 + prime[riga], y, 6 - prime[riga], 2, Qt::darkBlue);
    }
    return figura;
}

QIcon iconaSeparatori() {
    QIcon icona;
    icona.addPixmap(disegnaIcona(16));
    icona.addPixmap(disegnaIcona(32));
    return icona;
}

} // namespace

Frm_SepElenco::Frm_SepElenco(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(tr("Selezione separatori di elenco"));
    setWindowIcon(iconaSeparatori());
    setFixedSize(Misure::daTwip(10260), Misure::daTwip(4035));

    auto* frmIngresso = new QGroupBox(tr("Separatori usati nel \"Testo in ingresso\""), this);
    frmIngresso->setGeometry(Misure::daTwip(120, 120, 3615, AltezzaCornice));
    auto* frmUscita = new QGroupBox(tr("Separatore usato nel \"Testo riordinato\""), this);
    frmUscita->setGeometry(Misure::daTwip(3840, 120, 3615, AltezzaCornice));
    auto* frmCapo = new QGroupBox(tr("Separatore per \"testo a capo\""), this);
    frmCapo->setGeometry(Misure::daTwip(7560, 120, 2535, 1455));
    auto* frmUltimo = new QGroupBox(tr("Separatore a \"fine testo\""), this);
    frmUltimo->setGeometry(Misure::daTwip(7560, 1680, 2535, 1455));

    m_grpUscita = new QButtonGroup(frmUscita);
    m_grpCapo = new QButtonGroup(frmCapo);
    m_grpUltimo = new QButtonGroup(frmUltimo);

    for (int i = 0; i < NumSeparatori; ++i) {
        const Motore::Separatore& voce = Motore::catalogo()[std::size_t(i)];
        m_chkSepara[i] = new QCheckBox(tradotto(voce.casella), frmIngresso);
        m_chkSepara[i]->setToolTip(tradotto(voce.suggerimento));
        m_chkSepara[i]->setGeometry(postoVoce(i));

        m_optSeparatoreOut[i] = nuovaOpzione(tradotto(voce.opzione), tradotto(voce.suggerimento),
                                             m_grpUscita, i, frmUscita);
        m_optSeparatoreOut[i]->setGeometry(postoVoce(i));
        if (NomiSimboli[i]) {
            const QString nome = QCoreApplication::translate("Frm_SepElenco", NomiSimboli[i]);
            m_chkSepara[i]->setAccessibleName(nome);
            m_optSeparatoreOut[i]->setAccessibleName(nome);
        }
    }
    m_chkSpazio = new QCheckBox(tr("Spazio dopo il separatore"), frmUscita);
    m_chkSpazio->setToolTip(tr("Aggiungi uno spazio dopo ogni separatore del testo riordinato"));
    m_chkSpazio->setGeometry(Misure::daTwip(240, 480 + 360 * 7, 3225, 195));
    // A space after a line break or a tab would only start the next item with
    // it: the box keeps its tick but has no say while either is chosen.
    connect(m_grpUscita, &QButtonGroup::idToggled, this, &Frm_SepElenco::aggiornaSpazio);

    const QString nessuno = tr("Nessuno");
    const QString comeRiordinato = tr("Come \"Testo riordinato\"");
    m_optCapo[0] =
        nuovaOpzione(nessuno, tr("Non inserire il separatore dopo l'ultimo carattere della riga"),
                     m_grpCapo, 0, frmCapo);
    m_optCapo[1] = nuovaOpzione(comeRiordinato,
                                tr("Inserisci il separatore usato per riordinare il "
                                   "testo dopo l'ultimo carattere della riga"),
                                m_grpCapo, 1, frmCapo);
    m_optUltimo[0] = nuovaOpzione(nessuno,
                                  tr("Non aggiungere alcun separatore dopo l'ultimo "
                                     "carattere del testo riordinato"),
                                  m_grpUltimo, 0, frmUltimo);
    m_optUltimo[1] = nuovaOpzione(comeRiordinato,
                                  tr("Aggiungi il separatore usato per riordinare il "
                                     "testo dopo l'ultimo carattere del testo "
                                     "riordinato"),
                                  m_grpUltimo, 1, frmUltimo);
    for (int i = 0; i < 2; ++i) {
        m_optCapo[i]->setGeometry(Misure::daTwip(120, 480 + 360 * i, 2055, 255));
        m_optUltimo[i]->setGeometry(Misure::daTwip(120, 480 + 360 * i, 2055, 255));
    }

    m_cmdOK = new QPushButton(tr("&OK"), this);
    m_cmdOK->setGeometry(Misure::daTwip(8760, 3360, 1335, 495));
    // Only a press of the button itself confirms: Space, Alt+O, and Enter while
    // it has the focus. Outside a QDialog an auto-default button is never the
    // window's default, so Enter elsewhere and Esc still do nothing.
    m_cmdOK->setAutoDefault(true);
    m_cmdOK->setDefault(false);
    connect(m_cmdOK, &QPushButton::clicked, this, &Frm_SepElenco::confermato);

    QList<QWidget*> ordine;
    ordine.append(QList<QWidget*>(m_chkSepara.cbegin(), m_chkSepara.cend()));
    ordine.append(QList<QWidget*>(m_optSeparatoreOut.cbegin(), m_optSeparatoreOut.cend()));
    ordine << m_chkSpazio << m_optCapo[0] << m_optCapo[1] << m_optUltimo[0] << m_optUltimo[1]
           << m_cmdOK;
    for (qsizetype i = 1; i < ordine.size(); ++i) {
        QWidget::setTabOrder(ordine[i - 1], ordine[i]);
    }
    // The program's start-up choices, until it is told others.
    mostra(Motore::Opzioni{});

    // Each frame has its access key: the one its title marks, as a translated
    // title does; else, as the Italian titles are kept as they always were, the
    // initial of the word that names it: Ingresso, Riordinato, Capo, Fine.
    const std::array<std::pair<QGroupBox*, QKeyCombination>, 4> cornici = {{
        {frmIngresso, Qt::ALT | Qt::Key_I},
        {frmUscita, Qt::ALT | Qt::Key_R},
        {frmCapo, Qt::ALT | Qt::Key_C},
        {frmUltimo, Qt::ALT | Qt::Key_F},
    }};
    for (const auto& [cornice, tasto] : cornici) {
        if (!QKeySequence::mnemonic(cornice->title()).isEmpty())
            continue;
        auto* scorciatoia = new QShortcut(QKeySequence(tasto), this);
        connect(scorciatoia, &QShortcut::activated, cornice, [c = cornice] { entraInCornice(c); });
        cornice->setAccessibleDescription(
            tr("Tasto di accesso: %1").arg(scorciatoia->key().toString(QKeySequence::NativeText)));
    }

    adattaCarattere(this);
    alzaDoveServe(this);

    // Shown without an owner, so it is centred on the screen instead.
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        QRect posto(QPoint(), size());
        posto.moveCenter(schermo->availableGeometry().center());
        move(posto.topLeft());
    }
}

void Frm_SepElenco::leggi(Motore::Opzioni& opzioni) const {
    for (int i = 0; i < NumSeparatori; ++i)
        opzioni.ingresso[std::size_t(i)] = m_chkSepara[i]->isChecked();
    opzioni.uscita = std::max(m_grpUscita->checkedId(), 0);
    opzioni.spazioDopo = m_chkSpazio->isChecked();
    opzioni.capo = m_optCapo[1]->isChecked() ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    opzioni.ultimo = m_optUltimo[1]->isChecked() ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
}

void Frm_SepElenco::mostra(const Motore::Opzioni& opzioni) {
    for (int i = 0; i < NumSeparatori; ++i)
        m_chkSepara[i]->setChecked(opzioni.ingresso[std::size_t(i)]);
    m_optSeparatoreOut[opzioni.uscita]->setChecked(true);
    m_optCapo[opzioni.capo == Motore::Fine::ComeUscita]->setChecked(true);
    m_optUltimo[opzioni.ultimo == Motore::Fine::ComeUscita]->setChecked(true);
    m_chkSpazio->setChecked(opzioni.spazioDopo);
    for (QButtonGroup* gruppo : {m_grpUscita, m_grpCapo, m_grpUltimo})
        aggiornaFermataTab(gruppo);
    aggiornaSpazio();
}

void Frm_SepElenco::aggiornaSpazio() {
    const int uscita = m_grpUscita->checkedId();
    m_chkSpazio->setEnabled(uscita != Motore::indice(Motore::Sep::Invio) &&
                            uscita != Motore::indice(Motore::Sep::Tab));
}

QCheckBox* Frm_SepElenco::Chk_Separa(int i) const {
    return i >= 0 && i < NumSeparatori ? m_chkSepara[i] : nullptr;
}

QRadioButton* Frm_SepElenco::Opt_Separatore_Out(int i) const {
    return i >= 0 && i < NumSeparatori ? m_optSeparatoreOut[i] : nullptr;
}

QRadioButton* Frm_SepElenco::Opt_Capo(int i) const {
    return i >= 0 && i < 2 ? m_optCapo[i] : nullptr;
}

QRadioButton* Frm_SepElenco::Opt_Ultimo(int i) const {
    return i >= 0 && i < 2 ? m_optUltimo[i] : nullptr;
}

QCheckBox* Frm_SepElenco::Chk_Spazio() const {
    return m_chkSpazio;
}

QPushButton* Frm_SepElenco::Cmd_OK() const {
    return m_cmdOK;
}

void Frm_SepElenco::closeEvent(QCloseEvent* event) {
    // The dialog lives for the whole run: a close request is refused and
    // treated as a confirmation; the receiver hides the window.
    event->ignore();
    emit confermato();
}
