#pragma once

#include <QString>

class QMenu;

// What the toolkit does not give assistive technology and keyboard users by
// itself.

// Presents the separator dialog as a dialog and the status bar as a status
// bar, and gives the items of impostaNomeAccessibile their names. Once, before
// the windows are shown.
void installaAccessibilita();

// Gives a menu of the menu bar a name of its own for assistive technology,
// for a title that says nothing when read aloud ("?"). The title stays.
void impostaNomeAccessibile(QMenu* menu, const QString& nome);

// Type-ahead in a menu whose items have no access keys: letters typed in quick
// succession select the next item whose caption starts with them, whatever
// their case and accents; the same letter again moves on to the next item
// that starts with it. Enter then chooses it, as ever.
void attivaRicercaVoci(QMenu* menu);
