#pragma once

#include "Chiavi.h"
#include "Separatori.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What a run of the engine is asked to do, as plain values. Every member
// starts at the program's own start-up choice, so Opzioni{} sorts exactly as
// a fresh window does.
namespace Motore {

// How the items are placed: sorted either way, kept as written, the input
// order reversed, or shuffled.
enum class Verso { Crescente, Decrescente, ComeNelTesto, Inverti, Mescola };
enum class Maiuscole { ComeLingua, MaiuscolePrima, MinuscolePrima };
// What becomes of items that occur more than once: all kept, the first
// written of each kept, one of each repeated item, only the items that occur
// once, or each item once followed by its count, "pera (3)".
enum class Doppioni { Tutti, Elimina, Ripetuti, Unici, Conta };

struct LinguaOrdine {
    const char* nome;   // as the menu shows it (a translation source for the first and last)
    const char* locale; // ICU locale id; empty for the first and the last
};
// The languages offered: index 0 is "Lingua del sistema", the last one is
// "Codici Unicode" (plain code-point order).
const std::vector<LinguaOrdine>& lingueOrdine();
inline constexpr int LinguaSistema = 0;
int linguaCodiciUnicode();
// The ICU locale id of an ordering language; for "Lingua del sistema" (and
// for "Codici Unicode", whose duplicates still need a language) the system's.
QByteArray localeIcu(int lingua);

struct OpzioniOrdine {
    Verso verso = Verso::Crescente;
    bool numeriNaturali = false;
    Maiuscole maiuscole = Maiuscole::ComeLingua;
    bool ignoraPunteggiatura = false;
    bool ignoraArticoli = false;
    Doppioni doppioni = Doppioni::Tutti;
    // Items are equal for the duplicates also when they differ in case or
    // accents (and punctuation or an article, when those are ignored).
    bool simili = false;
    bool perFrequenza = false;  // with Conta: the most frequent first
    int intestazione = 0;       // the first items stay where they are
    int lingua = LinguaSistema; // index into lingueOrdine()
    std::uint64_t seme = 0;     // for "Mescola": 0 draws a fresh order each run
    // "Ordina per": up to three keys; none compares whole items. Items equal
    // on every key are ordered as whole items, and then by input order.
    std::vector<Chiave> chiavi{};

    bool operator==(const OpzioniOrdine&) const = default;
};

// What goes at the end of each reflowed line and at the end of the text:
// "Nessuno", or the output separator ("Come "Testo riordinato"").
enum class Fine { Nessuno, ComeUscita };

struct Opzioni {
    // Which catalogue entries split the input.
    std::array<bool, NumSeparatori> ingresso{true, false, false, true};
    int uscita = indice(Sep::PuntoEVirgola); // catalogue index of the output separator
    bool spazioDopo = false;                 // "alfa, beta"; no effect after a line break or a tab
    Fine capo = Fine::Nessuno;
    Fine ultimo = Fine::Nessuno;
    std::optional<int> larghezza; // the reflow, on at this many characters
    OpzioniOrdine ordine;
    // The text's line breaks are bare LFs, each standing for a CR LF: a file
    // read with Unix line ends need not grow by a character a line.
    bool righeLf = false;
    // The result's line breaks are bare LFs instead of CR LF.
    bool uscitaLf = false;
    // NUL alone splits the input and joins the output, whatever the catalogue
    // choices say: an item may then hold spaces, tabs and line breaks.
    bool nul = false;
    // Each item with the part of its first key marked and what every key read.
    bool mostraChiavi = false;

    bool operator==(const Opzioni&) const = default;

    bool perRighe() const { return !nul && ingresso[indice(Sep::Invio)]; }
    // The space after the separator: a line break or a tab needs none.
    bool spazioEffettivo() const {
        return spazioDopo && uscita != indice(Sep::Invio) && uscita != indice(Sep::Tab);
    }
};

} // namespace Motore
