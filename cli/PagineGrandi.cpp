#include "PagineGrandi.h"

#if defined(Q_OS_LINUX) && defined(__GLIBC__)
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>
#endif

namespace QuorlaCli {

#if defined(Q_OS_LINUX) && defined(__GLIBC__)

namespace {

constexpr char kVariabile[] = "GLIBC_TUNABLES";
constexpr char kPagineGrandi[] = "glibc.malloc.hugetlb";
// Large pages; and memory once handed out kept for the next phase instead of
// given back and cleared again, the heap growing 64 MB at a time.
constexpr char kRegolazioni[] = "glibc.malloc.hugetlb=1:glibc.malloc.trim_threshold=1073741824:"
                                "glibc.malloc.top_pad=67108864";

// A second start costs a few milliseconds; large pages save more than that
// from about two megabytes of text on.
constexpr qint64 kSoglia = qint64(2) << 20;

// Only regular files tell their size beforehand; a pipe is read as it comes.
qint64 DimensioneIngressi(const QStringList& ingressi) {
    qint64 totale = 0;
    for (const QString& nome : ingressi.isEmpty() ? QStringList{QStringLiteral("-")} : ingressi) {
        struct stat st {};
        const bool letto = nome == u"-" ? ::fstat(STDIN_FILENO, &st) == 0
                                        : ::stat(QFile::encodeName(nome).constData(), &st) == 0;
        if (letto && S_ISREG(st.st_mode))
            totale += st.st_size;
    }
    return totale;
}

// With "always" every large region gets them anyway, with "never" none does.
bool PagineGrandiSuRichiesta() {
    QFile modo(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
    return modo.open(QIODevice::ReadOnly) && modo.readAll().contains("[madvise]");
}

// The arguments exactly as the program received them, bytes the locale cannot
// decode included.
QByteArrayList ArgomentiOriginali() {
    QFile riga(QStringLiteral("/proc/self/cmdline"));
    if (!riga.open(QIODevice::ReadOnly))
        return {};
    // Each argument ends in a NUL, the last one too.
    QByteArrayList argomenti = riga.readAll().split('\0');
    argomenti.removeLast();
    return argomenti;
}

} // namespace

void RiavviaConPagineGrandi(const QStringList& ingressi) {
    const char* attuale = std::getenv(kVariabile);
    // Set by the user, to either value, or by the first start: left as it is.
    if (attuale && std::strstr(attuale, kPagineGrandi))
        return;
    if (DimensioneIngressi(ingressi) < kSoglia || !PagineGrandiSuRichiesta())
        return;
    QByteArrayList argomenti = ArgomentiOriginali();
    if (argomenti.empty())
        return;
    std::vector<char*> argv;
    for (QByteArray& argomento : argomenti)
        argv.push_back(argomento.data());
    argv.push_back(nullptr);

    const QByteArray prima = attuale ? QByteArray(attuale) : QByteArray();
    // The user's own settings come last, where they win over ours.
    QByteArray valore(kRegolazioni);
    if (!prima.isEmpty())
        valore += ':' + prima;
    if (::setenv(kVariabile, valore.constData(), 1) != 0)
        return;
    std::fflush(nullptr);
    ::execv("/proc/self/exe", argv.data());
    // Still here: the run goes on with the allocator as it is.
    if (attuale)
        ::setenv(kVariabile, prima.constData(), 1);
    else
        ::unsetenv(kVariabile);
}

#else

void RiavviaConPagineGrandi(const QStringList&) {}

#endif

} // namespace QuorlaCli
