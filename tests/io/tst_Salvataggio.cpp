#include "FileTesto.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<illeggibile>"_ba;
}

// Root writes into any folder: the save then runs in a child process that has
// given up root for an unprivileged user, owner of the folder and the file.
bool salvaDaUtente(const QString& cartella, const QString& percorso, const QString& testo) {
    if (::geteuid() != 0)
        return QuorlaIo::ScriviFileTesto(percorso, testo);
    constexpr uid_t kNessuno = 65534;
    for (const QString& p : {cartella, percorso}) {
        if (QFile::exists(p) && ::chown(QFile::encodeName(p).constData(), kNessuno, kNessuno) != 0)
            return false;
    }
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const bool senzaRoot =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNessuno) == 0 && ::setuid(kNessuno) == 0;
        ::_exit(senzaRoot && QuorlaIo::ScriviFileTesto(percorso, testo) ? 0 : 1);
    }
    int stato = 0;
    return figlio > 0 && ::waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato) &&
           WEXITSTATUS(stato) == 0;
}

} // namespace

// Saving where no temporary file can be made beside the target: the file is
// then written in place (tst_FileTesto sees it replaced whole elsewhere).
class TstSalvataggio : public QObject {
    Q_OBJECT

private slots:
    void senzaTemporaneo_data() {
        QTest::addColumn<bool>("esiste");
        QTest::newRow("file esistente") << true;
        QTest::newRow("file nuovo") << false; // nowhere to write it
    }

    void senzaTemporaneo() {
        QFETCH(bool, esiste);
        const QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        // A folder left read-only could not be removed.
        const auto ripristina = qScopeGuard([&cartella] {
            QFile::setPermissions(cartella.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        const QString percorso = cartella.filePath(u"voci.txt"_s);
        if (esiste) {
            QFile file(percorso);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write("contenuto di prima, piu' lungo del nuovo") > 0);
        }
        // Readable and searchable, not writable: no temporary file fits beside
        // the target, while the target itself stays writable.
        QVERIFY(QFile::setPermissions(cartella.path(), QFile::ReadOwner | QFile::ExeOwner));

        QCOMPARE(salvaDaUtente(cartella.path(), percorso, u"mela;pera"_s), esiste);
        QCOMPARE(contenuto(percorso), esiste ? "mela;pera"_ba : "<illeggibile>"_ba);
    }
};

QTEST_GUILESS_MAIN(TstSalvataggio)
#include "tst_Salvataggio.moc"
