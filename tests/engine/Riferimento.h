#pragma once

#include "Opzioni.h"

#include <QCollator>
#include <QRegularExpression>
#include <algorithm>

// A second, deliberately literal run in the default order, written apart from the engine to
// be run beside it: the procedure step by step, in plain string operations.
namespace Riferimento {

const QString Caratteri = QStringLiteral(" \r\t;:,.!?<>/\\|"); // the catalogue
const QString M(QChar(1));

inline QString rifila(QString t) {
    return t.remove(QRegularExpression(QStringLiteral("^ +| +\\z")));
}

struct Esito {
    QString uscita;
    bool vuoto = false, formattato = true;
    qsizetype voci = 0;
};

// One run in the default order, with a punctuation mark as output separator.
inline Esito elabora(const QString& testo, const Motore::Opzioni& o) {
    Esito esito;
    QString lavoro = rifila(testo);
    if (lavoro.isEmpty()) {
        esito.vuoto = true;
        return esito;
    }
    // The line break arrives as CR LF; a lone CR splits too.
    for (int i = 0; i < 14; ++i) {
        if (o.ingresso[i] && i == 1)
            lavoro.replace(QStringLiteral("\r\n"), M).replace(QStringLiteral("\r"), M);
        else if (o.ingresso[i])
            lavoro.replace(Caratteri[i], M);
    }
    while (lavoro.contains(M + M))
        lavoro.replace(M + M, M);
    const QStringList pezzi = lavoro.split(M);
    QStringList voci;
    for (qsizetype i = 0; i < pezzi.size(); ++i)
        if (i + 1 == pezzi.size() || !rifila(pezzi[i]).isEmpty())
            voci << rifila(pezzi[i]);
    // Empty first; equal items in the order they came.
    const QCollator collatore;
    std::stable_sort(voci.begin(), voci.end(), [&](const QString& a, const QString& b) {
        return a.isEmpty() ? !b.isEmpty() : !b.isEmpty() && collatore.compare(a, b) < 0;
    });
    esito.voci = voci.size();

    const QString s = Caratteri[o.uscita];
    const QString capo = o.capo == Motore::Fine::Nessuno ? QStringLiteral(" ") : s;
    const QString ultimo = o.ultimo == Motore::Fine::Nessuno ? QString() : s;
    QString unito;
    for (const QString& voce : voci)
        unito += voce + s;
    unito.chop(1);
    unito.replace(s + s, s); // one pass: three become two
    if (unito.startsWith(s))
        unito.remove(0, 1);

    QString uscita = unito;
    if (o.larghezza) {
        const int n = *o.larghezza;
        QStringList frasi;
        QString resto = unito;
        for (;;) {
            QString riga = resto.left(n);
            resto = resto.mid(n);
            if (riga.startsWith(s))
                riga.remove(0, 1);
            if (resto.isEmpty() && !riga.isEmpty()) {
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
                esito.formattato = false;
                break;
            }
        }
        if (esito.formattato)
            uscita = frasi.join(capo + QStringLiteral("\r\n"));
    }
    esito.uscita = rifila(uscita) + ultimo;
    return esito;
}

} // namespace Riferimento
