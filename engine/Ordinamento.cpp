#include "Ordinamento.h"

#include "Collazione.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/uvernum.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <numeric>
#include <random>
#include <system_error>
#include <thread>

namespace Motore::Ordinamento {

namespace {

constexpr char16_t Invio = 13;
constexpr char16_t AvanzaRiga = 10;

// Cuts the text into items and hands each one, as its start and end in the
// text, to a callback. Every active separator, and any code 1 already in the
// text, is a boundary, and a run of boundaries counts as one. Pieces that trim
// to nothing are dropped, except the last one, which always becomes an item.
// While "Invio" is active, a line feed right after a carriage return belongs to
// the same line break: on its own it would stay glued to the front of the next
// line's first item. With righeLf every line feed is the line break.
class Taglio {
public:
    // fine: the text is the end of the input, whose last piece is an item
    // even when empty; a stretch that more text follows ends at a boundary.
    Taglio(QStringView testo, const Opzioni& opzioni, bool fine = true)
        : t_(testo.data()), n_(testo.size()), righeLf_(opzioni.righeLf), fine_(fine) {
        for (int i = 0; i < NumSeparatori; ++i) {
            const char16_t c = catalogo()[std::size_t(i)].carattere;
            if (opzioni.ingresso[std::size_t(i)] && !opzioni.nul && c < 128)
                attivo_[c] = true;
        }
        attivo_[Marcatore] = true;
        attivo_[0] = opzioni.nul;
        // The table also stops at a line feed, whether it follows a carriage
        // return being looked at only then: the scan over the characters that
        // are no boundary, which reads the whole text, is one lookup each.
        if (opzioni.perRighe())
            attivo_[AvanzaRiga] = true;
    }

    // The first place from da on where a run of boundaries starts, or the
    // end of the text. The items before it and those from it on are the same
    // whether the text is cut in one piece or in two there.
    qsizetype inizioConfini(qsizetype da) const {
        qsizetype i = da;
        while (i < n_ && !(confine(i) && (i == 0 || !confine(i - 1))))
            ++i;
        return i;
    }

    // The items of the stretch [da, a), where da and a are 0, the end, or
    // places inizioConfini returned.
    template <class F> void voci(qsizetype da, qsizetype a, F&& voce) const {
        auto pezzo = [&](qsizetype inizio, qsizetype fine, bool ancheVuoto) {
            while (inizio < fine && t_[inizio] == u' ')
                ++inizio;
            while (fine > inizio && t_[fine - 1] == u' ')
                --fine;
            if (ancheVuoto || inizio < fine)
                voce(inizio, fine);
        };
        qsizetype inizio = da;
        qsizetype i = da;
        while (i < a) {
            while (i < a && !candidato(i))
                ++i;
            if (i == a)
                break;
            if (!confine(i)) {
                ++i;
                continue;
            }
            pezzo(inizio, i, false);
            while (i < a && confine(i))
                ++i;
            inizio = i;
        }
        pezzo(inizio, a, a == n_ && fine_);
    }

    // Where the text can be cut so that its items before the cut are final
    // whatever text follows: a character that can end no item, right after
    // one that ends an item. 0 when there is none.
    qsizetype ultimoTaglio() const {
        for (qsizetype i = n_ - 1; i > 0; --i) {
            if (!candidato(i) && confine(i - 1))
                return i;
        }
        return 0;
    }

private:
    bool candidato(qsizetype i) const {
        const char16_t c = t_[i].unicode();
        return c < 128 && attivo_[c];
    }
    bool confine(qsizetype i) const {
        if (!candidato(i))
            return false;
        if (t_[i].unicode() != AvanzaRiga || righeLf_)
            return true;
        return i > 0 && t_[i - 1].unicode() == Invio;
    }

    const QChar* t_;
    qsizetype n_;
    bool righeLf_;
    std::array<bool, 128> attivo_{};
    bool fine_;
};

// Gives each distinct text an id, in order of first appearance: a large text
// repeats its words, and everything after this step costs per distinct text.
// Open addressing; each slot keeps part of the hash beside the id, so a lookup
// touches the text it compares with only when the hashes already agree: the
// items are scattered over a large input, and every such touch is a cache miss.
template <class Id> class Vocabolario {
public:
    // Sized up front for the items a text of this length may hold, within a
    // bound: each doubling moves every slot again, in random order.
    Vocabolario(const QChar* base, qsizetype caratteri) : base_(base) {
        std::size_t caselle = 1024;
        while (caselle < std::size_t(caratteri / 12) && caselle < (std::size_t(1) << 21))
            caselle *= 2;
        caselle_.resize(caselle);
        maschera_ = caselle - 1;
        // Room for as many texts as the table takes before it grows: pages
        // never written cost nothing, and a growing vector copies itself.
        distinte.reserve(caselle * 3 / 4);
    }

    std::vector<Vista<Id>> distinte;

    Id impronta(qsizetype inizio, qsizetype lunghezza) const {
        return Id(hash(base_ + inizio, lunghezza));
    }
    // The slot an id() with this hash will look at first.
    void anticipa(Id impronta) const {
        Ordinamento::anticipa(&caselle_[std::size_t(impronta) & maschera_]);
    }

    Id id(qsizetype inizio, qsizetype lunghezza, Id impronta) {
        const QChar* p = base_ + inizio;
        for (std::size_t i = std::size_t(impronta) & maschera_;; i = (i + 1) & maschera_) {
            Casella& c = caselle_[i];
            if (c.id == 0) {
                c = {impronta, Id(distinte.size() + 1)};
                distinte.push_back({Id(inizio), Id(lunghezza)});
                // Linear probing stays short up to three quarters full, and
                // the table is the largest thing alive while the text is read.
                if (distinte.size() * 4 > caselle_.size() * 3)
                    raddoppia();
                return Id(distinte.size() - 1);
            }
            if (c.impronta == impronta) {
                const Vista<Id>& d = distinte[std::size_t(c.id - 1)];
                if (qsizetype(d.lunghezza) == lunghezza &&
                    std::memcmp(base_ + d.inizio, p, std::size_t(lunghezza) * sizeof(QChar)) == 0)
                    return c.id - 1;
            }
        }
    }

    void liberaTabella() { std::vector<Casella>().swap(caselle_); }

private:
    // The slot comes from the hash kept here, so that growing the table
    // does not go back to the texts, scattered over the input.
    struct Casella {
        Id impronta = 0;
        Id id = 0; // 1 + the id; 0 for an empty slot
    };
    const QChar* base_;
    std::vector<Casella> caselle_;
    std::size_t maschera_ = 0;

    static std::uint64_t mescola(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 33);
    }

