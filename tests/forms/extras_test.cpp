// List boxes, the input box, the transfer control, keys that raise KeyPress,
// and the buttons of a fixed single border.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTimer>

#include "tests/forms/support.h"
#include "tests/http_server.h"

namespace {

using forms::Instance;

class frmBits : public forms::Form {
 public:
  frmBits() : Form("frmBits") {
    Move(0, 0, 6000, 4500);
    txtID.Move(120, 120, 2400, 360);
    txtName.Move(120, 600, 2400, 360);
    lstPrinters.Move(120, 1200, 3000, 1500);
    txtID.onKeyPress = [this](int& KeyAscii) {
      keys.push_back(KeyAscii);
      if (!(KeyAscii == 8 || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57))) KeyAscii = 0;
    };
    lstPrinters.onClick = [this] { clicked << lstPrinters.Text(); };
  }
  forms::TextBox txtID{this, "txtID"};
  forms::TextBox txtName{this, "txtName"};
  forms::ListBox lstPrinters{this, "lstPrinters"};
  forms::Inet Inet1{this, "Inet1"};
  std::vector<int> keys;
  QStringList clicked;
};

class ExtrasTest : public FormsTest {};

TEST_F(ExtrasTest, AListBoxListsPicksAndEmpties) {
  Instance<frmBits> f;
  f->Show();
  f->lstPrinters.AddItem("Front");
  f->lstPrinters.AddItem("Kitchen");
  f->lstPrinters.AddItem("Bar", 0);
  EXPECT_EQ(f->lstPrinters.ListCount(), 3);
  EXPECT_EQ(f->lstPrinters.List(0), "Bar");
  EXPECT_EQ(f->lstPrinters.List(2), "Kitchen");
  EXPECT_EQ(f->lstPrinters.List(3), "");
  EXPECT_EQ(f->lstPrinters.ListIndex(), -1);

  auto* list = qobject_cast<QListWidget*>(f->lstPrinters.widget());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 3);
  list->setCurrentRow(1);  // the clerk picks Front
  EXPECT_EQ(f->lstPrinters.ListIndex(), 1);
  f->lstPrinters.setListIndex(2);
  EXPECT_EQ(f->clicked, QStringList({"Front", "Kitchen"}));

  f->lstPrinters.Clear();
  EXPECT_EQ(f->lstPrinters.ListCount(), 0);
  EXPECT_EQ(f->lstPrinters.ListIndex(), -1);
  EXPECT_EQ(list->count(), 0);
  f->Unload();
  EXPECT_EQ(f->lstPrinters.ListCount(), 0);
}

TEST_F(ExtrasTest, TabAndDeleteRaiseNoKeyPressSoAFilteredBoxStillLetsThemWork) {
  Instance<frmBits> f;
  f->Show();
  f->txtID.setText("712");
  f->txtID.SetFocus();
  auto* edit = qobject_cast<QLineEdit*>(f->txtID.widget());
  ASSERT_NE(edit, nullptr);
  edit->setCursorPosition(0);
  // Delete as the X server sends it: the key with the DEL character.
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
  QApplication::sendEvent(edit, &del);
  EXPECT_EQ(f->txtID.Text(), "12");
  forms::SendKeys("a3");
  EXPECT_EQ(f->txtID.Text(), "312");
  const int before = int(f->keys.size());
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  const bool delivered = QApplication::sendEvent(edit, &tab);
  EXPECT_EQ(int(f->keys.size()), before);  // neither Tab nor Delete reached KeyPress
  EXPECT_EQ(f->keys, (std::vector<int>{'a', '3'}));
  EXPECT_TRUE(delivered && tab.isAccepted()) << "Tab was swallowed instead of moving on";
}

TEST_F(ExtrasTest, TheInputBoxGoesThroughTheMessageService) {
  messages.answerInput(QStringLiteral("1234"));
  messages.answerInput(std::nullopt);
  EXPECT_EQ(forms::InputBox("Enter Empolyees ID", "Find"), "1234");
  EXPECT_EQ(forms::InputBox("Enter Empolyees ID"), "");  // Cancel
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[0].prompt, "Enter Empolyees ID");
  EXPECT_EQ(messages.shown()[0].title, "Find");
  EXPECT_TRUE(messages.shown()[0].input);
  EXPECT_EQ(messages.shown()[1].title, "Dovrel POS 4");
}

