// The binary interface of the Ostrevin component library (libOstrevin.so): everything a host
// needs to register the library, create its classes clsInfo and clsData and call them. Nothing
// but the four C functions and the interfaces below crosses the boundary.
//
// Conventions:
//  1. Entry points. The library exports exactly four C functions, marked OST_EXPORT:
//     DllRegisterServer, DllUnregisterServer, DllGetClassObject and DllCanUnloadNow (signatures
//     at the end). A host finds them with dlsym.
//  2. Status codes. Every function and method returns an OstStatus, a 32-bit code like a COM
//     HRESULT: kOstOk (0) and kOstFalse (1) succeed, negative codes fail. No exception ever
//     leaves the library; a failure inside it is a status code.
//  3. Objects. An interface is a C++ class of pure virtual functions derived from IOstUnknown;
//     its id is its static member kIid. Objects are reference counted: AddRef for each pointer
//     kept, Release when done; the last Release destroys the object. QueryInterface(iid) hands
//     out another interface of the same object, already AddRef'd, or fails with kOstNoInterface.
//  4. Creation. DllGetClassObject(clsid, IOstClassFactory::kIid) gives the class factory of a
//     class; its CreateInstance makes an object. The library may be unloaded when
//     DllCanUnloadNow answers kOstOk: no object, factory or server lock of it is alive.
//  5. Values. OstVariant is a type tag and a union: Integer (int16), Long (int32), Single
//     (float), Boolean (int16: True -1, False 0), String (UTF-8 bytes and their length), or an
//     OstArray: one element type, 0 to 2 dimensions with explicit bounds, the elements row by
//     row (the last index varies fastest). The elements of a Variant array are OstVariants that
//     are not arrays.
//  6. Memory. Every string's bytes, every OstArray and every array's elements that cross the
//     boundary are allocated with malloc and released with free, each in its own block; strings
//     end with a NUL byte that their length does not count. An [in] value stays its caller's.
//     An [out] value belongs to the caller after the call; release it with OstVariantClear,
//     OstStringClear or OstErrorInfoClear (they accept values left empty). A failing call leaves
//     its [out] values empty.
//  7. Errors. A member call that fails returns kOstException and describes the error by the
//     host's error number (9 subscript out of range, 13 type mismatch, 6 overflow, 438 no such
//     member or access, 450 wrong number of arguments; 0 for failures with no number) and a
//     message naming the member and index. Invoke and GetIDsOfNames fill their OstErrorInfo;
//     every failed call on an object leaves its error for GetLastErrorInfo.
//  8. Dispatch. Every object is a dual interface: typed methods for C++ hosts (get_Name,
//     put_Name, methods by name) and, through IOstDispatch, the same members by name:
//     GetIDsOfNames (any case) gives a dispatch id, Invoke gets, puts or calls it. Invoke's
//     arguments are in natural order: the indexes or arguments, then for a put the new value.
//     A get of an indexed property without indexes gives its whole current array, so that a
//     fixed array, which has no whole-array member, can be read in one call too.
//  9. Type information. IOstDispatch::GetTypeInfo describes the object's members, each with
//     its kind, type, indexes and their initial bounds; its type library lists the classes,
//     their interfaces, the enumeration LinkTypeConstants and the library's identity. Strings
//     in type information are the library's and stay valid while the library is loaded.
// 10. Threads. An object is called from the thread that created it, one call at a time.
//
// The typed interfaces follow the member tables addon/members.def, addon/cls_info.def and
// addon/cls_data_methods.def: a change of a table changes the interface.

#ifndef OSTREVIN_ABI_OSTREVIN_ABI_H_
#define OSTREVIN_ABI_OSTREVIN_ABI_H_

#include <cstdint>
#include <cstdlib>

#define OST_EXPORT extern "C" __attribute__((visibility("default")))

// --- Status codes -------------------------------------------------------------------------------

using OstStatus = std::int32_t;

