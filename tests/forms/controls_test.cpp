// The controls: keys and typing, check boxes, combo boxes, pictures, timers,
// twips and placement, and controls bound to a data control.
#include <sqlite3.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/files/paths.h"
#include "tests/forms/drive.h"
#include "tests/forms/support.h"
#include "tests/heap_scan.h"

namespace {

using forms::Instance;

class frmPad : public forms::Form {
 public:
  frmPad() : Form("frmPad") {
    Move(0, 0, 6000, 4500);
    txtGet.Move(300, 450, 2400, 600);
    txtGet.setFont("MS Sans Serif", 18, true);
    chkBox.setCaption("2nd Language");
    cmbCountry.AddItem("USA");
    cmbCountry.AddItem("Canada");
    txtGet.onKeyPress = [this](int& KeyAscii) { txtGet_KeyPress(KeyAscii); };
    txtGet.onChange = [this] { ++changes; };
    chkBox.onClick = [this] { ++checkClicks; };
    cmbCountry.onClick = [this] { ++comboClicks; };
    cmbCountry.onChange = [this] { ++comboChanges; };
    cmbCountry.onLostFocus = [this] { ++comboLeft; };
    cmbCountry.onKeyPress = [this](int& KeyAscii) {
      comboKeys.push_back(KeyAscii);
      if (KeyAscii == 'x') KeyAscii = 0;
    };
    Timer1.onTimer = [this] { Timer1_Timer(); };
  }
  forms::TextBox txtGet{this, "txtGet"};
  forms::TextBox txtCode{this, "txtCode"};
  forms::CheckBox chkBox{this, "chkBox"};
  forms::ComboBox cmbCountry{this, "cmbCountry"};
  forms::CommandButton cmdPic{this, "cmdPic"};
  forms::Image imgLogo{this, "imgLogo"};
  forms::Timer Timer1{this, "Timer1"};

  std::vector<int> keys;
  std::vector<int> comboKeys;
  int changes = 0;
  int checkClicks = 0;
  int comboClicks = 0;
  int comboChanges = 0;
  int comboLeft = 0;
  int ticks = 0;
  int stopAfter = 3;

 private:
  // Takes digits, the decimal point, backspace and Enter; drops the rest.
  void txtGet_KeyPress(int& KeyAscii) {
    keys.push_back(KeyAscii);
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != '.' && KeyAscii != 8 && KeyAscii != 13) KeyAscii = 0;
  }
  void Timer1_Timer() {
    if (++ticks >= stopAfter) Timer1.setEnabled(false);
  }
};

class ControlsTest : public FormsTest {};

TEST_F(ControlsTest, SendKeysTypesIntoTheFocusedBoxThroughKeyPress) {
  Instance<frmPad> f;
  f->Show();
  f->txtGet.SetFocus();
  forms::SendKeys("1a2{BS}5.x0~");
  EXPECT_EQ(f->txtGet.Text(), "15.0");
  EXPECT_EQ(f->keys, (std::vector<int>{'1', 'a', '2', 8, '5', '.', 'x', '0', 13}));
  // One change per real change of the text: 1, 12, 1, 15, 15., 15.0.
  EXPECT_EQ(f->changes, 6);
}

// A card number typed into a box leaves copies behind: the box's text, the
// text the line edit lays out to show, one entry a digit in its undo list.
// Once wiped, none of them holds the number any more. The number is typed a
// key at a time, as the card reader does, so that the test makes no copy.
TEST_F(ControlsTest, AWipedBoxLeavesNoCopyOfItsTextBehind) {
  static const char16_t kNumber[] = u"4929163847509126";
  constexpr size_t kLength = sizeof kNumber / sizeof kNumber[0] - 1;
  Instance<frmPad> f;
  f->Show();
  f->txtGet.SetFocus();
  for (size_t i = 0; i < kLength; ++i) forms::SendKeys(QString(QChar(kNumber[i])));
  auto* edit = qobject_cast<QLineEdit*>(f->txtGet.widget());
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(f->txtGet.Text() == QStringView(kNumber));
  ASSERT_TRUE(edit->isUndoAvailable());
  // The pad's record of the keys it was sent is the test window's own copy.
  std::fill(f->keys.begin(), f->keys.end(), 0);
  const HeapCopies typed = findInHeap(kNumber, kLength);
  ASSERT_GE(typed.whole, 2) << "the box's text and the line edit's shown text";
  ASSERT_GE(typed.strided, 1) << "the undo list";

  // A copy that shares the box's characters reads zeros: they were
  // overwritten where they lie, not only let go.
  const QString shared = f->txtGet.Text();
  const int changes = f->changes;
  f->txtGet.Wipe();
  EXPECT_EQ(shared, QString(int(kLength), QChar(0)));
  EXPECT_TRUE(f->txtGet.Text().isEmpty());
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(edit->displayText().isEmpty());
  EXPECT_FALSE(edit->isUndoAvailable());
  EXPECT_FALSE(edit->isRedoAvailable());
  EXPECT_FALSE(edit->hasSelectedText());
  EXPECT_EQ(f->changes, changes) << "a wipe raises no Change";
  const HeapCopies left = findInHeap(kNumber, kLength);
  EXPECT_EQ(left.whole, 0);
  EXPECT_EQ(left.strided, 0);

  // The box works on as before.
  forms::SendKeys("12");
  EXPECT_EQ(f->txtGet.Text(), "12");
}

