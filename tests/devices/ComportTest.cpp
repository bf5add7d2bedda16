// Comport on a pseudo-terminal: the test holds the master side and checks every byte that
// crosses it, the read time-out, hang-up, and the failure reports.
#include "../support/PtyMaster.h"
#include "serial/Comport.h"
#include "serial/ComportBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

wxString Bytes(const std::string& bytes) {
    wxString text;
    for (unsigned char c : bytes) text += wxUniChar(static_cast<unsigned>(c));
    return text;
}

std::string AllByteValues() {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    return all;
}

class ComportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Ok()) << std::strerror(errno);
        comport.Close();
    }
    void TearDown() override { comport.Close(); }

    void OpenPty(int baud = 115200, int dataBits = 8, const wxString& parity = "N", int stopBits = 1) {
        ASSERT_TRUE(comport.Open(pty_.Slave(), baud, dataBits, parity, stopBits))
            << comport.ErrorCode() << " " << comport.ErrorText();
        ASSERT_TRUE(comport.IsOpen());
        ASSERT_FALSE(comport.Failed());
        ASSERT_EQ(comport.ErrorCode(), 0);
    }

    termios LineOfPty() {
        termios tio{};
        EXPECT_EQ(::tcgetattr(pty_.Fd(), &tio), 0) << std::strerror(errno);
        return tio;
    }

    PtyMaster pty_;
};

TEST_F(ComportTest, SendWritesEveryByteValueUnchanged) {
    // Raw mode: no line-end translation, no flow-control characters taken out, no eighth bit
    // stripped. A text with a character above 255 is not sent at all, not even its first characters.
    OpenPty();
    comport.Send("");
    comport.Send(wxString(L"ab\u0100c"));
    comport.Send(wxString(L"\u20AC"));
    comport.Send(Bytes(AllByteValues()));
    EXPECT_EQ(pty_.ReadAll(), AllByteValues());
    EXPECT_FALSE(comport.Failed());
}

TEST_F(ComportTest, LongSendArrivesWholeWhileTheDeviceIsSlow) {
    // Far more than the pseudo-terminal buffers, so Send has to wait for room again and again
    // while the other side drains it.
    OpenPty();
    std::string big;
    for (int i = 0; i < 300000; ++i) big.push_back(static_cast<char>(i * 7 + i / 256));
    std::string got;
    std::thread reader([&] {
        // Start late, so the buffers are surely full and Send has to wait for room.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        got = pty_.ReadAll(500);
    });
    comport.Send(Bytes(big));
    reader.join();
    EXPECT_FALSE(comport.Failed());
    ASSERT_EQ(got.size(), big.size());
    EXPECT_TRUE(got == big);
}

// Read gives each byte as 0-255 (never sign-extended), in order, at once when one is there, and
// -1 after about 60 ms when none comes.
TEST_F(ComportTest, ReadGivesEveryByteInOrderOrWaitsAbout60Ms) {
    OpenPty();
    for (int i = 0; i < 2; ++i) {
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(comport.Read(), -1);
        const long long ms = MillisecondsSince(start);
        EXPECT_GE(ms, 40);
        EXPECT_LE(ms, 200);
    }
    ASSERT_TRUE(pty_.Write(AllByteValues()));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(comport.Read(), 0);
    EXPECT_LT(MillisecondsSince(start), 40);
    for (int i = 1; i < 256; ++i) ASSERT_EQ(comport.Read(), i);
    EXPECT_EQ(comport.Read(), -1);
    EXPECT_TRUE(comport.IsOpen());
    EXPECT_FALSE(comport.Failed());
}

TEST_F(ComportTest, PortIsOpenedExclusively) {
    OpenPty();
    const int fd = ::open(pty_.Slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        EXPECT_EQ(errno, EBUSY) << std::strerror(errno);
    } else {
        // root may open an exclusive terminal anyway; the flag must still be set.
        int exclusive = 0;
        EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0) << std::strerror(errno);
        EXPECT_EQ(exclusive, 1);
        ::close(fd);
    }
}

TEST_F(ComportTest, LineSettingsAreApplied) {
    struct Row { int line, baud, stopBits; speed_t speed; bool twoStopBits; };
    const Row rows[] = {{__LINE__, 50, 1, B50, false},         {__LINE__, 9600, 2, B9600, true},
                        {__LINE__, 230400, 3, B230400, false}, {__LINE__, 4000000, 2, B4000000, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        OpenPty(row.baud, 8, "N", row.stopBits);
        const termios tio = LineOfPty();
        EXPECT_EQ(::cfgetospeed(&tio), row.speed);
        EXPECT_EQ(::cfgetispeed(&tio), row.speed);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, row.twoStopBits);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
        EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
        EXPECT_NE(tio.c_cflag & CREAD, 0u);
    }
}

