// The rules of the window runtime: load on touch, MDI children, unload,
// change events, deferred unload, modal show, message boxes, handler errors.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/forms/support.h"

namespace {

using forms::Instance;

// A plain window with one control of each kind the rules are about.
class frmProbe : public forms::Form {
 public:
  frmProbe() : Form("frmProbe") {
    setCaption("Probe");
    Move(0, 0, 6000, 4000);
    setTag("design tag");
    txtTotal.setText("0.00");
    txtTotal.Move(120, 120, 1500, 375);
    txtPlain.setText("");
    lblName.setCaption("design");
    chkOpt.setValue(forms::vbChecked);
    cmbList.AddItem("A");
    cmbList.AddItem("B");
    cmdClose.setCaption("Close");
    txtTotal.onChange = [this] { txtTotal_Change(); };
    txtPlain.onChange = [this] { ++plainChanges; };
    lblName.onChange = [this] { ++labelChanges; };
    cmdClose.onClick = [this] { cmdClose_Click(); };
  }

  forms::TextBox txtTotal{this, "txtTotal"};
  forms::TextBox txtPlain{this, "txtPlain"};
  forms::Label lblName{this, "lblName"};
  forms::CheckBox chkOpt{this, "chkOpt"};
  forms::ComboBox cmbList{this, "cmbList"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::Timer tmrTick{this, "tmrTick"};

  // The window's own variables.
  int loads = 0;
  int unloads = 0;
  int queries = 0;
  int lastUnloadMode = -1;
  int changes = 0;
  int plainChanges = 0;
  int labelChanges = 0;
  int activations = 0;
  int cancelQuery = 0;
  int cancelUnload = 0;
  std::function<void()> onLoad;
  std::function<void()> onClose;

 protected:
  void Form_Load() override {
    ++loads;
    if (onLoad) onLoad();
  }
  void Form_Activate() override { ++activations; }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    ++queries;
    lastUnloadMode = UnloadMode;
    Cancel = cancelQuery;
  }
  void Form_Unload(int& Cancel) override {
    ++unloads;
    Cancel = cancelUnload;
  }

 private:
  // Formats its own box: the change step re-enters once with the formatted
  // text and then ends.
  void txtTotal_Change() {
    ++changes;
    bool ok = false;
    const double v = txtTotal.Text().toDouble(&ok);
    if (ok) txtTotal.setText(QString::number(v, 'f', 2));
  }
  void cmdClose_Click() {
    if (onClose) onClose();
  }
};

class frmChild : public forms::Form {
 public:
  frmChild() : Form("frmChild") {
    setMDIChild(true);
    Move(0, 0, 3000, 2000);
    txtMode.setText("Single");
  }
  forms::TextBox txtMode{this, "txtMode"};
  int loads = 0;
  int activations = 0;
  int cancelQuery = 0;
  std::vector<int> queryModes;
  int unloads = 0;
  std::function<void()> onActivate;

 protected:
  void Form_Load() override { ++loads; }
  void Form_Activate() override {
    ++activations;
    if (onActivate) onActivate();
  }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    queryModes.push_back(UnloadMode);
    Cancel = cancelQuery;
  }
  void Form_Unload(int&) override { ++unloads; }
};

class frmFrame : public forms::MDIForm {
 public:
  frmFrame() : MDIForm("frmFrame") {
    setCaption("Frame");
    Move(0, 0, 9000, 7000);
    mmFile.setCaption("File");
    mmClose.setCaption("Close");
    mmClose.onClick = [this] { forms::Unload(*this); };
  }
  forms::Menu mmFile{this, "mmFile"};
  forms::Menu mmClose{this, "mmClose", &mmFile};
  int loads = 0;
  int unloads = 0;

 protected:
  void MDIForm_Load() override { ++loads; }
  void MDIForm_Unload(int&) override { ++unloads; }
};

class FormRulesTest : public FormsTest {};

// ---- load on touch

struct Touch {
  const char* what;
  std::function<void(frmProbe&)> touch;
};

