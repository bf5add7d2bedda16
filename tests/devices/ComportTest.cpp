// Comport on a pseudo-terminal whose master side the test holds; the port search.
#include "../support/Nobody.h"
#include "../support/Process.h"
#include "../support/PtyMaster.h"
#include "serial/Comport.h"
#include "serial/ComportBackend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <thread>
#include <utility>

#include <dlfcn.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

// Runs once in the moment after the next poll() of this thread has returned, before its caller
// goes on: where another program on the same port may take the byte that poll() saw.
thread_local std::function<void()> afterNextPoll;

extern "C" int poll(pollfd* fds, nfds_t count, int timeout) {
    static const auto next = reinterpret_cast<int (*)(pollfd*, nfds_t, int)>(::dlsym(RTLD_NEXT, "poll"));
    const int ready = next(fds, count, timeout);
    if (afterNextPoll) std::exchange(afterNextPoll, nullptr)();
    return ready;
}

namespace {

using Clock = std::chrono::steady_clock;

class ComportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Ok()) << std::strerror(errno);
        comport.Close();
    }
    void TearDown() override { comport.Close(); }
    void OpenPty(int baud = 115200, int dataBits = 8, const wxString& parity = "N", int stopBits = 1) {
        ASSERT_TRUE(comport.Open(pty_.Slave(), baud, dataBits, parity, stopBits)) << comport.ErrorText();
        // A pseudo-terminal has no latency setting, which is no problem.
        ASSERT_TRUE(comport.IsOpen() && !comport.Failed() && comport.ErrorCode() == 0 &&
                    comport.LowLatencyProblem().empty());
    }
    PtyMaster pty_;
};

// Raw both ways, also far more than the pseudo-terminal buffers, read late, so that Send waits for
// room again and again; a text with a character above 255 is not sent at all, not even in part.
TEST_F(ComportTest, EveryByteValueCrossesUnchangedAndReadWaitsAbout60Ms) {
    OpenPty();
    for (int i = 0; i < 2; ++i) {
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(comport.Read(), -1);
        EXPECT_TRUE(MillisecondsSince(start) >= 40 && MillisecondsSince(start) <= 200) << MillisecondsSince(start);
    }
    std::string all, got;
    for (int i = 0; i < 300000; ++i) all.push_back(static_cast<char>(i * 7 + i / 256));
    comport.Send(wxString(L"abĀc"));
    comport.Send(wxString(L"€"));
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        got = pty_.ReadAll(500);
    });
    comport.Send(wxString::From8BitData(all.data(), all.size()));
    reader.join();
    EXPECT_TRUE(got == all) << got.size() << " of " << all.size() << " bytes";
    all.resize(256);  // 0, 7, 14, ...: every value once
    ASSERT_TRUE(pty_.Write(all));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(comport.Read(), 0);
    EXPECT_LT(MillisecondsSince(start), 40);
    got.clear();
    for (int i = 1; i < 256; ++i) {
        const int b = comport.Read();
        ASSERT_TRUE(b >= 0 && b < 256) << i;
        got.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(got, all.substr(1));
    EXPECT_EQ(comport.Read(), -1);
    EXPECT_FALSE(comport.Failed());
}

// Every frame format gives a working port, though a pseudo-terminal always runs eight bits
// without parity; only the exact one-letter parity codes count.
TEST_F(ComportTest, LineSettingsAreAppliedAndEveryFrameFormatWorks) {
    struct Row {
        int line, baud, dataBits;
        const char* parity;
        int stopBits;
        speed_t speed;
    };
    const Row rows[] = {{__LINE__, 50, 5, "N", 1, B50},         {__LINE__, 9600, 6, "O", 2, B9600},
                        {__LINE__, 230400, 7, "E", 3, B230400}, {__LINE__, 4000000, 8, "Even", 2, B4000000},
                        {__LINE__, 38400, 5, "E", 2, B38400},   {__LINE__, 1200, 7, "o", 1, B1200}};
    bool oddShows = false;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        OpenPty(row.baud, row.dataBits, row.parity, row.stopBits);
        termios tio{};
        ASSERT_EQ(::tcgetattr(pty_.Fd(), &tio), 0) << std::strerror(errno);
        EXPECT_EQ(::cfgetospeed(&tio), row.speed);
        EXPECT_EQ(::cfgetispeed(&tio), row.speed);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, row.stopBits == 2);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_cflag & (CRTSCTS | CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
        // The kernel keeps the odd/even choice of a pseudo-terminal where it can be seen: "O" only.
        if (row.parity == std::string("O"))
            oddShows = (tio.c_cflag & PARODD) != 0;
        else
            EXPECT_FALSE(oddShows && (tio.c_cflag & PARODD));
        comport.Send("p");
        EXPECT_EQ(pty_.ReadAll(30), "p");
        ASSERT_TRUE(pty_.Write("q"));
        EXPECT_EQ(comport.Read(), 'q');
    }
    const int fd = ::open(pty_.Slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const int openError = errno;
    int exclusive = 0;  // root may open an exclusive terminal anyway; the flag must still be set
    EXPECT_TRUE(fd < 0 ? openError == EBUSY : ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive == 1)
        << std::strerror(fd < 0 ? openError : errno);
    if (fd >= 0) ::close(fd);
    std::string letters;
    for (const char* letter : {"N", "O", "E", "o", "e", "Odd", "", "E "})
        letters += "-OE"[static_cast<int>(comport_backend::ParityFromLetter(letter))];
    EXPECT_EQ(letters, "-OE-----");
}

