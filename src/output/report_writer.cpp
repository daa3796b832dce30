#include "report_writer.h"

#include "deferred_signals.h"
#include "report_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace orvand {

namespace {

// The longest file name most file systems take, in bytes.
constexpr qsizetype kMaxNameBytes = 255;

// Of a name or folder that cannot be reached, the nearest part of its path
// that exists tells what is wrong.
QString UnreachableFolderReason(const QString& folder) {
    QString probe = folder;
    while (!QFileInfo::exists(probe)) {
        const QString parent = QFileInfo(probe).absolutePath();
        if (parent == probe)
            break;
        probe = parent;
    }
    const QFileInfo existing(probe);
    if (existing.exists() && !existing.isDir())
        return QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(probe));
    return QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder));
}

QString FailureReason(const QString& path, std::error_code error) {
    const QFileInfo info(path);
    if (error == std::errc::filename_too_long) {
        return info.fileName().toUtf8().size() > kMaxNameBytes
                   ? QStringLiteral("The file name is too long.")
                   : QStringLiteral("The path is too long.");
    }
    if (error.category() == ReportTargetCategory())
        return QString::fromStdString(error.message());
    if (error == std::errc::no_space_on_device || error.value() == EDQUOT)
        return QStringLiteral("The disk is full.");
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        return UnreachableFolderReason(info.absolutePath());
    if (error == std::errc::is_a_directory)
        return QStringLiteral("A folder of that name exists.");
    if (error == std::errc::read_only_file_system)
        return QStringLiteral("The disk is write-protected.");
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return QStringLiteral("Access to the folder or the file is denied.");
    return QString::fromLocal8Bit(std::strerror(error.value())) + QLatin1Char('.');
}

} // namespace

bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit,
                         ReportFileCalls calls) {
    const OutputReport report = ComposeOutputReport(record, options);
    record.DeviceName = report.deviceName;

    QByteArray path;
    std::error_code error;
    bool earlierLost = false;
    {
        // From the first look at the name until the report is whole and no
        // temporary file is left; the message comes after.
        const DeferredSignals deferred;
        const ReportTarget target = ResolveReportTarget(QFile::encodeName(report.fileName));
        path = target.path;
        error = target.error;
        DiskReportFile file(calls);
        if (!error)
            error = file.write(target, EncodeReport(report.lines));
        earlierLost = error && file.earlierReportChanged();
    }

    if (error) {
        QString text = QStringLiteral("The output data file could not be written:\r\n%1\r\n%2")
                           .arg(report.fileName, FailureReason(QFile::decodeName(path), error));
        if (earlierLost)
            text += QStringLiteral("\r\nThe earlier report in the file is no longer whole.");
        toolkit.messageBox(text, QStringLiteral("Output Error"), MessageIcon::Critical);
        return false;
    }
    record.PackageOnly = 0.0;
    return true;
}

} // namespace orvand
