#include "gallery/GalleryWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>

#include "hints/ApplicationHint.h"
#include "widgets/Edit97.h"
#include "hints/Hint95.h"
#include "button/ToolbarButton97.h"
#include "gallery/EventLog.h"
#include "platform/ResourceImage.h"

namespace tilvaro {
namespace {

constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 24;
constexpr int kGlyphSize = 16;

// A strip of five 16 x 16 images, one per button state (up, disabled, down, latched, hot), each a
// differently coloured shape on teal, the strip's transparent colour.
QImage FiveStateGlyph() {
  QImage strip(5 * kGlyphSize, kGlyphSize, QImage::Format_RGB32);
  strip.fill(QColor(0, 128, 128));
  QPainter painter(&strip);
  const QColor colours[] = {QColor(0, 0, 192), QColor(128, 128, 128), QColor(0, 0, 96), QColor(0, 160, 0),
                            QColor(224, 128, 0)};
  for (int state = 0; state < 5; ++state) {
    const QRect cell(state * kGlyphSize, 0, kGlyphSize, kGlyphSize);
    painter.fillRect(cell.adjusted(3, 3, -3, -3), colours[state]);
    painter.fillRect(cell.adjusted(6, 6, -6, -6), Qt::white);
  }
  return strip;
}

QLabel* RowLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

// The colours of FiveStateGlyph, named for the states they stand for.
constexpr char kFiveImagesLegend[] =
    "„Fünf Bilder“ zeigt je Zustand ein eigenes Bild: blau oben, grau gesperrt, dunkelblau gedrückt, "
    "grün eingerastet, orange unter dem Zeiger.";

}  // namespace

TGalleryWindow::TGalleryWindow(TEventLog& log, QWidget* parent) : QWidget(parent), log_(log) {
  setWindowTitle(QStringLiteral("Tilvaro - Steuerelemente"));
  QFont font;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(11);
  setFont(font);
  BuildMenu();
  BuildRows();
  // The hints of the controls show in the office look, as in the editor.
  Hint95 = new THint95(this);
  Hint95->setObjectName(QStringLiteral("Hint95"));
  Hint95->SetHintStyle(THintStyle::hsOffice97);
  Hint95->OnShowHint = [this](QString& text, bool& canShow, THintInfo&) {
    if (canShow) log_.HintShown(text);
  };
}

TGalleryWindow::~TGalleryWindow() { log_.OnEvent = nullptr; }

void TGalleryWindow::BuildMenu() {
  DropdownMenu = new QMenu(this);
  DropdownMenu->setObjectName(QStringLiteral("DropdownMenu"));
  const QString items[] = {QStringLiteral("Erster"), QStringLiteral("Zweiter"), QStringLiteral("Dritter")};
  for (int i = 0; i < 3; ++i) {
    QAction* action = DropdownMenu->addAction(items[i]);
    const QString hint = QStringLiteral("Hinweis %1").arg(i + 1);
    action->setStatusTip(hint);
    action->setToolTip(hint);
  }
  connect(DropdownMenu, &QMenu::triggered, this, [this](QAction* action) { log_.MenuChosen(action->text()); });
  // A hovered item of a drop-down menu sets the application's hint; every change of it is logged.
  connect(&ApplicationHint::Instance(), &ApplicationHint::Changed, this,
          [this](const QString& hint) { log_.HintChanged(hint); });
}

TToolbarButton97* TGalleryWindow::AddButton(const char* name, const char* caption, const char* hint) {
  auto* button = new TToolbarButton97(this);
  button->setObjectName(QString::fromLatin1(name));
  button->SetCaption(QString::fromUtf8(caption));
  button->SetHint(QString::fromUtf8(hint));
  button->setFixedSize(kButtonWidth, kButtonHeight);
  WireEvents(*button);
  controls_.push_back(button);
  return button;
}

void TGalleryWindow::WireEvents(TToolbarButton97& button) {
  button.OnClick = log_.Handler("OnClick");
  button.OnMouseEnter = log_.Handler("OnMouseEnter");
  button.OnMouseExit = log_.Handler("OnMouseExit");
  button.OnMouseDown = log_.Handler("OnMouseDown");
  button.OnMouseUp = log_.Handler("OnMouseUp");
  button.OnDblClick = log_.Handler("OnDblClick");
  button.OnDropdown = log_.Handler("OnDropdown");
}

void TGalleryWindow::BuildRows() {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  int row = 0;
  const auto addRow = [&](const QString& title, std::initializer_list<QWidget*> widgets) {
    grid->addWidget(RowLabel(title, this), row, 0);
    int column = 1;
    for (QWidget* widget : widgets) grid->addWidget(widget, row, column++, Qt::AlignLeft | Qt::AlignVCenter);
    ++row;
  };

  Btn_Group1 = AddButton("Btn_Group1", "Eins", "Erste der Gruppe");
  Btn_Group2 = AddButton("Btn_Group2", "Zwei", "Zweite der Gruppe");
  Btn_Group3 = AddButton("Btn_Group3", "Drei", "Dritte der Gruppe");
  for (TToolbarButton97* button : {Btn_Group1, Btn_Group2, Btn_Group3}) button->SetGroupIndex(1);
  addRow(QStringLiteral("Gruppe, eine gedrückt:"), {Btn_Group1, Btn_Group2, Btn_Group3});

  Btn_AllUp1 = AddButton("Btn_AllUp1", "Links", "Links einrasten oder lösen");
  Btn_AllUp2 = AddButton("Btn_AllUp2", "Rechts", "Rechts einrasten oder lösen");
  for (TToolbarButton97* button : {Btn_AllUp1, Btn_AllUp2}) {
    button->SetGroupIndex(2);
    button->SetAllowAllUp(true);
  }
  addRow(QStringLiteral("Gruppe, alle lösbar:"), {Btn_AllUp1, Btn_AllUp2});

  Btn_Repeat = AddButton("Btn_Repeat", "Wiederholen", "Klickt wiederholt, solange gedrückt");
  Btn_Repeat->SetRepeating(true);
  addRow(QStringLiteral("Wiederholen beim Halten:"), {Btn_Repeat});

  Btn_Raised = AddButton("Btn_Raised", "Erhaben", "Immer mit Rahmen");
  Btn_Raised->SetFlat(false);
  Btn_NoBorder = AddButton("Btn_NoBorder", "Ohne Rahmen", "Nie mit Rahmen");
  Btn_NoBorder->SetNoBorder(true);
  addRow(QStringLiteral("Rahmen:"), {Btn_Raised, Btn_NoBorder});

  Btn_Glyphs5 = AddButton("Btn_Glyphs5", "Fünf Bilder", "Ein Bild je Zustand");
  Btn_Glyphs5->SetGlyph(FiveStateGlyph());
  Btn_Disabled = AddButton("Btn_Disabled", "Gesperrt", "Gesperrt, ohne Klicks");
  Btn_Disabled->SetGlyph(LoadResourceImage(QStringLiteral(":/images/open.xpm")));
  Btn_Disabled->setEnabled(false);
  addRow(QStringLiteral("Bilder:"), {Btn_Glyphs5, Btn_Disabled});

  Btn_Dropdown = AddButton("Btn_Dropdown", "Menü", "Öffnet ein Menü");
  Btn_Combo = AddButton("Btn_Combo", "Kombiniert", "Links klicken, rechts aufklappen");
  Btn_Always = AddButton("Btn_Always", "Immer", "Klappt immer auf, ohne Menü");
  Btn_Dropdown->SetDropdownMenu(DropdownMenu);
  // A combo widens itself by its arrow part; the fixed size is taken back so that it can.
  Btn_Combo->SetDropdownMenu(DropdownMenu);
  Btn_Combo->setMinimumSize(0, 0);
  Btn_Combo->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  Btn_Combo->SetDropdownCombo(true);
  Btn_Combo->setFixedSize(Btn_Combo->size());
  Btn_Always->SetDropdownAlways(true);
  addRow(QStringLiteral("Aufklappen:"), {Btn_Dropdown, Btn_Combo, Btn_Always});

  Btn_Default = AddButton("Btn_Default", "&Übernehmen", "Antwortet auf die Eingabetaste");
  Btn_Cancel = AddButton("Btn_Cancel", "Abbruch", "Antwortet auf die Escape-Taste");
  Btn_Default->SetDefault(true);
  Btn_Cancel->SetCancel(true);
  addRow(QStringLiteral("Eingabe- und Escape-Taste:"), {Btn_Default, Btn_Cancel});

  Edit_First = new TEdit97(this);
  Edit_First->setObjectName(QStringLiteral("Edit_First"));
  Edit_Second = new TEdit97(this);
  Edit_Second->setObjectName(QStringLiteral("Edit_Second"));
  // One row label stands for both edits; each gets a name of its own for assistive tools.
  Edit_First->setAccessibleName(QStringLiteral("Erstes Eingabefeld"));
  Edit_Second->setAccessibleName(QStringLiteral("Zweites Eingabefeld"));
  for (TEdit97* edit : {Edit_First, Edit_Second}) {
    edit->setFixedWidth(kButtonWidth);
    controls_.push_back(edit);
  }
  addRow(QStringLiteral("Flache Eingabefelder:"), {Edit_First, Edit_Second});

  CBX_Plain = new QCheckBox(QStringLiteral("Ankreuzen"), this);
  CBX_Plain->setObjectName(QStringLiteral("CBX_Plain"));
  CBX_Plain->setFocusPolicy(Qt::StrongFocus);
  controls_.push_back(CBX_Plain);
  addRow(QStringLiteral("Kontrollkästchen:"), {CBX_Plain});

  // Which image shows for which state, under the images' row would split it from its buttons: here.
  auto* legend = new QLabel(QString::fromUtf8(kFiveImagesLegend), this);
  legend->setWordWrap(true);
  grid->addWidget(legend, row++, 0, 1, 5);

  // What the gallery would print with --events, for a person trying the controls.
  Lbl_Events = new QLabel(this);
  Lbl_Events->setObjectName(QStringLiteral("Lbl_Events"));
  Lbl_Events->setFrameShape(QFrame::StyledPanel);
  Lbl_Events->setFrameShadow(QFrame::Sunken);
  Lbl_Events->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Lbl_Events->setTextFormat(Qt::PlainText);
  constexpr int kEventsMargin = 3;
  Lbl_Events->setMargin(kEventsMargin);
  Lbl_Events->setFixedHeight(Lbl_Events->fontMetrics().lineSpacing() * kShownEvents + 2 * kEventsMargin + 4);
  grid->addWidget(RowLabel(QStringLiteral("Ereignisse:"), this), row, 0, Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(Lbl_Events, row++, 1, 1, 4);
  log_.OnEvent = [this](const QString& line) { ShowEvent(line); };

  grid->setColumnStretch(4, 1);
  grid->setRowStretch(row, 1);
}

void TGalleryWindow::ShowEvent(const QString& line) {
  shownEvents_.append(line);
  if (shownEvents_.size() > kShownEvents) shownEvents_.removeFirst();
  Lbl_Events->setText(shownEvents_.join(QLatin1Char('\n')));
}

void TGalleryWindow::LogGeometry() {
  for (const QWidget* control : controls_) log_.Geometry(*control);
  log_.Ready();
}

}  // namespace tilvaro
