#pragma once

#include <QCursor>

// The editor's twelve cursors, numbered as the hover test names them:
// 1..8 the handles, 9 grabbing hand (inside the selection, hand tool), 10 arrow,
// 11 magnifier, 12 creation tools.
class EditorCursors {
public:
    EditorCursors();
    static constexpr int Count = 12;
    // Numbers outside 1..12 give the arrow.
    const QCursor& cursor(int number) const;

    // The program's own cursor pictures (32 x 32).
    static QPixmap magnifierPixmap();
    static QPixmap creationPixmap();

private:
    QCursor cursors_[Count + 1];
};
