#include "Riferimento.h"

#include <QCollator>
#include <algorithm>
#include <vector>

namespace Riferimento {

namespace {

const QChar Spazio(u' ');
const QChar Ritorno(u'\r');
const QChar AccapoLF(u'\n');
const QString Marcatore(QChar(1));

// Only the space counts here: tabs and line breaks at the ends stay.
QString rifila(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo.at(inizio) == Spazio)
        ++inizio;
    while (fine > inizio && testo.at(fine - 1) == Spazio)
        --fine;
    return testo.mid(inizio, fine - inizio);
}

// One left-to-right pass that never looks again at what it has just put in,
// so that "xxx" with "xx" -> "x" gives "xx".
QString sostituisci(const QString& testo, const QString& cerca, const QString& metti) {
    QString risultato;
    qsizetype i = 0;
    while (i < testo.size()) {
        if (testo.mid(i, cerca.size()) == cerca) {
            risultato += metti;
            i += cerca.size();
        } else {
            risultato += testo.at(i);
            ++i;
        }
    }
    return risultato;
}

// The carriage return splits; a line feed right after one goes with it, since
// the input box hands over its line breaks as the pair.
QString sostituisciInvio(const QString& testo) {
    QString risultato;
    qsizetype i = 0;
    while (i < testo.size()) {
        if (testo.at(i) == Ritorno) {
            risultato += Marcatore;
            i += (i + 1 < testo.size() && testo.at(i + 1) == AccapoLF) ? 2 : 1;
        } else {
            risultato += testo.at(i);
            ++i;
        }
    }
    return risultato;
}

// Kept sorted at every insertion; an item equal to some already there goes
// after them, so equal items keep the order in which they came.
class ListaOrdinata {
public:
    void aggiungi(const QString& voce) {
        const auto posto =
            std::upper_bound(voci_.begin(), voci_.end(), voce,
                             [this](const QString& a, const QString& b) { return precede(a, b); });
        voci_.insert(posto, voce);
    }
    qsizetype conta() const { return qsizetype(voci_.size()); }
    const QString& voce(qsizetype posizione) const { return voci_.at(std::size_t(posizione)); }

private:
    bool precede(const QString& a, const QString& b) const {
        if (a.isEmpty())
            return !b.isEmpty();
        if (b.isEmpty())
            return false;
        return collatore_.compare(a, b) < 0;
    }

    QCollator collatore_;
    std::vector<QString> voci_;
};

} // namespace

const std::array<QString, NumSeparatori>& separatori() {
    static const std::array<QString, NumSeparatori> tabella = {
        QString(QChar(32)),  QString(QChar(13)),  QString(QChar(9)),   QStringLiteral(";"),
        QStringLiteral(":"), QStringLiteral(","), QStringLiteral("."), QStringLiteral("!"),
        QStringLiteral("?"), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("/"),
        QString(QChar(92)),  QStringLiteral("|"),
    };
    return tabella;
}

const std::array<QString, NumSeparatori>& nomi() {
    static const std::array<QString, NumSeparatori> tabella = {
        QStringLiteral("\"Spazio\""), QStringLiteral("\"Invio\""), QStringLiteral("\"Tab\""),
        QStringLiteral(";"),          QStringLiteral(":"),         QStringLiteral(","),
        QStringLiteral("."),          QStringLiteral("!"),         QStringLiteral("?"),
        QStringLiteral("<"),          QStringLiteral(">"),         QStringLiteral("/"),
        QStringLiteral("\\"),         QStringLiteral("|"),
    };
    return tabella;
}

Dichiarazioni::Stato_Dialogo statoIniziale(Opzioni& opzioni) {
    Dichiarazioni::Stato_Dialogo stato;
    stato.Chk_Separa.assign(NumSeparatori, 0);
    stato.Chk_Separa[0] = 1;
    stato.Chk_Separa[3] = 1;
    stato.Opt_Separatore_Out.assign(NumSeparatori, false);
    stato.Opt_Separatore_Out[3] = true;
    opzioni.uscita = separatori()[3];
    stato.Opt_Capo = {true, false};
    opzioni.capo = QStringLiteral(" ");
    stato.Opt_Ultimo = {true, false};
    opzioni.ultimo = QString();
    return stato;
}

Dichiarazioni::Testi_Stato leggi(const Dichiarazioni::Stato_Dialogo& stato, Opzioni& opzioni) {
    QString elenco;
    for (std::size_t i = 0; i < stato.Chk_Separa.size() && i < NumSeparatori; ++i) {
        if (stato.Chk_Separa[i] == 1) {
            opzioni.ingresso[i] = true;
            elenco = elenco + nomi()[i] + Spazio;
        } else {
            opzioni.ingresso[i] = false;
        }
    }
    elenco = rifila(elenco);
    if (elenco.isEmpty())
        elenco = QStringLiteral("Nessuno");

    Dichiarazioni::Testi_Stato testi;
    testi.pannello1 = QStringLiteral("Separatori testo inserito: ") + elenco;

    QString nomeUscita;
    for (std::size_t i = 0; i < stato.Opt_Separatore_Out.size() && i < NumSeparatori; ++i) {
        if (stato.Opt_Separatore_Out[i]) {
            nomeUscita = nomi()[i];
            opzioni.uscita = separatori()[i];
            break;
        }
    }
    testi.pannello2 = QStringLiteral("Separatore testo elaborato: ") + nomeUscita;

    opzioni.capo = stato.Opt_Capo[0] ? QStringLiteral(" ") : opzioni.uscita;
    opzioni.ultimo = stato.Opt_Ultimo[0] ? QString() : opzioni.uscita;
    return testi;
}

