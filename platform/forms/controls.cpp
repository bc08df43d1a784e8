#include "platform/forms/controls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "platform/files/paths.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"
#include "platform/forms/textfit.h"

namespace forms {

namespace {

// The text a bound box shows for a field value.
QString fieldText(const QVariant& v) {
  if (v.isNull()) return QString();
  switch (v.typeId()) {
    case QMetaType::Bool:
      return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
      return QString::number(v.toDouble(), 'g', 15);
    default:
      return v.toString();
  }
}

Qt::Alignment textAlignment(int a) {
  switch (a) {
    case vbRightJustify:
      return Qt::AlignRight;
    case vbCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

// The file a picture path names on this station: a Windows path
// ("C:\Program Files\Dovrel POS 4\Pics\cut.png") through the path mapping,
// a Linux path and a resource path (":/...") as they are. No folder is put in
// front of a relative path.
QString pictureFile(const QString& path) {
  return QString::fromStdString(files::localPath(path.toStdString()));
}

// Loads a picture by its path. Empty path: no picture.
QPixmap loadPicture(const QString& path) {
  if (path.isEmpty()) return QPixmap();
  const QString file = pictureFile(path);
  if (!QFileInfo(file).isFile()) throw Error(QStringLiteral("File not found: '%1'").arg(path), 53);
  QPixmap pm;
  if (!pm.load(file)) throw Error(QStringLiteral("Invalid picture: '%1'").arg(path), 481);
  return pm;
}

// Same, for a picture that was valid when it was set (the file may have
// gone since): a picture that no longer loads shows as none.
QPixmap reloadPicture(const QString& path) {
  QPixmap pm;
  if (!path.isEmpty()) pm.load(pictureFile(path));
  return pm;
}

}  // namespace

// ---- Bound

Bound::Bound(Control& self) : self_(self) {
  self.bound_ = this;
}

void Bound::attachBinding() {
  shown_ = false;
  shownText_.clear();
  if (dataSource_) dataSource_->control().addBinding(this);
}

void Bound::detachBinding() {
  if (dataSource_) dataSource_->control().removeBinding(this);
  shown_ = false;
  shownText_.clear();
}

void Bound::showFieldValue(const QVariant& value) {
  shownText_ = fieldText(value);
  shown_ = true;
  self_.storeText(shownText_);  // a real change runs the change step
}

QVariant Bound::editedFieldValue() const {
  return self_.p_.text;
}

bool Bound::fieldValueChanged() const {
  return shown_ && self_.p_.text != shownText_;
}

// ---- TextBox

TextBox::TextBox(Form* form, const char* name, int index)
    : Control(form, name, index), Bound(static_cast<Control&>(*this)) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
}

QWidget* TextBox::createWidget(QWidget* parent) {
  focused_ = false;
  if (t_.multiLine) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setVerticalScrollBarPolicy((t_.scrollBars & 2) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy((t_.scrollBars & 1) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode((t_.scrollBars & 1) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    QObject::connect(edit, &QPlainTextEdit::textChanged, link(),
                     [this, edit] { userText(edit->toPlainText()); });
    watch(edit);
    watch(edit->viewport());
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  edit->setFrame(true);
  undoBound_ = 0;
  QObject::connect(edit, &QLineEdit::textChanged, link(), [this, edit](const QString& text) {
    undoBound_ = std::min<qsizetype>(undoBound_ + p_.text.size() + text.size() + 2, 1 << 24);
    // Typing beyond MaxLength, and any edit that leaves a text the box's rule
    // refuses, is taken back; code may still write such texts.
    const bool tooLong = t_.maxLength > 0 && text.size() > t_.maxLength && text.size() > p_.text.size();
    if (tooLong || (t_.accepts && !t_.accepts(text))) {
      {
        const QSignalBlocker block(edit);
        edit->setText(p_.text);
      }
      showFitted();
      return;
    }
    userText(text);
    showFitted();
  });
  watch(edit);
  return edit;
}

void TextBox::pushText() {
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) {
    // Text written by code shows from its start, with the cursor there.
    edit->setText(p_.text);
    edit->setCursorPosition(0);
    showFitted();
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    plain->setPlainText(p_.text);
  }
}

void TextBox::pushExtra() {
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) {
    edit->setReadOnly(t_.locked);
    // The mask shows the box's own character ("*"), not the style's dot.
    const bool masked = !t_.passwordChar.isEmpty();
    const QString style = masked ? QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                                       .arg(t_.passwordChar.at(0).unicode())
                                 : QString();
    // A new style lays the text out again, and Qt frees the text it showed
    // before as it stands: the style changes only while the box is masked,
    // so no copy of a text shown in clear (a card number) is left that way.
    if (masked) edit->setEchoMode(QLineEdit::Password);
    if (edit->styleSheet() != style) edit->setStyleSheet(style);
    if (!masked) edit->setEchoMode(QLineEdit::Normal);
    edit->setAlignment(textAlignment(t_.alignment) | Qt::AlignVCenter);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    plain->setReadOnly(t_.locked);
  }
}

void TextBox::textChanged() {
  fire(onChange);
}

// A box that fits its text shows it in the face and with the end that
// fitText() chose for the box's room. While the clerk works in the box it
// shows the whole text, so that what is typed goes into the text itself.
void TextBox::showFitted() {
  auto* edit = qobject_cast<QLineEdit*>(widget_.data());
  if (!t_.fit || !edit) return;
  const QFont design = toQFont(p_.font);
  const FittedText fit = fitText(p_.text, design, lineEditTextRoom(*edit));
  QFont face = design;
  face.setPointSizeF(fit.pointSize);
  const QSignalBlocker block(edit);
  if (edit->font() != face) edit->setFont(face);
  const QString shown = focused_ ? p_.text : fit.text;
  if (edit->text() != shown) {
    edit->setText(shown);  // the caret at its end, where the clerk goes on
    if (!focused_) edit->setCursorPosition(0);
  }
}

void TextBox::Wipe() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection() && clipboard->ownsSelection()) {
    QString selected = clipboard->text(QClipboard::Selection);
    if (!selected.isEmpty() && p_.text.contains(selected)) {
      WipeText(selected);
      clipboard->clear(QClipboard::Selection);
    }
  }
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) {
    const QSignalBlocker block(edit);
    // The line edit's text is most often the box's own buffer; a fitted box
    // shows another. What it lays out to show is a copy of its own.
    QString shown = edit->text();
    WipeText(shown);
    QString laidOut = edit->displayText();
    WipeText(laidOut);
    // Setting a text empties the undo list but keeps its room: blanks typed
    // over it, each replacing the last, fill every entry it can hold.
    edit->setText(QString());
    constexpr int kChunk = 1024;
    for (int filled = 0; filled < 2 * undoBound_ + 16; filled += kChunk) {
      edit->selectAll();
      edit->insert(QString(kChunk, QLatin1Char(' ')));
    }
    edit->setText(QString());
    edit->deselect();
    undoBound_ = 0;
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    const QSignalBlocker block(plain);
    plain->setPlainText(QString());
    plain->document()->clearUndoRedoStacks();
  }
  // The design text is the window's, not card data, and stays as it is.
  if (p_.text.constData() == design_.text.constData())
    p_.text = QString();
  else
    WipeText(p_.text);
}

