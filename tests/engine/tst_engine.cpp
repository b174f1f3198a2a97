#include "Chiavi.h"
#include "Motore.h"
#include "Riferimento.h"

#include <QtTest>
#include <map>
#include <random>
#include <thread>

using namespace Motore;
using namespace Qt::StringLiterals;

namespace {

// Separator choices: capo, ultimo "come "Testo riordinato""; n > 0 turns the reflow on.
struct Uscite {
    QList<int> attivi{0, 3};
    int uscita = 3;
    bool spazio = false, capo = false, ultimo = false;
    int n = 0;
};

Opzioni opzioni(const Uscite& u, const OpzioniOrdine& ordine = {}) {
    Opzioni o;
    o.ingresso.fill(false);
    for (int i : u.attivi)
        o.ingresso[std::size_t(i)] = true;
    o.uscita = u.uscita;
    o.spazioDopo = u.spazio;
    o.capo = u.capo ? Fine::ComeUscita : Fine::Nessuno;
    o.ultimo = u.ultimo ? Fine::ComeUscita : Fine::Nessuno;
    if (u.n > 0)
        o.larghezza = u.n;
    o.ordine = ordine;
    return o;
}

int lingua(const QString& nome) {
    const auto& l = lingueOrdine();
    const auto i = std::find_if(l.begin(), l.end(), [&](auto& x) { return nome == x.nome; });
    return i == l.end() ? (qFatal("no language %s", qPrintable(nome)), 0) : int(i - l.begin());
}

std::pair<QString, Risultato> esegui(const QString& ingresso, const Opzioni& o) {
    UscitaTesto uscita;
    const Risultato r = ordina(ingresso, o, uscita);
    return {uscita.testo, r};
}

// A run, checked to give the same with bare line feeds for CR LF.
std::pair<QString, Risultato> eseguiAncheLf(const QString& ingresso, const Opzioni& o) {
    auto esito = esegui(ingresso, o);
    const QString lf = QString(ingresso).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (o.perRighe() && !lf.contains(u'\r') && lf.count(u'\n') == ingresso.count(u'\r')) {
        Opzioni conLf = o;
        conLf.righeLf = true;
        const auto [testo, r] = esegui(lf, conLf);
        [&] {
            QCOMPARE(testo + QString::number(int(r.riflusso)),
                     esito.first + QString::number(int(esito.second.riflusso)));
        }();
    }
    return esito;
}

// The engine against the reference on one case, in the default order.
void confronta(const QString& ingresso, const Opzioni& o) {
    const auto [uscita, r] = eseguiAncheLf(ingresso, o);
    const Riferimento::Esito atteso = Riferimento::elabora(ingresso, o);
    QCOMPARE(uscita, atteso.uscita);
    QCOMPARE(r.vuoto, atteso.vuoto);
    QCOMPARE(r.formattato(), atteso.formattato);
    QCOMPARE(qsizetype(r.voci), atteso.voci);
}

// The items cut at ";" alone, in the given order.
QString ordinaVoci(const QString& ingresso, const OpzioniOrdine& o, Risultato* r = nullptr) {
    const auto [uscita, risultato] = esegui(ingresso, opzioni({.attivi = {3}}, o));
    if (r)
        *r = risultato;
    return uscita;
}

const LettoreValori& lettore(const QByteArray& locale) {
    static std::map<QByteArray, LettoreValori> lettori;
    return lettori.try_emplace(locale, locale).first->second;
}

// The encoding, or nothing without a value; checks what every encoding promises.
std::optional<std::string> codifica(const QByteArray& locale, TipoChiave tipo, const QString& s) {
    std::string out = "x";
    if (!lettore(locale).codifica(tipo, s, out)) {
        if (out != "x")
            qFatal("out changed without a value for \"%s\"", qPrintable(s));
        return std::nullopt;
    }
    if (out.find_first_of(std::string("\0\xFF", 2)) != std::string::npos)
        qFatal("byte 00 or FF in the encoding of \"%s\"", qPrintable(s));
    return out.substr(1);
}

int confronto(const std::string& a, const std::string& b) { // as bytes, unsigned
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

// The encodings compare as expected, also with a further key after each and flipped.
void verificaOrdine(const std::string& a, const std::string& b, int atteso) {
    QCOMPARE(confronto(a, b), atteso);
    QCOMPARE(confronto(a + "\x02", b + "\x01"), atteso ? atteso : 1);
    auto inverti = [](std::string x) {
        for (char& c : x)
            c = char(0xFF - static_cast<unsigned char>(c));
        return x;
    };
    QCOMPARE(confronto(inverti(a), inverti(b)), -atteso);
}

// The exact order of two decimals, written as integers over the same power of ten.
struct Scritto {
    bool negativo;
    QString intera, decimali;
    int esponente;
};

int oracolo(const Scritto& a, const Scritto& b) {
    auto scala = [](const Scritto& x) { return qsizetype(x.decimali.size()) - x.esponente; };
    const qsizetype s = std::max(scala(a), scala(b));
    auto intero = [&](const Scritto& x) {
        QString n = x.intera + x.decimali + QString(s - scala(x), u'0');
        while (n.startsWith(u'0'))
            n.remove(0, 1);
        return n;
    };
    const QString na = intero(a), nb = intero(b);
    const int sa = na.isEmpty() ? 0 : a.negativo ? -1 : 1;
    const int sb = nb.isEmpty() ? 0 : b.negativo ? -1 : 1;
    if (sa != sb || sa == 0)
        return sa < sb ? -1 : sa > sb;
    const auto la = na.size(), lb = nb.size();
    return sa * (la != lb ? (la < lb ? -1 : 1) : na.compare(nb) < 0 ? -1 : na != nb);
}

QString scrivi(const Scritto& x, QChar gruppi, QChar decimale) {
    QString intera = x.intera.isEmpty() ? QStringLiteral("0") : x.intera;
    for (qsizetype i = intera.size() - 3; i > 0 && !gruppi.isNull(); i -= 3)
        intera.insert(i, gruppi);
    QString t = (x.negativo ? QStringLiteral("-") : QString()) + intera;
    if (!x.decimali.isEmpty())
        t += decimale + x.decimali;
    if (x.esponente)
        t += QStringLiteral("e%1").arg(x.esponente);
    return t;
}

// Every two encodings compare as the values they were made from.
template <typename T> void verificaCoppie(const std::vector<std::pair<std::string, T>>& letti) {
    for (const auto& [ca, va] : letti)
        for (const auto& [cb, vb] : letti)
            QCOMPARE(confronto(ca, cb), va < vb ? -1 : va > vb);
}

} // namespace

Q_DECLARE_METATYPE(Motore::Chiave)
Q_DECLARE_METATYPE(Uscite)
Q_DECLARE_METATYPE(OpzioniOrdine)
Q_DECLARE_METATYPE(Riflusso)

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void casi_data() {
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<Uscite>("u");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<Riflusso>("riflusso");
        auto riga = [](const char* nome, const QString& in, const Uscite& u, const QString& atteso,
                       Riflusso riflusso = Riflusso::Riuscito) {
            QTest::newRow(nome) << in << u << atteso << riflusso;
        };
        const QString abc = QStringLiteral("c b a"), gba = QStringLiteral("gamma beta alfa");
        auto vs = [](int n, bool capo = false, bool ultimo = false) { // ", " between items
            return Uscite{.uscita = 5, .spazio = true, .capo = capo, .ultimo = ultimo, .n = n};
        };
        using enum Riflusso;
        // Output ";" without the space is the reference's, which casuali() runs at large.
        riga("tipico", "pera mela; banana  kiwi", {}, "banana;kiwi;mela;pera");
        riga("Invio, a capo, come", abc, {.uscita = 1, .capo = true, .n = 5}, "a\r\nb\r\nc");
        riga("Invio, troppo lunga", "gamma beta", {.uscita = 1, .ultimo = true, .n = 4},
             "beta\r\ngamma\r\n", VoceTroppoLunga);
        riga("Invio, righe vuote", "\r\n\r\n\r\nb a", {.attivi = {0}, .uscita = 1, .n = 5},
             "\r\nb\r\na");
        riga("Invio, voci che toccano un LF", "x\r \ny x\r \ny x\r \ny",
             {.attivi = {0}, .uscita = 1}, "\ny\r\n\ny\r\n\ny\r\nx\r\r\nx\r\r\nx\r");
        riga("Invio in e out", "b\r\n\r\na\r\n", {.attivi = {1}, .uscita = 1}, "a\r\nb");
        riga("Tab", abc, {.uscita = 2, .spazio = true}, "a\tb\tc");
        riga("Tab, a capo, come", abc, {.uscita = 2, .capo = true, .ultimo = true, .n = 3},
             "a\tb\t\r\nc\t");
        // The window of 11 ends on the separator; of 10, just before it.
        riga("virgola e spazio, a capo 11", gba, vs(11), "alfa, beta \r\ngamma");
        riga("virgola e spazio, a capo 10, come", gba, vs(10, true), "alfa, beta,\r\ngamma");
        riga("virgola e spazio, a capo 6", gba, vs(6, false, true), "alfa \r\nbeta \r\ngamma,");
        riga("virgola e spazio, troppo lunga", gba, vs(4), "alfa, beta, gamma",
             TrattoSenzaSeparatore);
        riga("Invio, solo la voce vuota", ";", {.attivi = {3}, .uscita = 1, .n = 5}, "", Vuoto);
        riga("solo la voce vuota", ";", {.attivi = {3}, .n = 5}, "", Vuoto);
        riga("spazio, voce che finisce col separatore", "y x,", vs(0), "x, y");
        riga("spazio, voce che comincia col separatore", "b ,a", vs(0), "a, b");
        riga("spazio, separatore dentro una voce", "b a,,z", vs(0), "a,z, b");
    }

