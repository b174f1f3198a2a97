#include "Esecuzione.h"

#include "Avanzamento.h"
#include "FileTesto.h"
#include "Motore.h"
#include "OrdinamentoEsterno.h"
#include "PagineGrandi.h"
#include "Scrittore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
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

// What was read of an input: a file is named, a stream read in memory up to
// the limit of a sort in memory, and copied beyond it into a temporary file.
struct Ingresso {
    QString nome;
    bool file = false;              // a regular file, read when its turn comes
    std::optional<QByteArray> byte; // a stream read whole
    QuorlaIo::FileAppoggio copia;   // a stream too large for memory
    qint64 dimensione = 0;
};

std::optional<Ingresso> LeggiIngresso(const QString& ingresso, qint64 limite,
                                      const QString& temporanei, QuorlaIo::ErroreLettura& errore) {
    Ingresso letto;
    letto.nome = ingresso;
    if (ingresso != u"-"_s && !DaLeggereComeFlusso(ingresso)) {
        const QFileInfo info(ingresso);
        if (!info.exists() || info.isDir()) {
            errore = QuorlaIo::ErroreLettura::Illeggibile;
            return std::nullopt;
        }
        if (!info.isFile()) {
            errore = QuorlaIo::ErroreLettura::NonRegolare;
            return std::nullopt;
        }
        letto.file = true;
        letto.dimensione = info.size();
        return letto;
    }
    QFile file;
    const bool aperto = ingresso == u"-"_s
                            ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                            : (file.setFileName(ingresso), file.open(QIODevice::ReadOnly));
    if (!aperto) {
        errore = QuorlaIo::ErroreLettura::Illeggibile;
        return std::nullopt;
    }
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
        if (letti == 0) {
            letto.dimensione = byte.size();
            letto.byte = std::move(byte);
            return letto;
        }
        if (byte.size() > limite)
            break;
    }
    // Too large for memory: the rest goes into a temporary file with what
    // was read, to be sorted in runs like a file.
    if (!letto.copia.crea(temporanei))
        throw ErroreAppoggio{letto.copia.errore()};
    while (!byte.isEmpty()) {
        letto.dimensione += byte.size();
        if (!letto.copia.scrivi(byte.constData(), std::size_t(byte.size())))
            throw ErroreAppoggio{letto.copia.errore()};
        byte = file.read(pezzo);
    }
    if (file.error() != QFileDevice::NoError) {
        errore = QuorlaIo::ErroreLettura::Illeggibile;
        return std::nullopt;
    }
    if (!letto.copia.daCapo())
        throw ErroreAppoggio{letto.copia.errore()};
    return letto;
}

