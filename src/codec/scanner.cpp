#include "codec/scanner.h"

#include "codec/appevents.h"
#include "codec/scanframes.h"

#include <QCoreApplication>
#include <QObject>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// One SANE session at a time (listing, reading options, scanning).
std::mutex g_sessionMutex;

// The state of the scan worker, guarded by g_stateMutex.
std::mutex g_stateMutex;
std::thread g_worker;
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

// The open handle of the running scan, for cancelling from another thread.
std::mutex g_handleMutex;
SANE_Handle g_handle = nullptr;

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

int findOption(SANE_Handle h, const char* name) {
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (d && d->name && qstrcmp(d->name, name) == 0)
            return i;
    }
    return -1;
}

const SANE_Option_Descriptor* usableOption(SANE_Handle h, const char* name, int* index) {
    *index = findOption(h, name);
    if (*index < 0)
        return nullptr;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || d->size < int(sizeof(SANE_Word)))
        return nullptr;
    return d;
}

// The program's name of a device's mode, empty for modes it does not offer.
QString modeLabel(const char* value) {
    const QByteArray v = QByteArray(value).toLower();
    if (v == "color" || v == "colour" || v == "24bit color")
        return ScanModeColor;
    if (v == "gray" || v == "grey" || v == "grayscale" || v == "greyscale")
        return ScanModeGray;
    if (v == "lineart" || v == "binary" || v == "black & white")
        return ScanModeLineArt;
    return QString();
}

double wordToDouble(const SANE_Option_Descriptor* d, SANE_Word w) {
    return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
}
SANE_Word doubleToWord(const SANE_Option_Descriptor* d, double v) {
    return d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : SANE_Word(std::lround(v));
}

bool numericOption(const SANE_Option_Descriptor* d) {
    return d && (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED);
}

bool readNumber(SANE_Handle h, const char* name, double* value,
                const SANE_Option_Descriptor** desc = nullptr) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, name, &index);
    if (!numericOption(d))
        return false;
    SANE_Word w = 0;
    if (sane_control_option(h, index, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return false;
    *value = wordToDouble(d, w);
    if (desc)
        *desc = d;
    return true;
}

bool setNumber(SANE_Handle h, const char* name, double value) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, name, &index);
    if (!numericOption(d) || !SANE_OPTION_IS_SETTABLE(d->cap))
        return false;
    SANE_Word w = doubleToWord(d, value);
    return sane_control_option(h, index, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

QList<int> depthChoices(SANE_Handle h) {
    QList<int> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_BIT_DEPTH, &index);
    if (!numericOption(d) || d->constraint_type != SANE_CONSTRAINT_WORD_LIST)
        return out;
    const SANE_Word* list = d->constraint.word_list;
    for (int i = 1; i <= list[0]; ++i)
        out.append(int(wordToDouble(d, list[i])));
    return out;
}

// The device's mode values by the program's names; line art may come from grey
// at 1 bit per sample on devices that have no mode of its own.
struct ModeChoice {
    QByteArray value;
    bool greyAtOneBit = false;
};

QList<std::pair<QString, ModeChoice>> modeChoices(SANE_Handle h) {
    QList<std::pair<QString, ModeChoice>> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return out;
    QByteArray grey;
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        const QString label = modeLabel(*s);
        if (label.isEmpty())
            continue;
        if (label == ScanModeGray)
            grey = *s;
        const bool known =
            std::any_of(out.begin(), out.end(), [&](const auto& m) { return m.first == label; });
        if (!known)
            out.append({label, ModeChoice{QByteArray(*s), false}});
    }
    const bool hasLineArt = std::any_of(out.begin(), out.end(),
                                        [](const auto& m) { return m.first == ScanModeLineArt; });
    if (!hasLineArt && !grey.isEmpty() && depthChoices(h).contains(1))
        out.append({ScanModeLineArt, ModeChoice{grey, true}});
    const QStringList order{ScanModeColor, ScanModeGray, ScanModeLineArt};
    std::sort(out.begin(), out.end(), [&](const auto& a, const auto& b) {
        return order.indexOf(a.first) < order.indexOf(b.first);
    });
    return out;
}

QString currentMode(SANE_Handle h) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || d->type != SANE_TYPE_STRING)
        return QString();
    QByteArray value(d->size + 1, '\0');
    if (sane_control_option(h, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD)
        return QString();
    const QString label = modeLabel(value.constData());
    if (label == ScanModeGray && depthChoices(h).contains(1)) {
        double depth = 0;
        if (readNumber(h, SANE_NAME_BIT_DEPTH, &depth) && depth == 1)
            return ScanModeLineArt;
    }
    return label;
}

