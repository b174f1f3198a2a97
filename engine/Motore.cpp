#include "Motore.h"

#include "Ordinamento.h"

#include <algorithm>
#include <memory>

namespace Motore {

namespace {

constexpr char16_t Spazio = u' ';

using Ordinamento::Elenco;
using Ordinamento::trimSpazi;

// The output options as the joining and the reflow use them.
struct Formato {
    explicit Formato(const Opzioni& o)
        : ingresso(o.ingresso), invio(!o.nul && o.uscita == indice(Sep::Invio)),
          separatore(o.nul ? QChar(0) : QChar(catalogo()[std::size_t(o.uscita)].carattere)),
          capoRiga(o.uscitaLf ? QStringLiteral("\n") : QStringLiteral("\r\n")),
          // "Invio" between the items is the line break, not the bare carriage
          // return of the catalogue.
          unita(invio ? capoRiga : QString(separatore)), spazio(!o.nul && o.spazioEffettivo()),
          // A line break already ends each line of "Invio": nothing more goes
          // there, and at the end of the text the line break is the whole of it.
          capo(o.capo == Fine::Nessuno ? QStringLiteral(" ")
                                       : (invio ? QString() : QString(separatore))),
          ultimo(o.ultimo == Fine::Nessuno ? QString() : unita) {}

