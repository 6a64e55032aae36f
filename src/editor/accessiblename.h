#pragma once

#include <QString>
#include <QWidget>

// Screen readers and accessibility-based tests find a control by its caption or
// the text of its label, without the mnemonic marker and the closing colon.
inline void setAccessibleCaption(QWidget* widget, QString caption) {
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    widget->setAccessibleName(caption);
}
