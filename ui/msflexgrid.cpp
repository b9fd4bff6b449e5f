#include "ui/msflexgrid.h"

#include <QHeaderView>
#include <algorithm>

namespace {

constexpr int TwipsPerInch = 1440;

QTableWidgetItem* NewCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The heading row is drawn by the header view, so it can never be selected.
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) m_selBodyRow = row;
    });
    SetDesign(2, 2, 1);
}

void CMSFlexGrid::SetDesign(long rows, long cols, long fixedRows) {
    m_fixedRows = std::clamp(fixedRows, 0L, 1L);
    horizontalHeader()->setVisible(m_fixedRows > 0);
    setRowCount(0);
    setColumnCount(0);
    m_selBodyRow = 0;
    SetCols(cols);
    SetRows(rows);
}

long CMSFlexGrid::GetRows() const {
    return rowCount() + m_fixedRows;
}

void CMSFlexGrid::SetRows(long count) {
    setRowCount(static_cast<int>(std::max(count, m_fixedRows) - m_fixedRows));
    KeepSelectionInside();
}

long CMSFlexGrid::GetCols() const {
    return columnCount();
}

void CMSFlexGrid::SetCols(long count) {
    const int old = columnCount();
    setColumnCount(static_cast<int>(std::max(count, 1L)));
    for (int c = old; c < columnCount(); ++c)
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    KeepSelectionInside();
}

long CMSFlexGrid::GetRowSel() const {
    if (rowCount() == 0) return 0;
    return m_fixedRows + std::min(m_selBodyRow, rowCount() - 1);
}

void CMSFlexGrid::SetColWidth(long col, long twips) {
    if (col < 0 || col >= columnCount()) return;
    setColumnWidth(static_cast<int>(col), static_cast<int>(twips * logicalDpiX() / TwipsPerInch));
}

QString CMSFlexGrid::GetTextMatrix(long row, long col) const {
    if (row < 0 || row >= GetRows() || col < 0 || col >= columnCount()) return {};
    const QTableWidgetItem* cell =
        row < m_fixedRows ? horizontalHeaderItem(static_cast<int>(col))
                          : item(static_cast<int>(row - m_fixedRows), static_cast<int>(col));
    return cell ? cell->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(long row, long col, const QString& text) {
    if (row < 0 || row >= GetRows() || col < 0 || col >= columnCount()) return;
    const int c = static_cast<int>(col);
    if (row < m_fixedRows) {
        horizontalHeaderItem(c)->setText(text);
        return;
    }
    const int r = static_cast<int>(row - m_fixedRows);
    if (QTableWidgetItem* cell = item(r, c))
        cell->setText(text);
    else
        setItem(r, c, NewCell(text));
}

void CMSFlexGrid::KeepSelectionInside() {
    // Once the body is empty, the next rows start with the first one selected.
    if (rowCount() == 0) {
        m_selBodyRow = 0;
        return;
    }
    m_selBodyRow = std::clamp(m_selBodyRow, 0, rowCount() - 1);
    // The row counts as selected without being highlighted until the user picks one.
    if (currentRow() != m_selBodyRow)
        selectionModel()->setCurrentIndex(model()->index(m_selBodyRow, 0),
                                          QItemSelectionModel::NoUpdate);
}
