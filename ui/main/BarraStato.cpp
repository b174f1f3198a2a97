#include "BarraStato.h"

#include "Misure.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <utility>

namespace {

// Panel widths in twips, as the window was laid out.
constexpr std::array<int, BarraStato::NumPannelli> LarghezzeTwip = {4700, 2300, 700, 700, 1300};
constexpr int Margine = 2;
constexpr int Rientro = 2;
constexpr int Altezza = 17;
// Caps Lock can change while another program has the keyboard, so the panel
// also looks by itself from time to time.
constexpr int IntervalloMaiuscoleMs = 250;

} // namespace

BarraStato::BarraStato(QWidget* parent) : QWidget(parent) {
    int x = Margine;
    for (int i = 0; i < NumPannelli; ++i) {
        auto* pannello = new QLabel(this);
        pannello->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pannello->setIndent(Rientro);
        if (i >= 2)
            pannello->setAlignment(Qt::AlignCenter);
        pannello->setTextFormat(Qt::PlainText);
        const int larghezza = Misure::daTwip(LarghezzeTwip[i]);
        pannello->setGeometry(x, 0, larghezza, 0);
        x += larghezza + Margine;
        pannelli_[i] = pannello;
    }
    pannelli_[NumPannelli - 1]->setText(tr("BLOC MAIUSC"));
    // For assistive technology: the first two panels say what they are in
    // their text; the lamps get a name in words and say whether they are lit.
    setAccessibleName(tr("Barra di stato"));
    const std::array<QString, 3> spie = {tr("A capo"), tr("Copia automatica negli Appunti"),
                                         tr("Blocco maiuscole")};
    for (int n = 3; n <= NumPannelli; ++n) {
        pannelli_[n - 1]->setAccessibleName(spie[n - 3]);
        descriviSpia(n);
    }
    adattaCarattere();

    timerMaiuscole_ = new QTimer(this);
    connect(timerMaiuscole_, &QTimer::timeout, this, &BarraStato::aggiornaMaiuscole);
    timerMaiuscole_->start(IntervalloMaiuscoleMs);
    qApp->installEventFilter(this);
    aggiornaMaiuscole();
}

QLabel* BarraStato::pannello(int n) const {
    if (n < 1 || n > NumPannelli)
        return nullptr;
    return pannelli_[n - 1];
}

void BarraStato::impostaTesto(int n, const QString& testo) {
    if (QLabel* p = pannello(n))
        p->setText(testo);
}

void BarraStato::abilita(int n, bool attivo) {
    if (QLabel* p = pannello(n)) {
        p->setEnabled(attivo);
        descriviSpia(n);
    }
}

void BarraStato::descriviSpia(int n) {
    if (n > 2)
        pannelli_[n - 1]->setAccessibleDescription(
            pannelli_[n - 1]->isEnabled() ? tr("attivo") : tr("non attivo"));
}

void BarraStato::impostaLetturaMaiuscole(std::function<bool()> lettura) {
    letturaMaiuscole_ = std::move(lettura);
    aggiornaMaiuscole();
}

void BarraStato::aggiornaMaiuscole() {
    const bool attivo = letturaMaiuscole_ && letturaMaiuscole_();
    pannelli_[NumPannelli - 1]->setEnabled(attivo);
    descriviSpia(NumPannelli);
}

// The panel widths were made for the small fonts of older desktops. The bar
// keeps the window's font, made smaller only as far as needed for its fixed
// texts to fit their panels.
void BarraStato::adattaCarattere() {
    // Panel 2's longest text, and the lamps as the window names them.
    const std::array<std::pair<int, QString>, 4> campioni = {{
        {2, QStringLiteral("Separatore testo elaborato: \"Spazio\"")},
        {3, QCoreApplication::translate("MainForm", "A CAPO")},
        {4, QCoreApplication::translate("MainForm", "COPIA")},
        {5, pannelli_[NumPannelli - 1]->text()},
    }};
    auto entra = [&](const QFont& f) {
        const QFontMetrics m(f);
        if (m.height() > Altezza - 2)
            return false;
        for (const auto& [n, testo] : campioni) {
            if (m.horizontalAdvance(testo) + 2 * (Rientro + 1) > pannelli_[n - 1]->width())
                return false;
        }
        return true;
    };
    setFont(Misure::adattato(font(), entra));
}

void BarraStato::resizeEvent(QResizeEvent*) {
    // The panels keep their widths and fill the bar's height.
    for (QLabel* p : pannelli_)
        p->resize(p->width(), height());
}

bool BarraStato::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) {
        // The indicator changes after the key has been handled: look once the
        // event has gone by.
        if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_CapsLock)
            QTimer::singleShot(0, this, &BarraStato::aggiornaMaiuscole);
    }
    return QWidget::eventFilter(oggetto, evento);
}
