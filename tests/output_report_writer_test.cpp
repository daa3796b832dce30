// Writing the output-data report to disk: exact bytes for three kinds of design,
// how an earlier file of the same name is replaced and what of it is kept, what
// another user may have put in a shared folder, what others do between the
// writer's steps, and failures that must neither lose an earlier report nor
// pass for success.
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
#include <functional>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

using namespace orvand;
using test::Design;
using test::LocaleScope;
using test::PointLocale;
using R = DesignRecord;
using Calls = ReportFileCalls;

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

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
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

QByteArray LinkText(const QByteArray& link) {
    char text[4096];
    const ssize_t length = ::readlink(link.constData(), text, sizeof text);
    return length < 0 ? QByteArray() : QByteArray(text, length);
}

// An entry's extended attributes, its ACL among them, with their values.
QByteArray Attributes(const QByteArray& entry) {
    char names[4096], value[4096];
    const ssize_t length = ::llistxattr(entry.constData(), names, sizeof names);
    QByteArrayList all;
    for (const QByteArray& name : QByteArray(names, std::max<ssize_t>(length, 0)).split('\0')) {
        const ssize_t size = ::lgetxattr(entry.constData(), name.constData(), value, sizeof value);
        if (!name.isEmpty())
            all << name + '=' + QByteArray(value, std::max<ssize_t>(size, 0)).toHex();
    }
    std::sort(all.begin(), all.end());
    return all.join(' ');
}

// Each entry with its inode, mode, links, owner, group and attributes, what it
// leads to, and a regular file's bytes: a replaced, changed or added entry shows.
QStringList State(const QString& folder) {
    QStringList state;
    for (const QString& entry : Entries(folder)) {
        const QByteArray name = Native(folder + u'/' + entry);
        struct stat own = {}, end = {};
        ::lstat(name.constData(), &own);
        ::stat(name.constData(), &end);
        state << entry +
                     QString::asprintf(" %lu %o %lu %u:%u, to %lu %o ", own.st_ino, own.st_mode,
                                       own.st_nlink, own.st_uid, own.st_gid, end.st_ino,
                                       end.st_mode) +
                     Attributes(name) + ' ' +
                     (S_ISREG(end.st_mode) ? ReadAll(QFile::decodeName(name)).toHex() : "");
    }
    return state;
}

// A POSIX ACL as the system keeps it: owner rw-, user 65534 rw-, group r--,
// mask rw-, others ---. As a file's ACL it makes a mode 0640 file 0660.
QByteArray Acl() {
    const unsigned entries[][3] = {
        {0x01, 6, ~0u}, {0x02, 6, 65534}, {0x04, 4, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}};
    QByteArray acl("\x02\0\0\0", 4);
    for (const auto& [tag, permissions, id] : entries)
        for (const unsigned value : {tag | permissions << 16, id})
            acl.append(reinterpret_cast<const char*>(&value), 4); // little-endian machines
    return acl;
}

bool SetAttribute(const QString& path, const char* name, const QByteArray& value) {
    return ::setxattr(Native(path).constData(), name, value.constData(), value.size(), 0) == 0;
}

// System calls that fail as a disk or a file system can.
template <int Error> struct Failing {
    static ssize_t pwrite(int, const void*, size_t, off_t) { return errno = Error, -1; }
    // The first part of the bytes reaches the file, then the disk fails.
    static ssize_t partly(int fd, const void* bytes, size_t size, off_t at) {
        return at == 0 ? ::pwrite(fd, bytes, std::min<size_t>(size, 100), 0)
                       : pwrite(fd, bytes, size, at);
    }
    static int fsync(int) { return errno = Error, -1; }
    static int close(int fd) { return ::close(fd), errno = Error, -1; }
    static int renameat2(int, const char*, int, const char*, unsigned) { return errno = Error, -1; }
    // Only a new file cannot be made.
    static int create(int at, const char* name, int flags, mode_t mode) {
        return flags & O_CREAT ? (errno = Error, -1) : ::openat(at, name, flags, mode);
    }
};

