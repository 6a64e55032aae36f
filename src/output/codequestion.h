#pragma once

class LabelDocument;
class Prompts;
class QPrinter;

// Before a print run: when some code of the run's labels would print as a red cross,
// asks "Einige Codes enthalten ungültige Daten und werden als rotes Kreuz gedruckt.
// Trotzdem drucken?" (caption "Drucken", Yes/No). True when the run may go on.
// In a merged run, codes with data fields are left to the check of the rows.
bool confirmCodeFaults(const LabelDocument& doc, Prompts& prompts, const QPrinter& printer,
                       int firstNumber, int copies, bool merged = false);