    // Each row also against the reference where it covers the options.
    void casi() {
        QFETCH(QString, ingresso);
        QFETCH(Uscite, u);
        QFETCH(QString, atteso);
        QFETCH(Riflusso, riflusso);
        const Opzioni o = opzioni(u);
        const auto [uscita, r] = eseguiAncheLf(ingresso, o);
        QCOMPARE(uscita, atteso);
        QCOMPARE(r.riflusso, riflusso);
        if (!u.spazio && u.uscita > 2) {
            Opzioni conA = o;
            conA.larghezza = std::max(u.n, 1);
            confronta(ingresso, conA);
        }
    }
    void ordine_data() {
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<OpzioniOrdine>("o");
        QTest::addColumn<QString>("atteso");
        auto riga = [](const char* nome, const QString& in, const OpzioniOrdine& o,
                       const QString& atteso) { QTest::newRow(nome) << in << o << atteso; };
        using enum Maiuscole;
        using enum Doppioni;
        QStringList mille; // more distinct texts than a short text is first sized for, each twice
        for (int i = 1000; i > 0; --i)
            mille.prepend(QString::number(i));
        riga("molte voci, poco testo",
             QStringList(mille.crbegin(), mille.crend()).join(u';') + u';' + mille.join(u';'),
             {.numeriNaturali = true, .doppioni = Elimina}, mille.join(u';'));
        riga("doppioni in codici Unicode", "Città;citta;b",
             {.doppioni = Elimina, .simili = true, .lingua = linguaCodiciUnicode()}, "Città;b");
        // Beyond U+FFFF after all below; a lone surrogate below U+E000; NUL below all.
        const QString solo(QChar(0xd800)), nul(QChar(0));
        riga("codici Unicode", "b;é;B;a;Z;😀;ﬁ;\uE001;\uE000;ä;" + solo + ";x" + nul + ";x",
             {.lingua = linguaCodiciUnicode()},
             "B;Z;a;b;x;x" + nul + ";ä;é;" + solo + ";\uE000;\uE001;ﬁ;😀");
        // The same where the sort's first bytes end: a pair of surrogates across the twentieth
        // character, and texts equal beyond it.
        const QString a19(19, u'a');
        riga("codici Unicode oltre il prefisso",
             a19 + "😀b;" + a19 + "\uE000;" + a19 + "😀a;" + a19 + solo + "x;" + a19 + "b" + a19 +
                 "c;" + a19 + "b" + a19 + "b",
             {.lingua = linguaCodiciUnicode()},
             a19 + "b" + a19 + "b;" + a19 + "b" + a19 + "c;" + a19 + solo + "x;" + a19 + "\uE000;" +
                 a19 + "😀a;" + a19 + "😀b");
        // "options:items:order". Options: n natural numbers, M capitals first, m
        // small letters first, p punctuation and a articles ignored, e duplicates
        // removed, s alike ones too; then "@" and the language. "xgrmz" and
        // "xemom" share a 32-bit hash; Danish puts capitals first by itself.
        const QString righe = QStringLiteral(
            ":pera;Mela;banana;mela:banana;mela;Mela;pera\n:xgrmz;xemom;xemom:xemom;xemom;xgrmz\n"
            ":img10;img2;capitolo 12;img1;capitolo 3;9;10:10;9;capitolo 12;capitolo "
            "3;img1;img10;img2\n"
            "n:img10;img2;capitolo 12;img1;capitolo 3;9;10:9;10;capitolo 3;capitolo "
            "12;img1;img2;img10\n"
            "M:roma;Rovigo;Roma;rana:rana;Roma;roma;Rovigo\n"
            "m@Dansk:roma;Rovigo;Roma;rana:rana;roma;Roma;Rovigo\n"
            ":delo;dellorto;dell'orto;della;dell orto:dell orto;dell'orto;della;dellorto;delo\n"
            "p:delo;dellorto;dell'orto;della;dell orto:della;dell orto;dell'orto;dellorto;delo\n"
            "a:Il Gattopardo;L'Aquila;la Zattera;Bari;un'Ancora;The Wall;Le Mans;L’Orto:"
            "un'Ancora;L'Aquila;Bari;Il Gattopardo;Le Mans;L’Orto;The Wall;la Zattera\n"
            "a:Ilaria;Il Gattopardo;Il;Lo:Il Gattopardo;Il;Ilaria;Lo\n"
            "a:Der Hund;die Katze;Das Auto;Bär;Ein Esel:Bär;Das Auto;Der Hund;die Katze;Ein Esel\n"
            "e:b;a;b;A;a:a;A;b\nes:Citta;casa;città;CITTÀ;cittadino:casa;Citta;cittadino\n"
            "paes:Il Gatto;gatto;L'Orto;orto;o-r-t-o;zeta:Il Gatto;L'Orto;zeta\n"
            "@Deutsch:Müller;Mukl;Mueller;Muffe:Mueller;Muffe;Mukl;Müller\n"
            "@Deutsch (elenco telefonico):Müller;Mukl;Mueller;Muffe:Mueller;Müller;Muffe;Mukl\n"
            "@Español:chico;czar;cuna;dama:chico;cuna;czar;dama\n"
            "@Español (tradizionale):chico;czar;cuna;dama:cuna;czar;chico;dama\n"
            "@Čeština:hrad;chata;cesta:cesta;hrad;chata\n@Polski:ąb;az:az;ąb\n@Türkçe:ib;ıa:ıa;ib\n"
            "@Suomi:zz;äa:zz;äa\n@Svenska:öl;zebra;ost:ost;zebra;öl\n"
            "@Dansk:aarhus;zebra;abe:abe;zebra;aarhus\n"
            "nMpa@Deutsch:die Bahn 10;Die Bahn 9;der apfel;Der Apfel;ein-Zug:"
            "Der Apfel;der apfel;Die Bahn 9;die Bahn 10;ein-Zug");
        for (const QString& r : righe.split(u'\n')) {
            const QString f = r.section(u':', 0, 0).section(u'@', 0, 0);
            const QString nome = r.section(u':', 0, 0).section(u'@', 1);
            riga(qPrintable(r.left(40)), r.section(u':', 1, 1),
                 {.numeriNaturali = f.contains(u'n'),
                  .maiuscole = f.contains(u'M')   ? MaiuscolePrima
                               : f.contains(u'm') ? MinuscolePrima
                                                  : ComeLingua,
                  .ignoraPunteggiatura = f.contains(u'p'),
                  .ignoraArticoli = f.contains(u'a'),
                  .doppioni = f.contains(u'e') ? Elimina : Tutti,
                  .simili = f.contains(u's'),
                  .lingua = nome.isEmpty() ? LinguaSistema : lingua(nome)},
                 r.section(u':', 2));
        }
    }

