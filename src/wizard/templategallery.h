#pragma once

#include "wizard/designlayout.h"
#include "wizard/gallerygeometry.h"

#include <QScrollArea>

class LabelDocument;
class TemplateGallery;
class TemplateWizard;

// The paint box of the gallery: draws the thumbnails, chooses by click and by the
// arrow keys, and asks for adoption by double click and Enter.
class GalleryPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit GalleryPaintBox(TemplateGallery& gallery);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TemplateGallery& gallery_;
};

// The gallery of the last generation's designs (ScrollBox4 with PaintBox4): a
// vertically scrolling pane in the workspace colour, one thumbnail row per
// scroll step; the chosen design is framed in red.
class TemplateGallery : public QScrollArea {
    Q_OBJECT
public:
    TemplateGallery(const LabelDocument& doc, TemplateWizard& wizard, QWidget* parent = nullptr);

    GalleryPaintBox* PaintBox4 = nullptr;

    // The geometry for the current label, pane width and designs.
    GalleryGeometry geometry() const;
    // Shows a new generation: sizes the paint box and repaints all of it.
    void PaintBox4Paint();
    // Chooses the design under the paint-box point (any button).
    void PaintBox4MouseDown(int X, int Y);
    // Moves the choice by an arrow key: one design left or right, one row up or down.
    void moveChoice(Qt::Key key);
    // Sizes the paint box from the geometry; true when its size changed.
    bool syncSize();
    // The visible part of the pane in paint-box coordinates.
    QRect visiblePart() const;
    // How often a part of the gallery was asked to repaint since start.
    int repaintRequests() const { return repaintRequests_; }

    const TemplateWizard& wizard() const { return wizard_; }
    const LabelDocument& document() const { return doc_; }
    TextFitCache& fits() { return fits_; }

signals:
    // Double click or Enter on the gallery.
    void adoptRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class GalleryPaintBox;
    void choose(int i);
    void repaintThumbnail(int i);
    void describeChoice();

    const LabelDocument& doc_;
    TemplateWizard& wizard_;
    TextFitCache fits_;
    int repaintRequests_ = 0;
};
