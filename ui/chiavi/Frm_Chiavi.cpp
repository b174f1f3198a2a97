#include "Frm_Chiavi.h"

#include "VociChiavi.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

using Motore::Chiave;
using Motore::ParteChiave;
using Motore::TipoChiave;

namespace {

constexpr int Nessuna = -1; // the part "(nessuna)" of rows 2 and 3
constexpr int CampoMassimo = 99;
// A longer item is shown cut in the preview; its part is still found on all of it.
constexpr qsizetype VoceMostrata = 300;

enum Colonna { ColEtichetta, ColParte, ColCampo, ColSeparatore, ColEspressione, ColTipo, ColVerso };

// The field separators the combo offers, by catalogue entry where there is
// one, so that their names are the separator dialog's.
struct SeparatoreCampi {
    QChar carattere;
    QString nome;
};

QList<SeparatoreCampi> separatoriCampi() {
    using Motore::Sep;
    QList<SeparatoreCampi> elenco;
    for (Sep s : {Sep::Spazio, Sep::Tab, Sep::Virgola, Sep::PuntoEVirgola, Sep::DuePunti}) {
        const Motore::Separatore& voce = Motore::catalogo()[std::size_t(Motore::indice(s))];
        elenco.append({QChar(voce.carattere),
                       QCoreApplication::translate(Motore::ContestoSeparatori, voce.casella)});
    }
    elenco.append({u'|', QStringLiteral("|")});
    return elenco;
}

void aggiungi(QComboBox* combo, const QString& testo, int dato, const QString& suggerimento) {
    combo->addItem(testo, dato);
    combo->setItemData(combo->count() - 1, suggerimento, Qt::ToolTipRole);
}

// A line break in an item shows as one mark, so that the preview keeps one
// item a line.
QString mostrabile(QStringView testo) {
    QString s = testo.toString();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\u21B5"));
    s.replace(u'\r', u'\u21B5');
    s.replace(u'\n', u'\u21B5');
    return s;
}

} // namespace

