// The category faces: what the fourteen category slots show on the buttons
// of the store settings window, the sales window and the menu editor.
//
// One menu mode serves all slots. Exactly "2.Custom" is caption mode: each
// slot's button shows the caption typed in the settings window's box txtmN
// (as it stands, saved or not). Any other text is picture mode: each button
// shows the picture whose path is in the field pN of the first row of the
// window's own binding on tbSetMain (BakHS.mdb of the install folder).
//
// Slot N is the category table of MenuCategory slot N (0 drinks ... 9 soup,
// 11 lamb, 12 lunch, 13 dinner). The sales window's page buttons of the slots
// are command(1) to command(12), command(17) and command(18).
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"

namespace shell {

constexpr int kCategorySlots = 14;

// How the rule treats a slot's button.
enum class FaceKind {
  // The settings window's preview buttons and the menu editor's table
  // buttons: a caption or a picture, never both.
  Preview,
  // The sales window's category buttons: they keep their own icon in caption
  // mode and their caption in picture mode.
  Category,
  // The sales window's page buttons on the main-menu page.
  Page,
};

struct FaceButton {
  forms::CommandButton* button;
  FaceKind kind;
};

// The buttons of each slot 0 to 13, in the order they are served.
using FaceSlots = std::array<std::vector<FaceButton>, kCategorySlots>;

// Caption mode: the mode text is exactly "2.Custom" (case and blanks count).
bool isCaptionMode(const QString& menuMode);

// Puts the faces on a window's slot buttons.
//  - menuMode reads the mode text; when it cannot be read (it throws), the
//    steps of caption mode run.
//  - captions: the text of frmInfor.txtm0 to txtm13 when the rule runs;
//  - pictures: p0 to p13 of the first row of datMain.
// Caption mode, per kind: Preview: picture cleared, caption set; Category:
// caption set, picture kept; Page: caption set, picture cleared.
// Picture mode: each button's picture is cleared and the slot's picture
// loaded; Preview and Page buttons then show no caption, Category buttons keep
// theirs. A path that yields no picture (no row, a field without a value, no
// such file, not a picture) leaves the button showing the slot's caption
// instead, so no button keeps a stale picture or goes blank. An empty path is
// a deliberate "no picture": no picture, and no caption on Preview and Page
// buttons.
// Every step (one property of one button) stands alone: a step that fails is
// skipped without a message. Visibility, enabling and tags are not touched.
void SetCategoryFaces(const FaceSlots& buttons, const std::function<QString()>& menuMode,
                      forms::Data& datMain);

// The mode as the sales window and the menu editor read it: the caption of
// the settings window's label lblMainMu (loading that window when needed).
QString settingsMenuMode();

}  // namespace shell
