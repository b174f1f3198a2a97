#include "Chiavi.h"
#include "ValoriInterni.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QVarLengthArray>
#include <algorithm>
#include <limits>

namespace Motore {

namespace {

struct Tratto {
    qsizetype inizio;
    qsizetype fine;
};

// Around a field only blanks are trimmed, and never the separator itself (a
// tab between fields is not a blank to be dropped).
bool bianco(QChar c, QChar separatore) {
    return c != separatore && c.isSpace();
}

Tratto rifila(QStringView s, Tratto t, QChar separatore = QChar()) {
    while (t.inizio < t.fine && bianco(s[t.inizio], separatore))
        ++t.inizio;
    while (t.fine > t.inizio && bianco(s[t.fine - 1], separatore))
        --t.fine;
    return t;
}

// The text of a field opened by a double quote: up to the closing quote, each
// doubled quote one quote, and whatever stands between the closing quote and
// the separator kept as written (a field malformed that way still reads as
// most programs read it). An unclosed quote runs to the end of the field.
QString senzaVirgolette(QStringView campo) {
    QString testo;
    testo.reserve(campo.size());
    qsizetype i = 1;
    while (i < campo.size()) {
        if (campo[i] != u'"') {
            testo += campo[i++];
        } else if (i + 1 < campo.size() && campo[i + 1] == u'"') {
            testo += u'"';
            i += 2;
        } else {
            testo += campo.sliced(i + 1);
            break;
        }
    }
    return testo;
}

// Where the fields after the separator end, reading quotes as CSV does for
// the separators CSV files use. A quoted field may hold the separator.
qsizetype fineCampo(QStringView voce, qsizetype da, QChar separatore, bool csv) {
    qsizetype i = da;
    while (i < voce.size() && bianco(voce[i], separatore))
        ++i;
    if (csv && i < voce.size() && voce[i] == u'"') {
        for (++i; i < voce.size(); ++i) {
            if (voce[i] != u'"')
                continue;
            if (i + 1 < voce.size() && voce[i + 1] == u'"')
                ++i;
            else
                break;
        }
    }
    // Fields are short: a plain loop beats the call into the library's
    // vector search.
    const QChar* t = voce.data();
    const qsizetype n = voce.size();
    while (i < n && t[i] != separatore)
        ++i;
    return i;
}

std::optional<VistaParte> campo(QStringView voce, int n, QChar separatore, QString& appoggio) {
    if (n == 0)
        return std::nullopt;
    const bool csv = separatore == u',' || separatore == u';' || separatore == u'\t';
    QVarLengthArray<Tratto, 16> campi;
    const qsizetype bastano = n > 0 ? n : std::numeric_limits<qsizetype>::max();
    if (separatore == u' ') {
        // A run of spaces is one separator, and leading or trailing spaces
        // make no empty field.
        qsizetype i = 0;
        while (qsizetype(campi.size()) < bastano) {
            while (i < voce.size() && voce[i] == u' ')
                ++i;
            if (i == voce.size())
                break;
            const qsizetype inizio = i;
            while (i < voce.size() && voce[i] != u' ')
                ++i;
            campi.append({inizio, i});
        }
    } else {
        qsizetype i = 0;
        while (qsizetype(campi.size()) < bastano) {
            const qsizetype fine = fineCampo(voce, i, separatore, csv);
            campi.append({i, fine});
            if (fine == voce.size())
                break;
            i = fine + 1;
        }
    }
    const qsizetype k = n > 0 ? qsizetype(n) - 1 : qsizetype(campi.size()) + n;
    if (k < 0 || k >= qsizetype(campi.size()))
        return std::nullopt;
    // Only the field taken is trimmed; the spaces trimmed never change
    // where the fields are.
    const Tratto t = separatore == u' ' ? campi[k] : rifila(voce, campi[k], separatore);
    const QStringView testo = voce.sliced(t.inizio, t.fine - t.inizio);
    if (csv && !testo.isEmpty() && testo[0] == u'"') {
        appoggio = senzaVirgolette(testo);
        return VistaParte{t.inizio, t.fine - t.inizio, appoggio};
    }
    return VistaParte{t.inizio, t.fine - t.inizio, testo};
}

bool particella(QStringView parola) {
    static constexpr const char16_t* particelle[] = {
        u"de",    u"di",  u"da",    u"del", u"della",   u"dello", u"dei", u"degli",
        u"delle", u"dal", u"dalla", u"d'",  u"d\u2019", u"la",    u"lo",  u"le",
        u"li",    u"van", u"von",   u"du",  u"des",     u"dos",   u"das", u"do"};
    for (const char16_t* p : particelle) {
        if (parola.compare(QStringView(p), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool uguale(QStringView parola, QStringView altra) {
    return parola.compare(altra, Qt::CaseInsensitive) == 0;
}

// The last word with the particles written before it. "der" and "den" are
// particles only after "van" or "von" ("van der Berg", "von der Leyen"), so a
// name such as "Hans Den" keeps "Den" alone. A particle at the very start is
// taken too: "Da Ponte" as a whole item is a surname. With a comma the name is
// written surname first, and the surname is what stands before the comma.
std::optional<VistaParte> cognome(QStringView voce) {
    const Tratto tutto = rifila(voce, {0, voce.size()});
    if (tutto.inizio == tutto.fine)
        return std::nullopt;
    const qsizetype virgola = voce.sliced(0, tutto.fine).indexOf(u',', tutto.inizio);
    if (virgola >= 0) {
        const Tratto prima = rifila(voce, {tutto.inizio, virgola});
        if (prima.inizio < prima.fine)
            return VistaParte{prima.inizio, prima.fine - prima.inizio,
                              voce.sliced(prima.inizio, prima.fine - prima.inizio)};
    }
    QVarLengthArray<Tratto, 16> parole;
    for (qsizetype i = tutto.inizio; i < tutto.fine;) {
        while (voce[i].isSpace())
            ++i;
        const qsizetype inizio = i;
        while (i < tutto.fine && !voce[i].isSpace())
            ++i;
        parole.append({inizio, i});
    }
    auto parola = [&](qsizetype k) {
        return voce.sliced(parole[k].inizio, parole[k].fine - parole[k].inizio);
    };
    qsizetype primo = parole.size() - 1;
    while (primo > 0) {
        if (particella(parola(primo - 1))) {
            --primo;
        } else if (primo > 1 &&
                   (uguale(parola(primo - 1), u"der") || uguale(parola(primo - 1), u"den")) &&
                   (uguale(parola(primo - 2), u"van") || uguale(parola(primo - 2), u"von"))) {
            primo -= 2;
        } else {
            break;
        }
    }
    const qsizetype inizio = parole[primo].inizio;
    return VistaParte{inizio, tutto.fine - inizio, voce.sliced(inizio, tutto.fine - inizio)};
}

std::optional<VistaParte> espressione(QStringView voce, const QRegularExpression* re) {
    if (!re || !re->isValid())
        return std::nullopt;
    const QRegularExpressionMatch m = re->match(voce);
    if (!m.hasMatch())
        return std::nullopt;
    const int gruppo = re->captureCount() > 0 ? 1 : 0;
    const qsizetype inizio = m.capturedStart(gruppo);
    if (inizio < 0)
        return std::nullopt;
    const qsizetype lunghezza = m.capturedEnd(gruppo) - inizio;
    return VistaParte{inizio, lunghezza, voce.sliced(inizio, lunghezza)};
}

} // namespace

std::optional<VistaParte> trovaVista(QStringView voce, const Chiave& chiave,
                                     const QRegularExpression* re, QString& appoggio) {
    switch (chiave.parte) {
    case ParteChiave::VoceIntera:
    case ParteChiave::Lunghezza:
        return VistaParte{0, voce.size(), voce};
    case ParteChiave::Campo:
        return campo(voce, chiave.campo, chiave.separatoreCampi, appoggio);
    case ParteChiave::Cognome:
        return cognome(voce);
    case ParteChiave::Espressione:
        return espressione(voce, re);
    }
    return std::nullopt;
}

std::optional<ParteTrovata> trovaParte(QStringView voce, const Chiave& chiave,
                                       const QRegularExpression* re) {
    QString appoggio;
    const std::optional<VistaParte> parte = trovaVista(voce, chiave, re, appoggio);
    if (!parte)
        return std::nullopt;
    return ParteTrovata{parte->inizio, parte->lunghezza, parte->testo.toString()};
}

QString erroreEspressione(const QString& espressione) {
    const QRegularExpression re(espressione);
    if (re.isValid())
        return {};
    return QStringLiteral("%1 (posizione %2)").arg(re.errorString()).arg(re.patternErrorOffset());
}

qsizetype LettoreValori::lunghezza(QStringView parte) {
    // Below the combining marks every character is a cluster of its own, but
    // for CR LF, which is one.
    qsizetype doppi = 0;
    bool semplice = true;
    for (qsizetype i = 0; i < parte.size() && semplice; ++i) {
        semplice = parte[i].unicode() < 0x300;
        if (parte[i] == u'\n' && i > 0 && parte[i - 1] == u'\r')
            ++doppi;
    }
    if (semplice)
        return parte.size() - doppi;
    QTextBoundaryFinder confini(QTextBoundaryFinder::Grapheme, parte);
    qsizetype n = 0;
    while (confini.toNextBoundary() >= 0)
        ++n;
    return n;
}

void LettoreValori::codificaLunghezza(QStringView parte, std::string& out) {
    codificaDecimale(Decimale::intero(std::uint64_t(lunghezza(parte))), out);
}

} // namespace Motore