// Whether nobody has the slave open any more: then its master sees the hang-up.
bool HungUp(const PtyMaster& pty) {
    pollfd p{pty.Fd(), POLLIN, 0};
    return ::poll(&p, 1, 200) == 1 && (p.revents & POLLHUP);
}

// A failed open says why and leaves the device free for the next one. A hang-up (the adapter
// pulled; the exchange tests pull it during reads) fails the port at the next send, at once, and
// nothing spins afterwards.
TEST_F(ComportTest, FailedOpensAndAHangUpLeaveNoPortOpen) {
    PtyMaster second;
    OpenPty();
    ASSERT_TRUE(second.Ok() && comport.Open(second.Slave(), 9600, 8, "N", 1)) << comport.ErrorText();
    EXPECT_TRUE(HungUp(pty_));
    struct Row {
        int line;
        const char* path;
        int baud, dataBits, error;
    };  // path nullptr: the pty
    const Row rows[] = {{__LINE__, nullptr, 12345, 8, EINVAL},
                        {__LINE__, nullptr, 9600, 4, EINVAL},
                        {__LINE__, nullptr, 9600, 9, EINVAL},
                        {__LINE__, "/dev/null", 115200, 8, ENOTTY},
                        {__LINE__, "/dev/tqc-no-such-port", 115200, 8, ENOENT}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        OpenPty();
        EXPECT_FALSE(comport.Open(row.path ? row.path : pty_.Slave(), row.baud, row.dataBits, "N", 1));
        EXPECT_TRUE(HungUp(pty_) && !comport.IsOpen());
        EXPECT_EQ(comport.ErrorCode(), row.error);
        EXPECT_EQ(comport.ErrorText(), wxString(std::strerror(row.error)));
        EXPECT_FALSE(comport.InUseByOther());
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(comport.Read(), -1);
        EXPECT_LT(MillisecondsSince(start), 20);
        comport.Send("x");
        comport.Close();
        EXPECT_FALSE(comport.IsOpen() || comport.Failed());
    }
    OpenPty();
    pty_.CloseFd();
    Clock::time_point start = Clock::now();
    comport.Send("hello");
    EXPECT_LT(MillisecondsSince(start), 40);
    EXPECT_TRUE(comport.Failed() && !comport.IsOpen() && comport.ErrorCode() != 0 && !comport.ErrorText().empty());
    const std::clock_t cpu = std::clock();
    start = Clock::now();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(comport.Read(), -1);
    comport.Send("x");
    EXPECT_LT(MillisecondsSince(start), 40);
    EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 10);
    EXPECT_TRUE(comport.Failed());
    ASSERT_TRUE(comport.Open(second.Slave(), 9600, 8, "N", 1)) << comport.ErrorText();
    EXPECT_FALSE(comport.Failed() || comport.ErrorCode() != 0);
}

