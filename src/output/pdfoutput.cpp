#include "output/pdfoutput.h"

#include "codec/checkedsave.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

bool printsIntoPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PrintResult printOnDevice(QPrinter& printer, const QString& title, const DeviceJob& job) {
    if (!printsIntoPdfFile(printer)) {
        printer.setDocName(title);
        return job(printer);
    }
    PrintResult failed;
    failed.error = JobNotStartedText;
    QSaveFile file(printer.outputFileName());
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    PrintResult result;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(title);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        result = job(writer);
    }
    if (!result.ok) {
        file.cancelWriting();
        file.commit();
        result.printed = 0;
        return result;
    }
    if (!commitChecked(file)) {
        failed.error = JobNotFinishedText;
        return failed;
    }
    return result;
}

bool printTestSquareOn(QPrinter& printer) {
    return printOnDevice(printer, TestJobName,
                         [](QPagedPaintDevice& device) {
                             PrintResult result;
                             result.ok = printTestSquare(device);
                             return result;
                         })
        .ok;
}