Frm_Chiavi::Frm_Chiavi(const std::vector<Chiave>& attuali, QStringView testo,
                       const Motore::Opzioni& opzioni, QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      lettore_(Motore::localeIcu(opzioni.ordine.lingua)) {
    setWindowTitle(tr("Ordina per"));

    auto* griglia = new QGridLayout;
    const std::array<std::pair<QString, int>, 6> intestazioni = {{
        {tr("Parte della voce"), ColParte},
        {tr("Campo"), ColCampo},
        {tr("Separatore"), ColSeparatore},
        {tr("Espressione regolare"), ColEspressione},
        {tr("Tipo"), ColTipo},
        {tr("Verso"), ColVerso},
    }};
    for (const auto& [testoIntestazione, colonna] : intestazioni)
        griglia->addWidget(new QLabel(testoIntestazione, this), 0, colonna);
    for (int r = 0; r < NumRighe; ++r) {
        creaRiga(r);
        const Riga& riga = righe_[std::size_t(r)];
        griglia->addWidget(riga.etichetta, r + 1, ColEtichetta);
        griglia->addWidget(riga.parte, r + 1, ColParte);
        griglia->addWidget(riga.campo, r + 1, ColCampo);
        griglia->addWidget(riga.separatore, r + 1, ColSeparatore);
        griglia->addWidget(riga.espressione, r + 1, ColEspressione);
        griglia->addWidget(riga.tipo, r + 1, ColTipo);
        griglia->addWidget(riga.verso, r + 1, ColVerso);
    }
    griglia->setColumnMinimumWidth(ColEspressione, fontMetrics().averageCharWidth() * 24);

    // The error takes a line of its own, kept even while empty, and never
    // widens the window: the whole text is also its tool tip.
    lblErrore_ = new QLabel(this);
    lblErrore_->setObjectName(QStringLiteral("Lbl_Errore"));
    lblErrore_->setFixedHeight(fontMetrics().lineSpacing() + 4);
    lblErrore_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QPalette rosso = lblErrore_->palette();
    rosso.setColor(QPalette::WindowText, QColor(176, 0, 0));
    lblErrore_->setPalette(rosso);
    griglia->addWidget(lblErrore_, NumRighe + 1, ColParte, 1, ColVerso);

    auto* lblAnteprima =
        new QLabel(tr("&Anteprima: le prime voci del testo, con evidenziata la parte che "
                      "ogni chiave confronta"),
                   this);
    griglia->addWidget(lblAnteprima, NumRighe + 2, ColEtichetta, 1, ColVerso + 1);
    txtAnteprima_ = new QTextEdit(this);
    txtAnteprima_->setObjectName(QStringLiteral("Txt_Anteprima"));
    txtAnteprima_->setReadOnly(true);
    txtAnteprima_->setTabChangesFocus(true);
    txtAnteprima_->setLineWrapMode(QTextEdit::NoWrap);
    txtAnteprima_->setToolTip(tr("Le prime %1 voci del testo in ingresso, nell'ordine in cui "
                                 "sono scritte, con il valore letto da ogni chiave")
                                  .arg(VociAnteprima));
    const int cornice =
        2 * txtAnteprima_->frameWidth() + 2 * int(txtAnteprima_->document()->documentMargin());
    txtAnteprima_->setFixedHeight(fontMetrics().lineSpacing() * (VociAnteprima + 1) + cornice);
    lblAnteprima->setBuddy(txtAnteprima_);
    griglia->addWidget(txtAnteprima_, NumRighe + 3, ColEtichetta, 1, ColVerso + 1);

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("Cmd_OK"));
    cmdOK_->setDefault(true);
    cmdOK_->setToolTip(tr("Ordina il testo con queste chiavi"));
    cmdAnnulla_ = new QPushButton(tr("Annulla"), this);
    cmdAnnulla_->setObjectName(QStringLiteral("Cmd_Annulla"));
    cmdAnnulla_->setToolTip(tr("Chiudi senza cambiare l'ordine"));
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdAnnulla_, &QPushButton::clicked, this, &QDialog::reject);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(cmdOK_);
    pulsanti->addWidget(cmdAnnulla_);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(griglia);
    tutto->addLayout(pulsanti);
    // A layout rather than drawn places: the size follows the captions in
    // whatever font the desktop uses, and stays fixed once shown.
    tutto->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* prima = nullptr;
    for (const Riga& riga : righe_) {
        for (QWidget* w :
             {static_cast<QWidget*>(riga.parte), static_cast<QWidget*>(riga.campo),
              static_cast<QWidget*>(riga.separatore), static_cast<QWidget*>(riga.espressione),
              static_cast<QWidget*>(riga.tipo), static_cast<QWidget*>(riga.verso)}) {
            if (prima)
                setTabOrder(prima, w);
            prima = w;
        }
    }
    setTabOrder(prima, txtAnteprima_);
    setTabOrder(txtAnteprima_, cmdOK_);
    setTabOrder(cmdOK_, cmdAnnulla_);

    // Only the first items are kept: the input may be a very large text.
    VociChiavi::perOgniVoce(testo, opzioni, [&](VociChiavi::Tratto t) {
        voci_.append(testo.sliced(t.inizio, t.lunghezza).toString());
        return voci_.size() < VociAnteprima;
    });

    mostra(attuali);
    righe_[0].parte->setFocus();
}

