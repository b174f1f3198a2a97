#pragma once

#include "Esterna.h"
#include "Flusso.h"
#include "Motore.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <vector>

namespace QuorlaCli {

class Avanzamento;

// A temporary file could not be made or written: errno's value.
struct ErroreAppoggio {
    int errore;
};

// Sorts a text larger than the memory it is given: the text is cut into
// runs that are sorted alone and kept in temporary files, which are then
// merged. The result is the in-memory one, byte for byte ("Mescola" aside,
// whose order is drawn anew either way).
class OrdinamentoEsterno {
public:
    OrdinamentoEsterno(const Motore::Opzioni& opzioni, qint64 memoria, const QString& cartella,
                       Avanzamento& avanzamento);
    ~OrdinamentoEsterno();

    // The input text, in pieces as it is read. Throws ErroreAppoggio.
    void aggiungi(QStringView pezzo);
    // After the last piece. Throws ErroreAppoggio.
    void chiudi();
    // The text held nothing but spaces.
    bool vuoto() const { return !testoVisto_; }
    // The merged result into uscita. Throws ErroreAppoggio.
    Motore::Risultato scrivi(Motore::Uscita& uscita);

    struct Record;
    class Blocco;
    class Fusione;
    class Raccolta;

private:
    void taglia(QStringView tratto, bool fine);
    std::vector<QuorlaIo::FileAppoggio> fondi(std::vector<QuorlaIo::FileAppoggio> blocchi,
                                              Motore::Esterna::Confronto confronto);
    std::function<std::vector<QuorlaIo::FileAppoggio>(std::vector<QuorlaIo::FileAppoggio>,
                                                      Motore::Esterna::Confronto)>
    fondiBlocchi();

    Motore::Opzioni opzioni_;
    qint64 memoria_;
    qint64 caratteriPerBlocco_ = 0;
    QString cartella_;
    Avanzamento& avanzamento_;
    std::vector<std::unique_ptr<Motore::Esterna::Chiavi>> chiavi_;
    std::unique_ptr<Raccolta> raccolta_;
    QString lavoro_;
    qsizetype cercato_ = 0;      // lavoro_ holds no place to cut before this
    std::vector<QString> fisse_; // the items that stay at the head
    std::uint64_t sequenza_ = 0;
    bool testoVisto_ = false;
    int blocchiScritti_ = 0;
};

} // namespace QuorlaCli
