#pragma once

#include "codec/dibrecord.h"
#include "document/prompts.h"

#include <functional>
#include <optional>

// Saving a picture (a scanned one) to a file the user chooses, in any format the
// codec writes.

// The save dialog: every writable format, starting in the program folder. It asks
// nothing itself about replacing a file: that is asked for the final name.
Prompts::FileRequest pictureSaveDialog();

// The extension a name without one gets for the 1-based filter entry (".BMP" ...
// ".TIF"); empty outside 1..11.
QString pictureSaveExtension(int filterEntry);
// The JPEG entries (5 and 6) ask for a quality first.
bool isJpegSaveEntry(int filterEntry);

enum class PictureSaveOutcome { Saved, Cancelled, Failed };

// Asks for a file name and format, adds the extension of the chosen format to a
// name without one, asks before replacing an existing file, asks for the JPEG
// quality (`askJpegQuality` returns none when cancelled), and writes the picture.
// A write-protected file is not touched: it gives the save error, as does any
// failed write. The picture is freed in every case.
PictureSaveOutcome savePictureAs(TDibRecord& picture, Prompts& prompts,
                                 Prompts::FileRequest& dialog,
                                 const std::function<std::optional<int>()>& askJpegQuality);
