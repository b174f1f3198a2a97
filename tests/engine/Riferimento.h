#pragma once

#include "Dichiarazioni.h"

#include <QCollator>
#include <QRegularExpression>
#include <algorithm>

// A second, deliberately literal implementation of a run in the default order,
// written apart from the engine so that the two can be run side by side. It
// follows the procedure step by step, in plain string operations.
namespace Riferimento {

const QString Caratteri = QStringLiteral(" \r\t;:,.!?<>/\\|"); // the catalogue
const QString M(QChar(1));

inline QString rifila(QString t) {
    return t.remove(QRegularExpression(QStringLiteral("^ +| +\\z")));
}

// One run on the window under the engine's current separator options, with
// lines of n characters; returns the items and the lines of the reflow.
inline std::pair<QStringList, QStringList> elabora(Dichiarazioni::Finestra& f, int n) {
    using namespace Dichiarazioni;
    QStringList voci, frasi;
    QString lavoro = rifila(f.testoOrig());
    if (lavoro.isEmpty()) {
        f.impostaTestoOrdine(QString());
        f.ridisegnaOrdine();
        f.impostaTestoOrig(QString());
        f.fuocoOrig();
        f.ridisegnaOrig();
        f.ridisegnaFinestra();
        return {};
    }
    // The line break arrives as CR LF; a lone CR splits too.
    for (int i = 0; i < 14; ++i) {
        if (Sep_Ingresso[i] && i == 1)
            lavoro.replace(QStringLiteral("\r\n"), M).replace(QStringLiteral("\r"), M);
        else if (Sep_Ingresso[i])
            lavoro.replace(Caratteri[i], M);
    }
    while (lavoro.contains(M + M))
        lavoro.replace(M + M, M);
    const QStringList pezzi = lavoro.split(M);
    for (qsizetype i = 0; i < pezzi.size(); ++i) {
        if (i + 1 == pezzi.size() || !rifila(pezzi[i]).isEmpty())
            voci << rifila(pezzi[i]);
    }
    // Empty first; equal items in the order they came.
    const QCollator collatore;
    std::stable_sort(voci.begin(), voci.end(), [&](const QString& a, const QString& b) {
        return a.isEmpty() ? !b.isEmpty() : !b.isEmpty() && collatore.compare(a, b) < 0;
    });

    const QString& s = Sep_Uscita;
    QString unito;
    for (const QString& voce : voci)
        unito += voce + s;
    unito.chop(1);
    unito.replace(s + s, s); // one pass: three become two
    if (unito.startsWith(s))
        unito.remove(0, 1);

    QString uscita = unito;
    if (f.aCapoAttivo()) {
        QString resto = unito;
        bool spezzato = false;
        for (;;) {
            QString riga = resto.left(n);
            resto = resto.mid(n);
            if (riga.startsWith(s))
                riga.remove(0, 1);
            if ((spezzato = resto.isEmpty() && !riga.isEmpty())) {
                frasi << riga;
                break;
            }
            if (resto.startsWith(s)) {
                frasi << riga;
                resto.remove(0, 1);
            } else if (riga.endsWith(s)) {
                frasi << riga.chopped(1);
            } else if (riga.contains(s)) {
                const qsizetype rottura = riga.lastIndexOf(s);
                resto = riga.mid(rottura + 1) + resto;
                frasi << riga.left(rottura);
            } else {
                break;
            }
        }
        if (spezzato) {
            uscita = frasi.join(Sep_Capo + QStringLiteral("\r\n"));
        } else {
            f.messaggio(QStringLiteral("Impossibile formattare il testo"),
                        QStringLiteral("Quorla!"), 0x10030);
            f.impostaPosizioneSlider(f.massimoSlider());
        }
    }
    f.impostaTestoOrdine(rifila(uscita) + Sep_Ultimo);
    f.ridisegnaOrdine();
    if (f.copiaAppuntiAttiva()) {
        f.svuotaAppunti();
        f.impostaAppunti(f.testoOrdine());
        f.fuocoOrig();
        f.ridisegnaOrig();
    } else {
        f.selezionaOrdine(0, f.testoOrdine().size());
        f.fuocoOrdine();
        f.ridisegnaOrdine();
    }
    return {voci, frasi};
}

} // namespace Riferimento
