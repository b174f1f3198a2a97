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
    qint64 memoria = 0;      // bytes a sort may take; 0: half the physical memory
    QString temporanei;      // where the runs of a larger text go; empty: the system's
};

// Half the physical memory, the default of --memoria.
qint64 MemoriaPredefinita();

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
