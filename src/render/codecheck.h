#pragma once

#include <QString>

#include <vector>

class LabelDocument;

// A code object that prints as a red cross: its slot, the label number and data it
// fails with, and why.
struct CodeFault {
    int slot = 0;
    int number = 0;
    QString data;
    QString reason;
};

// The code objects of the document that print as a red cross on a printer of
// dotsPerInch in a run of count labels numbered from first upwards; each slot is
// named once, with the first label it fails on. In a merged run (merged true) codes
// whose data holds fields of the data source are left to the check of the rows.
std::vector<CodeFault> codeFaults(const LabelDocument& doc, int first, int count, int dotsPerInch,
                                  bool merged = false);