// What happens once at one of the writer's steps (its first byte, its rename,
// its open of a file to write in place), as a slow disk gives another program,
// another user or the system time for. It gets the descriptor of the file or
// folder at hand.
std::function<void(int)> meanwhile;
void Happen(int fd) {
    if (meanwhile)
        std::exchange(meanwhile, nullptr)(fd);
}
ssize_t PwriteMeanwhile(int fd, const void* bytes, size_t size, off_t at) {
    if (at == 0)
        Happen(fd);
    return ::pwrite(fd, bytes, size, at);
}
int RenameMeanwhile(int from, const char* old, int to, const char* name, unsigned flags) {
    Happen(from);
    return ::renameat2(from, old, to, name, flags);
}
int RenameMeanwhileWithoutFlags(int from, const char*, int, const char*, unsigned) {
    Happen(from);
    return errno = EINVAL, -1;
}
int OpenMeanwhile(int at, const char* name, int flags, mode_t mode) {
    if (!(flags & O_CREAT))
        Happen(at);
    return ::openat(at, name, flags, mode);
}
const Calls kAtWrite{.pwrite = PwriteMeanwhile}, kAtRename{.renameat2 = RenameMeanwhile},
    kAtOpen{.openat = OpenMeanwhile};

// What the writer did, seen through the real calls: the names of the files it
// synced, in order, and the file it wrote, as it was at its first byte.
QStringList synced;
struct stat written;
int SpyingFsync(int fd) {
    const QByteArray file = LinkText("/proc/self/fd/" + QByteArray::number(fd));
    synced << QFileInfo(QFile::decodeName(file)).fileName();
    return ::fsync(fd);
}

// Puts a thing of kind at path in place of what was there: a regular file, a
// named pipe, a device, a link, or nothing; kUntouched leaves it alone.
constexpr mode_t kUntouched = mode_t(-1);
void Plant(const QByteArray& path, mode_t kind) {
    ::unlink(path.constData());
    if (kind == S_IFLNK)
        ::symlink("elsewhere", path.constData());
    else if (kind != 0)
        ::mknod(path.constData(), kind | 0644, kind == S_IFCHR ? makedev(1, 3) : 0);
}

// What the rows of the tables below ask for.
constexpr int Earlier = 1, Linked = 2, AsOther = 4, InPlace = 8, Root = 16, ReadOnly = 32,
              OthersFile = 64, Limit = 128, Lowered = 256, Held = 512, Attrs = 1024,
              FolderAcl = 2048, RootAttr = 4096, OthersLink = 8192, OthersFolder = 16384,
              OnTheWay = 32768, Chain = 65536;

class ReportWriter : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        meanwhile = nullptr;
        for (const QByteArray& at : mounts)
            ::umount2(at.constData(), MNT_DETACH);
        if (!skipped.isEmpty())
            GTEST_SKIP() << "the other rows passed; only root may run these: "
                         << skipped.join(", ").toStdString();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const { return Entries(dir.path()); }
    void clear() {
        for (const QString& file : files())
            ::unlink(Native(path(file)).constData());
    }
    // An earlier report under prefix, with a second name if asked; the prefix.
    QString earlier(const QString& prefix, bool secondName = false,
                    const QByteArray& bytes = "earlier report\r\n") {
        const QByteArray name = Native(path(prefix + kSuffix));
        EXPECT_TRUE(WriteAll(path(prefix + kSuffix), bytes));
        EXPECT_TRUE(!secondName || ::link(name.constData(), Native(path(prefix)).constData()) == 0);
        return path(prefix);
    }
    // Whether a row that needs root may run; the test is skipped in the end
    // when one could not.
    bool mayRun(bool needsRoot, const QString& what) {
        if (needsRoot && ::geteuid() != 0)
            skipped << what;
        return !needsRoot || ::geteuid() == 0;
    }
    void chmodFolder(mode_t mode) { ASSERT_EQ(::chmod(Native(dir.path()).constData(), mode), 0); }
    // A tmpfs at a folder of the test until it ends; only root may mount one.
    bool mount(const QString& at, unsigned long flags, const char* options) {
        if (::mount("tmpfs", Native(at).constData(), "tmpfs", flags, options) != 0)
            return false;
        mounts.push_back(Native(at));
        return true;
    }

    LocaleScope locale{PointLocale()};
    QTemporaryDir dir;
    std::vector<QByteArray> mounts;
    QStringList skipped;
};

