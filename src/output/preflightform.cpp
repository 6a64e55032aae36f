#include "output/preflightform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPreflightForm::TPreflightForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PreflightForm"));
    setWindowTitle(QStringLiteral("Prüfung vor dem Druck"));
    setAccessibleName(windowTitle());
    auto* v = new QVBoxLayout(this);
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setWordWrap(true);
    v->addWidget(Summary);
    FindingList = new QPlainTextEdit(this);
    FindingList->setObjectName(QStringLiteral("FindingList"));
    FindingList->setAccessibleName(QStringLiteral("Befunde"));
    FindingList->setReadOnly(true);
    FindingList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    v->addWidget(FindingList, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    PrintAnywayBtn = new QPushButton(QStringLiteral("Trotzdem drucken"), this);
    PrintAnywayBtn->setObjectName(QStringLiteral("PrintAnywayBtn"));
    PrintAnywayBtn->setAccessibleName(PrintAnywayBtn->text());
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAccessibleName(CancelBtn->text());
    CancelBtn->setDefault(true);
    buttons->addWidget(PrintAnywayBtn);
    buttons->addWidget(CancelBtn);
    v->addLayout(buttons);
    connect(PrintAnywayBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 360);
}

void TPreflightForm::setFindings(const QStringList& findings) {
    Summary->setText(QStringLiteral("Beim Druck mit den gewählten Daten würde nicht alles "
                                    "gelingen:"));
    Summary->setAccessibleName(Summary->text());
    FindingList->setPlainText(findings.join(QLatin1Char('\n')));
}
