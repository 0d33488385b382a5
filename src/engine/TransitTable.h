// The grid of text cells a run writes its result into: rows 0 to 2 are the header, transit
// rows begin at row 3; nine columns.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zenthra {

inline constexpr int kTableColumns = 9;
inline constexpr int kTitleRow = 0;
inline constexpr int kHeadingRow = 1;
inline constexpr int kRuleRow = 2;
inline constexpr int kFirstTransitRow = 3;

enum TableColumn {
    kAspectColumn = 0,
    kStartOuterColumn = 1,
    kStartMiddleColumn = 2,
    kStartInnerColumn = 3,
    kMinimumAtColumn = 4,
    kEndInnerColumn = 5,
    kEndMiddleColumn = 6,
    kEndOuterColumn = 7,
    kMinimumColumn = 8,
};

class TransitTable {
  public:
    // Rows for a period: its day count / 58 * 8 to the nearest integer, kept within 200 and
    // 32760; all cells empty. Writing below the last row enlarges the table, so a run with
    // more transit rows than the rule foresees loses none.
    void SizeForPeriod(int32_t startJdn, int32_t endJdn);

    // Index of the last row the size rule gave (or the table has grown to).
    int LastRow() const { return static_cast<int>(rows.size()) - 1; }

    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    const std::array<std::string, kTableColumns>& Row(int row) const;

    bool RowIsEmpty(int row) const;

    static int SizeRuleLastRow(int32_t startJdn, int32_t endJdn);

  private:
    std::vector<std::array<std::string, kTableColumns>> rows;
};

}  // namespace zenthra
