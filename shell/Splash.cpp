#include "shell/Splash.h"

#include "platform/forms/screen.h"
#include "shell/Lunessa.h"
#include "shell/appinfo.h"

namespace shell {

frmSplash::frmSplash() : Form("frmSplash") {
  setBorderStyle(0);
  setStartUpPosition(forms::vbStartUpScreen);
  setKeyPreview(true);
  setWidth(7500);
  setHeight(4500);
  setBackColor(forms::RGB(24, 60, 90));

  lblCompany.setCaption(QStringLiteral("Dovrel's P.O.S."));
  lblCompany.Move(600, 700, 6300, 900);
  lblCompany.setFont(QStringLiteral("Arial"), 30, true);

  lblProduct.setCaption(QStringLiteral("Dovrel POS 4"));
  lblProduct.Move(600, 1650, 6300, 500);
  lblProduct.setFont(QStringLiteral("Arial"), 16, true);

  lblKind.setCaption(QStringLiteral("Point of Sale software for hair salons"));
  lblKind.Move(600, 2250, 6300, 450);
  lblKind.setFont(QStringLiteral("Arial"), 12);

  lblVersion.Move(600, 3500, 6300, 400);
  lblVersion.setFont(QStringLiteral("Arial"), 10);

  for (forms::Label* label : {&lblCompany, &lblProduct, &lblKind, &lblVersion}) {
    label->setBackStyle(0);
    label->setForeColor(forms::vbWhite);
    label->setAlignment(forms::vbCenter);
  }
}

void frmSplash::Form_Load() {
  lblVersion.setCaption(versionCaption());
}

// Any key closes the splash at once; the start-up wait still runs to its end.
void frmSplash::Form_KeyPress(int& /*KeyAscii*/) {
  forms::Unload(*this);
}

frmSplash& Splash() {
  return forms::global<frmSplash>();
}

int waitSplash(const WholeSecondsClock& clock, qint64 start, const std::function<void()>& processMessages) {
  return waitMoreThan(clock, start, 2, processMessages);
}

void Main(const WholeSecondsClock& clock) {
  const qint64 start = clock();
  frmSplash& splash = Splash();
  splash.Show();
  if (QWidget* w = splash.window()) w->repaint();
  waitSplash(clock, start, [] { forms::DoEvents(); });
  forms::Unload(splash);
  MainWindow().Show();
}

}  // namespace shell
