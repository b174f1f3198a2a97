#include "ValoriInterni.h"

#include <algorithm>

// Dates are read by hand, with the language's month names and date patterns
// taken from ICU once: its date formats may not be shared between threads,
// and opening one for each item would cost more than the whole sort.
namespace Motore {

namespace {

constexpr std::int64_t MsGiorno = 86'400'000;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t giorniDaCivile(std::int64_t anno, int mese, int giorno) {
    anno -= mese <= 2;
    const std::int64_t era = (anno >= 0 ? anno : anno - 399) / 400;
    const std::int64_t annoEra = anno - era * 400;
    const std::int64_t giornoAnno = (153 * (mese > 2 ? mese - 3 : mese + 9) + 2) / 5 + giorno - 1;
    const std::int64_t giornoEra = annoEra * 365 + annoEra / 4 - annoEra / 100 + giornoAnno;
    return era * 146097 + giornoEra - 719468;
}

struct Civile {
    std::int64_t anno;
    int mese;
    int giorno;
};

Civile civileDaGiorni(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t giornoEra = z - era * 146097;
    const std::int64_t annoEra =
        (giornoEra - giornoEra / 1460 + giornoEra / 36524 - giornoEra / 146096) / 365;
    const std::int64_t giornoAnno = giornoEra - (365 * annoEra + annoEra / 4 - annoEra / 100);
    const std::int64_t mp = (5 * giornoAnno + 2) / 153;
    const int giorno = int(giornoAnno - (153 * mp + 2) / 5 + 1);
    const int mese = int(mp < 10 ? mp + 3 : mp - 9);
    return {annoEra + era * 400 + (mese <= 2), mese, giorno};
}

std::int64_t giornoDiMs(std::int64_t ms) {
    return ms >= 0 ? ms / MsGiorno : -((-ms + MsGiorno - 1) / MsGiorno);
}

int giorniDelMese(std::int64_t anno, int mese) {
    static constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisestile = anno % 4 == 0 && (anno % 100 != 0 || anno % 400 == 0);
    return mese == 2 && bisestile ? 29 : giorni[mese - 1];
}

qsizetype cifreDa(QStringView t, qsizetype i) {
    qsizetype k = i;
    while (k < t.size() && cifra(t[k]) >= 0)
        ++k;
    return k - i;
}

int valore(QStringView t, qsizetype i, qsizetype n) {
    int v = 0;
    for (qsizetype k = i; k < i + n; ++k)
        v = v * 10 + cifra(t[k]);
    return v;
}

qsizetype parolaDa(QStringView t, qsizetype i) {
    qsizetype k = i;
    while (k < t.size() && lettera(t[k]))
        ++k;
    return k - i;
}

// What may stand between the fields of a written date. Not a colon: digits
// around a colon are a time ("dicembre, 10:30" is no 10 December 2030).
bool separatore(QChar c) {
    return c != u':' && (c.isSpace() || c.isPunct() || c.category() == QChar::Other_Format);
}

struct Letta {
    std::int64_t anno = -1;
    bool dueCifre = false;
    int mese = 0;
    int giorno = 0;
    qsizetype fine = 0;
};

// The day the date stands for, once it is whole and exists. A two-digit year
// falls in the hundred years from the language's century start, as ICU reads
// it.
std::optional<std::int64_t> giorni(const LettoreValori::Simboli& s, const Letta& l) {
    if (l.mese < 1 || l.mese > 12 || l.giorno < 1 || l.anno < 0)
        return std::nullopt;
    std::int64_t anno = l.anno;
    if (l.dueCifre) {
        anno += s.annoInizioSecolo / 100 * 100;
        if (giorniDaCivile(anno, l.mese, std::min(l.giorno, giorniDelMese(anno, l.mese))) *
                MsGiorno <
            s.inizioSecolo)
            anno += 100;
    }
    if (l.giorno > giorniDelMese(anno, l.mese))
        return std::nullopt;
    return giorniDaCivile(anno, l.mese, l.giorno);
}

// Day, month and year in digits, with the same mark between them: a
// four-digit year first is always year, month, day (ISO 8601 and its
// variants); otherwise the language's short pattern tells the order. A year
// has four digits or two.
std::optional<Letta> numerica(const LettoreValori::Simboli& s, QStringView t, qsizetype i) {
    const qsizetype la = cifreDa(t, i);
    if (la == 3 || la > 4 || i + la >= t.size())
        return std::nullopt;
    const QChar segno = t[i + la];
    if (segno != u'/' && segno != u'.' && segno != u'-')
        return std::nullopt;
    const qsizetype ib = i + la + 1;
    const qsizetype lb = cifreDa(t, ib);
    if (lb < 1 || lb > 2 || ib + lb >= t.size() || t[ib + lb] != segno)
        return std::nullopt;
    const qsizetype ic = ib + lb + 1;
    const qsizetype lc = cifreDa(t, ic);
    if (lc < 1 || lc == 3 || lc > 4)
        return std::nullopt;
    const int a = valore(t, i, la), b = valore(t, ib, lb), c = valore(t, ic, lc);
    Letta l;
    l.fine = ic + lc;
    if (la == 4 && lc <= 2) {
        l.anno = a;
        l.mese = b;
        l.giorno = c;
    } else if (la <= 2 && (lc == 4 || s.ordine != LettoreValori::Simboli::AnnoMeseGiorno)) {
        if (lc != 4 && lc != 2)
            return std::nullopt;
        l.anno = c;
        l.dueCifre = lc == 2;
        const bool meseGiorno = s.ordine == LettoreValori::Simboli::MeseGiornoAnno;
        l.mese = meseGiorno ? a : b;
        l.giorno = meseGiorno ? b : a;
    } else if (la == 2) {
        l.anno = a;
        l.dueCifre = true;
        l.mese = b;
        l.giorno = c;
    } else {
        return std::nullopt;
    }
    return l;
}

// After a day number, an ordinal ending: "7th", "1er", "1°", "1º".
qsizetype ordinale(QStringView t, qsizetype i) {
    if (i < t.size() && (t[i] == u'\u00B0' || t[i] == u'\u00BA' || t[i] == u'\u00AA'))
        return i + 1;
    const qsizetype n = parolaDa(t, i);
    if (n != 2)
        return i;
    const std::u16string fine = piega(t.sliced(i, 2));
    return fine == u"st" || fine == u"nd" || fine == u"rd" || fine == u"th" || fine == u"er" ? i + 2
                                                                                             : i;
}

// The date written as the pattern writes it, from i. Words of the pattern must
// be there; any run of blanks and punctuation stands for any other. Words
// after the last field ("г." after a Russian year) are taken when present.
std::optional<Letta> secondo(const LettoreValori::Simboli& s, const ModelloData& modello,
                             QStringView t, qsizetype i) {
    Letta l;
    std::size_t ultimo = 0;
    for (std::size_t k = 0; k < modello.size(); ++k) {
        if (modello[k].tipo != PezzoData::Parola && modello[k].tipo != PezzoData::Separatore)
            ultimo = k;
    }
    auto leggi = [&](const PezzoData& pezzo) {
        qsizetype n = 0;
        switch (pezzo.tipo) {
        case PezzoData::Separatore:
            break;
        case PezzoData::Giorno:
        case PezzoData::MeseNumero:
            n = cifreDa(t, i);
            if (n < 1 || n > 2)
                return false;
            (pezzo.tipo == PezzoData::Giorno ? l.giorno : l.mese) = valore(t, i, n);
            i = pezzo.tipo == PezzoData::Giorno ? ordinale(t, i + n) : i + n;
            return true;
        case PezzoData::Anno:
            n = cifreDa(t, i);
            l.anno = valore(t, i, std::min<qsizetype>(n, 4));
            l.dueCifre = n == 2;
            i += n;
            // Two digits before a colon are the hour of a time ("7 dicembre, 10:30").
            return n == 4 || (n == 2 && (i == t.size() || t[i] != u':'));
        case PezzoData::MeseNome:
            n = parolaDa(t, i);
            l.mese = n ? meseDi(s, t.sliced(i, n), i + n < t.size() && t[i + n] == u'.') : 0;
            i += n;
            return l.mese > 0;
        case PezzoData::Parola:
            n = parolaDa(t, i);
            if (n == 0 || piega(t.sliced(i, n)) != pezzo.parola)
                return false;
            i += n;
            return true;
        }
        return false;
    };
    qsizetype preso = i;
    for (std::size_t k = 0; k < modello.size(); ++k) {
        if (modello[k].tipo == PezzoData::Separatore) {
            // A run of blanks and punctuation is taken only with what follows it.
            while (i < t.size() && separatore(t[i]))
                ++i;
            continue;
        }
        if (!leggi(modello[k])) {
            if (k > ultimo)
                break;
            return std::nullopt;
        }
        preso = i;
    }
    l.fine = preso;
    return l;
}

bool segnoZona(QChar c) {
    return c == u'+' || c == u'-' || c == u'\u2212';
}

// A time after the date: "T10:30", " 10:30:15", ", 10:30:15.250", " 10:30 PM"
// (a dot may close the date, as "г." does in Russian), and after an ISO date
// "Z" or an offset such as "+01:00" right after it. When what follows is no
// whole valid time the date stands alone.
qsizetype ora(const LettoreValori::Simboli& s, QStringView t, qsizetype i, bool iso,
              Istante& istante) {
    const qsizetype n = t.size();
    qsizetype j = i;
    if (j < n && (t[j] == u'T' || t[j] == u',' || t[j] == u'.'))
        ++j;
    while (j < n && t[j].isSpace())
        ++j;
    const qsizetype lh = cifreDa(t, j);
    if (lh < 1 || lh > 2 || j + lh >= n || t[j + lh] != u':' || cifreDa(t, j + lh + 1) != 2)
        return i;
    int ore = valore(t, j, lh);
    const int minuti = valore(t, j + lh + 1, 2);
    int secondi = 0, milli = 0;
    j += lh + 3;
    if (j < n && t[j] == u':' && cifreDa(t, j + 1) == 2) {
        secondi = valore(t, j + 1, 2);
        j += 3;
        if (j < n && (t[j] == u'.' || t[j] == u',') && cifreDa(t, j + 1) > 0) {
            const qsizetype lf = cifreDa(t, j + 1);
            for (qsizetype k = 0; k < 3; ++k)
                milli = milli * 10 + (k < lf ? cifra(t[j + 1 + k]) : 0);
            j += 1 + lf;
        }
    }
    // AM and PM, in the language's words or in English, dots or not.
    qsizetype k = j;
    while (k < n && t[k] == u' ')
        ++k;
    std::u16string marca;
    qsizetype fineMarca = k;
    while (fineMarca < n && (lettera(t[fineMarca]) || t[fineMarca] == u'.')) {
        if (t[fineMarca] != u'.')
            marca += piega(t.sliced(fineMarca, 1));
        ++fineMarca;
    }
    const bool pm = marca == u"pm" || (!s.pm.empty() && marca == s.pm);
    const bool am = marca == u"am" || (!s.am.empty() && marca == s.am);
    if (am || pm) {
        if (ore < 1 || ore > 12)
            return i;
        ore = ore % 12 + (pm ? 12 : 0);
        j = fineMarca;
    }
    if (ore > 23 || minuti > 59 || secondi > 59)
        return i;
    // A zone only after a date written year first, the way ISO 8601 and the
    // formats that follow it write one: elsewhere "10:30-12:00" is a span of
    // time, not 10:30 twelve hours west.
    std::int64_t scarto = 0;
    if (iso && j < n && t[j] == u'Z' && (j + 1 == n || !lettera(t[j + 1]))) {
        istante.conZona = true;
        ++j;
    } else if (iso && j < n && segnoZona(t[j])) {
        const qsizetype cifreZona = cifreDa(t, j + 1);
        qsizetype z = j + 1 + std::min<qsizetype>(cifreZona, 2);
        const int oreZona = cifreZona == 2 || cifreZona == 4 ? valore(t, j + 1, 2) : 99;
        int minutiZona = 0;
        if (cifreZona == 4) {
            minutiZona = valore(t, z, 2);
            z += 2;
        } else if (cifreZona == 2 && z < n && t[z] == u':' && cifreDa(t, z + 1) == 2) {
            minutiZona = valore(t, z + 1, 2);
            z += 3;
        }
        if (oreZona <= 23 && minutiZona <= 59) {
            scarto = (oreZona * 60 + minutiZona) * std::int64_t(60'000);
            if (t[j] != u'+')
                scarto = -scarto;
            istante.conZona = true;
            j = z;
        }
    }
    istante.ms += ((ore * 60 + minuti) * 60 + secondi) * std::int64_t(1000) + milli - scarto;
    istante.conOra = true;
    return j;
}

// A date pattern of the language as pieces; empty when it cannot be read by
// hand (a weekday or an era in it), or when its month is a number and no
// word tells its fields apart: the numeric reader takes those.
ModelloData compila(QStringView modello) {
    ModelloData pezzi;
    QString letterale;
    auto chiudiLetterale = [&] {
        for (qsizetype i = 0; i < letterale.size();) {
            const qsizetype n = parolaDa(letterale, i);
            if (n > 0) {
                pezzi.push_back({PezzoData::Parola, piega(QStringView(letterale).sliced(i, n))});
                i += n;
            } else {
                if (pezzi.empty() || pezzi.back().tipo != PezzoData::Separatore)
                    pezzi.push_back({PezzoData::Separatore, {}});
                ++i;
            }
        }
        letterale.clear();
    };
    bool citato = false;
    for (qsizetype i = 0; i < modello.size(); ++i) {
        const QChar c = modello[i];
        if (c == u'\'') {
            if (i + 1 < modello.size() && modello[i + 1] == u'\'')
                letterale += modello[++i];
            else
                citato = !citato;
            continue;
        }
        if (citato || !((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
            letterale += c;
            continue;
        }
        qsizetype n = 1;
        while (i + n < modello.size() && modello[i + n] == c)
            ++n;
        i += n - 1;
        chiudiLetterale();
        if (c == u'd')
            pezzi.push_back({PezzoData::Giorno, {}});
        else if (c == u'M' || c == u'L')
            pezzi.push_back({n >= 3 ? PezzoData::MeseNome : PezzoData::MeseNumero, {}});
        else if (c == u'y' || c == u'Y' || c == u'u')
            pezzi.push_back({PezzoData::Anno, {}});
        else
            return {};
    }
    chiudiLetterale();
    while (!pezzi.empty() && pezzi.front().tipo == PezzoData::Separatore)
        pezzi.erase(pezzi.begin());
    auto conta = [&](PezzoData::Tipo tipo) {
        return std::count_if(pezzi.begin(), pezzi.end(), [&](auto& p) { return p.tipo == tipo; });
    };
    const auto mesi = conta(PezzoData::MeseNome) + conta(PezzoData::MeseNumero);
    if (conta(PezzoData::Giorno) != 1 || conta(PezzoData::Anno) != 1 || mesi != 1)
        return {};
    if (conta(PezzoData::MeseNumero) && !conta(PezzoData::Parola))
        return {};
    return pezzi;
}

QString modelloDi(UDateFormatStyle stile, const char* locale) {
    UErrorCode errore = U_ZERO_ERROR;
    UDateFormat* formato = udat_open(UDAT_NONE, stile, locale, u"UTC", -1, nullptr, 0, &errore);
    if (U_FAILURE(errore))
        return {};
    UChar testo[256];
    const int32_t n = udat_toPattern(formato, false, testo, 256, &errore);
    udat_close(formato);
    if (U_FAILURE(errore) || n > 256)
        return {};
    return QString(reinterpret_cast<const QChar*>(testo), n);
}

} // namespace

void preparaDate(LettoreValori::Simboli& s, const char* locale) {
    using S = LettoreValori::Simboli;
    const QString corto = modelloDi(UDAT_SHORT, locale);
    const qsizetype g = corto.indexOf(u'd'), m = corto.indexOf(u'M'), a = corto.indexOf(u'y');
    if (a >= 0 && (g < 0 || a < g) && (m < 0 || a < m))
        s.ordine = S::AnnoMeseGiorno;
    else if (m >= 0 && g >= 0 && m < g)
        s.ordine = S::MeseGiornoAnno;
    else
        s.ordine = S::GiornoMeseAnno;

    UErrorCode errore = U_ZERO_ERROR;
    UDateFormat* formato =
        udat_open(UDAT_NONE, UDAT_SHORT, locale, u"UTC", -1, nullptr, 0, &errore);
    if (U_SUCCESS(errore)) {
        const UDate inizio = udat_get2DigitYearStart(formato, &errore);
        if (U_SUCCESS(errore)) {
            s.inizioSecolo = std::int64_t(inizio);
            s.annoInizioSecolo = int(civileDaGiorni(giornoDiMs(s.inizioSecolo)).anno);
        }
        auto senzaPunti = [](QString x) { return piega(x.remove(u'.').remove(u' ')); };
        s.am = senzaPunti(simbolo(formato, UDAT_AM_PMS, 0));
        s.pm = senzaPunti(simbolo(formato, UDAT_AM_PMS, 1));
        udat_close(formato);
    }

    std::vector<ModelloData> modelli = {
        compila(modelloDi(UDAT_LONG, locale)),
        compila(modelloDi(UDAT_MEDIUM, locale)),
        // Day, month, year and month, day, year are read in any language.
        {{PezzoData::Giorno, {}},
         {PezzoData::Separatore, {}},
         {PezzoData::MeseNome, {}},
         {PezzoData::Separatore, {}},
         {PezzoData::Anno, {}}},
        {{PezzoData::MeseNome, {}},
         {PezzoData::Separatore, {}},
         {PezzoData::Giorno, {}},
         {PezzoData::Separatore, {}},
         {PezzoData::Anno, {}}},
    };
    for (ModelloData& modello : modelli) {
        if (!modello.empty() &&
            std::find(s.modelli.begin(), s.modelli.end(), modello) == s.modelli.end())
            s.modelli.push_back(std::move(modello));
    }
}

std::optional<Istante> leggiData(const LettoreValori::Simboli& s, QStringView t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        const bool numero = cifra(t[i]) >= 0;
        if (numero ? i > 0 && cifra(t[i - 1]) >= 0 : !lettera(t[i]) || (i > 0 && lettera(t[i - 1])))
            continue;
        std::optional<std::int64_t> giorno;
        qsizetype fine = 0;
        bool iso = false;
        if (numero) {
            if (const auto l = numerica(s, t, i)) {
                giorno = giorni(s, *l);
                fine = l->fine;
                iso = cifreDa(t, i) == 4;
            }
        }
        for (const ModelloData& modello : s.modelli) {
            if (giorno)
                break;
            const PezzoData::Tipo primo = modello.front().tipo;
            const bool diCifre = primo == PezzoData::Giorno || primo == PezzoData::Anno ||
                                 primo == PezzoData::MeseNumero;
            if (diCifre != numero)
                continue;
            if (const auto l = secondo(s, modello, t, i)) {
                giorno = giorni(s, *l);
                fine = l->fine;
            }
        }
        if (giorno) {
            Istante istante;
            istante.ms = *giorno * MsGiorno;
            ora(s, t, fine, iso, istante);
            return istante;
        }
    }
    return std::nullopt;
}

QString descriviIstante(const Istante& istante) {
    const std::int64_t giorno = giornoDiMs(istante.ms);
    const Civile c = civileDaGiorni(giorno);
    // A zone may move a date just outside the years that can be written.
    QString testo = QStringLiteral("%1%2-%3-%4")
                        .arg(c.anno < 0 ? QStringLiteral("-") : QString())
                        .arg(c.anno < 0 ? -c.anno : c.anno, 4, 10, QChar(u'0'))
                        .arg(c.mese, 2, 10, QChar(u'0'))
                        .arg(c.giorno, 2, 10, QChar(u'0'));
    if (!istante.conOra)
        return testo;
    const std::int64_t ms = istante.ms - giorno * MsGiorno;
    testo += QStringLiteral(" %1:%2")
                 .arg(ms / 3'600'000, 2, 10, QChar(u'0'))
                 .arg(ms / 60'000 % 60, 2, 10, QChar(u'0'));
    if (ms % 60'000)
        testo += QStringLiteral(":%1").arg(ms / 1000 % 60, 2, 10, QChar(u'0'));
    if (ms % 1000)
        testo += QStringLiteral(".%1").arg(ms % 1000, 3, 10, QChar(u'0'));
    if (istante.conZona)
        testo += QStringLiteral(" UTC");
    return testo;
}

} // namespace Motore
