#pragma once

#include <QImage>
#include <QWidget>

// The column ruler above each text box: one fixed picture, drawn the same
// whether the window is enabled or not and whatever the boxes' colours.
class Righello : public QWidget {
    Q_OBJECT
public:
    explicit Righello(QWidget* parent = nullptr);
    const QImage& immagine() const { return immagine_; }
    QSize sizeHint() const override { return immagine_.size(); }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QImage immagine_;
};
