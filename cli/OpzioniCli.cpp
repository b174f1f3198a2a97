#include "OpzioniCli.h"

#include "Traduzioni.h"
#include "VersioneCli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTranslator>
#include <array>
#include <initializer_list>
#include <limits>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace QuorlaCli {

namespace {

// A catalogue index for a name or for the separator character itself. The
// names spare the user quoting the shell's own characters.
std::optional<int> IndiceSeparatore(const QString& testo) {
    for (int i = 0; i < Motore::NumSeparatori; ++i) {
        const Motore::Separatore& s = Motore::catalogo()[std::size_t(i)];
        if (testo.compare(QLatin1StringView(s.nomeCli), Qt::CaseInsensitive) == 0)
            return i;
        if (testo.size() == 1 && testo[0] == QChar(s.carattere))
            return i;
    }
    return std::nullopt;
}

// The value of an option that takes one word out of a few.
template <typename T>
std::optional<T> Scelta(const QString& valore,
                        std::initializer_list<std::pair<QString, T>> parole) {
    for (const auto& [parola, scelta] : parole) {
        if (valore == parola)
            return scelta;
    }
    return std::nullopt;
}

std::optional<std::vector<int>> ListaSeparatori(const QString& valore, QString& errore) {
    if (valore.compare(u"nessuno"_s, Qt::CaseInsensitive) == 0)
        return std::vector<int>{};
    // The comma both separates the list and is a separator itself.
    const QStringList voci = valore == u","_s ? QStringList{valore} : valore.split(u',');
    std::vector<int> indici;
    for (const QString& voce : voci) {
        const std::optional<int> i = IndiceSeparatore(voce);
        if (!i) {
            errore =
                QCoreApplication::translate("quorla-cli", "separatore sconosciuto: «%1»").arg(voce);
            return std::nullopt;
        }
        indici.push_back(*i);
    }
    return indici;
}

QString CodiceLingua(int i) {
    if (i == Motore::LinguaSistema)
        return u"sistema"_s;
    if (i == Motore::linguaCodiciUnicode())
        return u"unicode"_s;
    return QString::fromLatin1(Motore::lingueOrdine()[std::size_t(i)].locale);
}

QString ElencoLingue() {
    QStringList voci;
    const auto& lingue = Motore::lingueOrdine();
    for (int i = 0; i < int(lingue.size()); ++i)
        voci.append(
            u"%1 (%2)"_s.arg(CodiceLingua(i), Traduzioni::NomeLingua(lingue[std::size_t(i)].nome)));
    return voci.join(u", "_s);
}

QString ElencoSeparatori() {
    QStringList voci;
    for (const Motore::Separatore& s : Motore::catalogo())
        voci.append(QLatin1StringView(s.nomeCli));
    return voci.join(u", "_s);
}

// Qt's help and parse errors, in Italian. A translator of our own rather than
// Qt's translation files, which a server need not have installed.
class TraduzioniQt : public QTranslator {
public:
    QString translate(const char* contesto, const char* testo, const char* = nullptr,
                      int = -1) const override {
        if (qstrcmp(contesto, "QCommandLineParser") != 0)
            return QString();
        static const QHash<QByteArray, QString> italiano = {
            {"Usage: %1", u"Uso: %1"_s},
            {"Options:", u"Opzioni:"_s},
            {"Arguments:", u"Argomenti:"_s},
            {"[options]", u"[opzioni]"_s},
            {"Displays help on commandline options.", u"Mostra questo aiuto ed esce."_s},
            {"Displays help including Qt specific options.",
             u"Mostra l'aiuto con anche le opzioni proprie di Qt."_s},
            {"Displays version information.", u"Mostra la versione ed esce."_s},
            {"Unknown option '%1'.", u"opzione sconosciuta: «%1»"_s},
            {"Unknown options: %1.", u"opzioni sconosciute: %1"_s},
            {"Missing value after '%1'.", u"manca il valore dopo «%1»"_s},
            {"Unexpected value after '%1'.", u"valore inatteso dopo «%1»"_s},
        };
        return italiano.value(QByteArray(testo));
    }
    bool isEmpty() const override { return false; }
};

struct Opzioni {
    QCommandLineOption separatori{
        {u"s"_s, u"separatori"_s},
        QCoreApplication::translate("quorla-cli",
                                    "Separatori del testo in ingresso, divisi da virgole: nomi "
                                    "(%1, oppure nessuno) o i caratteri stessi. Predefiniti: "
                                    "spazio,punto-e-virgola.")
            .arg(ElencoSeparatori()),
        QCoreApplication::translate("quorla-cli", "LISTA")};
    QCommandLineOption uscita{{u"u"_s, u"uscita"_s},
                              QCoreApplication::translate(
                                  "quorla-cli",
                                  "Separatore tra le voci riordinate, un nome o un carattere come "
                                  "per --separatori (invio: una voce per riga). Predefinito: "
                                  "punto-e-virgola."),
                              QCoreApplication::translate("quorla-cli", "SEP")};
    QCommandLineOption spazioDopo{
        u"spazio-dopo"_s, QCoreApplication::translate(
                              "quorla-cli", "Uno spazio dopo ogni separatore: \"alfa, beta\".")};
    QCommandLineOption fineRiga{
        u"fine-riga"_s, QCoreApplication::translate(
                            "quorla-cli", "Con --larghezza, a fine riga il separatore del testo "
                                          "riordinato invece di uno spazio.")};
    QCommandLineOption fineTesto{
        u"fine-testo"_s,
        QCoreApplication::translate("quorla-cli",
                                    "Il separatore del testo riordinato anche in fondo al testo.")};
    QCommandLineOption larghezza{
        {u"w"_s, u"larghezza"_s},
        QCoreApplication::translate(
            "quorla-cli", "Va a capo con righe di al massimo N caratteri (da 1 a 100). Senza, "
                          "nessun a capo."),
        QCoreApplication::translate("quorla-cli", "N")};
    QCommandLineOption decrescente{
        {u"r"_s, u"decrescente"_s},
        QCoreApplication::translate("quorla-cli",
                                    "Ordine decrescente (Z-A), come --ordine=decrescente.")};
    QCommandLineOption ordine{
        u"ordine"_s,
        QCoreApplication::translate(
            "quorla-cli",
            "Come disporre le voci: crescente (predefinito), decrescente, testo (come nel "
            "testo, senza ordinare), inverti (l'ordine del testo rovesciato), mescola."),
        QCoreApplication::translate("quorla-cli", "MODO")};
    QCommandLineOption numeri{
        {u"n"_s, u"numeri-naturali"_s},
        QCoreApplication::translate("quorla-cli",
                                    "Numeri in ordine naturale: \"img2\" prima di \"img10\".")};
    QCommandLineOption maiuscole{
        u"maiuscole"_s,
        QCoreApplication::translate("quorla-cli",
                                    "Maiuscole e minuscole: lingua (come la lingua, predefinito), "
                                    "prima (maiuscole prima), dopo (minuscole prima)."),
        QCoreApplication::translate("quorla-cli", "MODO")};
    QCommandLineOption punteggiatura{
        u"ignora-punteggiatura"_s,
        QCoreApplication::translate("quorla-cli", "Ignora punteggiatura e spazi nell'ordinare.")};
    QCommandLineOption articoli{u"ignora-articoli"_s,
                                QCoreApplication::translate("quorla-cli",
                                                            "Ignora gli articoli iniziali "
                                                            "nell'ordinare (\"Il Gattopardo\" "
                                                            "sotto G).")};
    QCommandLineOption doppioni{
        u"doppioni"_s,
        QCoreApplication::translate(
            "quorla-cli",
            "Le voci ripetute: tutti (tienili tutti, predefinito), elimina (la prima scritta di "
            "ognuna), ripetuti (una di ogni voce che compare più volte), unici (le voci che "
            "compaiono una volta sola), conta (ogni voce una volta, seguita dal numero delle "
            "volte: \"pera (3)\"). Valgono ancora no, identici e simili (elimina con "
            "--simili)."),
        QCoreApplication::translate("quorla-cli", "MODO")};
    QCommandLineOption simili{
        u"simili"_s,
        QCoreApplication::translate(
            "quorla-cli", "Per --doppioni sono uguali anche le voci con maiuscole e accenti "
                          "diversi (e punteggiatura o articoli, se ignorati).")};
    QCommandLineOption perFrequenza{
        u"per-frequenza"_s,
        QCoreApplication::translate(
            "quorla-cli", "Con --doppioni=conta, prima le voci più frequenti; a parità, in ordine "
                          "alfabetico.")};
    QCommandLineOption intestazione{
        u"intestazione"_s,
        QCoreApplication::translate(
            "quorla-cli",
            "Le prime N voci restano ferme in testa; ordine e doppioni valgono per le "
            "altre."),
        QCoreApplication::translate("quorla-cli", "N")};
    QCommandLineOption chiave{
        {u"k"_s, u"chiave"_s},
        QCoreApplication::translate(
            "quorla-cli",
            "Ordina per una parte di ogni voce (fino a tre volte: poi per...): un campo "
            "(-k 2; -k -1 l'ultimo), cognome, lunghezza, o un'espressione regolare tra barre "
            "(-k '/ID ([0-9]+)/': il primo gruppo, o tutto ciò che trova); poi, dopo una "
            "virgola, il tipo (testo, numero, dimensione, mese, data) e decrescente: "
            "-k 3,numero,decrescente. Le voci senza quella parte o senza un valore vanno in "
            "fondo, nell'ordine del testo."),
        QCoreApplication::translate("quorla-cli", "CHIAVE")};
    QCommandLineOption separatoreCampi{
        {u"t"_s, u"separatore-campi"_s},
        QCoreApplication::translate(
            "quorla-cli",
            "Il carattere tra i campi di -k, o un nome come per --separatori: spazio (più "
            "spazi di fila contano come uno, predefinito), tab, virgola, punto-e-virgola, "
            "due-punti, barra-verticale... Con virgola, punto e virgola e tab valgono le "
            "virgolette del CSV: -t ';' -k 2,numero."),
        QCoreApplication::translate("quorla-cli", "C")};
    QCommandLineOption mostraChiavi{
        u"mostra-chiavi"_s,
        QCoreApplication::translate(
            "quorla-cli",
            "Scrive ogni voce con la parte della prima chiave tra « » e ciò che ogni chiave "
            "ha letto, [1: 1234.5], o [1: nessun valore].")};
    QCommandLineOption crlf{
        u"crlf"_s, QCoreApplication::translate("quorla-cli",
                                               "Righe che finiscono con CR LF invece che con LF.")};
    QCommandLineOption zero{
        {u"z"_s, u"zero"_s},
        QCoreApplication::translate(
            "quorla-cli",
            "Voci separate dal carattere NUL in ingresso e in uscita, e un NUL in fondo "
            "(per find -print0 e xargs -0): una voce può contenere spazi e a capo.")};
    QCommandLineOption lingua{
        u"lingua"_s,
        QCoreApplication::translate("quorla-cli", "Lingua dell'ordine: %1. Predefinita: sistema.")
            .arg(ElencoLingue()),
        QCoreApplication::translate("quorla-cli", "CODICE")};
    QCommandLineOption mescola{
        u"mescola"_s,
        QCoreApplication::translate("quorla-cli", "Ordine casuale invece che alfabetico, come "
                                                  "--ordine=mescola.")};
    QCommandLineOption seme{u"seme"_s,
                            QCoreApplication::translate("quorla-cli",
                                                        "Con --mescola, lo stesso N dà sempre lo "
                                                        "stesso ordine (0: ogni volta uno nuovo)."),
                            QCoreApplication::translate("quorla-cli", "N")};
    QCommandLineOption memoria{
        {u"S"_s, u"memoria"_s},
        QCoreApplication::translate(
            "quorla-cli",
            "La memoria che l'ordinamento può usare: un numero con K, M, G o T (senza: K; b: "
            "byte), o una percentuale della memoria fisica (predefinita: 50%). Un testo fino a "
            "un quarto di DIM si ordina in memoria; uno più grande a blocchi, in file "
            "temporanei."),
        QCoreApplication::translate("quorla-cli", "DIM")};
    QCommandLineOption temporanei{
        {u"T"_s, u"temporanei"_s},
        QCoreApplication::translate("quorla-cli",
                                    "La cartella dei file temporanei (predefinita: $TMPDIR, o "
                                    "/tmp)."),
        QCoreApplication::translate("quorla-cli", "CARTELLA")};
    QCommandLineOption output{
        {u"o"_s, u"output"_s},
        QCoreApplication::translate("quorla-cli",
                                    "Salva il risultato in FILE invece di scriverlo sullo standard "
                                    "output («-»); il file cambia solo se tutto riesce."),
        QCoreApplication::translate("quorla-cli", "FILE")};
};

// The separator dialog's choices, from their flags; an error message, or
// nothing.
QString LeggiSeparatori(const QCommandLineParser& parser, const Opzioni& o,
                        Motore::Opzioni& opzioni) {
    QString messaggio;
    if (parser.isSet(o.separatori)) {
        const std::optional<std::vector<int>> separatori =
            ListaSeparatori(parser.value(o.separatori), messaggio);
        if (!separatori)
            return messaggio;
        opzioni.ingresso.fill(false);
        for (const int i : *separatori)
            opzioni.ingresso[std::size_t(i)] = true;
    }
    if (parser.isSet(o.uscita)) {
        const std::optional<int> uscita = IndiceSeparatore(parser.value(o.uscita));
        if (!uscita)
            return QCoreApplication::translate("quorla-cli",
                                               "separatore di uscita sconosciuto: «%1»")
                .arg(parser.value(o.uscita));
        opzioni.uscita = *uscita;
    }
    opzioni.spazioDopo = parser.isSet(o.spazioDopo);
    // Line breaks as the system writes them in text files, unless asked.
#ifdef Q_OS_WIN
    opzioni.uscitaLf = false;
#else
    opzioni.uscitaLf = !parser.isSet(o.crlf);
#endif
    opzioni.nul = parser.isSet(o.zero);
    opzioni.capo = parser.isSet(o.fineRiga) ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    opzioni.ultimo = parser.isSet(o.fineTesto) ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    if (parser.isSet(o.larghezza)) {
        bool ok = false;
        const int n = parser.value(o.larghezza).toInt(&ok);
        if (!ok || n < 1 || n > 100)
            return QCoreApplication::translate("quorla-cli",
                                               "larghezza non valida: «%1» (da 1 a 100)")
                .arg(parser.value(o.larghezza));
        opzioni.larghezza = n;
    }
    return {};
}

// One -k: the part, then optionally its type and direction after commas. A
// pattern stands between slashes and may hold commas and slashes itself: the
// words after its closing slash are the last ones that read as a type or a
// direction.
QString LeggiChiave(const QString& scritta, QChar separatore, Motore::Chiave& chiave) {
    using Motore::ParteChiave;
    using Motore::TipoChiave;
    QString parte = scritta;
    QStringList parole;
    const auto tipi = std::initializer_list<std::pair<QString, TipoChiave>>{
        {u"testo"_s, TipoChiave::Testo},
        {u"numero"_s, TipoChiave::Numero},
        {u"dimensione"_s, TipoChiave::Dimensione},
        {u"mese"_s, TipoChiave::Mese},
        {u"data"_s, TipoChiave::Data}};
    auto parolaNota = [&](const QString& p) {
        return p == u"decrescente"_s || p == u"crescente"_s || Scelta<TipoChiave>(p, tipi);
    };
    if (scritta.startsWith(u'/')) {
        const QStringList pezzi = scritta.sliced(1).split(u',');
        qsizetype fine = pezzi.size();
        while (fine > 1 && parolaNota(pezzi[fine - 1]))
            --fine;
        parte = u"/"_s + pezzi.first(fine).join(u',');
        parole = pezzi.sliced(fine);
        if (parte.size() < 2 || !parte.endsWith(u'/'))
            return QCoreApplication::translate(
                       "quorla-cli",
                       "chiave non valida: «%1» (l'espressione va chiusa da una barra)")
                .arg(scritta);
        chiave.parte = ParteChiave::Espressione;
        chiave.espressione = parte.sliced(1, parte.size() - 2);
        const QString errore = Motore::erroreEspressione(chiave.espressione);
        if (!errore.isEmpty())
            return QCoreApplication::translate("quorla-cli", "espressione non valida in «%1»: %2")
                .arg(scritta, errore);
    } else {
        parole = scritta.split(u',');
        parte = parole.takeFirst();
        bool numero = false;
        const int campo = parte.toInt(&numero);
        if (numero && campo != 0) {
            chiave.parte = ParteChiave::Campo;
            chiave.campo = campo;
        } else if (parte == u"cognome"_s) {
            chiave.parte = ParteChiave::Cognome;
        } else if (parte == u"lunghezza"_s) {
            chiave.parte = ParteChiave::Lunghezza;
        } else if (parte == u"voce"_s) {
            chiave.parte = ParteChiave::VoceIntera;
        } else if (parolaNota(parte)) {
            // A type or a direction alone is the whole item's.
            chiave.parte = ParteChiave::VoceIntera;
            parole.prepend(parte);
        } else {
            return QCoreApplication::translate(
                       "quorla-cli",
                       "chiave non valida: «%1» (un campo da 1 o da -1, cognome, lunghezza, "
                       "voce o /espressione/)")
                .arg(scritta);
        }
    }
    chiave.separatoreCampi = separatore;
    for (const QString& parola : parole) {
        if (parola == u"decrescente"_s || parola == u"crescente"_s)
            chiave.decrescente = parola == u"decrescente"_s;
        else if (const auto tipo = Scelta<TipoChiave>(parola, tipi))
            chiave.tipo = *tipo;
        else
            return QCoreApplication::translate(
                       "quorla-cli", "chiave non valida: «%1» (tipo o verso sconosciuto: «%2»)")
                .arg(scritta, parola);
    }
    return {};
}

// The keys of -k, with the field separator of -t.
QString LeggiChiavi(const QCommandLineParser& parser, const Opzioni& o,
                    Motore::OpzioniOrdine& ordine) {
    QChar separatore = u' ';
    if (parser.isSet(o.separatoreCampi)) {
        const QString valore = parser.value(o.separatoreCampi);
        if (const std::optional<int> i = IndiceSeparatore(valore))
            separatore = Motore::catalogo()[std::size_t(*i)].carattere;
        else if (valore.size() == 1)
            separatore = valore[0];
        else
            return QCoreApplication::translate(
                       "quorla-cli",
                       "separatore di campi non valido: «%1» (un carattere o un nome)")
                .arg(valore);
    }
    const QStringList specifiche = parser.values(o.chiave);
    if (specifiche.size() > 3)
        return QCoreApplication::translate("quorla-cli", "troppe chiavi: al massimo tre -k");
    for (const QString& scritta : specifiche) {
        Motore::Chiave chiave;
        if (const QString errore = LeggiChiave(scritta, separatore, chiave); !errore.isEmpty())
            return errore;
        ordine.chiavi.push_back(chiave);
    }
    return {};
}

// The "Ordine" menu's choices, from their flags; an error message, or nothing.
QString LeggiOrdine(const QCommandLineParser& parser, const Opzioni& o,
                    Motore::OpzioniOrdine& ordine) {
    if (parser.isSet(o.decrescente))
        ordine.verso = Motore::Verso::Decrescente;
    if (parser.isSet(o.mescola))
        ordine.verso = Motore::Verso::Mescola;
    if (parser.isSet(o.ordine)) {
        const auto scelta = Scelta<Motore::Verso>(parser.value(o.ordine),
                                                  {{u"crescente"_s, Motore::Verso::Crescente},
                                                   {u"decrescente"_s, Motore::Verso::Decrescente},
                                                   {u"testo"_s, Motore::Verso::ComeNelTesto},
                                                   {u"inverti"_s, Motore::Verso::Inverti},
                                                   {u"mescola"_s, Motore::Verso::Mescola}});
        if (!scelta)
            return QCoreApplication::translate(
                       "quorla-cli",
                       "valore non valido per --ordine: «%1» (crescente, decrescente, testo, "
                       "inverti, mescola)")
                .arg(parser.value(o.ordine));
        ordine.verso = *scelta;
    }
    ordine.numeriNaturali = parser.isSet(o.numeri);
    if (parser.isSet(o.maiuscole)) {
        const auto scelta = Scelta<Motore::Maiuscole>(
            parser.value(o.maiuscole), {{u"lingua"_s, Motore::Maiuscole::ComeLingua},
                                        {u"prima"_s, Motore::Maiuscole::MaiuscolePrima},
                                        {u"dopo"_s, Motore::Maiuscole::MinuscolePrima}});
        if (!scelta)
            return QCoreApplication::translate(
                       "quorla-cli",
                       "valore non valido per --maiuscole: «%1» (lingua, prima, dopo)")
                .arg(parser.value(o.maiuscole));
        ordine.maiuscole = *scelta;
    }
    ordine.ignoraPunteggiatura = parser.isSet(o.punteggiatura);
    ordine.ignoraArticoli = parser.isSet(o.articoli);
    if (parser.isSet(o.doppioni)) {
        const auto scelta = Scelta<Motore::Doppioni>(parser.value(o.doppioni),
                                                     {{u"tutti"_s, Motore::Doppioni::Tutti},
                                                      {u"elimina"_s, Motore::Doppioni::Elimina},
                                                      {u"ripetuti"_s, Motore::Doppioni::Ripetuti},
                                                      {u"unici"_s, Motore::Doppioni::Unici},
                                                      {u"conta"_s, Motore::Doppioni::Conta},
                                                      {u"no"_s, Motore::Doppioni::Tutti},
                                                      {u"identici"_s, Motore::Doppioni::Elimina},
                                                      {u"simili"_s, Motore::Doppioni::Elimina}});
        if (!scelta)
            return QCoreApplication::translate(
                       "quorla-cli",
                       "valore non valido per --doppioni: «%1» (tutti, elimina, ripetuti, unici, "
                       "conta)")
                .arg(parser.value(o.doppioni));
        ordine.doppioni = *scelta;
    }
    ordine.simili = parser.isSet(o.simili) || parser.value(o.doppioni) == u"simili"_s;
    ordine.perFrequenza = parser.isSet(o.perFrequenza);
    if (parser.isSet(o.intestazione)) {
        bool ok = false;
        ordine.intestazione = parser.value(o.intestazione).toInt(&ok);
        if (!ok || ordine.intestazione < 0)
            return QCoreApplication::translate("quorla-cli",
                                               "numero di voci non valido per --intestazione: «%1»")
                .arg(parser.value(o.intestazione));
    }
    if (parser.isSet(o.lingua)) {
        const QString v = parser.value(o.lingua);
        const int lingue = int(Motore::lingueOrdine().size());
        int trovata = -1;
        for (int i = 0; i < lingue && trovata < 0; ++i) {
            if (v.compare(CodiceLingua(i), Qt::CaseInsensitive) == 0)
                trovata = i;
        }
        if (trovata < 0)
            return QCoreApplication::translate("quorla-cli",
                                               "lingua sconosciuta: «%1» (vedi --help)")
                .arg(v);
        ordine.lingua = trovata;
    }
    if (parser.isSet(o.seme)) {
        bool ok = false;
        ordine.seme = parser.value(o.seme).toULongLong(&ok);
        if (!ok)
            return QCoreApplication::translate("quorla-cli", "seme non valido: «%1»")
                .arg(parser.value(o.seme));
    }
    return {};
}

// A size as sort's -S takes it: K when no unit is given, b for bytes, % of
// the physical memory. 0 when it is not one.
qint64 Dimensione(const QString& testo) {
    static const QRegularExpression forma(u"^([0-9]{1,15})([bkmgt%]?)$"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forma.match(testo);
    if (!m.hasMatch())
        return 0;
    const qint64 n = m.captured(1).toLongLong();
    const QString u = m.captured(2).toLower();
    const QChar unita = u.isEmpty() ? QChar(u'k') : u[0];
    if (unita == u'%')
        return n > 100 ? 0 : MemoriaPredefinita() * 2 / 100 * n;
    const int spostamento = QStringLiteral("bkmgt").indexOf(unita) * 10;
    return n > (std::numeric_limits<qint64>::max() >> spostamento) ? 0 : n << spostamento;
}

} // namespace

qint64 MemoriaPredefinita() {
#ifdef Q_OS_WIN
    MEMORYSTATUSEX stato{};
    stato.dwLength = sizeof stato;
    if (GlobalMemoryStatusEx(&stato))
        return qint64(stato.ullTotalPhys / 2);
#else
    const long pagine = ::sysconf(_SC_PHYS_PAGES);
    const long pagina = ::sysconf(_SC_PAGE_SIZE);
    if (pagine > 0 && pagina > 0)
        return qint64(pagine) * pagina / 2;
#endif
    return qint64(1) << 30;
}

QString TestoVersione() {
    return u"quorla-cli (%1) %2\n%3\n"_s.arg(QStringLiteral(QUORLA_PRODUCT),
                                             QStringLiteral(QUORLA_VERSION_STRING),
                                             Traduzioni::TestoProgetto(QUORLA_LEGAL));
}

void InstallaTraduzioni() {
    static TraduzioniQt traduzioni;
    QCoreApplication::installTranslator(&traduzioni);
}

Analisi Analizza(const QStringList& argomenti) {
    Analisi analisi;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate(
            "quorla-cli",
            "%1 %2 (%3) da riga di comando.\n"
            "Legge i FILE uno dopo l'altro (o lo standard input), ne mette in ordine "
            "alfabetico le voci e scrive il risultato sullo standard output. Senza opzioni "
            "fa esattamente ciò che fa la finestra all'avvio, ma come gli altri strumenti per "
            "i testi le righe finiscono con LF (con --crlf, e su Windows, con CR LF) e il "
            "risultato finisce con un a capo.\n"
            "Esce con 0 se riesce, con 1 se non può andare a capo (il risultato è scritto "
            "senza a capo), con 2 per un'opzione errata o un file che non si può leggere "
            "o salvare.")
            .arg(QStringLiteral(QUORLA_PRODUCT), QStringLiteral(QUORLA_VERSION_STRING),
                 Traduzioni::TestoProgetto(QUORLA_DESCRIPTION)));
    parser.addPositionalArgument(
        QCoreApplication::translate("quorla-cli", "FILE"),
        QCoreApplication::translate("quorla-cli",
                                    "File da ordinare; «-» o nessun file: lo standard input."),
        QCoreApplication::translate("quorla-cli", "[FILE...]"));
    const QCommandLineOption aiuto = parser.addHelpOption();
    const QCommandLineOption versione = parser.addVersionOption();
    const Opzioni o;
    parser.addOptions({o.separatori,   o.uscita,        o.spazioDopo,   o.fineRiga,
                       o.fineTesto,    o.larghezza,     o.chiave,       o.separatoreCampi,
                       o.mostraChiavi, o.decrescente,   o.ordine,       o.numeri,
                       o.maiuscole,    o.punteggiatura, o.articoli,     o.doppioni,
                       o.simili,       o.perFrequenza,  o.intestazione, o.lingua,
                       o.mescola,      o.seme,          o.crlf,         o.zero,
                       o.memoria,      o.temporanei,    o.output});
    analisi.aiuto = parser.helpText();
    // Qt names the program by the path it was started with; the usage line
    // reads better with the plain name, wherever it was installed.
    const QString percorso = QCoreApplication::arguments().value(0);
    const qsizetype primaRiga = analisi.aiuto.indexOf(u'\n');
    if (!percorso.isEmpty() && primaRiga > 0) {
        const QString uso = analisi.aiuto.first(primaRiga).replace(percorso, u"quorla-cli"_s);
        analisi.aiuto = uso + analisi.aiuto.sliced(primaRiga);
    }

