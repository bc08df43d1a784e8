// The prompt, answering into a stand-in sales window with the four controls
// the answers write.
#include <QTimer>
#include <functional>

#include "platform/forms/textfit.h"
#include "shell/frmInfor.h"
#include "shell/frmMsgbox.h"
#include "shell/frmReset.h"
#include "tests/forms/text_view.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::Msgbox;

class frmSalesStandIn : public forms::Form {
 public:
  frmSalesStandIn() : Form("frmSales") {}
  forms::Label lblList{this, "lblList"};
  forms::TextBox txtList{this, "txtList"};
  forms::TextBox txtMenu{this, "txtMenu"};
  forms::TextBox txtPrice{this, "txtPrice"};
};

TEST(PromptOptionPrice, SumsAmountTextsAndWritesThemPlain) {
  const struct {
    const char* price;
    const char* option;
    const char* sum;  // nullptr: not an amount, the price stays
  } cases[] = {
      {"10.00", "$2.50", "12.5"}, {"10", "2", "12"},       {"1,234.50", "$2.50", "1237"},
      {"10.00", "", nullptr},     {"10.00", "x", nullptr}, {"", "$2.50", "2.5"},  // no price of its own
      {"", "", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<QString> sum = shell::addedOptionPrice(c.price, c.option);
    if (c.sum)
      EXPECT_EQ(sum.value_or("<none>"), c.sum) << c.price << " + " << c.option;
    else
      EXPECT_FALSE(sum.has_value()) << c.price << " + " << c.option;
  }
}

class Prompt : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    sales_ = std::make_unique<forms::Instance<frmSalesStandIn>>();
    frmSalesStandIn* s = &**sales_;
    shell::setSalesPromptControls([s] {
      return shell::SalesPromptControls{&s->lblList, &s->txtList, &s->txtMenu, &s->txtPrice};
    });
  }
  void TearDown() override {
    shell::setSalesPromptControls({});
    ShellFixture::TearDown();
    sales_.reset();
  }
  frmSalesStandIn& sales() { return **sales_; }

  // Shows the prompt in `mode`; `whileShown` runs once it is on screen (it
  // looks and answers). Afterwards the prompt must be gone.
  bool ask(const QString& mode, std::function<void()> whileShown) {
    bool ran = false;
    QObject guard;  // the timer goes with it if the prompt never shows
    QTimer::singleShot(0, &guard, [&] {
      ran = true;
      whileShown();
    });
    const bool answered = shell::ShowPrompt(mode);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(Msgbox().IsLoaded());
    EXPECT_EQ(Msgbox().Tag(), "");  // a fresh load: the design state
    Msgbox().Unload();
    return answered;
  }
  static void offer(forms::CommandButton& button, const QString& caption) { button.setCaption(caption); }
  static bool shows(const forms::Control& c) { return c.Visible(); }

  std::unique_ptr<forms::Instance<frmSalesStandIn>> sales_;
};

TEST_F(Prompt, SizeQuestionWithSAndL) {
  sales().lblList.setTag("");
  offer(Msgbox().cmdS, "35.00");
  offer(Msgbox().cmdYes, "48.00");
  EXPECT_TRUE(ask("0", [] {
    EXPECT_TRUE(Msgbox().cmdS.Visible());
    EXPECT_TRUE(Msgbox().txtSprice.Visible());
    EXPECT_EQ(Msgbox().txtSprice.Text(), "Short ");
    EXPECT_FALSE(Msgbox().cmdM.Visible());
    EXPECT_FALSE(Msgbox().txtMprice.Visible());
    EXPECT_TRUE(Msgbox().cmdYes.Visible());
    EXPECT_TRUE(Msgbox().txtPrice.Visible());
    EXPECT_EQ(Msgbox().txtPrice.Text(), "");
    EXPECT_FALSE(Msgbox().cmdNo.Visible());
    EXPECT_FALSE(Msgbox().cmdOpt5.Visible());
    EXPECT_EQ(Msgbox().Width(), 4245);
    Msgbox().cmdS.setValue(true);
  }));
  EXPECT_EQ(sales().lblList.Tag(), "M-");
  EXPECT_EQ(sales().txtList.Tag(), "35.00");

  sales().lblList.setTag("");
  offer(Msgbox().cmdS, "35.00");
  offer(Msgbox().cmdYes, "48.00");
  EXPECT_TRUE(ask("0", [] { Msgbox().cmdYes.setValue(true); }));
  EXPECT_EQ(sales().lblList.Tag(), "");  // L carries no size word
  EXPECT_EQ(sales().txtList.Tag(), "48.00");
}

