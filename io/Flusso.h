#pragma once

#include "FileTesto.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace QuorlaIo {

// A temporary file that no name points to once it is made: it goes away when
// it is closed, however the program ends, even killed.
class FileAppoggio {
public:
    FileAppoggio() = default;
    ~FileAppoggio();
    FileAppoggio(FileAppoggio&& altro) noexcept;
    FileAppoggio& operator=(FileAppoggio&& altro) noexcept;

    // Makes the file in cartella; false with errore() set when it cannot.
    bool crea(const QString& cartella);
    // Buffered; false once a write has failed.
    bool scrivi(const char* dati, std::size_t quanti);
    bool scrivi(const std::string& dati) { return scrivi(dati.data(), dati.size()); }
    // Writes out what is buffered and goes back to the start for reading.
    bool daCapo();
    // Up to quanti bytes; 0 at the end, -1 on an error.
    qint64 leggi(char* dove, qint64 quanti);
    int descrittore() const { return descrittore_; }
    int errore() const { return errore_; }

private:
    bool svuota();
    int descrittore_ = -1;
    int errore_ = 0;
    std::string riserva_;
};

// Reads a text file in pieces, decoded and with its line ends handled exactly
// as LeggiFileTesto does the whole file: the encoding is chosen for the whole
// file (one pass to look when it has no byte order mark) and the final line
// end adds nothing.
class LettoreTesto {
public:
    explicit LettoreTesto(FineRiga fineRiga) : fineRiga_(fineRiga) {}
    ~LettoreTesto();
    LettoreTesto(const LettoreTesto&) = delete;
    LettoreTesto& operator=(const LettoreTesto&) = delete;

    // A regular file, by name or as an open descriptor read from its start
    // (not closed here).
    bool apri(const QString& percorso, ErroreLettura* errore);
    bool apri(int descrittore);
    // About quanti bytes of the file, as text; an empty string at the end,
    // nullopt on a read error.
    std::optional<QString> prossimo(qint64 quanti);

private:
    bool scegliCodifica();
    qint64 leggi(char* dove, qint64 quanti);
    QString lineeFine(QString testo, bool ultimo);

    FineRiga fineRiga_;
    int descrittore_ = -1;
    bool proprio_ = false;
    bool finito_ = false;
    bool windows1252_ = false;
    int unita_ = 1;    // bytes in a code unit
    qint64 letti_ = 0; // since the byte order mark
    std::optional<QStringDecoder> decodifica_;
    bool crInSospeso_ = false;   // a CR at the end of the last piece
    bool fineInSospeso_ = false; // a line end, dropped if nothing follows
};

} // namespace QuorlaIo
