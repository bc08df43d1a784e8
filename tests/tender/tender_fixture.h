// What the tender tests share: a first-install data root with the sales window
// holding ticket 17 of clerk "Jules", the tender dialog opened on it, printing
// recorded with no printer installed, and a payment bridge of the test's
// making that the dialog creates in place of the real one.
#pragma once

#include <QStringList>
#include <deque>

#include "sales/frmSales.h"
#include "tender/frmTender.h"
#include "tests/sales/sales_fixture.h"
#include "tests/tender/fake_bridge.h"

class TenderFixture : public SalesFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Puts the amount due into the sales window and opens the dialog on it.
  tender::frmTender& open(const QString& due = QStringLiteral("51.60"));
  // Presses the keypad's keys: "0" to "9" and "00".
  void keypad(const QStringList& keys);
  // The lines of the documents printed so far.
  std::vector<std::vector<QString>> printedTexts() const;

 protected:
  FakeBridge bridge_;
  int creations_ = 0;
  // What each creation of the bridge gives (S_OK when none is queued).
  std::deque<HRESULT> creationResults_;
};
