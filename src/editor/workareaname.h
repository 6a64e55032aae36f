#pragma once

#include <QString>

class LabelDocument;

// What a screen reader hears for the editor's work area: its name and the selected
// object's kind and text ("Arbeitsfläche, ausgewählt: Text „Hallo“").
QString workAreaName(const LabelDocument& doc);
