#include "SliderCaratteri.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

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
