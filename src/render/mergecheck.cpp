#include "render/mergecheck.h"

#include "codec/rasterio.h"
#include "document/labeldocument.h"
#include "document/progpath.h"
#include "document/tobs.h"
#include "merge/fields.h"
#include "merge/mergerecord.h"
#include "render/codelayout.h"
#include "render/fieldpicture.h"
#include "render/labelgeometry.h"
#include "render/textdraw.h"
#include "render/turnedlayout.h"
#include "render/uprightlayout.h"

#include <QFileInfo>
#include <QTransform>

namespace {
// Rounding in the text layout may reach a little past the box without a visible cut.
constexpr double Slack = 0.5;
// The label's edge and an object's corner may differ by the truncation of each.
constexpr double EdgeSlack = 2.0;
// Results kept per text or picture file; beyond this many they are worked out anew.
constexpr int MaxCached = 100000;

QString fieldList(const QStringList& fields) {
    QStringList marked;
    for (const QString& f : fields)
        marked.append(QStringLiteral("%%") + f + QStringLiteral("%%"));
    return marked.join(QStringLiteral(", "));
}
} // namespace

MergeCheck::MergeCheck(LabelDocument& doc, const MergeColumns& columns, int dpi)
    : labelFile_(doc.CurFileName), dpi_(dpi), device_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = int(dpi / 0.0254);
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
    const double scale = double(dpi) / 20000;
    DeviceOutputGuard output(doc.Output, scale);
    // In output the label lies in the middle third of the work area.
    const double labelW = truncToInt32(doc.Format.LabelWidth / MmPerInch * dpi);
    const double labelH = truncToInt32(doc.Format.LabelHeight / MmPerInch * dpi);
    label_ = QRectF(labelW, labelH, labelW, labelH);
    QStringList unknown;
    QStringList pictureFindings;
    for (const int i : doc.Objs.usedSlots()) {
        const Tobs& o = doc.Objs[i];
        if (o.Kind != KindText && o.Kind != KindCode && o.Kind != KindPicture)
            continue;
        const QStringList fields = fieldNames(o.Text);
        QStringList dataFields;
        QStringList missing;
        for (const QString& f : fields) {
            if (f.compare(NumberField, Qt::CaseInsensitive) == 0)
                continue;
            dataFields.append(f);
            if (columns.indexOf(f) < 0)
                missing.append(f);
        }
        if (o.Kind == KindPicture && !missing.isEmpty()) {
            // A picture name that no row can complete shows no picture at all.
            pictureFindings.append(QStringLiteral("Das Bild \"%1\" nennt mit %2 keine Spalte "
                                                  "der Daten; es wird nicht gedruckt.")
                                       .arg(fileNamePart(o.Text), fieldList(missing)));
            continue;
        }
        for (const QString& f : missing) {
            if (!unknown.contains(f, Qt::CaseInsensitive))
                unknown.append(f);
        }
        if (o.Kind == KindCode) {
            if (!dataFields.isEmpty())
                codes_.push_back({o, dataFields});
            continue;
        }
        if (o.Kind == KindPicture) {
            if (!fields.isEmpty())
                pictures_.push_back({o.Text, fields});
            continue;
        }
        if (dataFields.isEmpty() || o.Rotation < 0 || o.Rotation > 3)
            continue;
        const ObjectBox box = objectBox(doc, o, 0, 0);
        const int height = charHeight(o.FontSize, scale);
        if (box.w <= 0 || box.h <= 0 || height < 1)
            continue;
        if (o.Rotation != 0) {
            // Turned texts are one line that is not held to the box; only the label's
            // edge cuts them off.
            const double x = double(box.x), y = double(box.y);
            const double w = double(box.w), h = double(box.h);
            const QPointF anchor = o.Rotation == 1   ? QPointF(x, y)
                                   : o.Rotation == 2 ? QPointF(x + w, y)
                                                     : QPointF(x + w, y + h);
            turned_.push_back({i, o.Text, dataFields, labelFont(o.FontName, height, o.FontStyle),
                               o.Rotation, anchor});
            continue;
        }
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
    for (const QString& line : pictureFindings)
        add(line);
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
    if (fitCache_.size() < MaxCached)
        fitCache_.insert(key, ok);
    return ok;
}

bool MergeCheck::staysOnLabel(const TurnedText& t, const QString& s) {
    const QString key = QString::number(t.slot) + QLatin1Char('\x1F') + s;
    const auto known = fitCache_.constFind(key);
    if (known != fitCache_.constEnd())
        return *known;
    // An empty text draws nothing.
    if (s.isEmpty())
        return true;
    const TurnedLayout layout(s, t.font, &device_);
    bool ok = true;
    if (layout.isValid()) {
        // Where the line starts and where it ends: its height is the same on every row.
        QTransform turn;
        turn.translate(t.anchor.x(), t.anchor.y());
        turn.rotate(90.0 * t.rotation);
        const QRectF reach = label_.adjusted(-EdgeSlack, -EdgeSlack, EdgeSlack, EdgeSlack);
        ok =
            reach.contains(t.anchor) && reach.contains(turn.map(QPointF(layout.naturalWidth(), 0)));
    }
    if (fitCache_.size() < MaxCached)
        fitCache_.insert(key, ok);
    return ok;
}

bool MergeCheck::readable(const QString& path) {
    const auto known = readable_.constFind(path);
    if (known != readable_.constEnd())
        return *known;
    // Decoded at the smallest scale the format offers: only whether it can be read
    // counts here.
    TDibRecord picture;
    const bool ok = QFileInfo(path).isFile() && OpenDib(picture, path, QSize(1, 1));
    if (readable_.size() < MaxCached)
        readable_.insert(path, ok);
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
    for (const TurnedText& t : turned_) {
        if (!staysOnLabel(t, labelText(t.text, true, number, &record)))
            add(QStringLiteral("Datensatz %1: Der gedrehte Text mit %2 reicht über den Rand des "
                               "Etiketts und würde abgeschnitten.")
                    .arg(rowNumber)
                    .arg(fieldList(t.fields)));
    }
    for (const RowPicture& p : pictures_) {
        const RowPictureName file = rowPictureName(p.name, labelFile_, number, &record);
        if (file.state == RowPictureName::State::File && !readable(file.path))
            add(QStringLiteral("Datensatz %1: Das Bild \"%2\" zu %3 kann nicht geladen werden; "
                               "an seiner Stelle bleibt das Etikett weiß.")
                    .arg(rowNumber)
                    .arg(QFileInfo(file.path).fileName(), fieldList(p.fields)));
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
