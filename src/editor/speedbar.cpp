#include "editor/speedbar.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace {
QToolButton* fileButton(QWidget* parent, const char* objectName, const QString& caption,
                        const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(objectName));
    b->setText(caption);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(70);
    b->setEnabled(false);
    return b;
}
} // namespace

SpeedBar::SpeedBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpeedBar2"));
    setFixedHeight(56);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    NeuBtn = fileButton(this, "NeuBtn", QStringLiteral("Neu..."),
                        QStringLiteral("Neue Datei erstellen"), QStyle::SP_FileIcon);
    OeffnenBtn = fileButton(this, "OeffnenBtn", QStringLiteral("Öffnen..."),
                            QStringLiteral("Etiketten-Datei öffnen"), QStyle::SP_DialogOpenButton);
    SpeichernBtn =
        fileButton(this, "SpeichernBtn", QStringLiteral("Speichern"),
                   QStringLiteral("Aktuelle Etiketten speichern"), QStyle::SP_DialogSaveButton);
    HintergrundBtn = fileButton(this, "HintergrundBtn", QStringLiteral("Hintergrund"),
                                QStringLiteral("Ändert die Einstellungen des Hintergrundbildes"),
                                QStyle::SP_DesktopIcon);
    for (QToolButton* b : {NeuBtn, OeffnenBtn, SpeichernBtn, HintergrundBtn})
        layout->addWidget(b);
    layout->addStretch(1);
}
