#include "CasellaTesto.h"

#include "Disegni.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <climits>

namespace {

// Qt lays out a paragraph whole, and its word wrap measures a run without a
// break opportunity to its end for every line of the run: a sorted list
// joined by ";" is one such run, and a megabyte of it would take minutes to
// lay out, a hundred megabytes would not be drawn at all. So a long paragraph
// is held in pieces of moderate length, one block each; the block format
// marks every piece after the first, so that the marks follow the text
// through undo and redo.
constexpr int ProprietaContinuazione = QTextFormat::UserProperty + 1;

QTextBlockFormat formatoContinuazione(bool continua) {
    QTextBlockFormat formato;
    if (continua)
        formato.setProperty(ProprietaContinuazione, true);
    return formato;
}

// The characters at which QTextCursor::insertText starts a new block.
bool fineBlocco(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) ||
           c == QChar(0xFDD1);
}

// Where to cut the paragraphs of the text so that no piece is longer than
// CasellaTesto::PezzoMassimo: after the last space among the piece's last few
// hundred characters, else after the last punctuation mark among them, else
// anywhere but inside a surrogate pair. Positions are those of the first
// character of each new piece.
QList<qsizetype> puntiDiTaglio(QStringView testo) {
    constexpr qsizetype Massimo = CasellaTesto::PezzoMassimo;
    constexpr qsizetype Ricerca = Massimo / 8;
    QList<qsizetype> tagli;
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (fineBlocco(testo[i])) {
            inizio = i + 1;
            continue;
        }
        if (i - inizio < Massimo)
            continue;
        qsizetype dopoSpazio = -1;
        qsizetype dopoPunteggiatura = -1;
        for (qsizetype j = i - 1; j > i - Ricerca && dopoSpazio < 0; --j) {
            if (testo[j].isSpace())
                dopoSpazio = j + 1;
            else if (dopoPunteggiatura < 0 && testo[j].isPunct())
                dopoPunteggiatura = j + 1;
        }
        qsizetype taglio = dopoSpazio >= 0 ? dopoSpazio : dopoPunteggiatura;
        if (taglio < 0)
            taglio = testo[i].isLowSurrogate() ? i - 1 : i;
        tagli.append(taglio);
        inizio = taglio;
    }
    return tagli;
}

// Qt takes time out of proportion to make very many blocks: two million lines
// of a reflowed result would take minutes. So the lines of a text with very
// many of them go in groups into blocks of moderate length, the lines of a
// group held apart by line separators, which the text reads as line breaks.
constexpr qsizetype MoltiRighe = 10000;

void raggruppa(QString& testo) {
    qsizetype inizioBlocco = 0;
    QChar* c = testo.data();
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (c[i] != u'\n')
            continue;
        if (i - inizioBlocco < CasellaTesto::PezzoMassimo / 2)
            c[i] = QChar::LineSeparator;
        else
            inizioBlocco = i + 1;
    }
}

void raggruppaRighe(QString& testo) {
    if (testo.count(u'\n') > MoltiRighe)
        raggruppa(testo);
}

// The positions of the block ends that are no line breaks of the text.
QList<int> giunture(const QTextDocument* documento, int da = 0, int a = INT_MAX) {
    QList<int> posizioni;
    for (QTextBlock b = documento->findBlock(da).next(); b.isValid() && b.position() <= a;
         b = b.next()) {
        if (CasellaTesto::continuazione(b))
            posizioni.append(b.position() - 1);
    }
    return posizioni;
}
} // namespace

// Both ways in one pass: QString::replace moves the tail of the text once per
// batch of matches, which for a text of millions of lines takes minutes.
QString testoDaDocumento(QString grezzo) {
    const auto separatore = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    const qsizetype separatori = std::count_if(grezzo.cbegin(), grezzo.cend(), separatore);
    if (separatori == 0)
        return grezzo;
    QString testo(grezzo.size() + separatori, Qt::Uninitialized);
    QChar* scrivi = testo.data();
    for (const QChar c : std::as_const(grezzo)) {
        if (separatore(c)) {
            *scrivi++ = u'\r';
            *scrivi++ = u'\n';
        } else {
            *scrivi++ = c;
        }
    }
    return testo;
}

QString testoPerDocumento(QString testo) {
    if (!testo.contains(u'\r'))
        return testo;
    QChar* inizio = testo.data();
    QChar* scrivi = inizio;
    const QChar* const fine = inizio + testo.size();
    for (const QChar* leggi = inizio; leggi != fine; ++leggi) {
        if (*leggi != u'\r')
            *scrivi++ = *leggi;
        else if (leggi + 1 == fine || leggi[1] != u'\n')
            *scrivi++ = u'\n';
    }
    testo.truncate(scrivi - inizio);
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
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int tolti, int aggiunti) {
        if (document()->isUndoRedoEnabled())
            annullabili_ += tolti + aggiunti;
    });
}

