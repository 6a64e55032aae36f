#pragma once

#include "codec/scanner.h"

#include <QDialog>

class QListWidget;

// "Scanner auswählen": the scanners found, one of them marked as current.
class ScannerSelectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScannerSelectDialog(QWidget* parent = nullptr);

    // Shows the devices; the chosen index after OK, -1 after cancelling.
    int choose(const QList<ScanDevice>& devices, int current);

    QListWidget* DeviceList = nullptr;
};
