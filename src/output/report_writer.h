#pragma once

#include "design_record.h"
#include "output_report.h"
#include "report_file.h"
#include "toolkit.h"

namespace orvand {

// Composes the report, stores the discrete device text in DeviceName where it
// applies, and writes the file, replacing one of the same name only once every
// byte is on the disk: a failed write (a full disk among others) leaves an
// earlier file byte for byte and no new or temporary file. A symbolic link is
// written through to its file; a read-only file, or anything at the name that
// is not a regular file, is refused and left as it is. On success
// PackageOnly becomes 0.0. A failure is reported at once ("Output Error",
// critical icon) with the file's name and the cause; then PackageOnly is kept,
// since no report was written. Returns whether the file was written.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit);

// The same through a file of the caller's; tests use it to fail a step.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit,
                         ReportFile& file);

} // namespace orvand
