#ifndef OSTREVIN_CHARTFILE_IN_PROCESS_CHART_H_
#define OSTREVIN_CHARTFILE_IN_PROCESS_CHART_H_

#include <filesystem>

#include "addon/cls_data.h"
#include "chartfile/chart_access.h"

namespace ostrevin {

// A container of this process reached directly, for tools that embed the container and the
// windows (the screenshot maker) rather than load the library. Part of ostrevin::host, which
// links the container; the ostrevin command never uses it.
class InProcessChart : public ChartAccess {
 public:
  // `data` must outlive this object.
  explicit InProcessChart(clsData& data);

  Result<Variant> GetScalar(const Member& member) const override;
  Status PutScalar(const Member& member, const Variant& value) override;
  Result<Variant> GetElement(const Member& member,
                             std::span<const std::int32_t> indexes) const override;
  Status PutElement(const Member& member, std::span<const std::int32_t> indexes,
                    const Variant& value) override;
  Result<VArray> GetArray(const Member& member) const override;
  const VArray* LendArray(const Member& member) const override;
  Status PutWholeArray(const Member& member, const Variant& whole) override;
  Status PutProperty(const Property& property, const Variant& value) override;

 private:
  clsData* data_;
};

// Reads the chart file at `path` into a new container over `platform`, which must outlive it.
Result<clsData> ReadChartFile(const std::filesystem::path& path, Platform& platform);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_IN_PROCESS_CHART_H_