inline constexpr OstStatus kOstOk = 0;
inline constexpr OstStatus kOstFalse = 1;
inline constexpr OstStatus kOstNotImplemented = static_cast<OstStatus>(0x80004001u);
inline constexpr OstStatus kOstNoInterface = static_cast<OstStatus>(0x80004002u);
inline constexpr OstStatus kOstPointer = static_cast<OstStatus>(0x80004003u);  // null pointer
inline constexpr OstStatus kOstFail = static_cast<OstStatus>(0x80004005u);
inline constexpr OstStatus kOstOutOfMemory = static_cast<OstStatus>(0x8007000Eu);
inline constexpr OstStatus kOstInvalidArg = static_cast<OstStatus>(0x80070057u);
inline constexpr OstStatus kOstMemberNotFound = static_cast<OstStatus>(0x80020003u);
inline constexpr OstStatus kOstUnknownName = static_cast<OstStatus>(0x80020006u);
inline constexpr OstStatus kOstException = static_cast<OstStatus>(0x80020009u);  // see 7.
inline constexpr OstStatus kOstBadParamCount = static_cast<OstStatus>(0x8002000Eu);
inline constexpr OstStatus kOstElementNotFound = static_cast<OstStatus>(0x8002802Bu);
inline constexpr OstStatus kOstNoAggregation = static_cast<OstStatus>(0x80040110u);
inline constexpr OstStatus kOstClassNotAvailable = static_cast<OstStatus>(0x80040111u);
inline constexpr OstStatus kOstClassNotRegistered = static_cast<OstStatus>(0x80040154u);
inline constexpr OstStatus kOstRegistrationFailed = static_cast<OstStatus>(0x80040201u);

inline constexpr bool OstSucceeded(OstStatus status) {
  return status >= 0;
}

// Error numbers beyond the host's 9, 13 and 6 that the dispatch reports.
inline constexpr std::int32_t kOstErrNoSuchMember = 438;    // unknown member or access
inline constexpr std::int32_t kOstErrWrongArguments = 450;  // wrong number of arguments

// --- Identifiers --------------------------------------------------------------------------------

struct OstGuid {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
};

inline constexpr bool operator==(const OstGuid& a, const OstGuid& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int k = 0; k < 8; ++k) {
    if (a.data4[k] != b.data4[k]) return false;
  }
  return true;
}

// The classes and the type library.
inline constexpr OstGuid kClsidClsInfo = {
    0x1f70c3b8, 0xd05e, 0x473a, {0xbb, 0x09, 0x05, 0xf3, 0xa5, 0x6e, 0x65, 0x8d}};
inline constexpr OstGuid kClsidClsData = {
    0x0d816a40, 0x71ea, 0x488d, {0x9b, 0x05, 0xa6, 0x3a, 0xca, 0x04, 0x43, 0x55}};
inline constexpr OstGuid kLibidOstrevin = {
    0x1ad387cf, 0xfdf7, 0x4194, {0xa4, 0x4f, 0x16, 0xe0, 0x54, 0x9f, 0xd1, 0xd9}};
inline constexpr OstGuid kGuidLinkTypeConstants = {
    0xa49c06ac, 0x5105, 0x43fd, {0xbe, 0xff, 0x10, 0xb8, 0x02, 0xbd, 0xfc, 0xc2}};

// The programmatic names the registry knows the classes by.
inline constexpr char kProgIdClsInfo[] = "Ostrevin.clsInfo";
inline constexpr char kProgIdClsData[] = "Ostrevin.clsData";

// --- Values -------------------------------------------------------------------------------------

using OstBool = std::int16_t;  // the host's Boolean
inline constexpr OstBool kOstBoolTrue = -1;
inline constexpr OstBool kOstBoolFalse = 0;

// Type tags. An array is kOstVtArray | its element type.
enum OstVarType : std::uint16_t {
  kOstVtEmpty = 0,
  kOstVtInteger = 2,
  kOstVtLong = 3,
  kOstVtSingle = 4,
  kOstVtString = 8,
  kOstVtBoolean = 11,
  kOstVtVariant = 12,  // array elements of mixed types; a member whose value is any Variant
  kOstVtArray = 0x2000,
};