TEST_F(FormRulesTest, AnyTouchLoadsOnceAndOnlyTheFirst) {
  const std::vector<Touch> touches = {
      {"text read", [](frmProbe& f) { (void)f.txtTotal.Text(); }},
      {"text write", [](frmProbe& f) { f.txtPlain.setText("x"); }},
      {"tag write", [](frmProbe& f) { f.txtTotal.setTag("t"); }},
      {"caption read", [](frmProbe& f) { (void)f.lblName.Caption(); }},
      {"enabled write", [](frmProbe& f) { f.cmdClose.setEnabled(false); }},
      {"visible read", [](frmProbe& f) { (void)f.chkOpt.Visible(); }},
      {"geometry read", [](frmProbe& f) { (void)f.txtTotal.Left(); }},
      {"value read", [](frmProbe& f) { (void)f.chkOpt.Value(); }},
      {"list count", [](frmProbe& f) { (void)f.cmbList.ListCount(); }},
      {"timer interval", [](frmProbe& f) { (void)f.tmrTick.Interval(); }},
      {"form tag", [](frmProbe& f) { (void)f.Tag(); }},
      {"form width", [](frmProbe& f) { (void)f.Width(); }},
      {"form caption", [](frmProbe& f) { f.setCaption("new"); }},
  };
  for (const Touch& t : touches) {
    SCOPED_TRACE(t.what);
    Instance<frmProbe> f;
    EXPECT_FALSE(f->IsLoaded());
    EXPECT_EQ(f->loads, 0);
    EXPECT_EQ(f->widget(), nullptr);
    t.touch(*f);
    EXPECT_TRUE(f->IsLoaded());
    EXPECT_NE(f->widget(), nullptr);
    EXPECT_EQ(f->loads, 1);
    t.touch(*f);
    (void)f->txtTotal.Text();
    f->Show();
    EXPECT_EQ(f->loads, 1);
  }
}

TEST_F(FormRulesTest, TouchesInsideFormLoadDoNotLoadAgain) {
  Instance<frmProbe> f;
  bool loadedDuringLoad = false;
  f->onLoad = [&] {
    loadedDuringLoad = f->IsLoaded();
    f->txtTotal.setText("7");  // its change step runs inside the load
    f->setTag(f->txtTotal.Text());
  };
  EXPECT_EQ(f->lblName.Caption(), "design");
  EXPECT_EQ(f->loads, 1);
  EXPECT_TRUE(loadedDuringLoad);
  EXPECT_EQ(f->txtTotal.Text(), "7.00");
  EXPECT_EQ(f->Tag(), "7.00");
}

TEST_F(FormRulesTest, DesignWritesRaiseNothingAndLoadNothing) {
  Instance<frmProbe> f;
  EXPECT_EQ(f->changes, 0);
  EXPECT_EQ(f->labelChanges, 0);
  EXPECT_FALSE(f->IsLoaded());
}

// ---- change events

TEST_F(FormRulesTest, ChangeRunsOnlyOnRealChangeAndSelfFormatReentersOnce) {
  Instance<frmProbe> f;
  struct Step {
    QString write;
    int changesAfter;
    QString textAfter;
  };
  const std::vector<Step> steps = {
      {"5", 2, "5.00"},     // change, then once more with the formatted text
      {"5.00", 2, "5.00"},  // same text: nothing
      {"abc", 3, "abc"},    // not a number: formats nothing, runs once
      {"abc", 3, "abc"},   {"1234.5", 5, "1234.50"},
  };
  for (const Step& s : steps) {
    f->txtTotal.setText(s.write);
    EXPECT_EQ(f->changes, s.changesAfter) << s.write.toStdString();
    EXPECT_EQ(f->txtTotal.Text(), s.textAfter);
  }
  // The widget shows what the control holds.
  auto* edit = qobject_cast<QLineEdit*>(f->txtTotal.widget());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "1234.50");
}

