#pragma once

#include <QStringList>

class LabelDocument;
class TemplateWizard;

// Turns the chosen design into objects of the (already emptied) document: the
// magnification back to its start, the design laid out on the label in the
// editor's paint box, a text object per text cell with the largest fitting size, a
// picture object for the logo, and the wizard's background covering the label.
// Pictures that cannot be loaded are left out; the messages about them are
// returned in order, for the caller to show. Does nothing without a chosen design.
QStringList RenderTemplate(LabelDocument& doc, const TemplateWizard& wizard);
