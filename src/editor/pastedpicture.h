#pragma once

#include <QImage>
#include <QString>

class QMimeData;

// Pictures pasted from other programs: label files name pictures and never hold
// them, so a pasted picture becomes a PNG file in "Eingefügte Bilder" of the
// per-user data folder, named after a hash of its pixels (the same picture pasted
// twice is one file).
QString pastedPicturesFolder();
// The file that holds the picture, written when it is not there yet; empty when it
// could not be written.
QString storePastedPicture(const QImage& image);

// A picture that another program put on the clipboard, read with the limits of
// picture files.
enum class ClipboardPicture { None, Loaded, TooLarge, Unreadable };
// The largest encoded picture taken from the clipboard.
inline constexpr qsizetype MaxClipboardPictureBytes = 64 * 1024 * 1024;
ClipboardPicture readClipboardPicture(const QMimeData& data, QImage& out);
