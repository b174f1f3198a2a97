#pragma once

#include <QChar>
#include <array>

// The fourteen separators, in the one order every part of the program uses:
// the engine by character, the command line by name, the dialog by caption
// and the status bar by its short name. The texts are translation sources
// (context "Separatori"), to be passed through QCoreApplication::translate.
namespace Motore {

inline constexpr int NumSeparatori = 14;

enum class Sep {
    Spazio,
    Invio,
    Tab,
    PuntoEVirgola,
    DuePunti,
    Virgola,
    Punto,
    Esclamativo,
    Domanda,
    Minore,
    Maggiore,
    Barra,
    BarraRovescia,
    BarraVerticale,
};

constexpr int indice(Sep s) {
    return int(s);
}

struct Separatore {
    char16_t carattere;       // in the text; "Invio" is the CR of a CR LF
    const char* nomeCli;      // as the command line spells it
    const char* casella;      // caption of the input check box in the dialog
    const char* opzione;      // caption of the output option in the dialog
    const char* suggerimento; // tool tip of both
    const char* nomeStato;    // how the status bar names it
};

const std::array<Separatore, NumSeparatori>& catalogo();

// The catalogue index of a character, or -1.
int indiceCarattere(QChar c);

inline constexpr const char* ContestoSeparatori = "Separatori";

} // namespace Motore
