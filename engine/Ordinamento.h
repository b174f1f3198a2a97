#pragma once

#include "Opzioni.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

// Inside the engine: cutting the text into items and putting them in order.
namespace Motore::Ordinamento {

// Code 1 in a text always cuts, whatever is chosen: the marker the items
// were once cut at, which a text may still hold.
constexpr char16_t Marcatore = 1;

// Only the space is trimmed: tabs and line breaks are part of an item.
inline QStringView trimSpazi(QStringView s) {
    qsizetype inizio = 0;
    qsizetype fine = s.size();
    while (inizio < fine && s[inizio] == u' ')
        ++inizio;
    while (fine > inizio && s[fine - 1] == u' ')
        --fine;
    return s.sliced(inizio, fine - inizio);
}

// Asks for memory that will soon be read: the tables here are far larger
// than the caches, and each access in random order would otherwise wait for
// its own miss.
inline void anticipa(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// A text as its place in the working text. Id is 32 bits wide whenever the
// text allows, which halves the memory of the tables on large inputs.
template <class Id> struct Vista {
    Id inizio;
    Id lunghezza;
};

// Items as places in the text they were cut from: eight bytes an item instead
// of a view's sixteen, which on a large text is most of what a run keeps.
class Elenco {
public:
    Elenco() = default;
    Elenco(QStringView testo, std::vector<Vista<std::uint32_t>> voci)
        : testo_(testo), corte_(std::move(voci)) {}
    Elenco(QStringView testo, std::vector<Vista<std::uint64_t>> voci)
        : testo_(testo), lunghe_(std::move(voci)) {}

    std::size_t size() const { return lunghe_.empty() ? corte_.size() : lunghe_.size(); }
    bool empty() const { return size() == 0; }
    QStringView operator[](std::size_t k) const {
        if (lunghe_.empty())
            return testo_.sliced(qsizetype(corte_[k].inizio), qsizetype(corte_[k].lunghezza));
        return testo_.sliced(qsizetype(lunghe_[k].inizio), qsizetype(lunghe_[k].lunghezza));
    }
    QStringView back() const { return (*this)[size() - 1]; }
    // Where item k starts and ends in the text, without the text.
    qsizetype inizio(std::size_t k) const {
        return qsizetype(lunghe_.empty() ? corte_[k].inizio : lunghe_[k].inizio);
    }
    qsizetype fine(std::size_t k) const {
        return inizio(k) + qsizetype(lunghe_.empty() ? corte_[k].lunghezza : lunghe_[k].lunghezza);
    }
    // The same places in another text, one that is rebuilt when needed.
    void ribasa(QStringView testo) { testo_ = testo; }

private:
    QStringView testo_;
    std::vector<Vista<std::uint32_t>> corte_;
    std::vector<Vista<std::uint64_t>> lunghe_;
};

// Cuts the trimmed working text into items at the active input separators and
// returns them in the order the options ask for, duplicates already dropped.
// The items point into testo. An empty item, when there is one, stands first,
// or last in descending order. The engine may write the items' texts into
// proprio (a copy of the distinct texts when they are much smaller than testo,
// or the items with their counts) and point the items there instead; it is
// left null otherwise.
struct Ordinate {
    Elenco voci;
    std::size_t senzaValore = 0; // items without a part or value for some key
};
Ordinate vociOrdinate(QStringView testo, const Opzioni& opzioni, QString& proprio);

// The cutting of vociOrdinate for a text that arrives in stretches, each
// beginning where an item begins. fine: the stretch is the end of the input
// (trimmed of spaces at its end), whose last piece is an item even when empty.
void tagliaTratto(QStringView testo, const Opzioni& opzioni, bool fine,
                  const std::function<void(QStringView)>& voce);
// Where testo can be cut so that its items before the cut are final whatever
// text follows: the start of its last item. 0 when there is no such place.
qsizetype ultimoTaglio(QStringView testo, const Opzioni& opzioni);

} // namespace Motore::Ordinamento
