#pragma once
// The output-data report: 32 lines of one Start's inputs and results, and the
// name of its file. Composing is pure; writing is WriteOutputDataFile.

#include "design_record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvand {

struct ReportOptions {
    bool dcmSelected = false; // optflybackdcm
    bool ccmSelected = false; // optflybackccm
    bool heatsink = false;    // chkHeatsink ticked
};

struct OutputReport {
    QString fileName;   // OutputFileName + labels + ".txt"
    QStringList lines;  // 32 lines, without line ends
    QString deviceName; // DeviceName after the discrete condition was applied
};

OutputReport ComposeOutputReport(const DesignRecord& record, const ReportOptions& options);

// Windows-1252, every line ended by CR LF; a character it lacks becomes '?'.
QByteArray EncodeReport(const QStringList& lines);

} // namespace orvand
