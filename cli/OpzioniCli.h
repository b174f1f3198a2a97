#pragma once

#include "Opzioni.h"

#include <QString>
#include <QStringList>

namespace QuorlaCli {

// What the command line asks for: the engine's options, the inputs and the
// output.
struct Impostazioni {
    Motore::Opzioni opzioni; // the window's start-up choices unless a flag says otherwise
    QStringList ingressi;    // "-" is standard input; empty means standard input
    QString fileUscita;      // empty: standard output
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

// Makes Qt's own texts of the help and of parse errors Italian, without
// needing Qt's translation files at run time. Needs a QCoreApplication.
void InstallaTraduzioni();

} // namespace QuorlaCli
