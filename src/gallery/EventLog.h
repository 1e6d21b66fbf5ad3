#pragma once
// TEventLog: the gallery's record of what its controls do, for people watching and for end-to-end
// tests reading it. Each record is one line, written and flushed at once:
//   geometry NAME X Y W H     a control's rectangle in the window's client coordinates
//   ready                     the window is on the screen; events follow
//   MS NAME EVENT             a control NAME raised EVENT (OnClick, OnMouseEnter, ...), MS
//                             milliseconds after the log was made
//   MS Menu TEXT              a drop-down menu item TEXT was chosen ('&' markers removed)
//   MS Hint TEXT              the application's hint changed to TEXT ("MS Hint": cleared)
//   MS Shows hint TEXT        a control's hint window is about to show TEXT
// A log without an output stream writes nothing. Every timed line (not the geometry and ready
// lines) is also handed to OnEvent, so that the gallery can show the last ones on the screen.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <ostream>

class QWidget;

namespace tilvaro {

class TEventLog {
 public:
  // The milliseconds since start; a monotonic clock started with the log unless given.
  using Clock = std::function<std::int64_t()>;
  explicit TEventLog(std::ostream* out, Clock clock = {});

  void Geometry(const QWidget& control);
  void Ready();
  void Raised(const QObject* sender, const char* event);
  void MenuChosen(const QString& itemText);
  void HintChanged(const QString& hint);
  void HintShown(const QString& hint);

  // Called with every timed line, without its line end; with or without an output stream.
  std::function<void(const QString& line)> OnEvent;

  // A handler that records `event` for its sender, for any control event whose first argument
  // is the sender (the others, such as a mouse button or a var flag, are not recorded).
  auto Handler(const char* event) {
    return [this, event](QObject* sender, auto&&...) { Raised(sender, event); };
  }

 private:
  void Line(const QString& text);
  void Timed(const QString& text);

  std::ostream* out_;
  Clock clock_;
};

}  // namespace tilvaro
