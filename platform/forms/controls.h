// The controls the windows are built from. Each is a member of its form:
//   forms::TextBox txtTotal{this, "txtTotal"};
// and its events are wired in the form's constructor:
//   txtTotal.onChange = [this] { txtTotal_Change(); };
// Every event runs through the form's handler guard (exceptions become a
// message box, a deferred unload waits for the handler to return).
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>

#include "platform/db/binding.h"
#include "platform/forms/control.h"

class QAction;
class QMenu;
class QMenuBar;
class QTimer;

class QFontMetrics;

namespace forms {

class Data;

using Handler = std::function<void()>;
using KeyHandler = std::function<void(int& KeyAscii)>;

namespace detail {
// The item list of a combo or list box with its chosen index: inserting
// (index -1 or past the end: at the end) and removing keep the same item
// chosen. removeItem() throws for an index outside the list and returns true
// when the chosen item went (none is chosen then).
void insertItem(QStringList& items, int& listIndex, const QString& item, int index);
bool removeItem(QStringList& items, int& listIndex, int index);
}  // namespace detail

// A control bound to a field of a data control on the same form. DataSource
// and DataField are design settings; the binding is made when the form
// loads and dropped when it unloads. A text box, label or combo box shows the
// field as its text and writes its text back; a check box shows and writes
// its value.
class Bound : public db::FieldBinding {
 public:
  void setDataSource(Data& data) { dataSource_ = &data; }
  Data* DataSource() const { return dataSource_; }
  void setDataField(const QString& field) { dataField_ = field; }
  QString DataField() const { return dataField_; }
  QString dataField() const override { return dataField_; }

  // db::FieldBinding, for a control whose bound value is its text.
  void showFieldValue(const QVariant& value) override;
  QVariant editedFieldValue() const override;
  bool fieldValueChanged() const override;

 protected:
  // The control registers itself as bound: it attaches when its widget is
  // built and detaches when it is released.
  explicit Bound(Control& self);
  ~Bound() = default;

  bool shown_ = false;  // a row value has been shown since the load

 private:
  friend class Control;
  void attachBinding();
  void detachBinding();

  Control& self_;
  Data* dataSource_ = nullptr;
  QString dataField_;
  QString shownText_;
};

class TextBox : public Control, public Bound {
 public:
  TextBox(Form* form, const char* name, int index = -1);

  // The window is done with the box's text (card data): it is overwritten
  // with zeros where it lies, and so are the copies of the box's line edit
  // that can be reached (its text and the text it lays out to show); its
  // undo list, which keeps its room when emptied, is filled over with blanks
  // and emptied; its selection goes, and a selection the program holds for
  // the desktop (X11's primary selection) that is part of the text is
  // overwritten and dropped. The box is left empty and raises no Change.
  // Its earlier texts were overwritten as the box let go of them; what the
  // line edit freed by itself as the clerk typed (the texts it laid out to
  // show, its undo list as it grew) and copies the window made are out of
  // reach. A box of several lines is emptied with its undo stacks.
  void Wipe();

  bool Locked() const;
  void setLocked(bool locked);
  // 0: no limit. Limits what the clerk types; code may write longer texts.
  int MaxLength() const;
  void setMaxLength(int length);
  // Any non-empty text masks what is shown.
  QString PasswordChar() const;
  void setPasswordChar(const QString& mask);
  // Design only: a box of several lines.
  void setMultiLine(bool multiLine) { t_.multiLine = multiLine; }
  bool MultiLine() const { return t_.multiLine; }
  // Design only, for a box of several lines: 0 no scroll bar (long lines
  // wrap), 1 horizontal, 2 vertical, 3 both. A scroll bar asked for is
  // always shown.
  void setScrollBars(int bars) { t_.scrollBars = bars; }
  int ScrollBars() const { return t_.scrollBars; }
  // The selection: where it starts (the caret when nothing is selected) and
  // how many characters it holds. Setting SelStart moves the caret and
  // selects nothing; SelLength then selects from there. What the clerk types
  // replaces the selected text.
  int SelStart() const;
  void setSelStart(int start);
  int SelLength() const;
  void setSelLength(int length);
  QString SelText() const;
  int Alignment() const;
  void setAlignment(int alignment);
  // Design only, for a box of one line: a text wider than the box shows in a
  // smaller face, down to a floor, and then with its end elided; a number
  // (an amount) is never elided but shows whole in a face as small as it
  // needs (platform/forms/textfit.h). Text and Font stay as written, and
  // while the box has the focus it shows its whole text.
  void setFitText(bool fit) { t_.fit = fit; }
  bool FitText() const { return t_.fit; }
  // Design only, for a box of one line: what the user may leave in the box.
  // An edit of the user's whose text the rule refuses (a key, a paste with
  // Ctrl+V, Shift+Insert, the middle button or the context menu, a drop, an
  // undo) is taken back: the box keeps its text and no change step runs.
  // Text written by code is not checked.
  void setAccepts(std::function<bool(const QString&)> rule) { t_.accepts = std::move(rule); }

