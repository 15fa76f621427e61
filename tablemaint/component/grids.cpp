// The string grid's cells.
#include "tablemaint/component/grids.h"

namespace vcl {

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    widths_.assign(size_t(cols_), 64);
    cells_.assign(size_t(rows_), std::vector<std::string>(size_t(cols_)));
}

void TStringGrid::SetColCount(int count) {
    cols_ = count < 1 ? 1 : count;
    widths_.resize(size_t(cols_), 64);
    for (auto& row : cells_) row.resize(size_t(cols_));
}

void TStringGrid::SetRowCount(int count) {
    rows_ = count < 1 ? 1 : count;
    cells_.resize(size_t(rows_), std::vector<std::string>(size_t(cols_)));
}

const std::string& TStringGrid::Cells(int col, int row) const {
    static const std::string kEmpty;
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return kEmpty;
    return cells_[size_t(row)][size_t(col)];
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (row < 0 || col < 0) return;
    if (row >= rows_) SetRowCount(row + 1);
    if (col >= cols_) SetColCount(col + 1);
    cells_[size_t(row)][size_t(col)] = text;
}

void TStringGrid::ClearRow(int row) {
    if (row < 0 || row >= rows_) return;
    for (auto& c : cells_[size_t(row)]) c.clear();
}

bool TStringGrid::WantsKey(WORD key, TShiftState) const { return key >= VK_PRIOR && key <= VK_DOWN; }

}  // namespace vcl
