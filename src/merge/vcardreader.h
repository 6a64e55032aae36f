#pragma once

#include "merge/tablereader.h"

#include <QByteArray>
#include <QString>

struct SourceProbe;

// The columns of a vCard source, in this order.
QStringList vCardColumns();

// vCard files (versions 2.1, 3.0 and 4.0): one row per card. Folded lines are
// joined, quoted-printable values and version 2.1's CHARSET decoded; of several
// addresses or numbers the one marked as preferred is taken, else the first.
std::unique_ptr<TableReader> openVCardTable(const QString& path, const SourceProbe& probe,
                                            QString* error);

// Quoted-printable: "=XX" becomes the byte XX; a "=" before the line end is a soft
// break. Anything else stays.
QByteArray decodeQuotedPrintable(const QByteArray& text);
