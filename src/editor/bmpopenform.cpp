#include "editor/bmpopenform.h"

#include "document/lastfolder.h"
#include "document/progpath.h"
#include "editor/folderbox.h"
#include "editor/previewloader.h"
#include "editor/previewpane.h"
#include "merge/fields.h"
#include "render/picload.h"
#include "render/picturestore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TBMPOpenForm::TBMPOpenForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BMPOpenForm"));
    setWindowTitle(QStringLiteral("Bild öffnen"));
    setSizeGripEnabled(true);
    PreviewBmp = QImage(100, 100, QImage::Format_RGB32);
    PreviewBmp.fill(Qt::white);

    model_ = new QFileSystemModel(this);
    model_->setReadOnly(true);
    model_->setIconProvider(&icons_);
    model_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setNameFilterDisables(false);
    model_->setNameFilters(mask_);
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (QDir::cleanPath(path) == folder_)
            emit folderLoaded(folder_);
    });

    auto* lookIn = new QLabel(QStringLiteral("Suchen in:"), this);
    JamShellCombo1 = new FolderBox(this);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    SpeedButton1->setToolTip(QStringLiteral("Übergeordneter Ordner"));
    SpeedButton1->setStatusTip(QStringLiteral("Übergeordneter Ordner"));
    SpeedButton1->setAutoRaise(true);

    JamShellList1 = new QListView(this);
    JamShellList1->setObjectName(QStringLiteral("JamShellList1"));
    JamShellList1->setModel(model_);
    JamShellList1->setViewMode(QListView::ListMode);
    JamShellList1->setFlow(QListView::TopToBottom);
    JamShellList1->setWrapping(true);
    JamShellList1->setResizeMode(QListView::Adjust);
    JamShellList1->setSelectionMode(QAbstractItemView::SingleSelection);
    JamShellList1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* nameLabel = new QLabel(QStringLiteral("Dateiname:"), this);
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    auto* typeLabel = new QLabel(QStringLiteral("Dateityp:"), this);
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    OpenBtn = new QPushButton(QStringLiteral("&Öffnen"), this);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    PaintBox1 = new PreviewPane(this);
    PaintBox1->setFixedSize(228, 331);
    VSchauCheck = new QCheckBox(QStringLiteral("Vorschau"), this);
    VSchauCheck->setObjectName(QStringLiteral("VSchauCheck"));
    VSchauCheck->setChecked(true);
    PaintBox1->setPicture(&PreviewBmp, true);

    auto* top = new QHBoxLayout();
    top->addWidget(lookIn);
    top->addWidget(JamShellCombo1, 1);
    top->addWidget(SpeedButton1);
    auto* bottom = new QGridLayout();
    bottom->addWidget(nameLabel, 0, 0);
    bottom->addWidget(FileNameEdit, 0, 1);
    bottom->addWidget(OpenBtn, 0, 2);
    bottom->addWidget(typeLabel, 1, 0);
    bottom->addWidget(FilterComboBox1, 1, 1);
    bottom->addWidget(CancelBtn, 1, 2);
    bottom->setColumnStretch(1, 1);
    auto* left = new QVBoxLayout();
    left->addLayout(top);
    left->addWidget(JamShellList1, 1);
    left->addLayout(bottom);
    auto* right = new QVBoxLayout();
    right->addWidget(PaintBox1);
    right->addWidget(VSchauCheck);
    right->addStretch(1);
    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addLayout(right);
    resize(640, 420);

    connect(JamShellCombo1, &FolderBox::folderChosen, this, &TBMPOpenForm::setFolder);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] {
        QDir dir(folder_);
        if (dir.cdUp())
            setFolder(dir.absolutePath());
    });
    connect(FilterComboBox1, &QComboBox::activated, this, &TBMPOpenForm::filterPicked);
    connect(JamShellList1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TBMPOpenForm::selectionChanged);
    connect(JamShellList1, &QListView::doubleClicked, this, &TBMPOpenForm::itemDoubleClicked);
    connect(OpenBtn, &QPushButton::clicked, this, &TBMPOpenForm::openClicked);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(VSchauCheck, &QCheckBox::toggled, this,
            [this](bool on) { PaintBox1->setPicture(&PreviewBmp, on); });
    previews_ = new PreviewLoader(this);
    connect(previews_, &PreviewLoader::loaded, this, [this](const QImage& picture) {
        PreviewBmp = picture;
        PaintBox1->setPicture(&PreviewBmp, VSchauCheck->isChecked());
    });

    setFolder(ProgPath());
}

