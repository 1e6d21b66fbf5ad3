// The flat edit: its height from the font, its client area inside the frame, and the frame's
// looks driven by real focus changes and pointer moves.
#include "widgets/Edit97.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/TestPalette.h"

#include "widgets/FlatEditClasses.h"
#include "platform/SysColors.h"

namespace tilvaro {
namespace {

using test::TestPalette;

const QPalette kPalette = TestPalette();
const QColor kFace = kPalette.color(QPalette::Button), kWindow = kPalette.color(QPalette::Base),
             kLight = kPalette.color(QPalette::Light), kDark = kPalette.color(QPalette::Dark),
             kMidlight = kPalette.color(QPalette::Midlight);

QFont EditorFont(int pixels) {
  QFont font;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  return font;
}

class Edit97Test : public ::testing::Test {
 protected:
  void SetUp() override {
    // The frame's colours are the system colours, which follow the application palette.
    savedPalette_ = QApplication::palette();
    QApplication::setPalette(TestPalette());
    InstallSysColorMapping();
    window_ = std::make_unique<QWidget>();
    window_->setFont(EditorFont(11));
    window_->resize(300, 120);
    first_ = new TEdit97(window_.get());
    first_->setGeometry(10, 10, 120, 19);
    second_ = new TEdit97(window_.get());
    second_->setGeometry(10, 40, 120, 19);
    other_ = new QLineEdit(window_.get());  // a focusable control that is not a flat edit
    other_->setGeometry(10, 70, 120, 22);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  static QImage Look(TEdit97* edit) { return edit->grab().toImage(); }
  static bool LooksFlat(TEdit97* edit) {
    const QImage image = Look(edit);
    return image.pixelColor(0, 0) == kFace && image.pixelColor(1, 1) == kFace &&
           image.pixelColor(2, 2) == kWindow &&
           image.pixelColor(edit->width() - 1, edit->height() - 1) == kFace;
  }
  static bool LooksSunken(TEdit97* edit) {
    const QImage image = Look(edit);
    const int r = edit->width() - 1, b = edit->height() - 1;
    return image.pixelColor(0, 0) == kDark && image.pixelColor(r, b) == kLight &&
           image.pixelColor(1, 1) == kFace && image.pixelColor(r - 1, b - 1) == kMidlight &&
           image.pixelColor(2, 2) == kWindow;
  }
  // Pointer moves go through the window, so that Qt sends enter and leave events as it does for
  // the platform's own moves.
  static void Hover(TEdit97* edit) {
    QTest::mouseMove(edit->window()->windowHandle(), edit->geometry().center());
  }
  void Unhover() { QTest::mouseMove(window_->windowHandle(), QPoint(250, 110)); }

  void TearDown() override {
    window_.reset();
    QApplication::setPalette(savedPalette_);
    SetSysColorResolver({});
  }

  QPalette savedPalette_;
  std::unique_ptr<QWidget> window_;
  TEdit97* first_ = nullptr;
  TEdit97* second_ = nullptr;
  QLineEdit* other_ = nullptr;
};

TEST_F(Edit97Test, HeightIsTheFontsLineHeightPlusTheFrame) {
  // With the editor's 11-pixel font the edit is 19 pixels high.
  EXPECT_EQ(QFontMetrics(EditorFont(11)).height(), 13);
  EXPECT_EQ(first_->height(), 19);
  first_->setFont(EditorFont(20));
  EXPECT_EQ(first_->height(), 19 + QFontMetrics(EditorFont(20)).height() - 13);
  EXPECT_EQ(first_->width(), 120) << "only the height follows the font";
}

TEST_F(Edit97Test, FocusMakesTheFrameSunkenWhetherOrNotThePointerIsOver) {
  other_->setFocus();
  EXPECT_TRUE(LooksFlat(first_));
  first_->setFocus();
  EXPECT_TRUE(LooksSunken(first_));
  Hover(first_);
  EXPECT_TRUE(LooksSunken(first_));
  Unhover();
  EXPECT_TRUE(LooksSunken(first_));
  other_->setFocus();
  EXPECT_TRUE(LooksFlat(first_));
}

TEST_F(Edit97Test, HoverSinksTheFrameOnlyWhileNoFlatEditHasTheFocus) {
  second_->setFocus();
  Hover(first_);
  EXPECT_TRUE(first_->MouseInControl());
  EXPECT_TRUE(LooksFlat(first_)) << "another flat edit has the focus";
  Unhover();
  EXPECT_FALSE(first_->MouseInControl());

  other_->setFocus();
  Hover(first_);
  EXPECT_TRUE(LooksSunken(first_)) << "a plain control has the focus";
  Unhover();
  EXPECT_TRUE(LooksFlat(first_));
}

TEST_F(Edit97Test, DisabledEditShowsTheButtonFaceInsideAWindowColouredInnerLine) {
  first_->setText("");
  first_->setEnabled(false);
  const QImage image = Look(first_);
  EXPECT_EQ(image.pixelColor(first_->rect().center()), kFace);
  EXPECT_EQ(image.pixelColor(2, 2), kWindow);
  first_->setEnabled(true);
  EXPECT_EQ(Look(first_).pixelColor(first_->rect().center()), kWindow);
}

TEST_F(Edit97Test, StoredHeightGivesWayToTheFontWhenTheEditIsSetUp) {
  auto* edit = new TEdit97(window_.get());
  edit->setGeometry(10, 90, 80, 40);
  edit->show();
  EXPECT_EQ(edit->height(), 19);
  EXPECT_EQ(edit->sizeHint().height(), 19) << "layouts keep it too";
  EXPECT_EQ(edit->contentsRect(), QRect(3, 3, 80 - 6, 19 - 6)) << "inside the three-pixel frame";
  EXPECT_FALSE(edit->hasFrame()) << "no style frame of its own";
}

TEST_F(Edit97Test, RenderingIntoAPixmapShowsTheFrameAsOnScreen) {
  for (bool focused : {false, true}) {
    SCOPED_TRACE(focused ? "sunken" : "flat");
    (focused ? static_cast<QWidget*>(first_) : other_)->setFocus();
    const QImage screen = Look(first_);
    QPixmap printed(first_->size() + QSize(4, 4));
    printed.fill(Qt::magenta);
    first_->render(&printed, QPoint(2, 2));
    EXPECT_EQ(printed.toImage().copy(QRect(QPoint(2, 2), first_->size())).convertToFormat(screen.format()),
              screen);
    EXPECT_EQ(screen.pixelColor(0, 0), focused ? kDark : kFace);
  }
}

TEST_F(Edit97Test, VersionIsFixed) {
  const QString version = first_->Version();
  EXPECT_FALSE(version.isEmpty());
  first_->SetVersion(QStringLiteral("9.9"));
  EXPECT_EQ(first_->Version(), version);
}

// A class derived from the flat edit, without a meta-object of its own.
class DerivedEdit : public TEdit97 {};

// The flat edit class is listed while instances exist; another class may count as a flat edit too.
TEST(Edit97Kind, OnlyFlatEditsCountAsFlatEdits) {
  EXPECT_FALSE(FlatEditClasses::IsRegistered(TEdit97::staticMetaObject));
  QLineEdit plain;
  {
    TEdit97 edit;
    auto second = std::make_unique<TEdit97>();
    DerivedEdit derived;
    QPushButton button;  // no edit at all
    second.reset();
    EXPECT_TRUE(FlatEditClasses::IsRegistered(TEdit97::staticMetaObject));
    EXPECT_TRUE(TEdit97::IsFlatEdit(&edit));
    EXPECT_TRUE(TEdit97::IsFlatEdit(&derived));
    EXPECT_FALSE(TEdit97::IsFlatEdit(&plain));
    EXPECT_FALSE(TEdit97::IsFlatEdit(&button));
    EXPECT_FALSE(TEdit97::IsFlatEdit(nullptr));
    FlatEditClasses::Register(QLineEdit::staticMetaObject);
    EXPECT_TRUE(TEdit97::IsFlatEdit(&plain));
    FlatEditClasses::Unregister(QLineEdit::staticMetaObject);
  }
  EXPECT_FALSE(FlatEditClasses::IsRegistered(TEdit97::staticMetaObject));
  EXPECT_FALSE(TEdit97::IsFlatEdit(&plain));
}

}  // namespace
}  // namespace tilvaro
