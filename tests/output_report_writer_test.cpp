// Writing the output-data report to disk: exact bytes for three kinds of design,
// how an earlier file of the same name is replaced and what of it is kept, and
// failures that must neither lose an earlier report nor pass for success.
#include "design_cases.h"
#include "locale_scope.h"
#include "qstring_printer.h"
#include "report_target.h"
#include "report_writer.h"
#include "scripted_toolkit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace orvand;
using test::Design;
using test::LocaleScope;
using test::PointLocale;
using R = DesignRecord;

namespace {

// What the writer adds to every prefix below: the catalogue device's range,
// mode, device and thermal resistance.
const QLatin1String kSuffix(" Universal DCM PX11 Rth 90.0.txt");

// PX11 after its run, package only, with a copper-area text that a report
// without heatsink leaves out.
const Design kCatalogue = Design().px11().px11Results().set(&R::CopperAreaText, " (not printed)");

// The reports of WritesEachKindOfDesign in the bytes of the code page (\260 the
// degree sign, \262 a superscript two, \265 the micro sign): the catalogue
// device's lines, then where they differ, the discrete switch's and the N3's.
const char* const kReports[32][3] = {
    {""},
    {"Output File for: PX11 Device with a heatsink of Rthja = 90.0 k/W",
     "Output File for: Discrete Harrier 0.45 Ohm Device with a heatsink of Rthja = 60.0 k/W",
     "Output File for: Discrete Harrier 3.50 Ohm Device with a heatsink of Rthja = 18.0 k/W"},
    {""},
    {"Device: \tPX11", "Device: \tDiscrete Harrier 0.45 Ohm",
     "Device: \tDiscrete Harrier 3.50 Ohm"},
    {"Heatsink: \tNo Heatsink required",
     "Heatsink: \t60.0 k/W Heatsink required  (3cm\262 Copper Area on PCB)",
     "Heatsink: \t18.0 k/W Heatsink required"},
    {""},
    {""},
    {"INPUT"},
    {"Application Parameter:"},
    {"Vacin: \t85\t [V]", "Vacin: \t230\t [V]", "Vacin: \t120\t [V]"},
    {"Vrip:  \t20\t [V]", "Vrip:  \t30\t [V]"},
    {"Vref:  \t100\t [V]", "Vref:  \t120\t [V]"},
    {"Eff.:  \t80\t [%]", "Eff.:  \t85\t [%]"},
    {"Freq.: \t100\t [kHz]", "Freq.: \t65\t [kHz]"},
    {"Ta:    \t50.0\t [\260C]", "Ta:    \t40.0\t [\260C]"},
    {"Harrier Parameter:"},
    {"Rdson: \t3.50\t [Ohm] @ 25\260C", "Rdson: \t0.45\t [Ohm] @ 25\260C"},
    {"Tjmax: \t125\t [\260C]", "Tjmax: \t150\t [\260C]"},
    {""},
    {""},
    {"OUTPUT"},
    {"Pout:  \t12.0\t [W]", "Pout:  \t30.5\t [W]", "Pout:  \t17.2\t [W]"},
    {"Rdson: \t7.76\t [Ohm] @ Tj = 125.0 [\260C]", "Rdson: \t1.48\t [Ohm] @ Tj = 150.0 [\260C]"},
    {"Dmax:  \t50\t [%]", "Dmax:  \t37\t [%]"},
    {"Lpri:  \t834\t [\265H] at Poutmax = 12.0W", "Lpri:  \t413\t [\265H] at Poutmax = 30.5W",
     "Lpri:  \t582\t [\265H] at Poutmax = 17.2W"},
    {"I Lpk: \t0.60\t [A] Peak Primary Current", "I Lpk: \t2.35\t [A] Peak Primary Current",
     "I Lpk: \t0.86\t [A] Peak Primary Current"},
    {"I pkD: \t0.60\t [A] Current Threshold of IC or Harrier",
     "I pkD: \t19.60\t [A] Current Threshold of IC or Harrier",
     "I pkD: \t3.20\t [A] Current Threshold of IC or Harrier"},
    {"Power Losses"},
    {"ON Losses\t0.01W", "ON Losses\t0.12W"},
    {"OFF Losses\t0.05W", "OFF Losses\t0.46W",
     "OFF Losses\tNot Considered because of N3 Version of Harrier"},
    {"Cond. Losses\t0.46W", "Cond. Losses\t1.23W", "Cond. Losses\t0.82W"},
    {"Total Losses\t0.51W", "Total Losses\t1.81W", "Total Losses\t0.83W"}};

QByteArray Golden(int design = 0) {
    QByteArray out;
    for (const auto& line : kReports)
        out.append(line[design] ? line[design] : line[0]).append("\r\n");
    return out;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Files, folders, links, pipes and sockets alike; hidden ones too, so that a
// stray temporary file shows.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

// Each entry with its inode, mode, links, owner and group, what it leads to,
// and a regular file's bytes: a replaced, changed or added entry shows.
QStringList State(const QString& folder) {
    QStringList state;
    for (const QString& entry : Entries(folder)) {
        const QByteArray name = QFile::encodeName(folder + u'/' + entry);
        struct stat own = {}, end = {};
        ::lstat(name.constData(), &own);
        ::stat(name.constData(), &end);
        state << entry +
                     QString::asprintf(" %lu %o %lu %u:%u, to %lu %o ", own.st_ino, own.st_mode,
                                       own.st_nlink, own.st_uid, own.st_gid, end.st_ino,
                                       end.st_mode) +
                     (S_ISREG(end.st_mode) ? ReadAll(QFile::decodeName(name)).toHex() : "");
    }
    return state;
}

QByteArray LinkText(const QByteArray& link) {
    char text[4096];
    const ssize_t length = ::readlink(link.constData(), text, sizeof text);
    return length < 0 ? QByteArray() : QByteArray(text, length);
}

// System calls that fail as a disk or a file system can.
template <int Error> struct Failing {
    static ssize_t pwrite(int, const void*, size_t, off_t) { return errno = Error, -1; }
    static int fsync(int) { return errno = Error, -1; }
    static int close(int fd) { return ::close(fd), errno = Error, -1; }
};

// The file a report was last synced as, seen through the real fsync.
QByteArray syncedFile;
int SpyingFsync(int fd) {
    syncedFile = LinkText("/proc/self/fd/" + QByteArray::number(fd));
    return ::fsync(fd);
}

class ReportWriter : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        for (const QByteArray& at : mounts)
            ::umount2(at.constData(), MNT_DETACH);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const { return Entries(dir.path()); }
    // An earlier report under prefix, with a second name if asked; the prefix.
    QString earlier(const QString& prefix, bool secondName = false,
                    const QByteArray& bytes = "earlier report\r\n") {
        const QByteArray name = QFile::encodeName(path(prefix + kSuffix));
        EXPECT_TRUE(WriteAll(path(prefix + kSuffix), bytes));
        EXPECT_TRUE(!secondName ||
                    ::link(name.constData(), QFile::encodeName(path(prefix)).constData()) == 0);
        return path(prefix);
    }
    // A tmpfs at a folder of the test until it ends; only root may mount one.
    bool mount(const QString& at, unsigned long flags, const char* options) {
        if (::mount("tmpfs", QFile::encodeName(at).constData(), "tmpfs", flags, options) != 0)
            return false;
        mounts.push_back(QFile::encodeName(at));
        return true;
    }

    LocaleScope locale{PointLocale()};
    QTemporaryDir dir;
    std::vector<QByteArray> mounts;
};

// Writes the report of record and tells what the user saw: nothing when it was
// written, else the one "Output Error" message. Any other outcome shows as a
// text that no test expects.
QString Write(DesignRecord& record, const ReportOptions& options = {.dcmSelected = true},
              ReportFileCalls calls = {}) {
    ScriptedToolkit toolkit;
    const double packageOnly = record.PackageOnly;
    DiskReportFile file(calls);
    const bool written = WriteOutputDataFile(record, options, toolkit, file);
    const std::vector<ShownBox>& shown = toolkit.shown();
    if (written)
        return shown.empty() && record.PackageOnly == 0.0 ? QString() : "written, not as it should";
    if (shown.size() == 1 && shown[0].kind == ShownBox::Kind::Message &&
        shown[0].title == "Output Error" && shown[0].icon == MessageIcon::Critical &&
        record.PackageOnly == packageOnly)
        return shown[0].text;
    return QStringLiteral("refused, not as it should");
}

// The same for the design, the catalogue device unless another is given,
// under prefix.
QString WriteReport(const QString& prefix, ReportFileCalls calls = {}, Design design = kCatalogue) {
    DesignRecord record = design.set(&R::OutputFileName, prefix);
    return Write(record, {.dcmSelected = true}, calls);
}

QString Refusal(const QString& prefix, const QString& reason) {
    return QStringLiteral("The output data file could not be written:\r\n%1%2\r\n%3")
        .arg(prefix, kSuffix, reason);
}

constexpr gid_t kOtherGroup = 65533;

// As uid and gid 65534, in kOtherGroup too, where the test runs as root, and as
// the test's own user elsewhere; tells what failed.
QString BecomeOther() {
    if (::geteuid() == 0 &&
        (::setgroups(1, &kOtherGroup) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        return QStringLiteral("not another user: ") + std::strerror(errno);
    return {};
}
// A write past 100 bytes fails, instead of ending the process.
QString LimitFileSize() {
    const rlimit limit{100, 100};
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return QStringLiteral("no file-size limit: ") + std::strerror(errno);
    return {};
}

// WriteReport(prefix) in a child process changed first, so that the change
// stays there; what the change tells failed instead.
QString WriteReportInChild(const QString& prefix, QString (*change)()) {
    int out[2];
    if (::pipe(out) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const QString failed = change();
        const QByteArray text = (failed.isEmpty() ? WriteReport(prefix) : failed).toUtf8();
        ::_exit(::write(out[1], text.constData(), text.size()) == text.size() ? 0 : 1);
    }
    ::close(out[1]);
    QFile in;
    in.open(out[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray text = in.readAll();
    int status = -1;
    if (child < 0 || ::waitpid(child, &status, 0) != child || status != 0)
        return QStringLiteral("the child failed");
    return QString::fromUtf8(text);
}

TEST_F(ReportWriter, WritesEachKindOfDesign) {
    const struct {
        Design design;
        bool ccm, heatsink;
        const char *fileName, *deviceName;
    } rows[] = {
        {kCatalogue, false, false, "run1 Universal DCM PX11 Rth 90.0.txt", "PX11"},
        // A discrete switch with a copper area; CCM tested after DCM.
        {Design()
             .inputs({230, 30, 120, 50, 0.85, 65000, 40, 150, 0.45, 60, 2.5, 1, 18})
             .results({1.4765, 0, 0.3712, 30.54, 0.1234, 0.4567, 1.2345, 1.8146, 2.3456, 0,
                       412.7e-6, 0, 0})
             .set(&R::Ipkd, 19.6)
             .set(&R::HarrierSel, true)
             .set(&R::CopperAreaText, " (3cm² Copper Area on PCB)"),
         true, false, "run1 Small CCM Discrete Harrier 0.45 Ohm Rth 18.0.txt",
         "Discrete Harrier 0.45 Ohm"},
        // An integrated device on a heatsink, N3 version.
        {Design(kCatalogue)
             .set(&R::Vacmin, 120)
             .results({7.7646, 0, 0.49948, 17.23, 0.0126, 0, 0.821, 0.83362, 0.86061, 0, 581.59e-6,
                       0, 0})
             .set(&R::Rthtotal, 21.5)
             .set(&R::Ipkd, 3.2)
             .set(&R::DeviceName, "PX22")
             .set(&R::HarrierN3, true)
             .set(&R::PackageOnly, 0.0),
         false, true, "run1  DCM Discrete Harrier 3.50 Ohm Rth 18.0.txt",
         "Discrete Harrier 3.50 Ohm"},
    };
    for (int design = 0; design < 3; ++design) {
        const auto& row = rows[design];
        SCOPED_TRACE(row.fileName);
        DesignRecord record = Design(row.design).set(&R::OutputFileName, path("run1"));
        const ReportOptions options{true, row.ccm, row.heatsink}; // DCM, CCM, heatsink
        ASSERT_EQ(Write(record, options), QString());
        EXPECT_EQ(ReadAll(path(row.fileName)), Golden(design));
        EXPECT_EQ(files(), QStringList{row.fileName});
        EXPECT_EQ(record.DeviceName, row.deviceName);
        if (row.heatsink) {
            // The changed name outlives the report: a later one without heatsink
            // prints it with the on-resistance of the run that wrote it.
            record.Ron25 = 2.0;
            ASSERT_EQ(Write(record), QString());
            EXPECT_EQ(record.DeviceName, row.deviceName);
            EXPECT_TRUE(QFile::remove(path("run1  DCM Discrete Harrier 3.50 Ohm Rth 21.5.txt")));
        }
        ASSERT_TRUE(QFile::remove(path(row.fileName)));
    }
}

// An earlier report is written in place where a rename would make its name
// another file: one with a second name, in a folder the user may not write, or
// whose owner and group a new file could not carry. Elsewhere it is replaced in
// one step through a temporary file beside it, for names up to the file
// system's 255 bytes. Owner, group and permission bits stay, but no set-ID bit.
TEST_F(ReportWriter, ReplacesAnEarlierReportAndKeepsItsFile) {
    constexpr uid_t kSame = uid_t(-1);
    const struct Row {
        const char* what;
        qsizetype nameBytes;
        uid_t owner, group;
        mode_t mode, folderMode, reportMode;
        bool secondName, asOther, inPlace;
    } rows[] = {
        {"an ordinary report", 36, kSame, kSame, 0600, 0700, 0600, false, false, false},
        {"set-ID bits", 249, kSame, kSame, 06750, 0700, 0750, false, false, false},
        {"the longest name", 255, kSame, kSame, 0644, 0700, 0644, false, false, false},
        {"a second name", 36, kSame, kSame, 0644, 0700, 0644, true, false, true},
        {"a folder the user may not write", 36, kSame, kSame, 0666, 0555, 0666, false, true, true},
        // Root may write what only group and others may.
        {"written by root: 0060", 36, kSame, kSame, 0060, 0700, 0060, false, false, false},
        {"written by root: 65534's", 36, 65534, 65534, 0664, 0700, 0664, false, false, false},
        {"written by 65534: root's", 36, kSame, kSame, 0666, 0777, 0666, false, true, true},
        {"written by 65534: its group", 36, 65534, kOtherGroup, 0664, 0777, 0664, false, true,
         false},
    };
    QStringList skipped;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (QByteArray(row.what).startsWith("written by") && ::geteuid() != 0) { // rows for root
            skipped << row.what;
            continue;
        }
        const QString prefix(row.nameBytes - kSuffix.size(), u'p');
        const QString name = path(prefix + kSuffix);
        const QByteArray native = QFile::encodeName(name);
        earlier(prefix, row.secondName, QByteArray(5000, '\x01'));
        ASSERT_EQ(::chown(native.constData(), row.owner, row.group), 0);
        ASSERT_EQ(::chmod(native.constData(), row.mode), 0);
        struct stat before = {}, after = {};
        ASSERT_EQ(::stat(native.constData(), &before), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), row.folderMode), 0);
        syncedFile.clear();
        const QString shown = row.asOther ? WriteReportInChild(path(prefix), BecomeOther)
                                          : WriteReport(path(prefix), {.fsync = SpyingFsync});
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);

        EXPECT_EQ(shown, QString());
        EXPECT_EQ(ReadAll(name), Golden());
        ASSERT_EQ(::stat(native.constData(), &after), 0);
        EXPECT_EQ(after.st_ino == before.st_ino, row.inPlace);
        EXPECT_EQ(std::pair(after.st_uid, after.st_gid), std::pair(before.st_uid, before.st_gid));
        EXPECT_EQ(after.st_mode & 07777, row.reportMode) << std::oct << after.st_mode;
        EXPECT_EQ(after.st_nlink, row.secondName ? 2u : 1u);
        EXPECT_EQ(ReadAll(path(prefix)), row.secondName ? Golden() : QByteArray());
        EXPECT_EQ(files().size(), row.secondName ? 2 : 1); // no temporary file left
        if (!row.asOther) {
            // What reached the disk before the rename lies beside the report.
            const QFileInfo synced(QFile::decodeName(syncedFile));
            EXPECT_EQ(synced.absolutePath(), QFileInfo(dir.path()).canonicalFilePath());
            EXPECT_EQ(synced.fileName() == prefix + kSuffix, row.inPlace);
        }
        for (const QString& file : files())
            ASSERT_TRUE(QFile::remove(path(file)));
    }
    if (!skipped.isEmpty())
        GTEST_SKIP() << "the other rows passed; only root may run these: "
                     << skipped.join(u',').toStdString();
}

// A link at the report's name is written through, to the end of its chain:
// the links stay, the file they lead to gets the report (replaced like any
// report, through a temporary file beside it), and a link that leads nowhere
// names the file to create.
TEST_F(ReportWriter, WritesThroughSymbolicLinks) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QByteArray name = QFile::encodeName(path("run1" + kSuffix));
    const QByteArray hop = QFile::encodeName(elsewhere.filePath("hop"));
    const QString report = elsewhere.filePath("report.txt");
    for (const bool earlierReport : {true, false}) {
        SCOPED_TRACE(earlierReport ? "a report elsewhere" : "a link that leads nowhere");
        QFile::remove(report);
        ASSERT_TRUE(!earlierReport || WriteAll(report, "earlier report\r\n"));
        // An absolute link to a relative one in the other folder.
        ::unlink(name.constData());
        ::unlink(hop.constData());
        ASSERT_EQ(::symlink(hop.constData(), name.constData()), 0);
        ASSERT_EQ(::symlink("report.txt", hop.constData()), 0);

        EXPECT_EQ(WriteReport(path("run1")), QString());
        EXPECT_EQ(ReadAll(report), Golden());
        EXPECT_EQ(LinkText(name), hop); // both links as they were
        EXPECT_EQ(LinkText(hop), "report.txt");
        EXPECT_EQ(files(), QStringList{QFile::decodeName(name).section(u'/', -1)});
        EXPECT_EQ(Entries(elsewhere.path()), (QStringList{"hop", "report.txt"}));
    }
}

