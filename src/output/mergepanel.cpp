#include "output/mergepanel.h"

#include "document/prompts.h"
#include "document/settingsstore.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Daten");

QPushButton* button(const QString& name, const QString& text, const QString& hint, QWidget* p) {
    auto* b = new QPushButton(text, p);
    b->setObjectName(name);
    b->setAccessibleName(text);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    return b;
}
} // namespace

TMergePanel::TMergePanel(Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts), rows_(this) {
    setObjectName(QStringLiteral("MergePanel"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout();
    DatenBtn =
        button(QStringLiteral("DatenBtn"), QStringLiteral("Daten..."),
               QStringLiteral("Wählt eine CSV-, Text- oder vCard-Datei für Serienetiketten"), this);
    KeineDatenBtn = button(QStringLiteral("KeineDatenBtn"), QStringLiteral("Keine Daten"),
                           QStringLiteral("Druckt wieder ohne Daten"), this);
    SourceLabel = new QLabel(this);
    SourceLabel->setObjectName(QStringLiteral("SourceLabel"));
    SucheEd = new QLineEdit(this);
    SucheEd->setObjectName(QStringLiteral("SucheEd"));
    SucheEd->setAccessibleName(QStringLiteral("Suche in den Daten"));
    SucheEd->setPlaceholderText(QStringLiteral("Suchen"));
    SucheEd->setClearButtonEnabled(true);
    AlleBtn = button(QStringLiteral("AlleBtn"), QStringLiteral("Alle"),
                     QStringLiteral("Wählt alle gezeigten Zeilen"), this);
    KeineBtn = button(QStringLiteral("KeineBtn"), QStringLiteral("Keine"),
                      QStringLiteral("Wählt keine der gezeigten Zeilen"), this);
    bar->addWidget(DatenBtn);
    bar->addWidget(KeineDatenBtn);
    bar->addWidget(SourceLabel, 1);
    bar->addWidget(SucheEd);
    bar->addWidget(AlleBtn);
    bar->addWidget(KeineBtn);
    v->addLayout(bar);
    RowTable = new QTableView(this);
    RowTable->setObjectName(QStringLiteral("RowTable"));
    RowTable->setAccessibleName(QStringLiteral("Datenzeilen"));
    RowTable->setModel(&rows_);
    RowTable->verticalHeader()->hide();
    RowTable->verticalHeader()->setDefaultSectionSize(RowTable->fontMetrics().height() + 4);
    RowTable->horizontalHeader()->setStretchLastSection(true);
    RowTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    RowTable->setMinimumHeight(120);
    RowTable->setMaximumHeight(220);
    v->addWidget(RowTable);

    connect(DatenBtn, &QPushButton::clicked, this, &TMergePanel::DatenBtnClick);
    connect(KeineDatenBtn, &QPushButton::clicked, this, &TMergePanel::KeineDatenBtnClick);
    connect(AlleBtn, &QPushButton::clicked, this, [this] { rows_.checkVisible(true); });
    connect(KeineBtn, &QPushButton::clicked, this, [this] { rows_.checkVisible(false); });
    connect(SucheEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        rows_.setSearch(text);
        QGuiApplication::restoreOverrideCursor();
    });
    connect(&rows_, &MergeRows::checksChanged, this, &TMergePanel::checksChanged);
    showState();
}

QString TMergePanel::settingsKey(const QString& labelFile) {
    const QString absolute = QFileInfo(labelFile).absoluteFilePath();
    return QStringLiteral("Seriendaten/") +
           QString::fromLatin1(absolute.toUtf8().toPercentEncoding());
}

void TMergePanel::showState() {
    const bool on = rows_.hasSource();
    KeineDatenBtn->setEnabled(on);
    SucheEd->setVisible(on);
    AlleBtn->setVisible(on);
    KeineBtn->setVisible(on);
    RowTable->setVisible(on);
    SourceLabel->setText(on ? QStringLiteral("%1: %L2 Zeilen")
                                  .arg(QFileInfo(rows_.path()).fileName())
                                  .arg(rows_.table()->rowCount())
                            : QString());
    SourceLabel->setAccessibleName(SourceLabel->text());
}

void TMergePanel::DatenBtnClick() {
    Prompts::FileRequest request;
    request.title = QStringLiteral("Daten für Serienetiketten wählen");
    request.filters = {QStringLiteral("Daten (*.csv *.txt *.tsv *.tab *.vcf)"),
                       QStringLiteral("CSV- und Textdateien (*.csv *.txt *.tsv *.tab)"),
                       QStringLiteral("vCard-Dateien (*.vcf)"), QStringLiteral("Alle Dateien (*)")};
    if (rows_.hasSource())
        request.folder = QFileInfo(rows_.path()).absolutePath();
    const QString name = prompts_.openFileName(request);
    if (name.isEmpty())
        return;
    if (attachFile(name))
        remember();
}

void TMergePanel::KeineDatenBtnClick() {
    rows_.detach();
    SucheEd->clear();
    remember();
    showState();
    emit sourceChanged(false);
}

bool TMergePanel::attachFile(const QString& path) {
    auto table = std::make_shared<MergeTable>();
    QString error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = table->load(path, &error);
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        prompts_.message(error, Caption, Prompts::Buttons::Ok, Prompts::Icon::Error);
        return false;
    }
    {
        const QSignalBlocker block(SucheEd);
        SucheEd->clear();
    }
    rows_.attach(table, path);
    showState();
    emit sourceChanged(true);
    if (!table->problems().isEmpty())
        prompts_.message(QStringLiteral("Nicht alles in \"%1\" ließ sich lesen, wie es steht:\n")
                                 .arg(QFileInfo(path).fileName()) +
                             table->problems().join(QLatin1Char('\n')),
                         Caption, Prompts::Buttons::Ok, Prompts::Icon::Warning);
    return true;
}

void TMergePanel::remember() {
    if (labelFile_.isEmpty())
        return;
    auto settings = SettingsStore::open();
    if (rows_.hasSource())
        settings->setValue(settingsKey(labelFile_), QFileInfo(rows_.path()).absoluteFilePath());
    else
        settings->remove(settingsKey(labelFile_));
}

void TMergePanel::followDocument(const QString& labelFile) {
    if (labelFile != labelFile_) {
        const bool wasUnnamed = labelFile_.isEmpty();
        labelFile_ = labelFile;
        if (labelFile_.isEmpty())
            return;
        const QString stored = SettingsStore::open()->value(settingsKey(labelFile_)).toString();
        if (!stored.isEmpty() && stored != rows_.path()) {
            attachFile(stored);
        } else if (stored.isEmpty() && rows_.hasSource()) {
            if (wasUnnamed)
                remember(); // an unnamed label with data got its name
            else
                KeineDatenBtnClick(); // another label without a source
        }
        return;
    }
    // The same label: a source changed on disk is read again.
    if (rows_.hasSource() && QFileInfo(rows_.path()).lastModified() != rows_.fileTime() &&
        !attachFile(rows_.path())) {
        // Gone or unreadable: the label prints without data again (and says so once).
        rows_.detach();
        showState();
        emit sourceChanged(false);
    }
}
