// The base of every control of a form.
//
// A control keeps its properties itself; the Qt widget is only their view
// and exists while the form is loaded. Every property read or write first
// loads the form when it is not loaded (the first touch loads a window).
// While the form's constructor runs, writes set the design values instead;
// unloading the form puts every property back to them.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "platform/forms/types.h"

class QKeyEvent;

namespace forms {

namespace detail {
// True for a key that types a character, the keys that raise KeyPress: not
// Tab (it moves the focus) and not Delete (it deletes), as on the platform
// the windows were written for, so a box that filters its keys still lets the
// clerk leave with Tab and delete with Delete.
bool raisesKeyPress(const QKeyEvent& event);
}  // namespace detail

class Bound;
class Form;
class Frame;

// Overwrites the characters of `text` with zeros where they lie, with the
// spare room of its buffer, and empties it. Every QString that shares the
// characters reads zeros afterwards: this is for card data a window is done
// with, whose buffer would otherwise be freed as it stands and stay in the
// process's memory. Text that is not on the heap (a literal) is only emptied.
// A control does the same to each text it lets go of that nothing else holds.
void WipeText(QString& text);

class Control {
 public:
  // Registers the control with its form. index >= 0 makes it an element of a
  // control array (see ControlArray).
  Control(Form* form, const char* name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const QString& Name() const { return name_; }
  int Index() const { return index_; }
  Form& Parent() const { return *form_; }

  // Text and Caption are one stored value: Text for boxes, Caption for
  // labels, buttons, frames and menus. Writing it runs the control's change
  // handler (where it has one) at once, and only when the value changes.
  QString Text() const;
  void setText(const QString& text);
  QString Caption() const { return Text(); }
  void setCaption(const QString& caption) { setText(caption); }

  // A free text for the window's own use; writing it raises nothing.
  QString Tag() const;
  void setTag(const QString& tag);

  // The tip shown while the pointer rests on the control.
  QString ToolTipText() const;
  void setToolTipText(const QString& tip);

  bool Enabled() const;
  void setEnabled(bool enabled);
  bool Visible() const;
  void setVisible(bool visible);

  // Position and size in twips, relative to the form or frame holding it.
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
  Color ForeColor() const;
  void setForeColor(Color color);

  FontInfo Font() const;
  void setFont(const FontInfo& font);
  void setFont(const QString& name, double size, bool bold = false);
  QString FontName() const;
  void setFontName(const QString& name);
  double FontSize() const;
  void setFontSize(double size);
  bool FontBold() const;
  void setFontBold(bool bold);

  // Gives the control the keyboard focus (does nothing while it is hidden or
  // disabled).
  void SetFocus();

  // Design only: the control's place in the tab order. The focus moves
  // through the controls by TabIndex, the controls without one following in
  // the order declared; a window in which any control has a TabIndex gives
  // the first one that can take the focus the focus when it is shown.
  void setTabIndex(int index) { tabIndex_ = index; }
  int TabIndex() const { return tabIndex_; }

  // Design only: the frame that holds this control.
  void setContainer(Frame& frame);

  // The live widget while the form is loaded, else nullptr. Does not load.
  QWidget* widget() const { return widget_; }

  // A handler that keeps raising its own control's events (a change step that
  // writes a different text into its box every time) is stopped at this depth
  // with Error 28 "Out of stack space", which the guard of the handler that
  // wrote reports, instead of overflowing the stack.
  static constexpr int kMaxEventNesting = 50;

 protected:
  struct Props {
    QString text;
    QString tag;
    QString toolTip;
    bool enabled = true;
    bool visible = true;
    int left = 0;
    int top = 0;
    int width = 1215;
    int height = 495;
    Color back = vbButtonFace;
    Color fore = vbButtonText;
    FontInfo font;
  };

  // Creates the widget under parent (nullptr for controls without one).
  virtual QWidget* createWidget(QWidget* parent) = 0;
  // Shows the stored text in the widget; signals of the widget are blocked.
  virtual void pushText() {}
  // Pushes the properties of the derived control to a new widget.
  virtual void pushExtra() {}
  // Raises the control's change event after its text changed.
  virtual void textChanged() {}
  // Design values of the derived control: save at the end of the
  // constructor, restore on unload.
  virtual void saveDesign() {}
  virtual void restoreDesign() {}
  // The widget was built and shows the stored properties.
  virtual void built() {}
  // The widget is about to be forgotten (the form unloads).
  virtual void releasing() {}
  // The form's Form_Load has run.
  virtual void formLoaded() {}
  // First step of the form's unload, before any widget is released.
  virtual void formUnloading() {}
  // Where the controls of a container go.
  virtual QWidget* childParent() const { return widget_; }
  // Events of the widget the control reacts to.
  virtual void mouseReleased() {}
  virtual void keyPressed(int& /*keyAscii*/) {}
  // Which of the control's widgets raise its KeyPress (a key event that one
  // widget passes on to another is raised once).
  virtual bool takesKeysFrom(const QObject* /*watched*/) const { return true; }
  virtual void gotFocus() {}
  virtual void lostFocus() {}
  // Which palette roles BackColor and ForeColor paint.
  virtual void applyColors();
  // Enabled or Visible changed after the design (the widget, if any, is set).
  virtual void stateChanged() {}
  // The built widget got another size or font (Move, Font).
  virtual void layoutChanged() {}

  // Loads the form when it is not loaded (no-op while designing).
  void touch() const;
  bool designing() const;
  // Runs a handler of the form: exceptions are reported, deferred unloads
  // wait for it. See kMaxEventNesting.
  void fire(const std::function<void()>& handler) const;
  // The clerk changed the text in the widget: same path as code.
  void userText(const QString& text);
  // Stores text without loading the form (used by data bindings, which run
  // only while the form is loaded).
  void storeText(const QString& text);
  // A context object for connections and the event filter of the widget;
  // deleted when the widget is released, which cuts every connection.
  QObject* link() const { return link_; }
  // Installs the control's event filter on w (key, click, focus events).
  void watch(QWidget* w);
  // The frame holding the control; nullptr when it sits on the form.
  Frame* container() const { return container_; }

  Props p_;
  Props design_;
  QPointer<QWidget> widget_;

 private:
  friend class Form;
  friend class ControlLink;
  friend class Bound;
  void build(QWidget* parent);
  void release();
  void endDesign();
  void resetToDesign();
  bool filter(QObject* watched, QEvent* event);

  Form* form_;
  QString name_;
  int index_;
  Frame* container_ = nullptr;
  int tabIndex_ = -1;
  QObject* link_ = nullptr;
  Bound* bound_ = nullptr;        // set when the control can be bound to a field
  mutable int eventNesting_ = 0;  // events of this control on the stack
};

}  // namespace forms
