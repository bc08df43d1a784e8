#include "tests/tender/tender_fixture.h"

void TenderFixture::SetUp() {
  SalesFixture::SetUp();
  tender::setBridgeFactory([this](IVantixTransaction** object) {
    ++creations_;
    HRESULT hr = S_OK;
    if (!creationResults_.empty()) {
      hr = creationResults_.front();
      creationResults_.pop_front();
    }
    if (FAILED(hr)) return hr;
    bridge_.AddRef();
    *object = &bridge_;
    return S_OK;
  });
  sales::frmSales& sales = sales::Sales();
  sales.lblID.setCaption(QStringLiteral("Jules"));
  sales.cmbRept.setText(QStringLiteral("17"));
}

void TenderFixture::TearDown() {
  tender::Tender().ReleaseBridge();
  tender::setBridgeFactory({});
  EXPECT_EQ(bridge_.references(), 1u) << "the dialog kept or over-released the bridge";
  SalesFixture::TearDown();
}

tender::frmTender& TenderFixture::open(const QString& due) {
  sales::Sales().txtEnding.setText(due);
  tender::frmTender& w = tender::Tender();
  w.Show();
  return w;
}

void TenderFixture::keypad(const QStringList& keys) {
  tender::frmTender& w = tender::Tender();
  for (const QString& k : keys) {
    if (k == QLatin1String("00"))
      press(w.cmdBack);
    else
      press(w.comNumber(k.toInt()));
  }
}

std::vector<std::vector<QString>> TenderFixture::printedTexts() const {
  std::vector<std::vector<QString>> out;
  for (const print::Recorder::Record& r : printed_.documents())
    out.push_back(print::Recorder::texts(r.document));
  return out;
}
