// The string grid: a table of text cells with fixed heading rows and columns.
// Not here: drawing or column widths beyond what callers store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/2_vcl/control.h"

namespace vcl {

// Grid options: go* bits or-ed together (kept for the desktop driver; the model ignores them).
using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 0x1;
constexpr TGridOptions goFixedHorzLine = 0x2;
constexpr TGridOptions goVertLine = 0x4;
constexpr TGridOptions goHorzLine = 0x8;
constexpr TGridOptions goRangeSelect = 0x10;
constexpr TGridOptions goColSizing = 0x20;
constexpr TGridOptions goRowSelect = 0x40;
constexpr TGridOptions goEditing = 0x80;

class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* AOwner);

    int ColCount() const { return cols_; }
    // Cells beyond a shrunk grid are dropped; new ones are empty.
    void SetColCount(int count);
    int RowCount() const { return rows_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count) { fixedCols_ = count; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count) { fixedRows_ = count; }
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int height) { rowHeight_ = height; }
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options) { options_ = options; }

    // Column first, as grids have always been addressed; "" outside the grid.
    std::string Cells(int col, int row) const;
    // Outside the grid: ignored, as a write to a cell that is not there changes nothing.
    void SetCells(int col, int row, std::string_view text);
    // Every cell of a row, or the row emptied.
    std::vector<std::string> Row(int row) const;
    void SetRow(int row, const std::vector<std::string>& cells);
    void ClearRow(int row);

    int Col() const { return col_; }
    int RowIndex() const { return row_; }
    void SetCol(int col) { col_ = col; }
    void SetRowIndex(int row) { row_ = row; }

private:
    void Resize(int cols, int rows);

    int cols_ = 5, rows_ = 5, fixedCols_ = 1, fixedRows_ = 1, rowHeight_ = 24;
    TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int col_ = 1, row_ = 1;
    std::vector<std::vector<std::string>> cells_;  // [row][col]
};

}  // namespace vcl