bool CasellaTesto::continuazione(const QTextBlock& blocco) {
    return blocco.blockFormat().boolProperty(ProprietaContinuazione);
}

QString CasellaTesto::testoSenzaGiunture() const {
    // toPlainText() would turn non-breaking spaces into spaces.
    QString grezzo = document()->toRawText();
    const QList<int> tolte = giunture(document());
    if (!tolte.isEmpty()) {
        // One pass in place; a hundred megabytes hold tens of thousands of joins.
        QChar* inizio = grezzo.data();
        QChar* scrivi = inizio + tolte.first();
        for (qsizetype k = 0; k < tolte.size(); ++k) {
            const QChar* da = inizio + tolte[k] + 1;
            const QChar* a = k + 1 < tolte.size() ? inizio + tolte[k + 1] : inizio + grezzo.size();
            scrivi = std::copy(da, a, scrivi);
        }
        grezzo.truncate(scrivi - inizio);
    }
    return grezzo;
}

QString CasellaTesto::testo() const {
    return testoDaDocumento(testoSenzaGiunture());
}

qsizetype CasellaTesto::lunghezzaTesto() const {
    // As testo() counts: a line separator and a break between two blocks are
    // a CR LF each, a join is nothing.
    qsizetype lunghezza = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const QString riga = b.text();
        lunghezza += riga.size() + riga.count(QChar::LineSeparator);
        const QTextBlock dopo = b.next();
        if (dopo.isValid() && !continuazione(dopo))
            lunghezza += 2;
    }
    return lunghezza;
}

void CasellaTesto::impostaTesto(QString testo) {
    // A text handed over whole is converted where it lies.
    QString documento = testoPerDocumento(std::move(testo));
    raggruppaRighe(documento);
    if (puntiDiTaglio(documento).isEmpty()) {
        setPlainText(documento);
        annullabili_ = 0;
        return;
    }
    riempi(documento);
    emit textChanged();
}

void CasellaTesto::riempi(QStringView documento) {
    // Piece by piece, without a second copy of a long text.
    const QSignalBlocker silenzio(this);
    QTextCursor cursore = apriRiempimento();
    inserisci(cursore, documento);
    chiudiRiempimento(cursore);
}

QTextCursor CasellaTesto::apriRiempimento() {
    // As with setPlainText, nothing of the new text can be undone.
    setPlainText(QString());
    document()->setUndoRedoEnabled(false);
    QTextCursor cursore(document());
    cursore.beginEditBlock();
    return cursore;
}

void CasellaTesto::chiudiRiempimento(QTextCursor& cursore) {
    cursore.endEditBlock();
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    setTextCursor(QTextCursor(document()));
    annullabili_ = 0;
}

void CasellaTesto::iniziaTesto() {
    flusso_.emplace();
    flusso_->segnaliBloccati = blockSignals(true);
    flusso_->cursore = apriRiempimento();
}

void CasellaTesto::aggiungiTesto(QStringView pezzo) {
    // Into the document's line breaks as it comes; a CR waits for the next
    // piece to tell whether an LF follows.
    QString& coda = flusso_->coda;
    const qsizetype prima = coda.size();
    coda.resize(prima + pezzo.size() + 1);
    QChar* scrivi = coda.data() + prima;
    for (const QChar c : pezzo) {
        if (flusso_->crSospeso) {
            flusso_->crSospeso = false;
            *scrivi++ = u'\n';
            ++flusso_->righe;
            if (c == u'\n')
                continue;
        }
        if (c == u'\r') {
            flusso_->crSospeso = true;
        } else {
            flusso_->righe += c == u'\n';
            *scrivi++ = c;
        }
    }
    coda.truncate(scrivi - coda.data());
    if (coda.size() >= 16 * PezzoMassimo)
        versa(false);
}

void CasellaTesto::versa(bool tutto) {
    // What is inserted ends where a block ends: at a line break of the text or
    // at a cut, so that the rest starts a block of its own as the text did.
    QString& coda = flusso_->coda;
    if (flusso_->righe > MoltiRighe)
        raggruppa(coda);
    qsizetype fine = coda.size();
    bool taglio = false;
    if (!tutto) {
        const QList<qsizetype> tagli = puntiDiTaglio(coda);
        fine = coda.lastIndexOf(u'\n') + 1;
        if (!tagli.isEmpty() && tagli.last() > fine) {
            fine = tagli.last();
            taglio = true;
        }
    }
    inserisci(flusso_->cursore, QStringView(coda).first(fine));
    if (taglio)
        flusso_->cursore.insertBlock(formatoContinuazione(true));
    coda.remove(0, fine);
}