void TextBox::restoreDesign() {
  const bool multiLine = t_.multiLine;
  const int scrollBars = t_.scrollBars;
  t_ = tDesign_;
  t_.multiLine = multiLine;
  t_.scrollBars = scrollBars;
}

int TextBox::SelStart() const {
  touch();
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data()))
    return edit->hasSelectedText() ? int(edit->selectionStart()) : int(edit->cursorPosition());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data()))
    return plain->textCursor().selectionStart();
  return 0;
}

void TextBox::setSelStart(int start) {
  touch();
  start = std::clamp(start, 0, int(p_.text.size()));
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) {
    edit->setCursorPosition(start);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    QTextCursor cursor = plain->textCursor();
    cursor.setPosition(start);
    plain->setTextCursor(cursor);
  }
}

int TextBox::SelLength() const {
  touch();
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) return int(edit->selectedText().size());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data()))
    return plain->textCursor().selectionEnd() - plain->textCursor().selectionStart();
  return 0;
}

void TextBox::setSelLength(int length) {
  touch();
  const int start = SelStart();
  length = std::clamp(length, 0, int(p_.text.size()) - start);
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data())) {
    edit->setSelection(start, length);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    QTextCursor cursor = plain->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    plain->setTextCursor(cursor);
  }
}

QString TextBox::SelText() const {
  const int start = SelStart();
  return Text().mid(start, SelLength());
}