    // Eight bytes at a time: the items are short, and a per-character hash
    // was a visible share of the whole run.
    static std::uint64_t hash(const QChar* p, qsizetype n) {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        std::size_t byte = std::size_t(n) * sizeof(QChar);
        std::uint64_t h = 0x9e3779b97f4a7c15ull ^ byte;
        while (byte >= 8) {
            std::uint64_t w;
            std::memcpy(&w, b, 8);
            h = (h ^ w) * 0x9fb21c651e98df25ull;
            h ^= h >> 29;
            b += 8;
            byte -= 8;
        }
        if (byte > 0) {
            std::uint64_t w = 0;
            std::memcpy(&w, b, byte);
            h = (h ^ w) * 0x9fb21c651e98df25ull;
        }
        return mescola(h);
    }

    void raddoppia() {
        std::vector<Casella> vecchie(caselle_.size() * 2);
        vecchie.swap(caselle_);
        maschera_ = caselle_.size() - 1;
        for (const Casella& c : vecchie) {
            if (c.id == 0)
                continue;
            std::size_t i = std::size_t(c.impronta) & maschera_;
            while (caselle_[i].id != 0)
                i = (i + 1) & maschera_;
            caselle_[i] = c;
        }
    }
};

// Sort keys are written one after another into large blocks: one heap block
// per key made every comparison a cache miss and every key an allocation.
// Each thread has its own arena, side by side in a vector: a cache line of
// their own keeps one thread's writes from stalling the other's.
class alignas(64) Arena {
public:
    // At least n free bytes at the current position.
    std::uint8_t* riserva(std::size_t n) {
        if (libero_ < n) {
            const std::size_t dimensione = std::max(blocco_, n);
            blocco_ = std::min(blocco_ * 2, BloccoMassimo);
            blocchi_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(dimensione));
            posizione_ = blocchi_.back().get();
            libero_ = dimensione;
        }
        return posizione_;
    }
    std::size_t libero() const { return libero_; }
    void avanza(std::size_t n) {
        posizione_ += n;
        libero_ -= n;
    }

private:
    // Blocks double up to a size large enough for the allocator to map each
    // apart and give it back whole when freed; pages never written cost
    // nothing, so the slack of the last block is free.
    static constexpr std::size_t BloccoMassimo = std::size_t(64) << 20;
    std::size_t blocco_ = std::size_t(64) << 10;
    std::vector<std::unique_ptr<std::uint8_t[]>> blocchi_;
    std::uint8_t* posizione_ = nullptr;
    std::size_t libero_ = 0;
};

// A key's next twenty bytes to compare, big-endian, and its text's id: most
// comparisons are then a few integer comparisons on an array read in order
// (twenty bytes tell apart nearly all keys of two words), and the id needs no
// trip to the key. The arena holds only the rest of each key, from its
// twenty-first byte: the first twenty would only be there twice.
template <class Id> struct Voce {
    std::uint64_t alto;
    std::uint64_t medio;
    std::uint32_t basso;
    Id id;

    bool operator<(const Voce& v) const {
        if (alto != v.alto)
            return alto < v.alto;
        return medio != v.medio ? medio < v.medio : basso < v.basso;
    }
    bool stessoPrefisso(const Voce& v) const {
        return alto == v.alto && medio == v.medio && basso == v.basso;
    }
    // A key never holds a zero byte but its terminator, which pads the
    // prefix: a prefix ending in zero holds the whole key.
    bool finita() const { return (basso & 0xff) == 0; }
    void carica(const std::uint8_t* k) {
        std::uint8_t b[20] = {};
        for (int i = 0; i < 20 && k[i] != 0; ++i)
            b[i] = k[i];
        prendi(b);
    }
    // The same for a key of known length, terminator included: no search
    // for its end byte by byte.
    void carica(const std::uint8_t* k, std::size_t lunghezza) {
        std::uint8_t b[20] = {};
        std::memcpy(b, k, std::min<std::size_t>(lunghezza, 20));
        prendi(b);
    }

private:
    void prendi(const std::uint8_t* b) {
        alto = medio = basso = 0;
        for (int i = 0; i < 8; ++i)
            alto = (alto << 8) | b[i];
        for (int i = 8; i < 16; ++i)
            medio = (medio << 8) | b[i];
        for (int i = 16; i < 20; ++i)
            basso = (basso << 8) | b[i];
    }
};
constexpr std::size_t Prefisso = 20;

// Runs lavoro(0) .. lavoro(n - 1) at the same time, lavoro(0) on this thread. A
// thread that cannot be started has its share done here.
template <class F> void inParallelo(unsigned n, F&& lavoro) {
    std::vector<std::thread> fili;
    for (unsigned t = 1; t < n; ++t) {
        try {
            fili.emplace_back(std::ref(lavoro), t);
        } catch (const std::system_error&) {
            lavoro(t);
        }
    }
    lavoro(0u);
    for (std::thread& f : fili)
        f.join();
}

unsigned filiPer(std::size_t lavori, std::size_t minimo) {
    const unsigned nuclei = std::max(1u, std::min(std::thread::hardware_concurrency(), 16u));
    return unsigned(std::clamp<std::size_t>(lavori / minimo, 1, nuclei));
}

