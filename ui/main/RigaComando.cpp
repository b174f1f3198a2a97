#include "RigaComando.h"

#include "Traduzioni.h"
#include "VersioneQuorla.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

const QString Programma = QStringLiteral("quorla");

// The parser and its options, the same for both readings. The parser's own
// help option would describe itself in English.
struct Analisi {
    QCommandLineParser parser;
    QCommandLineOption aiuto{
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("RigaComando", "Mostra questo aiuto ed esce.")};
    QCommandLineOption versione{
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("RigaComando", "Mostra la versione ed esce.")};

    Analisi() {
        // As the toolkit's own options go (-platform, -reverse): one word
        // each, never a bundle of letters that could spell -v or -h.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(aiuto);
        parser.addOption(versione);
    }
};

QString testoAiuto(const Analisi& analisi) {
    QString testo;
    QTextStream t(&testo);
    t << QCoreApplication::translate("RigaComando", "Uso: %1 [opzioni] [file]").arg(Programma)
      << '\n'
      << QString::fromUtf8(QUORLA_PRODUCT) << " - " << Traduzioni::TestoProgetto(QUORLA_DESCRIPTION)
      << "\n\n"
      << QCoreApplication::translate(
             "RigaComando",
             "Apre il file di testo indicato come \"Apri...\" e ne mette in ordine le voci.")
      << "\n\n"
      << QCoreApplication::translate("RigaComando", "Opzioni:") << '\n';
    for (const QCommandLineOption* opzione : {&analisi.aiuto, &analisi.versione}) {
        const QStringList nomi = opzione->names();
        const QString voce = QStringLiteral("-%1, --%2").arg(nomi[0], nomi[1]);
        t << "  " << voce.leftJustified(16) << opzione->description() << '\n';
    }
    t << '\n'
      << QCoreApplication::translate("RigaComando", "Argomenti:") << "\n  "
      << QCoreApplication::translate("RigaComando", "file").leftJustified(16)
      << QCoreApplication::translate(
             "RigaComando", "Il file di testo da aprire; gli altri argomenti sono ignorati.")
      << '\n';
    return testo;
}

} // namespace

std::optional<int> RispostaImmediata(const QStringList& argomenti, QTextStream& uscita) {
    Analisi analisi;
    // The toolkit's options are unknown here; they are for LeggiRigaComando to
    // never see, and no reason to refuse an answer to --help.
    analisi.parser.parse(argomenti);
    if (analisi.parser.isSet(analisi.aiuto)) {
        uscita << testoAiuto(analisi);
        uscita.flush();
        return 0;
    }
    if (analisi.parser.isSet(analisi.versione)) {
        uscita << QString::fromUtf8(QUORLA_PRODUCT) << ' ' << QUORLA_VERSION_STRING << '\n';
        uscita.flush();
        return 0;
    }
    return std::nullopt;
}

RigaComando LeggiRigaComando(const QStringList& argomenti, QTextStream& errori) {
    Analisi analisi;
    RigaComando riga;
    if (!analisi.parser.parse(argomenti)) {
        const QStringList sconosciute = analisi.parser.unknownOptionNames();
        for (const QString& nome : sconosciute)
            errori << Programma << ": "
                   << QCoreApplication::translate("RigaComando", "opzione sconosciuta: %1")
                          .arg((nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
                               nome)
                   << '\n';
        errori << QCoreApplication::translate("RigaComando", "Per l'elenco delle opzioni: %1")
                      .arg(Programma + QStringLiteral(" --help"))
               << '\n';
        errori.flush();
        riga.uscita = 2;
        return riga;
    }
    const QStringList posizionali = analisi.parser.positionalArguments();
    if (!posizionali.isEmpty())
        riga.file = QDir::cleanPath(QDir::current().absoluteFilePath(posizionali.first()));
    if (posizionali.size() > 1) {
        errori << Programma << ": "
               << QCoreApplication::translate("RigaComando",
                                              "si apre solo il primo file; ignorati:");
        for (qsizetype i = 1; i < posizionali.size(); ++i)
            errori << ' ' << posizionali[i];
        errori << '\n';
        errori.flush();
    }
    return riga;
}
