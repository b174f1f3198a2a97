#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The languages the interface speaks: Italian, the language its texts are
// written in, and every language whose translation is built into the program.
// Qt Core only, for both programs.
namespace Traduzioni {

inline const QString Italiano = QStringLiteral("it");
// The language of every user whose languages the program does not speak.
inline const QString Inglese = QStringLiteral("en");

// The languages with a translation built in, as "en", read from the
// translations themselves.
QStringList Disponibili();

// The language for a user whose system lists `preferite`, best first, as
// QLocale::uiLanguages() gives them ("it-IT", "de", "C"): the first of them
// that the program speaks; English when it speaks none of them; Italian when
// the list names no language at all (the C or POSIX locale), so that what
// reads the program's texts today keeps reading them.
QString Scegli(const QStringList& preferite, const QStringList& disponibili = Disponibili());

// Loads the program's own translation into `lingua`; false for Italian, which
// needs none.
bool CaricaProgramma(QTranslator& traduttore, const QString& lingua);
// Loads Qt's translation of its own texts (dialogs, buttons, command-line
// help) from Qt's translations folder, when it is installed.
bool CaricaQt(QTranslator& traduttore, const QString& lingua);

// Installs both for the whole run; the application object owns them. Without
// `ancheQt`, Qt's own texts are left to the caller.
void Installa(const QString& lingua, bool ancheQt = true);

// A text that CMakeLists.txt sets for the version resource and the about box
// (the description, the legal line, the comment), in the user's language.
QString TestoProgetto(const char* testo);

// The name of an ordering language (Dichiarazioni::Lingue_Ordine()) as the
// user reads it: most are written in their own language and stay as they are.
QString NomeLingua(const QString& nome);

} // namespace Traduzioni
