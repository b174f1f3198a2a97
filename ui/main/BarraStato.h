#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QTimer;

// Tells whether Caps Lock is on. False where the platform cannot tell, for
// example without a display.
bool bloccoMaiuscoleAttivo();

// The main window's status bar: five sunken panels side by side. A disabled
// panel draws its text greyed; panels 3 and 4 use that as the lamps of the two
// options, and panel 5 follows Caps Lock by itself.
class BarraStato : public QWidget {
    Q_OBJECT
public:
    static constexpr int NumPannelli = 5;

    explicit BarraStato(QWidget* parent = nullptr);

    // Panels are numbered from 1, left to right.
    QLabel* pannello(int n) const;
    void impostaTesto(int n, const QString& testo);
    void abilita(int n, bool attivo);

    // Where panel 5 reads the Caps Lock state; the platform's by default.
    void impostaLetturaMaiuscole(std::function<bool()> lettura);
    void aggiornaMaiuscole();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void adattaCarattere();
    void descriviSpia(int n);

    std::array<QLabel*, NumPannelli> pannelli_{};
    std::function<bool()> letturaMaiuscole_ = bloccoMaiuscoleAttivo;
    QTimer* timerMaiuscole_ = nullptr;
};
