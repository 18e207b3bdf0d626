#include "platform/FlexGrid.h"

#include "platform/FlexGridDelegate.h"
#include "platform/FlexGridModel.h"
#include "platform/Desktop.h"
#include "platform/FontCatalog.h"
#include "platform/SystemColors.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace {

int32_t shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int32_t buttonCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

// One field of a cell's look; a cell without a look of its own has the
// defaults, and a write outside the grid is dropped.
template <class T>
T LookOf(const FlexGridModel& m, int32_t row, int32_t col, T FlexGridModel::CellLook::*field)
{
    static const FlexGridModel::CellLook kPlain;
    const FlexGridModel::CellLook* look = m.Look(row, col);
    return (look ? *look : kPlain).*field;
}

template <class T>
void SetLookOf(FlexGridModel& m, int32_t row, int32_t col, T FlexGridModel::CellLook::*field, const T& value)
{
    if (m.IsCell(row, col))
        m.MutableLook(row, col).*field = value;
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent)
    , model_(new FlexGridModel(this))
{
    setModel(model_);
    setItemDelegate(new FlexGridDelegate(model_, this));
    setSelectionMode(QAbstractItemView::NoSelection); // the grid keeps its own rectangle
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->setMouseTracking(true);
    colWidth_.assign(size_t(model_->Cols()), -1);
    applyPalette();
}

FlexGrid::~FlexGrid() = default;

int32_t FlexGrid::TwipsX() { return Desktop::TwipsPerPixelX(); }
int32_t FlexGrid::TwipsY() { return Desktop::TwipsPerPixelY(); }

int32_t FlexGrid::Rows() const { return model_->Rows(); }

void FlexGrid::SetRows(int32_t n)
{
    model_->SetRows(n);
    const int32_t last = model_->Rows() - 1;
    setAll(std::min(row_, last), col_, std::min(rowSel_, last), colSel_);
}

int32_t FlexGrid::Cols() const { return model_->Cols(); }

void FlexGrid::SetCols(int32_t n)
{
    model_->SetCols(n);
    colWidth_.resize(size_t(model_->Cols()), -1);
    const int32_t last = model_->Cols() - 1;
    setAll(row_, std::min(col_, last), rowSel_, std::min(colSel_, last));
}

void FlexGrid::SetFormatString(const QString& format)
{
    const QStringList parts = format.split(QLatin1Char('|'));
    SetCols(int32_t(parts.size()));
    for (int32_t c = 0; c < int32_t(parts.size()); ++c) {
        QString t = parts[c];
        Align a = AlignLeft;
        if (t.startsWith(QLatin1Char('^'))) {
            a = AlignCenter;
            t.remove(0, 1);
        } else if (t.startsWith(QLatin1Char('<'))) {
            t.remove(0, 1);
        } else if (t.startsWith(QLatin1Char('>'))) {
            a = AlignRight;
            t.remove(0, 1);
        }
        SetColAlignment(c, a);
        SetTextMatrix(0, c, t);
    }
}

QString FlexGrid::TextMatrix(int32_t row, int32_t col) const { return model_->Text(row, col); }

void FlexGrid::SetTextMatrix(int32_t row, int32_t col, const QString& text) { model_->SetText(row, col, text); }

void FlexGrid::AddItem(const QString& tabText, int32_t index)
{
    model_->AddItem(tabText, index);
}

void FlexGrid::RemoveItem(int32_t row)
{
    if (row < 1 || row >= Rows())
        return;
    model_->RemoveItem(row);
    const int32_t last = Rows() - 1;
    setAll(std::min(row_, last), col_, std::min(rowSel_, last), colSel_);
}

QString FlexGrid::Clip(int32_t row, int32_t col0, int32_t col1) const
{
    QStringList parts;
    for (int32_t c = std::max<int32_t>(col0, 0); c <= col1 && c < Cols(); ++c)
        parts << model_->Text(row, c);
    return parts.join(QLatin1Char('\t'));
}

void FlexGrid::SetClip(int32_t row, int32_t col, const QString& tabText)
{
    const QStringList parts = tabText.split(QLatin1Char('\t'));
    for (int32_t i = 0; i < int32_t(parts.size()) && col + i < Cols(); ++i)
        model_->SetText(row, col + i, parts[i]);
}

int32_t FlexGrid::RowHeight(int32_t row) const
{
    const int32_t h = model_->Height(row);
    if (h >= 0 || row < 0 || row >= Rows())
        return h;
    const int px = row == 0 ? horizontalHeader()->height() : verticalHeader()->sectionSize(row - 1);
    return px * TwipsY();
}

