#include "Chiavi.h"

#include <QtTest>
#include <map>
#include <random>
#include <thread>

using namespace Motore;
using namespace Qt::StringLiterals;

namespace {

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

class TstChiavi : public QObject {
    Q_OBJECT
private slots:
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
    void ordine_data() {
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
    void ordine() {
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

QTEST_APPLESS_MAIN(TstChiavi)
#include "tst_chiavi.moc"
