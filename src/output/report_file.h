#pragma once
// Where a report's bytes go. A report replaces a file of the same name in one
// step where it can: the bytes go into a private temporary file of a short name
// of its own in the same folder, which gets the earlier file's owner, group,
// extended attributes (its ACL among them) and permission bits, and becomes the
// report only when every byte is on the disk, in an exchange that takes away
// nothing but the file that was checked. So a report name that fits the file
// system can always be written again, whatever its length. Where the rename
// would make the name a different file (one with more names, one whose owner,
// group or attributes the new file could not carry, one in a folder the user
// may not write), the report is written into that very file instead, alone
// (no other writer in place meanwhile), after its full length has been
// reserved.
//
// Everything happens in the folder that was checked, by descriptor. A failure
// leaves no temporary file behind.
//
// Not QSaveFile: in Qt 6.4 it renames a short file over the earlier report on a
// full disk, and cannot replace names of 249 to 255 bytes (its temporary name
// is the target's plus six letters). A port to another system replaces this
// file's DiskReportFile, and report_target.cpp's look at what the name holds.

#include "report_target.h"

#include <QByteArray>
#include <cstdio>
#include <fcntl.h>
#include <sys/types.h>
#include <system_error>
#include <unistd.h>

namespace orvand {

// The system calls that make files, put the bytes on the disk and the report in
// its place; tests make them fail, or let something happen between two of them.
struct ReportFileCalls {
    int (*openat)(int, const char*, int, mode_t) = [](int at, const char* name, int flags,
                                                      mode_t mode) {
        return ::openat(at, name, flags, mode);
    };
    ssize_t (*pwrite)(int, const void*, size_t, off_t) = ::pwrite;
    int (*fsync)(int) = ::fsync;
    int (*close)(int) = ::close;
    int (*renameat2)(int, const char*, int, const char*, unsigned) = ::renameat2;
};

class DiskReportFile {
  public:
    explicit DiskReportFile(ReportFileCalls calls = {}) : calls_(calls) {}

    // Puts bytes in the target's place for good; returns the cause of a
    // failure in the system's error codes (an empty code on success).
    std::error_code write(const ReportTarget& target, const QByteArray& bytes);
    // Whether a byte of the earlier report has been changed: a failure from
    // then on could not keep it.
    bool earlierReportChanged() const { return changed_; }

  private:
    std::error_code writeInOneStep(const ReportTarget& target, const QByteArray& bytes,
                                   bool& inPlace);
    std::error_code writeInPlace(const ReportTarget& target, const QByteArray& bytes);
    std::error_code writeBytes(int fd, const QByteArray& bytes, bool inPlace);
    std::error_code putInPlace(const ReportTarget& target, const QByteArray& temporary);
    std::error_code closeWritten(int fd);

    ReportFileCalls calls_;
    bool changed_ = false;
};

} // namespace orvand