// UTF-8 text: `data` holds `length` bytes and a NUL after them. [out]: malloc'd (see 6.).
struct OstString {
  char* data;
  std::int32_t length;
};

struct OstBounds {
  std::int32_t lower;
  std::int32_t upper;  // lower - 1 for an empty dimension
};

struct OstArray {
  std::uint16_t element_type;  // kOstVtInteger ... kOstVtVariant
  std::uint16_t rank;          // 0, 1 or 2
  OstBounds bounds[2];
  // int16_t[], int32_t[], float[], OstBool[], OstString[] or OstVariant[] by element type;
  // null when there are no elements.
  void* elements;
};

struct OstVariant {
  std::uint16_t type;  // OstVarType
  union {
    std::int16_t integer;
    std::int32_t long_value;
    float single;
    OstBool boolean;
    OstString string;
    OstArray* array;  // type kOstVtArray | element type
  };
};

struct OstErrorInfo {
  std::int32_t number;    // see 7.
  OstString description;  // the message
};

inline void OstStringClear(OstString* s) {
  if (s == nullptr) return;
  std::free(s->data);
  *s = OstString{nullptr, 0};
}

inline void OstVariantClear(OstVariant* v);

inline void OstArrayFree(OstArray* array) {
  if (array == nullptr) return;
  std::int64_t count = array->rank == 0 ? 0 : 1;
  for (int d = 0; d < array->rank && d < 2; ++d) {
    const std::int64_t n = std::int64_t{array->bounds[d].upper} - array->bounds[d].lower + 1;
    count *= n > 0 ? n : 0;
  }
  if (array->elements != nullptr && array->element_type == kOstVtString) {
    for (std::int64_t k = 0; k < count; ++k)
      OstStringClear(static_cast<OstString*>(array->elements) + k);
  }
  if (array->elements != nullptr && array->element_type == kOstVtVariant) {
    for (std::int64_t k = 0; k < count; ++k)
      OstVariantClear(static_cast<OstVariant*>(array->elements) + k);
  }
  std::free(array->elements);
  std::free(array);
}

inline void OstVariantClear(OstVariant* v) {
  if (v == nullptr) return;
  if (v->type == kOstVtString) std::free(v->string.data);
  if ((v->type & kOstVtArray) != 0) OstArrayFree(v->array);
  v->type = kOstVtEmpty;
  v->long_value = 0;
}

inline void OstErrorInfoClear(OstErrorInfo* e) {
  if (e == nullptr) return;
  OstStringClear(&e->description);
  e->number = 0;
}

// --- Interfaces ---------------------------------------------------------------------------------

struct IOstUnknown {
  static constexpr OstGuid kIid = {
      0xe4b5cf05, 0xea8d, 0x4dcf, {0x9d, 0x0b, 0x98, 0x57, 0xc2, 0x1e, 0xc8, 0x16}};
  virtual OstStatus QueryInterface(const OstGuid& iid, void** object) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  ~IOstUnknown() = default;
};

struct IOstClassFactory : IOstUnknown {
  static constexpr OstGuid kIid = {
      0x00b2288f, 0xd3ba, 0x4b2a, {0xb6, 0xef, 0x09, 0x92, 0xa9, 0x1a, 0xc1, 0xa1}};
  // Creates an object of the factory's class and hands out its interface `iid`. `outer` must
  // be null (no aggregation).
  virtual OstStatus CreateInstance(IOstUnknown* outer, const OstGuid& iid, void** object) = 0;
  // A non-zero `lock` keeps the library in use without an object; zero undoes one lock.
  virtual OstStatus LockServer(std::int32_t lock) = 0;

 protected:
  ~IOstClassFactory() = default;
};

