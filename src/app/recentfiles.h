#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;

// "Zuletzt geöffnet": the label files opened or saved last, newest first, kept in
// the settings. Choosing one opens it the way Open does.
class RecentFiles : public QObject {
public:
    static constexpr int MaxEntries = 8;
    // open: opens a file; false when the document did not change.
    RecentFiles(QMenu* menu, std::function<bool(const QString&)> open, QObject* parent = nullptr);

    QMenu* Menu;
    // Puts the file at the top of the list.
    void add(const QString& fileName);
    QStringList files() const;

private:
    void store(const QStringList& files);
    void rebuild();
    std::function<bool(const QString&)> open_;
};
