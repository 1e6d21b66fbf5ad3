#include "hints/Hint95.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "hints/HintMachinery.h"
#include "hints/HintWindow95.h"
#include "platform/FontFamilies.h"
#include "runtime/ControlsRuntime.h"

namespace tilvaro {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");
const QString kClassicStatusFace = QStringLiteral("MS Sans Serif");

}  // namespace

THint95Shared& THint95Shared::Get() { return ControlsRuntime::Instance().Slot<THint95Shared>(); }

// Passes the platform's notifications on to the component: a theme change (which may bring a
// new status-bar font) and an application font change, both seen by the hint machinery, read the
// hint font again; a change of the installed fonts checks for Tahoma again.
class THint95::TNotifyWindow : public QObject {
 public:
  explicit TNotifyWindow(THint95& component) {
    connect(&HintMachinery::Instance(), &HintMachinery::HintSettingsChanged, this,
            [&component] { component.ReadSystemHintFont(); });
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [&component] { component.CheckTahoma(); });
  }
};

THint95::FontSource THint95::SystemFonts() {
  FontSource source;
  // QApplication keeps the theme's status-bar font under the class name of the status bar and
  // answers with the application font where the theme gives none.
  source.statusFont = [] { return QApplication::font("QStatusBar"); };
  source.isInstalled = [](const QString& family) { return FontFamilyInstalled(family); };
  source.dotsPerInch = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  };
  return source;
}

THint95::THint95(QObject* owner, FontSource fonts) : QObject(owner), fonts_(std::move(fonts)) {
  THint95Shared::Get().Components.push_back(this);
  Install();
  NotifyWindow = std::make_unique<TNotifyWindow>(*this);
  hintStyle_ = THintStyle::hsWindows95;
  hintFont_.color = SysColorValue(SysColor::InfoText);
  CheckTahoma();
  ReadSystemHintFont();
}

THint95::~THint95() {
  THint95Shared* shared = ControlsRuntime::FindExisting<THint95Shared>();
  if (shared == nullptr) return;  // the application, and its hint machinery with it, is gone
  auto& components = shared->Components;
  const bool wasInstalled = !components.empty() && components.front() == this;
  components.erase(std::remove(components.begin(), components.end(), this), components.end());
  if (!wasInstalled) return;
  // The machinery must not call into a component that is gone: the next one takes over, or hints
  // stop showing.
  if (!components.empty()) {
    components.front()->Install();
  } else if (HintMachinery* machinery = HintMachinery::Existing()) {
    machinery->SetOnShowHint(nullptr);
    machinery->SetHintWindowClass(nullptr);
  }
}

void THint95::Install() {
  HintMachinery& machinery = HintMachinery::Instance();
  // Replacing the class also drops a hint window made from the earlier one.
  machinery.SetHintWindowClass([] { return std::make_unique<THintWindow95>(); });
  machinery.SetOnShowHint([this](QString& text, bool& canShow, THintInfo& info) {
    ShowHintHook(text, canShow, info);
  });
  machinery.SetTimings(kTimings);
}

void THint95::SetHintStyle(THintStyle style) {
  if (style == hintStyle_) return;
  hintStyle_ = style;
  if (style == THintStyle::hsOffice97) ReadSystemHintFont();
}

void THint95::CheckTahoma() { tahomaInstalled_.reset(); }

bool THint95::TahomaInstalled() const {
  if (!tahomaInstalled_) tahomaInstalled_ = fonts_.isInstalled && fonts_.isInstalled(kTahoma);
  return *tahomaInstalled_;
}

QFont THint95::FontFromStatusFont(const QFont& status, qreal dotsPerInch) {
  QFont font;
  font.setFamily(status.family());
  const int pixels = status.pixelSize() > 0 ? status.pixelSize()
                                            : qRound(status.pointSizeF() * dotsPerInch / 72.0);
  font.setPixelSize(std::max(1, pixels));
  font.setBold(status.weight() > 500);
  font.setItalic(status.italic());
  font.setUnderline(status.underline());
  font.setStrikeOut(status.strikeOut());
  font.setFixedPitch(status.fixedPitch());
  return font;
}

void THint95::ReadSystemHintFont() {
  if (!fonts_.statusFont) return;
  const qreal dpi = fonts_.dotsPerInch ? fonts_.dotsPerInch() : 96.0;
  QFont font = FontFromStatusFont(fonts_.statusFont(), dpi);
  if (hintStyle_ == THintStyle::hsOffice97 && font.family() == kClassicStatusFace && TahomaInstalled()) {
    font.setFamily(kTahoma);
  }
  hintFont_.font = font;
}

void THint95::ShowHintHook(QString& hintText, bool& canShow, THintInfo& info) {
  if (OnShowHint) OnShowHint(hintText, canShow, info);
  // Read after the handler, so that what it changed counts.
  THint95Shared& shared = THint95Shared::Get();
  shared.LastHintControl = info.HintControl;
  shared.LastHintMaxWidth = info.HintMaxWidth;
}

THint95* THint95::FindHintComponent() {
  const THint95Shared* shared = ControlsRuntime::FindExisting<THint95Shared>();
  return shared == nullptr || shared->Components.empty() ? nullptr : shared->Components.front();
}

}  // namespace tilvaro