// The entry for the sort of a key written at p in the arena, lunghezza bytes
// with its terminator: the first twenty bytes go into the entry, and only the
// rest stays in the arena, where coda points to it.
template <class Id>
Voce<Id> inArena(std::uint8_t* p, std::size_t lunghezza, Id id, Arena& arena,
                 const std::uint8_t*& coda) {
    Voce<Id> voce;
    voce.carica(p, lunghezza);
    voce.id = id;
    const std::size_t resto = lunghezza > Prefisso ? lunghezza - Prefisso : 0;
    std::memmove(p, p + Prefisso, resto);
    coda = p;
    arena.avanza(resto);
    return voce;
}

// Writes the key of one distinct text and returns its entry for the sort and
// where the rest of its key stands. The empty text gets the empty key, below
// every other, even below the key of a text the collator ignores altogether.
template <class Id>
Voce<Id> scriviChiave(UCollator* c, QStringView t, bool vuota, Id id, Arena& arena,
                      const std::uint8_t*& coda) {
    std::size_t lunghezza;
    std::uint8_t* p;
    if (vuota) {
        p = arena.riserva(1);
        p[0] = 0;
        lunghezza = 1;
    } else if (!c) {
        p = arena.riserva(3 * std::size_t(t.size()) + 1);
        lunghezza = chiaveCodici(t, p);
    } else {
        const auto* u = reinterpret_cast<const UChar*>(t.utf16());
        const auto n = std::int32_t(std::min<qsizetype>(t.size(), INT32_MAX));
        p = arena.riserva(2 * std::size_t(n) + 32);
        const auto capienza = std::int32_t(std::min<std::size_t>(arena.libero(), INT32_MAX));
        lunghezza = std::size_t(ucol_getSortKey(c, u, n, p, capienza));
        if (lunghezza > arena.libero()) {
            p = arena.riserva(lunghezza);
            ucol_getSortKey(c, u, n, p, std::int32_t(lunghezza));
        } else if (lunghezza == 0) { // only on failure: the empty key all the same
            p[0] = 0;
            lunghezza = 1;
        }
    }
    return inArena(p, lunghezza, id, arena, coda);
}

// The entry of a text in code-point order, its key's first twenty bytes made
// straight from the text: a key of its own in the arena is made only if the
// prefix ties (code stays null until then). Twenty characters make at least
// twenty bytes; a pair of surrogates is not cut.
template <class Id> Voce<Id> prefissoCodici(QStringView t, Id id) {
    qsizetype n = std::min<qsizetype>(t.size(), qsizetype(Prefisso));
    if (n < t.size() && QChar::isHighSurrogate(t[n - 1].unicode()))
        ++n;
    std::uint8_t k[3 * (Prefisso + 1) + 1];
    Voce<Id> voce;
    voce.carica(k, chiaveCodici(t.first(n), k));
    voce.id = id;
    return voce;
}

// The same for a key already made, as its bytes without the terminator.
template <class Id>
Voce<Id> scriviByte(const std::string& chiave, Id id, Arena& arena, const std::uint8_t*& coda) {
    const std::size_t lunghezza = chiave.size() + 1;
    std::uint8_t* p = arena.riserva(std::max(lunghezza, Prefisso));
    std::memcpy(p, chiave.data(), chiave.size());
    p[chiave.size()] = 0;
    return inArena(p, lunghezza, id, arena, coda);
}

// Byte d of a prefix, taken from the word that holds it: word quale
// (d / 8), shifted right by spostamento. The last word holds four bytes.
template <class Id> std::uint64_t parola(const Voce<Id>& v, std::size_t quale) {
    return quale == 0 ? v.alto : quale == 1 ? v.medio : std::uint64_t(v.basso) << 32;
}
template <class Id> std::size_t byteDi(const Voce<Id>& v, std::size_t d) {
    return d < Prefisso ? std::size_t(parola(v, d / 8) >> (56 - 8 * (d % 8))) & 0xff : 0;
}

// Room for the radix sort to spread a stretch into, kept by each thread and
// grown to the largest stretch it meets.
template <class Id> struct Appoggio {
    std::unique_ptr<Voce<Id>[]> voci;
    std::size_t capienza = 0;

    Voce<Id>* almeno(std::size_t n) {
        if (capienza < n) {
            voci = std::make_unique_for_overwrite<Voce<Id>[]>(n);
            capienza = n;
        }
        return voci.get();
    }
};

// Sorts n entries whose prefixes agree before byte d, one byte at a time: a
// comparison sort spent most of its time in mispredicted branches on prefixes
// that share their first bytes. A byte all entries share costs one counting
// pass; byte 0 is the padding after a key's end, so entries that reach it
// agree on the whole prefix and need no more sorting.
template <class Id>
void radice(Voce<Id>* voci, std::size_t n, std::size_t d, Appoggio<Id>& appoggio) {
    constexpr std::size_t Piccolo = 32;
    while (n > Piccolo && d < Prefisso) {
        const std::size_t quale = d / 8;
        const unsigned spostamento = unsigned(56 - 8 * (d % 8));
        std::array<std::uint32_t, 256> conta{};
        for (std::size_t i = 0; i < n; ++i)
            ++conta[std::size_t(parola(voci[i], quale) >> spostamento) & 0xff];
        const std::size_t primo = byteDi(voci[0], d);
        if (conta[primo] == n) {
            if (primo == 0)
                return;
            ++d;
            continue;
        }
        // Most stretches use a few byte values, letters or digits: the loops
        // over the values cover only the range in use.
        std::size_t minimo = 0;
        while (conta[minimo] == 0)
            ++minimo;
        std::size_t massimo = 255;
        while (conta[massimo] == 0)
            --massimo;
        std::array<std::uint32_t, 256> posto;
        std::uint32_t somma = 0;
        for (std::size_t b = minimo; b <= massimo; ++b) {
            posto[b] = somma;
            somma += conta[b];
        }
        Voce<Id>* altrove = appoggio.almeno(n);
        for (std::size_t i = 0; i < n; ++i)
            altrove[posto[std::size_t(parola(voci[i], quale) >> spostamento) & 0xff]++] = voci[i];
        std::copy(altrove, altrove + n, voci);
        std::size_t inizio = conta[0];
        for (std::size_t b = std::max<std::size_t>(minimo, 1); b <= massimo; ++b) {
            if (conta[b] > 1)
                radice(voci + inizio, conta[b], d + 1, appoggio);
            inizio += conta[b];
        }
        return;
    }
    for (std::size_t i = 1; i < n; ++i) {
        const Voce<Id> v = voci[i];
        std::size_t j = i;
        for (; j > 0 && v < voci[j - 1]; --j)
            voci[j] = voci[j - 1];
        voci[j] = v;
    }
}

