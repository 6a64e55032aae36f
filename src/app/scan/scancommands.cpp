#include "app/scan/scancommands.h"

#include "app/mainmenu.h"
#include "app/scan/jpegqform.h"
#include "app/scan/prescandialog.h"
#include "app/scan/scannerselectdialog.h"
#include "app/sdiappform.h"
#include "codec/appevents.h"
#include "document/settingsstore.h"
#include "render/picturesave.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>

namespace {
const QString ScannerKey = QStringLiteral("Scanner/Geraet");

// Talking to SANE may take seconds (devices on the network).
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

ScanCommands::ScanCommands(TSDIAppForm& window, Prompts& prompts)
    : QObject(&window), window_(window), prompts_(prompts),
      selectDialog_(new ScannerSelectDialog(&window)),
      preScan_(new PreScanDialog([this](const ScanRequest& r) { return startScan(r); }, &window)),
      jpegForm_(new TJPEGQForm(&window)), saveDialog_(pictureSaveDialog()) {
    TWAIN_SetCurrentScanner(SettingsStore::open()->value(ScannerKey).toString());
    QAction* select = window.Menu->action(QStringLiteral("Scannerauswhlen1"));
    QAction* scan = window.Menu->action(QStringLiteral("Bildeinscanne1"));
    connect(select, &QAction::triggered, this, &ScanCommands::Scannerauswhlen1Click);
    connect(scan, &QAction::triggered, this, &ScanCommands::Bildeinscanne1Click);
    setMenuEnabled(true);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &ScanCommands::shutdown);
}

ScanCommands::~ScanCommands() {
    shutdown();
}

void ScanCommands::shutdown() {
    TWAIN_Shutdown();
}

void ScanCommands::setMenuEnabled(bool enabled) {
    window_.Menu->action(QStringLiteral("Scannerauswhlen1"))->setEnabled(enabled);
    window_.Menu->action(QStringLiteral("Bildeinscanne1"))->setEnabled(enabled);
}

bool ScanCommands::dispatch(QEvent* event) {
    if (event->type() == ProgressEventType) {
        WMUser(static_cast<ProgressEvent*>(event)->Value);
        return true;
    }
    if (event->type() == ScanFinishedEventType) {
        WMUser2(static_cast<ScanFinishedEvent*>(event)->Ticket);
        return true;
    }
    return false;
}

bool ScanCommands::selectScanner() {
    // Finding the devices may take seconds; the list itself is shown without the
    // wait cursor.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool waiting = true;
    int chosen = -1;
    const QString failure = TWAIN_SelectScanner([&](const QList<ScanDevice>& devices, int current) {
        QApplication::restoreOverrideCursor();
        waiting = false;
        chosen = selectDialog_->choose(devices, current);
        return chosen;
    });
    if (waiting)
        QApplication::restoreOverrideCursor();
    if (!failure.isEmpty()) {
        prompts_.message(failure, QStringLiteral("Scanner auswählen"), Prompts::Buttons::Ok,
                         Prompts::Icon::Warning);
        return false;
    }
    if (chosen < 0)
        return false;
    auto settings = SettingsStore::open();
    settings->setValue(ScannerKey, TWAIN_CurrentScanner());
    settings->sync();
    return true;
}

void ScanCommands::Scannerauswhlen1Click() {
    selectScanner();
}

void ScanCommands::Bildeinscanne1Click() {
    if (TWAIN_ScanRunning())
        return;
    if (TWAIN_CurrentScanner().isEmpty() && !selectScanner())
        return;
    const QString device = TWAIN_CurrentScanner();
    ScanDeviceOptions options;
    QString failure;
    {
        const WaitCursor wait;
        failure = TWAIN_DeviceOptions(device, options);
    }
    if (!failure.isEmpty()) {
        prompts_.message(failure, QStringLiteral("Bild einscannen"), Prompts::Buttons::Ok,
                         Prompts::Icon::Warning);
        return;
    }
    preScan_->setDevice(device, device, options, lastRequest_);
    preScan_->exec();
}

bool ScanCommands::startScan(const ScanRequest& request) {
    if (!TWAIN_ScanImage(&window_, request))
        return false;
    lastRequest_ = request;
    setMenuEnabled(false);
    return true;
}

void ScanCommands::WMUser(int progress) {
    window_.ProgressBar1->setValue(progress);
    preScan_->showProgress(progress);
}

void ScanCommands::WMUser2(int ticket) {
    setMenuEnabled(true);
    preScan_->scanEnded();
    TDibRecord picture;
    QString failure;
    GetScanedDib(picture, ticket, &failure);
    if (!failure.isEmpty()) {
        prompts_.message(failure, QStringLiteral("Bild einscannen"), Prompts::Buttons::Ok,
                         Prompts::Icon::Warning);
        return;
    }
    if (!picture.hasPicture())
        return; // cancelled
    savePictureAs(picture, prompts_, saveDialog_, [this] { return jpegForm_->askQuality(); });
}
