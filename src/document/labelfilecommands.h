#pragma once

#include "document/labeldocument.h"
#include "document/pictureloader.h"
#include "document/prompts.h"

#include <functional>

// The commands that lead to the label file: open (with the question about saving
// first), save and save as. The window wires them to its menu and buttons.

// The save command of the window; false when nothing was saved.
using SaveCommand = std::function<bool()>;

// The file dialog settings for label files ("Etiketten", *.ett, "ett" added to a
// name without extension), starting in the program folder.
Prompts::FileRequest labelFileDialog();

// Asks "Wollen Sie vorher speichern?" when an object is in use, then reads the
// file. True when the document was replaced (completely or in part).
bool OpenItNow(LabelDocument& doc, const QString& fileName, Prompts& prompts,
               PictureLoader& pictures, const SaveCommand& save);

// Shows the open dialog in the program folder and opens the chosen file.
bool openLabelFile(LabelDocument& doc, Prompts& prompts, PictureLoader& pictures,
                   const SaveCommand& save);

// Save: under the document's name, or as a new one when it has none.
bool saveLabelFile(LabelDocument& doc, Prompts& prompts, Prompts::FileRequest& dialog);

// Save as: asks for a name (dialog keeps the last folder) and before replacing a file.
bool saveLabelFileAs(LabelDocument& doc, Prompts& prompts, Prompts::FileRequest& dialog);

// Before a file is replaced: true when there is none of that name, or the user
// agrees to replace it.
bool mayReplaceFile(const QString& fileName, Prompts& prompts);
