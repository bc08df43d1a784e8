#include "platform/forms/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/forms/tapguard.h"

namespace forms {

namespace {

std::vector<Form*>& allForms() {
  static std::vector<Form*> forms;
  return forms;
}

MDIForm* g_frame = nullptr;
Form* g_active = nullptr;
// Forms shown modally, innermost last: while one runs, no other form takes
// the activation.
std::vector<Form*> g_modal;

// True while `f` is still one of the program's forms. A handler may end a
// form (a test's own instance): a pointer taken before it ran is checked
// with this before it is used again.
bool isAlive(const Form* f) {
  const std::vector<Form*>& all = allForms();
  return f != nullptr && std::find(all.begin(), all.end(), f) != all.end();
}

int roundTwips(double twips) {
  return int(std::lround(twips));
}

}  // namespace

// The outer widget of a form: takes the window's close command and the keys
// that no control took.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(Form* form) : form_(form) {}
  Form* form_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();  // the runtime hides and frees the window itself
    if (form_) form_->closeRequested();
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (!form_ || !detail::raisesKeyPress(*e) || form_->previewed_ == e) {
      QWidget::keyPressEvent(e);
      return;
    }
    int key = e->text().at(0).unicode();
    form_->keyPress(key);
    e->accept();
  }
};

// The main window of an MDI frame.
class FrameWindow : public QMainWindow {
 public:
  explicit FrameWindow(Form* form) : form_(form) {}
  Form* form_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (form_) form_->closeRequested();
  }
};

// ---- instances

Form::Form(const char* name) : name_(QString::fromUtf8(name)) {
  allForms().push_back(this);
}

Form::~Form() {
  discard();
  for (Control* c : controls_) c->form_ = nullptr;
  auto& all = allForms();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  g_modal.erase(std::remove(g_modal.begin(), g_modal.end(), this), g_modal.end());
  if (g_active == this) g_active = nullptr;
}

const std::vector<Form*>& Form::Forms() {
  return allForms();
}

Form* Form::ActiveForm() {
  return g_active;
}

void Form::endDesign() {
  if (!designing_) return;
  designing_ = false;
  design_ = p_;
  for (Control* c : controls_) c->endDesign();
}

void Form::registerControl(Control* c) {
  controls_.push_back(c);
}

