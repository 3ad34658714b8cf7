#include "widgets/font.h"

#include <mutex>

#include <QFont>
#include <QStringList>

#include "base/mul_div.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

// "MS Sans Serif" and "宋体" in the system code page.
const char* const kDefaultFaceName = "MS Sans Serif";
const char* const kSongFaceName = "\xCB\xCE\xCC\xE5";

// The face names the program's texts use are Windows faces; map them once to
// faces installed here. Qt consults the substitutes when the face itself is
// missing.
void InstallFontSubstitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    QFont::insertSubstitutions(CodePageToQString(kSongFaceName),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(CodePageToQString(kDefaultFaceName),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  });
}

}  // namespace

TFont::TFont() : name_(kDefaultFaceName), height_(-11), color_(clWindowText) {}

void TFont::SetName(const std::string& name) {
  if (name_ == name) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height_ == height) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, kPointsPerInch, kPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kPixelsPerInch, kPointsPerInch)); }

void TFont::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TFont::SetBold(bool bold) {
  if (bold_ == bold) return;
  bold_ = bold;
  Changed();
}

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  bold_ = other.bold_;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

QFont TFont::ToQFont() const {
  InstallFontSubstitutions();
  QFont font(CodePageToQString(name_));
  // A negative height is the character height without internal leading,
  // which is the em size Qt's pixel size stands for. A positive height is
  // the whole cell (leading included); Qt has no such request, so it is
  // approximated by the same pixel size. Zero asks for the default size.
  if (height_ < 0) {
    font.setPixelSize(-height_);
  } else if (height_ > 0) {
    font.setPixelSize(height_);
  } else {
    font.setPixelSize(13);
  }
  font.setBold(bold_);
  return font;
}

bool operator==(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Height() == b.Height() && a.Color() == b.Color() && a.Bold() == b.Bold();
}

}  // namespace zembrot
