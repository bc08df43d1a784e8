// Fitting a text into its box: a smaller face down to a floor, then an elided
// end; a number is never elided but shrinks until it fits whole.
#include "platform/forms/textfit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>

#include "tests/forms/support.h"
#include "tests/forms/text_view.h"

namespace {

using forms::Instance;

QFont face(double points, bool bold = true) {
  return forms::toQFont(forms::FontInfo{QStringLiteral("MS Sans Serif"), points, bold});
}

int widthAt(const QString& text, double points, bool bold = true) {
  return QFontMetrics(face(points, bold)).horizontalAdvance(text);
}

TEST(TextFit, ASmallerFaceDownToTheFloorThenAnElidedEndButANumberWhole) {
  enum Outcome { Design, Smaller, BelowFloor, Elided };
  const struct {
    int room;
    const char* text;
    double points;
    Outcome outcome;
  } cases[] = {
      {300, "Medium", 8.25, Design},
      {300, "", 8.25, Design},
      {widthAt("Medium", 8.25) - 4, "Medium", 8.25, Smaller},
      {widthAt("Extra Large", 6) - 4, "Extra Large", 8.25, Elided},
      {widthAt("Suite 12", 6) - 4, "Suite 12", 8.25, Elided},  // digits in a word: not a number
      {widthAt("$12.00", 6) + 1, "$12.00", 8.25, Smaller},
      {widthAt("$12.00", 6) - 6, "$12.00", 8.25, BelowFloor},
      {130, "999,999,999.99", 21.75, Smaller},
      {widthAt("999,999,999.99", 48) - 40, "999,999,999.99", 48, Smaller},
      {40, "999,999,999.99", 21.75, BelowFloor},
      {40, "-99,999.00", 21.75, BelowFloor},
      {40, "(5,000.00)", 21.75, BelowFloor},
      {2, "000123", 8.25, BelowFloor},
      {60, "Alexandra Montgomery", 21.75, Elided},
  };
  for (const auto& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    const forms::FittedText fit = forms::fitText(text, face(c.points), c.room);
    const double floor = std::max(forms::kFitFloorPoints, c.points / 2);
    SCOPED_TRACE(QStringLiteral("%1 in %2 px at %3 pt: %4 pt, \"%5\"")
                     .arg(text)
                     .arg(c.room)
                     .arg(c.points)
                     .arg(fit.pointSize)
                     .arg(fit.text)
                     .toStdString());
    EXPECT_EQ(fit.elided, c.outcome == Elided);
    if (c.outcome == Elided) {
      EXPECT_NEAR(fit.pointSize, floor, 0.25);  // the floor, in quarter points
      EXPECT_TRUE(fit.text.endsWith(QChar(0x2026)));
      EXPECT_TRUE(text.startsWith(fit.text.chopped(1)));
    } else {
      EXPECT_EQ(fit.text, text);  // every digit of an amount, every letter of a word
    }
    switch (c.outcome) {
      case Design:
        EXPECT_EQ(fit.pointSize, c.points);
        break;
      case Smaller:
        EXPECT_LT(fit.pointSize, c.points);
        EXPECT_GE(fit.pointSize, floor);
        break;
      case BelowFloor:
        EXPECT_LT(fit.pointSize, floor);
        break;
      case Elided:
        break;
    }
    if (fit.pointSize > forms::kFitSmallestPoints) {
      EXPECT_LE(widthAt(fit.text, fit.pointSize), c.room) << "the text as shown fits its room";
    }
  }
}

class frmFit : public forms::Form {
 public:
  frmFit() : Form("frmFit") {
    Move(0, 0, 6000, 3000);
    txtName.Move(120, 120, 855, 285);
    txtName.setFont("MS Sans Serif", 9.75, false);
    txtName.setFitText(true);
    txtAmount.Move(120, 600, 2055, 510);
    txtAmount.setFont("MS Sans Serif", 21.75, true);
    txtAmount.setFitText(true);
    txtPlain.Move(120, 1200, 855, 285);
    txtPlain.setFont("MS Sans Serif", 9.75, false);
  }
  forms::TextBox txtName{this, "txtName"};
  forms::TextBox txtAmount{this, "txtAmount"};
  forms::TextBox txtPlain{this, "txtPlain"};
};

class TextFitBox : public FormsTest {
 protected:
  static void focus(forms::TextBox& box, QEvent::Type type) {
    box.SetFocus();
    QFocusEvent event(type, Qt::OtherFocusReason);  // as when the window has the focus
    QApplication::sendEvent(box.widget(), &event);
  }
};

TEST_F(TextFitBox, AnAmountShowsWholeInASmallerFaceAndTheBoxKeepsItsFont) {
  Instance<frmFit> f;
  f->Show();
  f->txtAmount.setText("999,999,999.99");
  EXPECT_TRUE(textview::showsWhole(f->txtAmount));
  EXPECT_LT(textview::lineOf(f->txtAmount)->font().pointSizeF(), 21.75);
  EXPECT_EQ(f->txtAmount.FontSize(), 21.75);
  // A short amount goes back to the design face; a narrower box or a bigger
  // face fits it again.
  f->txtAmount.setText("5.00");
  EXPECT_EQ(textview::lineOf(f->txtAmount)->font().pointSizeF(), 21.75);
  f->txtAmount.setText("1,234,567.89");
  f->txtAmount.setWidth(1200);
  EXPECT_TRUE(textview::showsWhole(f->txtAmount));
  f->txtAmount.setFontSize(36);
  EXPECT_TRUE(textview::showsWhole(f->txtAmount));
  EXPECT_EQ(f->txtAmount.FontSize(), 36);
  // Without the fit a box shows its text as it always did.
  f->txtPlain.setText("999,999,999.99");
  EXPECT_FALSE(textview::showsWhole(f->txtPlain));
  EXPECT_EQ(textview::lineOf(f->txtPlain)->font().pointSizeF(), 9.75);
}

TEST_F(TextFitBox, AWordTooLongIsElidedUntilTheClerkWorksInTheBox) {
  Instance<frmFit> f;
  f->Show();
  const QString name = QStringLiteral("Alexandra Montgomery");
  f->txtName.setText(name);
  QLineEdit* edit = textview::lineOf(f->txtName);
  EXPECT_TRUE(edit->text().endsWith(QChar(0x2026))) << edit->text().toStdString();
  EXPECT_TRUE(textview::showsWhole(f->txtName, edit->text()));
  EXPECT_EQ(f->txtName.Text(), name);

  focus(f->txtName, QEvent::FocusIn);
  EXPECT_EQ(edit->text(), name);
  forms::SendKeys("s");
  EXPECT_EQ(f->txtName.Text(), name + "s") << "what is typed goes into the whole text";
  focus(f->txtPlain, QEvent::FocusIn);
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(edit, &out);
  EXPECT_TRUE(edit->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(f->txtName.Text(), name + "s");
}

}  // namespace
