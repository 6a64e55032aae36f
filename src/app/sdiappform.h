#pragma once

#include "document/labeldocument.h"

#include <QMainWindow>

class DocumentCommands;
class EditMenu;
class EditorPage;
class InfoDialog;
class LifecycleCommands;
class MainMenu;
class Prompts;
class QLabel;
class QProgressBar;
class QTabWidget;
class ScanCommands;
class TPrintPage;
class WizardPage;

// The main window: holds the one open document and composes the pages, the menu,
// the sheet summary, the progress bar and the status line.
class TSDIAppForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TSDIAppForm(Prompts& prompts, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    LabelDocument Doc;
    bool FirstShown = false;

    QTabWidget* Pages = nullptr;
    WizardPage* WizardPg = nullptr;
    EditorPage* EditorPg = nullptr;
    TPrintPage* PrintPg = nullptr;
    QLabel* InfoPanel = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    MainMenu* Menu = nullptr;
    InfoDialog* Info = nullptr;
    DocumentCommands* Commands = nullptr;
    LifecycleCommands* Lifecycle = nullptr;
    ScanCommands* Scan = nullptr;
    EditMenu* Edit = nullptr;

    // The running label number of the wizard page. A change made here (a print, a
    // typed value) is stored at once; the stored number is taken up again before each
    // print and when the window is activated, since a print from the command line
    // may have advanced it.
    int labelNumber() const;
    void setLabelNumber(int value);
    void refreshLabelNumber();
    // After a format change: the work area anew, then as showFormat.
    void applyFormat();
    // The sheet summary, the editor's work area, the sheet preview and the wizard's
    // gallery follow the document's format and work area as they stand.
    void showFormat();
    // Document reset with everything around it: caption and views.
    void clearall();
    void updateCaption();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void connectMenu();
    // Shows the first checked row of the print page's data source in the editor.
    void showSampleRow();
    void restoreSettings();
    void storeSettings();

    Prompts& prompts_;
};
