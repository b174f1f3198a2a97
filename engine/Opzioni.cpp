#include "Opzioni.h"

#include <QLocale>
#include <QtGlobal>

namespace Motore {

const std::vector<LinguaOrdine>& lingueOrdine() {
    static const std::vector<LinguaOrdine> lingue = {
        {QT_TRANSLATE_NOOP("Lingue", "Lingua del sistema"), ""},
        {"Italiano", "it"},
        {"English", "en"},
        {"Deutsch", "de"},
        {QT_TRANSLATE_NOOP("Lingue", "Deutsch (elenco telefonico)"), "de@collation=phonebook"},
        {"Español", "es"},
        {QT_TRANSLATE_NOOP("Lingue", "Español (tradizionale)"), "es@collation=traditional"},
        {"Français", "fr"},
        {"Português", "pt"},
        {"Nederlands", "nl"},
        {"Svenska", "sv"},
        {"Dansk", "da"},
        {"Norsk", "nb"},
        {"Suomi", "fi"},
        {"Polski", "pl"},
        {"Čeština", "cs"},
        {"Magyar", "hu"},
        {"Română", "ro"},
        {"Türkçe", "tr"},
        {"Ελληνικά", "el"},
        {QT_TRANSLATE_NOOP("Lingue", "Codici Unicode"), ""},
    };
    return lingue;
}

int linguaCodiciUnicode() {
    return int(lingueOrdine().size()) - 1;
}

QByteArray localeIcu(int lingua) {
    if (lingua > LinguaSistema && lingua < linguaCodiciUnicode())
        return QByteArray(lingueOrdine()[std::size_t(lingua)].locale);
    // The toolkit's own collator opens the locale under its BCP 47 name. The C
    // locale has no alphabet (the toolkit would fall back to code points, every
    // capital before every small letter): the interface's language instead.
    const QLocale sistema;
    if (sistema.language() == QLocale::C)
        return QByteArrayLiteral("it_IT");
    return sistema.bcp47Name().replace(u'-', u'_').toLatin1();
}

} // namespace Motore
