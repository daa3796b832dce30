#pragma once
// Where a report's bytes go. A report replaces a file of the same name in one
// step where it can: the bytes go into a temporary file of a short name of its
// own in the same folder, which becomes the report only when every byte is on
// the disk, so a report name that fits the file system can always be written
// again, whatever its length. Where the rename would make the name a different
// file (one with more links, one whose owner or group the new file could not
// carry, one in a folder the user may not write), the report is written into
// that very file instead, after its full length has been reserved.
//
// Each step returns the cause of a failure in the system's error codes (an
// empty code on success). After a failure the writer calls discard(), which
// leaves the folder as it was.
//
// Not QSaveFile: in Qt 6.4 it renames a short file over the earlier report on a
// full disk, and cannot replace names of 249 to 255 bytes (its temporary name
// is the target's plus six letters). A port to another system replaces this
// file's DiskReportFile, and report_target.cpp's look at what the name holds.

#include "report_target.h"

#include <QByteArray>
#include <sys/types.h>
#include <system_error>
#include <unistd.h>

namespace orvand {

class ReportFile {
  public:
    virtual ~ReportFile() = default;

    virtual std::error_code create(const ReportTarget& target) = 0;
    virtual std::error_code write(const QByteArray& bytes) = 0;
    // Returns only when every byte written is on the disk.
    virtual std::error_code flush() = 0;
    // Puts the report in the target's place for good, and makes a new name
    // itself last through a power loss.
    virtual std::error_code commit() = 0;
    // Removes the temporary file, if one is left.
    virtual void discard() = 0;
    // Whether a byte of the earlier report has been changed: a failure from
    // then on cannot keep it.
    virtual bool earlierReportChanged() const = 0;
};

// The system calls that put the bytes on the disk; tests make them fail.
struct ReportFileCalls {
    ssize_t (*pwrite)(int, const void*, size_t, off_t) = ::pwrite;
    int (*fsync)(int) = ::fsync;
    int (*close)(int) = ::close;
};

class DiskReportFile final : public ReportFile {
  public:
    explicit DiskReportFile(ReportFileCalls calls = {}) : calls_(calls) {}
    ~DiskReportFile() override;
    DiskReportFile(const DiskReportFile&) = delete;
    DiskReportFile& operator=(const DiskReportFile&) = delete;

    std::error_code create(const ReportTarget& target) override;
    std::error_code write(const QByteArray& bytes) override;
    std::error_code flush() override;
    std::error_code commit() override;
    void discard() override;
    bool earlierReportChanged() const override { return changed_; }

  private:
    std::error_code createTemporary();
    bool carriesOwnerAndGroup();
    std::error_code openInPlace();

    ReportFileCalls calls_;
    ReportTarget target_;
    QByteArray folder_;
    QByteArray temporary_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool changed_ = false;
};

} // namespace orvand
