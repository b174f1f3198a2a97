#include "SegnaChiavi.h"

#include "Controlli.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The text of the blocks from primo, as the engine reads it: a line separator
// and a break between blocks are a CR LF, the join of a long paragraph's
// pieces is nothing. posizioni, when given, receives each character's
// position in the document (both characters of a CR LF at the break's). Stops
// after the block ultimo, or once the text holds massimo characters.
QString testoBlocchi(QTextBlock b, const QTextBlock& ultimo, qsizetype massimo,
                     std::vector<int>* posizioni) {
    QString testo;
    const QTextBlock primo = b;
    for (; b.isValid() && testo.size() < massimo; b = b.next()) {
        if (b != primo && !CasellaTesto::continuazione(b)) {
            testo += QStringLiteral("\r\n");
            if (posizioni)
                posizioni->insert(posizioni->end(), 2, b.position() - 1);
        }
        const QString riga = b.text();
        for (qsizetype i = 0; i < riga.size(); ++i) {
            const bool separatore = riga[i] == QChar::LineSeparator;
            if (separatore)
                testo += QStringLiteral("\r\n");
            else
                testo += riga[i];
            if (posizioni)
                posizioni->insert(posizioni->end(), separatore ? 2 : 1, b.position() + int(i));
        }
        if (b == ultimo)
            break;
    }
    return testo;
}

} // namespace

SegnaChiavi::SegnaChiavi(CasellaTesto* casella)
    : QObject(casella), casella_(casella), colore_(200, 222, 252) {
    casella_->viewport()->installEventFilter(this);
}

void SegnaChiavi::imposta(const Motore::Opzioni& opzioni) {
    opzioni_ = opzioni;
    chiave_.reset();
    for (const Motore::Chiave& k : opzioni.ordine.chiavi) {
        VociChiavi::ChiaveCompilata compilata(k);
        if (compilata.segnaParte()) {
            chiave_.emplace(compilata);
            break;
        }
    }
    casella_->viewport()->update();
}

void SegnaChiavi::impostaColore(const QColor& colore) {
    colore_ = colore;
    casella_->viewport()->update();
}

std::vector<VociChiavi::Tratto> SegnaChiavi::tratti(const QTextBlock& primo,
                                                    const QTextBlock& ultimo) const {
    std::vector<VociChiavi::Tratto> trovati;
    if (!chiave_ || !primo.isValid())
        return trovati;
    // One block more on either side gives the items at the edges of the view
    // their ends, unless an item is longer than that: one that started or
    // ends further away is read from what these blocks hold of it, and may
    // be marked wrongly. Marks are a reading aid; the sort reads whole items.
    const QTextBlock da = primo.previous().isValid() ? primo.previous() : primo;
    const QTextBlock a = ultimo.next().isValid() ? ultimo.next() : ultimo;
    std::vector<int> posizioni;
    const QString testo = testoBlocchi(da, a, std::numeric_limits<qsizetype>::max(), &posizioni);
    const int inizioVista = primo.position();
    const int fineVista = ultimo.position() + ultimo.length();
    VociChiavi::perOgniVoce(testo, opzioni_, [&](VociChiavi::Tratto voce) {
        const QStringView vista = QStringView(testo).sliced(voce.inizio, voce.lunghezza);
        const std::optional<Motore::ParteTrovata> parte = chiave_->parte(vista);
        if (!parte || parte->lunghezza == 0)
            return true;
        const qsizetype primoCarattere = voce.inizio + parte->inizio;
        const int inizio = posizioni[std::size_t(primoCarattere)];
        const int fine = posizioni[std::size_t(primoCarattere + parte->lunghezza - 1)] + 1;
        if (fine > inizioVista && inizio < fineVista)
            trovati.push_back({inizio, fine - inizio});
        return posizioni[std::size_t(voce.fine() - 1)] < fineVista;
    });
    return trovati;
}

std::optional<SegnaChiavi::InVista> SegnaChiavi::inVista() const {
    const QTextBlock primo = casella_->cursorForPosition(QPoint(0, 0)).block();
    if (!primo.isValid() || !primo.layout() || primo.layout()->lineCount() == 0)
        return std::nullopt;
    // The box tells where a position's caret stands; the layout, where that
    // position is in the block.
    const QTextLine riga = primo.layout()->lineAt(0);
    const QRect cursore = casella_->cursorRect(QTextCursor(primo));
    InVista vista{primo, primo,
                  QPointF(cursore.left() - riga.cursorToX(0), cursore.top() - riga.y())};
    const QAbstractTextDocumentLayout* impaginazione = casella_->document()->documentLayout();
    qreal alto = vista.origine.y() + impaginazione->blockBoundingRect(primo).height();
    const int altezza = casella_->viewport()->height();
    for (QTextBlock b = primo.next(); b.isValid() && alto <= altezza; b = b.next()) {
        vista.ultimo = b;
        alto += impaginazione->blockBoundingRect(b).height();
    }
    return vista;
}

std::vector<VociChiavi::Tratto> SegnaChiavi::trattiVisibili() const {
    const std::optional<InVista> vista = inVista();
    return vista ? tratti(vista->primo, vista->ultimo) : std::vector<VociChiavi::Tratto>{};
}

void SegnaChiavi::dipingi(const InVista& vista, const QRect& zona) const {
    const std::vector<VociChiavi::Tratto> elenco = tratti(vista.primo, vista.ultimo);
    if (elenco.empty())
        return;
    QPainter pittore(casella_->viewport());
    const QAbstractTextDocumentLayout* impaginazione = casella_->document()->documentLayout();
    QPointF origine = vista.origine;
    for (QTextBlock b = vista.primo; b.isValid(); b = b.next()) {
        const qreal altezza = impaginazione->blockBoundingRect(b).height();
        const QTextLayout* layout = b.layout();
        if (origine.y() + altezza >= zona.top() && origine.y() <= zona.bottom()) {
            for (const VociChiavi::Tratto& t : elenco) {
                const qsizetype inizio = std::max<qsizetype>(t.inizio - b.position(), 0);
                const qsizetype fine = std::min<qsizetype>(t.fine() - b.position(), b.length() - 1);
                for (int n = 0; n < layout->lineCount() && inizio < fine; ++n) {
                    const QTextLine riga = layout->lineAt(n);
                    const int da = int(std::max<qsizetype>(inizio, riga.textStart()));
                    const int a =
                        int(std::min<qsizetype>(fine, riga.textStart() + riga.textLength()));
                    if (da >= a)
                        continue;
                    // Left to right; a stretch mixing both directions gets the
                    // span between its ends.
                    const qreal x1 = riga.cursorToX(da);
                    const qreal x2 = riga.cursorToX(a);
                    pittore.fillRect(QRectF(origine.x() + std::min(x1, x2), origine.y() + riga.y(),
                                            std::abs(x2 - x1), riga.height()),
                                     colore_);
                }
            }
        }
        if (b == vista.ultimo)
            break;
        origine.ry() += altezza;
    }
}

bool SegnaChiavi::eventFilter(QObject* oggetto, QEvent* evento) {
    // Before the box paints its text: the marks go under it, over the
    // background the viewport has already filled.
    if (evento->type() == QEvent::Paint && chiave_ && oggetto == casella_->viewport()) {
        if (const std::optional<InVista> vista = inVista())
            dipingi(*vista, static_cast<QPaintEvent*>(evento)->rect());
    }
    return QObject::eventFilter(oggetto, evento);
}

QString SegnaChiavi::inizioTesto(const CasellaTesto& casella, qsizetype massimo) {
    return testoBlocchi(casella.document()->begin(), QTextBlock(), massimo, nullptr);
}
