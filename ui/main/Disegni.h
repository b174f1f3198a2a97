#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

// The program's two pictures, drawn at run time so that they look the same on
// every machine, whatever fonts it has.

namespace MisureRighello {
inline constexpr int Larghezza = 624;
inline constexpr int Altezza = 47;
inline constexpr int Colonne = 100;
inline constexpr int Passo = 6;
inline QColor sfondo() {
    return QColor(236, 233, 216);
}
} // namespace MisureRighello

// The character-column ruler: 100 columns of 6 pixels, the tens numbered on
// top, a digit for every column, a base line and a tick under every column.
// Black on a pale grey, two colours only.
QImage disegnaRighello();

// The window icon: a white page with its top-right corner turned down and a
// grey shadow, bearing a large black serif capital A. Any side length; the
// drawing is made on a 32-unit grid.
QImage disegnaIcona(int lato);
QIcon iconaQuorla();