// A failed open says why, in words, and leaves the device free for the next one.
TEST_F(ComportTest, UnknownLineSettingsOrAFileThatIsNoTerminalFail) {
    struct Row { int line; const char* path; int baud, dataBits, error; };  // path nullptr: the pty
    const Row rows[] = {{__LINE__, nullptr, 12345, 8, EINVAL}, {__LINE__, nullptr, 9600, 4, EINVAL},
                        {__LINE__, nullptr, 9600, 9, EINVAL},  {__LINE__, "/dev/null", 115200, 8, ENOTTY}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_FALSE(comport.Open(row.path ? row.path : pty_.Slave(), row.baud, row.dataBits, "N", 1));
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(comport.ErrorCode(), row.error);
        EXPECT_EQ(comport.ErrorText(), wxString(std::strerror(row.error)));
        OpenPty();
        comport.Close();
    }
}

TEST(ComportParity, LettersAreExactAndCaseSensitive) {
    using comport_backend::Parity;
    struct Row { int line; const char* letter; Parity expected; };
    const Row rows[] = {
        {__LINE__, "N", Parity::None}, {__LINE__, "O", Parity::Odd},     {__LINE__, "E", Parity::Even},
        {__LINE__, "o", Parity::None}, {__LINE__, "e", Parity::None},    {__LINE__, "Odd", Parity::None},
        {__LINE__, "", Parity::None},  {__LINE__, "E ", Parity::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(comport_backend::ParityFromLetter(row.letter), row.expected);
    }
}

TEST_F(ComportTest, EveryFrameFormatOpensAPseudoTerminal) {
    // A pseudo-terminal has no wire and always runs eight bits without parity; asking for
    // another frame format must still give a working port.
    for (int dataBits : {5, 6, 7, 8}) {
        for (const char* parity : {"N", "O", "E", "Even"}) {
            SCOPED_TRACE(std::to_string(dataBits) + parity);
            OpenPty(9600, dataBits, parity, 2);
            comport.Send("p");
            EXPECT_EQ(pty_.ReadAll(30), "p");
            ASSERT_TRUE(pty_.Write("q"));
            EXPECT_EQ(comport.Read(), 'q');
        }
    }
    // The kernel keeps the odd/even choice of a pseudo-terminal where it can be seen.
    OpenPty(9600, 8, "O", 1);
    const bool odd = (LineOfPty().c_cflag & PARODD) != 0;
    OpenPty(9600, 8, "o", 1);
    if (odd) {
        EXPECT_EQ(LineOfPty().c_cflag & PARODD, 0u);
    }
}

// Whether nobody has the slave open any more: then its master sees the hang-up.
bool HungUp(const PtyMaster& pty) {
    pollfd p{pty.Fd(), POLLIN, 0};
    return ::poll(&p, 1, 200) == 1 && (p.revents & POLLHUP);
}

// Open closes the port open before it, also when it fails. A failed open says why and leaves no
// port open; that reads nothing at once and sends nowhere, and closing it again is harmless.
TEST_F(ComportTest, OpenClosesThePortBeforeAndAMissingPathFailsWithEnoent) {
    comport.Close();  // nothing open yet
    OpenPty();
    PtyMaster second;
    ASSERT_TRUE(second.Ok());
    ASSERT_TRUE(comport.Open(second.Slave(), 9600, 8, "N", 1)) << comport.ErrorText();
    EXPECT_TRUE(HungUp(pty_));
    EXPECT_FALSE(comport.Open("/dev/tqc-no-such-port", 115200, 8, "N", 1));
    EXPECT_TRUE(HungUp(second));
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_FALSE(comport.Failed());
    EXPECT_EQ(comport.ErrorCode(), ENOENT);
    EXPECT_EQ(comport.ErrorText(), wxString(std::strerror(ENOENT)));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(comport.Read(), -1);
    EXPECT_LT(MillisecondsSince(start), 20);
    comport.Send("x");
    comport.Close();
    comport.Close();
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_FALSE(comport.Failed());
}

// A hang-up (the adapter pulled) fails the port at the next read or send, at once: the port
// closes and keeps the reason. The next Open starts clean.
TEST_F(ComportTest, HangUpFailsTheNextReadOrSend) {
    PtyMaster second;
    ASSERT_TRUE(second.Ok());
    for (PtyMaster* pty : {&pty_, &second}) {
        const bool viaRead = pty == &pty_;
        SCOPED_TRACE(viaRead ? "read" : "send");
        ASSERT_TRUE(comport.Open(pty->Slave(), 115200, 8, "N", 1)) << comport.ErrorText();
        EXPECT_FALSE(comport.Failed());
        EXPECT_EQ(comport.ErrorCode(), 0);
        ASSERT_TRUE(pty->Write("k"));
        EXPECT_EQ(comport.Read(), 'k');
        pty->CloseFd();
        const Clock::time_point start = Clock::now();
        if (viaRead) {
            EXPECT_EQ(comport.Read(), -1);
        } else {
            comport.Send("hello");
        }
        EXPECT_LT(MillisecondsSince(start), 40);
        EXPECT_TRUE(comport.Failed());
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_NE(comport.ErrorCode(), 0);
        EXPECT_FALSE(comport.ErrorText().empty());
    }
    // Further calls return at once and keep the failure; nothing spins.
    const std::clock_t cpu = std::clock();
    const Clock::time_point again = Clock::now();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(comport.Read(), -1);
    comport.Send("x");
    EXPECT_LT(MillisecondsSince(again), 40);
    EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 10);
    EXPECT_TRUE(comport.Failed());
}

