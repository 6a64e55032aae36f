#pragma once

#include "document/labelformat.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// The limits of a label type as the label-type dialog allows them, in mm. Records
// read from the catalogue are held to the same limits.
namespace LabelTypeLimits {
inline constexpr double MaxHorizontal = 3000; // left margin, width, horizontal gap
inline constexpr double MaxVertical = 1000;   // top margin, height, vertical gap
inline constexpr double MinLabelSize = 1;     // a label of 0 mm divides by zero downstream
inline constexpr int MinCount = 1;
inline constexpr int MaxCount = 50;
} // namespace LabelTypeLimits

// Whether a sheet format lies within the dialog's limits: finite lengths, gaps
// (pitch minus size) not negative, labels across and down 1 to 50.
bool withinLabelTypeLimits(const TLabelFormat& format);

// The catalogue file "Etikett.dat": int32 identification 64687, int32 count n and
// n sheet format records of 112 bytes, little-endian.
namespace CatalogueFile {
inline constexpr int32_t Identification = 64687;
inline constexpr int HeaderSize = 8;
// More entries than anyone keeps; a longer file is damaged, not read.
inline constexpr int MaxEntries = 100'000;
} // namespace CatalogueFile

struct CatalogueContent {
    bool recognised = false; // identification and length fit
    QList<TLabelFormat> entries;
    int dropped = 0; // records outside the limits, left out
};
// Reads the content of a catalogue file. A file whose length is not 8 + 112 x n
// counts as not recognised, like another identification.
CatalogueContent parseCatalogue(const QByteArray& bytes);
QByteArray catalogueBytes(const QList<TLabelFormat>& entries);

// The list of label types the new-document dialog shows, with its file. The list
// exists while the dialog is open: loaded when it is shown, written and dropped
// when it closes. Failures to read or write stay silent; a file that exists but
// could not be taken completely is never replaced without keeping it as
// "Etikett.dat.bak" first, and is replaced only when the list was changed.
class LabelCatalogue {
public:
    enum class FileState {
        Missing, // no file yet
        Read,    // every record taken
        NotTaken // exists, but unreadable, not recognised or with records left out
    };

    // Default: "Etikett.dat" in the program folder.
    explicit LabelCatalogue(const QString& fileName = QString());

    static QString defaultFileName();
    const QString& fileName() const { return fileName_; }

    void LoadEttTypes();
    void SaveEttTypes();
    void FreeEttTypes();

    const QList<TLabelFormat>& entries() const { return entries_; }
    int count() const { return int(entries_.size()); }
    void append(const TLabelFormat& entry);
    void replace(int index, const TLabelFormat& entry);
    void remove(int index);

    FileState fileState() const { return state_; }

private:
    bool backupOldFile() const;

    QString fileName_;
    QList<TLabelFormat> entries_;
    FileState state_ = FileState::Missing;
    bool changed_ = false;
};
