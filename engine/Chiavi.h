#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <string>

class QRegularExpression;

// Sort keys: which part of an item is compared, and how. A typed value becomes
// a byte string that compares with memcmp in the order of the values.
namespace Motore {

enum class ParteChiave { VoceIntera, Campo, Cognome, Lunghezza, Espressione };
enum class TipoChiave { Testo, Numero, Dimensione, Mese, Data };

// What separates fields: a run of spaces counts as one when it is the space.
struct Chiave {
    ParteChiave parte = ParteChiave::VoceIntera;
    int campo = 1;                // 1, 2, ... from the start; -1 last, -2 second to last, ...
    QChar separatoreCampi = u' '; // space, tab, ',', ';', ':', '|' or any one character
    QString espressione;          // for Espressione
    TipoChiave tipo = TipoChiave::Testo;
    bool decrescente = false;
};

// Where the part lies in the item (for marking it on screen) and its text. A
// quoted field is marked with its quotes; its text has them removed and each
// doubled quote inside made one.
struct ParteTrovata {
    qsizetype inizio = 0;
    qsizetype lunghezza = 0;
    QString testo;
};

// The part an item shows to a key, or nothing when the item has none: fewer
// fields than asked for, field 0, no words, no match (or the capture group
// took no part in it). For Lunghezza the part is the whole item. re is the
// pattern of an Espressione key, compiled once by the caller; null (or
// invalid) finds nothing.
std::optional<ParteTrovata> trovaParte(QStringView voce, const Chiave& chiave,
                                       const QRegularExpression* re);

// Empty when the pattern is valid; otherwise the reason and where it lies.
QString erroreEspressione(const QString& espressione);

// Reads typed values the way one ordering language writes them. Built once per
// sort; reading is const and safe from several threads at once on the same
// object (all the language's symbols are read from ICU at construction).
//
// Every encoding compares with memcmp in the order of the values, equal values
// give the same bytes, no encoding holds the byte 0x00, and none is a proper
// prefix of another: the encodings of several keys may be chained one after
// the other and still compare key by key.
class LettoreValori {
public:
    // An ICU locale id ("it", "en_US", "de@collation=phonebook"...); empty for
    // the system's.
    explicit LettoreValori(const QByteArray& localeIcu);

    // Appends the encoding of the part's value and returns true; returns false,
    // leaving out alone, when the part holds no value of that type (and always
    // for Testo, which the collator orders).
    bool codifica(TipoChiave tipo, QStringView parte, std::string& out) const;

    // User-perceived characters (grapheme clusters) of the part, and their
    // number encoded as codifica encodes a number.
    static qsizetype lunghezza(QStringView parte);
    static void codificaLunghezza(QStringView parte, std::string& out);

    // The value as read, in a short form for showing keys: "1234.5",
    // "1536 B", "3 (marzo)", "2026-12-07", "2026-12-07 10:30"; the text itself
    // for Testo; empty when there is no value.
    QString descrivi(TipoChiave tipo, QStringView parte) const;

    struct Simboli;

private:
    std::shared_ptr<const Simboli> simboli_;
};

} // namespace Motore
