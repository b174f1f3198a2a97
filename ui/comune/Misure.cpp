#include "Misure.h"

#include <QtMath>
#include <algorithm>

namespace Misure {

int daTwip(int twip) {
    return qRound(twip / 15.0);
}

QRect daTwip(int sinistra, int alto, int larghezza, int altezza) {
    return {daTwip(sinistra), daTwip(alto), daTwip(larghezza), daTwip(altezza)};
}

QFont adattato(QFont carattere, const std::function<bool(const QFont&)>& entra) {
    constexpr qreal PuntiMinimi = 6.0;
    constexpr int PixelMinimi = 8;
    while (!entra(carattere)) {
        if (carattere.pointSizeF() > PuntiMinimi)
            carattere.setPointSizeF(std::max(PuntiMinimi, carattere.pointSizeF() - 0.5));
        else if (carattere.pointSizeF() <= 0 && carattere.pixelSize() > PixelMinimi)
            carattere.setPixelSize(carattere.pixelSize() - 1);
        else
            break;
    }
    return carattere;
}

} // namespace Misure
