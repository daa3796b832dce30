#pragma once

#include "design_record.h"
#include "output_report.h"
#include "report_file.h"
#include "toolkit.h"

namespace orvand {

// Composes the report, stores the discrete device text in DeviceName where it
// applies, and writes the file. An earlier file of the same name stays the same
// file: its owner, group, permission bits, extended attributes (its ACL among
// them) and other names are kept, whether it is replaced in one step or written
// in place (see DiskReportFile). A failure that comes before the first byte of
// an earlier file changed (a full disk, a file-size limit among others) leaves
// it byte for byte, and leaves no new or temporary file. A symbolic link is
// written through to its file, unless another user put it in a shared folder;
// a read-only file, another user's file in a shared folder, or anything at the
// name that is not a regular file, is refused and left as it is (see
// ResolveReportTarget). A signal that would end the program waits until the
// report is whole and nothing is left behind. On success PackageOnly becomes
// 0.0. A failure is reported at once ("Output Error", critical icon) with the
// file's name and the cause, and says so when the earlier report is no longer
// whole; then PackageOnly is kept, since no report was written. Returns whether
// the file was written. Tests pass system calls that fail or race.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit,
                         ReportFileCalls calls = {});

} // namespace orvand
