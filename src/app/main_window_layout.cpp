#include "app/main_window_layout.h"

#include <string>

#include <QLayout>
#include <QObject>
#include <QPalette>

#include "base/code_page.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/open_dialog.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "speech/sp_voice.h"
#include "widgets/colors.h"
#include "widgets/font.h"
#include "widgets/speed_button.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_menu_controller.h"
#include "widgets/zb_panel.h"

namespace zembrot {

namespace {

// Layout texts are written in UTF-8 and converted to the system code page
// when the layout is read (Utf8ToCodePage).
std::string Text(const char* utf8) { return Utf8ToCodePage(utf8); }

constexpr int kClientWidth = 847;
constexpr int kClientHeight = 510;
constexpr int kTypedLineFontHeight = -19;

struct Bounds {
  int left;
  int top;
  int width;
  int height;
};

// Controls, in the order they are created: windowed controls come last so
// that they lie above the graphic ones.
constexpr Bounds kSpeedButton1{152, 480, 81, 25};
constexpr Bounds kZbLabel1{8, 480, 10, 19};
constexpr Bounds kCheckBox1{256, 480, 585, 25};
constexpr Bounds kZbPanel1{0, 0, 847, 450};

struct TimerLayout {
  TTimer* TForm1::*field;
  const char* name;
  unsigned interval;
  void (TForm1::*onTimer)(QObject*);
};

constexpr TimerLayout kTimer1{&TForm1::Timer1, "Timer1", 500, &TForm1::Timer1Timer};
constexpr TimerLayout kTimer2{&TForm1::Timer2, "Timer2", 9000, &TForm1::Timer2Timer};
constexpr TimerLayout kTimer3{&TForm1::Timer3, "Timer3", 2000, &TForm1::Timer3Timer};

struct MenuItemLayout {
  TMenuItem* TForm1::*field;
  const char* name;
  const char* captionUtf8;
  bool checked;
  void (TForm1::*onClick)(QObject*);  // none for an item that opens a submenu
};

// The menu bar: N1 opens its submenu; N3 and N5 are commands on the bar.
constexpr MenuItemLayout kN1{&TForm1::N1, "N1", "设置", false, nullptr};
constexpr MenuItemLayout kN2{&TForm1::N2, "N2", "落下字符显示英文", false, &TForm1::N2Click};
constexpr MenuItemLayout kN4{&TForm1::N4, "N4", "不显示中文", true, &TForm1::N4Click};
constexpr MenuItemLayout kN3{&TForm1::N3, "N3", "自定义练习内容", false, &TForm1::N3Click};
constexpr MenuItemLayout kN5{&TForm1::N5, "N5", "帮 助", false, &TForm1::N5Click};

// Binds a handler of the window. Timers, menu items and the key preview run
// their handlers through the frame's guard themselves.
std::function<void(QObject*)> Bound(TForm1& form, void (TForm1::*handler)(QObject*)) {
  TForm1* target = &form;
  return [target, handler](QObject* sender) { (target->*handler)(sender); };
}

// The button calls its OnClick as it is, so its handler takes the guard here.
std::function<void(QObject*)> Guarded(TForm1& form, void (TForm1::*handler)(QObject*)) {
  TForm1* target = &form;
  return [target, handler](QObject* sender) { RunGuarded([&] { (target->*handler)(sender); }); };
}

void Place(QWidget* control, const char* name, const Bounds& bounds) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

void SetTypedLineFont(TFont& font) {
  font.SetName(Text("宋体"));
  font.SetHeight(kTypedLineFontHeight);
  font.SetColor(clWindowText);
}

void BuildWindow(TForm1& form) {
  form.setObjectName(QStringLiteral("Form1"));
  form.SetCaption("Zembrot 1.01");
  form.SetClientSize(kClientWidth, kClientHeight);
  form.setFont(TFont().ToQFont());  // "MS Sans Serif", height -11
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, ToQColor(clBtnFace));
  form.setPalette(palette);
  form.SetKeyPreview(true);
  TForm1* target = &form;
  form.OnKeyPress = [target](QObject* sender, char& key) { target->FormKeyPress(sender, key); };
}

void BuildControls(TForm1& form) {
  QWidget* client = form.ClientArea();

  form.SpeedButton1 = new TSpeedButton(client);
  Place(form.SpeedButton1, "SpeedButton1", kSpeedButton1);
  form.SpeedButton1->SetCaption(Text("开 始"));
  form.SpeedButton1->OnClick = Guarded(form, &TForm1::SpeedButton1Click);

  form.ZbLabel1 = new TZbLabel(client);
  form.ZbLabel1->setObjectName(QStringLiteral("ZbLabel1"));
  form.ZbLabel1->SetLeft(kZbLabel1.left);
  form.ZbLabel1->SetTop(kZbLabel1.top);
  form.ZbLabel1->SetWidth(kZbLabel1.width);
  form.ZbLabel1->SetHeight(kZbLabel1.height);
  SetTypedLineFont(form.ZbLabel1->Font());
  // The typed text is shown as typed, "&" included.
  form.ZbLabel1->SetShowAccelChar(false);
  form.ZbLabel1->SetCaption(std::string());

  form.CheckBox1 = new TZbCheckBox(client);
  Place(form.CheckBox1, "CheckBox1", kCheckBox1);
  form.CheckBox1->SetCaption(Text("英文提示"));
  // Its caption becomes the hint line, a practice text shown as it stands.
  form.CheckBox1->SetShowAccelChar(false);
  SetTypedLineFont(form.CheckBox1->Font());
  form.CheckBox1->SetHotTrack(true);
  form.CheckBox1->SetState(TCheckBoxState::cbUnchecked);
  form.CheckBox1->SetTabStop(false);

  form.ZbPanel1 = new TZbPanel(client);
  Place(form.ZbPanel1, "ZbPanel1", kZbPanel1);
  form.ZbPanel1->SetBorderOuter(TFrameStyleEx::fsFlat);
}

void BuildTimer(TForm1& form, const TimerLayout& layout) {
  auto* timer = new TTimer(&form);
  timer->setObjectName(QString::fromLatin1(layout.name));
  // Off before anything else, so that no countdown starts while it is built.
  timer->SetEnabled(false);
  timer->SetInterval(layout.interval);
  timer->SetOnTimer(Bound(form, layout.onTimer));
  form.*layout.field = timer;
}

TMenuItem* BuildMenuItem(TForm1& form, const MenuItemLayout& layout) {
  auto* item = new TMenuItem(&form);
  item->setObjectName(QString::fromLatin1(layout.name));
  item->SetCaption(Text(layout.captionUtf8));
  item->SetChecked(layout.checked);
  if (layout.onClick != nullptr) item->OnClick = Bound(form, layout.onClick);
  form.*layout.field = item;
  return item;
}

// No stored properties: every one keeps its default.
void BuildMenuController(TForm1& form) {
  form.ZbMenuController1 = new TZbMenuController(&form);
  form.ZbMenuController1->setObjectName(QStringLiteral("ZbMenuController1"));
}

void BuildMenu(TForm1& form) {
  form.MainMenu1 = new TMainMenu(&form);
  form.MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  form.MainMenu1->SetOwnerDraw(true);
  TMenuItem* settings = BuildMenuItem(form, kN1);
  settings->Add(BuildMenuItem(form, kN2));
  settings->Add(BuildMenuItem(form, kN4));
  form.MainMenu1->Add(settings);
  form.MainMenu1->Add(BuildMenuItem(form, kN3));
  form.MainMenu1->Add(BuildMenuItem(form, kN5));
  form.SetMenu(form.MainMenu1);
}

void BuildSpeech(TForm1& form) {
  // Nothing talks to the engine until the first word is spoken.
  form.SpVoice1 = std::make_unique<TSpVoice>(CurrentServices().CreateSpeechServer());
  form.SpVoice1->AutoConnect = false;
  form.SpVoice1->ConnectKind = TConnectKind::ckRunningOrNew;
}

void BuildOpenDialog(TForm1& form) {
  form.OpenDialog1 = std::make_unique<TOpenDialog>();
  form.OpenDialog1->Filter = "*.txt|*.txt";
}

}  // namespace

void BuildMainWindow(TForm1& form) {
  BuildWindow(form);
  BuildControls(form);
  BuildTimer(form, kTimer1);
  BuildTimer(form, kTimer2);
  BuildMenuController(form);
  BuildMenu(form);
  BuildTimer(form, kTimer3);
  BuildSpeech(form);
  BuildOpenDialog(form);
  // The whole layout has been read: the controller hooks the menu items,
  // which changes their sizes, so the client area is given its size again.
  form.ZbMenuController1->Loaded();
  form.SetClientSize(kClientWidth, kClientHeight);
  // Lay the client area out now, not at the first showing, so that the
  // controls already have their stored places while FormCreate runs; the
  // play field is aligned once the client area has its size.
  if (QLayout* layout = form.layout(); layout != nullptr) layout->activate();
  form.SetAlignTop(form.ZbPanel1);
  // TabOrder 0 and 1.
  form.SetTabOrder({form.CheckBox1, form.ZbPanel1});
}

std::unique_ptr<TForm1> CreateMainWindow() {
  auto form = std::make_unique<TForm1>();
  BuildMainWindow(*form);
  TForm1* created = form.get();
  RunGuarded([created] { created->FormCreate(created); });
  return form;
}

}  // namespace zembrot