bool TextBox::Locked() const {
  touch();
  return t_.locked;
}
void TextBox::setLocked(bool locked) {
  touch();
  t_.locked = locked;
  if (widget_) pushExtra();
}
int TextBox::MaxLength() const {
  touch();
  return t_.maxLength;
}
void TextBox::setMaxLength(int length) {
  touch();
  t_.maxLength = length < 0 ? 0 : length;
}
QString TextBox::PasswordChar() const {
  touch();
  return t_.passwordChar;
}
void TextBox::setPasswordChar(const QString& mask) {
  touch();
  t_.passwordChar = mask.left(1);
  if (widget_) pushExtra();
}
int TextBox::Alignment() const {
  touch();
  return t_.alignment;
}
void TextBox::setAlignment(int alignment) {
  touch();
  t_.alignment = alignment;
  if (widget_) pushExtra();
}

void TextBox::mouseReleased() {
  fire(onClick);
}
void TextBox::keyPressed(int& keyAscii) {
  if (onKeyPress) fire([&] { onKeyPress(keyAscii); });
}
void TextBox::gotFocus() {
  focused_ = true;
  showFitted();
  fire(onGotFocus);
}
void TextBox::lostFocus() {
  focused_ = false;
  showFitted();
  fire(onLostFocus);
}

// ---- Label

Label::Label(Form* form, const char* name, int index)
    : Control(form, name, index), Bound(static_cast<Control&>(*this)) {}

QWidget* Label::createWidget(QWidget* parent) {
  auto* label = new QLabel(parent);
  watch(label);
  return label;
}

namespace {
// A caption whose "&" marks an underlined letter, as rich text.
QString mnemonicHtml(const QString& text) {
  QString html;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] == u'&')
        html += QStringLiteral("&amp;");
      else
        html += QStringLiteral("<u>") + QString(text[i]).toHtmlEscaped() + QStringLiteral("</u>");
      continue;
    }
    html += QString(text[i]).toHtmlEscaped();
  }
  return html;
}
}  // namespace

void Label::pushText() {
  if (auto* label = qobject_cast<QLabel*>(widget_.data())) {
    label->setTextFormat(l_.mnemonic ? Qt::RichText : Qt::PlainText);
    label->setText(l_.mnemonic ? mnemonicHtml(p_.text) : p_.text);
  }
}

