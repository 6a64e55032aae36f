#include "editor/editorpage.h"

#include "codec/readformats.h"
#include "document/labelfile.h"
#include "document/objectpayload.h"
#include "document/picturefit.h"
#include "document/progpath.h"
#include "document/slotedit.h"
#include "document/transcolor.h"
#include "editor/bmpopenform.h"
#include "editor/objectcreation.h"
#include "editor/paintbox.h"
#include "editor/pastedpicture.h"
#include "render/objectpicture.h"
#include "render/picturefileloader.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QScrollArea>

// Cut, copy, paste and duplicate of the selected object, and picture files dropped
// on the editor. Everything that changes the document is one step.

namespace {
// The longest text taken from another program; longer ones are cut there.
constexpr int MaxPastedText = 10000;

QString labelFolder(const LabelDocument& doc) {
    return doc.CurFileName.isEmpty() ? QString() : QFileInfo(doc.CurFileName).absolutePath();
}

// Other programs separate lines by line feeds; texts hold carriage returns.
QString textOfForeignText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    text.remove(QChar(0));
    return text;
}
} // namespace

QMimeData* EditorPage::selectionMimeData() const {
    if (!ObjectTable::isSlot(doc_.SelObj) || doc_.Objs[doc_.SelObj].Kind == KindFree)
        return nullptr;
    const Tobs& o = doc_.Objs[doc_.SelObj];
    auto* data = new QMimeData;
    data->setData(QLatin1String(ObjectPayload::MimeType),
                  ObjectPayload::encode(o, labelFolder(doc_)));
    if (o.Kind == KindText)
        data->setText(QString(o.Text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    data->setImageData(objectPicture(doc_, o, labelNumber_ ? labelNumber_() : 0));
    return data;
}

bool EditorPage::copySelection() {
    QMimeData* data = selectionMimeData();
    if (!data)
        return false;
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

void EditorPage::cutSelection() {
    if (MouseState != 0 || !copySelection())
        return;
    // Unlike "Löschen", nothing is asked: the object is on the clipboard and the step
    // can be undone.
    SlotEdit edit(doc_);
    Tobs& o = edit.slot(doc_.SelObj);
    o.Kind = KindFree;
    deldib(o.Picture);
    edit.select(0);
    edit.commit(QStringLiteral("Ausschneiden"));
}

void EditorPage::duplicateSelection() {
    if (MouseState != 0 || !ObjectTable::isSlot(doc_.SelObj) ||
        doc_.Objs[doc_.SelObj].Kind == KindFree)
        return;
    Tobs copy = doc_.Objs[doc_.SelObj];
    placeOnTop(copy, QStringLiteral("Duplizieren"));
}

bool EditorPage::placeOnTop(Tobs obj, const QString& step, bool keepInLabel) {
    const int slot = slotOnTop(doc_);
    if (slot == 0) {
        tooManyObjects();
        return false;
    }
    cascade(doc_, obj);
    if (keepInLabel)
        moveInsideLabel(obj.X, obj.Y, obj.Width, obj.Height, labelUnits(doc_));
    SlotEdit edit(doc_);
    edit.slot(slot) = obj;
    edit.select(slot);
    return edit.commit(step);
}

void EditorPage::tooManyObjects() {
    prompts_.message(QStringLiteral("Es wurden zuviele Objekte erstellt!"),
                     QStringLiteral("Fehler: Kein freies Objekt mehr"), Prompts::Buttons::Ok,
                     Prompts::Icon::Information);
}

void EditorPage::pasteFromClipboard() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        pasteMime(*data);
}

QPoint EditorPage::visibleLabelCentre() const {
    const int W = PaintBox1->width(), H = PaintBox1->height();
    const QRect label(QPoint(W / 3, H / 3), QPoint(2 * W / 3 - 1, 2 * H / 3 - 1));
    const QRect visible(QPoint(scrollX(), scrollY()), ScrollBox1->viewport()->size());
    const QRect shown = label & visible;
    return (shown.isEmpty() ? label : shown).center();
}

void EditorPage::pasteMime(const QMimeData& data) {
    if (MouseState != 0)
        return;
    const QString own = QLatin1String(ObjectPayload::MimeType);
    if (data.hasFormat(own)) {
        pasteOwnObject(data.data(own));
        return;
    }
    const QPoint centre = visibleLabelCentre();
    if (data.hasText() && !data.text().trimmed().isEmpty()) {
        QString text = textOfForeignText(data.text());
        if (text.size() > MaxPastedText) {
            text.truncate(MaxPastedText);
            emit statusMessage(QStringLiteral("Der eingefügte Text war zu lang und wurde nach "
                                              "%1 Zeichen abgeschnitten.")
                                   .arg(MaxPastedText));
        }
        Tobs obj;
        initNewObject(obj, doc_, KindText, centre.x(), centre.y(), FontDialog1);
        obj.Text = text;
        const QSize extent = textObjectExtent(obj);
        obj.Width = extent.width();
        obj.Height = extent.height();
        placeOnTop(obj, QStringLiteral("Einfügen"));
        return;
    }
    QImage image;
    const ClipboardPicture result = readClipboardPicture(data, image);
    switch (result) {
    case ClipboardPicture::Loaded:
        break;
    case ClipboardPicture::TooLarge:
    case ClipboardPicture::Unreadable:
        prompts_.message(QStringLiteral("Das Bild in der Zwischenablage ist %1 und wurde nicht "
                                        "eingefügt.")
                             .arg(result == ClipboardPicture::TooLarge
                                      ? QStringLiteral("zu groß")
                                      : QStringLiteral("beschädigt")),
                         QStringLiteral("Fehler: Einfügen nicht möglich"), Prompts::Buttons::Ok,
                         Prompts::Icon::Information);
        return;
    case ClipboardPicture::None:
        emit statusMessage(QStringLiteral("Die Zwischenablage enthält nichts, was als Objekt "
                                          "eingefügt werden kann."));
        return;
    }
    if (slotOnTop(doc_) == 0) {
        tooManyObjects();
        return;
    }
    const QString file = storePastedPicture(image);
    if (file.isEmpty()) {
        prompts_.message(QStringLiteral("Das eingefügte Bild konnte nicht im Ordner \"") +
                             QDir::toNativeSeparators(pastedPicturesFolder()) +
                             QStringLiteral("\" gespeichert werden."),
                         QStringLiteral("Fehler: Datei konnte nicht erstellt werden"),
                         Prompts::Buttons::Ok, Prompts::Icon::Information);
        return;
    }
    Tobs obj;
    obj.Text = file;
    if (loadChosenPicture(obj.Picture, file) != PictureLoad::Loaded) {
        prompts_.message(pictureFailedMessage(file), QString(), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
        return;
    }
    initNewObject(obj, doc_, KindPicture, centre.x(), centre.y(), FontDialog1);
    // A picture larger than the label comes fitted into it.
    const bool fitted = fitPictureToLabel(obj, labelUnits(doc_));
    if (placeOnTop(obj, QStringLiteral("Einfügen"), fitted))
        emit statusMessage(QStringLiteral("Das eingefügte Bild liegt in ") +
                           QDir::toNativeSeparators(file));
}

void EditorPage::pasteOwnObject(const QByteArray& bytes) {
    std::optional<ObjectPayload::Decoded> decoded = ObjectPayload::decode(bytes);
    if (!decoded) {
        prompts_.message(QStringLiteral("Das Objekt in der Zwischenablage ist beschädigt und "
                                        "wurde nicht eingefügt."),
                         QStringLiteral("Fehler: Einfügen nicht möglich"), Prompts::Buttons::Ok,
                         Prompts::Icon::Information);
        return;
    }
    if (slotOnTop(doc_) == 0) {
        tooManyObjects();
        return;
    }
    Tobs& obj = decoded->obj;
    if (obj.Kind == KindPicture) {
        // As a label file's pictures: under the stored name, then beside the label that
        // the object came from; the name kept is the one that was found.
        PictureFileLoader files;
        PictureLoad result = files.load(obj.Picture, obj.Text, obj.Rotation);
        const QString part = fileNamePart(obj.Text);
        if (result == PictureLoad::Failed && !decoded->folder.isEmpty() && !part.isEmpty()) {
            const QString beside = QDir(decoded->folder).filePath(part);
            result = files.load(obj.Picture, beside, obj.Rotation);
            if (result == PictureLoad::Loaded)
                obj.Text = SubProgPath(beside);
        }
        if (result != PictureLoad::Loaded)
            prompts_.message(pictureLoadMessage(result, obj.Text), QString(), Prompts::Buttons::Ok,
                             Prompts::Icon::Error);
        settleTransColor(obj);
    }
    placeOnTop(obj, QStringLiteral("Einfügen"));
}

bool EditorPage::dropPictureFiles(const QStringList& files, QPoint at) {
    if (MouseState != 0)
        return false;
    SlotEdit edit(doc_);
    QList<int> taken;
    int last = 0;
    // Side by side from the drop point (its corner on the grid), fitted one by one.
    const SnapGrid grid = snapGrid();
    PictureRows rows(grid.snapX(doc_.FromPixels(at.x())), grid.snapY(doc_.FromPixels(at.y())),
                     labelUnits(doc_));
    for (const QString& file : files) {
        int slot = 0;
        for (int i = 1; i <= ObjectTable::MaxObjs && slot == 0; ++i) {
            if (doc_.Objs[i].Kind == KindFree && !taken.contains(i))
                slot = i;
        }
        if (slot == 0) {
            tooManyObjects();
            break;
        }
        Tobs obj;
        obj.Text = SubProgPath(file);
        const PictureLoad result = loadChosenPicture(obj.Picture, obj.Text);
        if (result != PictureLoad::Loaded) {
            prompts_.message(pictureLoadMessage(result, obj.Text), QString(), Prompts::Buttons::Ok,
                             Prompts::Icon::Error);
            continue;
        }
        initNewObject(obj, doc_, KindPicture, at.x(), at.y(), FontDialog1);
        rows.place(obj);
        edit.slot(slot) = obj;
        taken.append(slot);
        last = slot;
    }
    if (last == 0)
        return false;
    edit.select(last);
    return edit.commit(QStringLiteral("Einfügen"));
}

bool EditorPage::acceptsDroppedFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    return readFormatByExtension(info.suffix().toLower()) != nullptr;
}