TEST_F(FormRulesTest, ChangeRunsInsideTheWritersStatement) {
  // A writer reads the box right after writing it and sees what its change
  // step made of it.
  Instance<frmProbe> f;
  f->txtPlain.onChange = [&] { f->lblName.setCaption("seen " + f->txtPlain.Text()); };
  f->txtPlain.setText("42");
  EXPECT_EQ(f->lblName.Caption(), "seen 42");
  EXPECT_EQ(f->labelChanges, 1);
}

TEST_F(FormRulesTest, TagWritesRaiseNothing) {
  Instance<frmProbe> f;
  (void)f->txtTotal.Text();
  const int before = f->changes;
  f->txtTotal.setTag("Card");
  f->lblName.setTag("M-");
  f->setTag("Qty");
  EXPECT_EQ(f->changes, before);
  EXPECT_EQ(f->labelChanges, 0);
  EXPECT_EQ(f->txtTotal.Tag(), "Card");
  EXPECT_EQ(f->Tag(), "Qty");
}

TEST_F(FormRulesTest, TypedTextTakesTheSamePath) {
  Instance<frmProbe> f;
  f->Show();
  auto* edit = qobject_cast<QLineEdit*>(f->txtTotal.widget());
  ASSERT_NE(edit, nullptr);
  edit->setText("3");  // what the widget reports when the clerk types
  EXPECT_EQ(f->txtTotal.Text(), "3.00");
  EXPECT_EQ(edit->text(), "3.00");
  EXPECT_EQ(f->changes, 2);
}

// ---- unload

TEST_F(FormRulesTest, UnloadResetsDesignValuesAndKeepsOwnVariables) {
  Instance<frmProbe> f;
  f->txtPlain.setText("typed");
  f->txtTotal.setTag("Card");
  f->lblName.setCaption("run time");
  f->lblName.setVisible(false);
  f->cmdClose.setEnabled(false);
  f->txtTotal.Move(999, 888, 777, 666);
  f->chkOpt.setValue(forms::vbUnchecked);
  f->cmbList.AddItem("C");
  f->cmbList.setListIndex(2);
  f->setCaption("changed");
  f->setTag("Waiter");
  f->Move(100, 200, 5000, 3000);
  const int changesBefore = f->changes;
  QPointer<QWidget> oldClient = f->widget();

  EXPECT_TRUE(forms::Unload(*f));
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(f->unloads, 1);
  EXPECT_EQ(f->queries, 1);
  EXPECT_EQ(f->lastUnloadMode, forms::vbFormCode);
  EXPECT_EQ(f->widget(), nullptr);
  flushDeletes();
  EXPECT_TRUE(oldClient.isNull()) << "the controls' widgets are freed";

  // Own variables keep their values; nothing is raised by the reset.
  EXPECT_EQ(f->loads, 1);
  EXPECT_EQ(f->changes, changesBefore);

  // The next touch loads afresh from the design values.
  EXPECT_EQ(f->txtPlain.Text(), "");
  EXPECT_EQ(f->loads, 2);
  EXPECT_EQ(f->txtTotal.Tag(), "");
  EXPECT_EQ(f->lblName.Caption(), "design");
  EXPECT_TRUE(f->lblName.Visible());
  EXPECT_TRUE(f->cmdClose.Enabled());
  EXPECT_EQ(f->txtTotal.Left(), 120);
  EXPECT_EQ(f->txtTotal.Width(), 1500);
  EXPECT_EQ(f->chkOpt.Value(), forms::vbChecked);
  EXPECT_EQ(f->cmbList.ListCount(), 2);
  EXPECT_EQ(f->cmbList.ListIndex(), -1);
  EXPECT_EQ(f->Caption(), "Probe");
  EXPECT_EQ(f->Tag(), "design tag");
  EXPECT_EQ(f->Width(), 6000);
  EXPECT_FALSE(f->Visible());
}

TEST_F(FormRulesTest, UnloadOfAWindowNotLoadedDoesNothing) {
  Instance<frmProbe> f;
  EXPECT_TRUE(forms::Unload(*f));
  EXPECT_EQ(f->loads, 0);
  EXPECT_EQ(f->queries, 0);
  EXPECT_EQ(f->unloads, 0);
}

