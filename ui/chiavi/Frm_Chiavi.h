#pragma once

#include "Chiavi.h"
#include "Opzioni.h"

#include <QDialog>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTextEdit;

// "Ordina per...": up to three sort keys, one row each, above a preview of the
// first items of the input with the part each key compares marked and the
// items without a value flagged. OK gives the keys back; Annulla, Esc and the
// close box give nothing.
class Frm_Chiavi : public QDialog {
    Q_OBJECT
public:
    static constexpr int NumRighe = 3;
    static constexpr int VociAnteprima = 10;

    // testo is the input as the engine reads it (CR LF line breaks), cut into
    // items with the input separators of opzioni; only its first items are
    // kept. The ordering language of opzioni reads numbers, months and dates.
    Frm_Chiavi(const std::vector<Motore::Chiave>& attuali, QStringView testo,
               const Motore::Opzioni& opzioni, QWidget* padre = nullptr);

    // The dialog, modal: the keys chosen, or nothing after Annulla.
    static std::optional<std::vector<Motore::Chiave>>
    chiedi(QWidget* padre, const std::vector<Motore::Chiave>& attuali, QStringView testo,
           const Motore::Opzioni& opzioni);

    // The keys the rows describe, none for the whole item in ascending text
    // order alone; nothing while a row cannot be read (the error label says
    // why, and OK is greyed).
    std::optional<std::vector<Motore::Chiave>> chiavi() const;

    // The controls of a row (0 to NumRighe - 1) and the rest, for tests.
    QComboBox* Cmb_Parte(int riga) const;
    QSpinBox* Spn_Campo(int riga) const;
    QComboBox* Cmb_Separatore(int riga) const;
    QLineEdit* Txt_Espressione(int riga) const;
    QComboBox* Cmb_Tipo(int riga) const;
    QComboBox* Cmb_Verso(int riga) const;
    QLabel* Lbl_Errore() const;
    QTextEdit* Txt_Anteprima() const;
    QPushButton* Cmd_OK() const;
    QPushButton* Cmd_Annulla() const;

    // The light background of each key's part in the preview.
    static QColor coloreChiave(int riga);

private:
    struct Riga {
        QLabel* etichetta = nullptr;
        QComboBox* parte = nullptr;
        QSpinBox* campo = nullptr;
        QComboBox* separatore = nullptr;
        QLineEdit* espressione = nullptr;
        QComboBox* tipo = nullptr;
        QComboBox* verso = nullptr;
        int campoPrima = 1; // to step over field 0, which is no field
    };

    void creaRiga(int r);
    void mostra(const std::vector<Motore::Chiave>& chiavi);
    void aggiorna();
    // The key of an enabled row, or none for "(nessuna)"; errore says what is
    // wrong with a row that cannot be read.
    std::optional<Motore::Chiave> chiaveRiga(int r, QString& errore) const;
    std::optional<Motore::Chiave> chiaveRiga(int r) const;
    void mostraAnteprima(const std::vector<Motore::Chiave>& chiavi);

    std::array<Riga, NumRighe> righe_{};
    QLabel* lblErrore_ = nullptr;
    QTextEdit* txtAnteprima_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdAnnulla_ = nullptr;
    QStringList voci_; // the first items of the input
    Motore::LettoreValori lettore_;
};