// What a type describes.
enum OstTypeKind : std::uint16_t {
  kOstTkindDispatch = 0,  // a dual interface: _clsInfo, _clsData
  kOstTkindCoclass = 1,   // a creatable class: clsInfo, clsData
  kOstTkindEnum = 2,      // an enumeration: LinkTypeConstants
};

// What a member of a type is.
enum OstMemberKind : std::uint16_t {
  kOstMemberScalar = 0,      // chart data: a property without indexes
  kOstMemberFixed = 1,       // chart data: an indexed property over an array of fixed bounds
  kOstMemberIndexed = 2,     // chart data: an indexed property whose array `companion` replaces
  kOstMemberWholeArray = 3,  // chart data: the whole array behind the indexed property `companion`
  kOstMemberProperty = 4,    // a property of the exchange with the host, not chart data; it may
                             // take arguments
  kOstMemberMethod = 5,      // a method
  kOstMemberConstant = 6,    // a member of an enumeration; `constant` holds its value
  kOstMemberInterface = 7,   // an interface of a class, named by `name`
};

// How a member may be invoked; Invoke's `flags`.
enum OstDispatchFlags : std::uint16_t {
  kOstDispatchMethod = 1,
  kOstDispatchGet = 2,
  kOstDispatchPut = 4,
  kOstDispatchPutRef = 8,  // a put of an array passed by reference; treated as a put
};

struct OstMemberDesc {
  const char* name;
  std::int32_t dispid;
  std::uint16_t kind;         // OstMemberKind
  std::uint16_t access;       // OstDispatchFlags the member accepts
  std::uint16_t type;         // OstVarType of the value; kOstVtEmpty for a method without one
  std::uint16_t param_count;  // indexes of an indexed property, or arguments (at most 2)
  const char* param_names[2];
  std::uint16_t param_types[2];
  OstBounds index_bounds[2];  // initial bounds of each index of an indexed property
  const char* companion;      // see OstMemberKind; else null
  std::int32_t constant;      // kOstMemberConstant only
};

struct OstTypeAttr {
  const char* name;    // "_clsData", "clsData", "LinkTypeConstants"
  OstGuid guid;        // interface id, class id or enumeration id
  std::uint16_t kind;  // OstTypeKind
  std::uint16_t member_count;
  const char* prog_id;  // classes: "Ostrevin.clsData"; else null
};

// The library's identity, as its version record gives it.
struct OstLibAttr {
  const char* name;  // "Ostrevin"
  OstGuid libid;
  std::uint16_t major_version;
  std::uint16_t minor_version;
  std::uint16_t revision;
  OstBool self_registering;
  const char* file_version;  // also the product version
  const char* file_description;
  const char* product_name;
  const char* comments;
  const char* internal_name;
  const char* original_file_name;
};

struct IOstTypeLib;

struct IOstTypeInfo : IOstUnknown {
  static constexpr OstGuid kIid = {
      0xa8c2f90f, 0x5419, 0x4443, {0xb6, 0x9c, 0x21, 0x1a, 0xe9, 0x22, 0xc0, 0x6d}};
  virtual OstStatus GetTypeAttr(OstTypeAttr* attr) = 0;
  // Member `index` (0 to member_count - 1), else kOstElementNotFound.
  virtual OstStatus GetMemberDesc(std::int32_t index, OstMemberDesc* desc) = 0;
  virtual OstStatus GetContainingTypeLib(IOstTypeLib** lib) = 0;

 protected:
  ~IOstTypeInfo() = default;
};

struct IOstTypeLib : IOstUnknown {
  static constexpr OstGuid kIid = {
      0x5d8f5225, 0x2dff, 0x4ed6, {0xb6, 0x3a, 0xc6, 0x09, 0xac, 0xaf, 0x90, 0xa9}};
  virtual OstStatus GetLibAttr(OstLibAttr* attr) = 0;
  virtual std::int32_t GetTypeInfoCount() = 0;
  virtual OstStatus GetTypeInfo(std::int32_t index, IOstTypeInfo** info) = 0;
  // The type with the interface, class or enumeration id `guid`, else kOstElementNotFound.
  virtual OstStatus GetTypeInfoOfGuid(const OstGuid& guid, IOstTypeInfo** info) = 0;

