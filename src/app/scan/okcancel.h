#pragma once

class QDialog;
class QDialogButtonBox;
class QBoxLayout;

// OK and Cancel at the foot of a dialog, wired to accept and reject, each button
// named for assistive tools by its caption.
QDialogButtonBox* addOkCancel(QDialog* dialog, QBoxLayout* layout);
