#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The classic message-box flags of the program's two kinds of box: the
// exclamation icon for a warning, the information icon for the about box;
// OK only, brought to the foreground.
inline constexpr unsigned FlagAvviso = 0x10030;
inline constexpr unsigned FlagInformazione = 0x10040;
inline const QString TitoloAvviso = QStringLiteral("Quorla!");

// Everything modal that the main window shows: message boxes and the common
// colour and file dialogs. The window takes it by injection so that the tests
// can answer in place of a user and see what was asked.
class Dialoghi {
public:
    // One use of the common file dialog, set up anew every time.
    struct OpzioniFile {
        QString titolo;
        QStringList filtri;   // Qt name filters, e.g. "File di testo (*.txt)"
        QString nomeIniziale; // shown in the file name field
        QString estensione;   // no dot: added to a name typed without one, when
                              // opening only if the name as typed does not exist
        QString cartella;     // where the dialog opens
        bool deveEsistere = false;
        bool chiediSovrascrittura = false;
    };

    virtual ~Dialoghi() = default;

    // A modal message box with a single OK button, brought to the foreground.
    // The flags are the classic message-box flags; the icon is taken from them.
    virtual void messaggio(QWidget* padre, const QString& testo, const QString& titolo,
                           unsigned flags) = 0;

    // The chosen colour, or nullopt when the user cancelled.
    virtual std::optional<QColor> colore(QWidget* padre, const QString& titolo) = 0;

    // The chosen full path, or nullopt when the user cancelled.
    virtual std::optional<QString> apriFile(QWidget* padre, const OpzioniFile& opzioni) = 0;
    virtual std::optional<QString> salvaFile(QWidget* padre, const OpzioniFile& opzioni) = 0;

    // A whole number from `minimo` to `massimo`, offered at `valore`, or
    // nullopt when the user cancelled. `etichetta` names the field, with its
    // access key.
    virtual std::optional<int> numero(QWidget* padre, const QString& titolo,
                                      const QString& etichetta, int valore, int minimo,
                                      int massimo) = 0;
};

// The real dialogs of the toolkit.
class DialoghiQt : public Dialoghi {
public:
    void messaggio(QWidget* padre, const QString& testo, const QString& titolo,
                   unsigned flags) override;
    std::optional<QColor> colore(QWidget* padre, const QString& titolo) override;
    std::optional<QString> apriFile(QWidget* padre, const OpzioniFile& opzioni) override;
    std::optional<QString> salvaFile(QWidget* padre, const OpzioniFile& opzioni) override;
    std::optional<int> numero(QWidget* padre, const QString& titolo, const QString& etichetta,
                              int valore, int minimo, int massimo) override;
};

// Turns a filter list in the classic form "description|pattern|description|pattern"
// into Qt name filters. A description that already ends with its pattern in
// parentheses is kept as it is; any other gets the pattern appended.
QStringList filtriDaElenco(const QString& elenco);
