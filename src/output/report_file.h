#pragma once
// Where a report's bytes go. A report replaces a file of the same name all at
// once or not at all: the bytes go into a temporary file of a short name of its
// own in the same folder, which becomes the report only when every byte is on
// the disk. A report name that fits the file system can then always be written
// again, whatever its length.
//
// Each step returns the cause of a failure in the system's error codes (an
// empty code on success). After a failure the writer calls discard(), which
// leaves the folder as it was.
//
// Not QSaveFile: in Qt 6.4 it renames a short file over the earlier report on a
// full disk, and cannot replace names of 249 to 255 bytes (its temporary name
// is the target's plus six letters). A port to another system replaces this
// file's DiskReportFile, and report_target.cpp's look at what the name holds.

#include <QByteArray>
#include <optional>
#include <sys/types.h>
#include <system_error>

namespace orvand {

class ReportFile {
  public:
    virtual ~ReportFile() = default;

    // Creates the temporary file beside target, a path in the system's bytes,
    // with the given permission bits, or those of any new file.
    virtual std::error_code create(const QByteArray& target, std::optional<mode_t> permissions) = 0;
    virtual std::error_code write(const QByteArray& bytes) = 0;
    // Returns only when every byte written is on the disk.
    virtual std::error_code flush() = 0;
    // Puts the temporary file in the target's place, in one step, and makes
    // the new name itself last through a power loss.
    virtual std::error_code commit() = 0;
    // Removes the temporary file, if one is left.
    virtual void discard() = 0;
};

class DiskReportFile final : public ReportFile {
  public:
    DiskReportFile() = default;
    ~DiskReportFile() override;
    DiskReportFile(const DiskReportFile&) = delete;
    DiskReportFile& operator=(const DiskReportFile&) = delete;

    std::error_code create(const QByteArray& target, std::optional<mode_t> permissions) override;
    std::error_code write(const QByteArray& bytes) override;
    std::error_code flush() override;
    std::error_code commit() override;
    void discard() override;

  private:
    QByteArray target_;
    QByteArray folder_;
    QByteArray temporary_;
    int fd_ = -1;
};

} // namespace orvand
