#include "engine/TransitTable.h"

#include <algorithm>
#include <cmath>

namespace zenthra {

namespace {

constexpr int kFewestLastRow = 200;
constexpr int kMostLastRow = 32760;

const std::array<std::string, kTableColumns> kEmptyRow{};

}  // namespace

int TransitTable::SizeRuleLastRow(int32_t startJdn, int32_t endJdn) {
    const double days = static_cast<double>(endJdn) - startJdn + 1;
    const double rule = std::nearbyint(days / 58 * 8);
    return static_cast<int>(std::clamp(rule, double{kFewestLastRow}, double{kMostLastRow}));
}

void TransitTable::SizeForPeriod(int32_t startJdn, int32_t endJdn) {
    rows.assign(SizeRuleLastRow(startJdn, endJdn) + 1, kEmptyRow);
}

const std::array<std::string, kTableColumns>& TransitTable::Row(int row) const {
    if (row < 0 || row > LastRow()) {
        return kEmptyRow;
    }
    return rows[row];
}

const std::string& TransitTable::Cell(int row, int column) const {
    static const std::string kNone;
    return column >= 0 && column < kTableColumns ? Row(row)[column] : kNone;
}

void TransitTable::SetCell(int row, int column, const std::string& text) {
    if (row < 0 || column < 0 || column >= kTableColumns) {
        return;
    }
    if (row > LastRow()) {
        rows.resize(std::max<size_t>(row + 1, rows.size() * 2), kEmptyRow);
    }
    rows[row][column] = text;
}

bool TransitTable::RowIsEmpty(int row) const {
    const auto& cells = Row(row);
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
}

}  // namespace zenthra
