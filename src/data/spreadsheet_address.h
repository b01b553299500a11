#pragma once
// Cell addresses of spreadsheets: "A1", "IV3", ranges "A1:IV3". Rows and columns
// count from 1.
#include <QString>

struct CellRange {
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    bool isValid() const { return row1 > 0 && col1 > 0 && row2 >= row1 && col2 >= col1; }
    bool contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
};

// "A1" or "A1:IV3" (either corner first); "$" signs are ignored. Invalid when unreadable.
CellRange parseRange(const QString &address);
// The range spanned by two addresses, as Range(first, second) takes them.
CellRange parseRange(const QString &first, const QString &second);
// Column letters of a column number: 1 -> "A", 27 -> "AA".
QString columnLetters(int col);
QString cellAddress(int row, int col);
