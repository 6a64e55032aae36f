#pragma once

#include "document/prompts.h"

// Answers every message as a user who declines (Ok where that is the only button)
// and chooses no file, so that a fuzzed input never waits for anyone.
class SilentPrompts : public Prompts {
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
};
