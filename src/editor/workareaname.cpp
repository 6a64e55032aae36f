#include "editor/workareaname.h"

#include "document/labeldocument.h"
#include "document/progpath.h"
#include "document/propertycommands.h"

namespace {
// Enough to tell objects apart; a long text is cut.
constexpr int MaxSpokenText = 120;

QString quoted(QString text) {
    text.replace(QChar(13), QChar(u' '));
    text.replace(QChar(10), QChar(u' '));
    text = text.simplified();
    if (text.size() > MaxSpokenText)
        text = text.left(MaxSpokenText) + QStringLiteral("…");
    return QStringLiteral("„") + text + QStringLiteral("“");
}

QString objectName(const Tobs& o) {
    switch (o.Kind) {
    case KindFigure: {
        const QString shape = shapeStepName(o.Shape);
        return shape.isEmpty() ? QStringLiteral("Figur") : QStringLiteral("Figur ") + shape;
    }
    case KindText:
        return o.Text.isEmpty() ? QStringLiteral("Text ohne Inhalt")
                                : QStringLiteral("Text ") + quoted(o.Text);
    case KindPicture:
        return QStringLiteral("Bild ") + quoted(fileNamePart(o.Text));
    case KindCode:
        return QStringLiteral("Code ") + quoted(o.Text);
    default:
        return QString();
    }
}
} // namespace

QString workAreaName(const LabelDocument& doc) {
    const QString area = QStringLiteral("Arbeitsfläche");
    if (!ObjectTable::isSlot(doc.SelObj))
        return area;
    const QString what = objectName(doc.Objs[doc.SelObj]);
    return what.isEmpty() ? area : area + QStringLiteral(", ausgewählt: ") + what;
}
