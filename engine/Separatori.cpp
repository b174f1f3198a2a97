#include "Separatori.h"

#include <QtGlobal>

namespace Motore {

const std::array<Separatore, NumSeparatori>& catalogo() {
    // The dialog's columns are narrow: the captions of ">", "/" and "\" keep
    // a leading space that sets them off from the box.
    static constexpr std::array<Separatore, NumSeparatori> tabella{{
        {u' ', "spazio", QT_TRANSLATE_NOOP("Separatori", "Spazio"),
         QT_TRANSLATE_NOOP("Separatori", "Spazio"), QT_TRANSLATE_NOOP("Separatori", "Spazio"),
         QT_TRANSLATE_NOOP("Separatori", "\"Spazio\"")},
        {u'\r', "invio", QT_TRANSLATE_NOOP("Separatori", "Invio"),
         QT_TRANSLATE_NOOP("Separatori", "Invio"), QT_TRANSLATE_NOOP("Separatori", "Invio"),
         QT_TRANSLATE_NOOP("Separatori", "\"Invio\"")},
        {u'\t', "tab", QT_TRANSLATE_NOOP("Separatori", "Tab"),
         QT_TRANSLATE_NOOP("Separatori", "Tab"), QT_TRANSLATE_NOOP("Separatori", "Tab"),
         QT_TRANSLATE_NOOP("Separatori", "\"Tab\"")},
        {u';', "punto-e-virgola", QT_TRANSLATE_NOOP("Separatori", "Punto e virgola"),
         QT_TRANSLATE_NOOP("Separatori", "Punto e virgola"), ";", ";"},
        {u':', "due-punti", QT_TRANSLATE_NOOP("Separatori", "Due punti"),
         QT_TRANSLATE_NOOP("Separatori", "Due punti"), ":", ":"},
        {u',', "virgola", QT_TRANSLATE_NOOP("Separatori", "Virgola"),
         QT_TRANSLATE_NOOP("Separatori", "Virgola"), ",", ","},
        {u'.', "punto", QT_TRANSLATE_NOOP("Separatori", "Punto"),
         QT_TRANSLATE_NOOP("Separatori", "Punto"), ".", "."},
        {u'!', "esclamativo", QT_TRANSLATE_NOOP("Separatori", "Punto esclamativo"),
         QT_TRANSLATE_NOOP("Separatori", "Punto esclamativo"), "!", "!"},
        {u'?', "domanda", QT_TRANSLATE_NOOP("Separatori", "Punto di domanda"),
         QT_TRANSLATE_NOOP("Separatori", "Punto di domanda"), "?", "?"},
        {u'<', "minore", "<", "<", QT_TRANSLATE_NOOP("Separatori", "Minore di"), "<"},
        {u'>', "maggiore", " >", ">", QT_TRANSLATE_NOOP("Separatori", "Maggiore di"), ">"},
        {u'/', "barra", " /", "/", "/", "/"},
        {u'\\', "barra-rovescia", " \\", "\\", "\\", "\\"},
        {u'|', "barra-verticale", "|", "|", "|", "|"},
    }};
    return tabella;
}

int indiceCarattere(QChar c) {
    for (int i = 0; i < NumSeparatori; ++i) {
        if (catalogo()[std::size_t(i)].carattere == c.unicode())
            return i;
    }
    return -1;
}

} // namespace Motore
