#include "Dichiarazioni.h"

#include <QCollator>
#include <QLocale>
#include <QStringView>
#include <algorithm>
#include <numeric>

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

// The containers hold views into the texts they were cut from, which are kept
// alive with them: a large input then costs no copy per item.
struct Contenitore {
    QString testo;
    std::vector<QStringView> voci;

    void svuota() {
        voci.clear();
        voci.shrink_to_fit();
        testo.clear();
    }
    QStringList elenco() const {
        QStringList l;
        l.reserve(qsizetype(voci.size()));
        for (const QStringView v : voci)
            l.append(v.toString());
        return l;
    }
};

Contenitore g_LstOrdine;
Contenitore g_LstFrasi;

constexpr char16_t Marcatore = 1;
constexpr char16_t Spazio = u' ';
constexpr char16_t Invio = 13;
constexpr char16_t AvanzaRiga = 10;
const QString CapoRiga = QStringLiteral("\r\n");

// Only the space is trimmed: tabs and line breaks are part of an item.
QStringView trimSpazi(QStringView s) {
    qsizetype inizio = 0;
    qsizetype fine = s.size();
    while (inizio < fine && s[inizio] == Spazio)
        ++inizio;
    while (fine > inizio && s[fine - 1] == Spazio)
        --fine;
    return s.sliced(inizio, fine - inizio);
}

// Cuts the trimmed input into items. Every active separator, and any code 1
// already in the text, is a boundary, and a run of boundaries counts as one.
// Pieces that trim to nothing are dropped, except the last one, which always
// becomes an item. While "Invio" is active, a line feed right after a carriage
// return belongs to the same line break: on its own it would stay glued to the
// front of the next line's first item.
std::vector<QStringView> estraiVoci(QStringView testo) {
    std::array<bool, 128> attivo{};
    for (int i = 0; i < NumSeparatori; ++i) {
        if (Sep_Ingresso[i] && Tab_Separatori[i].size() == 1 &&
            Tab_Separatori[i][0].unicode() < 128)
            attivo[Tab_Separatori[i][0].unicode()] = true;
    }
    attivo[Marcatore] = true;
    const bool invioAttivo =
        Sep_Ingresso[IndiceInvio] && Tab_Separatori[IndiceInvio] == QChar(Invio);

    auto confine = [&](qsizetype i) {
        const char16_t c = testo[i].unicode();
        if (c < 128 && attivo[c])
            return true;
        return invioAttivo && c == AvanzaRiga && i > 0 && testo[i - 1].unicode() == Invio;
    };

    std::vector<QStringView> voci;
    qsizetype inizio = 0;
    qsizetype i = 0;
    const qsizetype n = testo.size();
    while (i < n) {
        if (!confine(i)) {
            ++i;
            continue;
        }
        const QStringView pezzo = trimSpazi(testo.sliced(inizio, i - inizio));
        if (!pezzo.isEmpty())
            voci.push_back(pezzo);
        while (i < n && confine(i))
            ++i;
        inizio = i;
    }
    voci.push_back(trimSpazi(testo.sliced(inizio)));
    return voci;
}

// Alphabetical order of the system locale, the empty item first, equal items
// in input order. Each distinct text gets one collation key; the items are then
// placed by a stable counting sort on the rank of their text, so the cost of
// the collator grows with the vocabulary, not with the length of the input.
// Gives each distinct text an id, in order of first appearance. Open
// addressing with the full hash kept beside the id, so that a lookup touches
// the text it compares with only when the hashes already agree: the items are
// scattered over a large input, and every such touch is a cache miss.
class Vocabolario {
public:
    std::vector<QStringView> distinte;

    qsizetype id(QStringView v) {
        const std::uint64_t h = hash(v);
        std::size_t i = std::size_t(h) & maschera;
        for (;;) {
            Casella& c = caselle[i];
            if (c.id == 0) {
                c = {h, qsizetype(distinte.size()) + 1};
                distinte.push_back(v);
                if (distinte.size() * 2 > caselle.size())
                    raddoppia();
                return qsizetype(distinte.size()) - 1;
            }
            if (c.hash == h && distinte[std::size_t(c.id - 1)] == v)
                return c.id - 1;
            i = (i + 1) & maschera;
        }
    }

private:
    struct Casella {
        std::uint64_t hash = 0;
        qsizetype id = 0; // 1 + the id; 0 for an empty slot
    };
    std::vector<Casella> caselle = std::vector<Casella>(1024);
    std::size_t maschera = 1023;

    static std::uint64_t hash(QStringView v) {
        std::uint64_t h = 0xcbf29ce484222325ull ^ std::uint64_t(v.size());
        for (const QChar c : v)
            h = (h ^ c.unicode()) * 0x100000001b3ull;
        return h ^ (h >> 29);
    }

    void raddoppia() {
        std::vector<Casella> vecchie(caselle.size() * 2);
        vecchie.swap(caselle);
        maschera = caselle.size() - 1;
        for (const Casella& c : vecchie) {
            if (c.id == 0)
                continue;
            std::size_t i = std::size_t(c.hash) & maschera;
            while (caselle[i].id != 0)
                i = (i + 1) & maschera;
            caselle[i] = c;
        }
    }
};

