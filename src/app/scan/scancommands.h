#pragma once

#include "codec/scanner.h"
#include "document/prompts.h"

#include <QObject>

class PreScanDialog;
class QEvent;
class QProgressBar;
class ScannerSelectDialog;
class TJPEGQForm;
class TSDIAppForm;

// Scanning and saving the scanned picture: the menu entries "Scanner auswählen..."
// and "Bild einscannen...", and the two events the scan posts to the main window.
// Closing the program stops a running scan.
class ScanCommands : public QObject {
    Q_OBJECT
public:
    ScanCommands(TSDIAppForm& window, Prompts& prompts);
    ~ScanCommands() override;

    // The main window hands every event here first; true when it was ours.
    bool dispatch(QEvent* event);

    void Scannerauswhlen1Click();
    void Bildeinscanne1Click();
    void WMUser(int progress);
    void WMUser2(int ticket);

    ScannerSelectDialog* selectDialog() const { return selectDialog_; }
    PreScanDialog* preScanDialog() const { return preScan_; }
    TJPEGQForm* jpegForm() const { return jpegForm_; }

private:
    bool selectScanner();
    bool startScan(const ScanRequest& request);
    void setMenuEnabled(bool enabled);
    void shutdown();

    TSDIAppForm& window_;
    Prompts& prompts_;
    ScannerSelectDialog* selectDialog_;
    PreScanDialog* preScan_;
    TJPEGQForm* jpegForm_;
    Prompts::FileRequest saveDialog_;
    ScanRequest lastRequest_;
};
