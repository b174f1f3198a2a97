#pragma once

#include "Finestra.h"

#include <QStringList>

// A window that does what the engine asks and writes down, in order, every
// request that changes something, so that two runs can be compared whole.
class FinestraRegistrata : public Dichiarazioni::Finestra {
public:
    QString orig;
    QString ordine = QStringLiteral("uscita di prima");
    QString appunti = QStringLiteral("appunti di prima");
    bool aCapo = false, copia = false;
    QStringList registro;

    explicit FinestraRegistrata(const QString& testo = {}, bool aCapo = false, bool copia = false)
        : orig(testo), aCapo(aCapo), copia(copia) {}
    QString testoOrig() const override { return orig; }
    void impostaTestoOrig(const QString& t) override { nota("orig", orig = t); }
    QString testoOrdine() const override { return ordine; }
    void impostaTestoOrdine(const QString& t) override { nota("ordine", ordine = t); }
    void fuocoOrig() override { nota("fuocoOrig"); }
    void fuocoOrdine() override { nota("fuocoOrdine"); }
    void selezionaOrdine(qsizetype inizio, qsizetype n) override {
        nota("seleziona", QStringLiteral("%1 %2").arg(inizio).arg(n));
    }
    void ridisegnaOrig() override { nota("ridisegnaOrig"); }
    void ridisegnaOrdine() override { nota("ridisegnaOrdine"); }
    void ridisegnaFinestra() override { nota("ridisegnaFinestra"); }
    bool aCapoAttivo() const override { return aCapo; }
    bool copiaAppuntiAttiva() const override { return copia; }
    int massimoSlider() const override { return 100; }
    void impostaPosizioneSlider(int v) override { nota("slider", QString::number(v)); }
    void messaggio(const QString& testo, const QString& titolo, unsigned flags) override {
        nota("messaggio", QStringLiteral("%1|%2|%3").arg(testo, titolo).arg(flags, 0, 16));
    }
    void svuotaAppunti() override { nota("svuotaAppunti", appunti = QString()); }
    void impostaAppunti(const QString& t) override { nota("appunti", appunti = t); }
    bool avvisato() const { return !registro.filter(QStringLiteral("messaggio")).isEmpty(); }

private:
    void nota(const char* cosa, const QString& t = {}) {
        registro << QLatin1String(cosa) + u' ' + t;
    }
};
