#include "report_writer.h"

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

bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit) {
    DiskReportFile file;
    return WriteOutputDataFile(record, options, toolkit, file);
}

bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit,
                         ReportFile& file) {
    const OutputReport report = ComposeOutputReport(record, options);
    record.DeviceName = report.deviceName;

    // A link is written through: the file it leads to gets the report.
    const ReportTarget target = ResolveReportTarget(QFile::encodeName(report.fileName));
    std::error_code error = target.error;
    if (!error)
        error = file.create(target);
    if (!error)
        error = file.write(EncodeReport(report.lines));
    if (!error)
        error = file.flush();
    if (!error)
        error = file.commit();

    if (error) {
        const bool earlierLost = file.earlierReportChanged();
        file.discard();
        QString text =
            QStringLiteral("The output data file could not be written:\r\n%1\r\n%2")
                .arg(report.fileName, FailureReason(QFile::decodeName(target.path), error));
        if (earlierLost)
            text += QStringLiteral("\r\nThe earlier report in the file is no longer whole.");
        toolkit.messageBox(text, QStringLiteral("Output Error"), MessageIcon::Critical);
        return false;
    }
    record.PackageOnly = 0.0;
    return true;
}

} // namespace orvand
