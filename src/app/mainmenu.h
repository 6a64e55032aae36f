#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;

// The main menu, built from one table. Every entry has a hint that the status bar
// shows. Commands are connected by whoever owns them; entries without a command
// yet stay disabled.
class MainMenu {
public:
    explicit MainMenu(QMainWindow* window);
    QAction* action(const QString& key) const;
    const QHash<QString, QAction*>& actions() const { return actions_; }

private:
    QHash<QString, QAction*> actions_;
};
