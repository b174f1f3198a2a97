#include "Accessibilita.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <mutex>

namespace {

const char* const ProprietaNome = "quorlaNomeAccessibile";

// A menu of the menu bar as the toolkit presents it, but with its own name.
class VoceNominata : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit VoceNominata(QAction* voce) : QAccessibleObject(voce) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(barra());
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int indice) const override {
        return indice == 0 ? QAccessible::queryAccessibleInterface(voce()->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* figlio) const override {
        return figlio && figlio->object() == voce()->menu() ? 0 : -1;
    }
    QString text(QAccessible::Text tipo) const override {
        if (tipo == QAccessible::Name)
            return voce()->property(ProprietaNome).toString();
        if (tipo == QAccessible::Accelerator)
            return QKeySequence::mnemonic(voce()->text()).toString(QKeySequence::NativeText);
        return QString();
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State stato;
        const QMenuBar* b = barra();
        stato.invisible = !voce()->isVisible() || !b || !b->isVisible();
        stato.disabled = !voce()->isEnabled();
        stato.focused = b && b->activeAction() == voce();
        return stato;
    }
    QRect rect() const override {
        const QMenuBar* b = barra();
        return b ? b->actionGeometry(voce()).translated(b->mapToGlobal(QPoint())) : QRect();
    }
    void* interface_cast(QAccessible::InterfaceType tipo) override {
        return tipo == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& azione) override {
        if (voce()->isEnabled() && azione == showMenuAction() && barra())
            barra()->setActiveAction(voce());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAction* voce() const { return static_cast<QAction*>(object()); }
    QMenuBar* barra() const {
        const auto oggetti = voce()->associatedObjects();
        for (QObject* o : oggetti) {
            if (auto* b = qobject_cast<QMenuBar*>(o))
                return b;
        }
        return nullptr;
    }
};

QAccessibleInterface* fabbrica(const QString& classe, QObject* oggetto) {
    if (classe == QLatin1String("QAction")) {
        auto* voce = static_cast<QAction*>(oggetto);
        const bool nominata = voce->menu() && voce->property(ProprietaNome).isValid();
        return nominata ? new VoceNominata(voce) : nullptr;
    }
    // Plain widgets both, which the toolkit would present as mere containers.
    if (classe == QLatin1String("Frm_SepElenco"))
        return new QAccessibleWidget(static_cast<QWidget*>(oggetto), QAccessible::Dialog);
    if (classe == QLatin1String("BarraStato"))
        return new QAccessibleWidget(static_cast<QWidget*>(oggetto), QAccessible::StatusBar);
    return nullptr;
}

// Plain letters, for comparing what is typed with a caption.
QString semplice(const QString& testo) {
    QString esito;
    for (const QChar c : testo.normalized(QString::NormalizationForm_D)) {
        if (c != u'&' && c.category() != QChar::Mark_NonSpacing)
            esito.append(c);
    }
    return esito.toCaseFolded();
}

class RicercaVoci : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        auto* menu = qobject_cast<QMenu*>(oggetto);
        if (!menu || evento->type() != QEvent::KeyPress)
            return false;
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        const QString testo = semplice(tasto->text());
        const auto comandi = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (testo.size() != 1 || !testo[0].isPrint() || testo[0].isSpace() ||
            (tasto->modifiers() & comandi))
            return false;
        if (!battuta_.isValid() || battuta_.elapsed() > PausaMs)
            cercato_.clear();
        battuta_.start();
        cercato_ += testo;
        // "ss" looks for the second item starting with "s", not for "ss".
        const bool ripetuta = cercato_.count(cercato_[0]) == cercato_.size();
        const QString prefisso = ripetuta ? cercato_.left(1) : cercato_;
        const QList<QAction*> voci = menu->actions();
        const qsizetype attuale = voci.indexOf(menu->activeAction());
        // A longer prefix may still fit the item already selected.
        const qsizetype inizio = attuale + (ripetuta ? 1 : 0);
        for (qsizetype k = 0; k < voci.size(); ++k) {
            QAction* voce = voci[(std::max<qsizetype>(inizio, 0) + k) % voci.size()];
            if (!voce->isSeparator() && voce->isVisible() && voce->isEnabled() &&
                semplice(voce->text()).startsWith(prefisso)) {
                menu->setActiveAction(voce);
                break;
            }
        }
        return true;
    }

private:
    static constexpr int PausaMs = 1000;
    QString cercato_;
    QElapsedTimer battuta_;
};

} // namespace

void installaAccessibilita() {
    // Once: every factory installed is asked about every object.
    static std::once_flag fatto;
    std::call_once(fatto, [] { QAccessible::installFactory(fabbrica); });
}

void impostaNomeAccessibile(QMenu* menu, const QString& nome) {
    menu->menuAction()->setProperty(ProprietaNome, nome);
    menu->setAccessibleName(nome);
}

void attivaRicercaVoci(QMenu* menu) {
    menu->installEventFilter(new RicercaVoci(menu));
}