void FlexGrid::SetRowHeight(int32_t row, int32_t twips)
{
    if (row < 0 || row >= Rows())
        return;
    model_->SetHeight(row, std::max<int32_t>(twips, 0));
    applyHeight(row);
}

void FlexGrid::applyHeight(int32_t row)
{
    if (row < 1)
        return; // the header keeps the style's height
    const int32_t h = model_->Height(row);
    if (h < 0)
        return;
    const bool hide = h == 0;
    if (isRowHidden(row - 1) != hide)
        setRowHidden(row - 1, hide);
    if (!hide) {
        const int px = std::max(1, int(h / TwipsY()));
        if (verticalHeader()->sectionSize(row - 1) != px)
            verticalHeader()->resizeSection(row - 1, px);
    }
}

int32_t FlexGrid::ColWidth(int32_t col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    if (colWidth_[size_t(col)] >= 0)
        return colWidth_[size_t(col)];
    return horizontalHeader()->sectionSize(col) * TwipsX();
}

void FlexGrid::SetColWidth(int32_t col, int32_t twips)
{
    if (col < 0 || col >= Cols())
        return;
    twips = std::max<int32_t>(twips, 0);
    colWidth_[size_t(col)] = twips;
    setColumnHidden(col, twips == 0);
    if (twips > 0)
        setColumnWidth(col, std::max(1, int(twips / TwipsX())));
}

FlexGrid::Align FlexGrid::ColAlignment(int32_t col) const
{
    return Align(model_->Alignment(col));
}

void FlexGrid::SetColAlignment(int32_t col, Align a)
{
    model_->SetAlignment(col, FlexGridModel::Align(a));
}

void FlexGrid::SetRow(int32_t row) { setAll(row, col_, row, col_); }
void FlexGrid::SetCol(int32_t col) { setAll(row_, col, row_, col); }
void FlexGrid::SetRowSel(int32_t row) { setAll(row_, col_, row, colSel_); }
void FlexGrid::SetColSel(int32_t col) { setAll(row_, col_, rowSel_, col); }

void FlexGrid::SetSelection(int32_t row, int32_t col, int32_t rowSel, int32_t colSel)
{
    setAll(row, col, rowSel, colSel);
}

void FlexGrid::SelectAllRows()
{
    if (Rows() < 2)
        setAll(0, col_, 0, col_);
    else
        setAll(1, 0, Rows() - 1, Cols() - 1);
}

void FlexGrid::setAll(int32_t row, int32_t col, int32_t rowSel, int32_t colSel)
{
    const int32_t lastRow = Rows() - 1, lastCol = Cols() - 1;
    row = std::clamp(row, 0, lastRow);
    rowSel = std::clamp(rowSel, 0, lastRow);
    col = std::clamp(col, 0, lastCol);
    colSel = std::clamp(colSel, 0, lastCol);
    const bool same = row == row_ && col == col_ && rowSel == rowSel_ && colSel == colSel_;
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    // The view's own selection only paints the rectangle.
    QItemSelectionModel* sm = selectionModel();
    const int32_t r0 = std::max(1, std::min(row, rowSel)), r1 = std::max(row, rowSel);
    if (r1 >= 1) {
        const int32_t c0 = std::min(col, colSel), c1 = std::max(col, colSel);
        sm->select(QItemSelection(model_->index(r0 - 1, c0), model_->index(r1 - 1, c1)),
                   QItemSelectionModel::ClearAndSelect);
        sm->setCurrentIndex(model_->index(std::max(row, 1) - 1, col), QItemSelectionModel::NoUpdate);
    } else {
        sm->clearSelection();
    }
    if (!same && SelChange)
        SelChange();
}

int32_t FlexGrid::TopRow() const
{
    const int r = rowAt(0);
    return r < 0 ? (Rows() > 1 ? 1 : 0) : r + 1;
}

