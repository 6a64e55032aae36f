#include "render/mergecheck.h"

#include "document/labeldocument.h"
#include "document/tobs.h"
#include "merge/fields.h"
#include "merge/mergerecord.h"
#include "render/codelayout.h"
#include "render/labelgeometry.h"
#include "render/textdraw.h"
#include "render/uprightlayout.h"

namespace {
// Rounding in the text layout may reach a little past the box without a visible cut.
constexpr double Slack = 0.5;

QString fieldList(const QStringList& fields) {
    QStringList marked;
    for (const QString& f : fields)
        marked.append(QStringLiteral("%%") + f + QStringLiteral("%%"));
    return marked.join(QStringLiteral(", "));
}
} // namespace

MergeCheck::MergeCheck(LabelDocument& doc, const MergeColumns& columns, int dpi)
    : dpi_(dpi), device_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = int(dpi / 0.0254);
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
    const double scale = double(dpi) / 20000;
    DeviceOutputGuard output(doc.Output, scale);
    QStringList unknown;
    for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
        const Tobs& o = doc.Objs[i];
        if (o.Kind != KindText && o.Kind != KindCode)
            continue;
        const QStringList fields = fieldNames(o.Text);
        QStringList dataFields;
        for (const QString& f : fields) {
            if (f.compare(NumberField, Qt::CaseInsensitive) == 0)
                continue;
            dataFields.append(f);
            if (columns.indexOf(f) < 0 && !unknown.contains(f, Qt::CaseInsensitive))
                unknown.append(f);
        }
        if (o.Kind == KindCode) {
            if (!dataFields.isEmpty())
                codes_.push_back({o, dataFields});
            continue;
        }
        if (dataFields.isEmpty() || o.Rotation != 0)
            continue;
        const ObjectBox box = objectBox(doc, o, 0, 0);
        const int height = charHeight(o.FontSize, scale);
        if (box.w <= 0 || box.h <= 0 || height < 1)
            continue;
        TextBox t;
        t.slot = i;
        t.text = o.Text;
        t.fields = dataFields;
        t.font = labelFont(o.FontName, height, o.FontStyle);
        t.align = o.TextAlign == 1   ? Qt::AlignHCenter
                  : o.TextAlign == 2 ? Qt::AlignRight
                                     : Qt::AlignLeft;
        t.width = double(box.w);
        t.height = double(box.h);
        texts_.push_back(t);
    }
    for (const QString& f : unknown)
        add(QStringLiteral("Das Feld %%%1%% im Etikett nennt keine Spalte der Daten; es wird "
                           "gedruckt, wie es dasteht.")
                .arg(f));
}

bool MergeCheck::fits(const TextBox& box, const QString& s) {
    const QString key = QString::number(box.slot) + QLatin1Char('\x1F') + s;
    const auto known = fitCache_.constFind(key);
    if (known != fitCache_.constEnd())
        return *known;
    UprightLayout layout(withLineSeparators(s), box.font, &device_, box.align, box.width,
                         box.height);
    const QSizeF e = layout.extent();
    const bool ok =
        layout.complete() && e.width() <= box.width + Slack && e.height() <= box.height + Slack;
    if (fitCache_.size() < 100000)
        fitCache_.insert(key, ok);
    return ok;
}

void MergeCheck::checkRow(qint64 rowNumber, const MergeRecord& record, int number) {
    for (const TextBox& t : texts_) {
        const QString s = substituteFields(t.text, number, &record);
        if (!fits(t, s))
            add(QStringLiteral("Datensatz %1: Der Text mit %2 passt nicht in sein Feld und "
                               "würde abgeschnitten.")
                    .arg(rowNumber)
                    .arg(fieldList(t.fields)));
    }
    for (const CodeBox& c : codes_) {
        const QString reason = codeProblem(c.object, number, dpi_, &record);
        if (!reason.isEmpty())
            add(QStringLiteral("Datensatz %1: Der Code mit %2 wird als rotes Kreuz gedruckt: %3")
                    .arg(rowNumber)
                    .arg(fieldList(c.fields))
                    .arg(reason));
    }
}

void MergeCheck::add(const QString& line) {
    ++count_;
    if (findings_.size() < MaxFindings)
        findings_.append(line);
}

QStringList MergeCheck::findings() const {
    QStringList all = findings_;
    if (count_ > findings_.size())
        all.append(QStringLiteral("... und %1 weitere.").arg(count_ - findings_.size()));
    return all;
}