// Spreads n entries in place by byte d of their prefixes, which must lie
// within the prefix, and returns how many fell on each byte value.
template <class Id>
std::array<std::size_t, 256> spargi(Voce<Id>* voci, std::size_t n, std::size_t d) {
    const std::size_t quale = d / 8;
    const unsigned spostamento = unsigned(56 - 8 * (d % 8));
    auto byte = [&](const Voce<Id>& v) {
        return std::size_t(parola(v, quale) >> spostamento) & 0xff;
    };
    std::array<std::size_t, 256> conta{};
    for (std::size_t i = 0; i < n; ++i)
        ++conta[byte(voci[i])];
    if (conta[byte(voci[0])] == n)
        return conta;
    std::array<std::size_t, 256> prossimo;
    std::array<std::size_t, 256> fine;
    std::size_t somma = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        prossimo[b] = somma;
        somma += conta[b];
        fine[b] = somma;
    }
    for (std::size_t b = 0; b < 256; ++b) {
        while (prossimo[b] < fine[b]) {
            Voce<Id> v = voci[prossimo[b]];
            std::size_t c = byte(v);
            while (c != b) {
                std::swap(v, voci[prossimo[c]++]);
                c = byte(v);
            }
            voci[prossimo[b]++] = v;
        }
    }
    return conta;
}

// Sorts a stretch of entries whose keys agree before their prefixes, and on
// the prefixes' bytes before primo, marking in nuovo (indexed like voci) where
// a key differs from the one before. Stretches of equal prefixes are sorted
// again on the next twenty bytes of their keys, read through code.
template <class Id, class Completa>
void ordinaTratto(Voce<Id>* voci, std::size_t inizio, std::size_t fine, std::size_t primo,
                  std::uint8_t* nuovo, const std::uint8_t** code, Appoggio<Id>& appoggio,
                  Completa&& completa) {
    struct Compito {
        std::size_t inizio;
        std::size_t fine;
        std::size_t profondita;
        std::size_t primo;
    };
    std::vector<Compito> pila{{inizio, fine, 0, primo}};
    while (!pila.empty()) {
        const Compito c = pila.back();
        pila.pop_back();
        radice(voci + c.inizio, c.fine - c.inizio, c.primo, appoggio);
        for (std::size_t i = c.inizio; i < c.fine;) {
            std::size_t j = i + 1;
            while (j < c.fine && voci[j].stessoPrefisso(voci[i]))
                ++j;
            if (i != c.inizio)
                nuovo[i] = 1;
            if (j - i > 1 && !voci[i].finita()) {
                const std::size_t profondita = c.profondita + Prefisso;
                const std::size_t dopo = profondita - Prefisso;
                // The keys lie in no useful order: ask for several at once.
                for (std::size_t k = i; k < j; ++k) {
                    if (k + 16 < j)
                        anticipa(&code[std::size_t(voci[k + 16].id)]);
                    if (k + 8 < j && code[std::size_t(voci[k + 8].id)])
                        anticipa(code[std::size_t(voci[k + 8].id)] + dopo);
                    const std::size_t id = std::size_t(voci[k].id);
                    if (!code[id])
                        code[id] = completa(id);
                    voci[k].carica(code[id] + dopo);
                }
                pila.push_back({i, j, profondita, 0});
            }
            i = j;
        }
    }
}

// Sorts all entries. Spread first in place by the first byte that is not the
// same in every prefix (a key of "Ordina per" starts with a mark), the
// buckets are independent and are sorted on all cores.
template <class Id, class Completa>
void ordinaVoci(std::vector<Voce<Id>>& voci, std::vector<std::uint8_t>& nuovo,
                const std::uint8_t** code, Completa&& completa) {
    const std::size_t n = voci.size();
    const unsigned fili = filiPer(n, 50000);
    std::size_t comune = Prefisso;
    if (fili > 1) {
        std::uint64_t alto = 0, medio = 0, basso = 0;
        for (const Voce<Id>& v : voci) {
            alto |= v.alto ^ voci[0].alto;
            medio |= v.medio ^ voci[0].medio;
            basso |= v.basso ^ voci[0].basso;
        }
        comune = alto    ? std::size_t(std::countl_zero(alto)) / 8
                 : medio ? 8 + std::size_t(std::countl_zero(medio)) / 8
                 : basso ? 16 + std::size_t(std::countl_zero(std::uint32_t(basso))) / 8
                         : Prefisso;
    }
    if (comune == Prefisso) {
        Appoggio<Id> appoggio;
        Arena arena;
        ordinaTratto(voci.data(), 0, n, 0, nuovo.data(), code, appoggio,
                     [&](std::size_t id) { return completa(arena, id); });
        return;
    }

    // Buckets to sort, each from the prefix byte that tells its entries apart.
    struct Secchio {
        std::size_t inizio;
        std::size_t fine;
        std::size_t primo;
    };
    // A bucket much larger than a thread's share is spread again, by the
    // thread that takes it: an alphabet's first letters, or a sign, make a
    // few large buckets. The largest bucket waiting goes first, so that the
    // threads end together.
    const std::size_t grande = n / (4 * fili);
    auto minore = [](const Secchio& a, const Secchio& b) {
        return a.fine - a.inizio < b.fine - b.inizio;
    };
    std::vector<Secchio> daFare{{0, n, comune}};
    std::size_t inCorso = 0;
    std::mutex guardia;
    std::condition_variable cambiato;
    inParallelo(fili, [&](unsigned) {
        Appoggio<Id> appoggio;
        Arena arena;
        std::vector<Secchio> figli;
        std::unique_lock blocco(guardia);
        for (;;) {
            cambiato.wait(blocco, [&] { return !daFare.empty() || inCorso == 0; });
            if (daFare.empty())
                return;
            std::pop_heap(daFare.begin(), daFare.end(), minore);
            const Secchio s = daFare.back();
            daFare.pop_back();
            ++inCorso;
            blocco.unlock();
            figli.clear();
            if (s.fine - s.inizio > grande && s.primo < Prefisso) {
                const std::array<std::size_t, 256> conta =
                    spargi(voci.data() + s.inizio, s.fine - s.inizio, s.primo);
                std::size_t inizio = s.inizio;
                for (std::size_t b = 0; b < 256; ++b) {
                    if (conta[b] == 0)
                        continue;
                    // Past a key's end the prefixes are equal.
                    figli.push_back({inizio, inizio + conta[b], b == 0 ? Prefisso : s.primo + 1});
                    nuovo[inizio] = 1;
                    inizio += conta[b];
                }
            } else {
                ordinaTratto(voci.data(), s.inizio, s.fine, s.primo, nuovo.data(), code, appoggio,
                             [&](std::size_t id) { return completa(arena, id); });
            }
            blocco.lock();
            for (const Secchio& f : figli) {
                daFare.push_back(f);
                std::push_heap(daFare.begin(), daFare.end(), minore);
            }
            --inCorso;
            cambiato.notify_all();
        }
    });
}