  Handler onChange;
  Handler onClick;
  Handler onGotFocus;
  Handler onLostFocus;
  KeyHandler onKeyPress;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void textChanged() override;
  void saveDesign() override { tDesign_ = t_; }
  void restoreDesign() override;
  void mouseReleased() override;
  void keyPressed(int& keyAscii) override;
  void gotFocus() override;
  void lostFocus() override;
  void layoutChanged() override { showFitted(); }

 private:
  void showFitted();
  bool focused_ = false;  // between the widget's focus-in and focus-out
  // At least as many entries as the line edit's undo list can have held
  // since it was built: each change of the clerk's adds at most one a
  // character of the texts before and after it, and two more.
  int undoBound_ = 0;
  struct TextProps {
    bool locked = false;
    int maxLength = 0;
    QString passwordChar;
    bool multiLine = false;
    int scrollBars = 0;
    int alignment = vbLeftJustify;
    bool fit = false;
    std::function<bool(const QString&)> accepts;
  };
  TextProps t_;
  TextProps tDesign_;
};

class Label : public Control, public Bound {
 public:
  Label(Form* form, const char* name, int index = -1);

  int Alignment() const;
  void setAlignment(int alignment);
  // 0 transparent, 1 opaque.
  int BackStyle() const;
  void setBackStyle(int style);
  bool WordWrap() const;
  void setWordWrap(bool wrap);
  // 0 none, 1 a fixed single line around the label.
  int BorderStyle() const;
  void setBorderStyle(int style);
  // An "&" marks the next letter, which shows underlined ("&&" shows one
  // "&"). Off unless set: a label then shows its text as it stands.
  bool UseMnemonic() const;
  void setUseMnemonic(bool use);

  Handler onChange;
  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void textChanged() override;
  void saveDesign() override { lDesign_ = l_; }
  void restoreDesign() override;
  void mouseReleased() override;
  void applyColors() override;

 private:
  struct LabelProps {
    int alignment = vbLeftJustify;
    int backStyle = 1;
    bool wordWrap = true;
    int borderStyle = 0;
    bool mnemonic = false;
  };
  LabelProps l_;
  LabelProps lDesign_;
};

// The caption as a button of `width` pixels shows it: broken at blanks into
// lines that fit, when it does not fit on one.
QString wrappedCaption(const QString& caption, const QFontMetrics& metrics, int width);

class CommandButton : public Control {
 public:
  CommandButton(Form* form, const char* name, int index = -1);

  // The picture shown on the button, by file path. A Windows path is mapped
  // under the data root ("C:\Program Files\Dovrel POS 4\Pics\cut.png"); a
  // Linux or relative path is used as given. Picture() gives the path as it
  // was set. An empty path clears it; a missing file or one that is not a
  // picture throws Error and keeps the picture it had.
  QString Picture() const;
  void setPicture(const QString& path);
  // 0 standard, 1 graphical (shows picture and back colour).
  int Style() const;
  void setStyle(int style);
  // Setting Value to true presses the button (runs Click).
  void setValue(bool pressed);
  // On unless set: an "&" in the caption marks the next letter as the
  // button's shortcut and shows it underlined, as captions written in the
  // code use it ("&System Info..."). Off for a button that shows names from
  // the data ("Cut & Color"): the caption shows as it stands.
  bool UseMnemonic() const;
  void setUseMnemonic(bool use);

  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void saveDesign() override { bDesign_ = b_; }
  void restoreDesign() override;
  void applyColors() override;

 private:
  void pushPicture();
  struct ButtonProps {
    QString picture;
    int style = 0;
    bool mnemonic = true;
  };
  ButtonProps b_;
  ButtonProps bDesign_;
};

class CheckBox : public Control, public Bound {
 public:
  CheckBox(Form* form, const char* name, int index = -1);

  // vbUnchecked 0, vbChecked 1, vbGrayed 2. A change of the value runs
  // Click, whether the clerk clicked, code set it or the binding showed a row.
  int Value() const;
  void setValue(int value);

  Handler onClick;

  // The field holds the box's value: 0 unticked, 1 ticked, 2 greyed (the
  // convention of every settings file). Reading is lenient: 2 shows greyed,
  // any other non-zero number or a true text ("True", "Yes") ticked, Null
  // and everything else unticked.
  void showFieldValue(const QVariant& value) override;
  QVariant editedFieldValue() const override;
  bool fieldValueChanged() const override { return shown_ && value_ != shownValue_; }

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void saveDesign() override { valueDesign_ = value_; }
  void restoreDesign() override { value_ = valueDesign_; }

 private:
  void apply(int value);
  int value_ = vbUnchecked;
  int valueDesign_ = vbUnchecked;
  int shownValue_ = vbUnchecked;
};

class ComboBox : public Control, public Bound {
 public:
  ComboBox(Form* form, const char* name, int index = -1);

