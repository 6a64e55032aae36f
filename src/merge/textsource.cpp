#include "merge/textsource.h"

#include "merge/win1252.h"

#include <QFileInfo>

namespace {
constexpr qint64 ChunkBytes = 256 * 1024;
constexpr qint64 BinaryWindow = 64 * 1024;

bool hasBom(const QByteArray& head) {
    return head.startsWith("\xEF\xBB\xBF");
}

// Checks UTF-8 across chunk boundaries: pending holds the bytes of a sequence
// that the chunk cut off.
class Utf8Check {
public:
    void add(const QByteArray& bytes) {
        for (char ch : bytes) {
            if (!valid_)
                return;
            const auto b = static_cast<unsigned char>(ch);
            if (need_ > 0) {
                if ((b & 0xC0) != 0x80) {
                    valid_ = false;
                    return;
                }
                code_ = (code_ << 6) | (b & 0x3F);
                if (--need_ == 0 &&
                    (code_ < min_ || code_ > 0x10FFFF || (code_ >= 0xD800 && code_ <= 0xDFFF)))
                    valid_ = false;
            } else if (b < 0x80) {
                continue;
            } else if ((b & 0xE0) == 0xC0) {
                start(b & 0x1F, 1, 0x80);
            } else if ((b & 0xF0) == 0xE0) {
                start(b & 0x0F, 2, 0x800);
            } else if ((b & 0xF8) == 0xF0) {
                start(b & 0x07, 3, 0x10000);
            } else {
                valid_ = false;
            }
        }
    }
    bool valid() const { return valid_ && need_ == 0; }

private:
    void start(uint32_t bits, int need, uint32_t min) {
        code_ = bits;
        need_ = need;
        min_ = min;
    }
    bool valid_ = true;
    int need_ = 0;
    uint32_t code_ = 0;
    uint32_t min_ = 0;
};

// Binary: a NUL byte, or more than one control character (other than tab, line
// ends and form feed) in a hundred.
bool looksBinary(const QByteArray& window) {
    qsizetype controls = 0;
    for (char ch : window) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == 0)
            return true;
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f')
            ++controls;
    }
    return controls * 100 > window.size();
}
} // namespace

QString displayName(const QString& path) {
    return path == QLatin1String("-") ? QStringLiteral("Standardeingabe")
                                      : QFileInfo(path).fileName();
}

bool isValidUtf8(const QByteArray& bytes) {
    Utf8Check check;
    check.add(bytes);
    return check.valid();
}

namespace {
QString tooLargeMessage(const QString& name) {
    return QStringLiteral("Die Datei \"%1\" ist zu groß (mehr als 1 GB); bitte teilen Sie sie "
                          "auf.")
        .arg(name);
}
} // namespace

SourceProbe probeSource(const QString& path, qint64 maxBytes) {
    SourceProbe probe;
    QFile file(path);
    const QString name = displayName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        probe.error = QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(name);
        return probe;
    }
    if (file.size() > maxBytes) {
        probe.error = tooLargeMessage(name);
        return probe;
    }
    QByteArray first = file.read(BinaryWindow);
    probe.bom = hasBom(first);
    if (looksBinary(first)) {
        probe.error =
            QStringLiteral("Die Datei \"%1\" ist keine Text- oder vCard-Datei.").arg(name);
        return probe;
    }
    probe.head = first.mid(probe.bom ? 3 : 0, 4096);
    Utf8Check check;
    check.add(probe.bom ? first.mid(3) : first);
    qint64 total = first.size();
    // Once a byte sequence is not UTF-8, Windows-1252 is decided and the rest need
    // not be read now.
    while (check.valid() && !file.atEnd()) {
        const QByteArray chunk = file.read(ChunkBytes);
        if (chunk.isEmpty())
            break;
        total += chunk.size();
        if (total > maxBytes) {
            probe.error = tooLargeMessage(name);
            return probe;
        }
        check.add(chunk);
    }
    probe.encoding = check.valid() ? TextEncoding::Utf8 : TextEncoding::Win1252;
    probe.ok = true;
    return probe;
}

ChunkDecoder::ChunkDecoder(TextEncoding encoding)
    : encoding_(encoding), utf8_(QStringDecoder::Utf8) {}

QString ChunkDecoder::decode(const QByteArray& bytes) {
    return encoding_ == TextEncoding::Utf8 ? utf8_.decode(bytes) : fromWin1252(bytes);
}

bool openSourceFile(QFile& file, const QString& path, const SourceProbe& probe, QString* error) {
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.")
                         .arg(displayName(path));
        return false;
    }
    if (probe.bom)
        file.read(3);
    return true;
}

bool TextFeed::open(const QString& path, const SourceProbe& probe, QString* error) {
    if (!openSourceFile(file_, path, probe, error))
        return false;
    decoder_ = std::make_unique<ChunkDecoder>(probe.encoding);
    return true;
}

QString TextFeed::next() {
    while (!file_.atEnd()) {
        const QByteArray chunk = file_.read(ChunkBytes);
        if (chunk.isEmpty()) {
            failed_ = file_.error() != QFileDevice::NoError;
            break;
        }
        QString text = decoder_->decode(chunk);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}
