#include "OpzioniCli.h"

#include "Traduzioni.h"
#include "VersioneCli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QTranslator>
#include <array>
#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace QuorlaCli {

namespace {

// Names for the catalogue entries, in catalogue order, so that a list of
// separators can be typed without quoting the shell's own characters.
constexpr std::array<const char*, Dichiarazioni::NumSeparatori> NomiSeparatori = {
    "spazio",         "invio",          "tab",     "punto-e-virgola", "due-punti", "virgola",
    "punto",          "esclamativo",    "domanda", "minore",          "maggiore",  "barra",
    "barra-rovescia", "barra-verticale"};
constexpr std::array<char16_t, Dichiarazioni::NumSeparatori> CaratteriSeparatori = {
    u' ', u'\r', u'\t', u';', u':', u',', u'.', u'!', u'?', u'<', u'>', u'/', u'\\', u'|'};

// A catalogue index for a name or for the separator character itself.
std::optional<int> IndiceSeparatore(const QString& testo) {
    for (int i = 0; i < Dichiarazioni::NumSeparatori; ++i) {
        if (testo.compare(QLatin1StringView(NomiSeparatori[i]), Qt::CaseInsensitive) == 0)
            return i;
        if (testo.size() == 1 && testo[0] == QChar(CaratteriSeparatori[i]))
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
    if (i == Dichiarazioni::LinguaSistema)
        return u"sistema"_s;
    if (i == Dichiarazioni::LinguaCodiciUnicode())
        return u"unicode"_s;
    return Dichiarazioni::Lingue_Ordine()[std::size_t(i)].locale;
}

QString ElencoLingue() {
    QStringList voci;
    const auto& lingue = Dichiarazioni::Lingue_Ordine();
    for (int i = 0; i < int(lingue.size()); ++i)
        voci.append(
            u"%1 (%2)"_s.arg(CodiceLingua(i), Traduzioni::NomeLingua(lingue[std::size_t(i)].nome)));
    return voci.join(u", "_s);
}

QString ElencoSeparatori() {
    QStringList voci;
    for (const char* nome : NomiSeparatori)
        voci.append(QLatin1StringView(nome));
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
        QCoreApplication::translate("quorla-cli",
                                    "Va a capo con righe di al massimo N caratteri (da 1 a 100). "
                                    "Senza, nessun a capo."),
        QCoreApplication::translate("quorla-cli", "N")};
    QCommandLineOption decrescente{
        {u"r"_s, u"decrescente"_s},
        QCoreApplication::translate("quorla-cli", "Ordine decrescente (Z-A).")};
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
        QCoreApplication::translate("quorla-cli",
                                    "Elimina doppioni: no (predefinito), identici, simili (anche "
                                    "con maiuscole e accenti diversi)."),
        QCoreApplication::translate("quorla-cli", "MODO")};
    QCommandLineOption lingua{
        u"lingua"_s,
        QCoreApplication::translate("quorla-cli", "Lingua dell'ordine: %1. Predefinita: sistema.")
            .arg(ElencoLingue()),
        QCoreApplication::translate("quorla-cli", "CODICE")};
    QCommandLineOption mescola{u"mescola"_s,
                               QCoreApplication::translate("quorla-cli",
                                                           "Ordine casuale invece che alfabetico "
                                                           "(prevale su --decrescente).")};
    QCommandLineOption seme{u"seme"_s,
                            QCoreApplication::translate("quorla-cli",
                                                        "Con --mescola, lo stesso N dà sempre lo "
                                                        "stesso ordine (0: ogni volta uno nuovo)."),
                            QCoreApplication::translate("quorla-cli", "N")};
    QCommandLineOption output{
        {u"o"_s, u"output"_s},
        QCoreApplication::translate("quorla-cli",
                                    "Salva il risultato in FILE invece di scriverlo sullo standard "
                                    "output («-»); il file cambia solo se tutto riesce."),
        QCoreApplication::translate("quorla-cli", "FILE")};
};

} // namespace

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
            "fa esattamente ciò che fa la finestra all'avvio.\n"
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
    parser.addOptions({o.separatori, o.uscita, o.spazioDopo, o.fineRiga, o.fineTesto, o.larghezza,
                       o.decrescente, o.numeri, o.maiuscole, o.punteggiatura, o.articoli,
                       o.doppioni, o.lingua, o.mescola, o.seme, o.output});
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
    QString messaggio;
    if (parser.isSet(o.separatori)) {
        imp.separatori = ListaSeparatori(parser.value(o.separatori), messaggio);
        if (!imp.separatori)
            return errore(messaggio);
    }
    if (parser.isSet(o.uscita)) {
        imp.uscita = IndiceSeparatore(parser.value(o.uscita));
        if (!imp.uscita)
            return errore(
                QCoreApplication::translate("quorla-cli", "separatore di uscita sconosciuto: «%1»")
                    .arg(parser.value(o.uscita)));
    }
    imp.spazioDopo = parser.isSet(o.spazioDopo);
    imp.fineRiga = parser.isSet(o.fineRiga);
    imp.fineTesto = parser.isSet(o.fineTesto);
    if (parser.isSet(o.larghezza)) {
        bool ok = false;
        const int n = parser.value(o.larghezza).toInt(&ok);
        if (!ok || n < 1 || n > 100)
            return errore(
                QCoreApplication::translate("quorla-cli", "larghezza non valida: «%1» (da 1 a 100)")
                    .arg(parser.value(o.larghezza)));
        imp.larghezza = n;
    }

    Dichiarazioni::Opzioni_Ordine& ordine = imp.ordine;
    if (parser.isSet(o.decrescente))
        ordine.verso = Dichiarazioni::Verso::Decrescente;
    ordine.numeriNaturali = parser.isSet(o.numeri);
    if (parser.isSet(o.maiuscole)) {
        const auto scelta = Scelta<Dichiarazioni::Maiuscole>(
            parser.value(o.maiuscole), {{u"lingua"_s, Dichiarazioni::Maiuscole::ComeLingua},
                                        {u"prima"_s, Dichiarazioni::Maiuscole::MaiuscolePrima},
                                        {u"dopo"_s, Dichiarazioni::Maiuscole::MinuscolePrima}});
        if (!scelta)
            return errore(
                QCoreApplication::translate(
                    "quorla-cli", "valore non valido per --maiuscole: «%1» (lingua, prima, dopo)")
                    .arg(parser.value(o.maiuscole)));
        ordine.maiuscole = *scelta;
    }
    ordine.ignoraPunteggiatura = parser.isSet(o.punteggiatura);
    ordine.ignoraArticoli = parser.isSet(o.articoli);
    if (parser.isSet(o.doppioni)) {
        const auto scelta = Scelta<Dichiarazioni::Doppioni>(
            parser.value(o.doppioni),
            {{u"no"_s, Dichiarazioni::Doppioni::No},
             {u"identici"_s, Dichiarazioni::Doppioni::Identici},
             {u"simili"_s, Dichiarazioni::Doppioni::AncheMaiuscoleAccenti}});
        if (!scelta)
            return errore(
                QCoreApplication::translate(
                    "quorla-cli", "valore non valido per --doppioni: «%1» (no, identici, simili)")
                    .arg(parser.value(o.doppioni)));
        ordine.doppioni = *scelta;
    }
    if (parser.isSet(o.lingua)) {
        const QString v = parser.value(o.lingua);
        const int lingue = int(Dichiarazioni::Lingue_Ordine().size());
        int trovata = -1;
        for (int i = 0; i < lingue && trovata < 0; ++i) {
            if (v.compare(CodiceLingua(i), Qt::CaseInsensitive) == 0)
                trovata = i;
        }
        if (trovata < 0)
            return errore(
                QCoreApplication::translate("quorla-cli", "lingua sconosciuta: «%1» (vedi --help)")
                    .arg(v));
        ordine.lingua = trovata;
    }
    ordine.mescola = parser.isSet(o.mescola);
    if (parser.isSet(o.seme)) {
        bool ok = false;
        ordine.seme = parser.value(o.seme).toULongLong(&ok);
        if (!ok)
            return errore(QCoreApplication::translate("quorla-cli", "seme non valido: «%1»")
                              .arg(parser.value(o.seme)));
    }
    imp.fileUscita = parser.value(o.output);
    if (parser.isSet(o.output) && imp.fileUscita.isEmpty())
        return errore(
            QCoreApplication::translate("quorla-cli", "manca il nome del file dopo --output"));
    // As for the inputs, "-" is the standard stream.
    if (imp.fileUscita == u"-"_s)
        imp.fileUscita.clear();
    imp.ingressi = parser.positionalArguments();
    analisi.esito = Esito::Procedi;
    return analisi;
}