// Opens `path` as the user nobody and returns "<error code> <error text>".
std::string OpenAsNobody(const std::string& path) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string result = "could not become nobody";
        if (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0) {
            const bool opened = comport.Open(path, 9600, 8, "N", 1);
            result = opened ? "opened" : std::to_string(comport.ErrorCode()) + " " + comport.ErrorText().utf8_string();
        }
        const ssize_t written = ::write(pipeFds[1], result.data(), result.size());
        ::_exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string result;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) result.append(buffer, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
}

TEST_F(ComportTest, PermissionErrorNamesTheGroupThatOwnsThePort) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand the port to another group";
    const group* owner = ::getgrnam("dialout");
    if (!owner) owner = ::getgrnam("tty");
    ASSERT_NE(owner, nullptr);
    const std::string groupName = owner->gr_name;
    ASSERT_EQ(::chown(pty_.Slave().c_str(), 0, owner->gr_gid), 0) << std::strerror(errno);

    ASSERT_EQ(::chmod(pty_.Slave().c_str(), 0660), 0) << std::strerror(errno);
    const std::string denied = std::to_string(EACCES) + " " + std::strerror(EACCES);
    EXPECT_EQ(OpenAsNobody(pty_.Slave()), denied + "; der Benutzer ist nicht in der Gruppe \"" + groupName +
                                              "\", der " + pty_.Slave() + " geh\xC3\xB6rt (aufnehmen mit: sudo "
                                              "usermod -aG " + groupName + " BENUTZERNAME, danach neu anmelden)");

    // The group may not use the port either: joining it would not help, so no hint.
    ASSERT_EQ(::chmod(pty_.Slave().c_str(), 0600), 0) << std::strerror(errno);
    EXPECT_EQ(OpenAsNobody(pty_.Slave()), denied);
}

TEST(ComportPorts, ExistAndListPortsAgree) {
    const wxArrayString ports = Comport::ListPorts();
    EXPECT_EQ(Comport::ListPorts(), ports);  // a stable order
    for (size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(ports[i].ToStdString());
        EXPECT_EQ(comport.Exist(static_cast<int>(i) + 1), 1);
        EXPECT_TRUE(ports[i].StartsWith("/dev/tty"));
        struct stat st {};
        ASSERT_EQ(::stat(ports[i].fn_str(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
        EXPECT_TRUE(i == 0 || comport_backend::PortNameLess(ports[i - 1].ToStdString(), ports[i].ToStdString()));
    }
    EXPECT_EQ(comport.Exist(static_cast<int>(ports.size()) + 1), 0);
    EXPECT_EQ(comport.Exist(0), 0);
    EXPECT_FALSE(comport.IsOpen());  // probing touches no port
}

TEST(ComportPorts, PortNamesSortWithTheirNumbersAsNumbers) {
    std::vector<std::string> names = {"/dev/ttyUSB10", "/dev/ttyS1",   "/dev/ttyACM0", "/dev/ttyUSB2",
                                      "/dev/ttyS10",   "/dev/ttyS2",   "/dev/ttyUSB0", "/dev/ttyS0"};
    std::sort(names.begin(), names.end(), comport_backend::PortNameLess);
    std::string joined;
    for (const std::string& name : names) joined += name + " ";
    EXPECT_EQ(joined,
              "/dev/ttyACM0 /dev/ttyS0 /dev/ttyS1 /dev/ttyS2 /dev/ttyS10 /dev/ttyUSB0 /dev/ttyUSB2 "
              "/dev/ttyUSB10 ");
    EXPECT_FALSE(comport_backend::PortNameLess("/dev/ttyS2", "/dev/ttyS2"));
}

}  // namespace
