#include "FileTesto.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace QuorlaIo {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes the code
// page leaves undefined keep their own value, as Windows itself maps them, so
// every byte of a file has a character and nothing is lost.
constexpr std::array<char16_t, 32> kWindows1252Alti = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

// A file that announces UTF-16 or UTF-32 with its byte order mark is read as
// such; without the mark such files cannot be told from 8-bit text with NULs.
std::optional<QString> DecodificaDaBom(QByteArrayView byte) {
    const std::optional<SegnoOrdine> segno = LeggiSegnoOrdine(byte);
    if (!segno || segno->codifica == QStringConverter::Utf8)
        return std::nullopt;
    // Stateless: an odd byte left at the end becomes a replacement character
    // instead of vanishing.
    QStringDecoder decoder(segno->codifica, QStringDecoder::Flag::Stateless);
    return decoder.decode(byte.sliced(segno->lunghezza));
}

QString Decodifica(QByteArrayView byte) {
    if (std::optional<QString> testo = DecodificaDaBom(byte))
        return *std::move(testo);
    // A mark that announces UTF-8 is no part of the text, whichever decoding
    // ends up being used for the rest.
    if (const std::optional<SegnoOrdine> segno = LeggiSegnoOrdine(byte))
        byte = byte.sliced(segno->lunghezza);

    // Stateless, so that a sequence cut short by the end of the file counts as
    // an error instead of being silently held back for more input. On Windows
    // the ANSI code page decoder reports nothing, and with code page 1252 every
    // byte is valid anyway: there the fallback below matters only in theory.
    QStringDecoder sistema(CodificaSistema(), QStringDecoder::Flag::Stateless);
    QString testo = sistema.decode(byte);
    if (!sistema.hasError())
        return testo;
    // Old files from Windows arrive in its Western code page; reading them that
    // way keeps their accented letters instead of replacement characters.
    return DecodificaWindows1252(byte);
}

} // namespace

// The UTF-32 LE mark begins like the UTF-16 LE one, so it is looked for first.
std::optional<SegnoOrdine> LeggiSegnoOrdine(QByteArrayView byte) {
    struct Segno {
        QByteArrayView byte;
        QStringConverter::Encoding codifica;
    };
    static const std::array<Segno, 5> segni = {{
        {QByteArrayView("\xFF\xFE\0\0", 4), QStringConverter::Utf32LE},
        {QByteArrayView("\0\0\xFE\xFF", 4), QStringConverter::Utf32BE},
        {QByteArrayView("\xFF\xFE", 2), QStringConverter::Utf16LE},
        {QByteArrayView("\xFE\xFF", 2), QStringConverter::Utf16BE},
        {QByteArrayView("\xEF\xBB\xBF", 3), QStringConverter::Utf8},
    }};
    for (const Segno& segno : segni) {
        if (byte.startsWith(segno.byte))
            return SegnoOrdine{segno.byte.size(), segno.codifica};
    }
    return std::nullopt;
}

// Qt 6.4 knows no Windows-1252 decoder by name (not even through ICU), so the
// difference from Latin-1 is patched in by hand.
QString DecodificaWindows1252(QByteArrayView byte) {
    QString testo = QString::fromLatin1(byte);
    for (QChar& c : testo) {
        const char16_t codice = c.unicode();
        if (codice >= 0x80 && codice <= 0x9F)
            c = QChar(kWindows1252Alti[codice - 0x80]);
    }
    return testo;
}

qint64 LimiteLettura() {
    return qint64(1) << 30;
}

