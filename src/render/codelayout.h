#pragma once

#include "codec/barcode.h"

#include <QString>

#include <cstdint>

struct MergeRecord;
struct Tobs;

// Placing a code in its box, in whole dots: every module gets the same whole number
// of dots, the largest that lets the symbol (quiet zones included) fit the box. The
// bars of a linear code take the height that the human-readable text leaves; 2D
// modules stay square. The symbol is centred in the box.

// Linear codes need bars of at least this many modules' height.
inline constexpr double MinBarModules = 5.0;
// More dots per module than this are not given (a box of absurd size).
inline constexpr int64_t MaxModuleDots = 1 << 20;

struct CodeFit {
    CodeSymbol symbol;
    QString reason;     // German, when the code cannot be drawn
    int64_t module = 0; // dots per module; 0 when the code cannot be drawn
    int64_t left = 0;   // the symbol's corner in the box, dots
    int64_t top = 0;
    int64_t width = 0; // the symbol's size, dots
    int64_t height = 0;
    bool ok() const { return module > 0; }
};

// The request a code object makes with the given data.
CodeRequest codeRequest(const Tobs& object, const QString& data);

// Fits the code into a box of boxWidth x boxHeight dots (the box as the code sees it,
// already turned).
CodeFit fitCode(const CodeRequest& request, int64_t boxWidth, int64_t boxHeight);

// The box of a code object in dots of a printer of dotsPerInch, turned by its
// Rotation (sides exchanged for quarter turns 1 and 3).
void codeBoxDots(const Tobs& object, int dotsPerInch, int64_t& width, int64_t& height);

// Why a code object prints as a red cross on a printer of dotsPerInch, with the
// label number Number; empty when it prints as a code.
QString codeProblem(const Tobs& object, int Number, int dotsPerInch,
                    const MergeRecord* record = nullptr);

// The reason shown when the box holds less than one dot per module.
QString codeBoxTooSmallText();