void Frm_Chiavi::creaRiga(int r) {
    Riga& riga = righe_[std::size_t(r)];
    const std::array<QString, NumRighe> etichette = {tr("&Ordina per"), tr("&poi per"),
                                                     tr("poi p&er")};
    const std::array<QString, NumRighe> suggerimenti = {
        tr("La prima chiave: la parte delle voci che decide l'ordine"),
        tr("La seconda chiave: decide tra le voci uguali per la prima"),
        tr("La terza chiave: decide tra le voci uguali per le prime due")};
    riga.etichetta = new QLabel(etichette[std::size_t(r)], this);
    riga.etichetta->setToolTip(suggerimenti[std::size_t(r)]);
    // The caption wears the colour of the key's part in the preview.
    riga.etichetta->setAutoFillBackground(true);
    QPalette sfondo = riga.etichetta->palette();
    sfondo.setColor(QPalette::Window, coloreChiave(r));
    riga.etichetta->setPalette(sfondo);
    riga.etichetta->setMargin(2);

    riga.parte = new QComboBox(this);
    riga.parte->setObjectName(QStringLiteral("Cmb_Parte_%1").arg(r));
    riga.parte->setToolTip(tr("Quale parte delle voci confrontare"));
    if (r > 0)
        aggiungi(riga.parte, tr("(nessuna)"), Nessuna,
                 tr("Nessun'altra chiave: le voci ancora uguali restano come le ordina la voce "
                    "intera"));
    aggiungi(riga.parte, tr("Voce intera"), int(ParteChiave::VoceIntera),
             tr("Confronta le voci per intero"));
    aggiungi(riga.parte, tr("Campo"), int(ParteChiave::Campo),
             tr("Confronta un campo della voce: il testo tra due separatori di campi"));
    aggiungi(riga.parte, tr("Cognome"), int(ParteChiave::Cognome),
             tr("Confronta il cognome: l'ultima parola con le particelle che la precedono "
                "(\"De Luca\", \"van der Berg\"), o ciò che precede la virgola"));
    aggiungi(riga.parte, tr("Lunghezza"), int(ParteChiave::Lunghezza),
             tr("Confronta il numero di caratteri delle voci"));
    aggiungi(riga.parte, tr("Espressione regolare"), int(ParteChiave::Espressione),
             tr("Confronta il testo trovato dall'espressione, o dal suo primo gruppo tra "
                "parentesi"));
    riga.etichetta->setBuddy(riga.parte);

    riga.campo = new QSpinBox(this);
    riga.campo->setObjectName(QStringLiteral("Spn_Campo_%1").arg(r));
    riga.campo->setRange(-CampoMassimo, CampoMassimo);
    riga.campo->setValue(1);
    riga.campo->setToolTip(tr("Il numero del campo: 1 il primo, 2 il secondo...; con il meno "
                              "si conta dalla fine: -1 l'ultimo, -2 il penultimo..."));
    connect(riga.campo, &QSpinBox::valueChanged, this, [this, r](int valore) {
        Riga& questa = righe_[std::size_t(r)];
        // Field 0 does not exist: the arrows step over it, and typing it
        // goes on in the direction the value was taking.
        if (valore == 0) {
            questa.campo->setValue(questa.campoPrima > 0 ? -1 : 1);
            return;
        }
        questa.campoPrima = valore;
        aggiorna();
    });

    riga.separatore = new QComboBox(this);
    riga.separatore->setObjectName(QStringLiteral("Cmb_Separatore_%1").arg(r));
    riga.separatore->setEditable(true);
    riga.separatore->setInsertPolicy(QComboBox::NoInsert);
    for (const SeparatoreCampi& s : separatoriCampi())
        riga.separatore->addItem(s.nome, QVariant(s.carattere));
    riga.separatore->setToolTip(
        tr("Il carattere tra un campo e l'altro: uno dell'elenco o uno qualsiasi scritto qui. "
           "Più spazi di fila valgono uno; con virgola, punto e virgola e tab un campo tra "
           "virgolette può contenere il separatore"));

    riga.espressione = new QLineEdit(this);
    riga.espressione->setObjectName(QStringLiteral("Txt_Espressione_%1").arg(r));
    riga.espressione->setToolTip(
        tr("Un'espressione regolare: la chiave è il primo gruppo tra parentesi, o tutto ciò "
           "che l'espressione trova. Esempio: ID ([0-9]+)"));

    riga.tipo = new QComboBox(this);
    riga.tipo->setObjectName(QStringLiteral("Cmb_Tipo_%1").arg(r));
    riga.tipo->setToolTip(tr("Come leggere la parte. Le voci in cui non si legge un valore di "
                             "quel tipo vanno in fondo, in entrambi i versi"));
    aggiungi(riga.tipo, tr("Testo"), int(TipoChiave::Testo),
             tr("In ordine alfabetico, con le opzioni del menu Ordine"));
    aggiungi(riga.tipo, tr("Numero"), int(TipoChiave::Numero),
             tr("Il primo numero, scritto come nella lingua di ordinamento: \"1.234,5\", "
                "\"-7\", \"2e3\""));
    aggiungi(riga.tipo, tr("Dimensione"), int(TipoChiave::Dimensione),
             tr("Un numero con la sua unità: \"700 B\", \"1,5 KB\", \"2 MiB\", \"3 GB\""));
    aggiungi(riga.tipo, tr("Mese"), int(TipoChiave::Mese),
             tr("Il nome di un mese, anche abbreviato: \"gen\", \"marzo\", \"Dec\""));
    aggiungi(riga.tipo, tr("Data"), int(TipoChiave::Data),
             tr("Una data, con l'ora se c'è: \"12/03/2026\", \"2026-03-12 10:30\", \"12 marzo "
                "2026\""));

    riga.verso = new QComboBox(this);
    riga.verso->setObjectName(QStringLiteral("Cmb_Verso_%1").arg(r));
    riga.verso->setToolTip(tr("Dal valore più piccolo al più grande, o al contrario"));
    aggiungi(riga.verso, tr("Crescente"), 0, tr("Dalla A alla Z, dal più piccolo al più grande"));
    aggiungi(riga.verso, tr("Decrescente"), 1, tr("Dalla Z alla A, dal più grande al più piccolo"));

    for (QComboBox* combo : {riga.parte, riga.tipo, riga.verso})
        connect(combo, &QComboBox::currentIndexChanged, this, &Frm_Chiavi::aggiorna);
    connect(riga.separatore, &QComboBox::currentTextChanged, this, &Frm_Chiavi::aggiorna);
    connect(riga.espressione, &QLineEdit::textChanged, this, &Frm_Chiavi::aggiorna);
}

