#ifndef OSTREVIN_CLIENT_CHART_OBJECT_H_
#define OSTREVIN_CLIENT_CHART_OBJECT_H_

#include "chartfile/chart_access.h"
#include "client/dispatch_object.h"

namespace ostrevin {

// A chart data container of the library (clsData), reached through its by-name interface and
// described by its type information, so that the host needs none of the container's code.
class ChartObject final : public ChartAccess {
 public:
  // The container behind `object`; fails when its type information describes no chart members.
  static Result<ChartObject> Create(ComPtr<IOstDispatch> object);

  Result<Variant> GetScalar(const Member& member) const override;
  Status PutScalar(const Member& member, const Variant& value) override;
  Result<Variant> GetElement(const Member& member,
                             std::span<const std::int32_t> indexes) const override;
  Status PutElement(const Member& member, std::span<const std::int32_t> indexes,
                    const Variant& value) override;
  Result<VArray> GetArray(const Member& member) const override;
  Status PutWholeArray(const Member& member, const Variant& whole) override;
  Status PutProperty(const Property& property, const Variant& value) override;

  const DispatchObject& dispatch() const { return object_; }

 private:
  ChartObject(DispatchObject object, std::shared_ptr<const Table> table);

  DispatchObject object_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_CLIENT_CHART_OBJECT_H_
