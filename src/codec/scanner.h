#pragma once

#include "codec/dibrecord.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// Scanning through SANE. Every call opens its own SANE session and closes it
// again, so a scanner plugged in later is found and nothing stays open between
// scans. Only one session runs at a time: while a scan runs, the other calls
// answer "busy".
//
// A scan runs on a worker thread and reports to a window by posted events:
// ProgressEvent (0..100) while it reads, ScanFinishedEvent when it has ended, in
// every case. The finished event's ticket fetches the result with GetScanedDib.

struct ScanDevice {
    QString name;        // SANE device name
    QString description; // vendor, model and kind, for people
};

// What a device offers for the scan dialog. The modes are the program's names:
// "Farbe", "Graustufen", "Strichzeichnung".
struct ScanDeviceOptions {
    QStringList modes;
    QString mode;
    QList<int> resolutions; // dots per inch, ascending
    int resolution = 0;
    bool hasArea = false;
    QRectF maxArea; // millimetres
    QRectF area;    // the device's current scan area
};

struct ScanRequest {
    QString device;
    QString mode;       // empty: as the device is set
    int resolution = 0; // 0: as the device is set
    QRectF area;        // millimetres; null: as the device is set
};

inline const QString ScanModeColor = QStringLiteral("Farbe");
inline const QString ScanModeGray = QStringLiteral("Graustufen");
inline const QString ScanModeLineArt = QStringLiteral("Strichzeichnung");

// The devices SANE finds. Returns an empty text or a German message (none found,
// busy).
QString TWAIN_ListScanners(QList<ScanDevice>& out);

// Lets `choose` pick one of the devices (it gets them and the index of the current
// one, -1 for none, and returns the chosen index or -1 for none). The choice
// becomes the current scanner. Returns an empty text or a German message.
using ScannerChooser = std::function<int(const QList<ScanDevice>&, int current)>;
QString TWAIN_SelectScanner(const ScannerChooser& choose);

// The scanner later scans use (kept by the caller between runs).
QString TWAIN_CurrentScanner();
void TWAIN_SetCurrentScanner(const QString& device);

// Reads what the device offers. Returns an empty text or a German message.
QString TWAIN_DeviceOptions(const QString& device, ScanDeviceOptions& out);

// Starts a scan and returns at once; false when one runs already.
bool TWAIN_ScanImage(QObject* window, const ScanRequest& request);
bool TWAIN_ScanRunning();
// Asks a running scan to stop; it ends with a finished event without picture.
void TWAIN_CancelScan();
// Stops a running scan, waits for its end (a few seconds at most: a device
// that does not come back is left to the end of the process) and posts nothing
// more; results not fetched yet are freed. For the end of the program.
void TWAIN_Shutdown();

// The picture of a finished scan (no picture when it was cancelled or failed).
// `failure` receives the German message of a failed scan, empty otherwise. A
// result is handed out once.
void GetScanedDib(TDibRecord& out, int ticket, QString* failure = nullptr);