QColor Frm_Chiavi::coloreChiave(int riga) {
    static constexpr std::array<QRgb, NumRighe> colori = {0xc8defc, 0xcdf0c4, 0xfde0b8};
    return QColor(colori[std::size_t(std::clamp(riga, 0, NumRighe - 1))]);
}

void Frm_Chiavi::mostra(const std::vector<Chiave>& chiavi) {
    for (int r = 0; r < NumRighe; ++r) {
        Riga& riga = righe_[std::size_t(r)];
        const bool presente = std::size_t(r) < chiavi.size();
        const Chiave k = presente ? chiavi[std::size_t(r)] : Chiave{};
        riga.parte->setCurrentIndex(
            riga.parte->findData(presente || r == 0 ? int(k.parte) : Nessuna));
        riga.campo->setValue(k.parte == ParteChiave::Campo ? k.campo : 1);
        const int separatore = riga.separatore->findData(QVariant(k.separatoreCampi));
        if (separatore >= 0)
            riga.separatore->setCurrentIndex(separatore);
        else
            riga.separatore->setEditText(QString(k.separatoreCampi));
        riga.espressione->setText(k.espressione);
        riga.tipo->setCurrentIndex(riga.tipo->findData(int(k.tipo)));
        riga.verso->setCurrentIndex(k.decrescente ? 1 : 0);
    }
    aggiorna();
}