// The distinct texts in the order of the collation, as sorted entries, and
// where each group of texts that collate equal begins (nuovo). The empty text,
// when there, is first and alone in its group.
template <class Id> struct Distinte {
    std::vector<Voce<Id>> voci;
    std::vector<std::uint8_t> nuovo;
};

// Orders each group of texts equal on every key by the tie-breaker, the whole
// text; texts without a key's value stay as they are, in input order.
template <class Id>
void spareggia(QStringView testo, const std::vector<Vista<Id>>& distinte,
               const Collazione& collazione, const Composizione& composizione,
               const std::vector<std::uint8_t>& senzaValore, std::vector<Voce<Id>>& voci,
               std::vector<std::uint8_t>& nuovo) {
    Composizione::PerFilo filo = composizione.perFilo();
    std::vector<std::pair<std::string, Id>> gruppo;
    const std::size_t n = voci.size();
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && !nuovo[j])
            ++j;
        if (j - i > 1 && !senzaValore[std::size_t(voci[i].id)]) {
            gruppo.clear();
            for (std::size_t k = i; k < j; ++k) {
                const Vista<Id>& d = distinte[std::size_t(voci[k].id)];
                composizione.spareggio(collazione.collatore(),
                                       testo.sliced(qsizetype(d.inizio), qsizetype(d.lunghezza)),
                                       filo);
                gruppo.emplace_back(filo.chiave, voci[k].id);
            }
            std::sort(gruppo.begin(), gruppo.end());
            for (std::size_t k = i; k < j; ++k) {
                voci[k].id = gruppo[k - i].second;
                if (k > i)
                    nuovo[k] = gruppo[k - i].first != gruppo[k - i - 1].first;
            }
        }
        i = j;
    }
}

// With a composition, the keys of "Ordina per", and senzaValore marks the
// texts that lack a key's value.
template <class Id>
Distinte<Id> ordinaDistinte(QStringView testo, const std::vector<Vista<Id>>& distinte,
                            const Collazione& collazione,
                            const Composizione* composizione = nullptr,
                            std::vector<std::uint8_t>* senzaValore = nullptr) {
    const std::size_t n = distinte.size();
    std::vector<Voce<Id>> voci(n);
    std::vector<const std::uint8_t*> code(n);
    const unsigned fili = filiPer(n, 20000);
    std::vector<Arena> arene(fili);
    std::vector<UCollator*> collatori(fili, collazione.collatore());
    unsigned validi = 1;
    if (collazione.collatore()) {
        for (; validi < fili; ++validi) {
            collatori[validi] = collazione.clona();
            if (!collatori[validi])
                break;
        }
    } else {
        validi = fili;
    }
    if (senzaValore)
        senzaValore->assign(n, 0);
    inParallelo(validi, [&](unsigned f) {
        Composizione::PerFilo filo;
        if (composizione)
            filo = composizione->perFilo();
        for (std::size_t i = n * f / validi, fine = n * (f + 1) / validi; i < fine; ++i) {
            const Vista<Id>& d = distinte[i];
            const QStringView t = testo.sliced(qsizetype(d.inizio), qsizetype(d.lunghezza));
            if (composizione) {
                (*senzaValore)[i] = !composizione->componi(collatori[f], t, filo);
                voci[i] = scriviByte(filo.chiave, Id(i), arene[f], code[i]);
            } else if (!collatori[f]) {
                voci[i] = prefissoCodici<Id>(collazione.testoChiave(t), Id(i));
            } else {
                voci[i] = scriviChiave(collatori[f], collazione.testoChiave(t), t.isEmpty(), Id(i),
                                       arene[f], code[i]);
            }
        }
    });
    for (unsigned f = 1; f < validi; ++f)
        ucol_close(collatori[f]);

    std::vector<std::uint8_t> nuovo(n, 0);
    // Code-point keys are made whole only for the texts whose prefixes tie.
    ordinaVoci(voci, nuovo, code.data(), [&](Arena& arena, std::size_t id) {
        const Vista<Id>& d = distinte[id];
        const QStringView t =
            collazione.testoChiave(testo.sliced(qsizetype(d.inizio), qsizetype(d.lunghezza)));
        std::uint8_t* p = arena.riserva(3 * std::size_t(t.size()) + 1);
        arena.avanza(chiaveCodici(t, p));
        return static_cast<const std::uint8_t*>(p + Prefisso);
    });
    if (composizione)
        spareggia(testo, distinte, collazione, *composizione, *senzaValore, voci, nuovo);
    return {std::move(voci), std::move(nuovo)};
}

