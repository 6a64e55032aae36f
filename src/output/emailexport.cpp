#include "output/emailexport.h"

#include "codec/rasterio.h"
#include "document/labeldocument.h"
#include "document/prompts.h"
#include "output/labelexport.h"

#include <QFileInfo>

#include <algorithm>

bool EMailExport::run(LabelDocument& doc, int number, Prompts& prompts) {
    TDibRecord picture;
    if (!renderLabelPicture(doc, number, picture)) {
        prompts.message(SaveFailedText, QString(), Prompts::Buttons::Ok,
                        Prompts::Icon::Information);
        return false;
    }
    Prompts::FileRequest request;
    request.title = DialogTitle;
    request.filters = filterToNameFilters(GetDIBSaveFilter());
    request.selectedFilter = std::clamp(filter_, 0, std::max(0, int(request.filters.size()) - 1));
    request.confirmOverwrite = true;
    QString fileName = prompts.saveFileName(request);
    if (fileName.isEmpty())
        return false;
    filter_ = request.selectedFilter;
    const int filterIndex = std::clamp(request.selectedFilter + 1, 1, ExportFilterCount);
    if (QFileInfo(fileName).suffix().isEmpty() && !fileName.endsWith(QLatin1Char('.'))) {
        fileName += exportFilterExtension(filterIndex);
        // The dialog asked about the name without the extension.
        if (QFileInfo::exists(fileName) &&
            prompts.message(QStringLiteral("%1 existiert bereits.\nSoll die Datei ersetzt werden?")
                                .arg(QFileInfo(fileName).fileName()),
                            DialogTitle, Prompts::Buttons::YesNo,
                            Prompts::Icon::Warning) != Prompts::Answer::Yes)
            return false;
    }
    if (SaveDib(picture, fileName, exportFormatCode(filterIndex)) != 1) {
        prompts.message(SaveFailedText, QString(), Prompts::Buttons::Ok,
                        Prompts::Icon::Information);
        return false;
    }
    return true;
}