namespace {
const QString FolderKind = QStringLiteral("Bild öffnen");
} // namespace

void TBMPOpenForm::startInLastFolder() {
    setFolder(lastFolder(FolderKind, ProgPath()));
}

void TBMPOpenForm::setFolder(const QString& folder) {
    folder_ = QDir::cleanPath(QDir(folder).absolutePath());
    // A folder that no longer exists gives way to the nearest one above it.
    while (!QFileInfo(folder_).isDir() && !QDir(folder_).isRoot())
        folder_ = QFileInfo(folder_).absolutePath();
    model_->setRootPath(folder_);
    JamShellList1->setRootIndex(model_->index(folder_));
    JamShellList1->clearSelection();
    JamShellCombo1->setFolder(folder_);
}

void TBMPOpenForm::setFilter(const QString& pipeFilter) {
    FilterComboBox1->clear();
    filterMasks_.clear();
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        FilterComboBox1->addItem(parts[i]);
        filterMasks_.append(parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts));
    }
}

void TBMPOpenForm::setMask(const QStringList& masks) {
    mask_ = masks.isEmpty() ? QStringList{QStringLiteral("*")} : masks;
    model_->setNameFilters(mask_);
}

void TBMPOpenForm::filterPicked(int index) {
    if (index >= 0 && index < filterMasks_.size())
        setMask(filterMasks_[index]);
}

QString TBMPOpenForm::pathOf(const QString& name) const {
    // A typed absolute path stands for itself.
    if (QDir::isAbsolutePath(name))
        return name;
    return folder_.endsWith(QLatin1Char('/')) ? folder_ + name : folder_ + QLatin1Char('/') + name;
}

void TBMPOpenForm::OpenFileNow(const QString& name) {
    // The area stays empty until the picture is decoded; a picture chosen before
    // that is never shown.
    PreviewBmp = QImage();
    PaintBox1->setPicture(&PreviewBmp, VSchauCheck->isChecked());
    if (VSchauCheck->isChecked())
        previews_->request(pathOf(name), PaintBox1->size());
    else
        previews_->cancel();
}

bool TBMPOpenForm::previewPending() const {
    return previews_->pending();
}

QModelIndex TBMPOpenForm::indexOf(const QString& name) const {
    return model_->index(pathOf(name));
}

void TBMPOpenForm::selectionChanged() {
    const QModelIndexList chosen = JamShellList1->selectionModel()->selectedIndexes();
    if (chosen.isEmpty() || model_->isDir(chosen.first()))
        return;
    const QString name = model_->fileName(chosen.first());
    FileNameEdit->setText(name);
    OpenFileNow(name);
}

void TBMPOpenForm::itemDoubleClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    if (model_->isDir(index)) {
        setFolder(model_->filePath(index));
        return;
    }
    const QString name = model_->fileName(index);
    ChosenFile = SubProgPath(pathOf(name));
    OpenFileNow(name);
    rememberFolder(FolderKind, folder_);
    accept();
}

void TBMPOpenForm::openClicked() {
    const QString path = pathOf(FileNameEdit->text());
    // A name with fields (%%Bild%%.jpg) names one picture per label, which need not exist
    // yet; it keeps its folder, since a bare name with fields lies beside the label.
    ChosenFile = hasFields(path) ? path : SubProgPath(path);
    rememberFolder(FolderKind, folder_);
    accept();
}

PictureLoad loadChosenPicture(TDibRecord& rec, const QString& name) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const PictureLoad result = PictureStore::shared().load(rec, name);
    QApplication::restoreOverrideCursor();
    return result;
}
