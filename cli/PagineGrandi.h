#pragma once

#include <QStringList>

namespace QuorlaCli {

// A sort of a few megabytes spends as much time having the kernel hand out
// and clear memory a page at a time as it spends sorting. Where the system
// gives large pages only to those who ask (Linux's transparent huge pages in
// "madvise" mode) and the C library asks only when told so at start (glibc's
// malloc tunable), this starts the program again, arguments and standard input
// untouched, with the tunable set. It returns when it did not: elsewhere, for
// inputs too small to repay a second start, when the user has set the tunable
// either way, or when starting again failed.
void RiavviaConPagineGrandi(const QStringList& ingressi);

} // namespace QuorlaCli
