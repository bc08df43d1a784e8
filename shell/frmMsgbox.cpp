#include "shell/frmMsgbox.h"

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"
#include "shell/dataopen.h"
#include "shell/frmInfor.h"
#include "shell/frmReset.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace shell {

namespace {

constexpr forms::Color kOrange = forms::RGB(255, 128, 0);
constexpr forms::Color kYellow = forms::RGB(255, 255, 128);
constexpr int kWideWidth = 6464;
// In the size question the small box in a button's corner shows a size word.
// It keeps its place but is wider than its design width of 495 twips, which
// holds no size word even in a face too small to read ("Medium" would need
// 5.5 pt): at this width the size words show whole, in a smaller face where
// they need one. An option's price keeps the design width, so that the box
// covers no more of the option's name than it did.
constexpr int kSizeWordWidth = 825;

std::function<SalesPromptControls()>& salesControls() {
  static std::function<SalesPromptControls()> hook;
  return hook;
}

// The sales window's controls as they stand now; an error when there is no
// sales window to answer into (the answer's step is then skipped).
SalesPromptControls sales() {
  SalesPromptControls c;
  if (salesControls()) c = salesControls()();
  if (!c.lblList || !c.txtList || !c.txtMenu || !c.txtPrice)
    throw forms::Error(QStringLiteral("There is no sales window to answer into"));
  return c;
}

// A delete question: its message and its line in the second language.
struct DeleteQuestion {
  const char* mode;
  const char* message;
  const char* secondLanguage;
};
const DeleteQuestion kDeleteQuestions[] = {
    {"2", "Delete Files.", "要 取 消 這 個 文 件 嗎﹖"},
    {"3", "Delete Customers Information.", "要 取 消 顧 客 質 料 嗎﹖"},
    {"4", "Delete Training Invoices.", "要 取 消 培 訓 記 錄 嗎﹖"},
};

}  // namespace

frmMsgbox::frmMsgbox() : Form("frmMsgbox") {
  setBorderStyle(3);
  setStartUpPosition(forms::vbStartUpScreen);
  setCaption(forms::AppTitle());
  setKeyPreview(true);
  setWidth(4245);
  setHeight(2490);

  const QString font = QStringLiteral("MS Sans Serif");
  lblMsg.Move(120, 120, 3975, 495);
  lblC.Move(120, 600, 3975, 495);
  for (forms::Label* label : {&lblMsg, &lblC}) {
    label->setFont(font, 12, true);
    label->setBackColor(forms::vbWhite);
  }

  struct Pair {
    forms::CommandButton* button;
    int left, top;
    forms::TextBox* box;
    int boxLeft, boxTop;
    forms::Color color;
  };
  const Pair pairs[] = {
      {&cmdS, 120, 120, &txtSprice, 150, 150, kOrange},
      {&cmdM, 2280, 120, &txtMprice, 2310, 150, kYellow},
      {&cmdOpt5, 4440, 120, &Text1, 4470, 150, kOrange},
      {&cmdYes, 120, 1320, &txtPrice, 150, 1350, kYellow},
      {&cmdNo, 2280, 1320, &txtLprice, 2320, 1350, kOrange},
      {&cmdOpt6, 4440, 1320, &Text2, 4470, 1350, kYellow},
  };
  for (const Pair& p : pairs) {
    p.button->Move(p.left, p.top, 1815, 975);
    p.button->setStyle(1);
    p.button->setBackColor(p.color);
    p.button->setFont(font, 13.5, true);
    p.button->setUseMnemonic(false);  // option names
    p.button->setVisible(false);
    p.box->Move(p.boxLeft, p.boxTop, 495, 285);
    p.box->setBackColor(p.color);
    p.box->setFont(font, 8.25, true);
    p.box->setFitText(true);
    p.box->setVisible(false);
  }

  datSize.setConnect(QStringLiteral("Access 2000;"));
  datSize.setRecordSource(QStringLiteral("tbSet"));

  cmdS.onClick = [this] { answer(Answer::S); };
  cmdM.onClick = [this] { answer(Answer::M); };
  cmdYes.onClick = [this] { answer(Answer::Yes); };
  cmdNo.onClick = [this] { answer(Answer::No); };
  cmdOpt5.onClick = [this] { answer(Answer::Opt5); };
  cmdOpt6.onClick = [this] { answer(Answer::Opt6); };
}

void frmMsgbox::Form_Load() {
  setBackColor(forms::vbWhite);
  datSize.setDatabaseName(kInstallFolder + QStringLiteral("Duzo98HS.mdb"));
  DataOpener opener;
  if (!opener.open({&datSize}) && !openFailureShown_) {
    openFailureShown_ = true;
    opener.report();
  }
}

QString frmMsgbox::sizeWord(const char* field) {
  db::Recordset& rs = datSize.Recordset();
  return rs.field(QString::fromLatin1(field)).toString();
}

