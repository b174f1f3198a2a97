#include "Dialoghi.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr unsigned MascheraIcona = 0xF0;

QMessageBox::Icon iconaDaFlag(unsigned flags) {
    switch (flags & MascheraIcona) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Message texts break lines the classic way, with CR LF or a CR alone; a label
// only breaks at a line feed.
QString righeDaMessaggio(QString testo) {
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return testo;
}

std::optional<QString> mostraFile(QWidget* padre, const Dialoghi::OpzioniFile& opzioni,
                                  QFileDialog::AcceptMode modo) {
    QFileDialog dialogo(padre, opzioni.titolo, opzioni.cartella);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(opzioni.deveEsistere ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, !opzioni.chiediSovrascrittura);
    dialogo.setNameFilters(opzioni.filtri);
    dialogo.setDefaultSuffix(opzioni.estensione);
    if (!opzioni.nomeIniziale.isEmpty())
        dialogo.selectFile(opzioni.nomeIniziale);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList scelti = dialogo.selectedFiles();
    if (scelti.isEmpty())
        return std::nullopt;
    return scelti.first();
}

} // namespace

void DialoghiQt::messaggio(QWidget* padre, const QString& testo, const QString& titolo,
                           unsigned flags) {
    QMessageBox box(iconaDaFlag(flags), titolo, righeDaMessaggio(testo), QMessageBox::Ok, padre);
    box.setTextFormat(Qt::PlainText);
    // The box must come to the front even when another program is active.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
}

std::optional<QColor> DialoghiQt::colore(QWidget* padre, const QString& titolo) {
    const QColor scelto = QColorDialog::getColor(QColor(), padre, titolo);
    if (!scelto.isValid())
        return std::nullopt;
    return scelto;
}

std::optional<QString> DialoghiQt::apriFile(QWidget* padre, const OpzioniFile& opzioni) {
    return mostraFile(padre, opzioni, QFileDialog::AcceptOpen);
}

std::optional<QString> DialoghiQt::salvaFile(QWidget* padre, const OpzioniFile& opzioni) {
    return mostraFile(padre, opzioni, QFileDialog::AcceptSave);
}

QStringList filtriDaElenco(const QString& elenco) {
    const QStringList parti = elenco.split(QLatin1Char('|'));
    QStringList filtri;
    for (qsizetype i = 0; i + 1 < parti.size(); i += 2) {
        const QString descrizione = parti[i].trimmed();
        const QString modello = parti[i + 1].trimmed();
        if (descrizione.endsWith(QLatin1Char('(') + modello + QLatin1Char(')')))
            filtri.append(descrizione);
        else
            filtri.append(descrizione + QStringLiteral(" (") + modello + QLatin1Char(')'));
    }
    return filtri;
}
