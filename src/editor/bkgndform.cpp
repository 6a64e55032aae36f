#include "editor/bkgndform.h"

#include "codec/rasterio.h"
#include "document/labeldocument.h"
#include "document/progpath.h"
#include "document/prompts.h"
#include "editor/accessiblename.h"
#include "editor/bmpopenform.h"
#include "editor/previewpane.h"
#include "render/dibdraw.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QVBoxLayout>

QRect backgroundPreviewRect(QSize box, QSize picture) {
    QRect r = previewRect(box, picture);
    if (!r.isEmpty())
        r.moveTo((box.width() - r.width()) / 2, (box.height() - r.height()) / 2);
    return r;
}

BackgroundPreview::BackgroundPreview(const TDibRecord& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAccessibleName(QStringLiteral("Vorschau"));
}

void BackgroundPreview::paintEvent(QPaintEvent*) {
    if (!picture_.hasPicture())
        return;
    const QRect r = backgroundPreviewRect(size(), picture_.Image.size());
    if (r.isEmpty())
        return;
    // Drawn into a bitmap of its own first: on a widget the painter's device
    // transform holds the widget's place in the window, which DrawDib would take
    // for part of the destination.
    QImage shown(r.size(), QImage::Format_RGB32);
    if (shown.isNull())
        return;
    {
        QPainter bitmap(&shown);
        DrawDib(bitmap, 0, 0, r.width(), r.height(), picture_, 0, 0, picture_.width(),
                picture_.height(), true, true);
    }
    QPainter p(this);
    p.drawImage(r.topLeft(), shown);
}

Tbkgndform::Tbkgndform(LabelDocument& doc, Prompts& prompts, TBMPOpenForm& openForm,
                       std::function<void()> repaintEditor, QWidget* parent)
    : QDialog(parent), doc_(doc), prompts_(prompts), openForm_(openForm),
      repaintEditor_(std::move(repaintEditor)) {
    setObjectName(QStringLiteral("bkgndform"));
    setWindowTitle(QStringLiteral("Hintergrundbild auswählen"));
    setAccessibleCaption(this, windowTitle());

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setFixedSize(388, 281);
    PaintBox1 = new BackgroundPreview(WorkPic);
    ScrollBox1->setWidget(PaintBox1);

    Einstellungen = new QGroupBox(QStringLiteral("Einstellungen"), this);
    Einstellungen->setObjectName(QStringLiteral("GroupBox1"));
    setHint(Einstellungen,
            QStringLiteral("Wählen Sie die gewünschte Anordnung des Hintergrundbildes"));
    setAccessibleCaption(Einstellungen, Einstellungen->title());
    auto radio = [this](const char* name, const QString& caption) {
        auto* b = new QRadioButton(caption, Einstellungen);
        b->setObjectName(QLatin1String(name));
        setAccessibleCaption(b, caption);
        return b;
    };
    RadioButton1 = radio("RadioButton1", QStringLiteral("Angepasst an Karte"));
    RadioButton2 = radio("RadioButton2", QStringLiteral("Zentriert kleiner"));
    RadioButton3 = radio("RadioButton3", QStringLiteral("Zentriert größer"));
    RadioButton4 = radio("RadioButton4", QStringLiteral("Nebeneinander (Kacheln)"));
    RadioButton3->setChecked(true);
    auto* radios = new QVBoxLayout(Einstellungen);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        radios->addWidget(b);

    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        setAccessibleCaption(b, caption);
        setHint(b, hint);
        return b;
    };
    OpenBtn = button("OpenBtn", QStringLiteral("Ö&ffnen..."),
                     QStringLiteral("Öffnet ein Hintergrundbild"));
    NoBkGndBtn = button("NoBkGndBtn", QStringLiteral("&Keins"),
                        QStringLiteral("Kein Hintergrundbild auswählen..."));
    OkBitBtn1 = button("OkBitBtn1", QStringLiteral("&Zurück"),
                       QStringLiteral("Zurück zum Hauptprogramm..."));
    OkBitBtn1->setDefault(true);
    connect(OpenBtn, &QPushButton::clicked, this, &Tbkgndform::OpenBtn2Click);
    connect(NoBkGndBtn, &QPushButton::clicked, this, &Tbkgndform::NoBkGndBtnClick);
    connect(OkBitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* side = new QVBoxLayout();
    side->addWidget(Einstellungen);
    side->addWidget(OpenBtn);
    side->addWidget(NoBkGndBtn);
    side->addStretch(1);
    side->addWidget(OkBitBtn1);
    auto* all = new QHBoxLayout(this);
    all->addWidget(ScrollBox1);
    all->addLayout(side);
    all->setSizeConstraint(QLayout::SetFixedSize);
}