    auto errore = [&](const QString& testo) {
        analisi.esito = Esito::Errore;
        analisi.errore = testo;
        return analisi;
    };
    if (!parser.parse(argomenti))
        return errore(parser.errorText());
    if (parser.isSet(aiuto) || parser.isSet(u"help-all"_s)) {
        analisi.esito = Esito::Aiuto;
        return analisi;
    }
    if (parser.isSet(versione)) {
        analisi.esito = Esito::Versione;
        return analisi;
    }

    Impostazioni& imp = analisi.impostazioni;
    if (const QString messaggio = LeggiSeparatori(parser, o, imp.opzioni); !messaggio.isEmpty())
        return errore(messaggio);
    if (const QString messaggio = LeggiOrdine(parser, o, imp.opzioni.ordine); !messaggio.isEmpty())
        return errore(messaggio);
    if (const QString messaggio = LeggiChiavi(parser, o, imp.opzioni.ordine); !messaggio.isEmpty())
        return errore(messaggio);
    imp.opzioni.mostraChiavi = parser.isSet(o.mostraChiavi);
    imp.fileUscita = parser.value(o.output);
    if (parser.isSet(o.output) && imp.fileUscita.isEmpty())
        return errore(
            QCoreApplication::translate("quorla-cli", "manca il nome del file dopo --output"));
    // As for the inputs, "-" is the standard stream.
    if (imp.fileUscita == u"-"_s)
        imp.fileUscita.clear();
    if (parser.isSet(o.memoria)) {
        imp.memoria = Dimensione(parser.value(o.memoria));
        if (imp.memoria <= 0)
            return errore(QCoreApplication::translate("quorla-cli", "memoria non valida: «%1»")
                              .arg(parser.value(o.memoria)));
    }
    imp.temporanei = parser.value(o.temporanei);
    imp.ingressi = parser.positionalArguments();
    analisi.esito = Esito::Procedi;
    return analisi;
}

} // namespace QuorlaCli
