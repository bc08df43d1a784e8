// The receipt printer's choice: by port, by network port name or by a
// device-name pattern, first in the print system's order; the choice stays.
#include "tender/receiptprinter.h"

#include <gtest/gtest.h>

#include "platform/print/printer.h"
#include "shell/frmSetPtr.h"
#include "tests/fake_spooler.h"
#include "tests/shell/shell_fixture.h"

namespace {

using print::PrinterInfo;
using tender::ReceiptPrinterSetting;

const std::vector<PrinterInfo> kCatalogue = {
    {"Office Laser", "10.0.0.9:9100", "socket://10.0.0.9:9100", true},
    {"SAMSUNG SRP270", "USB001", "usb://SAMSUNG/SRP270", false},
    {"Front", "LPT1:", "parallel:/dev/lp0", false},
    {"Epson TM-T88", "10.0.0.5:9100", "socket://10.0.0.5:9100", false},
    {"Network", "Network", "Network", false},
};

TEST(ReceiptPrinter, TheFirstPrinterThatFitsByPortOrPatternIsChosen) {
  struct Case {
    const char* why;
    ReceiptPrinterSetting setting;
    const char* chosen;  // nullptr: none fits
  } cases[] = {
      {"a port match beats a later pattern match", {"LPT1:", "", "Epson*"}, "Front"},
      {"an earlier pattern match beats a later port match", {"LPT1:", "", "SAMSUNG*"}, "SAMSUNG SRP270"},
      {"the exact device name", {"None", "", "Epson TM-T88"}, "Epson TM-T88"},
      {"Network takes the network port name", {"Network", "10.0.0.5:9100", ""}, "Epson TM-T88"},
      {"Network with an empty name is no port", {"Network", "", "x"}, nullptr},
      {"the network name counts only for Network", {"LPT2:", "10.0.0.5:9100", ""}, nullptr},
      {"the port compares with case", {"usb001", "", ""}, nullptr},
      {"the pattern compares with case", {"None", "", "samsung*"}, nullptr},
      {"the pattern covers the whole name", {"None", "", "SAMSUNG"}, nullptr},
      {"pattern characters", {"None", "", "Epson TM-T##"}, "Epson TM-T88"},
      {"a list in the pattern", {"None", "", "[!O]*"}, "SAMSUNG SRP270"},
      {"an empty pattern matches no name", {"None", "", ""}, nullptr},
      {"nothing fits", {"COM2:", "", "Star*"}, nullptr},
  };
  for (const Case& c : cases) {
    const auto found = tender::findReceiptPrinter(kCatalogue, [&] { return c.setting; });
    if (c.chosen == nullptr) {
      EXPECT_FALSE(found.has_value()) << c.why << ": " << found->deviceName.toStdString();
    } else {
      ASSERT_TRUE(found.has_value()) << c.why;
      EXPECT_EQ(found->deviceName.toStdString(), c.chosen) << c.why;
    }
  }
}

TEST(ReceiptPrinter, APrinterWhoseSettingsCannotBeReadIsPassedOver) {
  int reads = 0;
  const auto found = tender::findReceiptPrinter(kCatalogue, [&] {
    if (++reads == 1) throw std::runtime_error("the settings file is busy");
    return ReceiptPrinterSetting{"", "", "*"};
  });
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->deviceName, "SAMSUNG SRP270");
}

class ReceiptPrinterWindow : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    print::ResetCurrentPrinter();
    spooler_.queues = {{"Office Laser", "socket://10.0.0.9:9100", true},
                       {"SAMSUNG SRP270", "usb://SAMSUNG/SRP270", false},
                       {"Front", "parallel:/dev/lp0", false}};
  }
  void TearDown() override {
    ShellFixture::TearDown();
    print::ResetCurrentPrinter();
  }
  void settings(const QString& port, const QString& path, const QString& type) {
    run(settingsFile(), "UPDATE tbSet SET Port = ?, szPath1 = ?, szType = ?", {port, path, type});
    unloadAllWindows();
  }
  QString current() {
    const auto p = print::CurrentPrinter();
    return p ? p->deviceName : QStringLiteral("<none>");
  }
  FakeSpooler spooler_;
};

TEST_F(ReceiptPrinterWindow, ThePrinterWindowsBoxesChooseAndTheChoiceStays) {
  EXPECT_EQ(current(), "Office Laser");  // the default until a choice is made

  settings("USB001", "", "");
  tender::SelectReceiptPrinter();
  EXPECT_EQ(current(), "SAMSUNG SRP270");

  settings("Network", "10.0.0.9:9100", "");
  tender::SelectReceiptPrinter();
  EXPECT_EQ(current(), "Office Laser");

  settings("None", "", "Fr*");
  tender::SelectReceiptPrinter();
  EXPECT_EQ(current(), "Front");

  // Nothing fits: the printer chosen last stays for all later printing.
  settings("COM2:", "", "Star*");
  tender::SelectReceiptPrinter();
  EXPECT_EQ(current(), "Front");
}

TEST_F(ReceiptPrinterWindow, WithoutPrintersNothingIsReadAndNothingChanges) {
  spooler_.queues.clear();
  tender::SelectReceiptPrinter();
  EXPECT_EQ(current(), "<none>");
  EXPECT_FALSE(shell::SetPtr().IsLoaded());
}

}  // namespace