TEST_F(ControlsTest, ActiveControlIsTheControlWithTheFocus) {
  Instance<frmPad> f;
  f->Show();
  EXPECT_EQ(f->ActiveControl(), nullptr);
  f->txtGet.SetFocus();
  EXPECT_EQ(f->ActiveControl(), &f->txtGet);
  // The focus on the combo box's editor is the combo box's.
  f->cmbCountry.SetFocus();
  EXPECT_EQ(f->ActiveControl(), &f->cmbCountry);
  f->Hide();
  EXPECT_EQ(f->ActiveControl(), &f->cmbCountry) << "kept while the window is not active";
}

TEST_F(ControlsTest, APasswordBoxShowsItsOwnMaskCharacter) {
  Instance<frmPad> f;
  f->Show();
  f->txtGet.setText("3456");
  f->txtGet.setPasswordChar("*");
  auto* edit = qobject_cast<QLineEdit*>(f->txtGet.widget());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->displayText(), "****");
  f->txtGet.setPasswordChar("");
  EXPECT_EQ(edit->displayText(), "3456");
}

TEST_F(ControlsTest, TextWrittenByCodeShowsFromItsStart) {
  Instance<frmPad> f;
  f->Show();
  f->txtGet.setText("Extra Long Extra Long Extra Long Extra Long");
  auto* edit = qobject_cast<QLineEdit*>(f->txtGet.widget());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->cursorPosition(), 0);
  // Typing goes on where the clerk's cursor is.
  f->txtGet.setText("");
  f->txtGet.SetFocus();
  forms::SendKeys("12");
  EXPECT_EQ(f->txtGet.Text(), "12");
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(ControlsTest, MaxLengthLimitsTypingButNotCode) {
  Instance<frmPad> f;
  f->Show();
  f->txtGet.setMaxLength(3);
  f->txtGet.SetFocus();
  forms::SendKeys("12345");
  EXPECT_EQ(f->txtGet.Text(), "123");
  f->txtGet.setText("123456");
  EXPECT_EQ(f->txtGet.Text(), "123456");
}

// A box's text rule holds whatever way a text arrives: a pasted or dropped
// text it refuses is taken back, with no change event; one it takes runs the
// change step as typing does. Code writes any text.
TEST_F(ControlsTest, ATextRuleHoldsForPastedAndDroppedText) {
  Instance<frmPad> f;
  f->Show();
  f->txtCode.Move(300, 1500, 2400, 600);
  int changes = 0;
  f->txtCode.onChange = [&changes] { ++changes; };
  f->txtCode.setAccepts([](const QString& text) {
    for (const QChar c : text)
      if (!c.isDigit()) return false;
    return true;
  });
  for (const drive::Arrival how : drive::kArrivals) {
    SCOPED_TRACE(drive::arrivalName(how));
    f->txtCode.setText("12");
    f->txtCode.setSelStart(2);
    changes = 0;
    drive::arrive(f->txtCode, "3x", how);
    EXPECT_EQ(f->txtCode.Text().toStdString(), "12");
    EXPECT_EQ(qobject_cast<QLineEdit*>(f->txtCode.widget())->text().toStdString(), "12");
    EXPECT_EQ(changes, 0);
    drive::arrive(f->txtCode, "34", how);
    EXPECT_EQ(f->txtCode.Text().toStdString(), "1234");
    EXPECT_EQ(changes, 1);
  }
  f->txtCode.SetFocus();
  forms::SendKeys("5a");
  EXPECT_EQ(f->txtCode.Text().toStdString(), "12345");
  f->txtCode.setText("x");
  EXPECT_EQ(f->txtCode.Text().toStdString(), "x");
}

