// Writing the output-data report to disk: exact bytes for three kinds of
// design, replacement of an earlier file, and failures that must neither lose
// an earlier report nor pass for success.
#include "locale_scope.h"
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
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace orvand;
using test::LocaleScope;
using test::PointLocale;

namespace {

// The expected file, spelled out line by line in the bytes of the code page.
QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines) {
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Files, links, pipes and sockets alike; hidden ones too, so that a stray
// temporary file shows.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QByteArray LinkText(const QByteArray& link) {
    char text[4096];
    const ssize_t length = ::readlink(link.constData(), text, sizeof text);
    return length < 0 ? QByteArray() : QByteArray(text, length);
}

class ReportWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        toolkit.setFailureHandler(
            [](const QString& what) { ADD_FAILURE() << "unexpected " << what.toStdString(); });
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList files() const { return Entries(dir.path()); }

    LocaleScope locale{PointLocale()};
    QTemporaryDir dir;
    ScriptedToolkit toolkit;
};

// A catalogue device without heatsink, package only.
DesignRecord CatalogueDevice(const QString& prefix) {
    DesignRecord r;
    r.OutputFileName = prefix;
    r.Vacmin = 85;
    r.Vripple = 20;
    r.Vr = 100;
    r.Eta = 0.8;
    r.fwork = 100000;
    r.Ta = 50;
    r.Tj = 125;
    r.Ron25 = 3.5;
    r.KestrelSel = true;
    r.DeviceName = QStringLiteral("PX11");
    r.Rthtotal = 90;
    r.Rthhs = 18;
    r.PackageOnly = 1.0;
    r.Pout = 12.02;
    r.RdsonTj = 7.7646;
    r.Dmax = 0.49948;
    r.Lpri = 833.68e-6;
    r.Poutmax = 12.02;
    r.ILpk = 0.60038;
    r.Ipkd = 0.6;
    r.Pon = 0.0123;
    r.Poff = 0.0456;
    r.Pcond = 0.4556;
    r.Ptotal = 0.51345;
    r.CopperAreaText = QStringLiteral(" (not printed)");
    return r;
}

TEST_F(ReportWriter, CatalogueDeviceWithoutHeatsink) {
    DesignRecord record = CatalogueDevice(path("run1"));
    ReportOptions options;
    options.dcmSelected = true;
    ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));

    const QByteArray expected = Lines({
        "",
        "Output File for: PX11 Device with a heatsink of Rthja = 90.0 k/W",
        "",
        "Device: \tPX11",
        "Heatsink: \tNo Heatsink required",
        "",
        "",
        "INPUT",
        "Application Parameter:",
        "Vacin: \t85\t [V]",
        "Vrip:  \t20\t [V]",
        "Vref:  \t100\t [V]",
        "Eff.:  \t80\t [%]",
        "Freq.: \t100\t [kHz]",
        "Ta:    \t50.0\t [\xB0"
        "C]",
        "Harrier Parameter:",
        "Rdson: \t3.50\t [Ohm] @ 25\xB0"
        "C",
        "Tjmax: \t125\t [\xB0"
        "C]",
        "",
        "",
        "OUTPUT",
        "Pout:  \t12.0\t [W]",
        "Rdson: \t7.76\t [Ohm] @ Tj = 125.0 [\xB0"
        "C]",
        "Dmax:  \t50\t [%]",
        "Lpri:  \t834\t [\xB5H] at Poutmax = 12.0W",
        "I Lpk: \t0.60\t [A] Peak Primary Current",
        "I pkD: \t0.60\t [A] Current Threshold of IC or Harrier",
        "Power Losses",
        "ON Losses\t0.01W",
        "OFF Losses\t0.05W",
        "Cond. Losses\t0.46W",
        "Total Losses\t0.51W",
    });
    const QString name = path("run1 Universal DCM PX11 Rth 90.0.txt");
    EXPECT_EQ(ReadAll(name), expected);
    EXPECT_EQ(files(), QStringList{QStringLiteral("run1 Universal DCM PX11 Rth 90.0.txt")});
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(record.DeviceName, "PX11");
    EXPECT_TRUE(toolkit.shown().empty());
}

