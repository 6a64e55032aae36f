#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <limits>
#include <memory>

// How the bytes of a data file become text: UTF-8 when the whole file is valid
// UTF-8 (a byte-order mark is skipped), otherwise Windows-1252.
enum class TextEncoding { Utf8, Win1252 };

// The print page reads data files of at most this size; larger ones are refused there.
// The command line streams its rows and takes files of any size.
inline constexpr qint64 MaxSourceBytes = 1024LL * 1024 * 1024;
inline constexpr qint64 AnySourceSize = std::numeric_limits<qint64>::max();

// The facts of the first pass over a file.
struct SourceProbe {
    bool ok = false;
    QString error; // German, when !ok
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false;
    QByteArray head; // the first bytes after the byte-order mark (at most 4 KiB)
};

// Reads the whole file once: checks its size against maxBytes, refuses binary files
// (a NUL byte or many control characters in the first 64 KiB) and decides the encoding.
SourceProbe probeSource(const QString& path, qint64 maxBytes = MaxSourceBytes);
// Opens a source file for reading past its byte-order mark; a German message when it
// cannot be opened.
bool openSourceFile(QFile& file, const QString& path, const SourceProbe& probe, QString* error);

// True when bytes are valid UTF-8 on their own.
bool isValidUtf8(const QByteArray& bytes);

// Decodes bytes in one encoding; UTF-8 sequences split between two calls are kept
// for the next one.
class ChunkDecoder {
public:
    explicit ChunkDecoder(TextEncoding encoding);
    QString decode(const QByteArray& bytes);

private:
    TextEncoding encoding_;
    QStringDecoder utf8_;
};

// The text of a file after its probe, handed out in chunks.
class TextFeed {
public:
    // False (with a German error) when the file cannot be opened.
    bool open(const QString& path, const SourceProbe& probe, QString* error);
    // The next piece of text; empty at the end of the file.
    QString next();
    bool readFailed() const { return failed_; }

private:
    QFile file_;
    std::unique_ptr<ChunkDecoder> decoder_;
    bool failed_ = false;
};

// The name of a file for messages: its file-name part.
QString displayName(const QString& path);