std::optional<Chiave> Frm_Chiavi::chiaveRiga(int r, QString& errore) const {
    const Riga& riga = righe_[std::size_t(r)];
    const int parte = riga.parte->currentData().toInt();
    if (parte == Nessuna)
        return std::nullopt;
    // Only what the part uses is kept, so that equal choices give equal keys.
    Chiave k;
    k.parte = ParteChiave(parte);
    if (k.parte == ParteChiave::Campo) {
        k.campo = riga.campo->value();
        const QString scritto = riga.separatore->currentText();
        const int scelto = riga.separatore->findText(scritto, Qt::MatchFixedString);
        if (scelto >= 0)
            k.separatoreCampi = riga.separatore->itemData(scelto).toChar();
        else if (scritto.size() == 1)
            k.separatoreCampi = scritto[0];
        else
            errore = tr("Chiave %1: il separatore di campi è un solo carattere").arg(r + 1);
    }
    if (k.parte == ParteChiave::Espressione) {
        k.espressione = riga.espressione->text();
        const QString motivo = Motore::erroreEspressione(k.espressione);
        if (k.espressione.isEmpty())
            errore = tr("Chiave %1: scrivere l'espressione regolare").arg(r + 1);
        else if (!motivo.isEmpty())
            errore = tr("Chiave %1: espressione regolare non valida: %2").arg(r + 1).arg(motivo);
    }
    if (k.parte != ParteChiave::Lunghezza)
        k.tipo = TipoChiave(riga.tipo->currentData().toInt());
    k.decrescente = riga.verso->currentIndex() == 1;
    return k;
}

std::optional<Chiave> Frm_Chiavi::chiaveRiga(int r) const {
    QString errore;
    std::optional<Chiave> k = chiaveRiga(r, errore);
    return errore.isEmpty() ? k : std::nullopt;
}

std::optional<std::vector<Chiave>> Frm_Chiavi::chiavi() const {
    std::vector<Chiave> elenco;
    for (int r = 0; r < NumRighe; ++r) {
        QString errore;
        const std::optional<Chiave> k = chiaveRiga(r, errore);
        if (!errore.isEmpty())
            return std::nullopt;
        if (!k)
            break;
        elenco.push_back(*k);
    }
    // The whole item as text, ascending, is the order without keys.
    if (elenco.size() == 1 && elenco.front() == Chiave{})
        elenco.clear();
    return elenco;
}

void Frm_Chiavi::aggiorna() {
    // A row follows only a row with a key: a key after none would be no
    // third key but a second one.
    bool attiva = true;
    for (int r = 0; r < NumRighe; ++r) {
        Riga& riga = righe_[std::size_t(r)];
        riga.parte->setEnabled(attiva);
        const int parte = riga.parte->currentData().toInt();
        const bool chiave = attiva && parte != Nessuna;
        const bool campo = chiave && parte == int(ParteChiave::Campo);
        riga.campo->setEnabled(campo);
        riga.separatore->setEnabled(campo);
        riga.espressione->setEnabled(chiave && parte == int(ParteChiave::Espressione));
        // A length is a number whatever the type says.
        riga.tipo->setEnabled(chiave && parte != int(ParteChiave::Lunghezza));
        riga.verso->setEnabled(chiave);
        attiva = chiave;
    }

    QString errore;
    std::vector<Chiave> valide;
    for (int r = 0; r < NumRighe && errore.isEmpty(); ++r) {
        const std::optional<Chiave> k = chiaveRiga(r, errore);
        if (!k)
            break;
        if (errore.isEmpty())
            valide.push_back(*k);
    }
    lblErrore_->setText(errore);
    lblErrore_->setToolTip(errore);
    cmdOK_->setEnabled(errore.isEmpty());
    // The preview shows the keys read so far: those before a wrong row.
    mostraAnteprima(valide);
}