// Every failure names the file and its cause. What stood in the folder stays
// as it was, byte for byte, and nothing is added, unless a byte of an earlier
// report written in place had changed: then the message says it is lost. What
// is not a regular file is never opened, so a pipe cannot block the program (a
// reader held open keeps a wrong writer from hanging the test, and shows what
// it wrote).
TEST_F(ReportWriter, FailsWithItsCause) {
    enum Flags { Linked = 1, ReadOnly = 2, Others = 4, AsOther = 8, Unwritable = 16, Limit = 32 };
    // A read-only file system for real where the test may mount one.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ro"));
    const bool readOnly = mount(path("ro"), MS_RDONLY, "size=16k");
    const ReportFileCalls none, full{.pwrite = Failing<ENOSPC>::pwrite},
        fullSync{.fsync = Failing<ENOSPC>::fsync}, eioSync{.fsync = Failing<EIO>::fsync},
        eioClose{.close = Failing<EIO>::close},
        roWrite = readOnly ? none : ReportFileCalls{.pwrite = Failing<EROFS>::pwrite};
    const char* const denied = "Access to the folder or the file is denied.";
    // S_IFCHR: a link to a device; S_IFLNK: a link to itself.
    const struct {
        const char* what;
        QString prefix;
        mode_t stands;
        int flags;
        ReportFileCalls calls;
        const char* reason;
    } rows[] = {
        {"disk full while written", "written", S_IFREG, 0, full, "The disk is full."},
        {"disk full when synced, new name", "synced", 0, 0, fullSync, "The disk is full."},
        {"I/O error when closed", "closed", S_IFREG, 0, eioClose, "Input/output error."},
        {"full disk in place, unchanged", "in place", S_IFREG, Linked, full, "The disk is full."},
        {"I/O error in place, bytes changed", "lost", S_IFREG, Linked, eioSync,
         "Input/output error.\r\nThe earlier report in the file is no longer whole."},
        {"write-protected disk", "ro/run1", 0, 0, roWrite, "The disk is write-protected."},
        {"folder at the name", "folder", S_IFDIR, 0, none, "A folder of that name exists."},
        {"missing folder", "missing/deeper/run1", 0, 0, none,
         "The folder {dir}/missing/deeper does not exist."},
        {"path through a file", "file.txt/run1", 0, 0, none, "{dir}/file.txt is not a folder."},
        // The limit is in bytes: 130 letters that take 260 bytes are too many.
        {"long name", QString(130, u'ü'), 0, 0, none, "The file name is too long."},
        // The folder exists; the path to it is longer than the system takes.
        {"long path", QString("./").repeated(2100) + "run1", 0, 0, none, "The path is too long."},
        {"file too large", "large", S_IFREG, Limit, none, "File too large."},
        {"too large in place", "large in place", S_IFREG, Limit | Linked, none, "File too large."},
        {"folder the user may not write", "denied", 0, AsOther | Unwritable, none, denied},
        {"another user's report (0644)", "others", S_IFREG, AsOther | Others, none, denied},
        {"read-only file", "read-only", S_IFREG, ReadOnly, none, "The file is read-only."},
        {"pipe", "pipe", S_IFIFO, 0, none, "That name is a named pipe, not a regular file."},
        {"device", "device", S_IFCHR, 0, none, "That name is a device, not a regular file."},
        {"socket", "socket", S_IFSOCK, 0, none, "That name is a socket, not a regular file."},
        {"link loop", "loop", S_IFLNK, 0, none, "Too many levels of symbolic links."},
    };
    ASSERT_TRUE(WriteAll(path("file.txt"), "earlier"));
    const QByteArray folder = QFile::encodeName(dir.path());
    // A device of the test's own where the system lets it make one (root): a
    // writer that replaced it would otherwise replace /dev/null for everyone.
    // An ordinary user cannot replace /dev/null, so that one is safe to use.
    QTemporaryDir devices;
    const QByteArray device = QFile::encodeName(devices.filePath("null"));
    const bool own = ::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const char* const null = own ? device.constData() : "/dev/null";
    bool skipped = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QByteArray native = QFile::encodeName(path(row.prefix + kSuffix));
        const char* at = native.constData();
        if ((row.flags & Others) && ::geteuid() != 0) {
            skipped = true;
            continue;
        }
        if (row.stands == S_IFREG)
            earlier(row.prefix, row.flags & Linked);
        const int made = row.stands == S_IFREG   ? ::chmod(at, row.flags & ReadOnly ? 0444 : 0644)
                         : row.stands == S_IFDIR ? ::mkdir(at, 0700)
                         : row.stands == S_IFLNK ? ::symlink(at, at)
                         : row.stands == S_IFCHR ? ::symlink(null, at)
                         : row.stands != 0       ? ::mknod(at, row.stands | 0644, 0)
                                                 : 0;
        EXPECT_EQ(made, 0) << std::strerror(errno);
        const int reader = S_ISFIFO(row.stands) ? ::open(at, O_RDONLY | O_NONBLOCK) : -1;
        // Root's report for uid 65534 in a folder open to all, or a new one in
        // a folder closed to the writer.
        if (row.flags & (Others | Unwritable)) {
            EXPECT_EQ(::chmod(folder.constData(), row.flags & Others ? 0777 : 0555), 0);
        }
        const QString prefix = path(row.prefix);
        const QStringList names = files();
        const QStringList before = State(dir.path());
        const QString shown = row.flags & AsOther ? WriteReportInChild(prefix, BecomeOther)
                              : row.flags & Limit ? WriteReportInChild(prefix, LimitFileSize)
                                                  : WriteReport(prefix, row.calls);
        ASSERT_EQ(::chmod(folder.constData(), 0700), 0);

        EXPECT_EQ(shown, Refusal(prefix, QString(row.reason).replace("{dir}", dir.path())));
        EXPECT_EQ(files(), names);
        if (row.calls.fsync != eioSync.fsync) { // else the earlier report is lost
            EXPECT_EQ(State(dir.path()), before);
        }
        if (reader >= 0) {
            char byte;
            EXPECT_LE(::read(reader, &byte, 1), 0);
            ::close(reader);
        }
    }
    if (skipped)
        GTEST_SKIP() << "the other rows passed; only root may make a file of another user's";
}

