#pragma once

#include "Dialoghi.h"
#include "Impostazioni.h"
#include "Opzioni.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class BarraStato;
class CasellaTesto;
class Frm_SepElenco;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class Righello;
class SegnaChiavi;
class SliderCaratteri;

// The program's main window: the input box and the output box with their
// column rulers, the line-length slider, the status bar and the menus. It
// keeps the options the user has chosen and hands them to the engine.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    // The menu items, by the names the program's handlers use.
    struct VociMenu {
        QMenu* MenuFile = nullptr;
        QAction* MenuNuovo = nullptr;
        QAction* MenuApri = nullptr;
        QAction* MenuSalvaNome = nullptr;
        QAction* MenuNull0 = nullptr;
        QAction* MenuConverti = nullptr;
        QAction* MenuBloccoNote = nullptr;
        QAction* MenuNull_F1 = nullptr;
        QAction* MenuFine = nullptr;
        QMenu* MenuOpzioni = nullptr;
        QAction* MenuSeparatori = nullptr;
        QAction* MenuACapo = nullptr;
        QAction* MenuNull_O1 = nullptr;
        QAction* MenuCopiaAppunti = nullptr;
        QAction* MenuNull_O2 = nullptr;
        QMenu* MenuColori0 = nullptr;
        std::array<QAction*, 2> MenuColori{};
        QAction* MenuNull_O3 = nullptr;
        QAction* MenuColori_Def = nullptr;
        QAction* MenuNull_O4 = nullptr;
        QAction* MenuRipristina = nullptr;
        QMenu* MenuOrdine = nullptr;
        QAction* MenuCrescente = nullptr;
        QAction* MenuDecrescente = nullptr;
        QAction* MenuComeNelTesto = nullptr;
        QAction* MenuInverti = nullptr;
        QAction* MenuNull_R1 = nullptr;
        QAction* MenuNumeriNaturali = nullptr;
        QMenu* MenuMaiuscole0 = nullptr;
        std::array<QAction*, 3> MenuMaiuscole{}; // indexed by Maiuscole
        QAction* MenuIgnoraPunteggiatura = nullptr;
        QAction* MenuIgnoraArticoli = nullptr;
        QAction* MenuNull_R2 = nullptr;
        QMenu* MenuDoppioni0 = nullptr;
        std::array<QAction*, 5> MenuDoppioni{}; // indexed by Doppioni
        QAction* MenuNull_D1 = nullptr;
        QAction* MenuSimili = nullptr;
        QAction* MenuPerFrequenza = nullptr;
        QMenu* MenuLingua0 = nullptr;
        QList<QAction*> MenuLingua; // indexed as Lingue_Ordine()
        QAction* MenuNull_R3 = nullptr;
        QAction* MenuMescola = nullptr;
        QAction* MenuIntestazione = nullptr;
        // "Ordina per" (sort keys)
        QAction* MenuNull_R4 = nullptr;
        QAction* MenuVoceIntera = nullptr;
        QAction* MenuOrdinaPer = nullptr;
        QMenu* MenuAbout0 = nullptr;
        QAction* MenuAbout = nullptr;
    };

    // Without dialogs of its own the window uses the toolkit's real ones. It
    // starts from the choices kept in the settings file `fileImpostazioni` and
    // keeps every new one there; with an empty path it remembers nothing.
    explicit MainForm(std::unique_ptr<Dialoghi> dialoghi = nullptr,
                      const QString& fileImpostazioni = percorsoImpostazioni());
    ~MainForm() override;

    // How the program ends. The default leaves the event loop at once, without
    // closing any window, so that no close handler runs; tests replace it.
    void impostaUscita(std::function<void()> uscita);
    // How the system's text editor is started; tests replace it.
    void impostaAvvioEditor(std::function<bool()> avvio);

    // The controls, for the program's glue and for tests.
    CasellaTesto* Txt_Orig() const { return txtOrig_; }
    CasellaTesto* Txt_Ordine() const { return txtOrdine_; }
    SliderCaratteri* Slider() const { return slider_; }
    Righello* Img_Righello(int i) const;
    BarraStato* STBar() const { return stBar_; }
    const VociMenu& menu() const { return menu_; }
    Frm_SepElenco* separatori() const { return frmSepElenco_.get(); }

    // The texts of the two boxes, with CR LF line breaks.
    QString testoOrig() const;
    QString testoOrdine() const;
    // The options the next run will use; with "A CAPO" on, it breaks lines
    // at Num_Caratteri.
    const Motore::Opzioni& opzioni() const { return opzioni_; }
    // The line length: the slider's value when the user last clicked it or
    // switched the reflow. The slider moved back to its end after a failed
    // reflow does not change it.
    int Num_Caratteri() const { return numCaratteri_; }

    // Loads a text file into the input box and sorts it, as "Apri..." does once
    // its dialog has given the path, warnings included: for the command line
    // and for a file dropped on the window.
    void apriFile(const QString& percorso);

    // The text of the about box, five lines joined by a carriage return.
    static QString testoInformazioni();

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void creaMenu();
    void creaMenuOrdine();
    void creaMenuMaiuscole();
    void creaMenuDoppioni();
    void creaMenuLingua();
    QAction* voceOrdine(QMenu* menu, const QString& nome, const QString& testo,
                        const QString& suggerimento, QActionGroup* gruppo = nullptr);
    void mostraOpzioniOrdine();
    void descriviRighelli();
    Impostazioni impostazioni() const;
    void applicaImpostazioni(const Impostazioni& impostazioni);
    void salvaImpostazioni(bool avvisa = true);
    QRect rettangoloCentrato() const;
    Dialoghi::OpzioniFile opzioniFile(const QString& titolo) const;
    bool trascinamentoFile(QEvent* evento);
    void Form_Load();
    void elabora();
    void mostraSeparatori();
    void messaggio(const QString& testo);

    void MenuNuovo_Click();
    void MenuApri_Click();
    void MenuSalvaNome_Click();
    void MenuConverti_Click();
    void MenuBloccoNote_Click();
    void MenuFine_Click();
    void MenuSeparatori_Click();
    void MenuACapo_Click();
    void MenuCopiaAppunti_Click();
    void MenuOrdine_Click();
    void MenuIntestazione_Click();
    void MenuRipristina_Click();
    void MenuColori_Click(int indice);
    void MenuColori_Def_Click();
    void MenuAbout_Click();
    void Slider_Click();
    void Txt_Orig_Change();
    void SepElenco_OK();

    // --- "Ordina per" (sort keys): menu items, marks in the input box, and
    // the count of items without a value in the status bar.
    void creaChiavi();
    void MenuOrdinaPer_Click();
    void MenuVoceIntera_Click();
    void avvisaSenzaValore(std::size_t voci);
    SegnaChiavi* segnaChiavi_ = nullptr;
    QTimer* timerAvviso_ = nullptr;
    // --- end of "Ordina per"

    std::unique_ptr<Dialoghi> dialoghi_;
    std::function<void()> uscita_;
    std::function<bool()> avvioEditor_;

    CasellaTesto* txtOrig_ = nullptr;
    CasellaTesto* txtOrdine_ = nullptr;
    std::array<Righello*, 2> righelli_{};
    SliderCaratteri* slider_ = nullptr;
    BarraStato* stBar_ = nullptr;
    VociMenu menu_;
    QList<QAction*> azioniConTasto_;
    // A window of its own, without owner, alive until the program ends.
    std::unique_ptr<Frm_SepElenco> frmSepElenco_;
    Motore::Opzioni opzioni_;
    int numCaratteri_ = 50;
    // The busy cursor is up while a long run is going on.
    bool cursoreAttesa_ = false;
    QString fileImpostazioni_;
    Impostazioni salvate_; // as the file holds them
    // Said once a run: after it the user knows, and is not told at every click.
    bool avvisoImpostazioni_ = false;
    QString cartella_; // the last folder of the file dialogs
};
