// Runs the engine on a text file with the default options and prints the
// sorted output, so that its time can be set against other tools on the same
// words. Phase timings go to standard error.
#include "Dichiarazioni.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdio>

namespace {

class FinestraDaBanco : public Dichiarazioni::Finestra {
public:
    QString orig;
    QString ordine;
    bool aCapo = false;

    QString testoOrig() const override { return orig; }
    void impostaTestoOrig(const QString& t) override { orig = t; }
    QString testoOrdine() const override { return ordine; }
    void impostaTestoOrdine(const QString& t) override { ordine = t; }
    void fuocoOrig() override {}
    void fuocoOrdine() override {}
    void selezionaOrdine(qsizetype, qsizetype) override {}
    void ridisegnaOrig() override {}
    void ridisegnaOrdine() override {}
    void ridisegnaFinestra() override {}
    bool aCapoAttivo() const override { return aCapo; }
    bool copiaAppuntiAttiva() const override { return false; }
    int massimoSlider() const override { return 100; }
    void impostaPosizioneSlider(int) override {}
    void messaggio(const QString& testo, const QString&, unsigned) override {
        std::fprintf(stderr, "%s\n", qPrintable(testo));
    }
    void svuotaAppunti() override {}
    void impostaAppunti(const QString&) override {}
};

int uso() {
    std::fprintf(stderr, "uso: quorla-bench [--a-capo N] FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList argomenti = app.arguments().mid(1);
    int aCapo = 0;
    if (argomenti.size() == 3 && argomenti[0] == QLatin1String("--a-capo")) {
        bool ok = false;
        aCapo = argomenti[1].toInt(&ok);
        if (!ok || aCapo < 1 || aCapo > 32767)
            return uso();
        argomenti = argomenti.mid(2);
    }
    if (argomenti.size() != 1)
        return uso();

    QElapsedTimer orologio;
    orologio.start();
    QFile file(argomenti[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(argomenti[0]));
        return 1;
    }
    FinestraDaBanco finestra;
    QStringDecoder decoder(QStringDecoder::Utf8);
    finestra.orig = decoder(file.readAll());
    const qint64 lettura = orologio.restart();

    Dichiarazioni::Leggi_Separatori(Dichiarazioni::Init_Separatori());
    finestra.aCapo = aCapo > 0;
    Dichiarazioni::Num_Caratteri = std::int16_t(aCapo);
    Dichiarazioni::Elabora_Testo(finestra);
    const qint64 elaborazione = orologio.restart();

    QStringEncoder encoder(QStringEncoder::Utf8);
    const QByteArray uscita = encoder(finestra.ordine);
    std::fwrite(uscita.constData(), 1, size_t(uscita.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    const qint64 scrittura = orologio.elapsed();

    std::fprintf(stderr, "read %lld ms, engine %lld ms, write %lld ms\n",
                 static_cast<long long>(lettura), static_cast<long long>(elaborazione),
                 static_cast<long long>(scrittura));
    return 0;
}
