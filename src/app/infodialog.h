#pragma once

#include <QDialog>

// The modal information dialog "Info".
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit InfoDialog(QWidget* parent = nullptr);
};
