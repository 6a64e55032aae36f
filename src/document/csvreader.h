#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

// Comma-separated values as RFC 4180 writes them: fields separated by commas,
// records by CRLF or LF, a field in double quotes may hold commas, line breaks and
// doubled quotes. Empty lines are skipped. The whole text at once, through the
// reader the data sources use.
QList<QStringList> parseCsv(QStringView text);
