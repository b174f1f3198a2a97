#include "Dialoghi.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextBoundaryFinder>
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

// A long message wraps only at its spaces: the toolkit would also break after
// a slash or a hyphen, cutting a path such as /tmp/ | cartella/file.txt in
// two. An invisible word joiner stands at each such place inside a word.
QString senzaCesureNelleParole(const QString& testo) {
    QString unito;
    unito.reserve(testo.size());
    QTextBoundaryFinder cesure(QTextBoundaryFinder::Line, testo);
    qsizetype da = 0;
    for (qsizetype a = cesure.toNextBoundary(); a > 0 && a < testo.size();
         a = cesure.toNextBoundary()) {
        unito += QStringView(testo).sliced(da, a - da);
        if (!testo[a - 1].isSpace() && !testo[a].isSpace())
            unito += QChar(0x2060);
        da = a;
    }
    unito += QStringView(testo).sliced(da);
    return unito;
}

// The dialog's filter for one of the program's filters. Qt matches a pattern
// literally, so "*.*" asks for a dot that a name such as LEGGIMI lacks, where
// the classic caption means every file; there the filter also gets "*". The
// dialog then shows only the part before the last parentheses, which is the
// program's own filter, caption unchanged.
QString filtroPerDialogo(const QString& filtro) {
    static const QRegularExpression modelli(QStringLiteral("^(.*)\\(([^()]*)\\)$"));
    const QRegularExpressionMatch trovato = modelli.match(filtro);
    QStringList elenco = (trovato.hasMatch() ? trovato.captured(2) : filtro)
                             .split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    const QString tutti = QStringLiteral("*.*");
    if (elenco.contains(tutti) && !QDir::match(tutti, QStringLiteral("LEGGIMI")))
        elenco.append(QStringLiteral("*"));
    return filtro + QStringLiteral(" (") + elenco.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// Qt's dialog adds the default suffix to every name typed without one. When
// opening, a name that exists as typed is taken as it is, and only a name that
// does not gets the suffix.
class DialogoFile : public QFileDialog {
public:
    DialogoFile(QWidget* padre, const QString& titolo, const QString& cartella,
                const QString& suffissoApertura)
        : QFileDialog(padre, titolo, cartella), suffissoApertura_(suffissoApertura) {}

protected:
    void accept() override {
        if (acceptMode() == AcceptOpen) {
            setDefaultSuffix(QString());
            const QStringList scelti = selectedFiles();
            const bool esiste = scelti.size() == 1 && QFileInfo::exists(scelti.first());
            setDefaultSuffix(esiste ? QString() : suffissoApertura_);
        }
        QFileDialog::accept();
    }

private:
    QString suffissoApertura_;
};

std::optional<QString> mostraFile(QWidget* padre, const Dialoghi::OpzioniFile& opzioni,
                                  QFileDialog::AcceptMode modo) {
    DialogoFile dialogo(padre, opzioni.titolo, opzioni.cartella, opzioni.estensione);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(opzioni.deveEsistere ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, !opzioni.chiediSovrascrittura);
    dialogo.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filtri;
    for (const QString& filtro : opzioni.filtri)
        filtri.append(filtroPerDialogo(filtro));
    dialogo.setNameFilters(filtri);
    if (modo == QFileDialog::AcceptSave)
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
    QMessageBox box(iconaDaFlag(flags), titolo, senzaCesureNelleParole(righeDaMessaggio(testo)),
                    QMessageBox::Ok, padre);
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

std::optional<int> DialoghiQt::numero(QWidget* padre, const QString& titolo,
                                      const QString& etichetta, int valore, int minimo,
                                      int massimo) {
    QDialog dialogo(padre);
    dialogo.setWindowTitle(titolo);
    auto* campo = new QSpinBox(&dialogo);
    campo->setObjectName(QStringLiteral("Num_Valore"));
    campo->setRange(minimo, massimo);
    campo->setValue(valore);
    campo->selectAll();
    auto* nome = new QLabel(etichetta, &dialogo);
    nome->setBuddy(campo);
    // The program's own captions, with their access keys, whatever language
    // the toolkit's buttons would speak.
    auto* pulsanti = new QDialogButtonBox(&dialogo);
    QPushButton* ok = pulsanti->addButton(QCoreApplication::translate("Dialoghi", "&OK"),
                                          QDialogButtonBox::AcceptRole);
    pulsanti->addButton(QCoreApplication::translate("Dialoghi", "&Annulla"),
                        QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(pulsanti, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(pulsanti, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    auto* disposizione = new QFormLayout(&dialogo);
    disposizione->addRow(nome, campo);
    disposizione->addRow(pulsanti);
    disposizione->setSizeConstraint(QLayout::SetFixedSize);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    // A value typed but not yet taken by the field counts as typed.
    campo->interpretText();
    return campo->value();
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
