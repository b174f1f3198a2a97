#include "Righello.h"

#include "Disegni.h"

#include <QPainter>

Righello::Righello(QWidget* parent) : QWidget(parent), immagine_(disegnaRighello()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Righello::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, immagine_);
}
