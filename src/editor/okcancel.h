#pragma once

class QDialog;
class QDialogButtonBox;
class QBoxLayout;

// OK and Cancel at the foot of a dialog, wired to accept and reject, named "OKBtn"
// and "CancelBtn", and each named for assistive tools by its caption.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// The same, added to the dialog's layout.
QDialogButtonBox* addOkCancel(QDialog* dialog, QBoxLayout* layout);
