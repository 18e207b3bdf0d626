#pragma once
// The flexible grid of the legend editor and the dialogs: row 0 is the
// header, data rows are 1..Rows()-1. The selection is one rectangle between
// the anchor (Row, Col) and the moving end (RowSel, ColSel); setting Row or
// Col moves the end with it, so a range is set anchor first. A row of
// height 0 is hidden. Sizes are twips. Every selection change, by the user
// or by code, raises SelChange.
//
// Events follow the original control: Click on the release of the left
// button, KeyDown before the grid moves (virtual-key codes: Space 32,
// Insert 45, digits 48..57, numeric pad 96..105; shift 1, ctrl 2, alt 4),
// mouse buttons 1 left, 2 right, 4 middle, pointer position in twips.
// MouseRow is 0 over the header and -1 outside every row.
#include <QImage>
#include <QString>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <vector>

class FlexGridModel;

class FlexGrid : public QTableView {
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int32_t Rows() const;
    void SetRows(int32_t n);
    int32_t Cols() const;
    void SetCols(int32_t n);
    // "^a|<b|>c": column count, header texts and alignments (^ centre,
    // < left, > right).
    void SetFormatString(const QString& format);

    QString TextMatrix(int32_t row, int32_t col) const;
    void SetTextMatrix(int32_t row, int32_t col, const QString& text);
    // Inserts a row before index, or appends when index is not a data row
    // or Rows(); TAB separates the cells.
    void AddItem(const QString& tabText, int32_t index = -1);
    void RemoveItem(int32_t row);
    // Cells col0..col1 of a row joined by TAB, and the reverse from col on.
    QString Clip(int32_t row, int32_t col0, int32_t col1) const;
    void SetClip(int32_t row, int32_t col, const QString& tabText);

    int32_t RowHeight(int32_t row) const;
    void SetRowHeight(int32_t row, int32_t twips);
    int32_t ColWidth(int32_t col) const;
    void SetColWidth(int32_t col, int32_t twips);
    enum Align : int32_t { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };
    Align ColAlignment(int32_t col) const;
    void SetColAlignment(int32_t col, Align a);

    int32_t Row() const { return row_; }
    int32_t Col() const { return col_; }
    int32_t RowSel() const { return rowSel_; }
    int32_t ColSel() const { return colSel_; }
    void SetRow(int32_t row);
    void SetCol(int32_t col);
    void SetRowSel(int32_t row);
    void SetColSel(int32_t col);
    // Anchor and end at once, one SelChange.
    void SetSelection(int32_t row, int32_t col, int32_t rowSel, int32_t colSel);
    // Rows 1..last across every column (a double click on the header does it).
    void SelectAllRows();
    int32_t TopRow() const;
    void SetTopRow(int32_t row);
    int32_t MouseRow() const { return mouseRow_; }
    int32_t MouseCol() const { return mouseCol_; }

    QImage CellPicture(int32_t row, int32_t col) const;
    void SetCellPicture(int32_t row, int32_t col, const QImage& picture);
    bool CellFontBold(int32_t row, int32_t col) const;
    void SetCellFontBold(int32_t row, int32_t col, bool bold);
    int32_t CellForeColor(int32_t row, int32_t col) const; // -1: the grid's
    void SetCellForeColor(int32_t row, int32_t col, int32_t color);
    int32_t CellBackColor(int32_t row, int32_t col) const;
    void SetCellBackColor(int32_t row, int32_t col, int32_t color);

    // Colours as 0x00BBGGRR or 0x800000nn (system colour nn).
    int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(int32_t color);
    int32_t BackColor() const { return backColor_; }
    void SetBackColor(int32_t color);
    int32_t BackColorSel() const { return backColorSel_; }
    void SetBackColorSel(int32_t color);
    // A Windows face name goes through the alias table.
    void SetGridFont(const QString& face, double points);

    bool Redraw() const { return redraw_; }
    void SetRedraw(bool on);
    QString ToolTipText() const { return tip_; }
    void SetToolTipText(const QString& tip);

    // Rows 1..last by the column's text without regard to case; stable.
    void Sort(int32_t col, bool ascending);

    // Twips per pixel of the grid's screen.
    static int32_t TwipsX();
    static int32_t TwipsY();

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> SelChange;
    std::function<void(int32_t keyCode, int32_t shift)> KeyDown;
    std::function<void(int32_t button, int32_t shift, int32_t x, int32_t y)> MouseDown;
    std::function<void(int32_t button, int32_t shift, int32_t x, int32_t y)> MouseMove;
    std::function<void(int32_t button, int32_t shift, int32_t x, int32_t y)> MouseUp;

    // The original control's key code of a key event (0 for none).
    static int32_t VbKeyCode(int key, Qt::KeyboardModifiers mods);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyHeight(int32_t row);
    void applyPalette();
    void setAll(int32_t row, int32_t col, int32_t rowSel, int32_t colSel);
    void trackMouse(const QPoint& viewportPos, bool header);
    int32_t rowFromY(int y) const;
    int32_t nextVisibleRow(int32_t from, int32_t step) const;
    int32_t nextVisibleCol(int32_t from, int32_t step) const;
    void pointerEvent(const std::function<void(int32_t, int32_t, int32_t, int32_t)>& f, QMouseEvent* e, bool header);

    FlexGridModel* model_;
    std::vector<int32_t> colWidth_; // -1: default
    int32_t row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    int32_t mouseRow_ = -1, mouseCol_ = -1;
    int32_t foreColor_ = int32_t(0x80000008u);
    int32_t backColor_ = int32_t(0x80000005u);
    int32_t backColorSel_ = int32_t(0x8000000Du);
    bool redraw_ = true;
    bool dragging_ = false;
    QString tip_;
};
