#include "Collazione.h"
#include "ValoriInterni.h"

#include <unicode/uloc.h>
#include <unicode/uvernum.h>

#include <algorithm>

namespace Motore::Ordinamento {

// Code-point order needs no collator: UTF-8 bytes compare as the code points
// they encode, and most text takes one byte a character, so the prefix the
// sort compares first holds twenty of them. A lone surrogate is the code point
// it stands for, encoded as UTF-8 encodes any other below U+E000. NUL becomes
// the byte 1, which stays below every other: a key holds no zero byte but its
// terminator, and code 1 never reaches a key, since it always cuts.
std::size_t chiaveCodici(QStringView t, std::uint8_t* k) {
    std::uint8_t* p = k;
    const char16_t* u = t.utf16();
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint32_t c = u[i];
        if (c < 0x80) {
            *p++ = std::uint8_t(c == 0 ? 1 : c);
            continue;
        }
        if (c < 0x800) {
            *p++ = std::uint8_t(0xc0 | (c >> 6));
            *p++ = std::uint8_t(0x80 | (c & 0x3f));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(u[i + 1])) {
            const std::uint32_t cp = QChar::surrogateToUcs4(char16_t(c), u[++i]);
            *p++ = std::uint8_t(0xf0 | (cp >> 18));
            *p++ = std::uint8_t(0x80 | ((cp >> 12) & 0x3f));
            *p++ = std::uint8_t(0x80 | ((cp >> 6) & 0x3f));
            *p++ = std::uint8_t(0x80 | (cp & 0x3f));
            continue;
        }
        *p++ = std::uint8_t(0xe0 | (c >> 12));
        *p++ = std::uint8_t(0x80 | ((c >> 6) & 0x3f));
        *p++ = std::uint8_t(0x80 | (c & 0x3f));
    }
    *p++ = 0;
    return std::size_t(p - k);
}

std::size_t chiaveTesto(UCollator* c, QStringView t, std::vector<std::uint8_t>& b) {
    if (!c) {
        b.resize(3 * std::size_t(t.size()) + 1);
        return chiaveCodici(t, b.data()) - 1;
    }
    const auto* u = reinterpret_cast<const UChar*>(t.utf16());
    const auto lunghezza = std::int32_t(std::min<qsizetype>(t.size(), INT32_MAX / 4));
    b.resize(std::size_t(lunghezza) * 3 + 32);
    std::size_t n = std::size_t(ucol_getSortKey(c, u, lunghezza, b.data(), std::int32_t(b.size())));
    if (n > b.size()) {
        b.resize(n);
        n = std::size_t(ucol_getSortKey(c, u, lunghezza, b.data(), std::int32_t(b.size())));
    }
    return n > 0 ? n - 1 : 0; // without the terminator
}

namespace {

// Articles skipped for the order when "Ignora articoli iniziali" is on. Those
// ending in an apostrophe are followed directly by the word; the others by a
// space.
const QStringList& articoliDi(QStringView lingua) {
    static const QStringList nessuno;
    static const std::vector<std::pair<QString, QStringList>> tabella = {
        {"it", {"il", "lo", "la", "i", "gli", "le", "l'", "un", "uno", "una", "un'"}},
        {"en", {"the", "a", "an"}},
        {"de", {"der", "die", "das", "ein", "eine"}},
        {"es", {"el", "la", "los", "las", "un", "una"}},
        {"fr", {"le", "la", "les", "l'", "un", "une"}},
        {"pt", {"o", "a", "os", "as", "um", "uma"}},
        {"nl", {"de", "het", "een", "'t"}},
        {"sv", {"en", "ett"}},
        {"da", {"en", "et"}},
        {"nb", {"en", "ei", "et"}},
        {"hu", {"a", "az", "egy"}},
        {"ro", {"un", "o"}},
        {"el", {"ο", "η", "το", "οι", "τα", "ένας", "μια", "ένα"}},
    };
    for (const auto& [codice, articoli] : tabella) {
        if (codice == lingua)
            return articoli;
    }
    return nessuno;
}

bool eApostrofo(QChar c) {
    return c == u'\'' || c == u'\u2019';
}

void imposta(UCollator* collatore, UColAttribute attributo, UColAttributeValue valore) {
    UErrorCode errore = U_ZERO_ERROR;
    ucol_setAttribute(collatore, attributo, valore, &errore);
}

} // namespace