TEST_F(Prompt, SizeQuestionWithFourPrices) {
  const struct {
    forms::CommandButton* pressed;
    const char* prefix;
    const char* price;
  } cases[] = {{&Msgbox().cmdM, "L-", "42.00"}, {&Msgbox().cmdNo, "XL-", "58.00"}};
  for (const auto& c : cases) {
    offer(Msgbox().cmdS, "35.00");
    offer(Msgbox().cmdM, "42.00");
    offer(Msgbox().cmdYes, "48.00");
    offer(Msgbox().cmdNo, "58.00");
    EXPECT_TRUE(ask("0", [&c] {
      for (forms::Control* shown : std::initializer_list<forms::Control*>{
               &Msgbox().cmdS, &Msgbox().cmdM, &Msgbox().cmdYes, &Msgbox().cmdNo, &Msgbox().txtLprice})
        EXPECT_TRUE(shown->Visible()) << shown->Name().toStdString();
      EXPECT_EQ(Msgbox().txtMprice.Text(), "Medium ");
      EXPECT_EQ(Msgbox().txtLprice.Text(), "Extra Long ");
      c.pressed->setValue(true);
    }));
    EXPECT_EQ(sales().lblList.Tag(), c.prefix);
    EXPECT_EQ(sales().txtList.Tag(), c.price);
  }
}

// The boxes in the buttons' corners show their size words whole, in a face no
// smaller than the floor, and their option prices whole; the buttons and
// boxes keep their places.
TEST_F(Prompt, TheBoxesShowTheirSizeWordsAndPricesWhole) {
  forms::TextBox* const sizeBoxes[] = {&Msgbox().txtSprice, &Msgbox().txtMprice, &Msgbox().txtLprice};
  for (const char* third : {"", "Extra Large "}) {
    if (*third) run(settingsFile(), "UPDATE tbSet SET szSize3 = ?", {third});
    for (forms::CommandButton* b : {&Msgbox().cmdS, &Msgbox().cmdM, &Msgbox().cmdYes, &Msgbox().cmdNo})
      offer(*b, "1,234.00");
    EXPECT_TRUE(ask("0", [&sizeBoxes] {
      EXPECT_EQ(Msgbox().txtMprice.Text(), "Medium ");
      for (forms::TextBox* box : sizeBoxes) {
        EXPECT_TRUE(textview::showsWhole(*box)) << box->Text().toStdString();
        EXPECT_GE(textview::lineOf(*box)->font().pointSizeF(), forms::kFitFloorPoints);
      }
      EXPECT_EQ(Msgbox().txtLprice.Left(), 2320);
      EXPECT_EQ(Msgbox().txtLprice.Top(), 1350);
      EXPECT_EQ(Msgbox().cmdNo.Left(), 2280);
      Msgbox().cmdS.setValue(true);
    }));
  }

  offer(Msgbox().cmdS, "Wash & Blow Dry");
  Msgbox().txtSprice.setText("12");
  offer(Msgbox().cmdM, "Deep Condition");
  Msgbox().txtMprice.setText("1234.5");
  offer(Msgbox().cmdNo, "Scalp Massage");
  Msgbox().txtLprice.setText("8");
  EXPECT_TRUE(ask("7", [] {
    const std::pair<forms::TextBox*, const char*> prices[] = {
        {&Msgbox().txtSprice, "$12.00"}, {&Msgbox().txtMprice, "$1,234.50"}, {&Msgbox().txtLprice, "8.00"}};
    for (const auto& [box, price] : prices) EXPECT_TRUE(textview::showsWhole(*box, price)) << price;
    EXPECT_EQ(Msgbox().txtSprice.Left(), 150);
    Msgbox().cmdS.setValue(true);
  }));
}