 protected:
  ~IOstTypeLib() = default;
};

struct IOstDispatch : IOstUnknown {
  static constexpr OstGuid kIid = {
      0x320bcc00, 0xf54b, 0x45ee, {0x95, 0x54, 0x20, 0xd3, 0x62, 0x85, 0x80, 0x60}};
  virtual OstStatus GetTypeInfo(IOstTypeInfo** info) = 0;
  // The dispatch id of the member `name` (NUL-terminated, any case), else kOstUnknownName with
  // error 438 in `error` (may be null).
  virtual OstStatus GetIDsOfNames(const char* name, std::int32_t* dispid, OstErrorInfo* error) = 0;
  // Gets, puts or calls a member (see 8.). `result` (may be null) receives a get's value;
  // `error` (may be null) the error when kOstException is returned.
  virtual OstStatus Invoke(std::int32_t dispid, std::uint16_t flags, const OstVariant* args,
                           std::int32_t arg_count, OstVariant* result, OstErrorInfo* error) = 0;
  // The error of the last call on this object that failed, or kOstFalse when none did.
  virtual OstStatus GetLastErrorInfo(OstErrorInfo* error) = 0;

 protected:
  ~IOstDispatch() = default;
};

// Parameter types of the typed interfaces, by the host's type names of the member tables.
#define OST_ABI_IN(Type) OST_ABI_IN_##Type
#define OST_ABI_IN_Integer std::int16_t
#define OST_ABI_IN_Long std::int32_t
#define OST_ABI_IN_Single float
#define OST_ABI_IN_Boolean OstBool
#define OST_ABI_IN_String const OstString*
#define OST_ABI_IN_Variant const OstVariant*
#define OST_ABI_OUT(Type) OST_ABI_OUT_##Type
#define OST_ABI_OUT_Integer std::int16_t*
#define OST_ABI_OUT_Long std::int32_t*
#define OST_ABI_OUT_Single float*
#define OST_ABI_OUT_Boolean OstBool*
#define OST_ABI_OUT_String OstString*
#define OST_ABI_OUT_Variant OstVariant*

// The enumeration of the descriptor's LinkType.
enum LinkTypeConstants : std::int16_t {
#define OSTREVIN_LINK_TYPE(Name, Value) Name = Value,
#include "addon/cls_info.def"
};

// _clsInfo: the add-on descriptor's read-only constants.
struct IOstClsInfo : IOstDispatch {
  static constexpr OstGuid kIid = {
      0x2108533c, 0x3e46, 0x4cb8, {0x8c, 0xcc, 0x0a, 0x01, 0x2d, 0x98, 0x0e, 0xab}};
#define OSTREVIN_INFO(Name, Type, Value) virtual OstStatus get_##Name(OST_ABI_OUT(Type) value) = 0;
#include "addon/cls_info.def"

 protected:
  ~IOstClsInfo() = default;
};

