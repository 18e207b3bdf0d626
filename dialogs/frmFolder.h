#pragma once
// The folder picker: a list of the file-system roots ("/" and the mount
// points) above a folder tree. mPath carries the folder in and out.
#include "platform/DialogFrame.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

class frmFolder : public DialogFrame {
public:
    explicit frmFolder(QWidget* parent = nullptr);

    QString mPath;

    // "/" first, then every mounted volume's root.
    static QStringList Roots();
    // The root of the volume that holds `path`; "" when it is on none.
    static QString RootOf(const QString& path);
    // Where the picker opens when mPath cannot be shown: the root of the
    // volume that holds the program folder.
    static QString FallbackRoot();

    QComboBox* drvDrive;
    QTreeView* dirFolder;
    QFileSystemModel* model;
    QLabel* lblPath;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void drvDrive_Change();
    void dirFolder_Change();
    // The folder list's own path.
    QString FolderPath() const;

protected:
    void Form_Load() override;

private:
    bool SetDrive(const QString& path);
    bool SetFolder(const QString& path);

    bool loading_ = false;
};
