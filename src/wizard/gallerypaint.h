#pragma once

#include "wizard/gallerygeometry.h"

class QPainter;
class QRect;
class TemplateWizard;
class TextFitCache;

// Draws the gallery's thumbnails that meet the visible part of the paint box:
// the chosen one framed in red, each on the wizard's background picture (or on
// white), with its texts fitted into their cells and the logo in its cell. The
// space between thumbnails is left alone.
void paintGallery(QPainter& p, const GalleryGeometry& geometry, const QRect& visible,
                  const TemplateWizard& wizard, double labelWidthMm, double labelHeightMm,
                  TextFitCache& fits);

// One thumbnail of design i in its rectangle.
void paintThumbnail(QPainter& p, const CellRect& thumb, int i, const TemplateWizard& wizard,
                    double labelWidthMm, double labelHeightMm, TextFitCache& fits);