// _clsData: the chart data container. Indexed members take their indexes first; whole arrays
// (the Quick members) are Variants holding arrays.
struct IOstClsData : IOstDispatch {
  static constexpr OstGuid kIid = {
      0x0a3da83e, 0xe39c, 0x460d, {0xa2, 0xc2, 0x50, 0x4c, 0x09, 0x8c, 0x57, 0xb0}};
#define OSTREVIN_SCALAR(Name, Type)                          \
  virtual OstStatus get_##Name(OST_ABI_OUT(Type) value) = 0; \
  virtual OstStatus put_##Name(OST_ABI_IN(Type) value) = 0;
#define OSTREVIN_INDEXED1(Name, Type)                                        \
  virtual OstStatus get_##Name(std::int16_t i, OST_ABI_OUT(Type) value) = 0; \
  virtual OstStatus put_##Name(std::int16_t i, OST_ABI_IN(Type) value) = 0;
#define OSTREVIN_INDEXED2(Name, Type)                                                        \
  virtual OstStatus get_##Name(std::int16_t i, std::int16_t j, OST_ABI_OUT(Type) value) = 0; \
  virtual OstStatus put_##Name(std::int16_t i, std::int16_t j, OST_ABI_IN(Type) value) = 0;
#define OSTREVIN_WHOLE(Quick)                           \
  virtual OstStatus get_##Quick(OstVariant* value) = 0; \
  virtual OstStatus put_##Quick(const OstVariant* value) = 0;
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
#define OSTREVIN_DATA_GET(Name, Type) virtual OstStatus get_##Name(OST_ABI_OUT(Type) value) = 0;
#define OSTREVIN_DATA_PUT(Name, Type) virtual OstStatus put_##Name(OST_ABI_IN(Type) value) = 0;
#define OSTREVIN_DATA_METHOD(Name) virtual OstStatus Name() = 0;
#define OSTREVIN_DATA_GET_ARGS(Name, Type, Arg1, Type1, Arg2, Type2)           \
  virtual OstStatus get_##Name(OST_ABI_IN(Type1) Arg1, OST_ABI_IN(Type2) Arg2, \
                               OST_ABI_OUT(Type) value) = 0;
#include "addon/cls_data_methods.def"

 protected:
  ~IOstClsData() = default;
};

// An extra interface of clsData objects for hosts without windows, such as a command line
// (QueryInterface). A host that never asks for it gets the report window from Show.
struct IOstReportConsole : IOstUnknown {
  static constexpr OstGuid kIid = {
      0xa155ef8b, 0x7f6a, 0x4480, {0x94, 0x21, 0x98, 0x85, 0x36, 0xac, 0xe7, 0x69}};
  // From now on Show opens no window: it composes one report, as the window does when it
  // loads, and keeps it; message boxes become lines of text. `date_time` (may be null) is the
  // date and time the reports show; a True `from_start` diagnoses from the first place, as the
  // window's "Diagnose From Start" button.
  virtual OstStatus UseConsole(const char* date_time, OstBool from_start) = 0;
  // The report the last Show composed; empty before the first.
  virtual OstStatus GetReport(OstString* report) = 0;
  // The message boxes shown since the last call, one line each ("ostrevin: note: ..."), and
  // forgets them.
  virtual OstStatus TakeMessages(OstString* messages) = 0;

 protected:
  ~IOstReportConsole() = default;
};

// An extra interface of clsData objects beside IOstReportConsole: what the report of the last
// console Show says, as data.
struct IOstReportFindings : IOstUnknown {
  static constexpr OstGuid kIid = {
      0xa72296f4, 0x3fd6, 0x4424, {0x95, 0x0a, 0xef, 0xbc, 0xff, 0x59, 0xb0, 0xff}};
  // The content of the report the last Show composed on the console, as one JSON document
  // (format "ostrevin-findings", docs/findings-json.md); empty before the first.
  virtual OstStatus GetFindingsJson(OstString* json) = 0;
  // What graph `graph` of that report plots at each place from the first to the last, as the
  // diagnosis read it: an array of Variants, Empty where the place holds no value, else its
  // Single; an empty array for a graph the report did not diagnose.
  virtual OstStatus GetPlottedValues(std::int16_t graph, OstVariant* values) = 0;

 protected:
  ~IOstReportFindings() = default;
};

// An extra interface of clsData objects: where the choice of tests is kept, and the options
// dialog on its own.
struct IOstDiagnosisOptions : IOstUnknown {
  static constexpr OstGuid kIid = {
      0xe4b5cf06, 0x1a2b, 0x4c3d, {0x8e, 0x9f, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65}};
  // Diagnoses and the options dialog of this object use the settings file `path`; null or empty
  // returns to the user's settings file.
  virtual OstStatus SetSettingsFile(const char* path) = 0;
  // Opens the options dialog modally; `confirmed` (may be null) is True when it was closed with
  // OK and so saved. Fails with kOstException and `error` (may be null) when no window can open.
  virtual OstStatus ShowOptionsDialog(OstBool* confirmed, OstErrorInfo* error) = 0;