TEST_F(ControlsTest, CheckBoxClickRunsOnEveryChangeOfValue) {
  Instance<frmPad> f;
  f->Show();
  auto* box = qobject_cast<QCheckBox*>(f->chkBox.widget());
  ASSERT_NE(box, nullptr);
  struct Step {
    const char* what;
    std::function<void()> act;
    int value;
    int clicks;
  };
  const std::vector<Step> steps = {
      {"clerk ticks", [&] { box->click(); }, forms::vbChecked, 1},
      {"code sets the same", [&] { f->chkBox.setValue(forms::vbChecked); }, forms::vbChecked, 1},
      {"code greys", [&] { f->chkBox.setValue(forms::vbGrayed); }, forms::vbGrayed, 2},
      {"clerk clicks the greyed box", [&] { box->click(); }, forms::vbChecked, 3},
      {"clerk clears", [&] { box->click(); }, forms::vbUnchecked, 4},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(f->chkBox.Value(), s.value) << s.what;
    EXPECT_EQ(f->checkClicks, s.clicks) << s.what;
    const Qt::CheckState shown = s.value == forms::vbChecked  ? Qt::Checked
                                 : s.value == forms::vbGrayed ? Qt::PartiallyChecked
                                                              : Qt::Unchecked;
    EXPECT_EQ(box->checkState(), shown) << s.what;
  }
  EXPECT_THROW(f->chkBox.setValue(3), forms::Error);
}

TEST_F(ControlsTest, ComboBoxListAndText) {
  Instance<frmPad> f;
  EXPECT_EQ(f->cmbCountry.ListCount(), 2);
  EXPECT_EQ(f->cmbCountry.List(1), "Canada");
  EXPECT_EQ(f->cmbCountry.List(5), "");
  f->cmbCountry.setListIndex(1);
  EXPECT_EQ(f->cmbCountry.Text(), "Canada");
  EXPECT_EQ(f->comboClicks, 1);
  EXPECT_EQ(f->comboChanges, 0);
  f->cmbCountry.setText("usa");  // names the first item
  EXPECT_EQ(f->cmbCountry.ListIndex(), 0);
  EXPECT_EQ(f->comboChanges, 1);
  f->cmbCountry.setText("Mexico");
  EXPECT_EQ(f->cmbCountry.ListIndex(), -1);
  f->cmbCountry.AddItem("Mexico", 0);
  EXPECT_EQ(f->cmbCountry.List(0), "Mexico");
  EXPECT_EQ(f->cmbCountry.ListCount(), 3);
  f->cmbCountry.Clear();
  EXPECT_EQ(f->cmbCountry.ListCount(), 0);
  EXPECT_EQ(f->cmbCountry.ListIndex(), -1);
  EXPECT_EQ(f->cmbCountry.Text(), "");
  EXPECT_THROW(f->cmbCountry.setListIndex(0), forms::Error);
}

TEST_F(ControlsTest, TypingIntoAComboNeverChoosesOnlyItsListDoes) {
  Instance<frmPad> f;
  f->Show();
  auto* edit = qobject_cast<QComboBox*>(f->cmbCountry.widget())->lineEdit();
  f->cmbCountry.SetFocus();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);  // as when the window has the focus
  QApplication::sendEvent(edit, &focusIn);
  forms::SendKeys("c");
  EXPECT_EQ(edit->text().toStdString(), "c") << "the box shows what was typed, nothing completed";
  EXPECT_EQ(f->cmbCountry.Text(), "c");
  forms::SendKeys("anada~");
  f->txtGet.SetFocus();
  emit edit->editingFinished();  // leaving the box, whether or not the window has the focus
  EXPECT_EQ(f->cmbCountry.Text(), "canada");
  EXPECT_EQ(f->comboClicks, 0) << "neither Enter nor leaving the box chooses";
  EXPECT_EQ(f->cmbCountry.ListCount(), 2) << "the list never takes in what was typed";

  drive::chooseFromList(f->cmbCountry, 1);
  EXPECT_EQ(f->comboClicks, 1) << "choosing the item whose name was typed";
  drive::chooseFromList(f->cmbCountry, 1);
  EXPECT_EQ(f->comboClicks, 2) << "choosing the item already chosen";
  drive::chooseFromList(f->cmbCountry, 0);
  EXPECT_EQ(f->comboClicks, 3);
  EXPECT_EQ(f->cmbCountry.Text(), "USA");
  EXPECT_EQ(f->cmbCountry.ListIndex(), 0);
  EXPECT_EQ(f->cmbCountry.ListCount(), 2);
}