// Writes the report of record and tells what the user saw: nothing when it was
// written, else the one "Output Error" message. Any other outcome, a
// descriptor left open among them, shows as a text that no test expects.
QString Write(DesignRecord& record, const ReportOptions& options = {.dcmSelected = true},
              Calls calls = {}) {
    ScriptedToolkit toolkit;
    const double packageOnly = record.PackageOnly;
    const uint descriptors = QDir("/proc/self/fd").count();
    const bool written = WriteOutputDataFile(record, options, toolkit, calls);
    const std::vector<ShownBox>& shown = toolkit.shown();
    if (QDir("/proc/self/fd").count() != descriptors)
        return QStringLiteral("a descriptor left open");
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
QString WriteReport(const QString& prefix, Calls calls = {}, Design design = kCatalogue) {
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
// A write past 100 bytes is refused by the system.
void LimitFileSize() {
    const rlimit limit{100, 100};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// What body tells, run in a child process so that what it changes (the user, a
// limit, a signal) stays there; or how the child ended otherwise.
QString InChild(const std::function<QString()>& body) {
    int out[2];
    if (::pipe(out) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::close(out[0]);
        const QByteArray text = body().toUtf8();
        ::_exit(::write(out[1], text.constData(), text.size()) == text.size() ? 0 : 1);
    }
    ::close(out[1]);
    QFile in;
    in.open(out[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray text = in.readAll();
    int status = -1;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return QStringLiteral("no child");
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by ") + ::strsignal(WTERMSIG(status));
    return status == 0 ? QString::fromUtf8(text) : QStringLiteral("the child failed");
}
QString WriteReportAsOther(const QString& prefix, Calls calls = {}) {
    return InChild([&] {
        const QString failed = BecomeOther();
        return failed.isEmpty() ? WriteReport(prefix, calls) : failed;
    });
}

TEST_F(ReportWriter, WritesEachKindOfDesign) {
    const struct {
        Design design;
        bool ccm, heatsink;
        const char *fileName, *deviceName;
        // A new report's mode: 0666 less the umask, or as the folder's default
        // ACL says where it has one.
        mode_t umask, mode;
        bool folderAcl;
    } rows[] = {
        {kCatalogue, false, false, "run1 Universal DCM PX11 Rth 90.0.txt", "PX11", 022, 0644,
         false},
        // A discrete switch with a copper area; CCM tested after DCM.
        {Design()
             .inputs({230, 30, 120, 50, 0.85, 65000, 40, 150, 0.45, 60, 2.5, 1, 18})
             .results({1.4765, 0, 0.3712, 30.54, 0.1234, 0.4567, 1.2345, 1.8146, 2.3456, 0,
                       412.7e-6, 0, 0})
             .set(&R::Ipkd, 19.6)
             .set(&R::HarrierSel, true)
             .set(&R::CopperAreaText, " (3cm² Copper Area on PCB)"),
         true, false, "run1 Small CCM Discrete Harrier 0.45 Ohm Rth 18.0.txt",
         "Discrete Harrier 0.45 Ohm", 077, 0600, false},
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
         "Discrete Harrier 3.50 Ohm", 002, 0660, true},
    };
    for (int design = 0; design < 3; ++design) {
        const auto& row = rows[design];
        SCOPED_TRACE(row.fileName);
        DesignRecord record = Design(row.design).set(&R::OutputFileName, path("run1"));
        const ReportOptions options{true, row.ccm, row.heatsink}; // DCM, CCM, heatsink
        ASSERT_TRUE(!row.folderAcl || SetAttribute(dir.path(), "system.posix_acl_default", Acl()));
        const mode_t umask = ::umask(row.umask);
        ASSERT_EQ(Write(record, options), QString());
        ::umask(umask);
        ::removexattr(Native(dir.path()).constData(), "system.posix_acl_default");
        EXPECT_EQ(ReadAll(path(row.fileName)), Golden(design));
        struct stat status {};
        ASSERT_EQ(::stat(Native(path(row.fileName)).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, row.mode) << std::oct << status.st_mode;
        EXPECT_EQ(Attributes(Native(path(row.fileName))),
                  row.folderAcl ? "system.posix_acl_access=" + Acl().toHex() : "");
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
// another file: one with a second name, in a folder the user may not write or
// nobody may change, or whose owner, group or attributes a new file could not
// carry. Elsewhere it is replaced in one step through a temporary file beside
// it, for names up to the file system's 255 bytes, private until every byte is
// in it. Owner, group, permission bits and extended attributes (an ACL among
// them) stay, but no set-ID bit, and nothing the folder would give a new file.
TEST_F(ReportWriter, ReplacesAnEarlierReportAndKeepsItsFile) {
    constexpr uid_t kSame = uid_t(-1);
    const Calls none, interrupted{.close = Failing<EINTR>::close},
        immutable{.openat = Failing<EPERM>::create},
        noExchange{.renameat2 = Failing<EINVAL>::renameat2};
    const struct Row {
        const char* what;
        mode_t mode, reportMode;
        int flags;
        Calls calls = {};
        mode_t folderMode = 0700;
        uid_t owner = kSame, group = kSame;
        qsizetype nameBytes = 36;
    } rows[] = {
        {"an ordinary report, its close interrupted", 0600, 0600, 0, interrupted},
        {"set-ID bits", 06750, 0750, 0, none, 0700, kSame, kSame, 249},
        {"the longest name", 0644, 0644, 0, none, 0700, kSame, kSame, 255},
        {"a second name, its close interrupted", 0644, 0644, Linked | InPlace, interrupted},
        {"a folder the user may not write", 0666, 0666, AsOther | InPlace, none, 0555},
        {"a folder nobody may change", 0644, 0644, InPlace, immutable},
        {"a file system without exchange", 0644, 0644, 0, noExchange},
        {"an ACL and an attribute of its own", 0640, 0660, Attrs},
        {"a folder's default ACL", 0640, 0640, FolderAcl},
        // Root may write what only group and others may.
        {"written by root: 0060", 0060, 0060, Root},
        {"written by root: 65534's", 0664, 0664, Root, none, 0700, 65534, 65534},
        {"written by 65534: root's", 0666, 0666, Root | AsOther | InPlace, none, 0777},
        {"written by 65534: its group", 0664, 0664, Root | AsOther, none, 0777, 65534, kOtherGroup},
        {"written by 65534: an attribute only root may set", 0644, 0644,
         Root | AsOther | InPlace | RootAttr, none, 0777, 65534, 65534},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (!mayRun(row.flags & Root, row.what))
            continue;
        const QString prefix(row.nameBytes - kSuffix.size(), u'p');
        const QString name = path(prefix + kSuffix);
        const QByteArray native = Native(name);
        earlier(prefix, row.flags & Linked, QByteArray(5000, '\x01'));
        ASSERT_EQ(::chown(native.constData(), row.owner, row.group), 0);
        ASSERT_EQ(::chmod(native.constData(), row.mode), 0);
        for (const auto& [flag, at, attribute, value] :
             {std::tuple(Attrs, name, "system.posix_acl_access", Acl()),
              {Attrs, name, "user.orvand", "kept"},
              {FolderAcl, dir.path(), "system.posix_acl_default", Acl()},
              {RootAttr, name, "security.orvand", "root's"}})
            ASSERT_TRUE(!(row.flags & flag) || SetAttribute(at, attribute, value)) << attribute;
        const QByteArray attributes = Attributes(native);
        struct stat before = {}, after = {};
        ASSERT_EQ(::stat(native.constData(), &before), 0);
        chmodFolder(row.folderMode);
        synced.clear();
        meanwhile = [](int fd) { ::fstat(fd, &written); };
        Calls calls = row.calls;
        calls.pwrite = PwriteMeanwhile;
        calls.fsync = SpyingFsync;
        const QString shown = row.flags & AsOther ? WriteReportAsOther(path(prefix), row.calls)
                                                  : WriteReport(path(prefix), calls);
        chmodFolder(0700);
        ::removexattr(Native(dir.path()).constData(), "system.posix_acl_default");

        EXPECT_EQ(shown, QString());
        EXPECT_EQ(ReadAll(name), Golden());
        ASSERT_EQ(::stat(native.constData(), &after), 0);
        EXPECT_EQ(after.st_ino == before.st_ino, bool(row.flags & InPlace));
        EXPECT_EQ(std::pair(after.st_uid, after.st_gid), std::pair(before.st_uid, before.st_gid));
        EXPECT_EQ(after.st_mode & 07777, row.reportMode) << std::oct << after.st_mode;
        EXPECT_EQ(Attributes(native), attributes);
        EXPECT_EQ(after.st_nlink, row.flags & Linked ? 2u : 1u);
        EXPECT_EQ(ReadAll(path(prefix)), row.flags & Linked ? Golden() : QByteArray());
        EXPECT_EQ(files().size(), row.flags & Linked ? 2 : 1); // no temporary file left
        if (!(row.flags & AsOther)) {
            // In one step, the bytes go into a file of the user's that no one
            // else may read, which is synced beside the report, and then the
            // folder that holds it; in place, into the report.
            const QStringList oneStep{synced.value(0), QFileInfo(dir.path()).fileName()};
            EXPECT_EQ(synced, row.flags & InPlace ? QStringList{prefix + kSuffix} : oneStep);
            EXPECT_TRUE(synced.value(0).startsWith(row.flags & InPlace ? "p" : ".orvand-"));
            EXPECT_EQ(written.st_uid, row.flags & InPlace ? after.st_uid : ::geteuid());
            EXPECT_EQ(written.st_mode & 07777, row.flags & InPlace ? after.st_mode & 07777 : 0600);
        }
        clear();
    }
}
// A link at the report's name, or on its way, is followed to the end of its
// chain: the links stay, the file they lead to gets the report (replaced like
// any report, through a temporary file beside it), and a link that leads
// nowhere names the file to create. In a shared folder only a link of the user
// running the program or of the folder's owner is followed: another user's
// could lead anywhere.
TEST_F(ReportWriter, FollowsTheLinksItMayFollow) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString report = elsewhere.filePath("report.txt");
    const char* const planted = "The name is a link that another user made in a shared folder.";
    const struct {
        const char* what;
        mode_t folderMode;
        int flags;
        const char* refusal;
    } rows[] = {
        {"a report elsewhere", 0700, Earlier, nullptr},
        {"a link that leads nowhere", 0700, 0, nullptr},
        {"a chain of 40 links", 0700, Earlier | Chain, nullptr},
        {"the user's own link in a shared folder", 01777, Earlier, nullptr},
        {"the shared folder's owner's link", 01777, Earlier | OthersLink | OthersFolder, nullptr},
        {"another user's link in a shared folder", 01777, Earlier | OthersLink, planted},
        {"another user's link to a new name", 01777, OthersLink, planted},
        {"another user's link in a group's shared folder", 01770, Earlier | OthersLink, planted},
        {"another user's link on the way", 01777, Earlier | OthersLink | OnTheWay,
         "The path leads through a link that another user made in a shared folder."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (!mayRun(row.flags & OthersLink, row.what))
            continue;
        ASSERT_TRUE(!(row.flags & Earlier) || WriteAll(report, "earlier report\r\n"));
        // An absolute link to a relative one in the other folder, or to a chain
        // of relative ones there; or a link to that folder on the way.
        const int hops = row.flags & Chain ? 39 : 1;
        for (int hop = 0; hop < hops; ++hop) {
            const QByteArray next =
                hop + 1 < hops ? "hop" + QByteArray::number(hop + 1) : "report.txt";
            ASSERT_EQ(::symlink(next, Native(elsewhere.filePath("hop" + QString::number(hop)))), 0);
        }
        const QString prefix = path(row.flags & OnTheWay ? "via/run1" : "run1");
        const QByteArray link = Native(row.flags & OnTheWay ? path("via") : prefix + kSuffix);
        ASSERT_EQ(::symlink(Native(elsewhere.filePath(row.flags & OnTheWay ? "" : "hop0")), link),
                  0);
        const uid_t other = row.flags & OthersLink ? 65534 : uid_t(-1);
        ASSERT_EQ(::lchown(link, other, other), 0);
        ASSERT_EQ(::chown(Native(dir.path()), row.flags & OthersFolder ? 65534 : uid_t(-1), -1), 0);
        chmodFolder(row.folderMode);
        const QStringList before = State(dir.path()) + State(elsewhere.path());

        const QString shown = WriteReport(prefix);
        ASSERT_EQ(::chown(Native(dir.path()), ::geteuid(), -1), 0);
        chmodFolder(0700);
        if (row.refusal) {
            EXPECT_EQ(shown, Refusal(prefix, row.refusal));
            EXPECT_EQ(State(dir.path()) + State(elsewhere.path()), before);
        } else {
            EXPECT_EQ(shown, QString());
            EXPECT_EQ(ReadAll(report), Golden());
            EXPECT_EQ(LinkText(link), Native(elsewhere.filePath("hop0"))); // the links as they were
            EXPECT_EQ(Entries(elsewhere.path()).size(), hops + 1);
            EXPECT_EQ(files().size(), 1);
        }
        clear();
        for (const QString& entry : Entries(elsewhere.path()))
            ASSERT_TRUE(QFile::remove(elsewhere.filePath(entry)));
    }
}
// Every failure names the file and its cause. What stood in the folder stays
// as it was, byte for byte, and nothing is added, unless a byte of an earlier
// report written in place had changed: then the message says it is lost. What
// is not a regular file is never opened, so a pipe cannot block the program (a
// reader held open keeps a wrong writer from hanging the test, and shows what
// it wrote).
TEST_F(ReportWriter, FailsWithItsCause) {
    // A read-only file system for real where the test may mount one.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ro"));
    const bool readOnly = mount(path("ro"), MS_RDONLY, "size=16k");
    const Calls none, fullWrite{.pwrite = Failing<ENOSPC>::pwrite},
        quota{.pwrite = Failing<EDQUOT>::pwrite}, fullSync{.fsync = Failing<ENOSPC>::fsync},
        eioWrite{.pwrite = Failing<EIO>::pwrite}, eioPartly{.pwrite = Failing<EIO>::partly},
        eioClose{.close = Failing<EIO>::close}, eioRename{.renameat2 = Failing<EIO>::renameat2},
        roWrite = readOnly ? none : Calls{.pwrite = Failing<EROFS>::pwrite};
    const char *const denied = "Access to the folder or the file is denied.",
                      *const full = "The disk is full.", *const eio = "Input/output error.",
                      *const large = "File too large.",
                      *const readOnlyFile = "The file is read-only.",
                      *const device = "That name is a device, not a regular file.",
                      *const notRegular = "That name is not a regular file.",
                      *const replaced = "The file was replaced meanwhile.";
    const Calls withoutFlags{.renameat2 = RenameMeanwhileWithoutFlags};
    // Each row's prefix names it. S_IFCHR: a device of the test's own, or a
    // link to /dev/null; S_IFLNK: a link to where linkTo says.
    const struct {
        QString prefix;
        mode_t stands;
        int flags;
        Calls calls;
        const char* reason;
        mode_t folderMode = 0;
        const char* linkTo = nullptr;
        mode_t planted = kUntouched;
    } rows[] = {
        {"disk full while written", S_IFREG, 0, fullWrite, full},
        {"over quota while written", 0, 0, quota, full},
        {"disk full when synced, new name", 0, 0, fullSync, full},
        {"input-output error when closed", S_IFREG, 0, eioClose, eio},
        {"input-output error when renamed", S_IFREG, 0, eioRename, eio},
        {"full disk in place, unchanged", S_IFREG, Linked, fullWrite, full},
        {"input-output error in place after a part", S_IFREG, Linked, eioPartly,
         "Input/output error.\r\nThe earlier report in the file is no longer whole."},
        {"ro/run1", 0, 0, roWrite, "The disk is write-protected."},
        {"folder at the name", S_IFDIR, 0, none, "A folder of that name exists."},
        {"missing/deeper/run1", 0, 0, none, "The folder {dir}/missing/deeper does not exist."},
        {"link into a missing folder", S_IFLNK, 0, none,
         "The folder {dir}/gone/deeper does not exist.", 0, "{dir}/gone/deeper/report.txt"},
        {"file.txt/run1", 0, 0, none, "{dir}/file.txt is not a folder."},
        // The limit is in bytes: 130 letters that take 260 bytes are too many.
        {QString(130, u'ü'), 0, 0, none, "The file name is too long."},
        // The folder exists; the path to it is longer than the system takes.
        {QString("./").repeated(2100) + "run1", 0, 0, none, "The path is too long."},
        // Refused before a byte is tried: the disk would fail one.
        {"file too large", S_IFREG, Limit, eioWrite, large},
        {"too large in place", S_IFREG, Limit | Linked, eioWrite, large},
        {"limit lowered while written", S_IFREG, Lowered, kAtWrite, large},
        {"folder the user may not write", 0, AsOther, none, denied, 0555},
        {"another user's report (0644)", S_IFREG, Root | AsOther, none, denied, 0777},
        {"read-only file", S_IFREG, ReadOnly, none, readOnlyFile},
        {"the user's own read-only file", S_IFREG, ReadOnly | OthersFile | AsOther, none,
         readOnlyFile, 0777},
        {"another user's file in a shared folder", S_IFREG, Root | OthersFile, none,
         "The file belongs to another user in a shared folder.", 01777},
        {"a second name in a shared folder", S_IFREG, Linked, none,
         "The file has more than one name in a shared folder.", 01777},
        {"a lock another program keeps", S_IFREG, Linked | Held, none,
         "The file is in use by another program."},
        {"pipe", S_IFIFO, 0, none, "That name is a named pipe, not a regular file."},
        {"device", S_IFCHR, 0, none, device},
        {"block device", S_IFBLK, Root, none, device},
        {"socket", S_IFSOCK, 0, none, "That name is a socket, not a regular file."},
        {"link loop", S_IFLNK, 0, none, "Too many levels of symbolic links.", 0, "{self}"},
        {"a process's name in proc", S_IFLNK, 0, none, notRegular, 0, "/proc/self/comm"},
        {"a kernel attribute in sys", S_IFLNK, 0, none, notRegular, 0, "/sys/kernel/uevent_seqnum"},
        // Between the writer's look at the name and its rename, or its open of
        // the file it writes in place, another program puts something else
        // there or takes the name away: it stays as that program left it.
        {"a pipe before the exchange", S_IFREG, 0, kAtRename, replaced, 0, 0, S_IFIFO},
        {"a link before the exchange", S_IFREG, 0, kAtRename, replaced, 0, 0, S_IFLNK},
        {"a file before the exchange", S_IFREG, 0, kAtRename, replaced, 0, 0, S_IFREG},
        {"a device before the exchange", S_IFREG, Root, kAtRename, replaced, 0, 0, S_IFCHR},
        {"nothing before the exchange", S_IFREG, 0, kAtRename, replaced, 0, 0, 0},
        {"a file at a new name", 0, 0, kAtRename, replaced, 0, 0, S_IFREG},
        {"a file, without exchange", S_IFREG, 0, withoutFlags, replaced, 0, 0, S_IFREG},
        {"a new name, without exchange", 0, 0, withoutFlags, replaced, 0, 0, S_IFREG},
        {"a file before it is written in place", S_IFREG, Linked, kAtOpen, replaced, 0, 0, S_IFREG},
        {"a pipe before it is written in place", S_IFREG, Linked, kAtOpen, replaced, 0, 0, S_IFIFO},
        {"a link before it is written in place", S_IFREG, Linked, kAtOpen, replaced, 0, 0, S_IFLNK},
        {"nothing before it is written in place", S_IFREG, Linked, kAtOpen, replaced, 0, 0, 0},
    };
    ASSERT_TRUE(WriteAll(path("file.txt"), "earlier"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.prefix.left(40).toStdString());
        if (!mayRun(row.flags & Root, row.prefix))
            continue;
        const QByteArray native = Native(path(row.prefix + kSuffix));
        const char* at = native.constData();
        const QByteArray to = QByteArray(row.linkTo).replace("{dir}", Native(dir.path()));
        if (row.stands == S_IFREG)
            earlier(row.prefix, row.flags & Linked);
        int made = 0;
        if (row.stands == S_IFREG)
            made = ::chmod(at, row.flags & ReadOnly ? 0444 : 0644);
        else if (row.stands == S_IFDIR)
            made = ::mkdir(at, 0700);
        else if (row.stands == S_IFLNK)
            made = ::symlink(to == "{self}" ? at : to.constData(), at);
        // A device of the test's own where the system lets it make one (root);
        // an ordinary user cannot replace /dev/null, so a link to it is safe.
        else if (row.stands && ::mknod(at, row.stands | 0644, makedev(1, 3)) != 0)
            made = row.stands == S_IFCHR ? ::symlink("/dev/null", at) : -1;
        EXPECT_EQ(made, 0) << std::strerror(errno);
        EXPECT_TRUE(!(row.flags & OthersFile) || ::geteuid() != 0 ||
                    ::chown(at, 65534, 65534) == 0);
        const int reader = S_ISFIFO(row.stands) ? ::open(at, O_RDONLY | O_NONBLOCK) : -1;
        // Another program's lock, as one that reads the report could keep it.
        const int holder = row.flags & Held ? ::open(at, O_RDONLY) : -1;
        struct flock lock {};
        lock.l_type = F_RDLCK;
        EXPECT_TRUE(holder < 0 || ::fcntl(holder, F_OFD_SETLK, &lock) == 0);
        if (row.folderMode)
            chmodFolder(row.folderMode);
        const QString prefix = path(row.prefix);
        const QStringList names = files();
        const QStringList before = State(dir.path());
        if (row.flags & Lowered)
            meanwhile = [](int) { LimitFileSize(); };
        if (row.planted != kUntouched)
            meanwhile = [&](int) { Plant(native, row.planted); };
        const QString shown = row.flags & AsOther ? WriteReportAsOther(prefix, row.calls)
                              : row.flags & (Limit | Lowered) ? InChild([&] {
                                    if (row.flags & Limit)
                                        LimitFileSize();
                                    return WriteReport(prefix, row.calls);
                                })
                                                              : WriteReport(prefix, row.calls);
        chmodFolder(0700);
        meanwhile = nullptr;

        EXPECT_EQ(shown, Refusal(prefix, QString(row.reason).replace("{dir}", dir.path())));
        // Everything as it was, but for what another program put at the name,
        // and the earlier report's other name, which it holds alone now.
        const auto besides = [&](QStringList entries) {
            entries.removeIf([&](const QString& entry) {
                return row.planted != kUntouched && entry.startsWith(row.prefix);
            });
            return entries;
        };
        EXPECT_EQ(besides(files()), besides(names));
        if (!QByteArray(row.reason).endsWith("no longer whole.")) {
            EXPECT_EQ(besides(State(dir.path())), besides(before));
        }
        struct stat status {};
        if (row.planted != kUntouched) {
            EXPECT_EQ(::lstat(at, &status) == 0 ? status.st_mode & S_IFMT : 0, row.planted);
            EXPECT_EQ(status.st_size, row.planted == S_IFLNK ? 9 : 0); // "elsewhere", or empty
            EXPECT_EQ(ReadAll(prefix), row.flags & Linked ? "earlier report\r\n" : "");
        }
        for (const int fd : {reader, holder}) {
            char byte;
            EXPECT_TRUE(fd < 0 || fd == holder || ::read(fd, &byte, 1) <= 0);
            ::close(fd);
        }
    }
}
// While the report is written, its folder may be renamed away, or a signal come
// that would end the program. The report goes into the folder that was
// checked, whatever its name has become; the signal waits until the report is
// whole and no temporary file is left, then ends the program as it would have.
TEST_F(ReportWriter, WhatHappensWhileItIsWrittenTakesNothingAway) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QByteArray folder = Native(path("folder")), moved = Native(path("moved"));
    for (const int signal : {0, SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        for (const bool inPlace : {false, true}) {
            SCOPED_TRACE(std::string(signal ? ::strsignal(signal) : "moved") +
                         (inPlace ? ", in place" : ""));
            const QString prefix = earlier("folder/run1", inPlace, QByteArray(5000, 'e'));
            meanwhile = [&](int) { signal ? ::raise(signal) : ::rename(folder, moved); };
            EXPECT_EQ(signal ? InChild([&] { return WriteReport(prefix, kAtWrite); })
                             : WriteReport(prefix, kAtWrite),
                      signal ? QStringLiteral("ended by ") + ::strsignal(signal) : QString());
            ASSERT_TRUE(signal || ::rename(moved, folder) == 0);
            EXPECT_EQ(ReadAll(prefix + kSuffix), Golden());
            const QStringList left = Entries(path("folder"));
            EXPECT_EQ(left.size(), inPlace ? 2 : 1);
            for (const QString& entry : left)
                ASSERT_TRUE(QFile::remove(path("folder/" + entry)));
        }
    }
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