    std::array<bool, NumSeparatori> ingresso;
    bool invio;
    QChar separatore;
    QString capoRiga;
    QString unita;
    bool spazio;
    QString capo;
    QString ultimo;
};

// Joins the ordered items with the output separator and mends what items
// beginning or ending with it leave behind, writing into a destination that
// takes pieces of text. Two separators in a row become one, in one pass that
// does not rescan (three become two), and a separator left at the very start
// goes. The mending works on runs of separators as the pieces stream past, so
// that a large result need not be held whole; the space after the separator
// is written once after a run that holds one placed between items, and only
// when more text follows.
template <class Destinazione> class Unione {
public:
    Unione(const Formato& formato, Destinazione& destinazione)
        : unita_(formato.unita), spazio_(formato.spazio), destinazione_(destinazione) {
        // Items cut at the separator cannot hold it: no need to look.
        // A line break out is one of the line breaks "Invio" cut at.
        const int i = formato.invio ? indice(Sep::Invio) : indiceCarattere(unita_[0]);
        cerca_ = unita_[0] != QChar(0) && (i < 0 || !formato.ingresso[std::size_t(i)]);
    }

    void voce(QStringView v) {
        if (!cerca_) {
            if (!v.isEmpty())
                testo(v);
            return;
        }
        const qsizetype n = v.size();
        qsizetype tratto = 0;
        for (qsizetype i = 0; (i = v.indexOf(unita_[0], i)) >= 0;) {
            if (unita_.size() == 2 && (i + 1 >= n || v[i + 1] != unita_[1])) {
                ++i;
                continue;
            }
            if (i > tratto)
                testo(v.sliced(tratto, i - tratto));
            ++corsa_;
            i += unita_.size();
            tratto = i;
        }
        if (n > tratto)
            testo(v.sliced(tratto));
    }
    void confine() {
        ++corsa_;
        confineInCorsa_ = true;
    }
    void fine() { scaricaCorsa(); }

private:
    void testo(QStringView t) {
        scaricaCorsa();
        if (spazioInSospeso_)
            destinazione_.aggiungi(u" ");
        spazioInSospeso_ = false;
        destinazione_.aggiungi(t);
        scritto_ = true;
    }
    void scaricaCorsa() {
        if (corsa_ == 0)
            return;
        qsizetype k = (corsa_ + 1) / 2;
        if (!scritto_)
            --k;
        for (qsizetype i = 0; i < k; ++i)
            destinazione_.aggiungi(unita_);
        if (k > 0) {
            scritto_ = true;
            spazioInSospeso_ = spazio_ && confineInCorsa_;
        }
        corsa_ = 0;
        confineInCorsa_ = false;
    }

    const QStringView unita_;
    const bool spazio_;
    Destinazione& destinazione_;
    bool cerca_ = true;
    qsizetype corsa_ = 0;
    bool confineInCorsa_ = false;
    bool spazioInSospeso_ = false;
    bool scritto_ = false;
};

template <class Destinazione>
void unisci(const Elenco& ordinate, const Formato& formato, Destinazione& destinazione) {
    Unione<Destinazione> unione(formato, destinazione);
    std::size_t quante = ordinate.size();
    // The empty item, last in descending order, leaves no trace, as it does
    // first in ascending order.
    if (quante > 1 && ordinate.back().isEmpty())
        --quante;
    for (std::size_t k = 0; k < quante; ++k) {
        // The items lie scattered over the input: ask for the text of one a
        // few places ahead while this one is written.
        if (k + 8 < quante)
            Ordinamento::anticipa(ordinate[k + 8].data());
        if (k > 0)
            unione.confine();
        unione.voce(ordinate[k]);
    }
    unione.fine();
}

// The same for items that arrive one at a time. Only an empty item can be
// dropped, and only when it is the last, so an empty one waits for the next.
template <class Destinazione>
void unisci(Voci& voci, const Formato& formato, Destinazione& destinazione) {
    Unione<Destinazione> unione(formato, destinazione);
    std::size_t scritte = 0;
    bool vuotaInAttesa = false;
    auto metti = [&](QStringView v) {
        if (scritte++ > 0)
            unione.confine();
        unione.voce(v);
    };
    QStringView v;
    while (voci.prossima(v)) {
        if (vuotaInAttesa)
            metti(QStringView());
        vuotaInAttesa = v.isEmpty();
        if (!vuotaInAttesa)
            metti(v);
    }
    if (vuotaInAttesa && scritte == 0)
        metti(QStringView());
    unione.fine();
}

struct InStringa {
    QString testo;
    void aggiungi(QStringView t) { testo.append(t); }
};

qsizetype lunghezzaMassima(const Elenco& ordinate) {
    qsizetype lunghezza = 0;
    for (std::size_t k = 0; k < ordinate.size(); ++k)
        lunghezza += ordinate[k].size() + 3;
    return lunghezza;
}

qsizetype lunghezzaMassima(Voci&) {
    return 0;
}

template <class Sorgente> QString unisciInStringa(Sorgente& ordinate, const Formato& formato) {
    InStringa destinazione;
    destinazione.testo.reserve(lunghezzaMassima(ordinate));
    unisci(ordinate, formato, destinazione);
    return destinazione.testo;
}

void riavvolgi(const Elenco&) {}
void riavvolgi(Voci& voci) {
    voci.riavvolgi();
}

// Breaks the joined text into lines of at most n characters at output
// separators. The text still to place is always a suffix of the joined text,
// so a position stands for it and nothing is copied back in front. The space
// written after a separator goes with it when the line breaks there, and
// counts in a line's length otherwise.
template <class Metti>
Riflusso spezza(const QString& unito, int n, const Formato& formato, Metti&& metti) {
    const QChar s = formato.separatore;
    const bool spazio = formato.spazio;
    const qsizetype fine = unito.size();
    const qsizetype larghezza = std::max(n, 0);
    auto dopoSep = [&](qsizetype i) {
        return spazio && i > 0 && i < fine && unito[i] == Spazio && unito[i - 1] == s ? i + 1 : i;
    };
    qsizetype resto = 0;
    for (;;) {
        resto = dopoSep(resto);
        qsizetype inizioRiga = resto;
        qsizetype fineRiga = std::min(fine, resto + larghezza);
        resto = fineRiga;
        if (inizioRiga < fineRiga && unito[inizioRiga] == s)
            inizioRiga = std::min(dopoSep(inizioRiga + 1), fineRiga);
        const QStringView riga = QStringView(unito).sliced(inizioRiga, fineRiga - inizioRiga);
        if (resto == fine && !riga.isEmpty()) {
            metti(riga);
            return Riflusso::Riuscito;
        }
        if (resto < fine && unito[resto] == s) {
            metti(riga);
            ++resto;
            continue;
        }
        if (!riga.isEmpty() && riga.back() == s) {
            metti(riga.chopped(1));
            continue;
        }
        const qsizetype taglio = riga.lastIndexOf(s);
        if (taglio < 0)
            return riga.isEmpty() ? Riflusso::Vuoto : Riflusso::TrattoSenzaSeparatore;
        metti(riga.first(taglio));
        resto = inizioRiga + taglio + 1;
    }
}

// With "Invio" the items are already the lines: the reflow only checks that
// each fits. An empty result cannot be placed, as with the other separators.
template <class Metti>
Riflusso righeInvio(const QString& unito, int n, const QString& capoRiga, Metti&& metti) {
    if (unito.isEmpty())
        return Riflusso::Vuoto;
    const QStringView testo(unito);
    for (qsizetype inizio = 0;;) {
        const qsizetype fine = testo.indexOf(capoRiga, inizio);
        const QStringView riga = testo.sliced(inizio, (fine < 0 ? testo.size() : fine) - inizio);
        if (riga.size() > n)
            return Riflusso::VoceTroppoLunga;
        metti(riga);
        if (fine < 0)
            return Riflusso::Riuscito;
        inizio = fine + capoRiga.size();
    }
}

// The lines as places in the joined text, half the size of views: on a large
// text they stand beside it and the output while the output is built.
Riflusso spezzaRighe(const QString& unito, int n, const Formato& formato, Elenco& righe) {
    auto spezzaIn = [&](auto larghezza) {
        using Id = decltype(larghezza);
        std::vector<Ordinamento::Vista<Id>> posti;
        auto metti = [&](QStringView riga) {
            posti.push_back({Id(riga.data() - unito.constData()), Id(riga.size())});
        };
        const Riflusso esito = formato.invio ? righeInvio(unito, n, formato.capoRiga, metti)
                                             : spezza(unito, n, formato, metti);
        righe = Elenco(unito, std::move(posti));
        return esito;
    };
    if (std::uint64_t(unito.size()) < std::uint64_t(UINT32_MAX))
        return spezzaIn(std::uint32_t());
    return spezzaIn(std::uint64_t());
}

// Hands the output text to the caller's Uscita in pieces of bounded size,
// trimmed of spaces at both ends.
class APezzi {
public:
    explicit APezzi(Uscita& uscita)
        : uscita_(uscita), pezzo_(std::make_unique_for_overwrite<QChar[]>(Pezzo)) {}

