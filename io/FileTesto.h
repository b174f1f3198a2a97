#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <optional>

namespace QuorlaIo {

// Reads a whole text file for the input box. Bytes are decoded in the system's
// encoding, or as Windows-1252 when they are not valid in it; a UTF-8 byte
// order mark is dropped. A line ends at CR LF, at CR alone or at LF alone; the
// lines are joined with one space, so that items standing one per line stay
// apart. nullopt when the file cannot be opened or read (a folder, no rights).
enum class ErroreLettura {
    Nessuno,
    Illeggibile,  // cannot be opened or read: a folder, no rights, a read error
    NonRegolare,  // a device, a FIFO, a socket: never opened, so never blocks
    TroppoGrande, // larger than LimiteLettura()
};
// How a line end of the file reaches the text: one space (so that items
// written one per line stay apart under the default separators), or a CR LF
// line break, for when the line break itself splits the items. Lf is CrLf
// for a reader that takes a bare LF for the CR LF: every line end becomes one
// LF, in place, and a file that already ends its lines so costs no pass at all.
// Intatta keeps every line end as the file has it, for items that may
// hold line breaks.
enum class FineRiga { Spazio, CrLf, Lf, Intatta };
// The largest file the window accepts, in bytes: its text must fit in a box.
qint64 LimiteLettura();
// limite: the largest file accepted, in bytes (the command line has none of
// its own).
std::optional<QString> LeggiFileTesto(const QString& percorso, ErroreLettura* errore = nullptr,
                                      FineRiga fineRiga = FineRiga::Spazio,
                                      qint64 limite = LimiteLettura());

// The decoding and line-end handling of LeggiFileTesto, for bytes read
// elsewhere (standard input).
QString DecodificaTesto(QByteArrayView byte, FineRiga fineRiga = FineRiga::Spazio);

// The system's encoding, for reading and writing files. Qt takes it to be
// UTF-8 on every Unix; naming UTF-8 there directly spares the system
// converter's intermediate copy of the whole text, twice the memory and time.
constexpr QStringConverter::Encoding CodificaSistema() {
#ifdef Q_OS_WIN
    return QStringConverter::System;
#else
    return QStringConverter::Utf8;
#endif
}

// The byte order mark a text starts with: its length and the encoding it
// names (UTF-8, UTF-16 or UTF-32, either byte order); nullopt without one.
struct SegnoOrdine {
    qsizetype lunghezza;
    QStringConverter::Encoding codifica;
};
std::optional<SegnoOrdine> LeggiSegnoOrdine(QByteArrayView byte);

// Windows-1252, the fallback for a file that is not valid UTF-8.
QString DecodificaWindows1252(QByteArrayView byte);

} // namespace QuorlaIo
