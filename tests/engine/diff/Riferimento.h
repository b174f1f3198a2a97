#pragma once

#include "Dichiarazioni.h"

#include <QString>
#include <QStringList>
#include <array>

// A second, deliberately literal implementation of the engine, written apart
// from the real one so that the two can be run side by side on the same input.
// It favours following the procedure step by step over speed.
namespace Riferimento {

inline constexpr int NumSeparatori = 14;

// The fixed catalogue, written out character by character.
const std::array<QString, NumSeparatori>& separatori();
const std::array<QString, NumSeparatori>& nomi();

// What the reference keeps of the options; the real engine keeps the same in
// its module-level variables.
struct Opzioni {
    std::array<bool, NumSeparatori> ingresso{};
    QString uscita;
    QString capo;
    QString ultimo;
};

// The dialog defaults and the default output options.
Dichiarazioni::Stato_Dialogo statoIniziale(Opzioni& opzioni);

// Reads the dialog state into the options and composes the two panel texts.
Dichiarazioni::Testi_Stato leggi(const Dichiarazioni::Stato_Dialogo& stato, Opzioni& opzioni);

// What a run leaves in the two working containers.
struct Liste {
    QStringList ordine;
    QStringList frasi;
};

// One run on the window, with line length numCaratteri.
Liste elabora(Dichiarazioni::Finestra& finestra, const Opzioni& opzioni, int numCaratteri);

} // namespace Riferimento