TEST_F(ExtrasTest, TheTransferControlFetchesTextOrThrowsAndKeepsMessagesRunning) {
  LocalHttpServer server;
  ASSERT_TRUE(server.listening());
  server.set("/v.ver", {200, "1.2\r\n", false});
  server.set("/slow", {200, "", true});
  Instance<frmBits> f;

  int ticks = 0;
  QTimer ticking;
  QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
  ticking.start(5);
  EXPECT_EQ(f->Inet1.OpenURL(server.base() + "/v.ver"), "1.2\r\n");

  // Only the server that never answers meets the short time-out; every other
  // request has the control's own minute, however slow the station.
  struct Case {
    const char* what;
    QString url;
    int timeoutMs;
  } failures[] = {
      {"404", server.base() + "/missing", 60000},
      {"no answer within the time-out", server.base() + "/slow", 500},
      {"connection refused", LocalHttpServer::refusingBase() + "/v.ver", 60000},
      {"not a URL", "no url", 60000},
  };
  for (const Case& c : failures) {
    SCOPED_TRACE(c.what);
    f->Inet1.setRequestTimeoutMs(c.timeoutMs);
    EXPECT_THROW(f->Inet1.OpenURL(c.url), forms::Error);
    EXPECT_FALSE(f->Inet1.StillExecuting());
  }
  EXPECT_GT(ticks, 0);  // the timer ran while the control waited
}

TEST_F(ExtrasTest, UnloadingTheWindowEndsTheWaitAsCancelled) {
  LocalHttpServer server;
  server.set("/slow", {200, "", true});
  Instance<frmBits> f;
  f->Inet1.setRequestTimeoutMs(60000);
  QTimer::singleShot(50, [&] { f->Unload(); });
  EXPECT_THROW(f->Inet1.OpenURL(server.base() + "/slow"), forms::InetCancelled);
  EXPECT_FALSE(f->IsLoaded());
}

class frmHelp : public forms::Form {
 public:
  frmHelp() : Form("frmHelp") { setMDIChild(true); }
};

class frmFrame : public forms::MDIForm {
 public:
  frmFrame() : MDIForm("frmFrame") {}
};

TEST_F(ExtrasTest, AFixedSingleBorderOffersMinimiseAndMaximiseOnlyWhenAsked) {
  Instance<frmFrame> frame;
  forms::setMdiFrame(&*frame);
  struct Case {
    const char* what;
    int border;
    bool buttons;
    bool minMaxShown;
  } cases[] = {
      {"fixed single, no buttons", 1, false, false},
      {"fixed dialog", 3, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Instance<frmHelp> help;
    help->setBorderStyle(c.border);
    help->setMinButton(c.buttons);
    help->setMaxButton(c.buttons);
    help->Show();
    const Qt::WindowFlags flags = help->window()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(bool(flags & Qt::WindowMinimizeButtonHint), c.minMaxShown);
    EXPECT_EQ(bool(flags & Qt::WindowMaximizeButtonHint), c.minMaxShown);
    help->Unload();
  }
  forms::setMdiFrame(nullptr);
}

// A keyboard dialog: no title bar, a frame the user may resize, a window of
// its own even while the program has a main window; a key with a tip.
class frmBare : public forms::Form {
 public:
  frmBare() : Form("frmBare") {
    setBorderStyle(2);
    setControlBox(false);
    setTitleBar(false);
    Move(0, 0, 6000, 4500);
    cmdBack.Move(120, 120, 1200, 480);
    cmdBack.setToolTipText("Back Space");
  }
  forms::CommandButton cmdBack{this, "cmdBack"};
};

TEST_F(ExtrasTest, AWindowWithoutTitleBarKeepsAResizableFrame) {
  Instance<frmFrame> frame;
  forms::setMdiFrame(&*frame);
  Instance<frmBare> bare;
  bare->Show();
  QWidget* w = bare->window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isWindow());
  EXPECT_EQ(w->parentWidget(), nullptr) << "not inside the main window";
  const Qt::WindowFlags flags = w->windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_FALSE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & Qt::FramelessWindowHint);
  EXPECT_EQ(w->size(), QSize(400, 300));
  EXPECT_LT(w->minimumWidth(), 400);
  EXPECT_GT(w->maximumWidth(), 400);
  w->resize(500, 350);
  EXPECT_EQ(w->size(), QSize(500, 350));
  EXPECT_EQ(bare->cmdBack.ToolTipText(), "Back Space");
  EXPECT_EQ(bare->cmdBack.widget()->toolTip(), "Back Space");
  bare->Unload();
  forms::setMdiFrame(nullptr);
}

