#include "ui/OpenedFileWatch.h"

#include <QTimer>
#include <chrono>
#include <filesystem>

#include "platform/MappingGuard.h"

namespace vx {

TFileState TFileState::Of(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    TFileState state;
    if (!fs::is_regular_file(path, error)) return state;
    const auto size = fs::file_size(path, error);
    if (error) return state;
    const auto modified = fs::last_write_time(path, error);
    if (error) return state;
    state.Exists = true;
    state.Size = static_cast<int64_t>(size);
    state.ModifiedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return state;
}

TOpenedFileWatch::TOpenedFileWatch(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    timer_->setInterval(kCheckIntervalMs);
    connect(timer_, &QTimer::timeout, this, &TOpenedFileWatch::Check);
}

void TOpenedFileWatch::Watch(const std::string& path, const TFileState& stateWhenRead,
                             uint64_t lostPagesBefore) {
    path_ = path;
    state_ = stateWhenRead;
    lostPages_ = lostPagesBefore;
    timer_->start();
    QTimer::singleShot(0, this, &TOpenedFileWatch::Check);
}

void TOpenedFileWatch::Stop() {
    timer_->stop();
    path_.clear();
}

bool TOpenedFileWatch::Watching() const {
    return timer_->isActive();
}

void TOpenedFileWatch::Check() {
    if (!Watching()) return;
    const TFileState now = TFileState::Of(path_);
    // Lost pages mean a mapped file shrank; the text in view has zeros.
    const bool pagesLost = platform::LostMappedPages() != lostPages_;
    if (now == state_ && !pagesLost) return;
    // Either way the watch ends here: the window decides what comes next,
    // and a message box must not be followed by a second one.
    timer_->stop();
    if (!now.Exists && !pagesLost)
        emit Removed();
    else
        emit Changed();
}

}  // namespace vx
