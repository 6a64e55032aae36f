#pragma once

#include <QComboBox>

// The folder box of the image-open dialog: the root folders, and under the root
// that holds the current folder every folder down to the current one, indented in
// the list (the closed box shows the current folder's plain name).
// Choosing an entry emits folderChosen with its path.
class FolderBox : public QComboBox {
    Q_OBJECT
public:
    explicit FolderBox(QWidget* parent = nullptr);

    void setFolder(const QString& folder);
    QString folder() const { return folder_; }

signals:
    void folderChosen(const QString& folder);

private:
    QString folder_;
};
