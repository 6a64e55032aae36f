#pragma once

#include <QObject>

class TSDIAppForm;

// A label file dropped anywhere on the main window opens, with the question about
// saving first that Open asks; other drops are refused (picture files are taken by
// the editor's work area).
class WindowDrops : public QObject {
public:
    explicit WindowDrops(TSDIAppForm& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QString& fileName);
    TSDIAppForm& window_;
};