void Form::unregisterControl(Control* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

// ---- handlers

void Form::runEvent(const std::function<void()>& handler) {
  enter();
  try {
    handler();
  } catch (const std::exception& e) {
    try {
      MsgBox(QString::fromUtf8(e.what()), vbOKOnly | vbCritical);
    } catch (...) {
    }
  } catch (...) {
    try {
      MsgBox(QStringLiteral("Unexpected error"), vbOKOnly | vbCritical);
    } catch (...) {
    }
  }
  leave();
}

void Form::leave() {
  --depth_;
  flushIfIdle();
}

void Form::flushIfIdle() {
  if (depth_ > 0) return;
  // No handler of this form is on the stack any more; Qt's own code of the
  // widget that raised the last event may still be, so the old widgets go at
  // the next return to the event loop.
  for (QPointer<QWidget>& w : doomed_) {
    if (w) w->deleteLater();
  }
  doomed_.clear();
}

void Form::keyPress(int& keyAscii) {
  runEvent([&] { Form_KeyPress(keyAscii); });
}

void Form::activate(Form* f) {
  if (f == nullptr || f == g_active || !f->IsLoaded()) return;
  if (!g_modal.empty() && g_modal.back() != f) return;
  g_active = f;
  f->runEvent([f] { f->Form_Activate(); });
}

// ---- load

void Form::Load() {
  ensureLoaded();
}

void Form::ensureLoaded() {
  if (designing_ || state_ != State::Unloaded) return;
  state_ = State::Loading;  // counts as loaded: touches inside Form_Load do not recurse
  enter();
  buildWindow();
  runEvent([this] { Form_Load(); });
  if (state_ == State::Loading) {
    state_ = State::Loaded;
    for (Control* c : std::vector<Control*>(controls_)) {
      if (state_ != State::Loaded) break;
      runEvent([c] { c->formLoaded(); });
    }
    if (state_ == State::Loaded && mdiChild_ && sub_) showWindow();
  }
  leave();
}

void Form::buildWindow() {
  MDIForm* frame = mdiChild_ ? g_frame : nullptr;
  if (frame == this) frame = nullptr;
  if (frame) frame->ensureLoaded();

  auto* outer = new FormWidget(this);
  auto* layout = new QVBoxLayout(outer);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(resizableFrame() ? QLayout::SetNoConstraint : QLayout::SetFixedSize);
  client_ = new QWidget(outer);
  layout->addWidget(client_);

  Qt::WindowFlags flags;
  if (borderStyle_ == 0) flags |= Qt::FramelessWindowHint;
  if (!titleBar_ && borderStyle_ != 0)
    flags |= Qt::CustomizeWindowHint;  // the frame alone, no title
  else if (!controlBox_ && borderStyle_ != 0)
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  // A fixed dialog has a title and a close box, but no minimise or maximise;
  // so has a fixed single border without those buttons.
  if (titleBar_ && controlBox_ && (borderStyle_ == 3 || (borderStyle_ == 1 && !minButton_ && !maxButton_))) {
    flags |=
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  }

  if (frame && frame->mdiArea()) {
    sub_ = frame->mdiArea()->addSubWindow(outer, flags | Qt::SubWindow);
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (borderStyle_ == 0) sub_->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    window_ = sub_.data();
  } else {
    outer->setWindowFlags(Qt::Window | flags);
    window_ = outer;
  }
  outer_ = outer;

  if (startUpPosition_ == vbStartUpOwner || startUpPosition_ == vbStartUpScreen) {
    p_.left = roundTwips(centredLeft(p_.width));
    p_.top = roundTwips(placedTop(p_.height, 2));
  }
  buildControls();
  applyTabOrder();
  buildMenus();
  pushProps();
}

void Form::buildControls() {
  std::vector<Control*> done;
  std::function<void(Control*)> build = [&](Control* c) {
    if (std::find(done.begin(), done.end(), c) != done.end()) return;
    done.push_back(c);
    QWidget* parent = client_;
    if (Control* frame = c->container()) {
      build(frame);
      if (frame->childParent()) parent = frame->childParent();
    }
    c->build(parent);
  };
  for (Control* c : std::vector<Control*>(controls_)) build(c);
}

void Form::applyTabOrder() {
  tabOrder_.clear();
  const bool ordered =
      std::any_of(controls_.begin(), controls_.end(), [](const Control* c) { return c->tabIndex_ >= 0; });
  if (!ordered) return;
  for (Control* c : controls_) {
    if (c->widget_ && (c->widget_->focusPolicy() & Qt::TabFocus)) tabOrder_.push_back(c);
  }
  // Controls without a TabIndex follow those with one, in the order declared.
  std::stable_sort(tabOrder_.begin(), tabOrder_.end(), [](const Control* a, const Control* b) {
    const int last = std::numeric_limits<int>::max();
    return (a->tabIndex_ >= 0 ? a->tabIndex_ : last) < (b->tabIndex_ >= 0 ? b->tabIndex_ : last);
  });
  for (size_t i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1]->widget_, tabOrder_[i]->widget_);
}

void Form::focusFirstInTabOrder() {
  if (!window_ || window_->focusWidget() != nullptr) return;
  for (Control* c : tabOrder_) {
    if (c->widget_ && c->p_.visible && c->p_.enabled && c->widget_->isVisibleTo(window_)) {
      c->SetFocus();
      return;
    }
  }
}

void Form::buildMenus() {
  std::vector<Menu*> menus;
  for (Control* c : controls_) {
    if (auto* m = dynamic_cast<Menu*>(c)) menus.push_back(m);
  }
  if (menus.empty()) return;
  if (auto* main = qobject_cast<QMainWindow*>(window_.data())) {
    menuBar_ = main->menuBar();
  } else {
    menuBar_ = new QMenuBar(outer_);
    outer_->layout()->setMenuBar(menuBar_);
  }
  std::vector<Menu*> done;
  std::function<void(Menu*)> attach = [&](Menu* m) {
    if (std::find(done.begin(), done.end(), m) != done.end()) return;
    done.push_back(m);
    if (m->ParentMenu()) attach(m->ParentMenu());
    const bool hasItems =
        std::any_of(menus.begin(), menus.end(), [m](Menu* x) { return x->ParentMenu() == m; });
    m->attach(menuBar_, m->ParentMenu() ? m->ParentMenu()->menu_.data() : nullptr, hasItems);
  };
  for (Menu* m : menus) attach(m);
}

