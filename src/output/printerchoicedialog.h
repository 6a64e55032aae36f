#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

// "Drucker einrichten": the printer the labels go to, one of the system's print
// queues or "PDF-Datei", and a way to the chosen printer's paper settings.
class PrinterChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // The entry that stands for printing into a PDF file.
    static QString pdfEntry();

    // queues: the system's printers; current: the printer in use, empty for the
    // PDF file. paperSetup opens the paper settings of the named printer.
    PrinterChoiceDialog(const QStringList& queues, const QString& current,
                        std::function<void(const QString&)> paperSetup, QWidget* parent = nullptr);

    QListWidget* PrinterList = nullptr;
    QPushButton* PaperBtn = nullptr; // "Papier einrichten..."

    // The highlighted printer; empty for the PDF file.
    QString chosenPrinter() const;
    void choosePrinter(const QString& name);

private:
    void highlightChanged();

    std::function<void(const QString&)> paperSetup_;
};
