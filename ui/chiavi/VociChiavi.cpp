#include "VociChiavi.h"

#include <array>

namespace VociChiavi {

void perOgniVoce(QStringView testo, const Motore::Opzioni& opzioni,
                 const std::function<bool(Tratto)>& voce) {
    std::array<bool, 128> attivo{};
    if (opzioni.nul) {
        attivo[0] = true;
    } else {
        for (int i = 0; i < Motore::NumSeparatori; ++i) {
            const char16_t c = Motore::catalogo()[std::size_t(i)].carattere;
            if (opzioni.ingresso[std::size_t(i)] && c < attivo.size())
                attivo[c] = true;
        }
    }
    // The engine also cuts at U+0001, which it uses as a mark of its own.
    attivo[1] = true;
    const bool perRighe = opzioni.perRighe();
    auto confine = [&](qsizetype i) {
        const char16_t c = testo[i].unicode();
        if (c >= attivo.size())
            return false;
        // The LF of a CR LF belongs to the line break the CR already ends.
        if (c == u'\n')
            return perRighe && (opzioni.righeLf || (i > 0 && testo[i - 1] == u'\r'));
        return attivo[c];
    };

    qsizetype inizio = 0;
    for (qsizetype i = 0; i <= testo.size(); ++i) {
        if (i < testo.size() && !confine(i))
            continue;
        qsizetype a = inizio;
        qsizetype b = i;
        while (a < b && testo[a] == u' ')
            ++a;
        while (b > a && testo[b - 1] == u' ')
            --b;
        if (a < b && !voce({a, b - a}))
            return;
        inizio = i + 1;
    }
}

ChiaveCompilata::ChiaveCompilata(const Motore::Chiave& chiave) : chiave_(chiave) {
    if (chiave.parte == Motore::ParteChiave::Espressione)
        re_.setPattern(chiave.espressione);
}

std::optional<Motore::ParteTrovata> ChiaveCompilata::parte(QStringView voce) const {
    return Motore::trovaParte(voce, chiave_, &re_);
}

bool ChiaveCompilata::segnaParte() const {
    using Motore::ParteChiave;
    return chiave_.parte == ParteChiave::Campo || chiave_.parte == ParteChiave::Cognome ||
           chiave_.parte == ParteChiave::Espressione;
}

} // namespace VociChiavi
