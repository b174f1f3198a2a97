#include "Impostazioni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <array>
#include <functional>
#include <utility>

using Motore::Doppioni;
using Motore::Fine;
using Motore::Maiuscole;
using Motore::Verso;

namespace {

// Written in every file. A file that carries another one (or none) was
// written by a program whose keys may mean something else: none of it is read.
constexpr int Versione = 1;
const QString ChiaveVersione = QStringLiteral("versione");

// Choices are kept by name, as the command line spells them, never by their
// number: a hand-edited file stays readable and a reordered list stays right.
template <typename T, std::size_t N> using Nomi = std::array<std::pair<T, const char*>, N>;

const Nomi<Verso, 5> NomiVerso = {{{Verso::Crescente, "crescente"},
                                   {Verso::Decrescente, "decrescente"},
                                   {Verso::ComeNelTesto, "testo"},
                                   {Verso::Inverti, "inverti"},
                                   {Verso::Mescola, "mescola"}}};
const Nomi<Maiuscole, 3> NomiMaiuscole = {{{Maiuscole::ComeLingua, "lingua"},
                                           {Maiuscole::MaiuscolePrima, "prima"},
                                           {Maiuscole::MinuscolePrima, "dopo"}}};
const Nomi<Doppioni, 5> NomiDoppioni = {{{Doppioni::Tutti, "tutti"},
                                         {Doppioni::Elimina, "elimina"},
                                         {Doppioni::Ripetuti, "ripetuti"},
                                         {Doppioni::Unici, "unici"},
                                         {Doppioni::Conta, "conta"}}};
const Nomi<Fine, 2> NomiFine = {{{Fine::Nessuno, "nessuno"}, {Fine::ComeUscita, "uscita"}}};

template <typename T, std::size_t N> QString nomeDi(const Nomi<T, N>& nomi, T valore) {
    for (const auto& [v, nome] : nomi) {
        if (v == valore)
            return QString::fromLatin1(nome);
    }
    return QString();
}

template <typename T, std::size_t N>
std::function<std::optional<T>(const QString&)> perNome(const Nomi<T, N>& nomi) {
    return [&nomi](const QString& testo) -> std::optional<T> {
        for (const auto& [v, nome] : nomi) {
            if (testo == QLatin1StringView(nome))
                return v;
        }
        return std::nullopt;
    };
}

std::optional<bool> siNo(const QString& testo) {
    if (testo == QLatin1StringView("true"))
        return true;
    if (testo == QLatin1StringView("false"))
        return false;
    return std::nullopt;
}

std::function<std::optional<int>(const QString&)> intero(int minimo, int massimo) {
    return [minimo, massimo](const QString& testo) -> std::optional<int> {
        bool ok = false;
        const int n = testo.toInt(&ok);
        if (!ok || n < minimo || n > massimo)
            return std::nullopt;
        return n;
    };
}

std::optional<QColor> colore(const QString& testo) {
    static const QRegularExpression rgb(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    if (!rgb.match(testo).hasMatch())
        return std::nullopt;
    return QColor(testo);
}

std::optional<QPoint> punto(const QString& testo) {
    const QStringList parti = testo.split(u',');
    const auto coordinata = intero(-100000, 100000);
    if (parti.size() != 2)
        return std::nullopt;
    const std::optional<int> x = coordinata(parti[0].trimmed());
    const std::optional<int> y = coordinata(parti[1].trimmed());
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

// The ordering languages by the command line's codes.
QString codiceLingua(int i) {
    if (i == Motore::LinguaSistema)
        return QStringLiteral("sistema");
    if (i == Motore::linguaCodiciUnicode())
        return QStringLiteral("unicode");
    return QString::fromLatin1(Motore::lingueOrdine()[std::size_t(i)].locale);
}

std::optional<int> lingua(const QString& testo) {
    for (int i = 0; i < int(Motore::lingueOrdine().size()); ++i) {
        if (testo == codiceLingua(i))
            return i;
    }
    return std::nullopt;
}

std::optional<int> separatore(const QString& testo) {
    const auto& catalogo = Motore::catalogo();
    for (int i = 0; i < Motore::NumSeparatori; ++i) {
        if (testo == QLatin1StringView(catalogo[std::size_t(i)].nomeCli))
            return i;
    }
    return std::nullopt;
}

QString nomeSeparatore(int i) {
    return QString::fromLatin1(Motore::catalogo()[std::size_t(i)].nomeCli);
}

// "nessuno", or the catalogue names of the input separators, comma-separated.
std::optional<std::array<bool, Motore::NumSeparatori>> ingresso(const QString& testo) {
    std::array<bool, Motore::NumSeparatori> scelti{};
    if (testo == QLatin1StringView("nessuno"))
        return scelti;
    for (const QString& nome : testo.split(u',')) {
        const std::optional<int> i = separatore(nome.trimmed());
        if (!i)
            return std::nullopt;
        scelti[std::size_t(*i)] = true;
    }
    return scelti;
}

QString nomiIngresso(const std::array<bool, Motore::NumSeparatori>& scelti) {
    QStringList nomi;
    for (int i = 0; i < Motore::NumSeparatori; ++i) {
        if (scelti[std::size_t(i)])
            nomi << nomeSeparatore(i);
    }
    return nomi.isEmpty() ? QStringLiteral("nessuno") : nomi.join(u',');
}

void nota(const QString& testo) {
    qWarning("quorla: %s", qUtf8Printable(testo));
}

// Reads one key at a time into the settings: a missing key leaves the start
// value quietly, a value not understood leaves it with a note.
class Lettore {
public:
    Lettore(const QSettings& file, QString percorso)
        : file_(file), percorso_(std::move(percorso)) {}

    template <typename T, typename Converti>
    void leggi(const QString& chiave, Converti converti, T& destinazione) const {
        if (!file_.contains(chiave))
            return;
        const QVariant valore = file_.value(chiave);
        // A list written by hand without quotes comes back as one.
        const QString testo = valore.typeId() == QMetaType::QStringList
                                  ? valore.toStringList().join(u',')
                                  : valore.toString();
        if (const auto letto = converti(testo)) {
            destinazione = *letto;
            return;
        }
        nota(QCoreApplication::translate("Impostazioni",
                                         "valore non valido per %1 in %2: «%3»; si usa "
                                         "quello iniziale")
                 .arg(chiave, percorso_, testo));
    }

private:
    const QSettings& file_;
    QString percorso_;
};

} // namespace

QString percorsoImpostazioni() {
    const QString cartella =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (cartella.isEmpty())
        return QString();
    return cartella + QStringLiteral("/quorla/quorla.conf");
}

Impostazioni leggiImpostazioni(const QString& percorso) {
    Impostazioni imp;
    const QFileInfo info(percorso);
    if (percorso.isEmpty() || (!info.exists() && !info.isSymLink()))
        return imp;
    const auto avviso = [&percorso](const char* testo) {
        nota(QCoreApplication::translate("Impostazioni", testo).arg(percorso));
        return Impostazioni{};
    };
    QFile prova(percorso);
    if (!info.isFile() || !prova.open(QIODevice::ReadOnly))
        return avviso(QT_TRANSLATE_NOOP("Impostazioni", "impossibile leggere le impostazioni "
                                                        "in %1; si usano quelle iniziali"));
    prova.close();
    const QSettings file(percorso, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return avviso(QT_TRANSLATE_NOOP("Impostazioni", "il file delle impostazioni %1 è "
                                                        "danneggiato; si usano quelle iniziali"));
    if (file.allKeys().isEmpty())
        return imp;
    if (file.value(ChiaveVersione).toString() != QString::number(Versione))
        return avviso(QT_TRANSLATE_NOOP("Impostazioni",
                                        "il file delle impostazioni %1 è di un'altra versione "
                                        "del programma; si usano quelle iniziali"));

    const Lettore l(file, percorso);
    Motore::OpzioniOrdine& o = imp.opzioni.ordine;
    l.leggi(QStringLiteral("ordine/verso"), perNome(NomiVerso), o.verso);
    l.leggi(QStringLiteral("ordine/numeriNaturali"), siNo, o.numeriNaturali);
    l.leggi(QStringLiteral("ordine/maiuscole"), perNome(NomiMaiuscole), o.maiuscole);
    l.leggi(QStringLiteral("ordine/ignoraPunteggiatura"), siNo, o.ignoraPunteggiatura);
    l.leggi(QStringLiteral("ordine/ignoraArticoli"), siNo, o.ignoraArticoli);
    l.leggi(QStringLiteral("ordine/doppioni"), perNome(NomiDoppioni), o.doppioni);
    l.leggi(QStringLiteral("ordine/simili"), siNo, o.simili);
    l.leggi(QStringLiteral("ordine/perFrequenza"), siNo, o.perFrequenza);
    l.leggi(QStringLiteral("ordine/intestazione"), intero(0, 99), o.intestazione);
    l.leggi(QStringLiteral("ordine/lingua"), lingua, o.lingua);
    // --- Sort keys: "ordine/chiavi", for OpzioniOrdine::chiavi. ---
    // The engine has no sort keys yet; they will come in imp.opzioni.ordine
    // like every other ordering choice, and be read here. Until then writing
    // leaves the key alone, so a file keeps the keys a later program stored.
    // --- End of the sort keys. ---

    Motore::Opzioni& s = imp.opzioni;
    l.leggi(QStringLiteral("separatori/ingresso"), ingresso, s.ingresso);
    l.leggi(QStringLiteral("separatori/uscita"), separatore, s.uscita);
    l.leggi(QStringLiteral("separatori/spazioDopo"), siNo, s.spazioDopo);
    l.leggi(QStringLiteral("separatori/fineRiga"), perNome(NomiFine), s.capo);
    l.leggi(QStringLiteral("separatori/fineTesto"), perNome(NomiFine), s.ultimo);

    l.leggi(QStringLiteral("finestra/aCapo"), siNo, imp.aCapo);
    l.leggi(QStringLiteral("finestra/caratteri"), intero(1, 100), imp.caratteri);
    l.leggi(QStringLiteral("finestra/copia"), siNo, imp.copia);
    l.leggi(QStringLiteral("finestra/sfondo"), colore, imp.sfondo);
    l.leggi(QStringLiteral("finestra/coloreTesto"), colore, imp.coloreTesto);
    l.leggi(QStringLiteral("finestra/posizione"), punto, imp.posizione);
    l.leggi(
        QStringLiteral("finestra/cartella"),
        [](const QString& t) { return std::optional<QString>(t); }, imp.cartella);
    return imp;
}

bool scriviImpostazioni(const QString& percorso, const Impostazioni& imp) {
    if (percorso.isEmpty())
        return false;
    bool daCancellare = false;
    {
        const QSettings vecchio(percorso, QSettings::IniFormat);
        // A damaged file would never be written over; another version's keys
        // would stand beside ours with their own meanings.
        if (vecchio.status() == QSettings::FormatError)
            QFile::remove(percorso);
        else
            daCancellare = !vecchio.allKeys().isEmpty() &&
                           vecchio.value(ChiaveVersione).toString() != QString::number(Versione);
    }
    QSettings file(percorso, QSettings::IniFormat);
    if (daCancellare)
        file.clear();
    const auto scrivi = [&file](const QString& chiave, const QVariant& valore) {
        file.setValue(chiave, valore);
    };
    const auto facoltativo = [&file](const QString& chiave, const auto& valore, auto testo) {
        if (valore)
            file.setValue(chiave, testo(*valore));
        else
            file.remove(chiave);
    };
    scrivi(ChiaveVersione, Versione);

    const Motore::OpzioniOrdine& o = imp.opzioni.ordine;
    scrivi(QStringLiteral("ordine/verso"), nomeDi(NomiVerso, o.verso));
    scrivi(QStringLiteral("ordine/numeriNaturali"), o.numeriNaturali);
    scrivi(QStringLiteral("ordine/maiuscole"), nomeDi(NomiMaiuscole, o.maiuscole));
    scrivi(QStringLiteral("ordine/ignoraPunteggiatura"), o.ignoraPunteggiatura);
    scrivi(QStringLiteral("ordine/ignoraArticoli"), o.ignoraArticoli);
    scrivi(QStringLiteral("ordine/doppioni"), nomeDi(NomiDoppioni, o.doppioni));
    scrivi(QStringLiteral("ordine/simili"), o.simili);
    scrivi(QStringLiteral("ordine/perFrequenza"), o.perFrequenza);
    scrivi(QStringLiteral("ordine/intestazione"), o.intestazione);
    scrivi(QStringLiteral("ordine/lingua"), codiceLingua(o.lingua));
    // --- Sort keys: "ordine/chiavi", for OpzioniOrdine::chiavi. ---
    // Nothing to write in this version (see leggiImpostazioni).
    // --- End of the sort keys. ---

    const Motore::Opzioni& s = imp.opzioni;
    scrivi(QStringLiteral("separatori/ingresso"), nomiIngresso(s.ingresso));
    scrivi(QStringLiteral("separatori/uscita"), nomeSeparatore(s.uscita));
    scrivi(QStringLiteral("separatori/spazioDopo"), s.spazioDopo);
    scrivi(QStringLiteral("separatori/fineRiga"), nomeDi(NomiFine, s.capo));
    scrivi(QStringLiteral("separatori/fineTesto"), nomeDi(NomiFine, s.ultimo));

    scrivi(QStringLiteral("finestra/aCapo"), imp.aCapo);
    scrivi(QStringLiteral("finestra/caratteri"), imp.caratteri);
    scrivi(QStringLiteral("finestra/copia"), imp.copia);
    const auto nomeColore = [](const QColor& c) { return c.name(QColor::HexRgb); };
    facoltativo(QStringLiteral("finestra/sfondo"), imp.sfondo, nomeColore);
    facoltativo(QStringLiteral("finestra/coloreTesto"), imp.coloreTesto, nomeColore);
    facoltativo(QStringLiteral("finestra/posizione"), imp.posizione,
                [](const QPoint& p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); });
    if (imp.cartella.isEmpty())
        file.remove(QStringLiteral("finestra/cartella"));
    else
        scrivi(QStringLiteral("finestra/cartella"), imp.cartella);

    file.sync();
    if (file.status() != QSettings::NoError) {
        nota(QCoreApplication::translate("Impostazioni",
                                         "impossibile scrivere le impostazioni in %1")
                 .arg(percorso));
        return false;
    }
    return true;
}

QString cartellaIniziale(const QString& cartellaProgramma) {
    const QFileInfo programma(cartellaProgramma);
    if (programma.isDir() && programma.isWritable())
        return cartellaProgramma;
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documenti.isEmpty() && QFileInfo(documenti).isDir())
        return documenti;
    return QDir::homePath();
}
