#pragma once

#include "design_record.h"
#include "output_report.h"
#include "report_file.h"
#include "toolkit.h"

namespace orvand {

// Composes the report, stores the discrete device text in DeviceName where it
// applies, and writes the file. An earlier file of the same name stays the same
// file: its owner, group, permission bits and other links are kept, whether it
// is replaced in one step or written in place (see ReportFile). A failure that
// comes before the first byte of an earlier file changed (a full disk, a
// file-size limit among others) leaves it byte for byte, and leaves no new or
// temporary file. A symbolic link is written through to its file; a read-only
// file, or anything at the name that is not a regular file, is refused and
// left as it is. On success PackageOnly becomes 0.0. A failure is reported at
// once ("Output Error", critical icon) with the file's name and the cause, and
// says so when the earlier report is no longer whole; then PackageOnly is
// kept, since no report was written. Returns whether the file was written.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit);

// The same through a file of the caller's; tests use it to fail a step.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit,
                         ReportFile& file);

} // namespace orvand
