#include "library/data_object.h"

#include "engine/report.h"
#include "engine/report_json.h"
#include "engine/report_text.h"
#include "library/dispatch.h"
#include "library/dispatch_ids.h"
#include "library/dispatch_plumbing.h"
#include "library/settings_choice.h"
#include "library/type_library.h"
#include "settings/diagnosis_settings.h"

namespace ostrevin {

DataObject::DataObject() : store_(OpenSettings(nullptr)), platform_(windows_), data_(platform_) {
  data_.SetReportWindow([this](clsData& data) { return ShowReport(data); });
}

OstStatus DataObject::QueryInterface(const OstGuid& iid, void** object) {
  IOstUnknown* found = nullptr;
  if (iid == IOstUnknown::kIid || iid == IOstDispatch::kIid || iid == IOstClsData::kIid)
    found = static_cast<IOstClsData*>(this);
  if (iid == IOstReportConsole::kIid) found = static_cast<IOstReportConsole*>(this);
  if (iid == IOstReportFindings::kIid) found = static_cast<IOstReportFindings*>(this);
  if (iid == IOstDiagnosisOptions::kIid) found = static_cast<IOstDiagnosisOptions*>(this);
  return HandOut(found, object);
}

std::uint32_t DataObject::Release() {
  const std::uint32_t left = refs_.Drop();
  if (left == 0) delete this;
  return left;
}

OstStatus DataObject::GetTypeInfo(IOstTypeInfo** info) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(info);
    *target = NewTypeInfo(IOstClsData::kIid);
    return kOstOk;
  });
}

OstStatus DataObject::GetIDsOfNames(const char* name, std::int32_t* dispid, OstErrorInfo* error) {
  return LookUpName(last_error_, name, dispid, error, DataDispIdOfName);
}

OstStatus DataObject::Invoke(std::int32_t dispid, std::uint16_t flags, const OstVariant* args,
                             std::int32_t arg_count, OstVariant* result, OstErrorInfo* error) {
  return InvokeGuarded(last_error_, args, arg_count, result, error, [&](std::span<Variant> values) {
    return InvokeData(data_, dispid, flags, values);
  });
}

OstStatus DataObject::GetLastErrorInfo(OstErrorInfo* error) {
  return Guarded(nullptr, nullptr, [&] { return last_error_.CopyTo(error); });
}

Status DataObject::ShowReport(clsData& data) {
  if (!console_) return RunReportWindow(data, *store_, platform_);
  // What the report window does when it loads, and what its "Diagnose From Start" button does.
  if (from_start_) data.SetNextHAxLToDiagnose(0);
  DiagnosisSettings settings(*store_);
  OSTREVIN_ASSIGN_OR_RETURN(Report report, ComposeReport(data, settings, platform_));
  report_ = ReportText(report);
  composed_ = std::move(report);
  return Ok{};
}

OstStatus DataObject::UseConsole(const char* date_time, OstBool from_start) {
  return Guarded(&last_error_, nullptr, [&] {
    std::optional<std::string> now;
    if (date_time != nullptr) now = date_time;
    console_.emplace(messages_, now);
    from_start_ = from_start != 0;
    platform_.Use(*console_);
    return kOstOk;
  });
}

OstStatus DataObject::GetReport(OstString* report) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(report);
    *target = NewOstString(report_);
    return kOstOk;
  });
}

OstStatus DataObject::GetFindingsJson(OstString* json) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(json);
    // Written when asked for: most console diagnoses print the text only.
    *target = NewOstString(composed_ ? FindingsJson(*composed_) : std::string());
    return kOstOk;
  });
}

OstStatus DataObject::GetPlottedValues(std::int16_t graph, OstVariant* values) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(values);
    std::vector<Variant> plotted;
    if (composed_) {
      for (const GraphReport& g : composed_->graphs) {
        if (g.graph != graph) continue;
        plotted.reserve(g.plotted.size());
        for (const PlottedPoint& p : g.plotted) {
          if (p.flag != 0)
            plotted.emplace_back(p.value);
          else
            plotted.emplace_back();
        }
      }
    }
    const auto last = static_cast<std::int32_t>(plotted.size()) - 1;
    *target = NewOstVariant(Variant(VArray(VarType::Variant, {{0, last}}, std::move(plotted))));
    return kOstOk;
  });
}

OstStatus DataObject::TakeMessages(OstString* messages) {
  return Guarded(&last_error_, nullptr, [&] {
    auto* target = Required(messages);
    *target = NewOstString(messages_.str());
    messages_.str("");
    return kOstOk;
  });
}

OstStatus DataObject::SetSettingsFile(const char* path) {
  return Guarded(&last_error_, nullptr, [&] {
    store_ = OpenSettings(path);
    return kOstOk;
  });
}

OstStatus DataObject::ShowOptionsDialog(OstBool* confirmed, OstErrorInfo* error) {
  return Guarded(&last_error_, error, [&] {
    if (confirmed != nullptr) *confirmed = kOstBoolFalse;
    const Result<bool> ok = RunOptionsDialog(*store_, platform_);
    if (!ok) return Failed(ok.error(), &last_error_, error);
    if (confirmed != nullptr) *confirmed = *ok ? kOstBoolTrue : kOstBoolFalse;
    return kOstOk;
  });
}

}  // namespace ostrevin
