#include "render/picturesave.h"

#include "codec/rasterio.h"
#include "document/labelfilecommands.h"
#include "document/progpath.h"

#include <QFileInfo>

namespace {

constexpr int SaveEntries = 11;

bool writeProtected(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        return false;
    // The owner's write bit counts too: the super-user may write anyway, but a
    // file its owner protected is not replaced behind his back.
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

PictureSaveOutcome save(const TDibRecord& picture, Prompts& prompts, Prompts::FileRequest& dialog,
                        const std::function<std::optional<int>()>& askJpegQuality) {
    if (!picture.hasPicture())
        return PictureSaveOutcome::Cancelled;
    QString fileName = prompts.saveFileName(dialog);
    if (fileName.isEmpty())
        return PictureSaveOutcome::Cancelled;
    const int entry = dialog.selectedFilter + 1;
    if (QFileInfo(fileName).suffix().isEmpty()) {
        if (fileName.endsWith(QLatin1Char('.')))
            fileName.chop(1);
        fileName += pictureSaveExtension(entry);
    }
    if (!mayReplaceFile(fileName, prompts))
        return PictureSaveOutcome::Cancelled;
    if (isJpegSaveEntry(entry)) {
        const std::optional<int> quality = askJpegQuality ? askJpegQuality() : std::nullopt;
        if (!quality)
            return PictureSaveOutcome::Cancelled;
        SetJPEGQual(*quality);
    }
    if (writeProtected(fileName) || SaveDib(picture, fileName, entry + 2) != 1) {
        prompts.info(QStringLiteral("Fehler: Datei konnte nicht gespeichert werden!"));
        return PictureSaveOutcome::Failed;
    }
    return PictureSaveOutcome::Saved;
}

} // namespace

Prompts::FileRequest pictureSaveDialog() {
    Prompts::FileRequest request;
    request.folder = ProgPath();
    // The eleven formats of the scanner's save table; the export alone adds PNG.
    request.filters = filterToNameFilters(GetDIBSaveFilter()).mid(0, SaveEntries);
    request.confirmOverwrite = false;
    return request;
}

QString pictureSaveExtension(int filterEntry) {
    if (filterEntry < 1 || filterEntry > SaveEntries)
        return QString();
    return QLatin1Char('.') + saveFormatExtension(filterEntry + 2).toUpper();
}

bool isJpegSaveEntry(int filterEntry) {
    return filterEntry == 5 || filterEntry == 6;
}

PictureSaveOutcome savePictureAs(TDibRecord& picture, Prompts& prompts,
                                 Prompts::FileRequest& dialog,
                                 const std::function<std::optional<int>()>& askJpegQuality) {
    const PictureSaveOutcome outcome = save(picture, prompts, dialog, askJpegQuality);
    deldib(picture);
    return outcome;
}
