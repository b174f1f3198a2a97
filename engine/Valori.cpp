#include "ValoriInterni.h"

#include <unicode/uloc.h>
#include <unicode/unum.h>

#include <algorithm>
#include <map>

namespace Motore {

// ---- Exact decimals and their encoding

Decimale Decimale::intero(std::uint64_t n) {
    Decimale d;
    while (n > 0) {
        d.cifre.insert(d.cifre.begin(), char('0' + n % 10));
        n /= 10;
    }
    d.esponente = std::int64_t(d.cifre.size());
    d.normalizza();
    return d;
}

Decimale Decimale::intero(std::int64_t n) {
    // The magnitude of the most negative value is one past the largest.
    Decimale d = intero(n < 0 ? ~std::uint64_t(n) + 1 : std::uint64_t(n));
    d.negativo = n < 0;
    return d;
}

void Decimale::normalizza() {
    const std::size_t iniziali = std::min(cifre.find_first_not_of('0'), cifre.size());
    cifre.erase(0, iniziali);
    esponente -= std::int64_t(iniziali);
    cifre.erase(cifre.find_last_not_of('0') + 1);
    if (cifre.empty()) {
        negativo = false;
        esponente = 0;
    }
    esponente = std::clamp(esponente, -LimiteEsponente, LimiteEsponente);
}

namespace {

// The exponent in as few bytes as it needs: one byte for the usual sizes,
// otherwise a byte that tells the length (larger for larger exponents, smaller
// for more negative ones) and the rest in base 254 with no 0x00 and no 0xFF.
constexpr std::int64_t Vicino = 0x5F;

void codificaEsponente(std::int64_t e, std::string& out) {
    if (e >= -Vicino && e <= Vicino) {
        out += char(0x80 + e);
        return;
    }
    const bool alto = e > 0;
    std::uint64_t v = alto ? std::uint64_t(e - Vicino - 1) : std::uint64_t(-(e + Vicino + 1));
    int byte = 1;
    std::uint64_t capienza = 254;
    // Values below the length's range are never written with it, so the length
    // byte alone orders exponents of different lengths.
    while (byte < 8 && v >= capienza) {
        capienza *= 254;
        ++byte;
    }
    if (!alto)
        v = capienza - 1 - v;
    out += char(alto ? 0xDF + byte : 0x21 - byte);
    char cifre[8];
    for (int i = byte - 1; i >= 0; --i) {
        cifre[i] = char(1 + v % 254);
        v /= 254;
    }
    out.append(cifre, std::size_t(byte));
}

} // namespace

void codificaDecimale(const Decimale& d, std::string& out) {
    if (d.zero()) {
        out += '\x02';
        return;
    }
    out += d.negativo ? '\x01' : '\x03';
    const std::size_t corpo = out.size();
    codificaEsponente(d.esponente, out);
    const std::size_t cifre = out.size();
    out.resize(cifre + d.cifre.size() + 1);
    char* p = out.data() + cifre;
    for (char c : d.cifre)
        *p++ = char(c - '0' + 2);
    *p = '\x01';
    if (d.negativo) {
        for (std::size_t i = corpo; i < out.size(); ++i)
            out[i] = char(0xFF - static_cast<unsigned char>(out[i]));
    }
}

QString descriviDecimale(const Decimale& d) {
    if (d.zero())
        return QStringLiteral("0");
    // Long digit strings are cut: this is for showing, the order uses them all.
    constexpr std::size_t Mostrate = 30;
    const QString cifre =
        QString::fromLatin1(d.cifre.data(), qsizetype(std::min(d.cifre.size(), Mostrate)));
    const QString taglio = d.cifre.size() > Mostrate ? QStringLiteral("…") : QString();
    const QString segno = d.negativo ? QStringLiteral("-") : QString();
    const std::int64_t e = d.esponente;
    if (e > 21 || e < -5 || !taglio.isEmpty()) {
        QString mantissa = cifre.left(1);
        if (cifre.size() > 1)
            mantissa += u'.' + cifre.mid(1);
        return segno + mantissa + taglio + u'e' + QString::number(e - 1);
    }
    if (e <= 0)
        return segno + QStringLiteral("0.") + QString(qsizetype(-e), u'0') + cifre;
    if (e >= cifre.size())
        return segno + cifre + QString(qsizetype(e) - cifre.size(), u'0');
    return segno + cifre.left(qsizetype(e)) + u'.' + cifre.mid(qsizetype(e));
}

// ---- Numbers as a language writes them

namespace {

bool meno(QChar c) {
    return c == u'-' || c == u'\u2212';
}

bool segno(QChar c) {
    return c == u'+' || meno(c);
}

bool separaGruppi(const LettoreValori::Simboli& s, QChar c) {
    if (c == s.raggruppamento || c == u'\u00A0' || c == u'\u202F')
        return true;
    if (s.raggruppaSpazio && (c == u' ' || c == u'\u2009'))
        return true;
    return s.raggruppaApostrofo && (c == u'\'' || c == u'\u2019');
}

qsizetype cifreDa(QStringView t, qsizetype i) {
    qsizetype k = i;
    while (k < t.size() && cifra(t[k]) >= 0)
        ++k;
    return k - i;
}

// Grown once, then written: one append per digit was a visible share of a
// sort by numbers.
void aggiungiCifre(std::string& cifre, QStringView t) {
    const std::size_t da = cifre.size();
    cifre.resize(da + std::size_t(t.size()));
    char* p = cifre.data() + da;
    for (QChar c : t)
        *p++ = char('0' + cifra(c));
}

// Written exponents saturate here, far enough beyond the value's limit that
// the limit, not this, decides.
constexpr std::int64_t LimiteScritto = 4 * LimiteEsponente;

struct NumeroLetto {
    Decimale valore;
    qsizetype fine;
};

// The first number of the text. Decisions, so that a text always reads one
// way:
// - a sign counts when it stands right before the number and is not glued to
//   a word or number before it ("-5", "€ -5", but "pag-5" is 5);
// - a number may start with the decimal mark (".5" in English) only at the
//   start of the text, after a blank or after a sign;
// - a grouping separator counts only after a first group of one to three
//   digits and when exactly three digits follow it, always the same
//   separator within a number: in Italian "1.234" is 1234, "1.5" is 1 and
//   "12345.678" is 12345. The no-break spaces always group; the plain space
//   and the thin space only in a language that groups with a blank;
// - the decimal mark counts only before a digit ("12." is 12);
// - an exponent is e or E right after the number, an optional sign and at
//   least one digit ("2e5" is 200000, "2e" is 2).
std::optional<NumeroLetto> leggiNumero(const LettoreValori::Simboli& s, QStringView t) {
    const qsizetype n = t.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (cifra(t[i]) >= 0)
            break;
        if (t[i] == s.decimale && i + 1 < n && cifra(t[i + 1]) >= 0 &&
            (i == 0 || t[i - 1].isSpace() || segno(t[i - 1])))
            break;
    }
    if (i == n)
        return std::nullopt;
    NumeroLetto r;
    if (i > 0 && segno(t[i - 1]) && (i == 1 || !t[i - 2].isLetterOrNumber()))
        r.valore.negativo = meno(t[i - 1]);

