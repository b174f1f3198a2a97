#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <optional>

// Text as the engine sees it: line breaks are CR LF. The document of a text box
// keeps a paragraph break as U+2029 and a manual line break (Shift+Enter) as
// U+2028; both are one line break for the user.
QString testoDaDocumento(QString grezzo);
// The way back: CR LF, and any CR or LF on its own, make one line break.
QString testoPerDocumento(QString testo);

// A multi-line text box: wraps at its width, at word boundaries where it can,
// vertical scroll bar only, Tab moves the focus on. Its colours are the light yellow background and
// the system's window-text colour until the user picks others.
class CasellaTesto : public QPlainTextEdit {
    Q_OBJECT
public:
    static QColor sfondoPredefinito() { return QColor(255, 255, 192); }

    explicit CasellaTesto(QWidget* parent = nullptr);

    // The text with the engine's CR LF line breaks. Read from the raw document,
    // so that non-breaking spaces and control characters come back unchanged.
    QString testo() const;
    // testo().size(), counted on the blocks without building the text.
    qsizetype lunghezzaTesto() const;
    void impostaTesto(QString testo);
    // The same for a text handed over in pieces as it is made, so that it is
    // never held whole beside the box: iniziaTesto, any number of pieces,
    // fineTesto. A CR LF may be split between two pieces.
    void iniziaTesto();
    void aggiungiTesto(QStringView pezzo);
    void fineTesto();
    // Start and length count characters of testo(); a position between the CR
    // and the LF of a line break stands after that break.
    void seleziona(qsizetype inizio, qsizetype lunghezza);

    QColor sfondo() const;
    void impostaSfondo(const QColor& colore);
    QColor coloreTesto() const;
    void impostaColoreTesto(const QColor& colore);
    // The text colour the user chose; none while it follows the system's.
    std::optional<QColor> coloreTestoScelto() const { return coloreTesto_; }
    // Back to the design colours; the text colour then follows the system's
    // colour scheme again.
    void ripristinaColori();

    // A paragraph longer than this is held as a chain of blocks of at most
    // this many characters, each after the first marked as a continuation.
    static constexpr qsizetype PezzoMassimo = 4096;
    // Whether the break before this block is no line break of the text, only
    // the end of a piece of a long paragraph.
    static bool continuazione(const QTextBlock& blocco);
    // The undo history is dropped before a new edit once the edits it holds
    // add up to more characters than this and than the text itself.
    static constexpr qsizetype LimiteAnnulla = qsizetype(1) << 20;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
    void contextMenuEvent(QContextMenuEvent* evento) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* origine) override;

private:
    void applicaColori();
    QString testoSenzaGiunture() const;
    int nelDocumento(qsizetype posizione, bool dopoLaGiuntura) const;
    void riempi(QStringView documento);
    QTextCursor apriRiempimento();
    void chiudiRiempimento(QTextCursor& cursore);
    void versa(bool tutto);
    void inserisci(QTextCursor& cursore, QStringView testo);
    void spezzaBlocchi(QTextCursor& cursore, int inizio, int fine);
    void limitaAnnulla();

    QColor sfondo_ = sfondoPredefinito();
    std::optional<QColor> coloreTesto_; // none: the system's window-text colour
    qsizetype annullabili_ = 0;         // characters changed since the history began
    struct Flusso {
        QTextCursor cursore;
        QString coda; // the document's form, from the start of a block
        bool crSospeso = false;
        qsizetype righe = 0;
        bool segnaliBloccati = false;
    };
    std::optional<Flusso> flusso_;
};
