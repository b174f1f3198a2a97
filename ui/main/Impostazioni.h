#pragma once

#include "Opzioni.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <optional>

// What the window remembers from one run to the next, as plain values. Every
// member starts at the program's start-up choice, so Impostazioni{} is the
// window as a first run shows it.
struct Impostazioni {
    // The ordering and separator choices. The reflow's width is not among
    // them: "A CAPO" and the line length below stand for it.
    Motore::Opzioni opzioni;
    bool aCapo = false; // "A CAPO"
    int caratteri = 50; // the line length, 1 to 100
    // "COPIA". Kept like every other choice: whoever turns it on has made it
    // the way they work (sort, then paste elsewhere), and the panel "COPIA"
    // shows it lit from the first moment of the next run, before anything is
    // copied; nothing is copied until a sort runs.
    bool copia = false;
    std::optional<QColor> sfondo;      // of both boxes; none: the design colour
    std::optional<QColor> coloreTesto; // none: the system's text colour
    std::optional<QPoint> posizione;   // the window's top-left; none: centred
    QString cartella; // the last folder of "Apri..." and "Salva con nome..."; empty: none yet

    bool operator==(const Impostazioni&) const = default;
};

// The settings file in the user's configuration folder,
// $XDG_CONFIG_HOME/quorla/quorla.conf (~/.config when it is not set); empty
// when the system names no such folder.
QString percorsoImpostazioni();

// What the file holds. A missing file gives the start values; a file that
// cannot be read or parsed, or that another version of the program wrote, gives
// them too; a value out of range or not understood gives the start value of
// that setting alone. Each of those is noted on the standard error.
Impostazioni leggiImpostazioni(const QString& percorso);

// Writes every setting to the file, making its folder when needed; false,
// with a note on the standard error, when it could not be written.
bool scriviImpostazioni(const QString& percorso, const Impostazioni& impostazioni);

// Where "Apri..." and "Salva con nome..." first open: the program's own folder
// when the user may write there (a copy unpacked in the user's files), otherwise
// the user's documents folder, or the home folder when there is none.
QString cartellaIniziale(const QString& cartellaProgramma);
