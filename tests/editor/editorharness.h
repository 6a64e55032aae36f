#pragma once

#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "scriptedprompts.h"

#include <QScrollArea>
#include <QtTest>

// An editor page on the start document, shown at a fixed size.
struct EditorHarness {
    LabelDocument doc;
    ScriptedPrompts prompts;
    EditorPage page{doc, prompts, [] { return 7; }};

    explicit EditorHarness(QSize size = QSize(800, 400)) {
        page.resize(size);
        page.show();
        if (!QTest::qWaitForWindowExposed(&page))
            qWarning("editor page not exposed");
    }
    QWidget* box() { return page.PaintBox1; }

    // A figure in a slot, given in screen pixels at the start magnification.
    Tobs& place(int slot, int x, int y, int w, int h) {
        Tobs& o = doc.Objs[slot];
        o.Kind = KindFigure;
        o.X = doc.FromPixels(x);
        o.Y = doc.FromPixels(y);
        o.Width = doc.FromPixels(w);
        o.Height = doc.FromPixels(h);
        return o;
    }
    QRect pixels(int slot) {
        const Tobs& o = doc.Objs[slot];
        return QRect(doc.ToPixels(o.X), doc.ToPixels(o.Y), doc.ToPixels(o.Width),
                     doc.ToPixels(o.Height));
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(box(), b, {}, p); }
    void move(QPoint p) { QTest::mouseMove(box(), p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(box(), b, {}, p);
    }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        press(p, b);
        release(p, b);
    }
};
