// The print page with a data source: the preview per position, the record of each
// printed label and the check before printing.
#include "document/labeldocument.h"
#include "document/prompts.h"
#include "document/tobs.h"
#include "output/mergepanel.h"
#include "output/preflightform.h"
#include "output/printpage.h"
#include "output/printrun.h"
#include "render/drawvcart.h"
#include "render/mergecheck.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QSpinBox>

namespace {
// True when a text, code or picture name of the label holds a field, so that labels
// differ by row or number.
bool labelHasFields(const LabelDocument& doc) {
    for (const int i : doc.Objs.usedSlots()) {
        const Tobs& o = doc.Objs[i];
        if ((o.Kind == KindText || o.Kind == KindCode || o.Kind == KindPicture) &&
            o.Text.contains(QLatin1String("%%")))
            return true;
    }
    return false;
}
} // namespace

const MergeRecord* TPrintPage::mergeRecordFor(int64_t label, int copies,
                                              MergeRecord& record) const {
    const int row = MergePanel->rows().rowOfLabel(label, copies);
    if (row < 0)
        return nullptr;
    record = MergePanel->rows().table()->record(row);
    return &record;
}

void TPrintPage::renderMergedSheet(QPainter& painter, const RunSettings& run, QSize labelSize) {
    if (labelSize.width() <= 0 || labelSize.height() <= 0 ||
        int64_t(labelSize.width()) * labelSize.height() > 64LL * 1024 * 1024)
        return;
    const int n = positionsPerSheet(doc_.Format);
    const int across = std::max(1, doc_.Format.Across);
    const int down = std::max(1, doc_.Format.Down);
    const int copies = KopiesED->value();
    const int64_t first = std::max<int64_t>(run.Used, int64_t(run.Page - 1) * n);
    const int64_t last =
        std::min<int64_t>(int64_t(run.Used) + run.Copies - 1, int64_t(run.Page) * n - 1);
    const bool perPosition = labelHasFields(doc_);
    QImage label(labelSize, QImage::Format_RGB32);
    bool drawn = false;
    MergeRecord record;
    DeviceOutputGuard output(doc_.Output, double(PreviewZoom) / 20000);
    for (int64_t k = first; k <= last; ++k) {
        const int64_t i = k - run.Used;
        if (perPosition || !drawn) {
            label.fill(Qt::white);
            QPainter canvas(&label);
            const int64_t number = int64_t(host_.labelNumber()) + i;
            DrawVCart(canvas, doc_, labelSize.width(), labelSize.height(), labelSize.width(),
                      labelSize.height(), doc_.Output.OutputScale, false,
                      int(std::clamp<int64_t>(number, INT32_MIN, INT32_MAX)),
                      mergeRecordFor(i, copies, record));
            drawn = true;
        }
        const QPoint at =
            previewCorner(doc_.Format, PreviewZoom, int(k % across), int((k / across) % down));
        painter.drawImage(at, label);
        if (run.CutLines)
            drawCutLines(painter, QRect(at, labelSize));
    }
}

bool TPrintPage::preflight() {
    if (!MergePanel->hasSource())
        return true;
    const MergeRows& rows = MergePanel->rows();
    if (rows.checkedRows().empty()) {
        prompts_.message(QStringLiteral("Es ist keine Datenzeile gewählt; es gibt nichts zu "
                                        "drucken."),
                         QStringLiteral("Drucken"), Prompts::Buttons::Ok,
                         Prompts::Icon::Information);
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    MergeCheck check(doc_, rows.table()->columns(), printer_->logicalDpiX());
    const int copies = KopiesED->value();
    int64_t number = host_.labelNumber();
    for (int row : rows.checkedRows()) {
        const MergeRecord record = rows.table()->record(row);
        check.checkRow(row + 1, record, int(std::clamp<int64_t>(number, INT32_MIN, INT32_MAX)));
        number += copies;
    }
    QGuiApplication::restoreOverrideCursor();
    if (check.count() == 0)
        return true;
    Preflight->setFindings(check.findings());
    return Preflight->exec() == QDialog::Accepted;
}
