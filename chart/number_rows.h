#ifndef OSTREVIN_CHART_NUMBER_ROWS_H_
#define OSTREVIN_CHART_NUMBER_ROWS_H_

#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

namespace ostrevin {

// Rows of numbers, all of one width, one row after the other in one block: a table's thousands
// of rows read without an allocation each.
class NumberRows {
 public:
  NumberRows() = default;
  explicit NumberRows(std::size_t width) : width_(width) {}
  // Rows as written; REQUIRES: all of one width.
  NumberRows(std::initializer_list<std::initializer_list<double>> rows)
      : width_(rows.size() == 0 ? 1 : rows.begin()->size()) {
    for (std::initializer_list<double> row : rows) push_back(row);
  }

  std::size_t size() const { return rows_; }
  bool empty() const { return rows_ == 0; }
  std::size_t width() const { return width_; }
  std::span<const double> operator[](std::size_t k) const {
    return std::span(numbers_).subspan(k * width_, width_);
  }

  void reserve(std::size_t rows) { numbers_.reserve(rows * width_); }
  // REQUIRES: row.size() == width().
  void push_back(std::span<const double> row) {
    numbers_.insert(numbers_.end(), row.begin(), row.end());
    ++rows_;
  }

 private:
  std::size_t width_ = 1;
  std::size_t rows_ = 0;
  std::vector<double> numbers_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_CHART_NUMBER_ROWS_H_