// A combo box is left when the focus goes to another control of its window;
// opening its own list does not leave it.
TEST_F(ControlsTest, AComboIsLeftForAnotherControlOfItsWindowOnly) {
  Instance<frmPad> f;
  f->Show();
  QWidget* window = f->cmbCountry.widget()->window();
  for (int i = 0; i < 100 && !window->isActiveWindow(); ++i) QApplication::processEvents();
  ASSERT_TRUE(window->isActiveWindow());
  auto* combo = qobject_cast<QComboBox*>(f->cmbCountry.widget());
  f->cmbCountry.SetFocus();
  combo->showPopup();
  QApplication::processEvents();
  combo->hidePopup();
  QApplication::processEvents();
  EXPECT_EQ(f->comboLeft, 0);
  f->txtGet.SetFocus();
  EXPECT_EQ(f->comboLeft, 1);
  f->txtGet.SetFocus();
  EXPECT_EQ(f->comboLeft, 1);
}

// A key typed into the middle of a combo box's text goes where the caret
// stands, as in a text box; the caret stays after it.
TEST_F(ControlsTest, TypingIntoTheMiddleOfAComboTextKeepsTheCaret) {
  Instance<frmPad> f;
  f->Show();
  auto* edit = qobject_cast<QComboBox*>(f->cmbCountry.widget())->lineEdit();
  f->cmbCountry.SetFocus();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(edit, &focusIn);
  forms::SendKeys("Cda");
  edit->setCursorPosition(1);
  forms::SendKeys("ana");
  EXPECT_EQ(f->cmbCountry.Text().toStdString(), "Canada") << "each key lands at the caret";
  EXPECT_EQ(edit->text().toStdString(), "Canada");
  EXPECT_EQ(edit->cursorPosition(), 4);
  EXPECT_EQ(f->comboChanges, 6);
}

// A text set by code that a later AddItem puts in the list is still no choice:
// Enter in the box or leaving it runs no Click.
TEST_F(ControlsTest, AnItemAddedUnderTheTextIsNotChosenByLeavingTheBox) {
  Instance<frmPad> f;
  f->Show();
  auto* edit = qobject_cast<QComboBox*>(f->cmbCountry.widget())->lineEdit();
  f->cmbCountry.setText("Peru");
  f->cmbCountry.AddItem("Peru");
  f->cmbCountry.SetFocus();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(edit, &focusIn);
  forms::SendKeys("~");
  f->txtGet.SetFocus();
  emit edit->editingFinished();
  EXPECT_EQ(f->comboClicks, 0);
  EXPECT_EQ(f->cmbCountry.Text(), "Peru");
  EXPECT_EQ(f->cmbCountry.ListIndex(), -1);
  drive::chooseFromList(f->cmbCountry, 2);
  EXPECT_EQ(f->comboClicks, 1) << "the list still chooses it";
  EXPECT_EQ(f->cmbCountry.ListIndex(), 2);
}

// Each key reaches the combo box's KeyPress once, Enter included, whether it
// comes to the box or to its line edit; a dropped key is not typed.
TEST_F(ControlsTest, AComboBoxRaisesKeyPressOncePerKey) {
  Instance<frmPad> f;
  f->Show();
  auto* combo = qobject_cast<QComboBox*>(f->cmbCountry.widget());
  f->cmbCountry.SetFocus();
  forms::SendKeys("1x2~");
  EXPECT_EQ(f->comboKeys, (std::vector<int>{'1', 'x', '2', 13}));
  EXPECT_EQ(f->cmbCountry.Text(), "12");
  f->comboKeys.clear();
  for (QWidget* target : {static_cast<QWidget*>(combo), static_cast<QWidget*>(combo->lineEdit())}) {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(target, &enter);
  }
  EXPECT_EQ(f->comboKeys, (std::vector<int>{13, 13}));
  EXPECT_EQ(f->comboClicks, 0);
}