// The rank of each distinct text: texts that collate equal share a rank, and
// the empty text alone has rank 0 when it is there. Returns the ranks and sets
// quanti to their number.
template <class Id>
std::vector<Id> ranghi(QStringView testo, const std::vector<Vista<Id>>& distinte,
                       const Collazione& collazione, Id& quanti,
                       const Composizione* composizione = nullptr,
                       std::vector<std::uint8_t>* senzaValore = nullptr) {
    const Distinte<Id> ordinate =
        ordinaDistinte(testo, distinte, collazione, composizione, senzaValore);
    const std::size_t n = distinte.size();
    std::vector<Id> rango(n);
    Id r = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && ordinate.nuovo[i])
            ++r;
        rango[std::size_t(ordinate.voci[i].id)] = r;
    }
    quanti = n > 0 ? r + 1 : 0;
    return rango;
}

// The items when every one is a different text: the distinct texts in order,
// those that collate equal in input order, that is in the order of their ids.
// Descending order takes the groups from the last, each still in input order;
// the keys of "Ordina per" carry their own directions. Counts into senzaValore
// the items without a key's part or value.
template <class Id>
std::vector<Vista<Id>> inOrdineDistinte(QStringView testo, const std::vector<Vista<Id>>& distinte,
                                        const OpzioniOrdine& o, std::size_t& senzaValore) {
    const Collazione collazione(o, false);
    std::optional<Composizione> composizione;
    std::vector<std::uint8_t> mancante;
    if (!o.chiavi.empty())
        composizione.emplace(o, collazione);
    Distinte<Id> d =
        ordinaDistinte(testo, distinte, collazione, composizione ? &*composizione : nullptr,
                       composizione ? &mancante : nullptr);
    for (std::size_t id = 0; id < mancante.size(); ++id)
        senzaValore += mancante[id] && distinte[id].lunghezza > 0;
    const bool decrescente = o.verso == Verso::Decrescente && !composizione;
    const std::size_t n = d.voci.size();
    std::vector<Vista<Id>> ordinate(n);
    std::size_t posto = decrescente ? n : 0;
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && !d.nuovo[j])
            ++j;
        if (j - i > 1)
            std::sort(d.voci.begin() + qsizetype(i), d.voci.begin() + qsizetype(j),
                      [](const Voce<Id>& a, const Voce<Id>& b) { return a.id < b.id; });
        if (decrescente)
            posto -= j - i;
        for (std::size_t k = i; k < j; ++k) {
            if (k + 8 < n)
                anticipa(&distinte[std::size_t(d.voci[k + 8].id)]);
            ordinate[posto + (k - i)] = distinte[std::size_t(d.voci[k].id)];
        }
        if (!decrescente)
            posto += j - i;
        i = j;
    }
    return ordinate;
}

// The items of a text, each as the id of its text among the distinct ones.
template <class Id> struct Lette {
    std::vector<Vista<Id>> distinte;
    std::vector<Id> idVoce;
};

template <class Id> Lette<Id> leggiVoci(QStringView testo, const Opzioni& opzioni) {
    const Taglio taglio(testo, opzioni);
    Vocabolario<Id> vocabolario(testo.data(), testo.size());
    std::vector<Id> idVoce;
    idVoce.reserve(std::size_t(testo.size() / 16 + 16));
    // The text is cut and its items hashed on all cores, a stretch of the
    // text each, some megabytes at a time; the ids are then given in input
    // order on one. Each item's slot is asked for some items ahead, so that
    // the cache misses overlap.
    struct Trovata {
        Id inizio;
        Id lunghezza;
        Id impronta;
    };
    constexpr qsizetype Stretto = qsizetype(1) << 22;
    const qsizetype n = testo.size();
    const unsigned fili = filiPer(std::size_t(n), std::size_t(1) << 18);
    std::vector<std::vector<Trovata>> trovate(fili);
    std::vector<qsizetype> confini;
    for (qsizetype da = 0; da < n || confini.empty();) {
        const qsizetype a = std::min(n, da + Stretto * qsizetype(fili));
        confini.assign(1, da);
        for (unsigned f = 1; f < fili; ++f) {
            const qsizetype c = taglio.inizioConfini(
                std::max(confini.back(), da + (a - da) * qsizetype(f) / qsizetype(fili)));
            if (c < a && c > confini.back())
                confini.push_back(c);
        }
        confini.push_back(a == n ? n : taglio.inizioConfini(a));
        const unsigned pezzi = unsigned(confini.size() - 1);
        inParallelo(pezzi, [&](unsigned f) {
            std::vector<Trovata>& v = trovate[f];
            v.clear();
            taglio.voci(confini[f], confini[f + 1], [&](qsizetype inizio, qsizetype fine) {
                v.push_back(
                    {Id(inizio), Id(fine - inizio), vocabolario.impronta(inizio, fine - inizio)});
            });
        });
        for (unsigned f = 0; f < pezzi; ++f) {
            const std::vector<Trovata>& v = trovate[f];
            for (std::size_t k = 0; k < v.size(); ++k) {
                if (k + 16 < v.size())
                    vocabolario.anticipa(v[k + 16].impronta);
                idVoce.push_back(vocabolario.id(qsizetype(v[k].inizio), qsizetype(v[k].lunghezza),
                                                v[k].impronta));
            }
        }
        da = confini.back();
    }
    vocabolario.liberaTabella();
    return {std::move(vocabolario.distinte), std::move(idVoce)};
}

// A text that repeats its words is mostly repeats: its distinct texts side by
// side are a fraction of it, and the caller may then let the text go while the
// items are still needed. Returns the text the distinct texts now point into.
template <class Id>
QStringView compatta(QStringView testo, std::vector<Vista<Id>>& distinte, QString& compatto) {
    std::size_t totale = 0;
    for (const Vista<Id>& d : distinte)
        totale += std::size_t(d.lunghezza);
    if (totale >= std::size_t(testo.size()) / 2)
        return testo;
    compatto = QString(qsizetype(totale), Qt::Uninitialized);
    QChar* scrivi = compatto.data();
    for (Vista<Id>& d : distinte) {
        const QChar* da = testo.data() + d.inizio;
        d.inizio = Id(scrivi - compatto.constData());
        scrivi = std::copy(da, da + d.lunghezza, scrivi);
    }
    return compatto;
}

