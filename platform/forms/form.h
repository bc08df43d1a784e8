// Forms: one class per window, its controls as named members, one handler
// per event. The runtime's rules:
// - one global instance per window (forms::global<T>()); the first touch of
//   any property of the form or of one of its controls builds its widgets
//   and runs Form_Load; during its load the form already counts as loaded;
// - an MDI child shows itself inside the MDI frame as soon as it is loaded;
//   Show() of a loaded window brings it to the front without loading again;
// - Unload() runs Form_QueryUnload and Form_Unload (either may cancel),
//   releases the data controls (they write back), drops the widgets and puts
//   every property back to its design value; member variables of the window
//   class keep their values;
// - Show(Modal) runs a nested event loop until the form unloads or hides;
// - a form's widgets are never deleted while one of its handlers runs: the
//   unload takes effect at once (hidden, Form_Unload done, values reset, next
//   touch loads afresh) and the old widgets go once the handler returns;
// - an exception escaping a handler is reported in a message box.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/forms/types.h"

class QKeyEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;

namespace forms {

class Control;
class MDIForm;

class Form {
 public:
  explicit Form(const char* name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const QString& Name() const { return name_; }

  // Ends the design phase: what the constructor set becomes the design
  // values. forms::global<T>() and forms::Instance<T> call it.
  void endDesign();
  // Drops the form's widgets without running any event, and deletes them
  // at once (used when an Instance goes).
  void discard();

  // ---- lifecycle
  void Load();
  // True from the start of the load until the unload; never loads.
  bool IsLoaded() const { return state_ != State::Unloaded; }
  void Show(int mode = Modeless);
  void Hide();
  // Returns false when Form_QueryUnload or Form_Unload cancelled.
  virtual bool Unload(int unloadMode = vbFormCode);

  // ---- properties (each touch loads the form)
  QString Caption() const;
  void setCaption(const QString& caption);
  QString Tag() const;
  void setTag(const QString& tag);
  bool Enabled() const;
  void setEnabled(bool enabled);
  bool Visible() const;
  void setVisible(bool visible);
  // Position of the window and size of its client area, in twips.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void setLeft(double twips);
  void setTop(double twips);
  void setWidth(double twips);
  void setHeight(double twips);
  void Move(double left, double top, double width = -1, double height = -1);
  Color BackColor() const;
  void setBackColor(Color color);
  // The placement rule: left = (screen width - Width) / 2,
  // top = (screen height - Height) / n.
  void Place(double n);
  int WindowState() const;
  void setWindowState(int state);
  void SetFocus();
  // The control of this window that has the keyboard focus, or had it last
  // while another window was active; nullptr when none has had it.
  Control* ActiveControl() const;

  // ---- design settings (fixed for the life of the program)
  void setMDIChild(bool child) { mdiChild_ = child; }
  bool MDIChild() const { return mdiChild_; }
  // 0 none (no border, no title bar), 1 fixed, 2 sizable, 3 fixed dialog.
  void setBorderStyle(int style) { borderStyle_ = style; }
  // Without a title bar the window keeps the frame of its border style; a
  // sizable one (2) can then be resized by its frame, its controls staying
  // where they are. A top-level window only.
  void setTitleBar(bool titleBar) { titleBar_ = titleBar; }
  void setControlBox(bool box) { controlBox_ = box; }
  // A fixed single border (1) shows minimise and maximise unless both are off.
  void setMinButton(bool button) { minButton_ = button; }
  void setMaxButton(bool button) { maxButton_ = button; }
  // The form's Form_KeyPress sees keys before its controls do.
  void setKeyPreview(bool preview) { keyPreview_ = preview; }
  void setStartUpPosition(int position) { startUpPosition_ = position; }

  // The native handle of the form's window as a 32-bit value, as another
  // component is handed it to find its owner window (QWidget::find). Loads
  // the form; 0 when it has no window.
  std::int32_t hWnd() const;

  // The client widget holding the controls while loaded, else nullptr.
  QWidget* widget() const { return client_; }
  // The outer window (a top-level window or the MDI sub-window).
  QWidget* window() const { return window_; }
  // The form with the focus as the runtime tracks it.
  static Form* ActiveForm();
  // Every form instance of the program, in creation order.
  static const std::vector<Form*>& Forms();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
  virtual void Form_Unload(int& /*Cancel*/) {}
  virtual void Form_KeyPress(int& /*KeyAscii*/) {}

  // Runs code of this form as a handler: counts it on the stack (deferred
  // deletes wait for it) and reports an exception that escapes it.
  void runEvent(const std::function<void()>& handler);

  // Builds the outer window and client widget; MDIForm builds a frame.
  virtual void buildWindow();
  QPointer<QWidget> window_;
  QPointer<QWidget> client_;
  QPointer<QMdiSubWindow> sub_;
  QPointer<QMenuBar> menuBar_;
  QPointer<QWidget> outer_;  // the FormWidget holding menu bar and client
  bool isFrame_ = false;

 private:
  friend class Control;
  friend class MDIForm;
  friend class FormWidget;
  friend class FrameWindow;
  enum class State { Unloaded, Loading, Loaded };
  struct Props {
    QString caption;
    QString tag;
    bool enabled = true;
    bool visible = false;
    int left = 0;
    int top = 0;
    int width = 4800;
    int height = 3600;
    Color back = vbButtonFace;
    int windowState = vbNormal;
  };

  void ensureLoaded();
  void registerControl(Control* c);
  void unregisterControl(Control* c);
  void buildControls();
  void applyTabOrder();
  void focusFirstInTabOrder();
  void buildMenus();
  void pushProps();
  void pushGeometry();
  // A top-level window whose frame the user may resize.
  bool resizableFrame() const { return !titleBar_ && borderStyle_ == 2 && !mdiChild_; }
  void showWindow();
  void runModal();
  bool queryUnload(int mode);
  bool unloadEvent();
  void teardown();
  void flushIfIdle();
  void closeRequested();
  void keyPress(int& keyAscii);
  void enter() { ++depth_; }
  void leave();
  static void activate(Form* f);

  QString name_;
  State state_ = State::Unloaded;
  bool designing_ = true;
  bool unloading_ = false;
  int depth_ = 0;
  QEventLoop* modalLoop_ = nullptr;
  Props p_;
  Props design_;
  bool mdiChild_ = false;
  int borderStyle_ = 2;
  bool titleBar_ = true;
  bool controlBox_ = true;
  bool minButton_ = true;
  bool maxButton_ = true;
  bool keyPreview_ = false;
  int startUpPosition_ = vbStartUpManual;
  std::vector<Control*> controls_;
  // The controls that take the focus, in tab order (built with the widgets).
  std::vector<Control*> tabOrder_;
  std::vector<QPointer<QWidget>> doomed_;
  // The key event Form_KeyPress saw first (key preview), so that it does not
  // see it again when it reaches the form.
  const QKeyEvent* previewed_ = nullptr;
};

// The MDI frame: a main window with a menu bar and a client area in which the
// MDI children appear. Unloading it first asks every loaded child
// (Form_QueryUnload with vbFormMDIForm); any one can stop the whole close.
class MDIForm : public Form {
 public:
  explicit MDIForm(const char* name);
  ~MDIForm() override;
  bool Unload(int unloadMode = vbFormCode) override;
  QMdiArea* mdiArea() const;