// A caption wider than its button breaks at blanks into lines that fit; the
// caption itself stays as it was written.
TEST_F(ControlsTest, ACaptionTooWideForItsButtonWraps) {
  const QFontMetrics m(forms::toQFont({"Arial", 12, true}));
  const int word = m.horizontalAdvance("Appointment");
  const struct {
    const char* caption;
    int width;
    const char* shown;
  } cases[] = {
      {"Appointment Cancelled", 1000, "Appointment Cancelled"},
      {"Appointment Cancelled", word + 2, "Appointment\nCancelled"},
      {"Appointment Cancelled Today", m.horizontalAdvance("Cancelled Today") + 2,
       "Appointment\nCancelled Today"},
      {"Appointment", word / 2, "Appointment"},  // one word keeps its line
      {"", 10, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(forms::wrappedCaption(c.caption, m, c.width).toStdString(), c.shown)
        << c.caption << " " << c.width;

  Instance<frmPad> f;
  f->cmdPic.Move(0, 0, 1200, 975);
  f->cmdPic.setFont("Arial", 12, true);
  f->cmdPic.setCaption("Appointment Cancelled");
  f->Show();
  EXPECT_EQ(qobject_cast<QToolButton*>(f->cmdPic.widget())->text(), "Appointment\nCancelled");
  EXPECT_EQ(f->cmdPic.Caption(), "Appointment Cancelled");
}

// A page of buttons: one shows names from the data, one a caption written
// in the code.
class frmPage : public forms::Form {
 public:
  frmPage() : Form("frmPage") {
    Move(0, 0, 6000, 4500);
    cmdItem.Move(0, 0, 3000, 975);
    cmdItem.setUseMnemonic(false);
    cmdAbout.Move(0, 1200, 3000, 975);
  }
  forms::CommandButton cmdItem{this, "cmdItem"};
  forms::CommandButton cmdAbout{this, "cmdAbout"};
};

TEST_F(ControlsTest, ANameFromTheDataShowsItsAmpersandAndMarksNoShortcut) {
  Instance<frmPage> f;
  const struct {
    forms::CommandButton frmPage::*button;
    const char* caption;
    const char* widgetText;  // what the button is given: "&&" shows one "&"
    const char* shortcut;
  } cases[] = {
      {&frmPage::cmdItem, "Cut & Color", "Cut && Color", ""},
      {&frmPage::cmdItem, "Wash & Blow Dry", "Wash && Blow Dry", ""},
      {&frmPage::cmdItem, "&Perm", "&&Perm", ""},
      {&frmPage::cmdAbout, "&System Info...", "&System Info...", "Alt+S"},
  };
  for (int load = 0; load < 2; ++load) {  // the setting is the button's design: it holds after a reload
    for (const auto& c : cases) {
      forms::CommandButton& b = (*f).*c.button;
      b.setCaption(c.caption);
      const QString text = qobject_cast<QToolButton*>(b.widget())->text();
      EXPECT_EQ(b.Caption(), c.caption);
      EXPECT_EQ(text.toStdString(), c.widgetText);
      EXPECT_EQ(QKeySequence::mnemonic(text).toString().toStdString(), c.shortcut) << c.caption;
    }
    forms::Unload(*f);
  }
}

TEST_F(ControlsTest, PicturesLoadFromAPathOrFail) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString good = dir.filePath("sales.png");
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(good));
  const QString notPicture = dir.filePath("notes.bmp");
  {
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
  }
  struct Case {
    const char* what;
    QString path;
    bool fails;
    QString pictureAfter;  // starting from the good picture
  };
  const std::vector<Case> cases = {
      {"a picture", good, false, good},
      {"empty path clears", "", false, ""},
      {"missing file", dir.filePath("missing.png"), true, good},
      {"not a picture", notPicture, true, good},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Instance<frmPad> f;
    f->cmdPic.setCaption("Sales");
    f->cmdPic.setPicture(good);
    f->imgLogo.setPicture(good);
    if (c.fails) {
      EXPECT_THROW(f->cmdPic.setPicture(c.path), forms::Error);
      EXPECT_THROW(f->imgLogo.setPicture(c.path), forms::Error);
    } else {
      f->cmdPic.setPicture(c.path);
      f->imgLogo.setPicture(c.path);
    }
    EXPECT_EQ(f->cmdPic.Picture(), c.pictureAfter);
    EXPECT_EQ(f->imgLogo.Picture(), c.pictureAfter);
    auto* button = qobject_cast<QToolButton*>(f->cmdPic.widget());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->icon().isNull(), c.pictureAfter.isEmpty());
  }
}

