#include "bench/synthetic_chart.h"

#include <cmath>
#include <string>

#include "addon/cls_data.h"

namespace ostrevin {
namespace {

VArray Places(VarType type, std::int32_t places, std::int32_t extra_dim = 0) {
  if (extra_dim == 0) return VArray(type, {{0, places - 1}});
  return VArray(type, {{0, places - 1}, {0, extra_dim - 1}});
}

}  // namespace

void FillSyntheticChart(clsData& d, std::int32_t places, std::int16_t splits) {
  d.SetCType(-1);
  d.SetTNVal(static_cast<std::int16_t>(places - 1));
  d.SetIsDataIn(true);
  d.SetTitle(0, "Synthetic chart").ValueOrThrow();
  d.SetSplitp(splits);
  VArray x = Places(VarType::Single, places), xi = Places(VarType::Integer, places);
  VArray r = Places(VarType::Single, places), ri = Places(VarType::Integer, places);
  VArray labels = Places(VarType::String, places);
  VArray ucl = Places(VarType::Single, places, 2), lcl = ucl, centre = ucl;
  VArray ucl_on = Places(VarType::Boolean, places, 2), lcl_on = ucl_on, centre_on = ucl_on;
  float previous = 10;
  for (std::int32_t p = 0; p < places; ++p) {
    const auto k = static_cast<std::size_t>(p);
    // A deterministic wander: slow waves, a zigzag and the odd outlier.
    const float v = 10.0f + 2.0f * std::sin(static_cast<float>(p) * 0.05f) +
                    ((p % 2) != 0 ? 0.6f : -0.6f) + ((p % 97) == 0 ? 4.0f : 0.0f);
    (void)x.Put(k, v);
    (void)xi.Put(k, std::int16_t{1});
    (void)r.Put(k, std::fabs(v - previous));
    (void)ri.Put(k, std::int16_t{1});
    (void)labels.Put(k, "P" + std::to_string(p + 1));
    previous = v;
    for (std::size_t g = 0; g < 2; ++g) {
      (void)ucl.Put(2 * k + g, g == 0 ? 13.0f : 3.7f);
      (void)centre.Put(2 * k + g, g == 0 ? 10.0f : 1.13f);
      (void)lcl.Put(2 * k + g, g == 0 ? 7.0f : 0.0f);
      (void)ucl_on.Put(2 * k + g, true);
      (void)centre_on.Put(2 * k + g, true);
      (void)lcl_on.Put(2 * k + g, true);
    }
  }
  d.SetQuickXData(Variant(x)).ValueOrThrow();
  d.SetQuickXdataI(Variant(xi)).ValueOrThrow();
  d.SetQuickRData(Variant(r)).ValueOrThrow();
  d.SetQuickRDataI(Variant(ri)).ValueOrThrow();
  d.SetQuickHaxL(Variant(labels)).ValueOrThrow();
  d.SetQuickPointStatsUcl(Variant(ucl)).ValueOrThrow();
  d.SetQuickPointStatsLcl(Variant(lcl)).ValueOrThrow();
  d.SetQuickPointStatsCentre(Variant(centre)).ValueOrThrow();
  d.SetQuickPointStatsblnUclVisible(Variant(ucl_on)).ValueOrThrow();
  d.SetQuickPointStatsblnLclVisible(Variant(lcl_on)).ValueOrThrow();
  d.SetQuickPointStatsblnCentreVisible(Variant(centre_on)).ValueOrThrow();
  d.SetQuickPGV(Variant(Places(VarType::Single, places + 1))).ValueOrThrow();
  d.SetQuickPGVI(Variant(Places(VarType::Integer, places + 1))).ValueOrThrow();
  for (std::int16_t s = 0; s <= splits; ++s)
    d.SetSplit(s, static_cast<std::int16_t>(std::int32_t{s} * places / splits)).ValueOrThrow();
  for (std::int16_t s = 1; s <= splits; ++s) {
    d.SetUcl(s, 0, 13.0f).ValueOrThrow();
    d.SetLcl(s, 0, 7.0f).ValueOrThrow();
    d.SetMx(s, 10.0f).ValueOrThrow();
    d.SetUcl(s, 1, 3.7f).ValueOrThrow();
    d.SetLcl(s, 1, 0.0f).ValueOrThrow();
    d.SetMr(s, 1.13f).ValueOrThrow();
  }
}

}  // namespace ostrevin
