#include "app/infodialog.h"

#include "document/labelstocks.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

InfoDialog::InfoDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InfoDialog"));
    setWindowTitle(QStringLiteral("Info"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<h2>Aufkleber-Werkbank 2.1</h2>"), this);
    auto* text = new QLabel(
        QStringLiteral("Gestalten und Drucken von Etiketten auf Bögen selbstklebender Etiketten.\n"
                       "Version ") +
            QStringLiteral(AWB_VERSION),
        this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(text);
    // The list of commercial label stocks comes with its own licence notice.
    auto* stocksTitle = new QLabel(QStringLiteral("Herstellerliste der Etikettenbögen:"), this);
    auto* notice = new QPlainTextEdit(shippedLabelStocksNotice(), this);
    notice->setObjectName(QStringLiteral("StocksNotice"));
    notice->setAccessibleName(stocksTitle->text());
    notice->setReadOnly(true);
    notice->setLineWrapMode(QPlainTextEdit::NoWrap);
    notice->setMinimumSize(640, 160);
    layout->addWidget(stocksTitle);
    layout->addWidget(notice, 1);
    layout->addWidget(buttons);
}