std::vector<QStringView> ordina(const std::vector<QStringView>& voci) {
    Vocabolario vocabolario;
    std::vector<qsizetype> idVoce(voci.size());
    for (std::size_t k = 0; k < voci.size(); ++k)
        idVoce[k] = vocabolario.id(voci[k]);
    const std::vector<QStringView>& distinte = vocabolario.distinte;

    // The default locale is the system's unless a test pins it. The C locale
    // has no alphabet, and Qt would fall back to code-point order (every
    // capital before every small letter, accents last): use the interface's
    // language instead, whose order is the neutral one.
    QLocale lingua;
    if (lingua.language() == QLocale::C)
        lingua = QLocale(QLocale::Italian, QLocale::Italy);
    QCollator collatore(lingua);
    std::vector<QCollatorSortKey> chiavi;
    chiavi.reserve(distinte.size());
    for (const QStringView d : distinte)
        chiavi.push_back(collatore.sortKey(d.toString()));

    auto confronta = [&](qsizetype a, qsizetype b) {
        const bool vuotaA = distinte[a].isEmpty();
        const bool vuotaB = distinte[b].isEmpty();
        if (vuotaA || vuotaB)
            return int(vuotaB) - int(vuotaA);
        return chiavi[a].compare(chiavi[b]);
    };
    std::vector<qsizetype> perChiave(distinte.size());
    std::iota(perChiave.begin(), perChiave.end(), 0);
    std::sort(perChiave.begin(), perChiave.end(),
              [&](qsizetype a, qsizetype b) { return confronta(a, b) < 0; });

    // Texts that collate equal share a rank, so they keep their input order.
    std::vector<qsizetype> rango(distinte.size());
    qsizetype r = 0;
    for (std::size_t k = 0; k < perChiave.size(); ++k) {
        if (k > 0 && confronta(perChiave[k - 1], perChiave[k]) != 0)
            ++r;
        rango[perChiave[k]] = r;
    }
    std::vector<qsizetype> posto(std::size_t(r) + 2, 0);
    for (const qsizetype id : idVoce)
        ++posto[rango[id] + 1];
    std::partial_sum(posto.begin(), posto.end(), posto.begin());
    std::vector<QStringView> ordinate(voci.size());
    for (std::size_t k = 0; k < voci.size(); ++k)
        ordinate[posto[rango[idVoce[k]]]++] = voci[k];
    return ordinate;
}

// One allocation and plain copies: appending piece by piece costs more than
// the sort itself on a large text.
QString unisciViste(const std::vector<QStringView>& parti, QStringView separatore) {
    if (parti.empty())
        return QString();
    qsizetype lunghezza = separatore.size() * qsizetype(parti.size() - 1);
    for (const QStringView p : parti)
        lunghezza += p.size();
    QString unito(lunghezza, Qt::Uninitialized);
    QChar* scrivi = unito.data();
    for (std::size_t k = 0; k < parti.size(); ++k) {
        if (k > 0)
            scrivi = std::copy(separatore.begin(), separatore.end(), scrivi);
        scrivi = std::copy(parti[k].begin(), parti[k].end(), scrivi);
    }
    return unito;
}

// Joins the ordered items with the output separator and mends the doubled
// separators that items beginning or ending with it leave behind.
QString unisci(const std::vector<QStringView>& ordinate) {
    QString unito = unisciViste(ordinate, Sep_Uscita);
    if (Sep_Uscita.isEmpty()) {
        // Each item is followed by the separator and the last character is
        // dropped: with no separator that character is the last item's own.
        unito.chop(1);
        return unito;
    }
    // One left-to-right pass that does not rescan: three in a row become two.
    unito.replace(Sep_Uscita + Sep_Uscita, Sep_Uscita);
    if (unito.startsWith(Sep_Uscita))
        unito.remove(0, 1);
    return unito;
}

// Breaks the joined text into lines of at most n characters at output
// separators. The text still to place is always a suffix of the joined text,
// so a position stands for it and nothing is copied back in front.
// Returns false when some stretch cannot be broken.
bool spezza(const QString& unito, int n, std::vector<QStringView>& righe) {
    const bool haSep = Sep_Uscita.size() == 1;
    const QChar s = haSep ? Sep_Uscita[0] : QChar();
    auto eSep = [&](QChar c) { return haSep && c == s; };
    const qsizetype fine = unito.size();
    const qsizetype larghezza = std::max(n, 0);
    qsizetype resto = 0;
    for (;;) {
        qsizetype inizioRiga = resto;
        qsizetype fineRiga = std::min(fine, resto + larghezza);
        resto = fineRiga;
        if (inizioRiga < fineRiga && eSep(unito[inizioRiga]))
            ++inizioRiga;
        const QStringView riga = QStringView(unito).sliced(inizioRiga, fineRiga - inizioRiga);
        if (resto == fine && !riga.isEmpty()) {
            righe.push_back(riga);
            return true;
        }
        if (resto < fine && eSep(unito[resto])) {
            righe.push_back(riga);
            ++resto;
            continue;
        }
        if (!riga.isEmpty() && eSep(riga.back())) {
            righe.push_back(riga.chopped(1));
            continue;
        }
        const qsizetype taglio = haSep ? riga.lastIndexOf(s) : -1;
        if (taglio < 0)
            return false;
        righe.push_back(riga.first(taglio));
        resto = inizioRiga + taglio + 1;
    }
}

