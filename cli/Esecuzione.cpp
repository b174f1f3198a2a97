#include "Esecuzione.h"

#include "Avanzamento.h"
#include "FileTesto.h"
#include "ScritturaFlusso.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
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
    return S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISSOCK(info.st_mode);
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

// Standard output, encoded as "Salva con nome..." encodes a file.
class ScrittoreStandard {
public:
    void scrivi(QStringView pezzo) {
        const QByteArray byte = codifica_.encode(pezzo);
        if (riuscito_ && std::fwrite(byte.constData(), 1, std::size_t(byte.size()), stdout) !=
                             std::size_t(byte.size()))
            riuscito_ = false;
    }
    bool chiudi() { return std::fflush(stdout) == 0 && riuscito_ && !std::ferror(stdout); }

private:
    QStringEncoder codifica_{QuorlaIo::CodificaSistema()};
    bool riuscito_ = true;
};

template <typename Scrittore> void ScriviAPezzi(Scrittore& scrittore, QStringView testo) {
    // A large result is encoded a slice at a time, so that its bytes never
    // stand whole in memory beside the text.
    constexpr qsizetype Fetta = qsizetype(1) << 20;
    for (qsizetype da = 0; da < testo.size(); da += Fetta)
        scrittore.scrivi(testo.sliced(da, std::min(Fetta, testo.size() - da)));
}

} // namespace

int Esegui(const Impostazioni& imp) {
    ApplicaAlMotore(imp);
    // With "Invio" splitting the input, the lines of a file are its items.
    // They reach the engine ending in a bare LF, which it takes for the
    // window's CR LF: a file with Unix line ends is then used as it is read.
    const bool perRighe = Dichiarazioni::Sep_Ingresso[Dichiarazioni::IndiceInvio];
    const QuorlaIo::FineRiga fineRiga =
        perRighe ? QuorlaIo::FineRiga::Lf : QuorlaIo::FineRiga::Spazio;
    const QString giunto = perRighe ? u"\n"_s : u" "_s;

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
    const bool aCapo = imp.larghezza.has_value();
    bool formattato = true;
    bool scritto = false;
    // The same run whichever writer takes the pieces.
    auto ordinaIn = [&](auto& scrittore) {
        formattato = Dichiarazioni::Elabora_Testo_Flusso(
            std::move(testo), aCapo,
            [&](QStringView pezzo) {
                avanzamento.fase(QCoreApplication::translate("quorla-cli", "scrittura"));
                ScriviAPezzi(scrittore, pezzo);
            },
            perRighe);
        scritto = scrittore.chiudi();
    };
    if (imp.fileUscita.isEmpty()) {
        ScrittoreStandard scrittore;
        ordinaIn(scrittore);
    } else {
        QuorlaIo::ScrittoreFileTesto scrittore(imp.fileUscita);
        if (scrittore.apri())
            ordinaIn(scrittore);
    }
    avanzamento.ferma();

    if (!scritto) {
        Errore(
            imp.fileUscita.isEmpty()
                ? QCoreApplication::translate("quorla-cli",
                                              "errore di scrittura sullo standard output")
                : QCoreApplication::translate(
                      "quorla-cli", "impossibile salvare il file «%1»; se c'era, è rimasto com'era")
                      .arg(imp.fileUscita));
        return EsitoErrore;
    }
    if (!formattato) {
        Errore(Dichiarazioni::TestoImpossibileFormattare);
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
