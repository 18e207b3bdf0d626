#pragma once
// The style library: named sets of thing styles kept as thing files
// "__" + name + ".THG" in the map folder. Saving writes the chosen unit's
// whole working thing list there; opening copies a library's styles onto the
// working things of the same name.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;
class SymbolWork;
struct SymbolSwitches;

class StyleLibrary : public QObject {
public:
    StyleLibrary(QWidget* parent, SymbolWork& work, SymbolSwitches& sw);

    QGroupBox* fraLibrary = nullptr;
    QComboBox* choLibrary = nullptr;
    QPushButton* cmdLibOpen = nullptr;
    QPushButton* cmdLibSave = nullptr;
    QCheckBox* chkLibShow = nullptr;

    // The library file a typed or chosen name addresses in `mapFolder`:
    // the name part only, without a leading "__", with extension "THG".
    static QString LibraryFilePath(const QString& text, const QString& mapFolder);
    QString LibraryFilePath() const;
    void MakeLibraryList();

    void chkLibShow_Click();
    void cmdLibOpen_Click();
    void cmdLibSave_Click();

    // Set by the dialog: rebuilding the thing grid, the preview, and the
    // guard of the event handlers.
    std::function<void()> SetGridData;
    std::function<void()> ExePreview;
    std::function<void(const char* proc, const std::function<void()>& f)> Guard;

private:
    void guarded(const char* proc, const std::function<void()>& f);

    SymbolWork& work_;
    SymbolSwitches& sw_;
};