Liste elabora(Dichiarazioni::Finestra& finestra, const Opzioni& opzioni, int numCaratteri) {
    Liste liste;
    ListaOrdinata lstOrdine;

    QString lavoro = rifila(finestra.testoOrig());
    if (lavoro.isEmpty()) {
        finestra.impostaTestoOrdine(QString());
        finestra.ridisegnaOrdine();
        finestra.impostaTestoOrig(QString());
        finestra.fuocoOrig();
        finestra.ridisegnaOrig();
        finestra.ridisegnaFinestra();
        return liste;
    }

    // Item boundaries.
    for (int i = 0; i < NumSeparatori; ++i) {
        if (!opzioni.ingresso[i])
            continue;
        if (i == 1)
            lavoro = sostituisciInvio(lavoro);
        else
            lavoro = sostituisci(lavoro, separatori()[i], Marcatore);
    }
    const QString doppio = Marcatore + Marcatore;
    do {
        lavoro = sostituisci(lavoro, doppio, Marcatore);
    } while (lavoro.contains(doppio));

    // Pieces, front to back; the last one goes in even when empty.
    while (lavoro.contains(Marcatore)) {
        const qsizetype dove = lavoro.indexOf(Marcatore);
        const QString pezzo = lavoro.left(dove);
        lavoro = lavoro.mid(dove + 1);
        if (!rifila(pezzo).isEmpty())
            lstOrdine.aggiungi(rifila(pezzo));
    }
    lstOrdine.aggiungi(rifila(lavoro));

    const QString& s = opzioni.uscita;
    QString unito;
    for (qsizetype i = 0; i < lstOrdine.conta(); ++i)
        unito = unito + lstOrdine.voce(i) + s;
    unito.chop(1);
    unito = sostituisci(unito, s + s, s);
    if (unito.startsWith(s))
        unito.remove(0, 1);

    for (qsizetype i = 0; i < lstOrdine.conta(); ++i)
        liste.ordine.append(lstOrdine.voce(i));

    // Second stage: lines, then the box, then where the result goes.
    QString uscita = unito;
    if (finestra.aCapoAttivo()) {
        const qsizetype n = numCaratteri;
        QString resto = unito;
        bool spezzato = false;
        for (;;) {
            QString riga;
            if (resto.size() <= n) {
                riga = resto;
                resto.clear();
            } else {
                riga = resto.left(n);
                resto = resto.mid(n);
            }
            if (riga.startsWith(s))
                riga.remove(0, 1);
            if (resto.isEmpty() && !riga.isEmpty()) {
                liste.frasi.append(riga);
                spezzato = true;
                break;
            }
            if (resto.startsWith(s)) {
                liste.frasi.append(riga);
                resto.remove(0, 1);
                continue;
            }
            if (riga.endsWith(s)) {
                liste.frasi.append(riga.left(riga.size() - 1));
                continue;
            }
            const qsizetype rottura = riga.lastIndexOf(s) + 1;
            if (rottura >= 1) {
                const QString coda = riga.mid(rottura);
                riga = riga.left(rottura - 1);
                liste.frasi.append(riga);
                resto = coda + resto;
                continue;
            }
            break;
        }

        if (spezzato) {
            uscita.clear();
            for (qsizetype i = 0; i + 1 < liste.frasi.size(); ++i)
                uscita = uscita + liste.frasi.at(i) + opzioni.capo + QChar(13) + QChar(10);
            uscita += liste.frasi.last();
        } else {
            finestra.messaggio(QStringLiteral("Impossibile formattare il testo"),
                               QStringLiteral("Quorla!"), 0x10030);
            finestra.impostaPosizioneSlider(finestra.massimoSlider());
        }
    }

    finestra.impostaTestoOrdine(rifila(uscita) + opzioni.ultimo);
    finestra.ridisegnaOrdine();

    if (finestra.copiaAppuntiAttiva()) {
        finestra.svuotaAppunti();
        finestra.impostaAppunti(finestra.testoOrdine());
        finestra.fuocoOrig();
        finestra.ridisegnaOrig();
    } else {
        finestra.selezionaOrdine(0, finestra.testoOrdine().size());
        finestra.fuocoOrdine();
        finestra.ridisegnaOrdine();
    }
    return liste;
}

} // namespace Riferimento