Collazione::Collazione(const OpzioniOrdine& o, bool primaria) {
    const bool codici = o.lingua == linguaCodiciUnicode();
    if (o.ignoraArticoli) {
        articoli_ = articoliDi(u"it") + articoliDi(u"en");
        // The language alone: "de@collation=phonebook" is German too.
        char codice[ULOC_LANG_CAPACITY] = {};
        UErrorCode errore = U_ZERO_ERROR;
        uloc_getLanguage(localeIcu(o.lingua).constData(), codice, sizeof codice, &errore);
        const QString lingua = QString::fromLatin1(codice);
        if (lingua != u"it" && lingua != u"en")
            articoli_ += articoliDi(lingua);
    }
    if (codici && !primaria)
        return;

    UErrorCode errore = U_ZERO_ERROR;
    collatore_ = ucol_open(localeIcu(o.lingua).constData(), &errore);
    if (U_FAILURE(errore)) {
        collatore_ = nullptr; // code-point order rather than no order
        return;
    }
    // What the default order has always been: the system's collator as the
    // toolkit sets it up, with canonical equivalents equal.
    imposta(collatore_, UCOL_NORMALIZATION_MODE, UCOL_ON);
    if (primaria)
        imposta(collatore_, UCOL_STRENGTH, UCOL_PRIMARY);
    else
        imposta(collatore_, UCOL_STRENGTH, o.ignoraPunteggiatura ? UCOL_QUATERNARY : UCOL_TERTIARY);
    imposta(collatore_, UCOL_NUMERIC_COLLATION, o.numeriNaturali ? UCOL_ON : UCOL_OFF);
    imposta(collatore_, UCOL_ALTERNATE_HANDLING,
            o.ignoraPunteggiatura ? UCOL_SHIFTED : UCOL_NON_IGNORABLE);
    if (o.maiuscole == Maiuscole::MaiuscolePrima)
        imposta(collatore_, UCOL_CASE_FIRST, UCOL_UPPER_FIRST);
    else if (o.maiuscole == Maiuscole::MinuscolePrima)
        imposta(collatore_, UCOL_CASE_FIRST, UCOL_LOWER_FIRST);
}
Collazione::~Collazione() {
    if (collatore_)
        ucol_close(collatore_);
}

UCollator* Collazione::clona() const {
    UErrorCode errore = U_ZERO_ERROR;
#if U_ICU_VERSION_MAJOR_NUM >= 71
    UCollator* copia = ucol_clone(collatore_, &errore);
#else
    UCollator* copia = ucol_safeClone(collatore_, nullptr, nullptr, &errore);
#endif
    if (U_FAILURE(errore)) {
        if (copia)
            ucol_close(copia);
        return nullptr;
    }
    return copia;
}

QStringView Collazione::testoChiave(QStringView t) const {
    for (const QString& a : articoli_) {
        // "l'" also matches the typographic apostrophe, and is followed
        // directly by the word; the other articles by a space.
        const bool elisione = eApostrofo(a.back());
        const QStringView radice = elisione ? QStringView(a).chopped(1) : QStringView(a);
        const qsizetype dopoRadice = radice.size();
        if (t.size() <= dopoRadice + 1 ||
            t.first(dopoRadice).compare(radice, Qt::CaseInsensitive) != 0)
            continue;
        if (elisione ? !eApostrofo(t[dopoRadice]) : t[dopoRadice] != u' ')
            continue;
        qsizetype dopo = dopoRadice + 1;
        while (dopo < t.size() && t[dopo] == u' ')
            ++dopo;
        if (dopo < t.size())
            return t.sliced(dopo);
    }
    return t;
}

