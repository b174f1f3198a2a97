// Checks a result of quorla-cli against ICU's own Italian order, independently
// of the engine and of glibc's collation, which sort uses and which differs
// from ICU on punctuation and ties.
//
//   quorla-verifica SEP RISULTATO [VOCI]
//
// SEP is the output separator: one character, or "invio" for line breaks.
// With VOCI (the input items, one per line), the result must also hold exactly
// the same items.
#include <unicode/ucol.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Leggi(const char* percorso) {
    std::ifstream file(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string_view> Dividi(std::string_view testo, std::string_view sep) {
    std::vector<std::string_view> voci;
    if (testo.empty())
        return voci;
    for (;;) {
        const std::size_t fine = testo.find(sep);
        voci.push_back(testo.substr(0, fine));
        if (fine == std::string_view::npos)
            return voci;
        testo.remove_prefix(fine + sep.size());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "uso: quorla-verifica SEP RISULTATO [VOCI]\n");
        return 2;
    }
    const std::string sepArg = argv[1];
    // A line break is LF or CR LF: the CR is part of the break.
    const bool perRighe = sepArg == "invio";
    const std::string letto = Leggi(argv[2]);
    // quorla-cli ends its result with a line break, LF or CR LF as asked:
    // no part of the last item.
    std::string_view risultato = letto;
    if (risultato.ends_with('\n'))
        risultato.remove_suffix(risultato.ends_with("\r\n") ? 2 : 1);
    std::vector<std::string_view> voci = Dividi(risultato, perRighe ? "\n" : sepArg);
    if (perRighe) {
        for (std::string_view& v : voci) {
            if (v.ends_with('\r'))
                v.remove_suffix(1);
        }
    }

    UErrorCode stato = U_ZERO_ERROR;
    const std::unique_ptr<UCollator, decltype(&ucol_close)> collatore(ucol_open("it", &stato),
                                                                      &ucol_close);
    if (U_FAILURE(stato)) {
        std::fprintf(stderr, "ICU: %s\n", u_errorName(stato));
        return 2;
    }
    for (std::size_t k = 1; k < voci.size(); ++k) {
        const UCollationResult r =
            ucol_strcollUTF8(collatore.get(), voci[k - 1].data(), int32_t(voci[k - 1].size()),
                             voci[k].data(), int32_t(voci[k].size()), &stato);
        if (U_FAILURE(stato) || r == UCOL_GREATER) {
            std::fprintf(stderr, "fuori ordine alla voce %zu: \"%.*s\" prima di \"%.*s\"\n", k,
                         int(voci[k - 1].size()), voci[k - 1].data(), int(voci[k].size()),
                         voci[k].data());
            return 1;
        }
    }

    if (argc == 4) {
        const std::string ingresso = Leggi(argv[3]);
        std::vector<std::string_view> attese = Dividi(ingresso, "\n");
        if (!attese.empty() && attese.back().empty())
            attese.pop_back();
        std::sort(attese.begin(), attese.end());
        std::sort(voci.begin(), voci.end());
        if (attese != voci) {
            std::fprintf(stderr, "le voci non sono quelle in ingresso (%zu attese, %zu trovate)\n",
                         attese.size(), voci.size());
            return 1;
        }
    }
    std::printf("ok: %zu voci in ordine ICU \"it\"\n", voci.size());
    return 0;
}
