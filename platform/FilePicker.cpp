#include "platform/FilePicker.h"

#include "platform/FileSystem.h"
#include "platform/KeyHold.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

namespace FilePicker {

namespace {

// Position of the n-th "|" (1-based), -1 when there are fewer.
qsizetype NthBar(const QString& filter, int32_t n) {
    if (n < 1) return -1;
    qsizetype at = -1;
    for (int32_t i = 0; i < n; ++i) {
        at = filter.indexOf(QLatin1Char('|'), at + 1);
        if (at < 0) return -1;
    }
    return at;
}

// The entry left chosen, by its position in `filters`. Qt's own dialog
// shows the filters in a list of that order; a dialog of the desktop only
// gives back a text, which may have lost its patterns.
int32_t ChosenFilter(const QFileDialog& dlg, const QStringList& filters) {
    if (const auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        if (combo->count() == filters.size() && combo->currentIndex() >= 0) return combo->currentIndex() + 1;
    const QString chosen = dlg.selectedNameFilter();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const qsizetype open = filters[i].lastIndexOf(QStringLiteral(" ("));
        if (chosen == filters[i] || (open > 0 && chosen == filters[i].left(open))) return int32_t(i) + 1;
    }
    return 1;
}

class QtFileDialogs : public FileDialogs {
public:
    Answer Show(const Request& r) override {
        Answer a;
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return a;
        // Just after a message box no window is active yet: the dialog shown
        // again after "No" stays over the window the first one was over.
        QWidget* parent = QApplication::activeWindow();
        if (parent) lastParent_ = parent;
        else if (lastParent_ && lastParent_->isVisible()) parent = lastParent_;
        QFileDialog dlg(parent, r.title);
        new KeyHold(&dlg);
        dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // Its own question would be about the typed name, not the one written
        // once the chosen type's extension has replaced the typed one.
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
        // The descriptions already name their patterns.
        dlg.setOption(QFileDialog::HideNameFilterDetails);
        const QStringList filters = QtNameFilters(r.filter);
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dlg.selectNameFilter(filters[r.filterIndex - 1]);
        }
        QString name = r.fileName;
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo info(name);
        const QString folder = info.path();
        if (!folder.isEmpty() && QDir(folder).exists()) dlg.setDirectory(folder);
        // A pattern such as "*.MLL" only says where to start.
        const QString file = info.fileName();
        if (!file.isEmpty() && !file.contains(QLatin1Char('*')) && !file.contains(QLatin1Char('?')))
            dlg.selectFile(file);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return a;
        a.accepted = true;
        a.fileName = dlg.selectedFiles().first();
        a.filterIndex = ChosenFilter(dlg, filters);
        return a;
    }

private:
    QPointer<QWidget> lastParent_;
};

QtFileDialogs& Default() {
    static QtFileDialogs d;
    return d;
}

FileDialogs* g_dialogs = nullptr;
std::function<QString()> g_relativeFolder;

bool Overwrite(const QString& name) {
    return Ui().MsgBox(name + QStringLiteral("\r\nは既に存在します.\r\n上書きしますか？"),
                       Mb::YesNo + Mb::Exclamation + Mb::DefaultButton2, QString()) == Mb::Yes;
}

} // namespace

FileDialogs::~FileDialogs() = default;

FileDialogs* SetFileDialogs(FileDialogs* dialogs) {
    FileDialogs* prev = g_dialogs;
    g_dialogs = dialogs;
    return prev;
}

FileDialogs& Dialogs() { return g_dialogs ? *g_dialogs : Default(); }

void SetRelativeFolder(std::function<QString()> folder) { g_relativeFolder = std::move(folder); }

QString PlacedName(const QString& fileName) {
    if (fileName.isEmpty() || !g_relativeFolder) return fileName;
    QString name = fileName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QDir::isRelativePath(name)) return fileName;
    QString folder = g_relativeFolder();
    if (folder.isEmpty()) return fileName;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(folder).filePath(name);
}

QString FirstExtension(const QString& fileName) {
    const qsizetype start = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'), start);
    return dot < 0 ? QString() : fileName.mid(dot);
}

int32_t FilterIndexOf(const QString& filter, const QString& ext) {
    if (ext.isEmpty()) return 1;
    const qsizetype at = filter.indexOf(ext, 0, Qt::CaseInsensitive);
    if (at < 0) return 1;
    const auto bars = int32_t(filter.left(at).count(QLatin1Char('|')));
    return bars / 2 + 1;
}

QString FilterExtension(const QString& filter, int32_t k) {
    const qsizetype open = NthBar(filter, 2 * k - 1);
    if (open < 0) return {};
    // Past the "|" and the pattern's leading "*".
    const qsizetype start = open + 2;
    const qsizetype close = NthBar(filter, 2 * k);
    if (close < 0 || close <= start) return {};
    return filter.mid(start, close - start);
}

QStringList QtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1];
        if (parts[i].isEmpty() && pattern.isEmpty()) continue;
        QStringList pats = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& p : QStringList(pats))
            if (p.toLower() != p && !pats.contains(p.toLower())) pats << p.toLower();
        out << parts[i] + QStringLiteral(" (") + pats.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

QString InputLoadName(const QString& title, const QString& filter, const QString& fileName) {
    try {
        Request r;
        r.title = title.isEmpty() ? QStringLiteral("ファイルを開く") : title;
        r.filter = filter;
        const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
        r.filterIndex = dot < 0 ? 1 : FilterIndexOf(filter, fileName.mid(dot));
        r.fileName = PlacedName(fileName);
        const Answer a = Dialogs().Show(r);
        return a.accepted ? a.fileName : QString();
    } catch (...) {
        return {};
    }
}

QString InputSaveName(const QString& title, const QString& filter, const QString& fileName) {
    try {
        Request r;
        r.save = true;
        r.title = title.isEmpty() ? QStringLiteral("ファイルを保存する") : title;
        r.filter = filter;
        r.filterIndex = FilterIndexOf(filter, FirstExtension(fileName));
        r.fileName = PlacedName(fileName);
        for (;;) {
            const Answer a = Dialogs().Show(r);
            if (!a.accepted || a.fileName.isEmpty()) return {};
            const QString ext = FilterExtension(filter, a.filterIndex);
            const QString name =
                ext != QStringLiteral(".*") && ext.size() >= 2 ? FileSystem::ChangeExtension(a.fileName, ext) : a.fileName;
            if (!FileSystem::IsFile(name) || Overwrite(name)) return name;
            r.fileName = name;
            r.filterIndex = a.filterIndex;
        }
    } catch (...) {
        return {};
    }
}

} // namespace FilePicker
