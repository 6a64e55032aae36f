#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class TSDIAppForm;

// The menu "&Bearbeiten" between "&Datei" and "&Einstellungen": undo and redo of the
// document's steps (their captions name the step), cut, copy, paste and duplicate of
// the selected object, and its exact position, size and alignment on the label. It
// also keeps the window's caption, the pages and the sheet summary in step with the
// undo stack.
//
// The edit keys act on objects while the editor's key field has the focus; every
// other text field keeps its own Ctrl+Z/X/C/V.
class EditMenu : public QObject {
    Q_OBJECT
public:
    explicit EditMenu(TSDIAppForm& window);

    QMenu* menu() const { return menu_; }
    QAction* action(const QString& key) const { return actions_.value(key); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    // "Position und Größe..." and the submenu "Auf dem Etikett ausrichten".
    void buildPlacement();
    void updateUndoCaptions();
    void documentChanged();
    bool editorBusy() const;

    TSDIAppForm& window_;
    QMenu* menu_ = nullptr;
    QHash<QString, QAction*> actions_;
};
