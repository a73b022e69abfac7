#ifndef OSTREVIN_LIBRARY_INFO_OBJECT_H_
#define OSTREVIN_LIBRARY_INFO_OBJECT_H_

#include "abi/ostrevin_abi.h"
#include "library/guard.h"
#include "library/module.h"

namespace ostrevin {

// A clsInfo object as the host sees it: the descriptor's constants behind the dual interface
// _clsInfo, with the extra interfaces IOstFalseAlarms and IOstRunLengths (info_false_alarms.cc).
class InfoObject final : public IOstClsInfo, public IOstFalseAlarms, public IOstRunLengths {
 public:
  OstStatus QueryInterface(const OstGuid& iid, void** object) override;
  std::uint32_t AddRef() override { return refs_.Add(); }
  std::uint32_t Release() override;

  OstStatus GetTypeInfo(IOstTypeInfo** info) override;
  OstStatus GetIDsOfNames(const char* name, std::int32_t* dispid, OstErrorInfo* error) override;
  OstStatus Invoke(std::int32_t dispid, std::uint16_t flags, const OstVariant* args,
                   std::int32_t arg_count, OstVariant* result, OstErrorInfo* error) override;
  OstStatus GetLastErrorInfo(OstErrorInfo* error) override;

#define OSTREVIN_INFO(Name, Type, Value) OstStatus get_##Name(OST_ABI_OUT(Type) value) override;
#include "addon/cls_info.def"

  OstStatus EstimateFalseAlarms(const char* settings_path, std::int16_t points, std::int32_t runs,
                                std::uint64_t seed, OstProgressCallback progress,
                                void* progress_context, OstString* table,
                                OstErrorInfo* error) override;
  OstStatus EstimateRunLengths(const char* settings_path, std::int16_t points, std::int32_t runs,
                               std::uint64_t seed, double shift, double trend,
                               OstProgressCallback progress, void* progress_context,
                               OstString* table, OstErrorInfo* error) override;

 private:
  ~InfoObject() = default;

  RefCount refs_;
  LastError last_error_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_INFO_OBJECT_H_
