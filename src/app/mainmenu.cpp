#include "app/mainmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>

namespace {
struct Entry {
    const char* menu; // caption of the menu; null: same as before
    const char* key;  // object name of the action; "-": separator; ">": a submenu
                      // of the entries up to "<"
    const char* text;
    const char* shortcut;
    const char* hint;
};

// clang-format off
constexpr Entry Table[] = {
    {"&Datei", "Neu1", "&Neu...", "Ctrl+N", "Neue Datei erstellen"},
    {nullptr, "OpenItem", "Ö&ffnen...", "Ctrl+O", "Etiketten-Datei öffnen"},
    {nullptr, "SaveItem", "&Speichern", "Ctrl+S", "Aktuelle Etiketten speichern"},
    {nullptr, "Speichernunter1", "Speichern &unter...", "Ctrl+U", "Aktuelle Etiketten unter speziellem Namen speichern"},
    {nullptr, "-", nullptr, nullptr, nullptr},
    {nullptr, "Scannerauswhlen1", "Scanner auswählen...", "", "Läßt sie den aktiven Scanner auswählen"},
    {nullptr, "Bildeinscanne1", "Bild einscannen...", "", "Läßt sie ein Bild einscannen und speichern"},
    {nullptr, "-", nullptr, nullptr, nullptr},
    {nullptr, "PrintSetup", "Drucker &einrichten...", "Ctrl+E", "Richtet den Drucker ein"},
    {nullptr, "Print", "&Drucken...", "Ctrl+D", "Druckt die Etiketten"},
    {nullptr, "-", nullptr, nullptr, nullptr},
    {nullptr, "ExitItem", "&Beenden", "Alt+X", "Anwendung verlassen"},
    {"&Einstellungen", "Hintergrundbild1", "&Hintergrundbild...", "Ctrl+H", "Ändert die Einstellungen des Hintergrundbildes"},
    {nullptr, "Etikettenformat1", "&Etikettenformat...", "", "Verändert die Einstellungen der Größe und der Abstände"},
    {nullptr, ">", "&Raster", "", "Zeigt ein Punktraster auf dem Etikett, an dem Objekte einrasten"},
    {nullptr, "RasterAus", "&aus", "", "Kein Raster"},
    {nullptr, "Raster1mm", "&1 mm", "", "Raster von 1 mm"},
    {nullptr, "Raster25mm", "&2,5 mm", "", "Raster von 2,5 mm"},
    {nullptr, "Raster5mm", "&5 mm", "", "Raster von 5 mm"},
    {nullptr, "<", nullptr, nullptr, nullptr},
    {"&Hilfe", "Info1", "Inf&o...", "Ctrl+I", "Zeigt Informationen über das Programm"},
};
// clang-format on
} // namespace

MainMenu::MainMenu(QMainWindow* window) {
    QMenu* menu = nullptr;
    QMenu* outer = nullptr; // the menu that holds the open submenu
    for (const Entry& e : Table) {
        if (e.menu) {
            menu = window->menuBar()->addMenu(QString::fromUtf8(e.menu));
            menu->setObjectName(QString::fromUtf8(e.menu).remove(QLatin1Char('&')) +
                                QStringLiteral("Menu"));
            // The hint of the last entry leaves with the menu.
            QObject::connect(menu, &QMenu::aboutToHide, window, [window] {
                QStatusTipEvent empty{QString()};
                QCoreApplication::sendEvent(window, &empty);
            });
        }
        if (QLatin1String(e.key) == QLatin1String("-")) {
            menu->addSeparator();
            continue;
        }
        if (QLatin1String(e.key) == QLatin1String(">")) {
            outer = menu;
            menu = outer->addMenu(QString::fromUtf8(e.text));
            menu->setObjectName(QString::fromUtf8(e.text).remove(QLatin1Char('&')) +
                                QStringLiteral("Menu"));
            menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
            menu->menuAction()->setStatusTip(QString::fromUtf8(e.hint));
            continue;
        }
        if (QLatin1String(e.key) == QLatin1String("<")) {
            menu = outer;
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(e.text));
        a->setObjectName(QString::fromUtf8(e.key));
        a->setShortcut(QKeySequence(QString::fromUtf8(e.shortcut)));
        a->setStatusTip(QString::fromUtf8(e.hint));
        a->setToolTip(QString::fromUtf8(e.hint));
        a->setEnabled(false);
        // A chosen entry's hint is done with: it does not stay through its dialog.
        QObject::connect(a, &QAction::triggered, window, [window] {
            QStatusTipEvent empty{QString()};
            QCoreApplication::sendEvent(window, &empty);
        });
        actions_.insert(a->objectName(), a);
    }
}

QAction* MainMenu::action(const QString& key) const {
    return actions_.value(key);
}
