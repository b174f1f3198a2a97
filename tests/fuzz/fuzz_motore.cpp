// Random texts through the engine with random options and keys: every item comes out once
// (with the duplicates choices, only items that went in), whatever the keys read.
#include "Motore.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Motore;

namespace {

void verifica(bool condizione, const char* cosa) {
    if (!condizione) {
        std::fprintf(stderr, "invariant broken: %s\n", cosa);
        std::abort();
    }
}

// The items as the line break alone cuts them (CR, LF, code 1), trimmed, the empty dropped.
QStringList voci(const QString& testo, bool uscita) {
    static const QRegularExpression riga(QStringLiteral("\\n")),
        ingresso(QStringLiteral("[\\r\\n\\x01]")), spazi(QStringLiteral("^ +| +\\z"));
    QStringList l = testo.split(uscita ? riga : ingresso);
    for (QString& v : l)
        v.remove(spazi);
    l.removeAll(QString());
    l.sort();
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n < 8)
        return 0;
    Opzioni o;
    o.ingresso.fill(false);
    o.ingresso[std::size_t(indice(Sep::Invio))] = true;
    o.uscita = indice(Sep::Invio);
    o.righeLf = o.uscitaLf = true;
    OpzioniOrdine& r = o.ordine;
    r.verso = Verso(dati[0] % 5);
    r.doppioni = Doppioni(dati[1] % 5);
    r.simili = dati[1] & 0x80;
    r.numeriNaturali = dati[2] & 1;
    r.ignoraPunteggiatura = dati[2] & 2;
    r.ignoraArticoli = dati[2] & 4;
    r.maiuscole = Maiuscole((dati[2] >> 3) % 3);
    r.perFrequenza = dati[2] & 0x40;
    r.lingua = dati[3] % int(lingueOrdine().size());
    // A fixed item keeps a " (" of its own that a count would be read from.
    r.intestazione = r.doppioni == Doppioni::Conta ? 0 : dati[4] % 4;
    r.seme = 1;
    constexpr char16_t Campi[] = {u' ', u'\t', u',', u';', u'|'};
    for (int k = 0; k < dati[5] % 4; ++k) {
        Chiave c;
        c.parte = ParteChiave((dati[6] >> k) % 4); // no patterns: they would need a valid one
        c.tipo = TipoChiave((dati[7] >> k) % 5);
        c.campo = (k % 2 ? -1 : 1) * (1 + k);
        c.separatoreCampi = QChar(Campi[(dati[6] + k) % std::size(Campi)]);
        c.decrescente = (dati[7] >> (k + 4)) & 1;
        r.chiavi.push_back(c);
    }
    const QString testo =
        QString::fromUtf8(reinterpret_cast<const char*>(dati + 8), qsizetype(n - 8));
    UscitaTesto uscita;
    const Risultato esito = ordina(testo, o, uscita);
    const QStringList dentro = voci(testo, false);
    QStringList fuori = voci(uscita.testo, true);
    verifica(!esito.vuoto || uscita.testo.isEmpty(), "an empty text wrote something");
    if (r.doppioni == Doppioni::Conta) {
        for (QString& v : fuori)
            v.truncate(v.lastIndexOf(u" ("));
        fuori.sort();
    }
    if (r.doppioni == Doppioni::Tutti) {
        verifica(fuori == dentro, "the items out are not the items in");
    } else {
        for (const QString& v : fuori)
            verifica(dentro.contains(v), "an item out that did not go in");
    }
    return 0;
}
