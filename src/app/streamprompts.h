#pragma once

#include "document/prompts.h"

#include <QTextStream>

// Prompts of a command-line job: messages go to standard error, questions are
// answered "no" (nobody is there to answer them), dialogs are cancelled.
class StreamPrompts : public Prompts {
public:
    explicit StreamPrompts(QTextStream& err) : err_(err) {}
    Answer message(const QString& text, const QString& caption, Buttons buttons, Icon) override {
        err_ << QStringLiteral("aufkleber-werkbank: ");
        if (!caption.isEmpty())
            err_ << caption << ": ";
        err_ << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) << Qt::endl;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }

private:
    QTextStream& err_;
};
