#ifndef OSTREVIN_ADDON_CLS_DATA_H_
#define OSTREVIN_ADDON_CLS_DATA_H_

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "addon/members.h"
#include "values/error.h"
#include "values/variant.h"

namespace ostrevin {

class Platform;

// The chart data container: the object through which the host hands one chart to the add-on and
// reads a few results back. A plain store: bounds checks, a version check and the host's flags.
//
// Every member of members.def has typed accessors generated from the table:
//   scalars:          T Name() const;                 void SetName(T);
//   indexed members:  Result<T> Name(i [, j]) const;  Status SetName(i [, j], T);
//   whole arrays:     VArray QuickName() const;       Status SetQuickName(const Variant&);
// An index outside the bounds is Error 9 and stores nothing; a get whose element cannot be
// converted to T (after the host put a whole array of another type) is the conversion error.
class clsData {
 public:
  // The step of Show that opens the report window over the container and waits for it to close.
  using ReportWindow = std::function<Status(clsData&)>;

  // `platform` shows the container's message boxes and must outlive it.
  explicit clsData(Platform& platform);

#define OSTREVIN_SCALAR(Name, Type)          \
  const OSTREVIN_CXX(Type) & Name() const {  \
    return Name##_;                          \
  }                                          \
  void Set##Name(OSTREVIN_CXX(Type) value) { \
    Name##_ = std::move(value);              \
  }
#define OSTREVIN_INDEXED1(Name, Type)                    \
  Result<OSTREVIN_CXX(Type)> Name(std::int16_t i) const; \
  Status Set##Name(std::int16_t i, OSTREVIN_CXX(Type) value);
#define OSTREVIN_INDEXED2(Name, Type)                                    \
  Result<OSTREVIN_CXX(Type)> Name(std::int16_t i, std::int16_t j) const; \
  Status Set##Name(std::int16_t i, std::int16_t j, OSTREVIN_CXX(Type) value);
#define OSTREVIN_WHOLE(Name, Quick)              \
  VArray Quick() const {                         \
    return Name##_;                              \
  }                                              \
  Status Set##Quick(const Variant& whole) {      \
    return PutWholeArray(MemberId::Name, whole); \
  }
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) OSTREVIN_INDEXED1(Name, Type)
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) OSTREVIN_INDEXED2(Name, Type)
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  OSTREVIN_INDEXED1(Name, Type) OSTREVIN_WHOLE(Name, Quick)
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  OSTREVIN_INDEXED2(Name, Type) OSTREVIN_WHOLE(Name, Quick)
#include "addon/members.def"
#undef OSTREVIN_INDEXED1
#undef OSTREVIN_INDEXED2
#undef OSTREVIN_WHOLE

  // --- By id, for the by-name dispatch and the chart-file reader and writer. ---

  // A scalar's value as a Variant of its type. REQUIRES: Info(id).kind is kScalar.
  Variant GetScalar(MemberId id) const;
  // Stores the value converted to the scalar's type; fails with the conversion error.
  Status PutScalar(MemberId id, const Variant& value);
  // The current array behind an indexed member. REQUIRES: Info(id).kind is not kScalar.
  const VArray& Array(MemberId id) const;
  // One element converted to the member's type: error 9 outside the bounds (also when the
  // number of indexes does not fit the array), else the conversion error.
  Result<Variant> GetElement(MemberId id, std::span<const std::int32_t> indexes) const;
  Status PutElement(MemberId id, std::span<const std::int32_t> indexes, const Variant& value);
  // Replaces the storage of a replaceable member with a whole array of one or two dimensions.
  // Anything else (a scalar, an array too large for 16-bit places) is error 13 or 9.
  Status PutWholeArray(MemberId id, Variant whole);
  // The storage of PGV and of PGVI for the places 0 to count - 1, for writing the plotted values
  // in one pass; empty unless the array stores its own type and holds those places.
  std::span<float> PlottedValueStorage(std::size_t count);
  std::span<std::int16_t> PlottedFlagStorage(std::size_t count);

  // --- Handshake and methods. ---

  // Always true: whole arrays may be handed over through the Quick members.
  bool QuickDataTransmit() const {
    return true;
  }
  // The groups of chart information this container accepts.
  std::string DataTransmitVersion() const;
  // Stores the host's version; advises an upgrade when it sorts before kMinimumQuorvaVersion.
  void SetQuorvaVersion(std::string_view version);
  const std::string& QuorvaVersion() const {
    return quorva_version_;
  }
  // The cancel flag, as a Variant holding a Boolean.
  Variant Cancel() const {
    return Variant(Boolean{cancel_});
  }
  // Tells the user that new charts are not supported here; sets Cancel, clears blnReadOnly.
  void NewChart();
  // Ignores its arguments; returns an empty array and clears the cancel flag.
  Variant GetArray(std::string_view strBaseIndex, std::int16_t intOffset);

  // Prepares the container (flags, PGV/PGVI sized to TNVal + 2), runs the report window, then sets
  // blnReadOnly when NextHAxLToDiagnose did not move. Without a window only the preparation and
  // the final rule run.
  Status Show();
  void SetReportWindow(ReportWindow window) {
    report_window_ = std::move(window);
  }

  static constexpr std::string_view kMinimumQuorvaVersion = "0003.0006.0120";

 private:
  VArray& MutableArray(MemberId id);
  // Storage position of an element or the error 9 that names it.
  Result<std::size_t> Locate(MemberId id, std::span<const std::int32_t> indexes) const;

  Platform* platform_;
  ReportWindow report_window_;
  bool cancel_ = false;
  std::string quorva_version_;

#define OSTREVIN_SCALAR(Name, Type) OSTREVIN_CXX(Type) Name##_{};
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) VArray Name##_;
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) VArray Name##_;
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) VArray Name##_;
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) VArray Name##_;
#include "addon/members.def"
};

// "XData(5001)" or "Ucl(5, 2)": a member and its indexes, for messages.
std::string DescribeElement(MemberId id, std::span<const std::int32_t> indexes);

}  // namespace ostrevin

#endif  // OSTREVIN_ADDON_CLS_DATA_H_
