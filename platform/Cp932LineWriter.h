#pragma once
// A text file written line by line in the Japanese code page, each line
// ended with CR LF: Open creates or empties it, Close (or the destructor)
// closes it. A failure raises the file error of its errno, so a caller can
// offer a retry of the step that failed.
#include <QString>

class Cp932LineWriter {
public:
    explicit Cp932LineWriter(QString path);
    ~Cp932LineWriter();
    Cp932LineWriter(const Cp932LineWriter&) = delete;
    Cp932LineWriter& operator=(const Cp932LineWriter&) = delete;

    void Open();
    void Write(const QString& line);
    void Close();

    // Creates `folder` (its parent must exist) unless it is there already.
    static void MakeFolder(const QString& folder);

private:
    QString path_;
    int fd_ = -1;
};
