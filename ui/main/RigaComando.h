#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

// The program's command line: quorla [-h | --help] [-v | --version] [FILE].

// Answers --help and --version on `uscita` and gives the exit code; nothing
// for any other command line. Needs no display, so it runs before the toolkit
// starts, on the arguments as given (program name first), which may still
// hold the toolkit's own options.
std::optional<int> RispostaImmediata(const QStringList& argomenti, QTextStream& uscita);

// What a start of the window takes from the arguments the toolkit has left.
struct RigaComando {
    // The file to open as "Apri..." would, as an absolute path.
    std::optional<QString> file;
    // Set when the program must end at once with this code (an unknown option).
    std::optional<int> uscita;
};

// Reads the arguments after RispostaImmediata. Arguments past the first file
// are ignored, and said so on `errori`, as is an unknown option.
RigaComando LeggiRigaComando(const QStringList& argomenti, QTextStream& errori);