namespace {

// The marks before each key's value: present, or no part or value (after
// every present one, whichever the direction).
constexpr char ConValore = 0x02;
constexpr char SenzaValore = char(0xfe);

// Bytes with no zero among them, made into a code in which no key is a prefix
// of another while the order stays: 1 becomes 1 2, and 1 1 ends the key.
void chiudi(const std::uint8_t* p, std::size_t n, std::string& out) {
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(char(p[i]));
        if (p[i] == 1)
            out.push_back(2);
    }
    out.push_back(1);
    out.push_back(1);
}

// The opposite order of a code in which no key is a prefix of another: every
// byte from 1..255 to 255..1.
void rovescia(std::string& s, std::size_t da) {
    for (std::size_t i = da; i < s.size(); ++i)
        s[i] = char(0x100 - int(std::uint8_t(s[i])));
}

} // namespace

Composizione::Composizione(const OpzioniOrdine& o, const Collazione& collazione)
    : chiavi_(o.chiavi), collazione_(collazione), lettore_(localeIcu(o.lingua)),
      decrescente_(o.verso == Verso::Decrescente) {}

Composizione::PerFilo Composizione::perFilo() const {
    PerFilo filo;
    for (const Chiave& k : chiavi_)
        filo.espressioni.emplace_back(k.parte == ParteChiave::Espressione ? k.espressione
                                                                          : QString());
    return filo;
}

// A text as the collator orders it, or by code points without one.
void Composizione::testo(UCollator* c, QStringView t, PerFilo& filo, std::string& out) const {
    const std::size_t n = chiaveTesto(c, t, filo.appoggio);
    chiudi(filo.appoggio.data(), n, out);
}

bool Composizione::componi(UCollator* c, QStringView t, PerFilo& filo) const {
    std::string& out = filo.chiave;
    out.clear();
    for (std::size_t j = 0; j < chiavi_.size(); ++j) {
        const Chiave& k = chiavi_[j];
        const std::optional<VistaParte> parte = trovaVista(t, k, &filo.espressioni[j], filo.parte);
        const std::size_t segno = out.size();
        out.push_back(ConValore);
        bool valore = parte.has_value();
        if (valore) {
            if (k.parte == ParteChiave::Lunghezza)
                LettoreValori::codificaLunghezza(parte->testo, out);
            else if (k.tipo == TipoChiave::Testo)
                testo(c, collazione_.testoChiave(parte->testo), filo, out);
            else
                valore = lettore_.codifica(k.tipo, parte->testo, out);
        }
        if (!valore) {
            out.resize(segno);
            out.push_back(SenzaValore);
            return false;
        }
        if (k.decrescente)
            rovescia(out, segno + 1);
    }
    return true;
}

void Composizione::spareggio(UCollator* c, QStringView t, PerFilo& filo) const {
    std::string& out = filo.chiave;
    out.clear();
    testo(c, collazione_.testoChiave(t), filo, out);
    if (decrescente_)
        rovescia(out, 0);
}

QString segnaChiavi(QStringView voce, const std::vector<Chiave>& chiavi,
                    const LettoreValori& lettore) {
    QString segnata;
    QString letture;
    for (std::size_t j = 0; j < chiavi.size(); ++j) {
        const Chiave& k = chiavi[j];
        const QRegularExpression re(k.parte == ParteChiave::Espressione ? k.espressione
                                                                        : QString());
        const std::optional<ParteTrovata> parte = trovaParte(voce, k, &re);
        QString valore;
        if (parte) {
            valore = k.parte == ParteChiave::Lunghezza
                         ? QString::number(LettoreValori::lunghezza(parte->testo))
                         : lettore.descrivi(k.tipo, parte->testo);
            if (j == 0)
                segnata = voce.first(parte->inizio).toString() + u'«' +
                          voce.sliced(parte->inizio, parte->lunghezza).toString() + u'»' +
                          voce.sliced(parte->inizio + parte->lunghezza).toString();
        }
        if (valore.isEmpty() && !(parte && k.tipo == TipoChiave::Testo))
            valore = QStringLiteral("nessun valore");
        letture += QStringLiteral(" [%1: %2]").arg(j + 1).arg(valore);
    }
    return (segnata.isNull() ? voce.toString() : segnata) + letture;
}

} // namespace Motore::Ordinamento