TEST_F(FormRulesTest, QueryUnloadOrUnloadCanCancel) {
  struct Case {
    const char* what;
    int cancelQuery;
    int cancelUnload;
    bool closeButton;
    bool staysLoaded;
    int unloadsRun;
  };
  const std::vector<Case> cases = {
      {"query cancels", 1, 0, false, true, 0},   {"unload cancels", 0, 1, false, true, 1},
      {"nobody cancels", 0, 0, false, false, 1}, {"close button, query cancels", 1, 0, true, true, 0},
      {"close button", 0, 0, true, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Instance<frmProbe> f;
    f->Show();
    f->txtPlain.setText("kept");
    f->cancelQuery = c.cancelQuery;
    f->cancelUnload = c.cancelUnload;
    if (c.closeButton) {
      EXPECT_FALSE(f->window()->close()) << "the runtime closes the window itself";
      EXPECT_EQ(f->lastUnloadMode, forms::vbFormControlMenu);
    } else {
      EXPECT_EQ(forms::Unload(*f), !c.staysLoaded);
      EXPECT_EQ(f->lastUnloadMode, forms::vbFormCode);
    }
    EXPECT_EQ(f->IsLoaded(), c.staysLoaded);
    EXPECT_EQ(f->unloads, c.unloadsRun);
    if (c.staysLoaded) {
      EXPECT_TRUE(f->window()->isVisible());
      EXPECT_EQ(f->txtPlain.Text(), "kept");
      EXPECT_EQ(f->loads, 1);
    }
  }
}

TEST_F(FormRulesTest, UnloadInsideOwnHandlerIsDeferredButTakesEffectAtOnce) {
  Instance<frmProbe> f;
  f->Show();
  f->txtPlain.setText("typed");
  QPointer<QWidget> win = f->window();
  QPointer<QWidget> button = f->cmdClose.widget();
  bool loadedAfterUnload = true;
  bool hiddenAfterUnload = false;
  int unloadsAfterUnload = 0;
  bool widgetsAliveInHandler = false;
  int counter = 0;
  f->onClose = [&] {
    forms::Unload(*f);
    loadedAfterUnload = f->IsLoaded();
    hiddenAfterUnload = win && !win->isVisible();
    unloadsAfterUnload = f->unloads;
    flushDeletes();  // even an event pass inside the handler deletes nothing
    widgetsAliveInHandler = !win.isNull() && !button.isNull();
    counter = ++f->plainChanges;  // the window's own variables stay usable
  };
  ASSERT_NE(button, nullptr);
  qobject_cast<QAbstractButton*>(button.data())->click();

  EXPECT_FALSE(loadedAfterUnload);
  EXPECT_TRUE(hiddenAfterUnload);
  EXPECT_EQ(unloadsAfterUnload, 1);
  EXPECT_TRUE(widgetsAliveInHandler);
  EXPECT_EQ(counter, f->plainChanges);
  flushDeletes();
  EXPECT_TRUE(win.isNull()) << "deleted once the handler returned";
  EXPECT_TRUE(button.isNull());
  EXPECT_EQ(f->txtPlain.Text(), "");
  EXPECT_EQ(f->loads, 2);
}

TEST_F(FormRulesTest, TouchAfterUnloadInsideTheHandlerLoadsAfresh) {
  Instance<frmProbe> f;
  f->Show();
  f->txtPlain.setText("typed");
  QPointer<QWidget> oldWin = f->window();
  QString seen;
  f->onClose = [&] {
    forms::Unload(*f);
    seen = f->txtPlain.Text();  // loads the window again, from design
  };
  f->cmdClose.setValue(true);
  EXPECT_EQ(seen, "");
  EXPECT_TRUE(f->IsLoaded());
  EXPECT_EQ(f->loads, 2);
  EXPECT_NE(f->window(), oldWin.data());
  flushDeletes();
  EXPECT_TRUE(oldWin.isNull());
  EXPECT_NE(f->window(), nullptr);
}

// ---- modal show

class frmDialog : public forms::Form {
 public:
  frmDialog() : Form("frmDialog") {
    txtAnswer.setText("");
    cmdOK.onClick = [this] { cmdOK_Click(); };
  }
  forms::TextBox txtAnswer{this, "txtAnswer"};
  forms::CommandButton cmdOK{this, "cmdOK"};
  QString answer;
  QPointer<QWidget> windowAtUnload;

 private:
  void cmdOK_Click() {
    answer = txtAnswer.Text();
    windowAtUnload = window();
    forms::Unload(*this);
  }
};

class frmOwner : public forms::Form {
 public:
  frmOwner() : Form("frmOwner") {
    cmdGo.onClick = [this] { cmdGo_Click(); };
  }
  forms::CommandButton cmdGo{this, "cmdGo"};
  frmDialog* dialog = nullptr;
  bool dialogLoadedAfterShow = true;
  QString answerAfterShow;
  int activations = 0;

 protected:
  void Form_Activate() override { ++activations; }

 private:
  void cmdGo_Click() {
    dialog->txtAnswer.setText("yes");  // loads it, hidden
    dialog->Show(forms::Modal);
    dialogLoadedAfterShow = dialog->IsLoaded();
    answerAfterShow = dialog->answer;
  }
};

TEST_F(FormRulesTest, ModalShowReturnsAfterTheDialogUnloadsItself) {
  Instance<frmDialog> dialog;
  Instance<frmOwner> owner;
  owner->dialog = &*dialog;
  owner->Show();
  EXPECT_EQ(owner->activations, 1);

  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    wasModal = QApplication::activeModalWidget() == dialog->window();
    dialog->cmdOK.setValue(true);
  });
  owner->cmdGo.setValue(true);

  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(owner->dialogLoadedAfterShow);
  EXPECT_EQ(owner->answerAfterShow, "yes");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(owner->activations, 2) << "the owner is active again after the dialog";
  flushDeletes();
  EXPECT_TRUE(dialog->windowAtUnload.isNull());
  EXPECT_EQ(dialog->txtAnswer.Text(), "") << "the next opening starts from design";
}

