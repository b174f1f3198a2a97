#pragma once

#include "FileTesto.h"

#include <QSaveFile>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

namespace QuorlaIo {

// Saves a text that arrives in pieces, as ScriviFileTesto saves a whole one: in
// the system's encoding, and replacing the target only once everything has
// been written, so that a failure at any point leaves an existing file intact.
class ScrittoreFileTesto {
public:
    explicit ScrittoreFileTesto(const QString& percorso);
    ~ScrittoreFileTesto();
    ScrittoreFileTesto(const ScrittoreFileTesto&) = delete;
    ScrittoreFileTesto& operator=(const ScrittoreFileTesto&) = delete;

    bool apri();
    // After a failure the following pieces are dropped; chiudi() reports it.
    void scrivi(QStringView pezzo);
    // Puts the file in place; false when anything failed, and then the target
    // is as it was before.
    bool chiudi();
    // Drops what was written; the target stays as it was.
    void annulla();

private:
    QSaveFile file_;
    // One encoder for all the pieces, so that a character split between two
    // of them (a surrogate pair) is still encoded whole.
    QStringEncoder codifica_{CodificaSistema()};
    bool aperto_ = false;
    bool riuscito_ = true;
};

} // namespace QuorlaIo