void FlexGrid::SetTopRow(int32_t row)
{
    if (row >= 1 && row < Rows())
        scrollTo(model_->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

QImage FlexGrid::CellPicture(int32_t row, int32_t col) const
{
    return LookOf(*model_, row, col, &FlexGridModel::CellLook::picture);
}

void FlexGrid::SetCellPicture(int32_t row, int32_t col, const QImage& picture)
{
    SetLookOf(*model_, row, col, &FlexGridModel::CellLook::picture, picture);
}

bool FlexGrid::CellFontBold(int32_t row, int32_t col) const
{
    return LookOf(*model_, row, col, &FlexGridModel::CellLook::bold);
}

void FlexGrid::SetCellFontBold(int32_t row, int32_t col, bool bold)
{
    SetLookOf(*model_, row, col, &FlexGridModel::CellLook::bold, bold);
}

int32_t FlexGrid::CellForeColor(int32_t row, int32_t col) const
{
    return LookOf(*model_, row, col, &FlexGridModel::CellLook::fore);
}

void FlexGrid::SetCellForeColor(int32_t row, int32_t col, int32_t color)
{
    SetLookOf(*model_, row, col, &FlexGridModel::CellLook::fore, color);
}

int32_t FlexGrid::CellBackColor(int32_t row, int32_t col) const
{
    return LookOf(*model_, row, col, &FlexGridModel::CellLook::back);
}

void FlexGrid::SetCellBackColor(int32_t row, int32_t col, int32_t color)
{
    SetLookOf(*model_, row, col, &FlexGridModel::CellLook::back, color);
}

void FlexGrid::SetForeColor(int32_t color)
{
    foreColor_ = color;
    applyPalette();
}

void FlexGrid::SetBackColor(int32_t color)
{
    backColor_ = color;
    applyPalette();
}

void FlexGrid::SetBackColorSel(int32_t color)
{
    backColorSel_ = color;
    applyPalette();
}

void FlexGrid::applyPalette()
{
    QPalette p = palette();
    p.setColor(QPalette::Text, SystemColors::ToQColor(foreColor_));
    p.setColor(QPalette::Base, SystemColors::ToQColor(backColor_));
    p.setColor(QPalette::Highlight, SystemColors::ToQColor(backColorSel_));
    setPalette(p);
}

void FlexGrid::SetGridFont(const QString& face, double points)
{
    QFont f = font();
    const QString resolved = FontCatalog::Resolve(face, QFontDatabase::families());
    if (!resolved.isEmpty())
        f.setFamily(resolved);
    if (points > 0)
        f.setPointSizeF(points);
    setFont(f);
    horizontalHeader()->setFont(f);
}

void FlexGrid::SetRedraw(bool on)
{
    if (on == redraw_)
        return;
    redraw_ = on;
    model_->SetQuiet(!on);
    setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

void FlexGrid::SetToolTipText(const QString& tip)
{
    tip_ = tip;
    model_->SetToolTip(tip);
}

void FlexGrid::Sort(int32_t col, bool ascending)
{
    model_->Sort(col, 1, Rows() - 1, ascending);
    for (int32_t r = 1; r < Rows(); ++r) {
        if (model_->Height(r) >= 0) {
            applyHeight(r);
        } else if (isRowHidden(r - 1)) {
            setRowHidden(r - 1, false);
        }
    }
}

int32_t FlexGrid::rowFromY(int y) const
{
    const int r = rowAt(y);
    return r < 0 ? -1 : r + 1;
}

void FlexGrid::trackMouse(const QPoint& pos, bool header)
{
    if (header) {
        mouseRow_ = 0;
        mouseCol_ = horizontalHeader()->logicalIndexAt(pos.x());
    } else {
        mouseRow_ = rowFromY(pos.y());
        mouseCol_ = columnAt(pos.x());
    }
}

void FlexGrid::pointerEvent(const std::function<void(int32_t, int32_t, int32_t, int32_t)>& f, QMouseEvent* e, bool header)
{
    if (!f)
        return;
    const QWidget* source = header ? horizontalHeader()->viewport() : viewport();
    const QPoint p = source->mapTo(this, e->position().toPoint());
    const Qt::MouseButtons b = e->type() == QEvent::MouseMove ? e->buttons() : Qt::MouseButtons(e->button());
    f(buttonCode(b), shiftState(e->modifiers()), p.x() * TwipsX(), p.y() * TwipsY());
}

void FlexGrid::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    trackMouse(e->position().toPoint(), false);
    if (e->button() == Qt::LeftButton && mouseRow_ >= 1 && mouseCol_ >= 0) {
        if (e->modifiers() & Qt::ShiftModifier)
            setAll(row_, col_, mouseRow_, mouseCol_);
        else
            setAll(mouseRow_, mouseCol_, mouseRow_, mouseCol_);
        dragging_ = true;
    }
    pointerEvent(MouseDown, e, false);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* e)
{
    trackMouse(e->position().toPoint(), false);
    if (dragging_ && (e->buttons() & Qt::LeftButton)) {
        const QPoint p = e->position().toPoint();
        int32_t r = mouseRow_, c = mouseCol_;
        if (r < 1)
            r = p.y() < 0 ? std::max(1, TopRow() - 1) : Rows() - 1;
        if (c < 0)
            c = p.x() < 0 ? 0 : Cols() - 1;
        setAll(row_, col_, r, c);
        if (r >= 1)
            scrollTo(model_->index(r - 1, c));
    }
    pointerEvent(MouseMove, e, false);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* e)
{
    trackMouse(e->position().toPoint(), false);
    dragging_ = false;
    pointerEvent(MouseUp, e, false);
    if (e->button() == Qt::LeftButton && Click)
        Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    trackMouse(e->position().toPoint(), false);
    if (e->button() == Qt::LeftButton && DblClick)
        DblClick();
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != horizontalHeader()->viewport())
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        setFocus(Qt::MouseFocusReason);
        trackMouse(e->position().toPoint(), true);
        pointerEvent(MouseDown, e, true);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        trackMouse(e->position().toPoint(), true);
        pointerEvent(MouseUp, e, true);
        if (e->button() == Qt::LeftButton && Click)
            Click();
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        trackMouse(e->position().toPoint(), true);
        if (e->button() == Qt::LeftButton) {
            SelectAllRows();
            if (DblClick)
                DblClick();
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        trackMouse(e->position().toPoint(), true);
        pointerEvent(MouseMove, e, true);
        return false;
    }
    default: return QTableView::eventFilter(watched, event);
    }
}