TEST_F(ControlsTest, AWindowsPicturePathLoadsFromUnderTheDataRoot) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const std::string savedRoot = files::root();
  files::setRoot(root.path().toStdString());
  ASSERT_TRUE(QDir().mkpath(root.filePath("drive_c/Program Files/Dovrel POS 4/Pics")));
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::blue);
  ASSERT_TRUE(image.save(root.filePath("drive_c/Program Files/Dovrel POS 4/Pics/cut.png")));
  const QString linuxPath = root.filePath("drive_c/Program Files/Dovrel POS 4/Pics/cut.png");

  struct Case {
    const char* what;
    QString path;
    bool loads;
  } cases[] = {
      {"Windows path, any case", "C:\\Program Files\\Dovrel POS 4\\PICS\\Cut.png", true},
      {"Linux path as it is", linuxPath, true},
      {"relative path gets no folder in front", "Pics\\cut.png", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Instance<frmPad> f;
    if (c.loads) {
      f->cmdPic.setPicture(c.path);
      f->imgLogo.setPicture(c.path);
      EXPECT_EQ(f->cmdPic.Picture(), c.path);  // kept as it was given
      auto* button = qobject_cast<QToolButton*>(f->cmdPic.widget());
      ASSERT_NE(button, nullptr);
      EXPECT_FALSE(button->icon().isNull());
    } else {
      EXPECT_THROW(f->cmdPic.setPicture(c.path), forms::Error);
    }
  }
  files::setRoot(savedRoot);
}

TEST_F(ControlsTest, TimerRunsWhileEnabledAndStopsWithTheWindow) {
  Instance<frmPad> f;
  f->Timer1.setInterval(5);
  ASSERT_TRUE(waitFor([&] { return f->ticks >= 3; }));
  EXPECT_FALSE(f->Timer1.Enabled());
  waitFor([] { return false; }, 60);
  EXPECT_EQ(f->ticks, 3) << "a disabled timer does not run";

  f->stopAfter = 1000;
  f->Timer1.setEnabled(true);
  ASSERT_TRUE(waitFor([&] { return f->ticks >= 4; }));
  forms::Unload(*f);
  const int atUnload = f->ticks;
  waitFor([] { return false; }, 60);
  EXPECT_EQ(f->ticks, atUnload) << "an unloaded window's timer is gone";
  EXPECT_EQ(f->Timer1.Interval(), 0) << "design interval after reload";
}

TEST_F(ControlsTest, GeometryInTwipsAndThePlacementRule) {
  Instance<frmPad> f;
  const int tpp = forms::Screen::TwipsPerPixelX();
  EXPECT_EQ(f->txtGet.widget(), nullptr) << "widget() does not load";
  (void)f->txtGet.Text();
  QWidget* w = f->txtGet.widget();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), QRect(300 / tpp, 450 / tpp, 2400 / tpp, 600 / tpp));
  EXPECT_EQ(f->widget()->size(), QSize(6000 / tpp, 4500 / tpp));
  EXPECT_EQ(forms::Screen::Width(), QGuiApplication::primaryScreen()->geometry().width() * tpp);

  struct Case {
    double n;
  };
  for (const Case& c : std::vector<Case>{{20}, {5}, {2}, {1.2}}) {
    f->Place(c.n);
    EXPECT_EQ(f->Left(), int(std::lround((forms::Screen::Width() - 6000) / 2.0)));
    EXPECT_EQ(f->Top(), int(std::lround((forms::Screen::Height() - 4500) / c.n)));
  }
  f->setBackColor(forms::RGB(192, 255, 192));
  EXPECT_EQ(f->widget()->palette().color(QPalette::Window), QColor(192, 255, 192));
  // Fonts the windows name map to installed families.
  EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 18);
  EXPECT_TRUE(w->font().bold());
  EXPECT_EQ(forms::toQFont({"MS Sans Serif", 8.25}).styleHint(), QFont::SansSerif);
  EXPECT_EQ(forms::toQFont({"Courier New", 10}).styleHint(), QFont::TypeWriter);
}

// A yellow frame holding a box and a label: the frame paints yellow, the box
// keeps the colours of a box, and a colour the label was given is its own.
class frmFramed : public forms::Form {
 public:
  frmFramed() : Form("frmFramed") {
    Frame1.setBackColor(forms::RGB(255, 255, 192));
    Frame1.setForeColor(forms::RGB(128, 0, 0));
    Frame1.Move(120, 120, 4000, 2000);
    Text1.setContainer(Frame1);
    Text1.Move(120, 360, 2000, 360);
    Label1.setContainer(Frame1);
    Label1.setForeColor(forms::RGB(0, 0, 128));
    Label1.Move(120, 840, 2000, 360);
  }
  forms::Frame Frame1{this, "Frame1"};
  forms::TextBox Text1{this, "Text1"};
  forms::Label Label1{this, "Label1"};
};

