// Both windows in each language, as a user and assistive technology meet them; the separator
// dialog's own behaviour; the choice of the interface's language.
#include "BarraStato.h"
#include "Controlli.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"
#include "Opzioni.h"
#include "Traduzioni.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The translation file's texts: sources in Italian, translations in English; "%1" any text.
struct Catalogo {
    QHash<QString, QStringList> testi;
    QHash<QString, QList<QRegularExpression>> modelli;

    Catalogo() {
        QFile file(QStringLiteral(QUORLA_TS));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("manca %s", QUORLA_TS);
        for (QXmlStreamReader xml(&file); !xml.atEnd();) {
            if (xml.readNext() != QXmlStreamReader::StartElement ||
                (xml.name() != u"source" && xml.name() != u"translation"))
                continue;
            const QString lingua = xml.name() == u"source" ? u"it"_s : u"en"_s;
            const QString testo = xml.readElementText();
            testi[lingua] << testo;
            QString modello = QRegularExpression::escape(testo);
            modello.replace(QRegularExpression(u"\\\\%\\d"_s), u".*"_s);
            modelli[lingua] << QRegularExpression(u"\\A"_s + modello + u"\\z"_s);
        }
    }
    bool conosce(const QString& lingua, const QString& testo) const {
        const auto& m = modelli[lingua];
        return std::any_of(m.cbegin(), m.cend(),
                           [&](const auto& r) { return r.match(testo).hasMatch(); });
    }
};

// The interface in a language while it lives; windows must be made after it.
struct Lingua {
    QTranslator programma, qt;
    explicit Lingua(const QString& lingua) {
        if (Traduzioni::CaricaProgramma(programma, lingua))
            QCoreApplication::installTranslator(&programma);
        if (Traduzioni::CaricaQt(qt, lingua))
            QCoreApplication::installTranslator(&qt);
    }
    ~Lingua() {
        QCoreApplication::removeTranslator(&programma);
        QCoreApplication::removeTranslator(&qt);
    }
};

// Every text that a window shows or says.
QStringList testi(QWidget* finestra) {
    QStringList esito = {finestra->windowTitle()};
    for (QWidget* w : finestra->findChildren<QWidget*>()) {
        esito << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (const auto* b = qobject_cast<QAbstractButton*>(w))
            esito << b->text();
        if (const auto* g = qobject_cast<QGroupBox*>(w))
            esito << g->title();
        if (const auto* l = qobject_cast<QLabel*>(w))
            esito << l->text();
        const auto* menu = qobject_cast<QMenu*>(w);
        for (const QAction* a : w->actions())
            esito << a->text() << (menu && menu->toolTipsVisible() ? a->toolTip() : QString());
    }
    return esito;
}

// Whether the access keys of the captions and the shortcuts beside them all differ.
bool senzaDoppi(const QStringList& didascalie, const QList<QShortcut*>& scorciatoie = {}) {
    QList<QKeySequence> tasti;
    for (const QString& d : didascalie)
        tasti << QKeySequence::mnemonic(d);
    for (const QShortcut* s : scorciatoie)
        tasti << s->key();
    tasti.removeAll(QKeySequence());
    return QSet<QKeySequence>(tasti.cbegin(), tasti.cend()).size() == tasti.size();
}

QString nome(QObject* oggetto) {
    return QAccessible::queryAccessibleInterface(oggetto)->text(QAccessible::Name);
}

constexpr int N = Motore::NumSeparatori;

// The choices written as "<one digit per box> <output> <line end> <end of text> <s: space>".
Motore::Opzioni stato(const QString& testo) {
    const QStringList parti = testo.split(' ');
    Motore::Opzioni o;
    for (int i = 0; i < N; ++i)
        o.ingresso[i] = parti[0][i] == '1';
    o.uscita = parti[1].toInt();
    o.capo = parti[2] == "1" ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    o.ultimo = parti[3] == "1" ? Motore::Fine::ComeUscita : Motore::Fine::Nessuno;
    o.spazioDopo = parti[4] == "s";
    return o;
}

