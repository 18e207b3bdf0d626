#pragma once
// A text file in the Japanese code page handled as whole lines. Output is
// gathered line by line and written in one go (CR LF after each line, the
// old file replaced atomically); input is read whole when it is opened, so
// a reader can go back to the start at no cost.
#include <QString>
#include <QStringList>

class clsTextFile {
public:
    clsTextFile() = default;
    explicit clsTextFile(QStringList lines) : lines_(std::move(lines)) {}

    // Reads the whole file (CR LF or bare LF); raises the file errors 52..76.
    static clsTextFile Read(const QString& path);
    // Writes every line with CR LF; raises the file errors 52..76.
    void Save(const QString& path) const;

    void WriteLine(const QString& line) { lines_.append(line); }
    const QStringList& Lines() const { return lines_; }

private:
    QStringList lines_;
};
