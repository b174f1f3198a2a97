#include "BarraStato.h"

#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include "MaiuscoleWindows.h"
#elif defined(QUORLA_CON_X11)
// After every Qt header: Xlib defines macros that clash with Qt's names.
#include <X11/XKBlib.h>
#endif

bool bloccoMaiuscoleAttivo() {
#if defined(Q_OS_WIN)
    return bloccoMaiuscoleWindows();
#elif defined(QUORLA_CON_X11)
    // Only the xcb platform has an X display; offscreen or Wayland say nothing.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    const Atom nome = XInternAtom(display, "Caps Lock", True);
    Bool acceso = False;
    if (nome != None && XkbGetNamedIndicator(display, nome, nullptr, &acceso, nullptr, nullptr))
        return acceso != False;
    // A keymap without the named indicator: Caps Lock is the first LED.
    unsigned int indicatori = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicatori) != Success)
        return false;
    return (indicatori & 1U) != 0;
#else
    return false;
#endif
}
