#include "game/form1.h"

#include <utility>

#include "content/string_collection.h"
#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/open_dialog.h"
#include "frame/timer.h"
#include "speech/sp_voice.h"
#include "widgets/speed_button.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot {

TForm1* Form1 = nullptr;
TStringCollection* StringHelpers = nullptr;

TForm1::TForm1(QWidget* parent) : TForm(parent) {}

TForm1::~TForm1() {
  EndLoggedGame();
  if (Form1 == this) Form1 = nullptr;
}

bool TForm1::RegisterAsForm1(TForm1* form) {
  Form1 = form;
  return true;
}

void TForm1::PutWord(int slot, TZbLabel* word, std::optional<game::SpawnedPair> pair) {
  WordSlots[slot] = word;
  auto& spawned = spawnedWords_[static_cast<std::size_t>(slot)];
  spawned.reset();
  if (pair) spawned = SpawnedWord{word, std::move(*pair)};
}

const game::SpawnedPair* TForm1::SpawnedPairOf(int slot) const {
  const auto& spawned = spawnedWords_[static_cast<std::size_t>(slot)];
  return spawned && spawned->word == WordSlots[slot] ? &spawned->pair : nullptr;
}

void TForm1::RemoveWord(int slot) {
  // The panel owns the label; freeing it takes it off the panel as well.
  std::unique_ptr<TZbLabel> word(WordSlots[slot]);
  WordSlots[slot] = nullptr;
  spawnedWords_[static_cast<std::size_t>(slot)].reset();
  TopSlot.WordGone();
}

}  // namespace zembrot
