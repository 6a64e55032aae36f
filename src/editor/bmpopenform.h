#pragma once

#include "document/pictureloader.h"

#include <QDialog>
#include <QFileIconProvider>
#include <QImage>
#include <QString>

class FolderBox;
class PreviewLoader;
class PreviewPane;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;

// "Bild öffnen": the program's picture chooser with a live preview. It is made
// once and reused; folder, mask and preview setting stay between uses. On OK,
// ChosenFile holds the chosen path, shortened to the bare name for a file that
// lies directly in the program folder. A typed name with fields ("%%Bild%%.jpg") is
// taken without looking for the file.
class TBMPOpenForm : public QDialog {
    Q_OBJECT
public:
    explicit TBMPOpenForm(QWidget* parent = nullptr);

    QString ChosenFile;
    QImage PreviewBmp; // 100 x 100 blank at first, 0 x 0 when there is nothing to show

    FolderBox* JamShellCombo1 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "Übergeordneter Ordner"
    QListView* JamShellList1 = nullptr;
    QLineEdit* FileNameEdit = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QPushButton* OpenBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    PreviewPane* PaintBox1 = nullptr;
    QCheckBox* VSchauCheck = nullptr;

    // Before each use: the folder a picture was last chosen in, else the program
    // folder.
    void startInLastFolder();

    // The folder that the file list shows (and the folder box with it).
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The file-type box's entries: pairs of description and masks, '|'-separated.
    // The list's mask does not change until the user picks an entry.
    void setFilter(const QString& pipeFilter);
    // The file list's masks ("*" at first).
    QStringList mask() const { return mask_; }
    void setMask(const QStringList& masks);
    // Starts loading the named file of the current folder into the preview; the
    // picture is decoded on a worker thread and shown when it is ready.
    void OpenFileNow(const QString& name);
    // A preview is being decoded.
    bool previewPending() const;

    // Index of a name in the file list, once the folder has been read.
    QModelIndex indexOf(const QString& name) const;
    QFileSystemModel* model() const { return model_; }

signals:
    // The file list has read the current folder.
    void folderLoaded(const QString& folder);

private:
    void filterPicked(int index);
    void selectionChanged();
    void itemDoubleClicked(const QModelIndex& index);
    void openClicked();
    QString pathOf(const QString& name) const;

    QFileIconProvider icons_; // the style's folder and file icons where no theme has any
    QFileSystemModel* model_ = nullptr;
    PreviewLoader* previews_ = nullptr;
    QString folder_;
    QStringList mask_{QStringLiteral("*")};
    QList<QStringList> filterMasks_;
};

// Fetches a chosen picture through the program's store under the wait cursor. The
// closed dialog is cleared from the screen first, so the cursor shows before a
// long decode starts.
PictureLoad loadChosenPicture(TDibRecord& rec, const QString& name);
