#pragma once

#include "Dichiarazioni.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace QuorlaCli {

// What the command line asks for, as changes to the window's start-up state:
// every field left at its default leaves that state as it is.
struct Impostazioni {
    // Catalogue indices of the input separators; unset keeps space and ";".
    std::optional<std::vector<int>> separatori;
    std::optional<int> uscita; // catalogue index of the output separator
    bool spazioDopo = false;
    bool fineRiga = false;        // line end "Come "Testo riordinato""
    bool fineTesto = false;       // end of text "Come "Testo riordinato""
    std::optional<int> larghezza; // the reflow, on at this width
    Dichiarazioni::Opzioni_Ordine ordine;
    QStringList ingressi; // "-" is standard input; empty means standard input
    QString fileUscita;   // empty: standard output
};

enum class Esito { Procedi, Aiuto, Versione, Errore };

struct Analisi {
    Esito esito = Esito::Errore;
    Impostazioni impostazioni;
    QString errore; // for Esito::Errore, one line in Italian
    QString aiuto;  // the full --help text
};

// Parses the arguments (the program name first, as in main's argv).
Analisi Analizza(const QStringList& argomenti);

// The text of --version.
QString TestoVersione();

// Sets the engine's options as the window does at start-up, then applies the
// changes, as confirming the separator dialog and the "Ordine" menu would.
void ApplicaAlMotore(const Impostazioni& impostazioni);

// Makes Qt's own texts of the help and of parse errors Italian, without
// needing Qt's translation files at run time. Needs a QCoreApplication.
void InstallaTraduzioni();

} // namespace QuorlaCli
