// Notices when the GEDCOM file the window shows changes or disappears on
// disk. The window reads the file in place, so another program saving over
// it (or truncating it) changes what the window's indexes point at.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>

class QTimer;

namespace vx {

// What a file looked like when it was read; equal states mean unchanged.
struct TFileState {
    bool Exists = false;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;

    static TFileState Of(const std::string& path);
    bool operator==(const TFileState&) const = default;
};

class TOpenedFileWatch : public QObject {
    Q_OBJECT

  public:
    // How often the file is looked at: a stat a second costs nothing and
    // works on every file system, including those without change events.
    static constexpr int kCheckIntervalMs = 1000;

    explicit TOpenedFileWatch(QObject* parent);

    // Watches `path`, read while it was in `stateWhenRead`, with the count
    // of lost mapped pages taken before reading. A difference found at the
    // first look (the file changed while it was read) is reported at once.
    void Watch(const std::string& path, const TFileState& stateWhenRead, uint64_t lostPagesBefore);
    void Stop();
    bool Watching() const;
    const std::string& Path() const { return path_; }

  signals:
    // The file was changed, replaced or shortened: what is shown may be
    // out of date or damaged.
    void Changed();
    // The path no longer names a file. The mapped text stays readable.
    void Removed();

  private:
    void Check();

    QTimer* timer_;
    std::string path_;
    TFileState state_;
    uint64_t lostPages_ = 0;
};

}  // namespace vx
