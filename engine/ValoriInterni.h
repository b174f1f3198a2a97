#pragma once

#include "Chiavi.h"

#include <unicode/udat.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Inside the key readers: what the numbers, sizes, months and dates share.
namespace Motore {

// The part of an item a key reads, as trovaParte finds it, but its text
// not copied: it points into the item, or for a quoted field into appoggio.
// For the sort, which reads one part of every item.
struct VistaParte {
    qsizetype inizio = 0;
    qsizetype lunghezza = 0;
    QStringView testo;
};
std::optional<VistaParte> trovaVista(QStringView voce, const Chiave& chiave,
                                     const QRegularExpression* re, QString& appoggio);

// A decimal number exactly as written: 0.cifre × 10^esponente. The digits
// are '0'..'9' with neither leading nor trailing zeros; none at all is zero,
// which is never negative.
struct Decimale {
    bool negativo = false;
    std::string cifre;
    std::int64_t esponente = 0;

    static Decimale intero(std::uint64_t n);
    static Decimale intero(std::int64_t n);
    bool zero() const { return cifre.empty(); }
    void normalizza();
};

// Values are exact but for their size: an exponent beyond ±10^18 counts as
// ±10^18, so 1e(10^19) and 1e(10^20) compare equal (no text could write
// out either number's digits).
inline constexpr std::int64_t LimiteEsponente = 1'000'000'000'000'000'000;

// A sign byte (negative, zero, positive), then for a nonzero value its
// exponent and digits, each digit one byte and a closing byte below them all.
// A negative value has the bytes after the sign flipped, so that a larger
// magnitude sorts first; as no encoding is a prefix of another, the flip
// reverses the order exactly. Every byte lies in 0x01..0xFE.
void codificaDecimale(const Decimale& d, std::string& out);
QString descriviDecimale(const Decimale& d);

// The value of a decimal digit of any script, or -1.
inline int cifra(QChar c) {
    if (c.unicode() >= u'0' && c.unicode() <= u'9')
        return c.unicode() - u'0';
    return c.unicode() >= 0x80 && c.isDigit() ? c.digitValue() : -1;
}

// Case and accents dropped, for matching words of a language.
std::u16string piega(QStringView parola);

inline bool lettera(QChar c) {
    return c.isLetter() || c.isMark();
}

// A date with its time, as milliseconds since 1970 in universal time; a time
// written without a zone is taken as universal time, so that the order never
// depends on the machine's zone or its daylight saving.
struct Istante {
    std::int64_t ms = 0;
    bool conOra = false;
    bool conZona = false;
};

// One way a language writes a date, read from its date patterns.
struct PezzoData {
    enum Tipo { Giorno, MeseNumero, MeseNome, Anno, Parola, Separatore };
    Tipo tipo;
    std::u16string parola; // for Parola, folded
    bool operator==(const PezzoData&) const = default;
};
using ModelloData = std::vector<PezzoData>;

struct LettoreValori::Simboli {
    char16_t decimale = u'.';
    char16_t raggruppamento = u',';
    bool raggruppaSpazio = false; // the language groups with a blank: any blank groups
    bool raggruppaApostrofo = false;

    // Folded month names and abbreviations, sorted, month 1..12; and the
    // prefixes of at least three letters that belong to one month alone,
    // which count only when written with a final dot ("sett.").
    std::vector<std::pair<std::u16string, int>> mesi;
    std::vector<std::pair<std::u16string, int>> abbreviazioni;
    std::array<QString, 12> nomiMesi;

    // Numeric dates: the order of day, month and year in the short pattern.
    enum Ordine { GiornoMeseAnno, MeseGiornoAnno, AnnoMeseGiorno };
    Ordine ordine = GiornoMeseAnno;
    std::vector<ModelloData> modelli;
    std::u16string am, pm;         // folded, without dots
    std::int64_t inizioSecolo = 0; // where two-digit years start, in ms
    int annoInizioSecolo = 1950;
};

// One of the language's date symbols, empty when it has none.
QString simbolo(const UDateFormat* formato, UDateFormatSymbolType tipo, int i);

// The month a word names (1..12), or 0.
int meseDi(const LettoreValori::Simboli& s, QStringView parola, bool puntoDopo);

void preparaDate(LettoreValori::Simboli& s, const char* locale);
std::optional<Istante> leggiData(const LettoreValori::Simboli& s, QStringView testo);
QString descriviIstante(const Istante& istante);

} // namespace Motore
