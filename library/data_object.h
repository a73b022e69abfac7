#ifndef OSTREVIN_LIBRARY_DATA_OBJECT_H_
#define OSTREVIN_LIBRARY_DATA_OBJECT_H_

#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "abi/ostrevin_abi.h"
#include "addon/cls_data.h"
#include "engine/report.h"
#include "library/guard.h"
#include "library/module.h"
#include "library/switching_platform.h"
#include "library/window_system.h"
#include "platform/console_platform.h"
#include "settings/settings_store.h"

namespace ostrevin {

// A clsData object as the host sees it: the container behind the dual interface _clsData, with
// the extra interfaces IOstReportConsole, IOstReportFindings and IOstDiagnosisOptions. Show opens
// the report window unless the host chose the console; message boxes follow the same choice.
class DataObject final : public IOstClsData,
                         public IOstReportConsole,
                         public IOstReportFindings,
                         public IOstDiagnosisOptions {
 public:
  DataObject();

  // IOstUnknown
  OstStatus QueryInterface(const OstGuid& iid, void** object) override;
  std::uint32_t AddRef() override { return refs_.Add(); }
  std::uint32_t Release() override;

  // IOstDispatch
  OstStatus GetTypeInfo(IOstTypeInfo** info) override;
  OstStatus GetIDsOfNames(const char* name, std::int32_t* dispid, OstErrorInfo* error) override;
  OstStatus Invoke(std::int32_t dispid, std::uint16_t flags, const OstVariant* args,
                   std::int32_t arg_count, OstVariant* result, OstErrorInfo* error) override;
  OstStatus GetLastErrorInfo(OstErrorInfo* error) override;

  // IOstClsData, generated from the member tables.
#define OSTREVIN_SCALAR(Name, Type)                       \
  OstStatus get_##Name(OST_ABI_OUT(Type) value) override; \
  OstStatus put_##Name(OST_ABI_IN(Type) value) override;
#define OSTREVIN_INDEXED1(Name, Type)                                     \
  OstStatus get_##Name(std::int16_t i, OST_ABI_OUT(Type) value) override; \
  OstStatus put_##Name(std::int16_t i, OST_ABI_IN(Type) value) override;
#define OSTREVIN_INDEXED2(Name, Type)                                                     \
  OstStatus get_##Name(std::int16_t i, std::int16_t j, OST_ABI_OUT(Type) value) override; \
  OstStatus put_##Name(std::int16_t i, std::int16_t j, OST_ABI_IN(Type) value) override;
#define OSTREVIN_WHOLE(Quick)                        \
  OstStatus get_##Quick(OstVariant* value) override; \
  OstStatus put_##Quick(const OstVariant* value) override;
#define OSTREVIN_FIXED(Name, Type, Lo, Hi) OSTREVIN_INDEXED1(Name, Type)
#define OSTREVIN_FIXED2(Name, Type, Lo1, Hi1, Lo2, Hi2) OSTREVIN_INDEXED2(Name, Type)
#define OSTREVIN_ARRAY(Name, Type, Lo, Hi, Quick) \
  OSTREVIN_INDEXED1(Name, Type) OSTREVIN_WHOLE(Quick)
#define OSTREVIN_ARRAY2(Name, Type, Lo1, Hi1, Lo2, Hi2, Quick) \
  OSTREVIN_INDEXED2(Name, Type) OSTREVIN_WHOLE(Quick)
#include "addon/members.def"
#undef OSTREVIN_INDEXED1
#undef OSTREVIN_INDEXED2
#undef OSTREVIN_WHOLE
#define OSTREVIN_DATA_GET(Name, Type) OstStatus get_##Name(OST_ABI_OUT(Type) value) override;
#define OSTREVIN_DATA_PUT(Name, Type) OstStatus put_##Name(OST_ABI_IN(Type) value) override;
#define OSTREVIN_DATA_METHOD(Name) OstStatus Name() override;
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2)                            \
  OstStatus get_##Name(OST_ABI_IN(Type1) Arg1, OST_ABI_IN(Type2) Arg2, OST_ABI_OUT(Type) value) \
      override;
#include "addon/cls_data_methods.def"

  // IOstReportConsole
  OstStatus UseConsole(const char* date_time, OstBool from_start) override;
  OstStatus GetReport(OstString* report) override;
  OstStatus TakeMessages(OstString* messages) override;

  // IOstReportFindings
  OstStatus GetFindingsJson(OstString* json) override;
  OstStatus GetPlottedValues(std::int16_t graph, OstVariant* values) override;

  // IOstDiagnosisOptions
  OstStatus SetSettingsFile(const char* path) override;
  OstStatus ShowOptionsDialog(OstBool* confirmed, OstErrorInfo* error) override;

 private:
  ~DataObject() = default;

  // Runs a typed member so that nothing escapes it (guard.h): `body` returns nothing or a Status.
  // Failures go to last_error_.
  template <class Body>
  OstStatus Typed(Body&& body) {
    return Guarded(&last_error_, nullptr, [&] {
      const Status done = AsStatus(body);
      return done ? kOstOk : Failed(done.error(), &last_error_, nullptr);
    });
  }
  // The window step of Show: the report window, or one report kept for the console.
  Status ShowReport(clsData& data);

  RefCount refs_;
  LastError last_error_;
  std::unique_ptr<SettingsStore> store_;
  OnDemandQtPlatform windows_;
  std::ostringstream messages_;
  std::optional<ConsolePlatform> console_;
  bool from_start_ = false;
  std::string report_;
  std::optional<Report> composed_;  // the last report composed on the console
  SwitchingPlatform platform_;
  clsData data_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_LIBRARY_DATA_OBJECT_H_