  // Design only: 0 drop-down combo (the text can be typed), 2 drop-down list.
  void setStyle(int style) { c_.style = style; }
  int Style() const { return c_.style; }

  void AddItem(const QString& item, int index = -1);
  void RemoveItem(int index);
  // Empties the list and the text.
  void Clear();
  int ListCount() const;
  QString List(int index) const;
  void setList(int index, const QString& item);
  // -1: no item chosen. Choosing an item puts it into Text and runs Click.
  int ListIndex() const;
  void setListIndex(int index);

  Handler onChange;
  Handler onClick;
  // The focus went from the box to another control of its window: neither
  // opening the box's list nor another window taking the focus leaves it.
  Handler onLostFocus;
  // A key that types a character (Enter is 13), before the box takes it;
  // setting KeyAscii to 0 drops the key, another code replaces it.
  KeyHandler onKeyPress;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void textChanged() override;
  void saveDesign() override { cDesign_ = c_; }
  void restoreDesign() override;
  void keyPressed(int& keyAscii) override;
  bool takesKeysFrom(const QObject* watched) const override;

 private:
  void pushItems();
  void chosenByUser(int index);
  struct ComboProps {
    int style = 0;
    QStringList items;
    int listIndex = -1;
  };
  ComboProps c_;
  ComboProps cDesign_;
};

// A picture from a file; Stretch scales it to the control's size.
class Image : public Control {
 public:
  Image(Form* form, const char* name, int index = -1);

  // Same rules as CommandButton::setPicture.
  QString Picture() const;
  void setPicture(const QString& path);
  bool Stretch() const;
  void setStretch(bool stretch);

  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushExtra() override;
  void saveDesign() override { iDesign_ = i_; }
  void restoreDesign() override { i_ = iDesign_; }
  void mouseReleased() override;

 private:
  void pushPicture();
  struct ImageProps {
    QString picture;
    bool stretch = false;
  };
  ImageProps i_;
  ImageProps iDesign_;
};

// A picture box: shows its picture at its own size (stretched when asked).
class PictureBox : public Image {
 public:
  PictureBox(Form* form, const char* name, int index = -1);
};

// A frame with a caption holding other controls (their setContainer()).
class Frame : public Control {
 public:
  Frame(Form* form, const char* name, int index = -1);

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
};

// A timer: runs Timer every Interval milliseconds while it is Enabled, its
// Interval is above 0 and its form is loaded.
class Timer : public Control {
 public:
  Timer(Form* form, const char* name, int index = -1);

  int Interval() const;
  void setInterval(int ms);

  Handler onTimer;

 protected:
  QWidget* createWidget(QWidget*) override { return nullptr; }
  void saveDesign() override { intervalDesign_ = interval_; }
  void restoreDesign() override { interval_ = intervalDesign_; }
  void built() override;
  void releasing() override;
  void stateChanged() override { restart(); }

 private:
  void restart();
  int interval_ = 0;
  int intervalDesign_ = 0;
  QPointer<QTimer> timer_;
};

// A menu of the form's menu bar (no parent) or an item of a menu.
class Menu : public Control {
 public:
  Menu(Form* form, const char* name, Menu* parentMenu = nullptr, int index = -1);

  bool Checked() const;
  void setChecked(bool checked);
  Menu* ParentMenu() const { return parent_; }

  Handler onClick;

  // The action of the menu while the form is loaded (tests trigger it).
  QAction* action() const { return action_; }

 protected:
  QWidget* createWidget(QWidget*) override { return nullptr; }
  void pushText() override;
  void saveDesign() override { checkedDesign_ = checked_; }
  void restoreDesign() override { checked_ = checkedDesign_; }
  void releasing() override;
  void stateChanged() override { pushAction(); }

 private:
  friend class Form;
  void attach(QMenuBar* bar, QMenu* parentMenu, bool hasItems);
  void pushAction();
  Menu* parent_;
  bool checked_ = false;
  bool checkedDesign_ = false;
  QPointer<QAction> action_;
  QPointer<QMenu> menu_;
};

// A control array: elements first..last of one name, each with its Index.
//   forms::ControlArray<forms::CommandButton> command{this, "command", 1, 24};
//   command(3).setCaption("Tea");
template <class T>
class ControlArray {
 public:
  ControlArray(Form* form, const char* name, int first, int last) : name_(name) {
    for (int i = first; i <= last; ++i) items_.emplace(i, std::make_unique<T>(form, name, i));
  }
  T& operator()(int index) const {
    auto it = items_.find(index);
    if (it == items_.end())
      throw Error(QStringLiteral("Control array element '%1' doesn't exist").arg(index), 340);
    return *it->second;
  }
  int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  int Count() const { return int(items_.size()); }

 private:
  QString name_;
  std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace forms
