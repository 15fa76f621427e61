// A string grid: cells of text in columns and rows, fixed heading rows and columns, column
// widths and row height. Headless: the cells are the state. Not here: data-aware grids.
#pragma once

#include <string>
#include <vector>

#include "platform/vcl/control.h"

namespace vcl {

enum TGridOption : unsigned {
    goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8, goRangeSelect = 16,
    goColSizing = 32, goRowSelect = 64, goEditing = 128,
};

class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* AOwner);

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    // Growing adds empty cells; shrinking drops the cells beyond.
    void SetColCount(int count);
    void SetRowCount(int count);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int n) { fixedRows_ = n; }
    void SetFixedCols(int n) { fixedCols_ = n; }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options) { options_ = options; }
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int h) { rowHeight_ = h; }
    int ColWidths(int col) const { return widths_.at(size_t(col)); }
    void SetColWidths(int col, int width) { widths_.at(size_t(col)) = width; }

    // Cells(column, row), as the grid has always been addressed; out of range reads "".
    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    // Every cell of a row emptied.
    void ClearRow(int row);

    bool WantsKey(WORD key, TShiftState shift) const override;

private:
    int cols_ = 5, rows_ = 5, fixedRows_ = 1, fixedCols_ = 1, rowHeight_ = 24;
    unsigned options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    std::vector<int> widths_;
    std::vector<std::vector<std::string>> cells_;  // [row][col]
};

}  // namespace vcl
