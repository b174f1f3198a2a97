#include "Esecuzione.h"

#include "Avanzamento.h"
#include "FileTesto.h"
#include "Motore.h"
#include "Scrittore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace QuorlaCli {

namespace {

void Scrivi(FILE* flusso, const QString& testo) {
    const QByteArray byte = testo.toLocal8Bit();
    std::fwrite(byte.constData(), 1, std::size_t(byte.size()), flusso);
    std::fflush(flusso);
}

void Errore(const QString& testo) {
    Scrivi(stderr, u"quorla-cli: "_s + testo + u'\n');
}

QString NomeIngresso(const QString& ingresso) {
    return ingresso == u"-"_s ? QCoreApplication::translate("quorla-cli", "standard input")
                              : QCoreApplication::translate("quorla-cli", "«%1»").arg(ingresso);
}

// Pipes, terminals and process substitutions (<(...)) are read to their end,
// as standard input is; LeggiFileTesto turns them away because the window
// must never block on them.
bool DaLeggereComeFlusso(const QString& percorso) {
    struct stat info {};
    if (::stat(QFile::encodeName(percorso).constData(), &info) != 0)
        return false;
#ifdef S_ISSOCK
    if (S_ISSOCK(info.st_mode)) // Windows has no sockets in its file system
        return true;
#endif
    return S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode);
}

std::optional<QByteArray> LeggiFlusso(QFile& file, QuorlaIo::ErroreLettura& errore) {
    QByteArray byte;
    const qint64 pezzo = qint64(1) << 20;
    for (;;) {
        const qsizetype prima = byte.size();
        byte.resize(prima + pezzo);
        const qint64 letti = file.read(byte.data() + prima, pezzo);
        byte.resize(prima + std::max<qint64>(letti, 0));
        if (letti < 0) {
            errore = QuorlaIo::ErroreLettura::Illeggibile;
            return std::nullopt;
        }
        if (letti == 0)
            return byte;
        if (byte.size() > QuorlaIo::LimiteLettura()) {
            errore = QuorlaIo::ErroreLettura::TroppoGrande;
            return std::nullopt;
        }
    }
}

std::optional<QString> LeggiIngresso(const QString& ingresso, QuorlaIo::FineRiga fineRiga,
                                     QuorlaIo::ErroreLettura& errore) {
    if (ingresso != u"-"_s && !DaLeggereComeFlusso(ingresso))
        return QuorlaIo::LeggiFileTesto(ingresso, &errore, fineRiga);
    QFile file;
    bool aperto = false;
    if (ingresso == u"-"_s) {
        aperto = file.open(STDIN_FILENO, QIODevice::ReadOnly);
    } else {
        file.setFileName(ingresso);
        aperto = file.open(QIODevice::ReadOnly);
    }
    if (!aperto) {
        errore = QuorlaIo::ErroreLettura::Illeggibile;
        return std::nullopt;
    }
    const std::optional<QByteArray> byte = LeggiFlusso(file, errore);
    if (!byte)
        return std::nullopt;
    return QuorlaIo::DecodificaTesto(*byte, fineRiga);
}

QString Motivo(const QString& ingresso, QuorlaIo::ErroreLettura errore) {
    switch (errore) {
    case QuorlaIo::ErroreLettura::NonRegolare:
        return QCoreApplication::translate("quorla-cli", "non è un file regolare");
    case QuorlaIo::ErroreLettura::TroppoGrande:
        return QCoreApplication::translate("quorla-cli", "supera il limite di %1 byte")
            .arg(QuorlaIo::LimiteLettura());
    case QuorlaIo::ErroreLettura::Nessuno:
    case QuorlaIo::ErroreLettura::Illeggibile:
        break;
    }
    if (ingresso != u"-"_s) {
        const QFileInfo info(ingresso);
        if (!info.exists())
            return QCoreApplication::translate("quorla-cli", "il file non esiste");
        if (info.isDir())
            return QCoreApplication::translate("quorla-cli", "è una cartella");
    }
    return QCoreApplication::translate("quorla-cli", "non si può leggere");
}

// The engine's result, as it is made, to the writer.
class VersoScrittore : public Motore::Uscita {
public:
    VersoScrittore(QuorlaIo::Scrittore& scrittore, Avanzamento& avanzamento)
        : scrittore_(scrittore), avanzamento_(avanzamento) {}
    void scrivi(QStringView pezzo) override {
        avanzamento_.fase(QCoreApplication::translate("quorla-cli", "scrittura"));
        scrittore_.scrivi(pezzo);
        scritto_ = scritto_ || !pezzo.isEmpty();
    }
    bool scritto() const { return scritto_; }

private:
    QuorlaIo::Scrittore& scrittore_;
    Avanzamento& avanzamento_;
    bool scritto_ = false;
};

} // namespace