TEST_F(ReportWriter, DiscreteSwitchWithCopperArea) {
    DesignRecord record;
    record.OutputFileName = path("board");
    record.Vacmin = 230;
    record.Vripple = 30;
    record.Vr = 120;
    record.Eta = 0.85;
    record.fwork = 65000;
    record.Ta = 40;
    record.Tj = 150;
    record.Ron25 = 0.45;
    record.HarrierSel = true;
    record.Rthtotal = 60;
    record.Rthhs = 18;
    record.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    record.Pout = 30.54;
    record.RdsonTj = 1.4765;
    record.Dmax = 0.3712;
    record.Lpri = 412.7e-6;
    record.Poutmax = 30.54;
    record.ILpk = 2.3456;
    record.Ipkd = 19.6;
    record.Pon = 0.1234;
    record.Poff = 0.4567;
    record.Pcond = 1.2345;
    record.Ptotal = 1.8146;
    ReportOptions options;
    options.dcmSelected = true;
    options.ccmSelected = true;
    ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));

    const QByteArray expected = Lines({
        "",
        "Output File for: Discrete Harrier 0.45 Ohm Device with a heatsink of Rthja = 60.0 k/W",
        "",
        "Device: \tDiscrete Harrier 0.45 Ohm",
        "Heatsink: \t60.0 k/W Heatsink required  (3cm\xB2 Copper Area on PCB)",
        "",
        "",
        "INPUT",
        "Application Parameter:",
        "Vacin: \t230\t [V]",
        "Vrip:  \t30\t [V]",
        "Vref:  \t120\t [V]",
        "Eff.:  \t85\t [%]",
        "Freq.: \t65\t [kHz]",
        "Ta:    \t40.0\t [\xB0"
        "C]",
        "Harrier Parameter:",
        "Rdson: \t0.45\t [Ohm] @ 25\xB0"
        "C",
        "Tjmax: \t150\t [\xB0"
        "C]",
        "",
        "",
        "OUTPUT",
        "Pout:  \t30.5\t [W]",
        "Rdson: \t1.48\t [Ohm] @ Tj = 150.0 [\xB0"
        "C]",
        "Dmax:  \t37\t [%]",
        "Lpri:  \t413\t [\xB5H] at Poutmax = 30.5W",
        "I Lpk: \t2.35\t [A] Peak Primary Current",
        "I pkD: \t19.60\t [A] Current Threshold of IC or Harrier",
        "Power Losses",
        "ON Losses\t0.12W",
        "OFF Losses\t0.46W",
        "Cond. Losses\t1.23W",
        "Total Losses\t1.81W",
    });
    EXPECT_EQ(ReadAll(path("board Small CCM Discrete Harrier 0.45 Ohm Rth 18.0.txt")), expected);
    EXPECT_EQ(record.DeviceName, "Discrete Harrier 0.45 Ohm");
    EXPECT_EQ(record.PackageOnly, 0.0);
}