void consegna(Finestra& f, const QString& testoUscita) {
    f.impostaTestoOrdine(trimSpazi(testoUscita).toString() + Sep_Ultimo);
    f.ridisegnaOrdine();
    if (f.copiaAppuntiAttiva()) {
        f.svuotaAppunti();
        f.impostaAppunti(f.testoOrdine());
        f.fuocoOrig();
        f.ridisegnaOrig();
    } else {
        f.selezionaOrdine(0, f.testoOrdine().size());
        f.fuocoOrdine();
        f.ridisegnaOrdine();
    }
}

} // namespace

Stato_Dialogo Init_Separatori() {
    Sep_Interno = QString(QChar(Marcatore));
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
    nomi = trimSpazi(nomi).toString();
    if (nomi.isEmpty())
        nomi = QStringLiteral("Nessuno");

    Testi_Stato testi;
    testi.pannello1 = QStringLiteral("Separatori testo inserito: ") + nomi;

    QString nomeUscita;
    const std::size_t opzioni =
        std::min<std::size_t>(stato.Opt_Separatore_Out.size(), NumSeparatori);
    for (std::size_t i = 0; i < opzioni; ++i) {
        if (stato.Opt_Separatore_Out[i]) {
            nomeUscita = Nomi_Separatori[i];
            Sep_Uscita = Tab_Separatori[i];
            break;
        }
    }
    testi.pannello2 = QStringLiteral("Separatore testo elaborato: ") + nomeUscita;

    Sep_Capo = stato.Opt_Capo[0] ? QStringLiteral(" ") : Sep_Uscita;
    Sep_Ultimo = stato.Opt_Ultimo[0] ? QString() : Sep_Uscita;
    return testi;
}

void Elabora_Testo(Finestra& f) {
    SvuotaListe();

    const QString originale = f.testoOrig();
    const QStringView lavoro = trimSpazi(originale);
    if (lavoro.isEmpty()) {
        f.impostaTestoOrdine(QString());
        f.ridisegnaOrdine();
        f.impostaTestoOrig(QString());
        f.fuocoOrig();
        f.ridisegnaOrig();
        f.ridisegnaFinestra();
        return;
    }

    g_LstOrdine.testo = originale;
    g_LstOrdine.voci = ordina(estraiVoci(lavoro));
    const QString unito = unisci(g_LstOrdine.voci);

    QString uscita;
    if (f.aCapoAttivo()) {
        g_LstFrasi.testo = unito;
        if (spezza(unito, Num_Caratteri, g_LstFrasi.voci)) {
            uscita = unisciViste(g_LstFrasi.voci, Sep_Capo + CapoRiga);
        } else {
            f.messaggio(TestoImpossibileFormattare, TitoloAvviso, FlagAvviso);
            f.impostaPosizioneSlider(f.massimoSlider());
            uscita = unito;
        }
    } else {
        uscita = unito;
    }
    consegna(f, uscita);
}

namespace {
// A window that only holds its two texts.
class FinestraMuta : public Finestra {
public:
    QString orig;
    QString ordine;
    bool formattato = true;
    QString testoOrig() const override { return orig; }
    void impostaTestoOrig(const QString& t) override { orig = t; }
    QString testoOrdine() const override { return ordine; }
    void impostaTestoOrdine(const QString& t) override { ordine = t; }
    void fuocoOrig() override {}
    void fuocoOrdine() override {}
    void selezionaOrdine(qsizetype, qsizetype) override {}
    void ridisegnaOrig() override {}
    void ridisegnaOrdine() override {}
    void ridisegnaFinestra() override {}
    bool aCapoAttivo() const override { return aCapo; }
    bool copiaAppuntiAttiva() const override { return false; }
    int massimoSlider() const override { return 100; }
    void impostaPosizioneSlider(int) override {}
    void messaggio(const QString&, const QString&, unsigned) override { formattato = false; }
    void svuotaAppunti() override {}
    void impostaAppunti(const QString&) override {}
    bool aCapo = false;
};
} // namespace

bool Elabora_Testo_Flusso(QString testo, bool aCapo,
                          const std::function<void(QStringView)>& scrivi) {
    FinestraMuta f;
    f.orig = std::move(testo);
    f.aCapo = aCapo;
    Elabora_Testo(f);
    SvuotaListe();
    if (!f.ordine.isEmpty())
        scrivi(f.ordine);
    return f.formattato;
}

QStringList LstOrdine() {
    return g_LstOrdine.elenco();
}

QStringList Lst_Frasi() {
    return g_LstFrasi.elenco();
}

void SvuotaListe() {
    g_LstOrdine.svuota();
    g_LstFrasi.svuota();
}

} // namespace Dichiarazioni
