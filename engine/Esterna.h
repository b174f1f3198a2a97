#pragma once

#include "Opzioni.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <string>

// What a sort of a text too large for memory needs of the engine, when the
// caller keeps sorted runs of items elsewhere and merges them: the bytes each
// item is ordered by, the bytes that tell its duplicates, and the item as the
// result shows it. Runs merged on these give exactly the in-memory result.
namespace Motore::Esterna {

// How two items compare: their order keys as bytes (shorter first on a common
// prefix), then their places in the input.
struct Confronto {
    bool chiaveRovesciata = false;   // descending order of whole items
    bool sequenzaRovesciata = false; // "Inverti": the last written first
};
Confronto confronto(const Opzioni& opzioni);

// Whether items are compared at all: as written and reversed, only their places
// count. Duplicates are then still taken out by their group keys.
bool daOrdinare(const Opzioni& opzioni);

// The keys of items; one object per thread.
class Chiavi {
public:
    explicit Chiavi(const Opzioni& opzioni);
    ~Chiavi();
    Chiavi(const Chiavi&) = delete;
    Chiavi& operator=(const Chiavi&) = delete;

    // Appends the key the item is ordered by; false when the item lacks some
    // key's part or value. "Mescola" draws a key at random: a shuffle is
    // uniform over the whole input, though not the in-memory one.
    bool ordine(QStringView voce, std::string& out);
    // Appends bytes that are equal for two items exactly when the duplicate
    // options take them for one.
    void gruppo(QStringView voce, std::string& out);

private:
    struct Dati;
    std::unique_ptr<Dati> d_;
};

// An item as the result shows it: followed by its count when counting
// (conta > 0), its keys marked with --mostra-chiavi. False when the item
// shows as it is.
class Mostra {
public:
    explicit Mostra(const Opzioni& opzioni);
    ~Mostra();
    bool serve() const;
    QString mostra(QStringView voce, std::uint64_t conta) const;

private:
    struct Dati;
    std::unique_ptr<Dati> d_;
};

} // namespace Motore::Esterna