void Label::pushExtra() {
  if (auto* label = qobject_cast<QLabel*>(widget_.data())) {
    label->setWordWrap(l_.wordWrap);
    label->setAlignment(textAlignment(l_.alignment) | Qt::AlignTop);
    label->setFrameShape(l_.borderStyle == 1 ? QFrame::Box : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
  }
}

void Label::applyColors() {
  if (!widget_) return;
  Control::applyColors();
  if (l_.backStyle == 0) widget_->setAutoFillBackground(false);
}

void Label::textChanged() {
  fire(onChange);
}

void Label::restoreDesign() {
  l_ = lDesign_;
}

int Label::Alignment() const {
  touch();
  return l_.alignment;
}
void Label::setAlignment(int alignment) {
  touch();
  l_.alignment = alignment;
  if (widget_) pushExtra();
}
int Label::BackStyle() const {
  touch();
  return l_.backStyle;
}
void Label::setBackStyle(int style) {
  touch();
  l_.backStyle = style;
  if (widget_) applyColors();
}
bool Label::UseMnemonic() const {
  touch();
  return l_.mnemonic;
}
void Label::setUseMnemonic(bool use) {
  touch();
  l_.mnemonic = use;
  if (widget_) pushText();
}
bool Label::WordWrap() const {
  touch();
  return l_.wordWrap;
}
void Label::setWordWrap(bool wrap) {
  touch();
  l_.wordWrap = wrap;
  if (widget_) pushExtra();
}

int Label::BorderStyle() const {
  touch();
  return l_.borderStyle;
}
void Label::setBorderStyle(int style) {
  touch();
  l_.borderStyle = style;
  if (widget_) pushExtra();
}

void Label::mouseReleased() {
  fire(onClick);
}

// ---- CommandButton

CommandButton::CommandButton(Form* form, const char* name, int index) : Control(form, name, index) {}

QWidget* CommandButton::createWidget(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(button, &QToolButton::clicked, link(), [this] { fire(onClick); });
  watch(button);
  return button;
}

// A caption wider than its button goes on over more lines, broken at the
// blanks, as the platform's buttons show it; a word longer than the button
// keeps a line of its own.
QString wrappedCaption(const QString& caption, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(caption) <= width || !caption.contains(QLatin1Char(' '))) return caption;
  QStringList lines;
  QString line;
  for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(QLatin1Char('\n'));
}

void CommandButton::pushText() {
  if (auto* button = qobject_cast<QToolButton*>(widget_.data())) {
    QString shown = wrappedCaption(p_.text, button->fontMetrics(), button->width() - 8);
    // The button takes "&&" for an "&" that marks nothing.
    if (!b_.mnemonic) shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    button->setText(shown);
  }
  pushPicture();
}

void CommandButton::pushExtra() {
  pushPicture();
}

