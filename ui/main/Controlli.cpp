#include "Controlli.h"

#include "Disegni.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {
const QString CapoRiga = QStringLiteral("\r\n");

// Qt's word wrap measures a run without a break opportunity to its end before
// it gives up and breaks it anywhere, and does so again for every line of the
// run: a sorted list joined by ";" is one such run, and a megabyte of it would
// take minutes to lay out. Beyond this length a box breaks its lines anywhere.
constexpr qsizetype RigaSenzaSpaziMassima = 2000;

bool haRigheSenzaSpazi(QStringView testo) {
    qsizetype corsa = 0;
    for (const QChar c : testo) {
        if (c.isSpace()) {
            corsa = 0;
        } else if (++corsa > RigaSenzaSpaziMassima) {
            return true;
        }
    }
    return false;
}
} // namespace

QString testoDaDocumento(QString grezzo) {
    grezzo.replace(QChar::ParagraphSeparator, CapoRiga);
    grezzo.replace(QChar::LineSeparator, CapoRiga);
    return grezzo;
}

QString testoPerDocumento(QString testo) {
    testo.replace(CapoRiga, QStringLiteral("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return testo;
}

CasellaTesto::CasellaTesto(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    applicaColori();
    qApp->installEventFilter(this);
}

QString CasellaTesto::testo() const {
    // toPlainText() would turn non-breaking spaces into spaces.
    return testoDaDocumento(document()->toRawText());
}

void CasellaTesto::impostaTesto(const QString& testo) {
    const QString documento = testoPerDocumento(testo);
    adattaAndataACapo(documento, true);
    setPlainText(documento);
}

void CasellaTesto::insertFromMimeData(const QMimeData* origine) {
    // Typing cannot make a run long enough to matter; pasting can.
    if (origine->hasText())
        adattaAndataACapo(document()->toRawText() + origine->text(), false);
    QPlainTextEdit::insertFromMimeData(origine);
}

void CasellaTesto::adattaAndataACapo(QStringView testo, bool svuotaPrima) {
    const QTextOption::WrapMode modo = haRigheSenzaSpazi(testo)
                                           ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() == modo)
        return;
    // Changing the mode lays the whole document out again. When the old text
    // is about to be replaced anyway, empty the box first, quietly, so that
    // the old text is not laid out in the new mode.
    if (svuotaPrima) {
        const QSignalBlocker silenzio(this);
        document()->clear();
    }
    setWordWrapMode(modo);
}

void CasellaTesto::seleziona(qsizetype inizio, qsizetype lunghezza) {
    const QString t = testo();
    // Each CR LF of the engine's text is a single character of the document.
    auto nelDocumento = [&t](qsizetype pos) {
        pos = std::clamp<qsizetype>(pos, 0, t.size());
        qsizetype coppie = 0;
        for (qsizetype i = 1; i < pos; ++i) {
            if (t[i] == QLatin1Char('\n') && t[i - 1] == QLatin1Char('\r'))
                ++coppie;
        }
        return pos - coppie;
    };
    const qsizetype fine = inizio + std::max<qsizetype>(lunghezza, 0);
    QTextCursor cursore(document());
    cursore.setPosition(int(nelDocumento(inizio)));
    cursore.setPosition(int(nelDocumento(fine)), QTextCursor::KeepAnchor);
    setTextCursor(cursore);
}

QColor CasellaTesto::sfondo() const {
    return palette().color(QPalette::Base);
}

void CasellaTesto::impostaSfondo(const QColor& colore) {
    sfondo_ = colore;
    applicaColori();
}

QColor CasellaTesto::coloreTesto() const {
    return palette().color(QPalette::Text);
}

void CasellaTesto::impostaColoreTesto(const QColor& colore) {
    coloreTesto_ = colore;
    applicaColori();
}

void CasellaTesto::ripristinaColori() {
    sfondo_ = sfondoPredefinito();
    coloreTesto_.reset();
    applicaColori();
}

void CasellaTesto::applicaColori() {
    // Every colour group alike, so that the box keeps its colours while the
    // window is disabled or inactive.
    QPalette p = palette();
    p.setColor(QPalette::Base, sfondo_);
    p.setColor(QPalette::Text,
               coloreTesto_.value_or(QApplication::palette().color(QPalette::WindowText)));
    setPalette(p);
}

bool CasellaTesto::eventFilter(QObject* oggetto, QEvent* evento) {
    // A new colour scheme leaves the colours set on the box alone; the default
    // text colour must follow it. The application itself hears of the change.
    if (oggetto == qApp && evento->type() == QEvent::ApplicationPaletteChange && !coloreTesto_)
        applicaColori();
    return QPlainTextEdit::eventFilter(oggetto, evento);
}

SliderCaratteri::SliderCaratteri(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void SliderCaratteri::mousePressEvent(QMouseEvent* evento) {
    QSlider::mousePressEvent(evento);
    // A button the slider does not take gets no release here either.
    premuto_ = evento->isAccepted();
}

void SliderCaratteri::mouseReleaseEvent(QMouseEvent* evento) {
    QSlider::mouseReleaseEvent(evento);
    if (premuto_) {
        premuto_ = false;
        emit cliccato();
    }
}

void SliderCaratteri::keyPressEvent(QKeyEvent* evento) {
    const int prima = value();
    QSlider::keyPressEvent(evento);
    if (value() != prima)
        emit cliccato();
}

void SliderCaratteri::wheelEvent(QWheelEvent* evento) {
    const int prima = value();
    QSlider::wheelEvent(evento);
    if (value() != prima)
        emit cliccato();
}

Righello::Righello(QWidget* parent) : QWidget(parent), immagine_(disegnaRighello()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Righello::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, immagine_);
}
