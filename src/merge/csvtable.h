#pragma once

#include "merge/tablereader.h"

struct SourceProbe;

// Delimited text (CSV, text with tabs): the first record names the columns; the
// separator is found from the first lines. Empty column names become "Spalte N",
// rows with fewer fields are filled with empty ones, extra fields are left out; each
// is reported.
std::unique_ptr<TableReader> openCsvTable(const QString& path, const SourceProbe& probe,
                                          QString* error);
