#include "scriptedprompts.h"

Prompts::Answer ScriptedPrompts::message(const QString& text, const QString& caption,
                                         Buttons buttons, Icon icon) {
    shown.append({text, caption, buttons, icon});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

QString ScriptedPrompts::nextFile(FileRequest& request) {
    fileRequests.append(request);
    if (!filterChoices.isEmpty())
        request.selectedFilter = filterChoices.dequeue();
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPrompts::openFileName(FileRequest& request) {
    return nextFile(request);
}

QString ScriptedPrompts::saveFileName(FileRequest& request) {
    return nextFile(request);
}

bool ScriptedPrompts::chooseColor(int32_t& color) {
    colorPresets.append(color);
    const std::optional<int32_t> answer = colors.isEmpty() ? std::nullopt : colors.dequeue();
    if (answer)
        color = *answer;
    return answer.has_value();
}

bool ScriptedPrompts::chooseFont(FontChoice& font) {
    fontPresets.append(font);
    const std::optional<FontChoice> answer = fonts.isEmpty() ? std::nullopt : fonts.dequeue();
    if (answer)
        font = *answer;
    return answer.has_value();
}