std::optional<QString> LeggiFileTesto(const QString& percorso, ErroreLettura* errore,
                                      FineRiga fineRiga, qint64 limite) {
    auto fallito = [errore](ErroreLettura e) {
        if (errore)
            *errore = e;
        return std::nullopt;
    };
    if (errore)
        *errore = ErroreLettura::Nessuno;
    // A device such as /dev/zero never ends, and opening a FIFO waits for a
    // writer: neither is a text file, so neither is opened at all.
    const QFileInfo info(percorso);
    if (info.exists() && !info.isFile() && !info.isDir())
        return fallito(ErroreLettura::NonRegolare);
    if (info.isFile() && info.size() > limite)
        return fallito(ErroreLettura::TroppoGrande);

    QFile file;
#ifdef Q_OS_UNIX
    // The path may have become something else since it was looked at: open it
    // without waiting and look again at what was actually opened.
    const int fd =
        ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fallito(ErroreLettura::Illeggibile);
    struct stat st {};
    const bool letto = ::fstat(fd, &st) == 0;
    if (!letto || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fallito(!letto || S_ISDIR(st.st_mode) ? ErroreLettura::Illeggibile
                                                     : ErroreLettura::NonRegolare);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fallito(ErroreLettura::Illeggibile);
    }
#else
    file.setFileName(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return fallito(ErroreLettura::Illeggibile);
#endif
    // A file that grew after it was measured, or one that reports no size
    // (those of /proc), is held to the same limit while it is read.
    QByteArray byte;
    if (file.size() > 0) {
        byte = file.readAll();
    } else {
        constexpr qint64 kBlocco = 1 << 20;
        while (byte.size() <= limite) {
            const QByteArray pezzo = file.read(kBlocco);
            if (pezzo.isEmpty())
                break;
            byte += pezzo;
        }
    }
    if (file.error() != QFileDevice::NoError)
        return fallito(ErroreLettura::Illeggibile);
    if (byte.size() > limite)
        return fallito(ErroreLettura::TroppoGrande);
    return DecodificaTesto(byte, fineRiga);
}

QString DecodificaTesto(QByteArrayView byte, FineRiga fineRiga) {
    QString testo = Decodifica(byte);
    if (testo.isEmpty() || fineRiga == FineRiga::Intatta)
        return testo;

    if (fineRiga == FineRiga::CrLf) {
        // When the line break itself splits the items, every kind of line end
        // must become the engine's own CR LF. A lone CR or LF grows by one
        // character, so the text is rebuilt into a buffer sized for the worst
        // case, and the final line end, which closes the last line, adds nothing.
        QString righe(testo.size() + testo.count(u'\r') + testo.count(u'\n'), Qt::Uninitialized);
        QChar* scrivi = righe.data();
        const QChar* leggi = testo.constData();
        const QChar* const fine = leggi + testo.size();
        while (leggi != fine) {
            const QChar c = *leggi++;
            if (c != u'\r' && c != u'\n') {
                *scrivi++ = c;
                continue;
            }
            if (c == u'\r' && leggi != fine && *leggi == u'\n')
                ++leggi;
            if (leggi == fine)
                break;
            *scrivi++ = u'\r';
            *scrivi++ = u'\n';
        }
        righe.truncate(scrivi - righe.constData());
        return righe;
    }

    // Items written one per line must stay apart once the lines become one
    // text, so every line end turns into a single space (or LF). The end of the
    // file closes the last line by itself, so a final line end adds nothing.
    // One pass in place: QString::replace would move the tail of a large file
    // once per batch of line ends.
    const bool chiusoDaFineRiga = testo.endsWith(u'\r') || testo.endsWith(u'\n');
    const QChar unoSolo = fineRiga == FineRiga::Lf ? QChar(u'\n') : QChar(u' ');
    // Nothing moves before the first line end, which a text of one long line
    // (or, for Lf, of Unix lines) never reaches.
    qsizetype primo = testo.indexOf(u'\r');
    if (fineRiga != FineRiga::Lf) {
        const qsizetype lf = testo.indexOf(u'\n');
        if (primo < 0 || (lf >= 0 && lf < primo))
            primo = lf;
    }
    if (primo < 0) {
        if (chiusoDaFineRiga)
            testo.chop(1);
        return testo;
    }
    QChar* scrivi = testo.data() + primo;
    const QChar* leggi = scrivi;
    const QChar* const fine = testo.constData() + testo.size();
    while (leggi != fine) {
        QChar c = *leggi++;
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && leggi != fine && *leggi == u'\n')
                ++leggi;
            c = unoSolo;
        }
        *scrivi++ = c;
    }
    testo.truncate(scrivi - testo.constData());
    if (chiusoDaFineRiga)
        testo.chop(1);
    return testo;
}

} // namespace QuorlaIo