TEST_F(ReportWriter, IntegratedDeviceWithHeatsinkKeepsTheDiscreteName) {
    DesignRecord record = CatalogueDevice(path("hs"));
    record.Vacmin = 120;
    record.DeviceName = QStringLiteral("PX22");
    record.PackageOnly = 0.0;
    record.HarrierN3 = true;
    record.Rthtotal = 21.5;
    record.Poff = 0.0;
    record.Pout = 17.23;
    record.Poutmax = 17.23;
    record.Lpri = 581.59e-6;
    record.ILpk = 0.86061;
    record.Ipkd = 3.2;
    record.Pon = 0.0126;
    record.Pcond = 0.821;
    record.Ptotal = 0.83362;
    ReportOptions options;
    options.dcmSelected = true;
    options.heatsink = true;
    ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));

    const QByteArray expected = Lines({
        "",
        "Output File for: Discrete Harrier 3.50 Ohm Device with a heatsink of Rthja = 18.0 k/W",
        "",
        "Device: \tDiscrete Harrier 3.50 Ohm",
        "Heatsink: \t18.0 k/W Heatsink required",
        "",
        "",
        "INPUT",
        "Application Parameter:",
        "Vacin: \t120\t [V]",
        "Vrip:  \t20\t [V]",
        "Vref:  \t100\t [V]",
        "Eff.:  \t80\t [%]",
        "Freq.: \t100\t [kHz]",
        "Ta:    \t50.0\t [\xB0"
        "C]",
        "Harrier Parameter:",
        "Rdson: \t3.50\t [Ohm] @ 25\xB0"
        "C",
        "Tjmax: \t125\t [\xB0"
        "C]",
        "",
        "",
        "OUTPUT",
        "Pout:  \t17.2\t [W]",
        "Rdson: \t7.76\t [Ohm] @ Tj = 125.0 [\xB0"
        "C]",
        "Dmax:  \t50\t [%]",
        "Lpri:  \t582\t [\xB5H] at Poutmax = 17.2W",
        "I Lpk: \t0.86\t [A] Peak Primary Current",
        "I pkD: \t3.20\t [A] Current Threshold of IC or Harrier",
        "Power Losses",
        "ON Losses\t0.01W",
        "OFF Losses\tNot Considered because of N3 Version of Harrier",
        "Cond. Losses\t0.82W",
        "Total Losses\t0.83W",
    });
    EXPECT_EQ(ReadAll(path("hs  DCM Discrete Harrier 3.50 Ohm Rth 18.0.txt")), expected);

    // The changed name outlives the report: a later one without heatsink prints
    // it with the on-resistance of the run that wrote it.
    EXPECT_EQ(record.DeviceName, "Discrete Harrier 3.50 Ohm");
    record.Ron25 = 2.0;
    options.heatsink = false;
    ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));
    EXPECT_EQ(record.DeviceName, "Discrete Harrier 3.50 Ohm");
    EXPECT_TRUE(QFile::exists(path("hs  DCM Discrete Harrier 3.50 Ohm Rth 21.5.txt")));
}

// Names up to the file system's limit of 255 bytes are written again too: the
// temporary file beside the report has a short name of its own. The replaced
// file's permission bits carry over, but no set-ID or sticky bit.
TEST_F(ReportWriter, ReplacesAnEarlierFileOfTheSameName) {
    const QString suffix = QStringLiteral(" Universal DCM PX11 Rth 90.0.txt");
    const struct {
        qsizetype length;
        mode_t earlierMode;
        mode_t reportMode;
    } rows[] = {{36, 0600, 0600}, {249, 06750, 0750}, {255, 0644, 0644}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.length << " bytes, mode 0" << std::oct << row.earlierMode);
        const QString prefix(row.length - suffix.size(), u'p');
        const QString name = path(prefix + suffix);
        ASSERT_TRUE(WriteAll(name, QByteArray(5000, '\x01')));
        ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), row.earlierMode), 0);
        for (double pout : {12.02, 14.5}) {
            DesignRecord record = CatalogueDevice(path(prefix));
            record.Pout = pout;
            ReportOptions options;
            options.dcmSelected = true;
            ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));
            const QByteArray bytes = ReadAll(name);
            EXPECT_EQ(bytes.count("\r\n"), 32);
            EXPECT_TRUE(bytes.contains(pout == 12.02 ? "Pout:  \t12.0\t" : "Pout:  \t14.5\t"));
            EXPECT_EQ(files(), QStringList{prefix + suffix}); // no temporary file left
            struct stat status {};
            ASSERT_EQ(::stat(QFile::encodeName(name).constData(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, row.reportMode) << std::oct << status.st_mode;
        }
        ASSERT_TRUE(QFile::remove(name));
    }
    EXPECT_TRUE(toolkit.shown().empty());
}

