#pragma once
// The File menu and what stands behind it: opening map files, thing and
// area lists and snapshots by their extension, saving the active unit's
// lists or a snapshot, closing units with the offer to save, the active
// unit, files dropped on the view, the clipboard copy with its credit line,
// the map information and the save prompts for modified lists.
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;
class ViewControls;
class ViewRedraw;
class clsMapUnit;
class frmMapInfo;

class FileCommands {
public:
    FileCommands(ViewRedraw& redraw, ViewControls& controls);
    ~FileCommands();

    // What the application's global state provides (set by the main window).
    std::function<int16_t(const QString& path)> ReadLog;  // restores a snapshot; 0 when read
    std::function<int16_t(const QString& path)> WriteLog; // writes a snapshot; 0 when written
    std::function<int16_t(double scale)> ScaleToLevel;    // cruise level of a scale, -1 outside
    // Snapshot paths of the log items 1..4 (exit, clipboard, print, last own).
    std::function<QString(int32_t item)> LogPath;
    std::function<QString()> AuthorURLhome;
    std::function<QString()> PngPath; // the output view's image path
    // Copies the view picture to the clipboard; false (the user told) on failure.
    std::function<bool()> WriteClip;
    // The other commands of the File menu, each enabled only when set.
    std::function<void()> CruiseSettings;
    std::function<void()> CruiseRun;
    std::function<void()> ImageSize;
    QString* LastSavePath = &ownLastSavePath_;

    QString sOpenPath;
    int16_t iUnitItems = 0;

    bool LoadFile(const QString& path);
    bool SaveFile(const QString& path);
    // False when the user cancelled a save: whatever needed it must not go on.
    bool UnloadMapUnit(clsMapUnit& unit);

    // Builds the File menu into `menu` and connects it.
    void BuildFileMenu(QMenu* menu);
    QMenu* mnuFile = nullptr;
    QMenu* mnuClose = nullptr;
    QMenu* mnuActive = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuCruiseSet = nullptr;
    QAction* mnuCruiseExe = nullptr;
    QAction* mnuMapCopy = nullptr;
    QAction* mnuMapSize = nullptr;
    QAction* mnuMapInfo = nullptr;
    QAction* mnuQuit = nullptr;
    std::array<QAction*, 5> mnuLogItem{}; // 1..4
    std::vector<QAction*> mnuCloseItem;   // 0: all maps; 1..n at run time
    std::vector<QAction*> mnuActiveItem;  // 0: cancel; 1..n at run time

    void mnuFile_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuCloseItem_Click(int32_t index);
    void mnuActiveItem_Click(int32_t index);
    void mnuLogItem_Click(int32_t index);
    void mnuMapCopy_Click();
    void mnuMapInfo_Click();
    void picView_OLEDragDrop(const QStringList& paths);

    // The hint after opening a map of `level` at a view of `viewLevel`.
    static QString ScaleHint(int32_t level, int32_t viewLevel);
    // The line printed on the picture while it is copied.
    static QString CreditLine(const QString& urlHome);
    // The credit line's left edge in a picture `width` wide: 4 from the left,
    // or its glyphs ending 4 from the right where at the left they would
    // cover more of the accessories' `occupied` rectangles (device pixels,
    // `ratio` to one) than there. `ink`: the glyphs' box with the left edge
    // at 0, in the picture's own pixels.
    static int32_t CreditLeft(const QRectF& ink, int32_t width, double ratio, const std::vector<QRect>& occupied);
    // The extension kind of a path: its last four characters in capitals.
    static QString Kind(const QString& path);

private:
    bool offerSave(bool things, clsMapUnit& unit);
    // The active unit's thing or area list replaced by the file's, after the
    // offer to save its edits; nullopt when the user gave up.
    std::optional<bool> replaceList(bool things, const QString& path);

    ViewRedraw& redraw_;
    ViewControls& controls_;
    QString ownLastSavePath_;
    std::unique_ptr<frmMapInfo> mapInfo_;
};