void Tbkgndform::setHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

bool Tbkgndform::event(QEvent* event) {
    // The hints show in the main window's status line, as the editor's own do.
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QStatusTipEvent tip(static_cast<QStatusTipEvent*>(event)->tip());
        QCoreApplication::sendEvent(parentWidget(), &tip);
        return true;
    }
    return QDialog::event(event);
}

void Tbkgndform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void Tbkgndform::FormActivate() {
    step_.emplace(doc_);
    switch (doc_.BkgndMode) {
    case BkgndStretch:
        RadioButton1->setChecked(true);
        break;
    case BkgndFitInside:
        RadioButton2->setChecked(true);
        break;
    case BkgndCover:
        RadioButton3->setChecked(true);
        break;
    case BkgndTiles:
        RadioButton4->setChecked(true);
        break;
    default:
        break; // no background: the choice of the last visit stays
    }
    WorkPic = doc_.BkgndPic;
    WorkFile = doc_.BkgndFile;
    PaintBox1->update();
}

void Tbkgndform::OpenBtn2Click() {
    openForm_.startInLastFolder();
    openForm_.setFilter(GetDIBOpenFilter());
    openForm_.FileNameEdit->clear();
    if (openForm_.exec() != QDialog::Accepted)
        return;
    const QString file = openForm_.ChosenFile;
    // Read into a record of its own: a picture that cannot be read leaves the
    // background as it was.
    TDibRecord loaded;
    const PictureLoad result = loadChosenPicture(loaded, file);
    if (result != PictureLoad::Loaded) {
        deldib(loaded);
        prompts_.message(pictureLoadMessage(result, file), QString(), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
        return;
    }
    WorkPic = loaded;
    WorkFile = file;
    showWorkPicture();
}

void Tbkgndform::NoBkGndBtnClick() {
    deldib(WorkPic);
    WorkFile.clear();
    showWorkPicture();
}

void Tbkgndform::showWorkPicture() {
    doc_.BkgndPic = WorkPic;
    doc_.BkgndFile = WorkFile;
    PaintBox1->update();
    if (repaintEditor_)
        repaintEditor_();
}

void Tbkgndform::FormClose() {
    doc_.BkgndMode = RadioButton2->isChecked()   ? BkgndFitInside
                     : RadioButton3->isChecked() ? BkgndCover
                     : RadioButton4->isChecked() ? BkgndTiles
                                                 : BkgndStretch;
    if (WorkPic.hasPicture()) {
        doc_.BkgndPic = WorkPic;
        doc_.BkgndFile = WorkFile;
    } else {
        deldib(doc_.BkgndPic);
        doc_.BkgndMode = BkgndNone;
        doc_.BkgndFile.clear();
    }
    if (repaintEditor_)
        repaintEditor_();
}

void Tbkgndform::done(int result) {
    FormClose();
    if (step_) {
        step_->commit(QStringLiteral("Hintergrundbild"));
        step_.reset();
    }
    // The document holds the picture now; the working copy lets go of it.
    deldib(WorkPic);
    WorkFile.clear();
    QDialog::done(result);
}