void Form::pushProps() {
  if (!window_) return;
  window_->setWindowTitle(p_.caption);
  if (outer_) outer_->setWindowTitle(p_.caption);
  window_->setEnabled(p_.enabled);
  if (auto* area = qobject_cast<QMdiArea*>(client_.data())) {
    if (!isSystemColor(p_.back)) area->setBackground(QBrush(toQColor(p_.back)));
  } else if (client_ && !isSystemColor(p_.back)) {
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, toQColor(p_.back));
    client_->setPalette(pal);
    client_->setAutoFillBackground(true);
  }
  pushGeometry();
}

void Form::pushGeometry() {
  if (!window_) return;
  const int w = twipsToPixelsX(p_.width);
  const int h = twipsToPixelsY(p_.height);
  if (isFrame_) {
    window_->resize(w, h);
  } else if (client_ && resizableFrame()) {
    client_->setMinimumSize(0, 0);
    if (outer_) outer_->resize(w, h);
  } else if (client_) {
    client_->setFixedSize(w, h);
    if (outer_) outer_->adjustSize();
    if (sub_) sub_->adjustSize();
  }
  window_->move(twipsToPixelsX(p_.left), twipsToPixelsY(p_.top));
}

// ---- show, hide

void Form::Show(int mode) {
  ensureLoaded();
  if (state_ == State::Unloaded) return;  // Form_Load unloaded it
  if (mode == vbModal) {
    runModal();
    return;
  }
  showWindow();
  activate(this);
}

void Form::showWindow() {
  if (!window_) return;
  detail::guardTapsAfterModals();
  p_.visible = true;
  if (sub_) {
    if (g_frame && g_frame->window_ && !g_frame->p_.visible) g_frame->showWindow();
    sub_->show();
    sub_->raise();
    if (QMdiArea* area = sub_->mdiArea()) area->setActiveSubWindow(sub_);
  } else {
    if (p_.windowState == vbMaximized) {
      // Fill the screen first: without a window manager (a bare X server)
      // the maximise request alone changes nothing.
      if (QScreen* screen = window_->screen()) window_->setGeometry(screen->availableGeometry());
      window_->showMaximized();
    } else if (p_.windowState == vbMinimized)
      window_->showMinimized();
    else
      window_->show();
    window_->raise();
    window_->activateWindow();
    focusFirstInTabOrder();
  }
}

void Form::runModal() {
  if (sub_) throw Error(QStringLiteral("An MDI child window cannot be shown modally"), 401);
  if (modalLoop_) {  // already running modally: bring it forward
    showWindow();
    return;
  }
  Form* previous = g_active;
  enter();  // the modal loop counts as this form's code
  if (!p_.visible) {
    window_->setWindowModality(Qt::ApplicationModal);
    showWindow();
  } else {
    window_->raise();
  }
  g_modal.push_back(this);
  activate(this);
  QEventLoop loop;
  modalLoop_ = &loop;
  if (state_ != State::Unloaded && p_.visible) loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
  g_modal.erase(std::remove(g_modal.begin(), g_modal.end(), this), g_modal.end());
  if (window_) window_->setWindowModality(Qt::NonModal);
  if (g_active == this) g_active = nullptr;
  leave();
  // Back to the window that was active before the dialog, if the dialog's
  // handlers left it.
  if (previous != this && isAlive(previous) && previous->IsLoaded() && previous->p_.visible)
    activate(previous);
}

void Form::Hide() {
  ensureLoaded();
  p_.visible = false;
  if (window_) window_->hide();
  if (modalLoop_) modalLoop_->quit();
}

// ---- unload