    qsizetype k = i;
    qsizetype gruppo = cifreDa(t, k);
    aggiungiCifre(r.valore.cifre, t.sliced(k, gruppo));
    k += gruppo;
    if (gruppo >= 1 && gruppo <= 3 && k < n && separaGruppi(s, t[k])) {
        const QChar separatore = t[k];
        while (k < n && t[k] == separatore && cifreDa(t, k + 1) == 3) {
            aggiungiCifre(r.valore.cifre, t.sliced(k + 1, 3));
            k += 4;
        }
    }
    std::int64_t esponente = std::int64_t(r.valore.cifre.size());
    if (k + 1 < n && t[k] == s.decimale && cifra(t[k + 1]) >= 0) {
        const qsizetype decimali = cifreDa(t, k + 1);
        aggiungiCifre(r.valore.cifre, t.sliced(k + 1, decimali));
        k += 1 + decimali;
    }
    if (k + 1 < n && (t[k] == u'e' || t[k] == u'E')) {
        qsizetype m = k + 1;
        const bool negativo = meno(t[m]);
        if (segno(t[m]))
            ++m;
        const qsizetype cifre = cifreDa(t, m);
        if (cifre > 0) {
            std::int64_t scritto = 0;
            for (qsizetype j = m; j < m + cifre; ++j) {
                const int c = cifra(t[j]);
                scritto = scritto <= (LimiteScritto - c) / 10 ? scritto * 10 + c : LimiteScritto;
            }
            esponente += negativo ? -scritto : scritto;
            k = m + cifre;
        }
    }
    r.valore.esponente = esponente;
    r.valore.normalizza();
    r.fine = k;
    return r;
}

// Multiplies the value by a small factor, digit by digit.
void moltiplica(Decimale& d, unsigned fattore) {
    if (d.zero())
        return;
    std::string prodotto(d.cifre.size(), '0');
    unsigned riporto = 0;
    for (std::size_t i = d.cifre.size(); i-- > 0;) {
        const unsigned v = unsigned(d.cifre[i] - '0') * fattore + riporto;
        prodotto[i] = char('0' + v % 10);
        riporto = v / 10;
    }
    std::string testa;
    for (; riporto > 0; riporto /= 10)
        testa.insert(testa.begin(), char('0' + riporto % 10));
    d.cifre = testa + prodotto;
    d.esponente += std::int64_t(testa.size());
    d.normalizza();
}

bool spazioUnita(QChar c) {
    return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

// A size: a number and, after optional blanks, its unit. K, M, G, T, P, E (k
// too) alone or followed by iB are powers of 1024, followed by B powers of
// 1000; b counts as B, as sizes are often written. A unit glued to more
// letters is no unit ("5 Mele" is 5 bytes). No unit, or B alone, is bytes.
std::optional<Decimale> leggiDimensione(const LettoreValori::Simboli& s, QStringView t) {
    std::optional<NumeroLetto> numero = leggiNumero(s, t);
    if (!numero)
        return std::nullopt;
    qsizetype k = numero->fine;
    while (k < t.size() && spazioUnita(t[k]))
        ++k;
    static constexpr char16_t lettere[] = u"KMGTPE";
    const char16_t lettera = k < t.size() ? (t[k] == u'k' ? u'K' : t[k].unicode()) : u'\0';
    const char16_t* trovata =
        lettera ? std::char_traits<char16_t>::find(lettere, 6, lettera) : nullptr;
    if (!trovata)
        return numero->valore;
    const int potenza = int(trovata - lettere) + 1;
    bool binaria = true;
    ++k;
    if (k + 1 < t.size() && t[k] == u'i' && (t[k + 1] == u'B' || t[k + 1] == u'b')) {
        k += 2;
    } else if (k < t.size() && (t[k] == u'B' || t[k] == u'b')) {
        binaria = false;
        ++k;
    }
    if (k < t.size() && t[k].isLetter())
        return numero->valore;
    Decimale d = numero->valore;
    if (binaria) {
        for (int i = 0; i < potenza; ++i)
            moltiplica(d, 1024);
    } else if (!d.zero()) {
        d.esponente += 3 * potenza;
        d.normalizza();
    }
    return d;
}

// ---- Month names

void aggiungiPiegato(std::u16string& r, QChar c) {
    if (c.unicode() < 0x80) {
        r += c.unicode() >= u'A' && c.unicode() <= u'Z' ? char16_t(c.unicode() + 32) : c.unicode();
        return;
    }
    if (c.isMark())
        return;
    if (c.decompositionTag() == QChar::Canonical) {
        for (QChar parte : c.decomposition())
            aggiungiPiegato(r, parte);
        return;
    }
    r += c.toCaseFolded().unicode();
}

int cerca(const std::vector<std::pair<std::u16string, int>>& tabella,
          const std::u16string& chiave) {
    const auto i = std::lower_bound(tabella.begin(), tabella.end(), chiave,
                                    [](const auto& voce, const auto& k) { return voce.first < k; });
    return i != tabella.end() && i->first == chiave ? i->second : 0;
}

void leggiMesi(LettoreValori::Simboli& s, const UDateFormat* formato) {
    std::map<std::u16string, int> esatti;
    std::map<std::u16string, int> prefissi; // -1 when two months share it
    const UDateFormatSymbolType tipi[] = {UDAT_STANDALONE_MONTHS, UDAT_MONTHS, UDAT_SHORT_MONTHS,
                                          UDAT_STANDALONE_SHORT_MONTHS};
    for (UDateFormatSymbolType tipo : tipi) {
        const bool pieno = tipo == UDAT_MONTHS || tipo == UDAT_STANDALONE_MONTHS;
        for (int m = 0; m < 12; ++m) {
            const QString nome = simbolo(formato, tipo, m);
            std::u16string piegato = piega(nome);
            while (!piegato.empty() && piegato.back() == u'.')
                piegato.pop_back();
            if (piegato.empty())
                continue;
            if (tipo == UDAT_STANDALONE_MONTHS)
                s.nomiMesi[std::size_t(m)] = nome;
            esatti.emplace(piegato, m + 1);
            for (std::size_t l = 3; pieno && l < piegato.size(); ++l) {
                const auto [i, nuovo] = prefissi.emplace(piegato.substr(0, l), m + 1);
                if (!nuovo && i->second != m + 1)
                    i->second = -1;
            }
        }
    }
    s.mesi.assign(esatti.begin(), esatti.end());
    for (const auto& [prefisso, mese] : prefissi) {
        if (mese > 0 && !esatti.count(prefisso))
            s.abbreviazioni.emplace_back(prefisso, mese);
    }
}

} // namespace

QString simbolo(const UDateFormat* formato, UDateFormatSymbolType tipo, int i) {
    UChar testo[128];
    UErrorCode errore = U_ZERO_ERROR;
    const int32_t n = udat_getSymbols(formato, tipo, i, testo, 128, &errore);
    if (U_FAILURE(errore) || n <= 0 || n > 128)
        return {};
    return QString(reinterpret_cast<const QChar*>(testo), n);
}

std::u16string piega(QStringView parola) {
    std::u16string r;
    r.reserve(std::size_t(parola.size()));
    for (QChar c : parola)
        aggiungiPiegato(r, c);
    return r;
}

int meseDi(const LettoreValori::Simboli& s, QStringView parola, bool puntoDopo) {
    const std::u16string chiave = piega(parola);
    const int mese = cerca(s.mesi, chiave);
    return mese || !puntoDopo ? mese : cerca(s.abbreviazioni, chiave);
}

namespace {

// The first word of the text that names a month.
int leggiMese(const LettoreValori::Simboli& s, QStringView t) {
    for (qsizetype i = 0; i < t.size();) {
        if (!lettera(t[i])) {
            ++i;
            continue;
        }
        const qsizetype inizio = i;
        while (i < t.size() && lettera(t[i]))
            ++i;
        const int mese = meseDi(s, t.sliced(inizio, i - inizio), i < t.size() && t[i] == u'.');
        if (mese)
            return mese;
    }
    return 0;
}

} // namespace

// ---- The reader

LettoreValori::LettoreValori(const QByteArray& localeIcu) {
    auto s = std::make_shared<Simboli>();
    // Dates are counted in the Gregorian calendar whatever the language's own,
    // so its month names are the Gregorian ones too.
    char locale[ULOC_FULLNAME_CAPACITY + 32] = {};
    const QByteArray nome = localeIcu.isEmpty() ? QByteArray(uloc_getDefault()) : localeIcu;
    qstrncpy(locale, nome.constData(), ULOC_FULLNAME_CAPACITY);
    UErrorCode errore = U_ZERO_ERROR;
    uloc_setKeywordValue("calendar", "gregorian", locale, sizeof locale, &errore);

    errore = U_ZERO_ERROR;
    UNumberFormat* numeri = unum_open(UNUM_DECIMAL, nullptr, 0, locale, nullptr, &errore);
    if (U_SUCCESS(errore)) {
        auto leggi = [&](UNumberFormatSymbol simbolo, char16_t& dove) {
            UChar testo[8];
            UErrorCode e = U_ZERO_ERROR;
            if (unum_getSymbol(numeri, simbolo, testo, 8, &e) == 1 && U_SUCCESS(e))
                dove = testo[0];
        };
        leggi(UNUM_DECIMAL_SEPARATOR_SYMBOL, s->decimale);
        leggi(UNUM_GROUPING_SEPARATOR_SYMBOL, s->raggruppamento);
        unum_close(numeri);
    }
    s->raggruppaSpazio = QChar(s->raggruppamento).isSpace();
    s->raggruppaApostrofo = s->raggruppamento == u'\'' || s->raggruppamento == u'\u2019';

    errore = U_ZERO_ERROR;
    UDateFormat* formato =
        udat_open(UDAT_NONE, UDAT_SHORT, locale, u"UTC", -1, nullptr, 0, &errore);
    if (U_SUCCESS(errore)) {
        leggiMesi(*s, formato);
        udat_close(formato);
    }
    preparaDate(*s, locale);
    simboli_ = std::move(s);
}

bool LettoreValori::codifica(TipoChiave tipo, QStringView parte, std::string& out) const {
    const Simboli& s = *simboli_;
    switch (tipo) {
    case TipoChiave::Testo:
        return false;
    case TipoChiave::Numero:
        if (const auto numero = leggiNumero(s, parte)) {
            codificaDecimale(numero->valore, out);
            return true;
        }
        return false;
    case TipoChiave::Dimensione:
        if (const auto dimensione = leggiDimensione(s, parte)) {
            codificaDecimale(*dimensione, out);
            return true;
        }
        return false;
    case TipoChiave::Mese:
        if (const int mese = leggiMese(s, parte)) {
            out += char(mese);
            return true;
        }
        return false;
    case TipoChiave::Data:
        if (const auto data = leggiData(s, parte)) {
            codificaDecimale(Decimale::intero(data->ms), out);
            return true;
        }
        return false;
    }
    return false;
}

QString LettoreValori::descrivi(TipoChiave tipo, QStringView parte) const {
    const Simboli& s = *simboli_;
    switch (tipo) {
    case TipoChiave::Testo:
        return parte.toString();
    case TipoChiave::Numero:
        if (const auto numero = leggiNumero(s, parte))
            return descriviDecimale(numero->valore);
        return {};
    case TipoChiave::Dimensione:
        if (const auto dimensione = leggiDimensione(s, parte))
            return descriviDecimale(*dimensione) + QStringLiteral(" B");
        return {};
    case TipoChiave::Mese:
        if (const int mese = leggiMese(s, parte))
            return QStringLiteral("%1 (%2)").arg(mese).arg(s.nomiMesi[std::size_t(mese - 1)]);
        return {};
    case TipoChiave::Data:
        if (const auto data = leggiData(s, parte))
            return descriviIstante(*data);
        return {};
    }
    return {};
}

} // namespace Motore
