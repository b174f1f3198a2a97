#!/usr/bin/python3
"""Walks the program's accessibility tree through AT-SPI, as a screen reader
meets it: the main window, then the separator dialog, opened through its menu
item as assistive technology would open it. Prints both trees and fails when a
control has no name: anything that takes the focus, and every menu item.

    verifica-accessibilita.py PROGRAM MENU_ITEM

MENU_ITEM is the name of "Imposta separatori lista" in the language the
program is started in. Needs a display, a session bus and the accessibility
bus (scripts/verifica-accessibilita.sh starts them), and
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 in the environment.
"""

import subprocess
import sys
import time

import pyatspi

CONTROLLI = {
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_RADIO_MENU_ITEM,
    pyatspi.ROLE_SLIDER,
}


def aspetta(condizione, secondi=30):
    fine = time.time() + secondi
    while time.time() < fine:
        esito = condizione()
        if esito:
            return esito
        time.sleep(0.3)
    return None


def applicazione(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid and app.childCount > 0:
                return app
        except Exception:  # an application that went away meanwhile
            continue
    return None


def cammina(nodo, livello, righe, anonimi, percorso=""):
    ruolo = nodo.getRoleName()
    nome = nodo.name or ""
    stati = nodo.getState()
    focalizzabile = stati.contains(pyatspi.STATE_FOCUSABLE)
    riga = "  " * livello + f'{ruolo} "{nome}"'
    if nodo.description:
        riga += f" ({nodo.description})"
    if focalizzabile:
        riga += " [focus]"
    righe.append(riga)
    qui = f'{percorso}/{ruolo} "{nome}"'
    if (focalizzabile or nodo.getRole() in CONTROLLI) and not nome.strip():
        anonimi.append(qui)
    for figlio in nodo:
        if figlio is not None:
            cammina(figlio, livello + 1, righe, anonimi, qui)


def trova(nodo, condizione):
    if condizione(nodo):
        return nodo
    for figlio in nodo:
        if figlio is not None:
            trovato = trova(figlio, condizione)
            if trovato:
                return trovato
    return None


def finestre(app):
    return [f for f in app if f is not None and f.getState().contains(pyatspi.STATE_SHOWING)]


def main():
    programma, voce_separatori = sys.argv[1], sys.argv[2]
    processo = subprocess.Popen([programma])
    anonimi = []
    try:
        app = aspetta(lambda: applicazione(processo.pid))
        if app is None:
            print("ERRORE: il programma non compare sul bus di accessibilità", file=sys.stderr)
            return 1
        righe = []
        principali = finestre(app)
        for finestra in principali:
            cammina(finestra, 0, righe, anonimi)
        voce = trova(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM
                     and n.name == voce_separatori)
        if voce is None:
            print(f'ERRORE: nessuna voce di menu "{voce_separatori}"', file=sys.stderr)
            return 1
        voce.queryAction().doAction(0)
        nomi = {f.name for f in principali}
        nuove = aspetta(lambda: [f for f in finestre(app) if f.name not in nomi])
        if not nuove:
            print("ERRORE: il dialogo dei separatori non si è aperto", file=sys.stderr)
            return 1
        for finestra in nuove:
            cammina(finestra, 0, righe, anonimi)
        print("\n".join(righe))
    finally:
        processo.terminate()
        processo.wait(10)
    for percorso in anonimi:
        print(f"ERRORE: controllo senza nome: {percorso}", file=sys.stderr)
    return 1 if anonimi else 0


if __name__ == "__main__":
    sys.exit(main())