 protected:
  ~IOstDiagnosisOptions() = default;
};

// Called now and then during a long call with the work done so far, the work in all and the
// `context` the caller passed along with it. It must not call into the library.
using OstProgressCallback = void (*)(void* context, std::int32_t done, std::int32_t total);

// An extra interface of clsInfo objects (QueryInterface): how often the diagnosis raises a false
// signal on charts of a stable process, estimated by diagnosing simulated charts.
struct IOstFalseAlarms : IOstUnknown {
  static constexpr OstGuid kIid = {
      0x73ccade0, 0x8a14, 0x4e1c, {0xb9, 0xe3, 0x25, 0xa3, 0xc9, 0x03, 0xfc, 0x24}};
  // Diagnoses `runs` charts of `points` individual values of a stable process (normal, known
  // limits at 3 SD), simulated from `seed`, with the tests and thresholds of the settings file
  // `settings_path` (null or empty: the user's). `table` receives, per switched-on test and for
  // all of them together, the share of charts with a signal and the average number of points to
  // the first signal, each with its 95% confidence interval: a plain-text table, LF line breaks.
  // The same arguments give the same table. `progress` (may be null) is called with the charts
  // diagnosed and `runs`. Fails with kOstException and `error` (may be null) for `points` or
  // `runs` below 1.
  virtual OstStatus EstimateFalseAlarms(const char* settings_path, std::int16_t points,
                                        std::int32_t runs, std::uint64_t seed,
                                        OstProgressCallback progress, void* progress_context,
                                        OstString* table, OstErrorInfo* error) = 0;

 protected:
  ~IOstFalseAlarms() = default;
};

// An extra interface of clsInfo objects (QueryInterface): how quickly the diagnosis catches a
// change of the process, estimated as IOstFalseAlarms estimates false alarms, on charts whose
// mean shifts by `shift` SD at the first point and moves on by `trend` SD at every point after
// it. With both 0 the table is EstimateFalseAlarms' own.
struct IOstRunLengths : IOstUnknown {
  static constexpr OstGuid kIid = {
      0x5b0e9d27, 0x43c1, 0x4f6a, {0x9d, 0x52, 0x7e, 0x18, 0xa4, 0x6c, 0x30, 0xd1}};
  // As EstimateFalseAlarms; also fails for a shift or trend that is not finite.
  virtual OstStatus EstimateRunLengths(const char* settings_path, std::int16_t points,
                                       std::int32_t runs, std::uint64_t seed, double shift,
                                       double trend, OstProgressCallback progress,
                                       void* progress_context, OstString* table,
                                       OstErrorInfo* error) = 0;

 protected:
  ~IOstRunLengths() = default;
};

// --- Entry points -------------------------------------------------------------------------------

// Writes the registration of both classes (programmatic name, class id, this library's path)
// into the per-user component registry; kOstRegistrationFailed when it cannot be written.
OST_EXPORT OstStatus DllRegisterServer(void);
// Removes that registration, keeping every other entry of the registry.
OST_EXPORT OstStatus DllUnregisterServer(void);
// The class factory of `clsid` as interface `iid`; kOstClassNotAvailable for other classes.
OST_EXPORT OstStatus DllGetClassObject(const OstGuid* clsid, const OstGuid* iid, void** factory);
// kOstOk when no object, factory or server lock of the library is alive, else kOstFalse.
OST_EXPORT OstStatus DllCanUnloadNow(void);

// The entry points' types, for dlsym.
using OstDllRegisterServer = OstStatus (*)();
using OstDllUnregisterServer = OstStatus (*)();
using OstDllGetClassObject = OstStatus (*)(const OstGuid*, const OstGuid*, void**);
using OstDllCanUnloadNow = OstStatus (*)();

#endif  // OSTREVIN_ABI_OSTREVIN_ABI_H_
