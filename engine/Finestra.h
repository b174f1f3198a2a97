#pragma once

#include <QString>
#include <QStringView>

namespace Dichiarazioni {

// Everything the engine may do to the main window, and nothing more. The main
// window implements it with real widgets; the tests implement it with a fake.
//
// Texts cross this boundary with the engine's line break, carriage return plus
// line feed: an implementation converts to and from its widgets' own.
class Finestra {
public:
    virtual ~Finestra() = default;

    virtual QString testoOrig() const = 0;
    // The length of testoOrig(), as lunghezzaOrdine below.
    virtual qsizetype lunghezzaOrig() const { return testoOrig().size(); }
    virtual void impostaTestoOrig(const QString& testo) = 0;
    virtual QString testoOrdine() const = 0;
    // The length of testoOrdine(); a window whose box can tell it without
    // building the text spares a copy of a large result.
    virtual qsizetype lunghezzaOrdine() const { return testoOrdine().size(); }
    virtual void impostaTestoOrdine(const QString& testo) = 0;
    // The same, for a text nobody else keeps: a window that can take it over
    // spares a copy of a large result.
    virtual void prendiTestoOrdine(QString testo) { impostaTestoOrdine(testo); }
    // A large result in pieces as it is made, so that it is never held whole
    // beside the box: a window that can take it so says yes here, then gets
    // the pieces and fineTestoOrdine. A CR LF may be split between two pieces.
    virtual bool iniziaTestoOrdine() { return false; }
    virtual void aggiungiTestoOrdine(QStringView) {}
    virtual void fineTestoOrdine() {}

    // Focus may be refused (a disabled window); the engine does not care.
    virtual void fuocoOrig() = 0;
    virtual void fuocoOrdine() = 0;
    // Selection in the output box; start counts from 0 before the first character.
    virtual void selezionaOrdine(qsizetype inizio, qsizetype lunghezza) = 0;

    virtual void ridisegnaOrig() = 0;
    virtual void ridisegnaOrdine() = 0;
    virtual void ridisegnaFinestra() = 0;

    // Checked states of the menu items MenuACapo and MenuCopiaAppunti.
    virtual bool aCapoAttivo() const = 0;
    virtual bool copiaAppuntiAttiva() const = 0;

    // Moving the slider from here is not a user's click on it.
    virtual int massimoSlider() const = 0;
    virtual void impostaPosizioneSlider(int valore) = 0;

    // A modal message box; returns when the user has closed it. The flags are
    // the classic message-box flags (icon, buttons, bring to the foreground).
    virtual void messaggio(const QString& testo, const QString& titolo, unsigned flags) = 0;

    virtual void svuotaAppunti() = 0;
    virtual void impostaAppunti(const QString& testo) = 0;
};

} // namespace Dichiarazioni
