// Device ports: the Windows port names and the drawer sender.
#include "platform/files/ports.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "platform/files/paths.h"
#include "tests/pseudo_terminal.h"

namespace {

const std::string kPulse("\x1b\x70\x00\x14\x64\x0d\x0a", 7);

TEST(PortDevice, NamesTheDeviceOfEachWindowsPort) {
  files::setRoot("/srv/root");
  struct Case {
    const char* port;
    const char* device;  // nullptr: no device at all
  } cases[] = {
      {"LPT1:", "/dev/lp0"},
      {"LPT2:", "/dev/lp1"},
      {"lpt3", "/dev/lp2"},  // any case, colon optional
      {"COM1:", "/dev/ttyS0"},
      {"com2", "/dev/ttyS1"},
      {"COM10:", "/dev/ttyS9"},
      {"USB001", "/dev/usb/lp0"},
      {"usb002:", "/dev/usb/lp1"},
      {" COM1: ", "/dev/ttyS0"},
      {"None", nullptr},
      {"NONE", nullptr},
      {"", nullptr},
      {"   ", nullptr},
      {"/dev/ttyUSB0", "/dev/ttyUSB0"},            // a device path stands as it is
      {"Network", "Network"},                      // a plain name stays relative
      {"LPT0:", "LPT0:"},                          // no such port number
      {"USB1", "USB1"},                            // USB ports have three digits
      {"C:\\drawer", "/srv/root/drive_c/drawer"},  // a Windows path maps under the root
      {"\\\\Host\\Drawer", "/srv/root/unc/Host/Drawer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    const std::optional<std::string> device = files::portDevice(c.port);
    if (c.device == nullptr) {
      EXPECT_FALSE(device.has_value());
    } else {
      ASSERT_TRUE(device.has_value());
      EXPECT_EQ(*device, c.device);
    }
  }
}

TEST(SendToPort, ATerminalReceivesExactlyThePulseWithNoCarriageReturnAdded) {
  PseudoTerminal line;
  ASSERT_TRUE(line.ok());
  EXPECT_EQ(files::sendToPort(line.path(), kPulse), 7);
  EXPECT_EQ(line.received(), kPulse);
  // Twice: the first send left the line's settings as it found them.
  EXPECT_EQ(files::sendToPort(line.path(), kPulse), 7);
  EXPECT_EQ(line.received(), kPulse);
}

TEST(SendToPort, AFifoWithAReaderGetsTheBytes) {
  QTemporaryDir dir;
  const std::string fifo = dir.path().toStdString() + "/drawer";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(files::sendToPort(fifo, kPulse), 7);
  char buf[16];
  EXPECT_EQ(::read(reader, buf, sizeof buf), 7);
  EXPECT_EQ(std::string(buf, 7), kPulse);
  ::close(reader);
}

TEST(SendToPort, WritesNothingAndCreatesOrChangesNoFileElsewhere) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  files::setRoot(dir.path().toStdString());
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));

  const std::string fifo = dir.path().toStdString() + "/no-reader";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string plain = dir.path().toStdString() + "/receipt.txt";
  {
    QFile f(QString::fromStdString(plain));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
  }
  struct stat before;
  ASSERT_EQ(::stat(plain.c_str(), &before), 0);
  const QStringList listedBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

  for (const std::string& port :
       {std::string("None"), std::string(""), std::string("Network"), std::string("LPT9:"),
        dir.path().toStdString() + "/missing-device", fifo, plain, dir.path().toStdString()}) {
    SCOPED_TRACE(port);
    EXPECT_EQ(files::sendToPort(port, kPulse), 0);
  }

  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), listedBefore);
  struct stat after;
  ASSERT_EQ(::stat(plain.c_str(), &after), 0);
  EXPECT_EQ(after.st_size, before.st_size);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  QFile f(QString::fromStdString(plain));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("keep me"));
  QDir::setCurrent(saved);
}

}  // namespace
