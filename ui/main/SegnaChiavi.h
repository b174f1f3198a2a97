#pragma once

#include "Opzioni.h"
#include "VociChiavi.h"

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QTextBlock>
#include <optional>
#include <vector>

class CasellaTesto;

// Marks in a text box, on a light background under the text, the part of
// each item that the sort keys compare: that of the first key which reads a
// part of the item (a field, the surname, a pattern's match); nothing while
// no key does. Each paint reads only the blocks in view, so a text of any
// size scrolls and takes keystrokes as fast as without the marks.
class SegnaChiavi : public QObject {
    Q_OBJECT
public:
    explicit SegnaChiavi(CasellaTesto* casella);

    // The input separators cut the items, the keys choose the part.
    void imposta(const Motore::Opzioni& opzioni);
    bool attivo() const { return chiave_.has_value(); }
    QColor colore() const { return colore_; }
    void impostaColore(const QColor& colore);

    // Document positions of the parts to mark in the blocks in view, and in
    // the blocks primo to ultimo.
    std::vector<VociChiavi::Tratto> trattiVisibili() const;
    std::vector<VociChiavi::Tratto> tratti(const QTextBlock& primo, const QTextBlock& ultimo) const;

    // The start of the box's text, as CasellaTesto::testo() gives it, cut
    // after at least massimo characters (or where the text ends): enough for
    // a preview without copying a large text whole.
    static QString inizioTesto(const CasellaTesto& casella, qsizetype massimo);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The blocks in view, and where the first one's layout stands in the
    // viewport.
    struct InVista {
        QTextBlock primo;
        QTextBlock ultimo;
        QPointF origine;
    };
    std::optional<InVista> inVista() const;
    void dipingi(const InVista& vista, const QRect& zona) const;

    CasellaTesto* casella_;
    Motore::Opzioni opzioni_;
    std::optional<VociChiavi::ChiaveCompilata> chiave_;
    QColor colore_;
};
