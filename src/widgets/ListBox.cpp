#include "widgets/ListBox.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "widgets/FocusRect.h"

namespace tilvaro {

namespace {

// Gives every row the list's item height, whatever the font and style would ask for.
class FixedHeightDelegate : public QStyledItemDelegate {
 public:
  FixedHeightDelegate(const TListBox& list, QObject* parent)
      : QStyledItemDelegate(parent), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(list_.ItemHeight());
    return size;
  }

 private:
  const TListBox& list_;
};

}  // namespace

TListBox::TListBox(QWidget* parent) : QListWidget(parent) {
  setFrameShape(QFrame::NoFrame);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new FixedHeightDelegate(*this, this));
}

void TListBox::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  doItemsLayout();
}

QString TListBox::Item(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry ? entry->text() : QString();
}

void TListBox::AddItem(const QString& text) { addItem(text); }

void TListBox::SetItem(int index, const QString& text) {
  if (QListWidgetItem* entry = item(index)) entry->setText(text);
}

void TListBox::DeleteItem(int index) {
  if (index < 0 || index >= count()) return;
  delete takeItem(index);
  SetItemIndex(-1);
}

void TListBox::ClearItems() { clear(); }

int TListBox::ItemIndex() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= count()) {
    clearSelection();
    setCurrentItem(nullptr);
    return;
  }
  setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void TListBox::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (!hasFocus() || ItemIndex() >= 0) return;
  const QListWidgetItem* current = currentItem();
  const QRect row = current ? visualItemRect(current) : QRect(0, 0, viewport()->width(), itemHeight_);
  QPainter painter(viewport());
  DrawFocusRect(painter, QRect(0, row.top(), viewport()->width(), row.height()), palette().color(QPalette::Text));
}

void TListBox::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  viewport()->update();
}

void TListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  viewport()->update();
}

}  // namespace tilvaro