void CommandButton::pushPicture() {
  auto* button = qobject_cast<QToolButton*>(widget_.data());
  if (!button) return;
  const QPixmap pm = reloadPicture(b_.picture);
  if (pm.isNull()) {
    button->setIcon(QIcon());
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return;
  }
  button->setIcon(QIcon(pm));
  const bool caption = !p_.text.isEmpty();
  button->setToolButtonStyle(caption ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  const int textHeight = caption ? button->fontMetrics().height() + 6 : 0;
  const QSize room(std::max(1, button->width() - 8), std::max(1, button->height() - 8 - textHeight));
  button->setIconSize(pm.size().scaled(room, Qt::KeepAspectRatio).boundedTo(pm.size().expandedTo(room)));
}

void CommandButton::applyColors() {
  Control::applyColors();
  if (widget_ && !isSystemColor(p_.back)) widget_->setAutoFillBackground(false);
}

void CommandButton::restoreDesign() {
  b_ = bDesign_;
}

QString CommandButton::Picture() const {
  touch();
  return b_.picture;
}

void CommandButton::setPicture(const QString& path) {
  touch();
  loadPicture(path);  // throws for a missing file or one that is no picture
  b_.picture = path;
  if (widget_) pushPicture();
}

int CommandButton::Style() const {
  touch();
  return b_.style;
}

void CommandButton::setStyle(int style) {
  touch();
  b_.style = style;
}

bool CommandButton::UseMnemonic() const {
  touch();
  return b_.mnemonic;
}

void CommandButton::setUseMnemonic(bool use) {
  touch();
  b_.mnemonic = use;
  if (widget_) pushText();
}

void CommandButton::setValue(bool pressed) {
  touch();
  if (pressed && !designing()) fire(onClick);
}

// ---- CheckBox

CheckBox::CheckBox(Form* form, const char* name, int index)
    : Control(form, name, index), Bound(static_cast<Control&>(*this)) {}

QWidget* CheckBox::createWidget(QWidget* parent) {
  auto* box = new QCheckBox(parent);
  QObject::connect(box, &QCheckBox::clicked, link(),
                   [this] { apply(value_ == vbChecked ? vbUnchecked : vbChecked); });
  watch(box);
  return box;
}

void CheckBox::pushText() {
  if (auto* box = qobject_cast<QCheckBox*>(widget_.data())) box->setText(p_.text);
}

void CheckBox::pushExtra() {
  if (auto* box = qobject_cast<QCheckBox*>(widget_.data())) {
    box->setTristate(value_ == vbGrayed);
    box->setCheckState(value_ == vbChecked  ? Qt::Checked
                       : value_ == vbGrayed ? Qt::PartiallyChecked
                                            : Qt::Unchecked);
  }
}

int CheckBox::Value() const {
  touch();
  return value_;
}

void CheckBox::setValue(int value) {
  touch();
  if (value < vbUnchecked || value > vbGrayed) throw Error(QStringLiteral("Invalid property value"), 380);
  apply(value);
}

void CheckBox::apply(int value) {
  if (value == value_) return;
  value_ = value;
  if (widget_) {
    const QSignalBlocker block(widget_.data());
    pushExtra();
  }
  if (!designing()) fire(onClick);
}

void CheckBox::showFieldValue(const QVariant& value) {
  int v = vbUnchecked;
  if (!value.isNull()) {
    bool number = false;
    const double d = value.toString().trimmed().toDouble(&number);
    if (value.typeId() == QMetaType::Bool)
      v = value.toBool() ? vbChecked : vbUnchecked;
    else if (number)
      v = d == vbGrayed ? vbGrayed : d != 0 ? vbChecked : vbUnchecked;
    else {
      const QString t = value.toString().trimmed();
      v = t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                  t.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0
              ? vbChecked
              : vbUnchecked;
    }
  }
  shownValue_ = v;
  shown_ = true;
  apply(v);  // a change runs Click, as a click of the clerk does
}

QVariant CheckBox::editedFieldValue() const {
  // The box's value as a number, so that a row written by the box reads the
  // same as the first-install rows (0 unticked, 1 ticked).
  return QVariant(value_);
}

// ---- ComboBox

ComboBox::ComboBox(Form* form, const char* name, int index)
    : Control(form, name, index), Bound(static_cast<Control&>(*this)) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
}

QWidget* ComboBox::createWidget(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(c_.style != 2);
  combo->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(combo, &QComboBox::activated, link(), [this](int index) { chosenByUser(index); });
  if (QLineEdit* edit = combo->lineEdit()) {
    // What the clerk types stays what was typed: no completion from the list,
    // which would show more than the box's Text, and which would choose the
    // completed item on Enter or when the clerk leaves the box.
    combo->setCompleter(nullptr);
    QObject::connect(edit, &QLineEdit::textEdited, link(), [this](const QString& text) { userText(text); });
    watch(edit);
  }
  watch(combo);
  // Left: the focus moved from the box (or its editor) to another widget of
  // the same window. The box's own list is a window of its own, and a window
  // that takes the focus leaves no widget of this one focused.
  QObject::connect(qApp, &QApplication::focusChanged, link(), [this, combo](QWidget* old, QWidget* now) {
    const auto inBox = [combo](QWidget* w) { return w == combo || combo->isAncestorOf(w); };
    if (old && now && inBox(old) && !inBox(now) && now->window() == combo->window()) fire(onLostFocus);
  });
  return combo;
}

void ComboBox::pushItems() {
  auto* combo = qobject_cast<QComboBox*>(widget_.data());
  if (!combo) return;
  const QSignalBlocker block(combo);
  combo->clear();
  combo->addItems(c_.items);
  pushText();
}

