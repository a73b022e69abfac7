// The entry points as a host calls them: class factories, DllCanUnloadNow and the arguments they
// refuse.
#include <dlfcn.h>

#include "tests/library/library_test_support.h"

namespace ostrevin {
namespace {

template <class Function>
Function EntryPoint(const char* name) {
  void* handle = ::dlopen(std::getenv("OSTREVIN_LIBRARY"), RTLD_NOW | RTLD_LOCAL);
  return reinterpret_cast<Function>(::dlsym(handle, name));
}

ComPtr<IOstClassFactory> Factory(const OstGuid& clsid) {
  static const auto get = EntryPoint<OstDllGetClassObject>("DllGetClassObject");
  ComPtr<IOstClassFactory> factory;
  EXPECT_EQ(get(&clsid, &IOstClassFactory::kIid, reinterpret_cast<void**>(factory.Receive())),
            kOstOk);
  return factory;
}

// Whether the library may be unloaded: its answer, as a word for the expectations below.
std::string Unload() {
  static const auto can_unload = EntryPoint<OstDllCanUnloadNow>("DllCanUnloadNow");
  const OstStatus status = can_unload();
  return status == kOstOk ? "yes" : status == kOstFalse ? "no" : "?";
}

TEST(LifetimeTest, TheLibraryIsInUseWhileAnythingOfItLives) {
  ASSERT_EQ(Unload(), "yes");
  ComPtr<IOstClassFactory> factory = Factory(kClsidClsData);
  EXPECT_EQ(Unload(), "no");
  ComPtr<IOstClsData> data;
  ASSERT_EQ(
      factory->CreateInstance(nullptr, IOstClsData::kIid, reinterpret_cast<void**>(data.Receive())),
      kOstOk);
  factory.Reset();
  EXPECT_EQ(Unload(), "no");  // the object alone keeps it
  ComPtr<IOstTypeInfo> type;
  ASSERT_EQ(data->GetTypeInfo(type.Receive()), kOstOk);
  data.Reset();
  EXPECT_EQ(Unload(), "no");  // so does its type information
  type.Reset();
  EXPECT_EQ(Unload(), "yes");

  factory = Factory(kClsidClsInfo);
  ASSERT_EQ(factory->LockServer(1), kOstOk);
  factory.Reset();
  EXPECT_EQ(Unload(), "no");  // a server lock outlives its factory
  factory = Factory(kClsidClsInfo);
  ASSERT_EQ(factory->LockServer(0), kOstOk);
  EXPECT_EQ(factory->LockServer(0), kOstInvalidArg);  // no lock left to undo
  factory.Reset();
  EXPECT_EQ(Unload(), "yes");
}

TEST(LifetimeTest, RefusedArgumentsAreStatusCodes) {
  const auto get = EntryPoint<OstDllGetClassObject>("DllGetClassObject");
  void* out = &out;
  EXPECT_EQ(get(&IOstUnknown::kIid, &IOstClassFactory::kIid, &out), kOstClassNotAvailable);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(get(&kClsidClsData, &IOstClsData::kIid, &out), kOstNoInterface);
  EXPECT_EQ(get(nullptr, &IOstClassFactory::kIid, &out), kOstPointer);
  EXPECT_EQ(get(&kClsidClsData, nullptr, &out), kOstPointer);
  EXPECT_EQ(get(&kClsidClsData, &IOstClassFactory::kIid, nullptr), kOstPointer);

  ComPtr<IOstClassFactory> factory = Factory(kClsidClsData);
  ComPtr<IOstClsData> outer = Create<IOstClsData>(kClsidClsData);
  EXPECT_EQ(factory->CreateInstance(outer.get(), IOstUnknown::kIid, &out), kOstNoAggregation);
  EXPECT_EQ(factory->CreateInstance(nullptr, IOstClsInfo::kIid, &out), kOstNoInterface);
  factory.Reset();
  outer.Reset();
  EXPECT_EQ(Unload(), "yes");  // nothing was left behind by the refused calls
}

}  // namespace
}  // namespace ostrevin
