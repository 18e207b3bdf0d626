#pragma once
// The seven map accessories drawn over a finished view: back panel, frame,
// scale bar, title, comment, centre mark and elevation legend, their
// settings section and the layout that puts them in a band along the view.
//
// The settings are written by an explicit WriteRegistry call (at shut-down,
// and after drawing a short-lived instance); the destructor writes nothing.
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

class DeviceContext;
struct CanvasPoint;
class clsMapGraph;
class clsMapUnits;
class clsThings;

// One class of the elevation legend; -99999 and 99999 mark open ends.
struct ElvClass {
    int32_t Low = 0;
    int32_t High = 0;
    int16_t Unit = 1; // 1 metres, 2 feet
    int16_t Style = 0;
    int32_t Fore = 0;
    int32_t Back = 0;

    bool operator==(const ElvClass&) const = default;
};

struct AccessoryItem {
    int16_t Status = 0; // 1 has a colour, 2 a text, 4 a font
    QString Name;
    bool Use = false;
    int32_t Color = 0;
    QString Text;
    std::shared_ptr<QFont> Font;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    // The folded lines (title, comment), the y of the band's separating line
    // (frame), otherwise 0.
    std::variant<int32_t, QStringList> Data{int32_t(0)};
};

class clsAccessory {
public:
    enum : int32_t { ItemBack = 1, ItemFrame, ItemMeasure, ItemTitle, ItemComment, ItemCenter, ItemElevate };
    static constexpr int16_t HasColor = 1, HasText = 2, HasFont = 4;
    static constexpr int32_t ElvOpenLow = -99999, ElvOpenHigh = 99999;
    static constexpr int32_t ElvMaxClasses = 100;

    // Defaults, then the section "ACCESSORY", then Index 1.
    clsAccessory();
    ~clsAccessory();
    clsAccessory(const clsAccessory&) = delete;
    clsAccessory& operator=(const clsAccessory&) = delete;

    QString InstanceName() const { return instanceName_; }
    void SetInstanceName(const QString& v) { instanceName_ = v; }
    DeviceContext* handle() const { return handle_; }
    void Sethandle(DeviceContext* dc) { handle_ = dc; }
    int32_t Left() const { return left_; }
    void SetLeft(int32_t v) { left_ = v; }
    int32_t Top() const { return top_; }
    void SetTop(int32_t v) { top_ = v; }
    int32_t Width() const { return width_; }
    void SetWidth(int32_t v) { width_ = v; }
    int32_t Height() const { return height_; }
    void SetHeight(int32_t v) { height_ = v; }
    int32_t Position() const { return position_; }
    void SetPosition(int32_t v) { position_ = v; }
    int32_t Dpi() const { return dpi_; }
    void SetDpi(int32_t v);
    double MapScale() const { return mapScale_; }
    void SetMapScale(double v);
    clsMapUnits* MapUnits() const { return mapUnits_; }
    void SetMapUnits(clsMapUnits* units) { mapUnits_ = units; }
    // The drawing layer used by the layout and the drawing; null means the
    // application's own.
    clsMapGraph* Graph() const { return graph_; }
    void SetGraph(clsMapGraph* graph) { graph_ = graph; }

    // The item that the per-item properties address (1..7).
    int32_t Index() const { return index_; }
    void SetIndex(int32_t v);
    int16_t Status() const { return item().Status; }
    bool Use() const { return item().Use; }
    void SetUse(bool v) { item().Use = v; }
    int32_t Color() const { return item().Color; }
    void SetColor(int32_t v);
    QString Text() const { return item().Text; }
    void SetText(const QString& v);
    std::shared_ptr<QFont> Font() const { return item().Font; }
    void SetFont(const std::shared_ptr<QFont>& font);