void ApplicaAlMotore(const Impostazioni& imp) {
    using namespace Dichiarazioni;
    // The window's start-up: the slider's value, the dialog's defaults read
    // back at once.
    Num_Caratteri = 50;
    Stato_Dialogo stato = Init_Separatori();
    Leggi_Separatori(stato);

    // Then what the user would change in the separator dialog before its OK.
    if (imp.separatori) {
        std::fill(stato.Chk_Separa.begin(), stato.Chk_Separa.end(), 0);
        for (const int i : *imp.separatori)
            stato.Chk_Separa[std::size_t(i)] = 1;
    }
    if (imp.uscita) {
        std::fill(stato.Opt_Separatore_Out.begin(), stato.Opt_Separatore_Out.end(), false);
        stato.Opt_Separatore_Out[std::size_t(*imp.uscita)] = true;
    }
    stato.Chk_Spazio = imp.spazioDopo;
    stato.Opt_Capo = {!imp.fineRiga, imp.fineRiga};
    stato.Opt_Ultimo = {!imp.fineTesto, imp.fineTesto};
    Leggi_Separatori(stato);

    if (imp.larghezza)
        Num_Caratteri = std::int16_t(*imp.larghezza);
    Opz_Ordine = imp.ordine;
}

} // namespace QuorlaCli
