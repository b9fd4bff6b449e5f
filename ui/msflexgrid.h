// The table behind every grid of the program: rows and columns numbered from
// 0, an optional heading row (the fixed row) that is part of the numbering but
// cannot be selected, cells the user can select but never edit, and column
// widths in twips.
#pragma once

#include <QString>
#include <QTableWidget>

class CMSFlexGrid : public QTableWidget {
    Q_OBJECT

  public:
    explicit CMSFlexGrid(QWidget* parent = nullptr);

    // The state a grid starts in; fixedRows is 0 or 1.
    void SetDesign(long rows, long cols, long fixedRows);

    long GetRows() const;
    // Never fewer rows than the fixed rows; cells that remain keep their text.
    void SetRows(long count);
    long GetCols() const;
    void SetCols(long count);
    // The selected row: the first non-fixed row until the user picks another;
    // 0 when the grid has no non-fixed row.
    long GetRowSel() const;
    // Width in twips (1440 per inch of the screen's logical resolution).
    void SetColWidth(long col, long twips);
    // Empty text for a cell that was never written or does not exist.
    QString GetTextMatrix(long row, long col) const;
    // Writes are ignored for cells outside the grid.
    void SetTextMatrix(long row, long col, const QString& text);

    long GetFixedRows() const { return m_fixedRows; }

  private:
    void KeepSelectionInside();

    long m_fixedRows = 0;
    int m_selBodyRow = 0;  // selected row counted below the heading
};