// A link at the report's name is written through, to the end of its chain:
// the links stay, the file they lead to gets the report (replaced like any
// report, through a temporary file beside it), and a link that leads nowhere
// names the file to create.
TEST_F(ReportWriter, WritesThroughSymbolicLinks) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QByteArray name = QFile::encodeName(path("run1 Universal DCM PX11 Rth 90.0.txt"));
    const QByteArray hop = QFile::encodeName(elsewhere.filePath("hop"));
    const QString report = elsewhere.filePath("report.txt");
    const struct {
        const char* what;
        bool earlierReport;
    } rows[] = {{"a report elsewhere", true}, {"a link that leads nowhere", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QFile::remove(report);
        if (row.earlierReport) {
            ASSERT_TRUE(WriteAll(report, "earlier report\r\n"));
        }
        // An absolute link to a relative one in the other folder.
        ::unlink(name.constData());
        ::unlink(hop.constData());
        ASSERT_EQ(::symlink(hop.constData(), name.constData()), 0);
        ASSERT_EQ(::symlink("report.txt", hop.constData()), 0);

        DesignRecord record = CatalogueDevice(path("run1"));
        ReportOptions options;
        options.dcmSelected = true;
        ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));

        const QByteArray bytes = ReadAll(report);
        EXPECT_EQ(bytes.count("\r\n"), 32);
        EXPECT_TRUE(bytes.startsWith("\r\nOutput File for: PX11 Device"));
        EXPECT_EQ(LinkText(name), hop); // both links as they were
        EXPECT_EQ(LinkText(hop), "report.txt");
        EXPECT_EQ(files(), QStringList{QFile::decodeName(name).section(u'/', -1)});
        EXPECT_EQ(Entries(elsewhere.path()), (QStringList{"hop", "report.txt"}));
    }
    EXPECT_TRUE(toolkit.shown().empty());
}

// Every failure is one "Output Error" message naming the file, creates nothing,
// and keeps PackageOnly (no report was written).
class ReportWriterFailure : public ReportWriter {
  protected:
    void expectFailure(DesignRecord& record, const QString& reasonPart,
                       ReportFile* file = nullptr) {
        record.PackageOnly = 1.0;
        const QStringList before = files();
        ReportOptions options;
        options.dcmSelected = true;
        EXPECT_FALSE(file ? WriteOutputDataFile(record, options, toolkit, *file)
                          : WriteOutputDataFile(record, options, toolkit));
        ASSERT_EQ(toolkit.shown().size(), 1u);
        const ShownBox& box = toolkit.shown()[0];
        EXPECT_EQ(box.kind, ShownBox::Kind::Message);
        EXPECT_EQ(box.title, "Output Error");
        EXPECT_EQ(box.icon, MessageIcon::Critical);
        EXPECT_TRUE(box.text.contains(QStringLiteral("Rth 90.0.txt"))) << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(reasonPart)) << box.text.toStdString();
        EXPECT_EQ(record.PackageOnly, 1.0);
        EXPECT_EQ(files(), before);
    }
};

TEST_F(ReportWriterFailure, FolderThatDoesNotExist) {
    DesignRecord record = CatalogueDevice(path("missing/deeper/run1"));
    expectFailure(record,
                  QStringLiteral("\r\nThe folder %1 does not exist.").arg(path("missing/deeper")));
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
}

TEST_F(ReportWriterFailure, PathThroughARegularFile) {
    ASSERT_TRUE(WriteAll(path("file.txt"), "earlier"));
    DesignRecord record = CatalogueDevice(path("file.txt/run1"));
    expectFailure(record, QStringLiteral("is not a folder"));
    EXPECT_EQ(ReadAll(path("file.txt")), "earlier");
}

// The limit is in bytes: 162 letters that take 292 bytes are too many.
TEST_F(ReportWriterFailure, NameLongerThanTheFileSystemTakes) {
    DesignRecord record = CatalogueDevice(path(QString(130, u'ü')));
    expectFailure(record, QStringLiteral("\r\nThe file name is too long."));
}

