#include "output/codequestion.h"

#include "document/prompts.h"
#include "render/codecheck.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPrinter>

bool confirmCodeFaults(const LabelDocument& doc, Prompts& prompts, const QPrinter& printer,
                       int firstNumber, int copies, bool merged) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const bool faulty =
        !codeFaults(doc, firstNumber, copies, printer.logicalDpiX(), merged).empty();
    QGuiApplication::restoreOverrideCursor();
    if (!faulty)
        return true;
    return prompts.message(QStringLiteral("Einige Codes enthalten ungültige Daten und werden als "
                                          "rotes Kreuz gedruckt. Trotzdem drucken?"),
                           QStringLiteral("Drucken"), Prompts::Buttons::YesNo,
                           Prompts::Icon::Question) == Prompts::Answer::Yes;
}