void ComboBox::pushText() {
  auto* combo = qobject_cast<QComboBox*>(widget_.data());
  if (!combo) return;
  const QSignalBlocker block(combo);
  // The box stands on the item its text names also while ListIndex is -1
  // (an item added after the text was set): Qt takes a text that names
  // another item than the current one, on Enter or when the box is left,
  // for a choice from the list.
  int shown = c_.listIndex;
  if (shown < 0 && combo->isEditable()) shown = int(c_.items.indexOf(p_.text));
  QLineEdit* edit = combo->lineEdit();
  // A text the box already shows (the clerk's own typing) keeps its caret:
  // writing it again would put the caret at the end, and the next key there.
  const bool typed = edit && edit->text() == p_.text;
  const int caret = edit ? edit->cursorPosition() : 0;
  combo->setCurrentIndex(shown);
  if (edit) {
    const QSignalBlocker blockEdit(edit);
    if (edit->text() != p_.text) combo->setEditText(p_.text);
    if (typed) edit->setCursorPosition(caret);
  }
}

void ComboBox::pushExtra() {
  pushItems();
}

void ComboBox::textChanged() {
  // The text chooses the item it names (or none).
  c_.listIndex = int(c_.items.indexOf(p_.text));
  if (c_.listIndex < 0) {
    for (int i = 0; i < c_.items.size(); ++i) {
      if (c_.items[i].compare(p_.text, Qt::CaseInsensitive) == 0) {
        c_.listIndex = i;
        break;
      }
    }
  }
  if (widget_) pushText();
  fire(onChange);
}

// Every choice from the list runs Click, also of the item already chosen.
void ComboBox::chosenByUser(int index) {
  if (index < 0 || index >= c_.items.size()) return;
  c_.listIndex = index;
  p_.text = c_.items[index];
  if (widget_) pushText();
  fire(onClick);
}

void ComboBox::keyPressed(int& keyAscii) {
  if (onKeyPress) fire([&] { onKeyPress(keyAscii); });
}

// The combo box keeps the focus while its text is typed and hands the keys
// to its line edit itself, so its KeyPress comes from the combo box alone;
// a key the line edit leaves (Enter) comes back to it once.
bool ComboBox::takesKeysFrom(const QObject* watched) const {
  return watched == widget_.data();
}

void ComboBox::restoreDesign() {
  const int style = c_.style;
  c_ = cDesign_;
  c_.style = style;
}

namespace detail {

void insertItem(QStringList& items, int& listIndex, const QString& item, int index) {
  if (index < 0 || index > items.size()) index = int(items.size());
  items.insert(index, item);
  if (listIndex >= index) ++listIndex;
}

bool removeItem(QStringList& items, int& listIndex, int index) {
  if (index < 0 || index >= items.size()) throw Error(QStringLiteral("Invalid argument"), 5);
  items.removeAt(index);
  if (listIndex == index) {
    listIndex = -1;
    return true;
  }
  if (listIndex > index) --listIndex;
  return false;
}

}  // namespace detail

void ComboBox::AddItem(const QString& item, int index) {
  touch();
  detail::insertItem(c_.items, c_.listIndex, item, index);
  if (widget_) pushItems();
}

void ComboBox::RemoveItem(int index) {
  touch();
  if (detail::removeItem(c_.items, c_.listIndex, index) && c_.style == 2) p_.text.clear();
  if (widget_) pushItems();
}

void ComboBox::Clear() {
  touch();
  c_.items.clear();
  c_.listIndex = -1;
  if (widget_) pushItems();
  storeText(QString());
}

int ComboBox::ListCount() const {
  touch();
  return int(c_.items.size());
}

QString ComboBox::List(int index) const {
  touch();
  return index >= 0 && index < c_.items.size() ? c_.items[index] : QString();
}

void ComboBox::setList(int index, const QString& item) {
  touch();
  if (index < 0 || index >= c_.items.size()) throw Error(QStringLiteral("Invalid argument"), 5);
  c_.items[index] = item;
  if (widget_) pushItems();
}

int ComboBox::ListIndex() const {
  touch();
  return c_.listIndex;
}

