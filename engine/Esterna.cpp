#include "Esterna.h"

#include "Collazione.h"

#include <QStringEncoder>

#include <optional>
#include <random>

namespace Motore::Esterna {

using Ordinamento::Collazione;
using Ordinamento::Composizione;

Confronto confronto(const Opzioni& opzioni) {
    const OpzioniOrdine& o = opzioni.ordine;
    // With keys, each key carries its own direction, and the whole item's.
    return {o.verso == Verso::Decrescente && o.chiavi.empty(), o.verso == Verso::Inverti};
}

bool daOrdinare(const Opzioni& opzioni) {
    const Verso v = opzioni.ordine.verso;
    return v == Verso::Crescente || v == Verso::Decrescente || v == Verso::Mescola;
}

namespace {

// The key of a whole item, as the in-memory sort writes it: the empty item
// has the empty key, below every other.
void chiaveVoce(const Collazione& collazione, QStringView voce, std::string& out,
                std::vector<std::uint8_t>& appoggio) {
    if (voce.isEmpty())
        return;
    const std::size_t n =
        Ordinamento::chiaveTesto(collazione.collatore(), collazione.testoChiave(voce), appoggio);
    out.append(reinterpret_cast<const char*>(appoggio.data()), n);
}

} // namespace

struct Chiavi::Dati {
    explicit Dati(const Opzioni& opzioni) : o(opzioni.ordine), collazione(o, false) {
        if (o.simili)
            primaria.emplace(o, true);
        if (!o.chiavi.empty()) {
            composizione.emplace(o, collazione);
            filo = composizione->perFilo();
        }
        if (o.verso == Verso::Mescola) {
            std::uint64_t seme = o.seme;
            if (seme == 0) {
                std::random_device caso;
                seme = (std::uint64_t(caso()) << 32) ^ caso();
            }
            caso.seed(seme);
        }
    }
    OpzioniOrdine o;
    Collazione collazione;
    std::optional<Collazione> primaria;
    std::optional<Composizione> composizione;
    Composizione::PerFilo filo;
    std::vector<std::uint8_t> appoggio;
    std::mt19937_64 caso;
};

Chiavi::Chiavi(const Opzioni& opzioni) : d_(std::make_unique<Dati>(opzioni)) {}
Chiavi::~Chiavi() = default;

bool Chiavi::ordine(QStringView voce, std::string& out) {
    Dati& d = *d_;
    switch (d.o.verso) {
    case Verso::ComeNelTesto:
    case Verso::Inverti:
        return true;
    case Verso::Mescola:
        // The empty item stays first, where the joining leaves no trace of it.
        if (!voce.isEmpty()) {
            const std::uint64_t x = d.caso();
            for (int i = 56; i >= 0; i -= 8)
                out.push_back(char(std::uint8_t(x >> i)));
        }
        return true;
    case Verso::Crescente:
    case Verso::Decrescente:
        break;
    }
    if (!d.composizione) {
        chiaveVoce(d.collazione, voce, out, d.appoggio);
        return true;
    }
    // The keys, then the whole item to break their ties; both are codes in
    // which no key is a prefix of another, so one after the other they
    // compare as the pair. Items without a value tie in input order.
    const bool valore = d.composizione->componi(d.collazione.collatore(), voce, d.filo);
    out += d.filo.chiave;
    if (!valore)
        return false;
    d.composizione->spareggio(d.collazione.collatore(), voce, d.filo);
    out += d.filo.chiave;
    return true;
}

void Chiavi::gruppo(QStringView voce, std::string& out) {
    if (d_->primaria) {
        chiaveVoce(*d_->primaria, voce, out, d_->appoggio);
        return;
    }
    // The item itself, in UTF-8, half the bytes of its UTF-16; an item with a
    // lone surrogate, which UTF-8 cannot hold, as its UTF-16 after a byte no
    // UTF-8 ever has.
    if (voce.isValidUtf16()) {
        const std::size_t prima = out.size();
        out.resize(prima + std::size_t(voce.size()) * 3);
        QStringEncoder utf8(QStringEncoder::Utf8);
        char* fine = utf8.appendToBuffer(out.data() + prima, voce);
        out.resize(std::size_t(fine - out.data()));
        return;
    }
    out.push_back(char(0xff));
    out.append(reinterpret_cast<const char*>(voce.utf16()), std::size_t(voce.size()) * 2);
}

struct Mostra::Dati {
    explicit Dati(const Opzioni& opzioni)
        : chiavi(opzioni.ordine.chiavi), conta(opzioni.ordine.doppioni == Doppioni::Conta) {
        if (opzioni.mostraChiavi && (conta || !chiavi.empty()))
            lettore.emplace(localeIcu(opzioni.ordine.lingua));
    }
    std::vector<Chiave> chiavi;
    bool conta;
    std::optional<LettoreValori> lettore;
};

Mostra::Mostra(const Opzioni& opzioni) : d_(std::make_unique<Dati>(opzioni)) {}
Mostra::~Mostra() = default;

bool Mostra::serve() const {
    return d_->conta || d_->lettore.has_value();
}

QString Mostra::mostra(QStringView voce, std::uint64_t conta) const {
    QString testo = d_->lettore && !voce.isEmpty()
                        ? Ordinamento::segnaChiavi(voce, d_->chiavi, *d_->lettore)
                        : voce.toString();
    if (d_->conta)
        testo += QStringLiteral(" (%1)").arg(conta);
    return testo;
}

} // namespace Motore::Esterna
