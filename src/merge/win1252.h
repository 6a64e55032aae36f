#pragma once

#include <QByteArray>
#include <QString>

// Texts in files are Windows-1252 bytes; inside the program everything is QString.
// The five byte values that Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control characters of the same number, so every byte value
// survives a round trip. Characters that Windows-1252 cannot hold become '?'.
QString fromWin1252(const QByteArray& bytes);
QByteArray toWin1252(const QString& text);
