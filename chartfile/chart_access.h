#ifndef OSTREVIN_CHARTFILE_CHART_ACCESS_H_
#define OSTREVIN_CHARTFILE_CHART_ACCESS_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

// What the chart-file reader and writer need of a chart data container: its chart members and
// their values. The command reaches the library's container by name (ChartObject); tools that
// embed the container reach it directly (in_process_chart.h). Errors are the container's
// (error 9, 13, 6 with their messages).
class ChartAccess {
 public:
  // A chart member as the container describes it.
  struct Member {
    enum class Kind { kScalar, kFixed, kReplaceable };

    std::string name;
    VarType type = VarType::Empty;
    Kind kind = Kind::kScalar;
    int rank = 0;       // 0 for scalars
    Bounds dims[2];     // initial bounds of each index
    std::string quick;  // the whole-array member, empty unless kReplaceable
    // The container's own ids of the member and of its whole-array member (for a library
    // object, dispatch ids), so that a member found in one container serves for another.
    std::int32_t id = -1;
    std::int32_t whole_id = -1;
  };
  // A property of the exchange with the host beside the chart data (QuorvaVersion,
  // QuickDataTransmit, ...): a chart file may set the ones the host may write.
  struct Property {
    std::string name;
    VarType type = VarType::Empty;
    bool writable = false;
    std::int32_t id = -1;
  };
  // A member found by name; `whole` when the name was the whole-array member.
  struct Lookup {
    const Member* member;
    bool whole;
  };

  // What a kind of container offers, made once for all its containers: the chart members, the
  // properties and an index of their names.
  class Table {
   public:
    Table(std::vector<Member> members, std::vector<Property> properties);

   private:
    friend class ChartAccess;
    std::vector<Member> members_;
    std::vector<Property> properties_;
    // Lower-case name -> member index and whether it is the whole-array name.
    std::unordered_map<std::string, std::pair<std::size_t, bool>> names_;
  };

  virtual ~ChartAccess() = default;

  // The chart members, in the container's order.
  const std::vector<Member>& members() const { return table_->members_; }
  // A chart member or its whole-array member by name, without regard to case.
  std::optional<Lookup> Find(std::string_view name) const;
  // A property of the exchange by name, without regard to case; null when there is none.
  const Property* FindProperty(std::string_view name) const;

  virtual Result<Variant> GetScalar(const Member& member) const = 0;
  virtual Status PutScalar(const Member& member, const Variant& value) = 0;
  // One element, converted to the member's type; error 9 outside the bounds, also when the
  // number of indexes does not fit the array.
  virtual Result<Variant> GetElement(const Member& member,
                                     std::span<const std::int32_t> indexes) const = 0;
  virtual Status PutElement(const Member& member, std::span<const std::int32_t> indexes,
                            const Variant& value) = 0;
  // The current array behind an indexed member.
  virtual Result<VArray> GetArray(const Member& member) const = 0;
  // The array behind an indexed member, lent where the container keeps it in this process; null
  // where it can only be copied out with GetArray.
  virtual const VArray* LendArray(const Member& /*member*/) const { return nullptr; }
  // Replaces the array of a replaceable member; error 13 for any other member.
  virtual Status PutWholeArray(const Member& member, const Variant& whole) = 0;
  // REQUIRES: property.writable.
  virtual Status PutProperty(const Property& property, const Variant& value) = 0;

 protected:
  explicit ChartAccess(std::shared_ptr<const Table> table);
  ChartAccess(const ChartAccess&) = default;
  ChartAccess(ChartAccess&&) = default;
  ChartAccess& operator=(const ChartAccess&) = default;
  ChartAccess& operator=(ChartAccess&&) = default;

 private:
  std::shared_ptr<const Table> table_;
};

// "XData(5001)" or "Ucl(5, 2)": a member and its indexes, for messages.
std::string DescribeElement(std::string_view name, std::span<const std::int32_t> indexes);

// Error 13 for a whole-array put into a member that has no whole array.
Error CannotReplaceWhole(const ChartAccess::Member& member);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_CHART_ACCESS_H_
