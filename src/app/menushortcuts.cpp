#include "app/menushortcuts.h"

#include "app/mainmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

MenuShortcutPriority::MenuShortcutPriority(QWidget& window, const MainMenu& menu)
    : QObject(&window), window_(window) {
    for (QAction* action : menu.actions())
        actions_.append(action);
    // The override request goes to the focus widget first and then up to its
    // parents; a filter on the application sees it before any of them.
    QCoreApplication::instance()->installEventFilter(this);
}

bool MenuShortcutPriority::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != &window_)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QPointer<QAction>& action : actions_) {
        if (action && action->isEnabled() && action->shortcut() == pressed) {
            // Not accepted: no widget claims the key, so the menu's shortcut fires.
            event->ignore();
            return true;
        }
    }
    return false;
}