// What the dialog gives back, written the same way; options it does not own stay.
QString campi(const Frm_SepElenco& d) {
    Motore::Opzioni o;
    o.larghezza = 7;
    d.leggi(o);
    if (o.larghezza != 7)
        return "larghezza";
    QString caselle;
    for (bool b : o.ingresso)
        caselle += b ? '1' : '0';
    return QString("%1 %2 %3 %4 %5")
        .arg(caselle)
        .arg(o.uscita)
        .arg(int(o.capo == Motore::Fine::ComeUscita))
        .arg(int(o.ultimo == Motore::Fine::ComeUscita))
        .arg(o.spazioDopo ? "s" : "-");
}

const QString Predefinito = "10010000000000 3 0 0 -";

// "Chk_Separa 7", "Opt_Separatore_Out 3", "Opt_Capo 1", "Opt_Ultimo 0", "Chk_Spazio", "Cmd_OK".
QAbstractButton* controllo(const Frm_SepElenco& d, const QString& nome) {
    const QString tipo = nome.section(' ', 0, 0);
    const int i = nome.section(' ', 1, 1).toInt();
    if (tipo == "Chk_Separa")
        return d.Chk_Separa(i);
    if (tipo == "Opt_Separatore_Out")
        return d.Opt_Separatore_Out(i);
    if (tipo.startsWith("Opt_"))
        return tipo == "Opt_Capo" ? d.Opt_Capo(i) : d.Opt_Ultimo(i);
    return tipo == "Chk_Spazio" ? static_cast<QAbstractButton*>(d.Chk_Spazio()) : d.Cmd_OK();
}

} // namespace

