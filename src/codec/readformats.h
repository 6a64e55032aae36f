#pragma once

#include <QString>

// The raster file formats that pictures are read from.
struct ReadFormat {
    const char* magick; // GraphicsMagick's name of the format
    const char*
        extensions; // file-name extensions, ';'-separated, empty: recognised by content only
    const char* description; // German text for the file dialog
};

// All formats in the order of the open filter.
const ReadFormat* readFormatsBegin();
const ReadFormat* readFormatsEnd();

// The accepted format of that GraphicsMagick name (signature found in the content),
// or nullptr when pictures of that kind are not read.
const ReadFormat* readFormatByMagick(const QString& magick);
// The format a file-name extension stands for, or nullptr.
const ReadFormat* readFormatByExtension(const QString& extension);
