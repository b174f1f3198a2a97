#pragma once

#include "Opzioni.h"

#include <QRegularExpression>
#include <QStringView>
#include <functional>
#include <optional>

// What the window shows of the sort keys: the items of a piece of the input,
// cut as the engine cuts them, and the part of each item a key compares. The
// engine keeps its cutting to itself, and a window needs it for a few items
// at a time only: the first ones for a preview, those in view for marking.
namespace VociChiavi {

struct Tratto {
    qsizetype inizio = 0;
    qsizetype lunghezza = 0;
    qsizetype fine() const { return inizio + lunghezza; }
    bool operator==(const Tratto&) const = default;
};

// Hands the items of testo (CR LF line breaks) to voce, in order, until it
// returns false: the text is cut at every input separator of the options, a
// run of separators counts as one, spaces at either end of an item are not
// part of it. Items that are empty after that are left out: the engine keeps
// a last empty one, but it has no part to show.
void perOgniVoce(QStringView testo, const Motore::Opzioni& opzioni,
                 const std::function<bool(Tratto)>& voce);

// A key with its pattern compiled once, for reading many items.
class ChiaveCompilata {
public:
    explicit ChiaveCompilata(const Motore::Chiave& chiave);

    const Motore::Chiave& chiave() const { return chiave_; }
    std::optional<Motore::ParteTrovata> parte(QStringView voce) const;
    // Whether the key compares a part of the item rather than all of it: the
    // whole item and its length have nothing worth marking.
    bool segnaParte() const;

private:
    Motore::Chiave chiave_;
    QRegularExpression re_;
};

} // namespace VociChiavi