 protected:
  virtual void MDIForm_Load() {}
  virtual void MDIForm_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
  virtual void MDIForm_Unload(int& /*Cancel*/) {}

  void buildWindow() override;

 private:
  void Form_Load() final { MDIForm_Load(); }
  void Form_QueryUnload(int& Cancel, int UnloadMode) final { MDIForm_QueryUnload(Cancel, UnloadMode); }
  void Form_Unload(int& Cancel) final { MDIForm_Unload(Cancel); }
  std::vector<Form*> loadedChildren() const;

  QPointer<QMdiArea> area_;
};

// The frame MDI children appear in. An MDIForm registers itself when it is
// created if none is registered; this sets or clears it explicitly.
void setMdiFrame(MDIForm* frame);
MDIForm* mdiFrame();

// Unloads a form (the Unload statement).
inline bool Unload(Form& form) {
  return form.Unload(vbFormCode);
}

// The one global instance of a window class, created on the first call and
// kept until the program ends. A window's accessor returns it:
//   frmNWSetin& NWSetin() { return forms::global<frmNWSetin>(); }
template <class T>
T& global() {
  static T* instance = [] {
    T* form = new T();
    form->endDesign();
    return form;
  }();
  return *instance;
}

// An instance owned by its holder (tests): created and out of design at
// once, discarded with its widgets when the holder goes.
template <class T>
class Instance {
 public:
  template <class... Args>
  explicit Instance(Args&&... args) : form_(new T(std::forward<Args>(args)...)) {
    form_->endDesign();
  }
  ~Instance() {
    form_->discard();
    delete form_;
  }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;
  T& operator*() const { return *form_; }
  T* operator->() const { return form_; }

 private:
  T* form_;
};

}  // namespace forms