// What stands at the report's name and may not be replaced stays as it was:
// its kind, its mode and its bytes. Nothing is opened there, so a pipe never
// blocks the program (a reader is held open so that a wrong writer cannot
// hang the test, and whatever it wrote would show).
TEST_F(ReportWriterFailure, RefusesWhatMustNotBeReplaced) {
    const QString name = path("run1 Universal DCM PX11 Rth 90.0.txt");
    const QByteArray native = QFile::encodeName(name);
    const auto earlierReadOnly = [&] {
        return WriteAll(name, "earlier report\r\n") && ::chmod(native.constData(), 0444) == 0;
    };
    const auto pipe = [&] { return ::mkfifo(native.constData(), 0644) == 0; };
    const auto socket = [&] {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, native.constData(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return bound;
    };
    // A device of the test's own where the system lets it make one (root): a
    // writer that replaced it would otherwise replace /dev/null for everyone.
    // An ordinary user cannot replace /dev/null, so that one is safe to use.
    QTemporaryDir devices;
    const QByteArray device = QFile::encodeName(devices.filePath("null"));
    const auto linkToDevice = [&] {
        const bool own = ::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        return ::symlink(own ? device.constData() : "/dev/null", native.constData()) == 0;
    };
    const struct {
        const char* what;
        std::function<bool()> make;
        const char* reason;
    } rows[] = {
        {"read-only report", earlierReadOnly, "The file is read-only."},
        {"named pipe", pipe, "That name is a named pipe, not a regular file."},
        {"socket", socket, "That name is a socket, not a regular file."},
        {"link to a device", linkToDevice, "That name is a device, not a regular file."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        toolkit.clearShown();
        ASSERT_TRUE(row.make()) << std::strerror(errno);
        // The name itself, and what it leads to.
        struct stat before[2]{};
        ASSERT_EQ(::lstat(native.constData(), &before[0]), 0);
        ASSERT_EQ(::stat(native.constData(), &before[1]), 0);
        const int reader =
            S_ISFIFO(before[0].st_mode) ? ::open(native.constData(), O_RDONLY | O_NONBLOCK) : -1;

        DesignRecord record = CatalogueDevice(path("run1"));
        expectFailure(record, QStringLiteral("\r\n") + QLatin1String(row.reason));

        struct stat after[2]{};
        ASSERT_EQ(::lstat(native.constData(), &after[0]), 0);
        ASSERT_EQ(::stat(native.constData(), &after[1]), 0);
        for (int i : {0, 1}) {
            EXPECT_EQ(after[i].st_ino, before[i].st_ino);
            EXPECT_EQ(after[i].st_mode, before[i].st_mode);
        }
        if (S_ISREG(after[0].st_mode)) {
            EXPECT_EQ(ReadAll(name), "earlier report\r\n");
        }
        if (reader >= 0) {
            char byte;
            EXPECT_LE(::read(reader, &byte, 1), 0);
            ::close(reader);
        }
        ASSERT_EQ(::unlink(native.constData()), 0);
    }
}

// A folder that exists but lies deeper than any path the system takes: the
// cause is the length, not a missing folder.
TEST_F(ReportWriterFailure, PathLongerThanTheSystemTakes) {
    const QByteArray level(200, 'd');
    QByteArray deep = QFile::encodeName(dir.path());
    std::vector<int> folders{::open(deep.constData(), O_RDONLY | O_DIRECTORY)};
    while (deep.size() < 4200) {
        ASSERT_EQ(::mkdirat(folders.back(), level.constData(), 0700), 0);
        folders.push_back(::openat(folders.back(), level.constData(), O_RDONLY | O_DIRECTORY));
        ASSERT_GE(folders.back(), 0);
        deep += '/' + level;
    }
    DesignRecord record = CatalogueDevice(QFile::decodeName(deep) + QStringLiteral("/run1"));
    expectFailure(record, QStringLiteral("The path is too long."));
    // The report's own folder stays empty; the tree goes again from the bottom up.
    EXPECT_EQ(::unlinkat(folders.back(), "run1 Universal DCM PX11 Rth 90.0.txt", 0), -1);
    for (std::size_t i = folders.size() - 1; i > 0; --i) {
        ::close(folders[i]);
        EXPECT_EQ(::unlinkat(folders[i - 1], level.constData(), AT_REMOVEDIR), 0);
    }
    ::close(folders[0]);
}

// A short write anywhere on the way to the disk, as a full disk gives it: the
// earlier report keeps every byte, a new name leaves no file, and nothing
// temporary stays behind. The file fails at one step and does the rest for real.
class FullAt final : public ReportFile {
  public:
    enum Step { Write, Flush, Commit };
    explicit FullAt(Step step) : step_(step) {}
    std::error_code create(const ReportTarget& target) override { return disk_.create(target); }
    std::error_code write(const QByteArray& bytes) override {
        return step_ == Write ? full() : disk_.write(bytes);
    }
    std::error_code flush() override { return step_ == Flush ? full() : disk_.flush(); }
    std::error_code commit() override { return step_ == Commit ? full() : disk_.commit(); }
    void discard() override { disk_.discard(); }
    bool earlierReportChanged() const override { return disk_.earlierReportChanged(); }

  private:
    static std::error_code full() { return std::make_error_code(std::errc::no_space_on_device); }
    Step step_;
    DiskReportFile disk_;
};

TEST_F(ReportWriterFailure, FullDiskAtAnyStepKeepsTheEarlierReport) {
    const QString name = path("run1 Universal DCM PX11 Rth 90.0.txt");
    for (FullAt::Step step : {FullAt::Write, FullAt::Flush, FullAt::Commit}) {
        for (bool earlier : {true, false}) {
            SCOPED_TRACE(testing::Message() << "step " << step << ", earlier file " << earlier);
            toolkit.clearShown();
            QFile::remove(name);
            if (earlier) {
                ASSERT_TRUE(WriteAll(name, "earlier report\r\n"));
            }
            DesignRecord record = CatalogueDevice(path("run1"));
            FullAt file(step);
            expectFailure(record, QStringLiteral("Rth 90.0.txt\r\nThe disk is full."), &file);
            EXPECT_EQ(ReadAll(name), earlier ? "earlier report\r\n" : "");
        }
    }
}

// A write the system cuts short, here at a file-size limit, fails like a full
// disk: taking the bytes written so far for the report would replace the
// earlier one with a part.
TEST_F(ReportWriterFailure, WriteCutShortKeepsTheEarlierReport) {
    const QString name = path("run1 Universal DCM PX11 Rth 90.0.txt");
    ASSERT_TRUE(WriteAll(name, "earlier report\r\n"));
    DesignRecord record = CatalogueDevice(path("run1"));
    {
        struct FileSizeLimit {
            rlimit saved{};
            void (*savedHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
            FileSizeLimit() {
                ::getrlimit(RLIMIT_FSIZE, &saved);
                const rlimit limit{100, saved.rlim_max};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ~FileSizeLimit() {
                ::setrlimit(RLIMIT_FSIZE, &saved);
                std::signal(SIGXFSZ, savedHandler);
            }
        } limit;
        expectFailure(record, QStringLiteral("Rth 90.0.txt\r\nFile too large."));
    }
    EXPECT_EQ(ReadAll(name), "earlier report\r\n");
}

// The same on a real file system that is full. Mounting needs root, on a
// system that lets root mount; elsewhere the test says why it does not run.
TEST_F(ReportWriterFailure, RealFullFileSystemKeepsTheEarlierReport) {
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k,mode=0700") != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root on a system that allows mounts: "
                     << std::strerror(errno);
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{mountPoint};

    DesignRecord record = CatalogueDevice(path("run1"));
    ReportOptions options;
    options.dcmSelected = true;
    ASSERT_TRUE(WriteOutputDataFile(record, options, toolkit));
    const QString name = path("run1 Universal DCM PX11 Rth 90.0.txt");
    const QByteArray earlier = ReadAll(name);
    ASSERT_EQ(earlier.count("\r\n"), 32);

    // Fill every block that is left.
    QFile filler(path("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) == 512) {
    }
    filler.close();

    toolkit.clearShown();
    record = CatalogueDevice(path("run1"));
    record.Pout = 99.0; // a different report, so a replacement would show
    expectFailure(record, QStringLiteral("\r\nThe disk is full."));
    EXPECT_EQ(ReadAll(name), earlier);

    toolkit.clearShown();
    record = CatalogueDevice(path("run2"));
    expectFailure(record, QStringLiteral("\r\nThe disk is full."));
    EXPECT_FALSE(QFileInfo::exists(path("run2 Universal DCM PX11 Rth 90.0.txt")));
}

} // namespace
