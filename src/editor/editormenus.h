#pragma once

#include "document/tobs.h"

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

// The editor's two context menus: PopupMenu1 for the selected object and PBoxPopup
// for the empty work area. Their hints show in the status line of the owner's window.
class EditorMenus : public QObject {
    Q_OBJECT
public:
    explicit EditorMenus(QWidget* owner);

    QMenu* PopupMenu1 = nullptr;
    QMenu* PBoxPopup = nullptr;

    // An entry by its name ("Lschen1", "KreisM", "Hintergrundbild1", ...).
    QAction* action(const QString& name) const;
    // Enables the object menu's entries for the object's kind and sets the check
    // marks of alignment, keep-aspect and shape.
    void prepare(const Tobs& obj);

private:
    QMenu* newMenu(const char* name);
    void addPlacementEntries();
    QWidget* owner_;
    QHash<QString, QAction*> actions_;
};
