#pragma once

#include "Dichiarazioni.h"

#include <QCollator>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

// A second, deliberately literal implementation of a run in the default order,
// written apart from the engine so that the two can be run side by side. It
// follows the procedure step by step, in plain string operations.
namespace Riferimento {

const QString Caratteri = QStringLiteral(" \r\t;:,.!?<>/\\|"); // the catalogue
const QString M(QChar(1));

struct Opzioni {
    std::array<bool, 14> ingresso{};
    QString uscita = QStringLiteral(";");
    QString capo;
    QString ultimo;
};

// What a dialog state read after the defaults stands for.
inline Opzioni leggi(const Dichiarazioni::Stato_Dialogo& s) {
    Opzioni o;
    for (std::size_t i = 0; i < 14 && i < s.Chk_Separa.size(); ++i)
        o.ingresso[i] = s.Chk_Separa[i] == 1;
    for (std::size_t i = 0; i < 14 && i < s.Opt_Separatore_Out.size(); ++i) {
        if (s.Opt_Separatore_Out[i]) {
            o.uscita = Caratteri[i];
            break;
        }
    }
    o.capo = s.Opt_Capo[0] ? QStringLiteral(" ") : o.uscita;
    o.ultimo = s.Opt_Ultimo[0] ? QString() : o.uscita;
    return o;
}

inline QString rifila(QString t) {
    return t.remove(QRegularExpression(QStringLiteral("^ +| +\\z")));
}

struct Liste {
    QStringList ordine;
    QStringList frasi;
};

inline Liste elabora(Dichiarazioni::Finestra& f, const Opzioni& o, int n) {
    Liste liste;
    QString lavoro = rifila(f.testoOrig());
    if (lavoro.isEmpty()) {
        f.impostaTestoOrdine(QString());
        f.ridisegnaOrdine();
        f.impostaTestoOrig(QString());
        f.fuocoOrig();
        f.ridisegnaOrig();
        f.ridisegnaFinestra();
        return liste;
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
    for (qsizetype i = 0; i < pezzi.size(); ++i) {
        if (i + 1 == pezzi.size() || !rifila(pezzi[i]).isEmpty())
            liste.ordine << rifila(pezzi[i]);
    }
    // Empty first; equal items in the order they came.
    const QCollator collatore;
    std::stable_sort(
        liste.ordine.begin(), liste.ordine.end(), [&](const QString& a, const QString& b) {
            return a.isEmpty() ? !b.isEmpty() : !b.isEmpty() && collatore.compare(a, b) < 0;
        });

    const QString& s = o.uscita;
    QString unito;
    for (const QString& voce : liste.ordine)
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
            if (resto.isEmpty() && !riga.isEmpty()) {
                liste.frasi << riga;
                spezzato = true;
                break;
            }
            if (resto.startsWith(s)) {
                liste.frasi << riga;
                resto.remove(0, 1);
            } else if (riga.endsWith(s)) {
                liste.frasi << riga.chopped(1);
            } else if (riga.contains(s)) {
                const qsizetype rottura = riga.lastIndexOf(s);
                resto = riga.mid(rottura + 1) + resto;
                liste.frasi << riga.left(rottura);
            } else {
                break;
            }
        }
        if (spezzato) {
            uscita = liste.frasi.join(o.capo + QStringLiteral("\r\n"));
        } else {
            f.messaggio(QStringLiteral("Impossibile formattare il testo"),
                        QStringLiteral("Quorla!"), 0x10030);
            f.impostaPosizioneSlider(f.massimoSlider());
        }
    }
    f.impostaTestoOrdine(rifila(uscita) + o.ultimo);
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
    return liste;
}

} // namespace Riferimento
