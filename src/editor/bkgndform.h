#pragma once

#include "codec/dibrecord.h"
#include "document/slotedit.h"

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class LabelDocument;
class Prompts;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QScrollArea;
class TBMPOpenForm;

// Where the preview shows a picture: as large as fits the box with the aspect
// ratio kept, centred.
QRect backgroundPreviewRect(QSize box, QSize picture);

// The preview of the background picture, drawn over the scroll box's colour.
class BackgroundPreview : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundPreview(const TDibRecord& picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TDibRecord& picture_;
};

// "Hintergrundbild auswählen": opens or removes the document's background picture
// and chooses how it fits the label. There is no cancel: a picture opened or removed
// is the document's at once, and closing the dialog in any way applies the fitting.
class Tbkgndform : public QDialog {
    Q_OBJECT
public:
    Tbkgndform(LabelDocument& doc, Prompts& prompts, TBMPOpenForm& openForm,
               std::function<void()> repaintEditor, QWidget* parent = nullptr);

    QGroupBox* Einstellungen = nullptr;
    QRadioButton* RadioButton1 = nullptr; // "Angepasst an Karte"
    QRadioButton* RadioButton2 = nullptr; // "Zentriert kleiner"
    QRadioButton* RadioButton3 = nullptr; // "Zentriert größer"
    QRadioButton* RadioButton4 = nullptr; // "Nebeneinander (Kacheln)"
    QPushButton* OpenBtn = nullptr;
    QPushButton* NoBkGndBtn = nullptr;
    QPushButton* OkBitBtn1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    BackgroundPreview* PaintBox1 = nullptr;

    const TDibRecord& workPic() const { return WorkPic; }
    const QString& workFile() const { return WorkFile; }

    void OpenBtn2Click();
    void NoBkGndBtnClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormActivate();
    void FormClose();
    // The document shows the working picture at once, here and in the editor.
    void showWorkPicture();
    void setHint(QWidget* widget, const QString& hint);

    LabelDocument& doc_;
    Prompts& prompts_;
    TBMPOpenForm& openForm_;
    std::function<void()> repaintEditor_;
    TDibRecord WorkPic;
    QString WorkFile;
    // What the dialog changes, from its showing to its closing, is one step.
    std::optional<DocumentRecorder> step_;
};