// A second program that opened the port before TqC took it exclusively (or that runs as root)
// reads a byte in the moment between TqC's poll() and read(). The byte is gone, the port is not;
// only a real hang-up fails it.
TEST_F(ComportTest, AByteAnotherProgramTakesFirstIsNoHangUp) {
    const int other = ::open(pty_.Slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0) << std::strerror(errno);
    OpenPty();
    struct Row {
        int line;
        const char* sent;
        int read;
        char taken;
    };
    const Row rows[] = {{__LINE__, "a", -1, 'a'}, {__LINE__, "bc", 'c', 'b'}, {__LINE__, "d", 'd', 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ASSERT_TRUE(pty_.Write(row.sent));
        char taken = 0;
        if (row.taken) afterNextPoll = [&] { EXPECT_EQ(::read(other, &taken, 1), 1); };
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(comport.Read(), row.read);
        EXPECT_LE(MillisecondsSince(start), 200);
        EXPECT_EQ(taken, row.taken);
        EXPECT_TRUE(comport.IsOpen() && !comport.Failed());
    }
    ::close(other);
    pty_.CloseFd();
    EXPECT_EQ(comport.Read(), -1);
    EXPECT_TRUE(comport.Failed() && !comport.IsOpen());
}

// Another program holds the port exclusively: TqC, as a user without root's right to pass that,
// is told so in the words every platform uses; once the port is free, it opens.
TEST_F(ComportTest, APortHeldByAnotherProgramIsNamedBusy) {
    const std::string slave = pty_.Slave();
    const int other = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_TRUE(other >= 0 && ::ioctl(other, TIOCEXCL) == 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(slave.c_str(), 0666), 0) << std::strerror(errno);  // no permission error in the way
    const auto openAndTell = [&] {
        const bool opened = comport.Open(slave, 115200, 8, "N", 1);
        const std::string told =
            std::to_string(opened) + std::to_string(comport.InUseByOther()) + " " + comport.ErrorText().utf8_string();
        comport.Close();
        return told;
    };
    EXPECT_EQ(AsNobody(openAndTell), "01 " + comport_backend::InUseText(slave));
    EXPECT_EQ(comport_backend::InUseText("COM3"), "COM3 wird von einem anderen Programm benutzt");
    ASSERT_EQ(::ioctl(other, TIOCNXCL), 0);
    EXPECT_EQ(AsNobody(openAndTell), "10 ");
    ::close(other);
}

// The user nobody opens the port through tqc-cli, whose first line is the reason the port gives.
TEST_F(ComportTest, PermissionErrorNamesTheGroupThatOwnsThePort) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand the port to another group";
    const group* owner = ::getgrnam("dialout") ? ::getgrnam("dialout") : ::getgrnam("tty");
    ASSERT_NE(owner, nullptr);
    const std::string name = owner->gr_name, slave = pty_.Slave();
    const auto asNobody = [&] {
        const std::string out = proc::Run({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", TQC_CLI,
                                           "konfig", "read", "--port", slave},
                                          "", 30)
                                    .out;
        return out.substr(0, out.find('\n') + 1);
    };
    ASSERT_EQ(::chown(slave.c_str(), 0, owner->gr_gid), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(slave.c_str(), 0660), 0) << std::strerror(errno);
    const std::string denied = "Comport Fehler " + std::to_string(EACCES) + ": " + std::strerror(EACCES);
    EXPECT_EQ(asNobody(), denied + "; der Benutzer ist nicht in der Gruppe \"" + name + "\", der " + slave +
                              " gehört (aufnehmen mit: sudo usermod -aG " + name +
                              " BENUTZERNAME, danach neu anmelden)\n");
    // The group may not use the port either: joining it would not help, so no hint.
    ASSERT_EQ(::chmod(slave.c_str(), 0600), 0) << std::strerror(errno);
    EXPECT_EQ(asNobody(), denied + "\n");
}

// The port search lists the serial devices that exist, sorted with their numbers as numbers.
TEST(ComportPorts, ExistAndListPortsAgreeAndSortByNumber) {
    const wxArrayString ports = Comport::ListPorts();
    EXPECT_EQ(Comport::ListPorts(), ports);  // a stable order
    for (size_t i = 0; i < ports.size(); ++i) {
        struct stat st {};
        EXPECT_TRUE(comport.Exist(static_cast<int>(i) + 1) == 1 && ports[i].StartsWith("/dev/tty") &&
                    ::stat(ports[i].fn_str(), &st) == 0 && S_ISCHR(st.st_mode))
            << ports[i];
        EXPECT_TRUE(i == 0 || comport_backend::PortNameLess(ports[i - 1].ToStdString(), ports[i].ToStdString()));
    }
    EXPECT_EQ(comport.Exist(static_cast<int>(ports.size()) + 1) + comport.Exist(0), 0);
    EXPECT_FALSE(comport.IsOpen());  // probing touches no port
    // The order by number is held by PortList's made tree (ttyS2 before ttyS10); a strict order:
    EXPECT_FALSE(comport_backend::PortNameLess("/dev/ttyS2", "/dev/ttyS2"));
}

}  // namespace
