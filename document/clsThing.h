#pragma once
// The style of one kind of figure: figure kind, names, category and, in 8
// pages, when and how it is drawn. Pages -1..-8 keep the pages as read, so
// edits can be undone.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

struct ThingPage {
    int16_t ShowMode = -1;
    double ScaleS = 0;
    double ScaleL = 0;
    int32_t Fore = 0;
    int32_t Back = -1;
    int16_t Style = 0;
    int16_t Size = 0;
    QString Europian;
    QString Japanese;

    bool operator==(const ThingPage&) const = default;
};

// Line widths and font heights a thing accepts.
inline constexpr int16_t LINE_WIDTH_MIN = 1;
inline constexpr int16_t LINE_WIDTH_MAX = 15;
inline constexpr int16_t FONT_HEIGHT_MIN = 5;
inline constexpr int16_t FONT_HEIGHT_MAX = 100;

class clsThing {
public:
    clsThing();

    bool Modify() const { return modify_; }
    void SetModify(bool v) { modify_ = v; }
    bool Use() const { return use_; }
    void SetUse(bool v) { use_ = v; }

    int16_t Page() const { return page_; }
    void SetPage(int16_t page);

    int16_t Index() const { return index_; }
    void SetIndex(int16_t index);
    int16_t Figure() const { return figure_; }
    void SetFigure(int16_t figure);
    const QString& Name() const { return name_; }
    void SetName(const QString& name);
    int16_t Category() const { return category_; }
    void SetCategory(int16_t category);

    // Fields of the current page.
    int16_t ShowMode() const { return cur().ShowMode; }
    void SetShowMode(int16_t mode);
    double ScaleS() const { return cur().ScaleS; }
    void SetScaleS(double scale);
    double ScaleL() const { return cur().ScaleL; }
    void SetScaleL(double scale);
    int32_t Fore() const { return cur().Fore; }
    void SetFore(int32_t color);
    int32_t Back() const { return cur().Back; }
    void SetBack(int32_t color);
    int16_t Style() const { return cur().Style; }
    void SetStyle(int16_t style);
    int16_t Size() const { return cur().Size; }
    void SetSize(int16_t size);
    const QString& Europian() const { return cur().Europian; }
    void SetEuropian(const QString& face);
    const QString& Japanese() const { return cur().Japanese; }
    void SetJapanese(const QString& face);
    // The face of the application language (empty for another language).
    QString FontName() const;
    void SetFontName(const QString& face);

    // A whole page record, -8..-1 and 1..8 (read only; tests and copies).
    const ThingPage& PageRecord(int p) const { return pages_[static_cast<size_t>(p + 8)]; }

    bool IsSameAllPage() const;
    bool IsPrint(double scale) const { return IsPrintOn(page_, scale); }
    // As IsPrint on page `page` (-8..-1, 1..8), whatever the current page.
    bool IsPrintOn(int16_t page, double scale) const;
    void Clear();
    std::shared_ptr<clsThing> Copy() const;
    bool Recovery(int16_t page);
    void RecoveryAll();
    void SameOne();
    void CopyPage(int16_t from, int16_t to);

    // One record of a thing list: reads from the line after the header and
    // leaves `pos` on the first line that is not the record's.
    void ReadThing(const QStringList& lines, qsizetype& pos);
    // Appends the record lines (with the empty line that ends it); nothing
    // for a thing without code.
    void WriteThing(QStringList& out);

private:
    ThingPage& cur() { return pages_[static_cast<size_t>(page_ + 8)]; }
    const ThingPage& cur() const { return pages_[static_cast<size_t>(page_ + 8)]; }
    ThingPage& pageAt(int p) { return pages_[static_cast<size_t>(p + 8)]; }
    QString pageValues(QString (*text)(const ThingPage&)) const;
    void applyPageKey(const QString& key, const QStringList& fields);

    int16_t index_ = -1;
    QString name_;
    int16_t figure_ = 0;
    int16_t category_ = -1;
    std::array<ThingPage, 17> pages_;
    bool modify_ = false;
    int16_t page_ = 1;
    bool use_ = false;
};
