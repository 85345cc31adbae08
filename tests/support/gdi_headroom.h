// Counts GDI objects leaked by a workload. GetGuiResources is a stub under Wine, so the meter
// measures the free room in the process's GDI handle table instead: it creates brushes until the
// table is full, counts them and deletes them all. The room before a workload minus the room
// after it is the number of objects the workload left behind.
#pragma once

#include <functional>

namespace testing_support {

int GdiHeadroom();

// Runs `workload` once to let one-time allocations settle, then measures the objects that
// `repetitions` further runs leave behind.
int GdiObjectsLeakedBy(const std::function<void()>& workload, int repetitions);

}  // namespace testing_support
