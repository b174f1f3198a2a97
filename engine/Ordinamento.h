#pragma once

#include "Dichiarazioni.h"

#include <QStringView>
#include <vector>

// Inside the engine: cutting the text into items and putting them in order.
namespace Dichiarazioni::Ordinamento {

// Only the space is trimmed: tabs and line breaks are part of an item.
inline QStringView TrimSpazi(QStringView s) {
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
inline void Anticipa(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// Cuts the trimmed working text into items at the active input separators and
// returns them in the order the options ask for, duplicates already dropped.
// The views point into testo. An empty item, when there is one, stands first,
// or last in descending order.
std::vector<QStringView> VociOrdinate(QStringView testo, const Opzioni_Ordine& opzioni);

// The ICU locale id of an ordering language; for "Lingua del sistema" (and for
// "Codici Unicode", whose duplicates still need a language) the system's.
QByteArray LocaleIcu(int lingua);

} // namespace Dichiarazioni::Ordinamento
