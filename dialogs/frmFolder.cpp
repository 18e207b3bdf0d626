#include "dialogs/frmFolder.h"

#include "platform/FileSystem.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

frmFolder::frmFolder(QWidget* parent) : DialogFrame(parent) {
    setWindowTitle(QStringLiteral("フォルダ選択"));
    SetDefaultOk(true);

    auto* top = new QVBoxLayout(this);
    lblPath = new QLabel(this);
    lblPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    drvDrive = new QComboBox(this);
    model = new QFileSystemModel(this);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model->setRootPath(QStringLiteral("/"));
    dirFolder = new QTreeView(this);
    dirFolder->setModel(model);
    for (int c = 1; c < model->columnCount(); ++c) dirFolder->hideColumn(c);
    dirFolder->header()->hide();
    dirFolder->setMinimumSize(320, 300);
    top->addWidget(lblPath);
    top->addWidget(dirFolder, 1);
    top->addWidget(drvDrive);

    auto* buttons = new QHBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("ＯＫ"), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    top->addLayout(buttons);
    SetButtons(cmdOK, cmdCancel);

    connect(drvDrive, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) drvDrive_Change();
    });
    connect(dirFolder->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!loading_) dirFolder_Change();
    });
}

QStringList frmFolder::Roots() {
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady()) continue;
        const QString r = v.rootPath();
        if (!roots.contains(r)) roots << r;
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

QString frmFolder::RootOf(const QString& path) {
    if (path.isEmpty() || !FileSystem::Exists(path)) return {};
    const QStorageInfo info(FileSystem::ResolvePath(path));
    return info.isValid() ? info.rootPath() : QString();
}

QString frmFolder::FallbackRoot() {
    const QString root = RootOf(FileSystem::ProgramFolder());
    return root.isEmpty() ? QStringLiteral("/") : root;
}

QString frmFolder::FolderPath() const { return model->filePath(dirFolder->currentIndex()); }

bool frmFolder::SetDrive(const QString& path) {
    const QString root = RootOf(path);
    if (root.isEmpty()) return false;
    int i = drvDrive->findText(root);
    if (i < 0) {
        drvDrive->addItem(root);
        i = drvDrive->count() - 1;
    }
    drvDrive->setCurrentIndex(i);
    return true;
}

bool frmFolder::SetFolder(const QString& path) {
    // Stored folders may use "\" and another letter case than the disk.
    if (path.isEmpty() || !FileSystem::IsFolder(path)) return false;
    const QFileInfo info(FileSystem::ResolvePath(path));
    const QString abs = info.absoluteFilePath();
    const QModelIndex idx = model->index(abs);
    if (!idx.isValid()) return false;
    dirFolder->setCurrentIndex(idx);
    dirFolder->scrollTo(idx);
    dirFolder->expand(idx);
    lblPath->setText(abs);
    return true;
}

void frmFolder::Form_Load() {
    loading_ = true;
    drvDrive->clear();
    drvDrive->addItems(Roots());
    if (!SetDrive(mPath)) {
        mPath = FallbackRoot();
        SetDrive(mPath);
    }
    if (!SetFolder(mPath)) {
        mPath = FallbackRoot();
        SetFolder(mPath);
    }
    loading_ = false;
    // Setting the folder list is a change of folder like any other.
    dirFolder_Change();
}

void frmFolder::drvDrive_Change() {
    loading_ = true;
    if (!SetFolder(drvDrive->currentText())) SetFolder(mPath);
    loading_ = false;
    dirFolder_Change();
}

void frmFolder::dirFolder_Change() {
    const QString p = FolderPath();
    mPath = p;
    lblPath->setText(p);
}