TEST_F(FormRulesTest, NestedModalDialogsReturnInnermostFirst) {
  // The sales window's way: a modal window opens a modal dialog of its own;
  // each show returns once its own dialog has unloaded itself.
  Instance<frmDialog> inner;
  Instance<frmDialog> outer;
  std::vector<std::string> steps;
  outer->cmdOK.onClick = [&] {
    QTimer::singleShot(0, [&] {
      steps.push_back(QApplication::activeModalWidget() == inner->window() ? "inner modal" : "?");
      inner->cmdOK.setValue(true);
    });
    inner->Show(forms::Modal);
    steps.push_back(inner->IsLoaded() ? "inner still loaded" : "inner returned");
    steps.push_back(QApplication::activeModalWidget() == outer->window() ? "outer modal" : "?");
    forms::Unload(*outer);
  };
  QTimer::singleShot(0, [&] { outer->cmdOK.setValue(true); });
  outer->Show(forms::Modal);
  steps.push_back(outer->IsLoaded() ? "outer still loaded" : "outer returned");
  EXPECT_EQ(steps,
            (std::vector<std::string>{"inner modal", "inner returned", "outer modal", "outer returned"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FormRulesTest, ModalShowOfAWindowThatUnloadsInItsLoadReturnsAtOnce) {
  Instance<frmProbe> f;
  f->onLoad = [&] { forms::Unload(*f); };
  f->Show(forms::Modal);
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(f->loads, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// ---- MDI

class MdiTest : public FormsTest {
 protected:
  MdiTest() { forms::setMdiFrame(&*frame); }
  ~MdiTest() override { forms::setMdiFrame(nullptr); }
  Instance<frmFrame> frame;
};

TEST_F(MdiTest, ChildLoadedByAReadShowsItselfInTheFrame) {
  frame->setBackColor(forms::RGB(192, 255, 192));
  EXPECT_EQ(frame->mdiArea()->background().color(), QColor(192, 255, 192));
  Instance<frmChild> child;
  EXPECT_EQ(child->txtMode.Text(), "Single");
  EXPECT_EQ(child->loads, 1);
  EXPECT_EQ(frame->loads, 1) << "loaded once, by the colour";
  EXPECT_TRUE(child->Visible());
  auto* sub = qobject_cast<QMdiSubWindow*>(child->window());
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(frame->mdiArea()->subWindowList().contains(sub));
  EXPECT_TRUE(sub->isVisible());
  EXPECT_TRUE(frame->window()->isVisible());
}

TEST_F(MdiTest, ShowOfALoadedChildBringsItForwardWithoutLoading) {
  Instance<frmChild> a;
  Instance<frmChild> b;
  a->Show();
  b->Show();
  EXPECT_EQ(frame->mdiArea()->activeSubWindow(), b->window());
  a->Show();
  EXPECT_EQ(frame->mdiArea()->activeSubWindow(), a->window());
  EXPECT_EQ(a->loads, 1);
  EXPECT_EQ(a->activations, 2);
  EXPECT_EQ(b->loads, 1);
}

TEST_F(MdiTest, ClosingTheFrameAsksEveryChildAndAnyCanStopIt) {
  Instance<frmChild> a;
  Instance<frmChild> b;
  a->Show();
  b->Show();
  b->cancelQuery = 1;
  EXPECT_FALSE(frame->Unload());
  EXPECT_TRUE(frame->IsLoaded());
  EXPECT_TRUE(a->IsLoaded());
  EXPECT_TRUE(b->IsLoaded());
  EXPECT_EQ(a->unloads, 0) << "nothing unloads before every window agreed";
  EXPECT_EQ(a->queryModes, std::vector<int>{forms::vbFormMDIForm});

  b->cancelQuery = 0;
  ASSERT_NE(frame->mmClose.action(), nullptr);
  frame->mmClose.action()->trigger();  // "Close" of the menu unloads the frame
  EXPECT_FALSE(frame->IsLoaded());
  EXPECT_FALSE(a->IsLoaded());
  EXPECT_FALSE(b->IsLoaded());
  EXPECT_EQ(a->unloads, 1);
  EXPECT_EQ(b->unloads, 1);
  EXPECT_EQ(frame->unloads, 1);
}

TEST_F(MdiTest, TheCloseButtonOfAChildAsksItAndUnloadsIt) {
  Instance<frmChild> child;
  child->Show();
  child->cancelQuery = 1;
  EXPECT_FALSE(child->window()->close());
  EXPECT_EQ(child->queryModes, std::vector<int>{forms::vbFormControlMenu});
  EXPECT_TRUE(child->IsLoaded());
  EXPECT_TRUE(child->window()->isVisible());
  child->cancelQuery = 0;
  child->window()->close();
  EXPECT_FALSE(child->IsLoaded());
  EXPECT_EQ(child->unloads, 1);
  EXPECT_TRUE(frame->IsLoaded());
}

TEST_F(MdiTest, ClosingAChildActivatesTheOneThatLayUnderIt) {
  Instance<frmChild> a;
  Instance<frmChild> b;
  Instance<frmChild> c;
  a->Show();
  c->Show();
  b->Show();  // b on top, c under it, a at the bottom
  b->window()->close();
  forms::DoEvents();  // the closed window goes
  EXPECT_EQ(frame->mdiArea()->activeSubWindow(), c->window()) << "not the first one opened";
}

TEST_F(MdiTest, AnActivationThatTouchesNewWindowsIsSafe) {
  // Activating a child runs its activation step, which here creates and
  // loads other windows: the runtime's list of forms grows meanwhile.
  std::vector<std::unique_ptr<Instance<frmChild>>> touched;
  Instance<frmChild> a;
  Instance<frmChild> b;
  a->Show();
  b->Show();
  a->onActivate = [&] {
    a->onActivate = nullptr;
    for (int i = 0; i < 40; ++i) {
      touched.push_back(std::make_unique<Instance<frmChild>>());
      (void)(*touched.back())->txtMode.Text();
    }
  };
  frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->window()));
  EXPECT_EQ(touched.size(), 40u);
  EXPECT_TRUE((*touched.back())->IsLoaded());
  EXPECT_EQ(a->activations, 2);
}

TEST_F(MdiTest, AFixedDialogHasNoMinimiseOrMaximise) {
  Instance<frmChild> child;
  child->setBorderStyle(3);
  child->Show();
  const Qt::WindowFlags flags = child->window()->windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(MdiTest, MenuItemsFollowTheirProperties) {
  bool clicked = false;
  frame->mmClose.onClick = [&] { clicked = true; };
  frame->mmClose.setEnabled(false);
  QAction* action = frame->mmClose.action();
  ASSERT_NE(action, nullptr);
  EXPECT_FALSE(action->isEnabled());
  EXPECT_EQ(action->text(), "Close");
  frame->mmClose.setEnabled(true);
  frame->mmClose.setCaption("Quit");
  EXPECT_TRUE(action->isEnabled());
  EXPECT_EQ(action->text(), "Quit");
  action->trigger();
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(frame->IsLoaded());
}

// ---- the global instance, form keys

class frmSplash : public forms::Form {
 public:
  frmSplash() : Form("frmSplash") {
    setBorderStyle(0);
    setStartUpPosition(forms::vbStartUpScreen);
    lblVersion.setCaption("");
  }
  forms::Label lblVersion{this, "lblVersion"};
  int loads = 0;
  std::vector<int> keys;

 protected:
  void Form_Load() override {
    ++loads;
    lblVersion.setCaption("Version 1.1.0");
  }
  void Form_KeyPress(int& KeyAscii) override {
    keys.push_back(KeyAscii);
    forms::Unload(*this);  // any key closes the splash
  }
};

frmSplash& Splash() {
  return forms::global<frmSplash>();
}

TEST_F(FormRulesTest, OneGlobalInstanceLoadedOnFirstTouch) {
  EXPECT_EQ(&Splash(), &Splash());
  EXPECT_FALSE(Splash().IsLoaded()) << "the accessor alone does not load";
  Splash().Show();
  EXPECT_EQ(Splash().lblVersion.Caption(), "Version 1.1.0");
  EXPECT_EQ(Splash().loads, 1);
  EXPECT_EQ(Splash().Left(), int(std::lround(forms::centredLeft(Splash().Width()))));

  QPointer<QWidget> win = Splash().window();
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QCoreApplication::sendEvent(win, &key);
  EXPECT_EQ(Splash().keys, std::vector<int>{'a'});
  EXPECT_FALSE(Splash().IsLoaded());
  flushDeletes();
  EXPECT_TRUE(win.isNull());
  EXPECT_EQ(Splash().lblVersion.Caption(), "Version 1.1.0");
  EXPECT_EQ(Splash().loads, 2);
  forms::Unload(Splash());
}

// ---- message boxes

TEST_F(FormRulesTest, MessageBoxesGoThroughTheScriptedResponder) {
  struct Case {
    QString prompt;
    int buttons;
    QString title;
    int answer;
    QString shownTitle;
  };
  const std::vector<Case> cases = {
      {"Hello", forms::vbOKOnly, "", forms::vbOK, "Dovrel POS 4"},
      {"Changes will not be save on this table ?", forms::vbYesNo | forms::vbQuestion, "", forms::vbNo,
       "Dovrel POS 4"},
      {"Saved", forms::vbOKOnly | forms::vbInformation, "Staff", forms::vbOK, "Staff"},
  };
  for (const Case& c : cases) {
    messages.answer(c.answer);
    EXPECT_EQ(forms::MsgBox(c.prompt, c.buttons, c.title), c.answer);
    ASSERT_FALSE(messages.shown().empty());
    const forms::Message& m = messages.shown().back();
    EXPECT_EQ(m.prompt, c.prompt);
    EXPECT_EQ(m.title, c.shownTitle);
    EXPECT_EQ(m.buttons, c.buttons);
  }
}

TEST_F(FormRulesTest, AnUnscriptedMessageIsRecordedAsAFailureAndNeverBlocks) {
  std::vector<QString> failures;
  {
    forms::ScriptedMessages strict([&](const forms::Message& m) { failures.push_back(m.prompt); });
    EXPECT_EQ(
        forms::MsgBox("Data has Changes, Save Changes?", forms::vbYesNoCancel | forms::vbDefaultButton2),
        forms::vbNo);
    EXPECT_EQ(strict.unscripted().size(), 1u);
    EXPECT_EQ(failures, std::vector<QString>{"Data has Changes, Save Changes?"});
  }
  // The fixture's responder is back in place.
  messages.answer(forms::vbOK);
  forms::MsgBox("after");
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].prompt, "after");
}

TEST(MessageStyle, DefaultButtonOfEveryStyle) {
  struct Case {
    int style;
    int answer;
  };
  const std::vector<Case> cases = {
      {forms::vbOKOnly, forms::vbOK},
      {forms::vbOKCancel | forms::vbDefaultButton2, forms::vbCancel},
      {forms::vbYesNo, forms::vbYes},
      {forms::vbYesNoCancel | forms::vbDefaultButton3, forms::vbCancel},
      {forms::vbAbortRetryIgnore | forms::vbDefaultButton2, forms::vbRetry},
      {forms::vbOKOnly | forms::vbDefaultButton3, forms::vbOK},  // no third button
  };
  for (const Case& c : cases) EXPECT_EQ(forms::defaultAnswer(c.style), c.answer) << c.style;
}

// ---- handler errors

TEST_F(FormRulesTest, AnExceptionEscapingAHandlerBecomesAMessage) {
  struct Case {
    const char* what;
    std::function<void()> fail;
    QString message;
  };
  const std::vector<Case> cases = {
      {"runtime error", [] { throw forms::Error("Invalid picture"); }, "Invalid picture"},
      {"std exception", [] { throw std::runtime_error("disk full"); }, "disk full"},
      {"anything else", [] { throw 42; }, "Unexpected error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    Instance<frmProbe> f;
    bool after = false;
    f->onClose = [&] {
      c.fail();
      after = true;
    };
    messages.answer(forms::vbOK);
    f->cmdClose.setValue(true);
    EXPECT_FALSE(after);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt, c.message);
    EXPECT_EQ(messages.shown()[0].buttons & 0x70, forms::vbCritical);
    EXPECT_TRUE(f->IsLoaded()) << "the window carries on";
    // A change step that fails inside a writer's statement stops only itself.
    f->txtPlain.onChange = c.fail;
    messages.answer(forms::vbOK);
    f->txtPlain.setText("x");
    EXPECT_EQ(f->txtPlain.Text(), "x");
    EXPECT_EQ(messages.shown().size(), 2u);
  }
}

TEST_F(FormRulesTest, AChangeStepThatNeverSettlesIsStoppedWithAMessage) {
  // Each run writes a new text into its own box: the runtime stops the
  // nesting with "Out of stack space" instead of overflowing the stack.
  Instance<frmProbe> f;
  f->txtPlain.onChange = [&] {
    ++f->plainChanges;
    f->txtPlain.setText(f->txtPlain.Text() + "x");
  };
  messages.answer(forms::vbOK);
  f->txtPlain.setText("a");
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].prompt, "Out of stack space");
  EXPECT_EQ(f->plainChanges, forms::Control::kMaxEventNesting);
  EXPECT_TRUE(f->txtPlain.Text().startsWith("ax"));
  EXPECT_TRUE(f->IsLoaded());
  // The box works normally afterwards: a settling handler runs as before.
  f->txtPlain.onChange = [&] { ++f->plainChanges; };
  f->txtPlain.setText("b");
  EXPECT_EQ(f->plainChanges, forms::Control::kMaxEventNesting + 1);
}

}  // namespace
