#include "Flusso.h"

#include <QFile>
#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace QuorlaIo {

namespace {

#ifndef O_CLOEXEC
constexpr int O_CLOEXEC = 0;
#endif
#ifndef O_BINARY
constexpr int O_BINARY = 0;
#endif

constexpr std::size_t Riserva = std::size_t(1) << 20;

qint64 LeggiTutto(int descrittore, char* dove, qint64 quanti) {
    qint64 letti = 0;
    while (letti < quanti) {
        const auto n =
            ::read(descrittore, dove + letti, unsigned(std::min<qint64>(quanti - letti, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        letti += n;
    }
    return letti;
}

// How many bytes the UTF-8 sequence that starts with this byte has.
int LunghezzaUtf8(unsigned char c) {
    return c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
}

} // namespace

FileAppoggio::~FileAppoggio() {
    if (descrittore_ >= 0)
        ::close(descrittore_);
}

FileAppoggio::FileAppoggio(FileAppoggio&& altro) noexcept
    : descrittore_(std::exchange(altro.descrittore_, -1)), errore_(altro.errore_),
      riserva_(std::move(altro.riserva_)) {}

FileAppoggio& FileAppoggio::operator=(FileAppoggio&& altro) noexcept {
    if (this != &altro) {
        if (descrittore_ >= 0)
            ::close(descrittore_);
        descrittore_ = std::exchange(altro.descrittore_, -1);
        errore_ = altro.errore_;
        riserva_ = std::move(altro.riserva_);
    }
    return *this;
}

bool FileAppoggio::crea(const QString& cartella) {
#ifdef Q_OS_WIN
    // Windows removes the file when its last descriptor closes.
    const QString nome =
        cartella + QStringLiteral("/quorla-") + QUuid::createUuid().toString(QUuid::Id128);
    descrittore_ =
        ::_wopen(reinterpret_cast<const wchar_t*>(nome.utf16()),
                 _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_TEMPORARY, _S_IREAD | _S_IWRITE);
#else
    QByteArray nome = QFile::encodeName(cartella) + "/quorla-XXXXXX";
    descrittore_ = ::mkstemp(nome.data());
    if (descrittore_ >= 0) {
        ::unlink(nome.constData());
        ::fcntl(descrittore_, F_SETFD, FD_CLOEXEC);
    }
#endif
    errore_ = descrittore_ < 0 ? errno : 0;
    return descrittore_ >= 0;
}

bool FileAppoggio::svuota() {
    std::size_t scritti = 0;
    while (errore_ == 0 && scritti < riserva_.size()) {
        const auto n = ::write(descrittore_, riserva_.data() + scritti,
                               unsigned(std::min<std::size_t>(riserva_.size() - scritti, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            errore_ = n < 0 ? errno : ENOSPC;
        else
            scritti += std::size_t(n);
    }
    riserva_.clear();
    return errore_ == 0;
}

bool FileAppoggio::scrivi(const char* dati, std::size_t quanti) {
    if (errore_ != 0)
        return false;
    if (riserva_.size() + quanti > Riserva && !svuota())
        return false;
    if (riserva_.capacity() < Riserva)
        riserva_.reserve(Riserva);
    riserva_.append(dati, quanti);
    return true;
}

bool FileAppoggio::daCapo() {
    // Many files wait to be read at once: none keeps its buffer.
    const bool scritto = svuota();
    std::string().swap(riserva_);
    if (!scritto)
        return false;
    if (::lseek(descrittore_, 0, SEEK_SET) != 0) {
        errore_ = errno;
        return false;
    }
    return true;
}

qint64 FileAppoggio::leggi(char* dove, qint64 quanti) {
    const qint64 n = LeggiTutto(descrittore_, dove, quanti);
    if (n < 0)
        errore_ = errno;
    return n;
}

LettoreTesto::~LettoreTesto() {
    if (proprio_ && descrittore_ >= 0)
        ::close(descrittore_);
}

bool LettoreTesto::apri(const QString& percorso, ErroreLettura* errore) {
    descrittore_ = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC | O_BINARY);
    proprio_ = true;
    struct stat st {};
    if (descrittore_ < 0 || ::fstat(descrittore_, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (errore)
            *errore = descrittore_ >= 0 && !S_ISDIR(st.st_mode) ? ErroreLettura::NonRegolare
                                                                : ErroreLettura::Illeggibile;
        return false;
    }
    if (scegliCodifica())
        return true;
    if (errore)
        *errore = ErroreLettura::Illeggibile;
    return false;
}

bool LettoreTesto::apri(int descrittore) {
    descrittore_ = descrittore;
    proprio_ = false;
    return scegliCodifica();
}

qint64 LettoreTesto::leggi(char* dove, qint64 quanti) {
    return LeggiTutto(descrittore_, dove, quanti);
}

// A byte order mark names the encoding; without one the whole file is read
// once to see whether it is UTF-8, as the window decides for a whole text.
bool LettoreTesto::scegliCodifica() {
    if (::lseek(descrittore_, 0, SEEK_SET) != 0)
        return false;
    char inizio[4] = {};
    const qint64 n = leggi(inizio, 4);
    if (n < 0)
        return false;
    const QByteArrayView testa(inizio, n);
    const std::optional<SegnoOrdine> segno = LeggiSegnoOrdine(testa);
    const qint64 salta = segno ? segno->lunghezza : 0;
    const QStringConverter::Encoding codifica = segno ? segno->codifica : CodificaSistema();
    if (salta == 0 || codifica == QStringConverter::Utf8) {
        if (::lseek(descrittore_, salta, SEEK_SET) != salta)
            return false;
        QStringDecoder prova(codifica);
        QByteArray blocco(qsizetype(1) << 24, Qt::Uninitialized);
        QByteArray coda;
        for (;;) {
            const qint64 letti = leggi(blocco.data(), blocco.size());
            if (letti < 0)
                return false;
            if (letti == 0)
                break;
            const QByteArrayView pezzo(blocco.constData(), letti);
            (void)prova.decode(pezzo);
            coda.append(pezzo.last(std::min<qint64>(letti, 4)));
            coda = coda.right(4);
            if (prova.hasError())
                break;
        }
        // A sequence cut short by the end of the file is an error too.
        bool tronca = false;
        for (qsizetype i = coda.size() - 1; i >= 0; --i) {
            const int attesi = LunghezzaUtf8(static_cast<unsigned char>(coda[i]));
            if (attesi > 0) {
                tronca = coda.size() - i < attesi;
                break;
            }
        }
        windows1252_ = prova.hasError() || tronca;
    }
    if (!windows1252_)
        decodifica_.emplace(codifica);
    unita_ = salta == 4 ? 4 : salta == 2 ? 2 : 1;
    return ::lseek(descrittore_, salta, SEEK_SET) == salta;
}

std::optional<QString> LettoreTesto::prossimo(qint64 quanti) {
    // A piece may give no text yet: part of a character, a CR that waits for
    // its LF. Only the end of the file gives the empty string.
    QByteArray byte(qsizetype(std::max<qint64>(quanti, 4)), Qt::Uninitialized);
    while (!finito_) {
        const qint64 letti = leggi(byte.data(), byte.size());
        if (letti < 0)
            return std::nullopt;
        finito_ = letti == 0;
        letti_ += letti;
        const QByteArrayView pezzo(byte.constData(), letti);
        QString testo = windows1252_ ? DecodificaWindows1252(pezzo) : decodifica_->decode(pezzo);
        // A code unit cut short by the end of the file is a replacement
        // character, as when the whole file is decoded at once.
        if (finito_ && unita_ > 1 && letti_ % unita_ != 0)
            testo += QChar::ReplacementCharacter;
        if (fineRiga_ != FineRiga::Intatta)
            testo = lineeFine(std::move(testo), finito_);
        if (!testo.isEmpty())
            return testo;
    }
    return QString();
}

// Every line end (CR LF, CR, LF) becomes the one the reader asked for; the
// last of the file adds nothing. A CR at the end of a piece waits for the
// next, which may begin with its LF, and every line end waits for some text
// after it.
QString LettoreTesto::lineeFine(QString testo, bool ultimo) {
    const QString fineLinea = fineRiga_ == FineRiga::CrLf ? QStringLiteral("\r\n")
                              : fineRiga_ == FineRiga::Lf ? QStringLiteral("\n")
                                                          : QStringLiteral(" ");
    QString uscita;
    uscita.reserve(testo.size() + 2);
    auto fineTrovata = [&] {
        if (fineInSospeso_)
            uscita += fineLinea;
        fineInSospeso_ = true;
    };
    const QChar* p = testo.constData();
    const qsizetype n = testo.size();
    qsizetype i = 0;
    if (crInSospeso_ && n > 0) {
        crInSospeso_ = false;
        fineTrovata();
        if (p[0] == u'\n')
            i = 1;
    }
    while (i < n) {
        qsizetype j = i;
        while (j < n && p[j] != u'\r' && p[j] != u'\n')
            ++j;
        if (j > i) {
            if (fineInSospeso_)
                uscita += fineLinea;
            fineInSospeso_ = false;
            uscita.append(p + i, j - i);
        }
        if (j == n)
            break;
        if (p[j] == u'\r' && j + 1 == n) {
            crInSospeso_ = true;
            break;
        }
        fineTrovata();
        i = j + (p[j] == u'\r' && p[j + 1] == u'\n' ? 2 : 1);
    }
    if (ultimo && crInSospeso_) {
        crInSospeso_ = false;
        fineTrovata();
    }
    return uscita;
}

} // namespace QuorlaIo
