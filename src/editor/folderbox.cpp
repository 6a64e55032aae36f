#include "editor/folderbox.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QStyledItemDelegate>

namespace {
// Depth of a folder below its root; the list indents by it, the closed box does not.
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPerLevel = 10;

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) +
               QSize(IndentPerLevel * index.data(DepthRole).toInt(), 0);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(IndentPerLevel * index.data(DepthRole).toInt(), 0, 0, 0);
    }
};
} // namespace

FolderBox::FolderBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("JamShellCombo1"));
    setEditable(false);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString chosen = itemData(index).toString();
        if (!chosen.isEmpty())
            emit folderChosen(chosen);
    });
}

void FolderBox::setFolder(const QString& folder) {
    folder_ = QDir::cleanPath(QDir(folder).absolutePath());
    QFileIconProvider icons;
    const QIcon folderIcon = icons.icon(QFileIconProvider::Folder);
    const QIcon driveIcon = icons.icon(QFileIconProvider::Drive);
    clear();
    int current = -1;
    for (const QFileInfo& root : QDir::drives()) {
        const QString rootPath = QDir::cleanPath(root.absoluteFilePath());
        addItem(driveIcon, QDir::toNativeSeparators(rootPath), rootPath);
        if (folder_ == rootPath) {
            current = count() - 1;
            continue;
        }
        const QString prefix =
            rootPath.endsWith(QLatin1Char('/')) ? rootPath : rootPath + QLatin1Char('/');
        if (!folder_.startsWith(prefix))
            continue;
        const QStringList parts =
            folder_.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString path = rootPath;
        for (int i = 0; i < parts.size(); ++i) {
            path = QDir(path).filePath(parts[i]);
            addItem(folderIcon, parts[i], path);
            setItemData(count() - 1, i + 1, DepthRole);
        }
        current = count() - 1;
    }
    if (current < 0) { // a folder under no known root: show it on its own
        addItem(folderIcon, QDir::toNativeSeparators(folder_), folder_);
        current = count() - 1;
    }
    setCurrentIndex(current);
}
