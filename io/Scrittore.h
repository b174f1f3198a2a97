#pragma once

#include "FileTesto.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

#ifndef Q_OS_UNIX
#include <QFile>
#include <QSaveFile>
#include <memory>
#endif

namespace QuorlaIo {

// Why a write failed.
enum class CausaScrittura {
    Nessuna,
    PermessoNegato,      // no write permission on the file or on its folder
    SpazioEsaurito,      // no space left on the device, or the disk quota
    FileTroppoGrande,    // past the largest file the system lets this process write
    Cartella,            // the target is a folder
    CartellaInesistente, // the folder the file should go in does not exist
    SolaLettura,         // a file system mounted read-only
    NomeTroppoLungo,
    FlussoChiuso, // the reader of a pipe or socket went away
    Altro,        // anything else: the system's own words
};

// The cause in the program's words, in the user's language ("Permesso negato").
QString TestoCausa(CausaScrittura causa);
// The cause of a failed write as errno gives it.
CausaScrittura CausaDaErrno(int errore);

// Writes a text that arrives in pieces, in the system's encoding, into a file,
// a device, a pipe or an already open descriptor such as standard output. It
// is the one writer of "Salva con nome...", of quorla-cli -o and of quorla-cli
// on standard output.
//
// A regular file is replaced only once everything has been written (a
// temporary file beside it, renamed into its place), keeping its mode, its
// group and, where allowed, its owner; a symbolic link stays a link, and the
// file it names gets the text. A file the user may not write is refused (as
// access(W_OK) says: root may write any file, as every program run as root
// does, and its mode then stays as it was). Written in place instead, and so
// left truncated by a failure halfway:
// - a file with several hard links, so that every name sees the new text;
// - a file in a folder where no temporary file can be made, when the file
//   itself may be written.
// A target that is not a regular file (a pipe, a character device) is written
// straight into and never replaced, as `sort -o` does.
class Scrittore {
public:
    // The file, device or pipe at percorso; nothing is opened before apri().
    explicit Scrittore(const QString& percorso);
    // An open descriptor (standard output: 1), written as it is and never closed.
    explicit Scrittore(int descrittore);
    ~Scrittore();
    Scrittore(const Scrittore&) = delete;
    Scrittore& operator=(const Scrittore&) = delete;

    // Opens the target; false, with the cause, when it cannot be written.
    // A file written in place is not touched yet: it is emptied by the first
    // piece, or by chiudi().
    bool apri();
    // After a failure the following pieces are dropped; chiudi() reports it.
    void scrivi(QStringView pezzo);
    // Puts the text in place; false, with the cause, when anything failed.
    bool chiudi();
    // Drops what was written; a replaced file stays as it was.
    void annulla();
    // apri(), the whole text, chiudi().
    bool scriviTutto(QStringView testo);

    CausaScrittura causa() const { return causa_; }
    // TestoCausa(causa()), or for Altro the system's description.
    QString testoCausa() const;
    // False once the target may hold part of the new text: always true after
    // a failed replacement, false after a failure halfway through a write in
    // place.
    bool intatto() const { return intatto_; }
    // The file written beside the target while it is replaced; empty otherwise.
    QString temporaneo() const { return temporaneo_; }

private:
    enum class Modo { Chiuso, Sostituisci, InPosto, Diretto };

    void svuota();
    void scriviByte(const char* dati, qsizetype quanti);
    void fallisci(int errore);

    QString percorso_;   // as given
    QString bersaglio_;  // the file it names, links followed
    QString temporaneo_; // while replacing
    int descrittore_ = -1;
    bool proprio_ = true; // closed by this object
    Modo modo_ = Modo::Chiuso;
    bool daTroncare_ = false;
    bool riuscito_ = true;
    bool intatto_ = true;
    CausaScrittura causa_ = CausaScrittura::Nessuna;
    int errno_ = 0;
    // What a replaced file keeps: owner, group, mode (-1: a new file).
    qint64 uid_ = -1;
    qint64 gid_ = -1;
    int permessi_ = -1;
    QByteArray riserva_; // small pieces gathered into one write
    // One encoder for all the pieces, so that a character split between two
    // of them (a surrogate pair) is still encoded whole.
    QStringEncoder codifica_{CodificaSistema()};
#ifndef Q_OS_UNIX
    std::unique_ptr<QSaveFile> salva_;
    std::unique_ptr<QFile> file_;
    QString erroreQt_;
#endif
};

} // namespace QuorlaIo
