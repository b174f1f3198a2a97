// Both windows in each language the program speaks: every text translated and
// fitting its control, access keys that do not clash, names for assistive
// technology, and the keyboard ways into the language menu and the frames.
#include "BarraStato.h"
#include "Controlli.h"
#include "Dichiarazioni.h"
#include "FintiDialoghi.h"
#include "Frm_SepElenco.h"
#include "MainForm.h"
#include "Traduzioni.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// The texts of the translation file, as each language shows them: the
// sources in Italian, the translations in English.
struct Catalogo {
    QHash<QString, QStringList> testi;
    QHash<QString, QList<QRegularExpression>> modelli; // placeholders filled in

    Catalogo() {
        QFile file(QStringLiteral(QUORLA_TS));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("manca %s", QUORLA_TS);
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString lingua = xml.name() == u"source"        ? u"it"_s
                                   : xml.name() == u"translation" ? u"en"_s
                                                                  : QString();
            if (lingua.isEmpty())
                continue;
            const QString testo = xml.readElementText();
            testi[lingua] << testo;
            if (testo.contains(u'%')) {
                QString modello = QRegularExpression::escape(testo);
                modello.replace(QRegularExpression(u"\\\\%\\d"_s), u".*"_s);
                modelli[lingua] << QRegularExpression(u"\\A"_s + modello + u"\\z"_s);
            }
        }
    }
    bool conosce(const QString& lingua, const QString& testo) const {
        const auto& m = modelli[lingua];
        return testi[lingua].contains(testo) ||
               std::any_of(m.cbegin(), m.cend(),
                           [&testo](const auto& r) { return r.match(testo).hasMatch(); });
    }
};

// The interface in a language for as long as it lives, as the program
// installs it; the windows must be made after it.
class Lingua {
public:
    explicit Lingua(const QString& lingua) {
        if (Traduzioni::CaricaProgramma(programma_, lingua))
            QCoreApplication::installTranslator(&programma_);
        if (Traduzioni::CaricaQt(qt_, lingua))
            QCoreApplication::installTranslator(&qt_);
    }
    ~Lingua() {
        QCoreApplication::removeTranslator(&programma_);
        QCoreApplication::removeTranslator(&qt_);
    }

private:
    QTranslator programma_, qt_;
};

// Every text that a window shows or says, each with where it is.
QList<std::pair<QString, QString>> testi(QWidget* finestra) {
    QList<std::pair<QString, QString>> esito = {{u"titolo"_s, finestra->windowTitle()}};
    QList<QWidget*> widget = finestra->findChildren<QWidget*>();
    widget.prepend(finestra);
    for (QWidget* w : widget) {
        const QString dove =
            w->objectName() + u'@' + QString::fromLatin1(w->metaObject()->className());
        const auto* menu = qobject_cast<QMenu*>(w);
        QStringList propri = {w->toolTip(), w->accessibleName(), w->accessibleDescription()};
        if (const auto* b = qobject_cast<QAbstractButton*>(w))
            propri << b->text();
        if (const auto* g = qobject_cast<QGroupBox*>(w))
            propri << g->title();
        if (const auto* l = qobject_cast<QLabel*>(w))
            propri << l->text();
        for (const QString& t : std::as_const(propri))
            esito.append({dove, t});
        if (!menu && !qobject_cast<QMenuBar*>(w))
            continue;
        for (const QAction* a : w->actions()) {
            esito.append({dove + u'/' + a->objectName(), a->text()});
            if (menu && menu->toolTipsVisible())
                esito.append({dove + u'/' + a->objectName(), a->toolTip()});
        }
    }
    return esito;
}

// The access keys of a set of captions, and the shortcuts that stand for them.
QList<QKeySequence> tasti(const QStringList& didascalie, const QList<QShortcut*>& scorciatoie) {
    QList<QKeySequence> esito;
    for (const QString& d : didascalie) {
        if (!QKeySequence::mnemonic(d).isEmpty())
            esito << QKeySequence::mnemonic(d);
    }
    for (const QShortcut* s : scorciatoie)
        esito << s->key();
    return esito;
}

bool senzaDoppi(QList<QKeySequence> elenco) {
    const qsizetype prima = elenco.size();
    std::sort(elenco.begin(), elenco.end());
    return std::unique(elenco.begin(), elenco.end()) == elenco.end() && prima == elenco.size();
}

QString nome(QObject* oggetto) {
    return QAccessible::queryAccessibleInterface(oggetto)->text(QAccessible::Name);
}

} // namespace

