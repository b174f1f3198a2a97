#include "Dichiarazioni.h"

#include "Ordinamento.h"

#include <QStringView>
#include <algorithm>
#include <memory>
#include <optional>
#include <tuple>
#include <type_traits>

namespace Dichiarazioni {

std::array<QString, NumSeparatori> Tab_Separatori;
std::array<QString, NumSeparatori> Nomi_Separatori;
QString Sep_Interno;

std::array<bool, NumSeparatori> Sep_Ingresso{};
QString Sep_Uscita;
QString Sep_Capo;
QString Sep_Ultimo;
std::int16_t Num_Caratteri = 0;
bool Sep_Spazio = false;
Opzioni_Ordine Opz_Ordine;

const std::vector<LinguaOrdine>& Lingue_Ordine() {
    static const std::vector<LinguaOrdine> lingue = {
        {QStringLiteral("Lingua del sistema"), QString()},
        {QStringLiteral("Italiano"), QStringLiteral("it")},
        {QStringLiteral("English"), QStringLiteral("en")},
        {QStringLiteral("Deutsch"), QStringLiteral("de")},
        {QStringLiteral("Deutsch (elenco telefonico)"), QStringLiteral("de@collation=phonebook")},
        {QStringLiteral("Español"), QStringLiteral("es")},
        {QStringLiteral("Español (tradizionale)"), QStringLiteral("es@collation=traditional")},
        {QStringLiteral("Français"), QStringLiteral("fr")},
        {QStringLiteral("Português"), QStringLiteral("pt")},
        {QStringLiteral("Nederlands"), QStringLiteral("nl")},
        {QStringLiteral("Svenska"), QStringLiteral("sv")},
        {QStringLiteral("Dansk"), QStringLiteral("da")},
        {QStringLiteral("Norsk"), QStringLiteral("nb")},
        {QStringLiteral("Suomi"), QStringLiteral("fi")},
        {QStringLiteral("Polski"), QStringLiteral("pl")},
        {QStringLiteral("Čeština"), QStringLiteral("cs")},
        {QStringLiteral("Magyar"), QStringLiteral("hu")},
        {QStringLiteral("Română"), QStringLiteral("ro")},
        {QStringLiteral("Türkçe"), QStringLiteral("tr")},
        {QStringLiteral("Ελληνικά"), QStringLiteral("el")},
        {QStringLiteral("Codici Unicode"), QString()},
    };
    return lingue;
}

int LinguaCodiciUnicode() {
    return int(Lingue_Ordine().size()) - 1;
}

namespace {

QStringList elenco(const Ordinamento::Elenco& voci) {
    QStringList l;
    l.reserve(qsizetype(voci.size()));
    for (std::size_t k = 0; k < voci.size(); ++k)
        l.append(voci[k].toString());
    return l;
}

// The items of the last run, as places in the text they were cut from, which
// is kept alive with them: a large input then costs eight bytes an item.
struct {
    QString testo;
    Ordinamento::Elenco voci;
} g_LstOrdine;

// The lines of the last reflow, as places in the joined text. That text is not
// kept: it would be the size of the input again, and it is rebuilt from the
// items and the output options of the run when the lines are asked for.
struct {
    Ordinamento::Elenco righe;
    std::array<bool, NumSeparatori> ingresso{};
    QString uscita;
    bool spazio = false;
} g_LstFrasi;

constexpr char16_t Spazio = u' ';
constexpr char16_t Invio = 13;
constexpr char16_t Tab = 9;
const QString CapoRiga = QStringLiteral("\r\n");
// Characters of input above which a window that can take the output in
// pieces gets it so.
constexpr qsizetype TestoGrande = qsizetype(1) << 20;

using Ordinamento::TrimSpazi;

// "Invio" between the output items is the box's line break, not the bare
// carriage return of the catalogue.
bool uscitaInvio() {
    return Sep_Uscita == QChar(Invio);
}

// The space after the separator: a line break or a tab needs none.
bool spazioEffettivo() {
    return Sep_Spazio && !Sep_Uscita.isEmpty() && !uscitaInvio() && Sep_Uscita != QChar(Tab);
}

// One allocation and plain copies: appending piece by piece costs more than
// the sort itself on a large text.
template <class Lista> QString unisciViste(const Lista& parti, QStringView separatore) {
    if (parti.empty())
        return QString();
    qsizetype lunghezza = separatore.size() * qsizetype(parti.size() - 1);
    for (std::size_t k = 0; k < parti.size(); ++k)
        lunghezza += parti[k].size();
    QString unito(lunghezza, Qt::Uninitialized);
    QChar* scrivi = unito.data();
    for (std::size_t k = 0; k < parti.size(); ++k) {
        if (k > 0)
            scrivi = std::copy(separatore.begin(), separatore.end(), scrivi);
        const QStringView parte = parti[k];
        scrivi = std::copy(parte.begin(), parte.end(), scrivi);
    }
    return unito;
}

// Joins the ordered items with the output separator and mends what items
// beginning or ending with it leave behind, writing into a destination that
// takes pieces of text. Two separators in a row become one, in one pass that
// does not rescan (three become two), and a separator left at the very start
// goes. The mending works on runs of separators as the pieces stream past, so
// that a large result need not be held whole; the space after the separator
// is written once after a run that holds one placed between items, and only
// when more text follows.
template <class Destinazione> class Unione {
public:
    Unione(QStringView unita, bool spazio, Destinazione& destinazione)
        : unita_(unita), spazio_(spazio), destinazione_(destinazione) {
        // Items cut at the separator cannot hold it: no need to look.
        for (int i = 0; i < NumSeparatori; ++i) {
            if (Sep_Ingresso[i] && Tab_Separatori[i] == unita_.first(1))
                cerca_ = false;
        }
    }

    void voce(QStringView v) {
        if (!cerca_) {
            if (!v.isEmpty())
                testo(v);
            return;
        }
        const qsizetype n = v.size();
        qsizetype tratto = 0;
        for (qsizetype i = 0; (i = v.indexOf(unita_[0], i)) >= 0;) {
            if (unita_.size() == 2 && (i + 1 >= n || v[i + 1] != unita_[1])) {
                ++i;
                continue;
            }
            if (i > tratto)
                testo(v.sliced(tratto, i - tratto));
            ++corsa_;
            i += unita_.size();
            tratto = i;
        }
        if (n > tratto)
            testo(v.sliced(tratto));
    }
    void confine() {
        ++corsa_;
        confineInCorsa_ = true;
    }
    void fine() { scaricaCorsa(); }

private:
    void testo(QStringView t) {
        scaricaCorsa();
        if (spazioInSospeso_)
            destinazione_.aggiungi(u" ");
        spazioInSospeso_ = false;
        destinazione_.aggiungi(t);
        scritto_ = true;
    }
    void scaricaCorsa() {
        if (corsa_ == 0)
            return;
        qsizetype k = (corsa_ + 1) / 2;
        if (!scritto_)
            --k;
        for (qsizetype i = 0; i < k; ++i)
            destinazione_.aggiungi(unita_);
        if (k > 0) {
            scritto_ = true;
            spazioInSospeso_ = spazio_ && confineInCorsa_;
        }
        corsa_ = 0;
        confineInCorsa_ = false;
    }

    const QStringView unita_;
    const bool spazio_;
    Destinazione& destinazione_;
    bool cerca_ = true;
    qsizetype corsa_ = 0;
    bool confineInCorsa_ = false;
    bool spazioInSospeso_ = false;
    bool scritto_ = false;
};

template <class Destinazione>
void unisci(const Ordinamento::Elenco& ordinate, Destinazione& destinazione) {
    if (Sep_Uscita.isEmpty()) {
        // Each item is followed by the separator and the last character is
        // dropped: with no separator that character is the last item's own.
        QString unito = unisciViste(ordinate, QStringView());
        unito.chop(1);
        destinazione.aggiungi(unito);
        return;
    }
    Unione<Destinazione> unione(uscitaInvio() ? QStringView(CapoRiga) : QStringView(Sep_Uscita),
                                spazioEffettivo(), destinazione);
    std::size_t quante = ordinate.size();
    // The empty item, last in descending order, leaves no trace, as it does
    // first in ascending order.
    if (quante > 1 && ordinate.back().isEmpty())
        --quante;
    for (std::size_t k = 0; k < quante; ++k) {
        // The items lie scattered over the input: ask for the text of one a
        // few places ahead while this one is written.
        if (k + 8 < quante)
            Ordinamento::Anticipa(ordinate[k + 8].data());
        if (k > 0)
            unione.confine();
        unione.voce(ordinate[k]);
    }
    unione.fine();
}

struct InStringa {
    QString testo;
    void aggiungi(QStringView t) { testo.append(t); }
};

QString unisciInStringa(const Ordinamento::Elenco& ordinate) {
    InStringa destinazione;
    qsizetype lunghezza = 0;
    for (std::size_t k = 0; k < ordinate.size(); ++k)
        lunghezza += ordinate[k].size() + 3;
    destinazione.testo.reserve(lunghezza);
    unisci(ordinate, destinazione);
    return destinazione.testo;
}

// Breaks the joined text into lines of at most n characters at output
// separators. The text still to place is always a suffix of the joined text,
// so a position stands for it and nothing is copied back in front. The space
// written after a separator goes with it when the line breaks there, and
// counts in a line's length otherwise. Returns false when some stretch cannot
// be broken.
template <class Metti> bool spezza(const QString& unito, int n, Metti&& metti) {
    const bool haSep = Sep_Uscita.size() == 1;
    const QChar s = haSep ? Sep_Uscita[0] : QChar();
    const bool spazio = spazioEffettivo();
    auto eSep = [&](QChar c) { return haSep && c == s; };
    const qsizetype fine = unito.size();
    const qsizetype larghezza = std::max(n, 0);
    auto dopoSep = [&](qsizetype i) {
        return spazio && i > 0 && i < fine && unito[i] == Spazio && eSep(unito[i - 1]) ? i + 1 : i;
    };
    qsizetype resto = 0;
    for (;;) {
        resto = dopoSep(resto);
        qsizetype inizioRiga = resto;
        qsizetype fineRiga = std::min(fine, resto + larghezza);
        resto = fineRiga;
        if (inizioRiga < fineRiga && eSep(unito[inizioRiga]))
            inizioRiga = std::min(dopoSep(inizioRiga + 1), fineRiga);
        const QStringView riga = QStringView(unito).sliced(inizioRiga, fineRiga - inizioRiga);
        if (resto == fine && !riga.isEmpty()) {
            metti(riga);
            return true;
        }
        if (resto < fine && eSep(unito[resto])) {
            metti(riga);
            ++resto;
            continue;
        }
        if (!riga.isEmpty() && eSep(riga.back())) {
            metti(riga.chopped(1));
            continue;
        }
        const qsizetype taglio = haSep ? riga.lastIndexOf(s) : -1;
        if (taglio < 0)
            return false;
        metti(riga.first(taglio));
        resto = inizioRiga + taglio + 1;
    }
}

// With "Invio" the items are already the lines: the reflow only checks that
// each fits. An empty result cannot be placed, as with the other separators.
template <class Metti> bool righeInvio(const QString& unito, int n, Metti&& metti) {
    if (unito.isEmpty())
        return false;
    const QStringView testo(unito);
    for (qsizetype inizio = 0;;) {
        const qsizetype fine = testo.indexOf(CapoRiga, inizio);
        const QStringView riga = testo.sliced(inizio, (fine < 0 ? testo.size() : fine) - inizio);
        if (riga.size() > n)
            return false;
        metti(riga);
        if (fine < 0)
            return true;
        inizio = fine + CapoRiga.size();
    }
}

// The lines as places in the joined text, half the size of views: on a large
// text they stand beside it and the output while the output is built.
bool spezzaRighe(const QString& unito, int n, Ordinamento::Elenco& righe) {
    auto spezzaIn = [&](auto larghezza) {
        using Id = decltype(larghezza);
        std::vector<Ordinamento::Vista<Id>> posti;
        auto metti = [&](QStringView riga) {
            posti.push_back({Id(riga.data() - unito.constData()), Id(riga.size())});
        };
        const bool riuscito = uscitaInvio() ? righeInvio(unito, n, metti) : spezza(unito, n, metti);
        righe = Ordinamento::Elenco(unito, std::move(posti));
        return riuscito;
    };
    if (std::uint64_t(unito.size()) < std::uint64_t(UINT32_MAX))
        return spezzaIn(std::uint32_t());
    return spezzaIn(std::uint64_t());
}

// Without the text when the box has had it in pieces.
void consegna(Finestra& f, std::optional<QString> finale) {
    if (finale)
        f.prendiTestoOrdine(std::move(*finale));
    f.ridisegnaOrdine();
    if (f.copiaAppuntiAttiva()) {
        f.svuotaAppunti();
        f.impostaAppunti(f.testoOrdine());
        f.fuocoOrig();
        f.ridisegnaOrig();
    } else {
        f.selezionaOrdine(0, f.lunghezzaOrdine());
        f.fuocoOrdine();
        f.ridisegnaOrdine();
    }
}

// Hands the output text to a writer in pieces of bounded size, trimmed of
// spaces at both ends as the output box's text is.
class Uscita {
public:
    explicit Uscita(const std::function<void(QStringView)>& scrivi)
        : scrivi_(scrivi), pezzo_(std::make_unique_for_overwrite<QChar[]>(Pezzo)) {}

