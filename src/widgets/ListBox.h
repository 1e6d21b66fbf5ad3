#pragma once
// TListBox: an unsorted, single-selection list of texts with a fixed item height and no frame.
// ItemIndex is the selected entry, -1 while none is selected. With the keyboard focus and nothing
// selected (an empty list too) it shows a dotted focus frame where the arrow keys will act: around
// the current entry, or where the first entry stands.

#include <QListWidget>

namespace tilvaro {

class TListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TListBox(QWidget* parent = nullptr);

  void SetItemHeight(int height);
  int ItemHeight() const { return itemHeight_; }

  int Count() const { return count(); }
  QString Item(int index) const;
  void AddItem(const QString& text);
  // Replaces the text of an entry; the entry keeps its place and its selection.
  void SetItem(int index, const QString& text);
  // Deletes an entry; afterwards no entry is selected.
  void DeleteItem(int index);
  void ClearItems();

  int ItemIndex() const;
  // -1 (or any index out of range) selects nothing.
  void SetItemIndex(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int itemHeight_ = 13;
};

}  // namespace tilvaro
