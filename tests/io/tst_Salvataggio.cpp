#include "FileTesto.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Saving where no temporary file can be made beside the target: the file is
// then written in place. Everywhere else the target is still replaced whole.
class TstSalvataggio : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void senzaTemporaneo_data();
    void senzaTemporaneo();
    void sostituzioneAtomicaDovePossibile();

private:
    static ino_t Inode(const QString& percorso);
    static QByteArray Contenuto(const QString& percorso);
    bool SalvaDaUtente(const QString& percorso, const QString& testo);
    std::unique_ptr<QTemporaryDir> cartella;
};

ino_t TstSalvataggio::Inode(const QString& percorso) {
    struct stat info {};
    return ::stat(QFile::encodeName(percorso).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray TstSalvataggio::Contenuto(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<illeggibile>"_ba;
}

void TstSalvataggio::init() {
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(cartella->isValid());
}

void TstSalvataggio::cleanup() {
    // A folder left read-only could not be removed.
    QFile::setPermissions(cartella->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    cartella.reset();
}

void TstSalvataggio::senzaTemporaneo_data() {
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<bool>("riesce");

    QTest::newRow("file esistente") << true << true;
    QTest::newRow("file nuovo") << false << false;
}

// Root writes into any folder; the save then runs in a child process that has
// given up root for the unprivileged user, who owns the folder and the file.
bool TstSalvataggio::SalvaDaUtente(const QString& percorso, const QString& testo) {
    if (::geteuid() != 0)
        return QuorlaIo::ScriviFileTesto(percorso, testo);
    constexpr uid_t kNessuno = 65534;
    for (const QString& p : {cartella->path(), percorso}) {
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

void TstSalvataggio::senzaTemporaneo() {
    QFETCH(bool, esiste);
    QFETCH(bool, riesce);

    const QString percorso = cartella->filePath(u"voci.txt"_s);
    if (esiste) {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("contenuto di prima, piu' lungo del nuovo") > 0);
    }
    // Readable and searchable, not writable: no temporary file fits beside
    // the target, while the target itself stays writable.
    QVERIFY(QFile::setPermissions(cartella->path(), QFile::ReadOwner | QFile::ExeOwner));
    const ino_t prima = Inode(percorso);

    QCOMPARE(SalvaDaUtente(percorso, u"mela;pera"_s), riesce);
    if (riesce) {
        QCOMPARE(Contenuto(percorso), "mela;pera"_ba);
        QCOMPARE(Inode(percorso), prima); // written in place, not replaced
    } else {
        QVERIFY(!QFile::exists(percorso));
    }
    const QStringList rimasti = QDir(cartella->path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(rimasti, esiste ? QStringList{u"voci.txt"_s} : QStringList{});
}

// The fallback is for the case without a temporary file only: where one can be
// made, the old file is replaced by a new one, never truncated and rewritten.
void TstSalvataggio::sostituzioneAtomicaDovePossibile() {
    const QString percorso = cartella->filePath(u"voci.txt"_s);
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("vecchio") > 0);
    file.close();
    // Kept open, so that its inode cannot be reused by the new file.
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ino_t prima = Inode(percorso);

    QVERIFY(QuorlaIo::ScriviFileTesto(percorso, u"nuovo"_s));
    QCOMPARE(Contenuto(percorso), "nuovo"_ba);
    QVERIFY(Inode(percorso) != prima);
    QCOMPARE(file.readAll(), "vecchio"_ba); // the old file, whole, to whoever had it open
}

QTEST_GUILESS_MAIN(TstSalvataggio)
#include "tst_Salvataggio.moc"
