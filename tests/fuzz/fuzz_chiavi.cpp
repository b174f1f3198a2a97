// Random items and keys through the key readers: the first bytes choose the key and the
// language, the rest is the item (for a pattern, the pattern up to the first line break).
#include "Chiavi.h"

#include <QRegularExpression>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Motore;

namespace {

constexpr const char* Lingue[] = {"it", "en_US", "de", "fr", "de_CH", "ja", "ru", "ar", "sv", ""};
constexpr char16_t Separatori[] = {u' ', u'\t', u',', u';', u':', u'|', u'"', u'a'};
constexpr std::size_t NumLingue = std::size(Lingue);

const LettoreValori& lettore(std::size_t i) {
    // Built once each: opening a language's ICU data costs more than a run.
    static std::array<std::unique_ptr<LettoreValori>, NumLingue> lettori;
    if (!lettori[i])
        lettori[i] = std::make_unique<LettoreValori>(QByteArray(Lingue[i]));
    return *lettori[i];
}

void verifica(bool condizione, const char* cosa) {
    if (!condizione) {
        std::fprintf(stderr, "invariant broken: %s\n", cosa);
        std::abort();
    }
}

// Appends with the encoding's promises checked: out untouched without a value, no 0x00 nor
// 0xFF (a descending order's 0x00), the same bytes each time, a description with a value.
std::optional<std::string> codifica(const LettoreValori& l, TipoChiave tipo, QStringView testo) {
    std::string out = "ab";
    const bool letto = l.codifica(tipo, testo, out);
    verifica(letto || out == "ab", "out changed without a value");
    std::string ancora = "ab";
    verifica(l.codifica(tipo, testo, ancora) == letto && ancora == out, "not deterministic");
    for (std::size_t i = 2; i < out.size(); ++i)
        verifica(out[i] != '\0' && out[i] != '\xFF', "byte 0x00 or 0xFF");
    verifica(letto == !l.descrivi(tipo, testo).isEmpty() || tipo == TipoChiave::Testo,
             "a description without a value");
    return letto ? std::optional(out.substr(2)) : std::nullopt;
}

// A value shown reads back the same in English or as ISO 8601, unless cut for showing.
void rilettura(const LettoreValori& l, TipoChiave tipo, QStringView testo,
               const std::string& codice) {
    QString mostrato = l.descrivi(tipo, testo);
    if (tipo == TipoChiave::Dimensione)
        mostrato.chop(2);
    const bool numerico = tipo == TipoChiave::Numero || tipo == TipoChiave::Dimensione;
    if (numerico && (mostrato.contains(u'…') || mostrato.size() > 40))
        return;
    if (tipo == TipoChiave::Data &&
        !QRegularExpression(QStringLiteral("^[0-9]{4}-")).match(mostrato).hasMatch())
        return;
    if (numerico || tipo == TipoChiave::Data) {
        const auto riletto =
            codifica(lettore(1), tipo == TipoChiave::Data ? tipo : TipoChiave::Numero, mostrato);
        verifica(riletto && *riletto == codice, "the value shown reads back otherwise");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n < 6)
        return 0;
    Chiave k;
    k.parte = ParteChiave(dati[0] % 5);
    k.tipo = TipoChiave(dati[1] % 5);
    k.campo = int(std::int8_t(dati[2])) % 6;
    k.separatoreCampi = QChar(Separatori[dati[3] % std::size(Separatori)]);
    const LettoreValori& l = lettore(dati[4] % NumLingue);
    // Half the inputs as UTF-8, half as raw UTF-16, lone surrogates and all.
    const QString testo =
        dati[5] % 2 ? QString::fromUtf8(reinterpret_cast<const char*>(dati + 6), qsizetype(n - 6))
                    : QString(reinterpret_cast<const QChar*>(dati + 6), qsizetype((n - 6) / 2));
    QStringView voce = testo;
    std::unique_ptr<QRegularExpression> re;
    if (k.parte == ParteChiave::Espressione) {
        const qsizetype capo = std::max<qsizetype>(voce.indexOf(u'\n'), 0);
        k.espressione = voce.first(std::min<qsizetype>(capo, 48)).toString();
        voce = voce.sliced(capo);
        re = std::make_unique<QRegularExpression>(k.espressione);
        verifica(erroreEspressione(k.espressione).isEmpty() == re->isValid(), "pattern check");
    }

    const auto parte = trovaParte(voce, k, re.get());
    if (parte) {
        verifica(parte->inizio >= 0 && parte->lunghezza >= 0 &&
                     parte->inizio + parte->lunghezza <= voce.size(),
                 "part outside the item");
        const QStringView segnata = voce.sliced(parte->inizio, parte->lunghezza);
        verifica(segnata == parte->testo ||
                     (k.parte == ParteChiave::Campo && segnata.startsWith(u'"') &&
                      parte->testo.size() < segnata.size()),
                 "part text differs from where it lies");
    }
    const QStringView valore = parte ? QStringView(parte->testo) : voce;
    if (k.parte == ParteChiave::Lunghezza) {
        std::string out;
        LettoreValori::codificaLunghezza(valore, out);
        verifica(out.find('\0') == std::string::npos, "byte 0x00 in a length");
        verifica(LettoreValori::lunghezza(valore) <= valore.size(), "more clusters than units");
    }
    for (int t = 1; t < 5; ++t) {
        const auto tipo = TipoChiave(t);
        if (const auto codice = codifica(l, tipo, valore))
            rilettura(l, tipo, valore, *codice);
    }
    return 0;
}
