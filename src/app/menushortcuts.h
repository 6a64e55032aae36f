#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class MainMenu;
class QAction;
class QWidget;

// The main menu's shortcuts come first in the main window: its text fields and
// spin boxes (also the editor's hidden key field) would otherwise take Ctrl+U,
// Ctrl+E, Ctrl+D or Ctrl+H as line-editing keys and swallow the command.
class MenuShortcutPriority : public QObject {
public:
    MenuShortcutPriority(QWidget& window, const MainMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QList<QPointer<QAction>> actions_;
};