TEST_F(Prompt, OptionQuestionWithFourOptions) {
  sales().txtMenu.setText("Perm");
  sales().txtPrice.setText("10");
  const char* captions[] = {"Short", "Medium", "Long", "Extra"};
  forms::CommandButton* buttons[] = {&Msgbox().cmdS, &Msgbox().cmdM, &Msgbox().cmdYes, &Msgbox().cmdNo};
  forms::TextBox* boxes[] = {&Msgbox().txtSprice, &Msgbox().txtMprice, &Msgbox().txtPrice,
                             &Msgbox().txtLprice};
  const char* prices[] = {"2.5", "1,000", "", "2.5"};
  for (int i = 0; i < 4; ++i) {
    offer(*buttons[i], captions[i]);
    boxes[i]->setText(prices[i]);
  }
  EXPECT_TRUE(ask("7", [] {
    EXPECT_EQ(Msgbox().Width(), 4245);
    EXPECT_EQ(Msgbox().txtSprice.Text(), "$2.50");
    EXPECT_EQ(Msgbox().txtMprice.Text(), "$1,000.00");
    EXPECT_EQ(Msgbox().txtPrice.Text(), "");
    EXPECT_TRUE(Msgbox().txtPrice.Visible());      // its button is offered
    EXPECT_EQ(Msgbox().txtLprice.Text(), "2.50");  // the fourth without "$"
    EXPECT_FALSE(Msgbox().cmdOpt5.Visible());
    EXPECT_FALSE(Msgbox().cmdOpt6.Visible());
    Msgbox().cmdYes.setValue(true);  // "Long", whose box is empty
  }));
  EXPECT_EQ(sales().txtMenu.Text(), "Perm /Long");
  EXPECT_EQ(sales().txtPrice.Text(), "10");  // unchanged

  const struct {
    const char* price;
    const char* option;
    const char* after;
  } sums[] = {{"10.00", "2.5", "12.5"}, {"9.50", "2.5", "12"}, {"1,234.50", "2.5", "1237"}};
  for (const auto& c : sums) {
    sales().txtMenu.setText("Perm");
    sales().txtPrice.setText(c.price);
    offer(Msgbox().cmdS, "Short");
    Msgbox().txtSprice.setText(c.option);
    EXPECT_TRUE(ask("7", [] { Msgbox().cmdS.setValue(true); }));
    EXPECT_EQ(sales().txtMenu.Text(), "Perm /Short");
    EXPECT_EQ(sales().txtPrice.Text(), c.after);
  }
}

TEST_F(Prompt, OptionFiveWidensTheWindow) {
  sales().txtMenu.setText("Color");
  sales().txtPrice.setText("80.00");
  offer(Msgbox().cmdS, "Gloss");
  Msgbox().txtSprice.setText("15");
  offer(Msgbox().cmdOpt5, "Toner");
  Msgbox().Text1.setText("20");
  EXPECT_TRUE(ask("7", [] {
    EXPECT_EQ(Msgbox().Width(), 6464);
    EXPECT_TRUE(Msgbox().cmdS.Visible());
    EXPECT_TRUE(Msgbox().cmdOpt5.Visible());
    EXPECT_TRUE(Msgbox().Text1.Visible());
    EXPECT_EQ(Msgbox().Text1.Text(), "$20.00");
    EXPECT_FALSE(Msgbox().cmdM.Visible());
    EXPECT_FALSE(Msgbox().cmdOpt6.Visible());
    Msgbox().cmdOpt5.setValue(true);
  }));
  EXPECT_EQ(sales().txtMenu.Text(), "Color /Toner");
  EXPECT_EQ(sales().txtPrice.Text(), "100");
}

TEST_F(Prompt, ANewRootAsksTheDeleteQuestionInEnglish) {
  EXPECT_TRUE(ask("4", [] {
    EXPECT_EQ(Msgbox().lblMsg.Caption(), "Delete Training Invoices.");
    EXPECT_EQ(Msgbox().lblC.Caption(), "");
    EXPECT_EQ(Msgbox().cmdYes.Caption(), "Del");
    EXPECT_EQ(Msgbox().cmdNo.Caption(), "No");
    Msgbox().cmdNo.setValue(true);
  }));
  EXPECT_FALSE(shell::Infor().cmdEtoC.Enabled());
}

