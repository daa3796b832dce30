#include "report_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace orvand {

namespace {

// Most file systems refuse a name longer than this many bytes, and QSaveFile
// first writes beside the file under its name plus ".XXXXXX".
constexpr qsizetype kMaxNameBytes = 255;
constexpr qsizetype kTemporarySuffixBytes = 7;

// QSaveFile often says no more than "Unknown error" after a failed commit, so
// the cause is looked for on the path itself first.
QString FailureReason(const QString& path, const QString& fileError) {
    const QFileInfo info(path);
    if (info.fileName().toUtf8().size() + kTemporarySuffixBytes > kMaxNameBytes)
        return QStringLiteral("The file name is too long.");

    const QString folder = info.absolutePath();
    // The nearest part of the folder's path that exists tells what is wrong.
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
    if (probe != folder)
        return QStringLiteral("The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(folder));
    if (info.isDir())
        return QStringLiteral("A folder of that name exists.");
    if (!fileError.isEmpty() && fileError != QLatin1String("Unknown error"))
        return fileError;
    return QStringLiteral("The file could not be written; the disk may be full.");
}

} // namespace

bool WriteOutputDataFile(DesignRecord& record, const ReportOptions& options, Toolkit& toolkit) {
    const OutputReport report = ComposeOutputReport(record, options);
    record.DeviceName = report.deviceName;

    const QByteArray bytes = EncodeReport(report.lines);
    QSaveFile file(report.fileName);
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = file.write(bytes) == bytes.size();
    QString fileError = file.errorString();
    if (written) {
        written = file.commit();
        fileError = file.errorString();
    } else {
        file.cancelWriting();
    }

    if (!written) {
        toolkit.messageBox(QStringLiteral("The output data file could not be written:\r\n%1\r\n%2")
                               .arg(report.fileName, FailureReason(report.fileName, fileError)),
                           QStringLiteral("Output Error"), MessageIcon::Critical);
        return false;
    }
    record.PackageOnly = 0.0;
    return true;
}

} // namespace orvand
