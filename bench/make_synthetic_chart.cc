// make_synthetic_chart PLACES SPLITS FILE: writes a measurements chart (two graphs) of PLACES
// places cut into SPLITS equal splits, for timing `ostrevin diagnose` on large charts.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/synthetic_chart_file.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_synthetic_chart PLACES SPLITS FILE\n");
    return 2;
  }
  const long places = std::strtol(argv[1], nullptr, 10);
  const long splits = std::strtol(argv[2], nullptr, 10);
  if (places < 2 || places > 32766 || splits < 1 || splits > 100 || splits > places) {
    std::fprintf(stderr, "make_synthetic_chart: PLACES 2..32766, SPLITS 1..100 and <= PLACES\n");
    return 2;
  }
  ostrevin::Status written = ostrevin::WriteSyntheticChartFile(
      argv[3], static_cast<std::int32_t>(places), static_cast<std::int16_t>(splits));
  if (!written.ok()) {
    std::fprintf(stderr, "make_synthetic_chart: %s\n", written.error().ToString().c_str());
    return 1;
  }
  return 0;
}
