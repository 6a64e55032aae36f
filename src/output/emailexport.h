#pragma once

#include <QString>

class LabelDocument;
class Prompts;

// The "eMail Export": the label alone at 96 pixels per inch, saved as a picture in
// a format the user picks in the save dialog.
class EMailExport {
public:
    inline static const QString DialogTitle = QStringLiteral("Etikett für eMail-Anhang speichern");
    inline static const QString SaveFailedText =
        QStringLiteral("Fehler: Datei konnte nicht gespeichert werden!");

    // Runs the export with the label number for "%%NUMMER%%"; true when a file was
    // written. Cancelling writes nothing and says nothing.
    bool run(LabelDocument& doc, int number, Prompts& prompts);

    // The filter entry chosen last (0-based), offered again next time.
    int lastFilter() const { return filter_; }

private:
    int filter_ = 0;
};
