#include "chart/member_arrays.h"

#include <algorithm>

namespace ostrevin {

Result<GrownArray> GrownArray::Of(const ChartReader& chart, MemberId id, std::size_t rows) {
  Result<VArray> old = chart.Array(id);
  if (!old) return old.error();
  const std::string_view name = Info(id).name;
  if (old->bounds(0).lower != 0 || (old->rank() == 2 && old->bounds(1) != Bounds{0, 1}))
    return Error::InvalidInput(std::string(name) + " does not start at index 0");
  const std::size_t columns = old->rank() == 2 ? 2 : 1;
  const std::size_t have = static_cast<std::size_t>(old->bounds(0).count());
  std::vector<Bounds> dims{{0, static_cast<std::int32_t>(std::max(have, rows)) - 1}};
  if (columns == 2) dims.push_back({0, 1});
  VArray grown(old->element_type(), dims);
  for (std::size_t flat = 0; flat < old->size(); ++flat) {
    if (Status put = grown.Put(flat, old->At(flat), name); !put) return put.error();
  }
  return GrownArray(id, std::move(grown), columns);
}

}  // namespace ostrevin
