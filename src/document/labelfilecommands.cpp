#include "document/labelfilecommands.h"

#include "document/labelfile.h"
#include "document/progpath.h"

#include <QFileInfo>

Prompts::FileRequest labelFileDialog() {
    Prompts::FileRequest request;
    request.folder = ProgPath();
    request.filters = {QStringLiteral("Etiketten (*.ett)")};
    request.defaultSuffix = QStringLiteral("ett");
    // Replacing a file is asked by the save command itself.
    request.confirmOverwrite = false;
    return request;
}

bool OpenItNow(LabelDocument& doc, const QString& fileName, Prompts& prompts,
               PictureLoader& pictures, const SaveCommand& save) {
    if (doc.anyObjectInUse()) {
        const Prompts::Answer answer = prompts.message(
            QStringLiteral("Wollen Sie vorher speichern?"), QStringLiteral("Etikett öffnen"),
            Prompts::Buttons::YesNoCancel, Prompts::Icon::Question);
        if (answer == Prompts::Answer::Cancel)
            return false;
        if (answer == Prompts::Answer::Yes && !(save && save()))
            return false;
    }
    return readLabelFile(fileName, doc, prompts, pictures) != ReadOutcome::Refused;
}

bool openLabelFile(LabelDocument& doc, Prompts& prompts, PictureLoader& pictures,
                   const SaveCommand& save) {
    Prompts::FileRequest request = labelFileDialog();
    const QString fileName = prompts.openFileName(request);
    if (fileName.isEmpty())
        return false;
    return OpenItNow(doc, fileName, prompts, pictures, save);
}

bool saveLabelFile(LabelDocument& doc, Prompts& prompts, Prompts::FileRequest& dialog) {
    if (!doc.CurFileName.isEmpty())
        return Saveit(doc, doc.CurFileName, prompts);
    return saveLabelFileAs(doc, prompts, dialog);
}

bool saveLabelFileAs(LabelDocument& doc, Prompts& prompts, Prompts::FileRequest& dialog) {
    const QString fileName = prompts.saveFileName(dialog);
    if (fileName.isEmpty())
        return false;
    // Asked for every existing file, also one that cannot be read: the save replaces it.
    if (!mayReplaceFile(fileName, prompts))
        return false;
    return Saveit(doc, fileName, prompts);
}

bool mayReplaceFile(const QString& fileName, Prompts& prompts) {
    return !QFileInfo::exists(fileName) ||
           prompts.message(
               QStringLiteral("Die Datei existiert schon, soll Sie überschrieben werden?"),
               QStringLiteral("Vorhandene Datei Überschreiben?"), Prompts::Buttons::YesNo,
               Prompts::Icon::Question) == Prompts::Answer::Yes;
}
