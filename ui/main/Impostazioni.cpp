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
#include <vector>

using Motore::Doppioni;
using Motore::Fine;
using Motore::Maiuscole;
using Motore::Verso;

namespace {

// Written in every file. A file that carries another one (or none) was
// written by a program whose keys may mean something else: none of it is read.
const QString ChiaveVersione = QStringLiteral("versione");
const QString Versione = QStringLiteral("1");

// How a value of type T is written, and read back: nullopt from `testo` leaves
// the key out, nullopt from `valore` is a value not understood.
template <typename T> struct Formato {
    std::function<std::optional<QString>(const T&)> testo;
    std::function<std::optional<T>(const QString&)> valore;
};

// One key of the file and the setting it holds.
struct Voce {
    QString chiave;
    std::function<std::optional<QString>(const Impostazioni&)> testo;
    std::function<bool(Impostazioni&, const QString&)> leggi;
};

// `campo` gives the member, from a const or a mutable Impostazioni alike.
template <typename T, typename Campo> Voce voce(const char* chiave, Campo campo, Formato<T> f) {
    return {QString::fromLatin1(chiave),
            [campo, f](const Impostazioni& i) { return f.testo(campo(i)); },
            [campo, f](Impostazioni& i, const QString& testo) {
                const std::optional<T> letto = f.valore(testo);
                if (letto)
                    campo(i) = *letto;
                return letto.has_value();
            }};
}

// Choices are kept by name, as the command line spells them, never by their
// number: a hand-edited file stays readable and a reordered list stays right.
template <typename T, std::size_t N>
Formato<T> perNome(const std::array<std::pair<T, const char*>, N>& nomi) {
    return {[nomi](const T& v) -> std::optional<QString> {
                for (const auto& [valore, nome] : nomi) {
                    if (valore == v)
                        return QString::fromLatin1(nome);
                }
                return std::nullopt;
            },
            [nomi](const QString& testo) -> std::optional<T> {
                for (const auto& [valore, nome] : nomi) {
                    if (testo == QLatin1StringView(nome))
                        return valore;
                }
                return std::nullopt;
            }};
}

Formato<bool> siNo() {
    return perNome<bool, 2>({{{false, "false"}, {true, "true"}}});
}

Formato<int> intero(int minimo, int massimo) {
    return {[](const int& n) { return std::optional<QString>(QString::number(n)); },
            [minimo, massimo](const QString& testo) -> std::optional<int> {
                bool ok = false;
                const int n = testo.toInt(&ok);
                if (!ok || n < minimo || n > massimo)
                    return std::nullopt;
                return n;
            }};
}

// An index given by the name `nome` gives it, 0 to n - 1.
Formato<int> indice(int n, const std::function<QString(int)>& nome) {
    return {[nome](const int& i) { return std::optional<QString>(nome(i)); },
            [n, nome](const QString& testo) -> std::optional<int> {
                for (int i = 0; i < n; ++i) {
                    if (testo == nome(i))
                        return i;
                }
                return std::nullopt;
            }};
}

// The ordering languages by the command line's codes.
QString codiceLingua(int i) {
    if (i == Motore::LinguaSistema)
        return QStringLiteral("sistema");
    if (i == Motore::linguaCodiciUnicode())
        return QStringLiteral("unicode");
    return QString::fromLatin1(Motore::lingueOrdine()[std::size_t(i)].locale);
}

QString nomeSeparatore(int i) {
    return QString::fromLatin1(Motore::catalogo()[std::size_t(i)].nomeCli);
}

// "nessuno", or the catalogue names of the input separators, comma-separated.
using Ingresso = std::array<bool, Motore::NumSeparatori>;
Formato<Ingresso> ingresso() {
    const Formato<int> separatore = indice(Motore::NumSeparatori, nomeSeparatore);
    return {[](const Ingresso& scelti) -> std::optional<QString> {
                QStringList nomi;
                for (int i = 0; i < Motore::NumSeparatori; ++i) {
                    if (scelti[std::size_t(i)])
                        nomi << nomeSeparatore(i);
                }
                return nomi.isEmpty() ? QStringLiteral("nessuno") : nomi.join(u',');
            },
            [separatore](const QString& testo) -> std::optional<Ingresso> {
                Ingresso scelti{};
                if (testo == QLatin1StringView("nessuno"))
                    return scelti;
                for (const QString& nome : testo.split(u',')) {
                    const std::optional<int> i = separatore.valore(nome.trimmed());
                    if (!i)
                        return std::nullopt;
                    scelti[std::size_t(*i)] = true;
                }
                return scelti;
            }};
}

// A setting that may be absent: its key is then left out of the file.
template <typename T> Formato<std::optional<T>> facoltativo(Formato<T> f) {
    return {[f](const std::optional<T>& v) { return v ? f.testo(*v) : std::nullopt; },
            [f](const QString& testo) -> std::optional<std::optional<T>> {
                const std::optional<T> v = f.valore(testo);
                if (!v)
                    return std::nullopt;
                return v;
            }};
}

Formato<QColor> colore() {
    return {[](const QColor& c) { return std::optional<QString>(c.name(QColor::HexRgb)); },
            [](const QString& testo) -> std::optional<QColor> {
                static const QRegularExpression rgb(QStringLiteral("^#[0-9a-fA-F]{6}$"));
                if (!rgb.match(testo).hasMatch())
                    return std::nullopt;
                return QColor(testo);
            }};
}

Formato<QPoint> punto() {
    const Formato<int> coordinata = intero(-100000, 100000);
    return {[](const QPoint& p) {
                return std::optional<QString>(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
            },
            [coordinata](const QString& testo) -> std::optional<QPoint> {
                const QStringList parti = testo.split(u',');
                if (parti.size() != 2)
                    return std::nullopt;
                const std::optional<int> x = coordinata.valore(parti[0].trimmed());
                const std::optional<int> y = coordinata.valore(parti[1].trimmed());
                if (!x || !y)
                    return std::nullopt;
                return QPoint(*x, *y);
            }};
}

Formato<QString> cartella() {
    return {[](const QString& c) { return c.isEmpty() ? std::nullopt : std::optional(c); },
            [](const QString& testo) { return std::optional(testo); }};
}

// clang-format off
#define CAMPO(membro) [](auto& i) -> auto& { return i.membro; }
// clang-format on

// Every key of the file, in the order it is written.
const std::vector<Voce>& voci() {
    static const std::vector<Voce> tutte = {
        voce("ordine/verso", CAMPO(opzioni.ordine.verso),
             perNome<Verso, 5>({{{Verso::Crescente, "crescente"},
                                 {Verso::Decrescente, "decrescente"},
                                 {Verso::ComeNelTesto, "testo"},
                                 {Verso::Inverti, "inverti"},
                                 {Verso::Mescola, "mescola"}}})),
        voce("ordine/numeriNaturali", CAMPO(opzioni.ordine.numeriNaturali), siNo()),
        voce("ordine/maiuscole", CAMPO(opzioni.ordine.maiuscole),
             perNome<Maiuscole, 3>({{{Maiuscole::ComeLingua, "lingua"},
                                     {Maiuscole::MaiuscolePrima, "prima"},
                                     {Maiuscole::MinuscolePrima, "dopo"}}})),
        voce("ordine/ignoraPunteggiatura", CAMPO(opzioni.ordine.ignoraPunteggiatura), siNo()),
        voce("ordine/ignoraArticoli", CAMPO(opzioni.ordine.ignoraArticoli), siNo()),
        voce("ordine/doppioni", CAMPO(opzioni.ordine.doppioni),
             perNome<Doppioni, 5>({{{Doppioni::Tutti, "tutti"},
                                    {Doppioni::Elimina, "elimina"},
                                    {Doppioni::Ripetuti, "ripetuti"},
                                    {Doppioni::Unici, "unici"},
                                    {Doppioni::Conta, "conta"}}})),
        voce("ordine/simili", CAMPO(opzioni.ordine.simili), siNo()),
        voce("ordine/perFrequenza", CAMPO(opzioni.ordine.perFrequenza), siNo()),
        voce("ordine/intestazione", CAMPO(opzioni.ordine.intestazione), intero(0, 99)),
        voce("ordine/lingua", CAMPO(opzioni.ordine.lingua),
             indice(int(Motore::lingueOrdine().size()), codiceLingua)),
        // --- Sort keys: "ordine/chiavi", for OpzioniOrdine::chiavi. ---
        // The engine has no sort keys yet. They will come in opzioni.ordine
        // like every choice above, with a row here and a Formato of their own.
        // Until then the key is left alone: a file keeps what a later program
        // stored under it.
        // --- End of the sort keys. ---
        voce("separatori/ingresso", CAMPO(opzioni.ingresso), ingresso()),
        voce("separatori/uscita", CAMPO(opzioni.uscita),
             indice(Motore::NumSeparatori, nomeSeparatore)),
        voce("separatori/spazioDopo", CAMPO(opzioni.spazioDopo), siNo()),
        voce("separatori/fineRiga", CAMPO(opzioni.capo),
             perNome<Fine, 2>({{{Fine::Nessuno, "nessuno"}, {Fine::ComeUscita, "uscita"}}})),
        voce("separatori/fineTesto", CAMPO(opzioni.ultimo),
             perNome<Fine, 2>({{{Fine::Nessuno, "nessuno"}, {Fine::ComeUscita, "uscita"}}})),
        voce("finestra/aCapo", CAMPO(aCapo), siNo()),
        voce("finestra/caratteri", CAMPO(caratteri), intero(1, 100)),
        voce("finestra/copia", CAMPO(copia), siNo()),
        voce("finestra/sfondo", CAMPO(sfondo), facoltativo(colore())),
        voce("finestra/coloreTesto", CAMPO(coloreTesto), facoltativo(colore())),
        voce("finestra/posizione", CAMPO(posizione), facoltativo(punto())),
        voce("finestra/cartella", CAMPO(cartella), cartella()),
    };
    return tutte;
}

#undef CAMPO

void nota(const QString& testo) {
    qWarning("quorla: %s", qUtf8Printable(testo));
}

} // namespace

QString percorsoImpostazioni() {
    const QString cartella =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (cartella.isEmpty())
        return QString();
    return cartella + QStringLiteral("/quorla/quorla.conf");
}

Impostazioni leggiImpostazioni(const QString& percorso) {
    const QFileInfo info(percorso);
    if (percorso.isEmpty() || (!info.exists() && !info.isSymLink()))
        return {};
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
        return {};
    if (file.value(ChiaveVersione).toString() != Versione)
        return avviso(QT_TRANSLATE_NOOP("Impostazioni",
                                        "il file delle impostazioni %1 è di un'altra versione "
                                        "del programma; si usano quelle iniziali"));

    // A missing key leaves its start value quietly, one not understood with a note.
    Impostazioni imp;
    for (const Voce& v : voci()) {
        if (!file.contains(v.chiave))
            continue;
        const QVariant valore = file.value(v.chiave);
        // A list written by hand without quotes comes back as one.
        const QString testo = valore.typeId() == QMetaType::QStringList
                                  ? valore.toStringList().join(u',')
                                  : valore.toString();
        if (!v.leggi(imp, testo))
            nota(QCoreApplication::translate("Impostazioni", "valore non valido per %1 in %2: "
                                                             "«%3»; si usa quello iniziale")
                     .arg(v.chiave, percorso, testo));
    }
    return imp;
}

bool scriviImpostazioni(const QString& percorso, const Impostazioni& imp) {
    if (percorso.isEmpty())
        return false;
    bool altraVersione = false;
    {
        const QSettings vecchio(percorso, QSettings::IniFormat);
        // A damaged file would never be written over; another version's keys
        // would stand beside ours with their own meanings.
        if (vecchio.status() == QSettings::FormatError)
            QFile::remove(percorso);
        else
            altraVersione = !vecchio.allKeys().isEmpty() &&
                            vecchio.value(ChiaveVersione).toString() != Versione;
    }
    QSettings file(percorso, QSettings::IniFormat);
    if (altraVersione)
        file.clear();
    file.setValue(ChiaveVersione, Versione);
    for (const Voce& v : voci()) {
        if (const std::optional<QString> testo = v.testo(imp))
            file.setValue(v.chiave, *testo);
        else
            file.remove(v.chiave);
    }
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