QString Motivo(const QString& ingresso, QuorlaIo::ErroreLettura errore) {
    switch (errore) {
    case QuorlaIo::ErroreLettura::NonRegolare:
        return QCoreApplication::translate("quorla-cli", "non è un file regolare");
    case QuorlaIo::ErroreLettura::TroppoGrande: // the window's limit: none here
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
// The merge of runs writes as it goes: its progress line stays the merge's.
class VersoScrittore : public Motore::Uscita {
public:
    VersoScrittore(QuorlaIo::Scrittore& scrittore, Avanzamento& avanzamento, bool annuncia)
        : scrittore_(scrittore), avanzamento_(avanzamento), annuncia_(annuncia) {}
    void scrivi(QStringView pezzo) override {
        if (annuncia_)
            avanzamento_.fase(QCoreApplication::translate("quorla-cli", "scrittura"));
        scrittore_.scrivi(pezzo);
        scritto_ = scritto_ || !pezzo.isEmpty();
    }
    bool scritto() const { return scritto_; }

private:
    QuorlaIo::Scrittore& scrittore_;
    Avanzamento& avanzamento_;
    bool annuncia_;
    bool scritto_ = false;
};

} // namespace

namespace {

// The temporary file beside an -o target while it is written, removed if
// the program is stopped by a signal: the runs need no such care, since no
// name points to them.
char temporaneoDaTogliere[4096];

extern "C" void Interrotto(int segnale) {
    if (temporaneoDaTogliere[0] != 0)
        ::unlink(temporaneoDaTogliere);
    std::signal(segnale, SIG_DFL);
    std::raise(segnale);
}

// The first byte is written last, so that a signal never finds half a name.
void ProteggiTemporaneo(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    const std::size_t n = std::min(std::size_t(nome.size()), sizeof temporaneoDaTogliere - 1);
    temporaneoDaTogliere[0] = 0;
    std::memcpy(temporaneoDaTogliere + 1, nome.constData() + 1, n > 0 ? n - 1 : 0);
    temporaneoDaTogliere[n] = 0;
    temporaneoDaTogliere[0] = n > 0 ? nome[0] : 0;
}

QString CausaAppoggio(int errore) {
    const QuorlaIo::CausaScrittura causa = QuorlaIo::CausaDaErrno(errore);
    return causa == QuorlaIo::CausaScrittura::Altro ? qt_error_string(errore)
                                                    : QuorlaIo::TestoCausa(causa);
}

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
    const qint64 memoria = imp.memoria > 0 ? imp.memoria : MemoriaPredefinita();
    const QString temporanei = imp.temporanei.isEmpty() ? QDir::tempPath() : imp.temporanei;
    // The sort in memory takes about four times its text.
    const qint64 inMemoria = memoria / 4;
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN); // a file-size limit is a failed write, reported
#endif
    for (int segnale : {SIGINT, SIGTERM})
        std::signal(segnale, Interrotto);

    Avanzamento avanzamento(Avanzamento::SuTerminale());
    auto erroreAppoggio = [&](const ErroreAppoggio& e) {
        avanzamento.ferma();
        Errore(QCoreApplication::translate("quorla-cli",
                                           "impossibile scrivere i file temporanei in «%1»: %2")
                   .arg(QDir::toNativeSeparators(temporanei), CausaAppoggio(e.errore)));
        return EsitoErrore;
    };
    auto erroreLettura = [&](const QString& ingresso, QuorlaIo::ErroreLettura errore) {
        avanzamento.ferma();
        Errore(QCoreApplication::translate("quorla-cli", "impossibile leggere %1: %2")
                   .arg(NomeIngresso(ingresso), Motivo(ingresso, errore)));
        return EsitoErrore;
    };

    const QStringList nomi = imp.ingressi.isEmpty() ? QStringList{u"-"_s} : imp.ingressi;
    std::vector<Ingresso> ingressi;
    qint64 totale = 0;
    try {
        for (const QString& nome : nomi) {
            avanzamento.fase(
                QCoreApplication::translate("quorla-cli", "lettura di %1").arg(NomeIngresso(nome)));
            QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
            std::optional<Ingresso> letto =
                LeggiIngresso(nome, std::max<qint64>(inMemoria - totale, 0), temporanei, errore);
            if (!letto)
                return erroreLettura(nome, errore);
            totale += letto->copia.descrittore() >= 0 ? inMemoria + 1 : letto->dimensione;
            ingressi.push_back(std::move(*letto));
        }
    } catch (const ErroreAppoggio& e) {
        return erroreAppoggio(e);
    }

    std::optional<OrdinamentoEsterno> esterno;
    QString testo;
    // Several inputs follow one another as the lines of one file do.
    if (totale > inMemoria) {
        esterno.emplace(opzioni, memoria, temporanei, avanzamento);
        try {
            for (std::size_t k = 0; k < ingressi.size(); ++k) {
                Ingresso& ingresso = ingressi[k];
                if (k > 0)
                    esterno->aggiungi(giunto);
                if (ingresso.byte) {
                    esterno->aggiungi(QuorlaIo::DecodificaTesto(*ingresso.byte, fineRiga));
                    ingresso.byte.reset();
                    continue;
                }
                avanzamento.fase(QCoreApplication::translate("quorla-cli", "lettura di %1")
                                     .arg(NomeIngresso(ingresso.nome)));
                QuorlaIo::LettoreTesto lettore(fineRiga);
                QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Illeggibile;
                if (ingresso.file ? !lettore.apri(ingresso.nome, &errore)
                                  : !lettore.apri(ingresso.copia.descrittore()))
                    return erroreLettura(ingresso.nome, errore);
                for (;;) {
                    const std::optional<QString> pezzo =
                        lettore.prossimo(std::clamp<qint64>(memoria / 32, 1 << 16, 1 << 24));
                    if (!pezzo)
                        return erroreLettura(ingresso.nome, QuorlaIo::ErroreLettura::Illeggibile);
                    if (pezzo->isEmpty())
                        break;
                    esterno->aggiungi(*pezzo);
                }
            }
            esterno->chiudi();
        } catch (const ErroreAppoggio& e) {
            return erroreAppoggio(e);
        }
    } else {
        for (std::size_t k = 0; k < ingressi.size(); ++k) {
            Ingresso& ingresso = ingressi[k];
            QuorlaIo::ErroreLettura errore = QuorlaIo::ErroreLettura::Nessuno;
            std::optional<QString> parte =
                ingresso.byte ? QuorlaIo::DecodificaTesto(*ingresso.byte, fineRiga)
                              : QuorlaIo::LeggiFileTesto(ingresso.nome, &errore, fineRiga,
                                                         std::numeric_limits<qint64>::max());
            ingresso.byte.reset();
            if (!parte)
                return erroreLettura(ingresso.nome, errore);
            if (k == 0) {
                testo = std::move(*parte);
            } else {
                testo += giunto;
                testo += *parte;
            }
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
        ProteggiTemporaneo(scrittore.temporaneo());
        VersoScrittore uscita(scrittore, avanzamento, !esterno);
        try {
            if (!esterno)
                formattato = Motore::ordina(std::move(testo), opzioni, uscita).formattato();
            else if (!esterno->vuoto())
                formattato = esterno->scrivi(uscita).formattato();
        } catch (const ErroreAppoggio& e) {
            scrittore.annulla();
            ProteggiTemporaneo(QString());
            return erroreAppoggio(e);
        }
        if (uscita.scritto() && opzioni.ultimo == Motore::Fine::Nessuno)
            uscita.scrivi(fine);
        scritto = scrittore.chiudi();
        ProteggiTemporaneo(QString());
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
    RiavviaConPagineGrandi(analisi.impostazioni.ingressi);
    return Esegui(analisi.impostazioni);
}

} // namespace QuorlaCli