TEST_F(Prompt, DeleteQuestionInOneOrTwoLanguages) {
  for (const bool second : {false, true}) {
    SCOPED_TRACE(second ? "second language on" : "off");
    // The stored field is inverted: unticked leaves the second language on,
    // ticked turns it off.
    run(settingsFile(), "UPDATE tbSet SET cmdEtoC = ?", {second ? 0 : 1});
    shell::Infor().Unload();
    for (const bool del : {true, false}) {
      shell::Reset().cmdReset.setTag("");
      EXPECT_TRUE(ask("4", [second, del] {
        EXPECT_EQ(Msgbox().lblMsg.Caption(), "Delete Training Invoices.");
        EXPECT_EQ(Msgbox().lblC.Caption(), second ? QStringLiteral("要 取 消 培 訓 記 錄 嗎﹖") : QString());
        EXPECT_EQ(Msgbox().cmdYes.Caption(), second ? QStringLiteral("Del 消 除") : QStringLiteral("Del"));
        EXPECT_EQ(Msgbox().cmdNo.Caption(), second ? QStringLiteral("No 保 留") : QStringLiteral("No"));
        EXPECT_TRUE(Msgbox().cmdYes.Visible());
        EXPECT_TRUE(Msgbox().cmdNo.Visible());
        EXPECT_FALSE(Msgbox().cmdS.Visible());
        (del ? Msgbox().cmdYes : Msgbox().cmdNo).setValue(true);
      }));
      EXPECT_EQ(shell::Reset().cmdReset.Tag(), del ? "Yes" : "");
    }
  }
}

TEST_F(Prompt, ClosedWithoutAnAnswerWritesNothingAndSaysSo) {
  sales().lblList.setTag("L-");
  sales().txtList.setTag("42.00");
  offer(Msgbox().cmdS, "35.00");
  offer(Msgbox().cmdYes, "48.00");
  EXPECT_FALSE(ask("0", [] { Msgbox().window()->close(); }));
  EXPECT_EQ(sales().lblList.Tag(), "L-");
  EXPECT_EQ(sales().txtList.Tag(), "42.00");
  EXPECT_FALSE(Msgbox().answered());

  // Mode "1" has no button at all: the close command is the way out.
  EXPECT_FALSE(ask("1", [] {
    EXPECT_EQ(Msgbox().lblMsg.Caption(), "Add New Customer?");
    for (forms::Control* b :
         std::initializer_list<forms::Control*>{&Msgbox().cmdS, &Msgbox().cmdM, &Msgbox().cmdYes,
                                                &Msgbox().cmdNo, &Msgbox().cmdOpt5, &Msgbox().cmdOpt6})
      EXPECT_FALSE(b->Visible()) << b->Name().toStdString();
    Msgbox().window()->close();
  }));

  // An answer afterwards is reported as one.
  offer(Msgbox().cmdYes, "48.00");
  EXPECT_TRUE(ask("0", [] { Msgbox().cmdYes.setValue(true); }));
  EXPECT_EQ(sales().txtList.Tag(), "48.00");
}

TEST_F(Prompt, WithoutASalesWindowTheSizeAnswerWritesNothing) {
  shell::setSalesPromptControls({});
  sales().txtList.setTag("before");
  offer(Msgbox().cmdYes, "48.00");
  EXPECT_TRUE(ask("0", [] { Msgbox().cmdYes.setValue(true); }));
  EXPECT_EQ(sales().txtList.Tag(), "before");
}

TEST_F(Prompt, ASettingsFileThatCannotBeOpenedIsToldOncePerRun) {
  run(settingsFile(), "DROP TABLE tbSet");
  messages_->answer(forms::vbOK);
  for (int question = 0; question < 2; ++question) {
    offer(Msgbox().cmdS, "35.00");
    EXPECT_TRUE(ask("0", [] {
      EXPECT_EQ(Msgbox().txtSprice.Text(), "");  // the size word could not be read
      Msgbox().cmdS.setValue(true);
    }));
  }
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("Duzo98HS.mdb"));
}

}  // namespace