    void aggiungi(QStringView t) {
        if (!iniziato_) {
            while (!t.isEmpty() && t.front() == Spazio)
                t = t.sliced(1);
            if (t.isEmpty())
                return;
            iniziato_ = true;
        }
        qsizetype fine = t.size();
        while (fine > 0 && t[fine - 1] == Spazio)
            --fine;
        if (fine == 0) {
            spazi_ += t.size();
            return;
        }
        for (; spazi_ > 0; --spazi_)
            metti(u" ");
        metti(t.first(fine));
        spazi_ = t.size() - fine;
    }
    void fine(QStringView ultimo) {
        metti(ultimo);
        if (usato_ > 0)
            uscita_.scrivi(QStringView(pezzo_.get(), usato_));
    }

private:
    static constexpr qsizetype Pezzo = qsizetype(1) << 16;

    void metti(QStringView t) {
        if (usato_ + t.size() > Pezzo) {
            if (usato_ > 0)
                uscita_.scrivi(QStringView(pezzo_.get(), usato_));
            usato_ = 0;
            if (t.size() >= Pezzo) {
                uscita_.scrivi(t);
                return;
            }
        }
        std::copy(t.begin(), t.end(), pezzo_.get() + usato_);
        usato_ += t.size();
    }

    Uscita& uscita_;
    std::unique_ptr<QChar[]> pezzo_;
    qsizetype usato_ = 0;
    qsizetype spazi_ = 0;
    bool iniziato_ = false;
};

// Takes the joined text in pieces as unisci makes it and writes the lines the
// reflow found in it, with the line break between them.
class InRighe {
public:
    InRighe(const Elenco& righe, const Formato& formato, APezzi& uscita)
        : righe_(righe), capo_(formato.capo), capoRiga_(formato.capoRiga), uscita_(uscita) {}

