#pragma once

#include "Finestra.h"

#include <QList>
#include <QString>

// A window that only remembers what the engine did to it.
class FintaFinestra : public Dichiarazioni::Finestra {
public:
    enum class Fuoco { Nessuno, Orig, Ordine };
    struct Messaggio {
        QString testo;
        QString titolo;
        unsigned flags = 0;
    };

    QString orig;
    QString ordine;
    Fuoco fuoco = Fuoco::Nessuno;
    qsizetype selInizio = -1;
    qsizetype selLunghezza = -1;
    bool aCapo = false;
    bool copia = false;
    int sliderMassimo = 100;
    int sliderPosizione = 50;
    QList<Messaggio> messaggi;
    QString appunti = QStringLiteral("<prima>");
    int appuntiSvuotati = 0;

    QString testoOrig() const override { return orig; }
    void impostaTestoOrig(const QString& t) override { orig = t; }
    QString testoOrdine() const override { return ordine; }
    void impostaTestoOrdine(const QString& t) override { ordine = t; }
    void fuocoOrig() override { fuoco = Fuoco::Orig; }
    void fuocoOrdine() override { fuoco = Fuoco::Ordine; }
    void selezionaOrdine(qsizetype inizio, qsizetype lunghezza) override {
        selInizio = inizio;
        selLunghezza = lunghezza;
    }
    void ridisegnaOrig() override {}
    void ridisegnaOrdine() override {}
    void ridisegnaFinestra() override {}
    bool aCapoAttivo() const override { return aCapo; }
    bool copiaAppuntiAttiva() const override { return copia; }
    int massimoSlider() const override { return sliderMassimo; }
    void impostaPosizioneSlider(int v) override { sliderPosizione = v; }
    void messaggio(const QString& testo, const QString& titolo, unsigned flags) override {
        messaggi.append({testo, titolo, flags});
    }
    void svuotaAppunti() override {
        appunti.clear();
        ++appuntiSvuotati;
    }
    void impostaAppunti(const QString& t) override { appunti = t; }
};
