#pragma once
// An administrative area: its code, area group, names, colour page and the
// show and search switches, and its line in an area list.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class clsAdmin {
public:
    clsAdmin() { Clear(); }

    bool Modify() const { return modify_; }
    void SetModify(bool v) { modify_ = v; }
    int16_t AdminCode() const { return adminCode_; }
    void SetAdminCode(int16_t code);
    int16_t AreaCode() const { return areaCode_; }
    void SetAreaCode(int16_t group);
    int16_t Page() const { return page_; }
    void SetPage(int16_t page);
    bool Show() const { return show_; }
    void SetShow(bool v);
    bool Search() const { return search_; }
    void SetSearch(bool v);
    const QString& EuropianName() const { return europian_; }
    void SetEuropianName(const QString& name);
    const QString& JapaneseName() const { return japanese_; }
    void SetJapaneseName(const QString& name);
    // The name of the application language (empty for another language).
    QString AdminName() const;
    void SetAdminName(const QString& name);

    void Clear();
    std::shared_ptr<clsAdmin> Copy() const;

    // Reads the area line at `pos` (and moves past it).
    void ReadAdmin(const QStringList& lines, qsizetype& pos);
    // Appends the area line; nothing for an area without code.
    void WriteAdmin(QStringList& out);

private:
    bool modify_ = false;
    int16_t adminCode_ = -1;
    int16_t areaCode_ = -1;
    int16_t page_ = 1;
    bool show_ = true;
    bool search_ = true;
    QString europian_;
    QString japanese_;
};
