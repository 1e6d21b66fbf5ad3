// The application's handler for unexpected errors and the numbered cursor table.
#include <QLabel>
#include <functional>
#include <utility>
#include <new>
#include <stdexcept>

#include "support/ModalDriver.h"
#include "platform/CursorTable.h"
#include "platform/ErrorBox.h"

namespace tilvaro::test {
namespace {

// A handler that ends normally shows nothing; anything thrown ends it and shows a message with a
// full stop in the editor's error box.
TEST(RunGuarded, AnExceptionEndsTheHandlerAndShowsItsMessageWithAFullStop) {
  bool ran = false;
  EXPECT_TRUE(RunGuarded([&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { throw std::runtime_error("Kann nicht nach /tmp/Straße.set schreiben"); },
       "Kann nicht nach /tmp/Straße.set schreiben."},
      {[] { throw 42; }, "Unbekannter Fehler."},
      {[] { throw std::bad_alloc(); }, "Zu wenig Arbeitsspeicher."},
      {[] { throw std::length_error("basic_string::_M_create"); }, "Zu groß zum Verarbeiten."},
  };
  for (const auto& [throwing, text] : cases) {
    const std::function<void()>& handler = throwing;  // a lambda may not capture a structured binding
    SCOPED_TRACE(text);
    MessageBoxAnswerer answerer;
    bool after = false;
    EXPECT_FALSE(RunGuarded([&] {
      handler();
      after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_TRUE(answerer.Seen().shown);
    EXPECT_EQ(answerer.Seen().text, QString::fromUtf8(text));
    EXPECT_EQ(answerer.Seen().title, QStringLiteral("Tilvaro - Editor"));
    EXPECT_EQ(answerer.Seen().icon, QMessageBox::Critical);
  }
}

TEST(RunGuarded, GuardedHandlersGetTheirSenderAndKeepExceptionsInside) {
  QObject sender;
  QObject* seen = nullptr;
  Guarded([&](QObject* s) { seen = s; })(&sender);
  EXPECT_EQ(seen, &sender);
  MessageBoxAnswerer answerer;
  EXPECT_NO_THROW(Guarded([](QObject*) { throw std::logic_error("x"); })(&sender));
  EXPECT_TRUE(answerer.Seen().shown);
}

TEST(ShowErrorBox, IsOwnedByTheGivenWindow) {
  QWidget owner;
  owner.show();
  MessageBoxAnswerer answerer;
  ShowErrorBox(&owner, QStringLiteral("Layout nicht gefunden"), QStringLiteral("Fehler ..."));
  ASSERT_TRUE(answerer.Seen().shown);
  EXPECT_EQ(answerer.Seen().owner, &owner);
  EXPECT_EQ(answerer.Seen().title, QStringLiteral("Fehler ..."));
  EXPECT_EQ(answerer.Seen().text, QStringLiteral("Layout nicht gefunden"));
}

TEST(ShowErrorBox, WrapsALongPathSoThatItsEndStaysInTheBox) {
  const QString path = QStringLiteral("/home/benutzer/Spiele/Tilvaro/Entwuerfe/fuer/den/Wettbewerb/layouts/"
                                      "Der-lange-Name-des-Turms.set");
  const QString text = QStringLiteral("Kann nicht nach ") + path + QStringLiteral(" schreiben\nKein Platz.");
  bool checked = false;
  ModalDriver driver([&](QWidget* modal) {
    auto* label = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), text);  // wrapped on screen, not changed
    EXPECT_TRUE(label->wordWrap());
    EXPECT_LE(label->geometry().right(), modal->width());
    EXPECT_LE(label->heightForWidth(label->width()), label->height());  // every line shown whole
    EXPECT_GE(label->height(), 3 * label->fontMetrics().height());
    checked = true;
    static_cast<QMessageBox*>(modal)->accept();
  });
  ShowErrorBox(nullptr, text, QStringLiteral("Fehler ..."));
  EXPECT_TRUE(checked);
}

TEST(CursorTable, NumberedCursorsAreRegisteredFoundAndApplied) {
  CursorTable::Clear();
  EXPECT_FALSE(CursorTable::Find(7).has_value());
  QLabel label;
  EXPECT_FALSE(CursorTable::Apply(label, 7));
  EXPECT_FALSE(label.testAttribute(Qt::WA_SetCursor));

  CursorTable::Register(7, QCursor(Qt::PointingHandCursor));
  ASSERT_TRUE(CursorTable::Find(7).has_value());
  EXPECT_TRUE(CursorTable::Apply(label, 7));
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

  ASSERT_TRUE(RegisterLinkCursor());
  const std::optional<QCursor> link = CursorTable::Find(kLinkCursorNumber);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->shape(), Qt::BitmapCursor);
  EXPECT_EQ(link->hotSpot(), QPoint(0, 0));
  EXPECT_EQ(link->pixmap().size(), QSize(32, 32));
  CursorTable::Clear();
  EXPECT_FALSE(CursorTable::Find(kLinkCursorNumber).has_value());
}

}  // namespace
}  // namespace tilvaro::test
