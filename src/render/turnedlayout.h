#pragma once

#include <QString>
#include <QTextLayout>

class QFont;
class QPaintDevice;
class QPainter;
class QPointF;

// A turned text laid out as one line with its baseline at the origin, not wrapped.
class TurnedLayout {
public:
    TurnedLayout(const QString& text, const QFont& font, QPaintDevice* device);

    bool isValid() const { return valid_; }
    double ascent() const { return ascent_; }
    double descent() const { return descent_; }
    double naturalWidth() const { return width_; }
    // Draws the line with its baseline start at the painter's origin.
    void draw(QPainter& p) const;

private:
    QTextLayout layout_;
    bool valid_ = false;
    double ascent_ = 0;
    double descent_ = 0;
    double width_ = 0;
};
