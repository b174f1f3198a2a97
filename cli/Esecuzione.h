#pragma once

#include "OpzioniCli.h"

#include <QStringList>

namespace QuorlaCli {

// Exit statuses.
inline constexpr int EsitoRiuscito = 0;
inline constexpr int EsitoNonFormattato = 1; // the reflow could not break a line
inline constexpr int EsitoErrore = 2;        // a bad option, an unreadable input, a failed write

// Reads the inputs, sorts them and writes the result; returns the exit status.
int Esegui(const Impostazioni& impostazioni);

// The whole program after QCoreApplication: the arguments, then the run.
int Principale(const QStringList& argomenti);

} // namespace QuorlaCli