// The layout of the mode, each time the prompt becomes active. Each step
// stands alone, and running the layout again changes nothing more.
void frmMsgbox::Form_Activate() {
  const QString mode = Tag();
  if (mode == QLatin1String("0")) {
    for (forms::TextBox* box : {&txtSprice, &txtMprice, &txtLprice}) box->setWidth(kSizeWordWidth);
    runStep([this] { txtSprice.setText(sizeWord("szSize1")); });
    runStep([this] { txtMprice.setText(sizeWord("szSize2")); });
    runStep([this] { txtPrice.setText(QString()); });
    runStep([this] { txtLprice.setText(sizeWord("szSize3")); });
  } else if (mode == QLatin1String("1")) {
    runStep([this] { lblMsg.setCaption(QStringLiteral("Add New Customer?")); });
  } else if (mode == QLatin1String("6")) {
    runStep([this] { cmdYes.setCaption(QStringLiteral("Add to last Order")); });
    runStep([this] { cmdNo.setCaption(QStringLiteral("New Order")); });
  } else if (mode == QLatin1String("7")) {
    runStep([this] {
      if (cmdOpt5.Caption().isEmpty()) return;
      cmdOpt5.setVisible(true);
      setWidth(kWideWidth);
    });
    // The fourth option's box shows its price without the dollar sign.
    for (forms::TextBox* box : {&txtSprice, &txtMprice, &Text1, &txtPrice, &txtLprice, &Text2}) {
      runStep([box, this] {
        if (box->Text().isEmpty()) return;
        box->setVisible(true);
        const QString format = box == &txtLprice ? QStringLiteral("#,##0.00") : QStringLiteral("$#,##0.00");
        box->setText(rt::Format(box->Text(), format));
      });
    }
    runStep([this] {
      if (cmdOpt6.Caption().isEmpty()) return;
      cmdOpt6.setVisible(true);
      setWidth(kWideWidth);
    });
  } else {
    for (const DeleteQuestion& q : kDeleteQuestions) {
      if (mode != QLatin1String(q.mode)) continue;
      runStep([this, &q] { lblMsg.setCaption(QString::fromUtf8(q.message)); });
      // A second language that cannot be read counts as off, so that the
      // question still has its two buttons.
      bool secondLanguage = false;
      runStep([&secondLanguage] { secondLanguage = Infor().cmdEtoC.Enabled(); });
      if (secondLanguage) {
        runStep([this, &q] { lblC.setCaption(QString::fromUtf8(q.secondLanguage)); });
        runStep([this] { cmdYes.setCaption(QStringLiteral("Del 消 除")); });
        runStep([this] { cmdNo.setCaption(QStringLiteral("No 保 留")); });
      } else {
        runStep([this] { cmdYes.setCaption(QStringLiteral("Del")); });
        runStep([this] { cmdNo.setCaption(QStringLiteral("No")); });
      }
    }
  }

  // A button shows, with its box, only when it has a caption.
  const std::pair<forms::CommandButton*, forms::TextBox*> pairs[] = {
      {&cmdS, &txtSprice}, {&cmdM, &txtMprice}, {&cmdYes, &txtPrice}, {&cmdNo, &txtLprice}};
  for (const auto& [button, box] : pairs) {
    runStep([button = button, box = box] {
      const bool offered = !button->Caption().isEmpty();
      button->setVisible(offered);
      box->setVisible(offered);
    });
  }
  if (QWidget* w = window()) w->repaint();
}

// Escape is the window's close command: the prompt goes without an answer.
void frmMsgbox::Form_KeyPress(int& KeyAscii) {
  if (KeyAscii != 27) return;
  KeyAscii = 0;
  Unload(forms::vbFormControlMenu);
}

// The answer of the pressed button, by mode; then the prompt unloads.
void frmMsgbox::answer(Answer pressed) {
  const QString mode = Tag();
  forms::CommandButton* const buttons[] = {&cmdS, &cmdM, &cmdYes, &cmdNo, &cmdOpt5, &cmdOpt6};
  forms::TextBox* const boxes[] = {&txtSprice, &txtMprice, &txtPrice, &txtLprice, &Text1, &Text2};
  forms::CommandButton& button = *buttons[int(pressed)];
  forms::TextBox& box = *boxes[int(pressed)];

  if (mode == QLatin1String("0") && pressed != Answer::Opt5 && pressed != Answer::Opt6) {
    // The size prefix names the size word the line carries; L has none.
    const char* prefix = pressed == Answer::S    ? "M-"
                         : pressed == Answer::M  ? "L-"
                         : pressed == Answer::No ? "XL-"
                                                 : nullptr;
    if (prefix) runStep([prefix] { sales().lblList->setTag(QString::fromLatin1(prefix)); });
    runStep([&button] { sales().txtList->setTag(button.Caption()); });
  } else if (mode == QLatin1String("4") && pressed == Answer::Yes) {
    runStep([] { Reset().cmdReset.setTag(QStringLiteral("Yes")); });
  } else if (mode == QLatin1String("7")) {
    optionAnswer(button, box);
  }
  answered_ = true;
  runStep([this] { setTag(QStringLiteral("0")); });
  forms::Unload(*this);
}

// The option's name is appended to the item text; its price is added to the
// item's price when both are amounts.
void frmMsgbox::optionAnswer(forms::CommandButton& button, forms::TextBox& box) {
  runStep([&button] {
    forms::Control& menu = *sales().txtMenu;
    menu.setText(menu.Text() + QStringLiteral(" /") + button.Caption());
  });
  runStep([&box] {
    forms::Control& price = *sales().txtPrice;
    if (const std::optional<QString> sum = addedOptionPrice(price.Text(), box.Text())) price.setText(*sum);
  });
}

frmMsgbox& Msgbox() {
  return forms::global<frmMsgbox>();
}

bool ShowPrompt(const QString& mode) {
  frmMsgbox& prompt = Msgbox();
  prompt.answered_ = false;
  prompt.setTag(mode);
  prompt.Show(forms::vbModal);
  return prompt.answered_;
}

void setSalesPromptControls(std::function<SalesPromptControls()> controls) {
  salesControls() = std::move(controls);
}

std::optional<QString> addedOptionPrice(const QString& price, const QString& optionPrice) {
  // An item without a price of its own costs what the option costs.
  const std::optional<rt::Currency> item = price.isEmpty() ? rt::Currency() : rt::TryCCur(price);
  const std::optional<rt::Currency> option = rt::TryCCur(optionPrice);
  if (!item || !option) return std::nullopt;
  return rt::CStr(*item + *option);
}

}  // namespace shell
