#pragma once

#include "Opzioni.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

// The separator dialog: a top-level window without owner, created hidden once
// and never destroyed, so that it keeps its choices between showings.
// It is a plain widget, not a QDialog: Esc and Enter must not close it behind
// the main window's back, which would leave that window disabled for good.
class Frm_SepElenco : public QWidget {
    Q_OBJECT
public:
    explicit Frm_SepElenco(QWidget* parent = nullptr);

    // The separator choices: written into the options (the rest of them is
    // left alone), and shown from them.
    void leggi(Motore::Opzioni& opzioni) const;
    void mostra(const Motore::Opzioni& opzioni);

    // For tests and for the main window: the real controls, by catalogue index.
    QCheckBox* Chk_Separa(int i) const;
    QRadioButton* Opt_Separatore_Out(int i) const;
    QRadioButton* Opt_Capo(int i) const;
    QRadioButton* Opt_Ultimo(int i) const;
    QCheckBox* Chk_Spazio() const;
    QPushButton* Cmd_OK() const;

signals:
    // OK was pressed or the window was asked to close (the close is refused).
    // The receiver applies the choices and hides the dialog.
    void confermato();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void aggiornaSpazio();

    using Gruppo = std::array<QRadioButton*, 2>;

    std::array<QCheckBox*, Motore::NumSeparatori> m_chkSepara{};
    std::array<QRadioButton*, Motore::NumSeparatori> m_optSeparatoreOut{};
    Gruppo m_optCapo{};
    Gruppo m_optUltimo{};
    QCheckBox* m_chkSpazio = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QButtonGroup* m_grpUscita = nullptr;
    QButtonGroup* m_grpCapo = nullptr;
    QButtonGroup* m_grpUltimo = nullptr;
};
