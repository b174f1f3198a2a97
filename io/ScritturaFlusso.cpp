#include "ScritturaFlusso.h"

namespace QuorlaIo {

ScrittoreFileTesto::ScrittoreFileTesto(const QString& percorso) : file_(percorso) {
    // Writing straight into the target would leave it half-written when the
    // save fails.
    file_.setDirectWriteFallback(false);
}

ScrittoreFileTesto::~ScrittoreFileTesto() {
    annulla();
}

bool ScrittoreFileTesto::apri() {
    // Binary mode: the text's own line breaks reach the file as they are.
    aperto_ = file_.open(QIODevice::WriteOnly);
    riuscito_ = aperto_;
    return aperto_;
}

void ScrittoreFileTesto::scrivi(QStringView pezzo) {
    if (!riuscito_ || pezzo.isEmpty())
        return;
    const QByteArray byte = codifica_.encode(pezzo);
    if (file_.write(byte) != byte.size())
        riuscito_ = false;
}

bool ScrittoreFileTesto::chiudi() {
    if (!aperto_)
        return false;
    if (!riuscito_) {
        annulla();
        return false;
    }
    aperto_ = false;
    return file_.commit();
}

void ScrittoreFileTesto::annulla() {
    if (!aperto_)
        return;
    file_.cancelWriting();
    // After cancelWriting, commit only removes the temporary file, at once
    // rather than when the object goes.
    file_.commit();
    aperto_ = false;
}

} // namespace QuorlaIo