void ComboBox::setListIndex(int index) {
  touch();
  if (index < -1 || index >= c_.items.size()) throw Error(QStringLiteral("Invalid property value"), 380);
  if (index == c_.listIndex) return;
  c_.listIndex = index;
  if (index >= 0)
    p_.text = c_.items[index];
  else if (c_.style == 2)
    p_.text.clear();
  if (widget_) pushText();
  if (!designing()) fire(onClick);
}

// ---- Image, PictureBox

Image::Image(Form* form, const char* name, int index) : Control(form, name, index) {}

QWidget* Image::createWidget(QWidget* parent) {
  auto* label = new QLabel(parent);
  watch(label);
  return label;
}

void Image::pushExtra() {
  pushPicture();
}

void Image::pushPicture() {
  auto* label = qobject_cast<QLabel*>(widget_.data());
  if (!label) return;
  label->setScaledContents(i_.stretch);
  label->setPixmap(reloadPicture(i_.picture));
}

QString Image::Picture() const {
  touch();
  return i_.picture;
}

void Image::setPicture(const QString& path) {
  touch();
  loadPicture(path);
  i_.picture = path;
  if (widget_) pushPicture();
}

bool Image::Stretch() const {
  touch();
  return i_.stretch;
}

void Image::setStretch(bool stretch) {
  touch();
  i_.stretch = stretch;
  if (widget_) pushPicture();
}

void Image::mouseReleased() {
  fire(onClick);
}

PictureBox::PictureBox(Form* form, const char* name, int index) : Image(form, name, index) {}

// ---- Frame

Frame::Frame(Form* form, const char* name, int index) : Control(form, name, index) {}

QWidget* Frame::createWidget(QWidget* parent) {
  auto* box = new QGroupBox(parent);
  watch(box);
  return box;
}

void Frame::pushText() {
  if (auto* box = qobject_cast<QGroupBox*>(widget_.data())) box->setTitle(p_.text);
}

// ---- Timer

Timer::Timer(Form* form, const char* name, int index) : Control(form, name, index) {}

int Timer::Interval() const {
  touch();
  return interval_;
}

void Timer::setInterval(int ms) {
  touch();
  interval_ = ms < 0 ? 0 : ms;
  restart();
}

void Timer::built() {
  timer_ = new QTimer(link());
  QObject::connect(timer_, &QTimer::timeout, link(), [this] { fire(onTimer); });
  restart();
}

void Timer::releasing() {
  if (timer_) timer_->stop();
  timer_ = nullptr;
}

void Timer::restart() {
  if (!timer_) return;
  if (p_.enabled && interval_ > 0)
    timer_->start(interval_);
  else
    timer_->stop();
}

// ---- Menu

Menu::Menu(Form* form, const char* name, Menu* parentMenu, int index)
    : Control(form, name, index), parent_(parentMenu) {}

bool Menu::Checked() const {
  touch();
  return checked_;
}

void Menu::setChecked(bool checked) {
  touch();
  checked_ = checked;
  pushAction();
}

void Menu::attach(QMenuBar* bar, QMenu* parentMenu, bool hasItems) {
  if (hasItems) {
    menu_ = parentMenu ? parentMenu->addMenu(p_.text) : bar->addMenu(p_.text);
    action_ = menu_->menuAction();
  } else {
    action_ = parentMenu ? parentMenu->addAction(p_.text) : bar->addAction(p_.text);
    QObject::connect(action_, &QAction::triggered, link(), [this] {
      pushAction();  // a checkable action ticks itself; Checked stays the window's to set
      fire(onClick);
    });
  }
  pushAction();
}

void Menu::pushText() {
  pushAction();
}

void Menu::pushAction() {
  if (!action_) return;
  action_->setText(p_.text);
  action_->setEnabled(p_.enabled);
  action_->setVisible(p_.visible);
  action_->setCheckable(checked_);
  action_->setChecked(checked_);
}

void Menu::releasing() {
  action_ = nullptr;
  menu_ = nullptr;
}

}  // namespace forms