// Which items stay, and how often each one's group occurs. The first
// intestazione items are not looked at: they stay where they are.
template <class Id> struct Scelta {
    std::vector<bool> tieni; // empty: every item
    std::vector<Id> gruppo;  // empty: each distinct text is its own group
    std::vector<Id> quante;  // for "Conta": the size of each group
    std::size_t tenute = 0;

    bool tenuta(std::size_t k) const { return tieni.empty() || tieni[k]; }
    Id gruppoDi(Id id) const { return gruppo.empty() ? id : gruppo[std::size_t(id)]; }
};

template <class Id>
Scelta<Id> scegli(QStringView testo, const Lette<Id>& lette, const OpzioniOrdine& o,
                  std::size_t intestazione) {
    const std::vector<Id>& idVoce = lette.idVoce;
    Scelta<Id> scelta;
    scelta.tenute = idVoce.size() - intestazione;
    if (o.doppioni == Doppioni::Tutti)
        return scelta;
    Id gruppi = Id(lette.distinte.size());
    if (o.simili) {
        const Collazione primaria(o, true);
        scelta.gruppo = ranghi(testo, lette.distinte, primaria, gruppi);
    }
    std::vector<Id> quante(gruppi, 0);
    for (std::size_t k = intestazione; k < idVoce.size(); ++k)
        ++quante[scelta.gruppoDi(idVoce[k])];
    std::vector<bool> visto(gruppi, false);
    scelta.tieni.assign(idVoce.size(), true);
    scelta.tenute = 0;
    for (std::size_t k = intestazione; k < idVoce.size(); ++k) {
        const Id g = scelta.gruppoDi(idVoce[k]);
        bool tieni = !visto[g];
        if (o.doppioni == Doppioni::Ripetuti)
            tieni = tieni && quante[g] > 1;
        else if (o.doppioni == Doppioni::Unici)
            tieni = quante[g] == 1;
        // An empty item has nothing to count: it would show its count alone.
        else if (o.doppioni == Doppioni::Conta)
            tieni = tieni && lette.distinte[std::size_t(idVoce[k])].lunghezza > 0;
        visto[g] = true;
        scelta.tieni[k] = tieni;
        scelta.tenute += tieni;
    }
    if (o.doppioni == Doppioni::Conta)
        scelta.quante = std::move(quante);
    return scelta;
}

std::uint64_t semeMescola(std::uint64_t seme) {
    if (seme != 0)
        return seme;
    std::random_device caso;
    return (std::uint64_t(caso()) << 32) ^ caso();
}

// The kept items (as indices) in input order, reversed, or shuffled.
template <class Id>
std::vector<std::size_t> senzaOrdinare(const Lette<Id>& lette, const Scelta<Id>& scelta,
                                       const OpzioniOrdine& o, std::size_t intestazione) {
    std::vector<std::size_t> voci;
    voci.reserve(scelta.tenute);
    for (std::size_t k = intestazione; k < lette.idVoce.size(); ++k) {
        if (scelta.tenuta(k))
            voci.push_back(k);
    }
    if (o.verso == Verso::Inverti) {
        std::reverse(voci.begin(), voci.end());
    } else if (o.verso == Verso::Mescola) {
        // The empty item stays first, where the joining leaves no trace of it.
        const auto vuota = std::find_if(voci.begin(), voci.end(), [&](std::size_t k) {
            return lette.distinte[std::size_t(lette.idVoce[k])].lunghezza == 0;
        });
        if (vuota != voci.end())
            std::rotate(voci.begin(), vuota, vuota + 1);
        std::mt19937_64 generatore(semeMescola(o.seme));
        std::shuffle(voci.begin() + (vuota != voci.end() ? 1 : 0), voci.end(), generatore);
    }
    return voci;
}

// The kept items (as indices) in the order of the collation: equal ranks keep
// the input order, by a stable counting sort. With "Dalla più frequente" the
// counts decide first.
template <class Id>
std::vector<std::size_t> perRango(QStringView testo, const Lette<Id>& lette,
                                  const Scelta<Id>& scelta, const OpzioniOrdine& o,
                                  std::size_t intestazione, std::size_t& senzaValore) {
    const std::vector<Id>& idVoce = lette.idVoce;
    const Collazione collazione(o, false);
    // The keys carry their own directions, and the whole item's.
    std::optional<Composizione> composizione;
    std::vector<std::uint8_t> mancante;
    if (!o.chiavi.empty())
        composizione.emplace(o, collazione);
    Id quanti = 0;
    std::vector<Id> rango =
        ranghi(testo, lette.distinte, collazione, quanti, composizione ? &*composizione : nullptr,
               composizione ? &mancante : nullptr);
    // Reversed ranks put the empty text, alone at rank 0, last.
    const bool decrescente = o.verso == Verso::Decrescente;
    if (decrescente && !composizione) {
        for (Id& r : rango)
            r = quanti - 1 - r;
    }
    std::vector<Id> posto(std::size_t(quanti) + 1, 0);
    const std::size_t n = idVoce.size();
    for (std::size_t k = intestazione; k < n; ++k) {
        if (k + 16 < n)
            anticipa(&rango[idVoce[k + 16]]);
        if (scelta.tenuta(k)) {
            ++posto[std::size_t(rango[idVoce[k]]) + 1];
            // The empty item, which an input ending in a separator leaves,
            // never shows: it is no item the user could miss a value in.
            const std::size_t id = std::size_t(idVoce[k]);
            senzaValore += !mancante.empty() && mancante[id] && lette.distinte[id].lunghezza > 0;
        }
    }
    for (std::size_t r = 0; r < std::size_t(quanti); ++r)
        posto[r + 1] += posto[r];
    std::vector<std::size_t> voci(scelta.tenute);
    for (std::size_t k = intestazione; k < n; ++k) {
        if (k + 16 < n)
            anticipa(&rango[idVoce[k + 16]]);
        if (scelta.tenuta(k))
            voci[std::size_t(posto[rango[idVoce[k]]]++)] = k;
    }
    if (o.perFrequenza && !scelta.quante.empty()) {
        const auto quante = [&](std::size_t k) {
            return scelta.quante[scelta.gruppoDi(idVoce[k])];
        };
        std::stable_sort(voci.begin(), voci.end(), [&](std::size_t a, std::size_t b) {
            return decrescente ? quante(a) < quante(b) : quante(a) > quante(b);
        });
    }
    return voci;
}