    // Item i (1..7) with its layout; raises error 9 outside.
    const AccessoryItem& Item(int32_t i) const;
    // Classes 1..n of the last layout of the legend; index 0 holds no class.
    const std::vector<ElvClass>& ElvData() const { return elvData_; }
    // What the items took in the last Draw, in pixels of the drawing: the
    // glyphs of each text, the scale bar's bar, the legend's boxes and the
    // centre mark's arms. Not the back panel and the frame, which lie under
    // and around everything else.
    const std::vector<QRect>& Occupied() const { return occupied_; }

    void Clear();
    // Position, uses, colours, texts and cloned fonts; Index is left at 7.
    std::unique_ptr<clsAccessory> Copy() const;
    // The back panel's height after a layout; 0 when it is not used.
    int32_t BackHeight();
    void Layout();
    void Draw();
    void ReadRegistry();
    void WriteRegistry() const;

    // The status strip's scale bar: a short-lived accessory "MEASURE" with
    // only the scale bar, drawn into the strip and its section written.
    // `pixelRatio` is the strip's device pixels per screen pixel: the bar is
    // laid out at 96 x ratio dpi, as the screen shows it.
    static void DrawStripMeasure(DeviceContext* dc, int32_t width, int32_t height, int32_t viewDpi,
                                 double viewScale, int32_t textColor, const QFont& font, clsMapGraph* graph = nullptr,
                                 double pixelRatio = 1.0);
    // 96 x the ratio, to the nearest dot.
    static int32_t StripDpi(double pixelRatio);

    // The legend classes of the map units (index 0 holds no class); an empty
    // list when there are no map units.
    static std::vector<ElvClass> GetElvData(const clsMapUnits* units);
    // The same from the lists GetElvData picks: the base unit's things, the
    // administrative (or other) list, and the lists of the sea-floor and land
    // relief maps when such maps are drawn.
    static std::vector<ElvClass> CollectElvClasses(const clsThings* base, const clsThings* admin,
                                                   const clsThings* sea, const clsThings* land, bool seaPresent,
                                                   bool landPresent);
    // A class name such as "0～200m" or "～3000ft" as unit and bounds.
    static void ParseElvRange(const QString& name, int16_t& unit, int32_t& low, int32_t& high);
    static bool IsElvHeading(const QString& name);
    // Classes 1..n by Low, with the exchange sort whose order of ties the
    // legend has always shown.
    static void SortElvData(std::vector<ElvClass>& list);
    // The scale bar's length in kilometres and its divisions for `avail`
    // pixels at k pixels per kilometre; false when no bar fits.
    static bool MeasureLength(int32_t avail, double k, int32_t& lengthKm, int32_t& divisions);

private:
    friend class clsAccessoryTestAccess;

    AccessoryItem& item() { return items_[size_t(index_ - 1)]; }
    const AccessoryItem& item() const { return items_[size_t(index_ - 1)]; }
    clsMapGraph& graph() const;
    void ClearLayout();
    int32_t TextLineHeight(const QFont& font) const;
    QStringList FoldItemText(int32_t width, const QString& text, const QFont& font) const;
    QString CommentText() const;
    // DrawText in the selected font, noting where the text lies in Occupied.
    void PutText(CanvasPoint at, int16_t code, const QString& text);

    void PlotCenterMarker();
    void PlotBack();
    void PlotTitle();
    void PlotComment();
    void PlotItemText(int32_t index);
    void PlotElevate(const std::vector<ElvClass>& list);
    void PlotMeasure(double scale, int32_t dpi);
    void PlotFrame();

    QString instanceName_;
    DeviceContext* handle_ = nullptr;
    int32_t left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    int32_t dpi_ = 0;
    double mapScale_ = 0;
    clsMapUnits* mapUnits_ = nullptr;
    clsMapGraph* graph_ = nullptr;
    int32_t position_ = 1;
    int32_t index_ = 1;
    std::array<AccessoryItem, 7> items_;
    std::vector<ElvClass> elvData_;
    std::vector<QRect> occupied_;
    // The strip's scale bar: its labels stay inside the drawing.
    bool fitLabels_ = false;
};
