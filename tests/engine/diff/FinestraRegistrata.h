#pragma once

#include "Finestra.h"

#include <QString>
#include <QStringList>

// Makes a text readable in a failure message: every character that is not
// printable ASCII is written as an escape, so spaces, line breaks, the marker
// and the characters the collator ignores all show.
inline QString leggibile(const QString& testo) {
    QString risultato(u'"');
    for (const QChar c : testo) {
        switch (c.unicode()) {
        case u'\r':
            risultato += QStringLiteral("\\r");
            break;
        case u'\n':
            risultato += QStringLiteral("\\n");
            break;
        case u'\t':
            risultato += QStringLiteral("\\t");
            break;
        case u'\\':
            risultato += QStringLiteral("\\\\");
            break;
        case u'"':
            risultato += QStringLiteral("\\\"");
            break;
        default:
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
                risultato += c;
            else
                risultato += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        }
    }
    risultato += u'"';
    return risultato;
}

// A window that does what the engine asks of it and writes down every request
// that changes something, in order, so that two runs can be compared whole.
class FinestraRegistrata : public Dichiarazioni::Finestra {
public:
    // What the window holds before the run.
    QString orig;
    QString ordine;
    QString appunti;
    bool aCapo = false;
    bool copia = false;
    int massimo = 100;

    // What the run did to it.
    QString fuoco = QStringLiteral("nessuno");
    qsizetype inizioSelezione = -1;
    qsizetype lunghezzaSelezione = -1;
    int posizioneSlider = -1;
    QStringList messaggi;
    QStringList registro;

    QString testoOrig() const override { return orig; }
    void impostaTestoOrig(const QString& testo) override {
        orig = testo;
        registro << QStringLiteral("impostaTestoOrig ") + leggibile(testo);
    }
    QString testoOrdine() const override { return ordine; }
    void impostaTestoOrdine(const QString& testo) override {
        ordine = testo;
        registro << QStringLiteral("impostaTestoOrdine ") + leggibile(testo);
    }

    void fuocoOrig() override {
        fuoco = QStringLiteral("Txt_Orig");
        registro << QStringLiteral("fuocoOrig");
    }
    void fuocoOrdine() override {
        fuoco = QStringLiteral("Txt_Ordine");
        registro << QStringLiteral("fuocoOrdine");
    }
    void selezionaOrdine(qsizetype inizio, qsizetype lunghezza) override {
        inizioSelezione = inizio;
        lunghezzaSelezione = lunghezza;
        registro << QStringLiteral("selezionaOrdine %1 %2").arg(inizio).arg(lunghezza);
    }

    void ridisegnaOrig() override { registro << QStringLiteral("ridisegnaOrig"); }
    void ridisegnaOrdine() override { registro << QStringLiteral("ridisegnaOrdine"); }
    void ridisegnaFinestra() override { registro << QStringLiteral("ridisegnaFinestra"); }

    bool aCapoAttivo() const override { return aCapo; }
    bool copiaAppuntiAttiva() const override { return copia; }

    int massimoSlider() const override { return massimo; }
    void impostaPosizioneSlider(int valore) override {
        posizioneSlider = valore;
        registro << QStringLiteral("impostaPosizioneSlider %1").arg(valore);
    }

    void messaggio(const QString& testo, const QString& titolo, unsigned flags) override {
        const QString voce =
            QStringLiteral("%1 %2 0x%3").arg(leggibile(testo), leggibile(titolo)).arg(flags, 0, 16);
        messaggi << voce;
        registro << QStringLiteral("messaggio ") + voce;
    }

    void svuotaAppunti() override {
        appunti.clear();
        registro << QStringLiteral("svuotaAppunti");
    }
    void impostaAppunti(const QString& testo) override {
        appunti = testo;
        registro << QStringLiteral("impostaAppunti ") + leggibile(testo);
    }
};