    void aggiungi(QStringView t) {
        if (!iniziato_) {
            while (!t.isEmpty() && t.front() == Spazio)
                t = t.sliced(1);
            if (t.isEmpty())
                return;
            iniziato_ = true;
        }
        qsizetype fine = t.size();
        while (fine > 0 && t[fine - 1] == Spazio)
            --fine;
        if (fine == 0) {
            spazi_ += t.size();
            return;
        }
        for (; spazi_ > 0; --spazi_)
            metti(u" ");
        metti(t.first(fine));
        spazi_ = t.size() - fine;
    }
    void fine(QStringView ultimo) {
        metti(ultimo);
        if (usato_ > 0)
            scrivi_(QStringView(pezzo_.get(), usato_));
    }

private:
    static constexpr qsizetype Pezzo = qsizetype(1) << 16;

    void metti(QStringView t) {
        if (usato_ + t.size() > Pezzo) {
            if (usato_ > 0)
                scrivi_(QStringView(pezzo_.get(), usato_));
            usato_ = 0;
            if (t.size() >= Pezzo) {
                scrivi_(t);
                return;
            }
        }
        std::copy(t.begin(), t.end(), pezzo_.get() + usato_);
        usato_ += t.size();
    }

    const std::function<void(QStringView)>& scrivi_;
    std::unique_ptr<QChar[]> pezzo_;
    qsizetype usato_ = 0;
    qsizetype spazi_ = 0;
    bool iniziato_ = false;
};

// Takes the joined text in pieces as unisci makes it and writes the lines the
// reflow found in it, with the line break between them.
class InRighe {
public:
    InRighe(const Ordinamento::Elenco& righe, Uscita& uscita) : righe_(righe), uscita_(uscita) {}