// A card dialog in miniature: a card box that takes the focus first although
// it is declared last, a box under a button, a multi-line answer box.
class frmCard : public forms::Form {
 public:
  frmCard() : Form("frmCard") {
    Move(0, 0, 6000, 4500);
    txtAmount.Move(120, 120, 2400, 360);
    txtAnswer.Move(120, 600, 2400, 1200);
    txtAnswer.setMultiLine(true);
    txtAnswer.setScrollBars(2);
    txtNotes.Move(2640, 600, 2400, 1200);
    txtNotes.setMultiLine(true);
    txtBox.Move(120, 2000, 2400, 480);
    cmdOver.Move(120, 2000, 1200, 480);  // declared after the box: lies over its left half
    lblCard.Move(2640, 2000, 1200, 480);
    lblCard.setBorderStyle(1);
    txtCardNu.Move(120, 2700, 3000, 360);
    txtCardNu.setTabIndex(0);
    txtAmount.setTabIndex(1);
  }
  forms::TextBox txtAmount{this, "txtAmount"};
  forms::TextBox txtAnswer{this, "txtAnswer"};
  forms::TextBox txtNotes{this, "txtNotes"};
  forms::TextBox txtBox{this, "txtBox"};
  forms::CommandButton cmdOver{this, "cmdOver"};
  forms::Label lblCard{this, "lblCard"};
  forms::TextBox txtCardNu{this, "txtCardNu"};
};

TEST_F(ExtrasTest, TheFirstControlInTabOrderHasTheFocusWhenTheWindowShows) {
  Instance<frmCard> f;
  f->Show();
  EXPECT_EQ(f->window()->focusWidget(), f->txtCardNu.widget());
  // Tab goes on by TabIndex, then through the others in the order declared.
  QWidget* next = f->txtCardNu.widget()->nextInFocusChain();
  while (next && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  EXPECT_EQ(next, f->txtAmount.widget());
}

TEST_F(ExtrasTest, ASelectedTextIsReplacedByWhatIsTyped) {
  Instance<frmCard> f;
  f->Show();
  f->txtCardNu.setText("-- Swipe Credit Card --");
  f->txtCardNu.setSelStart(0);
  f->txtCardNu.setSelLength(23);
  EXPECT_EQ(f->txtCardNu.SelLength(), 23);
  EXPECT_EQ(f->txtCardNu.SelText(), "-- Swipe Credit Card --");
  f->txtCardNu.setSelStart(3);
  EXPECT_EQ(f->txtCardNu.SelLength(), 0);
  f->txtCardNu.setSelLength(99);  // no further than the text goes
  EXPECT_EQ(f->txtCardNu.SelText(), "Swipe Credit Card --");

  f->txtCardNu.setSelStart(0);
  f->txtCardNu.setSelLength(23);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Percent, Qt::NoModifier, QStringLiteral("%"));
  QApplication::sendEvent(f->txtCardNu.widget(), &key);
  EXPECT_EQ(f->txtCardNu.Text(), "%");
}

TEST_F(ExtrasTest, ControlsStackInTheOrderDeclaredAndKeepTheirFramesAndScrollBars) {
  Instance<frmCard> f;
  f->Show();
  const QPoint inBoth = f->cmdOver.widget()->geometry().center();
  EXPECT_EQ(f->widget()->childAt(inBoth), f->cmdOver.widget());
  f->txtBox.setVisible(false);
  f->txtBox.setVisible(true);  // showing again does not raise the box
  EXPECT_EQ(f->widget()->childAt(inBoth), f->cmdOver.widget());

  auto* label = qobject_cast<QLabel*>(f->lblCard.widget());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->frameShape(), QFrame::Box);
  auto* answer = qobject_cast<QPlainTextEdit*>(f->txtAnswer.widget());
  auto* notes = qobject_cast<QPlainTextEdit*>(f->txtNotes.widget());
  ASSERT_TRUE(answer && notes);
  EXPECT_EQ(answer->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(notes->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(notes->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(ExtrasTest, TheWindowHandleFindsTheWindow) {
  Instance<frmCard> f;
  f->Show();
  const std::int32_t handle = f->hWnd();
  ASSERT_NE(handle, 0);
  QWidget* found = QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(handle)));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->window(), f->window());
}

}  // namespace
