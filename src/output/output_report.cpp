#include "output_report.h"

namespace orvand {

OutputReport ComposeOutputReport(const DesignRecord&, const ReportOptions&) { return {}; }
QByteArray EncodeReport(const QStringList&) { return {}; }

} // namespace orvand