    void aggiungi(QStringView t) {
        while (k_ < righe_.size()) {
            if (posizione_ >= righe_.fine(k_)) {
                apri(); // an empty line still has its line break
                ++k_;
                aperta_ = false;
                continue;
            }
            if (t.isEmpty())
                return;
            qsizetype n = std::min(t.size(), righe_.inizio(k_) - posizione_);
            if (n <= 0) {
                apri();
                n = std::min(t.size(), righe_.fine(k_) - posizione_);
                uscita_.aggiungi(t.first(n));
            }
            t = t.sliced(n);
            posizione_ += n;
        }
    }
    void fine() { aggiungi(QStringView()); }

private:
    void apri() {
        if (aperta_)
            return;
        if (k_ > 0) {
            uscita_.aggiungi(Sep_Capo);
            uscita_.aggiungi(CapoRiga);
        }
        aperta_ = true;
    }

    const Ordinamento::Elenco& righe_;
    Uscita& uscita_;
    std::size_t k_ = 0;
    qsizetype posizione_ = 0;
    bool aperta_ = false;
};

// Joins the items, and reflows the result when aCapo is on, into the output.
// riserva is told the output's length beforehand, at most. Returns false when
// the reflow could not break a line; the unbroken text has been written then.
template <class Lista, class Riserva>
bool componi(Lista&& ordinate, bool aCapo, Uscita& uscita, Riserva&& riserva) {
    if (!aCapo) {
        // Straight from the items: the joined text is never held whole.
        qsizetype lunghezza = 0;
        for (std::size_t k = 0; k < ordinate.size(); ++k)
            lunghezza += ordinate[k].size() + 3;
        riserva(lunghezza);
        unisci(ordinate, uscita);
        return true;
    }
    Ordinamento::Elenco& righe = g_LstFrasi.righe;
    QString unito = unisciInStringa(ordinate);
    const bool formattato = spezzaRighe(unito, Num_Caratteri, righe);
    g_LstFrasi.ingresso = Sep_Ingresso;
    g_LstFrasi.uscita = Sep_Uscita;
    g_LstFrasi.spazio = Sep_Spazio;
    righe.ribasa(QStringView());
    // The output is made from the items once more: the joined text is as
    // large as the output, and both at once would be one copy of the text
    // too many at the moment memory peaks.
    const qsizetype lunghezza = unito.size();
    unito = QString();
    if (!formattato || uscitaInvio()) {
        riserva(lunghezza);
        unisci(ordinate, uscita);
        return formattato;
    }
    riserva(lunghezza + qsizetype(righe.size()) * (Sep_Capo.size() + CapoRiga.size()));
    InRighe inRighe(righe, uscita);
    unisci(ordinate, inRighe);
    inRighe.fine();
    return formattato;
}

} // namespace

Stato_Dialogo Init_Separatori() {
    Sep_Interno = QString(QChar(Ordinamento::Marcatore));
    static const char16_t caratteri[NumSeparatori] = {u' ', 13,   9,    u';', u':', u',',  u'.',
                                                      u'!', u'?', u'<', u'>', u'/', u'\\', u'|'};
    for (int i = 0; i < NumSeparatori; ++i) {
        Tab_Separatori[i] = QString(QChar(caratteri[i]));
        Nomi_Separatori[i] = Tab_Separatori[i];
    }
    Nomi_Separatori[0] = QStringLiteral("\"Spazio\"");
    Nomi_Separatori[1] = QStringLiteral("\"Invio\"");
    Nomi_Separatori[2] = QStringLiteral("\"Tab\"");

    Stato_Dialogo stato;
    stato.Chk_Separa.assign(NumSeparatori, 0);
    stato.Chk_Separa[0] = 1;
    stato.Chk_Separa[3] = 1;
    stato.Opt_Separatore_Out.assign(NumSeparatori, false);
    stato.Opt_Separatore_Out[3] = true;
    Sep_Uscita = Tab_Separatori[3];
    stato.Opt_Capo = {true, false};
    Sep_Capo = QStringLiteral(" ");
    stato.Opt_Ultimo = {true, false};
    Sep_Ultimo.clear();
    stato.Chk_Spazio = false;
    Sep_Spazio = false;
    return stato;
}

Testi_Stato Leggi_Separatori(const Stato_Dialogo& stato) {
    QString nomi;
    const std::size_t caselle = std::min<std::size_t>(stato.Chk_Separa.size(), NumSeparatori);
    for (std::size_t i = 0; i < caselle; ++i) {
        Sep_Ingresso[i] = stato.Chk_Separa[i] == 1;
        if (Sep_Ingresso[i])
            nomi += Nomi_Separatori[i] + QLatin1Char(' ');
    }
    nomi = TrimSpazi(nomi).toString();
    if (nomi.isEmpty())
        nomi = QStringLiteral("Nessuno");

    Testi_Stato testi;
    testi.pannello1 = QStringLiteral("Separatori testo inserito: ") + nomi;

    Sep_Spazio = stato.Chk_Spazio;
    QString nomeUscita;
    const std::size_t opzioni =
        std::min<std::size_t>(stato.Opt_Separatore_Out.size(), NumSeparatori);
    for (std::size_t i = 0; i < opzioni; ++i) {
        if (stato.Opt_Separatore_Out[i]) {
            Sep_Uscita = Tab_Separatori[i];
            // With the space, the panel shows exactly what stands between items.
            nomeUscita = spazioEffettivo() ? u'"' + Sep_Uscita + u' ' + u'"' : Nomi_Separatori[i];
            break;
        }
    }
    testi.pannello2 = QStringLiteral("Separatore testo elaborato: ") + nomeUscita;

    // A line break already ends each line of "Invio": nothing more goes there,
    // and at the end of the text the line break is the whole of it.
    if (stato.Opt_Capo[0])
        Sep_Capo = QStringLiteral(" ");
    else
        Sep_Capo = uscitaInvio() ? QString() : Sep_Uscita;
    if (stato.Opt_Ultimo[0])
        Sep_Ultimo.clear();
    else
        Sep_Ultimo = uscitaInvio() ? CapoRiga : Sep_Uscita;
    return testi;
}

void Elabora_Testo(Finestra& f) {
    SvuotaListe();
    // A large result goes to the box as it is made, and the old one leaves
    // before the input is read: either held whole would be one more copy of
    // the text at the moment memory peaks.
    const bool aPezzi = f.lunghezzaOrig() > TestoGrande && f.iniziaTestoOrdine();

    QString originale = f.testoOrig();
    const QStringView lavoro = TrimSpazi(originale);
    if (lavoro.isEmpty()) {
        if (aPezzi)
            f.fineTestoOrdine();
        f.impostaTestoOrdine(QString());
        f.ridisegnaOrdine();
        f.impostaTestoOrig(QString());
        f.fuocoOrig();
        f.ridisegnaOrig();
        f.ridisegnaFinestra();
        return;
    }

    // The items stay for LstOrdine(): in a copy of the distinct texts when
    // that is much smaller, so that the whole text need not stay beside the
    // output while it is built, nor after.
    QString compatto;
    g_LstOrdine.voci = Ordinamento::VociOrdinate(lavoro, Opz_Ordine, false, &compatto);
    g_LstOrdine.testo = compatto.isNull() ? originale : std::move(compatto);
    originale = QString();
    // Straight from the items to the box's text, trimmed as it is joined: on a
    // large text every whole copy in between is the size of the input again at
    // the moment memory peaks.
    QString finale;
    const std::function<void(QStringView)> scrivi = [&](QStringView t) {
        if (aPezzi)
            f.aggiungiTestoOrdine(t);
        else
            finale.append(t);
    };
    Uscita uscita(scrivi);
    const bool formattato =
        componi(g_LstOrdine.voci, f.aCapoAttivo(), uscita, [&](qsizetype lunghezza) {
            if (!aPezzi)
                finale.reserve(lunghezza + Sep_Ultimo.size());
        });
    uscita.fine(Sep_Ultimo);
    if (aPezzi)
        f.fineTestoOrdine();
    if (!formattato) {
        f.messaggio(TestoImpossibileFormattare, TitoloAvviso, FlagAvviso);
        f.impostaPosizioneSlider(f.massimoSlider());
    }
    consegna(f, aPezzi ? std::nullopt : std::optional(std::move(finale)));
}

bool Elabora_Testo_Flusso(QString testo, bool aCapo, const std::function<void(QStringView)>& scrivi,
                          bool righeLf) {
    SvuotaListe();
    const QStringView lavoro = TrimSpazi(testo);
    if (lavoro.isEmpty())
        return true;
    QString compatto;
    Ordinamento::Elenco ordinate =
        Ordinamento::VociOrdinate(lavoro, Opz_Ordine, righeLf, &compatto);
    if (!compatto.isNull())
        testo = QString(); // the items are in compatto now

    Uscita uscita(scrivi);
    const bool formattato = componi(std::move(ordinate), aCapo, uscita, [](qsizetype) {});
    uscita.fine(Sep_Ultimo);
    SvuotaListe();
    return formattato;
}

QStringList LstOrdine() {
    return elenco(g_LstOrdine.voci);
}

QStringList Lst_Frasi() {
    if (g_LstFrasi.righe.empty())
        return {};
    // The joined text as the run made it, under the run's output options.
    auto attuali = std::tie(Sep_Ingresso, Sep_Uscita, Sep_Spazio);
    const std::tuple salvate(Sep_Ingresso, Sep_Uscita, Sep_Spazio);
    attuali = std::tie(g_LstFrasi.ingresso, g_LstFrasi.uscita, g_LstFrasi.spazio);
    const QString unito = unisciInStringa(g_LstOrdine.voci);
    attuali = salvate;
    g_LstFrasi.righe.ribasa(unito);
    const QStringList righe = elenco(g_LstFrasi.righe);
    g_LstFrasi.righe.ribasa(QStringView());
    return righe;
}

void SvuotaListe() {
    g_LstOrdine.voci = {};
    g_LstOrdine.testo.clear();
    g_LstFrasi.righe = {};
}

} // namespace Dichiarazioni
