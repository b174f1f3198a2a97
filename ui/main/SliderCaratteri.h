#pragma once

#include <QSlider>

// The line-length slider. Its "click" is a change made by the user: letting go
// of the mouse after pressing on it (handle, track or drag), or a change by the
// keyboard or the wheel. setValue() from the program is not a click.
class SliderCaratteri : public QSlider {
    Q_OBJECT
public:
    explicit SliderCaratteri(QWidget* parent = nullptr);

signals:
    void cliccato();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;

private:
    bool premuto_ = false;
};
