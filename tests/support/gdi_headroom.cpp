#include "tests/support/gdi_headroom.h"

#include <windows.h>

#include <vector>

namespace testing_support {

int GdiHeadroom() {
  std::vector<HBRUSH> brushes;
  brushes.reserve(70000);
  while (const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) brushes.push_back(brush);
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return static_cast<int>(brushes.size());
}

int GdiObjectsLeakedBy(const std::function<void()>& workload, int repetitions) {
  workload();
  const int before = GdiHeadroom();
  for (int i = 0; i < repetitions; ++i) workload();
  return before - GdiHeadroom();
}

}  // namespace testing_support