bool Form::queryUnload(int mode) {
  int cancel = 0;
  runEvent([&] { Form_QueryUnload(cancel, mode); });
  return cancel == 0;
}

bool Form::unloadEvent() {
  int cancel = 0;
  runEvent([&] { Form_Unload(cancel); });
  return cancel == 0;
}

bool Form::Unload(int unloadMode) {
  if (designing_ || state_ == State::Unloaded || unloading_) return true;
  unloading_ = true;
  const bool go = queryUnload(unloadMode) && state_ != State::Unloaded && unloadEvent();
  unloading_ = false;
  if (!go) return state_ == State::Unloaded;
  if (state_ != State::Unloaded) teardown();
  return true;
}

void Form::teardown() {
  unloading_ = true;
  enter();
  // Data controls first: they write the bound values back while the
  // controls still hold them.
  for (Control* c : std::vector<Control*>(controls_)) runEvent([c] { c->formUnloading(); });
  for (Control* c : controls_) c->release();
  if (auto* fw = dynamic_cast<FormWidget*>(outer_.data())) fw->form_ = nullptr;
  if (auto* fw = dynamic_cast<FrameWindow*>(window_.data())) fw->form_ = nullptr;
  if (window_) {
    window_->hide();
    doomed_.push_back(window_);
  }
  window_ = nullptr;
  outer_ = nullptr;
  client_ = nullptr;
  sub_ = nullptr;
  menuBar_ = nullptr;
  p_ = design_;
  tabOrder_.clear();
  state_ = State::Unloaded;
  if (g_active == this) g_active = nullptr;
  if (modalLoop_) modalLoop_->quit();
  unloading_ = false;
  leave();
}

void Form::discard() {
  if (state_ != State::Unloaded) {
    for (Control* c : controls_) c->release();
    if (auto* fw = dynamic_cast<FormWidget*>(outer_.data())) fw->form_ = nullptr;
    if (auto* fw = dynamic_cast<FrameWindow*>(window_.data())) fw->form_ = nullptr;
    if (window_) doomed_.push_back(window_);
    window_ = outer_ = client_ = nullptr;
    sub_ = nullptr;
    menuBar_ = nullptr;
    p_ = design_;
    tabOrder_.clear();
    state_ = State::Unloaded;
  }
  if (g_active == this) g_active = nullptr;
  if (depth_ == 0) {
    for (QPointer<QWidget>& w : doomed_) delete w.data();
    doomed_.clear();
  }
}

void Form::closeRequested() {
  enter();
  Unload(vbFormControlMenu);
  leave();
}

// ---- properties

QString Form::Caption() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.caption;
}

void Form::setCaption(const QString& caption) {
  ensureLoaded();
  p_.caption = caption;
  pushProps();
}

QString Form::Tag() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.tag;
}

void Form::setTag(const QString& tag) {
  ensureLoaded();
  p_.tag = tag;
}

bool Form::Enabled() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.enabled;
}

void Form::setEnabled(bool enabled) {
  ensureLoaded();
  p_.enabled = enabled;
  if (window_) window_->setEnabled(enabled);
}

bool Form::Visible() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.visible;
}

void Form::setVisible(bool visible) {
  if (visible)
    Show();
  else
    Hide();
}

int Form::Left() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.left;
}
int Form::Top() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.top;
}
int Form::Width() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.width;
}
int Form::Height() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.height;
}

void Form::setLeft(double twips) {
  Move(twips, Top());
}
void Form::setTop(double twips) {
  Move(Left(), twips);
}
void Form::setWidth(double twips) {
  Move(Left(), Top(), twips);
}
void Form::setHeight(double twips) {
  Move(Left(), Top(), Width(), twips);
}

void Form::Move(double left, double top, double width, double height) {
  ensureLoaded();
  p_.left = roundTwips(left);
  p_.top = roundTwips(top);
  if (width >= 0) p_.width = roundTwips(width);
  if (height >= 0) p_.height = roundTwips(height);
  pushGeometry();
}

void Form::Place(double n) {
  const int w = Width();
  const int h = Height();
  Move(centredLeft(w), placedTop(h, n));
}

Color Form::BackColor() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.back;
}

