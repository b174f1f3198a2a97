#pragma once

#include "Opzioni.h"

#include <QString>
#include <QStringView>
#include <cstddef>

// The text engine: cuts a text into items, orders them and joins them again,
// as a function of the text and the options alone.
namespace Motore {

// Takes the result in pieces, in order, so that a large one need not be held
// whole. A CR LF may be split between two pieces.
class Uscita {
public:
    virtual ~Uscita() = default;
    // The result's length beforehand, at most.
    virtual void riserva(qsizetype) {}
    virtual void scrivi(QStringView pezzo) = 0;
};

// The whole result in one string.
class UscitaTesto : public Uscita {
public:
    QString testo;
    void riserva(qsizetype n) override { testo.reserve(n); }
    void scrivi(QStringView pezzo) override { testo.append(pezzo); }
};

// Why the reflow gave up: the result has been written unbroken all the same.
enum class Riflusso {
    Riuscito,
    TrattoSenzaSeparatore, // a stretch longer than the line has no separator to break at
    VoceTroppoLunga,       // with "Invio", an item is longer than the line
    Vuoto,                 // nothing to place on a line
};

struct Risultato {
    // The text held nothing but spaces: nothing was written.
    bool vuoto = false;
    std::size_t voci = 0;        // items in the result, the empty one included
    std::size_t senzaValore = 0; // items that had no part or value for some key
    Riflusso riflusso = Riflusso::Riuscito;
    bool formattato() const { return riflusso == Riflusso::Riuscito; }
};

// Sorts testo into uscita. The text is taken by value so that a caller who
// moves it in lets the engine drop it as soon as the items no longer need it.
// Line breaks in and out are CR LF (in: bare LF with Opzioni::righeLf); the
// result is trimmed of spaces at both ends, then ended as the options say.
Risultato ordina(QString testo, const Opzioni& opzioni, Uscita& uscita);

// Items already in their final order, handed over one at a time, for a result
// that is never held whole.
class Voci {
public:
    virtual ~Voci() = default;
    // The next item, valid until the next call; false after the last.
    virtual bool prossima(QStringView& voce) = 0;
    // Back to the first item: the reflow goes over the items twice.
    virtual void riavvolgi() = 0;
};

// Joins and reflows the items as ordina does its sorted ones.
Risultato componi(Voci& voci, const Opzioni& opzioni, Uscita& uscita);

} // namespace Motore
