#pragma once

#include "document/labeldocument.h"
#include "document/pictureloader.h"
#include "document/prompts.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class QIODevice;

// The label file (.ett): a header (identification, sheet format, work area,
// background, view scale), one record per used slot, and an end marker. Integers
// are little-endian int32, doubles IEEE 754 binary64, booleans one byte, strings
// Windows-1252 bytes ended by a byte 0. Nothing is aligned.
namespace LabelFile {
// The identification with its byte 0 makes the first 31 bytes of every file.
inline constexpr char Identification[] = "NOR-VEX Aufkleber-Werkbank 2.0";
inline constexpr int IdentificationSize = 31;
inline constexpr int32_t EndMarker = 10001;

// Limits of the reader; files beyond them are damaged.
inline constexpr int MaxStringBytes = 1 << 20;
inline constexpr int32_t MaxWorkArea = 10'000'000; // document units, about 12.7 m
inline constexpr int MaxPaintBoxPixels = 1 << 20;
// A sheet format beyond these limits is damaged: label sizes and pitches, margins
// (in millimetres) and labels across and down. Within them every position of the
// sheet stays inside int32 device pixels up to 2400 dots per inch.
inline constexpr double MinFormatLength = 1;
inline constexpr double MaxFormatLength = 10'000;
inline constexpr double MaxFormatMargin = 10'000;
inline constexpr int MaxFormatCount = 1'000;

// Sizes of the fixed parts, for callers that check a layout.
inline constexpr int HeaderSizeWithoutName = 31 + 112 + 12 + 16; // plus the name and its 0
inline constexpr int RecordSizeWithoutStrings = 79;              // plus both strings and their 0s
} // namespace LabelFile

// The complete file content of a document.
QByteArray labelFileBytes(const LabelDocument& doc);

// One object record as the file holds it, slot number first.
QByteArray objectRecordBytes(int slot, const Tobs& obj);
enum class ObjectRecordRead { Ok, End, TooLong };
// Reads one record with the bounds of the file reader: End when the bytes end
// early, TooLong when a text is longer than any file may hold. The record's picture
// and font object are left as they are.
ObjectRecordRead readObjectRecord(QIODevice& in, int32_t& slot, Tobs& obj);

// Writes the document to a file; true on success, when the document takes the
// file's name. The content goes to a temporary file in the same folder that
// replaces the target only when everything was written, so a failed save leaves
// an existing file as it was; where the folder takes no new file but the file
// itself is writable, the file is written in place. Failures are reported
// through prompts, and so are picture names the file could not hold.
bool Saveit(LabelDocument& doc, const QString& fileName, Prompts& prompts);

enum class ReadOutcome {
    Complete,   // the document now holds the file
    Incomplete, // the file ended early or is damaged after its header: the document
                // holds what could be read and stays unnamed
    Refused     // not opened, wrong identification or damaged header: nothing changed
};

// Reads a label file into the document (without asking about saving first), reloads
// every picture through the loader, and reports every problem through prompts.
ReadOutcome readLabelFile(const QString& fileName, LabelDocument& doc, Prompts& prompts,
                          PictureLoader& pictures);
// The same from an open device; pictures not found under their stored name are
// looked for in ettFolder. The document's file name is left alone.
ReadOutcome readLabelFile(QIODevice& in, const QString& ettFolder, LabelDocument& doc,
                          Prompts& prompts, PictureLoader& pictures);