bool setMode(SANE_Handle h, const QString& label) {
    const auto choices = modeChoices(h);
    const auto it = std::find_if(choices.begin(), choices.end(),
                                 [&](const auto& m) { return m.first == label; });
    if (it == choices.end())
        return false;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || !SANE_OPTION_IS_SETTABLE(d->cap))
        return false;
    QByteArray value = it->second.value;
    value.resize(std::max<qsizetype>(value.size() + 1, d->size), '\0');
    if (sane_control_option(h, index, SANE_ACTION_SET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD)
        return false;
    // 8 bits per sample are all the picture keeps; line art wants one.
    const QList<int> depths = depthChoices(h);
    const int depth = it->second.greyAtOneBit ? 1 : 8;
    if (depths.contains(depth))
        setNumber(h, SANE_NAME_BIT_DEPTH, depth);
    return true;
}

QList<int> resolutionChoices(SANE_Handle h, int* current) {
    QList<int> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_RESOLUTION, &index);
    if (!numericOption(d))
        return out;
    double now = 0;
    readNumber(h, SANE_NAME_SCAN_RESOLUTION, &now);
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = d->constraint.word_list;
        for (int i = 1; i <= list[0]; ++i)
            out.append(int(wordToDouble(d, list[i])));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const double lo = wordToDouble(d, d->constraint.range->min);
        const double hi = wordToDouble(d, d->constraint.range->max);
        for (int dpi : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400})
            if (dpi >= lo && dpi <= hi)
                out.append(dpi);
        if (out.isEmpty())
            out << int(std::ceil(lo)) << int(hi);
    } else if (now >= 1) {
        out.append(int(now));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    out.removeIf([](int v) { return v < 1; });
    if (out.isEmpty())
        return out;
    // The device's setting when it is one of the choices, else the one nearest 150.
    *current = int(now);
    if (!out.contains(*current))
        *current = *std::min_element(out.begin(), out.end(), [](int a, int b) {
            return std::abs(a - 150) < std::abs(b - 150);
        });
    return out;
}

bool readArea(SANE_Handle h, QRectF* maxArea, QRectF* area) {
    const char* names[] = {SANE_NAME_SCAN_TL_X, SANE_NAME_SCAN_TL_Y, SANE_NAME_SCAN_BR_X,
                           SANE_NAME_SCAN_BR_Y};
    double value[4];
    double lo[4];
    double hi[4];
    for (int i = 0; i < 4; ++i) {
        const SANE_Option_Descriptor* d = nullptr;
        if (!readNumber(h, names[i], &value[i], &d) || d->unit != SANE_UNIT_MM ||
            d->constraint_type != SANE_CONSTRAINT_RANGE)
            return false;
        lo[i] = wordToDouble(d, d->constraint.range->min);
        hi[i] = wordToDouble(d, d->constraint.range->max);
    }
    *maxArea = QRectF(QPointF(lo[0], lo[1]), QPointF(hi[2], hi[3]));
    *area = QRectF(QPointF(value[0], value[1]), QPointF(value[2], value[3]));
    return maxArea->isValid();
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
        setMode(h, r.mode);
    if (r.resolution > 0)
        setNumber(h, SANE_NAME_SCAN_RESOLUTION, r.resolution);
    if (!r.area.isNull()) {
        // The corner first shrinks nothing the far corner still needs.
        setNumber(h, SANE_NAME_SCAN_TL_X, r.area.left());
        setNumber(h, SANE_NAME_SCAN_TL_Y, r.area.top());
        setNumber(h, SANE_NAME_SCAN_BR_X, r.area.right());
        setNumber(h, SANE_NAME_SCAN_BR_Y, r.area.bottom());
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
        for (;;) {
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
                sane_close(h);
            }
        }
    }
    if (g_cancel)
        picture = TDibRecord();
    {
        std::lock_guard lock(g_stateMutex);
        g_result = Result{ticket, picture, failure};
    }
    g_running = false;
    post(new ScanFinishedEvent(ticket));
}

void joinWorker() {
    std::thread worker;
    {
        std::lock_guard lock(g_stateMutex);
        worker.swap(g_worker);
    }
    if (worker.joinable())
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
    for (const auto& m : modeChoices(dev.handle()))
        out.modes.append(m.first);
    out.mode = currentMode(dev.handle());
    out.resolutions = resolutionChoices(dev.handle(), &out.resolution);
    out.hasArea = readArea(dev.handle(), &out.maxArea, &out.area);
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
    if (g_handle)
        sane_cancel(g_handle);
}

void TWAIN_Shutdown() {
    {
        std::lock_guard lock(g_stateMutex);
        g_target = nullptr;
    }
    TWAIN_CancelScan();
    joinWorker();
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
