#include "codec/scanner.h"

#include "codec/appevents.h"
#include "codec/saneoptions.h"
#include "codec/scanframes.h"

#include <QCoreApplication>
#include <QObject>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <vector>

namespace {

// One SANE session at a time (listing, reading options, scanning).
std::mutex g_sessionMutex;

// The state of the scan worker, guarded by g_stateMutex.
std::mutex g_stateMutex;
std::thread g_worker;
std::condition_variable g_scanEnded; // `g_running` went false
QObject* g_target = nullptr;
int g_lastTicket = 0;
struct Result {
    int ticket = 0;
    TDibRecord picture;
    QString failure;
};
Result g_result;
QString g_currentScanner;

std::atomic<bool> g_running{false};
std::atomic<bool> g_cancel{false};

// The open handle of the running scan, for cancelling from another thread. A
// scan whose device offers a descriptor to wait on is cancelled by the worker
// itself (`g_polled`); only a device that blocks in its read is cancelled from
// outside, as the scanner interface allows.
std::mutex g_handleMutex;
SANE_Handle g_handle = nullptr;
bool g_polled = true;

// How long the worker waits for data before it looks at `g_cancel` again.
constexpr int CancelCheckMs = 50;
// How long the end of the program waits for a cancelled scan.
constexpr std::chrono::milliseconds ShutdownWait(3000);

QString busyText() {
    return QStringLiteral("Es läuft bereits ein Scanvorgang.");
}

// Opens SANE for the length of one call.
class SaneSession {
public:
    SaneSession() {
        // Backends feed the picture through pipes from reader threads; a scan that
        // ends early must not end the program with SIGPIPE.
        static std::once_flag ignorePipe;
        std::call_once(ignorePipe, [] { std::signal(SIGPIPE, SIG_IGN); });
        ok_ = sane_init(nullptr, nullptr) == SANE_STATUS_GOOD;
    }
    ~SaneSession() {
        if (ok_)
            sane_exit();
    }
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

QString statusText(SANE_Status status) {
    switch (status) {
    case SANE_STATUS_DEVICE_BUSY:
        return QStringLiteral("Der Scanner ist belegt.");
    case SANE_STATUS_JAMMED:
        return QStringLiteral("Im Scanner hat sich das Papier gestaut.");
    case SANE_STATUS_NO_DOCS:
        return QStringLiteral("Im Scanner liegt keine Vorlage.");
    case SANE_STATUS_COVER_OPEN:
        return QStringLiteral("Der Deckel des Scanners ist offen.");
    case SANE_STATUS_IO_ERROR:
        return QStringLiteral("Der Scanner antwortet nicht mehr.");
    case SANE_STATUS_NO_MEM:
        return QStringLiteral("Nicht genügend Speicher.");
    case SANE_STATUS_ACCESS_DENIED:
        return QStringLiteral("Kein Zugriff auf den Scanner.");
    default:
        return QStringLiteral("Der Scanner meldet einen Fehler.");
    }
}

QString scanFailure(const QString& reason) {
    return QStringLiteral("Fehler beim Einscannen: ") + reason;
}

// Opens a device for the length of one call.
class OpenDevice {
public:
    explicit OpenDevice(const QString& name) {
        status_ = sane_open(name.toUtf8().constData(), &handle_);
        if (status_ != SANE_STATUS_GOOD)
            handle_ = nullptr;
    }
    ~OpenDevice() {
        if (handle_)
            sane_close(handle_);
    }
    SANE_Handle handle() const { return handle_; }
    SANE_Status status() const { return status_; }

private:
    SANE_Handle handle_ = nullptr;
    SANE_Status status_ = SANE_STATUS_INVAL;
};

QString openFailure(SANE_Status status) {
    return QStringLiteral("Der Scanner konnte nicht geöffnet werden. ") + statusText(status);
}

// --- the worker ------------------------------------------------------------

void post(QEvent* event) {
    std::lock_guard lock(g_stateMutex);
    if (g_target)
        QCoreApplication::postEvent(g_target, event);
    else
        delete event;
}

void applyRequest(SANE_Handle h, const ScanRequest& r) {
    if (!r.mode.isEmpty())
        saneoptions::setMode(h, r.mode);
    if (r.resolution > 0)
        saneoptions::setNumber(h, SANE_NAME_SCAN_RESOLUTION, r.resolution);
    if (!r.area.isNull()) {
        // The corner first shrinks nothing the far corner still needs.
        saneoptions::setNumber(h, SANE_NAME_SCAN_TL_X, r.area.left());
        saneoptions::setNumber(h, SANE_NAME_SCAN_TL_Y, r.area.top());
        saneoptions::setNumber(h, SANE_NAME_SCAN_BR_X, r.area.right());
        saneoptions::setNumber(h, SANE_NAME_SCAN_BR_Y, r.area.bottom());
    }
}

ScanFrameAssembler::Channel channelOf(SANE_Frame f) {
    switch (f) {
    case SANE_FRAME_RGB:
        return ScanFrameAssembler::Channel::Rgb;
    case SANE_FRAME_RED:
        return ScanFrameAssembler::Channel::Red;
    case SANE_FRAME_GREEN:
        return ScanFrameAssembler::Channel::Green;
    case SANE_FRAME_BLUE:
        return ScanFrameAssembler::Channel::Blue;
    default:
        return ScanFrameAssembler::Channel::Gray;
    }
}

// Switches the device to non-blocking reads and returns the descriptor to wait
// on, or -1 when the device only reads blocking. Asked after every start: the
// mode holds for one frame. A cancel that comes before `g_polled` is cleared is
// seen by the caller's next look at `g_cancel`; one that comes after reaches the
// device from outside.
int waitableDescriptor(SANE_Handle h) {
    SANE_Int fd = -1;
    if (sane_set_io_mode(h, SANE_TRUE) == SANE_STATUS_GOOD &&
        (sane_get_select_fd(h, &fd) != SANE_STATUS_GOOD || fd < 0)) {
        sane_set_io_mode(h, SANE_FALSE);
        fd = -1;
    }
    std::lock_guard lock(g_handleMutex);
    g_polled = fd >= 0;
    return fd;
}

// Waits until the device has data (or has ended: a closed pipe counts as
// readable). False when the scan was cancelled meanwhile.
bool waitForData(int fd) {
    pollfd p{fd, POLLIN, 0};
    while (!g_cancel) {
        const int n = ::poll(&p, 1, CancelCheckMs);
        if (n != 0 && !(n < 0 && errno == EINTR))
            return true;
    }
    return false;
}

// Backends that feed the picture from a reader thread stop that thread the
// moment the last byte of a frame is read, whatever it is doing then; caught
// while it frees its buffers, it can leave the process's memory allocator
// locked. So once a frame's rest is all waiting in the descriptor, the reader
// gets a moment to wind down before the last read.
// True once it had that moment.
bool letReaderFinish(int fd, qint64 remaining) {
    int waiting = 0;
    if (remaining <= 0 || ::ioctl(fd, FIONREAD, &waiting) != 0 || waiting < remaining)
        return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return true;
}

// Reads all frames of one scan. Returns the failure text; empty on success or
// when cancelled (then `picture` stays empty).
QString readScan(SANE_Handle h, TDibRecord& picture) {
    ScanFrameAssembler assembler;
    std::vector<char> buffer(64 * 1024);
    int framesDone = 0;
    int lastProgress = -1;
    for (;;) {
        SANE_Status status = sane_start(h);
        if (g_cancel || status == SANE_STATUS_CANCELLED)
            return QString();
        if (status != SANE_STATUS_GOOD)
            return scanFailure(statusText(status));
        SANE_Parameters p;
        if (sane_get_parameters(h, &p) != SANE_STATUS_GOOD)
            return scanFailure(statusText(SANE_STATUS_IO_ERROR));
        ScanFrameAssembler::Frame frame;
        frame.channel = channelOf(p.format);
        frame.depth = p.depth;
        frame.pixelsPerLine = p.pixels_per_line;
        frame.bytesPerLine = p.bytes_per_line;
        frame.lines = p.lines;
        if (p.format > SANE_FRAME_BLUE || !assembler.beginFrame(frame))
            return scanFailure(QStringLiteral("Das Bildformat des Scanners wird nicht unterstützt "
                                              "oder das Bild ist zu groß."));
        const bool threePass = frame.channel != ScanFrameAssembler::Channel::Gray &&
                               frame.channel != ScanFrameAssembler::Channel::Rgb;
        const int frames = threePass ? 3 : 1;
        const qint64 expected = assembler.expectedBytes();
        qint64 got = 0;
        const int fd = waitableDescriptor(h);
        bool readerFinished = false;
        for (;;) {
            if (g_cancel || (fd >= 0 && !waitForData(fd)))
                return QString();
            if (fd >= 0 && !readerFinished)
                readerFinished = letReaderFinish(fd, expected - got);
            SANE_Int length = 0;
            status = sane_read(h, reinterpret_cast<SANE_Byte*>(buffer.data()),
                               SANE_Int(buffer.size()), &length);
            if (g_cancel || status == SANE_STATUS_CANCELLED)
                return QString();
            if (status == SANE_STATUS_EOF)
                break;
            if (status != SANE_STATUS_GOOD)
                return scanFailure(statusText(status));
            if (!assembler.addData(buffer.data(), length))
                return scanFailure(QStringLiteral("Das eingescannte Bild ist zu groß."));
            got += length;
            if (expected > 0) {
                const int progress = int((framesDone * expected + std::min(got, expected)) * 100 /
                                         (frames * expected));
                if (progress != lastProgress && progress < 100) {
                    lastProgress = progress;
                    post(new ProgressEvent(progress));
                }
            }
        }
        ++framesDone;
        if (p.last_frame)
            break;
        if (framesDone >= 3)
            return scanFailure(QStringLiteral("Der Scanner liefert mehr Teilbilder als erwartet."));
    }
    picture = assembler.finish();
    if (!picture.hasPicture())
        return scanFailure(QStringLiteral("Der Scanner hat das Bild nicht vollständig geliefert."));
    setPictureResolution(picture, saneoptions::scanResolution(h));
    post(new ProgressEvent(100));
    return QString();
}

void runScan(ScanRequest request, int ticket) {
    TDibRecord picture;
    QString failure;
    {
        std::lock_guard session(g_sessionMutex);
        SaneSession sane;
        if (!sane.ok()) {
            failure = QStringLiteral("Die Scannerschnittstelle konnte nicht gestartet werden.");
        } else {
            SANE_Handle h = nullptr;
            const SANE_Status status = sane_open(request.device.toUtf8().constData(), &h);
            if (status != SANE_STATUS_GOOD) {
                failure = openFailure(status);
            } else {
                {
                    std::lock_guard lock(g_handleMutex);
                    g_handle = h;
                }
                if (!g_cancel) {
                    applyRequest(h, request);
                    failure = readScan(h, picture);
                }
                sane_cancel(h);
                std::lock_guard lock(g_handleMutex);
                g_handle = nullptr;
                g_polled = true;
                sane_close(h);
            }
        }
    }
    if (g_cancel)
        picture = TDibRecord();
    {
        std::lock_guard lock(g_stateMutex);
        g_result = Result{ticket, picture, failure};
        g_running = false;
    }
    g_scanEnded.notify_all();
    post(new ScanFinishedEvent(ticket));
}

// Waits for the worker to end. With a limit, a worker that is still inside
// the scanner interface when it runs out (a backend that never returns from a
// cancel) is left behind rather than holding up the end of the program.
void joinWorker(std::chrono::milliseconds limit = std::chrono::milliseconds::max()) {
    std::thread worker;
    {
        std::unique_lock lock(g_stateMutex);
        if (!g_worker.joinable())
            return;
        if (limit != std::chrono::milliseconds::max() &&
            !g_scanEnded.wait_for(lock, limit, [] { return !g_running; })) {
            g_worker.detach();
            return;
        }
        worker.swap(g_worker);
    }
    worker.join();
}

} // namespace

QString TWAIN_ListScanners(QList<ScanDevice>& out) {
    out.clear();
    std::unique_lock session(g_sessionMutex, std::try_to_lock);
    if (!session.owns_lock() || g_running)
        return busyText();
    SaneSession sane;
    const SANE_Device** list = nullptr;
    if (sane.ok() && sane_get_devices(&list, SANE_FALSE) == SANE_STATUS_GOOD && list) {
        for (const SANE_Device** d = list; *d; ++d) {
            const QString description =
                QStringList{QString::fromUtf8((*d)->vendor), QString::fromUtf8((*d)->model),
                            QString::fromUtf8((*d)->type)}
                    .join(QLatin1Char(' '))
                    .simplified();
            out.append({QString::fromUtf8((*d)->name), description});
        }
    }
    if (out.isEmpty())
        return QStringLiteral("Es wurde kein Scanner gefunden.");
    return QString();
}

QString TWAIN_SelectScanner(const ScannerChooser& choose) {
    QList<ScanDevice> devices;
    const QString failure = TWAIN_ListScanners(devices);
    if (!failure.isEmpty())
        return failure;
    const QString current = TWAIN_CurrentScanner();
    int currentIndex = -1;
    for (int i = 0; i < devices.size(); ++i)
        if (devices[i].name == current)
            currentIndex = i;
    const int chosen = choose(devices, currentIndex);
    if (chosen >= 0 && chosen < devices.size())
        TWAIN_SetCurrentScanner(devices[chosen].name);
    return QString();
}

QString TWAIN_CurrentScanner() {
    std::lock_guard lock(g_stateMutex);
    return g_currentScanner;
}

void TWAIN_SetCurrentScanner(const QString& device) {
    std::lock_guard lock(g_stateMutex);
    g_currentScanner = device;
}

QString TWAIN_DeviceOptions(const QString& device, ScanDeviceOptions& out) {
    out = ScanDeviceOptions();
    std::unique_lock session(g_sessionMutex, std::try_to_lock);
    if (!session.owns_lock() || g_running)
        return busyText();
    SaneSession sane;
    if (!sane.ok())
        return QStringLiteral("Die Scannerschnittstelle konnte nicht gestartet werden.");
    OpenDevice dev(device);
    if (!dev.handle())
        return openFailure(dev.status());
    out.modes = saneoptions::modes(dev.handle());
    out.mode = saneoptions::currentMode(dev.handle());
    out.resolutions = saneoptions::resolutionChoices(dev.handle(), &out.resolution);
    out.hasArea = saneoptions::readArea(dev.handle(), &out.maxArea, &out.area);
    return QString();
}

bool TWAIN_ScanImage(QObject* window, const ScanRequest& request) {
    if (g_running.exchange(true))
        return false;
    joinWorker(); // the previous scan has ended; its thread may still be winding up
    std::lock_guard lock(g_stateMutex);
    g_cancel = false;
    g_target = window;
    g_result = Result();
    const int ticket = ++g_lastTicket;
    g_worker = std::thread(runScan, request, ticket);
    return true;
}

bool TWAIN_ScanRunning() {
    return g_running;
}

void TWAIN_CancelScan() {
    if (!g_running)
        return;
    g_cancel = true;
    std::lock_guard lock(g_handleMutex);
    if (g_handle && !g_polled)
        sane_cancel(g_handle);
}

void TWAIN_Shutdown() {
    {
        std::lock_guard lock(g_stateMutex);
        g_target = nullptr;
    }
    TWAIN_CancelScan();
    joinWorker(ShutdownWait);
    std::lock_guard lock(g_stateMutex);
    g_result = Result();
}

void GetScanedDib(TDibRecord& out, int ticket, QString* failure) {
    out = TDibRecord();
    if (failure)
        failure->clear();
    std::lock_guard lock(g_stateMutex);
    if (ticket == 0 || g_result.ticket != ticket)
        return;
    out = g_result.picture;
    if (failure)
        *failure = g_result.failure;
    g_result = Result();
}