int32_t FlexGrid::VbKeyCode(int key, Qt::KeyboardModifiers mods)
{
    if (mods & Qt::KeypadModifier && key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // Qt's codes are the ASCII ones here
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

int32_t FlexGrid::nextVisibleRow(int32_t from, int32_t step) const
{
    int32_t r = from + step;
    while (r >= 1 && r < Rows() && isRowHidden(r - 1))
        r += step;
    return (r >= 1 && r < Rows()) ? r : from;
}

int32_t FlexGrid::nextVisibleCol(int32_t from, int32_t step) const
{
    int32_t c = from + step;
    while (c >= 0 && c < Cols() && isColumnHidden(c))
        c += step;
    return (c >= 0 && c < Cols()) ? c : from;
}

void FlexGrid::focusInEvent(QFocusEvent* e)
{
    QTableView::focusInEvent(e);
    // Entered by the keyboard while on the header row, the view frames a
    // data cell: that cell becomes the current one, so the keys act on what
    // is framed.
    const Qt::FocusReason why = e->reason();
    if (row_ >= 1 || (why != Qt::TabFocusReason && why != Qt::BacktabFocusReason && why != Qt::ShortcutFocusReason))
        return;
    const int32_t r = nextVisibleRow(0, 1);
    if (r < 1)
        return;
    const QModelIndex framed = currentIndex();
    const int32_t c = framed.isValid() && framed.row() == r - 1 ? framed.column() : col_;
    setAll(r, c, r, c);
}

void FlexGrid::keyPressEvent(QKeyEvent* e)
{
    const int32_t code = VbKeyCode(e->key(), e->modifiers());
    if (code != 0 && KeyDown)
        KeyDown(code, shiftState(e->modifiers()));
    if (Rows() < 2) {
        e->ignore();
        return;
    }
    int32_t r = rowSel_, c = colSel_;
    const int page = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    switch (e->key()) {
    case Qt::Key_Up: r = nextVisibleRow(std::max(r, 1), -1); break;
    case Qt::Key_Down: r = nextVisibleRow(std::max(r, 1), 1); break;
    // Columns of width 0 hold data, not cells to visit.
    case Qt::Key_Left: c = nextVisibleCol(c, -1); break;
    case Qt::Key_Right: c = nextVisibleCol(c, 1); break;
    case Qt::Key_PageUp:
        for (int i = 0; i < page; ++i)
            r = nextVisibleRow(std::max(r, 1), -1);
        break;
    case Qt::Key_PageDown:
        for (int i = 0; i < page; ++i)
            r = nextVisibleRow(std::max(r, 1), 1);
        break;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier)
            r = nextVisibleRow(0, 1);
        else
            c = std::max(nextVisibleCol(-1, 1), 0);
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier)
            r = nextVisibleRow(Rows(), -1);
        else if (const int32_t last = nextVisibleCol(Cols(), -1); last < Cols())
            c = last;
        break;
    default: e->ignore(); return;
    }
    if (e->modifiers() & Qt::ShiftModifier) {
        setAll(row_, col_, r, c);
    } else {
        // A row chosen across every column ends in a column of width 0: the
        // cell the key moves to would show nothing, so it takes the anchor's
        // column, as the current cell.
        if (isColumnHidden(c))
            c = isColumnHidden(col_) ? std::max(nextVisibleCol(-1, 1), 0) : col_;
        setAll(r, c, r, c);
    }
    if (r >= 1)
        scrollTo(model_->index(r - 1, c));
}
