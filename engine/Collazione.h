#pragma once

#include "Chiavi.h"
#include "Opzioni.h"

#include <QRegularExpression>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <string>
#include <unicode/ucol.h>
#include <vector>

// Inside the engine: how a text becomes the bytes it is sorted by.
namespace Motore::Ordinamento {

// The code-point order as bytes, zero-terminated; k has room for three bytes a
// character and one. Returns the length, terminator included.
std::size_t chiaveCodici(QStringView t, std::uint8_t* k);

// The bytes a text sorts by, without the terminator, into b: the collator's
// sort key, or the code points without one. Returns how many.
std::size_t chiaveTesto(UCollator* c, QStringView t, std::vector<std::uint8_t>& b);

// How a distinct text becomes a key: the collator (none for code points) and
// the articles to skip.
class Collazione {
public:
    // primaria: the collator that tells duplicates that differ only in case
    // or accents (and punctuation or an article when those are ignored).
    Collazione(const OpzioniOrdine& o, bool primaria);
    ~Collazione();
    Collazione(const Collazione&) = delete;
    Collazione& operator=(const Collazione&) = delete;

    UCollator* collatore() const { return collatore_; }
    // A collator for another thread; null when it cannot be had.
    UCollator* clona() const;
    // The text the order is taken from: without a leading article.
    QStringView testoChiave(QStringView t) const;

private:
    UCollator* collatore_ = nullptr;
    QStringList articoli_;
};

// The keys of "Ordina per": each key's mark and value one after another, in
// bytes that compare with memcmp in the order the keys ask for; items equal on
// them all are then ordered by the tie-breaker, the whole text. An item
// without a key's part or value gets a mark above every value and nothing
// after it: such items go after all the others and, equal among themselves,
// stay in input order.
class Composizione {
public:
    Composizione(const OpzioniOrdine& o, const Collazione& collazione);

    // What one thread needs of its own: patterns are not to be shared.
    struct PerFilo {
        std::vector<QRegularExpression> espressioni;
        std::string chiave;
        std::vector<std::uint8_t> appoggio;
        QString parte; // a quoted field's text
    };
    PerFilo perFilo() const;

    // Writes the key of t into filo.chiave; false when some key had no value.
    bool componi(UCollator* c, QStringView t, PerFilo& filo) const;
    // Writes the tie-breaker of t into filo.chiave: the whole text, in the
    // menu's direction. Asked only of texts that tie, which are few.
    void spareggio(UCollator* c, QStringView t, PerFilo& filo) const;

private:
    void testo(UCollator* c, QStringView t, PerFilo& filo, std::string& out) const;

    const std::vector<Chiave>& chiavi_;
    const Collazione& collazione_;
    LettoreValori lettore_;
    bool decrescente_;
};

// An item as --mostra-chiavi shows it: the part of its first key between «
// and », then what each key read, "[1: 1234.5]", or "[2: nessun valore]".
QString segnaChiavi(QStringView voce, const std::vector<Chiave>& chiavi,
                    const LettoreValori& lettore);

} // namespace Motore::Ordinamento
