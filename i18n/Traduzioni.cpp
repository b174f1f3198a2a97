#include "Traduzioni.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace Traduzioni {

namespace {

// Where the build puts the translations (qt_add_translations in CMakeLists.txt).
const QString Cartella = QStringLiteral(":/traduzioni");
const QString Prefisso = QStringLiteral("quorla_");
const QString Estensione = QStringLiteral(".qm");

// The texts of the top-level CMakeLists.txt, which the generated headers hand
// to the code. Written out here for lupdate; a change made there alone shows
// up as an Italian line in the English about box.
[[maybe_unused]] const char* const TestiProgetto[] = {
    QT_TRANSLATE_NOOP("Quorla", "Brivetanzia alfabetico di testi"),
    QT_TRANSLATE_NOOP("Quorla", "Software libero, distribuito senza alcuna garanzia."),
    QT_TRANSLATE_NOOP("Quorla", "Mette in ordine alfabetico le voci di un testo."),
};

// The ordering languages whose names hold Italian words; the others are
// written in their own language, the same for every user.
[[maybe_unused]] const char* const NomiLingue[] = {
    QT_TRANSLATE_NOOP("Lingue", "Lingua del sistema"),
    QT_TRANSLATE_NOOP("Lingue", "Deutsch (elenco telefonico)"),
    QT_TRANSLATE_NOOP("Lingue", "Español (tradizionale)"),
    QT_TRANSLATE_NOOP("Lingue", "Codici Unicode"),
};

} // namespace

QStringList Disponibili() {
    QStringList lingue;
    const QStringList file =
        QDir(Cartella).entryList({Prefisso + u'*' + Estensione}, QDir::Files, QDir::Name);
    for (const QString& nome : file)
        lingue.append(
            nome.sliced(Prefisso.size(), nome.size() - Prefisso.size() - Estensione.size()));
    return lingue;
}

QString Scegli(const QStringList& preferite, const QStringList& disponibili) {
    bool nominata = false;
    for (const QString& voce : preferite) {
        // "it-IT", "it_IT", "it": the language is the first part.
        const QString lingua = voce.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (lingua.isEmpty() || lingua == u"c" || lingua == u"posix")
            continue;
        nominata = true;
        if (lingua == Italiano || disponibili.contains(lingua))
            return lingua;
    }
    return nominata ? Inglese : Italiano;
}

bool CaricaProgramma(QTranslator& traduttore, const QString& lingua) {
    return lingua != Italiano && traduttore.load(Prefisso + lingua, Cartella);
}

bool CaricaQt(QTranslator& traduttore, const QString& lingua) {
    return traduttore.load(QStringLiteral("qtbase_") + lingua,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Installa(const QString& lingua, bool ancheQt) {
    const auto installa = [&lingua](bool (*carica)(QTranslator&, const QString&)) {
        auto traduttore = std::make_unique<QTranslator>();
        if (!carica(*traduttore, lingua))
            return;
        traduttore->setParent(QCoreApplication::instance());
        QCoreApplication::installTranslator(traduttore.release());
    };
    installa(CaricaProgramma);
    if (ancheQt)
        installa(CaricaQt);
}

QString TestoProgetto(const char* testo) {
    return QCoreApplication::translate("Quorla", testo);
}

QString NomeLingua(const QString& nome) {
    return QCoreApplication::translate("Lingue", nome.toUtf8().constData());
}

} // namespace Traduzioni