TEST_F(ControlsTest, AControlInAFrameKeepsItsOwnColours) {
  Instance<frmFramed> f;
  f->Show();
  QWidget* box = f->Text1.widget();
  ASSERT_NE(box, nullptr);
  const QPalette plain = QApplication::palette(box);
  EXPECT_EQ(f->Frame1.widget()->palette().color(QPalette::Window), QColor(255, 255, 192));
  EXPECT_EQ(box->palette().color(QPalette::Base), plain.color(QPalette::Base));
  EXPECT_EQ(box->palette().color(QPalette::Text), plain.color(QPalette::Text));
  EXPECT_EQ(f->Label1.widget()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(ControlsTest, HourglassPointer) {
  forms::Screen::setMousePointer(forms::vbHourglass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  forms::Screen::setMousePointer(forms::vbDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
}

// ---- controls bound to a data control

// A settings window bound to the one row of tbSet.
class frmSettings : public forms::Form {
 public:
  explicit frmSettings(const QString& file, const QString& source = "SELECT * FROM tbSet ORDER BY ID ASC",
                       const db::Params& params = {})
      : Form("frmSettings") {
    DatSet.setDatabaseName(file);
    DatSet.setRecordSource(source, params);
    txtNWsetin.setDataSource(DatSet);
    txtNWsetin.setDataField("SetC");
    txtPath.setDataSource(DatSet);
    txtPath.setDataField("SetP");
    txtPath.setText("\\\\Server\\");
    chkEtoC.setDataSource(DatSet);
    chkEtoC.setDataField("cmdEtoC");
    chkEtoC.onClick = [this] { ++clicks; };
    txtNWsetin.onChange = [this] {
      ++modeChanges;
      if (onModeChange) onModeChange();
    };
  }
  forms::TextBox txtNWsetin{this, "txtNWsetin"};
  forms::TextBox txtPath{this, "txtPath"};
  forms::CheckBox chkEtoC{this, "chkEtoC"};
  forms::Data DatSet{this, "DatSet"};
  int clicks = 0;
  int modeChanges = 0;
  std::function<void()> onLoad;
  std::function<void()> onModeChange;

 protected:
  void Form_Load() override {
    if (onLoad) onLoad();
  }
};

class BoundTest : public FormsTest {
 protected:
  void makeFile(const QString& checkValue) {
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath("Duzo98HS.mdb");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &raw), SQLITE_OK);
    const QString sql = QStringLiteral(
                            "CREATE TABLE tbSet (ID INTEGER PRIMARY KEY AUTOINCREMENT, SetC TEXT, SetP TEXT, "
                            "cmdEtoC INTEGER);"
                            "INSERT INTO tbSet (SetC, SetP, cmdEtoC) VALUES ('Single', '-', %1);")
                            .arg(checkValue);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(raw, sql.toUtf8().constData(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(raw);
  }
  QVariant stored(const QString& field) {
    return db::Database::open(file)->scalar(QStringLiteral("SELECT %1 FROM tbSet").arg(field));
  }
  QTemporaryDir dir;
  QString file;
};

TEST_F(BoundTest, ABoundCheckBoxRunsClickWhenTheRowChangesIt) {
  struct Case {
    const char* stored;
    int value;
    int clicks;
  };
  const std::vector<Case> cases = {{"-1", forms::vbChecked, 1},  {"1", forms::vbChecked, 1},
                                   {"'1'", forms::vbChecked, 1}, {"2", forms::vbGrayed, 1},
                                   {"0", forms::vbUnchecked, 0}, {"NULL", forms::vbUnchecked, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    makeFile(c.stored);
    Instance<frmSettings> f(file);
    EXPECT_EQ(f->txtNWsetin.Text(), "Single") << "the data control opens after the load step";
    EXPECT_EQ(f->chkEtoC.Value(), c.value);
    EXPECT_EQ(f->clicks, c.clicks);
    EXPECT_EQ(f->modeChanges, 1) << "a bound box's change step runs when the row is shown";
    forms::Unload(*f);
    QFile::remove(file);
  }
}

TEST_F(BoundTest, UnloadWritesBackOnlyWhatChanged) {
  makeFile("0");
  Instance<frmSettings> f(file);
  EXPECT_EQ(f->txtPath.Text(), "-");
  f->txtNWsetin.setText("File Sharing");
  // Another window writes SetP meanwhile; this one did not change its box.
  db::Database::open(file)->execute("UPDATE tbSet SET SetP = ?", {QStringLiteral("\\\\Host\\")});
  f->chkEtoC.setValue(forms::vbChecked);
  EXPECT_TRUE(forms::Unload(*f));
  EXPECT_EQ(stored("SetC").toString(), "File Sharing");
  EXPECT_EQ(stored("SetP").toString(), "\\\\Host\\");
  EXPECT_EQ(stored("cmdEtoC").toInt(), 1) << "a check box writes its value";
  EXPECT_FALSE(f->DatSet.control().isOpen()) << "released with the window";

  // Loaded afresh: the boxes show the row again.
  EXPECT_EQ(f->txtNWsetin.Text(), "File Sharing");
  EXPECT_EQ(f->txtPath.Text(), "\\\\Host\\");
}

TEST_F(BoundTest, AFileThatCannotBeOpenedIsReportedNotThrown) {
  file = dir.filePath("missing.mdb");
  Instance<frmSettings> f(file);
  messages.answer(forms::vbOK);
  EXPECT_EQ(f->txtPath.Text(), "\\\\Server\\");
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].prompt.contains("missing.mdb")) << messages.shown()[0].prompt.toStdString();
  EXPECT_TRUE(f->IsLoaded());
}

TEST_F(BoundTest, ACheckBoxWritesItsValueAsTheSettingsFilesHoldIt) {
  // The first-install rows hold 0 and 1; a box writes its value only when
  // the clerk or code changed it, so a row it did not change keeps its value.
  struct Case {
    const char* stored;
    std::vector<int> values;  // set one after the other before the unload
    const char* after;        // the field as another reader finds it
    int shownAfterReload;
  };
  const std::vector<Case> cases = {
      {"1", {}, "1", forms::vbChecked},
      {"1", {forms::vbUnchecked}, "0", forms::vbUnchecked},
      {"0", {forms::vbChecked}, "1", forms::vbChecked},
      {"NULL", {forms::vbChecked}, "1", forms::vbChecked},
      {"-1", {forms::vbUnchecked, forms::vbChecked}, "-1", forms::vbChecked},  // back as shown
      {"0", {forms::vbGrayed}, "2", forms::vbGrayed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " -> " + c.after);
    makeFile(c.stored);
    Instance<frmSettings> f(file);
    for (int v : c.values) f->chkEtoC.setValue(v);
    EXPECT_TRUE(forms::Unload(*f));
    const QVariant after = stored("cmdEtoC");
    EXPECT_EQ(after.typeId(), QMetaType::LongLong) << "stored as a number";
    EXPECT_EQ(after.toString(), c.after);
    EXPECT_EQ(f->chkEtoC.Value(), c.shownAfterReload);
    forms::Unload(*f);
    QFile::remove(file);
  }
}

TEST_F(BoundTest, ARecordSourceWithValuesOpensAgainAfterEachLoad) {
  makeFile("0");
  Instance<frmSettings> f(file, "SELECT * FROM tbSet WHERE SetC = ?", db::Params{QStringLiteral("Single")});
  for (int load = 1; load <= 2; ++load) {
    SCOPED_TRACE(load);
    EXPECT_EQ(f->txtPath.Text(), "-") << "the design values are bound again";
    EXPECT_TRUE(forms::Unload(*f));
  }
}

TEST_F(BoundTest, ARefreshThatFailsInTheLoadStepIsReportedOnce) {
  file = dir.filePath("missing.mdb");
  Instance<frmSettings> f(file);
  f->onLoad = [&] { f->DatSet.Refresh(); };  // lets the failure escape the load step
  messages.answer(forms::vbOK);
  EXPECT_EQ(f->txtPath.Text(), "\\\\Server\\");
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].prompt.contains("missing.mdb"));
  EXPECT_FALSE(f->DatSet.IsOpen());
  // The next load tries again.
  forms::Unload(*f);
  messages.answer(forms::vbOK);
  (void)f->txtPath.Text();
  EXPECT_EQ(messages.shown().size(), 2u);
}

TEST_F(BoundTest, AChangeStepThatRefreshesItsOwnDataControlOntoAMissingFileIsReportedOnce) {
  makeFile("0");
  Instance<frmSettings> f(file);
  ASSERT_EQ(f->txtNWsetin.Text(), "Single");
  // The change step of a bound box points its own data control at another
  // file and refreshes it, while the control is showing a row.
  f->onModeChange = [&] {
    f->DatSet.setDatabaseName(dir.filePath("missing.mdb"));
    f->DatSet.Refresh();
  };
  db::Database::open(file)->execute("UPDATE tbSet SET SetC = 'File Sharing'");
  messages.answer(forms::vbOK);
  f->DatSet.Recordset().requery();
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].prompt.contains("missing.mdb"));
  EXPECT_FALSE(f->DatSet.IsOpen());
  f->onModeChange = nullptr;
  EXPECT_TRUE(forms::Unload(*f));
}

}  // namespace