void CasellaTesto::fineTesto() {
    if (flusso_->crSospeso) {
        flusso_->coda.append(u'\n');
        ++flusso_->righe;
    }
    versa(true);
    chiudiRiempimento(flusso_->cursore);
    blockSignals(flusso_->segnaliBloccati);
    flusso_.reset();
    emit textChanged();
}

void CasellaTesto::inserisci(QTextCursor& cursore, QStringView testo) {
    // Each piece and each line of the text is inserted as a block of its own,
    // so that no block larger than a piece is ever laid out, and each gets the
    // right mark: a line break of the text is none, a cut is one.
    const QList<qsizetype> tagli = puntiDiTaglio(testo);
    qsizetype da = 0;
    qsizetype k = 0;
    for (qsizetype i = 0; i <= testo.size(); ++i) {
        const bool fine = i == testo.size();
        const bool taglio = !fine && k < tagli.size() && tagli[k] == i;
        if (!fine && !taglio && !fineBlocco(testo[i]))
            continue;
        if (i > da)
            cursore.insertText(testo.sliced(da, i - da).toString());
        if (fine)
            break;
        cursore.insertBlock(formatoContinuazione(taglio));
        if (taglio) {
            ++k;
            da = i;
            --i;
        } else {
            da = i + 1;
        }
    }
}

void CasellaTesto::spezzaBlocchi(QTextCursor& cursore, int inizio, int fine) {
    struct Lungo {
        int posizione;
        QList<qsizetype> tagli;
    };
    QList<Lungo> lunghi;
    for (QTextBlock b = document()->findBlock(inizio); b.isValid() && b.position() <= fine;
         b = b.next()) {
        if (b.length() - 1 > PezzoMassimo)
            lunghi.append({b.position(), puntiDiTaglio(b.text())});
    }
    // From the end, so that the positions still to cut stay where they were.
    for (auto l = lunghi.crbegin(); l != lunghi.crend(); ++l) {
        for (auto t = l->tagli.crbegin(); t != l->tagli.crend(); ++t) {
            cursore.setPosition(l->posizione + int(*t));
            cursore.insertBlock(formatoContinuazione(true));
        }
    }
}

void CasellaTesto::limitaAnnulla() {
    // Every edit kept for undo keeps its text in the document, and so does
    // every edit since: the document frees nothing while it can undo. Once
    // the edits outweigh both the limit and the text itself, the box is
    // filled anew with its own text, which drops the history and the text it
    // held; the edit about to be made can still be undone.
    if (annullabili_ <= std::max<qsizetype>(LimiteAnnulla, document()->characterCount()))
        return;
    const QTextCursor prima = textCursor();
    // Positions in the text without the joins, which the new pieces may
    // put elsewhere.
    const QList<int> giunteVecchie = giunture(document());
    auto nelTesto = [&giunteVecchie](int p) {
        return p - int(std::lower_bound(giunteVecchie.cbegin(), giunteVecchie.cend(), p) -
                       giunteVecchie.cbegin());
    };
    const int ancora = nelTesto(prima.anchor());
    const int posizione = nelTesto(prima.position());
    riempi(testoSenzaGiunture());
    QList<int> giunte = giunture(document());
    for (qsizetype k = 0; k < giunte.size(); ++k)
        giunte[k] -= int(k);
    auto nelDocumento = [&giunte](int p) {
        return p + int(std::lower_bound(giunte.cbegin(), giunte.cend(), p) - giunte.cbegin());
    };
    QTextCursor dopo(document());
    dopo.setPosition(nelDocumento(ancora));
    dopo.setPosition(nelDocumento(posizione), QTextCursor::KeepAnchor);
    const QSignalBlocker silenzio(this);
    setTextCursor(dopo);
}

