#include "output/printerchoicedialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QString PrinterChoiceDialog::pdfEntry() {
    return QStringLiteral("PDF-Datei");
}

PrinterChoiceDialog::PrinterChoiceDialog(const QStringList& queues, const QString& current,
                                         std::function<void(const QString&)> paperSetup,
                                         QWidget* parent)
    : QDialog(parent), paperSetup_(std::move(paperSetup)) {
    setObjectName(QStringLiteral("PrinterChoiceDialog"));
    setWindowTitle(QStringLiteral("Drucker einrichten"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("&Drucker:"), this);
    layout->addWidget(caption);
    PrinterList = new QListWidget(this);
    PrinterList->setObjectName(QStringLiteral("PrinterList"));
    PrinterList->setAccessibleName(QStringLiteral("Drucker"));
    PrinterList->addItems(queues);
    PrinterList->addItem(pdfEntry());
    caption->setBuddy(PrinterList);
    layout->addWidget(PrinterList, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    PaperBtn =
        buttons->addButton(QStringLiteral("&Papier einrichten..."), QDialogButtonBox::ActionRole);
    PaperBtn->setObjectName(QStringLiteral("PaperBtn"));
    PaperBtn->setAccessibleName(QStringLiteral("Papier einrichten"));
    PaperBtn->setToolTip(QStringLiteral("Papierformat und Ausrichtung des Druckers einstellen"));
    PaperBtn->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(PaperBtn, &QPushButton::clicked, this, [this] {
        if (paperSetup_)
            paperSetup_(chosenPrinter());
    });
    connect(PrinterList, &QListWidget::currentRowChanged, this,
            &PrinterChoiceDialog::highlightChanged);
    connect(PrinterList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    choosePrinter(current);
    PrinterList->setFocus();
}

QString PrinterChoiceDialog::chosenPrinter() const {
    const int row = PrinterList->currentRow();
    // The last entry is the PDF file.
    if (row < 0 || row >= PrinterList->count() - 1)
        return QString();
    return PrinterList->item(row)->text();
}

void PrinterChoiceDialog::choosePrinter(const QString& name) {
    int row = PrinterList->count() - 1;
    for (int i = 0; !name.isEmpty() && i < PrinterList->count() - 1; ++i)
        if (PrinterList->item(i)->text() == name)
            row = i;
    PrinterList->setCurrentRow(row);
    highlightChanged();
}

void PrinterChoiceDialog::highlightChanged() {
    // A PDF file is always A4 in portrait; only printers have paper settings.
    PaperBtn->setEnabled(!chosenPrinter().isEmpty());
}
