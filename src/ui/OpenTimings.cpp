#include "ui/OpenTimings.h"

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "gedcom/GEDCollection.h"
#include "platform/SystemInfo.h"
#include "ui/LogoMain.h"

namespace vx {

bool OpenTimingsWanted() {
    return std::getenv(kOpenTimingsVariable) != nullptr;
}

void ReportOpenTimingsAndQuit(TLogoAppForm& window, double expandSeconds) {
    QTimer::singleShot(0, &window, [&window, expandSeconds] {
        const auto ready = std::chrono::steady_clock::now().time_since_epoch();
        const WGEDCollection* collection = window.Collection();
        std::printf(
            "vellacor-open-timings expand_s=%.3f load_s=%.3f individuals=%lld "
            "indexed_while_expanding=%d peak_bytes=%lld ready_ns=%lld\n",
            expandSeconds, window.ImportSeconds(),
            static_cast<long long>(collection ? collection->IndividualCount() : 0),
            collection && collection->IndexedBeforeLoad() ? 1 : 0,
            static_cast<long long>(platform::PeakResidentBytes()),
            static_cast<long long>(
                std::chrono::duration_cast<std::chrono::nanoseconds>(ready).count()));
        std::fflush(stdout);
        window.close();
    });
}

}  // namespace vx