int Esegui(const Impostazioni& imp) {
    // With "Invio" splitting the input, the lines of a file are its items.
    // They reach the engine ending in a bare LF, which it takes for the
    // window's CR LF: a file with Unix line ends is then used as it is read.
    // With NUL between the items, a line end is part of an item.
    Motore::Opzioni opzioni = imp.opzioni;
    const bool perRighe = opzioni.perRighe();
    opzioni.righeLf = perRighe;
    const QuorlaIo::FineRiga fineRiga = opzioni.nul ? QuorlaIo::FineRiga::Intatta
                                        : perRighe  ? QuorlaIo::FineRiga::Lf
                                                    : QuorlaIo::FineRiga::Spazio;
    const QString giunto = opzioni.nul ? QString(QChar(0)) : perRighe ? u"\n"_s : u" "_s;

    Avanzamento avanzamento(Avanzamento::SuTerminale());
    const QStringList ingressi = imp.ingressi.isEmpty() ? QStringList{u"-"_s} : imp.ingressi;
    QString testo;
    for (qsizetype k = 0; k < ingressi.size(); ++k) {
        const QString& ingresso = ingressi[k];
        avanzamento.fase(
            QCoreApplication::translate("quorla-cli", "lettura di %1").arg(NomeIngresso(ingresso)));
        QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
        std::optional<QString> parte = LeggiIngresso(ingresso, fineRiga, errore);
        if (!parte) {
            avanzamento.ferma();
            Errore(QCoreApplication::translate("quorla-cli", "impossibile leggere %1: %2")
                       .arg(NomeIngresso(ingresso), Motivo(ingresso, errore)));
            return EsitoErrore;
        }
        // Several inputs follow one another as the lines of one file do.
        if (k == 0) {
            testo = std::move(*parte);
        } else {
            testo += giunto;
            testo += *parte;
        }
    }

    avanzamento.fase(QCoreApplication::translate("quorla-cli", "ordinamento"));
    bool formattato = true;
    bool scritto = false;
    // A result ends as a text file's last line does (with -z, in a NUL), as
    // other text tools end theirs, unless the end of text already holds the
    // output separator.
    const QString fine = opzioni.nul                                  ? QString(QChar(0))
                         : opzioni.ultimo == Motore::Fine::ComeUscita ? QString()
                         : opzioni.uscitaLf                           ? u"\n"_s
                                                                      : u"\r\n"_s;
    // One writer for a file and for standard output: a file is replaced only
    // once everything has been written.
    QuorlaIo::Scrittore scrittore = imp.fileUscita.isEmpty() ? QuorlaIo::Scrittore(STDOUT_FILENO)
                                                             : QuorlaIo::Scrittore(imp.fileUscita);
    if (scrittore.apri()) {
        VersoScrittore uscita(scrittore, avanzamento);
        formattato = Motore::ordina(std::move(testo), opzioni, uscita).formattato();
        if (uscita.scritto() && opzioni.ultimo == Motore::Fine::Nessuno)
            uscita.scrivi(fine);
        scritto = scrittore.chiudi();
    }
    avanzamento.ferma();

    if (!scritto) {
        const QString messaggio =
            imp.fileUscita.isEmpty()
                ? QCoreApplication::translate("quorla-cli",
                                              "errore di scrittura sullo standard output")
            : scrittore.intatto()
                ? QCoreApplication::translate(
                      "quorla-cli", "impossibile salvare il file «%1»; se c'era, è rimasto com'era")
                      .arg(imp.fileUscita)
                : QCoreApplication::translate(
                      "quorla-cli",
                      "impossibile salvare il file «%1»; è stato scritto solo in parte")
                      .arg(imp.fileUscita);
        Errore(messaggio + u": "_s + scrittore.testoCausa());
        return EsitoErrore;
    }
    if (!formattato) {
        Errore(QCoreApplication::translate("quorla-cli", "Impossibile formattare il testo"));
        return EsitoNonFormattato;
    }
    return EsitoRiuscito;
}

int Principale(const QStringList& argomenti) {
    const Analisi analisi = Analizza(argomenti);
    switch (analisi.esito) {
    case Esito::Aiuto:
        Scrivi(stdout, analisi.aiuto);
        return EsitoRiuscito;
    case Esito::Versione:
        Scrivi(stdout, TestoVersione());
        return EsitoRiuscito;
    case Esito::Errore:
        Errore(analisi.errore);
        Scrivi(stderr,
               analisi.aiuto.section(u'\n', 0, 0) + u'\n' +
                   QCoreApplication::translate("quorla-cli", "Per l'elenco delle opzioni: %1")
                       .arg(u"quorla-cli --help"_s) +
                   u'\n');
        return EsitoErrore;
    case Esito::Procedi:
        break;
    }
    return Esegui(analisi.impostazioni);
}

} // namespace QuorlaCli
