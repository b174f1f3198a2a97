#pragma once

#include <QFont>
#include <QRect>
#include <functional>

// The windows were laid out in twips, and drawn for a small system font.
namespace Misure {

// At 96 dots per inch 15 twips make a pixel; a length between two pixels goes
// to the nearer one.
int daTwip(int twip);
QRect daTwip(int sinistra, int alto, int larghezza, int altezza);

// The largest size of the font, down to a legible floor (6 points, or 8
// pixels for a font sized in pixels), at which entra says the texts fit;
// the floor when none does.
QFont adattato(QFont carattere, const std::function<bool(const QFont&)>& entra);

} // namespace Misure
