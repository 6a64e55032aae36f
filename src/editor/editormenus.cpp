#include "editor/editormenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusTipEvent>
#include <QWidget>

#include <utility>

namespace {
enum : unsigned {
    Always = 0,
    Figure = 1u << KindFigure,
    Text = 1u << KindText,
    Picture = 1u << KindPicture,
    Code = 1u << KindCode,
};

struct Entry {
    const char* name; // "-": separator
    const char* caption;
    const char* hint;
    unsigned kinds; // kinds for which the entry is enabled; Always: never disabled
};

// clang-format off
constexpr Entry ObjectMenu[] = {
    {"Lschen1", "&Löschen...", "Löscht das Objekt", Always},
    {"-", nullptr, nullptr, 0},
    {"Nachvorne1", "Nach &vorne", "Bringt das Objekt nach vorne, so daß es immer sichtbar ist", Always},
    {"NachHinen1", "Nach &hinten", "Bringt das Objekt nach hinten, also hinter alle anderen Objekte", Always},
    {"-", nullptr, nullptr, 0},
    {"FarbeM", "&Farbe...", "Ändert die Farbe das Objekts", Figure | Text | Code},
    {"SchriftartM", "&Schriftart...", "Ändert die Schriftart", Text},
    {"Texteffekte1", "&Texteffekte...", "", Text},
    {"CodeM", "Co&de...", "Ändert Codeart und Daten des Codes", Code},
    // Outline and fill of figures.
    {"LinieFuellungM", "Linie und F&üllung...", "Ändert Füllung, Umrissfarbe und Linienbreite der Figur", Figure},
    {"-", nullptr, nullptr, 0},
    {"Linksbnig1", "Linksbündig", "", Text},
    {"Zentriert1", "Zentriert", "", Text},
    {"Rechtsbndig1", "Rechtsbündig", "", Text},
    {"-", nullptr, nullptr, 0},
    {"Transparenz1", "Transparen&z...", "", Picture},
    {"SverhM", "Se&itenverhältnis beibehalten", "Hiermit wird das Bild nicht verzerrt, sollte immer an sein", Picture},
    {"-", nullptr, nullptr, 0},
    {"Nachlinksrotieren1", "Nach links rotieren", "", Text | Picture | Code},
    {"Nachrechtsrotieren1", "Nach rechts rotieren", "", Text | Picture | Code},
    {"-", nullptr, nullptr, 0},
    {"KreisM", "&Kreis", "Das Objekt ist ein Kreis", Figure},
    {"EllipseM", "&Ellipse", "Das Objekt ist eine Ellipse", Figure},
    {"QuadratM", "&Quadrat", "Das Objekt ist ein Quadrat", Figure},
    {"RechteckM", "&Rechteck", "Das Objekt ist ein Rechteck", Figure},
    {"Rund1M", "&Quadrat &abgerundet", "Das Objekt ist ein abgerundetes Quadrat", Figure},
    {"Rund2M", "Rechteck a&bgerundet", "Das Objekt ist ein abgerundetes Rechteck", Figure},
    {"Liniehorizontal1", "Linie &horizontal", "Das Objekt ist eine horizontale Linie", Figure},
    {"Linievertikal1", "Linie &vertikal", "Das Objekt ist eine vertikale Linie", Figure},
};
// clang-format on

const char* const AlignEntries[3] = {"Linksbnig1", "Zentriert1", "Rechtsbndig1"};
const char* const ShapeEntries[8] = {"KreisM", "EllipseM", "QuadratM",         "RechteckM",
                                     "Rund1M", "Rund2M",   "Liniehorizontal1", "Linievertikal1"};

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

EditorMenus::EditorMenus(QWidget* owner) : QObject(owner), owner_(owner) {
    PopupMenu1 = newMenu("PopupMenu1");
    auto* shapes = new QActionGroup(this);
    shapes->setExclusive(true);
    for (const Entry& e : ObjectMenu) {
        if (QLatin1String(e.name) == QLatin1String("-")) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* a = PopupMenu1->addAction(text(e.caption));
        a->setObjectName(text(e.name));
        a->setStatusTip(text(e.hint));
        a->setData(e.kinds);
        actions_.insert(a->objectName(), a);
    }
    // The key is handled by the editor itself; the menu only shows it.
    QAction* del = action(QStringLiteral("Lschen1"));
    del->setShortcut(QKeySequence(QKeySequence::Delete));
    del->setShortcutContext(Qt::WidgetShortcut);
    del->setShortcutVisibleInContextMenu(true);
    // One alignment at a time, also after an entry was clicked.
    auto* alignments = new QActionGroup(this);
    alignments->setExclusive(true);
    for (const char* name : AlignEntries) {
        QAction* a = action(text(name));
        a->setCheckable(true);
        alignments->addAction(a);
    }
    action(QStringLiteral("SverhM"))->setCheckable(true);
    for (const char* name : ShapeEntries) {
        QAction* a = action(text(name));
        a->setCheckable(true);
        shapes->addAction(a);
    }

    addPlacementEntries();

    PBoxPopup = newMenu("PBoxPopup");
    QAction* bkgnd = PBoxPopup->addAction(QStringLiteral("&Hintergrundbild..."));
    bkgnd->setObjectName(QStringLiteral("Hintergrundbild1"));
    bkgnd->setStatusTip(QStringLiteral("Ändert die Einstellungen des Hintergrundbildes"));
    actions_.insert(bkgnd->objectName(), bkgnd);
}

void EditorMenus::addPlacementEntries() {
    // At the end of the object menu, for every kind.
    PopupMenu1->addSeparator();
    QAction* a = PopupMenu1->addAction(QStringLiteral("Position und &Größe..."));
    a->setObjectName(QStringLiteral("PositionM"));
    a->setStatusTip(QStringLiteral("Setzt Position und Größe des Objekts in Millimetern"));
    a->setData(Always);
    actions_.insert(a->objectName(), a);
}

QMenu* EditorMenus::newMenu(const char* name) {
    auto* menu = new QMenu(owner_);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QLatin1String(name));
    // The hint of the entry under the mouse goes to the owner's status line, and
    // leaves with the menu.
    auto tip = [this](const QString& hint) {
        QStatusTipEvent event(hint);
        QCoreApplication::sendEvent(owner_, &event);
    };
    connect(menu, &QMenu::hovered, this, [tip](QAction* a) { tip(a->statusTip()); });
    connect(menu, &QMenu::aboutToHide, this, [tip] { tip(QString()); });
    return menu;
}

QAction* EditorMenus::action(const QString& name) const {
    return actions_.value(name);
}

void EditorMenus::prepare(const Tobs& obj) {
    const unsigned kind = obj.Kind >= KindFigure && obj.Kind <= KindCode ? 1u << obj.Kind : 0u;
    for (QAction* a : std::as_const(actions_)) {
        const unsigned kinds = a->data().toUInt();
        if (a->objectName() != QLatin1String("Hintergrundbild1"))
            a->setEnabled(kinds == Always || (kinds & kind));
    }
    if (obj.Kind == KindText) {
        for (int i = 0; i < 3; ++i)
            action(text(AlignEntries[i]))->setChecked(obj.TextAlign == i);
    }
    action(QStringLiteral("SverhM"))->setChecked(obj.KeepAspect);
    if (obj.Shape >= 0 && obj.Shape <= 7)
        action(text(ShapeEntries[obj.Shape]))->setChecked(true);
}