void Frm_Chiavi::mostraAnteprima(const std::vector<Chiave>& chiavi) {
    std::vector<VociChiavi::ChiaveCompilata> compilate;
    for (const Chiave& k : chiavi)
        compilate.emplace_back(k);

    txtAnteprima_->clear();
    QTextCursor cursore(txtAnteprima_->document());
    QTextCharFormat normale;
    QTextCharFormat grigio;
    grigio.setForeground(QColor(112, 112, 112));
    grigio.setFontItalic(true);
    if (voci_.isEmpty()) {
        cursore.insertText(tr("(il testo in ingresso è vuoto)"), grigio);
        return;
    }
    for (qsizetype v = 0; v < voci_.size(); ++v) {
        const QString& voce = voci_[v];
        const qsizetype mostrata = std::min(voce.size(), VoceMostrata);
        // Each character's key: the first key whose part holds it, the one
        // that decides first.
        std::vector<int> chiaveDi(std::size_t(mostrata), -1);
        QStringList letture;
        bool senzaValore = false;
        for (std::size_t j = 0; j < compilate.size(); ++j) {
            const Chiave& k = compilate[j].chiave();
            const std::optional<Motore::ParteTrovata> parte = compilate[j].parte(voce);
            QString lettura;
            if (parte && k.parte == ParteChiave::Lunghezza) {
                lettura = QString::number(Motore::LettoreValori::lunghezza(parte->testo));
            } else if (parte && k.tipo != TipoChiave::Testo) {
                std::string codice;
                if (lettore_.codifica(k.tipo, parte->testo, codice))
                    lettura = lettore_.descrivi(k.tipo, parte->testo);
                else
                    senzaValore = true;
            }
            if (!parte)
                senzaValore = true;
            if (!lettura.isEmpty())
                letture.append(lettura);
            if (parte && compilate[j].segnaParte()) {
                const qsizetype fine = std::min(parte->inizio + parte->lunghezza, mostrata);
                for (qsizetype i = parte->inizio; i < fine; ++i) {
                    if (chiaveDi[std::size_t(i)] < 0)
                        chiaveDi[std::size_t(i)] = int(j);
                }
            }
        }
        if (v > 0)
            cursore.insertBlock();
        for (qsizetype i = 0; i < mostrata;) {
            qsizetype fine = i;
            while (fine < mostrata && chiaveDi[std::size_t(fine)] == chiaveDi[std::size_t(i)])
                ++fine;
            QTextCharFormat formato = normale;
            if (const int j = chiaveDi[std::size_t(i)]; j >= 0) {
                formato.setBackground(coloreChiave(j));
                formato.setFontWeight(QFont::Bold);
            }
            cursore.insertText(mostrabile(QStringView(voce).sliced(i, fine - i)), formato);
            i = fine;
        }
        if (mostrata < voce.size())
            cursore.insertText(QStringLiteral("\u2026"), normale);
        if (!letture.isEmpty())
            cursore.insertText(
                QStringLiteral("   \u2192 ") + letture.join(QStringLiteral(" \u00b7 ")), grigio);
        if (senzaValore)
            cursore.insertText(QStringLiteral("   ") + tr("(nessun valore)"), grigio);
    }
    txtAnteprima_->moveCursor(QTextCursor::Start);
}

std::optional<std::vector<Chiave>> Frm_Chiavi::chiedi(QWidget* padre,
                                                      const std::vector<Chiave>& attuali,
                                                      QStringView testo,
                                                      const Motore::Opzioni& opzioni) {
    Frm_Chiavi dialogo(attuali, testo, opzioni, padre);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialogo.chiavi();
}

QComboBox* Frm_Chiavi::Cmb_Parte(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].parte : nullptr;
}

QSpinBox* Frm_Chiavi::Spn_Campo(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].campo : nullptr;
}

QComboBox* Frm_Chiavi::Cmb_Separatore(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].separatore : nullptr;
}

QLineEdit* Frm_Chiavi::Txt_Espressione(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].espressione : nullptr;
}

QComboBox* Frm_Chiavi::Cmb_Tipo(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].tipo : nullptr;
}

QComboBox* Frm_Chiavi::Cmb_Verso(int riga) const {
    return riga >= 0 && riga < NumRighe ? righe_[std::size_t(riga)].verso : nullptr;
}

QLabel* Frm_Chiavi::Lbl_Errore() const {
    return lblErrore_;
}

QTextEdit* Frm_Chiavi::Txt_Anteprima() const {
    return txtAnteprima_;
}

QPushButton* Frm_Chiavi::Cmd_OK() const {
    return cmdOK_;
}

QPushButton* Frm_Chiavi::Cmd_Annulla() const {
    return cmdAnnulla_;
}
