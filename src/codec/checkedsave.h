#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;
class QSaveFile;

// Writing a file so that it is either complete or not replaced at all. QSaveFile
// alone renames its temporary file over the target even when the last buffered
// bytes could not be written (a full disk, a file-size limit); these helpers
// flush and check every write first.

// Finishes a QSaveFile that was written to: flushes it, and replaces the target
// only when every byte reached the file. Otherwise the writing is cancelled and
// the old file stays as it was. True when the file was replaced.
bool commitChecked(QSaveFile& file);

// Writes the bytes to fileName through a QSaveFile; true when the file holds
// exactly them afterwards, false with the old file unchanged otherwise.
bool saveBytesChecked(const QString& fileName, const QByteArray& bytes);

// The same for a writer that streams into the device (a PDF, a PNG); `write`
// returns false when it failed itself.
bool saveChecked(const QString& fileName, const std::function<bool(QIODevice&)>& write);

// Copies source to target in the same way: the target holds a complete copy
// afterwards, or stays as it was. False when the source cannot be read too.
bool copyFileChecked(const QString& source, const QString& target);
