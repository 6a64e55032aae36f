#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// Where a preview picture goes in the preview area: as wide as the area, and as
// high as the aspect ratio says; when that is too high, as high as the area. The
// picture touches the area's left and top edge. Empty for an empty picture.
QRect previewRect(QSize area, QSize picture);

// The preview area of the image-open dialog, on the workspace colour.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // The picture to show; a null image (0 x 0) shows nothing.
    void setPicture(const QImage* picture, bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* picture_ = nullptr;
    bool enabled_ = true;
};