void Form::setBackColor(Color color) {
  ensureLoaded();
  p_.back = color;
  pushProps();
}

int Form::WindowState() const {
  const_cast<Form*>(this)->ensureLoaded();
  return p_.windowState;
}

void Form::setWindowState(int state) {
  ensureLoaded();
  p_.windowState = state;
  if (window_ && p_.visible) showWindow();
}

void Form::SetFocus() {
  ensureLoaded();
  if (!window_) return;
  if (sub_) {
    if (QMdiArea* area = sub_->mdiArea()) area->setActiveSubWindow(sub_);
  } else {
    window_->activateWindow();
  }
  activate(this);
}

Control* Form::ActiveControl() const {
  const_cast<Form*>(this)->ensureLoaded();
  if (!window_) return nullptr;
  // The focus may sit on an inner part of a control's widget (the editor of
  // a combo box): the control is the one whose widget holds it.
  for (QWidget* w = window_->focusWidget(); w && w != window_; w = w->parentWidget()) {
    for (Control* c : controls_)
      if (c->widget() == w) return c;
  }
  return nullptr;
}

std::int32_t Form::hWnd() const {
  const_cast<Form*>(this)->ensureLoaded();
  if (!window_) return 0;
  // X11 window ids are 32-bit; the platform's own id of a window is given
  // as it is, cut to the 32 bits a handle travels in.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(window_->winId()));
}

// ---- MDI frame

void setMdiFrame(MDIForm* frame) {
  g_frame = frame;
}
MDIForm* mdiFrame() {
  return g_frame;
}

MDIForm::MDIForm(const char* name) : Form(name) {
  isFrame_ = true;
  if (g_frame == nullptr) g_frame = this;
}

QMdiArea* MDIForm::mdiArea() const {
  return area_.data();
}

MDIForm::~MDIForm() {
  discard();
  if (g_frame == this) g_frame = nullptr;
}

void MDIForm::buildWindow() {
  auto* main = new FrameWindow(this);
  area_ = new QMdiArea(main);
  // When a child closes, the one that lay under it comes forward, not the
  // first one opened (the launcher).
  area_->setActivationOrder(QMdiArea::StackingOrder);
  main->setCentralWidget(area_);
  QObject::connect(area_, &QMdiArea::subWindowActivated, main, [](QMdiSubWindow* sub) {
    if (!sub) return;
    // Find the window first and activate it after the search: its activation
    // step may create or load other windows, which changes the list of forms.
    const std::vector<Form*>& all = Form::Forms();
    const auto found = std::find_if(all.begin(), all.end(), [sub](Form* f) { return f->sub_ == sub; });
    if (found != all.end()) activate(*found);
  });
  window_ = main;
  outer_ = nullptr;
  client_ = area_.data();
  buildControls();
  buildMenus();
  pushProps();
}

std::vector<Form*> MDIForm::loadedChildren() const {
  std::vector<Form*> children;
  for (Form* f : Form::Forms()) {
    if (f != this && f->mdiChild_ && f->IsLoaded()) children.push_back(f);
  }
  return children;
}

bool MDIForm::Unload(int unloadMode) {
  if (designing_ || state_ == State::Unloaded || unloading_) return true;
  unloading_ = true;
  enter();
  // Every window may refuse before anything is unloaded.
  bool go = queryUnload(unloadMode);
  const std::vector<Form*> children = loadedChildren();
  for (Form* child : children) {
    if (!go) break;
    if (isAlive(child) && child->IsLoaded() && !child->unloading_) go = child->queryUnload(vbFormMDIForm);
  }
  for (Form* child : children) {
    if (!go) break;
    if (!isAlive(child) || !child->IsLoaded() || child->unloading_) continue;
    child->unloading_ = true;
    go = child->unloadEvent();
    child->unloading_ = false;
    if (go && child->IsLoaded()) child->teardown();
  }
  if (go) go = unloadEvent();
  unloading_ = false;
  if (go && state_ != State::Unloaded) {
    teardown();
    if (g_frame == this) QCoreApplication::quit();  // closing the main window ends the program
  }
  leave();
  return go;
}

}  // namespace forms
