#pragma once

#include "design_record.h"
#include "output_report.h"
#include "toolkit.h"

namespace orvand {

// Composes the report, stores the discrete device text in DeviceName where it
// applies, and writes the file (replacing one of the same name) through
// QSaveFile, so a failed write leaves no truncated report and keeps an earlier
// file intact. On success PackageOnly becomes 0.0. A failure is reported at once
// ("Output Error", critical icon) with the file's name and the reason; then
// PackageOnly is kept, since no report was written. Returns whether the file
// was written.
bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit);

} // namespace orvand
