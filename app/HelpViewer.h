#pragma once
// The program's help window: one browser over the HTML pages of the help
// folder with contents, keywords and history. Links to other pages stay in
// the window; web and mail links go to the desktop.
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

class HelpViewer : public QWidget {
public:
    // `contents` and `index` are the pages of the two buttons.
    HelpViewer(QString contents, QString index);

    // Shows the page at `path` (a file, optionally with "#anchor"); false
    // when the file does not exist.
    bool ShowPage(const QString& path);
    QUrl Source() const;
    QTextBrowser* Browser() const { return browser_; }

private:
    void OnLink(const QUrl& url);

    QString contents_;
    QString index_;
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};