// What is written in place is the file that was checked: one that took its
// name since is refused.
TEST_F(ReportWriter, RefusesAFileThatTookTheCheckedOnesName) {
    const QString prefix = earlier("run1", true);
    const ReportTarget target = ResolveReportTarget(QFile::encodeName(prefix + kSuffix));
    ASSERT_TRUE(QFile::remove(prefix + kSuffix));
    earlier("run1");
    EXPECT_EQ(DiskReportFile().create(target), ReportTargetError::Replaced);
}

// A real file system that is full takes nothing: not a report in one step,
// not a new name, and not one in place, whose length is reserved before a byte
// changes (the short earlier report fills part of a block that the long one
// would outgrow). Mounting needs root, on a system that lets root mount;
// elsewhere the test says why it does not run.
TEST_F(ReportWriter, RealFullFileSystemKeepsEveryEarlierReport) {
    if (!mount(dir.path(), 0, "size=16k,mode=0700"))
        GTEST_SKIP() << "mounting a small tmpfs needs root on a system that allows mounts: "
                     << std::strerror(errno);
    ASSERT_EQ(WriteReport(path("run1")), QString());
    earlier("short", true);
    earlier("empty", true, "");
    // Fill every block that is left.
    QFile filler(path("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) == 512) {
    }
    filler.close();

    const QStringList before = State(dir.path());
    // Longer than any report there, where a copper-area text is printed.
    const Design longer =
        Design(kCatalogue).set(&R::PackageOnly, 0.5).set(&R::CopperAreaText, QString(5000, u'c'));
    for (const char* prefix : {"run1", "run2", "short", "empty"})
        EXPECT_EQ(WriteReport(path(prefix), {}, longer), Refusal(path(prefix), "The disk is full."))
            << prefix;
    EXPECT_EQ(State(dir.path()), before);
}

} // namespace