    void aggiungi(QStringView t) {
        while (k_ < righe_.size()) {
            if (posizione_ >= righe_.fine(k_)) {
                apri(); // an empty line still has its line break
                ++k_;
                aperta_ = false;
                continue;
            }
            if (t.isEmpty())
                return;
            qsizetype n = std::min(t.size(), righe_.inizio(k_) - posizione_);
            if (n <= 0) {
                apri();
                n = std::min(t.size(), righe_.fine(k_) - posizione_);
                uscita_.aggiungi(t.first(n));
            }
            t = t.sliced(n);
            posizione_ += n;
        }
    }
    void fine() { aggiungi(QStringView()); }

private:
    void apri() {
        if (aperta_)
            return;
        if (k_ > 0) {
            uscita_.aggiungi(capo_);
            uscita_.aggiungi(capoRiga_);
        }
        aperta_ = true;
    }

    const Elenco& righe_;
    const QString& capo_;
    const QString& capoRiga_;
    APezzi& uscita_;
    std::size_t k_ = 0;
    qsizetype posizione_ = 0;
    bool aperta_ = false;
};

// Joins the items, and reflows the result at larghezza when asked, into the
// output. When the reflow gives up, the unbroken text is written.
template <class Sorgente>
Riflusso componi(Sorgente& ordinate, const Opzioni& opzioni, const Formato& formato, APezzi& pezzi,
                 Uscita& uscita) {
    if (!opzioni.larghezza) {
        // Straight from the items: the joined text is never held whole.
        uscita.riserva(lunghezzaMassima(ordinate) + formato.ultimo.size());
        unisci(ordinate, formato, pezzi);
        return Riflusso::Riuscito;
    }
    Elenco righe;
    QString unito = unisciInStringa(ordinate, formato);
    const Riflusso esito = spezzaRighe(unito, *opzioni.larghezza, formato, righe);
    righe.ribasa(QStringView());
    // The output is made from the items once more: the joined text is as
    // large as the output, and both at once would be one copy of the text
    // too many at the moment memory peaks.
    const qsizetype lunghezza = unito.size() + formato.ultimo.size();
    unito = QString();
    riavvolgi(ordinate);
    if (esito != Riflusso::Riuscito || formato.invio) {
        uscita.riserva(lunghezza);
        unisci(ordinate, formato, pezzi);
        return esito;
    }
    uscita.riserva(lunghezza +
                   qsizetype(righe.size()) * (formato.capo.size() + formato.capoRiga.size()));
    InRighe inRighe(righe, formato, pezzi);
    unisci(ordinate, formato, inRighe);
    inRighe.fine();
    return esito;
}

} // namespace

Risultato ordina(QString testo, const Opzioni& opzioni, Uscita& uscita) {
    Risultato risultato;
    const QStringView lavoro = trimSpazi(testo);
    if (lavoro.isEmpty()) {
        risultato.vuoto = true;
        return risultato;
    }
    // When the items point into a text of their own, the whole text can go
    // before the output is built.
    QString proprio;
    const Ordinamento::Ordinate esito = Ordinamento::vociOrdinate(lavoro, opzioni, proprio);
    const Elenco& ordinate = esito.voci;
    if (!proprio.isNull())
        testo = QString();
    risultato.voci = ordinate.size();
    risultato.senzaValore = esito.senzaValore;

    const Formato formato(opzioni);
    APezzi pezzi(uscita);
    risultato.riflusso = componi(ordinate, opzioni, formato, pezzi, uscita);
    pezzi.fine(formato.ultimo);
    return risultato;
}

Risultato componi(Voci& voci, const Opzioni& opzioni, Uscita& uscita) {
    Risultato risultato;
    const Formato formato(opzioni);
    APezzi pezzi(uscita);
    risultato.riflusso = componi(voci, opzioni, formato, pezzi, uscita);
    pezzi.fine(formato.ultimo);
    return risultato;
}

} // namespace Motore
