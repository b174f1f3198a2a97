#include "BloccoNote.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// A stand-in editor, first and alone on PATH. It notes its arguments at once,
// then stays alive for a while like a real editor would, and notes its end.
class TstBloccoNote : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void avviaSenzaAspettare();
    void argomenti_data();
    void argomenti();
    void nessunEditor_data();
    void nessunEditor();

private:
    QStringList Registrazioni(const QString& estensione) const;
    bool CreaFinto(const QString& nome, QFile::Permissions permessi, int secondi = 3) const;

    QByteArray pathOriginale;
    std::unique_ptr<QTemporaryDir> cartella;
};

void TstBloccoNote::initTestCase() {
#ifdef Q_OS_WIN
    QSKIP("the editor started on Windows is the system's own");
#endif
    pathOriginale = qgetenv("PATH");
}

void TstBloccoNote::init() {
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(cartella->isValid());
}

void TstBloccoNote::cleanup() {
    qputenv("PATH", pathOriginale);
}

bool TstBloccoNote::CreaFinto(const QString& nome, QFile::Permissions permessi, int secondi) const {
    QFile script(cartella->filePath(nome));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    // Only shell built-ins and absolute paths: PATH holds nothing else.
    const QString testo = uR"(#!/bin/sh
registro="%1/avvio.$$"
printf '%s\n' "$#" "$@" > "$registro.tmp"
/bin/mv "$registro.tmp" "$registro.args"
/bin/sleep %2
: > "$registro.fine"
)"_s.arg(cartella->path())
                              .arg(secondi);
    return script.write(testo.toUtf8()) > 0 && script.setPermissions(permessi);
}

QStringList TstBloccoNote::Registrazioni(const QString& estensione) const {
    return QDir(cartella->path()).entryList({u"avvio.*."_s + estensione}, QDir::Files);
}

void TstBloccoNote::avviaSenzaAspettare() {
    QVERIFY(CreaFinto(u"gedit"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", cartella->path().toLocal8Bit());

    // Each call must come back long before the editor ends, and each starts a
    // copy of its own.
    for (int volta = 0; volta < 2; ++volta) {
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(QuorlaIo::AvviaBloccoNote());
        QVERIFY2(tempo.elapsed() < 1500, qPrintable(u"%1 ms"_s.arg(tempo.elapsed())));
        QVERIFY(Registrazioni(u"fine"_s).isEmpty());
    }

    QTRY_COMPARE_WITH_TIMEOUT(Registrazioni(u"args"_s).size(), 2, 10000);
    for (const QString& nome : Registrazioni(u"args"_s)) {
        QFile registro(cartella->filePath(nome));
        QVERIFY(registro.open(QIODevice::ReadOnly));
        QCOMPARE(registro.readAll(), "1\n--new-window\n"_ba); // no file, a window of its own
    }
    // Let both copies end before their folder goes away.
    QTRY_COMPARE_WITH_TIMEOUT(Registrazioni(u"fine"_s).size(), 2, 10000);
}

// Each editor gets its own option for a new window with an empty document,
// and never a file.
void TstBloccoNote::argomenti_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QByteArray>("attesi");

    QTest::newRow("gnome-text-editor")
        << u"gnome-text-editor"_s << "2\n--new-window\n--ignore-session\n"_ba;
    QTest::newRow("gedit") << u"gedit"_s << "1\n--new-window\n"_ba;
    QTest::newRow("kate") << u"kate"_s << "1\n--startanon\n"_ba;
    QTest::newRow("mousepad") << u"mousepad"_s << "1\n--disable-server\n"_ba;
    QTest::newRow("pluma") << u"pluma"_s << "1\n--new-window\n"_ba;
    QTest::newRow("featherpad") << u"featherpad"_s << "1\n--win\n"_ba;
    QTest::newRow("geany") << u"geany"_s << "2\n--new-instance\n--no-session\n"_ba;
}

void TstBloccoNote::argomenti() {
    QFETCH(QString, editor);
    QFETCH(QByteArray, attesi);
    QVERIFY(CreaFinto(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner, 0));
    qputenv("PATH", cartella->path().toLocal8Bit());

    QVERIFY(QuorlaIo::AvviaBloccoNote());
    QTRY_COMPARE_WITH_TIMEOUT(Registrazioni(u"args"_s).size(), 1, 10000);
    QFile registro(cartella->filePath(Registrazioni(u"args"_s).first()));
    QVERIFY(registro.open(QIODevice::ReadOnly));
    QCOMPARE(registro.readAll(), attesi);
    QTRY_COMPARE_WITH_TIMEOUT(Registrazioni(u"fine"_s).size(), 1, 10000);
}

void TstBloccoNote::nessunEditor_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("eseguibile");

    QTest::newRow("PATH vuoto") << QByteArray() << true;
    QTest::newRow("nessun editor nel PATH") << "/nonesiste"_ba << true;
    QTest::newRow("editor non eseguibile") << "<cartella>"_ba << false;
}

void TstBloccoNote::nessunEditor() {
    QFETCH(QByteArray, path);
    QFETCH(bool, eseguibile);
    if (!eseguibile)
        QVERIFY(CreaFinto(u"gedit"_s, QFile::ReadOwner | QFile::WriteOwner));
    if (path == "<cartella>")
        path = cartella->path().toLocal8Bit();
    qputenv("PATH", path);

    QVERIFY(!QuorlaIo::AvviaBloccoNote());
    QTest::qWait(200);
    QVERIFY(Registrazioni(u"args"_s).isEmpty());
}

QTEST_GUILESS_MAIN(TstBloccoNote)
#include "tst_BloccoNote.moc"
