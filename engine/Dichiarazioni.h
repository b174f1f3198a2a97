#pragma once

#include "Finestra.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The text engine: the separator catalogue, the current options, and the
// procedure that turns the input box into the sorted output box.
namespace Dichiarazioni {

inline constexpr int NumSeparatori = 14;
inline constexpr int IndiceInvio = 1;

// Message-box flags: exclamation icon, OK only, bring to the foreground.
inline constexpr unsigned FlagAvviso = 0x10030;
// Information icon, OK only, bring to the foreground.
inline constexpr unsigned FlagInformazione = 0x10040;

inline const QString TitoloAvviso = QStringLiteral("Quorla!");
inline const QString TestoImpossibileFormattare = QStringLiteral("Impossibile formattare il testo");

// Catalogue, filled by Init_Separatori and constant afterwards.
extern std::array<QString, NumSeparatori> Tab_Separatori;
extern std::array<QString, NumSeparatori> Nomi_Separatori;
extern QString Sep_Interno;

// Current options. Only Init_Separatori, Leggi_Separatori and (for
// Num_Caratteri) the main window write them.
extern std::array<bool, NumSeparatori> Sep_Ingresso;
extern QString Sep_Uscita;
extern QString Sep_Capo;
extern QString Sep_Ultimo;
extern std::int16_t Num_Caratteri;
// A space after each output separator ("alfa, beta"). Has no effect while the
// output separator is a line break or a tab.
extern bool Sep_Spazio;

// The ordering options, beside the separator options. Their defaults give
// exactly the order of the system's language, as before they existed.
enum class Verso { Crescente, Decrescente };
enum class Maiuscole { ComeLingua, MaiuscolePrima, MinuscolePrima };
enum class Doppioni { No, Identici, AncheMaiuscoleAccenti };

struct LinguaOrdine {
    QString nome;   // as the menu shows it
    QString locale; // ICU locale id
};
// The languages offered: index 0 is "Lingua del sistema" (empty locale), the
// last one is "Codici Unicode" (plain code-point order, empty locale).
const std::vector<LinguaOrdine>& Lingue_Ordine();
inline constexpr int LinguaSistema = 0;
int LinguaCodiciUnicode();

struct Opzioni_Ordine {
    Verso verso = Verso::Crescente;
    bool numeriNaturali = false;
    Maiuscole maiuscole = Maiuscole::ComeLingua;
    bool ignoraPunteggiatura = false;
    bool ignoraArticoli = false;
    Doppioni doppioni = Doppioni::No;
    int lingua = LinguaSistema; // index into Lingue_Ordine()
    bool mescola = false;
    std::uint64_t seme = 0; // for "Mescola": 0 draws a fresh order each run
};
extern Opzioni_Ordine Opz_Ordine;

// The separator dialog's control states. The vectors hold as many members as
// the dialog has; members past the catalogue are ignored.
struct Stato_Dialogo {
    std::vector<int> Chk_Separa;          // 0 unticked, 1 ticked, 2 greyed
    std::vector<bool> Opt_Separatore_Out; // exactly one selected in a working dialog
    std::array<bool, 2> Opt_Capo{};       // "Nessuno", "Come "Testo riordinato""
    std::array<bool, 2> Opt_Ultimo{};
    bool Chk_Spazio = false; // "Spazio dopo il separatore"
};

// The first two status-bar panels.
struct Testi_Stato {
    QString pannello1;
    QString pannello2;
};

// Fills the catalogue and the default output options; returns the dialog's
// default state. Sep_Ingresso and Num_Caratteri are left alone.
Stato_Dialogo Init_Separatori();

// Reads the dialog state into the options and composes the two panel texts.
Testi_Stato Leggi_Separatori(const Stato_Dialogo& stato);

// Sorts the input box into the output box through the window's operations.
void Elabora_Testo(Finestra& finestra);

// The same run without a window, for the command line: the input is given,
// the clipboard is off, the reflow on when aCapo is true. The output box's
// text is handed to scrivi in pieces, in order, so that a large result need
// not be held whole a second time; an input of nothing but spaces writes
// nothing. Returns false when the reflow could not break a line (the window
// would warn); the unbroken output has been written all the same. With
// righeLf the text's line breaks are bare LFs, each standing for the CR LF of
// the window's text, which spares a large file a copy grown by its line ends.
bool Elabora_Testo_Flusso(QString testo, bool aCapo, const std::function<void(QStringView)>& scrivi,
                          bool righeLf = false);

// Copies of the engine's working containers as the last run left them: the
// items in order (LstOrdine) and the lines of the reflow (Lst_Frasi).
QStringList LstOrdine();
QStringList Lst_Frasi();
void SvuotaListe();

} // namespace Dichiarazioni