    // Every row, then descending: the exact reverse, as no row has items that collate equal.
    void ordine() {
        QFETCH(QString, ingresso);
        QFETCH(OpzioniOrdine, o);
        QFETCH(QString, atteso);
        for (const Verso verso : {Verso::Crescente, Verso::Decrescente}) {
            o.verso = verso;
            QCOMPARE(ordinaVoci(ingresso, o), atteso);
            QStringList voci = atteso.split(u';');
            std::reverse(voci.begin(), voci.end());
            atteso = voci.join(u';');
        }
    }

    // Keys: items without a value last, in input order; ties to the whole item, then input order.
    void chiavi_data() {
        QTest::addColumn<QString>("ingresso");
        QTest::addColumn<OpzioniOrdine>("o");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("senzaValore");
        using enum ParteChiave;
        using enum TipoChiave;
        auto k = [](int campo, TipoChiave tipo = Testo, bool giu = false, QChar sep = u' ',
                    ParteChiave parte = Campo,
                    const QString& re = {}) { return Chiave{parte, campo, sep, re, tipo, giu}; };
        auto riga = [](const char* nome, const QString& in, const OpzioniOrdine& o, const char* out,
                       int senza = 0) {
            QTest::newRow(nome) << in << o << QString::fromUtf8(out) << senza;
        };
        const QString numeri = QStringLiteral("r;1.234,5|b;2,5|v;2,25|n;-5|g;-10|x;nulla|y");
        riga("numero italiano", numeri, {.chiavi = {k(2, Numero, false, u';')}},
             "g;-10|n;-5|v;2,25|b;2,5|r;1.234,5|x;nulla|y", 2);
        riga("numero decrescente, mancanti in fondo", numeri,
             {.chiavi = {k(2, Numero, true, u';')}}, "r;1.234,5|b;2,5|v;2,25|n;-5|g;-10|x;nulla|y",
             2);
        riga("decrescente del menu: solo lo spareggio", "b 1|a 1|c 0",
             {.verso = Verso::Decrescente, .chiavi = {k(2, Numero)}}, "c 0|b 1|a 1");
        riga("ultimo campo", "x c|y a b|z", {.chiavi = {k(-1)}}, "y a b|x c|z");
        riga("mese in tedesco", "März|Januar|Dez.|feb",
             {.lingua = lingua("Deutsch"), .chiavi = {k(1, Mese, false, u' ', VoceIntera)}},
             "Januar|feb|März|Dez.");
        riga("lunghezza", "abc|e\u0301|xy|b", {.chiavi = {k(1, Testo, false, u' ', Lunghezza)}},
             "b|e\u0301|xy|abc");
        riga("espressione, gruppo", "a ID 10|b ID 9|c",
             {.chiavi = {k(1, Numero, false, u' ', Espressione, "ID ([0-9]+)")}},
             "b ID 9|a ID 10|c", 1);
        riga("tre chiavi", "a 2 x|b 1 y|c 2 y|d 1 y|e 2 x",
             {.chiavi = {k(2, Numero, true), k(3), k(1, Testo, true)}},
             "e 2 x|a 2 x|c 2 y|d 1 y|b 1 y");
        riga("seconda chiave mancante", "a 1 z|b 1|c 1 y|d 0", {.chiavi = {k(2, Numero), k(3)}},
             "d 0|c 1 y|a 1 z|b 1", 2);
        riga("separatore in fondo: la voce vuota non manca di nulla", "b 2|a 1|",
             {.chiavi = {k(2, Numero)}}, "a 1|b 2");
        riga("con i doppioni", "b 1|a 2|b 1|c 1",
             {.doppioni = Doppioni::Conta, .chiavi = {k(2, Numero)}}, "b 1 (2)|c 1 (1)|a 2 (1)");
    }
    void chiavi() {
        QFETCH(QString, ingresso);
        QFETCH(OpzioniOrdine, o);
        QFETCH(QString, atteso);
        QFETCH(int, senzaValore);
        UscitaTesto uscita;
        const Risultato r = ordina(ingresso, opzioni({.attivi = {13}, .uscita = 13}, o), uscita);
        QCOMPARE(uscita.testo, atteso);
        QCOMPARE(int(r.senzaValore), senzaValore);
        // Shuffled, the keys have no say.
        o.verso = Verso::Mescola;
        o.seme = 5;
        OpzioniOrdine senza = o;
        senza.chiavi.clear();
        QCOMPARE(ordinaVoci(ingresso, o), ordinaVoci(ingresso, senza));
    }
    void articoli_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("articoli");
        const QString comuni = QStringLiteral("il lo la i gli le l' un uno una un' the a an ");
        // Each language and its own articles.
        const QString lingue = QStringLiteral(
            "Italiano:|Deutsch:der die das ein eine|Deutsch (elenco telefonico):der die das|"
            "Español:el los las|Español (tradizionale):el los las|Français:les une|"
            "Português:o os as um uma|Nederlands:de het een 't|Svenska:en ett|Dansk:en et|"
            "Norsk:en ei et|Magyar:az egy|Română:o|Ελληνικά:ο η το οι τα ένας μια ένα");
        for (const QString& r : lingue.split(u'|'))
            QTest::newRow(qPrintable(r.section(u':', 0, 0)))
                << r.section(u':', 0, 0) << comuni + r.section(u':', 1);
    }

    // Each article, in capitals or not, before "z" and a letter: the words alone decide.
    void articoli() {
        QFETCH(QString, nome);
        QFETCH(QString, articoli);
        QStringList voci{QStringLiteral("y")};
        for (const QString& a : articoli.split(u' ', Qt::SkipEmptyParts)) {
            const QString articolo = voci.size() % 2 ? a.toUpper() : a;
            voci << articolo + (a.endsWith(u'\'') ? "z" : " z") +
                        QChar(char16_t(u'a' + voci.size()));
        }
        voci << QStringLiteral("zz");
        const QString ingresso = QStringList(voci.crbegin(), voci.crend()).join(u';');
        QCOMPARE(ordinaVoci(ingresso, {.ignoraArticoli = true, .lingua = lingua(nome)}),
                 voci.join(u';'));
    }
    void mescola() {
        QStringList voci;
        for (int i = 0; i < 40; ++i)
            voci << QStringLiteral("v%1").arg(i);
        const QString ingresso = voci.join(u';') + QStringLiteral(";v3;v7;");
        auto ordinate = [&](const OpzioniOrdine& o) {
            QStringList l = ordinaVoci(ingresso, o).split(u';');
            std::sort(l.begin(), l.end());
            return l;
        };
        // The seed decides, whatever the direction; the empty item leaves no trace.
        Risultato r;
        const QString prima = ordinaVoci(ingresso, {.verso = Verso::Mescola, .seme = 11}, &r);
        QCOMPARE(r.voci, std::size_t(43));
        QVERIFY(!prima.startsWith(u';') && !prima.endsWith(u';'));
        QVERIFY(ordinaVoci(ingresso, {.verso = Verso::Mescola, .seme = 12}) != prima &&
                ordinaVoci(ingresso, {.verso = Verso::Mescola}) !=
                    ordinaVoci(ingresso, {.verso = Verso::Mescola}));
        QVERIFY(
            !ordinaVoci(voci.join(u';'), {.verso = Verso::Mescola, .seme = 11}).startsWith(u"v0;"));
        QCOMPARE(ordinate({.verso = Verso::Mescola, .seme = 11}), ordinate({}));
        QCOMPARE(ordinate({.verso = Verso::Mescola, .doppioni = Doppioni::Elimina, .seme = 11}),
                 ordinate({.doppioni = Doppioni::Elimina}));
    }
    void grandePerNumero_data() {
        QTest::addColumn<bool>("giu");
        QTest::newRow("crescente") << false;
        QTest::newRow("decrescente") << true;
    }
    // Enough items with a key for its keys to be made and sorted on every core, each a different
    // text, a tenth without a value, against a plain sort of the values.
    void grandePerNumero() {
        QFETCH(bool, giu);
        std::vector<std::pair<long, QString>> conValore;
        QStringList senza, voci;
        for (long i = 0; i < 150000; ++i) {
            const long v = (i * 7919) % 1000003 - 500000; // each value once
            const bool manca = i % 10 == 3;
            const QString voce = u"n%1;%2"_s.arg(i).arg(manca ? u"x"_s : QString::number(v));
            voci << voce;
            if (manca)
                senza << voce;
            else
                conValore.emplace_back(giu ? -v : v, voce);
        }
        std::sort(conValore.begin(), conValore.end());
        QStringList attese;
        for (const auto& [v, voce] : conValore)
            attese << voce;
        const OpzioniOrdine o{
            .chiavi = {Chiave{ParteChiave::Campo, 2, u';', {}, TipoChiave::Numero, giu}}};
        UscitaTesto uscita;
        const Risultato r =
            ordina(voci.join(u'|'), opzioni({.attivi = {13}, .uscita = 13}, o), uscita);
        QCOMPARE(uscita.testo, (attese + senza).join(u'|'));
        QCOMPARE(qsizetype(r.senzaValore), senza.size());
    }
    void grandeComeCollatore_data() {
        QTest::addColumn<int>("caso");
        QTest::newRow("lingua del sistema") << 0;
        QTest::newRow("tutte diverse, decrescente") << 1;
        QTest::newRow("codici Unicode, decrescente") << 2;
    }
    // Enough items to sort on every core, with ties, empty items and beginnings shared past the
    // prefix compared first, against a plain stable sort.
    void grandeComeCollatore() {
        QFETCH(int, caso);
        const bool codici = caso == 2, distinte = caso == 1, decrescente = caso > 0;
        const QStringList radici =
            QStringLiteral(",precipitevolissimevolmente,Precipitevolissimevolmente,"
                           "precipitévolissimevolmente,a,ä,z")
                .split(u',');
        const QStringList lettere =
            QStringLiteral("a A b B c à è é ì ò ù z Z \u00ad - ' 😀 \uff21 _").split(u' ') << " ";
        std::mt19937 g(7);
        QStringList voci;
        for (int i = 0; i < 140000; ++i) {
            QString v = radici[g() % radici.size()];
            for (int k = int(2 + g() % 8); k > 0; --k)
                v += lettere[g() % lettere.size()];
            if (!v.trimmed().isEmpty())
                voci << v.trimmed();
        }
        if (distinte)
            voci.removeDuplicates();
        const OpzioniOrdine o{.verso = decrescente ? Verso::Decrescente : Verso::Crescente,
                              .lingua = codici ? linguaCodiciUnicode() : LinguaSistema};
        // Lines of 1, too short for any item: the whole text as it is, with the warning.
        const QString ingresso = voci.join(u';') + u';'; // and one empty item, at the end
        UscitaTesto uscita;
        const Risultato r = ordina(ingresso, opzioni({.attivi = {3}, .n = codici}, o), uscita);

        // Keys made once: comparing through the collator each time is slow.
        const QCollator collatore;
        std::vector<std::tuple<QCollatorSortKey, QList<uint>, QString>> chiavi;
        for (const QString& v : voci)
            chiavi.emplace_back(collatore.sortKey(v), v.toUcs4(), v);
        std::stable_sort(chiavi.begin(), chiavi.end(), [&](const auto& a, const auto& b) {
            const auto& [ca, ua, va] = decrescente ? b : a;
            const auto& [cb, ub, vb] = decrescente ? a : b;
            return codici ? ua < ub : ca.compare(cb) < 0;
        });
        QStringList attese;
        for (const auto& c : chiavi)
            attese << std::get<2>(c);
        // The empty item, first or last, leaves no trace in the output.
        QCOMPARE(uscita.testo, attese.join(u';'));
        QCOMPARE(qsizetype(r.voci), attese.size() + 1);
        QCOMPARE(r.formattato(), !codici);
    }

    // The system's language orders by default; the C locale, which has no alphabet, gets Italian.
    void linguaDelSistema() {
        for (const auto& [sistema, atteso] :
             {std::pair{QLocale::c(), "a;b;B;e;é;ö;z"},
              std::pair{QLocale(QLocale::Swedish), "a;b;B;e;é;z;ö"}}) {
            QLocale::setDefault(sistema);
            const QString ordinate = ordinaVoci(QStringLiteral("z;b;é;ö;B;a;e"), {});
            QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
            QCOMPARE(ordinate, QString::fromUtf8(atteso));
        }
    }

    // Two runs at once with different options: neither may see the other's.
    void dueFili() {
        QStringList voci;
        for (int i = 0; i < 30000; ++i)
            voci << QStringLiteral("voce%1 Voce%2").arg(i * 7919 % 30011).arg(i % 13);
        const QString ingresso = voci.join(u' ');
        const Opzioni a = opzioni({.attivi = {0}, .uscita = 5, .spazio = true, .n = 40},
                                  {.numeriNaturali = true});
        const Opzioni b = opzioni({.attivi = {3}, .uscita = 1},
                                  {.verso = Verso::Decrescente, .lingua = lingua("Svenska")});
        const QString soloA = esegui(ingresso, a).first, soloB = esegui(ingresso, b).first;
        QVERIFY(soloA != soloB);
        QString insiemeA, insiemeB;
        std::thread filo([&] { insiemeA = esegui(ingresso, a).first; });
        insiemeB = esegui(ingresso, b).first;
        filo.join();
        QCOMPARE(insiemeA, soloA);
        QCOMPARE(insiemeB, soloB);
    }

    // Random texts and separators, the engine against the reference. Words repeat, differ by
    // case or accent, or collate equal; separators come alone, doubled, unused, as line breaks.
    void casuali() {
        const QStringList parole =
            QStringLiteral("pera Pera PERA mela àncora ancora Àncora è e E é É "
                           "città citta 10 2 01 x10 x2 a b B alfa beta pe\u00adra"
                           " me\u200bla \u0002kiwi supercalifragilistichespiralidoso")
                .split(u' ');
        QList<QString> segni{
            "\r\n", "\n", "\x01", "  ", "\t\t", "\u00ad", QStringLiteral("ki") + QChar(0)};
        for (const QChar c : Riferimento::Caratteri)
            segni << c << QString(c) + c;
        const unsigned seme = qEnvironmentVariableIntValue("QUORLA_DIFF_SEED");
        for (unsigned caso = seme; caso < seme + 3000; ++caso) {
            std::mt19937 g(caso); // a failing case reruns alone from its number
            auto tra = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
            auto unoDi = [&](const auto& l) { return l[qsizetype(g() % l.size())]; };
            Uscite u{.attivi = {},
                     .uscita = unoDi(QList<int>{0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}),
                     .capo = tra(0, 1) == 1,
                     .ultimo = tra(0, 1) == 1};
            const int quota = tra(0, 99);
            for (int i = 0; i < NumSeparatori; ++i)
                if (tra(0, 99) < quota)
                    u.attivi << i;
            if (tra(0, 3) != 0)
                u.n = tra(0, 2) ? tra(1, 40) : tra(1, 8);
            Opzioni o = opzioni(u);
            if (tra(0, 9) == 0)
                o = Opzioni{};
            QString testo;
            for (int k = tra(0, 9) == 0 ? tra(30, 120) : tra(0, 25); k > 0; --k)
                testo += tra(0, 1) ? unoDi(parole) : unoDi(segni);
            confronta(testo, o);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(
                    QStringLiteral("case %1: rerun with QUORLA_DIFF_SEED=%1").arg(caso)));
        }
        // Long enough to be cut and hashed on every core, the cuts among line breaks, runs of
        // separators and spaces.
        std::mt19937 g(seme);
        QString lungo;
        while (lungo.size() < 700000)
            lungo += g() % 3 ? parole[qsizetype(g() % parole.size())]
                             : segni[qsizetype(g() % segni.size())];
        confronta(lungo, opzioni({.attivi = {0, 1, 3}}));
    }

    // Sort keys: the parts of an item and the typed values read from them.
    // The part a key takes from an item (null: none) and the stretch it covers, quotes and all.
    void parte_data() {
        QTest::addColumn<Chiave>("k");
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<QString>("segnato");
        auto riga = [](Chiave k, const QString& voce, const QString& atteso,
                       const QString& segnato = {}) {
            QTest::addRow("%s %d %s", qPrintable(voce), k.campo, qPrintable(k.espressione))
                << k << voce << atteso << (segnato.isNull() ? atteso : segnato);
        };
        // Rows "item=part" of one key, "!" for no part.
        auto righe = [&](Chiave k, const QString& testo) {
            for (const QString& r : testo.split(u'|'))
                riga(k, r.section(u'=', 0, 0), r.endsWith(u'!') ? QString() : r.section(u'=', 1));
        };
        auto chiave = [](ParteChiave parte, int n = 1, QChar sep = u' ', const char* e = "") {
            return Chiave{parte, n, sep, e, TipoChiave::Testo, false};
        };
        auto campo = [&](int n, char16_t sep = u' ') { return chiave(ParteChiave::Campo, n, sep); };
        auto re = [&](const char* e) { return chiave(ParteChiave::Espressione, 1, u' ', e); };
        // A run of spaces is one separator; quotes hold other separators.
        righe(campo(2), u"  alfa   beta gamma =beta"_s);
        righe(campo(-1), u"alfa beta gamma  =gamma"_s);
        righe(campo(-3), u"alfa beta gamma=alfa|alfa beta=!"_s);
        righe(campo(3), u"alfa beta=!"_s);
        righe(campo(0), u"alfa beta=!"_s);
        righe(campo(1), u"   =!|a\tb c=a\tb"_s);
        riga(campo(2, u','), "Rossi , Mario", "Mario");
        riga(campo(2, u','), "a,,c", "");
        riga(campo(-1, u','), "a,b,", "");
        riga(campo(2, u','), R"(1,"Rossi, Mario",x)", "Rossi, Mario", R"("Rossi, Mario")");
        riga(campo(-2, u';'), "a;\"dice \"\"ciao\"\"\";b", "dice \"ciao\"",
             "\"dice \"\"ciao\"\"\"");
        riga(campo(3, u','), R"(a, "b;c" ,d)", "d");
        riga(campo(2, u'\t'), "a\t\"x\ty\"\tz", "x\ty", "\"x\ty\"");
        riga(campo(2, u','), "a,\"b,c", "b,c", "\"b,c");
        riga(campo(1, u','), R"("ab"c,d)", "abc", R"("ab"c)");
        riga(campo(3, u'|'), R"(a|"b|c"|d)", "c\"");
        const QString particelle = u"de di da del della dello dei degli delle dal dalla d' d’ la "
                                   "lo le li van von du des dos das do Rossi"_s;
        righe(chiave(ParteChiave::Cognome),
              "x " + particelle + '=' + particelle +
                  u"|Mario De Luca=De Luca|  Rossi, Mario =Rossi|Gabriele d'Annunzio=d'Annunzio|"
                  "Gabriele D’ Annunzio=D’ Annunzio|Rembrandt VAN DEN Berg=VAN DEN Berg|Hans "
                  "Den=Den|Leonardo da  Vinci =da  Vinci|Da Ponte=Da Ponte|, Mario=Mario|  =!"_s);
        riga(re(R"(n\. (\d+))"), "art. n. 42 bis", "42");
        riga(re(R"(\d+-\d+)"), "da 10-20 a", "10-20");
        riga(re("(x)?y"), "ay", nullptr);
        riga(re(R"(\d)"), "abc", nullptr);
        riga(re("(a"), "a", nullptr);
        riga(re(""), "abc", "");
        riga(chiave(ParteChiave::Lunghezza), "a\U0001F600b", "a\U0001F600b");
    }
    void parte() {
        QFETCH(Chiave, k);
        QFETCH(QString, voce);
        QFETCH(QString, atteso);
        QFETCH(QString, segnato);
        const QRegularExpression re(k.espressione);
        const bool espressione = k.parte == ParteChiave::Espressione;
        const auto parte = trovaParte(voce, k, espressione ? &re : nullptr);
        QCOMPARE(parte.has_value(), !atteso.isNull());
        if (parte) {
            QCOMPARE(parte->testo, atteso);
            QCOMPARE(voce.mid(parte->inizio, parte->lunghezza), segnato);
        }
        if (espressione) {
            QCOMPARE(erroreEspressione(k.espressione).isEmpty(), re.isValid());
            if (!re.isValid())
                QVERIFY(erroreEspressione(k.espressione)
                            .contains(QString::number(re.patternErrorOffset())));
            QVERIFY(!trovaParte(voce, k, nullptr));
        }
    }

    // Characters as a reader counts them, and the count encoded as that number.
    void lunghezza() {
        const std::pair<const char*, int> voci[] = {
            {"", 0},       {"perché", 6},      {"perche\u0300", 6},         {"a\U0001F600b", 3},
            {"a\r\nb", 3}, {"0123456789", 10}, {"\U0001F1EE\U0001F1F9", 1},
        };
        for (const auto& [testo, caratteri] : voci) {
            const QString voce = QString::fromUtf8(testo);
            QCOMPARE(LettoreValori::lunghezza(voce), qsizetype(caratteri));
            std::string out;
            LettoreValori::codificaLunghezza(voce, out);
            QCOMPARE(out, *codifica("en", TipoChiave::Numero, QString::number(caratteri)));
        }
    }

    // Two texts, each read in its language: -1, 0, 1 as their values compare; 2: a has none.
    void valori_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QByteArray>("localeA");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QByteArray>("localeB");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("atteso");
        using enum TipoChiave;
        // Pairs "language|a|language|b" that compare as atteso.
        auto righe = [](TipoChiave tipo, int atteso, const QStringList& coppie) {
            for (const QString& c : coppie)
                QTest::newRow(qPrintable(c))
                    << int(tipo) << c.section(u'|', 0, 0).toLatin1() << c.section(u'|', 1, 1)
                    << c.section(u'|', 2, 2).toLatin1() << c.section(u'|', 3) << atteso;
        };
        // Groups, marks and signs of each language; a mark that cannot be one ends the number.
        righe(Numero, 0,
              {"de|-1.234,5|fr|-1 234,5", "it|1 234,5|it|1234,5", "fr|1 234,5|it|1234,5",
               "de_CH|1'234.5|it|1234,5", "it|1.5|it|1", "it|1234.567|it|1234", "en_US|1,5|en_US|1",
               "it|−0,75|it|-0,75", "it|€ 12,50|it|12,50 €", "it|pag-5|it|5", "it|€ -5|it|-5",
               "en_US|x .5|en_US|0.5", "en_US|v.5|en_US|5",
               "en|1e99999999999999999999999|en|1e10000000000000000000"});
        righe(Numero, -1, {"en|1234567890123456789012345|en|1234567890123456789112345"});
        righe(Dimensione, 0,
              {"it|1 KiB|it|1k", "en|1.5 K|en|1536", "it|5 Mele|it|5", "it|2 Mb|it|2MB"});
        righe(Mese, -1, {"it|gen|it|febbraio"});
        righe(Mese, 0, {"de|Dez.|en_US|december"});
        righe(Data, 0, {"en|2026-12-07T10:30+01:00|en|2026-12-07T09:30Z"});
        righe(Data, -1, {"en|0001-01-01|en|9999-12-31"});
        // 2: the first has no value.
        righe(Numero, 2, {"it|abc|it|0"});
        righe(Dimensione, 2, {"it|K|it|0"});
        righe(Mese, 2, {"it|ottobrata|it|ottobre"});
        righe(Data, 2, {"en|31/02/2026|en|2026-01-01"});
    }
    void valori() {
        QFETCH(int, tipo);
        QFETCH(QByteArray, localeA);
        QFETCH(QString, a);
        QFETCH(QByteArray, localeB);
        QFETCH(QString, b);
        QFETCH(int, atteso);
        const auto ca = codifica(localeA, TipoChiave(tipo), a);
        const auto cb = codifica(localeB, TipoChiave(tipo), b);
        QVERIFY(cb);
        QCOMPARE(ca.has_value(), atteso != 2);
        QCOMPARE(lettore(localeA).descrivi(TipoChiave(tipo), a).isEmpty(), atteso == 2);
        if (ca)
            verificaOrdine(*ca, *cb, atteso);
    }
    void descrizione_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("atteso");
        using enum TipoChiave;
        // Each "language|text" reads as the value shown; "" none.
        auto righe = [](TipoChiave tipo, const char* atteso, const QStringList& testi) {
            for (const QString& t : testi)
                QTest::newRow(qPrintable(t)) << int(tipo) << t.section(u'|', 0, 0).toLatin1()
                                             << t.section(u'|', 1) << QString::fromUtf8(atteso);
        };
        righe(Numero, "1234.5", {"it|Totale: 1.234,5 euro"});
        righe(Numero, "-0.000125", {"it|-0,000125"});
        righe(Numero, "0", {"it|-0,00"});
        righe(Numero, "1.2e41", {"en|12e40"});
        righe(Numero, "100000000000000000000", {"en|1e20"});
        righe(Numero, "0.000001", {"en|1e-6"});
        righe(Dimensione, "1536 B", {"it|1,5K"});
        righe(Mese, "1 (gennaio)", {"it|GEN."});
        righe(Mese, "3 (marzo)", {"it|il 3 Marzo, non aprile"});
        righe(Mese, "9 (settembre)", {"it|sett. 2026"});
        righe(Mese, "9 (September)", {"en_US|Sept."});
        righe(Mese, "3 (März)", {"de|MARZ", "de|Mär"});
        righe(Mese, "", {"it|sett 2026", "it|otto mele"});
        righe(Data, "2026-12-07",
              {"de|Stand 7.12.2026", "it|7-12-2026", "it|lunedì 7 dicembre 2026", "sv|26-12-07",
               "de|7. Dezember 2026", "de|07.12.26", "es|7 de diciembre de 2026",
               "ja|2026年12月7日"});
        righe(Data, "2026-12-07 10:30",
              {"it|7 dic. 2026, 10:30", "ru|7 декабря 2026 г. 10:30", "it|2026-12-07 10:30:00",
               "it|7/12/2026 10:30-11:00", "it|7 dic 2026 10:30-11:00"});
        righe(Data, "2026-01-01", {"it|1° gennaio 2026", "it|1º gennaio 2026"});
        righe(Data, "2026-12-31 23:59:59", {"it|31/12/2026 23:59:59"});
        righe(Data, "2026-12-07 22:30:05", {"en_US|Dec 7th, 2026 10:30:05 PM"});
        righe(Data, "2026-12-07 00:00", {"en_US|12/7/26 12:00 AM"});
        righe(Data, "2026-12-07 09:30:15.250 UTC", {"it|2026-12-07T10:30:15.25+01:00"});
        righe(Data, "2026-12-07 10:30 UTC", {"en|2026-12-07T10:30Z"});
        righe(Data, "",
              {"it|29/2/2100", "it|1.2.3", "it|7 dicembre, 10:30", "it|December 7, 2026"});
    }
    void descrizione() {
        QFETCH(int, tipo);
        QFETCH(QByteArray, locale);
        QFETCH(QString, testo);
        QFETCH(QString, atteso);
        QCOMPARE(lettore(locale).descrivi(TipoChiave(tipo), testo), atteso);
        QCOMPARE(codifica(locale, TipoChiave(tipo), testo).has_value(), !atteso.isEmpty());
    }

    // Random decimals in Italian, English and German, against their exact order.
    void numeriCasuali() {
        std::mt19937 caso(20261207);
        auto cifre = [&](int n) {
            QString s;
            for (int i = 0; i < n; ++i)
                s += QChar(u'0' + int(caso() % 10));
            return s;
        };
        auto numero = [&] {
            Scritto x{caso() % 2 == 0, cifre(int(caso() % 14)), cifre(int(caso() % 8)),
                      caso() % 3 ? 0 : int(caso() % 1201) - 600};
            x.intera.remove(QRegularExpression(QStringLiteral("^0+")));
            return x;
        };
        std::vector<Scritto> valori;
        for (int i = 0; i < 600; ++i) {
            Scritto x = numero();
            valori.push_back(x);
            // Neighbours: the last digit changed, a zero appended, the point moved.
            Scritto y = x;
            if (caso() % 2 && !y.decimali.isEmpty())
                y.decimali.back() = QChar(u'0' + int(caso() % 10));
            else
                y.decimali += u'0';
            valori.push_back(y);
            Scritto z = x;
            if (!z.intera.isEmpty()) {
                z.decimali.prepend(z.intera.back());
                z.intera.chop(1);
                z.esponente += 1;
            }
            valori.push_back(z);
        }
        std::vector<std::string> codici;
        for (const Scritto& x : valori) {
            const auto it = codifica("it", TipoChiave::Numero, scrivi(x, u'.', u','));
            const auto en = codifica("en_US", TipoChiave::Numero, scrivi(x, u',', u'.'));
            const auto de = codifica("de", TipoChiave::Numero, scrivi(x, QChar(), u','));
            QVERIFY(it && en && de);
            QCOMPARE(*en, *it);
            QCOMPARE(*de, *it);
            codici.push_back(*it);
        }
        for (int i = 0; i < 6000; ++i) {
            const std::size_t a = caso() % valori.size();
            const std::size_t b = i % 3 ? caso() % valori.size() : a / 3 * 3 + caso() % 3;
            const int atteso = oracolo(valori[a], valori[b]);
            if (confronto(codici[a], codici[b]) != atteso)
                QFAIL(qPrintable(scrivi(valori[a], u',', u'.') + QStringLiteral(" ? ") +
                                 scrivi(valori[b], u',', u'.')));
        }
        // Every exponent in a row, and far ones, across the lengths of its encoding.
        QStringList scala;
        for (int e = -800; e <= 800; ++e)
            scala << QStringLiteral("1e%1").arg(e);
        for (qint64 e = 1000; e <= qint64(1e17); e *= 10)
            scala << QStringLiteral("1e%1").arg(e);
        for (qsizetype i = 1; i < scala.size(); ++i) {
            verificaOrdine(*codifica("en", TipoChiave::Numero, scala[i - 1]),
                           *codifica("en", TipoChiave::Numero, scala[i]), -1);
            verificaOrdine(*codifica("en", TipoChiave::Numero, u'-' + scala[i - 1]),
                           *codifica("en", TipoChiave::Numero, u'-' + scala[i]), 1);
        }
    }

    // Random sizes against their byte counts in 128-bit integers.
    void dimensioniCasuali() {
        std::mt19937 caso(7);
        struct Unita {
            QString nome;
            __int128 fattore;
        };
        std::vector<Unita> unita = {{"", 1}, {" B", 1}};
        __int128 b = 1, d = 1;
        for (QString lettera : {"K", "M", "G", "T", "P", "E"}) {
            b *= 1024;
            d *= 1000;
            unita.push_back({lettera, b});
            unita.push_back({lettera + "iB", b});
            unita.push_back({u' ' + lettera + u'B', d});
        }
        std::vector<std::pair<std::string, __int128>> letti;
        for (int i = 0; i < 400; ++i) {
            const int intera = int(caso() % 100000), centesimi = int(caso() % 100);
            const Unita& u = unita[caso() % unita.size()];
            const QString testo = QStringLiteral("%1,%2%3")
                                      .arg(intera)
                                      .arg(centesimi, 2, 10, QChar(u'0'))
                                      .arg(u.nome);
            const auto c = codifica("it", TipoChiave::Dimensione, testo);
            QVERIFY(c);
            letti.emplace_back(*c, (intera * __int128(100) + centesimi) * u.fattore);
        }
        verificaCoppie(letti);
    }

    // Random dates and times in Italian, American and ISO forms, against QDate's day count.
    void dateCasuali() {
        std::mt19937 caso(12);
        const QStringList mesi =
            QStringLiteral("gennaio febbraio marzo aprile maggio giugno luglio "
                           "agosto settembre ottobre novembre dicembre")
                .split(u' ');
        std::vector<std::pair<std::string, qint64>> lette;
        for (int i = 0; i < 500; ++i) {
            const QDate g = QDate(1000, 1, 1).addDays(qint64(caso() % 3000000));
            const int minuto = caso() % 2 ? int(caso() % 1440) : 0;
            const QString ora =
                minuto
                    ? QStringLiteral(" %1:%2").arg(minuto / 60).arg(minuto % 60, 2, 10, QChar(u'0'))
                    : QString();
            const QString it = QStringLiteral("%1/%2/%3").arg(g.day()).arg(g.month()).arg(g.year());
            const QString us = QStringLiteral("%1/%2/%3").arg(g.month()).arg(g.day()).arg(g.year());
            const QString scritta =
                QStringLiteral("%1 %2 %3").arg(g.day()).arg(mesi[g.month() - 1]).arg(g.year());
            const auto c = codifica("it", TipoChiave::Data, it + ora);
            QVERIFY(c);
            QVERIFY(!codifica(
                "it", TipoChiave::Data,
                QStringLiteral("%1/%2/%3").arg(g.daysInMonth() + 1).arg(g.month()).arg(g.year())));
            QCOMPARE(codifica("en_US", TipoChiave::Data, us + ora), c);
            QCOMPARE(codifica("it", TipoChiave::Data, scritta + ora), c);
            QCOMPARE(lettore("en").descrivi(TipoChiave::Data, g.toString(Qt::ISODate)),
                     g.toString(Qt::ISODate));
            lette.emplace_back(*c, g.toJulianDay() * 1440 + minuto);
        }
        verificaCoppie(lette);
    }

    // One reader shared by several threads reads as it does alone.
    void traThread() {
        const LettoreValori l("it");
        QStringList testi;
        for (int i = 0; i < 2000; ++i)
            testi << QStringLiteral("%1 dic %2, %3:15 - %2,5 K")
                         .arg(i % 28 + 1)
                         .arg(1900 + i)
                         .arg(i % 24);
        auto leggi = [&](std::vector<std::string>& out) {
            for (const QString& t : testi) {
                out.emplace_back();
                for (TipoChiave tipo : {TipoChiave::Numero, TipoChiave::Dimensione,
                                        TipoChiave::Mese, TipoChiave::Data})
                    l.codifica(tipo, t, out.back());
            }
        };
        std::vector<std::string> solo;
        leggi(solo);
        std::vector<std::vector<std::string>> risultati(4);
        {
            std::vector<std::jthread> fili;
            for (auto& r : risultati)
                fili.emplace_back(leggi, std::ref(r));
        }
        for (const auto& r : risultati)
            QVERIFY(r == solo);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