// The items as the result shows them when it shows more than their text:
// each counted item followed by its count, "pera (3)", and with --mostra-chiavi
// its keys marked. They are written into a text of their own, which the items
// then point into. The items before contati are the fixed ones at the head,
// which are not counted.
template <class Id>
std::vector<Vista<Id>> riscritte(QStringView testo, const Lette<Id>& lette,
                                 const Scelta<Id>& scelta, const std::vector<std::size_t>& voci,
                                 std::size_t contati, const Opzioni& opzioni, QString& proprio) {
    auto distinta = [&](std::size_t k) { return lette.distinte[std::size_t(lette.idVoce[k])]; };
    std::optional<LettoreValori> lettore;
    if (opzioni.mostraChiavi)
        lettore.emplace(localeIcu(opzioni.ordine.lingua));
    qsizetype totale = 0;
    for (std::size_t k : voci)
        totale += qsizetype(distinta(k).lunghezza) + 24;
    QString unito;
    unito.reserve(totale);
    std::vector<Vista<Id>> viste;
    viste.reserve(voci.size());
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const std::size_t k = voci[i];
        const Vista<Id>& d = distinta(k);
        const qsizetype inizio = unito.size();
        const QStringView voce = testo.sliced(qsizetype(d.inizio), qsizetype(d.lunghezza));
        if (lettore && i >= contati && !voce.isEmpty())
            unito += segnaChiavi(voce, opzioni.ordine.chiavi, *lettore);
        else
            unito += voce;
        if (!scelta.quante.empty() && i >= contati)
            unito += QStringLiteral(" (%1)").arg(scelta.quante[scelta.gruppoDi(lette.idVoce[k])]);
        viste.push_back({Id(inizio), Id(unito.size() - inizio)});
    }
    proprio = std::move(unito);
    return viste;
}

template <class Id>
std::vector<Vista<Id>> vociOrdinateIn(QStringView testo, const Opzioni& opzioni, QString& proprio,
                                      std::size_t& senzaValore) {
    const OpzioniOrdine& o = opzioni.ordine;
    Lette<Id> lette = leggiVoci<Id>(testo, opzioni);
    testo = compatta(testo, lette.distinte, proprio);
    const std::size_t intestazione =
        std::min(std::size_t(std::max(o.intestazione, 0)), lette.idVoce.size());
    const Scelta<Id> scelta = scegli(testo, lette, o, intestazione);

    const bool ordinare = o.verso == Verso::Crescente || o.verso == Verso::Decrescente;
    if (ordinare && intestazione == 0 && o.doppioni == Doppioni::Tutti &&
        !(opzioni.mostraChiavi && !o.chiavi.empty()) &&
        lette.distinte.size() == lette.idVoce.size()) {
        // Every item a different text, so an item is its text's id: its
        // place is its text's place, and no rank need be counted out.
        std::vector<Id>().swap(lette.idVoce);
        return inOrdineDistinte(testo, lette.distinte, o, senzaValore);
    }
    std::vector<std::size_t> voci =
        ordinare ? perRango(testo, lette, scelta, o, intestazione, senzaValore)
                 : senzaOrdinare(lette, scelta, o, intestazione);
    std::vector<std::size_t> tutte(intestazione);
    std::iota(tutte.begin(), tutte.end(), std::size_t(0));
    tutte.insert(tutte.end(), voci.begin(), voci.end());
    std::vector<std::size_t>().swap(voci);
    if (!scelta.quante.empty() || (opzioni.mostraChiavi && !o.chiavi.empty()))
        return riscritte(testo, lette, scelta, tutte, intestazione, opzioni, proprio);
    std::vector<Vista<Id>> ordinate(tutte.size());
    for (std::size_t i = 0; i < tutte.size(); ++i) {
        if (i + 16 < tutte.size())
            anticipa(&lette.distinte[lette.idVoce[tutte[i + 16]]]);
        ordinate[i] = lette.distinte[std::size_t(lette.idVoce[tutte[i]])];
    }
    return ordinate;
}

} // namespace

Ordinate vociOrdinate(QStringView testo, const Opzioni& opzioni, QString& proprio) {
    proprio = QString();
    Ordinate risultato;
    // Positions and ids fit in 32 bits unless the text is beyond four billion
    // characters.
    auto elenco = [&](auto voci) {
        risultato.voci = Elenco(proprio.isNull() ? testo : QStringView(proprio), std::move(voci));
        return risultato;
    };
    // A count adds at most some twenty characters to an item of at least one
    // and its separator, and the keys shown a few dozen.
    const std::uint64_t limite =
        opzioni.ordine.doppioni == Doppioni::Conta ? UINT32_MAX / 16 : UINT32_MAX;
    if (std::uint64_t(testo.size()) < limite)
        return elenco(
            vociOrdinateIn<std::uint32_t>(testo, opzioni, proprio, risultato.senzaValore));
    return elenco(vociOrdinateIn<std::uint64_t>(testo, opzioni, proprio, risultato.senzaValore));
}

void tagliaTratto(QStringView testo, const Opzioni& opzioni, bool fine,
                  const std::function<void(QStringView)>& voce) {
    Taglio(testo, opzioni, fine).voci(0, testo.size(), [&](qsizetype inizio, qsizetype termine) {
        voce(testo.sliced(inizio, termine - inizio));
    });
}

qsizetype ultimoTaglio(QStringView testo, const Opzioni& opzioni) {
    return Taglio(testo, opzioni).ultimoTaglio();
}

} // namespace Motore::Ordinamento
