// Cells of string grids, stored row by row.
#include "platform/2_vcl/grids.h"

#include <algorithm>

namespace vcl {

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    Resize(cols_, rows_);
}

void TStringGrid::Resize(int cols, int rows) {
    cols_ = std::max(cols, 0);
    rows_ = std::max(rows, 0);
    cells_.resize(rows_);
    for (auto& r : cells_) r.resize(cols_);
}

void TStringGrid::SetColCount(int count) { Resize(count, rows_); }
void TStringGrid::SetRowCount(int count) { Resize(cols_, count); }

std::string TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return {};
    return cells_[row][col];
}

void TStringGrid::SetCells(int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    cells_[row][col] = text;
}

std::vector<std::string> TStringGrid::Row(int row) const {
    if (row < 0 || row >= rows_) return {};
    return cells_[row];
}

void TStringGrid::SetRow(int row, const std::vector<std::string>& cells) {
    for (int c = 0; c < cols_; ++c) SetCells(c, row, c < static_cast<int>(cells.size()) ? cells[c] : std::string());
}

void TStringGrid::ClearRow(int row) { SetRow(row, {}); }

}  // namespace vcl