class TestLingue : public QObject {
    Q_OBJECT
    const Catalogo catalogo;

    static void righe() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<bool>("dialogo");
        for (const char* lingua : {"it", "en"}) {
            QTest::addRow("MainForm %s", lingua) << QString::fromLatin1(lingua) << false;
            QTest::addRow("Frm_SepElenco %s", lingua) << QString::fromLatin1(lingua) << true;
        }
    }

private slots:
    // Every text in the language of the row, and every caption whole at the
    // default font and at two large ones.
    void testiTradotti_data() { righe(); }
    void testiTradotti() {
        QFETCH(QString, lingua);
        QFETCH(bool, dialogo);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        QWidget* finestra = dialogo ? static_cast<QWidget*>(f.separatori()) : &f;
        auto visti = testi(finestra);
        if (!dialogo) {
            for (const QString& riga : MainForm::testoInformazioni().split(u'\r'))
                visti.append(
                    {u"Informazioni"_s, riga.startsWith(u"Quorla! - ") ? riga.mid(10) : riga});
        }
        // Left as they are: names of languages in their own language, symbols,
        // and the separator panels, which the engine composes.
        QStringList propri = {f.STBar()->pannello(1)->text(), f.STBar()->pannello(2)->text()};
        for (const auto& l : Dichiarazioni::Lingue_Ordine()) {
            if (!catalogo.testi[u"it"_s].contains(l.nome))
                propri << l.nome;
        }
        int contati = 0;
        for (const auto& [dove, testo] : std::as_const(visti)) {
            if (testo.isEmpty() || propri.contains(testo) ||
                !testo.contains(QRegularExpression(u"\\p{L}"_s)))
                continue;
            ++contati;
            QVERIFY2(catalogo.conosce(lingua, testo), qPrintable(dove + u": "_s + testo));
        }
        QVERIFY2(contati > (dialogo ? 50 : 80), qPrintable(QString::number(contati)));

        const QFont prima = QApplication::font();
        QFont grande = prima, pixel = prima;
        grande.setPointSize(22);
        pixel.setPixelSize(30);
        for (const QFont& carattere : {prima, grande, pixel}) {
            QApplication::setFont(carattere);
            Frm_SepElenco d;
            BarraStato barra;
            QApplication::setFont(prima);
            barra.setGeometry(0, 0, 672, 17);
            for (const QAbstractButton* b : d.findChildren<QAbstractButton*>())
                QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
            for (const QGroupBox* g : d.findChildren<QGroupBox*>())
                QVERIFY2(g->minimumSizeHint().width() <= g->width(), qPrintable(g->title()));
            // The lamps as the window names them, and Caps Lock.
            barra.impostaTesto(3, f.STBar()->pannello(3)->text());
            barra.impostaTesto(4, f.STBar()->pannello(4)->text());
            const QFontMetrics m(barra.font());
            for (int n = 3; n <= 5; ++n) {
                const QLabel* p = barra.pannello(n);
                QVERIFY2(m.horizontalAdvance(p->text()) <=
                             p->contentsRect().width() - 2 * p->indent(),
                         qPrintable(p->text()));
            }
        }
    }

    // Within a menu, and within the dialog, no two captions share an access
    // key; in English every command has one.
    void tastiDiAccesso_data() { righe(); }
    void tastiDiAccesso() {
        QFETCH(QString, lingua);
        QFETCH(bool, dialogo);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        if (dialogo) {
            Frm_SepElenco* d = f.separatori();
            QStringList didascalie;
            for (const QAbstractButton* b : d->findChildren<QAbstractButton*>())
                didascalie << b->text();
            for (const QGroupBox* g : d->findChildren<QGroupBox*>())
                didascalie << g->title();
            const QList<QKeySequence> chiavi = tasti(didascalie, d->findChildren<QShortcut*>());
            QCOMPARE(chiavi.size(), 5); // four frames and OK
            QVERIFY(senzaDoppi(chiavi));
            return;
        }
        QList<QWidget*> menu = {f.menuBar()};
        for (QMenu* m : f.menuBar()->findChildren<QMenu*>())
            menu << m;
        for (QWidget* m : std::as_const(menu)) {
            QStringList didascalie;
            for (const QAction* a : m->actions()) {
                didascalie << a->text();
                const bool senza = !a->isSeparator() && QKeySequence::mnemonic(a->text()).isEmpty();
                QVERIFY2(!(senza && lingua == u"en" && m != f.menu().MenuLingua0),
                         qPrintable(a->text()));
            }
            QVERIFY2(senzaDoppi(tasti(didascalie, {})), qPrintable(m->objectName()));
        }
    }

    // Every control that takes the focus has a name; the symbols, the help
    // menu, the rulers, the slider and the lamps say what they are and hold.
    void nomiAccessibili_data() { righe(); }
    void nomiAccessibili() {
        QFETCH(QString, lingua);
        QFETCH(bool, dialogo);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        QWidget* finestra = dialogo ? static_cast<QWidget*>(f.separatori()) : &f;
        finestra->show();
        const auto controlli = finestra->findChildren<QWidget*>();
        int fermate = 0;
        for (QWidget* w : controlli) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(finestra))
                continue;
            ++fermate;
            QVERIFY2(!nome(w).trimmed().isEmpty(), qPrintable(w->metaObject()->className()));
        }
        QVERIFY(fermate >= (dialogo ? 34 : 2));
        const bool it = lingua == u"it";
        if (dialogo) {
            Frm_SepElenco* d = f.separatori();
            const QStringList simboli =
                it ? QStringList{u"minore"_s, u"maggiore"_s, u"barra"_s, u"barra rovesciata"_s,
                                 u"barra verticale"_s}
                   : QStringList{u"less-than sign"_s, u"greater-than sign"_s, u"slash"_s,
                                 u"backslash"_s, u"vertical bar"_s};
            for (int i = 9; i < Dichiarazioni::NumSeparatori; ++i) {
                QCOMPARE(nome(d->Chk_Separa(i)), simboli[i - 9]);
                QCOMPARE(nome(d->Opt_Separatore_Out(i)), simboli[i - 9]);
            }
            QCOMPARE(nome(d->Chk_Separa(3)), it ? u"Punto e virgola"_s : u"Semicolon"_s);
            QCOMPARE(QAccessible::queryAccessibleInterface(d)->role(), QAccessible::Dialog);
            return;
        }
        QAccessibleInterface* barra = QAccessible::queryAccessibleInterface(f.menuBar());
        QCOMPARE(barra->childCount(), 4);
        QAccessibleInterface* aiuto = barra->child(3);
        QCOMPARE(aiuto->text(QAccessible::Name), it ? u"Aiuto"_s : u"Help"_s);
        QCOMPARE(aiuto->role(), QAccessible::MenuItem);
        QCOMPARE(barra->indexOfChild(aiuto), 3);
        QCOMPARE(aiuto->parent()->object(), f.menuBar());
        QCOMPARE(aiuto->child(0)->object(), f.menu().MenuAbout0);
        QCOMPARE(nome(f.Txt_Orig()), it ? u"Testo in ingresso"_s : u"Input text"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(f.STBar())->role(), QAccessible::StatusBar);
        // The line length as the rulers and the slider give it, and the lamp.
        const auto descrizione = [&f] {
            return QAccessible::queryAccessibleInterface(f.Img_Righello(1))
                ->text(QAccessible::Description);
        };
        QVERIFY(!descrizione().contains(u"42"_s));
        f.impostaPosizioneSlider(42);
        f.menu().MenuACapo->trigger();
        QVERIFY2(descrizione().contains(it ? u"a capo dopo 42 caratteri"_s : u"wrap after 42"_s),
                 qPrintable(descrizione()));
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(f.Slider());
        QCOMPARE(slider->valueInterface()->currentValue().toInt(), 42);
        QCOMPARE(slider->text(QAccessible::Name),
                 it ? u"Caratteri per riga"_s : u"Characters per line"_s);
        QAccessibleInterface* spia = QAccessible::queryAccessibleInterface(f.STBar()->pannello(3));
        QCOMPARE(spia->text(QAccessible::Description), it ? u"attivo"_s : u"on"_s);
        f.menu().MenuACapo->trigger();
        QCOMPARE(spia->text(QAccessible::Description), it ? u"non attivo"_s : u"off"_s);
    }

    // Whichever control the keyboard brings the focus to shows it.
    void fuocoVisibile_data() { righe(); }
    void fuocoVisibile() {
        QFETCH(QString, lingua);
        QFETCH(bool, dialogo);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        f.show();
        f.menu().MenuACapo->trigger(); // the slider shows
        QWidget* finestra = &f;
        if (dialogo) {
            f.menu().MenuSeparatori->trigger();
            finestra = f.separatori();
        }
        QVERIFY(QTest::qWaitForWindowActive(finestra));
        if (!dialogo) {
            // Tab runs the input box, the output box and the slider, and round.
            f.Txt_Orig()->setFocus();
            for (QWidget* atteso : QList<QWidget*>{f.Txt_Ordine(), f.Slider(), f.Txt_Orig()}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), atteso);
            }
        }
        QList<QWidget*> controlli;
        for (QWidget* w : finestra->findChildren<QWidget*>()) {
            if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(finestra))
                controlli << w;
        }
        QVERIFY(controlli.size() >= (dialogo ? 34 : 3));
        for (QWidget* w : std::as_const(controlli)) {
            QWidget* altro = controlli[controlli[0] == w];
            altro->setFocus(Qt::ShortcutFocusReason);
            const QImage senza = w->grab().toImage();
            w->setFocus(Qt::ShortcutFocusReason);
            QVERIFY2(w->grab().toImage() != senza, w->metaObject()->className());
        }
    }

    // Typing the first letters of a language selects it in its menu.
    void cercaLingua_data() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QString>("battuto");
        QTest::addColumn<QString>("scelta");
        const auto riga = [](const char* lingua, const char* battuto, const char* scelta) {
            QTest::addRow("%s %s", lingua, battuto) << lingua << battuto << scelta;
        };
        riga("it", "sv", "Svenska");
        riga("it", "s", "Svenska");
        riga("it", "ss", "Suomi");
        riga("it", "sss", "Svenska"); // round again
        riga("it", "c", "Čeština");   // accents and case aside
        riga("it", "co", "Codici Unicode");
        riga("it", "DE", "Deutsch");
        riga("en", "s", "System language");
        riga("en", "sv", "Svenska");
        riga("en", "uni", "Unicode code points");
    }
    void cercaLingua() {
        QFETCH(QString, lingua);
        QFETCH(QString, battuto);
        QFETCH(QString, scelta);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QMenu* menu = f.menu().MenuLingua0;
        menu->popup(f.mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        for (const QChar c : battuto)
            QTest::keyClick(menu, c.toLatin1() ? c.toLatin1() : 'x', Qt::NoModifier);
        QAction* voce = menu->activeAction();
        QVERIFY(voce);
        QCOMPARE(voce->text(), scelta);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(Dichiarazioni::Opz_Ordine.lingua, f.menu().MenuLingua.indexOf(voce));
    }

    // Each frame of the separator dialog has its access key: the one its
    // English title marks, the initial of its subject in Italian.
    void cornici_data() {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QString>("tasto");
        QTest::addColumn<int>("cornice"); // 0 input, 1 output, 2 line end, 3 end of text
        const QStringList it = {u"Alt+I"_s, u"Alt+R"_s, u"Alt+C"_s, u"Alt+F"_s};
        const QStringList en = {u"Alt+I"_s, u"Alt+S"_s, u"Alt+L"_s, u"Alt+E"_s};
        for (int i = 0; i < 4; ++i) {
            QTest::addRow("it %s", qPrintable(it[i])) << u"it"_s << it[i] << i;
            QTest::addRow("en %s", qPrintable(en[i])) << u"en"_s << en[i] << i;
        }
    }
    void cornici() {
        QFETCH(QString, lingua);
        QFETCH(QString, tasto);
        QFETCH(int, cornice);
        const Lingua attiva(lingua);
        MainForm f(std::make_unique<FintiDialoghi>());
        Frm_SepElenco* d = f.separatori();
        // The frame's selected option, or its first control.
        QWidget* attesi[] = {d->Chk_Separa(0), d->Opt_Separatore_Out(3), d->Opt_Capo(0),
                             d->Opt_Ultimo(0)};
        f.show();
        f.menu().MenuSeparatori->trigger();
        QVERIFY(QTest::qWaitForWindowActive(d));
        d->Cmd_OK()->setFocus();
        const QKeyCombination k = QKeySequence::fromString(tasto)[0];
        QTest::keyClick(d->Cmd_OK(), k.key(), k.keyboardModifiers());
        QCOMPARE(QApplication::focusWidget(), attesi[cornice]);
        // Back in a frame, the control last left.
        d->Opt_Capo(1)->setFocus();
        d->Cmd_OK()->setFocus();
        QTest::keyClick(d->Cmd_OK(), k.key(), k.keyboardModifiers());
        QCOMPARE(QApplication::focusWidget(), cornice == 2 ? d->Opt_Capo(1) : attesi[cornice]);
    }
};

QTEST_MAIN(TestLingue)
#include "tst_Lingue.moc"