void CasellaTesto::keyPressEvent(QKeyEvent* evento) {
    limitaAnnulla();
    QTextCursor cursore = textCursor();
    const bool semplice = !cursore.hasSelection() && !isReadOnly() &&
                          (evento->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // The block end before a continuation is no character: the key deletes
    // the character beyond it, as it would inside one paragraph.
    if (semplice && evento->key() == Qt::Key_Backspace && cursore.atBlockStart() &&
        continuazione(cursore.block())) {
        cursore.movePosition(QTextCursor::PreviousCharacter);
        cursore.deletePreviousChar();
        ensureCursorVisible();
        return;
    }
    if (semplice && evento->key() == Qt::Key_Delete && cursore.atBlockEnd() &&
        continuazione(cursore.block().next())) {
        cursore.movePosition(QTextCursor::NextCharacter);
        cursore.deleteChar();
        return;
    }
    const int blocchi = document()->blockCount();
    QPlainTextEdit::keyPressEvent(evento);
    // A typed line break is a line break of the text even inside a long
    // paragraph, whose block format the new block has taken.
    const bool invio = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    QTextCursor dopo = textCursor();
    if (invio && document()->blockCount() > blocchi && dopo.atBlockStart() &&
        continuazione(dopo.block())) {
        dopo.joinPreviousEditBlock();
        dopo.setBlockFormat(formatoContinuazione(false));
        dopo.endEditBlock();
    }
}

QMimeData* CasellaTesto::createMimeDataFromSelection() const {
    QMimeData* dati = QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor cursore = textCursor();
    const int inizio = cursore.selectionStart();
    const int fine = cursore.selectionEnd();
    QList<int> tolte = giunture(document(), inizio, fine);
    while (!tolte.isEmpty() && tolte.last() >= fine)
        tolte.removeLast();
    QString testo = dati->text();
    // The plain text of a selection has one character for each of the document.
    if (tolte.isEmpty() || testo.size() != fine - inizio)
        return dati;
    for (auto t = tolte.crbegin(); t != tolte.crend(); ++t)
        testo.remove(*t - inizio, 1);
    delete dati;
    auto* soloTesto = new QMimeData;
    soloTesto->setText(testo);
    return soloTesto;
}

void CasellaTesto::dropEvent(QDropEvent* evento) {
    limitaAnnulla();
    QPlainTextEdit::dropEvent(evento);
}

void CasellaTesto::contextMenuEvent(QContextMenuEvent* evento) {
    // Before the menu, whose commands may edit.
    limitaAnnulla();
    QPlainTextEdit::contextMenuEvent(evento);
}

void CasellaTesto::insertFromMimeData(const QMimeData* origine) {
    // The history is bounded before the key, drop or menu that pastes: a drop
    // is already half done when it gets here.
    // A plain text box takes only the plain text of what is pasted or dropped.
    // Nothing to insert leaves even the selection alone, as Qt's own paste does.
    if (!origine->hasText() || origine->text().isEmpty()) {
        QPlainTextEdit::insertFromMimeData(origine);
        return;
    }
    QString testo = testoPerDocumento(origine->text());
    raggruppaRighe(testo);
    QTextCursor cursore = textCursor();
    // One step to undo: the text and the pieces it is cut into.
    cursore.beginEditBlock();
    cursore.removeSelectedText();
    const int inizio = cursore.position();
    inserisci(cursore, testo);
    // Cuts made before the end of the pasted text move this cursor along.
    const QTextCursor dopo = cursore;
    // The text around the cursor joins the first and the last piece.
    spezzaBlocchi(cursore, inizio, dopo.position());
    cursore.endEditBlock();
    setTextCursor(dopo);
    ensureCursorVisible();
}

int CasellaTesto::nelDocumento(qsizetype posizione, bool dopoLaGiuntura) const {
    // The blocks are walked instead of the text read whole: after the sort of
    // a large text this is a copy of it saved. A line separator inside a block
    // and a line break between two blocks are a CR LF, two characters of the
    // text for one of the document; a join is one of the document and none of
    // the text. A position between a CR and its LF stands after the break.
    qsizetype resto = std::max<qsizetype>(posizione, 0);
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const QString riga = b.text();
        const qsizetype larghezza = riga.size() + riga.count(QChar::LineSeparator);
        if (resto <= larghezza) {
            for (qsizetype k = 0; k < riga.size(); ++k) {
                const qsizetype passo = riga[k] == QChar::LineSeparator ? 2 : 1;
                if (resto < passo)
                    return b.position() + int(k) + int(resto);
                resto -= passo;
            }
        } else {
            resto -= larghezza;
        }
        const QTextBlock dopo = b.next();
        if (!dopo.isValid())
            return b.position() + int(riga.size());
        const bool giunta = continuazione(dopo);
        if (resto == 0 && !(giunta && dopoLaGiuntura))
            return b.position() + int(riga.size());
        if (!giunta) {
            if (resto < 2)
                return dopo.position();
            resto -= 2;
        }
    }
    return 0;
}

void CasellaTesto::seleziona(qsizetype inizio, qsizetype lunghezza) {
    const qsizetype fine = inizio + std::max<qsizetype>(lunghezza, 0);
    // At a join, a selection starts after it and ends before it.
    QTextCursor cursore(document());
    cursore.setPosition(nelDocumento(inizio, true));
    cursore.setPosition(nelDocumento(fine, fine <= inizio), QTextCursor::KeepAnchor);
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
