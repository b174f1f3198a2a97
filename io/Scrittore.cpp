#include "Scrittore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace QuorlaIo {

namespace {

// Small pieces are gathered up to this many bytes before a write, and a large
// piece is encoded this many characters at a time, so that its bytes never
// stand whole in memory beside the text.
constexpr qsizetype kRiserva = qsizetype(1) << 16;
constexpr qsizetype kFetta = qsizetype(1) << 20;

#ifdef Q_OS_UNIX
// A name beside the target that no one else is using: the target's own name
// with six random letters, as Qt's temporary files have.
QByteArray NomeTemporaneo(const QByteArray& bersaglio) {
    static constexpr char kLettere[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray nome = bersaglio + '.';
    for (int i = 0; i < 6; ++i)
        nome += kLettere[QRandomGenerator::global()->bounded(int(sizeof kLettere) - 1)];
    return nome;
}
#endif

} // namespace

CausaScrittura CausaDaErrno(int errore) {
    switch (errore) {
    case EACCES:
    case EPERM:
        return CausaScrittura::PermessoNegato;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return CausaScrittura::SpazioEsaurito;
    case EFBIG:
        return CausaScrittura::FileTroppoGrande;
    case EISDIR:
        return CausaScrittura::Cartella;
    case ENOENT:
        return CausaScrittura::CartellaInesistente;
    case EROFS:
        return CausaScrittura::SolaLettura;
    case ENAMETOOLONG:
        return CausaScrittura::NomeTroppoLungo;
    case EPIPE:
#ifdef ECONNRESET
    case ECONNRESET:
#endif
        return CausaScrittura::FlussoChiuso;
    default:
        return CausaScrittura::Altro;
    }
}

QString TestoCausa(CausaScrittura causa) {
    switch (causa) {
    case CausaScrittura::Nessuna:
        break;
    case CausaScrittura::PermessoNegato:
        return QCoreApplication::translate("QuorlaIo", "Permesso negato");
    case CausaScrittura::SpazioEsaurito:
        return QCoreApplication::translate("QuorlaIo", "Spazio esaurito sul dispositivo");
    case CausaScrittura::FileTroppoGrande:
        return QCoreApplication::translate("QuorlaIo", "File troppo grande");
    case CausaScrittura::Cartella:
        return QCoreApplication::translate("QuorlaIo", "È una cartella");
    case CausaScrittura::CartellaInesistente:
        return QCoreApplication::translate("QuorlaIo", "La cartella non esiste");
    case CausaScrittura::SolaLettura:
        return QCoreApplication::translate("QuorlaIo", "File system di sola lettura");
    case CausaScrittura::NomeTroppoLungo:
        return QCoreApplication::translate("QuorlaIo", "Nome del file troppo lungo");
    case CausaScrittura::FlussoChiuso:
        return QCoreApplication::translate("QuorlaIo", "Chi leggeva ha chiuso il flusso");
    case CausaScrittura::Altro:
        return QCoreApplication::translate("QuorlaIo", "Errore di sistema");
    }
    return QString();
}

Scrittore::Scrittore(const QString& percorso) : percorso_(percorso) {}

Scrittore::Scrittore(int descrittore) : descrittore_(descrittore), proprio_(false) {}

Scrittore::~Scrittore() {
    annulla();
}

QString Scrittore::testoCausa() const {
    if (causa_ != CausaScrittura::Altro)
        return TestoCausa(causa_);
#ifdef Q_OS_UNIX
    if (errno_ != 0)
        return TestoCausa(causa_) + QStringLiteral(": ") +
               QString::fromLocal8Bit(std::strerror(errno_));
#else
    if (!erroreQt_.isEmpty())
        return TestoCausa(causa_) + QStringLiteral(": ") + erroreQt_;
#endif
    return TestoCausa(causa_);
}

void Scrittore::fallisci(int errore) {
    riuscito_ = false;
    // The first failure is the cause; what follows from it says nothing new.
    if (causa_ != CausaScrittura::Nessuna)
        return;
    errno_ = errore;
#ifdef Q_OS_UNIX
    causa_ = CausaDaErrno(errore);
#else
    causa_ = CausaScrittura::Altro;
#endif
}

void Scrittore::scrivi(QStringView pezzo) {
    while (riuscito_ && modo_ != Modo::Chiuso && !pezzo.isEmpty()) {
        const QStringView fetta = pezzo.first(std::min(kFetta, pezzo.size()));
        pezzo = pezzo.sliced(fetta.size());
        const QByteArray byte = codifica_.encode(fetta);
        if (riserva_.isEmpty() && byte.size() >= kRiserva) {
            scriviByte(byte.constData(), byte.size());
            continue;
        }
        riserva_ += byte;
        if (riserva_.size() >= kRiserva)
            svuota();
    }
}

void Scrittore::svuota() {
    if (!riserva_.isEmpty() && riuscito_)
        scriviByte(riserva_.constData(), riserva_.size());
    riserva_.resize(0);
}

bool Scrittore::scriviTutto(QStringView testo) {
    if (!apri())
        return false;
    scrivi(testo);
    return chiudi();
}

#ifdef Q_OS_UNIX

bool Scrittore::apri() {
    if (modo_ != Modo::Chiuso)
        return riuscito_;
    riuscito_ = true;
    intatto_ = true;
    causa_ = CausaScrittura::Nessuna;
    errno_ = 0;
    permessi_ = -1;
    if (!proprio_) {
        modo_ = Modo::Diretto;
        return true;
    }
    if (percorso_.isEmpty()) {
        fallisci(ENOENT);
        return false;
    }
    QByteArray nome = QFile::encodeName(percorso_);
    struct stat st {};
    const bool esiste = ::stat(nome.constData(), &st) == 0;
    if (!esiste && errno != ENOENT) {
        fallisci(errno);
        return false;
    }
    if (esiste && S_ISDIR(st.st_mode)) {
        fallisci(EISDIR);
        return false;
    }
    // A pipe, a device or a socket is the reader itself: replacing the node
    // with a file would lose both the text and the node. Opened by the name
    // given, which /dev/stdout needs.
    if (esiste && !S_ISREG(st.st_mode)) {
        descrittore_ = ::open(nome.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (descrittore_ < 0) {
            fallisci(errno);
            return false;
        }
        modo_ = Modo::Diretto;
        return true;
    }
    // A link stays a link: the file it names is the one written, and the
    // temporary file stands beside that one.
    const QFileInfo info(percorso_);
    bersaglio_ = percorso_;
    if (esiste && !info.canonicalFilePath().isEmpty())
        bersaglio_ = info.canonicalFilePath();
    else if (!esiste && info.isSymLink())
        bersaglio_ = info.symLinkTarget();
    nome = QFile::encodeName(bersaglio_);
    // The replacement would be made without the file's own write permission,
    // through the folder's: a file the user has protected stays protected.
    if (esiste && ::access(nome.constData(), W_OK) != 0) {
        fallisci(errno);
        return false;
    }

    if (!esiste || st.st_nlink == 1) {
        // Made with the mode a new file gets (umask and default ACL of the
        // folder applied); for an existing file, private until it has the
        // file's own mode.
        for (int prova = 0; prova < 100 && descrittore_ < 0; ++prova) {
            const QByteArray temporaneo = NomeTemporaneo(nome);
            descrittore_ =
                ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC,
                       esiste ? 0600 : 0666);
            if (descrittore_ >= 0)
                temporaneo_ = QFile::decodeName(temporaneo);
            else if (errno != EEXIST)
                break;
        }
        if (descrittore_ >= 0) {
            modo_ = Modo::Sostituisci;
            if (esiste) {
                uid_ = st.st_uid;
                gid_ = st.st_gid;
                permessi_ = st.st_mode & 07777;
            }
            return true;
        }
        if (!esiste) {
            fallisci(errno);
            return false;
        }
    }

    // Several names for one file, or no room for a temporary file beside it:
    // the file itself is written, emptied only when the text starts coming.
    descrittore_ = ::open(nome.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descrittore_ < 0) {
        fallisci(errno);
        return false;
    }
    modo_ = Modo::InPosto;
    daTroncare_ = true;
    permessi_ = st.st_mode & 07777;
    return true;
}

void Scrittore::scriviByte(const char* dati, qsizetype quanti) {
    if (daTroncare_) {
        intatto_ = false;
        daTroncare_ = false;
        if (::ftruncate(descrittore_, 0) != 0) {
            fallisci(errno);
            return;
        }
    }
    if (modo_ != Modo::Sostituisci && quanti > 0)
        intatto_ = false;
    while (quanti > 0) {
        const ssize_t scritti = ::write(descrittore_, dati, std::size_t(quanti));
        if (scritti < 0) {
            if (errno == EINTR)
                continue;
            fallisci(errno);
            return;
        }
        dati += scritti;
        quanti -= scritti;
    }
}

bool Scrittore::chiudi() {
    if (modo_ == Modo::Chiuso)
        return false;
    svuota();
    // An empty text empties a file written in place.
    if (riuscito_ && daTroncare_)
        scriviByte(nullptr, 0);
    // After the writing, which takes the set-id bits away from a file written
    // by a user. Root keeps the owner; a user keeps the group when a member of
    // it. A set-id bit never passes to another owner.
    if (riuscito_ && modo_ == Modo::Sostituisci && permessi_ >= 0) {
        const bool proprietario = ::fchown(descrittore_, uid_t(uid_), gid_t(gid_)) == 0;
        const bool gruppo = proprietario || ::fchown(descrittore_, uid_t(-1), gid_t(gid_)) == 0;
        mode_t permessi = mode_t(permessi_);
        if (!proprietario)
            permessi &= ~mode_t(S_ISUID);
        if (!gruppo)
            permessi &= ~mode_t(S_ISGID);
        if (::fchmod(descrittore_, permessi) != 0)
            fallisci(errno);
    }
    // A file written in place has its set-id bits back, if it is the user's.
    if (riuscito_ && modo_ == Modo::InPosto && (permessi_ & (S_ISUID | S_ISGID)) != 0)
        ::fchmod(descrittore_, mode_t(permessi_));
    // On the disk before it takes the old file's place: after a crash the name
    // holds either text, never an empty file.
    if (riuscito_ && modo_ != Modo::Diretto && ::fsync(descrittore_) != 0 && errno != EINVAL)
        fallisci(errno);
    if (proprio_) {
        if (::close(descrittore_) != 0 && riuscito_)
            fallisci(errno);
        descrittore_ = -1;
    }
    if (modo_ == Modo::Sostituisci) {
        const QByteArray temporaneo = QFile::encodeName(temporaneo_);
        if (riuscito_ && ::rename(temporaneo.constData(), QFile::encodeName(bersaglio_)) != 0)
            fallisci(errno);
        if (!riuscito_)
            ::unlink(temporaneo.constData());
        temporaneo_.clear();
    }
    modo_ = Modo::Chiuso;
    return riuscito_;
}

void Scrittore::annulla() {
    if (modo_ == Modo::Chiuso)
        return;
    riserva_.clear();
    riuscito_ = false;
    if (proprio_) {
        ::close(descrittore_);
        descrittore_ = -1;
    }
    if (modo_ == Modo::Sostituisci) {
        ::unlink(QFile::encodeName(temporaneo_).constData());
        temporaneo_.clear();
    }
    modo_ = Modo::Chiuso;
}

#else // Q_OS_UNIX

// Windows has neither owners nor hard links to keep here: Qt's own save file
// replaces a regular file, a device such as NUL is written straight.
bool Scrittore::apri() {
    if (modo_ != Modo::Chiuso)
        return riuscito_;
    riuscito_ = true;
    intatto_ = true;
    causa_ = CausaScrittura::Nessuna;
    erroreQt_.clear();
    if (!proprio_) {
        file_ = std::make_unique<QFile>();
        if (!file_->open(descrittore_, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            erroreQt_ = file_->errorString();
            fallisci(0);
            return false;
        }
        modo_ = Modo::Diretto;
        return true;
    }
    const QFileInfo info(percorso_);
    bersaglio_ = percorso_;
    if (info.isDir()) {
        causa_ = CausaScrittura::Cartella;
        riuscito_ = false;
        return false;
    }
    if (info.exists() && !info.isWritable()) {
        causa_ = CausaScrittura::PermessoNegato;
        riuscito_ = false;
        return false;
    }
    if (!info.exists() || info.isFile()) {
        salva_ = std::make_unique<QSaveFile>(bersaglio_);
        salva_->setDirectWriteFallback(false);
        if (salva_->open(QIODevice::WriteOnly)) {
            modo_ = Modo::Sostituisci;
            return true;
        }
        erroreQt_ = salva_->errorString();
        salva_.reset();
    }
    file_ = std::make_unique<QFile>(bersaglio_);
    // ReadWrite does not truncate: the file is emptied by the first piece.
    if (!info.exists() || !file_->open(QIODevice::ReadWrite)) {
        if (erroreQt_.isEmpty())
            erroreQt_ = file_->errorString();
        causa_ = info.absoluteDir().exists() ? CausaScrittura::Altro
                                             : CausaScrittura::CartellaInesistente;
        riuscito_ = false;
        file_.reset();
        return false;
    }
    modo_ = info.isFile() ? Modo::InPosto : Modo::Diretto;
    daTroncare_ = modo_ == Modo::InPosto;
    return true;
}

void Scrittore::scriviByte(const char* dati, qsizetype quanti) {
    QFileDevice* file = salva_ ? static_cast<QFileDevice*>(salva_.get()) : file_.get();
    if (daTroncare_) {
        intatto_ = false;
        daTroncare_ = false;
        if (!file->resize(0)) {
            erroreQt_ = file->errorString();
            fallisci(0);
            return;
        }
    }
    if (modo_ != Modo::Sostituisci && quanti > 0)
        intatto_ = false;
    if (quanti > 0 && file->write(dati, quanti) != quanti) {
        if (file->error() == QFileDevice::ResourceError)
            causa_ = CausaScrittura::SpazioEsaurito;
        erroreQt_ = file->errorString();
        fallisci(0);
        return;
    }
}

bool Scrittore::chiudi() {
    if (modo_ == Modo::Chiuso)
        return false;
    svuota();
    if (riuscito_ && daTroncare_)
        scriviByte(nullptr, 0);
    if (salva_) {
        if (!riuscito_)
            salva_->cancelWriting();
        if (!salva_->commit() && riuscito_) {
            erroreQt_ = salva_->errorString();
            fallisci(0);
        }
        salva_.reset();
    } else {
        if (!file_->flush() && riuscito_) {
            erroreQt_ = file_->errorString();
            fallisci(0);
        }
        file_.reset();
    }
    modo_ = Modo::Chiuso;
    return riuscito_;
}

void Scrittore::annulla() {
    if (modo_ == Modo::Chiuso)
        return;
    riserva_.clear();
    riuscito_ = false;
    if (salva_) {
        salva_->cancelWriting();
        // After cancelWriting, commit only removes the temporary file.
        salva_->commit();
    }
    salva_.reset();
    file_.reset();
    modo_ = Modo::Chiuso;
}

#endif // Q_OS_UNIX

} // namespace QuorlaIo
