#include "app/scan/scannerselectdialog.h"

#include "editor/okcancel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ScannerSelectDialog::ScannerSelectDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ScannerSelectDialog"));
    setWindowTitle(QStringLiteral("Scanner auswählen"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Scanner:"), this);
    DeviceList = new QListWidget(this);
    DeviceList->setObjectName(QStringLiteral("DeviceList"));
    DeviceList->setAccessibleName(QStringLiteral("Scanner"));
    label->setBuddy(DeviceList);
    layout->addWidget(label);
    layout->addWidget(DeviceList);
    addOkCancel(this, layout);
    connect(DeviceList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(420, 260);
}

int ScannerSelectDialog::choose(const QList<ScanDevice>& devices, int current) {
    DeviceList->clear();
    for (const ScanDevice& d : devices)
        DeviceList->addItem(d.description.isEmpty()
                                ? d.name
                                : d.description + QStringLiteral(" (") + d.name + QLatin1Char(')'));
    DeviceList->setCurrentRow(current >= 0 ? current : 0);
    if (exec() != QDialog::Accepted)
        return -1;
    return DeviceList->currentRow();
}
