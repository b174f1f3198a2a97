#include "OrdinamentoEsterno.h"

#include "Avanzamento.h"
#include "Esterna.h"
#include "Ordinamento.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

namespace QuorlaCli {

using Motore::Esterna::Confronto;
using QuorlaIo::FileAppoggio;

namespace {

// How many runs one merge reads at once: each holds a buffer of at least a
// quarter of a megabyte within half the memory, and no more than 256 (a
// wider merge costs more comparisons per item, and descriptors). More runs
// are merged in more than one level.
std::size_t maxVie(qint64 memoria) {
    return std::clamp<std::size_t>(std::size_t(memoria / 2) >> 18, 16, 256);
}

void mettiNumero(std::string& b, std::uint64_t v) {
    while (v >= 0x80) {
        b.push_back(char(v | 0x80));
        v >>= 7;
    }
    b.push_back(char(v));
}

std::uint64_t prendiNumero(const char*& p) {
    std::uint64_t v = 0;
    for (int spostamento = 0;; spostamento += 7) {
        const auto c = static_cast<unsigned char>(*p++);
        v |= std::uint64_t(c & 0x7f) << spostamento;
        if (c < 0x80)
            return v;
    }
}

std::size_t lunghezzaNumero(std::uint64_t v) {
    std::size_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

// Bytes in order, and a shorter key first on a common prefix: as the
// engine's zero-terminated keys compare.
int confrontaChiavi(std::string_view a, std::string_view b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Eight bytes of a key from da, big-endian, zeros past its end.
std::uint64_t prefisso(std::string_view chiave, std::size_t da = 0) {
    std::uint64_t p = 0;
    for (std::size_t i = da; i < da + 8; ++i)
        p = (p << 8) | (i < chiave.size() ? static_cast<unsigned char>(chiave[i]) : 0u);
    return p;
}

// A key's first sixteen bytes as two numbers, turned over for a descending
// order: most comparisons end there.
struct Prefisso {
    std::uint64_t alto = 0;
    std::uint64_t basso = 0;

    Prefisso() = default;
    Prefisso(std::string_view chiave, bool rovescia)
        : alto(prefisso(chiave)), basso(prefisso(chiave, 8)) {
        if (rovescia) {
            alto = ~alto;
            basso = ~basso;
        }
    }
    // -1, 0 or 1; 0 leaves it to the whole keys.
    int confronta(const Prefisso& p) const {
        if (alto != p.alto)
            return alto < p.alto ? -1 : 1;
        return basso != p.basso ? (basso < p.basso ? -1 : 1) : 0;
    }
};

void controlla(bool riuscito, const FileAppoggio& file) {
    if (!riuscito)
        throw ErroreAppoggio{file.errore()};
}

} // namespace

// An item on its way through the runs: the key it is sorted by in this pass,
// another carried for a later pass, its place in the input, its count and
// its text in UTF-8. Written as its length, then the fields.
struct OrdinamentoEsterno::Record {
    std::string_view chiave;
    std::string_view altra;
    std::uint64_t sequenza = 0;
    std::uint64_t conta = 0;
    std::string_view testo;

    void scrivi(std::string& b) const {
        const std::size_t corpo = lunghezzaNumero(chiave.size()) + chiave.size() +
                                  lunghezzaNumero(altra.size()) + altra.size() +
                                  lunghezzaNumero(sequenza) + lunghezzaNumero(conta) +
                                  lunghezzaNumero(testo.size()) + testo.size();
        mettiNumero(b, corpo);
        mettiNumero(b, chiave.size());
        b.append(chiave);
        mettiNumero(b, altra.size());
        b.append(altra);
        mettiNumero(b, sequenza);
        mettiNumero(b, conta);
        mettiNumero(b, testo.size());
        b.append(testo);
    }
    // p at the start of the body, past its length.
    static Record leggi(const char* p) {
        Record r;
        auto campo = [&p] {
            const std::size_t n = prendiNumero(p);
            const std::string_view v(p, n);
            p += n;
            return v;
        };
        r.chiave = campo();
        r.altra = campo();
        r.sequenza = prendiNumero(p);
        r.conta = prendiNumero(p);
        r.testo = campo();
        return r;
    }
    static bool prima(const Record& a, const Record& b, Confronto c) {
        const int k = confrontaChiavi(a.chiave, b.chiave);
        if (k != 0)
            return c.chiaveRovesciata ? k > 0 : k < 0;
        return c.sequenzaRovesciata ? a.sequenza > b.sequenza : a.sequenza < b.sequenza;
    }
};

// Records in memory, sorted before they become a run. Each is found through
// its key's first sixteen bytes, so that most comparisons need no record.
class OrdinamentoEsterno::Blocco {
public:
    void aggiungi(const Record& r) {
        rif_.push_back({Prefisso(r.chiave, false), dati_.size()});
        r.scrivi(dati_);
    }
    std::size_t memoria() const { return dati_.size() + rif_.size() * sizeof(Rif); }
    // Whether a record of about this size would make the block grow past
    // what it has reserved: growing copies it, twice its size for a moment.
    bool pieno(const Record& r) const {
        return dati_.size() + r.chiave.size() + r.altra.size() + r.testo.size() + 40 >
                   dati_.capacity() ||
               rif_.size() == rif_.capacity();
    }
    bool vuoto() const { return rif_.empty(); }
    std::size_t size() const { return rif_.size(); }

    void ordina(Confronto c) {
        if (c.chiaveRovesciata) {
            for (Rif& r : rif_)
                r.prefisso = Prefisso(record(r).chiave, true);
        }
        std::sort(rif_.begin(), rif_.end(), [this, c](const Rif& a, const Rif& b) {
            if (const int p = a.prefisso.confronta(b.prefisso); p != 0)
                return p < 0;
            return Record::prima(record(a), record(b), c);
        });
    }
    std::string_view grezzo(std::size_t i) const {
        const char* inizio = dati_.data() + rif_[i].record;
        const char* p = inizio;
        const std::size_t corpo = prendiNumero(p);
        return {inizio, std::size_t(p - inizio) + corpo};
    }
    void svuota() {
        std::string().swap(dati_);
        std::vector<Rif>().swap(rif_);
    }
    void riserva(std::size_t byte, std::size_t voci) {
        dati_.reserve(byte);
        rif_.reserve(voci);
    }

private:
    struct Rif {
        Prefisso prefisso;
        std::uint64_t record;
    };
    Record record(const Rif& r) const {
        const char* p = dati_.data() + r.record;
        prendiNumero(p);
        return Record::leggi(p);
    }
    std::string dati_;
    std::vector<Rif> rif_;
};

namespace {

// Writes a sorted block as a run.
FileAppoggio scriviBlocco(const OrdinamentoEsterno::Blocco& blocco, const QString& cartella) {
    FileAppoggio file;
    controlla(file.crea(cartella), file);
    for (std::size_t i = 0; i < blocco.size(); ++i) {
        const std::string_view r = blocco.grezzo(i);
        controlla(file.scrivi(r.data(), r.size()), file);
    }
    controlla(file.daCapo(), file); // written out, its buffer given back
    return file;
}

} // namespace

// Reads the records of several runs in one order.
class OrdinamentoEsterno::Fusione {
public:
    Fusione(std::vector<FileAppoggio>& blocchi, Confronto c, std::size_t memoria) : c_(c) {
        const std::size_t riserva =
            std::clamp<std::size_t>(memoria / (blocchi.size() + 1), 1 << 16, 1 << 22);
        for (FileAppoggio& f : blocchi) {
            controlla(f.daCapo(), f);
            vie_.push_back({&f, std::string(riserva, '\0'), 0, 0, {}, {}});
        }
        for (std::size_t v = 0; v < vie_.size(); ++v) {
            if (avanza(vie_[v]))
                mucchio_.push_back(v);
        }
        std::make_heap(mucchio_.begin(), mucchio_.end(), dopo());
    }

    // The next record, valid until the next call.
    bool prossimo(Record& r) {
        if (ultima_ != Nessuna) {
            if (avanza(vie_[ultima_])) {
                mucchio_.push_back(ultima_);
                std::push_heap(mucchio_.begin(), mucchio_.end(), dopo());
            }
            ultima_ = Nessuna;
        }
        if (mucchio_.empty())
            return false;
        std::pop_heap(mucchio_.begin(), mucchio_.end(), dopo());
        ultima_ = mucchio_.back();
        mucchio_.pop_back();
        r = vie_[ultima_].attuale;
        return true;
    }

private:
    static constexpr std::size_t Nessuna = std::size_t(-1);
    struct Via {
        FileAppoggio* file;
        std::string riserva;
        std::size_t inizio;
        std::size_t fine;
        Record attuale;
        Prefisso prefisso;
    };
    // The heap keeps the first record on top.
    struct Dopo {
        const Fusione* f;
        bool operator()(std::size_t a, std::size_t b) const {
            const Via& va = f->vie_[a];
            const Via& vb = f->vie_[b];
            if (const int p = vb.prefisso.confronta(va.prefisso); p != 0)
                return p < 0;
            return Record::prima(vb.attuale, va.attuale, f->c_);
        }
    };
    Dopo dopo() const { return {this}; }
    // Makes at least n bytes from inizio available; false at the end.
    bool disponibili(Via& v, std::size_t n) {
        if (v.fine - v.inizio >= n)
            return true;
        std::memmove(v.riserva.data(), v.riserva.data() + v.inizio, v.fine - v.inizio);
        v.fine -= v.inizio;
        v.inizio = 0;
        if (v.riserva.size() < n)
            v.riserva.resize(n);
        while (v.fine < n) {
            const qint64 letti =
                v.file->leggi(v.riserva.data() + v.fine, qint64(v.riserva.size() - v.fine));
            controlla(letti >= 0, *v.file);
            if (letti == 0)
                return false;
            v.fine += std::size_t(letti);
        }
        return true;
    }
    bool avanza(Via& v) {
        if (!disponibili(v, 1))
            return false;
        std::size_t lunghezza = 1;
        while (lunghezza < 10 && (v.riserva[v.inizio + lunghezza - 1] & 0x80) &&
               disponibili(v, lunghezza + 1))
            ++lunghezza;
        const char* p = v.riserva.data() + v.inizio;
        const std::size_t corpo = prendiNumero(p);
        const std::size_t testa = std::size_t(p - (v.riserva.data() + v.inizio));
        disponibili(v, testa + corpo);
        v.attuale = Record::leggi(v.riserva.data() + v.inizio + testa);
        v.prefisso = Prefisso(v.attuale.chiave, c_.chiaveRovesciata);
        v.inizio += testa + corpo;
        return true;
    }

    Confronto c_;
    std::vector<Via> vie_;
    std::vector<std::size_t> mucchio_;
    std::size_t ultima_ = Nessuna;
};

// Gathers records one at a time and writes them as sorted runs whenever the
// memory is full.
class OrdinamentoEsterno::Raccolta {
public:
    using Fondi = std::function<std::vector<FileAppoggio>(std::vector<FileAppoggio>, Confronto)>;
    Raccolta(Confronto c, std::size_t memoria, const QString& cartella, std::size_t vie,
             Fondi fondi)
        : c_(c), memoria_(memoria), cartella_(cartella), vie_(vie), fondi_(std::move(fondi)) {}

    void aggiungi(const Record& r) {
        if (blocco_.vuoto())
            blocco_.riserva(memoria_ * 3 / 4, memoria_ / 4 / 32);
        if (blocco_.pieno(r)) {
            scarica();
            blocco_.riserva(memoria_ * 3 / 4, memoria_ / 4 / 32);
        }
        blocco_.aggiungi(r);
    }
    // A run written elsewhere, by any thread.
    void aggiungiBlocco(FileAppoggio file) {
        const std::lock_guard<std::mutex> chiave(mutex_);
        blocchi_.push_back(std::move(file));
    }
    std::vector<FileAppoggio> fine() {
        scarica();
        return std::move(blocchi_);
    }
    // Each run holds a descriptor until the merge: past twice what one merge
    // reads, they are merged before more come.
    void compatta() {
        if (blocchi_.size() > 2 * vie_)
            blocchi_ = fondi_(std::move(blocchi_), c_);
    }

private:
    void scarica() {
        if (blocco_.vuoto())
            return;
        blocco_.ordina(c_);
        blocchi_.push_back(scriviBlocco(blocco_, cartella_));
        blocco_.svuota();
        compatta();
    }

    Confronto c_;
    std::size_t memoria_;
    QString cartella_;
    std::size_t vie_;
    Fondi fondi_;
    Blocco blocco_;
    std::vector<FileAppoggio> blocchi_;
    std::mutex mutex_;
};

OrdinamentoEsterno::OrdinamentoEsterno(const Motore::Opzioni& opzioni, qint64 memoria,
                                       const QString& cartella, Avanzamento& avanzamento)
    : opzioni_(opzioni), memoria_(memoria), cartella_(cartella), avanzamento_(avanzamento) {
    // One thread per core makes the keys, except for a shuffle, whose keys
    // come from one sequence of random numbers.
    const unsigned fili = opzioni.ordine.verso == Motore::Verso::Mescola
                              ? 1u
                              : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    for (unsigned f = 0; f < fili; ++f)
        chiavi_.push_back(std::make_unique<Motore::Esterna::Chiavi>(opzioni));
    const bool doppioni = opzioni.ordine.doppioni != Motore::Doppioni::Tutti;
    // A run takes about seven bytes of memory for each character of its text
    // (the text, its items with their keys, and their places), more with the
    // duplicates' keys; the pieces read take the rest.
    caratteriPerBlocco_ = memoria_ / (doppioni ? 14 : 10);
    raccolta_ = std::make_unique<Raccolta>(
        doppioni ? Confronto{} : Motore::Esterna::confronto(opzioni), std::size_t(memoria_ / 3),
        cartella_, maxVie(memoria_), fondiBlocchi());
}

OrdinamentoEsterno::~OrdinamentoEsterno() = default;

void OrdinamentoEsterno::aggiungi(QStringView pezzo) {
    if (!testoVisto_)
        testoVisto_ = std::any_of(pezzo.begin(), pezzo.end(), [](QChar c) { return c != u' '; });
    if (lavoro_.capacity() == 0)
        lavoro_.reserve(qsizetype(caratteriPerBlocco_) + pezzo.size());
    lavoro_.append(pezzo);
    // Stretches of a run's length, each cut where the items before the cut
    // are final; a stretch with no such place within that length ends at the
    // first place after it. cercato_: no place to cut lies between a run's
    // length and it, so the text there is never searched twice.
    qsizetype fatto = 0;
    while (lavoro_.size() - fatto >= caratteriPerBlocco_) {
        const QStringView resto = QStringView(lavoro_).sliced(fatto);
        qsizetype taglio =
            Motore::Ordinamento::ultimoTaglio(resto.first(caratteriPerBlocco_), opzioni_);
        if (taglio == 0) {
            // A few characters before the text searched tell what it begins with.
            const qsizetype da =
                std::max<qsizetype>(std::max(cercato_ - fatto, caratteriPerBlocco_) - 3, 0);
            const qsizetype dopo = Motore::Ordinamento::ultimoTaglio(resto.sliced(da), opzioni_);
            cercato_ = lavoro_.size();
            if (dopo == 0)
                break;
            taglio = da + dopo;
        }
        taglia(resto.first(taglio), false);
        fatto += taglio;
        cercato_ = 0;
    }
    if (fatto > 0) {
        lavoro_.remove(0, fatto);
        cercato_ = std::max<qsizetype>(cercato_ - fatto, 0);
    }
}

void OrdinamentoEsterno::chiudi() {
    taglia(Motore::Ordinamento::trimSpazi(lavoro_), true);
    lavoro_ = QString();
}

// The items of a stretch of the input become runs, one for each core's share:
// each core makes the keys of its share, sorts them and writes them. The
// merge tells their ties apart by the items' places.
void OrdinamentoEsterno::taglia(QStringView tratto, bool fine) {
    std::vector<QStringView> voci;
    const auto intestazione = std::size_t(std::max(opzioni_.ordine.intestazione, 0));
    Motore::Ordinamento::tagliaTratto(tratto, opzioni_, fine, [&](QStringView v) {
        if (voci.empty() && fisse_.size() < intestazione) {
            fisse_.push_back(v.toString());
            ++sequenza_;
        } else {
            voci.push_back(v);
        }
    });
    if (voci.empty())
        return;
    avanzamento_.fase(QCoreApplication::translate("quorla-cli", "ordinamento del blocco %1")
                          .arg(++blocchiScritti_));
    const bool doppioni = opzioni_.ordine.doppioni != Motore::Doppioni::Tutti;
    const Confronto c = doppioni ? Confronto{} : Motore::Esterna::confronto(opzioni_);
    const std::size_t fili = std::min(chiavi_.size(), voci.size());
    std::vector<Blocco> blocchi(fili);
    std::vector<std::exception_ptr> errori(fili);
    auto lavoro = [&](std::size_t f) {
        try {
            Motore::Esterna::Chiavi& chiavi = *chiavi_[f];
            QStringEncoder utf8(QStringEncoder::Utf8);
            std::string ordine;
            std::string gruppo;
            std::string testo;
            const std::size_t da = voci.size() * f / fili;
            const std::size_t a = voci.size() * (f + 1) / fili;
            blocchi[f].riserva(std::size_t(tratto.size()) * (doppioni ? 7 : 5) / 2 / fili,
                               (a - da));
            for (std::size_t i = da; i < a; ++i) {
                const QStringView v = voci[i];
                ordine.clear();
                gruppo.clear();
                chiavi.ordine(v, ordine);
                if (doppioni)
                    chiavi.gruppo(v, gruppo);
                testo.resize(std::size_t(utf8.requiredSpace(v.size())));
                char* fineTesto = utf8.appendToBuffer(testo.data(), v);
                testo.resize(std::size_t(fineTesto - testo.data()));
                Record r;
                r.chiave = doppioni ? gruppo : ordine;
                r.altra = doppioni ? std::string_view(ordine) : std::string_view();
                r.sequenza = sequenza_ + i;
                r.testo = testo;
                // Keys longer than foreseen: what is there becomes a run.
                if (blocchi[f].pieno(r) && !blocchi[f].vuoto()) {
                    const std::size_t byte = blocchi[f].memoria();
                    blocchi[f].ordina(c);
                    raccolta_->aggiungiBlocco(scriviBlocco(blocchi[f], cartella_));
                    blocchi[f].svuota();
                    blocchi[f].riserva(byte, a - i);
                }
                blocchi[f].aggiungi(r);
            }
            blocchi[f].ordina(c);
            raccolta_->aggiungiBlocco(scriviBlocco(blocchi[f], cartella_));
            blocchi[f].svuota();
        } catch (...) {
            errori[f] = std::current_exception();
        }
    };
    std::vector<std::thread> altri;
    for (std::size_t f = 1; f < fili; ++f)
        altri.emplace_back(lavoro, f);
    lavoro(0);
    for (std::thread& t : altri)
        t.join();
    sequenza_ += voci.size();
    for (const std::exception_ptr& e : errori) {
        if (e)
            std::rethrow_exception(e);
    }
    raccolta_->compatta();
}

std::function<std::vector<FileAppoggio>(std::vector<FileAppoggio>, Confronto)>
OrdinamentoEsterno::fondiBlocchi() {
    return [this](std::vector<FileAppoggio> blocchi, Confronto c) {
        return fondi(std::move(blocchi), c);
    };
}

std::vector<FileAppoggio> OrdinamentoEsterno::fondi(std::vector<FileAppoggio> blocchi,
                                                    Confronto c) {
    const std::size_t vie = maxVie(memoria_);
    while (blocchi.size() > vie) {
        avanzamento_.fase(
            QCoreApplication::translate("quorla-cli", "fusione di %1 blocchi").arg(blocchi.size()));
        std::vector<FileAppoggio> livello;
        for (std::size_t i = 0; i < blocchi.size(); i += vie) {
            std::vector<FileAppoggio> gruppo;
            for (std::size_t j = i; j < std::min(blocchi.size(), i + vie); ++j)
                gruppo.push_back(std::move(blocchi[j]));
            Fusione fusione(gruppo, c, std::size_t(memoria_ / 2));
            FileAppoggio uscita;
            controlla(uscita.crea(cartella_), uscita);
            Record r;
            std::string b;
            while (fusione.prossimo(r)) {
                b.clear();
                r.scrivi(b);
                controlla(uscita.scrivi(b), uscita);
            }
            controlla(uscita.daCapo(), uscita);
            livello.push_back(std::move(uscita));
        }
        blocchi = std::move(livello);
    }
    return blocchi;
}

namespace {

// The merged records, as the items the joining takes: the fixed items first,
// then each record's text as the result shows it.
class VociFuse : public Motore::Voci {
public:
    VociFuse(const std::vector<QString>& fisse, const Motore::Opzioni& opzioni)
        : fisse_(fisse), mostra_(opzioni) {}

    bool prossima(QStringView& voce) override {
        if (fissa_ < fisse_.size()) {
            voce = fisse_[fissa_++];
            return true;
        }
        OrdinamentoEsterno::Record r;
        if (!successivo(r))
            return false;
        testo_.resize(qsizetype(r.testo.size()));
        QStringDecoder utf8(QStringDecoder::Utf8);
        QChar* fine = utf8.appendToBuffer(testo_.data(), QByteArrayView(r.testo));
        testo_.truncate(fine - testo_.constData());
        if (mostra_.serve())
            testo_ = mostra_.mostra(testo_, r.conta);
        voce = testo_;
        return true;
    }

protected:
    virtual bool successivo(OrdinamentoEsterno::Record& r) = 0;
    void daCapo() { fissa_ = 0; }

private:
    const std::vector<QString>& fisse_;
    std::size_t fissa_ = 0;
    Motore::Esterna::Mostra mostra_;
    QString testo_;
};

} // namespace

Motore::Risultato OrdinamentoEsterno::scrivi(Motore::Uscita& uscita) {
    const Motore::OpzioniOrdine& o = opzioni_.ordine;
    const Confronto c = Motore::Esterna::confronto(opzioni_);
    const std::size_t memoria = std::size_t(memoria_);
    std::vector<FileAppoggio> blocchi = raccolta_->fine();
    raccolta_.reset();
    const auto fusi = QCoreApplication::translate("quorla-cli", "fusione di %1 blocchi");
    if (o.doppioni != Motore::Doppioni::Tutti) {
        // The first pass put each item's duplicates together: one is kept,
        // with the size of its group, and sorted again by its own key.
        blocchi = fondi(std::move(blocchi), Confronto{});
        avanzamento_.fase(fusi.arg(blocchi.size()));
        Raccolta scelte(c, memoria / 3, cartella_, maxVie(memoria_), fondiBlocchi());
        Fusione fusione(blocchi, Confronto{}, memoria / 3);
        std::string primo;
        std::string primaAltra;
        Record r;
        Record capo;
        std::uint64_t quante = 0;
        auto chiudiGruppo = [&] {
            if (quante == 0)
                return;
            bool tieni = true;
            switch (o.doppioni) {
            case Motore::Doppioni::Ripetuti:
                tieni = quante > 1;
                break;
            case Motore::Doppioni::Unici:
                tieni = quante == 1;
                break;
            case Motore::Doppioni::Conta:
                // An empty item has nothing to count.
                tieni = !capo.testo.empty();
                break;
            case Motore::Doppioni::Elimina:
            case Motore::Doppioni::Tutti:
                break;
            }
            if (tieni) {
                Record scelto = capo;
                scelto.chiave = scelto.altra;
                scelto.altra = {};
                scelto.conta = quante;
                scelte.aggiungi(scelto);
            }
        };
        while (fusione.prossimo(r)) {
            if (quante > 0 && r.chiave == capo.chiave) {
                ++quante;
                continue;
            }
            chiudiGruppo();
            primo.clear();
            r.scrivi(primo);
            const char* p = primo.data();
            prendiNumero(p);
            capo = Record::leggi(p);
            quante = 1;
        }
        chiudiGruppo();
        blocchi = scelte.fine();
    }
    if (o.doppioni == Motore::Doppioni::Conta && o.perFrequenza) {
        // By count, and in the order so far among equal counts.
        blocchi = fondi(std::move(blocchi), c);
        avanzamento_.fase(fusi.arg(blocchi.size()));
        Raccolta perConta(Confronto{}, memoria / 3, cartella_, maxVie(memoria_), fondiBlocchi());
        Fusione fusione(blocchi, c, memoria / 3);
        Record r;
        std::uint64_t posto = 0;
        while (fusione.prossimo(r)) {
            const std::uint64_t conta = o.verso == Motore::Verso::Decrescente ? r.conta : ~r.conta;
            std::string chiave;
            for (int i = 56; i >= 0; i -= 8)
                chiave.push_back(char(std::uint8_t(conta >> i)));
            Record perQuante = r;
            perQuante.chiave = chiave;
            perQuante.sequenza = posto++;
            perConta.aggiungi(perQuante);
        }
        blocchi = perConta.fine();
    }
    const Confronto finale =
        o.doppioni == Motore::Doppioni::Conta && o.perFrequenza ? Confronto{} : c;
    blocchi = fondi(std::move(blocchi), finale);
    avanzamento_.fase(fusi.arg(blocchi.size()));

    class DallaFusione : public VociFuse {
    public:
        DallaFusione(std::vector<FileAppoggio>& blocchi, Confronto c, std::size_t memoria,
                     const std::vector<QString>& fisse, const Motore::Opzioni& opzioni)
            : VociFuse(fisse, opzioni), blocchi_(blocchi), c_(c), memoria_(memoria),
              fusione_(std::make_unique<Fusione>(blocchi, c, memoria)) {}
        void riavvolgi() override {
            daCapo();
            fusione_ = std::make_unique<Fusione>(blocchi_, c_, memoria_);
        }

    protected:
        bool successivo(Record& r) override { return fusione_->prossimo(r); }

    private:
        std::vector<FileAppoggio>& blocchi_;
        Confronto c_;
        std::size_t memoria_;
        std::unique_ptr<Fusione> fusione_;
    };
    DallaFusione voci(blocchi, finale, memoria / 2, fisse_, opzioni_);
    return Motore::componi(voci, opzioni_, uscita);
}

} // namespace QuorlaCli
