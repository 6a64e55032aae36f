#include "document/picturenames.h"

#include "document/labeldocument.h"
#include "document/prompts.h"
#include "document/win1252.h"

namespace {
const QString Caption = QStringLiteral("Warnung: Bildname nicht speicherbar");
// More names than this are summed up, so the message stays on the screen.
constexpr int ListedNames = 10;
} // namespace

bool fitsLabelFile(const QString& name) {
    return fromWin1252(toWin1252(name)) == name;
}

QStringList unstorablePictureNames(const LabelDocument& doc) {
    QStringList names;
    auto note = [&names](const QString& name) {
        if (!name.isEmpty() && !fitsLabelFile(name) && !names.contains(name))
            names << name;
    };
    if (doc.BkgndMode != BkgndNone)
        note(doc.BkgndFile);
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        if (doc.Objs[slot].Kind == KindPicture)
            note(doc.Objs[slot].Text);
    }
    return names;
}

void warnUnstorablePictureName(Prompts& prompts, const QString& name) {
    if (fitsLabelFile(name))
        return;
    prompts.message(QStringLiteral("Der Name des Bildes \"") + name +
                        QStringLiteral("\" enthält Zeichen, die eine Etikett-Datei nicht "
                                       "speichern kann. Nach dem Speichern und erneuten Öffnen "
                                       "fehlt das Bild. Benennen Sie das Bild oder seinen Ordner "
                                       "um, damit es erhalten bleibt."),
                    Caption, Prompts::Buttons::Ok, Prompts::Icon::Warning);
}

void warnUnstorablePictureNames(Prompts& prompts, const LabelDocument& doc) {
    const QStringList names = unstorablePictureNames(doc);
    if (names.isEmpty())
        return;
    QString list = names.mid(0, ListedNames).join(QLatin1Char('\n'));
    if (names.size() > ListedNames)
        list += QStringLiteral("\n... und %1 weitere").arg(names.size() - ListedNames);
    prompts.message(QStringLiteral("Die Namen dieser Bilder enthalten Zeichen, die eine "
                                   "Etikett-Datei nicht speichern kann; beim nächsten Öffnen "
                                   "fehlen die Bilder:\n") +
                        list,
                    Caption, Prompts::Buttons::Ok, Prompts::Icon::Warning);
}