class TestLingue : public QObject {
    Q_OBJECT
    const Catalogo catalogo;

private slots:
    // Every text the catalogue's; captions whole at three fonts; access keys unique per menu
    // and dialog; every control named, its focus in sight, Tab in order; accessibility.
    void finestre_data() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<bool>("dialogo");
        for (const char* lingua : {"it", "en"}) {
            QTest::addRow("MainForm %s", lingua) << QString::fromLatin1(lingua) << false;
            QTest::addRow("Frm_SepElenco %s", lingua) << QString::fromLatin1(lingua) << true;
        }
    }
    void finestre() {
        QFETCH(QString, lingua);
        QFETCH(bool, dialogo);
        const bool it = lingua == u"it";
        const Lingua attiva(lingua);
        const QFont prima = QApplication::font();
        QFont grande = prima, pixel = prima;
        grande.setPointSize(22);
        pixel.setPixelSize(30);
        for (const QFont& carattere : {grande, pixel, prima}) {
            QApplication::setFont(carattere);
            MainForm g(std::make_unique<FintiDialoghi>());
            QApplication::setFont(prima);
            const QWidget* d = g.separatori();
            for (const QAbstractButton* b : d->findChildren<QAbstractButton*>())
                QVERIFY2(b->sizeHint().width() <= b->width() &&
                             b->sizeHint().height() <= b->height(),
                         qPrintable(b->text()));
            for (const QGroupBox* c : d->findChildren<QGroupBox*>())
                QVERIFY2(c->minimumSizeHint().width() <= c->width(), qPrintable(c->title()));
            const QFontMetrics m(g.STBar()->font());
            for (int n = 3; n <= 5; ++n) {
                const QLabel* p = g.STBar()->pannello(n);
                QVERIFY2(m.horizontalAdvance(p->text()) <=
                             p->contentsRect().width() - 2 * p->indent(),
                         qPrintable(p->text()));
            }
        }

        MainForm f(std::make_unique<FintiDialoghi>(), QString());
        f.show();
        f.Slider()->setValue(42);
        f.menu().MenuACapo->trigger(); // the slider shows
        Frm_SepElenco* d = f.separatori();
        if (dialogo)
            f.menu().MenuSeparatori->trigger();
        QWidget* finestra = dialogo ? static_cast<QWidget*>(d) : &f;
        QVERIFY(QTest::qWaitForWindowActive(finestra));

        QStringList visti = testi(finestra);
        if (!dialogo)
            visti << MainForm::testoInformazioni().remove(u"Quorla! - "_s).split(u'\r');
        // The same in every language: the languages' own names and symbols.
        QStringList propri;
        for (const auto& l : Motore::lingueOrdine()) {
            const QString nome = QString::fromUtf8(l.nome);
            propri << (catalogo.testi[u"it"_s].contains(nome) ? QString() : nome);
        }
        visti.removeIf([&](const QString& t) {
            return propri.contains(t) || !t.contains(QRegularExpression(u"\\p{L}"_s));
        });
        QVERIFY(visti.size() > (dialogo ? 50 : 80));
        for (const QString& testo : std::as_const(visti))
            QVERIFY2(catalogo.conosce(lingua, testo), qPrintable(testo));

        QList<QWidget*> controlli = finestra->findChildren<QWidget*>();
        controlli.removeIf([&](QWidget* w) {
            return w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(finestra);
        });
        QCOMPARE(controlli.size(), dialogo ? 34 : 3);
        for (QWidget* w : std::as_const(controlli)) {
            QVERIFY2(!nome(w).trimmed().isEmpty(), w->metaObject()->className());
            // As the keyboard moves it: the window then shows where it is.
            controlli[controlli[0] == w]->setFocus(Qt::ShortcutFocusReason);
            const QImage senza = w->grab().toImage();
            w->setFocus(Qt::ShortcutFocusReason);
            QVERIFY2(w->grab().toImage() != senza, w->metaObject()->className());
        }

        if (dialogo) {
            QVERIFY(senzaDoppi(testi(d), d->findChildren<QShortcut*>()));
            const QStringList simboli =
                (it ? u"minore,maggiore,barra,barra rovesciata,barra verticale"_s
                    : u"less-than sign,greater-than sign,slash,backslash,vertical bar"_s)
                    .split(u',');
            for (int i = 9; i < Motore::NumSeparatori; ++i) {
                QCOMPARE(nome(d->Chk_Separa(i)), simboli[i - 9]);
                QCOMPARE(nome(d->Opt_Separatore_Out(i)), simboli[i - 9]);
            }
            QCOMPARE(QAccessible::queryAccessibleInterface(d)->role(), QAccessible::Dialog);
            return;
        }

        for (QWidget* m : f.findChildren<QWidget*>()) {
            if (!qobject_cast<QMenu*>(m) && !qobject_cast<QMenuBar*>(m))
                continue;
            QStringList didascalie;
            for (const QAction* a : m->actions()) {
                didascalie << a->text();
                QVERIFY2(it || a->isSeparator() || m == f.menu().MenuLingua0 ||
                             !QKeySequence::mnemonic(a->text()).isEmpty(),
                         qPrintable(a->text()));
            }
            QVERIFY2(senzaDoppi(didascalie), qPrintable(m->objectName()));
        }
        f.Txt_Orig()->setFocus();
        for (QWidget* atteso : QList<QWidget*>{f.Txt_Ordine(), f.Slider(), f.Txt_Orig()}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), atteso);
        }

        QCOMPARE(QAccessible::queryAccessibleInterface(f.STBar())->role(), QAccessible::StatusBar);
        QAccessibleInterface* aiuto = QAccessible::queryAccessibleInterface(f.menuBar())->child(3);
        QCOMPARE(aiuto->text(QAccessible::Name), it ? u"Aiuto"_s : u"Help"_s);
        QCOMPARE(aiuto->role(), QAccessible::MenuItem);
        QCOMPARE(aiuto->child(0)->parent()->object(), f.menu().MenuAbout0->menuAction());
        QVERIFY(!aiuto->state().focused);
        aiuto->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(aiuto->state().focused && f.menu().MenuAbout0->isVisible());
        f.menu().MenuAbout0->hide();
        // The line length as the rulers and the slider give it, and the lamp.
        QAccessibleInterface* righello = QAccessible::queryAccessibleInterface(f.Img_Righello(1));
        QAccessibleInterface* spia = QAccessible::queryAccessibleInterface(f.STBar()->pannello(3));
        QVERIFY(righello->text(QAccessible::Description)
                    .contains(it ? u"a capo dopo 42 caratteri"_s : u"wrap after 42"_s));
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(f.Slider());
        QCOMPARE(slider->valueInterface()->currentValue().toInt(), 42);
        QCOMPARE(spia->text(QAccessible::Description), it ? u"attivo"_s : u"on"_s);
        f.menu().MenuACapo->trigger();
        QVERIFY(!righello->text(QAccessible::Description).contains(u"42"_s));
        QCOMPARE(spia->text(QAccessible::Description), it ? u"non attivo"_s : u"off"_s);
    }

    // A language's first letters typed in its menu select it; the same letter again, the next.
    void cercaLingua_data() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QString>("battuto");
        QTest::addColumn<QString>("scelta");
        const QString righe = u"it sv Svenska|it ss Suomi|it sss Svenska|it c Čeština|"
                              "it co Codici Unicode|it DE Deutsch|it fr Français|en sv Svenska|"
                              "en uni Unicode code points|en h System language"_s;
        for (const QString& r : righe.split(u'|'))
            QTest::newRow(qPrintable(r))
                << r.section(u' ', 0, 0) << r.section(u' ', 1, 1) << r.section(u' ', 2);
    }
    void cercaLingua() {
        QFETCH(QString, lingua);
        QFETCH(QString, battuto);
        QFETCH(QString, scelta);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>(), QString());
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, lingua == u"it" ? Qt::Key_R : Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(f.menu().MenuOrdine, Qt::Key_L);
        QMenu* menu = f.menu().MenuLingua0;
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage prima = menu->grab().toImage();
        for (const QChar c : battuto)
            QTest::keyClick(menu, c.toLatin1());
        QAction* voce = menu->activeAction();
        QCOMPARE(voce ? voce->text() : QString(), scelta);
        // In sight: the menu stays, its selection drawn where it went.
        QVERIFY(menu->isVisible());
        QVERIFY(voce == menu->actions().first() || menu->grab().toImage() != prima);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(f.opzioni().ordine.lingua, f.menu().MenuLingua.indexOf(voce));
    }

    // A frame's access key: to its control last left, else its selected option, else its first.
    void cornici_data() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<int>("cornice"); // input, output, line end, end of text
        for (int i = 0; i < 8; ++i)
            QTest::addRow("%d", i) << (i < 4 ? u"it"_s : u"en"_s) << i % 4;
    }
    void cornici() {
        QFETCH(QString, lingua);
        QFETCH(int, cornice);
        const char tasto = (lingua == u"it" ? "IRCF" : "ISLE")[cornice];
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>(), QString());
        Frm_SepElenco* d = f.separatori();
        QWidget* attesi[] = {d->Chk_Separa(0), d->Opt_Separatore_Out(3), d->Opt_Capo(0),
                             d->Opt_Ultimo(0)};
        f.show();
        f.menu().MenuSeparatori->trigger();
        QVERIFY(QTest::qWaitForWindowActive(d));
        for (QWidget* lasciato : QList<QWidget*>{d->Cmd_OK(), d->Opt_Capo(1)}) {
            lasciato->setFocus();
            d->Cmd_OK()->setFocus();
            QTest::keyClick(d->Cmd_OK(), tasto, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(),
                     cornice == 2 && lasciato != d->Cmd_OK() ? lasciato : attesi[cornice]);
        }
    }

    // The separator dialog alone.
    void finestraSeparatori() {
        Frm_SepElenco d;
        QCOMPARE(d.windowTitle(), "Selezione separatori di elenco");
        QCOMPARE(d.size(), QSize(684, 269)); // 10260 by 4035 twips
        QCOMPARE(d.minimumSize(), d.maximumSize());
        const Qt::WindowFlags f = d.windowFlags();
        QVERIFY(f & Qt::WindowCloseButtonHint && !(f & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(d.geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        QCOMPARE(campi(d), Predefinito); // until it is told others
        QCOMPARE(d.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        // Every control: caption, tool tip (texts: tst_Lingue), in its frame, overlapping none.
        // clang-format off
        const char* voci[N] = {"Spazio", "Invio", "Tab", "Punto e virgola", "Due punti", "Virgola", "Punto",
            "Punto esclamativo", "Punto di domanda", "<", " >~>", " /~/", " \\~\\", "|"};
        QStringList schede{"Chk_Spazio~Spazio dopo il separatore", "Cmd_OK~&OK", "Opt_Capo 0~Nessuno",
            "Opt_Capo 1~Come \"Testo riordinato\"", "Opt_Ultimo 0~Nessuno", "Opt_Ultimo 1~Come \"Testo riordinato\""};
        // clang-format on
        for (int i = 0; i < N; ++i)
            schede << QString("Chk_Separa %1~").arg(i) + QString(voci[i]).section('~', 0, 0)
                   << QString("Opt_Separatore_Out %1~").arg(i) + QString(voci[i]).section('~', -1);
        for (const QString& scheda : schede) {
            const QAbstractButton* b = controllo(d, scheda.section('~', 0, 0));
            QCOMPARE(b->text(), scheda.section('~', 1));
            QVERIFY(b->isEnabled() && b->toolTip().isEmpty() == (b == d.Cmd_OK()));
            QVERIFY(b->parentWidget()->contentsRect().contains(b->geometry()));
            for (const QWidget* w :
                 b->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY(w == b || !w->geometry().intersects(b->geometry()));
        }
    }

    // From choices shown, what the user does: "clic" or a key, on a control or on the focused
    // one ("=": where the focus is). Only OK confirms, Enter only on OK.
    void azioni_data() {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("azioni");
        QTest::addColumn<QString>("dopo");
        QTest::addColumn<int>("conferme");
        const QString p = Predefinito, z = "00000000000000";
        for (const QString& s : QStringList{p, "01100000000011 13 1 1 s", z + " 1 1 0 s",
                                            z + " 2 0 1 -", z + " 0 0 0 -"})
            QTest::newRow(qPrintable(s)) << s << "" << s << 0;
        // clang-format off
        QTest::newRow("spuntata") << "00001000000000 3 0 0 -" << "Space Chk_Separa 4" << z + " 3 0 0 -" << 0;
        QTest::newRow("vuota, due volte") << p << "Space Chk_Separa 4;Space Chk_Separa 4" << p << 0;
        QTest::newRow("due scelte") << z + " 0 0 0 -"
            << "clic Opt_Separatore_Out 5;clic Opt_Separatore_Out 9;clic Opt_Capo 1" << z + " 9 1 0 -" << 0;
        QTest::newRow("uscita Invio") << z + " 3 0 0 s" << "clic Opt_Separatore_Out 1" << z + " 1 0 0 s" << 0;
        QTest::newRow("|") << z + " 2 0 0 s" << "clic Opt_Separatore_Out 13" << z + " 13 0 0 s" << 0;
        QTest::newRow("Alt+O") << p << "Alt+O Chk_Separa 0" << p << 1;
        // Tab: the boxes in order, then each group at its selected option or its first.
        const QString tab = "Tab Chk_Separa 0;=Chk_Separa 1;Tab Chk_Separa 13;=Opt_Separatore_Out ";
        QTest::newRow("Tab") << p << tab + "3;Tab;=Chk_Spazio;Tab;=Opt_Capo 0;Tab;=Opt_Ultimo 0;Tab;=Cmd_OK;Tab;=Chk_Separa 0" << p << 0;
        QTest::newRow("Tab, Spazio") << z + " 0 1 1 -" << tab + "0;Tab;=Chk_Spazio;Tab;=Opt_Capo 1;Tab;=Opt_Ultimo 1" << z + " 0 1 1 -" << 0;
        QTest::newRow("Tab, Invio") << z + " 1 0 1 -" << tab + "1;Tab;=Opt_Capo 0" << z + " 1 0 1 -" << 0;
        for (const char* nome : {"Cmd_OK", "Chk_Separa 0", "Opt_Separatore_Out 3", "Chk_Spazio"})
            for (const QString tasto : {"Return", "Enter", "Esc"})
                QTest::addRow("%s, %s", qPrintable(tasto), nome) << p << tasto + ' ' + nome << p << int(tasto != "Esc" && QString(nome) == "Cmd_OK");
        // clang-format on
    }
    void azioni() {
        QFETCH(QString, prima);
        QFETCH(QString, azioni);
        QFETCH(QString, dopo);
        QFETCH(int, conferme);
        Frm_SepElenco d;
        // From states that differ in every control, so that each must change.
        const QString spazio = prima.endsWith('s') ? "-" : "s";
        const QString opposto =
            prima.section(' ', 0, 0).replace('0', 'x').replace('1', '0').replace('x', '1');
        d.mostra(stato(opposto + (prima.section(' ', 1, 1) == "9" ? " 10 " : " 9 ") +
                       (prima.section(' ', 2, 2) == "1" ? "0 " : "1 ") +
                       (prima.section(' ', 3, 3) == "1" ? "0 " : "1 ") + spazio));
        d.mostra(stato(prima));
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QSignalSpy spia(&d, &Frm_SepElenco::confermato);
        for (const QString& azione : azioni.split(';', Qt::SkipEmptyParts)) {
            const QString come = azione.section(' ', 0, 0);
            if (come.startsWith('=')) {
                QCOMPARE(QApplication::focusWidget(), controllo(d, azione.mid(1)));
                continue;
            }
            QWidget* b =
                come == azione ? QApplication::focusWidget() : controllo(d, azione.section(' ', 1));
            b->setFocus();
            const QKeyCombination tasto = QKeySequence::fromString(come)[0];
            if (come == "clic")
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            else
                QTest::keyClick(b, tasto.key(), tasto.keyboardModifiers());
        }
        // The access key presses the button with a short animation.
        QTRY_COMPARE(spia.count(), conferme);
        QVERIFY(d.isVisible());
        QCOMPARE(campi(d), dopo);
        // A space after a line break or a tab has no say.
        QCOMPARE(d.Chk_Spazio()->isEnabled(), !QString("12").contains(dopo.section(' ', 1, 1)));
    }

    // The system's languages, best first; "+sv" builds a Swedish translation in besides English.
    void scelta_data() {
        QTest::addColumn<QString>("preferite");
        QTest::addColumn<QString>("scelta");
        const QString righe = u"it-IT it-Latn-IT it:it|it_CH:it|en-GB en:en|de-DE de:en|C:it|"
                              "POSIX:it|:it|C en:en|de it-IT:it|fr EN-US it:en|sv-SE +sv:sv|"
                              "sv-SE:en"_s;
        for (const QString& riga : righe.split(u'|'))
            QTest::newRow(qPrintable(riga)) << riga.section(u':', 0, 0) << riga.section(u':', 1);
    }
    void scelta() {
        QFETCH(QString, preferite);
        QFETCH(QString, scelta);
        QStringList lingue = preferite.split(u' ', Qt::SkipEmptyParts);
        QStringList disponibili = {u"en"_s};
        if (lingue.removeAll(u"+sv"_s))
            disponibili << u"sv"_s;
        QCOMPARE(Traduzioni::Scegli(lingue, disponibili), scelta);
    }

    // English is built in; Italian comes from Qt's files for Qt's texts. Last: English stays.
    void caricate() {
        QCOMPARE(Traduzioni::Disponibili(), QStringList{u"en"_s});
        QCOMPARE(Traduzioni::Scegli({u"de"_s}), u"en"_s);
        QTranslator programma, qt;
        QVERIFY(!Traduzioni::CaricaProgramma(programma, u"it"_s));
        QVERIFY(Traduzioni::CaricaQt(qt, u"it"_s));
        QCOMPARE(qt.translate("QPlatformTheme", "Cancel"), u"Annulla"_s);
        const char* commento = "Mette in ordine alfabetico le voci di un testo.";
        QCOMPARE(Traduzioni::TestoProgetto(commento), QString::fromUtf8(commento));
        Traduzioni::Installa(u"en"_s);
        QCOMPARE(Traduzioni::TestoProgetto(commento),
                 u"Puts the items of a text in alphabetical order."_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Codici Unicode"_s), u"Unicode code points"_s);
        QCOMPARE(Traduzioni::NomeLingua(u"Svenska"_s), u"Svenska"_s);
        QCOMPARE(QCoreApplication::translate("MainForm", "Nuovo"), u"&New"_s);
    }
};

QTEST_MAIN(TestLingue)
#include "tst_Lingue.moc"
