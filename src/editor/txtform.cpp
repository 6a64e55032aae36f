#include "editor/txtform.h"

#include "document/propertycommands.h"
#include "editor/accessiblename.h"
#include "editor/okcancel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TTxtForm::TTxtForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TxtForm"));
    setWindowTitle(QStringLiteral("Text eingeben..."));
    setAccessibleCaption(this, windowTitle());
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    setAccessibleCaption(Memo1, QStringLiteral("Text"));
    Memo1->setFixedSize(401, 169);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the buttons, as in any dialog.
    Memo1->setTabChangesFocus(true);

    FieldBox = new QComboBox(this);
    FieldBox->setObjectName(QStringLiteral("FieldBox"));
    setAccessibleCaption(FieldBox, QStringLiteral("Feld einfügen"));
    FieldBox->setToolTip(QStringLiteral("Fügt ein Feld der Daten an der Schreibmarke ein"));
    FieldBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setFieldNames({});
    connect(FieldBox, &QComboBox::activated, this, [this](int index) {
        if (index <= 0)
            return;
        Memo1->insertPlainText(FieldBox->itemText(index));
        FieldBox->setCurrentIndex(0);
        Memo1->setFocus(Qt::OtherFocusReason);
    });

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QDialogButtonBox* buttons = okCancelButtons(this);
    OKBtn = buttons->button(QDialogButtonBox::Ok);
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(8, 8, 8, 8);
    all->addWidget(Memo1);
    all->addWidget(line);
    // The drop-down shares the row of the buttons, so the dialog keeps its size.
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(FieldBox);
    bottom->addWidget(buttons, 1);
    all->addLayout(bottom);
    setFixedSize(417, 240);
}

void TTxtForm::setFieldNames(const QStringList& columns) {
    FieldBox->clear();
    FieldBox->addItem(QStringLiteral("Feld einfügen"));
    FieldBox->addItem(QStringLiteral("%%NUMMER%%"));
    for (const QString& c : columns)
        FieldBox->addItem(QStringLiteral("%%") + c + QStringLiteral("%%"));
    FieldBox->setCurrentIndex(0);
}

void TTxtForm::setLines(const QStringList& lines) {
    QString text = lines.join(QLatin1Char('\n'));
    // An empty last line needs its own line break, or reading the memo back drops it.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        text += QLatin1Char('\n');
    Memo1->setPlainText(text);
}

QStringList TTxtForm::lines() const {
    return splitLines(Memo1->toPlainText(), QLatin1Char('\n'));
}

void TTxtForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Memo1->setFocus(Qt::OtherFocusReason);
}
